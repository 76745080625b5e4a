// A small plant for the machine-data tests: the legacy schema of a dialect (built once per test
// binary, copied per test), its reference rows, and a shift calendar of day, evening, night
// (across midnight) and early shifts over the week of Sunday 2023-01-01.
//
// Intervals: 1 day 07:00-15:00, 2 evening 15:00-23:00, 3 night 22:00-06:00 (swing), 4 early
// 00:00-08:00. Shifts: 1 day Mon-Fri, 2 evening Mon-Fri, 3 night Sun-Thu, 4 early Mon only,
// 5 a second day shift on Wednesdays. Users: alice (own shift 4), bob (none), dave (3), erin (5).
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "SharedDatabase.h"
#include "db/Connection.h"

namespace tmigration::testing {

// The legacy schema of a dialect with its version rows, built once per build of the test program.
inline std::string LegacyTemplate(db::Dialect dialect) {
    return CachedDatabaseFile(
        "plant-" + std::to_string(static_cast<int>(dialect)), [&](const std::string& path) {
            SharedDatabase builder;
            builder.OpenShared(dialect);
            builder.CreateLegacySchema(dialect);
            core::gConnection().Close();
            core::gConnectionSlot().reset();
            std::filesystem::copy_file(builder.Path(), path,
                                       std::filesystem::copy_options::overwrite_existing);
        });
}

// Statements in the Access dialect, run on their own connection.
inline void RunAccess(const std::string& connectionString, const std::vector<std::string>& statements) {
    db::Connection c;
    c.SetDialect(db::Dialect::Access);
    c.Open(connectionString);
    for (const std::string& sql : statements) c.Execute(sql);
    c.Close();
}

inline std::vector<std::string> CalendarRows() {
    return {
        "INSERT INTO T_TRNK_INTERVAL (INTERVAL_ID, INTERVAL_NAME, START_TIME, DURATION, STOP_TIME, IS_SWING) "
        "VALUES (1, 'Day', #1970-01-01 07:00:00#, 8, #1970-01-01 15:00:00#, 'N')",
        "INSERT INTO T_TRNK_INTERVAL (INTERVAL_ID, INTERVAL_NAME, START_TIME, DURATION, STOP_TIME, IS_SWING) "
        "VALUES (2, 'Evening', #1970-01-01 15:00:00#, 8, #1970-01-01 23:00:00#, 'N')",
        "INSERT INTO T_TRNK_INTERVAL (INTERVAL_ID, INTERVAL_NAME, START_TIME, DURATION, STOP_TIME, IS_SWING) "
        "VALUES (3, 'Night', #1970-01-01 22:00:00#, 8, #1970-01-02 06:00:00#, 'Y')",
        "INSERT INTO T_TRNK_INTERVAL (INTERVAL_ID, INTERVAL_NAME, START_TIME, DURATION, STOP_TIME, IS_SWING) "
        "VALUES (4, 'Early', #1970-01-01 00:00:00#, 8, #1970-01-01 08:00:00#, 'N')",
        "INSERT INTO T_TRNK_SHIFT (SHIFT_ID, SHIFT_NAME, MON_INTERVAL_ID, TUE_INTERVAL_ID, WED_INTERVAL_ID, "
        "THU_INTERVAL_ID, FRI_INTERVAL_ID, SAT_INTERVAL_ID, SUN_INTERVAL_ID) VALUES (1, 'Day', 1, 1, 1, 1, "
        "1, "
        "NULL, NULL)",
        "INSERT INTO T_TRNK_SHIFT (SHIFT_ID, SHIFT_NAME, MON_INTERVAL_ID, TUE_INTERVAL_ID, WED_INTERVAL_ID, "
        "THU_INTERVAL_ID, FRI_INTERVAL_ID, SAT_INTERVAL_ID, SUN_INTERVAL_ID) VALUES (2, 'Evening', 2, 2, 2, "
        "2, "
        "2, NULL, NULL)",
        "INSERT INTO T_TRNK_SHIFT (SHIFT_ID, SHIFT_NAME, MON_INTERVAL_ID, TUE_INTERVAL_ID, WED_INTERVAL_ID, "
        "THU_INTERVAL_ID, FRI_INTERVAL_ID, SAT_INTERVAL_ID, SUN_INTERVAL_ID) VALUES (3, 'Night', 3, 3, 3, 3, "
        "NULL, NULL, 3)",
        "INSERT INTO T_TRNK_SHIFT (SHIFT_ID, SHIFT_NAME, MON_INTERVAL_ID, TUE_INTERVAL_ID, WED_INTERVAL_ID, "
        "THU_INTERVAL_ID, FRI_INTERVAL_ID, SAT_INTERVAL_ID, SUN_INTERVAL_ID) VALUES (4, 'Early', 4, NULL, "
        "NULL, "
        "NULL, NULL, NULL, NULL)",
        "INSERT INTO T_TRNK_SHIFT (SHIFT_ID, SHIFT_NAME, MON_INTERVAL_ID, TUE_INTERVAL_ID, WED_INTERVAL_ID, "
        "THU_INTERVAL_ID, FRI_INTERVAL_ID, SAT_INTERVAL_ID, SUN_INTERVAL_ID) VALUES (5, 'Day Two', NULL, "
        "NULL, "
        "1, NULL, NULL, NULL, NULL)",
        "INSERT INTO T_TRNK_PERS (PERSONNEL_ID, LAST_NAME, PERSONNEL_NUMBER, SHIFT_ID, SID) VALUES (1, 'A', "
        "'alice', 4, 101)",
        "INSERT INTO T_TRNK_PERS (PERSONNEL_ID, LAST_NAME, PERSONNEL_NUMBER, SHIFT_ID, SID) VALUES (2, 'B', "
        "'bob', NULL, 102)",
        "INSERT INTO T_TRNK_PERS (PERSONNEL_ID, LAST_NAME, PERSONNEL_NUMBER, SHIFT_ID, SID) VALUES (3, 'D', "
        "'dave', 3, 103)",
        "INSERT INTO T_TRNK_PERS (PERSONNEL_ID, LAST_NAME, PERSONNEL_NUMBER, SHIFT_ID, SID) VALUES (4, 'E', "
        "'erin', 5, 104)",
    };
}

// What the replay needs besides the calendar: commands, subtypes (79 and 94 are downtime), one department,
// location and group, two machines, a job, a part, an operation, downtime codes MAT (machine),
// BRK (operator) and LUN (both), scrap code 17.
inline std::vector<std::string> ReferenceRows() {
    std::vector<std::string> rows;
    // Keys run from 1 without gaps, so that Oracle's key triggers give the same numbers.
    for (int command = 1; command <= 13; ++command)
        rows.push_back("INSERT INTO T_TRNK_COMMANDS (COMMAND_ID, COMMAND_NAME) VALUES (" +
                       std::to_string(command) + ", 'Command " + std::to_string(command) + "')");
    for (int subtype = 1; subtype <= 94; ++subtype)
        rows.push_back("INSERT INTO T_TRNK_SUBTYPE (SUBTYPE_ID, SUBTYPE_NAME) VALUES (" +
                       std::to_string(subtype) + ", 'Subtype " + std::to_string(subtype) + "')");
    const std::vector<std::string> more = {
        "INSERT INTO T_TRNK_DEPT (DEPT_ID, DEPT_NAME) VALUES (1, 'Machining')",
        "INSERT INTO T_TRNK_LOCATION (LOCATION_ID, LOCATION_NAME, DEPT_ID) VALUES (1, 'Hall', 1)",
        "INSERT INTO T_TRNK_GROUPS (GROUP_ID, GROUP_NAME, LOCATION_ID, DEPT_ID) VALUES (1, 'Lathes', 1, 1)",
        "INSERT INTO T_TRNK_MACHINES (MACHINE_ID, MACHINE_NUMBER, DEPT_ID, LOCATION_ID, GROUP_ID) VALUES (1, "
        "'M1', 1, 1, 1)",
        "INSERT INTO T_TRNK_MACHINES (MACHINE_ID, MACHINE_NUMBER, DEPT_ID, LOCATION_ID, GROUP_ID) VALUES (2, "
        "'M2', 1, 1, 1)",
        "INSERT INTO T_TRNK_JOB (JOB_ID, JOB_NUMBER) VALUES (1, 'J100')",
        "INSERT INTO T_TRNK_PARTTYPE (PARTTYPE_ID, PARTTYPE_NAME) VALUES (1, 'Shafts')",
        "INSERT INTO T_TRNK_PART (PART_ID, PART_NUMBER, PARTTYPE_ID) VALUES (1, 'P-1', 1)",
        "INSERT INTO T_TRNK_OPS (OPS_ID, OPS_NUMBER, CREATE_DATE, CREATOR_ID) VALUES (1, 'OP10', "
        "#2022-12-01 00:00:00#, 1)",
        "INSERT INTO T_TRNK_DOWNTIME (DOWNTIME_ID, DOWNTIME_NAME, DOWNTIME_NUMBER, PTYPE_ID) VALUES (1, "
        "'Material', 'MAT', 5)",
        "INSERT INTO T_TRNK_DOWNTIME (DOWNTIME_ID, DOWNTIME_NAME, DOWNTIME_NUMBER, PTYPE_ID) VALUES (2, "
        "'Break', 'BRK', 6)",
        "INSERT INTO T_TRNK_DOWNTIME (DOWNTIME_ID, DOWNTIME_NAME, DOWNTIME_NUMBER, PTYPE_ID) VALUES (3, "
        "'Lunch', 'LUN', 33)",
        "INSERT INTO T_TRNK_SCRAP_CODE (SCRAP_CODE_ID, SCRAP_CODE_NUMBER) VALUES (1, '17')",
    };
    rows.insert(rows.end(), more.begin(), more.end());
    return rows;
}

// A fresh copy of the dialect's legacy schema holding the calendar and the reference rows, open
// as the shared connection in that dialect.
inline db::Connection& OpenPlant(SharedDatabase& database, db::Dialect dialect) {
    std::filesystem::copy_file(LegacyTemplate(dialect), database.Path(),
                               std::filesystem::copy_options::overwrite_existing);
    std::vector<std::string> rows = CalendarRows();
    const std::vector<std::string> reference = ReferenceRows();
    rows.insert(rows.end(), reference.begin(), reference.end());
    RunAccess(database.ConnectionString(), rows);
    return database.OpenShared(dialect);
}

}  // namespace tmigration::testing
