#include "driver/FinalizeMigration.h"

#include <cstdint>
#include <exception>

#include "driver/RecordsetHelpers.h"
#include "driver/SharedProgressWindow.h"
#include "schema/SchemaStatements.h"
#include "transfer/RecordSchemaStep.h"

namespace tmigration::driver {
namespace {

constexpr const char* kPrefix = "Finalizing Migration: ";

}  // namespace

std::string FinalizationStatement(db::Dialect databaseType) {
    const std::string create = "CREATE TABLE T_TRNK_PTYPE ";
    switch (databaseType) {
        case db::Dialect::Oracle:
            return create + "(PTYPE_ID NUMBER(10,0) NOT NULL PRIMARY KEY)";
        case db::Dialect::Access:
            return create + "(PTYPE_ID COUNTER NOT NULL PRIMARY KEY)";
        case db::Dialect::SqlServer:
            return create + "(PTYPE_ID INTEGER IDENTITY(1,1) NOT NULL PRIMARY KEY)";
    }
    return create;
}

bool FinalizeMigration(db::Dialect databaseType, std::string& strError) {
    ui::frmProgress& window = frmProgress();
    try {
        window.UpdateInfoLabel("Finalizing Migration...");
        window.UpdatePercentDone(0);
        std::string message;
        if (!ExecuteSQL(FinalizationStatement(databaseType), message) ||
            !transfer::RecordSchemaStep(static_cast<std::int16_t>(schema::FinalSchemaLevel(databaseType)),
                                        message)) {
            window.Hide();
            strError = kPrefix + message;
            return false;
        }
        window.UpdatePercentDone(100);
        return true;
    } catch (const std::exception& e) {
        strError = kPrefix + std::string(e.what());
        window.Hide();
        return false;
    }
}

}  // namespace tmigration::driver
