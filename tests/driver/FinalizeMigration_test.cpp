#include "driver/FinalizeMigration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>

#include "SharedDatabase.h"
#include "schema/RecordSchemaStep.h"

namespace tmigration::driver {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

constexpr const char* kItemQuery = "select * from T_SFC_DB_ITEM  where DB_ITEM_CODE = 1";

struct DialectCase {
    const char* name;
    db::Dialect dialect;
    const char* statement;
    const char* finalLevel;
};

std::ostream& operator<<(std::ostream& os, const DialectCase& c) {
    return os << c.name;
}

class Finalize : public testing::SharedStateTest, public ::testing::WithParamInterface<DialectCase> {
  protected:
    void SetUp() override {
        database.OpenShared(GetParam().dialect);
        core::frmProgress().Show();
    }
    void CreateItemTable(bool withItemOne) {
        database.Run(
            {"CREATE TABLE T_SFC_DB_ITEM (DB_ITEM_ID INTEGER, DB_ITEM_CODE INTEGER, DB_ITEM_VALUE "
             "INTEGER)",
             "INSERT INTO T_SFC_DB_ITEM VALUES (2, 2, 4)"});
        if (withItemOne) database.Run({"INSERT INTO T_SFC_DB_ITEM VALUES (1, 1, 1553)"});
    }
    std::string ItemOne() const {
        return database.Scalar("select DB_ITEM_VALUE from T_SFC_DB_ITEM where DB_ITEM_CODE = 1",
                               GetParam().dialect);
    }
    testing::SharedDatabase database;
    std::string strError = "untouched";
};

TEST_P(Finalize, CreatesThePlaceholderTableAndSetsTheFinalLevel) {
    CreateItemTable(true);
    ASSERT_TRUE(FinalizeMigration(GetParam().dialect, strError)) << strError;
    EXPECT_EQ(strError, "untouched");
    EXPECT_THAT(database.sent, ElementsAre(GetParam().statement, kItemQuery));
    EXPECT_EQ(ItemOne(), GetParam().finalLevel);
    EXPECT_EQ(database.Scalar("select count(*) from T_TRNK_PTYPE", GetParam().dialect), "0");
    EXPECT_EQ(core::frmProgress().lblInfo().Caption, "Finalizing Migration...");
    EXPECT_EQ(core::frmProgress().lblPercent().Caption, "100%");
    EXPECT_TRUE(core::frmProgress().Visible());
}

TEST_P(Finalize, ExistingPlaceholderTableFailsBeforeTheLevelIsWritten) {
    CreateItemTable(true);
    database.Run({GetParam().statement});
    EXPECT_FALSE(FinalizeMigration(GetParam().dialect, strError));
    EXPECT_THAT(strError, StartsWith("Finalizing Migration: "));
    EXPECT_GT(strError.size(), std::string("Finalizing Migration: ").size());
    EXPECT_EQ(ItemOne(), "1553");
    EXPECT_FALSE(core::frmProgress().Visible());
}

TEST_P(Finalize, MissingItemRowFailsAfterTheTableIsCreated) {
    CreateItemTable(false);
    EXPECT_FALSE(FinalizeMigration(GetParam().dialect, strError));
    EXPECT_THAT(strError, StartsWith("Finalizing Migration: "));
    EXPECT_THAT(database.sent, ElementsAre(GetParam().statement, kItemQuery));
    EXPECT_FALSE(core::frmProgress().Visible());
}

INSTANTIATE_TEST_SUITE_P(
    Dialects, Finalize,
    ::testing::Values(
        DialectCase{"Oracle", db::Dialect::Oracle,
                    "CREATE TABLE T_TRNK_PTYPE (PTYPE_ID NUMBER(10,0) NOT NULL PRIMARY KEY)", "1653"},
        DialectCase{"Access", db::Dialect::Access,
                    "CREATE TABLE T_TRNK_PTYPE (PTYPE_ID COUNTER NOT NULL PRIMARY KEY)", "1554"},
        DialectCase{"SqlServer", db::Dialect::SqlServer,
                    "CREATE TABLE T_TRNK_PTYPE (PTYPE_ID INTEGER IDENTITY(1,1) NOT NULL PRIMARY KEY)",
                    "1554"}),
    [](const auto& info) { return std::string(info.param.name); });

class SchemaStep : public testing::SharedStateTest {
  protected:
    void SetUp() override { database.OpenShared(db::Dialect::SqlServer); }
    testing::SharedDatabase database;
};

TEST_F(SchemaStep, WritesItemOneAndLeavesOtherItems) {
    database.Run(
        {"CREATE TABLE T_SFC_DB_ITEM (DB_ITEM_ID INTEGER, DB_ITEM_CODE INTEGER, DB_ITEM_VALUE INTEGER)",
         "INSERT INTO T_SFC_DB_ITEM VALUES (1, 1, 2)", "INSERT INTO T_SFC_DB_ITEM VALUES (2, 2, 4)"});
    std::string strError;
    ASSERT_TRUE(schema::RecordSchemaStep(37, strError)) << strError;
    EXPECT_EQ(database.Scalar("select DB_ITEM_VALUE from T_SFC_DB_ITEM where DB_ITEM_CODE = 1"), "37");
    EXPECT_EQ(database.Scalar("select DB_ITEM_VALUE from T_SFC_DB_ITEM where DB_ITEM_CODE = 2"), "4");
    EXPECT_THAT(database.sent, ElementsAre(kItemQuery));
}

TEST_F(SchemaStep, MissingTableReportsTheDatabaseMessage) {
    std::string strError;
    EXPECT_FALSE(schema::RecordSchemaStep(37, strError));
    EXPECT_THAT(strError, ::testing::HasSubstr("T_SFC_DB_ITEM"));
}

}  // namespace
}  // namespace tmigration::driver
