// CDatabaseMigrationObj: the component's one creatable class. Each entry point converts the
// database named by strConnection from the legacy to the new table set, synchronously on the
// calling thread; false with a readable message in strError when a step fails.
#pragma once

#include <string>

namespace tmigration {

// Where the progress window of the calling thread is drawn.
enum class ProgressWindow {
    Nowhere,  // not drawn (a host that has not chosen)
    Desktop,  // as a window on the desktop (GTK 3), repainted at every progress update
};

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

    // Chooses where the progress window is drawn from the next migration on. Like the shared
    // connection, the window belongs to the calling thread: the choice holds for every object on it.
    // Desktop opens the desktop display at once: false, with the reason in strError and the choice
    // unchanged, when this build has no desktop window or no display can be opened. The window's
    // events, and the host's, are then processed on this thread at every progress update; a GTK host
    // that opened its display before keeps its own.
    bool SetProgressWindow(ProgressWindow where, std::string& strError);
};

}  // namespace tmigration
