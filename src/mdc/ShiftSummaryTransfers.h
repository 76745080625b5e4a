// The machine-data transfers: recorded shift summaries and the buffers still open or kept for
// correction become machine data rows, their downtime and scrap rows follow, and each machine
// points at the row made from its current buffer. The driver hands them to MigrateData with the
// transfer layer's own.
#pragma once

#include <vector>

#include "transfer/BuiltTransfers.h"

namespace tmigration::mdc {

const std::vector<transfer::BuiltTransfer>& ShiftSummaryTransfers();

}  // namespace tmigration::mdc
