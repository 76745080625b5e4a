#include "mdc/EventReplay.h"

#include <array>
#include <optional>
#include <vector>

#include "core/DateHelpers.h"
#include "core/NumberLookups.h"
#include "core/NumberText.h"
#include "core/RecordsetHelpers.h"
#include "core/SharedConnection.h"
#include "db/Recordset.h"
#include "mdc/ShiftCalendar.h"
#include "util/DateMath.h"
#include "util/VbConversions.h"

namespace tmigration::mdc {
namespace {

// Commands of the collected events.
enum Command : std::int32_t {
    kJob = 4,
    kCycle = 5,
    kSetup = 6,
    kLogon = 7,
    kMachineDowntime = 8,
    kUserDowntime = 9,
    kGoodCount = 10,
    kScrapCount = 11,
    kPart = 12,
    kOperation = 13,
};

constexpr std::int32_t kMachineDowntimeSubtype = 79;
constexpr std::int32_t kUserDowntimeSubtype = 94;

// Columns of a shift-history buffer this engine reads and writes.
enum Col : std::size_t {
    CHART_DATE,
    START_TIME,
    STOP_TIME,
    MACHINE_ID,
    SHIFT_ID,
    JOB_NUMBER,
    JOB_EVENT_ID,
    JOB_BUFFER_ID,
    USER_NAME,
    LOGON_EVENT_ID,
    LOGON_BUFFER_ID,
    PART_NUMBER,
    PART_EVENT_ID,
    PART_BUFFER_ID,
    SETUP_START_TIME,
    SETUP_TIME,
    SETUP_EVENT_ID,
    CYCLE_START_TIME,
    CYCLE_TIME,
    CYCLE_EVENT_ID,
    FINISHED_CYCLES,
    UNFINISHED_CYCLES,
    GOOD_COUNT,
    SCRAPPED_COUNT,
    MACHINE_DT_NUMBER,
    MACHINE_DT_START_TIME,
    MACHINE_DT_EVENT_ID,
    MACHINE_DT_BUFFER_ID,
    USER_DT_NUMBER,
    USER_DT_START_TIME,
    USER_DT_EVENT_ID,
    USER_DT_BUFFER_ID,
    COMPLETED,
    SHIFT_END,
    OP_NUMBER,
    OP_EVENT_ID,
    OP_BUFFER_ID,
    kColumnCount
};

constexpr std::array<const char*, kColumnCount> kColumnName = {"CHART_DATE",
                                                               "START_TIME",
                                                               "STOP_TIME",
                                                               "MACHINE_ID",
                                                               "SHIFT_ID",
                                                               "JOB_NUMBER",
                                                               "JOB_EVENT_ID",
                                                               "JOB_BUFFER_ID",
                                                               "USER_NAME",
                                                               "LOGON_EVENT_ID",
                                                               "LOGON_BUFFER_ID",
                                                               "PART_NUMBER",
                                                               "PART_EVENT_ID",
                                                               "PART_BUFFER_ID",
                                                               "SETUP_START_TIME",
                                                               "SETUP_TIME",
                                                               "SETUP_EVENT_ID",
                                                               "CYCLE_START_TIME",
                                                               "CYCLE_TIME",
                                                               "CYCLE_EVENT_ID",
                                                               "FINISHED_CYCLES",
                                                               "UNFINISHED_CYCLES",
                                                               "GOOD_COUNT",
                                                               "SCRAPPED_COUNT",
                                                               "MACHINE_DT_NUMBER",
                                                               "MACHINE_DT_START_TIME",
                                                               "MACHINE_DT_EVENT_ID",
                                                               "MACHINE_DT_BUFFER_ID",
                                                               "USER_DT_NUMBER",
                                                               "USER_DT_START_TIME",
                                                               "USER_DT_EVENT_ID",
                                                               "USER_DT_BUFFER_ID",
                                                               "COMPLETED",
                                                               "SHIFT_END",
                                                               "OP_NUMBER",
                                                               "OP_EVENT_ID",
                                                               "OP_BUFFER_ID"};

// The operation columns came with the current form.
std::size_t ColumnsOf(ReplayForm form) {
    return form == ReplayForm::Current ? kColumnCount : static_cast<std::size_t>(OP_NUMBER);
}

// A segment key: what is running (number), the event that started it, the buffer it began in.
struct Segment {
    Col number, eventId, bufferId;
};
constexpr Segment kJobSegment{JOB_NUMBER, JOB_EVENT_ID, JOB_BUFFER_ID};
constexpr Segment kOperatorSegment{USER_NAME, LOGON_EVENT_ID, LOGON_BUFFER_ID};
constexpr Segment kPartSegment{PART_NUMBER, PART_EVENT_ID, PART_BUFFER_ID};
constexpr Segment kOperationSegment{OP_NUMBER, OP_EVENT_ID, OP_BUFFER_ID};

// A downtime that runs: code, start, event and the buffer it began in.
struct Downtime {
    Col number, start, eventId, bufferId;
    std::int32_t subtype;
};
constexpr Downtime kMachineDowntimeCols{MACHINE_DT_NUMBER, MACHINE_DT_START_TIME, MACHINE_DT_EVENT_ID,
                                        MACHINE_DT_BUFFER_ID, kMachineDowntimeSubtype};
constexpr Downtime kUserDowntimeCols{USER_DT_NUMBER, USER_DT_START_TIME, USER_DT_EVENT_ID, USER_DT_BUFFER_ID,
                                     kUserDowntimeSubtype};

// Split modes of NewBuffer: which key the new buffer leaves out.
enum Mode { kShiftSplit = 0, kJobChange = 1, kPartChange = 2, kOperatorChange = 3, kOperationChange = 4 };

struct DowntimeRow {
    db::Value number;
    double duration;
    std::int32_t subtype;
    db::DateTime start, stop;
};

struct ScrapRow {
    std::string code;
    std::int64_t quantity;
    db::DateTime start;
};

// A buffer as the replay holds it: its stored row is written when it is created, and again when
// it stays in the database (kept for correction, or still open at the end).
struct Buffer {
    std::int32_t id = 0;
    std::array<db::Value, kColumnCount> v;
    std::vector<DowntimeRow> downtime;                          // its rows in T_TRNK_DT_SH_BUFFER
    std::vector<ScrapRow> scrap;                                // its rows in T_TRNK_SCRAP_CODE_SH_BUFFER
    std::optional<std::optional<db::DateTime>> nextShiftStart;  // once asked, for buffers without shift

