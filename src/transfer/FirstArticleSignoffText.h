// The history text of a first article signoff, built from rows already in the new tables.
#pragma once

#include <cstdint>
#include <string>

namespace tmigration::core {
class Step;
}

namespace tmigration::transfer {

// "<user> performed a First Article Signoff on Operation <operation> of Traveler <traveler>", read
// through the operation per traveler, its operation and traveler, and the user. A row that is
// missing fails the step.
std::string BuildFirstArticleSignoffText(core::Step& step, std::int32_t opPerTravelerId, std::int32_t userId);

}  // namespace tmigration::transfer
