// The safety net of `tmigrate migrate` on a database file: a migration that fails, is interrupted or
// killed leaves the database as it was before (at once, or after `tmigrate restore`), or complete;
// never half-done without saying so.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <random>
#include <thread>

#include "RunCommand.h"
#include "TempDir.h"

namespace tmigration::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

std::string Connection(const std::string& path) {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";";
}

// A small legacy plant made once by the tool itself; each test works on a copy of its file.
const std::string& SamplePlant() {
    static TempDir dir;
    static const std::string path = [] {
        const std::string file = dir.File("sample.mdb");
        auto created = RunCommand(Tmigrate() + " create " + Quoted(file) + " 2>&1");
        EXPECT_EQ(created.exitCode, 0) << created.out;
        auto filled =
            RunCommand(Tmigrate() + " sample access " + Quoted(Connection(file)) + " --scale 1 2>&1");
        EXPECT_EQ(filled.exitCode, 0) << filled.out;
        return file;
    }();
    return path;
}

// Every object of the database and every row of every table, in a fixed order: two databases with
// the same dump hold the same data.
std::string Dump(const std::string& path) {
    sqlite3* db = nullptr;
    std::string out;
    // Read-write, so that closing it leaves no log files behind.
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return "cannot open";
    }
    std::vector<std::string> tables;
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "SELECT type, name, coalesce(sql, '') FROM sqlite_master ORDER BY type, name", -1,
                       &s, nullptr);
    while (sqlite3_step(s) == SQLITE_ROW) {
        const std::string type = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
        const std::string name = reinterpret_cast<const char*>(sqlite3_column_text(s, 1));
        out += type + " " + name + ": " + reinterpret_cast<const char*>(sqlite3_column_text(s, 2)) + "\n";
        if (type == "table") tables.push_back(name);
    }
    sqlite3_finalize(s);
    for (const std::string& table : tables) {
        const std::string sql = "SELECT * FROM \"" + table + "\" ORDER BY 1, 2";
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) {
            out += "unreadable " + table + "\n";
            continue;
        }
        while (sqlite3_step(s) == SQLITE_ROW) {
            out += table + ":";
            for (int i = 0; i < sqlite3_column_count(s); ++i) {
                const unsigned char* text = sqlite3_column_text(s, i);
                out += text ? "|" + std::string(reinterpret_cast<const char*>(text)) : "|<null>";
            }
            out += "\n";
        }
        sqlite3_finalize(s);
    }
    sqlite3_close(db);
    return out;
}

// A migration that ran to its end: the schema's last step recorded and only the empty legacy
// table the finalization creates left of the legacy tables.
bool MigrationComplete(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* s = nullptr;
    bool complete = false;
    if (sqlite3_prepare_v2(
            db,
            "SELECT (SELECT DB_ITEM_VALUE FROM T_SFC_DB_ITEM WHERE DB_ITEM_CODE = 1), (SELECT "
            "group_concat(name) FROM sqlite_master WHERE type = 'table' AND name LIKE 'T/_TRNK/_%' "
            "ESCAPE '/')",
            -1, &s, nullptr) == SQLITE_OK &&
        sqlite3_step(s) == SQLITE_ROW) {
        const unsigned char* legacy = sqlite3_column_text(s, 1);
        complete = sqlite3_column_int(s, 0) == 1554 && legacy &&
                   std::string(reinterpret_cast<const char*>(legacy)) == "T_TRNK_PTYPE";
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return complete;
}

std::vector<std::string> FilesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Snapshot : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::copy_file(SamplePlant(), path);
        before = Dump(path);
    }
    CommandResult Migrate(const std::string& options = "", const std::string& connection = "") {
        return RunCommand(Tmigrate() + " migrate access " +
                          Quoted(connection.empty() ? Connection(path) : connection) + " --progress none " +
                          options + " 2>&1");
    }
    CommandResult Restore() {
        return RunCommand(Tmigrate() + " restore " + Quoted(Connection(path)) + " 2>&1");
    }

    TempDir dir;
    std::string path = dir.File("plant.mdb");
    std::string before;
};

constexpr const char* kRestored = "The database was restored to its state before the migration.\n";

// Two failures the component only meets after it converted the whole database.
struct LateFailure {
    const char* name;
    const char* expected;                                         // part of the component's error text
    std::function<std::string(const std::string& path)> prepare;  // returns the connection string
};

std::ostream& operator<<(std::ostream& os, const LateFailure& f) {
    return os << f.name;
}

class SlowFailedMigration : public Snapshot, public ::testing::WithParamInterface<LateFailure> {};

TEST_P(SlowFailedMigration, IsRestoredAndSaysSo) {
    const std::string connection = GetParam().prepare(path);
    const auto files = FilesIn(dir.Path());
    // The late failures are what the pre-flight check stops: --force lets them happen.
    auto r = Migrate("--force", connection);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(r.out, HasSubstr(GetParam().expected));
    EXPECT_THAT(r.out, EndsWith(kRestored));
    EXPECT_EQ(Dump(path), before);
    EXPECT_EQ(FilesIn(dir.Path()), files) << "no snapshot or compaction copy is left";
}

