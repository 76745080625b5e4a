#include "core/NumberText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>

namespace tmigration::core {
namespace {

const util::NumberFormat kPoint{".", "-", ","};
const util::NumberFormat kComma{",", "-", "."};

struct DecimalCase {
    int integerDigits;
    int fractionDigits;
    const char* text;
    bool point;  // valid with "." as the decimal separator
    bool comma;  // valid with ","
};

std::ostream& operator<<(std::ostream& os, const DecimalCase& c) {
    return os << '"' << c.text << "\" " << c.integerDigits << "." << c.fractionDigits;
}

class ValidDecimal : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(ValidDecimal, JudgesDigitsAsTheLocaleWritesTheNumber) {
    const auto& c = GetParam();
    EXPECT_EQ(IsValidDecimal(c.integerDigits, c.fractionDigits, c.text, kPoint), c.point) << c.text;
    EXPECT_EQ(IsValidDecimal(c.integerDigits, c.fractionDigits, c.text, kComma), c.comma) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValidDecimal,
    ::testing::Values(DecimalCase{0, 0, "", true, true},         // empty is valid
                      DecimalCase{10, 0, "abc", false, false},   // not numeric
                      DecimalCase{10, 0, "12", true, true},      //
                      DecimalCase{1, 0, "12", false, false},     // too many integer digits
                      DecimalCase{2, 0, "-12", true, true},      // the sign does not count
                      DecimalCase{3, 2, "1.25", true, true},     // read with ".", written "1,25" under ","
                      DecimalCase{3, 1, "1.25", false, false},   // two fraction digits either way
                      DecimalCase{3, 0, "1,25", true, true},     // the value read stops at ",": 1
                      DecimalCase{10, 0, "1.0", true, true},     // written back as "1"
                      DecimalCase{10, 0, "0.5", false, false},   // one fraction digit
                      DecimalCase{1, 1, "0.5", true, true},      //
                      DecimalCase{10, 0, "1e3", true, true},     // 1000
                      DecimalCase{4, 10, "1e20", false, false},  // written "1E+20", five characters
                      DecimalCase{10, 0, "1,5,", true, false},   // a grouped 1 under ".", no number under ","
                      DecimalCase{10, 0, " 7 ", true, true}));

struct SplitCase {
    const char* text;
    std::vector<std::string> pieces;
};

std::ostream& operator<<(std::ostream& os, const SplitCase& c) {
    return os << '"' << c.text << '"';
}

class Split : public ::testing::TestWithParam<SplitCase> {};

TEST_P(Split, CutsAtEverySemicolon) {
    std::vector<std::string> pieces = {"stale"};
    EXPECT_EQ(SplitSemicolonList(GetParam().text, pieces), static_cast<int>(GetParam().pieces.size()));
    EXPECT_EQ(pieces, GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(Lists, Split,
                         ::testing::Values(SplitCase{"", {}}, SplitCase{"whole", {"whole"}},
                                           SplitCase{"a;b;c", {"a", "b", "c"}}, SplitCase{"a;", {"a", ""}},
                                           SplitCase{";a", {"", "a"}}, SplitCase{" a ; b", {" a ", " b"}},
                                           SplitCase{";;", {"", "", ""}}));

}  // namespace
}  // namespace tmigration::core
