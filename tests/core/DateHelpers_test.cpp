#include "core/DateHelpers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ctime>
#include <ostream>

#include "SharedDatabase.h"
#include "util/DateMath.h"

namespace tmigration::core {
namespace {

using db::DateTime;

struct NowCase {
    const char* name;
    db::Dialect dialect;
    const char* sql;
};

std::ostream& operator<<(std::ostream& os, const NowCase& c) {
    return os << c.name;
}

class DatabaseNow : public testing::SharedStateTest, public ::testing::WithParamInterface<NowCase> {};

TEST_P(DatabaseNow, ReadsTheServerClockWithTheDialectsQuery) {
    testing::SharedDatabase database;
    database.OpenShared(GetParam().dialect);
    const std::string now = GetDatabaseNow(GetParam().dialect);
    EXPECT_THAT(database.sent, ::testing::ElementsAre(GetParam().sql));

    const auto parsed = DateTime::ParseIso(now);
    ASSERT_TRUE(parsed) << now;
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    const DateTime clock{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                         local.tm_hour,        local.tm_min,     local.tm_sec};
    EXPECT_LE(std::abs(util::DateDiffSeconds(*parsed, clock)), 120) << now;
}

INSTANTIATE_TEST_SUITE_P(
    Dialects, DatabaseNow,
    ::testing::Values(NowCase{"Oracle", db::Dialect::Oracle, "Select SYSDATE from DUAL"},
                      NowCase{"Access", db::Dialect::Access, "SELECT Date() as PDATE , Time() as PTIME "},
                      NowCase{"SqlServer", db::Dialect::SqlServer, "select CURRENT_TIMESTAMP AS PDATE "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CombineDateAndTime, TakesTheDayOfOneAndTheTimeOfTheOther) {
    EXPECT_EQ(CombineDateAndTime(DateTime{2021, 6, 30, 23, 59, 59}, DateTime{1899, 12, 30, 6, 5, 4}),
              (DateTime{2021, 6, 30, 6, 5, 4}));
    EXPECT_EQ(CombineDateAndTime(db::Value("2021-06-30 00:00:00"), db::Value("1899-12-30 13:14:15")),
              (DateTime{2021, 6, 30, 13, 14, 15}));
    EXPECT_ANY_THROW(CombineDateAndTime(db::Value(), db::Value("1899-12-30 13:14:15")));
}

struct BuildCase {
    int parts[6];
    DateTime expected;
};

std::ostream& operator<<(std::ostream& os, const BuildCase& c) {
    return os << c.parts[0] << "-" << c.parts[1] << "-" << c.parts[2] << " " << c.parts[3] << ":"
              << c.parts[4] << ":" << c.parts[5];
}

class Build : public ::testing::TestWithParam<BuildCase> {};

TEST_P(Build, GivesTheDateOrTheEmptyDate) {
    const int* p = GetParam().parts;
    EXPECT_EQ(BuildDateTime(p[0], p[1], p[2], p[3], p[4], p[5]), GetParam().expected);
}

const DateTime kEmpty{1970, 1, 1, 9, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Parts, Build,
    ::testing::Values(BuildCase{{2020, 2, 29, 13, 45, 10}, {2020, 2, 29, 13, 45, 10}},
                      BuildCase{{2019, 2, 29, 13, 45, 10}, kEmpty}, BuildCase{{2020, 13, 1, 0, 0, 0}, kEmpty},
                      BuildCase{{2020, 1, 0, 0, 0, 0}, kEmpty}, BuildCase{{2020, 1, 1, 24, 0, 0}, kEmpty},
                      BuildCase{{2020, 1, 1, 0, 60, 0}, kEmpty}, BuildCase{{2020, 1, 1, 0, 0, 60}, kEmpty},
                      BuildCase{{0, 0, 0, 0, 0, 0}, kEmpty},
                      BuildCase{{1970, 1, 1, 0, 0, 0}, {1970, 1, 1, 0, 0, 0}}));

}  // namespace
}  // namespace tmigration::core
