#include "db/engines/embedded/EmbeddedSession.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "db/DbError.h"
#include "db/engines/embedded/DateLiterals.h"
#include "db/engines/embedded/DdlParse.h"
#include "db/engines/embedded/SqlAnalyser.h"

namespace tmigration::db::embedded {

// Every transaction takes the write lock when it begins. A transaction that first reads and only
// later writes could find, at its first write, that another process wrote in between: the engine then
// refuses at once instead of waiting, and the work fails halfway. Taken up front, the lock is waited
// for (up to the command time-out) before anything is read or changed.
constexpr const char* kBegin = "BEGIN IMMEDIATE";

// ---- life cycle ------------------------------------------------------------------------------

namespace {

// The URI that opens `path` as a file nobody changes while it is open: no locks, no write-ahead log
// and no shared-memory file, so reading it leaves the folder as it was.
std::string ImmutableUri(const std::string& path) {
    std::string uri = "file://";
    for (const char c : std::filesystem::absolute(path).string()) {
        if (c == '%' || c == '?' || c == '#') {
            static constexpr char kHex[] = "0123456789abcdef";
            uri += '%';
            uri += kHex[(static_cast<unsigned char>(c) >> 4) & 0xF];
            uri += kHex[static_cast<unsigned char>(c) & 0xF];
        } else {
            uri += c;
        }
    }
    return uri + "?immutable=1";
}

}  // namespace

EmbeddedSession::EmbeddedSession(const std::string& path, Dialect dialect, bool readOnly)
    : dialect_(dialect) {
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec))
        throw DbError("Could not find file '" + path + "'.");
    // An empty file is no database, and opening it for writing would quietly make it one.
    if (std::filesystem::file_size(path, ec) == 0 && !ec)
        throw DbError("Unrecognized database format '" + path + "'.");
    readOnly = readOnly || ::access(path.c_str(), W_OK) != 0;
    // A log left beside the file holds committed rows: read it through, which needs the usual open.
    const bool immutable = readOnly && !std::filesystem::exists(path + "-wal", ec);
    const std::string name = immutable ? ImmutableUri(path) : path;
    const int flags =
        readOnly ? SQLITE_OPEN_READONLY | (immutable ? SQLITE_OPEN_URI : 0) : SQLITE_OPEN_READWRITE;
    if (sqlite3_open_v2(name.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        std::string msg = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw DbError("Could not open file '" + path + "': " + msg + ".");
    }
    try {
        // Reading the schema is what tells a database file from any other file.
        Statement probe(db_, "SELECT count(*) FROM sqlite_master");
        probe.Run();
        // WAL with NORMAL sync: every commit is atomic and a crashed process never corrupts the file.
        if (!readOnly) {
            Exec(db_, "PRAGMA journal_mode=WAL");
            Exec(db_, "PRAGMA synchronous=NORMAL");
        }
        Exec(db_, "PRAGMA foreign_keys=OFF");
        if (dialect_ == Dialect::Oracle) Exec(db_, "PRAGMA case_sensitive_like=ON");
        RegisterDateFunctions(db_);
        catalogReady_ = TableExists("_tm_constraint");
    } catch (const DbError& e) {
        sqlite3_close(db_);
        db_ = nullptr;
        const std::string msg = e.what();
        if (msg.find("not a database") != std::string::npos)
            throw DbError("Unrecognized database format '" + path + "'.");
        throw;
    }
}

EmbeddedSession::~EmbeddedSession() {
    cache_.clear();
    pool_.reset();
    if (inTrans_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db_);
}

void CreateEmbeddedDatabase(const std::string& path) {
    std::error_code ec;
    // Only a plain file name: the engine's special names would make a database that is no file
    // (":memory:", an empty name) or read the name as a URI.
    if (path.empty()) throw DbError("Could not create database: no file name was given.");
    if (path == ":memory:" || path.rfind("file:", 0) == 0)
        throw DbError("Could not create database '" + path +
                      "': give the name of a file, not a URI or ':memory:'.");
    if (path.back() == '/' || std::filesystem::is_directory(path, ec))
        throw DbError("Could not create database '" + path + "': the name is a folder, not a file.");
    if (std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
        throw DbError("Database '" + path + "' already exists.");
    sqlite3* db = nullptr;
    // A database that could not be written completely (a full disk) is removed again, with its log.
    const auto removeHalfMade = [&path] {
        std::error_code ignored;
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            std::filesystem::remove(path + suffix, ignored);
    };
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        std::string msg = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        removeHalfMade();
        throw DbError("Could not create database '" + path + "': " + msg + ".");
    }
    // An empty file is not yet a database; writing the schema header makes it one.
    char* err = nullptr;
    const int rc =
        sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA user_version=1;", nullptr, nullptr, &err);
    std::string msg = err ? err : "";
    sqlite3_free(err);
    const int closed = sqlite3_close(db);
    if (rc == SQLITE_OK && closed == SQLITE_OK && std::filesystem::file_size(path, ec) > 0 && !ec) return;
    removeHalfMade();
    if (msg.empty()) msg = "the file could not be written";
    throw DbError("Could not create database '" + path + "': " + msg + ".");
}

