// Creating a module's legacy tables from its catalog, dialect-neutral: every statement in execution order
// (tables, indexes, [Oracle: sequences, triggers,] foreign keys), skipping "#ERROR#" and empty texts,
// with the step percent after each table of each pass. The caller executes and shows progress.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "db/Dialect.h"
#include "legacy/catalog/LegacyCatalog.h"
#include "legacy/catalog/LegacyModule.h"

namespace tmigration::legacy {

using RunLegacyStatement = std::function<bool(const std::string& sql)>;
using ReportLegacyPercent = std::function<void(int percent)>;

// Runs the catalog's statements through `run` and stops at the first that returns false (result false).
// After each table of each pass `progress` (may be empty) gets the 16-bit integer of
// tables done / (passes x tables) x 100, rounded half to even.
bool ForEachLegacyStatement(const LegacyCatalog& catalog, const RunLegacyStatement& run,
                            const ReportLegacyPercent& progress);
bool ForEachLegacyStatement(Module module, db::Dialect dialect, const RunLegacyStatement& run,
                            const ReportLegacyPercent& progress);

// All statements of a module's create-all in execution order.
std::vector<std::string> LegacyStatements(Module module, db::Dialect dialect);

}  // namespace tmigration::legacy
