// tmigrate migrate DIALECT CONNECTION [--progress auto|bar|plain|none]: runs the whole migration
// through the component's entry point for the dialect, with its progress on standard error.
#include <iostream>
#include <stdexcept>

#include "Commands.h"
#include "tmigration/CDatabaseMigrationObj.h"
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

namespace {

int Migrate(const std::string& dialect, const std::string& connection, const std::string& progress) {
    tmigration::ui::SetProgressRendererFactory(ProgressRendererFor(progress));
    tmigration::CDatabaseMigrationObj migration;
    std::string strError;
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
    AddConnectionOptions(*cmd, dialect, connection, progress);
    cmd->callback([] { ExitCode() = Migrate(dialect, connection, progress); });
}

}  // namespace tmigrate
