// TransferSequence: the 107 transfers of a migration in dependency order, as one table: each
// transfer's name, progress label, error prefix, the legacy tables it reads, the new tables it
// writes and the overall percentage shown once it has succeeded. Every transfer runs after the
// transfers of all tables whose keys it translates.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tmigration::transfer {

struct TransferEntry {
    int number;                        // 1 to 107, the position in the sequence
    std::string_view name;             // "MigrateShifts"
    std::string_view label;            // shown while it runs: "Migrating Shifts..."
    std::string_view errorPrefix;      // put before the description on failure: "Migrating Shifts: "
    std::string_view legacySources;    // ", "-separated; empty when it reads only new tables
    std::string_view newDestinations;  // ", "-separated
    std::optional<std::int16_t> overallAfter;

    std::vector<std::string_view> LegacySources() const;
    std::vector<std::string_view> NewDestinations() const;
};

const std::vector<TransferEntry>& TransferSequence();

// The entry of a transfer by name, or nullptr.
const TransferEntry* FindTransfer(std::string_view name);

}  // namespace tmigration::transfer
