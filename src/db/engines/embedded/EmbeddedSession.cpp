#include "db/engines/embedded/EmbeddedSession.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "db/DbError.h"
#include "db/engines/embedded/DialectRewriter.h"

namespace tmigration::db::embedded {
namespace {

using Kind = Token::Kind;

// ---- SQL functions the rewritten expressions call -------------------------------------------

// tm_datetime(text) and tm_to_date(text, format): a date-time literal of any dialect as the ISO
// text the engine stores. The error each raises is the database's own for a malformed literal.
template <const char* kError>
void SqlDateLiteral(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (argc < 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    std::string iso;
    if (!ParseLooseDateTime(text ? text : "", iso)) {
        sqlite3_result_error(ctx, kError, -1);
        return;
    }
    sqlite3_result_text(ctx, iso.c_str(), static_cast<int>(iso.size()), SQLITE_TRANSIENT);
}

constexpr char kCastError[] = "Conversion failed when converting date and/or time from character string.";
constexpr char kToDateError[] = "ORA-01858: a non-numeric character was found where a numeric was expected";

// ---- statement shapes ------------------------------------------------------------------------

[[noreturn]] void Unsupported(const Tokens& sig) {
    std::string text;
    for (const auto& t : sig) text += (text.empty() ? "" : " ") + t.text;
    throw DbError("Syntax error in statement: " + text);
}

bool At(const Tokens& sig, std::size_t i, std::string_view word) {
    return i < sig.size() && sig[i].Is(word);
}

const Token& Need(const Tokens& sig, std::size_t i) {
    if (i >= sig.size()) Unsupported(sig);
    return sig[i];
}

// Significant tokens between the parenthesis at `open` and its partner, split at top-level commas.
std::vector<Tokens> ParenList(const Tokens& sig, std::size_t open, std::size_t* closeOut = nullptr) {
    if (!Need(sig, open).IsPunct('(')) Unsupported(sig);
    const std::size_t close = MatchingParen(sig, open);
    if (close >= sig.size()) Unsupported(sig);
    std::vector<Tokens> parts(1);
    int depth = 0;
    for (std::size_t i = open + 1; i < close; ++i) {
        if (sig[i].IsPunct('(')) ++depth;
        if (sig[i].IsPunct(')')) --depth;
        if (depth == 0 && sig[i].IsPunct(',')) {
            parts.emplace_back();
            continue;
        }
        parts.back().push_back(sig[i]);
    }
    if (closeOut) *closeOut = close;
    return parts;
}

std::string Names(const Tokens& list) {
    std::string out;
    for (const auto& t : list)
        if (!t.IsPunct(',')) out += (out.empty() ? "" : ",") + util::ToUpper(t.Name());
    return out;
}

bool IsDdl(const Tokens& sig) {
    if (sig.empty()) return false;
    const Token& k = sig[0];
    return k.Is("CREATE") || k.Is("ALTER") || k.Is("DROP") || k.Is("RENAME");
}

// ---- cursor ----------------------------------------------------------------------------------

class EmbeddedCursor final : public EngineCursor {
  public:
    using Pool = std::unordered_map<std::string, std::vector<std::unique_ptr<Statement>>>;

    EmbeddedCursor(std::unique_ptr<Statement> stmt, std::string table, std::string key,
                   std::weak_ptr<void> owner, Pool* pool)
        : stmt_(std::move(stmt)),
          table_(std::move(table)),
          key_(std::move(key)),
          owner_(std::move(owner)),
          pool_(pool) {
        const int n = sqlite3_column_count(stmt_->get());
        first_ = table_.empty() ? 0 : 1;
        for (int i = first_; i < n; ++i) {
            const char* decl = sqlite3_column_decltype(stmt_->get(), i);
            columns_.push_back(
                ColumnInfo{sqlite3_column_name(stmt_->get(), i), AdoTypeOfDeclared(decl ? decl : "")});
        }
    }
    ~EmbeddedCursor() override {
        // Hand the statement back for the next query of the same shape, while the session lives.
        if (auto alive = owner_.lock()) {
            stmt_->Reset();
            auto& slot = (*pool_)[key_];
            if (slot.size() < 4) slot.push_back(std::move(stmt_));
        }
    }
    const std::vector<ColumnInfo>& Columns() const override { return columns_; }
    const std::string& UpdatableTable() const override { return table_; }
    bool Fetch(Row& row) override {
        if (!stmt_->Step()) return false;
        row.id = first_ ? sqlite3_column_int64(stmt_->get(), 0) : 0;
        row.values.clear();
        row.values.reserve(columns_.size());
        for (std::size_t i = 0; i < columns_.size(); ++i)
            row.values.push_back(stmt_->Column(static_cast<int>(i) + first_, columns_[i].adoType));
        return true;
    }

  private:
    std::unique_ptr<Statement> stmt_;
    std::string table_;
    std::string key_;
    std::weak_ptr<void> owner_;
    Pool* pool_;
    int first_ = 0;
    std::vector<ColumnInfo> columns_;
};

// Replaces the literals of the WHERE clause by parameters: "K = 5" and "K = 7" then share one
// prepared statement.
std::vector<Value> ParameterizeLiterals(Tokens& tokens) {
    std::vector<Value> params;
    int depth = 0;
    bool inWhere = false;
    for (auto& t : tokens) {
        if (t.IsPunct('('))
            ++depth;
        else if (t.IsPunct(')'))
            --depth;
        else if (depth == 0 && t.Is("WHERE"))
            inWhere = true;
        else if (depth == 0 && (t.Is("ORDER") || t.Is("GROUP") || t.Is("HAVING") || t.Is("UNION")))
            inWhere = false;
        else if (inWhere && t.kind == Kind::Number) {
            if (t.text.find_first_of(".eE") == std::string::npos && t.text.size() < 18)
                params.emplace_back(static_cast<long long>(std::stoll(t.text)));
            else
                params.emplace_back(std::stod(t.text));
            t.text = "?";
        } else if (inWhere && t.kind == Kind::String) {
            std::string v;
            for (std::size_t i = 1; i + 1 < t.text.size(); ++i) {
                v += t.text[i];
                if (t.text[i] == '\'' && t.text[i + 1] == '\'') ++i;
            }
            params.emplace_back(std::move(v));
            t.text = "?";
        }
    }
    return params;
}

}  // namespace

// ---- life cycle ------------------------------------------------------------------------------

EmbeddedSession::EmbeddedSession(const std::string& path, Dialect dialect) : dialect_(dialect) {
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec))
        throw DbError("Could not find file '" + path + "'.");
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
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
        Exec(db_, "PRAGMA journal_mode=WAL");
        Exec(db_, "PRAGMA synchronous=NORMAL");
        Exec(db_, "PRAGMA foreign_keys=OFF");
        if (dialect_ == Dialect::Oracle) Exec(db_, "PRAGMA case_sensitive_like=ON");
        sqlite3_create_function(db_, "tm_datetime", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                SqlDateLiteral<kCastError>, nullptr, nullptr);
        sqlite3_create_function(db_, "tm_to_date", -1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                SqlDateLiteral<kToDateError>, nullptr, nullptr);
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
    if (std::filesystem::exists(path, ec)) throw DbError("Database '" + path + "' already exists.");
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        std::string msg = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        throw DbError("Could not create database '" + path + "': " + msg + ".");
    }
    // An empty file is not yet a database; writing the schema header makes it one.
    char* err = nullptr;
    const int rc =
        sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA user_version=1;", nullptr, nullptr, &err);
    std::string msg = err ? err : "";
    sqlite3_free(err);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw DbError("Could not create database '" + path + "': " + msg + ".");
}

