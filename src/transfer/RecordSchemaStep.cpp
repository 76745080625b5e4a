#include "transfer/RecordSchemaStep.h"

#include <exception>

#include "driver/RecordsetHelpers.h"

namespace tmigration::transfer {

bool RecordSchemaStep(std::int16_t value, std::string& strError) {
    driver::RecordsetPtr rs;
    try {
        rs = driver::NewRecordset();
        driver::SetupClientRecordset(*rs);
        driver::OpenRecordset(*rs,
                              std::string("select * from T_SFC_DB_ITEM ") + " where DB_ITEM_CODE = " + "1");
        // With the item row missing there is no current row and the write fails.
        rs->Set("DB_ITEM_VALUE", db::Value(static_cast<int>(value)));
        rs->Update();
        driver::CloseRecordset(rs);
        return true;
    } catch (const std::exception& e) {
        strError = e.what();
        rs.reset();
        return false;
    }
}

}  // namespace tmigration::transfer
