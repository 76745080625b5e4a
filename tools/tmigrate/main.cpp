// tmigrate: the command-line host of the migration component. It is to the component what a
// database's shell is to the database: the way an administrator, a script or CI drives it.
#include <CLI/CLI.hpp>

#include "Commands.h"

namespace tmigrate {
int& ExitCode() {
    static int code = 0;
    return code;
}
}  // namespace tmigrate

int main(int argc, char** argv) {
    CLI::App app{"tmigrate: converts a legacy shop-floor database to the unified schema, in place"};
    app.require_subcommand(1);
    tmigrate::AddSqlCommand(app);
    tmigrate::AddCreateCommand(app);
    tmigrate::AddStatementsCommand(app);
    tmigrate::AddMigrateCommand(app);
    tmigrate::AddUpgradeCommand(app);
    tmigrate::AddSampleCommand(app);
    tmigrate::AddCheckCommand(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help and --version end the parse too, successfully; every usage error exits 1.
        return app.exit(e) == 0 ? 0 : 1;
    }
    return tmigrate::ExitCode();
}