void EmbeddedSession::SetCommandTimeout(int seconds) {
    // SQLite waits for a lock in milliseconds; "no limit" becomes the longest wait it takes.
    const long long ms = seconds <= 0 ? INT32_MAX : static_cast<long long>(seconds) * 1000;
    sqlite3_busy_timeout(db_, static_cast<int>(std::min<long long>(ms, INT32_MAX)));
}

// ---- plain statements ------------------------------------------------------------------------

std::string EmbeddedSession::Prepared(const std::string& sql) const {
    return Join(RewriteExpressions(Tokenize(sql), dialect_));
}

Statement& EmbeddedSession::Cached(const std::string& sql) {
    auto it = cache_.find(sql);
    if (it == cache_.end()) {
        if (cache_.size() > 256) cache_.clear();
        it = cache_.emplace(sql, std::make_unique<Statement>(db_, sql)).first;
    }
    it->second->Reset();
    return *it->second;
}

void EmbeddedSession::Execute(const std::string& sql) {
    const Tokens sig = Significant(Tokenize(sql));
    if (sig.empty()) return;
    if (IsDdl(sig)) {
        // Oracle commits the open transaction before and after every DDL statement; DML after it
        // belongs to a new transaction that a later rollback still undoes.
        const bool implicitCommit = dialect_ == Dialect::Oracle && inTrans_;
        if (implicitCommit) Exec(db_, "COMMIT");
        struct Reopen {
            EmbeddedSession* s;
            bool on;
            ~Reopen() {
                if (on) sqlite3_exec(s->db_, "BEGIN", nullptr, nullptr, nullptr);
            }
        } reopen{this, implicitCommit};
        // Tables may come and go: forget the names and statements that knew them.
        tableNames_.clear();
        pool_->free.clear();
        Exec(db_, "SAVEPOINT tm_ddl");
        try {
            if (!RunDdl(sig)) Exec(db_, Prepared(sql));
            Exec(db_, "RELEASE tm_ddl");
        } catch (...) {
            sqlite3_exec(db_, "ROLLBACK TO tm_ddl; RELEASE tm_ddl;", nullptr, nullptr, nullptr);
            tableNames_.clear();
            throw;
        }
        return;
    }
    Statement stmt(db_, Prepared(sql));
    stmt.Run();
    if (inTrans_ && sqlite3_get_autocommit(db_)) inTrans_ = false;
}

std::unique_ptr<EngineCursor> EmbeddedSession::Query(const std::string& sql) {
    Tokens tokens = RewriteExpressions(Tokenize(sql), dialect_);
    // A single-table select without functions is updatable: fetch each row's rowid with it and,
    // unless the query orders the rows itself, return them in key order.
    std::string table;
    std::size_t selectAt = tokens.size();
    bool ordered = false, simple = true;
    int depth = 0;
    std::size_t fromAt = tokens.size();
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& k = tokens[i];
        if (k.kind == Kind::Space) continue;
        if (k.IsPunct('(')) {
            ++depth;
            if (fromAt == tokens.size()) simple = false;  // a function or sub-select in the list
        } else if (k.IsPunct(')')) {
            --depth;
        } else if (depth == 0) {
            if (selectAt == tokens.size()) {
                if (!k.Is("SELECT")) simple = false;
                selectAt = i;
            } else if (k.Is("DISTINCT") || k.Is("GROUP") || k.Is("UNION") || k.Is("JOIN") || k.Is("HAVING")) {
                simple = false;
            } else if (k.Is("FROM") && fromAt == tokens.size()) {
                fromAt = i;
                std::size_t t = NextSignificant(tokens, i + 1);
                if (t < tokens.size() && tokens[t].kind == Kind::Word) table = tokens[t].Name();
                std::size_t after = NextSignificant(tokens, t + 1);
                if (after < tokens.size() && !(tokens[after].Is("WHERE") || tokens[after].Is("ORDER")))
                    simple = false;
            } else if (k.Is("ORDER")) {
                ordered = true;
            }
        }
    }
    if (!simple || fromAt == tokens.size() || table.empty() || table.rfind("_tm_", 0) == 0) table.clear();
    // Only stored tables are updatable: not the engine's own schema tables, not a view.
    if (!table.empty()) table = StoredTableName(table);
    const std::vector<Value> params = ParameterizeLiterals(tokens);
    std::string text;
    if (!table.empty()) {
        text = Join(tokens, 0, selectAt + 1) + " " + Quote(table) + ".rowid, " + Join(tokens, selectAt + 1);
        if (!ordered) text += " ORDER BY " + Quote(table) + ".rowid";
    } else {
        text = Join(tokens);
    }
    std::unique_ptr<Statement> stmt;
    auto& slot = pool_->free[text];
    if (!slot.empty()) {
        stmt = std::move(slot.back());
        slot.pop_back();
    } else {
        if (pool_->free.size() > 512) pool_->free.clear();
        stmt = std::make_unique<Statement>(db_, text);
    }
    for (std::size_t i = 0; i < params.size(); ++i) stmt->Bind(static_cast<int>(i) + 1, params[i]);
    return std::make_unique<EmbeddedCursor>(std::move(stmt), table, text, std::weak_ptr<void>(pool_),
                                            &pool_->free);
}

