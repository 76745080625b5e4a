#include "mdc/ShiftSummaryTransfers.h"

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "core/DateHelpers.h"
#include "core/NumberLookups.h"
#include "core/SharedConnection.h"
#include "core/Step.h"
#include "mdc/ShiftHistoryHours.h"
#include "transfer/GetNewID.h"
#include "util/VbConversions.h"

namespace tmigration::mdc {
namespace {

using transfer::Batches;
using transfer::CodeTable;
using transfer::Column;
using transfer::Computed;
using transfer::Constant;
using transfer::Copy;
using transfer::Pass;
using transfer::Same;
using transfer::TransferRow;
using transfer::Via;
using transfer::ZeroWhenNull;
using Read = CodeTable::Read;

constexpr std::int32_t kMachineDowntime = 79, kOperatorDowntime = 94;

// Shift-history downtime is typed by product type, buffer downtime by subtype.
const CodeTable kHistoryDowntimeType{Read::Number, {{5, 0}, {6, 1}}, std::nullopt, db::Value()};
const CodeTable kBufferDowntimeType{
    Read::Number, {{kMachineDowntime, 0}, {kOperatorDowntime, 1}}, std::nullopt, db::Value()};

db::Value Map(std::string_view table, std::string_view column, std::int32_t legacyId) {
    return legacyId == -1 ? db::Value() : transfer::GetNewID(table, column, db::Value(legacyId));
}

std::string Text(const db::Value& v) {
    return v.IsNull() ? std::string() : v.AsText();
}

std::vector<Column> Totals() {
    return {ZeroWhenNull("CYCLE_TIME", "CYCLE_TIME"),
            ZeroWhenNull("GOOD_COUNT", "GOOD_COUNT"),
            ZeroWhenNull("SCRAPPED_COUNT", "SCRAPPED_COUNT"),
            ZeroWhenNull("FINISHED_CYCLES", "FINISHED_CYCLES"),
            ZeroWhenNull("UNFINISHED_CYCLES", "UNFINISHED_CYCLES"),
            Constant("TEARDOWN_TIME", 0)};
}

Pass ShiftSummaries() {
    Pass pass;
    pass.batches = Batches{"T_TRNK_SHIFT_HISTORY", "SHIFT_HISTORY_ID", ""};
    pass.destination = "T_SFC_MACHINE_DATA";
    pass.key = "MACHINE_DATA_ID";
    pass.columns = {
        Same("CHART_DATE"),
        Same("START_TIME"),
        Same("STOP_TIME"),
        Via("SHIFT_ID", "SHIFT_ID", "T_TRNK_SHIFT", "SHIFT_ID"),
        Via("DEPT_ID", "DEPT_ID", "T_TRNK_DEPT", "DEPT_ID"),
        Via("LOCATION_ID", "LOCATION_ID", "T_TRNK_LOCATION", "LOCATION_ID"),
        Via("GROUP_ID", "GROUP_ID", "T_TRNK_GROUPS", "GROUP_ID"),
        Via("MACHINE_ID", "MACHINE_ID", "T_TRNK_MACHINES", "MACHINE_ID"),
        Via("JOB_ID", "JOB_ID", "T_TRNK_JOB", "JOB_ID"),
        Via("USER_ID", "PERS_ID", "T_TRNK_PERS", "PERSONNEL_ID"),
        Via("PART_TYPE_ID", "PARTTYPE_ID", "T_TRNK_PARTTYPE", "PARTTYPE_ID"),
        Via("PART_ID", "PART_ID", "T_TRNK_PART", "PART_ID"),
        Via("OP_ID", "OPS_ID", "T_TRNK_OPS", "OPS_ID"),
        ZeroWhenNull("SETUP_TIME", "SETUP_PDT"),
        Computed("IDLE_TIME",
                 [](TransferRow& row) -> std::optional<db::Value> {
                     double idle = 0;
                     GetShiftHistoryIdleHours(util::CLng(row.legacy.Get("SHIFT_HISTORY_ID")), idle);
                     return db::Value(idle);
                 }),
        Constant("STATUS_CODE", 2),
        Computed("IS_MANUAL",
                 [](TransferRow& row) -> std::optional<db::Value> {
                     return db::Value(Text(row.legacy.Get("IS_MANUAL")) == "YES" ? 1 : 0);
                 }),
    };
    const std::vector<Column> totals = Totals();
    pass.columns.insert(pass.columns.end(), totals.begin(), totals.end());
    return pass;
}

Pass DowntimePerShiftSummaries() {
    Pass pass;
    pass.batches = Batches{"T_TRNK_DOWNTIME_SHIFT_HISTORY", "DOWNTIME_SHIFT_HISTORY_ID", ""};
    pass.destination = "T_SFC_DT_PER_MACHINE_DATA";
    pass.key = "DT_PER_MACHINE_DATA_ID";
    pass.columns = {Via("MACHINE_DATA_ID", "SHIFT_HISTORY_ID", "T_TRNK_SHIFT_HISTORY", "SHIFT_HISTORY_ID"),
                    Via("DOWNTIME_CODE_ID", "DOWNTIME_ID", "T_TRNK_DOWNTIME", "DOWNTIME_ID"),
                    Same("DURATION"),
                    transfer::Coded("DOWNTIME_TYPE_CODE", "PTYPE_ID", kHistoryDowntimeType)};
    return pass;
}

Pass ScrapPerShiftSummaries() {
    Pass pass;
    pass.batches = Batches{"T_TRNK_SCRAP_CODE_SH", "SCRAP_CODE_SH_ID", ""};
    pass.destination = "T_SFC_SCRAP_PER_MACHINE_DATA";
    pass.key = "SCRAP_PER_MACHINE_DATA_ID";
    pass.columns = {Via("MACHINE_DATA_ID", "SHIFT_HISTORY_ID", "T_TRNK_SHIFT_HISTORY", "SHIFT_HISTORY_ID"),
                    Via("SCRAP_CODE_ID", "SCRAP_CODE_ID", "T_TRNK_SCRAP_CODE", "SCRAP_CODE_ID"), Same("QTY"),
                    Same("START_TIME")};
    return pass;
}

// A segment of a buffer: its key text, the buffer it began in, and the new columns it fills.
struct Segment {
    std::string_view number, bufferId;
    std::string_view newId, newStart;
};
constexpr Segment kSegments[] = {{"JOB_NUMBER", "JOB_BUFFER_ID", "JOB_ID", "JOB_DATA_START_ID"},
                                 {"USER_NAME", "LOGON_BUFFER_ID", "USER_ID", "LOGON_DATA_START_ID"},
                                 {"PART_NUMBER", "PART_BUFFER_ID", "PART_ID", "PART_DATA_START_ID"},
                                 {"OP_NUMBER", "OP_BUFFER_ID", "OP_ID", "OP_DATA_START_ID"}};

// The segment began in this very buffer.
bool BeganHere(TransferRow& row, const Segment& s) {
    const db::Value& began = row.legacy.Get(std::string(s.bufferId));
    return !began.IsNull() && began.AsInteger() == row.legacy.Get("SH_BUFFER_ID").AsInteger();
}

bool HasKey(TransferRow& row, const Segment& s) {
    return !row.legacy.Get(std::string(s.number)).IsNull();
}

// The new key of the segment's entity, found by its number.
db::Value SegmentId(TransferRow& row, const Segment& s) {
    const std::string number = Text(row.legacy.Get(std::string(s.number)));
    if (s.newId == "JOB_ID") return Map("T_TRNK_JOB", "JOB_ID", core::GetJobId(number));
    if (s.newId == "USER_ID") return Map("T_TRNK_PERS", "PERSONNEL_ID", core::GetPersonnelId(number));
    if (s.newId == "OP_ID") return Map("T_TRNK_OPS", "OPS_ID", core::GetOperationId(number));
    std::int32_t partType = -1;
    return Map("T_TRNK_PART", "PART_ID", core::GetPartId(number, partType));
}

std::vector<Column> SegmentColumns() {
    std::vector<Column> columns;
    for (const Segment& s : kSegments) {
        const auto whenSet = [s](auto value) {
            return [s, value](TransferRow& row) -> std::optional<db::Value> {
                if (!HasKey(row, s)) return db::Value();
                return value(row);
            };
        };
        columns.push_back(Computed(s.newId, whenSet([s](TransferRow& row) { return SegmentId(row, s); })));
        columns.push_back(Same(s.number));
        // A segment begun in this buffer points at the row itself, once the row has its key.
        columns.push_back(Computed(
            s.newStart, whenSet([s](TransferRow& row) {
                return BeganHere(row, s) ? db::Value()
                                         : transfer::GetNewID("T_TRNK_SH_BUFFER", "SH_BUFFER_ID",
                                                              row.legacy.Get(std::string(s.bufferId)));
            })));
    }
    columns.push_back(Computed("PART_TYPE_ID", [](TransferRow& row) -> std::optional<db::Value> {
        if (row.legacy.Get("PART_NUMBER").IsNull()) return db::Value();
        std::int32_t partType = -1;
        core::GetPartId(Text(row.legacy.Get("PART_NUMBER")), partType);
        return Map("T_TRNK_PARTTYPE", "PARTTYPE_ID", partType);
    }));
    return columns;
}

// Department, location and group of the buffer's machine, mapped, asked once per machine.
class MachinePlaces {
  public:
    db::Value Of(TransferRow& row, int which) {
        const std::int32_t machine = util::CLng(row.legacy.Get("MACHINE_ID"));
        auto it = places_.find(machine);
        if (it == places_.end()) {
            std::int32_t dept = -1, location = -1, group = -1;
            core::GetMachineLocation(machine, dept, location, group);
            it = places_
                     .emplace(machine,
                              std::array<db::Value, 3>{Map("T_TRNK_DEPT", "DEPT_ID", dept),
                                                       Map("T_TRNK_LOCATION", "LOCATION_ID", location),
                                                       Map("T_TRNK_GROUPS", "GROUP_ID", group)})
                     .first;
        }
        return it->second[which];
    }

