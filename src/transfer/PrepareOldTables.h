// PrepareOldTables: gives the legacy tables that take part in the transfer their mapping column
// SFC_ID, one ALTER at a time on the shared connection. The first ALTER the database refuses
// stops the step with the database's own message (columns added so far stay); nothing is
// checked beforehand and no transaction is used.
#pragma once

#include <string>

#include "db/Dialect.h"

namespace tmigration::transfer {

bool PrepareOldTables(db::Dialect databaseType, std::string& strError);

}  // namespace tmigration::transfer
