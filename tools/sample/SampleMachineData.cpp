#include "sample/SampleMachineData.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/RecordsetHelpers.h"
#include "core/SharedConnection.h"
#include "mdc/CSHBufferClass.h"
#include "mdc/EventStream.h"
#include "util/VbConversions.h"

namespace tmigration::sample {
namespace {

constexpr int kDays = 7;
constexpr std::size_t kChoices = 4;
const db::DateTime kFirstMonday{2020, 1, 6, 0, 0, 0};

// The first few texts of a query's first column that the lookups can quote as they are: the
// replay writes numbers between quotes unchanged, so a number holding a quote would fail them.
std::vector<std::string> Texts(const std::string& sql) {
    core::RecordsetPtr rs = core::OpenClientRecordset(sql);
    std::vector<std::string> texts;
    for (; !rs->Eof() && texts.size() < kChoices; rs->MoveNext()) {
        const db::Value& v = rs->Fields(0).GetValue();
        if (v.IsNull()) continue;
        const std::string text = v.AsText();
        if (!text.empty() && text.find('\'') == std::string::npos) texts.push_back(text);
    }
    core::CloseRecordset(rs);
    if (texts.empty()) throw std::runtime_error("the sample plant has no row for: " + sql);
    return texts;
}

std::int64_t Count(const std::string& table) {
    core::RecordsetPtr rs = core::OpenClientRecordset("select COUNT(*) AS N from " + table);
    const std::int64_t n = rs->Get("N").AsInteger();
    core::CloseRecordset(rs);
    return n;
}

std::int64_t MachineDataRows() {
    std::int64_t rows = 0;
    for (const char* table : {"T_TRNK_SHIFT_HISTORY", "T_TRNK_DOWNTIME_SHIFT_HISTORY", "T_TRNK_SCRAP_CODE_SH",
                              "T_TRNK_SH_BUFFER", "T_TRNK_DT_SH_BUFFER", "T_TRNK_SCRAP_CODE_SH_BUFFER"})
        rows += Count(table);
    return rows;
}

mdc::EventStreamPlan PlanFor(std::int64_t scale, std::uint64_t seed) {
    mdc::EventStreamPlan plan;
    // Machines whose group lies in a location of a department: the place their events and shift
    // histories are filed under, as the collectors recorded it.
    core::RecordsetPtr machines = core::OpenClientRecordset(
        "select T_TRNK_MACHINES.MACHINE_ID, T_TRNK_MACHINES.GROUP_ID, T_TRNK_GROUPS.LOCATION_ID, "
        "T_TRNK_LOCATION.DEPT_ID from T_TRNK_MACHINES, T_TRNK_GROUPS, T_TRNK_LOCATION where "
        "T_TRNK_MACHINES.GROUP_ID = T_TRNK_GROUPS.GROUP_ID and T_TRNK_GROUPS.LOCATION_ID = "
        "T_TRNK_LOCATION.LOCATION_ID and T_TRNK_LOCATION.DEPT_ID IS NOT NULL order by "
        "T_TRNK_MACHINES.MACHINE_ID");
    for (; !machines->Eof() && plan.machineIds.size() < static_cast<std::size_t>(2 * scale);
         machines->MoveNext()) {
        plan.machineIds.push_back(util::CLng(machines->Get("MACHINE_ID")));
        plan.places.push_back(
            {machines->Get("DEPT_ID"), machines->Get("LOCATION_ID"), machines->Get("GROUP_ID")});
    }
    core::CloseRecordset(machines);
    plan.firstDay = kFirstMonday;
    plan.days = kDays;
    plan.shortestCycle = 45;
    plan.longestCycle = 90;
    plan.scrapEvery = 3;
    plan.machineDowntimeEvery = 4;
    plan.userDowntimeEvery = 5;
    plan.seed = static_cast<std::uint32_t>(seed);
    plan.users = Texts("select PERSONNEL_NUMBER from T_TRNK_PERS where STATUS_ID = 30 order by PERSONNEL_ID");
    plan.jobs = Texts("select JOB_NUMBER from T_TRNK_JOB order by JOB_ID");
    plan.parts = Texts("select PART_NUMBER from T_TRNK_PART order by PART_ID");
    plan.operations = Texts("select OPS_NUMBER from T_TRNK_OPS order by OPS_ID");
    plan.machineDowntimeCodes =
        Texts("select DOWNTIME_NUMBER from T_TRNK_DOWNTIME where PTYPE_ID IN (5, 33) order by DOWNTIME_ID");
    // Now and then a code nobody defined: its buffers stay for correction.
    plan.machineDowntimeCodes.push_back("NO-SUCH-CODE");
    plan.userDowntimeCodes =
        Texts("select DOWNTIME_NUMBER from T_TRNK_DOWNTIME where PTYPE_ID IN (6, 33) order by DOWNTIME_ID");
    plan.scrapCodes = Texts("select SCRAP_CODE_NUMBER from T_TRNK_SCRAP_CODE order by SCRAP_CODE_ID");
    return plan;
}

}  // namespace

MachineDataResult WriteSampleMachineData(db::Connection& connection, std::int64_t scale, std::uint64_t seed) {
    // The replay runs on the thread's shared connection: lend it this one for the while.
    std::shared_ptr<db::Connection>& slot = core::gConnectionSlot();
    const std::shared_ptr<db::Connection> before = slot;
    slot = std::shared_ptr<db::Connection>(&connection, [](db::Connection*) {});
    struct Restore {
        std::shared_ptr<db::Connection>& slot;
        std::shared_ptr<db::Connection> before;
        ~Restore() { slot = before; }
    } restore{slot, before};

    MachineDataResult result;
    connection.BeginTrans();
    try {
        connection.Execute("UPDATE T_TRNK_EVENTS SET OPTIMIZED = 'Y'");
        const std::int64_t eventsBefore = Count("T_TRNK_EVENTS") + Count("T_TRNK_MACHINE_EVENTS");
        mdc::WriteEventStream(PlanFor(scale, seed));
        // The week's events name the collector file they came from, which sets them apart from the
        // plant's own history.
        connection.Execute("UPDATE T_TRNK_EVENTS SET FILE_NAME = " + std::string(kWeekFile) +
                           " WHERE OPTIMIZED IS NULL");
        std::string strError;
        if (!mdc::CSHBufferClass().MigrateEvents(strError,
                                                 static_cast<std::int16_t>(connection.GetDialect())))
            throw std::runtime_error("replaying the sample plant's machine events: " + strError);
        result.events = Count("T_TRNK_EVENTS") + Count("T_TRNK_MACHINE_EVENTS") - eventsBefore;
        result.machineData = MachineDataRows();
        connection.CommitTrans();
    } catch (...) {
        connection.RollbackTrans();
        throw;
    }
    return result;
}

}  // namespace tmigration::sample
