// CDatabaseMigrationObj: the component's one creatable class. Each entry point converts the
// database named by strConnection from the legacy to the new table set, synchronously on the
// calling thread; false with a readable message in strError when a step fails.
#pragma once

#include <string>

namespace tmigration {

class CDatabaseMigrationObj {
  public:
    // Creates the thread's shared connection (closed), replacing whatever the thread held.
    CDatabaseMigrationObj();
    // Closes the shared connection if it is still open and empties the thread's slot.
    ~CDatabaseMigrationObj();
    CDatabaseMigrationObj(const CDatabaseMigrationObj&) = delete;
    CDatabaseMigrationObj& operator=(const CDatabaseMigrationObj&) = delete;

    // strError is not cleared on entry and is left as passed on success. MigrateAccess throws
    // std::invalid_argument, after everything else is done, when the file path cannot be cut out
    // of strConnection ("Data Source=" up to the next ";").
    bool MigrateAccess(std::string strConnection, std::string& strError);
    bool MigrateOracle(std::string strConnection, std::string& strError);
    bool MigrateSQL(std::string strConnection, std::string& strError);
};

}  // namespace tmigration
