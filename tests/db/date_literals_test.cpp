// The date-time literal readers of the embedded engine: each dialect's free form and its
// two-digit-year window, and Oracle's TO_DATE format models.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "db/engines/embedded/DateLiterals.h"

namespace tmigration::db::embedded {
namespace {

struct LiteralCase {
    const char* text;
    Dialect dialect;
    std::optional<std::string> iso;
};

class DateLiteralTest : public ::testing::TestWithParam<LiteralCase> {};

TEST_P(DateLiteralTest, ReadsTheInstantTheTextNames) {
    EXPECT_EQ(ParseDateLiteral(GetParam().text, GetParam().dialect), GetParam().iso);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DateLiteralTest,
    ::testing::Values(LiteralCase{"1970-01-02 06:00:00", Dialect::Access, "1970-01-02 06:00:00"},
                      LiteralCase{"1970-01-02T06:00:00", Dialect::SqlServer, "1970-01-02 06:00:00"},
                      LiteralCase{"1/2/1970 6:00:00 PM", Dialect::SqlServer, "1970-01-02 18:00:00"},
                      LiteralCase{"1/2/1970 12:00:00 AM", Dialect::Access, "1970-01-02 00:00:00"},
                      LiteralCase{"1/2/1970 12:30 PM", Dialect::Access, "1970-01-02 12:30:00"},
                      LiteralCase{" 12/31/1999 ", Dialect::Access, "1999-12-31 00:00:00"},
                      LiteralCase{"6:15:00 PM", Dialect::Access, "1899-12-30 18:15:00"},
                      // The two-digit year windows: Jet pivots at 30, SQL Server at 50.
                      LiteralCase{"1/2/70", Dialect::Access, "1970-01-02 00:00:00"},
                      LiteralCase{"1/2/29", Dialect::Access, "2029-01-02 00:00:00"},
                      LiteralCase{"1/2/30", Dialect::Access, "1930-01-02 00:00:00"},
                      LiteralCase{"1/2/49", Dialect::SqlServer, "2049-01-02 00:00:00"},
                      LiteralCase{"1/2/50", Dialect::SqlServer, "1950-01-02 00:00:00"},
                      // Not a date-time: refused, never read as something near.
                      LiteralCase{"2/30/1970", Dialect::Access, std::nullopt},
                      LiteralCase{"13/1/1970", Dialect::Access, std::nullopt},
                      LiteralCase{"1/2/970", Dialect::Access, std::nullopt},
                      LiteralCase{"1/2/1970 13:00:00 PM", Dialect::Access, std::nullopt},
                      LiteralCase{"1/2/1970 6:00:00 XM", Dialect::SqlServer, std::nullopt},
                      LiteralCase{"1/2/1970 6", Dialect::SqlServer, std::nullopt},
                      LiteralCase{"yesterday", Dialect::Access, std::nullopt}));

struct ToDateCase {
    const char* text;
    const char* format;
    std::optional<std::string> iso;
};

class ToDateTest : public ::testing::TestWithParam<ToDateCase> {};

TEST_P(ToDateTest, ReadsTheTextByItsFormat) {
    EXPECT_EQ(UnknownToDateElement(GetParam().format), "");
    EXPECT_EQ(ParseToDate(GetParam().text, GetParam().format), GetParam().iso);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ToDateTest,
    ::testing::Values(ToDateCase{"01/02/1970 06:00:00 PM", "MM/DD/YYYY HH:MI:SS AM", "1970-01-02 18:00:00"},
                      ToDateCase{"01/02/1970 12:00:00 AM", "MM/DD/YYYY HH:MI:SS AM", "1970-01-02 00:00:00"},
                      ToDateCase{"01/02/1970 12:00:00 PM", "MM/DD/YYYY HH:MI:SS PM", "1970-01-02 12:00:00"},
                      ToDateCase{"01/02/1970 18:30:05", "DD/MM/YYYY HH24:MI:SS", "1970-02-01 18:30:05"},
                      ToDateCase{"1970-01-02", "yyyy-mm-dd", "1970-01-02 00:00:00"},
                      ToDateCase{"1970.01.02 07", "YYYY.MM.DD HH12", "1970-01-02 07:00:00"},
                      ToDateCase{"01/02/1970 13:00:00 PM", "MM/DD/YYYY HH:MI:SS AM", std::nullopt},
                      ToDateCase{"01/02/1970 24:00:00", "DD/MM/YYYY HH24:MI:SS", std::nullopt},
                      ToDateCase{"1/2/1970", "MM-DD-YYYY", std::nullopt},
                      ToDateCase{"01/02/1970 06:00", "MM/DD/YYYY HH:MI:SS", std::nullopt},
                      ToDateCase{"01/02/1970x", "MM/DD/YYYY", std::nullopt}));

TEST(ToDateFormat, NamesTheFirstElementItDoesNotKnow) {
    EXPECT_EQ(UnknownToDateElement("DD-MON-RR"), "MON");
    EXPECT_EQ(UnknownToDateElement("YYYY-MM-DD\"T\"HH24"), "\"");
    EXPECT_EQ(UnknownToDateElement("J"), "J");
}

}  // namespace
}  // namespace tmigration::db::embedded
