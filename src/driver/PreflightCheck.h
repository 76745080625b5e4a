// PreflightCheck: looks at a database before a migration and says, one finding per line, what the
// migration would meet there: each module's legacy version and whether this dialect can bring it up
// to date, whether the tables were built for the dialect named, module tables that are missing, a
// database already (or partly) migrated, the legacy rows each transfer will move and the rows that
// would stop a transfer by its column rules, and, for Access files, what the compaction needs. It
// opens the database read-only and changes nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/Dialect.h"
#include "legacy/catalog/LegacyModule.h"
#include "transfer/BuiltTransfers.h"

namespace tmigration::driver {

struct PreflightFinding {
    bool blocking = false;  // the migration would stop on it
    std::string text;       // one line
};

struct PreflightReport {
    std::vector<PreflightFinding> findings;
    bool opened = false;  // the database could be opened (for reading)
    bool CanMigrate() const;
    std::size_t BlockingCount() const;
};

// `more`: the transfers built above this layer's own (the shift summaries), as for MigrateData.
PreflightReport RunPreflightCheck(db::Dialect dialect, const std::string& connection,
                                  const std::vector<transfer::BuiltTransfer>& more = {});

// The oldest legacy major of the module that the program brings up to date in the dialect.
int OldestUpgradableMajor(legacy::Module module, db::Dialect dialect);

// The connection string that opens the same database without writing to it (embedded files only;
// other strings come back unchanged).
std::string ReadOnlyConnection(const std::string& connection);

// Most rows reported one by one for the same transfer column; the rest are counted.
inline constexpr int kRowsListedPerColumn = 20;

}  // namespace tmigration::driver
