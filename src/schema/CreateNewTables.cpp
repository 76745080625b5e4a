#include "schema/CreateNewTables.h"

#include <cstdint>
#include <exception>

#include "driver/RecordsetHelpers.h"
#include "schema/SchemaStatements.h"
#include "schema/StatementListStep.h"
#include "transfer/RecordSchemaStep.h"

namespace tmigration::schema {

bool CreateNewTables(db::Dialect dialect, std::string& strError) {
    StatementListStep step;
    try {
        step.Start("Creating New Data Tables...");
        const std::vector<std::string>& statements = SchemaStatements(dialect);
        const int count = SchemaStatementCount(dialect);
        // Item 1 exists once its seed statement has run, which inserts it with its own number.
        const int seed = ItemOneSeedStatement(dialect);
        for (int i = 1; i <= count; ++i) {
            step.BeginTrans();
            std::string message;
            if (!driver::ExecuteSQL(statements[i - 1], message) ||
                (i > seed && !transfer::RecordSchemaStep(static_cast<std::int16_t>(i), message)))
                return step.FailOnStatement(i, message, strError);
            step.CommitTrans();
            step.ShowProgress(i, count);
        }
        return true;
    } catch (const std::exception& e) {
        return step.Fail(e, strError);
    }
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
