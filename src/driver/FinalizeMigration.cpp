#include "driver/FinalizeMigration.h"

#include <cstdint>

#include "core/RecordsetHelpers.h"
#include "core/Step.h"
#include "schema/RecordSchemaStep.h"
#include "schema/SchemaStatements.h"

namespace tmigration::driver {
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
    return core::RunStep(
        {"Finalizing Migration...", "Finalizing Migration: "}, strError, [&](core::Step& step) {
            std::string message;
            if (!core::ExecuteSQL(FinalizationStatement(databaseType), message) ||
                !schema::RecordSchemaStep(static_cast<std::int16_t>(schema::FinalSchemaLevel(databaseType)),
                                          message))
                step.Fail(message);
            step.ShowPercent(100);
        });
}

}  // namespace tmigration::driver