void EmbeddedSession::SetCommandTimeout(int seconds) {
    // SQLite waits for a lock in milliseconds; "no limit" becomes the longest wait it takes.
    const long long ms = seconds <= 0 ? INT32_MAX : static_cast<long long>(seconds) * 1000;
    sqlite3_busy_timeout(db_, static_cast<int>(std::min<long long>(ms, INT32_MAX)));
}

// ---- plain statements ------------------------------------------------------------------------

SharedStatement EmbeddedSession::Cached(const std::string& sql) {
    auto it = cache_.find(sql);
    if (it == cache_.end()) {
        if (cache_.size() > 256) cache_.clear();
        it = cache_.emplace(sql, std::make_shared<Statement>(db_, sql)).first;
    } else if (it->second.use_count() > 1) {
        // Still held further up the stack: that holder's rows must not be reset under it.
        return SharedStatement(std::make_shared<Statement>(db_, sql));
    }
    it->second->Reset();
    return SharedStatement(it->second);
}

// The legacy tables have no index on the numbers the component looks rows up by (part, job, person,
// operation numbers), so each lookup reads the whole table: replaying machine events, which looks
// numbers up for every event, would grow with events times parts. A search run this many times on a
// column that no index leads gets an index of the engine's own, which later lookups then use; the
// rows found are the same. Its name starts with the engine's prefix, like the other indexes it keeps.
constexpr int kLookupsBeforeIndex = 16;

void EmbeddedSession::NoteLookup(const Translation& tr) {
    int& runs = lookups_[tr.sql];
    if (runs < 0 || ++runs < kLookupsBeforeIndex) return;
    runs = -1;
    IndexColumn(tr.updatableTable, tr.lookupColumn);
}

void EmbeddedSession::IndexColumn(const std::string& table, const std::string& column) {
    // Led by an index, or the table's key (the rowid itself when it is a single integer column).
    SharedStatement led = Cached(
        "SELECT 1 FROM pragma_index_list(?1) AS l, pragma_index_info(l.name) AS i WHERE i.seqno = 0 AND "
        "i.name = ?2 COLLATE NOCASE UNION ALL SELECT 1 FROM pragma_table_info(?1) WHERE pk = 1 AND name = ?2 "
        "COLLATE NOCASE");
    led.Bind(1, Value(table));
    led.Bind(2, Value(column));
    const bool indexed = led.Step();
    led.Reset();
    if (indexed) return;
    const std::string name = "_tm_lookup_" + table + "_" + column;
    try {
        Exec(db_, "CREATE INDEX IF NOT EXISTS " + Quote(name) + " ON " + Quote(table) + " (" + Quote(column) +
                      ")");
    } catch (const DbError&) {
        // Only a speed-up: where the database cannot take the index now, the searches scan as before.
    }
}

void EmbeddedSession::IndexReferencesTo(const Tokens& sig) {
    // DELETE [FROM] table ...
    const std::size_t at = At(sig, 1, "FROM") ? 2 : 1;
    if (at >= sig.size()) return;
    const std::string parent = StoredTableName(sig[at].Name());
    if (parent.empty() || !deletedFrom_.insert(util::ToUpper(parent)).second) return;
    if (StoredTableName("_tm_constraint").empty()) return;
    // Every deleted row is checked against each table whose foreign key points at it. Without an
    // index on the referencing column each check reads that whole table, and a delete of many rows
    // grows with the square of the plant: the first delete from a table indexes those columns.
    std::vector<std::pair<std::string, std::string>> references;
    {
        Statement refs(db_,
                       "SELECT tbl, cols FROM _tm_constraint WHERE kind = 'F' AND ref_tbl = ?1 "
                       "COLLATE NOCASE AND cols NOT LIKE '%,%'");
        refs.Bind(1, Value(parent));
        while (refs.Step())
            references.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(refs.get(), 0)),
                                    reinterpret_cast<const char*>(sqlite3_column_text(refs.get(), 1)));
    }
    for (const auto& [child, column] : references) IndexColumn(child, column);
}

