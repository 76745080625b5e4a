// DialectRewriter: turns the expressions of a Jet, T-SQL or Oracle statement into SQLite's, and
// maps each dialect's column types onto the declared types the embedded engine stores. Only the
// forms the migration sends are covered; everything else passes through unchanged.
#pragma once

#include <string>

#include "db/Dialect.h"
#include "db/engines/embedded/SqlTokens.h"

namespace tmigration::db::embedded {

// Rewrites the date literals, date functions, upper-case functions, DUAL, empty Oracle texts and
// the Oracle "(+)" outer join of a SELECT/INSERT/UPDATE/DELETE.
Tokens RewriteExpressions(Tokens tokens, Dialect dialect);

// A column type of the dialect as the embedded engine declares it.
struct MappedType {
    std::string declared;  // e.g. "INTEGER", "VARCHAR(50)", "DATETIME", "LONGTEXT", "NUMERIC(10,4)"
    bool autoKey = false;  // COUNTER / IDENTITY: an auto-numbered key
    bool text = false;     // compared as text (gets the dialect's collation)
};

// `typeTokens` are the significant tokens of the type (e.g. NUMBER ( 10 , 0 )); throws DbError
// for a type the dialect does not have.
MappedType MapColumnType(const Tokens& typeTokens, Dialect dialect);

// ADO type code of a declared type of the embedded engine (0 when it has none).
int AdoTypeOfDeclared(const std::string& declared);

// Parses the date-time literal forms the three dialects write: ISO, "M/D/YYYY h:mm:ss AM", and a
// time alone (on 1899-12-30). Returns false when the text is none of them.
bool ParseLooseDateTime(std::string_view text, std::string& iso);

}  // namespace tmigration::db::embedded
