// tmigrate check DIALECT CONNECTION: the pre-flight report. It reads the database without changing
// it and prints one finding per line, "ok: " or "blocking: " first; the exit code is 0 when a
// migration can run and 1 when something would stop it. `migrate` runs the same check on a file
// database before it starts.
#include <iostream>

#include "Commands.h"
#include "db/Dialect.h"
#include "db/engines/odbc/OdbcConnectionString.h"
#include "driver/PreflightCheck.h"
#include "mdc/ShiftSummaryTransfers.h"

namespace tmigrate {
namespace {

using tmigration::driver::PreflightReport;

PreflightReport Check(const std::string& dialectWord, const std::string& connection) {
    tmigration::db::Dialect dialect{};
    tmigration::db::ParseDialectWord(dialectWord, dialect);
    return tmigration::driver::RunPreflightCheck(dialect, connection,
                                                 tmigration::mdc::ShiftSummaryTransfers());
}

void PrintFinding(std::ostream& out, const tmigration::driver::PreflightFinding& finding) {
    out << (finding.blocking ? "blocking: " : "ok: ") << finding.text << '\n';
}

int CheckCommand(const std::string& dialect, const std::string& connection) {
    const PreflightReport report = Check(dialect, connection);
    for (const auto& finding : report.findings) PrintFinding(std::cout, finding);
    if (report.CanMigrate()) {
        std::cout << "a migration can run\n";
        return 0;
    }
    std::cout << report.BlockingCount() << " blocking finding(s): a migration would stop\n";
    return 1;
}

}  // namespace

bool RunPreflight(const std::string& dialect, const std::string& connection) {
    // Database servers are checked on request only; the file databases before every migration.
    if (tmigration::db::odbc::IsOdbcConnectionString(connection)) return true;
    const PreflightReport report = Check(dialect, connection);
    // A database that does not open is left to the component: its connect step fails with the
    // provider's own message before anything is touched.
    if (report.CanMigrate() || !report.opened) return true;
    for (const auto& finding : report.findings)
        if (finding.blocking) PrintFinding(std::cerr, finding);
    std::cerr << "the migration was not started: " << report.BlockingCount()
              << " blocking finding(s); the database was not touched (tmigrate check lists every finding, "
                 "--force migrates anyway)\n";
    return false;
}

void AddCheckCommand(CLI::App& app) {
    auto* cmd =
        app.add_subcommand("check", "Report what a migration would meet in a database, changing nothing");
    static std::string dialect, connection;
    cmd->add_option("DIALECT", dialect, "access, oracle or sql")
        ->required()
        ->check(CLI::IsMember({"access", "oracle", "sql"}));
    cmd->add_option("CONNECTION", connection,
                    "connection string, e.g. Provider=Microsoft.Jet.OLEDB.4.0;Data Source=plant.mdb;")
        ->required();
    cmd->callback([] { ExitCode() = CheckCommand(dialect, connection); });
}

}  // namespace tmigrate
