// The statements that give 100 legacy tables their mapping column SFC_ID before the new schema
// is created: a nullable integer without default, index or constraint, which each transfer
// fills with the new key of the legacy row it copied.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "db/Dialect.h"

namespace tmigration::transfer {

// The legacy tables that receive SFC_ID, in the order the columns are added.
const std::vector<std::string_view>& MappedLegacyTables();

// "NUMBER(10,0)" on Oracle, "INTEGER" on Access and SQL Server.
std::string_view MappingColumnType(db::Dialect dialect);

// One "ALTER TABLE <table> ADD SFC_ID <type>" per mapped table, in order (100 statements).
const std::vector<std::string>& PrepareStatements(db::Dialect dialect);

}  // namespace tmigration::transfer
