// TransferEngine: runs declared transfers inside their step. A row-by-row pass opens its legacy
// query on a client row set, returns at once when it has no rows, appends to (or merges into) the
// destination through a server row set opened on the whole table, and writes each new key back; a
// batched pass does the same 100 legacy ids at a time. The step bar follows the rows read.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "transfer/TransferDecl.h"

namespace tmigration::core {
class Step;
}

namespace tmigration::transfer {

// What a transfer did: legacy rows read and new rows written (appended, merged or extra); the legacy
// rows passed over, by the reason; the legacy keys that found no new key and so left their column
// Null, by the destination column and the legacy table looked in ("LOCATION_ID <- T_TRNK_LOCATION"); the time
// it took.
struct TransferCounts {
    std::int64_t read = 0;
    std::int64_t written = 0;
    std::map<std::string, std::int64_t> skipped;
    std::map<std::string, std::int64_t> nullKeys;
    double seconds = 0;

    std::int64_t Skipped() const {
        std::int64_t n = 0;
        for (const auto& [reason, rows] : skipped) n += rows;
        return n;
    }

    TransferCounts& operator+=(const TransferCounts& other) {
        read += other.read;
        written += other.written;
        for (const auto& [reason, rows] : other.skipped) skipped[reason] += rows;
        for (const auto& [column, rows] : other.nullKeys) nullKeys[column] += rows;
        seconds += other.seconds;
        return *this;
    }
};

// Why a row writer passes over a legacy row when it gives no reason of its own.
inline constexpr std::string_view kNoRowWritten = "the transfer writes no row for it";

// Runs every pass in order. The step has already shown the transfer's label; a later pass with a
// label of its own shows it and starts the step bar again at 0.
TransferCounts RunTransfer(core::Step& step, const Transfer& transfer);
TransferCounts RunPass(core::Step& step, const Pass& pass);

// Applies one column rule to the destination row being written. `ordinal` is the renumbering state
// of an Ordinal column (previous parent, counter), kept by the caller across rows.
struct OrdinalState {
    db::Value previousParent = db::Value(-1);
    std::int32_t counter = 0;
};
void ApplyColumn(const Column& column, TransferRow& row, OrdinalState& ordinal);

// The value a code table gives for a legacy value; nullopt leaves the column unset. A Null legacy
// value without a `whenNull` fails with the conversion's own error.
std::optional<db::Value> TranslateCode(const CodeTable& table, const db::Value& legacy);

}  // namespace tmigration::transfer
