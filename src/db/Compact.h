// The compact operation behind Access compaction: writes a compacted copy of the database named
// by the source provider string into the new file named by the destination provider string. Fails
// (db::DbError) when the destination exists or the source cannot be read or locked for itself.
#pragma once

#include <string>

namespace tmigration::db {

void CompactDatabase(const std::string& sourceProvider, const std::string& destProvider);

}  // namespace tmigration::db