  private:
    std::map<std::int32_t, std::array<db::Value, 3>> places_;
};

struct Running {
    std::string_view number, start;
    std::int32_t subtype;
    int typeCode;
};
constexpr Running kRunning[] = {{"MACHINE_DT_NUMBER", "MACHINE_DT_START_TIME", kMachineDowntime, 0},
                                {"USER_DT_NUMBER", "USER_DT_START_TIME", kOperatorDowntime, 1}};

Pass ShiftSummaryBuffers(const db::DateTime& now) {
    Pass pass;
    pass.batches = Batches{"T_TRNK_SH_BUFFER", "SH_BUFFER_ID", " order by SH_BUFFER_ID"};
    pass.destination = "T_SFC_MACHINE_DATA";
    pass.key = "MACHINE_DATA_ID";
    auto places = std::make_shared<MachinePlaces>();
    // Idle hours and status date of the buffer as of the database's time, asked once per buffer.
    auto idle = std::make_shared<std::pair<db::Value, db::Value>>();
    pass.columns = {
        Same("CHART_DATE"),
        Same("START_TIME"),
        Same("STOP_TIME"),
        Via("SHIFT_ID", "SHIFT_ID", "T_TRNK_SHIFT", "SHIFT_ID"),
        Via("MACHINE_ID", "MACHINE_ID", "T_TRNK_MACHINES", "MACHINE_ID"),
        Computed("DEPT_ID",
                 [places](TransferRow& row) -> std::optional<db::Value> { return places->Of(row, 0); }),
        Computed("LOCATION_ID",
                 [places](TransferRow& row) -> std::optional<db::Value> { return places->Of(row, 1); }),
        Computed("GROUP_ID",
                 [places](TransferRow& row) -> std::optional<db::Value> { return places->Of(row, 2); }),
        Same("SETUP_START_TIME"),
        ZeroWhenNull("SETUP_TIME", "SETUP_TIME"),
        Computed("IDLE_TIME",
                 [idle, now](TransferRow& row) -> std::optional<db::Value> {
                     double hours = 0;
                     db::DateTime statusDate;
                     GetBufferIdleHours(util::CLng(row.legacy.Get("SH_BUFFER_ID")), now, hours, statusDate);
                     *idle = {db::Value(hours), db::Value(statusDate)};
                     return idle->first;
                 }),
        Computed("IDLE_START_TIME",
                 [idle](TransferRow&) -> std::optional<db::Value> { return idle->second; }),
        Same("CYCLE_START_TIME"),
        Same("SHIFT_END"),
        Computed("STATUS_CODE",
                 [](TransferRow& row) -> std::optional<db::Value> {
                     if (row.legacy.Get("COMPLETED").IsNull()) return db::Value(0);
                     for (const Segment& s : kSegments)
                         if (BeganHere(row, s)) return db::Value(1);
                     return db::Value(2);
                 }),
        Constant("IS_MANUAL", 0),
    };
    for (const std::vector<Column>& group : {SegmentColumns(), Totals()})
        pass.columns.insert(pass.columns.end(), group.begin(), group.end());
    pass.secondDestination = "select * from T_SFC_DT_PER_MACHINE_DATA where DT_PER_MACHINE_DATA_ID = 0";
    pass.extraRows = [](TransferRow& row) {
        const std::string newId = row.destination.Get("MACHINE_DATA_ID").AsText();
        for (const Segment& s : kSegments)
            if (HasKey(row, s) && BeganHere(row, s))
                core::gConnection().Execute("update T_SFC_MACHINE_DATA  set " + std::string(s.newStart) +
                                            " = " + newId + " where MACHINE_DATA_ID = " + newId);
        for (const Running& r : kRunning) {
            const db::Value& number = row.legacy.Get(std::string(r.number));
            if (number.IsNull()) continue;
            db::Recordset& dt = *row.second;
            dt.AddNew();
            dt.Set("MACHINE_DATA_ID", row.destination.Get("MACHINE_DATA_ID"));
            dt.Set("DOWNTIME_CODE_ID",
                   Map("T_TRNK_DOWNTIME", "DOWNTIME_ID", core::GetDowntimeId(Text(number), r.subtype)));
            dt.Set("DOWNTIME_TYPE_CODE", r.typeCode);
            dt.Set("START_TIME", row.legacy.Get(std::string(r.start)));
            dt.Update();
        }
    };
    return pass;
}

Pass DowntimePerShiftSummaryBuffers() {
    Pass pass;
    pass.batches = Batches{"T_TRNK_DT_SH_BUFFER", "DT_SH_BUFFER_ID", ""};
    pass.destination = "T_SFC_DT_PER_MACHINE_DATA";
    pass.key = "DT_PER_MACHINE_DATA_ID";
    // The legacy code is looked up among the codes of the row's subtype; an unknown code keeps its text.
    const auto codeId = [](TransferRow& row) {
        const db::Value& number = row.legacy.Get("DT_NUMBER");
        if (number.IsNull()) return -1;
        return core::GetDowntimeId(number.AsText(), util::CLng(row.legacy.Get("SUBTYPE_ID")));
    };
    pass.columns = {
        Via("MACHINE_DATA_ID", "SH_BUFFER_ID", "T_TRNK_SH_BUFFER", "SH_BUFFER_ID"),
        Computed("DOWNTIME_CODE_ID",
                 [codeId](TransferRow& row) -> std::optional<db::Value> {
                     return Map("T_TRNK_DOWNTIME", "DOWNTIME_ID", codeId(row));
                 }),
        Computed("DT_NUMBER",
                 [codeId](TransferRow& row) -> std::optional<db::Value> {
                     const db::Value& number = row.legacy.Get("DT_NUMBER");
                     if (number.IsNull() || codeId(row) != -1) return std::nullopt;
                     return number;
                 }),
        Same("DURATION"),
        transfer::Coded("DOWNTIME_TYPE_CODE", "SUBTYPE_ID", kBufferDowntimeType),
        Same("START_TIME"),
        Same("STOP_TIME"),
    };
    return pass;
}

Pass ScrapPerShiftSummaryBuffers() {
    Pass pass;
    pass.batches = Batches{"T_TRNK_SCRAP_CODE_SH_BUFFER", "SCRAP_CODE_SH_BUFFER_ID", ""};
    pass.destination = "T_SFC_SCRAP_PER_MACHINE_DATA";
    pass.key = "SCRAP_PER_MACHINE_DATA_ID";
    pass.columns = {
        Via("MACHINE_DATA_ID", "SH_BUFFER_ID", "T_TRNK_SH_BUFFER", "SH_BUFFER_ID"),
        Computed("SCRAP_CODE_ID",
                 [](TransferRow& row) -> std::optional<db::Value> {
                     return Map("T_TRNK_SCRAP_CODE", "SCRAP_CODE_ID",
                                core::GetScrapCodeId(Text(row.legacy.Get("SCRAP_CODE_NUMBER"))));
                 }),
        Same("SCRAP_CODE_NUMBER"),
        Same("QTY"),
        Same("START_TIME"),
    };
    return pass;
}

transfer::TransferCounts UpdateMachines(core::Step& step) {
    db::Recordset& legacy = step.OpenClient("select * from T_TRNK_MACHINES");
    db::Recordset& machines = step.OpenServer("select * from T_SFC_MACHINE");
    transfer::TransferCounts counts;
    const std::int64_t total = legacy.RecordCount();
    for (; !legacy.Eof(); legacy.MoveNext()) {
        ++counts.read;
        const db::Value& newMachine = legacy.Get("SFC_ID");
        if (!newMachine.IsNull() && !machines.BOF()) {
            machines.MoveFirst();
            machines.Find("MACHINE_ID = " + newMachine.AsText());
            if (!machines.Eof()) {
                machines.Set("MACHINE_DATA_ID", transfer::GetNewID("T_TRNK_SH_BUFFER", "SH_BUFFER_ID",
                                                                   legacy.Get("SH_BUFFER_ID")));
                machines.Update();
                ++counts.written;
            }
        }
        step.ShowProgress(counts.read, total);
    }
    return counts;
}

}  // namespace

const std::vector<transfer::BuiltTransfer>& ShiftSummaryTransfers() {
    static const std::vector<transfer::BuiltTransfer> all = {
        {"MigrateShiftSummaries", transfer::Declared({ShiftSummaries()})},
        {"MigrateDowntimePerShiftSummaries", transfer::Declared({DowntimePerShiftSummaries()})},
        {"MigrateScrapPerShiftSummaries", transfer::Declared({ScrapPerShiftSummaries()})},
        {"MigrateShiftSummaryBuffers",
         [](core::Step& step, db::Dialect databaseType) {
             // Open buffers are measured up to the database's own time, read once.
             const auto now = db::DateTime::ParseIso(core::GetDatabaseNow(databaseType));
             return transfer::RunTransfer(step, {ShiftSummaryBuffers(now.value())});
         }},
        {"MigrateDowntimePerShiftSummaryBuffers", transfer::Declared({DowntimePerShiftSummaryBuffers()})},
        {"MigrateScrapPerShiftSummaryBuffers", transfer::Declared({ScrapPerShiftSummaryBuffers()})},
        {"UpdateMachines", [](core::Step& step, db::Dialect) { return UpdateMachines(step); }},
    };
    return all;
}

}  // namespace tmigration::mdc
