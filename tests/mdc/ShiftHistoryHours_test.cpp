#include "mdc/ShiftHistoryHours.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>

#include "SharedDatabase.h"

namespace tmigration::mdc {
namespace {

using db::DateTime;
using ::testing::ElementsAre;

const DateTime kNoon{2020, 1, 6, 12, 0, 0};

class ShiftHours : public testing::SharedStateTest {
  protected:
    void SetUp() override {
        database.OpenShared(db::Dialect::Access);
        database.Run({
            "CREATE TABLE T_TRNK_MACHINES (MACHINE_ID INTEGER, STATUS_ID INTEGER, STATUS_DATE DATETIME)",
            "INSERT INTO T_TRNK_MACHINES VALUES (1, 34, #2020-01-06 11:15:00#)",
            "INSERT INTO T_TRNK_MACHINES VALUES (2, 12, #2020-01-06 11:15:00#)",
            "CREATE TABLE T_TRNK_SH_BUFFER (SH_BUFFER_ID INTEGER, MACHINE_ID INTEGER, START_TIME DATETIME, "
            "STOP_TIME DATETIME, SETUP_START_TIME DATETIME, SETUP_TIME DOUBLE, CYCLE_START_TIME DATETIME, "
            "CYCLE_TIME DOUBLE, MACHINE_DT_START_TIME DATETIME)",
            // Open, on a machine of status 34: setup 0.5 h, cycle 30 min + 1 h running, downtime below.
            "INSERT INTO T_TRNK_SH_BUFFER VALUES (1, 1, #2020-01-06 08:00:00#, NULL, NULL, 0.5, "
            "#2020-01-06 11:00:00#, 30, NULL)",
            // Closed after two hours with nothing else recorded.
            "INSERT INTO T_TRNK_SH_BUFFER VALUES (2, 1, #2020-01-06 08:00:00#, #2020-01-06 10:00:00#, NULL, "
            "NULL, "
            "NULL, NULL, NULL)",
            // More setup than elapsed time.
            "INSERT INTO T_TRNK_SH_BUFFER VALUES (3, 2, #2020-01-06 08:00:00#, #2020-01-06 09:00:00#, NULL, "
            "5, "
            "NULL, NULL, NULL)",
            // Open, machine down since 11:00 and in setup since 11:30, on a machine of another status.
            "INSERT INTO T_TRNK_SH_BUFFER VALUES (4, 2, #2020-01-06 06:00:00#, NULL, #2020-01-06 11:30:00#, "
            "NULL, "
            "NULL, NULL, #2020-01-06 11:00:00#)",
            "CREATE TABLE T_TRNK_DT_SH_BUFFER (DT_SH_BUFFER_ID INTEGER, SH_BUFFER_ID INTEGER, SUBTYPE_ID "
            "INTEGER, "
            "START_TIME DATETIME, STOP_TIME DATETIME, DURATION DOUBLE)",
            "INSERT INTO T_TRNK_DT_SH_BUFFER VALUES (1, 1, 79, NULL, NULL, 0.25)",
            "INSERT INTO T_TRNK_DT_SH_BUFFER VALUES (2, 1, 79, #2020-01-06 11:30:00#, NULL, 9)",
            "INSERT INTO T_TRNK_DT_SH_BUFFER VALUES (3, 1, 79, #2020-01-06 09:00:00#, #2020-01-06 09:06:00#, "
            "0.1)",
            "INSERT INTO T_TRNK_DT_SH_BUFFER VALUES (4, 1, 80, NULL, NULL, 5)",
            "CREATE TABLE T_TRNK_SHIFT_HISTORY (SHIFT_HISTORY_ID INTEGER, START_TIME DATETIME, STOP_TIME "
            "DATETIME, "
            "CYCLE_TIME DOUBLE, SETUP_PDT DOUBLE)",
            "INSERT INTO T_TRNK_SHIFT_HISTORY VALUES (1, #2020-01-06 06:00:00#, #2020-01-06 14:00:00#, 120, "
            "1)",
            "INSERT INTO T_TRNK_SHIFT_HISTORY VALUES (2, #2020-01-06 06:00:00#, #2020-01-06 14:00:00#, NULL, "
            "NULL)",
            "INSERT INTO T_TRNK_SHIFT_HISTORY VALUES (3, #2020-01-06 06:00:00#, #2020-01-06 07:00:00#, 600, "
            "NULL)",
            "CREATE TABLE T_TRNK_DOWNTIME_SHIFT_HISTORY (ID INTEGER, SHIFT_HISTORY_ID INTEGER, PTYPE_ID "
            "INTEGER, "
            "DURATION DOUBLE)",
            "INSERT INTO T_TRNK_DOWNTIME_SHIFT_HISTORY VALUES (1, 1, 5, 0.5)",
            "INSERT INTO T_TRNK_DOWNTIME_SHIFT_HISTORY VALUES (2, 1, 5, 1.5)",
            "INSERT INTO T_TRNK_DOWNTIME_SHIFT_HISTORY VALUES (3, 1, 6, 3)",
        });
    }
    testing::SharedDatabase database;
};

TEST_F(ShiftHours, BufferDowntimeAddsDurationsAndRunningStops) {
    // 0.25 without start + 0.5 h running since 11:30 + 0.1 closed; subtype 80 is not machine downtime.
    EXPECT_DOUBLE_EQ(GetBufferDowntimeHours(1, kNoon), 0.85);
    EXPECT_DOUBLE_EQ(GetBufferDowntimeHours(2, kNoon), 0.0);
    EXPECT_EQ(database.sent.front(),
              "select START_TIME, STOP_TIME, DURATION  from T_TRNK_DT_SH_BUFFER  where SUBTYPE_ID = 79 and "
              "SH_BUFFER_ID = 1");
}

struct IdleCase {
    std::int32_t buffer;
    double idle;
    DateTime statusDate;
};

std::ostream& operator<<(std::ostream& os, const IdleCase& c) {
    return os << "buffer " << c.buffer;
}

class BufferIdle : public ShiftHours, public ::testing::WithParamInterface<IdleCase> {};

TEST_P(BufferIdle, IsElapsedLessSetupCycleAndDowntime) {
    double idle = -1;
    DateTime status;
    GetBufferIdleHours(GetParam().buffer, kNoon, idle, status);
    EXPECT_NEAR(idle, GetParam().idle, 1e-9);
    EXPECT_EQ(status, GetParam().statusDate);
}

const DateTime kEmpty{1970, 1, 1, 9, 0, 0};

INSTANTIATE_TEST_SUITE_P(Buffers, BufferIdle,
                         ::testing::Values(IdleCase{1,
                                                    4 - 0.5 - 1.5 - 0.85,
                                                    {2020, 1, 6, 11, 15, 0}},  // open on a status-34 machine
                                           IdleCase{2, 2, kEmpty},             // closed: empty status date
                                           IdleCase{3, 0, kEmpty},             // negative idle gives 0
                                           IdleCase{4, 6 - 0.5 - 0 - 1, kEmpty}));  // other machine status

TEST_F(ShiftHours, BufferIdleSendsTheJoinThenTheDowntimeQuery) {
    double idle = 0;
    DateTime status;
    GetBufferIdleHours(2, kNoon, idle, status);
    EXPECT_THAT(
        database.sent,
        ElementsAre(
            "select T_TRNK_SH_BUFFER.START_TIME, T_TRNK_SH_BUFFER.STOP_TIME,  "
            "T_TRNK_SH_BUFFER.SETUP_START_TIME, T_TRNK_SH_BUFFER.SETUP_TIME,  "
            "T_TRNK_SH_BUFFER.CYCLE_START_TIME, T_TRNK_SH_BUFFER.CYCLE_TIME,  "
            "T_TRNK_SH_BUFFER.MACHINE_DT_START_TIME, T_TRNK_MACHINES.STATUS_ID,  "
            "T_TRNK_MACHINES.STATUS_DATE  from T_TRNK_SH_BUFFER, T_TRNK_MACHINES  where "
            "T_TRNK_SH_BUFFER.MACHINE_ID = T_TRNK_MACHINES.MACHINE_ID  and T_TRNK_SH_BUFFER.SH_BUFFER_ID = 2",
            "select START_TIME, STOP_TIME, DURATION  from T_TRNK_DT_SH_BUFFER  where SUBTYPE_ID = 79 and "
            "SH_BUFFER_ID = 2"));
}

TEST_F(ShiftHours, ShiftHistoryDowntimeSumsMachineDowntimeOnly) {
    EXPECT_DOUBLE_EQ(GetShiftHistoryDowntime(1), 2.0);
    EXPECT_DOUBLE_EQ(GetShiftHistoryDowntime(2), 0.0);
    EXPECT_EQ(
        database.sent.front(),
        "select DURATION  from T_TRNK_DOWNTIME_SHIFT_HISTORY  where PTYPE_ID = 5 and SHIFT_HISTORY_ID = 1");
}

struct HistoryCase {
    std::int32_t id;
    double idle;
};

std::ostream& operator<<(std::ostream& os, const HistoryCase& c) {
    return os << "shift history " << c.id;
}

class HistoryIdle : public ShiftHours, public ::testing::WithParamInterface<HistoryCase> {};

TEST_P(HistoryIdle, IsElapsedLessSetupCycleAndDowntime) {
    double idle = -1;
    GetShiftHistoryIdleHours(GetParam().id, idle);
    EXPECT_DOUBLE_EQ(idle, GetParam().idle);
}

INSTANTIATE_TEST_SUITE_P(Rows, HistoryIdle,
                         ::testing::Values(HistoryCase{1, 8 - 1 - 2 -
                                                              2},  // setup 1 h, cycle 120 min, downtime 2 h
                                           HistoryCase{2, 8},      // empty setup and cycle count 0
                                           HistoryCase{3, 0}));    // 10 h of cycles in a 1 h shift

TEST_F(ShiftHours, ShiftHistoryIdleSendsItsQueryText) {
    double idle = 0;
    GetShiftHistoryIdleHours(2, idle);
    EXPECT_EQ(database.sent.front(),
              "select START_TIME, STOP_TIME,  CYCLE_TIME, SETUP_PDT  from T_TRNK_SHIFT_HISTORY  where "
              "SHIFT_HISTORY_ID = 2");
}

}  // namespace
}  // namespace tmigration::mdc
