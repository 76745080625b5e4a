// OdbcSession: the engine session over an ODBC connection to a database server (SQL Server,
// Oracle, Access through its driver). The component's SQL goes to the driver unchanged; the
// engine writes only the row-level statements behind Recordset (INSERT of an appended row, UPDATE
// and DELETE of a row by its key, the read-back of a row) and the read-back of an assigned key.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "db/Engine.h"
#include "db/engines/odbc/KeyReadBack.h"
#include "db/engines/odbc/OdbcStatement.h"

namespace tmigration::db::odbc {

class OdbcCursor;

// Limits of a driver that the session works around. Each is asked of the driver unless given.
struct DriverLimits {
    std::optional<bool> oneStatementAtATime;  // SQL_MAX_CONCURRENT_ACTIVITIES is 1
    std::optional<bool> commitClosesCursors;  // SQL_CURSOR_COMMIT/ROLLBACK_BEHAVIOR not "preserve"
};

class OdbcSession final : public EngineSession {
  public:
    // Connects with `odbcConnectionString`; errors are reported with the passwords of
    // `callerConnectionString` (the string the caller gave) masked.
    OdbcSession(const std::string& odbcConnectionString, const std::string& callerConnectionString,
                Dialect dialect, const DriverLimits& limits = {});
    ~OdbcSession() override;

    Dialect GetDialect() const override { return dialect_; }
    void SetCommandTimeout(int seconds) override { timeout_ = seconds; }
    void Execute(const std::string& sql) override;
    std::unique_ptr<EngineCursor> Query(const std::string& sql) override;
    std::int64_t CountRows(const std::string& sql) override;
    RowId InsertRow(const std::string& table, const std::vector<std::string>& columns,
                    const std::vector<Value>& values) override;
    void UpdateRow(const std::string& table, RowId id, const std::vector<std::string>& columns,
                   const std::vector<Value>& values) override;
    void DeleteRow(const std::string& table, RowId id) override;
    bool ReadRow(const std::string& table, RowId id, const std::vector<std::string>& columns,
                 std::vector<Value>& values) override;
    void BeginTrans() override;
    void CommitTrans() override;
    void RollbackTrans() override;
    bool InTransaction() const override { return inTrans_; }

    // What the driver reports the server to be (SQL_DBMS_NAME).
    const std::string& ServerName() const { return dbms_; }

  private:
    friend class OdbcCursor;

    // The single integer column that identifies a table's rows, empty when it has none.
    const std::string& KeyColumnOf(const std::string& table);
    std::string FindKeyColumn(const std::string& table);
    std::string SequenceOf(const std::string& table);
    std::string Quoted(const std::string& column) const;
    // A prepared statement kept for the row-level statements the engine repeats per row.
    OdbcStatement& Prepared(const std::string& sql);
    std::unique_ptr<OdbcStatement> NewStatement();
    // Drivers that run one statement at a time on a connection (SQL Server without MARS) need
    // the rows still pending in open cursors read first; so do commits that close cursors.
    void BeforeStatement();
    void BufferOpenCursors();
    void EndTransaction(SQLSMALLINT completion);

    // The environment and connection handles, released last.
    struct DriverHandles {
        SQLHENV env = SQL_NULL_HENV;
        SQLHDBC dbc = SQL_NULL_HDBC;
        bool connected = false;
        DriverHandles() = default;
        DriverHandles(const DriverHandles&) = delete;
        DriverHandles& operator=(const DriverHandles&) = delete;
        ~DriverHandles();
    };

    DriverHandles handles_;
    ErrorSource errors_;
    Dialect dialect_;
    int timeout_ = 30;
    bool inTrans_ = false;
    std::string dbms_;
    KeyReadBack readBack_ = KeyReadBack::AtAtIdentity;
    bool oneStatementAtATime_ = false;
    bool commitClosesCursors_ = false;
    std::string quote_;
    std::unordered_set<OdbcCursor*> cursors_;
    std::unordered_map<std::string, std::string> keys_;       // upper-case table -> key column
    std::unordered_map<std::string, std::string> sequences_;  // upper-case table -> sequence
    std::unordered_map<std::string, std::unique_ptr<OdbcStatement>> prepared_;
};

}  // namespace tmigration::db::odbc
