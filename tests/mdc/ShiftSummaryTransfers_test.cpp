// The seven machine-data transfers on hand-made legacy shift histories and buffers, in every
// dialect: the machine data, downtime, scrap and machine rows they leave, worked out by hand, and
// how a failure ends them.
#include "mdc/ShiftSummaryTransfers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SharedProgressWindow.h"
#include "transfer/MigrateData.h"
#include "transfer/TransferDatabase.h"

namespace tmigration::mdc {
namespace {

using db::DateTime;
using db::Dialect;
using db::Value;
using Lines = std::vector<std::string>;

Value At(int day, int hour, int minute = 0) {
    return DateTime{2023, 1, day, hour, minute, 0};
}

// New keys of the rows the earlier transfers would have made, one per referenced table.
struct NewKeys {
    std::string shift, dept, location, group, machine1, machine2, user, job, partType, part, op, downtime,
        scrap;
};

class MachineDataTransfers : public testing::SharedStateTest, public ::testing::WithParamInterface<Dialect> {
  protected:
    // Appends one row to a new table and returns its key as text.
    std::string NewRow(const std::string& table, const std::string& key, const std::string& column,
                       const Value& value) {
        plant.Insert(table, column, {{value}});
        return plant.Rows("select MAX(" + key + ") from " + table).front();
    }