std::int64_t EmbeddedSession::CountRows(const std::string& sql) {
    Statement stmt(db_, "SELECT count(*) FROM (" + Prepared(sql) + ")");
    stmt.Step();
    return sqlite3_column_int64(stmt.get(), 0);
}

// ---- row-level writes ------------------------------------------------------------------------

namespace {
Value ForDialect(const Value& v, Dialect d) {
    if (d == Dialect::Oracle && v.kind() == Value::Kind::Text && v.AsText().empty()) return Value();
    return v;
}
}  // namespace

RowId EmbeddedSession::InsertRow(const std::string& table, const std::vector<std::string>& columns,
                                 const std::vector<Value>& values) {
    std::string sql = "INSERT INTO " + Quote(table);
    if (columns.empty()) {
        sql += " DEFAULT VALUES";
    } else {
        std::string names, marks;
        for (const auto& c : columns) {
            names += (names.empty() ? "" : ", ") + Quote(c);
            marks += marks.empty() ? "?" : ", ?";
        }
        sql += " (" + names + ") VALUES (" + marks + ")";
    }
    Statement& stmt = Cached(sql);
    for (std::size_t i = 0; i < values.size(); ++i)
        stmt.Bind(static_cast<int>(i) + 1, ForDialect(values[i], dialect_));
    stmt.Run();
    return sqlite3_last_insert_rowid(db_);
}

void EmbeddedSession::UpdateRow(const std::string& table, RowId id, const std::vector<std::string>& columns,
                                const std::vector<Value>& values) {
    std::string sets;
    for (const auto& c : columns) sets += (sets.empty() ? "" : ", ") + Quote(c) + " = ?";
    Statement& stmt = Cached("UPDATE " + Quote(table) + " SET " + sets + " WHERE rowid = ?");
    std::size_t i = 0;
    for (; i < values.size(); ++i) stmt.Bind(static_cast<int>(i) + 1, ForDialect(values[i], dialect_));
    stmt.Bind(static_cast<int>(i) + 1, Value(static_cast<long long>(id)));
    stmt.Run();
    if (sqlite3_changes(db_) == 0)
        throw DbError(
            "Row cannot be located for updating. Some values may have been changed since it was last read.");
}

void EmbeddedSession::DeleteRow(const std::string& table, RowId id) {
    Statement& stmt = Cached("DELETE FROM " + Quote(table) + " WHERE rowid = ?");
    stmt.Bind(1, Value(static_cast<long long>(id)));
    stmt.Run();
}

bool EmbeddedSession::ReadRow(const std::string& table, RowId id, const std::vector<std::string>& columns,
                              std::vector<Value>& values) {
    std::string names;
    for (const auto& c : columns) names += (names.empty() ? "" : ", ") + Quote(c);
    Statement& stmt = Cached("SELECT " + names + " FROM " + Quote(table) + " WHERE rowid = ?");
    stmt.Bind(1, Value(static_cast<long long>(id)));
    if (!stmt.Step()) return false;
    values.clear();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const char* decl = sqlite3_column_decltype(stmt.get(), static_cast<int>(i));
        values.push_back(stmt.Column(static_cast<int>(i), AdoTypeOfDeclared(decl ? decl : "")));
    }
    stmt.Reset();
    return true;
}

// ---- transactions ----------------------------------------------------------------------------

void EmbeddedSession::BeginTrans() {
    if (inTrans_) throw DbError("Transactions cannot be nested on this connection.");
    Exec(db_, "BEGIN");
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
    tableNames_.clear();
    if (!sqlite3_get_autocommit(db_)) Exec(db_, "ROLLBACK");
}

// ---- catalog of what SQLite cannot hold itself -------------------------------------------------

void EmbeddedSession::EnsureCatalog() {
    if (catalogReady_) return;
    Exec(db_,
         "CREATE TABLE IF NOT EXISTS _tm_constraint (name TEXT PRIMARY KEY COLLATE NOCASE, tbl TEXT NOT NULL "
         "COLLATE NOCASE, kind TEXT NOT NULL, cols TEXT, ref_tbl TEXT COLLATE NOCASE);"
         "CREATE TABLE IF NOT EXISTS _tm_sequence (name TEXT PRIMARY KEY COLLATE NOCASE, value INTEGER NOT "
         "NULL, "
         "step INTEGER NOT NULL, assigning INTEGER NOT NULL DEFAULT 0);"
         "CREATE TABLE IF NOT EXISTS _tm_trigger (name TEXT PRIMARY KEY COLLATE NOCASE, tbl TEXT NOT NULL "
         "COLLATE "
         "NOCASE, seq TEXT NOT NULL, keycol TEXT NOT NULL);");
    catalogReady_ = true;
}

bool EmbeddedSession::TableExists(const std::string& table) {
    return !StoredTableName(table).empty();
}

