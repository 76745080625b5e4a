#include "legacy/CreateLegacyTables.h"

#include "driver/modGlobalSubs.h"
#include "driver/modGlobalVariables.h"
#include "legacy/catalog/LegacyCreateAll.h"

namespace tmigration::legacy {

std::string_view CreateLegacyTablesText(Module module) {
    switch (module) {
        case Module::Common:
            return "Updating Old Common Tables...";
        case Module::Gage:
            return "Creating Old Gage Crib Tables...";
        case Module::MDC:
            return "Creating Old MDC Tables...";
        case Module::Tool:
            return "Creating Old Tool Crib Tables...";
        case Module::Traveler:
            return "Creating Old Traveler Tables...";
    }
    return {};
}

bool CreateLegacyTables(Module module, db::Dialect dialect, std::string& strError) {
    auto& window = driver::frmProgress();
    window.UpdateInfoLabel(std::string(CreateLegacyTablesText(module)));
    window.UpdatePercentDone(0);
    const bool ok = ForEachLegacyStatement(
        module, dialect, [&](const std::string& sql) { return driver::ExecuteSQL(sql, strError); },
        [&](int percent) { window.UpdatePercentDone(static_cast<std::int16_t>(percent)); });
    if (!ok) window.Hide();
    return ok;
}

}  // namespace tmigration::legacy
