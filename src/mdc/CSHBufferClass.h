// Builds the shift-history buffers of the current MDC version from the machine events in the
// database: every machine's unconverted events are replayed into buffers with operation segments
// and scrap codes, closed buffers become shift histories, and each machine is left one open
// buffer. Runs inside the caller's transaction and opens none of its own.
#pragma once

#include <cstdint>
#include <string>

#include "db/Value.h"

namespace tmigration::mdc {

class CSHBufferClass {
  public:
    // databaseType: 0 Oracle, 1 Access, 2 SQL Server. False with the database's description in
    // strError when a statement fails; the caller rolls its transaction back.
    bool MigrateEvents(std::string& strError, std::int16_t databaseType);

    // Opens and stores a machine's first buffer at t from an event of the command (-1: none),
    // makes it the machine's current buffer and returns its id. Database errors propagate.
    std::int32_t CreateInitialBuffer(std::int32_t machineId, const db::DateTime& t, std::int32_t command,
                                     const std::string& parameter, std::int32_t eventId,
                                     std::int16_t databaseType);
};

}  // namespace tmigration::mdc
