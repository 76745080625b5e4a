#include "legacy/catalog/LegacyCatalog.h"

#include <array>

#include "legacy/catalog/LegacyTableLists.h"

namespace tmigration::legacy {
namespace {

constexpr std::array kStandardPasses{StatementKind::Table, StatementKind::Index, StatementKind::Constraint};
constexpr std::array kOraclePasses{StatementKind::Table, StatementKind::Index, StatementKind::Sequence,
                                   StatementKind::Trigger, StatementKind::Constraint};

void Put(std::vector<std::string>& astrCommands, std::size_t at, std::string text) {
    if (astrCommands.size() <= at) astrCommands.resize(at + 1);
    astrCommands[at] = std::move(text);
}

}  // namespace

std::int32_t LegacyCatalog::GetCreateCommand(StatementKind kind, std::int16_t iTable,
                                             std::vector<std::string>& astrCommands) const {
    if (iTable < 1 || iTable > GetNumberTables()) {
        Put(astrCommands, 0, std::string(kCatalogErrorText));
        return 0;
    }
    std::vector<std::string> statements = RenderLegacyDdl(LegacyTables(module_)[iTable - 1], kind, dialect_);
    if (statements.empty()) {
        Put(astrCommands, 0, "");
        return 0;
    }
    for (std::size_t i = 0; i < statements.size(); ++i) Put(astrCommands, i, std::move(statements[i]));
    return static_cast<std::int32_t>(statements.size()) - 1;
}

std::int16_t LegacyCatalog::GetNumberTables() const {
    return static_cast<std::int16_t>(LegacyTables(module_).size());
}

std::span<const StatementKind> LegacyCatalog::Passes() const {
    if (dialect_ == db::Dialect::Oracle) return kOraclePasses;
    return kStandardPasses;
}

}  // namespace tmigration::legacy
