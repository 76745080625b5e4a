#include "db/engines/embedded/Sqlite.h"

#include "db/DbError.h"
#include "db/engines/embedded/ColumnTypes.h"

namespace tmigration::db::embedded {

void ThrowSqlite(sqlite3* db) {
    throw DbError(sqlite3_errmsg(db));
}

Statement::Statement(sqlite3* db, const std::string& sql) : db_(db) {
    // The engine would stop reading at a NUL byte and run only what stands before it.
    if (sql.find('\0') != std::string::npos) throw DbError("Invalid character (NUL) in SQL statement.");
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, &tail) != SQLITE_OK) {
        std::string msg = sqlite3_errmsg(db);
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        throw DbError(msg);
    }
    // One statement per text: what follows its end (another statement, or words the engine would
    // otherwise drop) is refused rather than silently ignored. Blanks, semicolons and comments pass.
    const char* end = sql.c_str() + sql.size();
    while (tail && tail < end) {
        sqlite3_stmt* next = nullptr;
        const char* after = nullptr;
        const int rc = sqlite3_prepare_v2(db, tail, static_cast<int>(end - tail), &next, &after);
        sqlite3_finalize(next);
        if (rc != SQLITE_OK || next != nullptr || after == tail) {
            sqlite3_finalize(stmt_);
            stmt_ = nullptr;
            throw DbError("Characters found after end of SQL statement.");
        }
        tail = after;
    }
}

Statement& Statement::operator=(Statement&& o) noexcept {
    if (this != &o) {
        sqlite3_finalize(stmt_);
        db_ = o.db_;
        stmt_ = o.stmt_;
        o.stmt_ = nullptr;
    }
    return *this;
}

void Statement::Bind(int index, const Value& v) {
    int rc = SQLITE_OK;
    switch (v.kind()) {
        case Value::Kind::Null:
            rc = sqlite3_bind_null(stmt_, index);
            break;
        case Value::Kind::Integer:
            rc = sqlite3_bind_int64(stmt_, index, v.AsInteger());
            break;
        case Value::Kind::Boolean:
            rc = sqlite3_bind_int64(stmt_, index, v.AsBoolean() ? 1 : 0);
            break;
        case Value::Kind::Double:
            rc = sqlite3_bind_double(stmt_, index, v.AsDouble());
            break;
        case Value::Kind::Text:
        case Value::Kind::DateTime: {
            const std::string s = v.AsText();
            rc = sqlite3_bind_text(stmt_, index, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
            break;
        }
    }
    if (rc != SQLITE_OK) ThrowSqlite(db_);
}

bool Statement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    std::string msg = sqlite3_errmsg(db_);
    sqlite3_reset(stmt_);
    throw DbError(msg);
}

void Statement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

void Statement::Run() {
    while (Step()) {
    }
}

Value Statement::Column(int i, int adoType) const {
    switch (sqlite3_column_type(stmt_, i)) {
        case SQLITE_NULL:
            return Value();
        case SQLITE_INTEGER: {
            const auto n = sqlite3_column_int64(stmt_, i);
            if (adoType == 11) return Value::Boolean(n != 0);
            if (adoType == 5) return Value(static_cast<double>(n));
            return Value(static_cast<long long>(n));
        }
        case SQLITE_FLOAT:
            return Value(sqlite3_column_double(stmt_, i));
        default: {
            const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
            std::string s(p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt_, i)));
            if (adoType == 7 || adoType == 0) {
                if (auto dt = DateTime::ParseIso(s)) return Value(*dt);
            }
            return Value(std::move(s));
        }
    }
}

void Exec(sqlite3* db, const std::string& sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::string msg = err ? err : sqlite3_errmsg(db);
        sqlite3_free(err);
        throw DbError(msg);
    }
}

std::string Quote(const std::string& identifier) {
    std::string out = "\"";
    for (char c : identifier) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace tmigration::db::embedded
