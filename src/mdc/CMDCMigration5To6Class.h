// Converts the machine events of MDC version 5 into the shift-history buffers and shift
// histories of version 6: every machine's unconverted events are replayed in time order, in one
// transaction of its own. Converted events are marked, so a second run converts nothing twice.
#pragma once

#include <cstdint>
#include <string>

namespace tmigration::mdc {

class CMDCMigration5To6Class {
  public:
    // databaseType: 0 Oracle, 1 Access, 2 SQL Server. False with the database's description in
    // strError when a statement fails; the transaction is then rolled back.
    bool MigrateEvents(std::string& strError, std::int16_t databaseType);
};

}  // namespace tmigration::mdc
