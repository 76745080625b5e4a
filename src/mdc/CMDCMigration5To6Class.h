// Converts the machine events of MDC version 5 into the shift-history buffers and shift
// histories of version 6: every machine's unconverted events are replayed in time order, in one
// transaction of its own, or in the caller's when one is open (the MDC upgrade's major step).
// Converted events are marked, so a second run converts nothing twice.
#pragma once

#include <cstdint>
#include <string>

namespace tmigration::mdc {

class CMDCMigration5To6Class {
  public:
    // databaseType: 0 Oracle, 1 Access, 2 SQL Server. False with the database's description in
    // strError when a statement fails; its own transaction is then rolled back (a caller's is the
    // caller's to roll back).
    bool MigrateEvents(std::string& strError, std::int16_t databaseType);
};

}  // namespace tmigration::mdc
