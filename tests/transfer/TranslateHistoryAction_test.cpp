#include "transfer/TranslateHistoryAction.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace tmigration::transfer {
namespace {

constexpr std::int16_t kTraveler = 3;
// Non-traveler targets: a part, a gage-per-operation (which action 53 knows), and nonsense.
constexpr std::int16_t kOtherTargets[] = {5, 45, 0, -1, 263};

struct ActionRow {
    std::vector<std::int16_t> ids;
    std::int16_t otherCode;
    std::int16_t travelerCode;
};

const std::vector<ActionRow> kActionRows = {
    {{7, 8, 10, 13, 44, 58, 73, 76, 84, 86, 87, 89, 122, 123, 135, 154, 158, 159, 180, 247}, 19, 19},
    {{75, 142, 189}, 1, 1},
    {{233}, 2, 2},
    {{144}, 3, 3},
    {{146}, 4, 4},
    {{187}, 5, 5},
    {{39}, 6, 6},
    {{181}, 7, 7},
    {{134, 179, 210, 219}, 8, 8},
    {{36}, 9, 9},
    {{41}, 10, 10},
    {{42}, 11, 11},
    {{139}, 12, 12},
    {{40}, 13, 13},
    {{182}, 14, 14},
    {{28}, 15, 15},
    {{29}, 16, 17},
    {{234}, 18, 18},
    {{243}, 20, 20},
    {{262}, 21, 21},
    {{63}, 22, 22},
    {{242}, 23, 23},
    {{59}, 24, 24},
    {{241}, 25, 25},
    {{61}, 26, 26},
    {{23}, 27, 27},
    {{57}, 28, 28},
    {{103}, 29, 29},
    {{62}, 30, 30},
    {{64}, 31, 31},
    {{235}, 33, 33},
    {{140}, 34, 34},
    {{151}, 35, 35},
    {{195}, 36, 36},
    {{194}, 37, 37},
    {{65}, 38, 38},
    {{149, 184, 209, 218}, 39, 39},
    {{203}, 40, 40},
    {{148, 183, 206, 215}, 41, 41},
    {{185, 208, 217, 252}, 42, 42},
    {{186, 207, 216, 253}, 43, 43},
    {{251}, 44, 44},
    {{145}, 45, 45},
    {{244}, 46, 46},
    {{199}, 47, 47},
    {{167}, 48, 48},
    {{168}, 49, 49},
    {{138}, 50, 50},
    {{27}, 51, 51},
    {{104}, 16, 52},
    {{150, 201}, 53, 53},
    {{38}, 54, 54},
    {{212, 221}, 55, 55},
    {{202}, 56, 56},
    {{31}, 57, 57},
    {{46, 198}, 58, 58},
    {{152}, 59, 59},
    {{34}, 19, 60},
    {{35}, 61, 61},
    {{47, 196, 205, 214}, 62, 62},
    {{191}, 63, 63},
    {{147, 190}, 64, 64},
    {{143}, 65, 65},
    {{166, 192}, 66, 66},
    {{32}, 67, 67},
    {{33}, 68, 68},
    {{153, 197, 211, 220}, 69, 69},
};

class HistoryActionRowTest : public testing::TestWithParam<ActionRow> {};

TEST_P(HistoryActionRowTest, TranslatesForTravelersAndOtherTargets) {
    for (std::int16_t id : GetParam().ids) {
        EXPECT_EQ(TranslateHistoryAction(kTraveler, id), GetParam().travelerCode) << id;
        for (std::int16_t target : kOtherTargets)
            EXPECT_EQ(TranslateHistoryAction(target, id), GetParam().otherCode) << id;
    }
}

INSTANTIATE_TEST_SUITE_P(AllRows, HistoryActionRowTest, testing::ValuesIn(kActionRows),
                         [](const auto& info) { return "Action" + std::to_string(info.param.ids.front()); });

struct SubRecord {
    std::int16_t legacyTableCode;
    std::int16_t expected;
};

class SubRecordActionTest : public testing::TestWithParam<SubRecord> {};

TEST_P(SubRecordActionTest, ActionFiftyThreeDependsOnTheTargetTable) {
    EXPECT_EQ(TranslateHistoryAction(GetParam().legacyTableCode, 53), GetParam().expected);
}

const std::vector<SubRecord> kSubRecords = {{45, 22},  {51, 24},  {60, 26},  {97, 30}, {98, 27},
                                            {102, 29}, {121, 23}, {157, 20}, {240, 25}};

INSTANTIATE_TEST_SUITE_P(TravelerSubRecords, SubRecordActionTest, testing::ValuesIn(kSubRecords),
                         [](const auto& info) {
                             return "Table" + std::to_string(info.param.legacyTableCode);
                         });

TEST(TranslateHistoryActionTest, ActionFiftyThreeOnAnyOtherTableIsUntranslated) {
    std::set<int> known;
    for (const SubRecord& s : kSubRecords) known.insert(s.legacyTableCode);
    for (int table = -1; table <= 300; ++table) {
        if (!known.count(table)) {
            EXPECT_EQ(TranslateHistoryAction(static_cast<std::int16_t>(table), 53), -1) << table;
        }
    }
}

TEST(TranslateHistoryActionTest, UnlistedIdsAreUntranslated) {
    std::set<int> listed = {53};
    for (const ActionRow& row : kActionRows) listed.insert(row.ids.begin(), row.ids.end());
    EXPECT_EQ(listed.size(), 115u);
    for (int id = -300; id <= 400; ++id) {
        if (listed.count(id)) continue;
        EXPECT_EQ(TranslateHistoryAction(kTraveler, static_cast<std::int16_t>(id)), -1) << id;
        EXPECT_EQ(TranslateHistoryAction(45, static_cast<std::int16_t>(id)), -1) << id;
    }
    EXPECT_EQ(TranslateHistoryAction(5, INT16_MIN), -1);
    EXPECT_EQ(TranslateHistoryAction(5, INT16_MAX), -1);
}

}  // namespace
}  // namespace tmigration::transfer
