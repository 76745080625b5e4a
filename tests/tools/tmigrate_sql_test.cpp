#include <gtest/gtest.h>

#include <fstream>

#include "RunCommand.h"
#include "TempDatabase.h"

namespace tmigration::testing {
namespace {

class TmigrateSql : public ::testing::Test {
  protected:
    CommandResult Sql(const std::string& dialect, const std::string& script) {
        const std::string file = (db_.Dir() / "script.sql").string();
        std::ofstream(file) << script;
        return RunCommand(Tmigrate() + " sql " + dialect + " '" + db_.ConnectionString() + "' " + file +
                          " 2>&1");
    }
    TempDatabase db_;
};

TEST_F(TmigrateSql, PrintsRowsTabSeparatedWithNullsNumbersAndDates) {
    auto r =
        Sql("access",
            "-- a comment\n"
            "CREATE TABLE T_TRNK_X (X_ID COUNTER NOT NULL PRIMARY KEY, N DOUBLE, D DATETIME, S VARCHAR(5))\n"
            "\n"
            "INSERT INTO T_TRNK_X (N, D, S) VALUES (0.1, #1/2/1970 6:00:00 AM#, 'a b')\n"
            "INSERT INTO T_TRNK_X (N) VALUES (2)\n"
            "select * from T_TRNK_X\n");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "X_ID\tN\tD\tS\n1\t0.1\t1970-01-02 06:00:00\ta b\n2\t2\tNULL\tNULL\n");
}

TEST_F(TmigrateSql, TheEnginesOwnSchemaTablesReadAsPlainRows) {
    auto r = Sql("sql",
                 "CREATE TABLE T_TRNK_X (X_ID INTEGER IDENTITY(1,1) PRIMARY KEY)\n"
                 "select name AS LEGACY from sqlite_master where type = 'table' and name like 'T/_TRNK/_%' "
                 "escape '/'\n");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "LEGACY\nT_TRNK_X\n");
}

TEST_F(TmigrateSql, TransactionLinesAndTheFirstFailingStatement) {
    auto r = Sql("sql",
                 "CREATE TABLE T_TRNK_X (X_ID INTEGER IDENTITY(1,1) PRIMARY KEY, S VARCHAR(5))\n"
                 "BEGIN\n"
                 "INSERT INTO T_TRNK_X (S) VALUES ('gone')\n"
                 "ROLLBACK\n"
                 "select COUNT(*) AS CT from T_TRNK_X\n"
                 "select * from T_TRNK_MISSING\n"
                 "select 1 AS NEVER\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "CT\n0\nerror: 6: no such table: T_TRNK_MISSING\n");
}

TEST_F(TmigrateSql, RejectsAnUnknownDialectAndABadConnection) {
    EXPECT_NE(RunCommand(Tmigrate() + " sql db2 'x' /dev/null 2>&1").exitCode, 0);
    auto r = RunCommand(Tmigrate() +
                        " sql oracle 'Provider=SQLite;Data Source=/nonexistent/x.db;' /dev/null 2>&1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "error: Could not find file '/nonexistent/x.db'.\n");
}

}  // namespace
}  // namespace tmigration::testing
