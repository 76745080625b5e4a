// The MDC part of a sample plant as an older MDC version left it: the MDC tables taken back to the
// major, and the rows the upgrade's steps convert written in their old forms.
#pragma once

#include <string>

#include "db/Connection.h"
#include "sample/SampleMachineData.h"

namespace tmigration::sample {

// The form of the week's machine data an MDC at `major` keeps: version-5 events up to major 5
// (step 5 to 6 replays them), replayed buffers and shift histories from major 6 on.
MachineDataForm MachineDataFormAt(int major);

// On a connection to a written sample plant whose week of machine data is in the form of `major`:
// takes the MDC tables back to `major` (1 to 9) and records "major.minor" in the MDC version row.
// What the later steps convert is left in its old form: the old setting in RESERVED1 is on (before
// major 9); the buffers' scrapped counts have no scrap rows (before 8, the scrap table goes); at
// major 1 the machines' shift histories of the week before carry their downtime in the nine
// duration columns. Throws std::invalid_argument for a major outside 1 to 9, db::DbError when the
// database refuses a statement.
void AgeSampleMDC(db::Connection& connection, int major, const std::string& minor);

}  // namespace tmigration::sample
