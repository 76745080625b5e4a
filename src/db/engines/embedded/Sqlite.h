// Thin RAII helpers over SQLite's C API for the embedded engine: prepared statements, binding
// and reading Values, and errors turned into DbError with SQLite's own message.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>

#include "db/Value.h"

namespace tmigration::db::embedded {

class Statement {
  public:
    Statement() = default;
    Statement(sqlite3* db, const std::string& sql);
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(Statement&& o) noexcept : db_(o.db_), stmt_(o.stmt_) { o.stmt_ = nullptr; }
    Statement& operator=(Statement&& o) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() const { return stmt_; }
    void Bind(int index, const Value& v);  // 1-based
    // Steps once; true when a row is ready, false when done. Throws DbError on failure.
    bool Step();
    void Reset();
    // Runs to completion, discarding rows.
    void Run();
    Value Column(int index, int adoType) const;

  private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
};

// A statement shared with a cache: the cache may drop its copy, the holder keeps the statement.
class SharedStatement {
  public:
    explicit SharedStatement(std::shared_ptr<Statement> s) : s_(std::move(s)) {}
    sqlite3_stmt* get() const { return s_->get(); }
    void Bind(int index, const Value& v) { s_->Bind(index, v); }
    bool Step() { return s_->Step(); }
    void Reset() { s_->Reset(); }
    void Run() { s_->Run(); }
    Value Column(int index, int adoType) const { return s_->Column(index, adoType); }

  private:
    std::shared_ptr<Statement> s_;
};

[[noreturn]] void ThrowSqlite(sqlite3* db);
// Runs a statement without rows (or discarding them).
void Exec(sqlite3* db, const std::string& sql);
std::string Quote(const std::string& identifier);  // "name" with embedded quotes doubled

}  // namespace tmigration::db::embedded
