#include "Report.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>

#include "Commands.h"
#include "driver/MigrationDriver.h"
#include "transfer/MigrateData.h"

namespace tmigrate {
namespace {

using nlohmann::ordered_json;
namespace fs = std::filesystem;
namespace transfer = tmigration::transfer;

std::int64_t Sum(const std::map<std::string, std::int64_t>& counts) {
    std::int64_t n = 0;
    for (const auto& [key, rows] : counts) n += rows;
    return n;
}

ordered_json TransferJson(const TransferLine& line) {
    const transfer::TransferCounts& c = line.counts;
    return {{"number", line.number},
            {"transfer", line.name},
            {"legacyRowsRead", c.read},
            {"newRowsWritten", c.written},
            {"rowsSkipped", c.Skipped()},
            {"skippedBecause", c.skipped},
            {"keysTranslatedToNull", Sum(c.nullKeys)},
            {"nullKeysByColumn", c.nullKeys},
            {"seconds", c.seconds}};
}

std::string TemporaryOf(const std::string& path) {
    return path + ".partial";
}

}  // namespace

MigrationRecorder::MigrationRecorder() {
    transfer::SetTransferObserver(
        [this](const transfer::TransferEntry& entry, const transfer::TransferCounts& c) {
            transfers_.push_back({entry.number, std::string(entry.name), c});
        });
    tmigration::driver::SetPhaseObserver([this](tmigration::driver::Phase phase, bool ok, double seconds) {
        phases_.push_back({tmigration::driver::PhaseName(phase), ok, seconds});
    });
}

MigrationRecorder::~MigrationRecorder() {
    transfer::SetTransferObserver({});
    tmigration::driver::SetPhaseObserver({});
}

bool CanWriteReport(const std::string& path, std::string& why) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        why = "'" + path + "' is a folder";
        return false;
    }
    const std::string probe = TemporaryOf(path);
    {
        std::ofstream out(probe);
        if (!out) {
            why = "cannot write '" + path + "'";
            return false;
        }
    }
    fs::remove(probe, ec);
    return true;
}

bool WriteReport(const std::string& path, const RunOutcome& outcome, const MigrationRecorder& recorder,
                 std::string& why) {
    ordered_json report;
    report["dialect"] = outcome.dialect;
    report["database"] = outcome.database.empty() ? ordered_json(nullptr) : ordered_json(outcome.database);
    report["succeeded"] = outcome.succeeded;
    if (!outcome.succeeded) report["error"] = outcome.error;
    report["seconds"] = outcome.seconds;
    ordered_json phases = ordered_json::array();
    for (const PhaseLine& p : recorder.Phases())
        phases.push_back({{"phase", p.phase}, {"succeeded", p.succeeded}, {"seconds", p.seconds}});
    report["phases"] = phases;
    ordered_json transfers = ordered_json::array();
    transfer::TransferCounts total;
    for (const TransferLine& line : recorder.Transfers()) {
        transfers.push_back(TransferJson(line));
        total += line.counts;
    }
    report["transfers"] = transfers;
    report["totals"] = {{"transfers", recorder.Transfers().size()},
                        {"legacyRowsRead", total.read},
                        {"newRowsWritten", total.written},
                        {"rowsSkipped", total.Skipped()},
                        {"keysTranslatedToNull", Sum(total.nullKeys)}};
    // A report is read whole or not at all: written aside, then renamed into place.
    const std::string temporary = TemporaryOf(path);
    {
        std::ofstream out(temporary);
        out << report.dump(2) << '\n';
        out.flush();
        if (!out) {
            why = "cannot write '" + path + "'";
            std::error_code ec;
            fs::remove(temporary, ec);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temporary, path, ec);
    if (ec) {
        why = "cannot write '" + path + "': " + ec.message();
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

namespace {

// The report as a short table: the phases, the transfers that passed rows over or left keys Null,
// and the totals.
int PrintReport(const std::string& path) {
    ordered_json report;
    try {
        std::ifstream in(path);
        if (!in) {
            std::cerr << "Cannot read the report '" << path << "'.\n";
            return 1;
        }
        report = ordered_json::parse(in);
        std::printf("migration (%s): %s in %.1f s\n", report.at("dialect").get<std::string>().c_str(),
                    report.at("succeeded").get<bool>() ? "succeeded" : "failed",
                    report.at("seconds").get<double>());
        if (report.contains("error"))
            std::printf("error: %s\n", report.at("error").get<std::string>().c_str());
        std::printf("\n%-26s %-9s %9s\n", "phase", "result", "seconds");
        for (const auto& p : report.at("phases"))
            std::printf("%-26s %-9s %9.2f\n", p.at("phase").get<std::string>().c_str(),
                        p.at("succeeded").get<bool>() ? "ok" : "FAILED", p.at("seconds").get<double>());
        std::printf("\n%3s  %-40s %9s %9s %8s %9s %8s\n", "#", "transfer", "read", "written", "skipped",
                    "null keys", "seconds");
        for (const auto& t : report.at("transfers")) {
            if (t.at("rowsSkipped").get<std::int64_t>() == 0 &&
                t.at("keysTranslatedToNull").get<std::int64_t>() == 0)
                continue;
            std::printf("%3d  %-40s %9lld %9lld %8lld %9lld %8.2f\n", t.at("number").get<int>(),
                        t.at("transfer").get<std::string>().c_str(),
                        static_cast<long long>(t.at("legacyRowsRead").get<std::int64_t>()),
                        static_cast<long long>(t.at("newRowsWritten").get<std::int64_t>()),
                        static_cast<long long>(t.at("rowsSkipped").get<std::int64_t>()),
                        static_cast<long long>(t.at("keysTranslatedToNull").get<std::int64_t>()),
                        t.at("seconds").get<double>());
            for (const auto& [reason, rows] : t.at("skippedBecause").items())
                std::printf("%5s  skipped %lld: %s\n", "", static_cast<long long>(rows.get<std::int64_t>()),
                            reason.c_str());
            for (const auto& [column, rows] : t.at("nullKeysByColumn").items())
                std::printf("%5s  null key %lld: %s\n", "", static_cast<long long>(rows.get<std::int64_t>()),
                            column.c_str());
        }
        const auto& total = report.at("totals");
        std::printf("%3s  %-40s %9lld %9lld %8lld %9lld\n", "", "total of all transfers",
                    static_cast<long long>(total.at("legacyRowsRead").get<std::int64_t>()),
                    static_cast<long long>(total.at("newRowsWritten").get<std::int64_t>()),
                    static_cast<long long>(total.at("rowsSkipped").get<std::int64_t>()),
                    static_cast<long long>(total.at("keysTranslatedToNull").get<std::int64_t>()));
        std::printf("(%lld transfers ran; only those that skipped rows or left keys Null are listed)\n",
                    static_cast<long long>(total.at("transfers").get<std::int64_t>()));
    } catch (const nlohmann::json::exception& e) {
        std::cerr << "'" << path << "' is not a migration report: " << e.what() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

void AddReportCommand(CLI::App& app) {
    auto* cmd =
        app.add_subcommand("report", "Print the report of a migration (migrate --report FILE) as a table");
    static std::string path;
    cmd->add_option("FILE", path, "the JSON report")->required();
    cmd->callback([] { ExitCode() = PrintReport(path); });
}

}  // namespace tmigrate
