// The removal step of each dialect: drops every legacy foreign key, (Oracle) every legacy
// sequence and every legacy table, mapping columns with them, in one transaction on the shared
// connection. The first statement that fails stops the step and what the database can undo is
// rolled back.
#pragma once

#include <string>

#include "db/Dialect.h"

namespace tmigration::schema {

// On failure the progress window is hidden and strError reads
// "An error occurred on SQL String <n>:\r\n<the database's message>".
bool DeleteOldTables(db::Dialect dialect, std::string& strError);

bool DeleteOldAccessTables(std::string& strError);
bool DeleteOldOracleTables(std::string& strError);
bool DeleteOldSQLTables(std::string& strError);

}  // namespace tmigration::schema
