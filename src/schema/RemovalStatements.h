// The removal statement list that drops the legacy schema at the end of a migration: every
// legacy foreign key, then (Oracle) every legacy sequence, then every legacy table. Index 0
// holds statement 1; the Oracle list keeps three empty texts so that the numbering matches.
#pragma once

#include <string>
#include <vector>

#include "db/Dialect.h"

namespace tmigration::schema {

// 423 statements for Access and SQL Server, 542 for Oracle.
const std::vector<std::string>& RemovalStatements(db::Dialect dialect);

// The list length: the loop bound and the divisor of the step percentage.
int RemovalStatementCount(db::Dialect dialect);

}  // namespace tmigration::schema
