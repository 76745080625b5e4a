// Column generators the sample plant's tables are declared with: constants, choices, numbers, dates,
// names and texts a real shop floor holds (quotes, blanks, long notes), and references that only name
// rows the referenced table really has.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "sample/SampleGenerator.h"

namespace tmigration::sample {

ColumnGenerator Const(db::Value value);
// One of the values, each equally likely.
ColumnGenerator OneOf(std::vector<db::Value> values);
// Whole number in [lo, hi].
ColumnGenerator Int(std::int64_t lo, std::int64_t hi);
// Amount with two decimals in [lo, hi].
ColumnGenerator Money(double lo, double hi);
// The printf-style pattern with the row number, e.g. "CUST-%05lld".
ColumnGenerator Numbered(const char* pattern, std::int64_t offset = 0);
// Null with the given chance in percent, otherwise the generator's value.
ColumnGenerator OrNull(int nullPercent, ColumnGenerator value);
// Rows 1..n take the listed values, later rows the generator's.
ColumnGenerator Listed(std::vector<db::Value> values, ColumnGenerator later = {});

// A date-time within `days` days after 2020-01-06 06:00, to the second.
ColumnGenerator When(std::int64_t days);
db::DateTime PlantDate(std::int64_t secondsAfterStart);

// A row of the referenced table, uniformly.
ColumnGenerator Ref(std::string_view table);
// A row of the referenced table whose column holds one of the values.
ColumnGenerator RefWhere(std::string_view table, std::string_view column, std::vector<std::int64_t> values);
// The column `column` of the row this cell's own `via` column names in `table` (a machine's group when
// the event names the machine).
ColumnGenerator Through(std::string_view ownTable, std::string_view via, std::string_view table,
                        std::string_view column);

// People, companies, places and notes.
ColumnGenerator FirstName();
ColumnGenerator LastName();
ColumnGenerator Company();
ColumnGenerator City();
ColumnGenerator Phone();
// Free text as users type it: usually Null or short, sometimes with quotes, blanks at the ends or
// several hundred characters long.
ColumnGenerator Notes();
// A name from `words` with the row number, now and then with an apostrophe or blanks around it,
// never longer than `width`.
ColumnGenerator Name(std::vector<std::string> words, std::size_t width);

}  // namespace tmigration::sample