std::string EmbeddedSession::StoredTableName(const std::string& table) {
    const std::string upper = util::ToUpper(table);
    if (auto it = tableNames_.find(upper); it != tableNames_.end()) return it->second;
    Statement& stmt =
        Cached("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE");
    stmt.Bind(1, Value(table));
    std::string name;
    if (stmt.Step()) name = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
    stmt.Reset();
    if (!name.empty()) tableNames_.emplace(upper, name);
    return name;
}

void EmbeddedSession::RequireTable(const std::string& table) {
    if (!TableExists(table)) throw DbError("no such table: " + table);
}

bool EmbeddedSession::ConstraintExists(const std::string& name) {
    if (!catalogReady_) return false;
    Statement& stmt = Cached("SELECT 1 FROM _tm_constraint WHERE name = ?");
    stmt.Bind(1, Value(name));
    const bool found = stmt.Step();
    stmt.Reset();
    return found;
}

// ---- DDL -------------------------------------------------------------------------------------

bool EmbeddedSession::RunDdl(const Tokens& sig) {
    if (sig[0].Is("CREATE")) {
        std::size_t i = 1;
        bool orReplace = false;
        if (At(sig, 1, "OR") && At(sig, 2, "REPLACE")) {
            orReplace = true;
            i = 3;
        }
        if (At(sig, i, "TABLE"))
            CreateTable(sig);
        else if (At(sig, i, "INDEX") || (At(sig, i, "UNIQUE") && At(sig, i + 1, "INDEX")))
            CreateIndex(sig);
        else if (At(sig, i, "SEQUENCE"))
            CreateSequence(sig, i + 1);
        else if (At(sig, i, "TRIGGER"))
            CreateKeyTrigger(sig, orReplace);
        else
            Unsupported(sig);
        return true;
    }
    if (sig[0].Is("DROP")) {
        const std::string name = Need(sig, 2).Name();
        if (At(sig, 1, "TABLE")) {
            DropTable(name);
        } else if (At(sig, 1, "INDEX")) {
            // Jet writes "DROP INDEX i ON t", SQL Server "DROP INDEX t.i", Oracle "DROP INDEX i".
            std::string index = name;
            if (sig.size() > 4 && sig[3].IsPunct('.')) index = sig[4].Name();
            Exec(db_, "DROP INDEX " + Quote(index));
        } else if (At(sig, 1, "SEQUENCE")) {
            EnsureCatalog();
            Statement& del = Cached("DELETE FROM _tm_sequence WHERE name = ?");
            del.Bind(1, Value(name));
            del.Run();
            if (sqlite3_changes(db_) == 0) throw DbError("ORA-02289: sequence " + name + " does not exist");
        } else if (At(sig, 1, "TRIGGER")) {
            DropKeyTrigger(name, true);
        } else {
            Unsupported(sig);
        }
        return true;
    }
    if (sig[0].Is("ALTER") && At(sig, 1, "TABLE")) {
        AlterTable(sig);
        return true;
    }
    if (sig[0].Is("RENAME") && At(sig, 2, "TO")) {
        RenameTable(Need(sig, 1).Name(), Need(sig, 3).Name());
        return true;
    }
    return false;
}

std::string EmbeddedSession::RenderColumn(const Tokens& def) const {
    if (def.empty()) throw DbError("Syntax error in field definition.");
    const std::string name = def[0].Name();
    // The type runs up to the first constraint word.
    std::size_t i = 1;
    Tokens type;
    while (i < def.size() &&
           !(def[i].Is("NOT") || def[i].Is("NULL") || def[i].Is("PRIMARY") || def[i].Is("UNIQUE") ||
             def[i].Is("DEFAULT") || def[i].Is("CONSTRAINT") || def[i].Is("REFERENCES")))
        type.push_back(def[i++]);
    const MappedType m = MapColumnType(type, dialect_);
    bool notNull = false, primary = false, unique = false;
    std::string defaultText;
    for (; i < def.size(); ++i) {
        if (def[i].Is("NOT") && At(def, i + 1, "NULL")) {
            notNull = true;
            ++i;
        } else if (def[i].Is("PRIMARY")) {
            primary = true;
            if (At(def, i + 1, "KEY")) ++i;
        } else if (def[i].Is("UNIQUE")) {
            unique = true;
        } else if (def[i].Is("DEFAULT") && i + 1 < def.size()) {
            defaultText = def[++i].text;
            if (def[i].IsPunct('-') && i + 1 < def.size()) defaultText += def[++i].text;
        }
    }
    const bool integral =
        m.declared == "INTEGER" || (m.declared.rfind("NUMERIC(", 0) == 0 && m.declared.ends_with(",0)"));
    std::string out = Quote(name) + " ";
    if (m.autoKey || (primary && integral)) {
        // An auto-numbered key is SQLite's rowid; AUTOINCREMENT keeps numbers from being reused.
        out += "INTEGER NOT NULL PRIMARY KEY";
        if (m.autoKey) out += " AUTOINCREMENT";
        return out;
    }
    out += m.declared;
    if (m.text && dialect_ != Dialect::Oracle) out += " COLLATE NOCASE";
    if (notNull) out += " NOT NULL";
    if (primary) out += " PRIMARY KEY";
    if (unique) out += " UNIQUE";
    if (!defaultText.empty()) out += " DEFAULT " + defaultText;
    return out;
}

void EmbeddedSession::CreateTable(const Tokens& sig) {
    const std::string name = Need(sig, 2).Name();
    if (TableExists(name)) throw DbError("table " + name + " already exists");
    std::string cols;
    for (const Tokens& def : ParenList(sig, 3)) cols += (cols.empty() ? "" : ", ") + RenderColumn(def);
    Exec(db_, "CREATE TABLE " + Quote(name) + " (" + cols + ")");
}

