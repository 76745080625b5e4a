// The migration benchmark: a sample plant migrated on the embedded engine, with the seconds of each
// phase of the driver, legacy rows per second and the peak resident memory of the migration; beside it
// the floor, the same legacy rows copied once per table with INSERT ... SELECT on the same engine.
// Usage: tmigration_migration_bench [SCALE ...] [access|sql|oracle ...]   (default: 100 access)
#include <sqlite3.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "db/Connection.h"
#include "db/Dialect.h"
#include "db/engines/embedded/EmbeddedSession.h"
#include "driver/PhaseTable.h"
#include "sample/SamplePlant.h"
#include "tmigration/CDatabaseMigrationObj.h"

using namespace tmigration;
using Clock = std::chrono::steady_clock;

namespace {

double Since(Clock::time_point t0) {
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

// Processor seconds this process has used, user and system: on a shared machine the wall clock
// measures the neighbours too, this measures the migration alone.
double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Peak resident memory in MB since the last ResetPeakMemory; the whole process's peak where the kernel
// cannot reset it.
void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}
double PeakMemoryMB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024;
}

void RemoveDatabase(const std::string& path) {
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
}

void Exec(sqlite3* db, const std::string& sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        const std::string msg = err ? err : "?";
        sqlite3_free(err);
        throw std::runtime_error(sql + ": " + msg);
    }
}

// The floor: every legacy table of the plant copied once into a new table, in one transaction, in the
// engine's own durability mode.
double Floor(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    Exec(db, "PRAGMA journal_mode=WAL");
    Exec(db, "PRAGMA synchronous=NORMAL");
    const auto t0 = Clock::now();
    Exec(db, "BEGIN");
    for (const sample::TableSpec& table : sample::SamplePlantTables()) {
        const std::string name(table.table);
        Exec(db, "CREATE TABLE FLOOR_" + name + " AS SELECT * FROM " + name + " WHERE 0");
        Exec(db, "INSERT INTO FLOOR_" + name + " SELECT * FROM " + name);
    }
    Exec(db, "COMMIT");
    const double seconds = Since(t0);
    sqlite3_close(db);
    return seconds;
}

struct Run {
    std::int64_t rows = 0;
    double sampleSeconds = 0, migrateSeconds = 0, migrateCpuSeconds = 0, floorSeconds = 0, peakMB = 0;
    std::vector<std::pair<std::string, double>> phases;
    std::string error;
};

Run Measure(db::Dialect dialect, std::int64_t scale) {
    Run run;
    const std::string dir = std::filesystem::temp_directory_path().string();
    // Named after the process, so that two benchmarks at once never share a file.
    const std::string stem = dir + "/tmigration-migration-bench-" + std::to_string(getpid());
    const std::string path = stem + ".mdb";
    const std::string floorPath = stem + "-floor.mdb";
    RemoveDatabase(path);
    RemoveDatabase(floorPath);
    db::embedded::CreateEmbeddedDatabase(path);
    {
        db::Connection c;
        c.SetDialect(dialect);
        c.Open("Provider=SQLite;Data Source=" + path + ";");
        const auto t0 = Clock::now();
        run.rows = sample::WriteSamplePlant(c, scale, 1).rows;
        run.sampleSeconds = Since(t0);
    }
    std::filesystem::copy_file(path, floorPath);
    run.floorSeconds = Floor(floorPath);
    RemoveDatabase(floorPath);

    CDatabaseMigrationObj migration;
    std::map<driver::Phase, double> seconds;
    for (const driver::PhaseEntry& entry : driver::ThreadPhaseTable().Entries()) {
        driver::ThreadPhaseTable().Override(entry.phase,
                                            [step = entry.step, phase = entry.phase, &seconds](
                                                const driver::PhaseContext& context, std::string& strError) {
                                                const auto t0 = Clock::now();
                                                const bool ok = step(context, strError);
                                                seconds[phase] += Since(t0);
                                                return ok;
                                            });
    }
    ResetPeakMemory();
    const std::string connection = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";";
    std::string strError;
    const auto t0 = Clock::now();
    const double cpu0 = CpuSeconds();
    bool ok = false;
    switch (dialect) {
        case db::Dialect::Access:
            ok = migration.MigrateAccess(connection, strError);
            break;
        case db::Dialect::Oracle:
            ok = migration.MigrateOracle(connection, strError);
            break;
        case db::Dialect::SqlServer:
            ok = migration.MigrateSQL(connection, strError);
            break;
    }
    run.migrateSeconds = Since(t0);
    run.migrateCpuSeconds = CpuSeconds() - cpu0;
    run.peakMB = PeakMemoryMB();
    if (!ok) run.error = strError;
    for (const driver::PhaseEntry& entry : driver::ThreadPhaseTable().Entries())
        if (seconds.count(entry.phase))
            run.phases.emplace_back(driver::PhaseName(entry.phase), seconds[entry.phase]);
    driver::ResetThreadPhaseTable();
    RemoveDatabase(path);
    return run;
}

void Report(db::Dialect dialect, std::int64_t scale, const Run& run) {
    std::printf("== %s, scale %lld: %lld legacy rows (sample plant written in %.2f s)\n",
                std::string(db::DialectName(dialect)).c_str(), static_cast<long long>(scale),
                static_cast<long long>(run.rows), run.sampleSeconds);
    for (const auto& [name, s] : run.phases) std::printf("   %-26s %8.3f s\n", name.c_str(), s);
    std::printf("   %-26s %8.3f s  %10.0f legacy rows/s  peak RSS %.1f MB%s\n", "migration",
                run.migrateSeconds, static_cast<double>(run.rows) / run.migrateSeconds, run.peakMB,
                run.error.empty() ? "" : "  FAILED");
    std::printf("   %-26s %8.3f s  %10.0f legacy rows per processor second\n", "migration, processor time",
                run.migrateCpuSeconds, static_cast<double>(run.rows) / run.migrateCpuSeconds);
    std::printf("   %-26s %8.3f s  %10.0f legacy rows/s\n", "floor: INSERT ... SELECT", run.floorSeconds,
                static_cast<double>(run.rows) / run.floorSeconds);
    if (!run.error.empty()) std::printf("   error: %s\n", run.error.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::int64_t> scales;
    std::vector<db::Dialect> dialects;
    for (int i = 1; i < argc; ++i) {
        db::Dialect d{};
        if (db::ParseDialectWord(argv[i], d))
            dialects.push_back(d);
        else if (const long long n = std::atoll(argv[i]); n >= 1)
            scales.push_back(n);
        else {
            std::fprintf(stderr, "usage: %s [SCALE ...] [access|sql|oracle ...]\n", argv[0]);
            return 2;
        }
    }
    if (scales.empty()) scales.push_back(100);
    if (dialects.empty()) dialects.push_back(db::Dialect::Access);
    bool failed = false;
    for (db::Dialect dialect : dialects)
        for (std::int64_t scale : scales) {
            const Run run = Measure(dialect, scale);
            Report(dialect, scale, run);
            failed = failed || !run.error.empty();
        }
    return failed ? 1 : 0;
}
