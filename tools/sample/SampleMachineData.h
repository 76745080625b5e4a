// The machine data of a sample plant: a week of version-5 event streams for some of its machines
// (day and evening work, and on every other machine a night across midnight, on the plant's own
// calendar), replayed into the shift histories, shift-history buffers, downtime and scrap rows of
// the last MDC version, with every machine left pointing at its open buffer. The plant's own event
// rows are history already converted by the collectors.
#pragma once

#include <cstdint>

#include "db/Connection.h"

namespace tmigration::sample {

struct MachineDataResult {
    std::int64_t events = 0;       // version-5 events written, part starts added by the replay included
    std::int64_t machineData = 0;  // shift histories, buffers and their downtime and scrap rows
};

// The form the week's machine data is left in: replayed into the buffers and shift histories of the
// last MDC version, or as the version-5 events an MDC up to major 5 collected (no operations, scrap
// counts without codes), for the upgrade's step 5 to 6 to convert.
enum class MachineDataForm { Replayed, Version5Events };

// On a connection to a written sample plant, in its own transaction; throws std::runtime_error with
// the database's description when the replay fails (nothing is left written then).
MachineDataResult WriteSampleMachineData(db::Connection& connection, std::int64_t scale, std::uint64_t seed,
                                         MachineDataForm form = MachineDataForm::Replayed);

}  // namespace tmigration::sample
