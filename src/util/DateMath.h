// Date arithmetic on stored date-times, to the whole second: differences in seconds and hours,
// day and second offsets, the weekday numbered 1 (Sunday) to 7 (Saturday), and the empty date
// (1970-01-01 09:00:00) that stands in wherever a date cannot be formed.
#pragma once

#include <cstdint>

#include "db/Value.h"

namespace tmigration::util {

// Whole seconds from `from` to `to` (negative when `to` is earlier).
std::int64_t DateDiffSeconds(const db::DateTime& from, const db::DateTime& to);
// The same span in hours: whole seconds divided by 3600.
double HoursBetween(const db::DateTime& from, const db::DateTime& to);

db::DateTime AddSeconds(const db::DateTime& t, std::int64_t seconds);
db::DateTime AddDays(const db::DateTime& t, std::int64_t days);

// 1 = Sunday .. 7 = Saturday.
int Weekday(const db::DateTime& t);

db::DateTime EmptyDate();

// The fields name a real day of the years 100 to 9999 and a time of day 00:00:00 to 23:59:59.
bool IsValidDateTime(const db::DateTime& t);

}  // namespace tmigration::util
