#include "util/Text.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tmigration::util {
namespace {

struct TrimCase {
    const char* text;
    const char* trimmed;
};
std::ostream& operator<<(std::ostream& os, const TrimCase& c) {
    return os << '"' << c.text << '"';
}

class Trimming : public ::testing::TestWithParam<TrimCase> {};
TEST_P(Trimming, DropsBlanksAtBothEndsOnly) {
    EXPECT_EQ(Trim(GetParam().text), GetParam().trimmed);
}
INSTANTIATE_TEST_SUITE_P(Texts, Trimming,
                         ::testing::Values(TrimCase{"", ""}, TrimCase{" \t\r\n", ""},
                                           TrimCase{"  C:\\data\\plant.mdb ", "C:\\data\\plant.mdb"},
                                           TrimCase{"\tNUMBER(10,0)\r\n", "NUMBER(10,0)"},
                                           TrimCase{"a  b", "a  b"}, TrimCase{"\xA0x\xA0", "\xA0x\xA0"}));

struct CompareCase {
    const char* a;
    const char* b;
    int ignoringCase;  // sign of the comparison without regard to case
    int exact;         // sign of the exact comparison
};
std::ostream& operator<<(std::ostream& os, const CompareCase& c) {
    return os << '"' << c.a << "\" vs \"" << c.b << '"';
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

class Comparing : public ::testing::TestWithParam<CompareCase> {};
TEST_P(Comparing, OrdersTextsAsTheDatabasesDo) {
    const CompareCase& c = GetParam();
    EXPECT_EQ(Sign(CompareIgnoringCase(c.a, c.b)), c.ignoringCase);
    EXPECT_EQ(Sign(CompareIgnoringCase(c.b, c.a)), -c.ignoringCase);
    EXPECT_EQ(Sign(CompareExact(c.a, c.b)), c.exact);
    EXPECT_EQ(EqualsIgnoringCase(c.a, c.b), c.ignoringCase == 0);
}
INSTANTIATE_TEST_SUITE_P(
    Pairs, Comparing,
    ::testing::Values(CompareCase{"T_TRNK_GAUGES", "t_trnk_gauges", 0, -1},
                      CompareCase{"Data Source", "DATA SOURCE", 0, 1}, CompareCase{"abc", "ABD", -1, 1},
                      CompareCase{"GAGE", "GAGES", -1, -1}, CompareCase{"", "", 0, 0},
                      // '_' lies between the upper and the lower letters: folding to upper case
                      // puts it after every letter.
                      CompareCase{"a_", "AB", 1, 1},
                      // Bytes past ASCII are not letters to fold and sort above every ASCII byte.
                      CompareCase{"\xC3\xA9", "\xC3\x89", 1, 1}, CompareCase{"\xE9", "z", 1, 1}));

TEST(CaseMapping, FoldsAsciiLettersOnly) {
    EXPECT_EQ(ToUpper("Provider=sqlite; \xE9t\xE9"), "PROVIDER=SQLITE; \xE9T\xE9");
    EXPECT_EQ(ToLower("Microsoft.Jet.OLEDB.4.0"), "microsoft.jet.oledb.4.0");
    EXPECT_TRUE(StartsWithIgnoringCase("select * from T", "SELECT"));
    EXPECT_FALSE(StartsWithIgnoringCase("SEL", "SELECT"));
}

}  // namespace
}  // namespace tmigration::util
