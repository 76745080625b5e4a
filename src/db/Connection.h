// Connection: one open database session, modelled on the ADO connection the migration was
// written against. Every statement the component sends passes through here, so a statement
// observer can record them exactly as sent.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "db/Dialect.h"

namespace tmigration::db {

class EngineSession;

enum ObjectStateEnum { adStateClosed = 0, adStateOpen = 1 };

class Connection {
  public:
    using StatementObserver = std::function<void(const std::string& sql)>;

    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void SetConnectionString(std::string text) { connectionString_ = std::move(text); }
    const std::string& ConnectionString() const { return connectionString_; }
    // Seconds a statement may wait for the database (0: no limit).
    void SetCommandTimeout(int seconds);
    int CommandTimeout() const { return commandTimeout_; }
    // The dialect of the SQL the component will send; set before Open.
    void SetDialect(Dialect d) { dialect_ = d; }
    Dialect GetDialect() const { return dialect_; }

    // Opens with the given string, or the one already set when it is empty. User and password
    // are accepted for the shape of the call; the connection string carries everything.
    void Open(const std::string& connectionString = {}, const std::string& user = {},
              const std::string& password = {});
    void Close();
    int State() const;

    // Runs one statement; rows it returns are discarded.
    void Execute(const std::string& sql);
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();

    // Called with every SQL text the component sends (Execute, Recordset Open and Requery).
    void SetStatementObserver(StatementObserver observer) { observer_ = std::move(observer); }
    void NotifyStatement(const std::string& sql) const {
        if (observer_) observer_(sql);
    }

    // The open session, for Recordset and Command. Throws DbError when the connection is closed.
    EngineSession& Session();

  private:
    std::string connectionString_;
    int commandTimeout_ = 30;
    Dialect dialect_ = Dialect::Access;
    std::unique_ptr<EngineSession> session_;
    StatementObserver observer_;
};

}  // namespace tmigration::db
