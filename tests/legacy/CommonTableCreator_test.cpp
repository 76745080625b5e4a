// The Common creator: the create path with every reference row, a second run that finds nothing
// to do, the refresh of each seeded table from an older revision marker, the fixes of older minor
// versions, the rollback of a create path that fails part-way, and other major versions.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>

#include "CreatedDatabases.h"
#include "legacy/TableCreators.h"
#include "ui/RecordingRenderer.h"

namespace tmigration::legacy {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;

std::string DialectCaseName(const ::testing::TestParamInfo<db::Dialect>& info) {
    return info.param == db::Dialect::Access   ? "Access"
           : info.param == db::Dialect::Oracle ? "Oracle"
                                               : "SQL";
}

struct Check {
    const char* query;  // its first column of its first row
    const char* expected;
};

class CommonCreator : public testing::SharedStateTest, public ::testing::WithParamInterface<db::Dialect> {
  protected:
    std::string Scalar(const std::string& sql) const { return database.Scalar(sql, GetParam()); }
    void ExpectAll(std::initializer_list<Check> checks) const {
        for (const Check& c : checks) EXPECT_EQ(Scalar(c.query), c.expected) << c.query;
    }
    bool Setup(std::string& strError) {
        switch (GetParam()) {
            case db::Dialect::Access:
                return CAccessCommonTableCreator().SetupDatabase(strError);
            case db::Dialect::Oracle:
                return COracleCommonTableCreator().SetupDatabase(strError);
            case db::Dialect::SqlServer:
                return CSQLCommonTableCreator().SetupDatabase(strError);
        }
        return false;
    }
    // A database the Common creator made, at `version` with the revision markers given.
    void StartFrom(const std::string& version, const std::vector<std::string>& statements = {}) {
        testing::CopyCreatedDatabase(database, GetParam(), testing::Created::Common);
        database.OpenShared(GetParam());
        database.Run(
            {"UPDATE T_TRNK_COMMON SET RESERVED0 = '" + version + "', RESERVED11 = '344' WHERE APP_ID = 0"});
        database.Run(statements);
    }
    testing::SharedDatabase database;
};

TEST_P(CommonCreator, CreatesTheTablesVersionRowsAndEveryReferenceRowInOneTransaction) {
    database.OpenShared(GetParam());
    ui::testing::ScopedRecordingRenderer recorder;
    std::string strError;
    ASSERT_TRUE(Setup(strError)) << strError;
    for (const char* text :
         {"Updating Old Common Tables...", "Filling Old Common Table...", "Filling Old PType Table...",
          "Filling Old Subtype Table...", "Filling Old Command Table...", "Filling Old Downtime Table...",
          "Filling Old Scrap Code Table...", "Filling Old Status Table...", "Filling Old User Type Table...",
          "Filling Old SID Table...", "Filling Old User Group Table...",
          "Filling Old Security Objects Table...", "Filling Old API Function Table..."})
        EXPECT_THAT(recorder.log.infoSeen, Contains(text));
    EXPECT_EQ(database.Tables().size(), 69u);
    ExpectAll({
        // Every seeded table holds its block; the reserved rows follow the defined ones.
        {"select count(*) from T_TRNK_PTYPE", "512"},
        {"select count(*) from T_TRNK_STATUS", "512"},
        {"select count(*) from T_TRNK_SUBTYPE", "512"},
        {"select count(*) from T_TRNK_COMMANDS", "512"},
        {"select count(*) from T_TRNK_DOWNTIME", "512"},
        {"select count(*) from T_TRNK_SCRAP_CODE", "512"},
        {"select count(*) from T_TRNK_OBJECT", "8192"},
        {"select count(*) from T_TRNK_API_FUNCTION where FUNCTION_VERSION = 1 and FUNCTION_ID = "
         "API_FUNCTION_ID",
         "344"},
        {"select count(*) from T_TRNK_USERTYPE", "6"},
        {"select PTYPE_NAME from T_TRNK_PTYPE where PTYPE_ID = 43", "Tarnwick MDC"},
        {"select PTYPE_NAME from T_TRNK_PTYPE where PTYPE_ID = 60", "Boolean"},
        {"select PTYPE_NAME from T_TRNK_PTYPE where PTYPE_ID = 61", "Reserved61"},
        // The blank before the comma of status 47 is trimmed; empty values are Null, "0" is 0.
        {"select STATUS_NAME from T_TRNK_STATUS where STATUS_ID = 47", "IRR Review of Conditional Use"},
        {"select STATUS_NUMBER from T_TRNK_STATUS where STATUS_ID = 70", "RWK_CAL_FAIL"},
        {"select INTERNALFLAG from T_TRNK_STATUS where STATUS_ID = 1", "0"},
        {"select INTERNALFLAG from T_TRNK_STATUS where STATUS_ID = 4", "NULL"},
        {"select STATUS_NAME from T_TRNK_STATUS where STATUS_ID = 512", "Reserved512"},
        {"select count(*) from T_TRNK_STATUS where STATUS_ID > 85 and PTYPE_ID = 1 and STATUS_NUMBER IS NULL "
         "and DETAILS IS NULL and INTERNALFLAG IS NULL",
         "427"},
        {"select PTYPE_ID from T_TRNK_SUBTYPE where SUBTYPE_ID = 14", "4"},
        {"select SUBTYPE_NUMBER from T_TRNK_SUBTYPE where SUBTYPE_ID = 14", "NULL"},
        {"select RES_ID from T_TRNK_SUBTYPE where SUBTYPE_ID = 160", "8"},
        {"select RES_ID from T_TRNK_SUBTYPE where SUBTYPE_ID = 263", "5391"},
        {"select SUBTYPE_NAME from T_TRNK_SUBTYPE where SUBTYPE_ID = 263", "API Functions"},
        {"select count(*) from T_TRNK_SUBTYPE where SUBTYPE_ID > 263 and PTYPE_ID = 1 and RES_ID IS NULL",
         "249"},
        {"select COMMAND_NAME from T_TRNK_COMMANDS where COMMAND_ID = 13", "Operation Time"},
        {"select COMMAND_NUMBER from T_TRNK_COMMANDS where COMMAND_ID = 14", "Res. 14"},
        {"select COMMAND_NAME from T_TRNK_COMMANDS where COMMAND_ID = 14", "NULL"},
        {"select PTYPE_ID from T_TRNK_DOWNTIME where DOWNTIME_ID = 4", "5"},
        {"select DOWNTIME_NAME from T_TRNK_DOWNTIME where DOWNTIME_ID = 11", "Other User Unplanned"},
        {"select PLANNED from T_TRNK_DOWNTIME where DOWNTIME_ID = 12", "1"},
        {"select SCRAP_CODE_NAME from T_TRNK_SCRAP_CODE where SCRAP_CODE_ID = 1", "Not Specified"},
        {"select SCRAP_CODE_NUMBER from T_TRNK_SCRAP_CODE where SCRAP_CODE_ID = 512", "Res. 512"},
        {"select USERTYPE_NAME from T_TRNK_USERTYPE where USERTYPE_ID = 5 and PTYPE_ID = 12",
         "Manufacturing Engineer"},
        // The four administrator groups took SIDs 1..4 from the allocator.
        {"select NEXT_SID from T_TRNK_SID", "5"},
        {"select SID from T_TRNK_USERGROUP where USERGROUP_NAME = 'MDC Administrator'", "4"},
        {"select SID from T_TRNK_USERGROUP where USERGROUP_NAME = 'Gage Crib Administrator'", "2"},
        // Each product's block of security objects is reserved for it.
        {"select OBJECT_NAME from T_TRNK_OBJECT where OBJECT_ID = 2048", "Reserved for Traveler2048"},
        {"select OBJECT_NAME from T_TRNK_OBJECT where OBJECT_ID = 2049", "Reserved for Gage Crib2049"},
        {"select OBJECT_NAME from T_TRNK_OBJECT where OBJECT_ID = 4096", "Reserved for Gage Crib4096"},
        {"select OBJECT_NAME from T_TRNK_OBJECT where OBJECT_ID = 4097", "Reserved for Tool Crib4097"},
        {"select OBJECT_NAME from T_TRNK_OBJECT where OBJECT_ID = 6144", "Reserved for Tool Crib6144"},
        {"select OBJECT_NAME from T_TRNK_OBJECT where OBJECT_ID = 6145", "Reserved for MDC6145"},
        {"select OBJECT_NAME from T_TRNK_OBJECT where OBJECT_ID = 8192", "Reserved for MDC8192"},
        {"select count(*) from T_TRNK_OBJECT where OBJECT_ID <= 2048 and PTYPE_ID = 40 and CATEGORY = 0 and "
         "ORDINAL = 0 and RES_ID IS NULL",
         "2048"},
        {"select count(*) from T_TRNK_OBJECT where OBJECT_ID > 6144 and PTYPE_ID = 43", "2048"},
        // The version rows.
        {"select count(*) from T_TRNK_COMMON", "5"},
        {"select RESERVED0 from T_TRNK_COMMON where APP_ID = 0", "61.132"},
        {"select RESERVED7 from T_TRNK_COMMON where APP_ID = 0", "171"},
        {"select RESERVED10 from T_TRNK_COMMON where APP_ID = 0", "1"},
        {"select RESERVED0 from T_TRNK_COMMON where APP_ID = 31 and INSTALLED = 'N' and COMMON_ID = 4",
         "9.114"},
        {"select RESERVED0 from T_TRNK_COMMON where APP_ID = 21", "17.36"},
    });
}

TEST_P(CommonCreator, ACurrentDatabaseIsLeftUntouched) {
    StartFrom("61.132");
    std::string strError;
    ASSERT_TRUE(Setup(strError)) << strError;
    EXPECT_EQ(database.sent, (std::vector<std::string>{"select * from T_TRNK_PTYPE",
                                                       "select * from T_TRNK_COMMON  where APP_ID = 0"}));
    EXPECT_FALSE(core::gConnection().Session().InTransaction());
}

struct RefreshCase {
    const char* name;
    const char* marker;  // column = stored value, or "COL = Null"
    std::vector<std::string> damage;
    std::vector<Check> expected;
};

class CommonRefresh : public CommonCreator {};

// From minor 131 on no minor fix runs, so only the table whose marker is stale is rewritten.
TEST_P(CommonRefresh, RewritesTheDefinedRowsInPlaceFromTheStoredRevision) {
    for (const RefreshCase& c : {
             RefreshCase{
                 "Commands",
                 "RESERVED8 = '11'",
                 {"UPDATE T_TRNK_COMMANDS SET COMMAND_NAME = 'x' WHERE COMMAND_ID IN (11, 12, 13, 14)"},
                 {{"select COMMAND_NAME from T_TRNK_COMMANDS where COMMAND_ID = 11", "x"},
                  {"select COMMAND_NAME from T_TRNK_COMMANDS where COMMAND_ID = 12", "Part Time"},
                  {"select COMMAND_NUMBER from T_TRNK_COMMANDS where COMMAND_ID = 13", "440"},
                  {"select COMMAND_NAME from T_TRNK_COMMANDS where COMMAND_ID = 14", "x"}}},
             RefreshCase{"CommandsNeverTracked",
                         "RESERVED8 = Null",
                         {"UPDATE T_TRNK_COMMANDS SET COMMAND_NAME = 'x' WHERE COMMAND_ID IN (1, 14)"},
                         {{"select COMMAND_NAME from T_TRNK_COMMANDS where COMMAND_ID = 1", "Send To CNC"},
                          {"select COMMAND_NAME from T_TRNK_COMMANDS where COMMAND_ID = 14", "x"}}},
             RefreshCase{"Statuses",
                         "RESERVED2 = '80'",
                         {"UPDATE T_TRNK_STATUS SET STATUS_NAME = 'x' WHERE STATUS_ID IN (1, 86)",
                          "UPDATE T_TRNK_STATUS SET INTERNALFLAG = 5 WHERE STATUS_ID = 4"},
                         {{"select STATUS_NAME from T_TRNK_STATUS where STATUS_ID = 1", "Available"},
                          {"select INTERNALFLAG from T_TRNK_STATUS where STATUS_ID = 4", "NULL"},
                          {"select STATUS_NAME from T_TRNK_STATUS where STATUS_ID = 86", "x"}}},
             RefreshCase{"ProductTypes",
                         "RESERVED1 = '59'",
                         {"UPDATE T_TRNK_PTYPE SET PTYPE_NAME = 'x' || PTYPE_ID, PTYPE_NUMBER = 'n' WHERE "
                          "PTYPE_ID IN (1, 60, 61)"},
                         {{"select PTYPE_NAME from T_TRNK_PTYPE where PTYPE_ID = 1", "All"},
                          {"select PTYPE_NAME from T_TRNK_PTYPE where PTYPE_ID = 60", "Boolean"},
                          {"select PTYPE_NUMBER from T_TRNK_PTYPE where PTYPE_ID = 60", "n"},
                          {"select PTYPE_NAME from T_TRNK_PTYPE where PTYPE_ID = 61", "x61"}}},
             RefreshCase{
                 "Subtypes",
                 "RESERVED3 = '262'",
                 {"UPDATE T_TRNK_SUBTYPE SET SUBTYPE_NAME = 'x', RES_ID = 1 WHERE SUBTYPE_ID IN (263, 264)"},
                 {{"select SUBTYPE_NAME from T_TRNK_SUBTYPE where SUBTYPE_ID = 263", "API Functions"},
                  {"select RES_ID from T_TRNK_SUBTYPE where SUBTYPE_ID = 263", "5391"},
                  {"select SUBTYPE_NAME from T_TRNK_SUBTYPE where SUBTYPE_ID = 264", "x"}}},
             RefreshCase{"Downtime",
                         "RESERVED9 = '9'",
                         {"UPDATE T_TRNK_DOWNTIME SET DOWNTIME_NAME = 'x' WHERE DOWNTIME_ID IN (9, 10)"},
                         {{"select DOWNTIME_NAME from T_TRNK_DOWNTIME where DOWNTIME_ID = 9", "x"},
                          {"select DOWNTIME_NAME from T_TRNK_DOWNTIME where DOWNTIME_ID = 10",
                           "Other User Planned"}}},
             RefreshCase{
                 "ScrapCodes",
                 "RESERVED10 = Null",
                 {"UPDATE T_TRNK_SCRAP_CODE SET SCRAP_CODE_NAME = 'x' WHERE SCRAP_CODE_ID IN (1, 2)"},
                 {{"select SCRAP_CODE_NAME from T_TRNK_SCRAP_CODE where SCRAP_CODE_ID = 1", "Not Specified"},
                  {"select SCRAP_CODE_NAME from T_TRNK_SCRAP_CODE where SCRAP_CODE_ID = 2", "x"}}},
             RefreshCase{
                 "ApiFunctionsAddsTheMissingOnes",
                 "RESERVED11 = Null",
                 {"DELETE FROM T_TRNK_API_FUNCTION WHERE FUNCTION_ID > 200",
                  "UPDATE T_TRNK_API_FUNCTION SET FUNCTION_VERSION = 0"},
                 {{"select count(*) from T_TRNK_API_FUNCTION where FUNCTION_VERSION = 1", "344"},
                  {"select count(distinct FUNCTION_ID) from T_TRNK_API_FUNCTION", "344"},
                  {"select max(FUNCTION_ID) from T_TRNK_API_FUNCTION where API_FUNCTION_ID <= 200", "200"}}},
         }) {
        SCOPED_TRACE(c.name);
        StartFrom("61.131", c.damage);
        database.Run({std::string("UPDATE T_TRNK_COMMON SET ") + c.marker + " WHERE APP_ID = 0"});
        std::string strError;
        ASSERT_TRUE(Setup(strError)) << strError;
        for (const Check& check : c.expected) EXPECT_EQ(Scalar(check.query), check.expected) << check.query;
        EXPECT_EQ(
            Scalar("select RESERVED0 || '/' || RESERVED1 || '/' || RESERVED2 || '/' || RESERVED3 || '/' || "
                   "RESERVED8 || '/' || RESERVED9 || '/' || RESERVED10 || '/' || RESERVED11 "
                   "from T_TRNK_COMMON where APP_ID = 0"),
            "61.132/60/85/263/13/11/1/344");
        core::gConnectionSlot().reset();
        database.sent.clear();
    }
}

TEST_P(CommonRefresh, OlderMinorVersionsGetTheirFixes) {
    // Minor 97 is below all three fix levels: jobs set to Pending, the downtime rows refilled with
    // their product types (Access and Oracle), and the subtypes refilled (every dialect).
    StartFrom("61.97", {"UPDATE T_TRNK_DOWNTIME SET PTYPE_ID = 6 WHERE DOWNTIME_ID IN (5, 513)",
                        "INSERT INTO T_TRNK_DOWNTIME (DOWNTIME_NAME, PTYPE_ID) VALUES ('Later', 6)",
                        "UPDATE T_TRNK_SUBTYPE SET SUBTYPE_NAME = 'x' WHERE SUBTYPE_ID = 1"});
    std::string strError;
    ASSERT_TRUE(Setup(strError)) << strError;
    const bool fixed = GetParam() != db::Dialect::SqlServer;
    const std::string jobs = "UPDATE T_TRNK_JOB SET STATUS_ID = 73 WHERE JOB_ID > 0";
    EXPECT_EQ(std::count(database.sent.begin(), database.sent.end(), jobs), fixed ? 1 : 0);
    ExpectAll({{"select PTYPE_ID from T_TRNK_DOWNTIME where DOWNTIME_ID = 5", fixed ? "5" : "6"},
               {"select PTYPE_ID from T_TRNK_DOWNTIME where DOWNTIME_ID = 513", fixed ? "5" : "6"},
               {"select SUBTYPE_NAME from T_TRNK_SUBTYPE where SUBTYPE_ID = 1", "Straight"},
               {"select RESERVED0 from T_TRNK_COMMON where APP_ID = 0", "61.132"}});
}

TEST_P(CommonRefresh, ARefreshMissingADefinedRowFailsAndRollsBack) {
    StartFrom("61.131", {"UPDATE T_TRNK_COMMON SET RESERVED8 = '11' WHERE APP_ID = 0",
                         "UPDATE T_TRNK_COMMANDS SET COMMAND_NAME = 'x' WHERE COMMAND_ID = 12",
                         "DELETE FROM T_TRNK_COMMANDS WHERE COMMAND_ID = 13"});
    std::string strError;
    EXPECT_FALSE(Setup(strError));
    EXPECT_THAT(strError, HasSubstr("COMMAND_ID = 13"));
    EXPECT_FALSE(core::gConnection().Session().InTransaction());
    ExpectAll({{"select COMMAND_NAME from T_TRNK_COMMANDS where COMMAND_ID = 12", "x"},
               {"select RESERVED0 from T_TRNK_COMMON where APP_ID = 0", "61.131"}});
}

TEST_P(CommonCreator, AFillerFailingPartWayUndoesTheCreatePath) {
    // The third user type cannot be written: everything before it goes, except on Oracle, where
    // every DDL statement commits on its own, so the tables stay, empty.
    database.OpenShared(GetParam());
    core::gConnection().SetStatementObserver([](const std::string& sql) {
        if (sql.starts_with("INSERT INTO T_TRNK_USERTYPE VALUES(3,")) throw std::runtime_error("disk full");
    });
    std::string strError;
    EXPECT_FALSE(Setup(strError));
    EXPECT_EQ(strError, "disk full");
    EXPECT_FALSE(core::gConnection().Session().InTransaction());
    EXPECT_FALSE(core::frmProgress().Visible());
    if (GetParam() == db::Dialect::Oracle) {
        EXPECT_EQ(database.Tables().size(), 69u);
        ExpectAll({{"select count(*) from T_TRNK_PTYPE", "0"}, {"select count(*) from T_TRNK_COMMON", "0"}});
    } else {
        EXPECT_TRUE(database.Tables().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Dialects, CommonCreator,
                         ::testing::Values(db::Dialect::Access, db::Dialect::Oracle, db::Dialect::SqlServer),
                         DialectCaseName);
INSTANTIATE_TEST_SUITE_P(Dialects, CommonRefresh,
                         ::testing::Values(db::Dialect::Access, db::Dialect::Oracle, db::Dialect::SqlServer),
                         DialectCaseName);

}  // namespace
}  // namespace tmigration::legacy
