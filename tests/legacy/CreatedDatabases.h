// Databases whose legacy modules were created by the table creators, built once per dialect and
// copied for each test that starts from them (creating the reference rows takes seconds).
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <utility>

#include "SharedDatabase.h"
#include "legacy/TableCreators.h"

namespace tmigration::testing {

enum class Created { Common, CommonAndProducts };

// Fills `database`'s file with a copy of the made database; call before OpenShared.
inline void CopyCreatedDatabase(const SharedDatabase& database, db::Dialect dialect, Created what) {
    static std::map<std::pair<db::Dialect, Created>, std::unique_ptr<SharedDatabase>> made;
    auto& source = made[{dialect, what}];
    if (!source) {
        auto fresh = std::make_unique<SharedDatabase>();
        fresh->OpenShared(dialect);
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
        source = std::move(fresh);
    }
    std::filesystem::copy_file(source->Path(), database.Path(),
                               std::filesystem::copy_options::overwrite_existing);
}

}  // namespace tmigration::testing
