// Translation of a legacy history action id into the new schema's ACTION_CODE. A few actions
// depend on the target: whether it is a traveler (legacy table code 3), or for action 53
// which traveler sub-record it is. Untranslatable pairs give -1.
#pragma once

#include <cstdint>

namespace tmigration::transfer {

inline constexpr std::int16_t kTravelerLegacyTableCode = 3;

std::int16_t TranslateHistoryAction(std::int16_t legacyTableCode, std::int16_t legacyActionId);

}  // namespace tmigration::transfer
