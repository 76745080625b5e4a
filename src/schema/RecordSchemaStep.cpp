#include "schema/RecordSchemaStep.h"

#include <exception>

#include "core/RecordsetHelpers.h"

namespace tmigration::schema {

bool RecordSchemaStep(std::int16_t value, std::string& strError) {
    core::RecordsetPtr rs;
    try {
        rs = core::NewRecordset();
        core::SetupClientRecordset(*rs);
        core::OpenRecordset(*rs,
                            std::string("select * from T_SFC_DB_ITEM ") + " where DB_ITEM_CODE = " + "1");
        // With the item row missing there is no current row and the write fails.
        rs->Set("DB_ITEM_VALUE", db::Value(static_cast<int>(value)));
        rs->Update();
        core::CloseRecordset(rs);
        return true;
    } catch (const std::exception& e) {
        strError = e.what();
        rs.reset();
        return false;
    }
}

}  // namespace tmigration::schema
