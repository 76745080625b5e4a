#include "db/Connection.h"

#include "db/ConnectionPairs.h"
#include "db/DbError.h"
#include "db/Engine.h"

namespace tmigration::db {

Connection::Connection() = default;
Connection::~Connection() = default;

void Connection::Open(const std::string& connectionString, const std::string&, const std::string&) {
    if (session_) throw DbError("Operation is not allowed when the object is open.");
    if (!connectionString.empty()) connectionString_ = connectionString;
    try {
        session_ = OpenEngineSession(connectionString_, dialect_);
    } catch (const DbError& e) {
        // Whatever engine refused the string, its password stays out of the message.
        throw DbError(HideSecrets(e.what(), connectionString_));
    }
    session_->SetCommandTimeout(commandTimeout_);
}

void Connection::SetCommandTimeout(int seconds) {
    commandTimeout_ = seconds;
    if (session_) session_->SetCommandTimeout(seconds);
}

void Connection::Close() {
    if (!session_) throw DbError("Operation is not allowed when the object is closed.");
    session_.reset();
}

int Connection::State() const {
    return session_ ? adStateOpen : adStateClosed;
}

EngineSession& Connection::Session() {
    if (!session_) throw DbError("Operation is not allowed when the object is closed.");
    return *session_;
}

void Connection::Execute(const std::string& sql) {
    EngineSession& s = Session();
    NotifyStatement(sql);
    s.Execute(sql);
}

void Connection::BeginTrans() {
    Session().BeginTrans();
}
void Connection::CommitTrans() {
    Session().CommitTrans();
}
void Connection::RollbackTrans() {
    Session().RollbackTrans();
}

}  // namespace tmigration::db
