// The subcommands of tmigrate. Each registers itself on the application and runs when chosen.
#pragma once

#include <CLI/CLI.hpp>

namespace tmigrate {

void AddSqlCommand(CLI::App& app);
void AddCreateCommand(CLI::App& app);
void AddStatementsCommand(CLI::App& app);
void AddMigrateCommand(CLI::App& app);
void AddSampleCommand(CLI::App& app);

// Exit code of the chosen subcommand (set by its callback).
int& ExitCode();

}  // namespace tmigrate
