#include "mdc/EventTimeline.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace tmigration::mdc {
namespace {

// Orders two cells of one column. Cells of one column hold one kind; Null sorts first and
// differing kinds by kind, so the order stays strict whatever the table holds.
bool Less(const db::Value& a, const db::Value& b) {
    if (a.kind() != b.kind()) return a.kind() < b.kind();
    switch (a.kind()) {
        case db::Value::Kind::Null:
            return false;
        case db::Value::Kind::Integer:
            return a.AsInteger() < b.AsInteger();
        case db::Value::Kind::Double:
            return a.AsDouble() < b.AsDouble();
        case db::Value::Kind::Text:
            return a.AsText() < b.AsText();
        case db::Value::Kind::DateTime:
            return a.AsDateTime() < b.AsDateTime();
        case db::Value::Kind::Boolean:
            return !a.AsBoolean() && b.AsBoolean();
    }
    return false;
}

}  // namespace

void EventTimeline::CloseGap() {
    MoveGapTo(Count());
    rows_.resize(Count());
    gapLength_ = 0;
}

void EventTimeline::MoveGapTo(std::size_t position) {
    if (gapLength_ == 0) {
        gapStart_ = position;
        return;
    }
    if (position < gapStart_) {
        // Rows [position, gapStart_) move behind the gap.
        std::move_backward(rows_.begin() + static_cast<long>(position),
                           rows_.begin() + static_cast<long>(gapStart_),
                           rows_.begin() + static_cast<long>(gapStart_ + gapLength_));
    } else if (position > gapStart_) {
        // Rows [gapStart_, position) of the logical table move in front of the gap.
        std::move(rows_.begin() + static_cast<long>(gapStart_ + gapLength_),
                  rows_.begin() + static_cast<long>(position + gapLength_),
                  rows_.begin() + static_cast<long>(gapStart_));
    }
    gapStart_ = position;
}

void EventTimeline::Resize(std::size_t rows) {
    CloseGap();
    rows_.resize(rows);
}

const db::Value& EventTimeline::Cell(std::size_t row, std::size_t column) const {
    if (row >= Count() || column >= kColumns)
        throw std::out_of_range("timeline cell (" + std::to_string(row) + ", " + std::to_string(column) +
                                ") is outside " + std::to_string(Count()) + " rows");
    return rows_[Physical(row)][column];
}

void EventTimeline::SetCell(std::size_t row, std::size_t column, db::Value value) {
    if (row >= Count() || column >= kColumns)
        throw std::out_of_range("timeline cell (" + std::to_string(row) + ", " + std::to_string(column) +
                                ") is outside " + std::to_string(Count()) + " rows");
    rows_[Physical(row)][column] = std::move(value);
}

void EventTimeline::Insert(std::size_t position) {
    if (position > Count())
        throw std::out_of_range("timeline insert at " + std::to_string(position) + " past " +
                                std::to_string(Count()) + " rows");
    if (gapLength_ == 0) {
        // Grow by as many free rows as the table holds, placed where the insertion is.
        const std::size_t grow = std::max<std::size_t>(16, Count());
        rows_.insert(rows_.begin() + static_cast<long>(position), grow, Row{});
        gapStart_ = position;
        gapLength_ = grow;
    } else {
        MoveGapTo(position);
    }
    rows_[gapStart_] = Row{};
    ++gapStart_;
    --gapLength_;
}

void EventTimeline::SortByColumn(std::size_t column) {
    if (column >= kColumns) throw std::out_of_range("timeline column " + std::to_string(column));
    CloseGap();
    std::stable_sort(rows_.begin(), rows_.end(),
                     [column](const Row& a, const Row& b) { return Less(a[column], b[column]); });
}

}  // namespace tmigration::mdc
