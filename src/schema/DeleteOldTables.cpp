#include "schema/DeleteOldTables.h"

#include <exception>

#include "driver/RecordsetHelpers.h"
#include "schema/RemovalStatements.h"
#include "schema/StatementListStep.h"

namespace tmigration::schema {

bool DeleteOldTables(db::Dialect dialect, std::string& strError) {
    StatementListStep step;
    try {
        step.Start("Deleting Old Data Tables...");
        const std::vector<std::string>& statements = RemovalStatements(dialect);
        const int count = RemovalStatementCount(dialect);
        step.BeginTrans();
        for (int i = 1; i <= count; ++i) {
            std::string message;
            if (!driver::ExecuteSQL(statements[i - 1], message))
                return step.FailOnStatement(i, message, strError);
            step.ShowProgress(i, count);
        }
        step.CommitTrans();
        return true;
    } catch (const std::exception& e) {
        return step.Fail(e, strError);
    }
}

bool DeleteOldAccessTables(std::string& strError) {
    return DeleteOldTables(db::Dialect::Access, strError);
}

bool DeleteOldOracleTables(std::string& strError) {
    return DeleteOldTables(db::Dialect::Oracle, strError);
}

bool DeleteOldSQLTables(std::string& strError) {
    return DeleteOldTables(db::Dialect::SqlServer, strError);
}

}  // namespace tmigration::schema
