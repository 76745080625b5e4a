// The sample plant: a legacy plant at the last legacy version, with synthetic but realistic rows in every
// legacy table the organisation, crib, traveler, history and security transfers read. Deterministic for a
// seed; its rows grow linearly with the scale (scale 1 about five and a half thousand rows besides the
// reserved reference blocks).
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "db/Connection.h"
#include "sample/SampleGenerator.h"

namespace tmigration::sample {

// The plant's tables, parents before children.
std::span<const TableSpec> SamplePlantTables();
// Of those, the tool and gage cribs and the travelers.
std::vector<TableSpec> SampleAssetTables();
// History, attachments, number formats, options and permissions, written after the tables they
// point at.
std::vector<TableSpec> SampleHistoryTables();

struct SampleResult {
    std::int64_t rows = 0;   // legacy rows written
    std::size_t tables = 0;  // tables that received rows
    // Shift histories, buffers and their downtime and scrap rows, from a week of machine events
    // replayed as the last MDC version keeps them (the events are among the rows above).
    std::int64_t machineData = 0;
    std::int64_t machineEvents = 0;  // of the rows above, the events of that week
};

// Called after each table with its name and the rows written into it.
using SampleProgress = std::function<void(const std::string& table, std::int64_t rows)>;

// On an open connection to an empty database: creates the five modules' legacy tables in the
// connection's dialect and writes the plant. Throws std::invalid_argument for a database that already
// has tables or a scale below 1, db::DbError when the database refuses a statement.
SampleResult WriteSamplePlant(db::Connection& connection, std::int64_t scale, std::uint64_t seed,
                              const SampleProgress& progress = {});

}  // namespace tmigration::sample