void EmbeddedSession::CreateIndex(const Tokens& sig) {
    const bool unique = sig[1].Is("UNIQUE");
    const std::size_t at = unique ? 3 : 2;
    const std::string name = Need(sig, at).Name();
    if (!At(sig, at + 1, "ON")) Unsupported(sig);
    const std::string table = Need(sig, at + 2).Name();
    RequireTable(table);
    std::string cols;
    for (const Tokens& c : ParenList(sig, at + 3)) {
        std::string col = Quote(Need(c, 0).Name());
        if (At(c, 1, "DESC")) col += " DESC";
        cols += (cols.empty() ? "" : ", ") + col;
    }
    Exec(db_, std::string("CREATE ") + (unique ? "UNIQUE " : "") + "INDEX " + Quote(name) + " ON " +
                  Quote(table) + " (" + cols + ")");
}

void EmbeddedSession::AlterTable(const Tokens& sig) {
    const std::string table = StoredTableName(Need(sig, 2).Name());
    if (table.empty()) throw DbError("no such table: " + sig[2].Name());
    std::size_t i = 3;
    const Token& verb = Need(sig, i);
    // Oracle wraps the clause in parentheses: ADD ( CONSTRAINT ... ), ADD (c type), MODIFY (c type).
    auto clauses = [&](std::size_t at) {
        if (Need(sig, at).IsPunct('(')) return ParenList(sig, at);
        return std::vector<Tokens>{Tokens(sig.begin() + static_cast<long>(at), sig.end())};
    };
    if (verb.Is("ADD")) {
        for (const Tokens& clause : clauses(i + 1)) {
            if (At(clause, 0, "CONSTRAINT") || At(clause, 0, "PRIMARY") || At(clause, 0, "FOREIGN")) {
                AddConstraint(table, clause, 0);
            } else {
                Tokens def = clause;
                if (At(def, 0, "COLUMN")) def.erase(def.begin());
                // SQLite adds a NOT NULL column only with a default; existing rows keep Null there.
                Tokens relaxed;
                for (std::size_t k = 0; k < def.size(); ++k) {
                    if (def[k].Is("NOT") && At(def, k + 1, "NULL")) {
                        ++k;
                        continue;
                    }
                    relaxed.push_back(def[k]);
                }
                Exec(db_, "ALTER TABLE " + Quote(table) + " ADD COLUMN " + RenderColumn(relaxed));
            }
        }
    } else if (verb.Is("DROP") && At(sig, i + 1, "CONSTRAINT")) {
        const std::string name = Need(sig, i + 2).Name();
        EnsureCatalog();
        Statement& find = Cached("SELECT kind FROM _tm_constraint WHERE name = ? AND tbl = ?");
        find.Bind(1, Value(name));
        find.Bind(2, Value(table));
        if (!find.Step()) {
            find.Reset();
            throw DbError("no such constraint " + name + " on table " + table);
        }
        const std::string kind = reinterpret_cast<const char*>(sqlite3_column_text(find.get(), 0));
        find.Reset();
        if (kind == "U") Exec(db_, "DROP INDEX IF EXISTS " + Quote("_tm_key_" + name));
        if (kind == "F") DropForeignKeyTriggers(name);
        Statement& del = Cached("DELETE FROM _tm_constraint WHERE name = ?");
        del.Bind(1, Value(name));
        del.Run();
    } else if (verb.Is("DROP")) {
        std::size_t at = At(sig, i + 1, "COLUMN") ? i + 2 : i + 1;
        Exec(db_, "ALTER TABLE " + Quote(table) + " DROP COLUMN " + Quote(Need(sig, at).Name()));
    } else if (verb.Is("ALTER") || verb.Is("MODIFY")) {
        std::size_t at = verb.Is("ALTER") && At(sig, i + 1, "COLUMN") ? i + 2 : i + 1;
        for (const Tokens& def : clauses(at)) {
            const std::string column = util::ToUpper(Need(def, 0).Name());
            const std::string rendered = RenderColumn(def);
            bool found = false;
            RebuildTable(table, [&](std::vector<ColumnDef>& cols) {
                for (auto& c : cols)
                    if (util::ToUpper(c.name) == column) {
                        // A key column keeps its key; only its declared type can change.
                        if (c.definition.find("PRIMARY KEY") == std::string::npos)
                            c.definition = rendered.substr(Quote(def[0].Name()).size() + 1);
                        found = true;
                    }
            });
            if (!found) throw DbError("no such column: " + def[0].Name());
        }
    } else {
        Unsupported(sig);
    }
}

