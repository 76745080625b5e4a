// Databases whose legacy modules were created by the table creators, built once per dialect and
// kept in the build's cache folder and copied for each test that starts from them (creating the
// reference rows takes seconds, and every test runs in a process of its own).
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "LegacyDatabaseCache.h"
#include "SharedDatabase.h"
#include "legacy/TableCreators.h"

namespace tmigration::testing {

enum class Created { Common, CommonAndProducts };

// Fills `database`'s file with a copy of the made database; call before OpenShared.
inline void CopyCreatedDatabase(const SharedDatabase& database, db::Dialect dialect, Created what) {
    const std::string name = std::string(what == Created::Common ? "created-common-" : "created-products-") +
                             std::to_string(static_cast<int>(dialect));
    const std::string file = CachedDatabaseFile(name, [&](const std::string& path) {
        SharedDatabase fresh;
        fresh.OpenShared(dialect);
        std::string strError;
        const legacy::ModuleSetup* setups[] = {&legacy::CommonSetup(), &legacy::GageSetup(),
                                               &legacy::ToolSetup(), &legacy::TravelerSetup()};
        for (const legacy::ModuleSetup* setup : setups) {
            if (!legacy::SetupModuleDatabase(*setup, dialect, strError))
                throw std::runtime_error("creating the legacy modules: " + strError);
            if (what == Created::Common) break;
        }
        core::gConnectionSlot().reset();
        core::frmProgress().Unload();
        std::filesystem::copy_file(fresh.Path(), path, std::filesystem::copy_options::overwrite_existing);
    });
    std::filesystem::copy_file(file, database.Path(), std::filesystem::copy_options::overwrite_existing);
}

}  // namespace tmigration::testing
