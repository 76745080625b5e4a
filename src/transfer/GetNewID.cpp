#include "transfer/GetNewID.h"

#include <string>

#include "core/RecordsetHelpers.h"

namespace tmigration::transfer {

db::Value GetNewID(std::string_view table, std::string_view column, const db::Value& id) {
    if (id.IsNull()) return {};
    core::RecordsetPtr rs = core::OpenClientRecordset("select SFC_ID from " + std::string(table) + " where " +
                                                      std::string(column) + " = " + id.AsText());
    db::Value newId;
    if (rs->RecordCount() != 0) newId = rs->Get("SFC_ID");
    core::CloseRecordset(rs);
    return newId;
}

std::optional<std::int64_t> GetNewID(std::string_view table, std::string_view column,
                                     std::optional<std::int64_t> id) {
    if (!id) return std::nullopt;
    const db::Value newId = GetNewID(table, column, db::Value(static_cast<long long>(*id)));
    if (newId.IsNull()) return std::nullopt;
    return newId.AsInteger();
}

}  // namespace tmigration::transfer
