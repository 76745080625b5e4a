#include "util/LocaleNumbers.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tmigration::util {
namespace {

const NumberFormat kPoint{".", "-", ","};
const NumberFormat kComma{",", "-", "."};

struct NumericCase {
    const char* text;
    bool point;  // numeric with "." decimals
    bool comma;  // numeric with "," decimals
};

std::ostream& operator<<(std::ostream& os, const NumericCase& c) {
    return os << '"' << c.text << '"';
}

class Numeric : public ::testing::TestWithParam<NumericCase> {};

TEST_P(Numeric, FollowsTheLocaleSeparators) {
    EXPECT_EQ(IsNumeric(GetParam().text, kPoint), GetParam().point) << GetParam().text;
    EXPECT_EQ(IsNumeric(GetParam().text, kComma), GetParam().comma) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, Numeric,
                         ::testing::Values(NumericCase{"12", true, true}, NumericCase{" 12 ", true, true},
                                           NumericCase{"1.5", true, true}, NumericCase{"1,5", true, true},
                                           NumericCase{"1.5.", false, true}, NumericCase{"1,5,", true, false},
                                           NumericCase{"-3", true, true}, NumericCase{"3-", true, true},
                                           NumericCase{"(3)", true, true}, NumericCase{"+.5", true, false},
                                           NumericCase{"1e5", true, true}, NumericCase{"1e", false, false},
                                           NumericCase{"&H1F", true, true}, NumericCase{"&HZ", false, false},
                                           NumericCase{"", false, false}, NumericCase{"   ", false, false},
                                           NumericCase{"-", false, false}, NumericCase{"abc", false, false},
                                           NumericCase{"12abc", false, false},
                                           NumericCase{",5", false, true}));

struct FormatCase {
    double value;
    const char* point;
    const char* comma;
};

std::ostream& operator<<(std::ostream& os, const FormatCase& c) {
    return os << c.point;
}

class Format : public ::testing::TestWithParam<FormatCase> {};

TEST_P(Format, WritesShortestTextInTheLocale) {
    EXPECT_EQ(FormatNumber(GetParam().value, kPoint), GetParam().point);
    EXPECT_EQ(FormatNumber(GetParam().value, kComma), GetParam().comma);
}

INSTANTIATE_TEST_SUITE_P(Values, Format,
                         ::testing::Values(FormatCase{12, "12", "12"}, FormatCase{1.5, "1.5", "1,5"},
                                           FormatCase{-0.25, "-0.25", "-0,25"}, FormatCase{0.1, "0.1", "0,1"},
                                           FormatCase{-0.0, "0", "0"}, FormatCase{1e15, "1E+15", "1E+15"},
                                           FormatCase{123456789012345, "123456789012345", "123456789012345"},
                                           FormatCase{1e-5, "1E-05", "1E-05"},
                                           FormatCase{0.0001, "0.0001", "0,0001"},
                                           FormatCase{1.0 / 3, "0.333333333333333", "0,333333333333333"}));

TEST(LocaleNumbers, NegativeSignOfTheFormatIsUsed) {
    const NumberFormat tilde{".", "~", ","};
    EXPECT_EQ(FormatNumber(-2.5, tilde), "~2.5");
    EXPECT_TRUE(IsNumeric("~2.5", tilde));
}

TEST(LocaleNumbers, UnknownLocaleFallsBackToCConventions) {
    const NumberFormat f = NumberFormatOf("no_SUCH.locale");
    EXPECT_EQ(f.decimalSeparator, ".");
    EXPECT_EQ(f.negativeSign, "-");
}

}  // namespace
}  // namespace tmigration::util