TEST_P(SlowFailedMigration, WithoutASnapshotStaysHalfDone) {
    const std::string connection = GetParam().prepare(path);
    auto r = Migrate("--no-snapshot --force", connection);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(r.out, HasSubstr(GetParam().expected));
    EXPECT_THAT(r.out, Not(HasSubstr("restored")));
    EXPECT_NE(Dump(path), before);
    EXPECT_FALSE(fs::exists(path + ".before-migration"));
}

INSTANTIATE_TEST_SUITE_P(
    Causes, SlowFailedMigration,
    ::testing::Values(LateFailure{"DataSourceNotClosed", "Invalid argument",
                                  [](const std::string& path) {
                                      return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path;
                                  }},
                      LateFailure{"CompactionCopyInTheWay", "Compacting and Repairing Database: ",
                                  [](const std::string& path) {
                                      std::ofstream(fs::path(path).replace_filename("plant1.mdb"))
                                          << "in the way";
                                      return Connection(path);
                                  }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Snapshot, SlowSuccessfulMigrationLeavesNoSnapshot) {
    auto r = Migrate();
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_TRUE(MigrationComplete(path));
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"plant.mdb"});
}

// A link as the data source stays a link: the file it points at is snapshotted, compacted and
// restored.
TEST_F(Snapshot, SlowLinkAsTheDataSourceStaysALink) {
    const std::string link = dir.File("current.mdb");
    fs::create_symlink(path, link);
    auto failed = Migrate("--force", "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + link);
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_THAT(failed.out, EndsWith(kRestored));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Dump(path), before);
    auto done = Migrate("", Connection(link));
    ASSERT_EQ(done.exitCode, 0) << done.out;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(MigrationComplete(path));
    EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"current.mdb", "plant.mdb"}));
}

// Starts the tool without a shell, so that the signal reaches it and nothing else.
pid_t Start(const std::vector<std::string>& args) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        std::vector<char*> argv;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

int Wait(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Waits until the migration has written its new tables (it is then well under way).
bool WaitUntilUnderWay(const std::string& path, pid_t pid) {
    for (int i = 0; i < 600; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) != 0) return false;
        if (fs::exists(path + ".before-migration") && fs::exists(path + "-wal") &&
            fs::file_size(path + "-wal") > 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

class Interrupted : public Snapshot, public ::testing::WithParamInterface<int> {};

TEST_P(Interrupted, TheSnapshotIsPutBack) {
    const pid_t pid = Start({Tmigrate(), "migrate", "access", Connection(path), "--progress", "none"});
    ASSERT_TRUE(WaitUntilUnderWay(path, pid));
    kill(pid, GetParam());
    EXPECT_EQ(Wait(pid), 128 + GetParam());
    EXPECT_EQ(Dump(path), before);
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"plant.mdb"});
}

INSTANTIATE_TEST_SUITE_P(Signals, Interrupted, ::testing::Values(SIGINT, SIGTERM));

TEST_F(Snapshot, AfterAKillTheNextRunOffersTheRestore) {
    const pid_t pid = Start({Tmigrate(), "migrate", "access", Connection(path), "--progress", "none"});
    ASSERT_TRUE(WaitUntilUnderWay(path, pid));
    kill(pid, SIGKILL);
    Wait(pid);
    auto again = Migrate();
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_THAT(again.out, HasSubstr("did not finish"));
    EXPECT_THAT(again.out, HasSubstr("tmigrate restore CONNECTION"));
    auto restored = Restore();
    EXPECT_EQ(restored.exitCode, 0) << restored.out;
    EXPECT_EQ(restored.out, "The database '" + fs::canonical(path).string() +
                                "' was restored to its state before the migration.\n");
    EXPECT_EQ(Dump(path), before);
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"plant.mdb"});
}

TEST_F(Snapshot, RestoreWithoutASnapshotChangesNothing) {
    auto r = Restore();
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(r.out, HasSubstr("No snapshot of"));
    EXPECT_EQ(Dump(path), before);
}

