#include "schema/CreateNewTables.h"

#include <cstdint>

#include "core/Step.h"
#include "schema/RecordSchemaStep.h"
#include "schema/SchemaStatements.h"
#include "schema/SqlStringError.h"

namespace tmigration::schema {

bool CreateNewTables(db::Dialect dialect, std::string& strError) {
    return core::RunStep({"Creating New Data Tables...", ""}, strError, [&](core::Step& step) {
        const std::vector<std::string>& statements = SchemaStatements(dialect);
        const int count = SchemaStatementCount(dialect);
        // Item 1 exists once its seed statement has run, which inserts it with its own number.
        const int seed = ItemOneSeedStatement(dialect);
        for (int i = 1; i <= count; ++i) {
            step.BeginTrans();
            std::string message;
            if (!core::ExecuteSQL(statements[i - 1], message) ||
                (i > seed && !RecordSchemaStep(static_cast<std::int16_t>(i), message)))
                step.FailWithText(SqlStringError(i, message));
            step.CommitTrans();
            step.ShowProgress(i, count);
        }
    });
}

bool CreateNewAccessTables(std::string& strError) {
    return CreateNewTables(db::Dialect::Access, strError);
}

bool CreateNewOracleTables(std::string& strError) {
    return CreateNewTables(db::Dialect::Oracle, strError);
}

bool CreateNewSQLTables(std::string& strError) {
    return CreateNewTables(db::Dialect::SqlServer, strError);
}

}  // namespace tmigration::schema