void EmbeddedSession::AddConstraint(const std::string& table, const Tokens& c, std::size_t at) {
    EnsureCatalog();
    std::string name;
    if (At(c, at, "CONSTRAINT")) {
        name = Need(c, at + 1).Name();
        at += 2;
    }
    if (name.empty()) name = "_tm_" + table + "_" + std::to_string(sqlite3_total_changes(db_));
    if (ConstraintExists(name)) throw DbError("constraint " + name + " already exists");
    std::size_t close = 0;
    auto checkColumns = [&](const std::string& tbl, const Tokens& cols) {
        auto defs = TableColumns(tbl);
        for (const auto& t : cols) {
            if (t.IsPunct(',')) continue;
            bool ok = false;
            for (const auto& d : defs) ok = ok || util::ToUpper(d.name) == util::ToUpper(t.Name());
            if (!ok) throw DbError("no such column: " + t.Name() + " in table " + tbl);
        }
    };
    auto record = [&](const char* kind, const std::string& cols, const std::string& ref) {
        Statement& ins =
            Cached("INSERT INTO _tm_constraint (name, tbl, kind, cols, ref_tbl) VALUES (?, ?, ?, ?, ?)");
        ins.Bind(1, Value(name));
        ins.Bind(2, Value(table));
        ins.Bind(3, Value(kind));
        ins.Bind(4, Value(cols));
        ins.Bind(5, ref.empty() ? Value() : Value(ref));
        ins.Run();
    };
    if (At(c, at, "FOREIGN") && At(c, at + 1, "KEY")) {
        auto list = ParenList(c, at + 2, &close);
        Tokens cols;
        for (auto& l : list) cols.insert(cols.end(), l.begin(), l.end());
        if (!At(c, close + 1, "REFERENCES")) Unsupported(c);
        const std::string ref = StoredTableName(Need(c, close + 2).Name());
        if (ref.empty()) throw DbError("no such table: " + c[close + 2].Name());
        checkColumns(table, cols);
        // "REFERENCES b" alone means b's primary key; a column list names the key explicitly.
        std::string refColumn;
        if (close + 3 < c.size() && c[close + 3].IsPunct('('))
            refColumn = Need(c, close + 4).Name();
        else
            refColumn = KeyColumnOf(ref);
        record("F", Names(cols), ref);
        if (cols.size() == 1 && !refColumn.empty())
            EnforceForeignKey(name, table, cols[0].Name(), ref, refColumn);
    } else if ((At(c, at, "PRIMARY") && At(c, at + 1, "KEY")) || At(c, at, "UNIQUE")) {
        const std::size_t open = At(c, at, "UNIQUE") ? at + 1 : at + 2;
        auto list = ParenList(c, open);
        Tokens cols;
        for (auto& l : list) cols.insert(cols.end(), l.begin(), l.end());
        checkColumns(table, cols);
        const bool primary = At(c, at, "PRIMARY");
        if (primary && list.size() == 1) {
            // A one-column integer key becomes the table's rowid, so that a key trigger can fill it.
            const std::string column = util::ToUpper(list[0][0].Name());
            bool isRowid = false;
            RebuildTable(table, [&](std::vector<ColumnDef>& defs) {
                bool hasKey = false;
                for (auto& d : defs) hasKey = hasKey || d.definition.find("PRIMARY KEY") != std::string::npos;
                for (auto& d : defs) {
                    if (util::ToUpper(d.name) != column || hasKey) continue;
                    const std::string& t = d.definition;
                    if (t.rfind("INTEGER", 0) == 0 ||
                        (t.rfind("NUMERIC(", 0) == 0 && t.find(",0)") != std::string::npos)) {
                        d.definition = "INTEGER NOT NULL PRIMARY KEY";
                        isRowid = true;
                    }
                }
                if (!isRowid) throw DbError("");  // nothing to change: fall back to an index below
            });
            if (isRowid) {
                record("P", column, "");
                return;
            }
        }
        std::string colList;
        for (const auto& t : cols)
            if (!t.IsPunct(',')) colList += (colList.empty() ? "" : ", ") + Quote(t.Name());
        Exec(db_, "CREATE UNIQUE INDEX " + Quote("_tm_key_" + name) + " ON " + Quote(table) + " (" + colList +
                      ")");
        record("U", Names(cols), "");
    } else {
        Unsupported(c);
    }
}

std::vector<EmbeddedSession::ColumnDef> EmbeddedSession::TableColumns(const std::string& table) {
    Statement& stmt =
        Cached("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE");
    stmt.Bind(1, Value(table));
    if (!stmt.Step()) {
        stmt.Reset();
        throw DbError("no such table: " + table);
    }
    const std::string sql = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
    stmt.Reset();
    const Tokens tokens = Tokenize(sql);
    std::size_t open = 0;
    while (open < tokens.size() && !tokens[open].IsPunct('(')) ++open;
    const std::size_t close = MatchingParen(tokens, open);
    std::vector<ColumnDef> cols;
    std::size_t start = open + 1;
    int depth = 0;
    for (std::size_t i = open + 1; i <= close && i < tokens.size(); ++i) {
        if (tokens[i].IsPunct('(')) ++depth;
        if (tokens[i].IsPunct(')') && i != close) --depth;
        if ((depth == 0 && tokens[i].IsPunct(',')) || i == close) {
            std::size_t n = NextSignificant(tokens, start);
            std::string rest = Join(tokens, n + 1, i);
            rest.erase(0, rest.find_first_not_of(' '));
            while (!rest.empty() && rest.back() == ' ') rest.pop_back();
            cols.push_back(ColumnDef{tokens[n].Name(), rest});
            start = i + 1;
        }
    }
    return cols;
}

void EmbeddedSession::RebuildTable(const std::string& table,
                                   const std::function<void(std::vector<ColumnDef>&)>& edit) {
    std::vector<ColumnDef> cols = TableColumns(table);
    try {
        edit(cols);
    } catch (const DbError& e) {
        if (std::string(e.what()).empty()) return;  // the edit found nothing to change
        throw;
    }
    // SQLite's documented procedure: new table, copy, drop, rename, then indexes and triggers again.
    std::vector<std::string> dependents;
    {
        Statement s(db_,
                    "SELECT sql FROM sqlite_master WHERE type IN ('index', 'trigger') AND tbl_name = ? "
                    "COLLATE NOCASE AND sql IS NOT NULL");
        s.Bind(1, Value(table));
        while (s.Step())
            dependents.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0)));
    }
    std::optional<std::int64_t> seq;
    if (TableExists("sqlite_sequence")) {
        Statement s(db_, "SELECT seq FROM sqlite_sequence WHERE name = ?");
        s.Bind(1, Value(table));
        if (s.Step()) seq = sqlite3_column_int64(s.get(), 0);
    }
    std::string defs, names;
    for (const auto& c : cols) {
        defs += (defs.empty() ? "" : ", ") + Quote(c.name) + " " + c.definition;
        names += (names.empty() ? "" : ", ") + Quote(c.name);
    }
    cache_.clear();
    const std::string scratch = Quote("_tm_rebuild");
    Exec(db_, "CREATE TABLE " + scratch + " (" + defs + ")");
    Exec(db_, "INSERT INTO " + scratch + " (" + names + ") SELECT " + names + " FROM " + Quote(table));
    Exec(db_, "DROP TABLE " + Quote(table));
    // Other tables' triggers name this table; the legacy rename leaves them alone while it is away.
    Exec(db_, "PRAGMA legacy_alter_table=ON");
    Exec(db_, "ALTER TABLE " + scratch + " RENAME TO " + Quote(table));
    Exec(db_, "PRAGMA legacy_alter_table=OFF");
    for (const auto& sql : dependents) Exec(db_, sql);
    if (seq) {
        Statement s(db_, "UPDATE sqlite_sequence SET seq = max(seq, ?) WHERE name = ?");
        s.Bind(1, Value(static_cast<long long>(*seq)));
        s.Bind(2, Value(table));
        s.Run();
    }
}

