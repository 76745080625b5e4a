#include "db/Value.h"

#include <gtest/gtest.h>

#include "db/DbError.h"

namespace tmigration::db {
namespace {

struct RoundCase {
    double in;
    std::int64_t out;
};
class RoundHalfEven : public ::testing::TestWithParam<RoundCase> {};
TEST_P(RoundHalfEven, AsIntegerRoundsLikeTheOldRuntime) {
    EXPECT_EQ(Value(GetParam().in).AsInteger(), GetParam().out);
}
INSTANTIATE_TEST_SUITE_P(Value, RoundHalfEven,
                         ::testing::Values(RoundCase{12.5, 12}, RoundCase{13.5, 14}, RoundCase{-2.5, -2},
                                           RoundCase{2.4999, 2}, RoundCase{0.5, 0}, RoundCase{1.5, 2}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(Value, NullAndNonNumbersRefuseConversion) {
    EXPECT_THROW(Value().AsInteger(), DbError);
    EXPECT_THROW(Value().AsText(), DbError);
    EXPECT_THROW(Value("abc").AsDouble(), DbError);
    EXPECT_EQ(Value(" 42 ").AsInteger(), 42);
    EXPECT_EQ(Value("2.5").AsInteger(), 2);
}

TEST(Value, TextFormsAreStable) {
    EXPECT_EQ(Value(0.1).AsText(), "0.1");
    EXPECT_EQ(Value(2.0).AsText(), "2");
    EXPECT_EQ(Value(DateTime{1970, 1, 2, 6, 0, 0}).AsText(), "1970-01-02 06:00:00");
    EXPECT_EQ(Value::Boolean(true).AsInteger(), -1);
}

TEST(DateTime, EpochRoundTripAcrossCenturiesAndLeapDays) {
    for (const DateTime& dt : {DateTime{1899, 12, 30, 0, 0, 0}, DateTime{1970, 1, 1, 9, 0, 0},
                               DateTime{2000, 2, 29, 23, 59, 59}, DateTime{2100, 3, 1, 0, 0, 1}}) {
        EXPECT_EQ(DateTime::FromEpochSeconds(dt.ToEpochSeconds()), dt) << dt.ToIso();
    }
    EXPECT_EQ(DateTime({1970, 1, 2, 0, 0, 0}).ToEpochSeconds(), 86400);
}

TEST(DateTime, ParsesIsoFormsAndRejectsImpossibleDates) {
    EXPECT_EQ(DateTime::ParseIso("1970-01-02T06:00:00")->hour, 6);
    EXPECT_EQ(DateTime::ParseIso("1970-01-02")->day, 2);
    EXPECT_EQ(DateTime::ParseIso("2024-05-06 07:08:09.123")->second, 9);
    EXPECT_FALSE(DateTime::ParseIso("2023-02-29 00:00:00"));
    EXPECT_FALSE(DateTime::ParseIso("1970-01-02 25:00:00"));
    EXPECT_FALSE(DateTime::ParseIso("plant"));
}

TEST(Value, DateSerialsMatchTheOldCalendar) {
    EXPECT_DOUBLE_EQ(Value(DateTime{1899, 12, 31, 12, 0, 0}).AsDouble(), 1.5);
    EXPECT_EQ(Value(25569.375).AsDateTime(), (DateTime{1970, 1, 1, 9, 0, 0}));
}

}  // namespace
}  // namespace tmigration::db
