#include "util/DateMath.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tmigration::util {
namespace {

using db::DateTime;

struct SpanCase {
    DateTime from;
    DateTime to;
    long long seconds;
};

std::ostream& operator<<(std::ostream& os, const SpanCase& c) {
    return os << c.from.ToIso() << " to " << c.to.ToIso();
}

class DateDifference : public ::testing::TestWithParam<SpanCase> {};

TEST_P(DateDifference, CountsWholeSecondsAndHours) {
    const auto& c = GetParam();
    EXPECT_EQ(DateDiffSeconds(c.from, c.to), c.seconds);
    EXPECT_DOUBLE_EQ(HoursBetween(c.from, c.to), c.seconds / 3600.0);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, DateDifference,
    ::testing::Values(SpanCase{{2020, 1, 1, 8, 0, 0}, {2020, 1, 1, 16, 30, 0}, 30600},
                      SpanCase{{2020, 1, 1, 16, 30, 0}, {2020, 1, 1, 8, 0, 0}, -30600},
                      SpanCase{{2020, 2, 28, 23, 0, 0}, {2020, 3, 1, 1, 0, 0}, 93600},  // across 29 Feb
                      SpanCase{{2019, 12, 31, 23, 59, 59}, {2020, 1, 1, 0, 0, 0}, 1},
                      SpanCase{{1970, 1, 1, 22, 0, 0}, {1970, 1, 2, 6, 0, 0}, 28800}));

TEST(DateMath, AddDaysAndSecondsCarryOverMonthAndYear) {
    EXPECT_EQ(AddDays(DateTime{2020, 12, 31, 10, 0, 0}, 1), (DateTime{2021, 1, 1, 10, 0, 0}));
    EXPECT_EQ(AddDays(DateTime{2020, 3, 1, 0, 0, 0}, -1), (DateTime{2020, 2, 29, 0, 0, 0}));
    EXPECT_EQ(AddSeconds(DateTime{1970, 1, 1, 23, 59, 30}, 45), (DateTime{1970, 1, 2, 0, 0, 15}));
}

struct WeekdayCase {
    DateTime day;
    int weekday;
};

std::ostream& operator<<(std::ostream& os, const WeekdayCase& c) {
    return os << c.day.ToIso();
}

class Weekdays : public ::testing::TestWithParam<WeekdayCase> {};

TEST_P(Weekdays, NumberSundayOneToSaturdaySeven) {
    EXPECT_EQ(Weekday(GetParam().day), GetParam().weekday);
}

INSTANTIATE_TEST_SUITE_P(Days, Weekdays,
                         ::testing::Values(WeekdayCase{{1970, 1, 1, 9, 0, 0}, 5},  // Thursday
                                           WeekdayCase{{1970, 1, 4, 0, 0, 0}, 1},  // Sunday
                                           WeekdayCase{{1970, 1, 3, 23, 59, 59}, 7},
                                           WeekdayCase{{1969, 12, 29, 0, 0, 0}, 2},  // Monday before 1970
                                           WeekdayCase{{2024, 2, 29, 0, 0, 0}, 5},
                                           WeekdayCase{{1899, 12, 30, 0, 0, 0}, 7}));

TEST(DateMath, EmptyDateIsNineOnFirstJanuary1970) {
    EXPECT_EQ(EmptyDate(), (DateTime{1970, 1, 1, 9, 0, 0}));
}

}  // namespace
}  // namespace tmigration::util
