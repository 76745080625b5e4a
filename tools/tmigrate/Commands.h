// The subcommands of tmigrate. Each registers itself on the application and runs when chosen.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "tmigration/CDatabaseMigrationObj.h"
#include "ui/WindowSystem.h"

namespace tmigrate {

void AddSqlCommand(CLI::App& app);
void AddCreateCommand(CLI::App& app);
void AddStatementsCommand(CLI::App& app);
void AddMigrateCommand(CLI::App& app);
void AddUpgradeCommand(CLI::App& app);

// The DIALECT and CONNECTION arguments and the --progress option shared by migrate and upgrade.
void AddConnectionOptions(CLI::App& cmd, std::string& dialect, std::string& connection,
                          std::string& progress);
// The progress display for a --progress word: none, auto, bar or plain.
tmigration::ui::ProgressRendererFactory ProgressRendererFor(const std::string& progress);
// Calls the dialect's entry point; an error raised out of it (the Access path cut) becomes strError.
bool RunEntryPoint(tmigration::CDatabaseMigrationObj& migration, const std::string& dialect,
                   const std::string& connection, std::string& strError);
void AddSampleCommand(CLI::App& app);
void AddCheckCommand(CLI::App& app);
// The pre-flight check before a migration of a file database: prints the blocking findings and
// returns false when there are any (servers are not checked here).
bool RunPreflight(const std::string& dialect, const std::string& connection);

// Exit code of the chosen subcommand (set by its callback).
int& ExitCode();

}  // namespace tmigrate
