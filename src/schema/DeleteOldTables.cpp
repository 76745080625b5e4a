#include "schema/DeleteOldTables.h"

#include "core/Step.h"
#include "schema/RemovalStatements.h"
#include "schema/SqlStringError.h"

namespace tmigration::schema {

bool DeleteOldTables(db::Dialect dialect, std::string& strError) {
    return core::RunStep({"Deleting Old Data Tables...", ""}, strError, [&](core::Step& step) {
        const std::vector<std::string>& statements = RemovalStatements(dialect);
        const int count = RemovalStatementCount(dialect);
        step.BeginTrans();
        for (int i = 1; i <= count; ++i) {
            std::string message;
            if (!core::ExecuteSQL(statements[i - 1], message)) step.FailWithText(SqlStringError(i, message));
            step.ShowProgress(i, count);
        }
        step.CommitTrans();
    });
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
