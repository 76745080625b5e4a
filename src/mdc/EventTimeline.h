// The in-memory timeline of one machine's events: rows of eight cells (instant, command, parameter,
// start flag, event id, department, location, group). Rows can be added by resizing, inserted at
// a position, read and written cell by cell, and sorted by one column.
//
// Inserting while walking forward is cheap: the free space follows the last insertion, so a walk
// that inserts as it goes moves every row at most once per growth of the storage.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "db/Value.h"

namespace tmigration::mdc {

class EventTimeline {
  public:
    static constexpr std::size_t kColumns = 8;
    enum Column : std::size_t {
        kInstant = 0,
        kCommand = 1,
        kParameter = 2,
        kIsStart = 3,
        kEventId = 4,
        kDeptId = 5,
        kLocationId = 6,
        kGroupId = 7
    };
    using Row = std::array<db::Value, kColumns>;

    // Rows beyond the old count are empty (every cell Null); rows past the new count are dropped.
    void Resize(std::size_t rows);
    std::size_t Count() const { return rows_.size() - gapLength_; }

    // std::out_of_range for a row or column outside the table.
    const db::Value& Cell(std::size_t row, std::size_t column) const;
    void SetCell(std::size_t row, std::size_t column, db::Value value);

    // An empty row at `position` (0 .. Count()); the rows from there on move down by one.
    void Insert(std::size_t position);

    // Ascending by the column's values; rows with equal values keep their order (Null first).
    void SortByColumn(std::size_t column);

  private:
    std::size_t Physical(std::size_t row) const { return row < gapStart_ ? row : row + gapLength_; }
    void MoveGapTo(std::size_t position);
    void CloseGap();

    std::vector<Row> rows_;
    std::size_t gapStart_ = 0;   // logical position of the free rows
    std::size_t gapLength_ = 0;  // free rows held inside rows_
};

}  // namespace tmigration::mdc
