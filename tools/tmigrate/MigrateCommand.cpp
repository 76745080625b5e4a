// tmigrate migrate DIALECT CONNECTION [--progress auto|bar|plain|window|none] [--counts]: runs the
// whole migration through the component's entry point for the dialect, with its progress on standard
// error or, with `window`, in the component's own window on the desktop; --counts then prints, per
// transfer that ran, the legacy rows read and new rows written.
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <vector>

#include "Commands.h"
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

// Exit code when the progress window cannot be shown: nothing was started.
constexpr int kNoWindow = 2;

struct TransferLine {
    int number;
    std::string name;
    tmigration::transfer::TransferCounts counts;
};

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

int Migrate(const std::string& dialect, const std::string& connection, const std::string& progress,
            bool counts, bool force) {
    if (!force && !RunPreflight(dialect, connection)) return 1;
    std::vector<TransferLine> lines;
    if (counts)
        tmigration::transfer::SetTransferObserver([&lines](const tmigration::transfer::TransferEntry& entry,
                                                           const tmigration::transfer::TransferCounts& c) {
            lines.push_back({entry.number, std::string(entry.name), c});
        });
    tmigration::CDatabaseMigrationObj migration;
    std::string strError;
    if (progress == "window") {
        std::string why;
        if (!migration.SetProgressWindow(tmigration::ProgressWindow::Desktop, why)) {
            std::cerr << "--progress window: " << why << "; the database was not touched\n";
            return kNoWindow;
        }
    } else {
        tmigration::ui::SetProgressRendererFactory(ProgressRendererFor(progress));
    }
    const bool ok = RunEntryPoint(migration, dialect, connection, strError);
    tmigration::transfer::SetTransferObserver({});
    if (counts) PrintCounts(lines);
    if (!ok) {
        std::cerr << strError << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

void AddMigrateCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("migrate", "Migrate a database in place to the unified schema");
    static std::string dialect, connection, progress = "auto";
    static bool counts = false, force = false;
    cmd->add_option("DIALECT", dialect, "access, oracle or sql")
        ->required()
        ->check(CLI::IsMember({"access", "oracle", "sql"}));
    cmd->add_option("CONNECTION", connection,
                    "connection string, e.g. Provider=Microsoft.Jet.OLEDB.4.0;Data Source=plant.mdb;")
        ->required();
    cmd->add_option("--progress", progress,
                    "auto (bar on a terminal, plain lines otherwise), bar, plain, window (on the desktop; "
                    "exit code 2 when no display can be opened) or none")
        ->check(CLI::IsMember({"auto", "bar", "plain", "window", "none"}))
        ->capture_default_str();
    cmd->add_flag("--counts", counts, "print the legacy rows read and new rows written by each transfer");
    cmd->add_flag("--force", force, "migrate even when the pre-flight check finds a blocking problem");
    cmd->callback([] { ExitCode() = Migrate(dialect, connection, progress, counts, force); });
}

}  // namespace tmigrate
