// Engine: what a database product must offer under Connection and Recordset. The component
// above never sees it; each engine (embedded SQLite today, ODBC later) implements it once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "db/Dialect.h"
#include "db/Value.h"

namespace tmigration::db {

struct ColumnInfo {
    std::string name;
    int adoType = 0;  // ADO type code: 3 integer, 5 double, 7 date, 11 boolean, 131 numeric, 200-203 text
};

// Identifies one stored row of an updatable row set (SQLite: the rowid).
using RowId = std::int64_t;

struct Row {
    RowId id = 0;
    std::vector<Value> values;
};

// A query's rows, fetched on demand. Rows come in the order the query gives, key order otherwise.
class EngineCursor {
  public:
    virtual ~EngineCursor() = default;
    virtual const std::vector<ColumnInfo>& Columns() const = 0;
    // The table rows can be written back to, empty for read-only results (joins, aggregates).
    virtual const std::string& UpdatableTable() const = 0;
    // Next row, or false at the end.
    virtual bool Fetch(Row& row) = 0;
};

class EngineSession {
  public:
    virtual ~EngineSession() = default;
    virtual Dialect GetDialect() const = 0;
    // How long a statement may wait for a database held by someone else, in seconds; 0 is no limit.
    virtual void SetCommandTimeout(int seconds) = 0;
    // Runs one statement of the connection's dialect; rows it returns are discarded.
    virtual void Execute(const std::string& sql) = 0;
    virtual std::unique_ptr<EngineCursor> Query(const std::string& sql) = 0;
    // Exact number of rows the query returns.
    virtual std::int64_t CountRows(const std::string& sql) = 0;

    // Row-level writes behind Recordset.Update/Delete. Columns are named as in ColumnInfo.
    // Insert returns the new row's id; key values assigned by the database are then read back.
    virtual RowId InsertRow(const std::string& table, const std::vector<std::string>& columns,
                            const std::vector<Value>& values) = 0;
    virtual void UpdateRow(const std::string& table, RowId id, const std::vector<std::string>& columns,
                           const std::vector<Value>& values) = 0;
    virtual void DeleteRow(const std::string& table, RowId id) = 0;
    // The current stored values of one row, in the order of `columns`; false when it is gone.
    virtual bool ReadRow(const std::string& table, RowId id, const std::vector<std::string>& columns,
                         std::vector<Value>& values) = 0;

    virtual void BeginTrans() = 0;
    virtual void CommitTrans() = 0;
    virtual void RollbackTrans() = 0;
    virtual bool InTransaction() const = 0;
};

// Opens an engine session for a connection string, or throws DbError with a readable description.
std::unique_ptr<EngineSession> OpenEngineSession(const std::string& connectionString, Dialect dialect);

}  // namespace tmigration::db
