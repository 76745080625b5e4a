// PhaseTable: the ordered phases of one migration call, each with its step, the overall percentage
// shown after it succeeds and the way the call ends when it fails. StandardPhases() is the one
// place that names the step of every phase; the thread's table may have single steps replaced
// (tests), like the rest of the thread's shared state.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "db/Dialect.h"

namespace tmigration::driver {

enum class Phase {
    ConnectToDatabase,
    SetupCommon,
    SetupGage,
    SetupMDC,
    SetupTool,
    SetupTraveler,
    PrepareOldTables,
    CreateNewTables,
    MigrateData,
    DeleteOldTables,
    FinalizeMigration,
    DisconnectFromDatabase,
    CompactAndRepairDatabase,
};

// The phase's name as the code names it ("SetupCommon", "MigrateData").
const char* PhaseName(Phase phase);

struct PhaseContext {
    db::Dialect databaseType;
    std::string connection;  // the caller's connection string, unchanged
};

using PhaseStep = std::function<bool(const PhaseContext& context, std::string& strError)>;

// What the call does, besides restoring the default pointer, when a phase fails.
enum class FailureExit {
    UnloadWindow,                // the connection is not open (connect, disconnect, compaction)
    UnloadWindowThenDisconnect,  // a module's legacy upgrade
    DisconnectThenUnloadWindow,  // preparation, new schema, transfers, removal, finalization
};

struct PhaseEntry {
    Phase phase;
    PhaseStep step;
    std::optional<std::int16_t> overallAfter;  // overall percentage once the step succeeded
    FailureExit onFailure;
    bool accessOnly = false;
};

std::vector<PhaseEntry> StandardPhases();

class PhaseTable {
  public:
    PhaseTable() : entries_(StandardPhases()) {}
    const std::vector<PhaseEntry>& Entries() const { return entries_; }
    // Runs `step` in place of the phase's own step.
    void Override(Phase phase, PhaseStep step);
    // Keeps only connecting, the five modules' legacy upgrades and disconnecting: the call then
    // brings the legacy tables to the last legacy version and stops there.
    void KeepLegacyUpgradeOnly();

  private:
    std::vector<PhaseEntry> entries_;
};

// The phases the migration calls of this thread run; the standard ones until a step is replaced,
// and again after ResetThreadPhaseTable().
PhaseTable& ThreadPhaseTable();
void ResetThreadPhaseTable();

// The database file of an Access connection string, named by the text between the first
// "Data Source=" (exact case) and the next ";", and read as the engine reads it when it opens the
// file (without blanks or quotes around it). std::invalid_argument when there is no such text.
std::string CutAccessDataSource(const std::string& connection);

}  // namespace tmigration::driver
