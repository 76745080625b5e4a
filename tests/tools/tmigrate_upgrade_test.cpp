// tmigrate upgrade: brings a database's legacy tables to the last legacy version and stops there.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RunCommand.h"
#include "TempDatabase.h"

namespace tmigration::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

CommandResult Upgrade(const TempDatabase& db, const std::string& dialect) {
    return RunCommand(Tmigrate() + " upgrade " + dialect + " '" + db.ConnectionString() +
                      "' --progress plain 2>&1");
}

std::string Query(const TempDatabase& db, const std::string& sql) {
    return RunCommand("echo \"" + sql + "\" | " + Tmigrate() + " sql access '" + db.ConnectionString() +
                      "' 2>&1")
        .out;
}

TEST(TmigrateUpgrade, CreatesTheMissingModulesOnceAndThenFindsThemCurrent) {
    TempDatabase db;
    auto r = Upgrade(db, "sql");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_THAT(r.out, HasSubstr("Filling Old Security Objects Table..."));
    EXPECT_THAT(r.out, HasSubstr("Initializing Old Traveler Administrator Group..."));
    EXPECT_THAT(r.out, HasSubstr("Creating Old Machine Data Buffers..."));
    EXPECT_THAT(r.out, Not(HasSubstr("Creating New Data Tables...")));
    EXPECT_EQ(Query(db, "select count(*) AS N from T_TRNK_ACL where PERMISSION_NAME = 'Full Control'"),
              "N\n858\n");
    EXPECT_EQ(Query(db, "select count(*) AS N from sqlite_master where name like 'T/_SFC/_%' escape '/'"),
              "N\n0\n");

    r = Upgrade(db, "sql");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out, "[  0%] Connecting to Database...\n[  5%] Disconnecting from Database...\n");
}

TEST(TmigrateUpgrade, AModuleAtAnOlderMajorVersionFailsNamingIt) {
    TempDatabase db;
    ASSERT_EQ(Upgrade(db, "access").exitCode, 0);
    Query(db, "UPDATE T_TRNK_COMMON SET RESERVED0 = '29.2' WHERE APP_ID = 11");
    auto r = RunCommand(Tmigrate() + " upgrade access '" + db.ConnectionString() + "' --progress none 2>&1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out,
              "The Gage tables are at legacy version 29.2; the oldest legacy version this program can bring "
              "up to date is 30.0\n");
}

}  // namespace
}  // namespace tmigration::testing
