#include "legacy/catalog/LegacyModule.h"

#include <algorithm>
#include <cctype>

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
    const auto sameWord = [word](std::string_view name) {
        return std::ranges::equal(word, name, [](char a, char b) {
            return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
        });
    };
    for (Module module : kAllModules) {
        if (sameWord(ModuleName(module))) {
            out = module;
            return true;
        }
    }
    return false;
}

}  // namespace tmigration::legacy
