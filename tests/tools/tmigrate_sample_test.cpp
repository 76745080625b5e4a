#include <gtest/gtest.h>

#include <string>

#include "RunCommand.h"
#include "TempDatabase.h"

namespace tmigration::testing {
namespace {

TEST(TmigrateSample, FillsAnEmptyDatabaseAndSaysHowMuch) {
    TempDatabase db;
    auto r = RunCommand(Tmigrate() + " sample sql '" + db.ConnectionString() + "' --scale 2 --seed 9 2>&1");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out.rfind("sample plant: ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find(" legacy rows in 96 tables and "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" machine-data rows (scale 2, seed 9, SQL Server)\n"), std::string::npos) << r.out;
}

// Bad input ends with a clear message on standard error and exit status 1, leaving no plant behind.
struct BadCall {
    const char* name;
    std::string arguments;  // after "sample"; {db} stands for the connection string of an empty database
    std::string message;
};

class TmigrateSampleRefuses : public ::testing::TestWithParam<BadCall> {};

TEST_P(TmigrateSampleRefuses, WithExitStatusOne) {
    TempDatabase db;
    std::string args = GetParam().arguments;
    if (const auto at = args.find("{db}"); at != std::string::npos)
        args.replace(at, 4, "'" + db.ConnectionString() + "'");
    auto r = RunCommand(Tmigrate() + " sample " + args + " 2>&1 >/dev/null");
    EXPECT_EQ(r.exitCode, 1) << r.out;
    EXPECT_NE(r.out.find(GetParam().message), std::string::npos) << r.out;
    auto tables = RunCommand("echo \"select COUNT(*) AS N from sqlite_master where type = 'table'\" | " +
                             Tmigrate() + " sql access '" + db.ConnectionString() + "'");
    EXPECT_EQ(tables.out, "N\n0\n");
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, TmigrateSampleRefuses,
    ::testing::Values(BadCall{"UnknownDialect", "db2 {db}",
                              "error: unknown dialect 'db2': use access, oracle or sql"},
                      BadCall{"MissingFile", "access 'Provider=SQLite;Data Source=/nonexistent/plant.mdb;'",
                              "error: Could not find file '/nonexistent/plant.mdb'."},
                      BadCall{"ScaleZero", "access {db} --scale 0",
                              "error: --scale must be a whole number from 1 to 1000000, not '0'"},
                      BadCall{"ScaleNotANumber", "access {db} --scale ten", "not 'ten'"},
                      BadCall{"ScaleNegative", "access {db} --scale -3", "not '-3'"},
                      BadCall{"ScaleWithUnit", "access {db} --scale 5k", "not '5k'"},
                      BadCall{"SeedNotANumber", "access {db} --seed x1",
                              "error: --seed must be a whole number of at least 0, not 'x1'"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TmigrateSample, RefusesADatabaseThatAlreadyHoldsAPlant) {
    TempDatabase db;
    const std::string call = Tmigrate() + " sample sql '" + db.ConnectionString() + "'";
    ASSERT_EQ(RunCommand(call + " 2>&1").exitCode, 0);
    auto again = RunCommand(call + " 2>&1");
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.out.find("error: the database is not empty"), std::string::npos) << again.out;
}

// The legacy rows are gone with their tables; finalization creates the product-type table again, empty.
TEST(TmigrateSample, APlantMigratesEndToEnd) {
    TempDatabase db;
    ASSERT_EQ(RunCommand(Tmigrate() + " sample access '" + db.ConnectionString() + "' 2>&1").exitCode, 0);
    auto r = RunCommand(Tmigrate() + " migrate access '" + db.ConnectionString() + "' --progress none 2>&1");
    EXPECT_EQ(r.exitCode, 0) << r.out;
    auto legacy = RunCommand(
        "printf '%s\\n' \"select name from sqlite_master where type = 'table' and name like 'T/_TRNK/_%' "
        "escape "
        "'/'\" \"select COUNT(*) AS N from T_TRNK_PTYPE\" | " +
        Tmigrate() + " sql access '" + db.ConnectionString() + "'");
    EXPECT_EQ(legacy.out, "name\nT_TRNK_PTYPE\nN\n0\n");
}

}  // namespace
}  // namespace tmigration::testing
