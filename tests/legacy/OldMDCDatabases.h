// MDC tables as they stood at an older major version, for tests that start the MDC upgrade there.
//
// An old database is an installed one (every module created by its creator, the MDC among them)
// with the changes of every MDC major step from N on taken back, newest first: the tables those
// steps create are dropped and the columns they add removed. The MDC version row then reads "N.m".
//
// Limits:
// - Majors 1 and 2 have no MDC tables at all; such a database takes the creator's create path,
//   whatever its version row says. Tests of the steps from those majors call the upgrade directly.
// - Rows are not taken back: the MDC security objects, rights and options are those of the last
//   version (the minor pass rewrites them), and data in the old forms the steps convert (version-5
//   machine events, shift histories with duration columns, buffers with scrapped counts, the old
//   setting in RESERVED1) must be written by the test.
// - The Common tables are at their last version, which the Common upgrade (run before the MDC's)
//   leaves them at anyway.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "CreatedDatabases.h"
#include "LegacyDatabaseCache.h"
#include "SharedDatabase.h"
#include "legacy/MDCMajorSteps.h"
#include "legacy/ModuleSetups.h"

namespace tmigration::testing {

// Fills `database`'s file with a copy of an installed database of every module at its last
// version; call before OpenShared. Installing takes seconds and ctest runs each test in a process of
// its own: the database is kept in the build's cache folder, one file per dialect and test build,
// written aside and renamed so that a process beside this one never reads half a file.
inline void CopyInstalledDatabase(const SharedDatabase& database, db::Dialect dialect) {
    const std::string file = CachedDatabaseFile(
        "installed-" + std::to_string(static_cast<int>(dialect)), [&](const std::string& path) {
            SharedDatabase fresh;
            CopyCreatedDatabase(fresh, dialect, Created::CommonAndProducts);
            fresh.OpenShared(dialect);
            std::string strError;
            if (!legacy::SetupModuleDatabase(legacy::MDCSetup(), dialect, strError))
                throw std::runtime_error("creating the MDC module: " + strError);
            core::gConnectionSlot().reset();
            core::frmProgress().Unload();
            std::filesystem::copy_file(fresh.Path(), path, std::filesystem::copy_options::overwrite_existing);
        });
    std::filesystem::copy_file(file, database.Path(), std::filesystem::copy_options::overwrite_existing);
}

// Fills `database` with an installed database whose MDC tables are at major `major` (1 to 9),
// version row "major.minor", and opens it as the shared connection in `dialect`.
inline void MakeOldMDCDatabase(SharedDatabase& database, db::Dialect dialect, int major,
                               const std::string& minor) {
    if (major < 1 || major > 9)
        throw std::invalid_argument("no record of the MDC tables at major " + std::to_string(major));
    CopyInstalledDatabase(database, dialect);
    database.OpenShared(dialect);
    std::vector<std::string> statements = legacy::MDCTakeBackStatements(major, dialect);
    statements.push_back("UPDATE T_TRNK_COMMON SET RESERVED0 = '" + std::to_string(major) + "." + minor +
                         "' WHERE APP_ID = 31");
    database.Run(statements);
}

}  // namespace tmigration::testing
