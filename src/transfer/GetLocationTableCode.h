// Which new table a legacy location became: the machine-data product's locations (product
// type 5) went to T_SFC_LOCATION, every other product type's to T_SFC_CRIB. The split is a pure
// function of the database read; the one-argument form runs that read on the shared connection.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tmigration::transfer {

inline constexpr std::int16_t kCribTableCode = 11;       // T_SFC_CRIB
inline constexpr std::int16_t kLocationTableCode = 58;   // T_SFC_LOCATION
inline constexpr std::int64_t kLocationProductType = 5;  // the machine-data product

// What the product-type query found: no row, or one row whose PTYPE_ID may itself be Null.
struct LocationProductType {
    bool rowFound = false;
    std::optional<std::int64_t> productType;
};

// Runs the query text and reports its first row's PTYPE_ID.
using LocationQuery = std::function<LocationProductType(const std::string& sql)>;

// "select PTYPE_ID from T_TRNK_LOCATION  where LOCATION_ID = <id>" (two blanks before where).
std::string LocationProductTypeSql(std::int64_t locationId);

// No row gives -1; product type 5 gives 58; any other product type, Null included, gives 11.
std::int16_t LocationTableCodeFor(const LocationProductType& row);

// A Null id gives -1 without a query; otherwise the query's row decides as above.
std::int16_t GetLocationTableCode(std::optional<std::int64_t> locationId, const LocationQuery& query);

// The same on the shared connection through a client row set. Database errors are not caught:
// they reach the calling transfer.
std::int16_t GetLocationTableCode(std::optional<std::int64_t> locationId);

}  // namespace tmigration::transfer
