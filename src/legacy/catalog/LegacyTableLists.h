// The legacy tables of each module in catalog order (table number i is element i - 1), declared in one
// data file per module and parsed once, on first use, into the table model.
#pragma once

#include <span>
#include <vector>

#include "legacy/catalog/LegacyModule.h"
#include "legacy/catalog/LegacyTable.h"

namespace tmigration::legacy {

const std::vector<LegacyTable>& LegacyTables(Module module);

std::span<const LegacyTableDecl> LegacyTableDecls(Module module);

// One per data file.
std::span<const LegacyTableDecl> CommonTableDecls();
std::span<const LegacyTableDecl> GageTableDecls();
std::span<const LegacyTableDecl> MDCTableDecls();
std::span<const LegacyTableDecl> ToolTableDecls();
std::span<const LegacyTableDecl> TravelerTableDecls();

}  // namespace tmigration::legacy
