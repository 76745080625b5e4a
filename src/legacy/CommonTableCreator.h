// The Common module's major upgrade: one committed transaction per major step, the version row
// moved on at once, so that a failed run leaves the tables at the last major completed and a later
// run resumes from there. The minor stays as the database had it until the minor pass.
#pragma once

#include <string>

#include "db/Dialect.h"
#include "legacy/LegacyTableCreator.h"

namespace tmigration::legacy {

bool UpgradeMajorVersions(db::Dialect dialect, const LegacyVersion& program, const LegacyVersion& database,
                          std::string& strError);

}  // namespace tmigration::legacy
