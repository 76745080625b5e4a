// The MDC part of a sample plant as an older MDC version left it: the MDC tables taken back to the
// major, and the rows the upgrade's steps convert carried back into their old forms.
#pragma once

#include <string>

#include "db/Connection.h"

namespace tmigration::sample {

// On a connection to a written sample plant at the last MDC version: takes the MDC tables back to
// `major` (1 to 9) and records "major.minor" in the MDC version row. What the later steps convert is
// left in its old form:
// - up to major 5 the week of machine data is version-5 events again: its buffers, shift histories
//   and their downtime and scrap rows are gone, the part starts the replay added too, the machines
//   point at no buffer, the week's events are unconverted, without operations, and their scrap
//   counts carry no scrap code;
// - at major 1 the machines of the week also have a week of earlier shift histories whose downtime
//   is in the nine duration columns;
// - before major 8 the buffers' scrapped counts have no scrap rows (the table goes);
// - before major 9 the old setting in RESERVED1 is on.
// The plant's own event history stays as the collectors converted it. Throws std::invalid_argument
// for a major outside 1 to 9, db::DbError when the database refuses a statement.
void AgeSampleMDC(db::Connection& connection, int major, const std::string& minor);

}  // namespace tmigration::sample
