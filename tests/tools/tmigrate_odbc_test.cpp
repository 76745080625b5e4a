// The command line reaches a database through an ODBC driver, and no password it was given ever
// shows in what it prints.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "RunCommand.h"
#include "SqliteOdbcDatabase.h"

namespace tmigration::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST(TmigrateOdbc, SqlRunsStatementsThroughTheDriver) {
    REQUIRE_SQLITE_ODBC();
    SqliteOdbcDatabase db;
    const std::string script = db.Path() + ".sql";
    std::ofstream(script)
        << "CREATE TABLE T_SFC_X (X_ID INTEGER PRIMARY KEY AUTOINCREMENT, NAME VARCHAR(9))\n"
           "BEGIN\n"
           "INSERT INTO T_SFC_X (NAME) VALUES ('a')\n"
           "COMMIT\n"
           "BEGIN\n"
           "INSERT INTO T_SFC_X (NAME) VALUES ('rolled back')\n"
           "ROLLBACK\n"
           "select * from T_SFC_X\n";
    const auto r = RunCommand(Tmigrate() + " sql sql '" + db.ConnectionString() + "' " + script + " 2>&1");
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out, "X_ID\tNAME\n1\ta\n");
}

struct PasswordCase {
    const char* name;
    const char* command;  // the connection string follows
    const char* connection;
};

class PasswordOnTheCommandLine : public ::testing::TestWithParam<PasswordCase> {};

TEST_P(PasswordOnTheCommandLine, NeverShows) {
    REQUIRE_SQLITE_ODBC();
    SqliteOdbcDatabase db;
    std::string connection = GetParam().connection;
    const auto at = connection.find("PATH");
    if (at != std::string::npos) connection.replace(at, 4, db.Path());
    const auto r =
        RunCommand(Tmigrate() + " " + GetParam().command + " '" + connection + "' 2>&1 </dev/null");
    EXPECT_EQ(r.exitCode, 1) << r.out;
    EXPECT_FALSE(r.out.empty());
    EXPECT_THAT(r.out, Not(HasSubstr("Pa55phrase")));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, PasswordOnTheCommandLine,
    ::testing::Values(
        PasswordCase{"MigrateWithAnEchoedDriverName", "migrate sql --progress plain",
                     "Driver={Pa55phrase};UID=sa;PWD=Pa55phrase"},
        PasswordCase{
            "MigrateWithAnOleDbString", "migrate oracle --progress plain",
            "Provider=OraOLEDB.Oracle;Driver={Pa55phrase};Data Source=PLANT;User ID=u;Password=Pa55phrase"},
        // The driver connects; the first legacy statement is not the SQLite driver's dialect.
        PasswordCase{"MigrateFailingAfterConnecting", "migrate sql --progress plain",
                     "Driver=SQLite3;Database=PATH;UID=sa;PWD=Pa55phrase"},
        PasswordCase{"SqlWithAnUnknownDataSource", "sql sql", "DSN=Pa55phrase;PWD=Pa55phrase"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tmigration::testing
