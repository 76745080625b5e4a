// The new-schema step of each dialect: runs the schema statement list on the shared connection,
// each statement in a transaction of its own together with the update of database item 1, so
// that after any failure item 1 names the last statement that completed and everything the
// completed statements built stays. Always starts at statement 1, whatever item 1 says.
#pragma once

#include <string>

#include "db/Dialect.h"

namespace tmigration::schema {

// On failure the progress window is hidden and strError reads
// "An error occurred on SQL String <n>:\r\n<the database's message>".
bool CreateNewTables(db::Dialect dialect, std::string& strError);

bool CreateNewAccessTables(std::string& strError);
bool CreateNewOracleTables(std::string& strError);
bool CreateNewSQLTables(std::string& strError);

}  // namespace tmigration::schema
