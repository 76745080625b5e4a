// Version-5 machine event streams for sample plants, tests and benchmarks: a deterministic working
// pattern per machine and day, written to T_TRNK_EVENTS unconverted (OPTIMIZED Null). Each work
// period has an operator logon, a job and a part (and, when asked for, an operation), a setup,
// then cycles with good counts, a scrap count now and then, machine and operator downtimes, until
// the period ends. Database errors propagate.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "db/Value.h"

namespace tmigration::mdc {

struct WorkPeriod {
    int startMinute;  // minutes after midnight
    int lengthMinutes;
};

struct EventStreamPlan {
    std::vector<std::int32_t> machineIds;
    // Department, location and group of each machine, in machineIds order; empty: the ones below
    // for every machine.
    std::vector<std::array<db::Value, 3>> places;
    db::DateTime firstDay;  // the first day, at midnight
    int days = 1;
    // Day and evening periods on every machine; a night period across midnight on every other
    // one. Periods must not overlap on a machine.
    std::vector<WorkPeriod> periods = {{6 * 60 + 50, 8 * 60}, {15 * 60 + 5, 7 * 60 + 50}};
    WorkPeriod nightPeriod = {23 * 60, 7 * 60 + 40};
    std::vector<std::string> users = {"operator"};
    std::vector<std::string> jobs = {"JOB-1"};
    std::vector<std::string> parts = {"PART-1"};
    std::vector<std::string> operations;  // empty: no operation events (the version-6 form knows none)
    std::vector<std::string> machineDowntimeCodes = {"MAINT"};
    std::vector<std::string> userDowntimeCodes = {"BREAK"};
    std::vector<std::string> scrapCodes = {"100"};
    std::int32_t deptId = 1, locationId = 1, groupId = 1;
    int shortestCycle = 6, longestCycle = 14;  // minutes
    // After every so many cycles of a period: a scrap count, a machine downtime, an operator downtime.
    int scrapEvery = 10, machineDowntimeEvery = 25, userDowntimeEvery = 40;
    std::uint32_t seed = 1;
};

// Writes the plan's events and returns how many were written.
std::int64_t WriteEventStream(const EventStreamPlan& plan);

}  // namespace tmigration::mdc
