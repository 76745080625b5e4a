#include "driver/CompactAndRepairDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <ostream>

#include "TempDir.h"
#include "core/SharedProgressWindow.h"

namespace tmigration::driver {
namespace {

namespace fs = std::filesystem;

void Exec(sqlite3* db, const std::string& sql) {
    char* message = nullptr;
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message), SQLITE_OK)
        << (message ? message : "");
}

// A database whose deleted rows leave free pages behind, so compaction has something to do.
void CreateDatabase(const std::string& path, const std::string& journalMode) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    Exec(db, "PRAGMA journal_mode=" + journalMode);
    Exec(db, "CREATE TABLE T_TRNK_GAUGES (GAUGE_ID INTEGER PRIMARY KEY, NAME TEXT)");
    Exec(db,
         "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
         "INSERT INTO T_TRNK_GAUGES SELECT i, printf('gage %04d with a long description', i) FROM n");
    Exec(db, "DELETE FROM T_TRNK_GAUGES WHERE GAUGE_ID > 10");
    sqlite3_close(db);
}

long long CountRows(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* s = nullptr;
    long long n = -1;
    if (sqlite3_prepare_v2(db, "SELECT count(*) FROM T_TRNK_GAUGES", -1, &s, nullptr) == SQLITE_OK &&
        sqlite3_step(s) == SQLITE_ROW)
        n = sqlite3_column_int64(s, 0);
    sqlite3_finalize(s);
    sqlite3_close(db);
    return n;
}

// The engine keeps its core::files in write-ahead-log mode; core::files from elsewhere may use a rollback
// journal.
class Compaction : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        core::frmProgress().Show();
        CreateDatabase(path, GetParam());
    }
    void TearDown() override { core::frmProgress().Unload(); }

    tmigration::testing::TempDir dir;
    std::string path = dir.File("plant.mdb");
    std::string temporary = dir.File("plant1.mdb");
    std::string strError = "untouched";
};

TEST_P(Compaction, ReplacesTheFileByItsCompactedCopy) {
    const auto before = fs::file_size(path);
    ASSERT_TRUE(CompactAndRepairDatabase(path, strError));
    EXPECT_EQ(strError, "untouched");
    EXPECT_LT(fs::file_size(path), before);
    EXPECT_EQ(CountRows(path), 10);
    EXPECT_FALSE(fs::exists(temporary));
    EXPECT_FALSE(fs::exists(path + "-wal"));
    EXPECT_EQ(core::frmProgress().lblInfo().Caption, "Compacting and Repairing Database...");
    EXPECT_EQ(core::frmProgress().lblPercent().Caption, "100%");
    EXPECT_TRUE(core::frmProgress().Visible());
}

// The copy is renamed over the file the link points at: the link stays, and so does its target's name.
TEST_P(Compaction, ALinkAsThePathStaysALink) {
    const std::string link = dir.File("current.mdb");
    fs::create_symlink(path, link);
    const auto before = fs::file_size(path);
    ASSERT_TRUE(CompactAndRepairDatabase(link, strError)) << strError;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_LT(fs::file_size(path), before);
    EXPECT_EQ(CountRows(link), 10);
    EXPECT_FALSE(fs::exists(dir.File("current1.mdb")));
}

TEST_P(Compaction, ExistingTemporaryFileLeavesTheDatabaseUntouched) {
    std::ofstream(temporary) << "left over";
    const auto before = fs::file_size(path);
    EXPECT_FALSE(CompactAndRepairDatabase(path, strError));
    EXPECT_EQ(strError.rfind("Compacting and Repairing Database: ", 0), 0u) << strError;
    EXPECT_NE(strError.find("already exists"), std::string::npos) << strError;
    EXPECT_EQ(fs::file_size(path), before);
    EXPECT_FALSE(core::frmProgress().Visible());
}

TEST_P(Compaction, FileInUseElsewhereFails) {
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
    Exec(other, "BEGIN IMMEDIATE");
    EXPECT_FALSE(CompactAndRepairDatabase(path, strError));
    EXPECT_NE(strError.find("locked"), std::string::npos) << strError;
    sqlite3_close(other);
    EXPECT_EQ(CountRows(path), 10);
}

TEST_P(Compaction, UnreadableSourceFails) {
    std::ofstream(dir.File("notes.mdb")) << "this is not a database file at all, just some words";
    EXPECT_FALSE(CompactAndRepairDatabase(dir.File("notes.mdb"), strError));
    EXPECT_NE(strError.find("not a database"), std::string::npos) << strError;

    strError.clear();
    EXPECT_FALSE(CompactAndRepairDatabase(dir.File("missing.mdb"), strError));
    EXPECT_EQ(strError.rfind("Compacting and Repairing Database: ", 0), 0u) << strError;
    EXPECT_FALSE(fs::exists(dir.File("missing.mdb")));
}

TEST_P(Compaction, PathWithoutPointIsAnInvalidArgument) {
    EXPECT_FALSE(CompactAndRepairDatabase(dir.File("plant"), strError));
    EXPECT_EQ(strError, "Compacting and Repairing Database: Invalid argument");
}

INSTANTIATE_TEST_SUITE_P(JournalModes, Compaction, ::testing::Values("DELETE", "WAL"));

struct TemporaryCase {
    const char* path;
    const char* temporary;
};

std::ostream& operator<<(std::ostream& os, const TemporaryCase& c) {
    return os << c.path;
}

class TemporaryName : public ::testing::TestWithParam<TemporaryCase> {};

TEST_P(TemporaryName, InsertsOneBeforeTheLastPoint) {
    EXPECT_EQ(TemporaryCompactPath(GetParam().path), GetParam().temporary);
}

INSTANTIATE_TEST_SUITE_P(Paths, TemporaryName,
                         ::testing::Values(TemporaryCase{R"(C:\data\plant.mdb)", R"(C:\data\plant1.mdb)"},
                                           TemporaryCase{R"(C:\data.old\plant.mdb)",
                                                         R"(C:\data.old\plant1.mdb)"},
                                           TemporaryCase{R"(C:\data.old\plant)", R"(C:\data1.old\plant)"},
                                           TemporaryCase{"/srv/plant.v2.db", "/srv/plant.v21.db"}));

}  // namespace
}  // namespace tmigration::driver