TEST_F(Snapshot, SlowReportReconcilesEveryTransferAndPhase) {
    const std::string file = dir.File("report.json");
    auto r = Migrate("--counts --report " + Quoted(file));
    ASSERT_EQ(r.exitCode, 0) << r.out;
    std::ifstream in(file);
    const auto report = nlohmann::json::parse(in);
    EXPECT_TRUE(report["succeeded"].get<bool>());
    EXPECT_EQ(report["database"], fs::canonical(path).string());
    ASSERT_EQ(report["transfers"].size(), 107u);
    std::int64_t read = 0, skipped = 0;
    for (const auto& t : report["transfers"]) {
        read += t["legacyRowsRead"].get<std::int64_t>();
        std::int64_t reasons = 0;
        for (const auto& [reason, rows] : t["skippedBecause"].items()) reasons += rows.get<std::int64_t>();
        EXPECT_EQ(reasons, t["rowsSkipped"]) << t["transfer"];
        skipped += reasons;
        // A row read is written, or passed over for a reason; some transfers write extra rows.
        if (t["newRowsWritten"] < t["legacyRowsRead"]) {
            EXPECT_GE(t["newRowsWritten"].get<std::int64_t>() + reasons,
                      t["legacyRowsRead"].get<std::int64_t>())
                << t["transfer"];
        }
    }
    EXPECT_EQ(report["totals"]["legacyRowsRead"], read);
    EXPECT_EQ(report["totals"]["rowsSkipped"], skipped);
    // The counts printed and the report agree.
    const auto& first = report["transfers"][0];
    EXPECT_THAT(r.out, HasSubstr(first["transfer"].get<std::string>()));
    std::vector<std::string> phases;
    for (const auto& p : report["phases"]) phases.push_back(p["phase"]);
    EXPECT_EQ(phases.size(), 13u);
    EXPECT_EQ(phases.back(), "CompactAndRepairDatabase");

    auto table = RunCommand(Tmigrate() + " report " + Quoted(file) + " 2>&1");
    EXPECT_EQ(table.exitCode, 0) << table.out;
    EXPECT_THAT(table.out, HasSubstr("migration (access): succeeded"));
    EXPECT_THAT(table.out, HasSubstr("CompactAndRepairDatabase   ok"));
}

TEST_F(Snapshot, SlowFailedRunStillWritesItsReport) {
    const std::string file = dir.File("report.json");
    auto r =
        Migrate("--force --report " + Quoted(file), "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path);
    EXPECT_EQ(r.exitCode, 1);
    std::ifstream in(file);
    const auto report = nlohmann::json::parse(in);
    EXPECT_FALSE(report["succeeded"].get<bool>());
    EXPECT_THAT(report["error"].get<std::string>(), ::testing::StartsWith("Invalid argument"));
    EXPECT_EQ(report["transfers"].size(), 107u);
}

TEST_F(Snapshot, AReportThatCannotBeWrittenStopsBeforeTheStart) {
    auto r = Migrate("--report " + Quoted(dir.File("missing/report.json")));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_THAT(r.out, HasSubstr("the database was not touched"));
    EXPECT_EQ(Dump(path), before);
}

// Kills migrations at random moments (seeded) up to `range` after the start: afterwards, with the
// next run's restore where a snapshot was left, the database is exactly as before or completely
// migrated, and nothing of the run is left beside it.
void KillCampaign(const std::string& path, const std::string& before, int kills, unsigned seed,
                  std::chrono::milliseconds range) {
    fs::copy_file(path, path + ".original");
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> moment(0, range.count());
    int asBefore = 0, restored = 0, complete = 0;
    for (int k = 0; k < kills; ++k) {
        fs::copy_file(path + ".original", path, fs::copy_options::overwrite_existing);
        const long at = moment(random);
        const pid_t pid = Start({Tmigrate(), "migrate", "access", Connection(path), "--progress", "none"});
        std::this_thread::sleep_for(std::chrono::milliseconds(at));
        kill(pid, SIGKILL);
        Wait(pid);
        auto r = RunCommand(Tmigrate() + " restore " + Quoted(Connection(path)) + " 2>&1");
        const std::string dump = Dump(path);
        if (r.exitCode == 0) {
            ++restored;
            EXPECT_EQ(dump, before) << "kill " << k << " at " << at << " ms: restored, but not as before";
        } else if (dump == before) {
            ++asBefore;
        } else {
            EXPECT_TRUE(MigrationComplete(path))
                << "kill " << k << " at " << at << " ms: half-done, no snapshot";
            ++complete;
        }
        EXPECT_FALSE(fs::exists(path + ".before-migration"));
        EXPECT_FALSE(fs::exists(fs::path(path).replace_filename("plant1.mdb")))
            << "kill " << k << " at " << at;
    }
    std::cout << kills << " kills within " << range.count() << " ms: " << restored << " restored, "
              << asBefore << " untouched, " << complete << " complete\n";
}

// A few early moments: taking the snapshot, upgrading the legacy modules, adding the mapping columns.
TEST_F(Snapshot, KilledAtAFewRandomMomentsNothingIsHalfDone) {
    KillCampaign(path, before, 4, 17, std::chrono::milliseconds(3000));
}

// The whole run: a first migration measures how long it takes, then kills spread over it and a
// little beyond: 12, or TMIGRATION_CRASH_KILLS (a sanitizer build takes about a minute a kill).
// Registered on its own with a longer time limit (tests/CMakeLists.txt).
TEST_F(Snapshot, CrashCampaign) {
    const char* asked = std::getenv("TMIGRATION_CRASH_KILLS");
    const int kills = asked && std::atoi(asked) > 0 ? std::atoi(asked) : 12;
    const auto start = std::chrono::steady_clock::now();
    const std::string copy = dir.File("timing.mdb");
    fs::copy_file(path, copy);
    ASSERT_EQ(Wait(Start({Tmigrate(), "migrate", "access", Connection(copy), "--progress", "none"})), 0);
    const auto whole =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    KillCampaign(path, before, kills, 2026, whole * 11 / 10);
}

}  // namespace
}  // namespace tmigration::testing
