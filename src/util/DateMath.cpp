#include "util/DateMath.h"

namespace tmigration::util {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

}  // namespace

std::int64_t DateDiffSeconds(const db::DateTime& from, const db::DateTime& to) {
    return to.ToEpochSeconds() - from.ToEpochSeconds();
}

double HoursBetween(const db::DateTime& from, const db::DateTime& to) {
    return static_cast<double>(DateDiffSeconds(from, to)) / 3600.0;
}

db::DateTime AddSeconds(const db::DateTime& t, std::int64_t seconds) {
    return db::DateTime::FromEpochSeconds(t.ToEpochSeconds() + seconds);
}

db::DateTime AddDays(const db::DateTime& t, std::int64_t days) {
    return AddSeconds(t, days * kSecondsPerDay);
}

int Weekday(const db::DateTime& t) {
    // 1970-01-01 was a Thursday (5).
    const db::DateTime midnight{t.year, t.month, t.day, 0, 0, 0};
    return static_cast<int>((FloorDiv(midnight.ToEpochSeconds(), kSecondsPerDay) + 4) % 7 + 7) % 7 + 1;
}

db::DateTime EmptyDate() {
    return db::DateTime{1970, 1, 1, 9, 0, 0};
}

bool IsValidDateTime(const db::DateTime& t) {
    return t.year >= 100 && t.year <= 9999 && t.IsValid();
}

}  // namespace tmigration::util
