// StatementListStep: what the new-schema build and the legacy removal share while they run a
// statement list on the shared connection: the information line, the step bar, the transaction
// they note as open, and their two failure exits (a statement that failed, any other error).
#pragma once

#include <exception>
#include <string>

namespace tmigration::schema {

class StatementListStep {
  public:
    // Names the step on the information line and sets the step bar to 0.
    void Start(const std::string& infoText);

    void BeginTrans();
    void CommitTrans();
    // The step bar after `done` of `total` statements.
    void ShowProgress(int done, int total);

    // Statement `number` (or its item update) failed with `message`: hides the window, writes
    // "An error occurred on SQL String <number>:\r\n<message>" and rolls back. Returns false.
    bool FailOnStatement(int number, const std::string& message, std::string& strError);
    // Any other error: its description, the window hidden, an open transaction rolled back
    // (a rollback that fails as well is not reported). Returns false.
    bool Fail(const std::exception& error, std::string& strError);

  private:
    bool inTransaction_ = false;
};

}  // namespace tmigration::schema
