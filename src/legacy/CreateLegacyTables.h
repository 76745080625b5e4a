// CreateLegacyTables: creates one module's legacy tables from nothing, from its catalog, inside
// the caller's transaction. Runs every statement in pass order with the module's progress text and
// the step bar; at the first failing statement hides the window and leaves the database's message.
#pragma once

#include <string>
#include <string_view>

#include "db/Dialect.h"
#include "legacy/catalog/LegacyModule.h"

namespace tmigration::legacy {

// The information line shown while a module's tables are created ("Creating Old MDC Tables...").
std::string_view CreateLegacyTablesText(Module module);

bool CreateLegacyTables(Module module, db::Dialect dialect, std::string& strError);

}  // namespace tmigration::legacy
