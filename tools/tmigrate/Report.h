// The reconciliation report of one `tmigrate migrate` run (--report FILE): per transfer the legacy
// rows read, the new rows written, the rows passed over and why, the legacy keys that found no new key
// (the column is left Null), and the time taken; per phase whether it succeeded and its time. Written
// as JSON, also when the migration fails (then with the component's error text); `tmigrate report
// FILE` prints it as a short table.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "transfer/TransferEngine.h"

namespace tmigrate {

struct TransferLine {
    int number;
    std::string name;
    tmigration::transfer::TransferCounts counts;
};

struct PhaseLine {
    std::string phase;
    bool succeeded;
    double seconds;
};

// Listens to the component while it exists: each transfer and each phase that ran.
class MigrationRecorder {
  public:
    MigrationRecorder();
    ~MigrationRecorder();
    MigrationRecorder(const MigrationRecorder&) = delete;
    MigrationRecorder& operator=(const MigrationRecorder&) = delete;

    const std::vector<TransferLine>& Transfers() const { return transfers_; }
    const std::vector<PhaseLine>& Phases() const { return phases_; }

  private:
    std::vector<TransferLine> transfers_;
    std::vector<PhaseLine> phases_;
};

struct RunOutcome {
    std::string dialect;
    std::string database;  // the file, or empty for a database server (the connection string is not kept)
    bool succeeded = false;
    std::string error;
    double seconds = 0;
};

// Checks that `path` can be written before anything starts; false with the reason otherwise.
bool CanWriteReport(const std::string& path, std::string& why);
// Writes the report in one step (a temporary file renamed over `path`); false with the reason.
bool WriteReport(const std::string& path, const RunOutcome& outcome, const MigrationRecorder& recorder,
                 std::string& why);

void AddReportCommand(CLI::App& app);

}  // namespace tmigrate