void EmbeddedSession::ForgetSchema() {
    lookups_.clear();
    deletedFrom_.clear();
    tableNames_.clear();
    keyTriggers_.clear();
    pool_->free.clear();
    cache_.clear();
}

void EmbeddedSession::Execute(const std::string& sql) {
    const Tokens sig = Significant(Tokenize(sql));
    const StatementKind kind = KindOf(sig, dialect_);
    if (kind == StatementKind::Empty) return;
    if (kind == StatementKind::Ddl) {
        // Oracle commits the open transaction before and after every DDL statement; DML after it
        // belongs to a new transaction that a later rollback still undoes.
        const bool implicitCommit = dialect_ == Dialect::Oracle && inTrans_;
        if (implicitCommit) Exec(db_, "COMMIT");
        struct Reopen {
            EmbeddedSession* s;
            bool on;
            ~Reopen() {
                if (on) sqlite3_exec(s->db_, kBegin, nullptr, nullptr, nullptr);
            }
        } reopen{this, implicitCommit};
        // Tables may come and go: forget the names and statements that knew them.
        ForgetSchema();
        // A statement of its own takes the write lock before it reads the catalog, like a transaction.
        const bool own = sqlite3_get_autocommit(db_) != 0;
        Exec(db_, own ? kBegin : "SAVEPOINT tm_ddl");
        try {
            RunDdl(sig);
            Exec(db_, own ? "COMMIT" : "RELEASE tm_ddl");
        } catch (...) {
            sqlite3_exec(db_, own ? "ROLLBACK" : "ROLLBACK TO tm_ddl; RELEASE tm_ddl;", nullptr, nullptr,
                         nullptr);
            ForgetSchema();
            throw;
        }
        return;
    }
    if (sig[0].Is("DELETE")) IndexReferencesTo(sig);
    Statement stmt(db_, TranslateDml(sql, dialect_).sql);
    stmt.Run();
    if (inTrans_ && sqlite3_get_autocommit(db_)) inTrans_ = false;
}

std::unique_ptr<EngineCursor> EmbeddedSession::Query(const std::string& sql) {
    TranslateOptions options;
    options.parameterise = true;
    // Only stored tables are updatable: not the engine's own schema tables, not a view.
    options.resolveTable = [this](const std::string& table) { return StoredTableName(table); };
    const Translation tr = TranslateDml(sql, dialect_, options);
    if (!tr.lookupColumn.empty()) NoteLookup(tr);
    std::unique_ptr<Statement> stmt = pool_->Take(db_, tr.sql);
    for (std::size_t i = 0; i < tr.params.size(); ++i) stmt->Bind(static_cast<int>(i) + 1, tr.params[i]);
    return std::make_unique<EmbeddedCursor>(std::move(stmt), tr.updatableTable, tr.sql,
                                            std::weak_ptr<StatementPool>(pool_));
}

std::int64_t EmbeddedSession::CountRows(const std::string& sql) {
    const Translation tr = TranslateDml(sql, dialect_, TranslateOptions{true, nullptr});
    Statement stmt(db_, "SELECT count(*) FROM (" + tr.sql + ")");
    for (std::size_t i = 0; i < tr.params.size(); ++i) stmt.Bind(static_cast<int>(i) + 1, tr.params[i]);
    stmt.Step();
    return sqlite3_column_int64(stmt.get(), 0);
}

// ---- transactions ----------------------------------------------------------------------------

void EmbeddedSession::BeginTrans() {
    if (inTrans_) throw DbError("Transactions cannot be nested on this connection.");
    Exec(db_, kBegin);
    inTrans_ = true;
}

void EmbeddedSession::CommitTrans() {
    if (!inTrans_) throw DbError("No transaction is active.");
    inTrans_ = false;
    if (!sqlite3_get_autocommit(db_)) Exec(db_, "COMMIT");
}

void EmbeddedSession::RollbackTrans() {
    if (!inTrans_) throw DbError("No transaction is active.");
    inTrans_ = false;
    if (!sqlite3_get_autocommit(db_)) Exec(db_, "ROLLBACK");
    ForgetSchema();
}

}  // namespace tmigration::db::embedded
