// TransferDecl: how one transfer is declared. A transfer is one or more passes; a pass reads a
// legacy query row by row (or 100 legacy ids at a time), writes one destination row per legacy row
// by its column rules (appended, or merged into a seeded row), and writes the new key back into the
// legacy row's SFC_ID. Hand-written logic plugs in through a row writer or an extra-rows hook only
// where a transfer really departs from the column rules.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "db/Recordset.h"
#include "db/Value.h"

namespace tmigration::core {
class Step;
}

namespace tmigration::transfer {

struct TransferCounts;

// A fixed translation of legacy codes into new codes. The legacy value is read as a number or as
// text before it is compared, so a Null legacy value is a conversion error unless `whenNull` says
// what it gives. A value not in the table gets `otherwise`, or leaves the column unset.
struct CodeTable {
    enum class Read { Number, Text };
    Read read = Read::Number;
    std::vector<std::pair<db::Value, db::Value>> codes;  // legacy value -> new value
    std::optional<db::Value> otherwise = std::nullopt;   // nullopt: the column is left unset
    std::optional<db::Value> whenNull = std::nullopt;    // nullopt: Null fails the transfer
};

// The row a pass is working on: the legacy row set at its current row, the destination at the row
// being written and, when the pass has one, the second destination.
struct TransferRow {
    core::Step& step;
    db::Recordset& legacy;
    db::Recordset& destination;
    db::Recordset* second = nullptr;
    // What the counts of the pass note: keys that found no new key, rows passed over.
    TransferCounts* counts = nullptr;
    // Why the row writer passed over the current row, when it did (a fixed text).
    std::string_view skipReason = {};
};

// The value a custom column gets from the current row; nullopt leaves the column unset.
using ColumnFunction = std::function<std::optional<db::Value>(TransferRow& row)>;

// One destination column and where its value comes from.
struct Column {
    enum class Rule {
        Copy,          // the legacy value unchanged, Null included
        Key,           // GetNewID(refTable, refKey, legacy value)
        KeyLong,       // the same, as a 32-bit integer: an untranslated key fails the transfer
        Code,          // a translation through `codes`
        Constant,      // `value`
        ZeroWhenNull,  // the legacy value, 0 for Null
        Text,          // the legacy value converted to text; Null fails the transfer
        Ordinal,       // 1, 2, 3 .. within each run of equal legacy `source` (the parent) values
        Custom,        // `custom`
    };
    Rule rule;
    std::string_view destination;
    std::string_view source = {};
    std::string_view refTable = {};
    std::string_view refKey = {};
    const CodeTable* codes = nullptr;
    db::Value value = {};
    ColumnFunction custom = {};
};

// Short forms, in the words the entity descriptions use.
inline Column Copy(std::string_view destination, std::string_view source) {
    return {Column::Rule::Copy, destination, source};
}
inline Column Same(std::string_view name) {
    return Copy(name, name);
}
inline Column Via(std::string_view destination, std::string_view source, std::string_view refTable,
                  std::string_view refKey) {
    return {Column::Rule::Key, destination, source, refTable, refKey};
}
inline Column ViaLong(std::string_view destination, std::string_view source, std::string_view refTable,
                      std::string_view refKey) {
    return {Column::Rule::KeyLong, destination, source, refTable, refKey};
}
inline Column Coded(std::string_view destination, std::string_view source, const CodeTable& codes) {
    return {Column::Rule::Code, destination, source, {}, {}, &codes};
}
inline Column Constant(std::string_view destination, db::Value value) {
    return {Column::Rule::Constant, destination, {}, {}, {}, nullptr, std::move(value)};
}
inline Column ZeroWhenNull(std::string_view destination, std::string_view source) {
    return {Column::Rule::ZeroWhenNull, destination, source};
}
inline Column AsText(std::string_view destination, std::string_view source) {
    return {Column::Rule::Text, destination, source};
}
inline Column Ordinal(std::string_view destination, std::string_view parent) {
    return {Column::Rule::Ordinal, destination, parent};
}
inline Column Computed(std::string_view destination, ColumnFunction function) {
    return {Column::Rule::Custom, destination, {}, {}, {}, nullptr, {}, std::move(function)};
}

// Built-in legacy rows that overwrite a row the new schema was seeded with instead of appending:
// a legacy row whose `idColumn` value is in `seeds` moves the destination to its first row and, when
// `findColumn` is set, searches forward with "<findColumn> = <the seed's value>".
struct SeedMerge {
    std::string_view idColumn;
    std::string_view findColumn;                               // empty: the first row itself
    std::vector<std::pair<std::int64_t, std::int64_t>> seeds;  // legacy id -> value searched for
};

// Where the new key goes once the destination row is written.
struct WriteBack {
    enum class Form {
        RowSet,     // SFC_ID of the current legacy row, through the legacy row set
        Statement,  // "UPDATE <table>  SET SFC_ID = <key> where <keyColumn> = <legacy id>"
        None,       // nothing is written back
    };
    Form form = Form::RowSet;
    std::string_view table = {};      // Statement: the legacy table updated
    std::string_view keyColumn = {};  // Statement: its key column, also the legacy field read
};

// Reads the legacy table 100 ids at a time instead of in one query.
struct Batches {
    std::string_view table;           // the legacy table
    std::string_view keyColumn;       // its key column
    std::string extraCondition;       // appended to each batch's where clause, e.g. " and ACTION_ID <> 65"
    std::string countCondition = {};  // appended to the count and maximum queries, e.g. " where SID = 4"
};

// Writes the destination row(s) for the current legacy row in place of the column rules and returns
// whether a row was written (false skips the legacy row: its SFC_ID stays Null).
using RowWriter = std::function<bool(TransferRow& row)>;
// Called once per pass, after the destination is opened and before the first row: makes the
// pass's row writer, which may keep state across rows.
using RowWriterFactory = std::function<RowWriter(core::Step& step)>;
// Appends the extra rows of the current legacy row once its destination row is written.
using ExtraRows = std::function<void(TransferRow& row)>;

struct Pass {
    std::string_view label;          // empty for the first pass: the transfer's own label
    std::string query;               // the whole legacy query (row-by-row passes)
    std::optional<Batches> batches;  // set for the batched pattern (query is then unused)
    std::string_view destination;    // the new table
    std::string_view key;            // its key column, read back after each write
    std::vector<Column> columns;     // set in this order
    std::optional<SeedMerge> merge;
    WriteBack writeBack = {};
    std::string secondDestination = {};  // whole query of a second destination row set, opened once
    ExtraRows extraRows = {};
    RowWriterFactory writer = {};  // replaces merge and columns when set
    // The whole query the destination is opened on, in place of the whole table (row by row) or of
    // the empty row set "<key> = 0" (batched); empty for those.
    std::string destinationQuery = {};
};

using Transfer = std::vector<Pass>;

}  // namespace tmigration::transfer
