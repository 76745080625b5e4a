// The replay of a machine's collected events into shift-history buffers: events are loaded into a
// timeline in time order, a part is started where production begins without one, and each row
// opens, updates or closes the machine's current buffer. Buffers are split at every shift end and
// at every change of operator, job, part (and operation); each closed buffer is recorded as a
// shift history, discarded, or kept for correction. The version-6 form knows the columns the
// buffers had when events were first converted; the current form adds operations and scrap codes.
// Database errors propagate to the caller.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "db/Dialect.h"
#include "db/Value.h"
#include "mdc/EventTimeline.h"

namespace tmigration::mdc {

enum class ReplayForm { Version6, Current };

class EventReplay {
  public:
    EventReplay(ReplayForm form, db::Dialect dialect);
    ~EventReplay();
    EventReplay(const EventReplay&) = delete;
    EventReplay& operator=(const EventReplay&) = delete;

    // Converts every not yet converted event of the machine and leaves it one open buffer.
    void ReplayMachineEvents(std::int32_t machineId);

    // Stores the machine's first buffer, opened at t by an event of the command (-1: none) with
    // its parameter and id, and returns the buffer's id.
    std::int32_t CreateInitialBuffer(std::int32_t machineId, const db::DateTime& t, std::int32_t command,
                                     const std::string& parameter, std::int32_t eventId);

    // The machine's events as timeline rows, marked converted, parts started where missing.
    EventTimeline LoadEvents(std::int32_t machineId);

  private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tmigration::mdc
