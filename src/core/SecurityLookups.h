// Security numbering shared by the transfers: the next legacy security id (taken and advanced in
// T_TRNK_SID) and the two new security objects that one legacy permission code stands for.
#pragma once

#include <cstdint>

namespace tmigration::core {

// Returns NEXT_SID and stores NEXT_SID + 1 in its place.
std::int32_t GetNextSID();

// OBJECT_IDs of the two T_SFC_OBJECT rows a legacy permission code maps to; -1 for each object
// not found, and both -1 without a query for a code outside the map.
void GetObjectIds(std::int32_t legacyCode, std::int32_t& firstObjectId, std::int32_t& secondObjectId);

}  // namespace tmigration::core
