#include "mdc/ShiftCalendar.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "core/DateHelpers.h"
#include "core/NumberLookups.h"
#include "core/RecordsetHelpers.h"
#include "util/DateMath.h"
#include "util/VbConversions.h"

namespace tmigration::mdc {
namespace {

// Interval columns of T_TRNK_SHIFT by weekday, 1 (Sunday) to 7 (Saturday).
constexpr std::array<const char*, 8> kIntervalColumn = {"",
                                                        "SUN_INTERVAL_ID",
                                                        "MON_INTERVAL_ID",
                                                        "TUE_INTERVAL_ID",
                                                        "WED_INTERVAL_ID",
                                                        "THU_INTERVAL_ID",
                                                        "FRI_INTERVAL_ID",
                                                        "SAT_INTERVAL_ID"};

// The next-start query reads the weekdays Monday first; its columns 0 to 6.
constexpr std::array<const char*, 7> kDayPrefix = {"MON", "TUE", "WED", "THU", "FRI", "SAT", "SUN"};

const db::DateTime kReferenceDay{1970, 1, 1, 0, 0, 0};
const db::DateTime kReferenceNextDay{1970, 1, 2, 0, 0, 0};

const char* DayBefore(int weekday) {
    return kIntervalColumn[weekday == 1 ? 7 : weekday - 1];
}

// Column of the next-start query for a weekday: Monday 0 .. Saturday 5, Sunday 6.
int StartColumnOf(int weekday) {
    return weekday == 1 ? 6 : weekday - 2;
}

std::string TwoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

struct Candidate {
    std::int32_t shiftId;
    db::DateTime start;
    db::DateTime stop;
};

}  // namespace

namespace {

// Opening and closing text of an instant literal, and the instant's own text, per dialect.
std::string OpenLiteral(db::Dialect d) {
    switch (d) {
        case db::Dialect::Oracle:
            return "TO_DATE('";
        case db::Dialect::Access:
            return "#";
        case db::Dialect::SqlServer:
            break;
    }
    return "CAST('";
}

// With the blank that follows the literal in the queries.
std::string CloseLiteral(db::Dialect d) {
    switch (d) {
        case db::Dialect::Oracle:
            return "', 'MM/DD/YYYY HH:MI:SS AM') ";
        case db::Dialect::Access:
            return "# ";
        case db::Dialect::SqlServer:
            break;
    }
    return "' AS DATETIME) ";
}

std::string InstantText(db::Dialect d, const db::DateTime& x) {
    if (d != db::Dialect::Oracle) {
        // Access and SQL Server read the ISO form the same under every language setting; the
        // "T" keeps SQL Server from reading the day and month the other way round.
        std::string iso = x.ToIso();
        if (d == db::Dialect::SqlServer) iso[10] = 'T';
        return iso;
    }
    const int hour12 = x.hour % 12 == 0 ? 12 : x.hour % 12;
    return TwoDigits(x.month) + "/" + TwoDigits(x.day) + "/" + std::to_string(x.year) + " " +
           TwoDigits(hour12) + ":" + TwoDigits(x.minute) + ":" + TwoDigits(x.second) +
           (x.hour < 12 ? " AM" : " PM");
}

std::string Head(const char* column, const char* swing, bool compactSelect) {
    return std::string(compactSelect ? "select T_TRNK_SHIFT.SHIFT_ID, T_TRNK_INTERVAL.START_TIME, "
                                       " T_TRNK_INTERVAL.STOP_TIME from T_TRNK_SHIFT, T_TRNK_INTERVAL "
                                     : "select T_TRNK_SHIFT.SHIFT_ID, T_TRNK_INTERVAL.START_TIME, "
                                       " T_TRNK_INTERVAL.STOP_TIME  from T_TRNK_SHIFT, T_TRNK_INTERVAL ") +
           " where T_TRNK_SHIFT." + column + " = T_TRNK_INTERVAL.INTERVAL_ID " +
           " and T_TRNK_INTERVAL.IS_SWING = '" + swing + "' ";
}

const char* const kOrder = " order by T_TRNK_INTERVAL.START_TIME ";

// Runs one candidate query; each row's interval becomes an occurrence through `place`.
template <class Place>
void Collect(const std::string& sql, std::vector<Candidate>& out, Place place) {
    core::RecordsetPtr rs = core::OpenClientRecordset(sql);
    for (; !rs->Eof(); rs->MoveNext()) {
        const db::DateTime start = rs->Get("START_TIME").AsDateTime();
        const db::DateTime stop = rs->Get("STOP_TIME").AsDateTime();
        Candidate c{util::CLng(rs->Get("SHIFT_ID")), {}, {}};
        place(start, stop, c);
        out.push_back(c);
    }
    core::CloseRecordset(rs);
}

// The start times of every shift per weekday, one outer join per day, nested from Monday out.
std::string NextStartQuery(db::Dialect d) {
    const bool oracle = d == db::Dialect::Oracle;
    std::string source = "T_TRNK_SHIFT";
    for (int day = 0; day < 7; ++day) {
        const std::string prefix = day == 0 ? "T_TRNK_SHIFT" : "JOIN" + std::to_string(day);
        std::string select = "select ";
        for (int done = 0; done < day; ++done) select += prefix + "." + kDayPrefix[done] + "_START_TIME, ";
        for (int rest = day + 1; rest < 7; ++rest)
            select += prefix + "." + kDayPrefix[rest] + "_INTERVAL_ID, ";
        select += "T_TRNK_INTERVAL.START_TIME AS " + std::string(kDayPrefix[day]) + "_START_TIME ";
        const std::string on = prefix + "." + kDayPrefix[day] + "_INTERVAL_ID = T_TRNK_INTERVAL.INTERVAL_ID";
        std::string level;
        if (oracle)
            level = select + " from " + source + ", T_TRNK_INTERVAL " + " where " + on + " (+)";
        else
            level = select + " from " + source + " LEFT JOIN T_TRNK_INTERVAL " + " on " + on;
        if (day == 6) return level;
        source = "(" + level + ") JOIN" + std::to_string(day + 1) + " ";
    }
    return source;
}

}  // namespace

ShiftOccurrence ShiftCalendar::FindShift(const db::DateTime& t, const std::string& userName) const {
    const int weekday = util::Weekday(t);
    const char* yesterday = DayBefore(weekday);
    const char* today = kIntervalColumn[weekday];
    const std::string open = OpenLiteral(dialect_);
    const std::string close = CloseLiteral(dialect_);
    std::vector<Candidate> candidates;

    // Yesterday's swing intervals still running at t.
    const std::string late = InstantText(dialect_, core::CombineDateAndTime(kReferenceNextDay, t));
    const std::string stillRunning = dialect_ == db::Dialect::Access ? close + " < T_TRNK_INTERVAL.STOP_TIME "
                                                                     : close + "< T_TRNK_INTERVAL.STOP_TIME ";
    Collect(Head(yesterday, "Y", false) + " and " + open + late + stillRunning + kOrder, candidates,
            [&](const db::DateTime& start, const db::DateTime& stop, Candidate& c) {
                c.start = core::CombineDateAndTime(util::AddDays(t, -1), start);
                c.stop = core::CombineDateAndTime(t, stop);
            });

    // Today's swing intervals already started at t.
    const std::string key = InstantText(dialect_, core::CombineDateAndTime(kReferenceDay, t));
    Collect(Head(today, "Y", false) + " and T_TRNK_INTERVAL.START_TIME <= " + open + key + close + kOrder,
            candidates, [&](const db::DateTime& start, const db::DateTime& stop, Candidate& c) {
                c.start = core::CombineDateAndTime(t, start);
                c.stop = core::CombineDateAndTime(util::AddDays(t, 1), stop);
            });

    // Today's ordinary intervals covering t.
    Collect(Head(today, "N", true) + " and T_TRNK_INTERVAL.START_TIME <= " + open + key + close +
                " and T_TRNK_INTERVAL.STOP_TIME > " + open + key + close + kOrder,
            candidates, [&](const db::DateTime& start, const db::DateTime& stop, Candidate& c) {
                c.start = core::CombineDateAndTime(t, start);
                c.stop = core::CombineDateAndTime(t, stop);
            });

    // The operator's own shift.
    std::optional<std::int32_t> preferred;
    if (!userName.empty()) {
        const std::int32_t personnelId = core::GetPersonnelId(userName);
        if (personnelId != -1) {
            core::RecordsetPtr rs = core::OpenClientRecordset(
                "select * from T_TRNK_PERS  where PERSONNEL_ID = " + std::to_string(personnelId));
            if (!rs->Eof() && !rs->Get("SHIFT_ID").IsNull()) preferred = util::CLng(rs->Get("SHIFT_ID"));
            core::CloseRecordset(rs);
        }
    }

    ShiftOccurrence found;
    if (candidates.empty()) {
        found.chartDate = db::DateTime{t.year, t.month, t.day, 0, 0, 0};
        found.start = util::EmptyDate();
        found.stop = db::DateTime{1970, 1, 1, 17, 0, 0};
        return found;
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return a.start != b.start ? a.start < b.start : a.shiftId < b.shiftId;
    });
    const Candidate* chosen = &candidates.front();
    if (preferred) {
        const auto own = std::find_if(candidates.begin(), candidates.end(),
                                      [&](const Candidate& c) { return c.shiftId == *preferred; });
        if (own != candidates.end()) chosen = &*own;
    }
    found.shiftId = chosen->shiftId;
    found.chartDate = db::DateTime{chosen->start.year, chosen->start.month, chosen->start.day, 0, 0, 0};
    found.start = chosen->start;
    found.stop = chosen->stop;
    return found;
}

