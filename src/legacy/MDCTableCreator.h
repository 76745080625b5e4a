// The MDC module's creator pieces: its options, and the path for a database whose MDC tables exist
// (the version check and the minor pass with the fixes of older MDC minor versions). MDCSetup()
// (ModuleSetups.h) joins them with the create path, which also builds the shift-history buffers of
// the machine events already recorded.
#pragma once

#include <string>

#include "db/Dialect.h"
#include "legacy/LegacyTableCreator.h"

namespace tmigration::legacy {

// Options 1 and 2 of the MDC (APP_ID 31) with their installed values; existing options are kept.
bool FillMDCOptions(std::string& strError);

// The path for a database whose MDC tables exist: fails at another major version, brings one at an
// older minor version to 9.114 in one transaction, leaves a current one alone.
bool UpgradeMDCDatabase(db::Dialect dialect, std::string& strError);

}  // namespace tmigration::legacy
