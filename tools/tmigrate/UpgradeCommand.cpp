// tmigrate upgrade DIALECT CONNECTION [--progress auto|bar|plain|none]: brings the legacy tables
// of a database to the last legacy version (creating missing modules with their reference rows)
// and stops there, without the new schema or any transfer, so that the result can be inspected,
// or the step rehearsed on a copy, before the migration proper.
#include <iostream>

#include "Commands.h"
#include "driver/PhaseTable.h"
#include "tmigration/CDatabaseMigrationObj.h"
#include "ui/WindowSystem.h"

namespace tmigrate {
namespace {

int Upgrade(const std::string& dialect, const std::string& connection, const std::string& progress) {
    tmigration::ui::SetProgressRendererFactory(ProgressRendererFor(progress));
    tmigration::CDatabaseMigrationObj migration;
    tmigration::driver::ThreadPhaseTable().KeepLegacyUpgradeOnly();
    std::string strError;
    if (!RunEntryPoint(migration, dialect, connection, strError)) {
        std::cerr << strError << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

void AddUpgradeCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("upgrade", "Bring the legacy tables to the last legacy version, and stop");
    static std::string dialect, connection, progress = "auto";
    AddConnectionOptions(*cmd, dialect, connection, progress);
    cmd->callback([] { ExitCode() = Upgrade(dialect, connection, progress); });
}

}  // namespace tmigrate
