// A sample plant with replayed machine data, migrated through the command line in each dialect: the
// shift histories and buffers it held come out as machine data with their downtime and scrap, and
// every machine points at the row made from its open buffer.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "RunCommand.h"
#include "TempDatabase.h"

namespace tmigration::testing {
namespace {

// One count per query (each "select <expression> AS N ..."), all through one `tmigrate sql` call.
std::vector<long long> Counts(const TempDatabase& db, const std::string& dialect,
                              const std::vector<std::string>& queries) {
    std::string command = "printf '%s\\n'";
    for (const std::string& q : queries) command += " \"" + q + "\"";
    const CommandResult r = RunCommand(command + " | " + Tmigrate() + " sql " + dialect + " '" +
                                       db.ConnectionString() + "' 2>&1");
    EXPECT_EQ(r.exitCode, 0) << r.out;
    std::istringstream lines(r.out);
    std::vector<long long> counts;
    for (std::string header, value; std::getline(lines, header) && std::getline(lines, value);) {
        EXPECT_EQ(header, "N") << r.out;
        counts.push_back(value == "NULL" ? 0 : std::stoll(value));
    }
    EXPECT_EQ(counts.size(), queries.size()) << r.out;
    return counts;
}

// What the legacy plant holds, in the order of kExpected below.
const std::vector<std::string> kLegacy = {
    // machine data: every shift history and every buffer
    "select (select COUNT(*) from T_TRNK_SHIFT_HISTORY) + (select COUNT(*) from T_TRNK_SH_BUFFER) AS N "
    "from T_TRNK_COMMON where APP_ID = 0",
    // open buffers
    "select COUNT(*) AS N from T_TRNK_SH_BUFFER where COMPLETED IS NULL",
    // kept buffers in which an operation began, which then point at themselves
    "select COUNT(*) AS N from T_TRNK_SH_BUFFER where COMPLETED IS NOT NULL and OP_NUMBER IS NOT NULL and "
    "OP_BUFFER_ID = SH_BUFFER_ID",
    // downtime: of shift histories, of buffers, and the downtimes still running in buffers
    "select (select COUNT(*) from T_TRNK_DOWNTIME_SHIFT_HISTORY) + (select COUNT(*) from "
    "T_TRNK_DT_SH_BUFFER) + (select COUNT(*) from T_TRNK_SH_BUFFER where MACHINE_DT_NUMBER IS NOT NULL) + "
    "(select COUNT(*) from T_TRNK_SH_BUFFER where USER_DT_NUMBER IS NOT NULL) AS N from T_TRNK_COMMON "
    "where APP_ID = 0",
    // buffer downtime under a code the plant never defined
    "select COUNT(*) AS N from T_TRNK_DT_SH_BUFFER where DT_NUMBER = 'NO-SUCH-CODE'",
    // scrap of shift histories and of buffers
    "select (select COUNT(*) from T_TRNK_SCRAP_CODE_SH) + (select COUNT(*) from "
    "T_TRNK_SCRAP_CODE_SH_BUFFER) AS N from T_TRNK_COMMON where APP_ID = 0",
    // good parts counted in shift histories (the buffers' follow at the end)
    "select SUM(GOOD_COUNT) AS N from T_TRNK_SHIFT_HISTORY",
    // machines
    "select COUNT(*) AS N from T_TRNK_MACHINES",
    "select SUM(GOOD_COUNT) AS N from T_TRNK_SH_BUFFER",
};

// The same quantities in the new schema.
const std::vector<std::string> kMigrated = {
    "select COUNT(*) AS N from T_SFC_MACHINE_DATA",
    "select COUNT(*) AS N from T_SFC_MACHINE_DATA where STATUS_CODE = 0",
    "select COUNT(*) AS N from T_SFC_MACHINE_DATA where STATUS_CODE = 1 and OP_DATA_START_ID = "
    "MACHINE_DATA_ID",
    "select COUNT(*) AS N from T_SFC_DT_PER_MACHINE_DATA",
    "select COUNT(*) AS N from T_SFC_DT_PER_MACHINE_DATA where DT_NUMBER = 'NO-SUCH-CODE' and "
    "DOWNTIME_CODE_ID IS NULL",
    "select COUNT(*) AS N from T_SFC_SCRAP_PER_MACHINE_DATA",
    "select SUM(GOOD_COUNT) AS N from T_SFC_MACHINE_DATA",
    // each machine on the open row of its own machine
    "select COUNT(*) AS N from T_SFC_MACHINE m, T_SFC_MACHINE_DATA d where m.MACHINE_DATA_ID = "
    "d.MACHINE_DATA_ID and d.MACHINE_ID = m.MACHINE_ID and d.STATUS_CODE = 0",
};

// Rows that must not exist after the migration.
const std::vector<std::string> kNever = {
    // a segment start on another machine's row or another job's
    "select COUNT(*) AS N from T_SFC_MACHINE_DATA d, T_SFC_MACHINE_DATA s where d.JOB_DATA_START_ID = "
    "s.MACHINE_DATA_ID and (s.MACHINE_ID <> d.MACHINE_ID or s.JOB_NUMBER <> d.JOB_NUMBER)",
    // machine data without its machine or place
    "select COUNT(*) AS N from T_SFC_MACHINE_DATA where MACHINE_ID IS NULL or DEPT_ID IS NULL or "
    "LOCATION_ID IS NULL or GROUP_ID IS NULL",
    // Null totals
    "select COUNT(*) AS N from T_SFC_MACHINE_DATA where SETUP_TIME IS NULL or CYCLE_TIME IS NULL or "
    "GOOD_COUNT IS NULL or SCRAPPED_COUNT IS NULL or FINISHED_CYCLES IS NULL or UNFINISHED_CYCLES IS NULL or "
    "TEARDOWN_TIME <> 0",
    // downtime or scrap without its machine data
    "select (select COUNT(*) from T_SFC_DT_PER_MACHINE_DATA where MACHINE_DATA_ID IS NULL) + (select "
    "COUNT(*) from T_SFC_SCRAP_PER_MACHINE_DATA where MACHINE_DATA_ID IS NULL) AS N from T_SFC_MACHINE "
    "where MACHINE_ID = (select MIN(MACHINE_ID) from T_SFC_MACHINE)",
};

void MigratesItsMachineData(const std::string& dialect, int scale) {
    TempDatabase db;
    const CommandResult sample = RunCommand(Tmigrate() + " sample " + dialect + " '" + db.ConnectionString() +
                                            "' --scale " + std::to_string(scale) + " 2>&1");
    ASSERT_EQ(sample.exitCode, 0) << sample.out;
    std::vector<long long> legacy = Counts(db, dialect, kLegacy);
    ASSERT_EQ(legacy.size(), kLegacy.size());
    legacy[6] += legacy.back();
    EXPECT_GT(legacy[0], 100);  // a plant with machine data to speak of
    EXPECT_GT(legacy[3], 10);
    EXPECT_GT(legacy[4], 0);

    const CommandResult r = RunCommand(Tmigrate() + " migrate " + dialect + " '" + db.ConnectionString() +
                                       "' --progress none --counts 2>&1");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(r.out.find(" 89  UpdateMachines "), std::string::npos) << r.out;
    const std::vector<long long> migrated = Counts(db, dialect, kMigrated);
    const std::vector<std::string> what = {
        "machine data", "open buffers", "rows that began an operation", "downtime", "unknown codes",
        "scrap",        "good parts",   "machines on their open buffer"};
    for (std::size_t i = 0; i < what.size() && i < migrated.size(); ++i)
        EXPECT_EQ(migrated[i], legacy[i]) << what[i];
    for (const long long n : Counts(db, dialect, kNever)) EXPECT_EQ(n, 0);
}

class TmigrateMachineData : public ::testing::TestWithParam<const char*> {};

TEST_P(TmigrateMachineData, ASamplePlantMigratesItsMachineData) {
    MigratesItsMachineData(GetParam(), 1);
}

INSTANTIATE_TEST_SUITE_P(Dialects, TmigrateMachineData, ::testing::Values("access", "sql", "oracle"),
                         [](const auto& info) { return std::string(info.param); });

TEST(TmigrateMachineDataSlow, ALargerPlantMigratesItsMachineData) {
    MigratesItsMachineData("oracle", 6);
}

}  // namespace
}  // namespace tmigration::testing
