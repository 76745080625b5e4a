// ColumnTypes: each dialect's column types as the embedded engine declares them, and the ADO
// type code a declared type reads back as.
#pragma once

#include <string>

#include "db/Dialect.h"
#include "db/engines/embedded/SqlTokens.h"

namespace tmigration::db::embedded {

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

}  // namespace tmigration::db::embedded
