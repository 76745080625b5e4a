// The MDC module's creator pieces: its options, the path for a database whose MDC tables exist
// (the version check, the major steps from an older major, and the minor pass with the fixes of
// older MDC minor versions). MDCSetup() (ModuleSetups.h) joins them with the create path, which
// also builds the shift-history buffers of the machine events already recorded.
#pragma once

#include <string>

#include "db/Dialect.h"
#include "legacy/LegacyTableCreator.h"

namespace tmigration::legacy {

// Options 1 and 2 of the MDC (APP_ID 31) with their installed values; existing options are kept.
bool FillMDCOptions(std::string& strError);

// The path for a database whose MDC tables exist: brings one at an older major to major 9 step by
// step, then one at an older minor version to 9.114 in one transaction; leaves a current one alone.
bool UpgradeMDCDatabase(db::Dialect dialect, std::string& strError);

// From the database's major to the program's, each step in a transaction of its own that also
// records the new major with the database's minor in the module row; a failed step leaves the
// last completed major recorded. Majors that are not whole numbers, newer than the program's or
// below 1 fail before any step.
bool UpgradeMDCMajorVersions(db::Dialect dialect, const LegacyVersion& program, const LegacyVersion& database,
                             std::string& strError);

// The major steps, each inside the caller's transaction (MDCMajorSteps.h holds what they do).
bool UpgradeMDCVersion1To2(db::Dialect dialect, std::string& strError);
bool UpgradeMDCVersion2To3(db::Dialect dialect, std::string& strError);
bool UpgradeMDCVersion3To4(db::Dialect dialect, std::string& strError);
bool UpgradeMDCVersion4To5(db::Dialect dialect, std::string& strError);
bool UpgradeMDCVersion5To6(db::Dialect dialect, std::string& strError);
bool UpgradeMDCVersion6To7(db::Dialect dialect, std::string& strError);
bool UpgradeMDCVersion7To8(db::Dialect dialect, std::string& strError);
bool UpgradeMDCVersion8To9(db::Dialect dialect, std::string& strError);

}  // namespace tmigration::legacy
