// The crib catalog, asset and traveler transfers on a small hand-made plant: the whole rows every
// destination holds in each dialect, the key maps they leave, the progress they report, and how each
// failure they know ends the migration with the transfer's prefix.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "CribPlant.h"
#include "TransferDatabase.h"
#include "mdc/ShiftSummaryTransfers.h"
#include "transfer/MigrateData.h"
#include "ui/RecordingRenderer.h"

namespace tmigration::transfer {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::Pair;

class CribPlant : public testing::SharedStateTest {
  protected:
    explicit CribPlant(db::Dialect dialect = db::Dialect::Access) : plant(dialect) {
        testing::FillHandMadePlant(plant);
        testing::FillCribPlant(plant);
    }
    testing::TransferDatabase plant;
};

class CribPlantInEachDialect : public CribPlant, public ::testing::WithParamInterface<db::Dialect> {
  protected:
    CribPlantInEachDialect() : CribPlant(GetParam()) {}
};

TEST_P(CribPlantInEachDialect, EveryDestinationAndKeyMapHoldsTheRowsOfTheRules) {
    std::string strError = "kept";
    ASSERT_TRUE(MigrateData(strError, GetParam(), mdc::ShiftSummaryTransfers())) << strError;
    EXPECT_EQ(strError, "kept");
    for (const auto& expected : testing::CribPlantExpectations()) {
        std::vector<std::string> rows = expected.rows;
        // Oracle keeps an empty text as Null (the empty name after a label text's last ";").
        if (GetParam() == db::Dialect::Oracle)
            for (auto& row : rows)
                for (auto at = row.find("||"); at != std::string::npos; at = row.find("||"))
                    row.replace(at, 2, "|NULL|");
        EXPECT_THAT(plant.Rows(expected.query), ElementsAreArray(rows)) << expected.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Dialects, CribPlantInEachDialect,
                         ::testing::Values(db::Dialect::Access, db::Dialect::Oracle, db::Dialect::SqlServer),
                         [](const auto& info) {
                             const std::string name(db::DialectName(info.param));
                             return name == "SQL Server" ? std::string("SqlServer") : name;
                         });

class CribPlantOnAccess : public CribPlant {};

TEST_F(CribPlantOnAccess, TransfersReportTheRowsReadAndWrittenAndTheOverallBarRises) {
    std::map<std::string, std::pair<std::int64_t, std::int64_t>> counts;
    SetTransferObserver([&](const TransferEntry& entry, const TransferCounts& c) {
        counts[std::string(entry.name)] = {c.read, c.written};
    });
    core::frmProgress().Unload();
    ui::testing::ScopedRecordingRenderer recorder;
    std::string strError;
    const bool ok = MigrateData(strError, db::Dialect::Access, mdc::ShiftSummaryTransfers());
    SetTransferObserver({});
    ASSERT_TRUE(ok) << strError;
    // A type without subtypes is not read; vendor entries and label dimensions are extra rows.
    EXPECT_THAT(counts, Contains(Pair("MigrateGageTypes", Pair(4, 4))));
    EXPECT_THAT(counts, Contains(Pair("MigrateToolTypes", Pair(4, 4))));
    EXPECT_THAT(counts, Contains(Pair("MigrateCutterNumbers", Pair(3, 3))));
    EXPECT_THAT(counts, Contains(Pair("MigrateTravelers", Pair(4, 4))));
    EXPECT_THAT(counts, Contains(Pair("MigrateGagePurchaseOrders", Pair(2, 2))));
    EXPECT_THAT(counts, Contains(Pair("MigrateToolPurchaseOrders", Pair(2, 2))));
    std::vector<std::pair<std::string, std::string>> seen;
    for (std::size_t i = 0; i < recorder.log.infoSeen.size(); ++i)
        seen.emplace_back(recorder.log.infoSeen[i], recorder.log.overallSeen[i]);
    EXPECT_THAT(seen, Contains(Pair("Migrating Kit Number Components...", "19%")));
    EXPECT_THAT(seen, Contains(Pair("Migrating Kit Components...", "56%")));
    EXPECT_THAT(seen, Contains(Pair("Migrating Part Reference Dimensions...", "71%")));
    EXPECT_EQ(core::frmProgress().LastOverallPercentShown(), 96);
}

// The joined type queries, the key written back to each subtype, and the vendor entries' row set,
// in the texts the database receives.
TEST_F(CribPlantOnAccess, JoinedTypesWriteTheirKeysBackToTheSubtypesWithAStatement) {
    plant.Sent().clear();
    std::string strError;
    ASSERT_TRUE(RunTransfer("MigrateToolTypes", db::Dialect::Access, strError)) << strError;
    EXPECT_THAT(
        plant.Sent(),
        ElementsAre("select T_TRNK_TOOL_TYPE.TOOL_TYPE,  T_TRNK_TOOL_TYPE.DETAILS AS TT_NOTES, "
                    "T_TRNK_TOOL_SUBTYPE.TOOL_SUBTYPE_NAME,  T_TRNK_TOOL_SUBTYPE.DETAILS AS TST_NOTES, "
                    "T_TRNK_TOOL_SUBTYPE.TOOL_SUBTYPE_ID  from T_TRNK_TOOL_TYPE, T_TRNK_TOOL_SUBTYPE  where "
                    "T_TRNK_TOOL_SUBTYPE.TOOL_TYPE_ID = T_TRNK_TOOL_TYPE.TOOL_TYPE_ID ",
                    "select * from T_SFC_TOOL_TYPE",
                    "UPDATE T_TRNK_TOOL_SUBTYPE  SET SFC_ID = 1 where TOOL_SUBTYPE_ID = 1",
                    "UPDATE T_TRNK_TOOL_SUBTYPE  SET SFC_ID = 2 where TOOL_SUBTYPE_ID = 2",
                    "UPDATE T_TRNK_TOOL_SUBTYPE  SET SFC_ID = 3 where TOOL_SUBTYPE_ID = 3",
                    "UPDATE T_TRNK_TOOL_SUBTYPE  SET SFC_ID = 4 where TOOL_SUBTYPE_ID = 4"));
    plant.Sent().clear();
    ASSERT_TRUE(RunTransfer("MigrateCutterNumbers", db::Dialect::Access, strError)) << strError;
    EXPECT_THAT(plant.Sent(), Contains("select * from T_SFC_VENDOR_INFO  where TABLE_CODE = 14"));
}

// A fault planted in the plant, and where the migration then stops.
struct CribFault {
    const char* name;
    std::vector<std::string> plantFault;
    std::string error;      // the whole text strError receives, or its prefix when it ends in ": "
    std::string keptQuery;  // the failing transfer's destination: the rows written before the fault
    std::vector<std::string> kept;
    std::string nextDestination;  // a destination of a later transfer: never written
};

std::ostream& operator<<(std::ostream& os, const CribFault& c) {
    return os << c.name;
}

constexpr const char* kNull = "Invalid use of Null";

class CribPlantFailure : public CribPlant, public ::testing::WithParamInterface<CribFault> {};

TEST_P(CribPlantFailure, StopsWithThePrefixKeepsWhatWasWrittenAndRunsNothingAfter) {
    const CribFault& c = GetParam();
    testing::ExpectTransfersStopAt(plant, c.plantFault, c.error, c.keptQuery, c.kept, c.nextDestination);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CribPlantFailure,
    ::testing::Values(
        // The subtype loses its mapping column: the join still reads, the UPDATE of the key fails.
        CribFault{"GageTypeKeyCannotBeWrittenBack",
                  {"ALTER TABLE T_TRNK_GAUGE_SUBTYPE DROP COLUMN SFC_ID"},
                  "Migrating Gage Types: ",
                  "select GAGE_TYPE_NAME from T_SFC_GAGE_TYPE",
                  {"Caliper Dial"},
                  "T_SFC_GAGE_NO"},
        CribFault{"ToolTypeKeyCannotBeWrittenBack",
                  {"ALTER TABLE T_TRNK_TOOL_SUBTYPE DROP COLUMN SFC_ID"},
                  "Migrating Tool Types: ",
                  "select TOOL_TYPE_NAME from T_SFC_TOOL_TYPE",
                  {"Holder CAT40"},
                  "T_SFC_TOOL_NO"},
        CribFault{"CalibrationDimensionWithoutType",
                  {"UPDATE T_TRNK_GAUGE_CAL_DIM SET DIM_TYPE_ID = NULL WHERE GAUGE_CAL_DIM_ID = 4"},
                  std::string("Migrating Gage Number Calibration Dimensions: ") + kNull,
                  "select DIM_NAME from T_SFC_GAGE_NO_CAL_DIM",
                  {"Width"},
                  "T_SFC_TOOL_NO_REWORK_DIM"},
        CribFault{"GageWithEmptySerialNumber",
                  {"UPDATE T_TRNK_GAUGES SET SERIAL_NO = '' WHERE GAUGE_ID = 2"},
                  "Migrating Gages: Invalid procedure call or argument",
                  "select SERIAL_NO from T_SFC_GAGE",
                  {"00017"},
                  "T_SFC_CAL_HIST"},
        CribFault{"ToolWithoutSerialNumber",
                  {"UPDATE T_TRNK_TOOLS SET SERIAL_NO = NULL WHERE TOOL_ID = 3"},
                  std::string("Migrating Tools: ") + kNull,
                  "select SERIAL_NO from T_SFC_TOOL",
                  {"1001", "2"},
                  "T_SFC_REWORK_HIST"},
        CribFault{"TravelerRevisionNotANumber",
                  {"UPDATE T_TRNK_TRAVELER SET REV = '2.B' WHERE TRAVELER_ID = 2"},
                  "Migrating Travelers: Type mismatch",
                  "select TRAVELER_NUMBER, PREV_REV_ID from T_SFC_TRAVELER",
                  {"TR-1|NULL"},
                  "T_SFC_CUSTOMER_PER_TRAV"},
        CribFault{"TravelerWithoutRevision",
                  {"UPDATE T_TRNK_TRAVELER SET REV = NULL WHERE TRAVELER_ID = 1"},
                  std::string("Migrating Travelers: ") + kNull,
                  "select * from T_SFC_TRAVELER",
                  {},
                  "T_SFC_CUSTOMER_PER_TRAV"},
        CribFault{"TravelerWithoutType",
                  {"UPDATE T_TRNK_TRAVELER SET TRAV_TYPE = NULL WHERE TRAVELER_ID = 4"},
                  std::string("Migrating Travelers: ") + kNull,
                  "select TRAVELER_NAME from T_SFC_TRAVELER",
                  {"Shaft route", "Shaft route", "Shaft route"},
                  "T_SFC_CUSTOMER_PER_TRAV"},
        CribFault{"SignoffOfAPersonNeverTransferred",
                  {"ALTER TABLE T_TRNK_FPS DROP CONSTRAINT FK_FPS_PERS",
                   "UPDATE T_TRNK_FPS SET PERSONNEL_ID = 8 WHERE FPS_ID = 2"},
                  std::string("Migrating First Article Signoffs: ") + kNull,
                  "select FAS_ID, USER_ID from T_SFC_FAS",
                  {"1|1"},
                  "T_SFC_CUTTER_NO_PER_OP"}),
    [](const auto& info) { return std::string(info.param.name); });

// A signoff whose operation points at no operation per traveler cannot build its text.
TEST_F(CribPlantOnAccess, SignoffOfAMissingTravelerOperationFailsWhenItsTextIsBuilt) {
    std::string strError;
    ASSERT_TRUE(MigrateData(strError, db::Dialect::Access, mdc::ShiftSummaryTransfers())) << strError;
    plant.Database().Run(
        {"DELETE FROM T_SFC_FAS", "UPDATE T_TRNK_OPSPERTRAV SET SFC_ID = 99 WHERE OPSPERTRAV_ID = 3"});
    EXPECT_FALSE(RunTransfer("MigrateFirstArticleSignoffs", db::Dialect::Access, strError));
    EXPECT_EQ(strError,
              "Migrating First Article Signoffs: Either BOF or EOF is True, or the current record has been "
              "deleted. "
              "Requested operation requires a current record.");
    EXPECT_THAT(plant.Rows("select FAS_ID, OP_PER_TRAV_ID from T_SFC_FAS"), ElementsAre("3|3"));
}

// The signoff text ends with the alternate line only when the traveler has one above 0.
TEST_F(CribPlantOnAccess, SignoffTextNamesTheAlternateLineOnlyAboveZero) {
    plant.Database().Run({"UPDATE T_TRNK_TRAVELER SET ALT_NUM = 0 WHERE TRAVELER_ID = 2",
                          "UPDATE T_TRNK_TRAVELER SET ALT_NUM = NULL WHERE TRAVELER_ID = 4"});
    std::string strError;
    ASSERT_TRUE(MigrateData(strError, db::Dialect::Access, mdc::ShiftSummaryTransfers())) << strError;
    EXPECT_THAT(
        plant.Rows("select NOTES from T_SFC_FAS"),
        ElementsAre("E1 - Ann Smith performed a First Article Signoff on Operation OP10 - Turn of Traveler "
                    "TR-1 - Shaft route rev B",
                    "E2 -  Jones performed a First Article Signoff on Operation OP10 - Turn of Traveler "
                    "TR-2 - Gear route rev "));
}

}  // namespace
}  // namespace tmigration::transfer
