// DateLiterals: the date-time literal forms of the three dialects read into the ISO text the
// embedded engine stores ("YYYY-MM-DD HH:MM:SS"), and the SQL functions that do it at run time.
#pragma once

#include <sqlite3.h>

#include <optional>
#include <string>
#include <string_view>

#include "db/Dialect.h"

namespace tmigration::db::embedded {

// A literal of the dialect's free form: ISO (with a blank or a "T"), "M/D/Y [h:mm[:ss] [AM|PM]]"
// (month first, the US default of Jet and SQL Server), or a time alone (on 1899-12-30). A
// two-digit year follows the dialect's window: Jet reads 00-29 as 20xx and 30-99 as 19xx, SQL
// Server 00-49 as 20xx and 50-99 as 19xx. nullopt when the text is none of these.
std::optional<std::string> ParseDateLiteral(std::string_view text, Dialect dialect);

// Oracle's TO_DATE format model. Only the elements the component writes are known (MM, DD,
// YYYY, HH, HH12, HH24, MI, SS, AM/PM with "/-:. ," separators); Check returns the first element
// it does not know, empty when the whole format is understood.
std::string UnknownToDateElement(std::string_view format);
// The text read with the format, or nullopt when it does not match it.
std::optional<std::string> ParseToDate(std::string_view text, std::string_view format);

// Registers tm_datetime(text) (SQL Server CAST .. AS DATETIME) and tm_to_date(text, format).
void RegisterDateFunctions(sqlite3* db);

}  // namespace tmigration::db::embedded
