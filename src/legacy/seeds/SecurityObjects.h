// The security objects of the four products and their administrator groups. T_TRNK_OBJECT holds
// 8192 identifiers in four blocks of 2048 (Traveler from 1, Gage Crib from 2049, Tool Crib from
// 4097, MDC from 6145), created as reserved rows with the Common tables; each product's module
// then writes its own objects by identifier at the start of its block and grants its
// administrator group (SID 1..4) full control over them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "legacy/catalog/LegacyModule.h"

namespace tmigration::legacy {

struct ProductSecurity {
    Module module;
    std::string_view product;         // the word of its reserved rows: "Reserved for Gage Crib2050"
    std::int32_t blockFirst;          // 2049
    std::int32_t blockLast;           // 4096
    std::int32_t objectCount;         // 182: objects blockFirst .. blockFirst + count - 1
    std::int32_t ptype;               // 41: the product's row of the product-type table
    std::int32_t sid;                 // 2: its administrator group
    std::string_view revisionColumn;  // the Common row's marker of this object list ("RESERVED5")
    std::string_view fillText;        // "Filling Old Gage Crib Security Objects..."
    std::string_view initText;        // "Initializing Old Gage Crib Administrator Group..."

    std::int32_t LastObject() const { return blockFirst + objectCount - 1; }
    std::string RevisionText() const { return std::to_string(objectCount); }
};

inline constexpr std::int32_t kSecurityObjectCount = 8192;
inline constexpr std::int32_t kSecurityBlock = 2048;

// Gage, MDC, Tool or Traveler (Common owns no objects: std::invalid_argument).
const ProductSecurity& SecurityOf(Module module);
// The product whose block holds `objectId` (1..8192).
const ProductSecurity& SecurityOwning(std::int32_t objectId);

// The defined row of an object of the product: OBJECT_NAME, PTYPE_ID, CATEGORY, ORDINAL, RES_ID
// (tool objects carry only the first three).
std::string SecurityObjectText(const ProductSecurity& product, std::int32_t objectId);
// The reserved row of an object: "Reserved for " & product & id & "," & ptype & ",0,0".
std::string ReservedObjectText(const ProductSecurity& product, std::int32_t objectId);

}  // namespace tmigration::legacy
