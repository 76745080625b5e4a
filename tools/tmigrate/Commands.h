// The subcommands of tmigrate. Each registers itself on the application and runs when chosen.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
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
void AddRestoreCommand(CLI::App& app);
void AddReportCommand(CLI::App& app);

// Exit code of a migrate run that refused to start (no progress window): nothing was touched.
constexpr int kNothingStarted = 2;

// Runs `migrate` (which returns the exit code) on the database file of `connection` with a snapshot
// taken first and put back when the migration does not succeed, is interrupted or its process dies
// (the migration then runs in a child process); a snapshot left by an earlier run makes it refuse to
// start. Without `takeSnapshot`, or for a database server, `migrate` runs here as it is.
int GuardWithSnapshot(const std::string& connection, bool takeSnapshot, const std::function<int()>& migrate);

// Exit code of the chosen subcommand (set by its callback).
int& ExitCode();

}  // namespace tmigrate
