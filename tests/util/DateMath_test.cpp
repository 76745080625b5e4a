#include "util/DateMath.h"

#include <gtest/gtest.h>

namespace tmigration::util {
namespace {

using db::DateTime;

struct SpanCase {
    DateTime from;
    DateTime to;
    long long seconds;
};

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

struct ValidityCase {
    DateTime t;
    bool valid;
};

class Validity : public ::testing::TestWithParam<ValidityCase> {};

TEST_P(Validity, NamesARealDayAndTime) {
    EXPECT_EQ(IsValidDateTime(GetParam().t), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, Validity,
    ::testing::Values(ValidityCase{{2024, 2, 29, 0, 0, 0}, true}, ValidityCase{{2023, 2, 29, 0, 0, 0}, false},
                      ValidityCase{{1900, 2, 29, 0, 0, 0}, false}, ValidityCase{{2000, 2, 29, 0, 0, 0}, true},
                      ValidityCase{{2020, 4, 31, 0, 0, 0}, false},
                      ValidityCase{{2020, 13, 1, 0, 0, 0}, false}, ValidityCase{{2020, 0, 1, 0, 0, 0}, false},
                      ValidityCase{{2020, 1, 1, 24, 0, 0}, false},
                      ValidityCase{{2020, 1, 1, 23, 60, 0}, false},
                      ValidityCase{{2020, 1, 1, 23, 59, 60}, false},
                      ValidityCase{{2020, 1, 1, -1, 0, 0}, false}, ValidityCase{{99, 1, 1, 0, 0, 0}, false},
                      ValidityCase{{9999, 12, 31, 23, 59, 59}, true}));

}  // namespace
}  // namespace tmigration::util
