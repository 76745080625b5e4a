// tmigrate migrate DIALECT CONNECTION [--progress auto|bar|plain|window|none]: runs the whole
// migration through the component's entry point for the dialect, with its progress on standard
// error or, with `window`, in the component's own window on the desktop.
#include <iostream>
#include <stdexcept>

#include "Commands.h"
#include "tmigration/CDatabaseMigrationObj.h"
#include "ui/TerminalProgressRenderer.h"
#include "ui/WindowSystem.h"

namespace tmigrate {
namespace {

using tmigration::ui::TerminalProgressRenderer;

tmigration::ui::ProgressRendererFactory RendererFor(const std::string& progress) {
    if (progress == "none") return {};
    if (progress == "auto") return TerminalProgressRenderer::StandardErrorFactory();
    const auto mode =
        progress == "bar" ? TerminalProgressRenderer::Mode::InPlace : TerminalProgressRenderer::Mode::Lines;
    return [mode] { return std::make_unique<TerminalProgressRenderer>(std::cerr, mode); };
}

// Exit code when the progress window cannot be shown: nothing was started.
constexpr int kNoWindow = 2;

int Migrate(const std::string& dialect, const std::string& connection, const std::string& progress) {
    tmigration::CDatabaseMigrationObj migration;
    std::string strError;
    if (progress == "window") {
        std::string why;
        if (!migration.SetProgressWindow(tmigration::ProgressWindow::Desktop, why)) {
            std::cerr << "--progress window: " << why << "; the database was not touched\n";
            return kNoWindow;
        }
    } else {
        tmigration::ui::SetProgressRendererFactory(RendererFor(progress));
    }
    bool ok = false;
    try {
        if (dialect == "access")
            ok = migration.MigrateAccess(connection, strError);
        else if (dialect == "oracle")
            ok = migration.MigrateOracle(connection, strError);
        else
            ok = migration.MigrateSQL(connection, strError);
    } catch (const std::exception& e) {
        // Only the Access file path can fail this way, after the migration itself is complete.
        std::cerr << e.what() << '\n';
        return 1;
    }
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
    cmd->callback([] { ExitCode() = Migrate(dialect, connection, progress); });
}

}  // namespace tmigrate
