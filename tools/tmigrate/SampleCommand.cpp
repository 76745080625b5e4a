// tmigrate sample DIALECT CONNECTION [--scale N] [--seed S] [--version MODULE=N.m ...]: fills an empty
// embedded database with a legacy plant, at the last legacy version or with modules at older versions,
// for rehearsals, demonstrations and benchmarks.
#include <charconv>
#include <iostream>
#include <stdexcept>
#include <vector>

#include "Commands.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "sample/SampleOldVersions.h"
#include "sample/SamplePlant.h"

namespace tmigrate {
namespace {

using namespace tmigration;

// A whole decimal number of at least `min`, nothing around it.
bool ParseCount(const std::string& text, std::uint64_t min, std::uint64_t& out) {
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, out);
    return !text.empty() && ec == std::errc() && p == end && out >= min;
}

int Sample(const std::string& dialectWord, const std::string& connectionString, const std::string& scaleText,
           const std::string& seedText, const std::vector<std::string>& versionTexts) {
    db::Dialect dialect{};
    if (!db::ParseDialectWord(dialectWord, dialect)) {
        std::cerr << "error: unknown dialect '" << dialectWord << "': use access, oracle or sql\n";
        return 1;
    }
    std::uint64_t scale = 0, seed = 0;
    if (!ParseCount(scaleText, 1, scale) || scale > 1000000) {
        std::cerr << "error: --scale must be a whole number from 1 to 1000000, not '" << scaleText << "'\n";
        return 1;
    }
    if (!ParseCount(seedText, 0, seed)) {
        std::cerr << "error: --seed must be a whole number of at least 0, not '" << seedText << "'\n";
        return 1;
    }
    std::vector<sample::ModuleVersion> versions;
    try {
        for (const std::string& text : versionTexts) versions.push_back(sample::ParseModuleVersion(text));
    } catch (const std::invalid_argument& e) {
        std::cerr << "error: " << e.what() << '\n';
        return 1;
    }
    try {
        sample::CheckModuleVersions(dialect, versions);
        db::Connection connection;
        connection.SetDialect(dialect);
        connection.Open(connectionString);
        const sample::SampleResult result =
            sample::WriteSamplePlant(connection, static_cast<std::int64_t>(scale), seed);
        sample::AgeSamplePlant(connection, versions);
        connection.Close();
        std::cout << "sample plant: " << result.rows << " legacy rows in " << result.tables << " tables and "
                  << result.machineData << " machine-data rows (scale " << scale << ", seed " << seed << ", "
                  << db::DialectName(dialect) << ")\n";
        for (const sample::ModuleVersion& version : versions)
            std::cout << legacy::ModuleName(version.module) << " tables aged to version " << version.major
                      << '.' << version.minor << '\n';
        for (const legacy::Module module : sample::ModulesLeftOut(versions))
            std::cout << legacy::ModuleName(module)
                      << " tables left out: they point at Common tables that version does not have\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << '\n';
        return 1;
    }
}

}  // namespace

void AddSampleCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("sample", "Fill an empty embedded database with a legacy sample plant");
    static std::string dialect, connection, scale = "1", seed = "1";
    static std::vector<std::string> versions;
    cmd->add_option("DIALECT", dialect, "access, oracle or sql")->required();
    cmd->add_option("CONNECTION", connection,
                    "connection string of a database made with tmigrate create, e.g. "
                    "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=plant.mdb;")
        ->required();
    cmd->add_option("--scale", scale, "plant size: about six thousand legacy rows per unit")
        ->capture_default_str();
    cmd->add_option("--seed", seed, "the same seed gives the same plant")->capture_default_str();
    cmd->add_option("--version", versions,
                    "MODULE=MAJOR.MINOR: that module's tables at an older legacy version, with rows in the "
                    "forms its upgrade converts (repeat for several modules; e.g. common=44.120)")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    cmd->callback([] { ExitCode() = Sample(dialect, connection, scale, seed, versions); });
}

}  // namespace tmigrate
