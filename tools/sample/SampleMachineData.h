// The machine data of a sample plant: a week of version-5 event streams for some of its machines
// (day and evening work, and on every other machine a night across midnight, on the plant's own
// calendar), replayed into the shift histories, shift-history buffers, downtime and scrap rows of
// the last MDC version, with every machine left pointing at its open buffer. The plant's own event
// rows are history already converted by the collectors.
#pragma once

#include <cstdint>
#include <string_view>

#include "db/Connection.h"

namespace tmigration::sample {

struct MachineDataResult {
    std::int64_t events = 0;       // version-5 events written, part starts added by the replay included
    std::int64_t machineData = 0;  // shift histories, buffers and their downtime and scrap rows
};

// The collector file named by the events of the week, as an SQL text literal.
inline constexpr std::string_view kWeekFile = "'WEEK.EVT'";

// On a connection to a written sample plant, in its own transaction; throws std::runtime_error with
// the database's description when the replay fails (nothing is left written then).
MachineDataResult WriteSampleMachineData(db::Connection& connection, std::int64_t scale, std::uint64_t seed);

}  // namespace tmigration::sample
