// The sample plant generator: a table is a row count (a function of the scale) and a list of column
// generators; every cell is a pure function of (seed, table, column, row), so a plant is the same for the
// same seed whatever order it is written in, and a row can look up what another table's row holds
// (a machine event names the machine its event ran on) without keeping any table in memory.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "db/Value.h"

namespace tmigration::sample {

class Plan;

// Rows of a table: fixed + perScale x scale.
struct RowCount {
    std::int64_t fixed = 0;
    std::int64_t perScale = 0;
    std::int64_t At(std::int64_t scale) const { return fixed + perScale * scale; }
};

// What a column generator sees: the row's key (1-based; rows are numbered as the legacy auto-numbered
// key numbers them) and a random stream private to this cell.
class Cell {
  public:
    Cell(const Plan& plan, std::uint64_t stream, std::int64_t row) : plan_(plan), state_(stream), row_(row) {}

    std::int64_t Row() const { return row_; }
    const Plan& GetPlan() const { return plan_; }
    std::int64_t Scale() const;
    // Uniform in [0, n); n > 0.
    std::int64_t Below(std::int64_t n);
    // Uniform in [lo, hi].
    std::int64_t Between(std::int64_t lo, std::int64_t hi) { return lo + Below(hi - lo + 1); }
    // True with the given chance in percent.
    bool Percent(int chance) { return Below(100) < chance; }

  private:
    std::uint64_t Next();

    const Plan& plan_;
    std::uint64_t state_;
    std::int64_t row_;
};

using ColumnGenerator = std::function<db::Value(Cell&)>;

struct ColumnSpec {
    std::string_view column;
    ColumnGenerator value;
};

// Reference tables whose first `block` identifiers are written from row texts, as the legacy product
// seeds them: comma-separated values for `seededColumns`, trimmed, a blank value Null, a value for a
// non-text column converted to its leading number. Rows past the defined texts take `filler(id)`.
struct SeedRows {
    std::vector<std::string_view> seededColumns;
    std::span<const std::string_view> texts;
    std::function<std::string(std::int64_t id)> filler;
    std::int64_t block = 0;
};

struct TableSpec {
    std::string_view table;
    RowCount rows;
    std::vector<ColumnSpec> columns;  // columns not named stay Null; the key is the row number
    SeedRows seed = {};               // rows 1..seed.block, when block > 0
    // Rows the legacy installation already wrote at the start of the table (administrator rights):
    // counted and numbered like the others, but not written again.
    std::int64_t installedRows = 0;
    // Rows that are not written, leaving their ids unused as deletions in a live plant do.
    std::function<bool(std::int64_t row)> absent = {};
    // Statements run once the table's rows are written: links a row cannot name before the rows
    // it points at exist (a revision's pointer to the next one).
    std::function<std::vector<std::string>(const Plan&)> finish = {};
};

// The tables of one plant at one scale and seed: row counts, and every cell on demand.
class Plan {
  public:
    // Throws std::invalid_argument for a scale below 1, a table or column the legacy catalogs do not
    // have, or a table declared twice.
    Plan(std::span<const TableSpec> tables, std::int64_t scale, std::uint64_t seed);

    std::int64_t Scale() const { return scale_; }
    std::uint64_t Seed() const { return seed_; }
    const std::vector<const TableSpec*>& Tables() const { return order_; }
    std::int64_t Rows(std::string_view table) const;
    // Whether the plant has the table at all.
    bool Has(std::string_view table) const { return info_.find(table) != info_.end(); }
    // Rows of every table, without the absent ones.
    std::int64_t TotalRows() const;

    // The value of a column of a row, the same one the generator writes. The key column gives the row.
    db::Value ValueOf(std::string_view table, std::string_view column, std::int64_t row) const;
    // The rows of `table` whose `column` holds one of `values`, in key order; computed once per plan.
    const std::vector<std::int64_t>& RowsWhere(std::string_view table, std::string_view column,
                                               const std::vector<std::int64_t>& values) const;

    // The key column and the generated columns of a table, in the order Values writes them.
    std::vector<std::string> ColumnsOf(const TableSpec& table) const;
    // One row's values in ColumnsOf order.
    void Values(const TableSpec& table, std::int64_t row, std::vector<db::Value>& out) const;

  private:
    struct TableInfo {
        const TableSpec* decl;
        std::string key;
        std::int64_t rows;
        std::vector<bool> textColumn;  // per seeded column: true when it holds text
    };
    const TableInfo& Info(std::string_view table) const;
    db::Value Generate(const TableInfo& info, std::size_t column, std::int64_t row) const;
    db::Value Seeded(const TableInfo& info, std::size_t seededColumn, std::int64_t row) const;

    std::int64_t scale_;
    std::uint64_t seed_;
    std::vector<const TableSpec*> order_;
    std::map<std::string, TableInfo, std::less<>> info_;
    mutable std::map<std::string, std::vector<std::int64_t>, std::less<>> rowsWhere_;
};

}  // namespace tmigration::sample