    db::Value& operator[](Col c) { return v[c]; }
    const db::Value& operator[](Col c) const { return v[c]; }
    bool Runs(Col eventId) const { return !v[eventId].IsNull(); }
};

// Where the event happened: the shift history of a closed buffer is filed there.
struct Place {
    db::Value dept, location, group;
};

double Number(const db::Value& v) {
    return v.IsNull() ? 0.0 : v.AsDouble();
}

std::string TextOrEmpty(const db::Value& v) {
    return v.IsNull() ? std::string() : v.AsText();
}

// Durations are whole seconds, in hours or minutes, rounded to single precision.
double Hours(const db::DateTime& from, const db::DateTime& to) {
    return util::CSng(static_cast<double>(util::DateDiffSeconds(from, to)) / 3600.0);
}
double Minutes(const db::DateTime& from, const db::DateTime& to) {
    return util::CSng(static_cast<double>(util::DateDiffSeconds(from, to)) / 60.0);
}

void AddTo(db::Value& total, double amount) {
    total = Number(total) + amount;
}
void Count(db::Value& total, std::int64_t n) {
    total = (total.IsNull() ? 0 : total.AsInteger()) + n;
}

// A count parameter: its value when it is a whole number of at most ten digits and at least 1.
bool ValidCount(const std::string& text) {
    return !text.empty() && core::IsValidDecimal(10, 0, text) && util::Val(text) >= 1;
}
std::int64_t CountOf(const std::string& parameter) {
    return ValidCount(parameter) ? static_cast<std::int64_t>(util::Val(parameter)) : 1;
}

// Quantity and scrap code of a scrap count: "3.17" is 3 of code 17; without "." one of code 100.
ScrapRow ParseScrap(const std::string& parameter, const db::DateTime& t) {
    std::string quantity = "1";
    std::string code = "100";
    if (const auto dot = parameter.find('.'); dot != std::string::npos) {
        quantity = parameter.substr(0, dot);
        code = parameter.substr(dot + 1);
    }
    if (!ValidCount(quantity)) quantity = "1";
    if (code.empty()) code = "100";
    return ScrapRow{code, static_cast<std::int64_t>(util::Val(quantity)), t};
}

std::string Id(std::int64_t id) {
    return std::to_string(id);
}

db::Value IdOrNull(std::int32_t id) {
    return id == -1 ? db::Value() : db::Value(id);
}

}  // namespace

class EventReplay::Impl {
  public:
    Impl(ReplayForm form, db::Dialect dialect) : form_(form), dialect_(dialect), calendar_(dialect) {}

    void ReplayMachineEvents(std::int32_t machineId);
    std::int32_t CreateInitialBuffer(std::int32_t machineId, const db::DateTime& t, std::int32_t command,
                                     const std::string& parameter, std::int32_t eventId);
    EventTimeline LoadEvents(std::int32_t machineId);

  private:
    std::int32_t InsertPartStartEvent(std::int32_t machineId, const EventTimeline& timeline, std::size_t row);
    void Dispatch(const EventTimeline& timeline, std::size_t row);

    // Buffers.
    Buffer& GetCurrentBuffer(const db::DateTime& t, const Place& place);
    void SplitAt(const db::DateTime& end, const Place& place);
    Buffer NewBuffer(const Buffer& old, const db::DateTime& t, Mode mode);
    void SetShift(Buffer& b, const ShiftOccurrence& shift);
    void CloseBuffer(Buffer& b, const db::DateTime& t);
    void SetCurrentBuffer(std::int32_t bufferId);
    int ClassifyBuffer(const Buffer& b);
    void WriteShiftHistory(const Buffer& b, const Place& place);
    std::int32_t InsertBuffer(const Buffer& b);
    void SaveBuffer(const Buffer& b);
    void DeleteBuffer(const Buffer& b);

    // Handlers.
    void ChangeSegment(const Segment& segment, Mode mode, bool start, const db::DateTime& t,
                       const std::string& parameter, std::int32_t eventId, const Place& place);
    void StartSetup(const db::DateTime& t, std::int32_t eventId, const Place& place);
    void StopSetup(const db::DateTime& t, const Place& place);
    void StartCycle(const db::DateTime& t, std::int32_t eventId, const Place& place);
    void StopCycle(const db::DateTime& t, const Place& place);
    void StartDowntime(const Downtime& d, const db::DateTime& t, const std::string& code,
                       std::int32_t eventId, const Place& place);
    void StopDowntime(const Downtime& d, const db::DateTime& t, const Place& place);
    void AddGoodCount(const db::DateTime& t, const std::string& parameter, const Place& place);
    void AddScrapCount(const db::DateTime& t, const std::string& parameter, const Place& place);

