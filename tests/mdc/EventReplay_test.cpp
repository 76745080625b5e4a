// Hand-worked event streams replayed by both conversions, in every dialect, on the plant of
// PlantFixture.h. Rows are compared in a short form: label=value for every column that is not
// Null, not empty and not 0; instants as MM-DDTHH:MM of 2023.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "PlantFixture.h"
#include "core/RecordsetHelpers.h"
#include "core/SharedProgressWindow.h"
#include "mdc/CMDCMigration5To6Class.h"
#include "mdc/CSHBufferClass.h"

namespace tmigration::mdc {
namespace {

using db::DateTime;
using db::Dialect;
using Lines = std::vector<std::string>;

DateTime At(int day, int hour, int minute) {
    return DateTime{2023, 1, day, hour, minute, 0};
}

struct Event {
    int machine;
    int command;
    const char* parameter;
    DateTime start;
    std::optional<DateTime> stop = std::nullopt;
};

enum class Converter { Version5To6, Buffers };

struct Scenario {
    const char* name;
    Converter converter;
    std::vector<Event> events;
    Lines buffers;         // T_TRNK_SH_BUFFER
    Lines histories;       // T_TRNK_SHIFT_HISTORY
    Lines bufferDowntime;  // T_TRNK_DT_SH_BUFFER
    Lines historyDowntime;
    Lines bufferScrap;
    Lines historyScrap;
    Lines machines;  // current buffer per machine
    Lines machineEvents = {};
};

std::string Short(const db::Value& v) {
    if (v.kind() == db::Value::Kind::DateTime) {
        const DateTime t = v.AsDateTime();
        char text[32];
        std::snprintf(text, sizeof text, "%02d-%02dT%02d:%02d", t.month, t.day, t.hour, t.minute);
        return text;
    }
    return v.AsText();
}

// "label=value ..." per row for the columns named, skipping Null, empty text and zero. Rows
// starting after 2023 (the buffers of machines without events open at the database's current
// time) are counted in `later` instead.
Lines Read(const std::string& table, const std::vector<std::pair<const char*, const char*>>& columns,
           const char* key, int* later = nullptr) {
    core::RecordsetPtr rs = core::OpenClientRecordset("select * from " + table + " order by " + key);
    Lines lines;
    for (; !rs->Eof(); rs->MoveNext()) {
        if (later && rs->Get("START_TIME").AsDateTime().year > 2023) {
            ++*later;
            continue;
        }
        std::string line;
        for (const auto& [column, label] : columns) {
            const db::Value& v = rs->Get(column);
            if (v.IsNull()) continue;
            const std::string text = Short(v);
            if (text.empty() || text == "0") continue;
            line += (line.empty() ? "" : " ") + std::string(label) + "=" + text;
        }
        lines.push_back(line);
    }
    core::CloseRecordset(rs);
    return lines;
}

Lines Buffers(int& later) {
    return Read("T_TRNK_SH_BUFFER",
                {{"SH_BUFFER_ID", "id"},
                 {"MACHINE_ID", "m"},
                 {"START_TIME", "start"},
                 {"STOP_TIME", "stop"},
                 {"SHIFT_ID", "shift"},
                 {"CHART_DATE", "chart"},
                 {"SHIFT_END", "end"},
                 {"JOB_NUMBER", "job"},
                 {"JOB_EVENT_ID", "jobEv"},
                 {"JOB_BUFFER_ID", "jobBuf"},
                 {"USER_NAME", "user"},
                 {"LOGON_EVENT_ID", "logEv"},
                 {"LOGON_BUFFER_ID", "logBuf"},
                 {"PART_NUMBER", "part"},
                 {"PART_EVENT_ID", "partEv"},
                 {"PART_BUFFER_ID", "partBuf"},
                 {"OP_NUMBER", "op"},
                 {"OP_EVENT_ID", "opEv"},
                 {"OP_BUFFER_ID", "opBuf"},
                 {"SETUP_START_TIME", "setupAt"},
                 {"SETUP_EVENT_ID", "setupEv"},
                 {"SETUP_TIME", "setup"},
                 {"CYCLE_START_TIME", "cycAt"},
                 {"CYCLE_EVENT_ID", "cycEv"},
                 {"CYCLE_TIME", "cyc"},
                 {"FINISHED_CYCLES", "fin"},
                 {"UNFINISHED_CYCLES", "unfin"},
                 {"GOOD_COUNT", "good"},
                 {"SCRAPPED_COUNT", "scrap"},
                 {"MACHINE_DT_NUMBER", "mdt"},
                 {"MACHINE_DT_START_TIME", "mdtAt"},
                 {"MACHINE_DT_EVENT_ID", "mdtEv"},
                 {"MACHINE_DT_BUFFER_ID", "mdtBuf"},
                 {"USER_DT_NUMBER", "udt"},
                 {"USER_DT_START_TIME", "udtAt"},
                 {"USER_DT_EVENT_ID", "udtEv"},
                 {"USER_DT_BUFFER_ID", "udtBuf"},
                 {"COMPLETED", "done"}},
                "SH_BUFFER_ID", &later);
}

Lines Histories() {
    return Read("T_TRNK_SHIFT_HISTORY",
                {{"SHIFT_HISTORY_ID", "id"}, {"MACHINE_ID", "m"},        {"START_TIME", "start"},
                 {"STOP_TIME", "stop"},      {"SHIFT_ID", "shift"},      {"CHART_DATE", "chart"},
                 {"DEPT_ID", "dept"},        {"LOCATION_ID", "loc"},     {"GROUP_ID", "grp"},
                 {"JOB_ID", "job"},          {"PERS_ID", "pers"},        {"PART_ID", "part"},
                 {"PARTTYPE_ID", "ptype"},   {"OPS_ID", "op"},           {"SETUP_PDT", "setup"},
                 {"CYCLE_TIME", "cyc"},      {"FINISHED_CYCLES", "fin"}, {"UNFINISHED_CYCLES", "unfin"},
                 {"GOOD_COUNT", "good"},     {"SCRAPPED_COUNT", "scrap"}},
                "SHIFT_HISTORY_ID");
}

// Appends the events through the shared connection, so every dialect numbers them its own way.
void Load(const std::vector<Event>& events, bool withPlace = true) {
    core::RecordsetPtr rs = core::OpenServerRecordset("select * from T_TRNK_EVENTS where EVENT_ID = 0");
    for (const Event& e : events) {
        rs->AddNew();
        rs->Set("MACHINE_ID", e.machine);
        rs->Set("COMMAND_ID", e.command);
        if (e.parameter) rs->Set("PARAM1", e.parameter);
        rs->Set("START_TIME", e.start);
        if (e.stop) rs->Set("STOP_TIME", *e.stop);
        if (withPlace)
            for (const char* place : {"DEPT_ID", "LOCATION_ID", "GROUP_ID"}) rs->Set(place, 1);
        rs->Update();
    }
    core::CloseRecordset(rs);
}

class Replay : public testing::SharedStateTest,
               public ::testing::WithParamInterface<std::tuple<Dialect, Scenario>> {
  protected:
    testing::SharedDatabase database;
};

TEST_P(Replay, ProducesTheHandWorkedRows) {
    const auto& [dialect, s] = GetParam();
    testing::OpenPlant(database, dialect);
    Load(s.events);
    std::string strError;
    const auto type = static_cast<std::int16_t>(dialect);
    const bool ok = s.converter == Converter::Version5To6
                        ? CMDCMigration5To6Class().MigrateEvents(strError, type)
                        : CSHBufferClass().MigrateEvents(strError, type);
    ASSERT_TRUE(ok) << strError;

    int openedNow = 0;
    EXPECT_EQ(Buffers(openedNow), s.buffers);
    // Machine 2 has no events in most streams: one open buffer from now.
    const bool secondMachineIdle =
        std::none_of(s.events.begin(), s.events.end(), [](const Event& e) { return e.machine == 2; });
    EXPECT_EQ(openedNow, secondMachineIdle ? 1 : 0);
    EXPECT_EQ(Histories(), s.histories);
    EXPECT_EQ(Read("T_TRNK_DT_SH_BUFFER",
                   {{"SH_BUFFER_ID", "buf"},
                    {"DT_NUMBER", "code"},
                    {"DURATION", "h"},
                    {"SUBTYPE_ID", "sub"},
                    {"START_TIME", "start"},
                    {"STOP_TIME", "stop"}},
                   "DT_SH_BUFFER_ID"),
              s.bufferDowntime);
    EXPECT_EQ(
        Read("T_TRNK_DOWNTIME_SHIFT_HISTORY",
             {{"SHIFT_HISTORY_ID", "sh"}, {"DOWNTIME_ID", "dt"}, {"DURATION", "h"}, {"PTYPE_ID", "ptype"}},
             "DOWNTIME_SHIFT_HISTORY_ID"),
        s.historyDowntime);
    EXPECT_EQ(
        Read("T_TRNK_SCRAP_CODE_SH_BUFFER",
             {{"SH_BUFFER_ID", "buf"}, {"SCRAP_CODE_NUMBER", "code"}, {"QTY", "qty"}, {"START_TIME", "at"}},
             "SCRAP_CODE_SH_BUFFER_ID"),
        s.bufferScrap);
    EXPECT_EQ(
        Read("T_TRNK_SCRAP_CODE_SH",
             {{"SHIFT_HISTORY_ID", "sh"}, {"SCRAP_CODE_ID", "code"}, {"QTY", "qty"}, {"START_TIME", "at"}},
             "SCRAP_CODE_SH_ID"),
        s.historyScrap);
    EXPECT_EQ(Read("T_TRNK_MACHINES", {{"MACHINE_ID", "m"}, {"SH_BUFFER_ID", "buf"}}, "MACHINE_ID"),
              s.machines);
    EXPECT_EQ(Read("T_TRNK_MACHINE_EVENTS", {{"MACHINE_ID", "m"}, {"COMMAND_ID", "cmd"}, {"EVENT_ID", "ev"}},
                   "MACHINE_EVENTS_ID"),
              s.machineEvents);
    // Every event is converted once, the part starts added for production without a part too.
    EXPECT_EQ(
        database.Scalar("select count(*) from T_TRNK_EVENTS where OPTIMIZED IS NULL and COMMAND_ID <> 12"),
        "0");
}

constexpr int kMonday = 2, kTue = 3, kWed = 4, kSat = 7, kMon = 9;

const Scenario kScenarios[] = {
    {"CyclingThroughOneShift",
     Converter::Version5To6,
     {{1, 12, "P-1", At(kTue, 8, 0)},
      {1, 5, nullptr, At(kTue, 8, 10), At(kTue, 8, 40)},
      {1, 10, "25", At(kTue, 8, 40)},
      {1, 5, nullptr, At(kTue, 9, 0), At(kTue, 9, 30)},
      {1, 11, "2", At(kTue, 9, 30)},
      {1, 10, "abc", At(kTue, 15, 30)}},
     // The day shift ends at 15:00; the count after it falls into the evening shift.
     {"id=2 m=1 start=01-03T15:00 shift=2 chart=01-03T00:00 end=01-03T23:00 part=P-1 partEv=1 partBuf=1 "
      "good=1"},
     {"id=1 m=1 start=01-03T08:00 stop=01-03T15:00 shift=1 chart=01-03T00:00 dept=1 loc=1 grp=1 part=1 "
      "ptype=1 "
      "cyc=60 fin=2 good=25 scrap=2"},
     {},
     {},
     {},
     {},
     {"m=1 buf=2", "m=2 buf=3"}},
    {"DownPeriodCrossingShiftEnd",
     Converter::Version5To6,
     {{1, 12, "P-1", At(kTue, 13, 0)},
      {1, 8, "MAT", At(kTue, 14, 30), At(kTue, 15, 45)},
      {1, 5, nullptr, At(kTue, 16, 0), At(kTue, 16, 20)}},
     {"id=2 m=1 start=01-03T15:00 shift=2 chart=01-03T00:00 end=01-03T23:00 part=P-1 partEv=1 partBuf=1 "
      "cyc=20 "
      "fin=1"},
     {"id=1 m=1 start=01-03T13:00 stop=01-03T15:00 shift=1 chart=01-03T00:00 dept=1 loc=1 grp=1 part=1 "
      "ptype=1"},
     {"buf=2 code=MAT h=0.75 sub=79 start=01-03T15:00 stop=01-03T15:45"},
     {"sh=1 dt=1 h=0.5 ptype=5"},
     {},
     {},
     {"m=1 buf=2", "m=2 buf=3"}},
    {"NightShiftCrossingMidnight",
     Converter::Version5To6,
     {{1, 7, "dave", At(kTue, 22, 30)},
      {1, 12, "P-1", At(kTue, 22, 35)},
      {1, 5, nullptr, At(kTue, 23, 50), At(kWed, 0, 20)},
      {1, 10, "3", At(kWed, 5, 59)},
      {1, 10, "4", At(kWed, 6, 30)}},
     // Dave's own night shift, not the evening shift that started earlier; no shift from 06:00.
     {"id=3 m=1 start=01-04T06:00 chart=01-04T00:00 user=dave logEv=1 logBuf=1 part=P-1 partEv=2 partBuf=2 "
      "good=4"},
     {"id=1 m=1 start=01-03T22:30 stop=01-03T22:35 shift=3 chart=01-03T00:00 dept=1 loc=1 grp=1 pers=3",
      "id=2 m=1 start=01-03T22:35 stop=01-04T06:00 shift=3 chart=01-03T00:00 dept=1 loc=1 grp=1 pers=3 "
      "part=1 "
      "ptype=1 cyc=30 fin=1 good=3"},
     {},
     {},
     {},
     {},
     {"m=1 buf=3", "m=2 buf=4"}},
    {"SetupThenCycleThenDown",
     Converter::Version5To6,
     {{1, 4, "J100", At(kTue, 7, 0)},
      {1, 12, "P-1", At(kTue, 7, 5)},
      {1, 6, nullptr, At(kTue, 7, 15), At(kTue, 7, 45)},
      {1, 5, nullptr, At(kTue, 7, 45), At(kTue, 8, 15)},
      {1, 8, "MAT", At(kTue, 8, 15), At(kTue, 9, 0)},
      {1, 5, nullptr, At(kTue, 9, 0)}},
     {"id=2 m=1 start=01-03T07:05 shift=1 chart=01-03T00:00 end=01-03T15:00 job=J100 jobEv=1 jobBuf=1 "
      "part=P-1 "
      "partEv=2 partBuf=2 setup=0.5 cycAt=01-03T09:00 cycEv=6 cyc=30 fin=1"},
     {"id=1 m=1 start=01-03T07:00 stop=01-03T07:05 shift=1 chart=01-03T00:00 dept=1 loc=1 grp=1 job=1"},
     {"buf=2 code=MAT h=0.75 sub=79 start=01-03T08:15 stop=01-03T09:00"},
     {},
     {},
     {},
     {"m=1 buf=2", "m=2 buf=3"}},
    {"WeekdayWithoutShift",
     Converter::Version5To6,
     {{1, 5, nullptr, At(kSat, 10, 0), At(kSat, 10, 30)},
      {1, 10, "", At(kSat, 10, 30)},
      {1, 10, "2", At(kMon, 1, 0)}},
     // A part is started for the cycle (event 4); Saturday's buffer runs until Sunday's night
     // shift and stays for correction, as its part has no number.
     {"id=1 m=1 start=01-07T10:00 stop=01-08T22:00 chart=01-07T00:00 partBuf=1 cyc=30 fin=1 good=1 done=1",
      "id=2 m=1 start=01-08T22:00 shift=3 chart=01-08T00:00 end=01-09T06:00 partEv=4 partBuf=1 good=2"},
     {},
     {},
     {},
     {},
     {},
     {"m=1 buf=2", "m=2 buf=3"},
     {"m=1 cmd=12 ev=4"}},
    {"TwoMachinesInterleaved",
     Converter::Version5To6,
     {{1, 12, "P-1", At(kTue, 8, 0)},
      {2, 12, "P-1", At(kTue, 8, 2)},
      {1, 5, nullptr, At(kTue, 8, 5), At(kTue, 8, 10)},
      {2, 5, nullptr, At(kTue, 8, 6), At(kTue, 8, 9)},
      {2, 7, "bob", At(kTue, 8, 20)}},
     {"id=1 m=1 start=01-03T08:00 shift=1 chart=01-03T00:00 end=01-03T15:00 part=P-1 partEv=1 partBuf=1 "
      "cyc=5 "
      "fin=1",
      "id=3 m=2 start=01-03T08:20 shift=1 chart=01-03T00:00 end=01-03T15:00 user=bob logEv=5 logBuf=3 "
      "part=P-1 "
      "partEv=2 partBuf=2"},
     {"id=1 m=2 start=01-03T08:02 stop=01-03T08:20 shift=1 chart=01-03T00:00 dept=1 loc=1 grp=1 part=1 "
      "ptype=1 "
      "cyc=3 fin=1"},
     {},
     {},
     {},
     {},
     {"m=1 buf=1", "m=2 buf=3"}},
    {"EventExactlyAtShiftChange",
     Converter::Version5To6,
     {{1, 12, "P-1", At(kTue, 14, 0)},
      {1, 5, nullptr, At(kTue, 14, 50), At(kTue, 15, 10)},
      {1, 10, "5", At(kTue, 15, 0)}},
     // The count at 15:00 stays in the day shift; the running cycle is split there.
     {"id=2 m=1 start=01-03T15:00 shift=2 chart=01-03T00:00 end=01-03T23:00 part=P-1 partEv=1 partBuf=1 "
      "cyc=10 "
      "fin=1"},
     {"id=1 m=1 start=01-03T14:00 stop=01-03T15:00 shift=1 chart=01-03T00:00 dept=1 loc=1 grp=1 part=1 "
      "ptype=1 "
      "cyc=10 good=5"},
     {},
     {},
     {},
     {},
     {"m=1 buf=2", "m=2 buf=3"}},
    {"OperationsAndScrapCodes",
     Converter::Buffers,
     {{1, 12, "P-1", At(kTue, 8, 0)},
      {1, 13, "OP10", At(kTue, 8, 5)},
      {1, 4, "J100", At(kTue, 8, 10)},
      {1, 11, "3.17", At(kTue, 8, 20)},
      {1, 11, "abc.17", At(kTue, 8, 25)},
      {1, 11, "5", At(kTue, 8, 30)},
      {1, 10, "1", At(kTue, 15, 30)}},
     // Scrap code 100 is not in the plant: the day's buffer stays for correction.
     {"id=3 m=1 start=01-03T08:10 stop=01-03T15:00 shift=1 chart=01-03T00:00 end=01-03T15:00 job=J100 "
      "jobBuf=3 "
      "part=P-1 partBuf=1 op=OP10 opBuf=2 scrap=5 done=1",
      "id=4 m=1 start=01-03T15:00 shift=2 chart=01-03T00:00 end=01-03T23:00 job=J100 jobEv=3 jobBuf=3 "
      "part=P-1 "
      "partEv=1 partBuf=1 op=OP10 opEv=2 opBuf=2 good=1"},
     {"id=1 m=1 start=01-03T08:00 stop=01-03T08:05 shift=1 chart=01-03T00:00 dept=1 loc=1 grp=1 part=1 "
      "ptype=1",
      "id=2 m=1 start=01-03T08:05 stop=01-03T08:10 shift=1 chart=01-03T00:00 dept=1 loc=1 grp=1 part=1 "
      "ptype=1 "
      "op=1"},
     {},
     {},
     {"buf=3 code=17 qty=3 at=01-03T08:20", "buf=3 code=17 qty=1 at=01-03T08:25",
      "buf=3 code=100 qty=1 at=01-03T08:30"},
     {},
     {"m=1 buf=4", "m=2 buf=5"}},
    {"StopRowsEndWhateverRuns",
     Converter::Version5To6,
     {{1, 12, "P-1", At(kTue, 9, 0)},
      {1, 5, nullptr, At(kTue, 10, 0), At(kTue, 10, 7)},
      {1, 5, nullptr, At(kTue, 10, 5), At(kTue, 10, 9)}},
     // Cycle B ends A unfinished after 5 minutes; A's stop ends B after 2; B's stop finds nothing.
     {"id=1 m=1 start=01-03T09:00 shift=1 chart=01-03T00:00 end=01-03T15:00 part=P-1 partEv=1 partBuf=1 "
      "cyc=7 "
      "fin=1 unfin=1"},
     {},
     {},
     {},
     {},
     {},
     {"m=1 buf=1", "m=2 buf=2"}},
    {"OperatorDowntimeInterruptedThenLogoff",
     Converter::Version5To6,
     {{1, 7, "bob", At(kTue, 8, 0), At(kTue, 10, 0)},
      {1, 9, "BRK", At(kTue, 8, 15), At(kTue, 9, 0)},
      {1, 9, "LUN", At(kTue, 8, 30)},
      {1, 10, "0", At(kTue, 11, 0)}},
     // LUN ends BRK and is recorded with its own code; BRK's stop ends LUN. The count of "0"
     // counts 1 and, with no part running, starts one (event 5); the empty buffer between the
     // logoff and that part start is discarded.
     {"id=3 m=1 start=01-03T11:00 shift=1 chart=01-03T00:00 end=01-03T15:00 partEv=5 partBuf=3 good=1"},
     {"id=1 m=1 start=01-03T08:00 stop=01-03T10:00 shift=1 chart=01-03T00:00 dept=1 loc=1 grp=1 pers=2"},
     {},
     {"sh=1 dt=2 h=0.25 ptype=6", "sh=1 dt=3 h=0.5 ptype=6"},
     {},
     {},
     {"m=1 buf=3", "m=2 buf=4"},
     {"m=1 cmd=12 ev=5"}},
    {"LogonMovesToTheOperatorsShift",
     Converter::Version5To6,
     {{1, 12, "P-1", At(kMonday, 1, 0)}, {1, 7, "alice", At(kMonday, 2, 0)}},
     // Sunday's night shift until the logon; alice's own early shift from then on.
     {"id=2 m=1 start=01-02T02:00 shift=4 chart=01-02T00:00 end=01-02T08:00 user=alice logEv=2 logBuf=2 "
      "part=P-1 "
      "partEv=1 partBuf=1"},
     {"id=1 m=1 start=01-02T01:00 stop=01-02T02:00 shift=3 chart=01-01T00:00 dept=1 loc=1 grp=1 part=1 "
      "ptype=1"},
     {},
     {},
     {},
     {},
     {"m=1 buf=2", "m=2 buf=3"}},
};

INSTANTIATE_TEST_SUITE_P(Scenarios, Replay,
                         ::testing::Combine(::testing::Values(Dialect::Access, Dialect::SqlServer,
                                                              Dialect::Oracle),
                                            ::testing::ValuesIn(kScenarios)),
                         [](const auto& info) {
                             const Dialect d = std::get<0>(info.param);
                             return std::string(d == Dialect::Access   ? "Access"
                                                : d == Dialect::Oracle ? "Oracle"
                                                                       : "SQL") +
                                    "_" + std::get<1>(info.param).name;
                         });

// A stream that fills the day shift and moves on into the evening.
const std::vector<Event> kDayStream = {{1, 12, "P-1", At(kTue, 8, 0)},
                                       {1, 5, nullptr, At(kTue, 8, 10), At(kTue, 8, 40)},
                                       {1, 10, "25", At(kTue, 8, 40)},
                                       {1, 10, "1", At(kTue, 15, 30)}};

class ReplayRuns : public testing::SharedStateTest {
  protected:
    std::string Count(const std::string& table, const std::string& where = "") {
        return database.Scalar("select count(*) from " + table + where);
    }
    testing::SharedDatabase database;
};

TEST_F(ReplayRuns, AFailedConversionRollsItsTransactionBack) {
    testing::OpenPlant(database, Dialect::Access);
    // Events without a department: the day's shift history cannot be stored.
    Load(kDayStream, false);
    std::string strError;
    EXPECT_FALSE(CMDCMigration5To6Class().MigrateEvents(strError, 1));
    EXPECT_NE(strError.find("DEPT_ID"), std::string::npos) << strError;
    EXPECT_EQ(Count("T_TRNK_EVENTS", " where OPTIMIZED IS NULL"), "4");
    EXPECT_EQ(Count("T_TRNK_SH_BUFFER"), "0");
    EXPECT_EQ(Count("T_TRNK_MACHINES", " where SH_BUFFER_ID IS NOT NULL"), "0");
    // The connection is free for the caller's next transaction.
    EXPECT_NO_THROW(core::gConnection().BeginTrans());
    core::gConnection().RollbackTrans();
}

TEST_F(ReplayRuns, TheBufferBuilderFailsInsideItsCallersTransaction) {
    testing::OpenPlant(database, Dialect::SqlServer);
    Load(kDayStream, false);
    core::gConnection().BeginTrans();
    std::string strError;
    EXPECT_FALSE(CSHBufferClass().MigrateEvents(strError, 2));
    EXPECT_NE(strError.find("DEPT_ID"), std::string::npos) << strError;
    // It leaves the transaction to its caller, who undoes the partial work.
    core::gConnection().RollbackTrans();
    EXPECT_EQ(Count("T_TRNK_SH_BUFFER"), "0");
    EXPECT_EQ(Count("T_TRNK_EVENTS", " where OPTIMIZED IS NULL"), "4");
}

TEST_F(ReplayRuns, ASecondRunConvertsNothingTwice) {
    testing::OpenPlant(database, Dialect::Oracle);
    Load(kDayStream);
    std::string strError;
    ASSERT_TRUE(CMDCMigration5To6Class().MigrateEvents(strError, 0)) << strError;
    ASSERT_EQ(Count("T_TRNK_SHIFT_HISTORY"), "1");
    ASSERT_EQ(Count("T_TRNK_SH_BUFFER"), "2");
    ASSERT_TRUE(CMDCMigration5To6Class().MigrateEvents(strError, 0)) << strError;
    // No history again; each machine only gets a fresh buffer from now.
    EXPECT_EQ(Count("T_TRNK_SHIFT_HISTORY"), "1");
    EXPECT_EQ(Count("T_TRNK_SH_BUFFER"), "4");
    EXPECT_EQ(Count("T_TRNK_EVENTS", " where OPTIMIZED IS NULL"), "0");
}

TEST_F(ReplayRuns, ANightIntervalNotMarkedAsSwingDoesNotStallTheReplay) {
    testing::OpenPlant(database, Dialect::Access);
    // The night interval crosses midnight but is stored as an ordinary one: its occurrence on
    // Tuesday ends at 06:00 of Tuesday, before it starts.
    database.Run({"UPDATE T_TRNK_INTERVAL SET IS_SWING = 'N' WHERE INTERVAL_ID = 3"});
    Load({{1, 12, "P-1", At(kTue, 22, 30)}, {1, 10, "1", At(kWed, 1, 0)}});
    std::string strError;
    ASSERT_TRUE(CMDCMigration5To6Class().MigrateEvents(strError, 1)) << strError;
    int openedNow = 0;
    EXPECT_EQ(Buffers(openedNow),
              Lines{"id=2 m=1 start=01-03T23:00 shift=3 chart=01-03T00:00 end=01-03T06:00 part=P-1 partEv=1 "
                    "partBuf=1 good=1"});
    EXPECT_EQ(Histories(),
              Lines{"id=1 m=1 start=01-03T22:30 stop=01-03T23:00 shift=2 chart=01-03T00:00 dept=1 "
                    "loc=1 grp=1 part=1 ptype=1"});
}

TEST_F(ReplayRuns, TheBufferBuilderShowsItsProgress) {
    testing::OpenPlant(database, Dialect::Access);
    Load(kDayStream);
    std::string strError;
    ASSERT_TRUE(CSHBufferClass().MigrateEvents(strError, 1)) << strError;
    EXPECT_EQ(core::frmProgress().lblInfo().Caption, "Creating Old Machine Data Buffers...");
    EXPECT_EQ(core::frmProgress().LastPercentShown(), 100);
}

}  // namespace
}  // namespace tmigration::mdc
