// tmigrate migrate DIALECT CONNECTION [--progress auto|bar|plain|window|none] [--counts] [--report FILE]
// [--no-snapshot]: runs the whole migration through the component's entry point for the dialect, with
// its progress on standard error or, with `window`, in the component's own window on the desktop;
// --counts then prints, per transfer that ran, the legacy rows read and new rows written, and --report
// writes the reconciliation report. A database file is copied first and put back when the migration
// does not succeed (Snapshot.cpp).
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <vector>

#include "Commands.h"
#include "Report.h"
#include "db/FileSnapshot.h"
#include "mdc/ShiftSummaryTransfers.h"
#include "tmigration/CDatabaseMigrationObj.h"
#include "transfer/MigrateData.h"
#include "ui/TerminalProgressRenderer.h"
#include "ui/WindowSystem.h"

namespace tmigrate {

using tmigration::ui::TerminalProgressRenderer;

tmigration::ui::ProgressRendererFactory ProgressRendererFor(const std::string& progress) {
    if (progress == "none") return {};
    if (progress == "auto") return TerminalProgressRenderer::StandardErrorFactory();
    const auto mode =
        progress == "bar" ? TerminalProgressRenderer::Mode::InPlace : TerminalProgressRenderer::Mode::Lines;
    return [mode] { return std::make_unique<TerminalProgressRenderer>(std::cerr, mode); };
}

void AddConnectionOptions(CLI::App& cmd, std::string& dialect, std::string& connection,
                          std::string& progress) {
    cmd.add_option("DIALECT", dialect, "access, oracle or sql")
        ->required()
        ->check(CLI::IsMember({"access", "oracle", "sql"}));
    cmd.add_option("CONNECTION", connection,
                   "connection string, e.g. Provider=Microsoft.Jet.OLEDB.4.0;Data Source=plant.mdb;")
        ->required();
    cmd.add_option("--progress", progress,
                   "auto (bar on a terminal, plain lines otherwise), bar, plain or none")
        ->check(CLI::IsMember({"auto", "bar", "plain", "none"}))
        ->capture_default_str();
}

bool RunEntryPoint(tmigration::CDatabaseMigrationObj& migration, const std::string& dialect,
                   const std::string& connection, std::string& strError) {
    try {
        if (dialect == "access") return migration.MigrateAccess(connection, strError);
        if (dialect == "oracle") return migration.MigrateOracle(connection, strError);
        return migration.MigrateSQL(connection, strError);
    } catch (const std::exception& e) {
        // Only the Access file path can fail this way, after the migration itself is complete.
        strError = e.what();
        return false;
    }
}

namespace {

void PrintCounts(const std::vector<TransferLine>& lines) {
    std::printf("%3s  %-48s %12s %12s\n", "#", "transfer", "legacy read", "new written");
    std::int64_t read = 0, written = 0;
    for (const TransferLine& line : lines) {
        std::printf("%3d  %-48s %12lld %12lld\n", line.number, line.name.c_str(),
                    static_cast<long long>(line.counts.read), static_cast<long long>(line.counts.written));
        read += line.counts.read;
        written += line.counts.written;
    }
    std::printf("%3s  %-48s %12lld %12lld\n", "", "total", static_cast<long long>(read),
                static_cast<long long>(written));
    std::printf("transfers not built yet: %zu of %zu\n",
                tmigration::transfer::UnbuiltTransfers(tmigration::mdc::ShiftSummaryTransfers()).size(),
                tmigration::transfer::TransferSequence().size());
}

struct MigrateOptions {
    std::string dialect, connection, progress = "auto", report;
    bool counts = false;
    bool noSnapshot = false;
    bool force = false;
};

// One run of the component in this process, with its counts and report.
int RunComponent(const MigrateOptions& o) {
    MigrationRecorder recorder;
    tmigration::CDatabaseMigrationObj migration;
    std::string strError;
    if (o.progress == "window") {
        std::string why;
        if (!migration.SetProgressWindow(tmigration::ProgressWindow::Desktop, why)) {
            std::cerr << "--progress window: " << why << "; the database was not touched\n";
            return kNothingStarted;
        }
    } else {
        tmigration::ui::SetProgressRendererFactory(ProgressRendererFor(o.progress));
    }
    const auto start = std::chrono::steady_clock::now();
    const bool ok = RunEntryPoint(migration, o.dialect, o.connection, strError);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (o.counts) PrintCounts(recorder.Transfers());
    if (!ok) std::cerr << strError << '\n';
    if (!o.report.empty()) {
        const auto database = tmigration::db::FileDatabasePath(o.connection);
        std::string why;
        if (!WriteReport(o.report, {o.dialect, database.value_or(""), ok, ok ? "" : strError, seconds},
                         recorder, why)) {
            std::cerr << "--report: " << why << '\n';
            return 1;
        }
    }
    return ok ? 0 : 1;
}

int Migrate(const MigrateOptions& o) {
    // A report that cannot be written is found before the database is touched.
    std::string why;
    if (!o.report.empty() && !CanWriteReport(o.report, why)) {
        std::cerr << "--report: " << why << "; the database was not touched\n";
        return 1;
    }
    // A snapshot left by a killed run is the guard's to report (it offers the restore); otherwise the
    // pre-flight check comes first, before anything is copied or touched.
    const auto file = tmigration::db::FileDatabasePath(o.connection);
    const bool leftover = file && std::filesystem::exists(tmigration::db::SnapshotPath(*file));
    if (!o.force && !leftover && !RunPreflight(o.dialect, o.connection)) return 1;
    return GuardWithSnapshot(o.connection, !o.noSnapshot, [&o] { return RunComponent(o); });
}

}  // namespace

void AddMigrateCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("migrate", "Migrate a database in place to the unified schema");
    static MigrateOptions o;
    cmd->add_option("DIALECT", o.dialect, "access, oracle or sql")
        ->required()
        ->check(CLI::IsMember({"access", "oracle", "sql"}));
    cmd->add_option("CONNECTION", o.connection,
                    "connection string, e.g. Provider=Microsoft.Jet.OLEDB.4.0;Data Source=plant.mdb;")
        ->required();
    cmd->add_option("--progress", o.progress,
                    "auto (bar on a terminal, plain lines otherwise), bar, plain, window (on the desktop; "
                    "exit code 2 when no display can be opened) or none")
        ->check(CLI::IsMember({"auto", "bar", "plain", "window", "none"}))
        ->capture_default_str();
    cmd->add_flag("--counts", o.counts, "print the legacy rows read and new rows written by each transfer");
    cmd->add_option("--report", o.report,
                    "write a JSON reconciliation report to FILE: per transfer the rows read, written and "
                    "skipped (and why), the keys left Null and the time; per phase the time");
    cmd->add_flag("--no-snapshot", o.noSnapshot,
                  "do not copy a database file before migrating it (a failed migration then leaves it "
                  "half-migrated)");
    cmd->add_flag("--force", o.force, "migrate even when the pre-flight check finds a blocking problem");
    cmd->callback([] { ExitCode() = Migrate(o); });
}

}  // namespace tmigrate
