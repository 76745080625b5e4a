// The product modules that own legacy tables, each described by one catalog per dialect.
// Module words ("common", "gage", "mdc", "tool", "traveler") name them on command lines.
#pragma once

#include <array>
#include <string_view>

namespace tmigration::legacy {

enum class Module { Common, Gage, MDC, Tool, Traveler };

inline constexpr std::array<Module, 5> kAllModules{Module::Common, Module::Gage, Module::MDC, Module::Tool,
                                                   Module::Traveler};

// "Common", "Gage", "MDC", "Tool", "Traveler".
std::string_view ModuleName(Module module);

// Accepts the module name in any letter case; returns false (and leaves `out` alone) when unknown.
bool ParseModuleWord(std::string_view word, Module& out);

}  // namespace tmigration::legacy