std::optional<db::DateTime> ShiftCalendar::FindNextShiftStart(const db::DateTime& t) const {
    const db::DateTime key = core::CombineDateAndTime(kReferenceDay, t);
    // Start times per shift and weekday column; Null where the shift does not run that day.
    std::vector<std::array<std::optional<db::DateTime>, 7>> starts;
    core::RecordsetPtr rs = core::OpenClientRecordset(NextStartQuery(dialect_));
    for (; !rs->Eof(); rs->MoveNext()) {
        auto& row = starts.emplace_back();
        for (std::size_t column = 0; column < 7; ++column) {
            const db::Value& v = rs->Fields(column).GetValue();
            if (!v.IsNull()) row[column] = v.AsDateTime();
        }
    }
    core::CloseRecordset(rs);

    // A week ahead meets every weekday again, so eight days settle it.
    for (int k = 0; k <= 7; ++k) {
        const int column = StartColumnOf(util::Weekday(util::AddDays(t, k)));
        std::optional<db::DateTime> best;
        for (const auto& row : starts) {
            if (!row[column]) continue;
            const db::DateTime candidate = util::AddDays(*row[column], k);
            if (candidate > key && (!best || candidate < *best)) best = candidate;
        }
        if (best) return core::CombineDateAndTime(util::AddDays(t, k), *best);
    }
    return std::nullopt;
}

}  // namespace tmigration::mdc
