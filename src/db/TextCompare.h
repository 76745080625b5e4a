// Comparison of two cell values as the databases compare them: numbers by value, dates in time
// order, texts with or without regard to case (Jet and SQL Server ignore case, Oracle does not).
#pragma once

#include "db/Value.h"

namespace tmigration::db {

// Negative, zero or positive. Neither value may be Null.
int CompareValues(const Value& a, const Value& b, bool caseSensitive);

}  // namespace tmigration::db
