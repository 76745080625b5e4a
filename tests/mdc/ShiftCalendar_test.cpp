#include "mdc/ShiftCalendar.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "PlantFixture.h"

namespace tmigration::db {
// Failures print instants readably.
void PrintTo(const DateTime& t, std::ostream* out) {
    *out << t.ToIso();
}
}  // namespace tmigration::db

namespace tmigration::mdc {
namespace {

using db::DateTime;
using db::Dialect;

// The week of the plant calendar: Sunday 2023-01-01 to Saturday 2023-01-07, Sunday 2023-01-08.
DateTime Day(int day, int hour, int minute = 0) {
    return DateTime{2023, 1, day, hour, minute, 0};
}
constexpr int kSun = 1, kMon = 2, kTue = 3, kWed = 4, kThu = 5, kFri = 6, kSat = 7, kNextSun = 8;

struct ShiftCase {
    const char* name;
    DateTime t;
    const char* user;
    int shiftId;
    DateTime chartDate, start, stop;
};

const ShiftCase kShiftCases[] = {
    // Sunday's night shift still runs; the early shift started later, at midnight.
    {"NightFromYesterdayBeatsLaterStart", Day(kMon, 2), "", 3, Day(kSun, 0), Day(kSun, 22), Day(kMon, 6)},
    {"OwnShiftBeatsEarlierStart", Day(kMon, 2), "alice", 4, Day(kMon, 0), Day(kMon, 0), Day(kMon, 8)},
    {"UserWithoutShiftTakesEarliest", Day(kMon, 2), "bob", 3, Day(kSun, 0), Day(kSun, 22), Day(kMon, 6)},
    {"UnknownUserTakesEarliest", Day(kMon, 2), "zed", 3, Day(kSun, 0), Day(kSun, 22), Day(kMon, 6)},
    // The night shift's stop is not in it.
    {"SwingStopNotCovered", Day(kMon, 6), "", 4, Day(kMon, 0), Day(kMon, 0), Day(kMon, 8)},
    {"ExactlyAtStartCovered", Day(kTue, 7), "", 1, Day(kTue, 0), Day(kTue, 7), Day(kTue, 15)},
    {"ExactlyAtStopNotCovered", Day(kTue, 15), "", 2, Day(kTue, 0), Day(kTue, 15), Day(kTue, 23)},
    {"EveningStartedBeforeNight", Day(kTue, 22, 30), "", 2, Day(kTue, 0), Day(kTue, 15), Day(kTue, 23)},
    {"OwnNightShiftTonight", Day(kTue, 22, 30), "dave", 3, Day(kTue, 0), Day(kTue, 22), Day(kWed, 6)},
    {"ThursdayNightIntoFriday", Day(kFri, 5), "", 3, Day(kThu, 0), Day(kThu, 22), Day(kFri, 6)},
    {"EqualStartsSmallerIdWins", Day(kWed, 8), "", 1, Day(kWed, 0), Day(kWed, 7), Day(kWed, 15)},
    {"EqualStartsOwnShiftWins", Day(kWed, 8), "erin", 5, Day(kWed, 0), Day(kWed, 7), Day(kWed, 15)},
    // No night shift from Friday to Saturday, nothing on Saturday.
    {"NoShiftOnSaturdayMorning", Day(kSat, 5), "", -1, Day(kSat, 0), DateTime{1970, 1, 1, 9, 0, 0},
     DateTime{1970, 1, 1, 17, 0, 0}},
    {"OwnShiftNotRunningIsIgnored", Day(kSat, 10), "alice", -1, Day(kSat, 0), DateTime{1970, 1, 1, 9, 0, 0},
     DateTime{1970, 1, 1, 17, 0, 0}},
};

struct NextStartCase {
    const char* name;
    DateTime t;
    DateTime next;
};

const NextStartCase kNextStartCases[] = {
    {"FridayNightWaitsForSundayNight", Day(kFri, 23), Day(kNextSun, 22)},
    {"SaturdayWaitsForSundayNight", Day(kSat, 10), Day(kNextSun, 22)},
    {"LaterTheSameDay", Day(kMon, 6), Day(kMon, 7)},
    {"StrictlyAfter", Day(kTue, 22), Day(kWed, 7)},
    {"SundayMorning", Day(kSun, 5), Day(kSun, 22)},
};

class Calendar : public testing::SharedStateTest {
  protected:
    ShiftCalendar Open(Dialect dialect) {
        testing::OpenPlant(database, dialect);
        database.sent.clear();
        return ShiftCalendar(dialect);
    }
    testing::SharedDatabase database;
};

class FindShiftCases : public Calendar,
                       public ::testing::WithParamInterface<std::tuple<Dialect, ShiftCase>> {};

TEST_P(FindShiftCases, ReturnsTheCoveringOccurrence) {
    const auto& [dialect, c] = GetParam();
    const ShiftOccurrence found = Open(dialect).FindShift(c.t, c.user);
    EXPECT_EQ(found.shiftId, c.shiftId);
    EXPECT_EQ(found.chartDate, c.chartDate);
    EXPECT_EQ(found.start, c.start);
    EXPECT_EQ(found.stop, c.stop);
}

INSTANTIATE_TEST_SUITE_P(Dialects, FindShiftCases,
                         ::testing::Combine(::testing::Values(Dialect::Access, Dialect::SqlServer,
                                                              Dialect::Oracle),
                                            ::testing::ValuesIn(kShiftCases)),
                         [](const auto& info) {
                             return std::string(db::DialectName(std::get<0>(info.param)) == "SQL Server"
                                                    ? "SQL"
                                                    : db::DialectName(std::get<0>(info.param))) +
                                    "_" + std::get<1>(info.param).name;
                         });

class NextStartCases : public Calendar,
                       public ::testing::WithParamInterface<std::tuple<Dialect, NextStartCase>> {};

TEST_P(NextStartCases, ReturnsTheFirstStartAfter) {
    const auto& [dialect, c] = GetParam();
    EXPECT_EQ(Open(dialect).FindNextShiftStart(c.t), std::optional<DateTime>(c.next));
}

INSTANTIATE_TEST_SUITE_P(Dialects, NextStartCases,
                         ::testing::Combine(::testing::Values(Dialect::Access, Dialect::SqlServer,
                                                              Dialect::Oracle),
                                            ::testing::ValuesIn(kNextStartCases)),
                         [](const auto& info) {
                             return std::string(db::DialectName(std::get<0>(info.param)) == "SQL Server"
                                                    ? "SQL"
                                                    : db::DialectName(std::get<0>(info.param))) +
                                    "_" + std::get<1>(info.param).name;
                         });

TEST_F(Calendar, NoIntervalsAtAllGiveNoNextStart) {
    ShiftCalendar calendar = Open(Dialect::Access);
    database.Run(
        {"UPDATE T_TRNK_SHIFT SET MON_INTERVAL_ID = NULL, TUE_INTERVAL_ID = NULL, WED_INTERVAL_ID = NULL, "
         "THU_INTERVAL_ID = NULL, FRI_INTERVAL_ID = NULL, SAT_INTERVAL_ID = NULL, SUN_INTERVAL_ID = NULL"});
    EXPECT_EQ(calendar.FindNextShiftStart(Day(kMon, 6)), std::nullopt);
}

// The three candidate queries and the preferred-shift read, as each dialect sends them.
struct SentCase {
    Dialect dialect;
    const char* late;   // the swing stop comparison of the first query
    const char* early;  // the instant on the reference day, opened and closed
};

const SentCase kSentCases[] = {
    {Dialect::Access, " and #1970-01-02 02:00:00#  < T_TRNK_INTERVAL.STOP_TIME ", "#1970-01-01 02:00:00# "},
    {Dialect::SqlServer, " and CAST('1970-01-02T02:00:00' AS DATETIME) < T_TRNK_INTERVAL.STOP_TIME ",
     "CAST('1970-01-01T02:00:00' AS DATETIME) "},
    {Dialect::Oracle,
     " and TO_DATE('01/02/1970 02:00:00 AM', 'MM/DD/YYYY HH:MI:SS AM') < T_TRNK_INTERVAL.STOP_TIME ",
     "TO_DATE('01/01/1970 02:00:00 AM', 'MM/DD/YYYY HH:MI:SS AM') "},
};

class SentTexts : public Calendar, public ::testing::WithParamInterface<SentCase> {};

TEST_P(SentTexts, FindShiftSendsTheCalendarQueries) {
    const SentCase& c = GetParam();
    Open(c.dialect).FindShift(Day(kMon, 2), "alice");
    const std::string early = c.early;
    ASSERT_EQ(database.sent.size(), 5u);
    EXPECT_EQ(database.sent[0],
              "select T_TRNK_SHIFT.SHIFT_ID, T_TRNK_INTERVAL.START_TIME,  T_TRNK_INTERVAL.STOP_TIME  from "
              "T_TRNK_SHIFT, T_TRNK_INTERVAL  where T_TRNK_SHIFT.SUN_INTERVAL_ID = "
              "T_TRNK_INTERVAL.INTERVAL_ID  and "
              "T_TRNK_INTERVAL.IS_SWING = 'Y' " +
                  std::string(c.late) + " order by T_TRNK_INTERVAL.START_TIME ");
    EXPECT_EQ(database.sent[1],
              "select T_TRNK_SHIFT.SHIFT_ID, T_TRNK_INTERVAL.START_TIME,  T_TRNK_INTERVAL.STOP_TIME  from "
              "T_TRNK_SHIFT, T_TRNK_INTERVAL  where T_TRNK_SHIFT.MON_INTERVAL_ID = "
              "T_TRNK_INTERVAL.INTERVAL_ID  and "
              "T_TRNK_INTERVAL.IS_SWING = 'Y'  and T_TRNK_INTERVAL.START_TIME <= " +
                  early + " order by T_TRNK_INTERVAL.START_TIME ");
    EXPECT_EQ(database.sent[2],
              "select T_TRNK_SHIFT.SHIFT_ID, T_TRNK_INTERVAL.START_TIME,  T_TRNK_INTERVAL.STOP_TIME from "
              "T_TRNK_SHIFT, T_TRNK_INTERVAL  where T_TRNK_SHIFT.MON_INTERVAL_ID = "
              "T_TRNK_INTERVAL.INTERVAL_ID  and "
              "T_TRNK_INTERVAL.IS_SWING = 'N'  and T_TRNK_INTERVAL.START_TIME <= " +
                  early + " and T_TRNK_INTERVAL.STOP_TIME > " + early +
                  " order by T_TRNK_INTERVAL.START_TIME ");
    EXPECT_EQ(database.sent[3], "select * from T_TRNK_PERS  where PERSONNEL_NUMBER = 'alice'");
    EXPECT_EQ(database.sent[4], "select * from T_TRNK_PERS  where PERSONNEL_ID = 1");
}

INSTANTIATE_TEST_SUITE_P(Dialects, SentTexts, ::testing::ValuesIn(kSentCases), [](const auto& info) {
    return info.param.dialect == Dialect::Access   ? "Access"
           : info.param.dialect == Dialect::Oracle ? "Oracle"
                                                   : "SQL";
});

TEST_F(Calendar, OracleLiteralsUseTheTwelveHourClock) {
    Open(Dialect::Oracle).FindShift(Day(kTue, 0, 5), "");
    ASSERT_GE(database.sent.size(), 2u);
    EXPECT_NE(database.sent[0].find("TO_DATE('01/02/1970 12:05:00 AM', "), std::string::npos)
        << database.sent[0];
    database.sent.clear();
    ShiftCalendar(Dialect::Oracle).FindShift(Day(kTue, 13, 5), "");
    EXPECT_NE(database.sent[1].find("TO_DATE('01/01/1970 01:05:00 PM', "), std::string::npos)
        << database.sent[1];
}

}  // namespace
}  // namespace tmigration::mdc
