#include "sample/SampleOldMDC.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "db/Recordset.h"
#include "legacy/MDCMajorSteps.h"
#include "sample/SampleMachineData.h"

namespace tmigration::sample {
namespace {

const std::string kWeek = std::string(kWeekFile);

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

// A client snapshot of `sql`, walked row by row.
class Snapshot {
  public:
    Snapshot(db::Connection& connection, const std::string& sql) {
        rs_.SetActiveConnection(&connection);
        rs_.SetCursorLocation(db::adUseClient);
        rs_.SetLockType(db::adLockOptimistic);
        rs_.Open(sql);
    }
    ~Snapshot() { rs_.Close(); }
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;
    db::Recordset* operator->() { return &rs_; }

  private:
    db::Recordset rs_;
};

// The replay of the week undone: what it wrote goes, the events it read are version-5 events again.
void UnconvertTheWeek(db::Connection& connection) {
    connection.Execute("UPDATE T_TRNK_MACHINES SET SH_BUFFER_ID = NULL");
    for (const char* table : {"T_TRNK_SCRAP_CODE_SH", "T_TRNK_DOWNTIME_SHIFT_HISTORY", "T_TRNK_SHIFT_HISTORY",
                              "T_TRNK_SCRAP_CODE_SH_BUFFER", "T_TRNK_DT_SH_BUFFER", "T_TRNK_SH_BUFFER"})
        connection.Execute(std::string("DELETE FROM ") + table);
    // The part starts the replay added are the only events it left unconverted; a part still
    // running at the end is recorded on its machine.
    constexpr std::size_t kKeysPerStatement = 500;
    std::vector<std::string> batches;
    {
        Snapshot added(connection, "select EVENT_ID from T_TRNK_EVENTS where OPTIMIZED IS NULL");
        for (std::size_t n = 0; !added->Eof(); added->MoveNext(), ++n) {
            if (n % kKeysPerStatement == 0) batches.emplace_back();
            batches.back() += (batches.back().empty() ? "" : ", ") + added->Get("EVENT_ID").AsText();
        }
    }
    for (const std::string& keys : batches)
        connection.Execute("DELETE FROM T_TRNK_MACHINE_EVENTS WHERE EVENT_ID IN (" + keys + ")");
    connection.Execute("DELETE FROM T_TRNK_EVENTS WHERE OPTIMIZED IS NULL");
    // Version 5 collected no operations, and a scrap count without its code.
    connection.Execute("DELETE FROM T_TRNK_EVENTS WHERE FILE_NAME = " + kWeek + " AND COMMAND_ID = 13");
    {
        Snapshot scrap(connection,
                       "select * from T_TRNK_EVENTS where FILE_NAME = " + kWeek + " and COMMAND_ID = 11");
        for (; !scrap->Eof(); scrap->MoveNext()) {
            const std::string count = scrap->Get("PARAM1").AsText();
            scrap->Set("PARAM1", count.substr(0, count.find('.')));
            scrap->Update();
        }
    }
    connection.Execute("UPDATE T_TRNK_EVENTS SET OPTIMIZED = NULL WHERE FILE_NAME = " + kWeek);
}

void WriteVersion1ShiftHistories(db::Connection& connection) {
    // One place per machine of the week: where its first event is filed.
    std::vector<std::vector<db::Value>> places;
    {
        Snapshot events(connection,
                        "select MACHINE_ID, DEPT_ID, LOCATION_ID, GROUP_ID from T_TRNK_EVENTS where "
                        "FILE_NAME = " +
                            kWeek + " order by MACHINE_ID, EVENT_ID");
        for (; !events->Eof(); events->MoveNext())
            if (places.empty() || places.back()[0] != events->Get("MACHINE_ID"))
                places.push_back({events->Get("MACHINE_ID"), events->Get("DEPT_ID"),
                                  events->Get("LOCATION_ID"), events->Get("GROUP_ID")});
    }
    db::Recordset rs;
    rs.SetActiveConnection(&connection);
    rs.SetLockType(db::adLockOptimistic);
    rs.Open("select * from T_TRNK_SHIFT_HISTORY  where SHIFT_HISTORY_ID = 0 ");
    for (const auto& place : places)
        for (int day = 0; day < 5; ++day) {
            const std::int64_t midnight = kMondayBefore.ToEpochSeconds() + day * 86400;
            rs.AddNew();
            rs.Set("CHART_DATE", db::DateTime::FromEpochSeconds(midnight));
            rs.Set("MACHINE_ID", place[0]);
            rs.Set("DEPT_ID", place[1]);
            rs.Set("LOCATION_ID", place[2]);
            rs.Set("GROUP_ID", place[3]);
            rs.Set("START_TIME", db::DateTime::FromEpochSeconds(midnight + 7 * 3600));
            rs.Set("STOP_TIME", db::DateTime::FromEpochSeconds(midnight + 15 * 3600));
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

void AgeSampleMDC(db::Connection& connection, int major, const std::string& minor) {
    if (major < 1 || major > 9)
        throw std::invalid_argument("the MDC module can be aged to majors 1 to 9, not " +
                                    std::to_string(major));
    connection.BeginTrans();
    try {
        if (major <= 5) UnconvertTheWeek(connection);
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