    void FillPlant() {
        k.shift = NewRow("T_SFC_SHIFT", "SHIFT_ID", "SHIFT_NAME", "Day");
        k.dept = NewRow("T_SFC_DEPT", "DEPT_ID", "DEPT_NAME", "Machining");
        k.location = NewRow("T_SFC_LOCATION", "LOCATION_ID", "LOCATION_NAME", "Hall");
        k.group = NewRow("T_SFC_GROUP", "GROUP_ID", "GROUP_NAME", "Lathes");
        k.machine1 = NewRow("T_SFC_MACHINE", "MACHINE_ID", "MACHINE_NUMBER", "M1");
        k.machine2 = NewRow("T_SFC_MACHINE", "MACHINE_ID", "MACHINE_NUMBER", "M2");
        k.user = NewRow("T_SFC_USER", "USER_ID", "USER_NAME", "alice");
        k.job = NewRow("T_SFC_JOB", "JOB_ID", "JOB_NUMBER", "J100");
        k.partType = NewRow("T_SFC_PART_TYPE", "PART_TYPE_ID", "PART_TYPE_NAME", "Shafts");
        k.part = NewRow("T_SFC_PART", "PART_ID", "PART_NUMBER", "P-1");
        k.op = NewRow("T_SFC_OP", "OP_ID", "OP_NUMBER", "OP10");
        k.downtime = NewRow("T_SFC_DOWNTIME_CODE", "DOWNTIME_CODE_ID", "DOWNTIME_CODE_NUMBER", "MAT");
        k.scrap = NewRow("T_SFC_SCRAP_CODE", "SCRAP_CODE_ID", "SCRAP_CODE_NUMBER", "17");
        const auto id = [](const std::string& key) { return Value(std::stoll(key)); };
        const Value null;

        // Legacy keys run from 1 without gaps, so Oracle's key triggers number them alike.
        std::vector<std::vector<Value>> subtypes;
        for (int s = 1; s <= 94; ++s) subtypes.push_back({s, "Subtype " + std::to_string(s)});
        plant.Insert("T_TRNK_SUBTYPE", "SUBTYPE_ID, SUBTYPE_NAME", subtypes);
        plant.Insert("T_TRNK_SHIFT", "SHIFT_ID, SHIFT_NAME, SFC_ID", {{1, "Day", id(k.shift)}});
        plant.Insert("T_TRNK_DEPT", "DEPT_ID, DEPT_NAME, SFC_ID", {{1, "Machining", id(k.dept)}});
        plant.Insert("T_TRNK_LOCATION", "LOCATION_ID, LOCATION_NAME, DEPT_ID, SFC_ID",
                     {{1, "Hall", 1, id(k.location)}});
        plant.Insert("T_TRNK_GROUPS", "GROUP_ID, GROUP_NAME, LOCATION_ID, DEPT_ID, SFC_ID",
                     {{1, "Lathes", 1, 1, id(k.group)}});
        plant.Insert("T_TRNK_MACHINES", "MACHINE_ID, MACHINE_NUMBER, GROUP_ID, SH_BUFFER_ID, SFC_ID",
                     {{1, "M1", 1, 3, id(k.machine1)}, {2, "M2", 1, null, id(k.machine2)}});
        plant.Insert("T_TRNK_PERS", "PERSONNEL_ID, LAST_NAME, PERSONNEL_NUMBER, SID, SFC_ID",
                     {{1, "A", "alice", 101, id(k.user)}});
        plant.Insert("T_TRNK_PARTTYPE", "PARTTYPE_ID, PARTTYPE_NAME, SFC_ID",
                     {{1, "Shafts", id(k.partType)}});
        plant.Insert("T_TRNK_PART", "PART_ID, PART_NUMBER, PARTTYPE_ID, SFC_ID", {{1, "P-1", 1, id(k.part)}});
        plant.Insert("T_TRNK_OPS", "OPS_ID, OPS_NUMBER, CREATE_DATE, CREATOR_ID, SFC_ID",
                     {{1, "OP10", At(1, 0), 1, id(k.op)}});
        plant.Insert("T_TRNK_JOB", "JOB_ID, JOB_NUMBER, SFC_ID", {{1, "J100", id(k.job)}});
        // BRK was never transferred: what points at it maps to Null.
        plant.Insert("T_TRNK_DOWNTIME", "DOWNTIME_ID, DOWNTIME_NAME, DOWNTIME_NUMBER, PTYPE_ID, SFC_ID",
                     {{1, "Material", "MAT", 5, id(k.downtime)}, {2, "Break", "BRK", 6, null}});
        plant.Insert("T_TRNK_SCRAP_CODE", "SCRAP_CODE_ID, SCRAP_CODE_NUMBER, SFC_ID",
                     {{1, "17", id(k.scrap)}});

        plant.Insert(
            "T_TRNK_SHIFT_HISTORY",
            "SHIFT_HISTORY_ID, CHART_DATE, SHIFT_ID, PART_ID, OPS_ID, PERS_ID, DEPT_ID, LOCATION_ID, "
            "GROUP_ID, MACHINE_ID, START_TIME, STOP_TIME, CYCLE_TIME, GOOD_COUNT, SCRAPPED_COUNT, SETUP_PDT, "
            "PARTTYPE_ID, JOB_ID, IS_MANUAL, FINISHED_CYCLES, UNFINISHED_CYCLES",
            {{1, At(3, 0), 1, 1, 1, 1, 1, 1, 1, 1, At(3, 8), At(3, 15), 120.0, 25, 2, 0.5, 1, 1, "YES", 4, 1},
             {2,        At(4, 0), null, null, null, null, 1,    1,    1,    2,   At(4, 7),
              At(4, 8), null,     null, null, null, null, null, null, null, null}});
        plant.Insert("T_TRNK_DOWNTIME_SHIFT_HISTORY",
                     "DOWNTIME_SHIFT_HISTORY_ID, DOWNTIME_ID, SHIFT_HISTORY_ID, "
                     "DURATION, PTYPE_ID",
                     {{1, 1, 1, 1.0, 5}, {2, 2, 1, 0.25, 6}, {3, 1, 2, 1.5, 5}, {4, null, 2, 0.1, 7}});
        plant.Insert("T_TRNK_SCRAP_CODE_SH",
                     "SCRAP_CODE_SH_ID, SCRAP_CODE_ID, SHIFT_HISTORY_ID, QTY, START_TIME",
                     {{1, 1, 1, 2, At(3, 9, 30)}});

        // Buffer 1 began the job and the part; buffer 2 carries them on and is kept for an unknown
        // downtime code; buffer 3 is the machine's open one, with its own operator and operation.
        plant.Insert(
            "T_TRNK_SH_BUFFER",
            "SH_BUFFER_ID, CHART_DATE, START_TIME, STOP_TIME, MACHINE_ID, SHIFT_ID, SHIFT_END, JOB_NUMBER, "
            "JOB_BUFFER_ID, USER_NAME, LOGON_BUFFER_ID, PART_NUMBER, PART_BUFFER_ID, OP_NUMBER, "
            "OP_BUFFER_ID, "
            "CYCLE_TIME, GOOD_COUNT, FINISHED_CYCLES, MACHINE_DT_NUMBER, MACHINE_DT_START_TIME, "
            "USER_DT_NUMBER, USER_DT_START_TIME, COMPLETED",
            {{1, At(5, 0), At(5, 7), At(5, 9), 1, 1, At(5, 15), "J100", 1,    null, null, "P-1",
              1, null,     null,     30.0,     3, 1, null,      null,   null, null, 1},
             {2, At(5, 0), At(5, 9), At(5, 15), 1,    1,    At(5, 15), "J100", 1,    null, null, "P-1",
              1, null,     null,     null,      null, null, null,      null,   null, null, 1},
             {3,      At(5, 0),      At(5, 15), null,   1, 1,    At(5, 23), "J100", 1,     "alice",
              3,      "P-1",         1,         "OP10", 3, null, null,      null,   "MAT", At(5, 15, 30),
              "NOPE", At(5, 15, 45), null}});
        plant.Insert("T_TRNK_DT_SH_BUFFER",
                     "DT_SH_BUFFER_ID, SH_BUFFER_ID, DT_NUMBER, DURATION, SUBTYPE_ID, "
                     "START_TIME, STOP_TIME",
                     {{1, 2, "XYZ", 0.5, 79, At(5, 10), At(5, 10, 30)},
                      {2, 2, "MAT", 0.25, 79, At(5, 11), At(5, 11, 15)}});
        plant.Insert("T_TRNK_SCRAP_CODE_SH_BUFFER",
                     "SCRAP_CODE_SH_BUFFER_ID, SCRAP_CODE_NUMBER, SH_BUFFER_ID, QTY, "
                     "START_TIME",
                     {{1, "17", 3, 2, At(5, 15, 10)}, {2, "999", 3, 1, At(5, 15, 20)}});
    }

