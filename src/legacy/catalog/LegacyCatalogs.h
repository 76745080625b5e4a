// The fifteen named legacy DDL catalogs, C<Dialect><Module>SQL, one per module and dialect, each a thin
// name over the shared table model; and the factory that hands out the catalog of a (module, dialect).
#pragma once

#include <type_traits>

#include "legacy/catalog/LegacyCatalog.h"

namespace tmigration::legacy {

template <Module M, db::Dialect D>
class LegacyCatalogOf final
    : public std::conditional_t<D == db::Dialect::Oracle, OracleLegacyCatalog, StandardLegacyCatalog> {
    using Base = std::conditional_t<D == db::Dialect::Oracle, OracleLegacyCatalog, StandardLegacyCatalog>;

  public:
    LegacyCatalogOf() : Base(M, D) {}
};

using CAccessCommonSQL = LegacyCatalogOf<Module::Common, db::Dialect::Access>;
using COracleCommonSQL = LegacyCatalogOf<Module::Common, db::Dialect::Oracle>;
using CSQLCommonSQL = LegacyCatalogOf<Module::Common, db::Dialect::SqlServer>;
using CAccessToolSQL = LegacyCatalogOf<Module::Tool, db::Dialect::Access>;
using COracleToolSQL = LegacyCatalogOf<Module::Tool, db::Dialect::Oracle>;
using CSQLToolSQL = LegacyCatalogOf<Module::Tool, db::Dialect::SqlServer>;
using CAccessGageSQL = LegacyCatalogOf<Module::Gage, db::Dialect::Access>;
using COracleGageSQL = LegacyCatalogOf<Module::Gage, db::Dialect::Oracle>;
using CSQLGageSQL = LegacyCatalogOf<Module::Gage, db::Dialect::SqlServer>;
using CAccessTravelerSQL = LegacyCatalogOf<Module::Traveler, db::Dialect::Access>;
using COracleTravelerSQL = LegacyCatalogOf<Module::Traveler, db::Dialect::Oracle>;
using CSQLTravelerSQL = LegacyCatalogOf<Module::Traveler, db::Dialect::SqlServer>;
using CAccessMDCSQL = LegacyCatalogOf<Module::MDC, db::Dialect::Access>;
using COracleMDCSQL = LegacyCatalogOf<Module::MDC, db::Dialect::Oracle>;
using CSQLMDCSQL = LegacyCatalogOf<Module::MDC, db::Dialect::SqlServer>;

// The catalog of a module in a dialect; catalogs are stateless, so one shared instance each.
const LegacyCatalog& GetLegacyCatalog(Module module, db::Dialect dialect);

}  // namespace tmigration::legacy
