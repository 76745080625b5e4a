// The organisation and reference transfers on a small hand-made plant: the rows every destination
// holds afterwards, the progress they report, and how each failure they know ends the migration.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "HandMadePlant.h"
#include "TransferDatabase.h"
#include "mdc/ShiftSummaryTransfers.h"
#include "tmigration/CDatabaseMigrationObj.h"
#include "transfer/MigrateData.h"
#include "ui/RecordingRenderer.h"

namespace tmigration::transfer {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::Pair;

class HandMadePlant : public testing::SharedStateTest {
  protected:
    HandMadePlant() { testing::FillHandMadePlant(plant); }
    void ExpectEveryDestination() {
        for (const auto& expected : testing::HandMadePlantExpectations())
            EXPECT_THAT(plant.Rows(expected.query), ElementsAreArray(expected.rows)) << expected.name;
    }
    testing::TransferDatabase plant{db::Dialect::Access};
};

TEST_F(HandMadePlant, EveryDestinationAndKeyMapHoldsTheRowsOfTheRules) {
    std::string strError = "kept";
    ASSERT_TRUE(MigrateData(strError, db::Dialect::Access, mdc::ShiftSummaryTransfers())) << strError;
    EXPECT_EQ(strError, "kept");
    ExpectEveryDestination();
}

// Without the machine-data transfers of the layer above, the first shift summary step has nothing to
// run: the migration stops there with its prefix rather than pass over the rows it should move.
TEST_F(HandMadePlant, ASequenceRowWithoutItsTransferStopsTheMigration) {
    std::string strError;
    EXPECT_FALSE(MigrateData(strError, db::Dialect::Access));
    const TransferEntry* first = FindTransfer(mdc::ShiftSummaryTransfers().front().name);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(strError,
              std::string(first->errorPrefix) + "no transfer is built for " + std::string(first->name));
    EXPECT_THAT(plant.Rows("select COUNT(*) AS N from T_SFC_SHIFT"),
                Not(ElementsAre("0")));  // earlier rows stay
}

TEST_F(HandMadePlant, OverallProgressFollowsTheSequenceAndTheLocationsShowBothPasses) {
    core::frmProgress().Unload();
    ui::testing::ScopedRecordingRenderer recorder;
    std::string strError;
    ASSERT_TRUE(MigrateData(strError, db::Dialect::Access, mdc::ShiftSummaryTransfers())) << strError;
    // The overall bar changes once the transfer that names itself on the line has succeeded.
    std::vector<std::pair<std::string, std::string>> seen;
    for (std::size_t i = 0; i < recorder.log.infoSeen.size(); ++i)
        seen.emplace_back(recorder.log.infoSeen[i], recorder.log.overallSeen[i]);
    EXPECT_THAT(seen, Contains(Pair("Migrating Shifts...", "7%")));
    EXPECT_THAT(seen, Contains(Pair("Migrating Events...", "24%")));
    EXPECT_EQ(core::frmProgress().LastOverallPercentShown(), 96);
    EXPECT_THAT(recorder.log.infoSeen, Contains("Migrating Crib Locations..."));
    const auto locations =
        std::find(recorder.log.infoSeen.begin(), recorder.log.infoSeen.end(), "Migrating Locations...");
    const auto cribs = std::find(locations, recorder.log.infoSeen.end(), "Migrating Crib Locations...");
    EXPECT_NE(cribs, recorder.log.infoSeen.end());
}

TEST_F(HandMadePlant, EachTransferReportsTheLegacyRowsReadAndTheNewRowsWritten) {
    std::map<std::string, std::pair<std::int64_t, std::int64_t>> counts;
    SetTransferObserver([&](const TransferEntry& entry, const TransferCounts& c) {
        counts[std::string(entry.name)] = {c.read, c.written};
    });
    std::string strError;
    const bool ok = MigrateData(strError, db::Dialect::Access, mdc::ShiftSummaryTransfers());
    SetTransferObserver({});
    ASSERT_TRUE(ok) << strError;
    EXPECT_EQ(counts.size(), TransferSequence().size());
    EXPECT_THAT(counts, Contains(Pair("MigrateSIDs", Pair(1, 2))));
    EXPECT_THAT(counts, Contains(Pair("MigratePermissions", Pair(0, 0))));
    EXPECT_THAT(counts, Contains(Pair("MigrateLocations", Pair(4, 4))));
    EXPECT_THAT(counts, Contains(Pair("MigrateDowntimeCodes", Pair(4, 4))));
    EXPECT_THAT(counts, Contains(Pair("MigrateUsersPerUserGroups", Pair(6, 5))));
    EXPECT_THAT(counts, Contains(Pair("MigrateJobTitles", Pair(3, 3))));
}

TEST_F(HandMadePlant, EmptyLegacyTablesLeaveTheirDestinationsAsSeeded) {
    plant.Database().Run({"DELETE FROM T_TRNK_MACHINE_EVENTS", "DELETE FROM T_TRNK_PERS_USERGROUP",
                          "UPDATE T_TRNK_EVENTS SET COMMAND_ID = NULL, LOCATION_ID = NULL",
                          "UPDATE T_TRNK_GROUPS SET LOCATION_ID = NULL",
                          "UPDATE T_TRNK_PERS SET LOCATION_ID = NULL",
                          "DELETE FROM T_TRNK_COMMANDS where COMMAND_ID <> 14",
                          "DELETE FROM T_TRNK_LOCATION where PTYPE_ID = 5"});
    std::string strError;
    ASSERT_TRUE(MigrateData(strError, db::Dialect::Access, mdc::ShiftSummaryTransfers())) << strError;
    EXPECT_THAT(plant.Rows("select * from T_SFC_MACHINE_EVENT"), IsEmpty());
    EXPECT_THAT(plant.Rows("select * from T_SFC_USER_PER_USERGROUP"), IsEmpty());
    EXPECT_THAT(plant.Rows("select COMMAND_NUMBER from T_SFC_COMMAND where TARNWICK_ID = 14"),
                ::testing::SizeIs(14));
    // With no machine-data locations the crib pass still runs.
    EXPECT_THAT(plant.Rows("select * from T_SFC_LOCATION"), IsEmpty());
    EXPECT_THAT(plant.Rows("select * from T_SFC_CRIB"),
                ElementsAre("1|GC|Gage Crib|cal room", "2|TC|Tool Crib|NULL"));
}

// A fault planted in the hand-made plant, and where the migration then stops.
struct FailureCase {
    const char* name;
    std::vector<std::string> plantFault;
    std::string error;      // the whole text strError receives, or its prefix when it ends in ": "
    std::string keptQuery;  // the failing transfer's destination: the rows written before the fault
    std::vector<std::string> kept;
    std::string nextDestination;  // the destination of the next built transfer: never written
    std::int16_t overall;         // the overall percentage shown when it stopped
};

std::ostream& operator<<(std::ostream& os, const FailureCase& c) {
    return os << c.name;
}

constexpr const char* kNull = "Invalid use of Null";
constexpr const char* kNoCurrentRow =
    "Either BOF or EOF is True, or the current record has been deleted. Requested operation requires a "
    "current "
    "record.";

class HandMadePlantFailure : public HandMadePlant, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(HandMadePlantFailure, StopsWithThePrefixKeepsWhatWasWrittenAndRunsNothingAfter) {
    const FailureCase& c = GetParam();
    testing::ExpectTransfersStopAt(plant, c.plantFault, c.error, c.keptQuery, c.kept, c.nextDestination);
    EXPECT_EQ(core::frmProgress().LastOverallPercentShown(), c.overall);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, HandMadePlantFailure,
    ::testing::Values(
        FailureCase{"ShiftWithoutSwingFlag",
                    {"UPDATE T_TRNK_SHIFT SET IS_SWING = NULL WHERE SHIFT_ID = 2"},
                    std::string("Migrating Shifts: ") + kNull,
                    "select SHIFT_NAME from T_SFC_SHIFT",
                    {"First"},
                    "T_SFC_JOBTITLE",
                    ui::frmProgress::kNothingShown},
        FailureCase{"MachineWithoutStatus",
                    {"UPDATE T_TRNK_MACHINES SET STATUS_ID = NULL WHERE MACHINE_ID = 3"},
                    std::string("Migrating Machines: ") + kNull,
                    "select MACHINE_NAME from T_SFC_MACHINE",
                    {"Lathe 1", "Lathe 2"},
                    "T_SFC_USER",
                    10},
        FailureCase{"PartWithoutRevision",
                    {"UPDATE T_TRNK_PART SET REVISION = NULL WHERE PART_ID = 2"},
                    std::string("Migrating Parts: ") + kNull,
                    "select PART_NAME from T_SFC_PART",
                    {"Shaft A"},
                    "T_SFC_OP",
                    12},
        FailureCase{"OperationWithoutRevision",
                    {"UPDATE T_TRNK_OPS SET REVISION_NO = NULL WHERE OPS_ID = 1"},
                    std::string("Migrating Operations: ") + kNull,
                    "select * from T_SFC_OP",
                    {},
                    "T_SFC_DOWNTIME_CODE",
                    19},
        FailureCase{"DowntimeWithoutPlannedFlag",
                    {"UPDATE T_TRNK_DOWNTIME SET PLANNED = NULL WHERE DOWNTIME_ID = 11"},
                    std::string("Migrating Downtime Codes: ") + kNull,
                    "select DOWNTIME_CODE_NAME from T_SFC_DOWNTIME_CODE",
                    {"Breakdown", "Setup"},
                    "T_SFC_REASON_CODE",
                    19},
        FailureCase{"SeededCommandMissing",
                    {"DELETE FROM T_SFC_COMMAND WHERE COMMAND_TYPE_CODE = 5"},
                    std::string("Migrating Commands: ") + kNoCurrentRow,
                    "select COMMAND_NAME from T_SFC_COMMAND where TARNWICK_ID <> 14",
                    {"Send"},
                    "T_SFC_INSPECTION",
                    21},
        FailureCase{"SeededUserGroupMissing",
                    {"DELETE FROM T_SFC_USERGROUP WHERE USERGROUP_TYPE_CODE = 1"},
                    std::string("Migrating User Groups: ") + kNoCurrentRow,
                    "select USERGROUP_NAME from T_SFC_USERGROUP",
                    {"Travel Admins", "Tracker Administrators"},
                    "T_SFC_USER_PER_USERGROUP",
                    24},
        FailureCase{
            "MachineEventsClashInTheFortiethTransfer",
            {"INSERT INTO T_TRNK_MACHINE_EVENTS (MACHINE_EVENTS_ID, MACHINE_ID, COMMAND_ID, EVENT_ID) "
             "VALUES (3, 1, 4, 2)"},
            "Migrating Machine Events: ",
            "select * from T_SFC_MACHINE_EVENT",
            {"1|1|1|5", "2|2|2|1"},
            "T_SFC_GAGE_NO_PART_REF",
            28}),
    [](const auto& info) { return std::string(info.param.name); });

// Memberships whose user or group never got a new key, or no group to merge legacy groups 2 and 3
// into: the membership transfer alone, on a plant of one user, one group and one membership.
struct MembershipFault {
    const char* name;
    std::vector<std::string> fault;
    std::string error;
};

std::ostream& operator<<(std::ostream& os, const MembershipFault& c) {
    return os << c.name;
}

class MembershipTranslation : public testing::SharedStateTest,
                              public ::testing::WithParamInterface<MembershipFault> {
  protected:
    testing::TransferDatabase plant{db::Dialect::SqlServer};
};

TEST_P(MembershipTranslation, FailsTheTransferWithoutWritingAMembership) {
    plant.Insert("T_TRNK_PERS", "PERSONNEL_ID, LAST_NAME, PERSONNEL_NUMBER, SID", {{1, "Smith", "E1", 5001}});
    plant.Insert("T_TRNK_USERGROUP", "USERGROUP_ID, SID, USERGROUP_NAME",
                 {{3, 3, "Tool Admins"}, {5, 9000, "Crew"}});
    plant.Insert("T_TRNK_PERS_USERGROUP", "PERS_USERGROUP_ID, PERS_ID, USERGROUP_ID", {{1, 1, 5}, {2, 1, 3}});
    plant.Database().Run(GetParam().fault);
    std::string strError;
    EXPECT_FALSE(RunTransfer("MigrateUsersPerUserGroups", db::Dialect::SqlServer, strError));
    EXPECT_EQ(strError, "Migrating Users Per User Groups: " + GetParam().error);
    EXPECT_THAT(plant.Rows("select * from T_SFC_USER_PER_USERGROUP"), IsEmpty());
    EXPECT_THAT(plant.Rows("select SFC_ID from T_TRNK_PERS_USERGROUP"), ElementsAre("NULL", "NULL"));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, MembershipTranslation,
    ::testing::Values(
        MembershipFault{"UserNeverTransferred", {"UPDATE T_TRNK_USERGROUP SET SFC_ID = 3"}, kNull},
        MembershipFault{"GroupNeverTransferred", {"UPDATE T_TRNK_PERS SET SFC_ID = 1"}, kNull},
        MembershipFault{"NoGroupToMergeInto",
                        {"UPDATE T_TRNK_PERS SET SFC_ID = 1", "UPDATE T_TRNK_USERGROUP SET SFC_ID = 3",
                         "DELETE FROM T_SFC_USERGROUP WHERE USERGROUP_TYPE_CODE = 3"},
                        kNoCurrentRow}),
    [](const auto& info) { return std::string(info.param.name); });

// The whole migration through the component in each dialect: the transferred rows are there, the
// legacy tables (and with them the key maps) are gone.
struct DialectCase {
    const char* name;
    db::Dialect dialect;
    bool (CDatabaseMigrationObj::*entry)(std::string, std::string&);
};

std::ostream& operator<<(std::ostream& os, const DialectCase& c) {
    return os << c.name;
}

class SlowHandMadePlantMigration : public testing::SharedStateTest,
                                   public ::testing::WithParamInterface<DialectCase> {};

TEST_P(SlowHandMadePlantMigration, EveryDestinationHoldsItsRowsOnceTheLegacyTablesAreDropped) {
    testing::TransferDatabase plant{GetParam().dialect, testing::Stage::LegacyTables};
    testing::FillHandMadePlant(plant);
    core::gConnection().Close();
    core::gConnectionSlot().reset();
    std::string strError;
    {
        CDatabaseMigrationObj object;
        ASSERT_TRUE((object.*GetParam().entry)(plant.Database().ConnectionString(), strError)) << strError;
    }
    plant.Database().OpenShared(GetParam().dialect);
    std::vector<std::string> legacyLeft;
    for (const std::string& table : plant.Database().Tables())
        if (table.starts_with("T_TRNK_")) legacyLeft.push_back(table);
    EXPECT_THAT(legacyLeft, ElementsAre("T_TRNK_PTYPE"));  // the removal keeps the product types
    for (const auto& expected : testing::HandMadePlantExpectations()) {
        if (expected.query.find("T_TRNK_") != std::string::npos) continue;
        EXPECT_THAT(plant.Rows(expected.query), ElementsAreArray(expected.rows)) << expected.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dialects, SlowHandMadePlantMigration,
    ::testing::Values(DialectCase{"Access", db::Dialect::Access, &CDatabaseMigrationObj::MigrateAccess},
                      DialectCase{"Oracle", db::Dialect::Oracle, &CDatabaseMigrationObj::MigrateOracle},
                      DialectCase{"SQL", db::Dialect::SqlServer, &CDatabaseMigrationObj::MigrateSQL}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tmigration::transfer
