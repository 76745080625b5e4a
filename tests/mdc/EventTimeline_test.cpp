#include "mdc/EventTimeline.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace tmigration::mdc {
namespace {

// Rows tagged by their event id, so order is easy to read back.
void Append(EventTimeline& timeline, int minute, int eventId) {
    const std::size_t row = timeline.Count();
    timeline.Resize(row + 1);
    timeline.SetCell(row, EventTimeline::kInstant, db::DateTime{2023, 1, 2, 8, minute, 0});
    timeline.SetCell(row, EventTimeline::kEventId, eventId);
}

std::vector<std::int64_t> Ids(const EventTimeline& timeline) {
    std::vector<std::int64_t> ids;
    for (std::size_t row = 0; row < timeline.Count(); ++row)
        ids.push_back(timeline.Cell(row, EventTimeline::kEventId).AsInteger());
    return ids;
}

TEST(EventTimeline, SortKeepsLoadOrderAmongEqualInstants) {
    EventTimeline timeline;
    // Start rows come in start order, stop rows after them: equal instants must not swap.
    for (auto [minute, id] : std::vector<std::pair<int, int>>{{5, 1}, {0, 2}, {5, 3}, {0, 4}, {5, 5}, {3, 6}})
        Append(timeline, minute, id);
    timeline.SortByColumn(EventTimeline::kInstant);
    EXPECT_EQ(Ids(timeline), (std::vector<std::int64_t>{2, 4, 6, 1, 3, 5}));
}

TEST(EventTimeline, InsertPutsTheRowAheadOfTheOneAtItsPosition) {
    EventTimeline timeline;
    for (int id = 1; id <= 5; ++id) Append(timeline, id, id);
    // A forward walk that inserts as it goes, then an insertion behind it and one at the end.
    timeline.Insert(1);
    timeline.SetCell(1, EventTimeline::kEventId, 10);
    timeline.Insert(4);
    timeline.SetCell(4, EventTimeline::kEventId, 11);
    timeline.Insert(0);
    timeline.SetCell(0, EventTimeline::kEventId, 12);
    timeline.Insert(timeline.Count());
    timeline.SetCell(timeline.Count() - 1, EventTimeline::kEventId, 13);
    EXPECT_EQ(Ids(timeline), (std::vector<std::int64_t>{12, 1, 10, 2, 3, 11, 4, 5, 13}));
    EXPECT_TRUE(timeline.Cell(2, EventTimeline::kInstant).IsNull());

    // Resizing and sorting see the inserted rows where they stand.
    timeline.Resize(10);
    EXPECT_EQ(timeline.Count(), 10u);
    EXPECT_TRUE(timeline.Cell(9, EventTimeline::kEventId).IsNull());
    timeline.Resize(3);
    EXPECT_EQ(Ids(timeline), (std::vector<std::int64_t>{12, 1, 10}));
}

TEST(EventTimeline, ManyInsertionsDuringAWalkKeepEveryRow) {
    EventTimeline timeline;
    constexpr int kRows = 5000;
    for (int id = 0; id < kRows; ++id) Append(timeline, id % 60, id);
    // Ahead of every row, as the part-start completion does when each cycle lacks a part.
    for (std::size_t row = 0; row < timeline.Count(); row += 2) {
        timeline.Insert(row);
        timeline.SetCell(row, EventTimeline::kEventId, -1);
    }
    ASSERT_EQ(timeline.Count(), 2u * kRows);
    for (std::size_t row = 0; row < timeline.Count(); ++row)
        ASSERT_EQ(timeline.Cell(row, EventTimeline::kEventId).AsInteger(),
                  row % 2 ? std::int64_t(row / 2) : -1);
}

TEST(EventTimeline, CellsOutsideTheTableAreRefused) {
    EventTimeline timeline;
    Append(timeline, 0, 1);
    EXPECT_THROW(timeline.Cell(1, 0), std::out_of_range);
    EXPECT_THROW(timeline.Cell(0, EventTimeline::kColumns), std::out_of_range);
    EXPECT_THROW(timeline.SetCell(1, 0, 5), std::out_of_range);
    EXPECT_THROW(timeline.Insert(2), std::out_of_range);
}

}  // namespace
}  // namespace tmigration::mdc