std::string EmbeddedSession::KeyColumnOf(const std::string& table) {
    for (const auto& c : TableColumns(table))
        if (c.definition.find("PRIMARY KEY") != std::string::npos) return c.name;
    if (!catalogReady_) return {};
    Statement& pk = Cached(
        "SELECT cols FROM _tm_constraint WHERE tbl = ? AND kind IN ('P', 'U') AND cols NOT LIKE '%,%'");
    pk.Bind(1, Value(table));
    std::string column;
    if (pk.Step()) column = reinterpret_cast<const char*>(sqlite3_column_text(pk.get(), 0));
    pk.Reset();
    return column;
}

namespace {
std::string SqlText(const std::string& text) {
    std::string out = "'";
    for (char ch : text) out += ch == '\'' ? std::string("''") : std::string(1, ch);
    return out + "'";
}
}  // namespace

void EmbeddedSession::EnforceForeignKey(const std::string& name, const std::string& child,
                                        const std::string& column, const std::string& parent,
                                        const std::string& key) {
    // The databases refuse a key whose rows already break it, then guard every later change.
    const std::string orphan = " NOT EXISTS (SELECT 1 FROM " + Quote(parent) + " WHERE " + Quote(key) + " = ";
    {
        Statement check(db_, "SELECT 1 FROM " + Quote(child) + " AS c WHERE c." + Quote(column) +
                                 " IS NOT NULL AND" + orphan + "c." + Quote(column) + ") LIMIT 1");
        if (check.Step()) throw DbError(ForeignKeyMessage(name, child, column, parent, key, "ALTER TABLE"));
    }
    auto guard = [&](const char* suffix, const std::string& when, const std::string& verb) {
        const std::string message = ForeignKeyMessage(name, child, column, parent, key, verb);
        Exec(db_, "CREATE TRIGGER " + Quote("_tm_fk_" + name + suffix) + when +
                      " BEGIN SELECT RAISE(ABORT, " + SqlText(message) + "); END");
    };
    const std::string childCheck =
        " WHEN NEW." + Quote(column) + " IS NOT NULL AND" + orphan + "NEW." + Quote(column) + ")";
    guard("_i", " BEFORE INSERT ON " + Quote(child) + childCheck, "INSERT");
    guard("_u", " BEFORE UPDATE OF " + Quote(column) + " ON " + Quote(child) + childCheck, "UPDATE");
    guard("_d",
          " BEFORE DELETE ON " + Quote(parent) + " WHEN EXISTS (SELECT 1 FROM " + Quote(child) + " WHERE " +
              Quote(column) + " = OLD." + Quote(key) + ")",
          "DELETE");
}

std::string EmbeddedSession::ForeignKeyMessage(const std::string& name, const std::string& child,
                                               const std::string& column, const std::string& parent,
                                               const std::string& key, const std::string& verb) const {
    const bool parentSide = verb == "DELETE";
    switch (dialect_) {
        case Dialect::Access:
            return parentSide
                       ? "The record cannot be deleted or changed because table '" + child +
                             "' includes related records."
                       : "You cannot add or change a record because a related record is required in table '" +
                             parent + "'.";
        case Dialect::SqlServer:
            return parentSide
                       ? "The DELETE statement conflicted with the REFERENCE constraint \"" + name +
                             "\". The conflict occurred in table \"" + child + "\", column '" + column + "'."
                       : "The " + verb + " statement conflicted with the FOREIGN KEY constraint \"" + name +
                             "\". The conflict occurred in table \"" + parent + "\", column '" + key + "'.";
        case Dialect::Oracle:
            break;
    }
    return parentSide ? "ORA-02292: integrity constraint (" + name + ") violated - child record found"
                      : "ORA-02291: integrity constraint (" + name + ") violated - parent key not found";
}

void EmbeddedSession::DropForeignKeyTriggers(const std::string& name) {
    for (const char* suffix : {"_i", "_u", "_d"})
        Exec(db_, "DROP TRIGGER IF EXISTS " + Quote("_tm_fk_" + name + suffix));
}

void EmbeddedSession::DropTable(const std::string& name) {
    const std::string table = StoredTableName(name);
    if (table.empty() || table.rfind("_tm_", 0) == 0) throw DbError("no such table: " + name);
    if (catalogReady_) {
        Statement& refs =
            Cached("SELECT name, tbl FROM _tm_constraint WHERE kind = 'F' AND ref_tbl = ? AND tbl <> ?");
        refs.Bind(1, Value(table));
        refs.Bind(2, Value(table));
        if (refs.Step()) {
            std::string msg = "table " + table + " is referenced by foreign key " +
                              reinterpret_cast<const char*>(sqlite3_column_text(refs.get(), 0)) +
                              " of table " +
                              reinterpret_cast<const char*>(sqlite3_column_text(refs.get(), 1));
            refs.Reset();
            throw DbError(msg);
        }
        refs.Reset();
    }
    cache_.clear();
    if (catalogReady_) {
        std::vector<std::string> owned;
        Statement own(db_, "SELECT name FROM _tm_constraint WHERE kind = 'F' AND tbl = ?");
        own.Bind(1, Value(table));
        while (own.Step())
            owned.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(own.get(), 0)));
        for (const auto& fk : owned) DropForeignKeyTriggers(fk);
    }
    Exec(db_, "DROP TABLE " + Quote(table));
    if (catalogReady_) {
        for (const char* sql :
             {"DELETE FROM _tm_constraint WHERE tbl = ?", "DELETE FROM _tm_trigger WHERE tbl = ?"}) {
            Statement& del = Cached(sql);
            del.Bind(1, Value(table));
            del.Run();
        }
    }
}

