// The rows an empty new schema is seeded with, as INSERT/UPDATE texts: database item 1, the
// security object catalogue, the programming-interface functions and the fixed rows (machine
// commands, administrator groups, default scrap code, options, items 2 and 3).
#pragma once

#include <string>
#include <vector>

#include "db/Dialect.h"

namespace tmigration::schema {

// Database item 1, seeded with the number of the very statement that inserts it.
std::string ItemOneSeedRow(int ownStatementNumber);

// One row per security object of the three applications (740 statements).
std::vector<std::string> SecurityObjectSeedRows();

// Programming-interface functions 1 to 344, all at version 2.
std::vector<std::string> ApiFunctionSeedRows();

// The 23 fixed rows that close the schema statement list.
std::vector<std::string> FixedSeedRows(db::Dialect dialect);

}  // namespace tmigration::schema
