// MigrateData: runs the transfers of the sequence table in order, each inside its step (label and
// step bar, prefix + description on failure, window hidden, row sets closed), and sets the overall
// percentage the table gives after each. The first failing transfer ends it: nothing after it runs
// and what was written stays. A row of the table without its transfer fails before it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "db/Dialect.h"
#include "transfer/BuiltTransfers.h"
#include "transfer/TransferSequence.h"

namespace tmigration::transfer {

// `more` adds transfers built in the layers above (the shift summaries) to this layer's own; the two
// together answer every row of the sequence.
bool MigrateData(std::string& strError, db::Dialect databaseType,
                 const std::vector<BuiltTransfer>& more = {});

// One transfer inside its step boundary; counts receives what it read and wrote.
bool RunTransfer(const TransferEntry& entry, const TransferBody& body, db::Dialect databaseType,
                 std::string& strError, TransferCounts* counts = nullptr);
// A transfer of this layer by its name; std::invalid_argument for a name it does not build.
bool RunTransfer(std::string_view name, db::Dialect databaseType, std::string& strError);

// The names of the sequence that no transfer answers yet, in sequence order.
std::vector<std::string_view> UnbuiltTransfers(const std::vector<BuiltTransfer>& more = {});

// One row of the sequence table and whether a transfer is behind it.
struct SequenceRow {
    const TransferEntry* entry;
    bool built;
};
// Every row of the sequence table, in order.
std::vector<SequenceRow> SequenceCoverage(const std::vector<BuiltTransfer>& more = {});

// Told after each transfer that succeeded, with what it read and wrote (the command line's counts).
using TransferObserver = std::function<void(const TransferEntry& entry, const TransferCounts& counts)>;
// Replaces the thread's observer; an empty one stops the reports.
void SetTransferObserver(TransferObserver observer);

}  // namespace tmigration::transfer
