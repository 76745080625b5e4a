// History, cutter and insert history, maintenance history, attachments, format strings and options
// on hand-made legacy rows whose referenced rows already carry their new keys: the whole rows each
// destination holds afterwards, the batches read, and the failures each transfer reports.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TransferDatabase.h"
#include "core/SharedProgressWindow.h"
#include "transfer/MigrateData.h"

namespace tmigration::transfer {
namespace {

using db::Value;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

const Value kNull;
const Value kMonday = db::DateTime{2021, 5, 3, 8, 0, 0};

class HistoryPlant : public testing::SharedStateTest {
  protected:
    // Referenced rows with the new keys their transfers gave them; a row with a Null key was
    // filtered out of its transfer.
    HistoryPlant() {
        // The reference rows the legacy foreign keys ask for: product types, a status, the subtypes
        // that name cutter and insert history's tables and actions, a gage and a tool type.
        plant.Insert("T_TRNK_PTYPE", "PTYPE_ID, PTYPE_NAME",
                     {{4, "Gage Crib"}, {5, "MDC"}, {8, "Tool Crib"}});
        plant.Insert("T_TRNK_STATUS", "STATUS_ID, STATUS_NAME", {{1, "Released"}});
        std::vector<std::vector<Value>> subtypes;
        for (int id : {4, 11, 75, 120, 156, 179}) subtypes.push_back({id, "Subtype " + std::to_string(id)});
        plant.Insert("T_TRNK_SUBTYPE", "SUBTYPE_ID, SUBTYPE_NAME", subtypes);
        plant.Insert("T_TRNK_TOOL_TYPE", "TOOL_TYPE_ID, TOOL_TYPE", {{1, "Drill"}, {2, "Tap"}});
        plant.Insert("T_TRNK_GAUGE_TYPE", "GAUGE_TYPE_ID, GAUGE_TYPE", {{2, "Plug"}});
        plant.Insert("T_TRNK_PERS", "PERSONNEL_ID, LAST_NAME, PERSONNEL_NUMBER, SID, SFC_ID",
                     {{1, "Smith", "E1", 5001, 11}, {2, "Jones", "E2", 5002, kNull}});
        plant.Insert("T_TRNK_MACHINES", "MACHINE_ID, MACHINE_NAME, SFC_ID", {{4, "Lathe", 44}});
        plant.Insert("T_TRNK_REASON", "REASON_ID, REASON_NAME, SFC_ID", {{2, "Worn", 22}});
        plant.Insert("T_TRNK_PARTTYPE", "PARTTYPE_ID, PARTTYPE_NAME", {{1, "Machined"}});
        plant.Insert("T_TRNK_PART", "PART_ID, PART_NAME, PARTTYPE_ID, SFC_ID",
                     {{5, "Shaft", 1, 50}, {6, "Gear", 1, kNull}});
        plant.Insert("T_TRNK_TRAVELER", "TRAVELER_ID, PART_ID, STATUS_ID, SFC_ID", {{3, 5, 1, 30}});
        plant.Insert("T_TRNK_LOCATION", "LOCATION_ID, LOCATION_NAME, PTYPE_ID, SFC_ID",
                     {{7, "Cell", 5, 70}, {8, "Crib", 4, 80}});
        plant.Insert("T_TRNK_CUTTER_NO", "CUTTER_NO_ID, SFC_ID", {{2, 20}});
        // The new rows those keys stand for, as far as the new schema's foreign keys ask.
        plant.Insert("T_SFC_USER", "USER_ID, USER_NAME", {{11, "E1"}});
        plant.Insert("T_SFC_MACHINE", "MACHINE_ID, MACHINE_NAME", {{44, "Lathe"}});
        plant.Insert("T_SFC_REASON_CODE", "REASON_CODE_ID, REASON_CODE_NAME", {{22, "Worn"}});
        plant.Insert("T_TRNK_INSERT_NO", "INSERT_NO_ID, SFC_ID", {{4, 40}});
    }
    bool Run(std::string_view transfer, std::string& strError) {
        plant.Sent().clear();
        return RunTransfer(transfer, db::Dialect::Access, strError);
    }
    void RunOk(std::string_view transfer) {
        std::string strError;
        ASSERT_TRUE(Run(transfer, strError)) << strError;
    }
    testing::TransferDatabase plant{db::Dialect::Access};
};

TEST_F(HistoryPlant, HistoryTranslatesTargetsAndActionsAndMovesTravelerRecordsOntoTheTraveler) {
    plant.Insert(
        "T_TRNK_HISTORY",
        "HISTORY_ID, SUBTYPE_ID, TARGET_ID, ACTION_ID, MODIFIED_BY_ID, HISTORY_DATE, CHILD_COUNT, APP_NAME, "
        "PURGE_NAME, DESCRIPTION",
        {
            {1, 5, 5, 7, 1, kMonday, 0, "TRAVELER", "P-5", "edited"},  // part
            {2, 5, 5, 65, 1, kMonday, 0, "MDC", kNull, kNull},         // action 65 is never read
            {3, 5, 6, 104, 1, kMonday, 0, "MDC", kNull, kNull},        // deleted: kept without target
            {4, 5, 6, 7, 1, kMonday, 0, "MDC", kNull, kNull},          // target gone: passed over
            {5, 43, 3, 29, 1, kMonday, 0, "MDC", kNull, kNull},        // operation of traveler 3
            {6, 3, 3, 29, 1, kMonday, 0, kNull, kNull, kNull},         // the traveler itself
            {7, 96, 7, 36, 1, kMonday, 0, "Tooling", kNull, kNull},    // machine-data location
            {8, 96, 8, 53, 1, kMonday, 0, "MDC", kNull, kNull},        // action 53 only on sub-records
            {9, 4, 5, 7, 1, kMonday, 0, "MDC", kNull, kNull},          // table without a new one
            {10, 157, 3, 53, 1, kMonday, 0, "GAUGING", kNull, kNull},  // cutter of a traveler operation
            {11, 5, 5, 75, 2, kMonday, 0, "TOOLING", kNull, kNull},    // user never transferred
            {12, 96, 8, 36, 1, kMonday, 0, "MDC", kNull, kNull},       // crib location
        });
    RunOk("MigrateHistory");
    const std::string date = "|2021-05-03 08:00:00|";
    EXPECT_THAT(
        plant.Rows("select * from T_SFC_HISTORY"),
        ElementsAre(
            "1|72|50" + date + "19|11|1|P-5|NULL|edited", "2|72|NULL" + date + "16|11|2|NULL|NULL|NULL",
            "3|95|30" + date + "16|11|2|NULL|NULL|NULL", "4|95|30" + date + "17|11|3|NULL|NULL|NULL",
            "5|58|70" + date + "9|11|NULL|NULL|NULL|NULL", "6|95|30" + date + "20|11|3|NULL|NULL|NULL",
            "7|72|50" + date + "1|NULL|3|NULL|NULL|NULL", "8|11|80" + date + "9|11|2|NULL|NULL|NULL"));
    EXPECT_THAT(plant.Rows("select HISTORY_ID, SFC_ID from T_TRNK_HISTORY"),
                ElementsAre("1|1", "2|NULL", "3|2", "4|NULL", "5|3", "6|4", "7|5", "8|NULL", "9|NULL", "10|6",
                            "11|7", "12|8"));
}

// Which batches the history reads and where it opens its destination, for ids around the batch size.
struct BoundaryCase {
    const char* name;
    std::vector<int> ids;
    std::vector<std::string> sent;
};

std::ostream& operator<<(std::ostream& os, const BoundaryCase& c) {
    return os << c.name;
}

class HistoryBatches : public HistoryPlant, public ::testing::WithParamInterface<BoundaryCase> {};

std::string HistoryBatch(int first) {
    return "select * from T_TRNK_HISTORY where HISTORY_ID >= " + std::to_string(first) +
           " and HISTORY_ID <= " + std::to_string(first + 99) + " and ACTION_ID <> 65";
}
constexpr const char* kHistoryCount = "select COUNT(HISTORY_ID) as CT  from T_TRNK_HISTORY";
constexpr const char* kHistoryMax = "select MAX(HISTORY_ID) AS MAX_ID  from T_TRNK_HISTORY";
constexpr const char* kHistoryAppend = "select * from T_SFC_HISTORY where HISTORY_ID = 0";

TEST_P(HistoryBatches, ReadsAHundredIdsAtATimeAndSkipsEmptyBatches) {
    std::vector<std::vector<Value>> rows;
    for (int id : GetParam().ids) rows.push_back({id, 5, 5, id == 250 ? 65 : 7, 1, kMonday, 0});
    plant.Insert("T_TRNK_HISTORY",
                 "HISTORY_ID, SUBTYPE_ID, TARGET_ID, ACTION_ID, MODIFIED_BY_ID, HISTORY_DATE, CHILD_COUNT",
                 rows);
    RunOk("MigrateHistory");
    std::vector<std::string> pattern;
    for (const std::string& sql : plant.Sent())
        if (sql.find("HISTORY") != std::string::npos) pattern.push_back(sql);
    EXPECT_THAT(pattern, ElementsAreArray(GetParam().sent));
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, HistoryBatches,
    ::testing::Values(BoundaryCase{"MaxIdOnTheBoundaryIsOneBatch",
                                   {1, 100},
                                   {kHistoryCount, kHistoryMax, HistoryBatch(1), kHistoryAppend}},
                      BoundaryCase{"MaxIdPastTheBoundaryIsTwo",
                                   {1, 101},
                                   {kHistoryCount, kHistoryMax, HistoryBatch(1), kHistoryAppend,
                                    HistoryBatch(101), kHistoryAppend}},
                      BoundaryCase{"GapsAndAnExcludedLastRowOpenNoDestination",
                                   {150, 250},
                                   {kHistoryCount, kHistoryMax, HistoryBatch(1), HistoryBatch(101),
                                    kHistoryAppend, HistoryBatch(201)}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HistoryPlant, CutterAndInsertHistoryKeepsOnlyRowsWhoseTargetAndActionTranslate) {
    plant.Insert(
        "T_TRNK_IC_HISTORY",
        "IC_HISTORY_ID, TABLE_ID, TARGET_ID, ACTION_ID, MODIFIED_BY_ID, HISTORY_DATE, MACHINE_ID, USER_ID, "
        "QTY, NOTES",
        {{1, 156, 2, 75, 1, kMonday, 4, 2, 3, "reground"},
         {2, 120, 4, 179, 2, kMonday, kNull, 1, kNull, kNull},
         {3, 156, 2, 11, 1, kMonday, kNull, kNull, kNull, kNull},  // action without a new one
         {4, 156, 9, 75, 1, kMonday, kNull, kNull, kNull, kNull},  // cutter gone
         {5, 4, 2, 75, 1, kMonday, kNull, kNull, kNull, kNull}});  // table without a new one
    RunOk("MigrateCutterAndInsertHistory");
    EXPECT_THAT(plant.Rows("select * from T_SFC_IC_HISTORY"),
                ElementsAre("1|11|14|20|1|2021-05-03 08:00:00|44|NULL|3|reground",
                            "2|NULL|40|40|8|2021-05-03 08:00:00|NULL|11|NULL|NULL"));
    EXPECT_THAT(plant.Rows("select IC_HISTORY_ID, SFC_ID from T_TRNK_IC_HISTORY"),
                ElementsAre("1|1", "2|2", "3|NULL", "4|NULL", "5|NULL"));
}

TEST_F(HistoryPlant, MaintenanceHistoryTranslatesItsReasonMachineAndUser) {
    const Value stop = db::DateTime{2021, 5, 3, 9, 30, 0};
    plant.Insert("T_TRNK_MAINTENANCE_HISTORY",
                 "MAINTENANCE_HISTORY_ID, CHART_DATE, REASON_ID, MACHINE_ID, USER_ID, DURATION, START_TIME, "
                 "STOP_TIME, NOTES",
                 {{3, kMonday, 2, 4, 1, 1.5, kMonday, stop, "oil"},
                  {9, kNull, kNull, kNull, 2, kNull, kNull, kNull, kNull}});
    RunOk("MigrateMaintenanceHistory");
    EXPECT_THAT(plant.Rows("select * from T_SFC_MAINTENANCE_HISTORY"),
                ElementsAre("1|2021-05-03 08:00:00|22|44|11|1.5|2021-05-03 08:00:00|2021-05-03 09:30:00|oil",
                            "2|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL"));
    EXPECT_THAT(plant.Rows("select MAINTENANCE_HISTORY_ID, SFC_ID from T_TRNK_MAINTENANCE_HISTORY"),
                ElementsAre("3|1", "9|2"));
}

TEST_F(HistoryPlant, AttachedFilesKeepTheirPathAndTranslateTheirKind) {
    plant.Insert("T_TRNK_MEDIASRC", "MEDIASRC_ID, FILEPATHNAME, PTYPE_ID",
                 {{1, "\\\\srv\\a.pdf", 56}, {2, "c:\\O'Neil b.dwg", 57}, {4, "d.txt", 58}});
    RunOk("MigrateAttachments");
    EXPECT_THAT(plant.Rows("select * from T_SFC_ATTACHMENT_SRC"),
                ElementsAre("1|\\\\srv\\a.pdf|0", "2|c:\\O'Neil b.dwg|1", "3|d.txt|NULL"));
    EXPECT_THAT(plant.Rows("select MEDIASRC_ID, SFC_ID from T_TRNK_MEDIASRC"),
                ElementsAre("1|1", "2|2", "4|3"));
}

class AttachmentPlant : public HistoryPlant {
  protected:
    AttachmentPlant() {
        plant.Insert("T_SFC_ATTACHMENT_SRC", "ATTACHMENT_SRC_ID, FULL_PATH", {{101, "a.pdf"}});
        plant.Insert("T_TRNK_MEDIASRC", "MEDIASRC_ID, FILEPATHNAME, PTYPE_ID, SFC_ID",
                     {{1, "a.pdf", 56, 101}});
        plant.Insert("T_TRNK_TOOL_SUBTYPE", "TOOL_SUBTYPE_ID, TOOL_SUBTYPE_NAME, TOOL_TYPE_ID, SFC_ID",
                     {{1, "Drill 3mm", 1, 501}, {2, "Drill 5mm", 1, 502}, {3, "Tap", 2, kNull}});
        plant.Insert("T_TRNK_GAUGE_SUBTYPE", "GAUGE_SUBTYPE_ID, GAUGE_SUBTYPE_NAME, GAUGE_TYPE_ID, SFC_ID",
                     {{1, "Plug", 2, 601}});
        // The second new tool type already has two attachments of its own.
        plant.Insert("T_SFC_ATTACHMENT_DEST", "ATTACHMENT_SRC_ID, ORDINAL, TABLE_CODE, TARGET_ID",
                     {{101, 1, 94, 502}, {101, 2, 94, 502}});
    }
};

TEST_F(AttachmentPlant, AttachmentsAreRenumberedPerRecordAndTypeAttachmentsGoToEveryNewType) {
    plant.Insert("T_TRNK_MEDIADEST",
                 "MEDIADEST_ID, MEDIASRC_ID, MEDIA_ORDINAL, TABLE_ID, TARGET_ID, RESTRICTED, MEDIA_TYPE, "
                 "MEDIADEST_NAME, NOTES",
                 {{1, 1, 9, 5, 5, "YES", "WORK", "third", "n"},
                  {2, 1, 2, 5, 5, kNull, kNull, "first", kNull},
                  {3, 1, 5, 5, 5, "yes", "OTHER", "second", kNull},
                  {4, 1, 1, 5, 6, kNull, kNull, "part gone", kNull},
                  {5, 1, 1, 200, 5, kNull, kNull, "no new table", kNull},
                  {6, 1, 4, 96, 7, "NO", "SETUP", "cell", kNull},
                  {7, 1, 1, 67, 1, kNull, "BOTH", "drill sheet", kNull},
                  {8, 1, 1, 55, 2, "YES", kNull, "plug sheet", kNull},
                  {9, 1, 1, 67, 2, kNull, kNull, "tap sheet", kNull}});
    RunOk("MigrateAttachmentsPerComponents");
    EXPECT_THAT(plant.Rows("select * from T_SFC_ATTACHMENT_DEST"),
                ElementsAre("1|101|NULL|1|94|502|NULL|NULL|NULL", "2|101|NULL|2|94|502|NULL|NULL|NULL",
                            "3|101|first|1|72|50|1|2|NULL", "4|101|second|2|72|50|1|NULL|NULL",
                            "5|101|third|3|72|50|0|0|n", "6|101|cell|1|58|70|1|1|NULL",
                            "7|101|drill sheet|1|94|501|1|2|NULL", "8|101|drill sheet|3|94|502|1|2|NULL",
                            "9|101|plug sheet|1|35|601|0|2|NULL"));
    EXPECT_THAT(plant.Rows("select MEDIADEST_ID, SFC_ID from T_TRNK_MEDIADEST"),
                ElementsAre("1|5", "2|3", "3|4", "4|NULL", "5|NULL", "6|6", "7|NULL", "8|NULL", "9|NULL"));
}

TEST_F(AttachmentPlant, TheOrdinalRunsOnAcrossABatchBoundary) {
    plant.Insert("T_TRNK_MEDIADEST", "MEDIADEST_ID, MEDIASRC_ID, MEDIA_ORDINAL, TABLE_ID, TARGET_ID",
                 {{99, 1, 1, 5, 5}, {100, 1, 2, 5, 5}, {101, 1, 3, 5, 5}, {102, 1, 1, 96, 7}});
    RunOk("MigrateAttachmentsPerComponents");
    EXPECT_THAT(
        plant.Rows("select ORDINAL, TABLE_CODE, TARGET_ID from T_SFC_ATTACHMENT_DEST where TABLE_CODE <> 94"),
        ElementsAre("1|72|50", "2|72|50", "3|72|50", "1|58|70"));
}

TEST_F(HistoryPlant, FormatStringsOfDoneNumberingsWithRenamedFields) {
    plant.Insert("T_TRNK_AUTO_INC", "AUTO_INC_ID, TABLE_ID, IS_DONE, FORMAT_STRING, NEXT_NUMBER, FIELD_NAME",
                 {{1, 222, "Y", "K-##", "12", "KIT_NO"},
                  {2, 54, "N", "G-####", "0412", "GAUGE_NO"},
                  {3, 5, kNull, "P-#", "1", "PART_NUMBER"},
                  {4, 94, "Y", "E#", "7", "SERIAL_NO"},
                  {5, 3, "Y", "T'#", kNull, "TRAVELER_NUMBER"}});
    RunOk("MigrateFormatStrings");
    EXPECT_THAT(plant.Rows("select * from T_SFC_FORMAT_STRING"),
                ElementsAre("1|54|KIT_NO_NUMBER|K-##|12", "2|29|GAGE_NO_NUMBER|G-####|0412",
                            "3|NULL|NULL|E#|7", "4|95|TRAVELER_NUMBER|T'#|NULL"));
    EXPECT_THAT(plant.Rows("select AUTO_INC_ID, SFC_ID from T_TRNK_AUTO_INC"),
                ElementsAre("1|1", "2|2", "3|NULL", "4|3", "5|4"));
    EXPECT_THAT(plant.Sent(),
                ::testing::Contains("select * from T_TRNK_AUTO_INC  where IS_DONE IS NOT NULL"));
    EXPECT_THAT(plant.Sent(),
                ::testing::Contains("select * from T_SFC_FORMAT_STRING where FORMAT_STRING_ID = 0"));
}

TEST_F(HistoryPlant, OptionsOverwriteTheSeededOptionsOfTheSameNumber) {
    plant.Insert("T_TRNK_OPTIONS", "OPTIONS_ID, APP_ID, OPTION_VALUE, RES_ID, PTYPE_ID, BOOL_VAL",
                 {{1, 31, 2, 5102, 5, -1}, {2, 31, 1, 5101, 5, 1}, {3, 31, 7, 5107, 5, 1}});
    RunOk("MigrateOptions");
    EXPECT_THAT(plant.Rows("select * from T_SFC_OPTION"),
                ElementsAre("1|1|2|0|1|NULL|NULL", "2|2|2|0|-1|NULL|NULL"));
    EXPECT_THAT(plant.Rows("select SFC_ID from T_TRNK_OPTIONS"), ElementsAre("NULL", "NULL", "NULL"));
}

// A fault in the legacy or seeded rows, and the message the transfer stops with.
struct HistoryFault {
    const char* name;
    std::string transfer;
    std::vector<std::string> fault;
    std::string error;  // whole text, or the prefix when it ends in ": "
    std::string keptQuery;
    std::vector<std::string> kept;
};

std::ostream& operator<<(std::ostream& os, const HistoryFault& c) {
    return os << c.name;
}

class HistoryFailure : public HistoryPlant, public ::testing::WithParamInterface<HistoryFault> {};

TEST_P(HistoryFailure, StopsWithTheTransfersPrefixAndKeepsTheRowsWritten) {
    const HistoryFault& c = GetParam();
    plant.Insert("T_TRNK_HISTORY",
                 "HISTORY_ID, SUBTYPE_ID, TARGET_ID, ACTION_ID, MODIFIED_BY_ID, HISTORY_DATE, CHILD_COUNT",
                 {{1, 5, 5, 7, 1, kMonday, 0}, {2, 5, 5, 7, 1, kMonday, 0}});
    plant.Insert("T_TRNK_IC_HISTORY",
                 "IC_HISTORY_ID, TABLE_ID, TARGET_ID, ACTION_ID, MODIFIED_BY_ID, HISTORY_DATE",
                 {{1, 156, 2, 75, 1, kMonday}});
    plant.Insert("T_TRNK_MEDIASRC", "MEDIASRC_ID, FILEPATHNAME, PTYPE_ID", {{1, "a", 56}, {2, "b", 57}});
    plant.Insert("T_TRNK_MEDIADEST", "MEDIADEST_ID, MEDIASRC_ID, TABLE_ID, TARGET_ID", {{1, 1, 5, 5}});
    plant.Insert("T_TRNK_AUTO_INC", "AUTO_INC_ID, TABLE_ID, IS_DONE, FIELD_NAME",
                 {{1, 5, "Y", "PART_NUMBER"}});
    plant.Insert("T_TRNK_OPTIONS", "OPTIONS_ID, APP_ID, OPTION_VALUE, RES_ID, PTYPE_ID, BOOL_VAL",
                 {{1, 31, 1, 5101, 5, 1}, {2, 31, 2, 5102, 5, 1}});
    plant.Database().Run(c.fault);
    core::frmProgress().Show();
    std::string strError;
    EXPECT_FALSE(Run(c.transfer, strError));
    if (c.error.ends_with(": ")) {
        EXPECT_THAT(strError, ::testing::StartsWith(c.error));
        EXPECT_GT(strError.size(), c.error.size());
    } else {
        EXPECT_EQ(strError, c.error);
    }
    EXPECT_FALSE(core::frmProgress().Visible());
    EXPECT_THAT(plant.Rows(c.keptQuery), ElementsAreArray(c.kept));
}

constexpr const char* kNullUse = "Invalid use of Null";
constexpr const char* kNoRow =
    "Either BOF or EOF is True, or the current record has been deleted. Requested operation requires a "
    "current "
    "record.";

INSTANTIATE_TEST_SUITE_P(
    Faults, HistoryFailure,
    ::testing::Values(HistoryFault{"HistoryWithoutTableCode",
                                   "MigrateHistory",
                                   {"UPDATE T_TRNK_HISTORY SET SUBTYPE_ID = NULL WHERE HISTORY_ID = 2"},
                                   std::string("Migrating History: ") + kNullUse,
                                   "select TABLE_CODE, TARGET_ID from T_SFC_HISTORY",
                                   {"72|50"}},
                      HistoryFault{"CutterHistoryWithoutAction",
                                   "MigrateCutterAndInsertHistory",
                                   {"UPDATE T_TRNK_IC_HISTORY SET ACTION_ID = NULL"},
                                   std::string("Migrating Cutter and Insert History: ") + kNullUse,
                                   "select * from T_SFC_IC_HISTORY",
                                   {}},
                      HistoryFault{
                          "MaintenanceHistoryDestinationGone",
                          "MigrateMaintenanceHistory",
                          {"INSERT INTO T_TRNK_MAINTENANCE_HISTORY (MAINTENANCE_HISTORY_ID) VALUES (1)",
                           "DROP TABLE T_SFC_MAINTENANCE_HISTORY"},
                          "Migrating Maintenance History: ",
                          "select * from T_TRNK_MAINTENANCE_HISTORY where SFC_ID IS NOT NULL",
                          {}},
                      HistoryFault{"AttachedFileWithoutKind",
                                   "MigrateAttachments",
                                   {"UPDATE T_TRNK_MEDIASRC SET PTYPE_ID = NULL WHERE MEDIASRC_ID = 2"},
                                   std::string("Migrating Attachments: ") + kNullUse,
                                   "select * from T_SFC_ATTACHMENT_SRC",
                                   {"1|a|0"}},
                      HistoryFault{"AttachmentsOfToolTypesWithoutADestination",
                                   "MigrateAttachmentsPerComponents",
                                   {"INSERT INTO T_TRNK_TOOL_SUBTYPE (TOOL_SUBTYPE_ID, TOOL_SUBTYPE_NAME, "
                                    "TOOL_TYPE_ID, SFC_ID) VALUES "
                                    "(1, 'Drill 3mm', 1, 501)",
                                    "UPDATE T_TRNK_MEDIADEST SET TABLE_ID = 67, TARGET_ID = 1",
                                    "DROP TABLE T_SFC_ATTACHMENT_DEST"},
                                   "Migrating Attachments Per Components: ",
                                   "select MEDIADEST_ID from T_TRNK_MEDIADEST where SFC_ID IS NOT NULL",
                                   {}},
                      HistoryFault{"FormatStringWithoutField",
                                   "MigrateFormatStrings",
                                   {"UPDATE T_TRNK_AUTO_INC SET FIELD_NAME = NULL"},
                                   std::string("Migrating Format Strings: ") + kNullUse,
                                   "select * from T_SFC_FORMAT_STRING",
                                   {}},
                      HistoryFault{"SeededOptionMissing",
                                   "MigrateOptions",
                                   {"DELETE FROM T_SFC_OPTION WHERE OPTION_CODE = 2"},
                                   std::string("Migrating Options: ") + kNoRow,
                                   "select OPTION_CODE, BOOL_VAL from T_SFC_OPTION",
                                   {"1|1"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tmigration::transfer
