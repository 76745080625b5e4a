#include "mdc/ShiftHistoryHours.h"

#include <string>

#include "core/RecordsetHelpers.h"
#include "util/DateMath.h"

namespace tmigration::mdc {
namespace {

constexpr std::int32_t kStatusOpenOnMachine = 34;

double NumberOrZero(const db::Value& v) {
    return v.IsNull() ? 0.0 : v.AsDouble();
}

// Hours from a stored start to the as-of time, 0 when the start is not set.
double HoursSinceOrZero(const db::Value& start, const db::DateTime& asOf) {
    return start.IsNull() ? 0.0 : util::HoursBetween(start.AsDateTime(), asOf);
}

double IdleOrZero(double elapsed, double setup, double cycle, double downtime) {
    const double idle = elapsed - setup - cycle - downtime;
    return idle < 0 ? 0.0 : idle;
}

}  // namespace

double GetBufferDowntimeHours(std::int32_t bufferId, const db::DateTime& asOf) {
    core::RecordsetPtr rs = core::OpenClientRecordset(
        "select START_TIME, STOP_TIME, DURATION  from T_TRNK_DT_SH_BUFFER  where SUBTYPE_ID = 79 and "
        "SH_BUFFER_ID = " +
        std::to_string(bufferId));
    double hours = 0.0;
    for (; !rs->Eof(); rs->MoveNext()) {
        const db::Value start = rs->Get("START_TIME");
        if (!start.IsNull() && rs->Get("STOP_TIME").IsNull())
            hours += util::HoursBetween(start.AsDateTime(), asOf);
        else
            hours += rs->Get("DURATION").AsDouble();
    }
    core::CloseRecordset(rs);
    return hours;
}

void GetBufferIdleHours(std::int32_t bufferId, const db::DateTime& asOf, double& idleHours,
                        db::DateTime& statusDate) {
    core::RecordsetPtr rs = core::OpenClientRecordset(
        "select T_TRNK_SH_BUFFER.START_TIME, T_TRNK_SH_BUFFER.STOP_TIME,  T_TRNK_SH_BUFFER.SETUP_START_TIME, "
        "T_TRNK_SH_BUFFER.SETUP_TIME,  T_TRNK_SH_BUFFER.CYCLE_START_TIME, T_TRNK_SH_BUFFER.CYCLE_TIME,  "
        "T_TRNK_SH_BUFFER.MACHINE_DT_START_TIME, T_TRNK_MACHINES.STATUS_ID,  T_TRNK_MACHINES.STATUS_DATE  "
        "from "
        "T_TRNK_SH_BUFFER, T_TRNK_MACHINES  where T_TRNK_SH_BUFFER.MACHINE_ID = T_TRNK_MACHINES.MACHINE_ID  "
        "and "
        "T_TRNK_SH_BUFFER.SH_BUFFER_ID = " +
        std::to_string(bufferId));
    const db::Value stop = rs->Get("STOP_TIME");
    const db::DateTime start = rs->Get("START_TIME").AsDateTime();
    const double elapsed = util::HoursBetween(start, stop.IsNull() ? asOf : stop.AsDateTime());
    const double setup =
        NumberOrZero(rs->Get("SETUP_TIME")) + HoursSinceOrZero(rs->Get("SETUP_START_TIME"), asOf);
    const double cycle =
        NumberOrZero(rs->Get("CYCLE_TIME")) / 60.0 + HoursSinceOrZero(rs->Get("CYCLE_START_TIME"), asOf);
    const double downtime =
        HoursSinceOrZero(rs->Get("MACHINE_DT_START_TIME"), asOf) + GetBufferDowntimeHours(bufferId, asOf);
    idleHours = IdleOrZero(elapsed, setup, cycle, downtime);

    const db::Value status = rs->Get("STATUS_ID");
    const bool openOnMachine =
        stop.IsNull() && !status.IsNull() && status.AsInteger() == kStatusOpenOnMachine;
    statusDate = openOnMachine ? rs->Get("STATUS_DATE").AsDateTime() : util::EmptyDate();
    core::CloseRecordset(rs);
}

double GetShiftHistoryDowntime(std::int32_t shiftHistoryId) {
    core::RecordsetPtr rs = core::OpenClientRecordset(
        "select DURATION  from T_TRNK_DOWNTIME_SHIFT_HISTORY  where PTYPE_ID = 5 and SHIFT_HISTORY_ID = " +
        std::to_string(shiftHistoryId));
    double hours = 0.0;
    for (; !rs->Eof(); rs->MoveNext()) hours += rs->Get("DURATION").AsDouble();
    core::CloseRecordset(rs);
    return hours;
}

void GetShiftHistoryIdleHours(std::int32_t shiftHistoryId, double& idleHours) {
    core::RecordsetPtr rs = core::OpenClientRecordset(
        "select START_TIME, STOP_TIME,  CYCLE_TIME, SETUP_PDT  from T_TRNK_SHIFT_HISTORY  where "
        "SHIFT_HISTORY_ID = " +
        std::to_string(shiftHistoryId));
    const double elapsed =
        util::HoursBetween(rs->Get("START_TIME").AsDateTime(), rs->Get("STOP_TIME").AsDateTime());
    const double setup = NumberOrZero(rs->Get("SETUP_PDT"));
    const double cycle = NumberOrZero(rs->Get("CYCLE_TIME")) / 60.0;
    core::CloseRecordset(rs);
    idleHours = IdleOrZero(elapsed, setup, cycle, GetShiftHistoryDowntime(shiftHistoryId));
}

}  // namespace tmigration::mdc
