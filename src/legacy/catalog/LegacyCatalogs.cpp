#include "legacy/catalog/LegacyCatalogs.h"

namespace tmigration::legacy {
namespace {

template <db::Dialect D>
const LegacyCatalog& CatalogIn(Module module) {
    static const LegacyCatalogOf<Module::Common, D> common;
    static const LegacyCatalogOf<Module::Gage, D> gage;
    static const LegacyCatalogOf<Module::MDC, D> mdc;
    static const LegacyCatalogOf<Module::Tool, D> tool;
    static const LegacyCatalogOf<Module::Traveler, D> traveler;
    switch (module) {
        case Module::Common:
            return common;
        case Module::Gage:
            return gage;
        case Module::MDC:
            return mdc;
        case Module::Tool:
            return tool;
        case Module::Traveler:
            return traveler;
    }
    return common;
}

}  // namespace

const LegacyCatalog& GetLegacyCatalog(Module module, db::Dialect dialect) {
    switch (dialect) {
        case db::Dialect::Oracle:
            return CatalogIn<db::Dialect::Oracle>(module);
        case db::Dialect::Access:
            return CatalogIn<db::Dialect::Access>(module);
        case db::Dialect::SqlServer:
            return CatalogIn<db::Dialect::SqlServer>(module);
    }
    return CatalogIn<db::Dialect::Access>(module);
}

}  // namespace tmigration::legacy
