// The SQL dialect a connection speaks. The numeric values are the component's DatabaseType
// codes, passed to every dialect-neutral step.
#pragma once

#include <string_view>

namespace tmigration::db {

enum class Dialect : int { Oracle = 0, Access = 1, SqlServer = 2 };

// "access", "oracle", "sql" (the command-line words); nullopt-free: returns false when unknown.
bool ParseDialectWord(std::string_view word, Dialect& out);
std::string_view DialectName(Dialect d);  // "Access", "Oracle", "SQL Server"

}  // namespace tmigration::db