    // What ends a running activity at t.
    void EndSetup(Buffer& b, const db::DateTime& t);
    void EndCycle(Buffer& b, const db::DateTime& t, bool unfinished);
    void EndDowntime(Buffer& b, const Downtime& d, const db::DateTime& t);
    void AddScrap(Buffer& b, ScrapRow row);

    db::Recordset& Appender(core::RecordsetPtr& slot, const char* sql);

    ReplayForm form_;
    db::Dialect dialect_;
    ShiftCalendar calendar_;
    std::int32_t machineId_ = 0;
    Buffer current_;

    core::RecordsetPtr bufferAppender_, downtimeAppender_, scrapAppender_, eventAppender_, historyAppender_,
        historyDowntimeAppender_, historyScrapAppender_;
};

db::Recordset& EventReplay::Impl::Appender(core::RecordsetPtr& slot, const char* sql) {
    if (!slot) slot = core::OpenServerRecordset(sql);
    return *slot;
}

// ---- Timeline ----------------------------------------------------------------------------

EventTimeline EventReplay::Impl::LoadEvents(std::int32_t machineId) {
    machineId_ = machineId;
    const std::string codes =
        form_ == ReplayForm::Current ? "12, 7, 5, 6, 8, 9, 10, 11, 4, 13" : "12, 7, 5, 6, 8, 9, 10, 11, 4";
    core::RecordsetPtr rs = core::OpenClientRecordset(
        "select * from T_TRNK_EVENTS  where MACHINE_ID = " + Id(machineId) +
        " and OPTIMIZED IS NULL  and COMMAND_ID IN (" + codes + ") order by START_TIME ");
    EventTimeline timeline;
    const auto append = [&](const db::Value& instant, const db::Value& command, db::Value parameter,
                            bool start) {
        const std::size_t row = timeline.Count();
        timeline.Resize(row + 1);
        timeline.SetCell(row, EventTimeline::kInstant, instant);
        timeline.SetCell(row, EventTimeline::kCommand, command);
        timeline.SetCell(row, EventTimeline::kParameter, std::move(parameter));
        timeline.SetCell(row, EventTimeline::kIsStart, db::Value::Boolean(start));
        timeline.SetCell(row, EventTimeline::kEventId, rs->Get("EVENT_ID"));
        timeline.SetCell(row, EventTimeline::kDeptId, rs->Get("DEPT_ID"));
        timeline.SetCell(row, EventTimeline::kLocationId, rs->Get("LOCATION_ID"));
        timeline.SetCell(row, EventTimeline::kGroupId, rs->Get("GROUP_ID"));
    };
    for (; !rs->Eof(); rs->MoveNext()) {
        const db::Value command = util::CLng(rs->Get("COMMAND_ID"));
        const db::Value& parameter = rs->Get("PARAM1");
        append(rs->Get("START_TIME"), command,
               parameter.IsNull() ? db::Value("") : db::Value(parameter.AsText()), true);
        const std::int64_t code = command.AsInteger();
        if (code != kGoodCount && code != kScrapCount && !rs->Get("STOP_TIME").IsNull())
            append(rs->Get("STOP_TIME"), command, db::Value(""), false);
        rs->Set("OPTIMIZED", "Y");
        rs->Update();
    }
    core::CloseRecordset(rs);
    timeline.SortByColumn(EventTimeline::kInstant);

    // Production needs a part: a cycle or count met while no part runs starts one at its instant.
    bool partRunning = false;
    std::int32_t openPartEvent = -1;
    for (std::size_t row = 0; row < timeline.Count(); ++row) {
        const std::int64_t command = timeline.Cell(row, EventTimeline::kCommand).AsInteger();
        const bool start = timeline.Cell(row, EventTimeline::kIsStart).AsBoolean();
        if (command == kPart) {
            partRunning = start;
            openPartEvent = -1;
        } else if (start && !partRunning &&
                   (command == kCycle || command == kGoodCount || command == kScrapCount)) {
            const std::int32_t eventId = InsertPartStartEvent(machineId, timeline, row);
            timeline.Insert(row);
            timeline.SetCell(row, EventTimeline::kInstant, timeline.Cell(row + 1, EventTimeline::kInstant));
            timeline.SetCell(row, EventTimeline::kCommand, db::Value(static_cast<int>(kPart)));
            timeline.SetCell(row, EventTimeline::kParameter, db::Value(""));
            timeline.SetCell(row, EventTimeline::kIsStart, db::Value::Boolean(true));
            timeline.SetCell(row, EventTimeline::kEventId, db::Value(eventId));
            for (std::size_t c :
                 {EventTimeline::kDeptId, EventTimeline::kLocationId, EventTimeline::kGroupId})
                timeline.SetCell(row, c, timeline.Cell(row + 1, c));
            ++row;  // the row that caused it
            partRunning = true;
            openPartEvent = eventId;
        }
    }
    if (openPartEvent != -1) {
        core::RecordsetPtr open =
            core::OpenServerRecordset("select * from T_TRNK_MACHINE_EVENTS  where EVENT_ID = 0 ");
        open->AddNew();
        open->Set("MACHINE_ID", machineId);
        open->Set("COMMAND_ID", static_cast<int>(kPart));
        open->Set("EVENT_ID", openPartEvent);
        open->Update();
        core::CloseRecordset(open);
    }
    return timeline;
}

std::int32_t EventReplay::Impl::InsertPartStartEvent(std::int32_t machineId, const EventTimeline& timeline,
                                                     std::size_t row) {
    db::Recordset& rs = Appender(eventAppender_, "select * from T_TRNK_EVENTS where EVENT_ID = 0");
    rs.AddNew();
    rs.Set("START_TIME", timeline.Cell(row, EventTimeline::kInstant));
    rs.Set("COMMAND_ID", static_cast<int>(kPart));
    rs.Set("DEPT_ID", timeline.Cell(row, EventTimeline::kDeptId));
    rs.Set("LOCATION_ID", timeline.Cell(row, EventTimeline::kLocationId));
    rs.Set("GROUP_ID", timeline.Cell(row, EventTimeline::kGroupId));
    rs.Set("MACHINE_ID", machineId);
    rs.Update();
    return util::CLng(rs.Get("EVENT_ID"));
}

// ---- Replay ------------------------------------------------------------------------------

void EventReplay::Impl::ReplayMachineEvents(std::int32_t machineId) {
    const EventTimeline timeline = LoadEvents(machineId);
    if (timeline.Count() == 0) {
        const auto now = db::DateTime::ParseIso(core::GetDatabaseNow(dialect_));
        CreateInitialBuffer(machineId, now.value_or(util::EmptyDate()), -1, "", -1);
    } else {
        CreateInitialBuffer(machineId, timeline.Cell(0, EventTimeline::kInstant).AsDateTime(),
                            util::CLng(timeline.Cell(0, EventTimeline::kCommand)),
                            timeline.Cell(0, EventTimeline::kParameter).AsText(),
                            util::CLng(timeline.Cell(0, EventTimeline::kEventId)));
    }
    for (std::size_t row = 1; row < timeline.Count(); ++row) Dispatch(timeline, row);
    SaveBuffer(current_);
}

void EventReplay::Impl::Dispatch(const EventTimeline& timeline, std::size_t row) {
    const db::DateTime t = timeline.Cell(row, EventTimeline::kInstant).AsDateTime();
    const std::int32_t command = util::CLng(timeline.Cell(row, EventTimeline::kCommand));
    const bool start = timeline.Cell(row, EventTimeline::kIsStart).AsBoolean();
    const std::string parameter = timeline.Cell(row, EventTimeline::kParameter).AsText();
    const std::int32_t eventId = util::CLng(timeline.Cell(row, EventTimeline::kEventId));
    const Place place{timeline.Cell(row, EventTimeline::kDeptId),
                      timeline.Cell(row, EventTimeline::kLocationId),
                      timeline.Cell(row, EventTimeline::kGroupId)};
    switch (command) {
        case kLogon:
            return ChangeSegment(kOperatorSegment, kOperatorChange, start, t, parameter, eventId, place);
        case kJob:
            return ChangeSegment(kJobSegment, kJobChange, start, t, parameter, eventId, place);
        case kPart:
            return ChangeSegment(kPartSegment, kPartChange, start, t, parameter, eventId, place);
        case kOperation:
            if (form_ == ReplayForm::Current)
                ChangeSegment(kOperationSegment, kOperationChange, start, t, parameter, eventId, place);
            return;
        case kSetup:
            return start ? StartSetup(t, eventId, place) : StopSetup(t, place);
        case kMachineDowntime:
            return start ? StartDowntime(kMachineDowntimeCols, t, parameter, eventId, place)
                         : StopDowntime(kMachineDowntimeCols, t, place);
        case kUserDowntime:
            return start ? StartDowntime(kUserDowntimeCols, t, parameter, eventId, place)
                         : StopDowntime(kUserDowntimeCols, t, place);
        case kCycle:
            return start ? StartCycle(t, eventId, place) : StopCycle(t, place);
        case kGoodCount:
            return AddGoodCount(t, parameter, place);
        case kScrapCount:
            return AddScrapCount(t, parameter, place);
        default:
            return;
    }
}

std::int32_t EventReplay::Impl::CreateInitialBuffer(std::int32_t machineId, const db::DateTime& t,
                                                    std::int32_t command, const std::string& parameter,
                                                    std::int32_t eventId) {
    machineId_ = machineId;
    Buffer b;
    b[MACHINE_ID] = machineId;
    b[START_TIME] = t;
    SetShift(b, calendar_.FindShift(t, command == kLogon ? parameter : std::string()));
    b[SETUP_TIME] = 0.0;
    b[CYCLE_TIME] = 0.0;
    for (Col total : {FINISHED_CYCLES, UNFINISHED_CYCLES, GOOD_COUNT, SCRAPPED_COUNT}) b[total] = 0;

    // The first event's state; the segment or downtime it opens began in this very buffer.
    std::optional<Col> ownBufferColumn;
    const auto openSegment = [&](const Segment& s) {
        b[s.number] = parameter;
        b[s.eventId] = eventId;
        ownBufferColumn = s.bufferId;
    };
    const auto openDowntime = [&](const Downtime& d) {
        b[d.number] = parameter;
        b[d.start] = t;
        b[d.eventId] = eventId;
        ownBufferColumn = d.bufferId;
    };
    std::optional<ScrapRow> scrap;
    switch (command) {
        case kJob:
            openSegment(kJobSegment);
            break;
        case kLogon:
            openSegment(kOperatorSegment);
            break;
        case kPart:
            openSegment(kPartSegment);
            break;
        case kOperation:
            if (form_ == ReplayForm::Current) openSegment(kOperationSegment);
            break;
        case kSetup:
            b[SETUP_START_TIME] = t;
            b[SETUP_EVENT_ID] = eventId;
            break;
        case kCycle:
            b[CYCLE_START_TIME] = t;
            b[CYCLE_EVENT_ID] = eventId;
            break;
        case kMachineDowntime:
            openDowntime(kMachineDowntimeCols);
            break;
        case kUserDowntime:
            openDowntime(kUserDowntimeCols);
            break;
        case kGoodCount:
            b[GOOD_COUNT] = CountOf(parameter);
            break;
        case kScrapCount:
            if (form_ == ReplayForm::Current) {
                scrap = ParseScrap(parameter, t);
                b[SCRAPPED_COUNT] = scrap->quantity;
            } else {
                b[SCRAPPED_COUNT] = CountOf(parameter);
            }
            break;
        default:
            break;
    }
    b.id = InsertBuffer(b);
    if (ownBufferColumn) b[*ownBufferColumn] = b.id;
    if (scrap) {
        // Its quantity is in the count already.
        db::Recordset& rs = Appender(
            scrapAppender_, "select * from T_TRNK_SCRAP_CODE_SH_BUFFER  where SCRAP_CODE_SH_BUFFER_ID = 0");
        rs.AddNew();
        rs.Set("SCRAP_CODE_NUMBER", scrap->code);
        rs.Set("QTY", scrap->quantity);
        rs.Set("SH_BUFFER_ID", b.id);
        rs.Set("START_TIME", t);
        rs.Update();
        b.scrap.push_back(*scrap);
    }
    SaveBuffer(b);
    SetCurrentBuffer(b.id);
    current_ = std::move(b);
    return current_.id;
}

// ---- Buffers -----------------------------------------------------------------------------

std::int32_t EventReplay::Impl::InsertBuffer(const Buffer& b) {
    db::Recordset& rs = Appender(bufferAppender_, "select * from T_TRNK_SH_BUFFER  where SH_BUFFER_ID = 0");
    rs.AddNew();
    for (std::size_t c = 0; c < ColumnsOf(form_); ++c)
        if (!b.v[c].IsNull()) rs.Set(kColumnName[c], b.v[c]);
    rs.Update();
    return util::CLng(rs.Get("SH_BUFFER_ID"));
}

void EventReplay::Impl::SaveBuffer(const Buffer& b) {
    core::RecordsetPtr rs =
        core::OpenServerRecordset("select * from T_TRNK_SH_BUFFER  where SH_BUFFER_ID = " + Id(b.id));
    for (std::size_t c = 0; c < ColumnsOf(form_); ++c) rs->Set(kColumnName[c], b.v[c]);
    rs->Update();
    core::CloseRecordset(rs);
}

void EventReplay::Impl::DeleteBuffer(const Buffer& b) {
    db::Connection& connection = core::gConnection();
    if (!b.scrap.empty())
        connection.Execute("delete from T_TRNK_SCRAP_CODE_SH_BUFFER  where SH_BUFFER_ID = " + Id(b.id));
    if (!b.downtime.empty())
        connection.Execute("delete from T_TRNK_DT_SH_BUFFER  where SH_BUFFER_ID = " + Id(b.id));
    connection.Execute("delete from T_TRNK_SH_BUFFER  where SH_BUFFER_ID = " + Id(b.id));
}

void EventReplay::Impl::SetCurrentBuffer(std::int32_t bufferId) {
    core::RecordsetPtr rs =
        core::OpenClientRecordset("select * from T_TRNK_MACHINES  where MACHINE_ID = " + Id(machineId_));
    rs->Set("SH_BUFFER_ID", bufferId);
    rs->Update();
    core::CloseRecordset(rs);
}

void EventReplay::Impl::SetShift(Buffer& b, const ShiftOccurrence& shift) {
    b[CHART_DATE] = shift.chartDate;
    b[SHIFT_ID] = IdOrNull(shift.shiftId);
    b[SHIFT_END] = shift.shiftId == -1 ? db::Value() : db::Value(shift.stop);
    b.nextShiftStart.reset();
}

Buffer& EventReplay::Impl::GetCurrentBuffer(const db::DateTime& t, const Place& place) {
    // A buffer never spans a shift end: split until the current one holds t. An event exactly at
    // the end stays in the ending shift. A calendar whose interval ends before it starts (one
    // crossing midnight without being marked as a swing interval) gives an end at or before the
    // buffer's start; splitting there would never reach t, so the buffer keeps the event.
    for (;;) {
        Buffer& b = current_;
        const db::DateTime start = b[START_TIME].AsDateTime();
        std::optional<db::DateTime> end;
        if (!b[SHIFT_ID].IsNull() && !b[SHIFT_END].IsNull()) {
            end = b[SHIFT_END].AsDateTime();
        } else {
            if (!b.nextShiftStart) b.nextShiftStart = calendar_.FindNextShiftStart(start);
            end = *b.nextShiftStart;
        }
        if (!end || !(t > *end) || !(*end > start)) return current_;
        SplitAt(*end, place);
    }
}

void EventReplay::Impl::SplitAt(const db::DateTime& end, const Place& place) {
    Buffer old = std::move(current_);
    const ShiftOccurrence shift = calendar_.FindShift(end, TextOrEmpty(old[USER_NAME]));
    old[STOP_TIME] = end;
    Buffer next = NewBuffer(old, end, kShiftSplit);
    SetShift(next, shift);
    CloseBuffer(old, end);
    SetCurrentBuffer(next.id);
    current_ = std::move(next);
    WriteShiftHistory(old, place);
}

Buffer EventReplay::Impl::NewBuffer(const Buffer& old, const db::DateTime& t, Mode mode) {
    Buffer b;
    b[MACHINE_ID] = machineId_;
    b[START_TIME] = t;
    // Running activities go on from t.
    if (old.Runs(SETUP_EVENT_ID)) {
        b[SETUP_EVENT_ID] = old[SETUP_EVENT_ID];
        b[SETUP_START_TIME] = t;
    }
    if (old.Runs(CYCLE_EVENT_ID)) {
        b[CYCLE_EVENT_ID] = old[CYCLE_EVENT_ID];
        b[CYCLE_START_TIME] = t;
    }
    for (const Downtime& d : {kMachineDowntimeCols, kUserDowntimeCols}) {
        if (!old.Runs(d.eventId)) continue;
        b[d.eventId] = old[d.eventId];
        b[d.number] = old[d.number];
        b[d.bufferId] = old[d.bufferId];
        b[d.start] = t;
    }
    b[SETUP_TIME] = 0.0;
    b[CYCLE_TIME] = 0.0;
    for (Col total : {FINISHED_CYCLES, UNFINISHED_CYCLES, GOOD_COUNT, SCRAPPED_COUNT}) b[total] = 0;
    if (mode != kShiftSplit)
        for (Col c : {SHIFT_ID, CHART_DATE, SHIFT_END}) b[c] = old[c];
    const auto carry = [&](const Segment& s, Mode changing) {
        if (mode == changing) return;
        for (Col c : {s.number, s.eventId, s.bufferId}) b[c] = old[c];
    };
    carry(kJobSegment, kJobChange);
    carry(kPartSegment, kPartChange);
    carry(kOperatorSegment, kOperatorChange);
    if (form_ == ReplayForm::Current) carry(kOperationSegment, kOperationChange);
    b.id = InsertBuffer(b);
    return b;
}

void EventReplay::Impl::CloseBuffer(Buffer& b, const db::DateTime& t) {
    for (Col c : {LOGON_EVENT_ID, JOB_EVENT_ID, PART_EVENT_ID}) b[c] = db::Value();
    if (form_ == ReplayForm::Current) b[OP_EVENT_ID] = db::Value();
    EndCycle(b, t, false);
    EndSetup(b, t);
    EndDowntime(b, kMachineDowntimeCols, t);
    EndDowntime(b, kUserDowntimeCols, t);
    b[COMPLETED] = 1;
}

int EventReplay::Impl::ClassifyBuffer(const Buffer& b) {
    const bool activity = Number(b[GOOD_COUNT]) > 0 || Number(b[SCRAPPED_COUNT]) > 0 ||
                          Number(b[FINISHED_CYCLES]) > 0 || Number(b[UNFINISHED_CYCLES]) > 0 ||
                          Number(b[SETUP_TIME]) > 0 || Number(b[CYCLE_TIME]) > 0;
    const bool current = form_ == ReplayForm::Current;
    const bool linked = !b[JOB_BUFFER_ID].IsNull() || !b[LOGON_BUFFER_ID].IsNull() ||
                        !b[PART_BUFFER_ID].IsNull() || (current && !b[OP_BUFFER_ID].IsNull());
    const bool downtime = !b.downtime.empty();

    // Kept for correction: a reference that does not resolve, or production nobody can file.
    if (!b[JOB_BUFFER_ID].IsNull() &&
        (b[JOB_NUMBER].IsNull() || core::GetJobId(b[JOB_NUMBER].AsText()) == -1))
        return 1;
    if (b[LOGON_BUFFER_ID].IsNull())
        for (const DowntimeRow& row : b.downtime)
            if (row.subtype == kUserDowntimeSubtype) return 1;
    if (!b[USER_NAME].IsNull() && core::GetPersonnelId(b[USER_NAME].AsText()) == -1) return 1;
    if (!b[PART_BUFFER_ID].IsNull()) {
        std::int32_t partType = -1;
        if (b[PART_NUMBER].IsNull() || core::GetPartId(b[PART_NUMBER].AsText(), partType) == -1) return 1;
    } else if (Number(b[CYCLE_TIME]) > 0 || Number(b[GOOD_COUNT]) > 0 || Number(b[SCRAPPED_COUNT]) > 0 ||
               Number(b[FINISHED_CYCLES]) > 0 || Number(b[UNFINISHED_CYCLES]) > 0) {
        return 1;
    }
    for (const DowntimeRow& row : b.downtime)
        if (row.number.IsNull() || core::GetDowntimeId(row.number.AsText(), row.subtype) == -1) return 1;
    if (current) {
        if (!b[OP_BUFFER_ID].IsNull() &&
            (b[OP_NUMBER].IsNull() || core::GetOperationId(b[OP_NUMBER].AsText()) == -1))
            return 1;
        for (const ScrapRow& row : b.scrap)
            if (core::GetScrapCodeId(row.code) == -1) return 1;
    }

    // Discarded: nothing happened in it.
    if (!activity && !downtime && !linked) return 2;
    if (b[SHIFT_ID].IsNull() && !activity && !downtime) return 2;
    return 0;
}

void EventReplay::Impl::WriteShiftHistory(const Buffer& b, const Place& place) {
    switch (ClassifyBuffer(b)) {
        case 1:
            SaveBuffer(b);
            return;
        case 2:
            DeleteBuffer(b);
            return;
        default:
            break;
    }
    const auto lookup = [](const db::Value& number, std::int32_t (*find)(const std::string&)) {
        return number.IsNull() ? db::Value() : IdOrNull(find(number.AsText()));
    };
    db::Recordset& history =
        Appender(historyAppender_, "select * from T_TRNK_SHIFT_HISTORY  where SHIFT_HISTORY_ID = 0 ");
    history.AddNew();
    history.Set("DEPT_ID", place.dept);
    history.Set("LOCATION_ID", place.location);
    history.Set("GROUP_ID", place.group);
    for (Col c : {CHART_DATE, MACHINE_ID, START_TIME, STOP_TIME, SHIFT_ID, CYCLE_TIME, GOOD_COUNT,
                  FINISHED_CYCLES, UNFINISHED_CYCLES, SCRAPPED_COUNT})
        history.Set(kColumnName[c], b[c]);
    history.Set("SETUP_PDT", b[SETUP_TIME]);
    if (!b[PART_NUMBER].IsNull()) {
        std::int32_t partType = -1;
        const std::int32_t part = core::GetPartId(b[PART_NUMBER].AsText(), partType);
        history.Set("PART_ID", IdOrNull(part));
        history.Set("PARTTYPE_ID", IdOrNull(partType));
    }
    history.Set("PERS_ID", lookup(b[USER_NAME], core::GetPersonnelId));
    history.Set("JOB_ID", lookup(b[JOB_NUMBER], core::GetJobId));
    if (form_ == ReplayForm::Current) history.Set("OPS_ID", lookup(b[OP_NUMBER], core::GetOperationId));
    history.Update();
    const db::Value historyId = history.Get("SHIFT_HISTORY_ID");

    for (const DowntimeRow& row : b.downtime) {
        db::Recordset& rs =
            Appender(historyDowntimeAppender_,
                     "select * from T_TRNK_DOWNTIME_SHIFT_HISTORY  where DOWNTIME_SHIFT_HISTORY_ID = 0 ");
        rs.AddNew();
        rs.Set("DURATION", row.duration);
        rs.Set("SHIFT_HISTORY_ID", historyId);
        rs.Set("DOWNTIME_ID", IdOrNull(core::GetDowntimeId(row.number.AsText(), row.subtype)));
        rs.Set("PTYPE_ID", row.subtype == kMachineDowntimeSubtype ? 5 : 6);
        rs.Update();
    }
    for (const ScrapRow& row : b.scrap) {
        db::Recordset& rs = Appender(historyScrapAppender_,
                                     "select * from T_TRNK_SCRAP_CODE_SH  where SCRAP_CODE_SH_ID = 0 ");
        rs.AddNew();
        rs.Set("QTY", row.quantity);
        rs.Set("SHIFT_HISTORY_ID", historyId);
        rs.Set("SCRAP_CODE_ID", IdOrNull(core::GetScrapCodeId(row.code)));
        rs.Set("START_TIME", row.start);
        rs.Update();
    }
    DeleteBuffer(b);
}

// ---- Activities --------------------------------------------------------------------------

void EventReplay::Impl::EndSetup(Buffer& b, const db::DateTime& t) {
    if (!b.Runs(SETUP_EVENT_ID)) return;
    AddTo(b[SETUP_TIME], Hours(b[SETUP_START_TIME].AsDateTime(), t));
    b[SETUP_EVENT_ID] = db::Value();
    b[SETUP_START_TIME] = db::Value();
}

void EventReplay::Impl::EndCycle(Buffer& b, const db::DateTime& t, bool unfinished) {
    if (!b.Runs(CYCLE_EVENT_ID)) return;
    AddTo(b[CYCLE_TIME], Minutes(b[CYCLE_START_TIME].AsDateTime(), t));
    if (unfinished) Count(b[UNFINISHED_CYCLES], 1);
    b[CYCLE_EVENT_ID] = db::Value();
    b[CYCLE_START_TIME] = db::Value();
}

void EventReplay::Impl::EndDowntime(Buffer& b, const Downtime& d, const db::DateTime& t) {
    if (!b.Runs(d.eventId)) return;
    const db::DateTime start = b[d.start].AsDateTime();
    DowntimeRow row{b[d.number], Hours(start, t), d.subtype, start, t};
    db::Recordset& rs =
        Appender(downtimeAppender_, "select * from T_TRNK_DT_SH_BUFFER  where DT_SH_BUFFER_ID = 0 ");
    rs.AddNew();
    rs.Set("SH_BUFFER_ID", b.id);
    rs.Set("DT_NUMBER", row.number);
    rs.Set("DURATION", row.duration);
    rs.Set("SUBTYPE_ID", row.subtype);
    rs.Set("START_TIME", row.start);
    rs.Set("STOP_TIME", row.stop);
    rs.Update();
    b.downtime.push_back(std::move(row));
    for (Col c : {d.number, d.start, d.eventId, d.bufferId}) b[c] = db::Value();
}

void EventReplay::Impl::AddScrap(Buffer& b, ScrapRow row) {
    Count(b[SCRAPPED_COUNT], row.quantity);
    db::Recordset& rs = Appender(
        scrapAppender_, "select * from T_TRNK_SCRAP_CODE_SH_BUFFER  where SCRAP_CODE_SH_BUFFER_ID = 0");
    rs.AddNew();
    rs.Set("SCRAP_CODE_NUMBER", row.code);
    rs.Set("QTY", row.quantity);
    rs.Set("SH_BUFFER_ID", b.id);
    rs.Set("START_TIME", row.start);
    rs.Update();
    b.scrap.push_back(std::move(row));
}

void EventReplay::Impl::ChangeSegment(const Segment& segment, Mode mode, bool start, const db::DateTime& t,
                                      const std::string& parameter, std::int32_t eventId,
                                      const Place& place) {
    GetCurrentBuffer(t, place);
    Buffer old = std::move(current_);
    if (mode == kOperatorChange) EndDowntime(old, kUserDowntimeCols, t);
    if (mode == kPartChange) EndCycle(old, t, true);
    old[segment.eventId] = db::Value();
    old[STOP_TIME] = t;

    Buffer next = NewBuffer(old, t, mode);
    if (start) {
        next[segment.number] = parameter;
        next[segment.eventId] = eventId;
        next[segment.bufferId] = next.id;
    } else {
        for (Col c : {segment.number, segment.eventId, segment.bufferId}) next[c] = db::Value();
    }
    if (mode == kOperatorChange) SetShift(next, calendar_.FindShift(t, start ? parameter : std::string()));

    CloseBuffer(old, t);
    SetCurrentBuffer(next.id);
    current_ = std::move(next);
    WriteShiftHistory(old, place);
}

void EventReplay::Impl::StartSetup(const db::DateTime& t, std::int32_t eventId, const Place& place) {
    Buffer& b = GetCurrentBuffer(t, place);
    EndSetup(b, t);
    EndCycle(b, t, true);
    EndDowntime(b, kMachineDowntimeCols, t);
    EndDowntime(b, kUserDowntimeCols, t);
    b[SETUP_EVENT_ID] = eventId;
    b[SETUP_START_TIME] = t;
}

void EventReplay::Impl::StopSetup(const db::DateTime& t, const Place& place) {
    EndSetup(GetCurrentBuffer(t, place), t);
}

void EventReplay::Impl::StartCycle(const db::DateTime& t, std::int32_t eventId, const Place& place) {
    Buffer& b = GetCurrentBuffer(t, place);
    EndCycle(b, t, true);
    EndSetup(b, t);
    EndDowntime(b, kMachineDowntimeCols, t);
    b[CYCLE_EVENT_ID] = eventId;
    b[CYCLE_START_TIME] = t;
}

void EventReplay::Impl::StopCycle(const db::DateTime& t, const Place& place) {
    Buffer& b = GetCurrentBuffer(t, place);
    if (!b.Runs(CYCLE_EVENT_ID)) return;
    EndCycle(b, t, false);
    Count(b[FINISHED_CYCLES], 1);
}

void EventReplay::Impl::StartDowntime(const Downtime& d, const db::DateTime& t, const std::string& code,
                                      std::int32_t eventId, const Place& place) {
    Buffer& b = GetCurrentBuffer(t, place);
    EndDowntime(b, d, t);
    if (d.subtype == kMachineDowntimeSubtype) {
        EndSetup(b, t);
        EndCycle(b, t, true);
    }
    b[d.eventId] = eventId;
    b[d.bufferId] = b.id;
    b[d.start] = t;
    b[d.number] = code;
}

void EventReplay::Impl::StopDowntime(const Downtime& d, const db::DateTime& t, const Place& place) {
    EndDowntime(GetCurrentBuffer(t, place), d, t);
}

void EventReplay::Impl::AddGoodCount(const db::DateTime& t, const std::string& parameter,
                                     const Place& place) {
    Count(GetCurrentBuffer(t, place)[GOOD_COUNT], CountOf(parameter));
}

void EventReplay::Impl::AddScrapCount(const db::DateTime& t, const std::string& parameter,
                                      const Place& place) {
    Buffer& b = GetCurrentBuffer(t, place);
    if (form_ == ReplayForm::Current)
        AddScrap(b, ParseScrap(parameter, t));
    else
        Count(b[SCRAPPED_COUNT], CountOf(parameter));
}

// ---- Facade ------------------------------------------------------------------------------

EventReplay::EventReplay(ReplayForm form, db::Dialect dialect)
    : impl_(std::make_unique<Impl>(form, dialect)) {}
EventReplay::~EventReplay() = default;

void EventReplay::ReplayMachineEvents(std::int32_t machineId) {
    impl_->ReplayMachineEvents(machineId);
}

std::int32_t EventReplay::CreateInitialBuffer(std::int32_t machineId, const db::DateTime& t,
                                              std::int32_t command, const std::string& parameter,
                                              std::int32_t eventId) {
    return impl_->CreateInitialBuffer(machineId, t, command, parameter, eventId);
}

EventTimeline EventReplay::LoadEvents(std::int32_t machineId) {
    return impl_->LoadEvents(machineId);
}

}  // namespace tmigration::mdc
