// How a new-schema column, declared in its Access form ("NAME TYPE"), is written in each
// dialect: the type mapping, the decimal scales of the DOUBLE columns and the key definition.
// Unknown Access types are passed through unchanged.
#pragma once

#include <string>
#include <string_view>

#include "db/Dialect.h"
#include "schema/NewSchemaTables.h"

namespace tmigration::schema {

// The key column's definition after its name, e.g. "COUNTER NOT NULL PRIMARY KEY".
std::string_view KeyColumnType(db::Dialect dialect);

// Decimal places of a DOUBLE column on SQL Server and Oracle: 4 unless the column is one of
// the money/duration columns (2) or the gauging dimensions (6).
int DecimalScale(std::string_view table, std::string_view column);

// One column "NAME TYPE" of `table` as `dialect` writes it.
std::string RenderColumn(db::Dialect dialect, std::string_view table, std::string_view accessColumn);

// All columns of a table after its key, joined by ", ".
std::string RenderColumns(db::Dialect dialect, const TableDecl& table);

}  // namespace tmigration::schema
