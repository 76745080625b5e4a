#include "legacy/catalog/LegacyModule.h"

#include <algorithm>

#include "util/Text.h"

namespace tmigration::legacy {

std::string_view ModuleName(Module module) {
    switch (module) {
        case Module::Common:
            return "Common";
        case Module::Gage:
            return "Gage";
        case Module::MDC:
            return "MDC";
        case Module::Tool:
            return "Tool";
        case Module::Traveler:
            return "Traveler";
    }
    return "";
}

bool ParseModuleWord(std::string_view word, Module& out) {
    for (Module module : kAllModules) {
        if (util::EqualsIgnoringCase(word, ModuleName(module))) {
            out = module;
            return true;
        }
    }
    return false;
}

}  // namespace tmigration::legacy
