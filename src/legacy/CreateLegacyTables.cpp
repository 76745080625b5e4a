#include "legacy/CreateLegacyTables.h"

#include "core/Step.h"
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
    return core::RunStep({CreateLegacyTablesText(module), ""}, strError, [&](core::Step& step) {
        std::string message;
        const bool ok = ForEachLegacyStatement(
            module, dialect, [&](const std::string& sql) { return core::ExecuteSQL(sql, message); },
            [&](int percent) { step.ShowPercent(static_cast<std::int16_t>(percent)); });
        if (!ok) step.FailWithText(message);
    });
}

}  // namespace tmigration::legacy
