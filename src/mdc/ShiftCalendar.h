// The legacy shift calendar: which shift occurrence covers an instant (the operator's own shift
// preferred) and when the next shift begins after an instant no shift covers. Intervals are times
// of day stored on 1970-01-01 (a swing interval stops on 1970-01-02); weekdays run 1 (Sunday) to
// 7 (Saturday). Database errors reach the caller.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "db/Dialect.h"
#include "db/Value.h"

namespace tmigration::mdc {

// One shift on one calendar day; shiftId -1 when no shift covers the instant asked about.
struct ShiftOccurrence {
    std::int32_t shiftId = -1;
    db::DateTime chartDate;  // the day of the start, at 00:00:00
    db::DateTime start;
    db::DateTime stop;
};

class ShiftCalendar {
  public:
    explicit ShiftCalendar(db::Dialect dialect) : dialect_(dialect) {}

    // The occurrence covering t (start <= t < stop). Among several the earliest start wins, then
    // the smaller shift id, unless the shift of the person whose user name is given is among
    // them. None: id -1, chart date t's day, start and stop 09:00 and 17:00 of 1970-01-01.
    ShiftOccurrence FindShift(const db::DateTime& t, const std::string& userName) const;

    // The first interval start of any shift strictly after t. Empty when no shift has an
    // interval on any weekday (a week ahead always holds one otherwise).
    std::optional<db::DateTime> FindNextShiftStart(const db::DateTime& t) const;

  private:
    db::Dialect dialect_;
};

}  // namespace tmigration::mdc
