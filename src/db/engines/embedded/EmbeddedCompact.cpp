#include <sqlite3.h>

#include <filesystem>
#include <memory>

#include "db/Compact.h"
#include "db/ConnectionString.h"
#include "db/DbError.h"

namespace tmigration::db {
namespace {

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using DatabaseHandle = std::unique_ptr<sqlite3, CloseDatabase>;

struct FinalizeStatement {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using StatementHandle = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

void Run(sqlite3* db, const char* sql, const std::string& context) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        std::string text = message ? message : sqlite3_errmsg(db);
        sqlite3_free(message);
        throw db::DbError(context + text);
    }
}

// The file named by a provider string, read as the engine reads it when it opens one.
std::string DataSourceOf(const std::string& providerString) {
    auto path = ConnectionStringValue(providerString, "Data Source");
    if (!path) throw db::DbError("The provider string names no data source: \"" + providerString + "\"");
    return *path;
}

}  // namespace

void CompactDatabase(const std::string& sourceProvider, const std::string& destProvider) {
    const std::string source = DataSourceOf(sourceProvider);
    const std::string destination = DataSourceOf(destProvider);
    const std::string context = "Could not compact '" + source + "' into '" + destination + "': ";
    if (std::filesystem::exists(destination))
        throw db::DbError(context + "the destination file already exists");

    sqlite3* raw = nullptr;
    const int opened =
        sqlite3_open_v2(source.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    DatabaseHandle database(raw);
    if (opened != SQLITE_OK)
        throw db::DbError(context + (raw ? sqlite3_errmsg(raw) : sqlite3_errstr(opened)));

    // Compaction needs the file to itself: the exclusive lock is refused while another connection
    // holds the file, and in exclusive locking mode it is kept until the copy is written.
    Run(database.get(), "PRAGMA locking_mode=EXCLUSIVE", context);
    Run(database.get(), "BEGIN EXCLUSIVE", context);
    Run(database.get(), "COMMIT", context);

    sqlite3_stmt* rawStatement = nullptr;
    if (sqlite3_prepare_v2(database.get(), "VACUUM INTO ?1", -1, &rawStatement, nullptr) != SQLITE_OK)
        throw db::DbError(context + sqlite3_errmsg(database.get()));
    StatementHandle statement(rawStatement);
    sqlite3_bind_text(statement.get(), 1, destination.c_str(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(statement.get()) != SQLITE_DONE)
        throw db::DbError(context + sqlite3_errmsg(database.get()));
}

}  // namespace tmigration::db
