// Hours of downtime and idle time of a shift, from a legacy shift-history row or an open
// shift-history buffer. A span is whole seconds / 3600; intervals still open are counted up to
// the as-of time; idle time never goes below 0. Database errors (also Null where a value is
// required) reach the caller.
#pragma once

#include <cstdint>

#include "db/Value.h"

namespace tmigration::mdc {

// Downtime rows (subtype 79) of a buffer: their DURATION, or the hours from START_TIME to the
// as-of time for one still running.
double GetBufferDowntimeHours(std::int32_t bufferId, const db::DateTime& asOf);

// Idle hours of a buffer as of a time, and the machine's status date when the buffer is still
// open on a machine of status 34 (the empty date otherwise).
void GetBufferIdleHours(std::int32_t bufferId, const db::DateTime& asOf, double& idleHours,
                        db::DateTime& statusDate);

// Sum of DURATION over a shift history's downtime rows of product type 5 (0 when none).
double GetShiftHistoryDowntime(std::int32_t shiftHistoryId);

// Idle hours of a closed shift history row.
void GetShiftHistoryIdleHours(std::int32_t shiftHistoryId, double& idleHours);

}  // namespace tmigration::mdc
