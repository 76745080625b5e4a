// Common tables as they stood at an older major version, for tests that start an upgrade there, and
// a description of a database's schema for comparing an upgraded database with a created one.
//
// An old database is the created one (tables and reference rows of the last version) with the
// changes of every major step from N on taken back, newest first: the tables and columns those
// steps add are dropped, their indexes and foreign keys removed, and what they drop is put back in
// the form the steps declare. The Common version row then reads "N.m".
//
// Limits:
// - Only majors the upgrade holds steps for can be produced (the oldest is OldestCommonMajor);
//   below it there is no record of what the tables looked like.
// - Rows are not taken back: the reference rows are those of the last version (the upgrade's minor
//   pass rewrites them anyway), the rows of tables the later steps create are gone with their
//   tables, and data in the old forms that the conversions change must be written by the test.
// - Column order: a column put back by a later step is last in its table; the schema description
//   lists columns by name, so the order does not count.
// - The forms of dropped indexes and keys are the steps' declarations, not a record of a real plant.
#pragma once

#include <sqlite3.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "CreatedDatabases.h"
#include "SharedDatabase.h"
#include "legacy/CommonMajorSteps.h"
#include "legacy/catalog/LegacyDdl.h"

namespace tmigration::testing {

// Fills `database` with the Common tables at major `major`, version row "major.minor", and opens
// it as the shared connection in `dialect`.
inline void MakeOldCommonDatabase(SharedDatabase& database, db::Dialect dialect, int major,
                                  const std::string& minor) {
    if (major < legacy::CommonMajorSteps().front().from || major > 61)
        throw std::invalid_argument("no record of the Common tables at major " + std::to_string(major));
    CopyCreatedDatabase(database, dialect, Created::Common);
    database.OpenShared(dialect);
    const auto& steps = legacy::CommonMajorSteps();
    std::vector<std::string> statements;
    for (auto step = steps.rbegin(); step != steps.rend() && step->from >= major; ++step)
        for (auto change = step->changes.rbegin(); change != step->changes.rend(); ++change)
            for (std::string& sql : legacy::TakeBackStatements(*change, *step, dialect))
                statements.push_back(std::move(sql));
    statements.push_back("UPDATE T_TRNK_COMMON SET RESERVED0 = '" + std::to_string(major) + "." + minor +
                         "' WHERE APP_ID = 0");
    database.Run(statements);
}

// One line per table column (name, declared type, nullability), index, constraint, sequence and
// trigger of the file, sorted; rows and sequence values do not count.
inline std::vector<std::string> DescribeSchema(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open " + path);
    std::vector<std::string> lines;
    auto collect = [&](const std::string& sql) {
        char* error = nullptr;
        const int rc = sqlite3_exec(
            db, sql.c_str(),
            [](void* out, int n, char** values, char**) {
                std::string line;
                for (int i = 0; i < n; ++i)
                    line += std::string(i ? " | " : "") + (values[i] ? values[i] : "NULL");
                static_cast<std::vector<std::string>*>(out)->push_back(line);
                return 0;
            },
            &lines, &error);
        if (rc != SQLITE_OK) {
            const std::string message = error ? error : "?";
            sqlite3_free(error);
            sqlite3_close(db);
            throw std::runtime_error(message);
        }
    };
    collect(
        "select 'column ' || m.name || '.' || c.name, c.type, c.\"notnull\", c.pk from sqlite_master m, "
        "pragma_table_info(m.name) c where m.type = 'table' and m.name not like '\\_tm\\_%' escape '\\' and "
        "m.name "
        "not like 'sqlite%'");
    collect(
        "select 'index ' || name, tbl_name, sql from sqlite_master where type = 'index' and sql is not null "
        // The engine's own lookup indexes come and go with the searches run, not with the schema.
        "and name not like '\\_tm\\_%' escape '\\'");
    collect("select 'trigger ' || name, tbl_name from sqlite_master where type = 'trigger'");
    for (const char* table : {"_tm_constraint", "_tm_trigger"})
        if (sqlite3_table_column_metadata(db, nullptr, table, "name", nullptr, nullptr, nullptr, nullptr,
                                          nullptr) == SQLITE_OK)
            collect(std::string("select '") + table + " ' || name, * from " + table);
    if (sqlite3_table_column_metadata(db, nullptr, "_tm_sequence", "name", nullptr, nullptr, nullptr, nullptr,
                                      nullptr) == SQLITE_OK)
        collect("select 'sequence ' || name from _tm_sequence");
    sqlite3_close(db);
    std::sort(lines.begin(), lines.end());
    return lines;
}

}  // namespace tmigration::testing
