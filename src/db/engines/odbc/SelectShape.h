// SelectShape: what the ODBC engine needs to know about a query it passes through unchanged.
#pragma once

#include <string>
#include <string_view>

namespace tmigration::db::odbc {

// The table a query reads when its rows can be written back: a plain select list (no functions,
// no DISTINCT or TOP) from one table followed by nothing, a WHERE or an ORDER BY. Empty otherwise
// (joins, aggregates, unions, sub-selects).
std::string SingleTableOf(std::string_view sql);

// The query without a trailing top-level ORDER BY, for counting its rows.
std::string WithoutOrderBy(std::string_view sql);

}  // namespace tmigration::db::odbc
