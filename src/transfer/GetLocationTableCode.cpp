#include "transfer/GetLocationTableCode.h"

#include "core/RecordsetHelpers.h"

namespace tmigration::transfer {

namespace {
constexpr std::int16_t kNoTable = -1;
}

std::string LocationProductTypeSql(std::int64_t locationId) {
    return std::string("select PTYPE_ID from T_TRNK_LOCATION ") +
           " where LOCATION_ID = " + std::to_string(locationId);
}

std::int16_t LocationTableCodeFor(const LocationProductType& row) {
    if (!row.rowFound) return kNoTable;
    return row.productType == kLocationProductType ? kLocationTableCode : kCribTableCode;
}

std::int16_t GetLocationTableCode(std::optional<std::int64_t> locationId, const LocationQuery& query) {
    if (!locationId) return kNoTable;
    return LocationTableCodeFor(query(LocationProductTypeSql(*locationId)));
}

std::int16_t GetLocationTableCode(std::optional<std::int64_t> locationId) {
    return GetLocationTableCode(locationId, [](const std::string& sql) {
        core::RecordsetPtr rs = core::OpenClientRecordset(sql);
        LocationProductType row;
        if (rs->RecordCount() != 0) {
            row.rowFound = true;
            const db::Value& type = rs->Get("PTYPE_ID");
            if (!type.IsNull()) row.productType = type.AsInteger();
        }
        core::CloseRecordset(rs);
        return row;
    });
}

}  // namespace tmigration::transfer
