// Command-line faults found by trying the tool as a new user would: each case failed before its fix.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "RunCommand.h"
#include "TempDatabase.h"
#include "TempDir.h"

namespace tmigration::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

std::vector<std::string> FilesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(TmigrateFaults, SqlInputEndingInsideATransactionSaysSoAndFails) {
    TempDatabase db;
    auto r = RunCommand("printf 'BEGIN\\nCREATE TABLE T_X (A INTEGER)\\n' | " + Tmigrate() + " sql access '" +
                        db.ConnectionString() + "' 2>&1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(r.out, HasSubstr("rolled back"));
    auto after = RunCommand("echo 'SELECT COUNT(*) AS CT FROM T_X' | " + Tmigrate() + " sql access '" +
                            db.ConnectionString() + "' 2>&1");
    EXPECT_EQ(after.exitCode, 1) << "the table of the rolled back transaction must not exist: " << after.out;
}

// Each input holds a statement followed by text that used to be dropped without a word (the table
// was dropped all the same).
class SqlTextAfterTheStatement : public ::testing::TestWithParam<std::string> {};

TEST_P(SqlTextAfterTheStatement, IsRefusedAndRunsNothing) {
    TempDatabase db;
    auto made = RunCommand("echo 'CREATE TABLE T_KEEP (A INTEGER)' | " + Tmigrate() + " sql access '" +
                           db.ConnectionString() + "' 2>&1");
    ASSERT_EQ(made.exitCode, 0) << made.out;
    const std::string file = db.Dir() / "statements.sql";
    std::ofstream(file, std::ios::binary) << GetParam() << '\n';
    auto r = RunCommand(Tmigrate() + " sql access '" + db.ConnectionString() + "' " + file + " 2>&1");
    EXPECT_EQ(r.exitCode, 1) << r.out;
    EXPECT_THAT(r.out, HasSubstr("error: 1: ")) << r.out;
    auto kept = RunCommand("echo 'SELECT COUNT(*) AS CT FROM T_KEEP' | " + Tmigrate() + " sql access '" +
                           db.ConnectionString() + "' 2>&1");
    EXPECT_EQ(kept.out, "CT\n0\n");
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, SqlTextAfterTheStatement,
    ::testing::Values(std::string("DROP TABLE T_KEEP garbage"),
                      std::string("DROP TABLE T_KEEP\0 garbage", 26),
                      std::string("DROP INDEX K_NONE ON T_KEEP garbage"),
                      std::string("SELECT COUNT(*) AS CT FROM T_KEEP; DROP TABLE T_KEEP"),
                      std::string("SELECT COUNT(*) AS CT FROM T_KEEP\0; DROP TABLE T_KEEP", 53)));

TEST(TmigrateFaults, SqlWithAFolderAsFileFails) {
    TempDatabase db;
    auto r =
        RunCommand(Tmigrate() + " sql access '" + db.ConnectionString() + "' " + db.Dir().string() + " 2>&1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(r.out, HasSubstr("is a folder"));
}

// Names that are no plain file: nothing may be created, and the command fails.
class CreateWithAName : public ::testing::TestWithParam<const char*> {};

TEST_P(CreateWithAName, FailsAndCreatesNothing) {
    TempDir dir;
    fs::create_directory(dir.File("sub"));
    auto r =
        RunCommand("cd " + dir.Path().string() + " && " + Tmigrate() + " create '" + GetParam() + "' 2>&1");
    EXPECT_EQ(r.exitCode, 1) << r.out;
    EXPECT_THAT(r.out, HasSubstr("error: "));
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"sub"});
    EXPECT_TRUE(fs::is_empty(dir.File("sub")));
}

INSTANTIATE_TEST_SUITE_P(Names, CreateWithAName,
                         ::testing::Values("", ":memory:", "file:plant.db", "file:plant.db?mode=memory",
                                           "sub/", "sub"));

TEST(TmigrateFaults, CreateOnAFullDiskLeavesNoFile) {
    TempDir dir;
    // A file size limit of 0 makes every write fail as a full disk does (the signal is ignored).
    auto r = RunCommand("sh -c \"trap '' XFSZ; ulimit -f 0; " + Tmigrate() + " create " +
                        dir.File("plant.mdb") + "\" 2>&1");
    EXPECT_EQ(r.exitCode, 1) << r.out;
    EXPECT_TRUE(fs::is_empty(dir.Path())) << FilesIn(dir.Path()).size();
}

TEST(TmigrateFaults, AZeroByteFileIsRefusedAndLeftAsItWas) {
    TempDir dir;
    const std::string path = dir.File("plant.mdb");
    std::ofstream{path};
    const std::string cs = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";";
    for (const char* force : {"", " --force"}) {
        auto r = RunCommand(Tmigrate() + " migrate access '" + cs + "' --progress none" + force + " 2>&1");
        EXPECT_EQ(r.exitCode, 1) << r.out;
        EXPECT_THAT(r.out, HasSubstr("Unrecognized database format")) << r.out;
        EXPECT_EQ(fs::file_size(path), 0u);
        EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"plant.mdb"});
    }
}

// Root writes any file, so the read-only case runs as the unprivileged user when run as root.
TEST(TmigrateFaults, AReadOnlyFileIsReadWithoutLeavingLogFiles) {
    TempDatabase db;
    fs::permissions(db.Dir(), fs::perms::all);
    fs::permissions(db.Path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    std::string as;
    if (::geteuid() == 0) {
        if (RunCommand("setpriv --version >/dev/null 2>&1").exitCode != 0) GTEST_SKIP() << "no setpriv";
        as = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    }
    auto r = RunCommand("echo 'SELECT COUNT(*) AS CT FROM T_NONE' | " + as + Tmigrate() + " sql access '" +
                        db.ConnectionString() + "' --keep-going 2>&1");
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_THAT(r.out, HasSubstr("error: "));
    EXPECT_EQ(FilesIn(db.Dir()), std::vector<std::string>{"plant.mdb"});
    // A migration would fail at its first write: the check says so before anything starts.
    auto check = RunCommand(as + Tmigrate() + " check access '" + db.ConnectionString() + "' 2>&1");
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_THAT(check.out,
                HasSubstr("blocking: the database file '" + db.Path() + "' is read-only for this user"));
    EXPECT_EQ(FilesIn(db.Dir()), std::vector<std::string>{"plant.mdb"});
}

// Usage errors exit 1, as the help says; asking for help is no error.
class UsageError : public ::testing::TestWithParam<const char*> {};

TEST_P(UsageError, ExitsOne) {
    auto r = RunCommand(Tmigrate() + " " + GetParam() + " >/dev/null 2>&1");
    EXPECT_EQ(r.exitCode, 1);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, UsageError,
                         ::testing::Values("", "nosuch", "migrate", "migrate access", "migrate db2 x",
                                           "check", "check access", "sql access", "create",
                                           "upgrade access x --progress x", "sample access x --nosuch",
                                           "migrate access x y z"));

TEST(TmigrateFaults, HelpExitsZero) {
    EXPECT_EQ(RunCommand(Tmigrate() + " --help >/dev/null 2>&1").exitCode, 0);
    EXPECT_EQ(RunCommand(Tmigrate() + " check --help >/dev/null 2>&1").exitCode, 0);
}

}  // namespace
}  // namespace tmigration::testing
