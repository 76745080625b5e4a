// The compact operation behind Access compaction: writes a compacted copy of the database named
// by the source provider string into the new file named by the destination provider string. Fails
// (db::DbError) when the destination exists or the source cannot be read or locked for itself.
#pragma once

#include <string>

namespace tmigration::db {

void CompactDatabase(const std::string& sourceProvider, const std::string& destProvider);

// The file named by a provider string: the text after "Data Source=" (any case) up to the next
// ";" or the end, without surrounding blanks. db::DbError when the string names none.
std::string DataSourceOf(const std::string& providerString);

}  // namespace tmigration::db
