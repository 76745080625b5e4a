// The schema statement list: every SQL text that builds the new schema, in execution order,
// per dialect. Index 0 holds statement 1. Built once per dialect from the table declarations
// and the seed rows; the numbering is what database item 1 records, so it must never move.
#pragma once

#include <string>
#include <vector>

#include "db/Dialect.h"

namespace tmigration::schema {

// 1553 statements for Access and SQL Server, 1652 for Oracle.
const std::vector<std::string>& SchemaStatements(db::Dialect dialect);

// The list length: the loop bound and the divisor of the step percentage.
int SchemaStatementCount(db::Dialect dialect);

// The statement that inserts database item 1 (2, or 4 on Oracle). Item 1 is advanced after
// every statement with a higher number.
int ItemOneSeedStatement(db::Dialect dialect);

// The level finalization writes into item 1 once the migration is complete (count + 1).
int FinalSchemaLevel(db::Dialect dialect);

}  // namespace tmigration::schema
