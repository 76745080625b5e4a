// FinalizeMigration: the last step on the open connection, after the legacy tables are gone. It
// creates the empty table T_TRNK_PTYPE and sets database item 1 to its final level (1554, Oracle
// 1653). On failure the progress window is hidden and strError reads "Finalizing Migration: ...".
#pragma once

#include <string>

#include "db/Dialect.h"

namespace tmigration::driver {

// The statement that creates the placeholder table in a dialect.
std::string FinalizationStatement(db::Dialect databaseType);

bool FinalizeMigration(db::Dialect databaseType, std::string& strError);

}  // namespace tmigration::driver
