#include "sample/SampleOldMDC.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "db/Recordset.h"
#include "legacy/MDCMajorSteps.h"

namespace tmigration::sample {
namespace {

// Downtime hours of a version-1 shift history in its nine columns, by weekday of the week before
// the events; the Friday shift had none.
constexpr std::array<const char*, 9> kDurationColumns = {"MATERIAL_UDT",    "MAINTENANCE_UDT", "TOOLING_UDT",
                                                         "GAUGING_UDT",     "OTHER_UDT",       "MEETINGS_PDT",
                                                         "MAINTENANCE_PDT", "BREAKS_PDT",      "OTHER_PDT"};
constexpr double kDurations[5][9] = {
    {0.5, 0, 0.25, 0, 0, 0.5, 0, 0.5, 0},  {0, 1.5, 0, 0, 0.25, 0, 0, 0.5, 0},
    {0.25, 0, 0, 0.75, 0, 0.5, 1, 0.5, 0}, {0, 0, 0, 0, 0.5, 0, 0, 0.5, 0.25},
    {0, 0, 0, 0, 0, 0, 0, 0, 0},
};
const db::DateTime kMondayBefore{2019, 12, 30, 0, 0, 0};

struct Place {
    db::Value machine, dept, location, group;
};

// The machines whose week of events is still to be converted, with the place their events are
// filed under.
std::vector<Place> MachinesWithEvents(db::Connection& connection) {
    db::Recordset rs;
    rs.SetActiveConnection(&connection);
    rs.SetCursorLocation(db::adUseClient);
    rs.Open(
        "select DISTINCT MACHINE_ID, DEPT_ID, LOCATION_ID, GROUP_ID from T_TRNK_EVENTS where OPTIMIZED IS "
        "NULL "
        "and DEPT_ID IS NOT NULL and LOCATION_ID IS NOT NULL and GROUP_ID IS NOT NULL order by MACHINE_ID");
    std::vector<Place> places;
    std::int64_t last = -1;
    for (; !rs.Eof(); rs.MoveNext()) {
        if (rs.Get("MACHINE_ID").AsInteger() == last) continue;
        last = rs.Get("MACHINE_ID").AsInteger();
        places.push_back(
            {rs.Get("MACHINE_ID"), rs.Get("DEPT_ID"), rs.Get("LOCATION_ID"), rs.Get("GROUP_ID")});
    }
    rs.Close();
    return places;
}

void WriteVersion1ShiftHistories(db::Connection& connection) {
    const std::vector<Place> places = MachinesWithEvents(connection);
    db::Recordset rs;
    rs.SetActiveConnection(&connection);
    rs.Open("select * from T_TRNK_SHIFT_HISTORY  where SHIFT_HISTORY_ID = 0 ");
    for (const Place& place : places)
        for (int day = 0; day < 5; ++day) {
            const db::DateTime date =
                db::DateTime::FromEpochSeconds(kMondayBefore.ToEpochSeconds() + day * 86400);
            rs.AddNew();
            rs.Set("CHART_DATE", date);
            rs.Set("MACHINE_ID", place.machine);
            rs.Set("DEPT_ID", place.dept);
            rs.Set("LOCATION_ID", place.location);
            rs.Set("GROUP_ID", place.group);
            rs.Set("START_TIME", db::DateTime::FromEpochSeconds(date.ToEpochSeconds() + 7 * 3600));
            rs.Set("STOP_TIME", db::DateTime::FromEpochSeconds(date.ToEpochSeconds() + 15 * 3600));
            rs.Set("CYCLE_TIME", 300.0);
            rs.Set("GOOD_COUNT", 40 + day);
            rs.Set("SCRAPPED_COUNT", day % 3);
            rs.Set("SETUP_PDT", 0.5);
            for (std::size_t c = 0; c < kDurationColumns.size(); ++c)
                rs.Set(kDurationColumns[c], kDurations[day][c]);
            rs.Update();
        }
    rs.Close();
}

}  // namespace

MachineDataForm MachineDataFormAt(int major) {
    return major <= 5 ? MachineDataForm::Version5Events : MachineDataForm::Replayed;
}

void AgeSampleMDC(db::Connection& connection, int major, const std::string& minor) {
    if (major < 1 || major > 9)
        throw std::invalid_argument("the MDC has no major version " + std::to_string(major) +
                                    "; its majors run from 1 to 9");
    connection.BeginTrans();
    try {
        if (major == 1) WriteVersion1ShiftHistories(connection);
        if (major < 9) connection.Execute("UPDATE T_TRNK_COMMON SET RESERVED1 = '1' WHERE APP_ID = 31");
        connection.Execute("UPDATE T_TRNK_COMMON SET RESERVED0 = '" + std::to_string(major) + "." + minor +
                           "' WHERE APP_ID = 31");
        connection.CommitTrans();
    } catch (...) {
        connection.RollbackTrans();
        throw;
    }
    for (const std::string& sql : legacy::MDCTakeBackStatements(major, connection.GetDialect()))
        connection.Execute(sql);
}

}  // namespace tmigration::sample
