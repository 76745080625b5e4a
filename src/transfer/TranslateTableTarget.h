// Translation of a polymorphic legacy reference (legacy table code + legacy id) into the new
// schema's (table code + id) through the fixed table of legacy codes. The id lookup (GetNewID)
// and the location split are injected, so the translation itself touches no database; the
// transfers use the form bound to the shared connection.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace tmigration::transfer {

// Marks the one legacy code whose new table depends on the row: legacy locations.
inline constexpr std::int16_t kByLocationProductType = 0;

struct LegacyTableCode {
    std::int16_t legacyCode;
    std::string_view legacyTable;
    std::string_view keyColumn;  // the legacy key the target id is translated through
    std::int16_t newCode;        // kByLocationProductType for legacy locations
};

// Every legacy table code that has a translation, in ascending legacy code.
const std::vector<LegacyTableCode>& LegacyTableCodes();

// The entry for a legacy code, or nullptr when it has no translation.
const LegacyTableCode* FindLegacyTableCode(std::int16_t legacyCode);

struct TableTarget {
    std::int16_t tableCode = -1;
    std::optional<std::int64_t> id;  // Null when the legacy row has no new row
    bool operator==(const TableTarget&) const = default;
};

// GetNewID: (legacy table, key column, legacy id) to the SFC_ID of that legacy row, or Null.
using NewIdLookup = std::function<std::optional<std::int64_t>(
    std::string_view legacyTable, std::string_view keyColumn, std::optional<std::int64_t> legacyId)>;
// GetLocationTableCode bound to the database.
using LocationCodeLookup = std::function<std::int16_t(std::optional<std::int64_t> locationId)>;

// A known code gives its new code and the id through getNewId (for legacy locations the table
// code is asked of locationCode first). Any other code gives -1 and the integer id -1 (not
// Null) without calling either lookup.
TableTarget TranslateTableTarget(std::int16_t legacyCode, std::optional<std::int64_t> legacyId,
                                 const NewIdLookup& getNewId, const LocationCodeLookup& locationCode);

// The same with GetNewID and GetLocationTableCode on the shared connection.
TableTarget TranslateTableTarget(std::int16_t legacyCode, std::optional<std::int64_t> legacyId);

}  // namespace tmigration::transfer
