// RunMigration: one call of an entry point. Shows the progress window with the hourglass pointer,
// runs the phases in order on the shared connection (set to the entry point's dialect) and drives
// the overall bar; the first failing phase ends the call with false, undoing nothing.
#pragma once

#include <functional>
#include <string>

#include "db/Dialect.h"
#include "driver/PhaseTable.h"

namespace tmigration::driver {

// Errors raised outside the steps (an Access data source that cannot be cut) leave the call as
// exceptions, with the progress window still loaded.
bool RunMigration(const PhaseTable& phases, db::Dialect databaseType, const std::string& strConnection,
                  std::string& strError);

// Told after each phase that ran, with whether it succeeded and how long it took (the command line's
// reconciliation report).
using PhaseObserver = std::function<void(Phase phase, bool succeeded, double seconds)>;
// Replaces the thread's observer; an empty one stops the reports.
void SetPhaseObserver(PhaseObserver observer);

}  // namespace tmigration::driver