    // Runs the seven transfers in sequence order; false at the first that fails.
    bool Transfer(std::string& strError) {
        for (const transfer::BuiltTransfer& built : ShiftSummaryTransfers())
            if (!transfer::RunTransfer(*transfer::FindTransfer(built.name), built.body, GetParam(), strError))
                return false;
        return true;
    }

    testing::TransferDatabase plant{GetParam()};
    NewKeys k;
};

TEST_P(MachineDataTransfers, LeaveTheRowsOfTheRules) {
    FillPlant();
    std::string strError = "kept";
    ASSERT_TRUE(Transfer(strError)) << strError;
    EXPECT_EQ(strError, "kept");

    const std::string md = plant.Rows("select MIN(MACHINE_DATA_ID) from T_SFC_MACHINE_DATA").front();
    const auto id = [&](int n) { return std::to_string(std::stoll(md) + n - 1); };
    EXPECT_EQ(
        plant.Rows(
            "select MACHINE_DATA_ID, CHART_DATE, START_TIME, STOP_TIME, SHIFT_ID, DEPT_ID, LOCATION_ID, "
            "GROUP_ID, MACHINE_ID, JOB_ID, USER_ID, PART_TYPE_ID, PART_ID, OP_ID, SETUP_TIME, TEARDOWN_TIME, "
            "CYCLE_TIME, IDLE_START_TIME, GOOD_COUNT, SCRAPPED_COUNT, FINISHED_CYCLES, UNFINISHED_CYCLES, "
            "SHIFT_END, STATUS_CODE, IS_MANUAL from T_SFC_MACHINE_DATA order by MACHINE_DATA_ID"),
        (Lines{
            // Shift summaries: everything mapped, Null totals as 0, always status 2.
            id(1) + "|2023-01-03 00:00:00|2023-01-03 08:00:00|2023-01-03 15:00:00|" + k.shift + "|" + k.dept +
                "|" + k.location + "|" + k.group + "|" + k.machine1 + "|" + k.job + "|" + k.user + "|" +
                k.partType + "|" + k.part + "|" + k.op + "|0.5|0|120|NULL|25|2|4|1|NULL|2|1",
            id(2) + "|2023-01-04 00:00:00|2023-01-04 07:00:00|2023-01-04 08:00:00|NULL|" + k.dept + "|" +
                k.location + "|" + k.group + "|" + k.machine2 +
                "|NULL|NULL|NULL|NULL|NULL|0|0|0|NULL|0|0|0|0|NULL|2|0",
            // Buffers: the place of the machine; 1 where a segment began, 2 where none did, 0 open.
            id(3) + "|2023-01-05 00:00:00|2023-01-05 07:00:00|2023-01-05 09:00:00|" + k.shift + "|" + k.dept +
                "|" + k.location + "|" + k.group + "|" + k.machine1 + "|" + k.job + "|NULL|" + k.partType +
                "|" + k.part + "|NULL|0|0|30|1970-01-01 09:00:00|3|0|1|0|2023-01-05 15:00:00|1|0",
            id(4) + "|2023-01-05 00:00:00|2023-01-05 09:00:00|2023-01-05 15:00:00|" + k.shift + "|" + k.dept +
                "|" + k.location + "|" + k.group + "|" + k.machine1 + "|" + k.job + "|NULL|" + k.partType +
                "|" + k.part + "|NULL|0|0|0|1970-01-01 09:00:00|0|0|0|0|2023-01-05 15:00:00|2|0",
            id(5) + "|2023-01-05 00:00:00|2023-01-05 15:00:00|NULL|" + k.shift + "|" + k.dept + "|" +
                k.location + "|" + k.group + "|" + k.machine1 + "|" + k.job + "|" + k.user + "|" +
                k.partType + "|" + k.part + "|" + k.op +
                "|0|0|0|1970-01-01 09:00:00|0|0|0|0|2023-01-05 23:00:00|0|0",
        }));
    // Idle hours: 7 - 0.5 setup - 2 cycle - 1 machine downtime; downtime beyond the span gives 0;
    // 2 - 0.5 cycle; 6 - 0.75 downtime.
    EXPECT_EQ(plant.Rows("select IDLE_TIME from T_SFC_MACHINE_DATA where MACHINE_DATA_ID < " + id(5) +
                         " order by MACHINE_DATA_ID"),
              (Lines{"3.5", "0", "1.5", "5.25"}));
    // Segments: the numbers copied, the start where the segment began, a row that began it pointing
    // at itself.
    EXPECT_EQ(
        plant.Rows(
            "select JOB_NUMBER, JOB_DATA_START_ID, USER_NAME, LOGON_DATA_START_ID, PART_NUMBER, "
            "PART_DATA_START_ID, OP_NUMBER, OP_DATA_START_ID from T_SFC_MACHINE_DATA where MACHINE_DATA_ID "
            ">= " +
            id(3) + " order by MACHINE_DATA_ID"),
        (Lines{"J100|" + id(3) + "|NULL|NULL|P-1|" + id(3) + "|NULL|NULL",
               "J100|" + id(3) + "|NULL|NULL|P-1|" + id(3) + "|NULL|NULL",
               "J100|" + id(3) + "|alice|" + id(5) + "|P-1|" + id(3) + "|OP10|" + id(5)}));
    EXPECT_EQ(
        plant.Rows("select MACHINE_DATA_ID, DOWNTIME_CODE_ID, DT_NUMBER, DURATION, DOWNTIME_TYPE_CODE, "
                   "START_TIME, STOP_TIME from T_SFC_DT_PER_MACHINE_DATA order by DT_PER_MACHINE_DATA_ID"),
        (Lines{
            id(1) + "|" + k.downtime + "|NULL|1|0|NULL|NULL",
            id(1) + "|NULL|NULL|0.25|1|NULL|NULL",
            id(2) + "|" + k.downtime + "|NULL|1.5|0|NULL|NULL",
            id(2) + "|NULL|NULL|0.1|NULL|NULL|NULL",
            // The open buffer's running downtimes.
            id(5) + "|" + k.downtime + "|NULL|NULL|0|2023-01-05 15:30:00|NULL",
            id(5) + "|NULL|NULL|NULL|1|2023-01-05 15:45:00|NULL",
            // A code the plant does not hold keeps its text.
            id(4) + "|NULL|XYZ|0.5|0|2023-01-05 10:00:00|2023-01-05 10:30:00",
            id(4) + "|" + k.downtime + "|NULL|0.25|0|2023-01-05 11:00:00|2023-01-05 11:15:00",
        }));
    EXPECT_EQ(plant.Rows("select MACHINE_DATA_ID, SCRAP_CODE_ID, SCRAP_CODE_NUMBER, QTY, START_TIME from "
                         "T_SFC_SCRAP_PER_MACHINE_DATA order by SCRAP_PER_MACHINE_DATA_ID"),
              (Lines{id(1) + "|" + k.scrap + "|NULL|2|2023-01-03 09:30:00",
                     id(5) + "|" + k.scrap + "|17|2|2023-01-05 15:10:00",
                     id(5) + "|NULL|999|1|2023-01-05 15:20:00"}));
    EXPECT_EQ(plant.Rows("select MACHINE_ID, MACHINE_DATA_ID from T_SFC_MACHINE where MACHINE_ID IN (" +
                         k.machine1 + ", " + k.machine2 + ") order by MACHINE_ID"),
              (Lines{k.machine1 + "|" + id(5), k.machine2 + "|NULL"}));
    EXPECT_EQ(plant.Rows("select SH_BUFFER_ID, SFC_ID from T_TRNK_SH_BUFFER order by SH_BUFFER_ID"),
              (Lines{"1|" + id(3), "2|" + id(4), "3|" + id(5)}));
}

TEST_P(MachineDataTransfers, WithoutLegacyRowsWriteNothing) {
    std::string strError;
    ASSERT_TRUE(Transfer(strError)) << strError;
    EXPECT_EQ(plant.Rows("select COUNT(*) from T_SFC_MACHINE_DATA"), Lines{"0"});
    EXPECT_EQ(plant.Rows("select COUNT(*) from T_SFC_DT_PER_MACHINE_DATA"), Lines{"0"});
    EXPECT_EQ(plant.Rows("select COUNT(*) from T_SFC_SCRAP_PER_MACHINE_DATA"), Lines{"0"});
}

TEST_P(MachineDataTransfers, AFailureNamesTheTransferAndHidesTheWindow) {
    FillPlant();
    // The first machine maps to a new machine that does not exist.
    plant.Database().Run({"UPDATE T_TRNK_MACHINES SET SFC_ID = 9999 WHERE MACHINE_ID = 1"});
    core::frmProgress().Show();
    std::string strError;
    EXPECT_FALSE(Transfer(strError));
    EXPECT_EQ(strError.rfind("Migrating Shift Summaries: ", 0), 0u) << strError;
    EXPECT_FALSE(core::frmProgress().Visible());
}

INSTANTIATE_TEST_SUITE_P(Dialects, MachineDataTransfers,
                         ::testing::Values(Dialect::Access, Dialect::SqlServer, Dialect::Oracle),
                         [](const auto& info) {
                             return std::string(info.param == Dialect::Access   ? "Access"
                                                : info.param == Dialect::Oracle ? "Oracle"
                                                                                : "SQL");
                         });

}  // namespace
}  // namespace tmigration::mdc
