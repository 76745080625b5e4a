// The new-schema build stopped by a failing statement or item update: the statement's number in
// the error text, the window hidden, the transaction rolled back, item 1 at the last statement
// that completed.
#include "schema/CreateNewTables.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>

#include "SharedDatabase.h"

namespace tmigration::schema {
namespace {

struct FailureCase {
    const char* name;
    db::Dialect dialect;
    const char* conflict;  // an object created beforehand; null: the first item update fails instead
    int failingStatement;
    const char* itemOne;
    std::vector<std::string> tablesAfter;
};

std::ostream& operator<<(std::ostream& os, const FailureCase& c) {
    return os << c.name;
}

class CreateNewTablesFailure : public testing::SharedStateTest,
                               public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CreateNewTablesFailure, LeavesItemOneAtTheLastCompletedStatement) {
    const FailureCase& c = GetParam();
    testing::SharedDatabase database;
    db::Connection& connection = database.OpenShared(c.dialect);
    if (c.conflict)
        database.Run({c.conflict});
    else
        connection.SetStatementObserver([](const std::string& sql) {
            if (sql.starts_with("select * from T_SFC_DB_ITEM")) throw std::runtime_error("injected");
        });
    core::frmProgress().Show();
    std::string strError;
    EXPECT_FALSE(CreateNewTables(c.dialect, strError));
    EXPECT_THAT(strError, ::testing::StartsWith("An error occurred on SQL String " +
                                                std::to_string(c.failingStatement) + ":\r\n"));
    EXPECT_THAT(strError, ::testing::EndsWith(c.conflict ? "already exists" : "\ninjected"));
    EXPECT_FALSE(connection.Session().InTransaction());
    EXPECT_FALSE(core::frmProgress().Visible());
    EXPECT_EQ(database.Scalar("select DB_ITEM_VALUE from T_SFC_DB_ITEM where DB_ITEM_CODE = 1", c.dialect),
              c.itemOne);
    EXPECT_EQ(database.Tables(), c.tablesAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CreateNewTablesFailure,
    ::testing::Values(FailureCase{"AccessStatement1",
                                  db::Dialect::Access,
                                  "CREATE TABLE T_SFC_DB_ITEM (DB_ITEM_CODE INTEGER, DB_ITEM_VALUE INTEGER)",
                                  1,
                                  "<no row>",
                                  {"T_SFC_DB_ITEM"}},
                      FailureCase{"AccessStatement3",
                                  db::Dialect::Access,
                                  "CREATE TABLE T_SFC_ACL (ACL_ID INTEGER)",
                                  3,
                                  "2",
                                  {"T_SFC_ACL", "T_SFC_DB_ITEM"}},
                      FailureCase{"OracleStatement5",
                                  db::Dialect::Oracle,
                                  "CREATE TABLE T_SFC_ACL (ACL_ID INTEGER)",
                                  5,
                                  "4",
                                  {"T_SFC_ACL", "T_SFC_DB_ITEM"}},
                      // A statement and its item update are one transaction: the table goes with the update.
                      FailureCase{
                          "SqlItemUpdate", db::Dialect::SqlServer, nullptr, 3, "2", {"T_SFC_DB_ITEM"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tmigration::schema
