// Date helpers shared by the conversions: the database server's current time, joining a date with
// a time of day, and building a date-time from its parts (the empty date when they form none).
#pragma once

#include <string>

#include "db/Dialect.h"
#include "db/Value.h"

namespace tmigration::core {

// The server's current date and time as "YYYY-MM-DD HH:MM:SS", read with the dialect's query.
std::string GetDatabaseNow(db::Dialect databaseType);

// Year, month and day of `date` with hour, minute and second of `time`.
db::DateTime CombineDateAndTime(const db::DateTime& date, const db::DateTime& time);
db::DateTime CombineDateAndTime(const db::Value& date, const db::Value& time);

// The date-time of the parts, or the empty date (1970-01-01 09:00:00) when they name no real day
// of the years 100 to 9999 or no time of day.
db::DateTime BuildDateTime(int year, int month, int day, int hour, int minute, int second);

}  // namespace tmigration::core
