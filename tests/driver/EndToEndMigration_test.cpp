// A database holding every module's legacy tables, in each dialect: migrated end to end through
// the component, and stopped in the mapping-column and removal steps.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "SharedDatabase.h"
#include "schema/DeleteOldTables.h"
#include "schema/NewSchemaTables.h"
#include "schema/RemovalStatements.h"
#include "tmigration/CDatabaseMigrationObj.h"
#include "transfer/PrepareOldTables.h"
#include "transfer/PrepareStatements.h"
#include "ui/RecordingRenderer.h"

namespace tmigration::driver {
namespace {

using ::testing::Contains;
using ::testing::ElementsAreArray;

struct DialectCase {
    const char* name;
    db::Dialect dialect;
    bool (CDatabaseMigrationObj::*entry)(std::string, std::string&);
    const char* provider;
    const char* finalLevel;
};

std::ostream& operator<<(std::ostream& os, const DialectCase& c) {
    return os << c.name;
}

ino_t Inode(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

class LegacyDatabase : public testing::SharedStateTest, public ::testing::WithParamInterface<DialectCase> {
  protected:
    void SetUp() override {
        database.OpenShared(GetParam().dialect);
        database.CreateInstalledLegacyDatabase(GetParam().dialect);
    }
    std::string Count(const std::string& from) const {
        return database.Scalar("select count(*) from " + from, GetParam().dialect);
    }
    testing::SharedDatabase database;
};

TEST_P(LegacyDatabase, MigratesToTheSeededNewSchemaAndThePlaceholderTableOnly) {
    core::gConnectionSlot().reset();
    const ino_t before = Inode(database.Path());
    ui::testing::ScopedRecordingRenderer recorder;
    std::string strError = "kept";
    {
        CDatabaseMigrationObj object;
        const std::string connection =
            std::string("Provider=") + GetParam().provider + ";Data Source=" + database.Path() + ";";
        ASSERT_TRUE((object.*GetParam().entry)(connection, strError)) << strError;
    }
    EXPECT_EQ(strError, "kept");
    for (const char* step : {"Preparing Old Tables For Migration...", "Creating New Data Tables...",
                             "Deleting Old Data Tables..."})
        EXPECT_THAT(recorder.log.infoSeen, Contains(step));

    std::vector<std::string> expected{"T_TRNK_PTYPE"};
    for (const auto& table : schema::NewSchemaTables()) expected.emplace_back(table.name);
    std::sort(expected.begin(), expected.end());
    EXPECT_THAT(database.Tables(), ElementsAreArray(expected));
    EXPECT_EQ(Count("T_TRNK_PTYPE"), "0");

    const std::string item = "T_SFC_DB_ITEM where DB_ITEM_VALUE = ";
    EXPECT_EQ(Count(item + GetParam().finalLevel + " and DB_ITEM_CODE = 1"), "1");
    // The installation gave its four administrator groups ids 1 to 4; the crib administrators took 5,
    // so the next free security id is 6.
    EXPECT_EQ(Count(item + "6 and DB_ITEM_CODE = 2"), "1");
    EXPECT_EQ(Count(item + "1 and DB_ITEM_CODE = 3"), "1");
    EXPECT_EQ(Count("T_SFC_OBJECT"), "740");
    EXPECT_EQ(Count("T_SFC_API_FUNCTION where FUNCTION_VERSION = 2"), "344");
    // The built-in commands merge into the seeded ones, each keeping its legacy key.
    EXPECT_EQ(Count("T_SFC_COMMAND"), "14");
    EXPECT_EQ(Count("T_SFC_COMMAND where TARNWICK_ID = 14"), "1");
    EXPECT_EQ(Count("T_SFC_USERGROUP"), "3");
    EXPECT_EQ(Count("T_SFC_SCRAP_CODE where SCRAP_CODE_NUMBER = 100"), "1");
    EXPECT_EQ(Count("T_SFC_OPTION where APP_CODE = 2"), "2");

    // Access: the compacted copy took the file's place and the temporary file is gone.
    EXPECT_EQ(Inode(database.Path()) != before, GetParam().dialect == db::Dialect::Access);
    EXPECT_FALSE(std::filesystem::exists(database.Dir().File("plant1.mdb")));
}

TEST_P(LegacyDatabase, MappingColumnAlreadyThereStopsThePreparationWithTheDatabasesMessage) {
    const auto& statements = transfer::PrepareStatements(GetParam().dialect);
    database.Run({statements[1]});
    core::frmProgress().Show();
    std::string strError, again;
    EXPECT_FALSE(transfer::PrepareOldTables(GetParam().dialect, strError));
    EXPECT_EQ(database.sent, std::vector<std::string>(statements.begin(), statements.begin() + 2));
    EXPECT_FALSE(core::ExecuteSQL(statements[1], again));
    EXPECT_EQ(strError, again);
    EXPECT_EQ(core::frmProgress().lblPercent().Caption, "1%");
    EXPECT_TRUE(core::frmProgress().Visible());
}

TEST_P(LegacyDatabase, RemovalFailingAtStatement305ReportsItAndRollsBack) {
    // Statement 305 drops the first legacy table, on Oracle its sequence. Oracle commits every DDL
    // statement on its own, so there the foreign keys already dropped stay dropped.
    const bool oracle = GetParam().dialect == db::Dialect::Oracle;
    database.Run(oracle
                     ? std::vector<std::string>{"DROP SEQUENCE S_TRNK_GAUGES"}
                     : std::vector<std::string>{"CREATE TABLE T_GAUGE_USE (GAUGE_ID INTEGER)",
                                                "ALTER TABLE T_GAUGE_USE ADD CONSTRAINT FK_GAUGE_USE FOREIGN "
                                                "KEY (GAUGE_ID) REFERENCES T_TRNK_GAUGES (GAUGE_ID)"});
    const auto tablesBefore = database.Tables();
    core::frmProgress().Show();
    std::string strError, again;
    EXPECT_FALSE(schema::DeleteOldTables(GetParam().dialect, strError));
    const std::string prefix = "An error occurred on SQL String 305:\r\n";
    EXPECT_THAT(strError, ::testing::StartsWith(prefix));
    EXPECT_GT(strError.size(), prefix.size());
    EXPECT_FALSE(core::gConnection().Session().InTransaction());
    EXPECT_FALSE(core::frmProgress().Visible());
    EXPECT_EQ(database.Tables(), tablesBefore);
    EXPECT_EQ(core::ExecuteSQL(schema::RemovalStatements(GetParam().dialect).front(), again), !oracle)
        << again;
}

INSTANTIATE_TEST_SUITE_P(
    Dialects, LegacyDatabase,
    ::testing::Values(
        DialectCase{"Access", db::Dialect::Access, &CDatabaseMigrationObj::MigrateAccess,
                    "Microsoft.Jet.OLEDB.4.0", "1554"},
        DialectCase{"Oracle", db::Dialect::Oracle, &CDatabaseMigrationObj::MigrateOracle, "SQLite", "1653"},
        DialectCase{"SQL", db::Dialect::SqlServer, &CDatabaseMigrationObj::MigrateSQL, "SQLite", "1554"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tmigration::driver
