// Generated streams replayed by both conversions: whatever the splits, nothing produced is lost
// or counted twice. Good and scrapped parts, finished cycles, cycle minutes and machine downtime
// hours summed over the shift histories and the buffers left equal what the events recorded.
#include "mdc/EventStream.h"

#include <gtest/gtest.h>

#include <string>

#include "PlantFixture.h"
#include "core/RecordsetHelpers.h"
#include "mdc/CMDCMigration5To6Class.h"
#include "mdc/CSHBufferClass.h"
#include "util/DateMath.h"
#include "util/VbConversions.h"

namespace tmigration::mdc {
namespace {

struct Totals {
    double good = 0, scrapped = 0, cycles = 0, cycleMinutes = 0, downtimeHours = 0, scrapRows = 0;
};

double Sum(const std::string& sql) {
    core::RecordsetPtr rs = core::OpenClientRecordset(sql);
    const db::Value v = rs->Fields(0).GetValue();
    core::CloseRecordset(rs);
    return v.IsNull() ? 0.0 : v.AsDouble();
}

// What the events say, read before they are replayed.
Totals Recorded(bool scrapCodes) {
    Totals t;
    core::RecordsetPtr rs = core::OpenClientRecordset("select * from T_TRNK_EVENTS");
    for (; !rs->Eof(); rs->MoveNext()) {
        const auto command = rs->Get("COMMAND_ID").AsInteger();
        const std::string parameter = rs->Get("PARAM1").IsNull() ? "" : rs->Get("PARAM1").AsText();
        if (command == 10) t.good += util::Val(parameter);
        if (command == 11) {
            // "quantity.code" in the current form; to the version-6 form it is no whole number: 1.
            t.scrapped += scrapCodes ? util::Val(parameter.substr(0, parameter.find('.'))) : 1.0;
            t.scrapRows += 1;
        }
        if (command == 5) {
            t.cycles += 1;
            t.cycleMinutes +=
                util::DateDiffSeconds(rs->Get("START_TIME").AsDateTime(), rs->Get("STOP_TIME").AsDateTime()) /
                60.0;
        }
        if (command == 8)
            t.downtimeHours +=
                util::HoursBetween(rs->Get("START_TIME").AsDateTime(), rs->Get("STOP_TIME").AsDateTime());
    }
    core::CloseRecordset(rs);
    return t;
}

// What the histories and the buffers left hold.
Totals Replayed() {
    Totals t;
    const auto both = [](const std::string& history, const std::string& buffer) {
        return Sum("select sum(" + history + ") from T_TRNK_SHIFT_HISTORY") +
               Sum("select sum(" + buffer + ") from T_TRNK_SH_BUFFER");
    };
    t.good = both("GOOD_COUNT", "GOOD_COUNT");
    t.scrapped = both("SCRAPPED_COUNT", "SCRAPPED_COUNT");
    t.cycles = both("FINISHED_CYCLES", "FINISHED_CYCLES");
    t.cycleMinutes = both("CYCLE_TIME", "CYCLE_TIME");
    t.downtimeHours = Sum("select sum(DURATION) from T_TRNK_DOWNTIME_SHIFT_HISTORY where PTYPE_ID = 5") +
                      Sum("select sum(DURATION) from T_TRNK_DT_SH_BUFFER where SUBTYPE_ID = 79");
    t.scrapRows = Sum("select count(*) from T_TRNK_SCRAP_CODE_SH") +
                  Sum("select count(*) from T_TRNK_SCRAP_CODE_SH_BUFFER");
    return t;
}

class GeneratedStream : public testing::SharedStateTest, public ::testing::WithParamInterface<bool> {
  protected:
    testing::SharedDatabase database;
};

TEST_P(GeneratedStream, ReplayKeepsEveryPartCycleAndDowntime) {
    const bool current = GetParam();
    testing::OpenPlant(database, db::Dialect::Access);
    EventStreamPlan plan;
    plan.machineIds = {1, 2};
    plan.firstDay = db::DateTime{2023, 1, 3, 0, 0, 0};  // Tuesday to Thursday
    plan.days = 3;
    plan.users = {"alice", "bob", "dave"};
    plan.jobs = {"J100"};
    plan.parts = {"P-1"};
    if (current) plan.operations = {"OP10"};
    plan.machineDowntimeCodes = {"MAT"};
    plan.userDowntimeCodes = {"BRK"};
    plan.scrapCodes = {"17"};
    const std::int64_t written = WriteEventStream(plan);
    ASSERT_GT(written, 1000);
    const Totals recorded = Recorded(current);

    std::string strError;
    ASSERT_TRUE(current ? CSHBufferClass().MigrateEvents(strError, 1)
                        : CMDCMigration5To6Class().MigrateEvents(strError, 1))
        << strError;
    const Totals replayed = Replayed();
    EXPECT_EQ(replayed.good, recorded.good);
    EXPECT_EQ(replayed.scrapped, recorded.scrapped);
    EXPECT_EQ(replayed.cycles, recorded.cycles);
    EXPECT_DOUBLE_EQ(replayed.cycleMinutes, recorded.cycleMinutes);
    // Each piece of a downtime split at a shift end is rounded to single precision on its own.
    EXPECT_NEAR(replayed.downtimeHours, recorded.downtimeHours, 1e-4);
    if (current) {
        EXPECT_EQ(replayed.scrapRows, recorded.scrapRows);
    }
    // The stream names only known users, jobs, parts and codes: every closed buffer is recorded
    // and only each machine's current buffer is left.
    EXPECT_EQ(Sum("select count(*) from T_TRNK_SH_BUFFER"), 2);
    EXPECT_GT(Sum("select count(*) from T_TRNK_SHIFT_HISTORY"), 20);
    EXPECT_EQ(Sum("select count(*) from T_TRNK_EVENTS where OPTIMIZED IS NULL"), 0);
}

INSTANTIATE_TEST_SUITE_P(Forms, GeneratedStream, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Buffers" : "Version5To6"; });

TEST(EventStreamPlan, SameSeedSameStream) {
    testing::SharedDatabase first, second;
    EventStreamPlan plan;
    plan.machineIds = {1, 2};
    plan.firstDay = db::DateTime{2023, 1, 2, 0, 0, 0};
    plan.seed = 7;
    std::int64_t counts[2];
    testing::SharedDatabase* databases[2] = {&first, &second};
    for (int i = 0; i < 2; ++i) {
        testing::OpenPlant(*databases[i], db::Dialect::Access);
        counts[i] = WriteEventStream(plan);
    }
    EXPECT_EQ(counts[0], counts[1]);
    const std::string digest =
        "select sum(EVENT_ID * COMMAND_ID) from T_TRNK_EVENTS where STOP_TIME IS NOT NULL";
    EXPECT_EQ(first.Scalar(digest), second.Scalar(digest));
    core::gConnectionSlot().reset();
}

}  // namespace
}  // namespace tmigration::mdc
