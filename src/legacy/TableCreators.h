// The table creators C<Dialect><Module>TableCreator: one per module and dialect, each a thin name
// over its module's one implementation. SetupDatabase brings the module's legacy tables to the
// module's last legacy version, or creates them with their reference rows when they are missing;
// false with the database's message in strError otherwise.
#pragma once

#include <string>

#include "db/Dialect.h"
#include "legacy/CreateLegacyTables.h"
#include "legacy/ModuleSetups.h"

namespace tmigration::legacy {

template <Module M>
const ModuleSetup& SetupOf() {
    if constexpr (M == Module::Common) return CommonSetup();
    if constexpr (M == Module::Gage) return GageSetup();
    if constexpr (M == Module::MDC) return MDCSetup();
    if constexpr (M == Module::Tool) return ToolSetup();
    if constexpr (M == Module::Traveler) return TravelerSetup();
}

template <Module M, db::Dialect D>
class TableCreatorOf final {
  public:
    bool SetupDatabase(std::string& strError) { return SetupModuleDatabase(SetupOf<M>(), D, strError); }

    // The traveler tables from the catalog alone, without rows ("Creating Old Traveler Tables...").
    bool CreateDataTables(std::string& strError) requires(M == Module::Traveler) {
        return CreateLegacyTables(M, D, strError);
    }
};

using CAccessCommonTableCreator = TableCreatorOf<Module::Common, db::Dialect::Access>;
using COracleCommonTableCreator = TableCreatorOf<Module::Common, db::Dialect::Oracle>;
using CSQLCommonTableCreator = TableCreatorOf<Module::Common, db::Dialect::SqlServer>;
using CAccessGageTableCreator = TableCreatorOf<Module::Gage, db::Dialect::Access>;
using COracleGageTableCreator = TableCreatorOf<Module::Gage, db::Dialect::Oracle>;
using CSQLGageTableCreator = TableCreatorOf<Module::Gage, db::Dialect::SqlServer>;
using CAccessMDCTableCreator = TableCreatorOf<Module::MDC, db::Dialect::Access>;
using COracleMDCTableCreator = TableCreatorOf<Module::MDC, db::Dialect::Oracle>;
using CSQLMDCTableCreator = TableCreatorOf<Module::MDC, db::Dialect::SqlServer>;
using CAccessToolTableCreator = TableCreatorOf<Module::Tool, db::Dialect::Access>;
using COracleToolTableCreator = TableCreatorOf<Module::Tool, db::Dialect::Oracle>;
using CSQLToolTableCreator = TableCreatorOf<Module::Tool, db::Dialect::SqlServer>;
using CAccessTravelerTableCreator = TableCreatorOf<Module::Traveler, db::Dialect::Access>;
using COracleTravelerTableCreator = TableCreatorOf<Module::Traveler, db::Dialect::Oracle>;
using CSQLTravelerTableCreator = TableCreatorOf<Module::Traveler, db::Dialect::SqlServer>;

}  // namespace tmigration::legacy
