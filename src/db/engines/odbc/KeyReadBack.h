// KeyReadBack: how each database server tells the key it just assigned to an appended row. The
// server the driver names decides; an unknown one is taken for the dialect the component speaks.
#pragma once

#include <string>
#include <string_view>

#include "db/Dialect.h"

namespace tmigration::db::odbc {

enum class KeyReadBack {
    ScopeIdentity,    // SQL Server: SELECT SCOPE_IDENTITY() in the batch of the INSERT
    SequenceCurrval,  // Oracle: the CURRVAL of the sequence the table's key trigger draws from
    AtAtIdentity,     // Access: SELECT @@IDENTITY after the INSERT
    LastInsertRowid,  // SQLite: SELECT last_insert_rowid()
};

KeyReadBack KeyReadBackFor(std::string_view dbmsName, Dialect dialect);

// The query that reads the key; `sequence` names the sequence for SequenceCurrval.
std::string KeyQuery(KeyReadBack how, const std::string& sequence = {});

// The sequence a table's key trigger draws from when the data dictionary does not tell:
// T_SFC_GAGE draws from S_SFC_GAGE.
std::string SequenceNamedAfter(const std::string& table);

}  // namespace tmigration::db::odbc
