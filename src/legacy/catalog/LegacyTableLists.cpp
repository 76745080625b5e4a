#include "legacy/catalog/LegacyTableLists.h"

#include <array>

namespace tmigration::legacy {
namespace {

std::vector<LegacyTable> Parse(std::span<const LegacyTableDecl> decls) {
    std::vector<LegacyTable> tables;
    tables.reserve(decls.size());
    for (const LegacyTableDecl& decl : decls) tables.push_back(ParseLegacyTable(decl));
    return tables;
}

}  // namespace

std::span<const LegacyTableDecl> LegacyTableDecls(Module module) {
    switch (module) {
        case Module::Common:
            return CommonTableDecls();
        case Module::Gage:
            return GageTableDecls();
        case Module::MDC:
            return MDCTableDecls();
        case Module::Tool:
            return ToolTableDecls();
        case Module::Traveler:
            return TravelerTableDecls();
    }
    return {};
}

const std::vector<LegacyTable>& LegacyTables(Module module) {
    static const std::array<std::vector<LegacyTable>, kAllModules.size()> tables = [] {
        std::array<std::vector<LegacyTable>, kAllModules.size()> parsed;
        for (Module m : kAllModules) parsed[static_cast<std::size_t>(m)] = Parse(LegacyTableDecls(m));
        return parsed;
    }();
    return tables[static_cast<std::size_t>(module)];
}

}  // namespace tmigration::legacy
