// The row-text form of the legacy reference rows: "Available,A,4,,0" holds the values of the
// columns after the key, in table order. ApplyDelimitedRow writes such a text onto the current
// row of a row set (a new or an existing one) and updates it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/Recordset.h"

namespace tmigration::legacy {

// The first `count` comma-separated values of `text`, each trimmed of blanks; an empty value is
// nullopt (Null). A text without any comma, or a count below 2, yields no values at all. A text
// with fewer values than `count` yields only those it has.
std::vector<std::optional<std::string>> SplitDelimitedRow(std::string_view text, int count);

// Writes the values of SplitDelimitedRow(text, count) into fields 1, 2, ... of the current row
// (field 0, the key, is never written): Null for an empty value, the text itself in a text
// column, its leading number in any other column. Columns the text has no value for keep what
// they hold. Ends with Update.
void ApplyDelimitedRow(std::string_view text, std::int16_t count, db::Recordset& rs);

}  // namespace tmigration::legacy
