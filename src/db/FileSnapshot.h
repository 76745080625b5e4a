// FileSnapshot: a copy of a database file taken before a migration and put back when the migration
// does not finish. It lies next to the database under a name the next run finds
// (plant.mdb -> plant.mdb.before-migration) and is one self-contained file: whatever the database
// kept in its write-ahead log is inside it. Taking and putting back are both atomic: a copy is written
// under a temporary name, flushed to the disk and then renamed, so an interruption at any moment
// leaves either the old file or the new one, never a part of one.
#pragma once

#include <optional>
#include <string>

namespace tmigration::db {

// The database file an embedded-engine connection string opens, with symbolic links followed to the
// file itself; nullopt for a database server or a string that names no file.
std::optional<std::string> FileDatabasePath(const std::string& connectionString);

// Where the snapshot of the database file at `databasePath` lies.
std::string SnapshotPath(const std::string& databasePath);

// Writes the snapshot of the database at `databasePath` to `snapshotPath`; DbError when it cannot
// (the database itself is not changed either way, and no part of a snapshot is left behind).
void TakeSnapshot(const std::string& databasePath, const std::string& snapshotPath);

// Puts the snapshot at `snapshotPath` in place of the database at `databasePath`, dropping the
// database's own log files; the snapshot stays where it is. DbError when it cannot: the database is
// then still the one before the restore was tried.
void RestoreSnapshot(const std::string& snapshotPath, const std::string& databasePath);

// Removes the snapshot once nothing needs it; a snapshot already gone is no error.
void DiscardSnapshot(const std::string& snapshotPath);

}  // namespace tmigration::db
