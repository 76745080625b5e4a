// Command: a text command run on its active connection, as the migration's ADO code uses it.
#pragma once

#include <string>

namespace tmigration::db {

class Connection;

enum CommandTypeEnum { adCmdText = 1 };

class Command {
  public:
    void SetActiveConnection(Connection* connection) { connection_ = connection; }
    Connection* ActiveConnection() const { return connection_; }
    void SetCommandType(int type) { commandType_ = type; }
    int CommandType() const { return commandType_; }
    void SetCommandText(std::string text) { text_ = std::move(text); }
    const std::string& CommandText() const { return text_; }
    // Runs the text on the active connection; DbError when there is none or the database refuses.
    void Execute();

  private:
    Connection* connection_ = nullptr;
    int commandType_ = adCmdText;
    std::string text_;
};

}  // namespace tmigration::db