void EmbeddedSession::CreateSequence(const Tokens& sig, std::size_t at) {
    EnsureCatalog();
    const std::string name = Need(sig, at).Name();
    long long start = 1, step = 1;
    for (std::size_t i = at + 1; i < sig.size(); ++i) {
        auto number = [&](std::size_t k) {
            if (k < sig.size() && sig[k].IsPunct('-') && k + 1 < sig.size())
                return -std::stoll(sig[k + 1].text);
            return std::stoll(Need(sig, k).text);
        };
        if (sig[i].Is("START") && At(sig, i + 1, "WITH")) start = number(i + 2);
        if (sig[i].Is("INCREMENT") && At(sig, i + 1, "BY")) step = number(i + 2);
    }
    Statement& exists = Cached("SELECT 1 FROM _tm_sequence WHERE name = ?");
    exists.Bind(1, Value(name));
    const bool taken = exists.Step();
    exists.Reset();
    if (taken || TableExists(name))
        throw DbError("ORA-00955: name " + name + " is already used by an existing object");
    Statement& ins = Cached("INSERT INTO _tm_sequence (name, value, step) VALUES (?, ?, ?)");
    ins.Bind(1, Value(name));
    ins.Bind(2, Value(start - step));
    ins.Bind(3, Value(step));
    ins.Run();
}

void EmbeddedSession::CreateKeyTrigger(const Tokens& sig, bool orReplace) {
    // The one trigger shape the schema uses: fill the key from a sequence on insert, keep it on update.
    //   CREATE [OR REPLACE] TRIGGER tr BEFORE INSERT OR UPDATE ON t FOR EACH ROW BEGIN
    //   IF INSERTING THEN SELECT seq.NEXTVAL INTO :NEW.key FROM DUAL; ELSE :NEW.key := :OLD.key; END IF; END;
    EnsureCatalog();
    const std::size_t at = orReplace ? 4 : 2;
    const std::string name = Need(sig, at).Name();
    std::string table, seq, key;
    for (std::size_t i = at; i + 2 < sig.size(); ++i) {
        if (sig[i].Is("ON") && table.empty()) table = sig[i + 1].Name();
        if (sig[i + 1].IsPunct('.') && sig[i + 2].Is("NEXTVAL")) seq = sig[i].Name();
        if (sig[i].Is("INTO") && sig[i + 1].Is(":NEW") && i + 3 < sig.size()) key = sig[i + 3].Name();
    }
    if (table.empty() || seq.empty() || key.empty()) Unsupported(sig);
    const std::string stored = StoredTableName(table);
    if (stored.empty()) throw DbError("ORA-00942: table or view does not exist");
    Statement& find = Cached("SELECT 1 FROM _tm_trigger WHERE name = ?");
    find.Bind(1, Value(name));
    const bool exists = find.Step();
    find.Reset();
    if (exists) {
        if (!orReplace) throw DbError("ORA-04081: trigger '" + name + "' already exists");
        DropKeyTrigger(name, false);
    }
    const std::string t = Quote(stored), k = Quote(key), s = "'" + seq + "'";
    Exec(db_, "CREATE TRIGGER " + Quote(name) + " AFTER INSERT ON " + t +
                  " BEGIN UPDATE _tm_sequence SET value = value + step, assigning = 1 WHERE name = " + s +
                  "; UPDATE " + t + " SET " + k + " = (SELECT value FROM _tm_sequence WHERE name = " + s +
                  ") WHERE rowid = NEW.rowid; UPDATE _tm_sequence SET assigning = 0 WHERE name = " + s +
                  "; END");
    Exec(db_, "CREATE TRIGGER " + Quote(name + "_tm_keep") + " AFTER UPDATE OF " + k + " ON " + t +
                  " WHEN NEW." + k + " IS NOT OLD." + k +
                  " AND (SELECT assigning FROM _tm_sequence WHERE name = " + s + ") = 0 BEGIN UPDATE " + t +
                  " SET " + k + " = OLD." + k + " WHERE rowid = NEW.rowid; END");
    Statement& ins = Cached("INSERT INTO _tm_trigger (name, tbl, seq, keycol) VALUES (?, ?, ?, ?)");
    ins.Bind(1, Value(name));
    ins.Bind(2, Value(stored));
    ins.Bind(3, Value(seq));
    ins.Bind(4, Value(key));
    ins.Run();
}

void EmbeddedSession::DropKeyTrigger(const std::string& name, bool mustExist) {
    EnsureCatalog();
    Statement& del = Cached("DELETE FROM _tm_trigger WHERE name = ?");
    del.Bind(1, Value(name));
    del.Run();
    if (sqlite3_changes(db_) == 0 && mustExist)
        throw DbError("ORA-04080: trigger '" + name + "' does not exist");
    Exec(db_, "DROP TRIGGER IF EXISTS " + Quote(name));
    Exec(db_, "DROP TRIGGER IF EXISTS " + Quote(name + "_tm_keep"));
}

void EmbeddedSession::RenameTable(const std::string& from, const std::string& to) {
    const std::string table = StoredTableName(from);
    if (table.empty()) throw DbError("ORA-04043: object " + from + " does not exist");
    if (TableExists(to)) throw DbError("ORA-00955: name " + to + " is already used by an existing object");
    cache_.clear();
    Exec(db_, "ALTER TABLE " + Quote(table) + " RENAME TO " + Quote(to));
    if (catalogReady_) {
        for (const char* sql : {"UPDATE _tm_constraint SET tbl = ?1 WHERE tbl = ?2",
                                "UPDATE _tm_constraint SET ref_tbl = ?1 WHERE ref_tbl = ?2",
                                "UPDATE _tm_trigger SET tbl = ?1 WHERE tbl = ?2"}) {
            Statement& upd = Cached(sql);
            upd.Bind(1, Value(to));
            upd.Bind(2, Value(table));
            upd.Run();
        }
    }
}

}  // namespace tmigration::db::embedded
