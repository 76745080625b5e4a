#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "RunCommand.h"
#include "TempDatabase.h"

namespace tmigration::testing {
namespace {

TEST(TmigrateMigrate, ABadConnectionStringFailsWithTheProvidersMessage) {
    auto r = RunCommand(Tmigrate() + " migrate sql 'Provider=MSDASQL;Data Source=x;' --progress none 2>&1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "Provider cannot be found. It may not be properly installed. (MSDASQL)\n");
}

// A database holding the five modules' legacy tables at their last versions, made through the
// command line itself: upgrade creates every module with its creator.
void CreateLegacyModules(const TempDatabase& db, const std::string& dialect) {
    auto r = RunCommand(Tmigrate() + " upgrade " + dialect + " '" + db.ConnectionString() +
                        "' --progress none 2>&1");
    ASSERT_EQ(r.exitCode, 0) << r.out;
}

TEST(TmigrateMigrate, AnAccessStringWithoutAClosedDataSourceFailsAfterTheRun) {
    TempDatabase db;
    CreateLegacyModules(db, "access");
    // No ";" after the path: the file path cannot be cut out for the compaction. The check finds
    // that before the run; forced, the component meets it after the migration.
    auto r =
        RunCommand(Tmigrate() + " migrate access 'Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + db.Path() +
                   "' --progress plain --force 2>&1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("Invalid argument"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Disconnecting from Database..."), std::string::npos) << r.out;
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(TmigrateMigrate, TheDesktopWindowWithoutADisplayFailsAtOnceAndChangesNothing) {
    TempDatabase db;
    CreateLegacyModules(db, "access");
    const std::string before = FileBytes(db.Path());
    auto r = RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY " + Tmigrate() + " migrate access '" +
                        db.ConnectionString() + "' --progress window 2>&1");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_THAT(r.out, ::testing::StartsWith("--progress window: "));
    EXPECT_THAT(r.out, ::testing::EndsWith("; the database was not touched\n"));
    EXPECT_EQ(FileBytes(db.Path()), before);
}

TEST(TmigrateMigrate, AnAccessFileIsMigratedAndCompactedInPlace) {
    TempDatabase db;
    CreateLegacyModules(db, "access");
    auto r = RunCommand(Tmigrate() + " migrate access '" + db.ConnectionString() + "' --progress plain 2>&1");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(r.out.find("Compacting and Repairing Database..."), std::string::npos) << r.out;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(db.Dir()))
        files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{"plant.mdb"});
    auto tables = RunCommand(
        "echo \"select COUNT(*) AS CT from sqlite_master where type = 'table' and name like "
        "'T/_SFC/_%' escape '/'\" | " +
        Tmigrate() + " sql access '" + db.ConnectionString() + "' 2>&1");
    EXPECT_EQ(tables.out, "CT\n99\n");
}

TEST(TmigrateMigrate, CountsShowTheLegacyRowsReadAndNewRowsWrittenPerTransfer) {
    TempDatabase db;
    CreateLegacyModules(db, "sql");
    auto rows = RunCommand(
        "printf '%s\\n' \"INSERT INTO T_TRNK_DEPT (DEPT_NAME) VALUES ('Machining')\" "
        "\"INSERT INTO T_TRNK_DEPT (DEPT_NAME) VALUES ('Assembly')\" | " +
        Tmigrate() + " sql sql '" + db.ConnectionString() + "' 2>&1");
    ASSERT_EQ(rows.exitCode, 0) << rows.out;
    auto r =
        RunCommand(Tmigrate() + " migrate sql '" + db.ConnectionString() + "' --progress none --counts 2>&1");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_THAT(r.out, ::testing::ContainsRegex("\n  6  MigrateDepartments +2 +2\n"));
    EXPECT_THAT(r.out, ::testing::ContainsRegex("\n  1  MigrateShiftIntervals +0 +0\n"));
    // The installed reference rows travel too: 11 downtime codes, 1 scrap code, 13 commands.
    EXPECT_THAT(r.out, ::testing::ContainsRegex("\n 27  MigrateDowntimeCodes +11 +11\n"));
    EXPECT_THAT(r.out, ::testing::ContainsRegex("\n 30  MigrateCommands +13 +13\n"));
    EXPECT_THAT(r.out, ::testing::ContainsRegex("transfers not built yet: 0 of 107"));
}

}  // namespace
}  // namespace tmigration::testing
