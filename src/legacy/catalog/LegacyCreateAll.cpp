#include "legacy/catalog/LegacyCreateAll.h"

#include <algorithm>
#include <cstdint>

#include "legacy/catalog/LegacyCatalogs.h"
#include "util/VbConversions.h"

namespace tmigration::legacy {
bool ForEachLegacyStatement(const LegacyCatalog& catalog, const RunLegacyStatement& run,
                            const ReportLegacyPercent& progress) {
    const std::int16_t tables = catalog.GetNumberTables();
    const auto passes = catalog.Passes();
    const int steps = static_cast<int>(passes.size()) * tables;
    int done = 0;
    // One array for all passes, larger than any table's statement count.
    std::vector<std::string> astrCommands(2 * static_cast<std::size_t>(tables) + 1);
    for (StatementKind kind : passes) {
        std::ranges::fill(astrCommands, std::string());
        for (std::int16_t iTable = 1; iTable <= tables; ++iTable) {
            const std::int32_t last = catalog.GetCreateCommand(kind, iTable, astrCommands);
            for (std::int32_t i = 0; i <= last; ++i) {
                const std::string& sql = astrCommands[static_cast<std::size_t>(i)];
                if (sql.empty() || sql == kCatalogErrorText) continue;
                if (!run(sql)) return false;
            }
            ++done;
            if (progress) progress(util::PercentDone(done, steps));
        }
    }
    return true;
}

bool ForEachLegacyStatement(Module module, db::Dialect dialect, const RunLegacyStatement& run,
                            const ReportLegacyPercent& progress) {
    return ForEachLegacyStatement(GetLegacyCatalog(module, dialect), run, progress);
}

std::vector<std::string> LegacyStatements(Module module, db::Dialect dialect) {
    std::vector<std::string> statements;
    ForEachLegacyStatement(module, dialect,
                           [&statements](const std::string& sql) {
                               statements.push_back(sql);
                               return true;
                           },
                           {});
    return statements;
}

}  // namespace tmigration::legacy
