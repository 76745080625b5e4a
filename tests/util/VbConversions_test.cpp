#include "util/VbConversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <stdexcept>

namespace tmigration::util {
namespace {

struct RoundingCase {
    double input;
    int expected;
};

std::ostream& operator<<(std::ostream& os, const RoundingCase& c) {
    return os << c.input;
}

class CIntRounding : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(CIntRounding, RoundsHalfToEven) {
    EXPECT_EQ(CInt(GetParam().input), GetParam().expected);
    EXPECT_EQ(CLng(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, CIntRounding,
                         ::testing::Values(RoundingCase{12.5, 12}, RoundingCase{13.5, 14},
                                           RoundingCase{0.5, 0}, RoundingCase{1.5, 2}, RoundingCase{-2.5, -2},
                                           RoundingCase{-3.5, -4}, RoundingCase{2.4999, 2},
                                           RoundingCase{2.5001, 3}, RoundingCase{-0.4, 0},
                                           RoundingCase{32767.4, 32767}, RoundingCase{-32768.5, -32768}));

struct RangeCase {
    double input;
    bool fitsInt;
    bool fitsLong;
};

std::ostream& operator<<(std::ostream& os, const RangeCase& c) {
    return os << c.input;
}

class IntegerRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(IntegerRange, OverflowOutsideTheRange) {
    const auto& c = GetParam();
    if (c.fitsInt)
        EXPECT_NO_THROW(CInt(c.input));
    else
        EXPECT_THROW(CInt(c.input), std::overflow_error);
    if (c.fitsLong)
        EXPECT_NO_THROW(CLng(c.input));
    else
        EXPECT_THROW(CLng(c.input), std::overflow_error);
}

INSTANTIATE_TEST_SUITE_P(Bounds, IntegerRange,
                         ::testing::Values(RangeCase{32767.5, false, true},  // rounds to 32768
                                           RangeCase{-32768.5, true, true}, RangeCase{-32769, false, true},
                                           RangeCase{2147483647.4, false, true},
                                           RangeCase{2147483647.5, false, false},
                                           RangeCase{-2147483648.5, false, true},
                                           RangeCase{std::nan(""), false, false},
                                           RangeCase{std::numeric_limits<double>::infinity(), false, false}));

TEST(CInt, OverflowErrorReadsOverflow) {
    try {
        CInt(40000.0);
        FAIL();
    } catch (const std::overflow_error& e) {
        EXPECT_STREQ(e.what(), "Overflow");
    }
}

struct ValCase {
    const char* text;
    double expected;
};

std::ostream& operator<<(std::ostream& os, const ValCase& c) {
    return os << '"' << c.text << '"';
}

class ValParse : public ::testing::TestWithParam<ValCase> {};

TEST_P(ValParse, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(Val(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValParse,
    ::testing::Values(ValCase{"12abc", 12}, ValCase{"abc", 0}, ValCase{"", 0}, ValCase{"  42", 42},
                      ValCase{"1 2 3", 123}, ValCase{"1\t2\n3", 123}, ValCase{"-7.25kg", -7.25},
                      ValCase{"+3", 3}, ValCase{".5", 0.5}, ValCase{"5.", 5}, ValCase{"-", 0},
                      ValCase{".", 0}, ValCase{"1.2.3", 1.2}, ValCase{"1,5", 1}, ValCase{"2e3", 2000},
                      ValCase{"2D2", 200}, ValCase{"2e", 2}, ValCase{"2e+", 2}, ValCase{"1.5E-2x", 0.015},
                      ValCase{"&H10", 16}, ValCase{"&hFF", 255}, ValCase{"&HFFFF", -1}, ValCase{"&O17", 15},
                      ValCase{"&H", 0}, ValCase{"1e-400", 0}, ValCase{"61.132", 61.132}));

TEST(Val, TooLargeIsAnOverflow) {
    EXPECT_THROW(Val("1e400"), std::overflow_error);
}

struct PercentCase {
    double done;
    double total;
    int expected;
};

std::ostream& operator<<(std::ostream& os, const PercentCase& c) {
    return os << c.done << "/" << c.total;
}

class Percent : public ::testing::TestWithParam<PercentCase> {};

TEST_P(Percent, IsTheRoundedShareOfHundred) {
    EXPECT_EQ(PercentDone(GetParam().done, GetParam().total), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Shares, Percent,
                         ::testing::Values(PercentCase{0, 7, 0}, PercentCase{7, 7, 100},
                                           PercentCase{1, 3, 33}, PercentCase{2, 3, 67},
                                           PercentCase{1, 8, 12},  // 12.5 -> 12
                                           PercentCase{3, 8, 38},  // 37.5 -> 38
                                           PercentCase{57, 100, 57}));

TEST(PercentDone, ZeroTotalFailsLikeTheRuntimeDivision) {
    EXPECT_THROW(PercentDone(0, 0), std::overflow_error);
    EXPECT_THROW(PercentDone(3, 0), std::domain_error);
}

}  // namespace
}  // namespace tmigration::util
