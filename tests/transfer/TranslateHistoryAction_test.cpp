#include "transfer/TranslateHistoryAction.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

namespace tmigration::transfer {
namespace {

constexpr std::int16_t kTraveler = 3;
// Non-traveler targets: a part, a gage-per-operation (which action 53 knows), and nonsense.
constexpr std::int16_t kOtherTargets[] = {5, 45, 0, -1, 263};

// Chosen rows of the fixed action table: the first and last id of a shared code, single ids, and
// the three ids whose code depends on whether the target is a traveler.
struct ActionRow {
    std::int16_t id;
    std::int16_t otherCode;
    std::int16_t travelerCode;
};

class HistoryActionRowTest : public testing::TestWithParam<ActionRow> {};

TEST_P(HistoryActionRowTest, TranslatesForTravelersAndOtherTargets) {
    EXPECT_EQ(TranslateHistoryAction(kTraveler, GetParam().id), GetParam().travelerCode);
    for (std::int16_t target : kOtherTargets)
        EXPECT_EQ(TranslateHistoryAction(target, GetParam().id), GetParam().otherCode) << target;
}

INSTANTIATE_TEST_SUITE_P(ChosenRows, HistoryActionRowTest,
                         testing::Values(ActionRow{7, 19, 19}, ActionRow{247, 19, 19}, ActionRow{75, 1, 1},
                                         ActionRow{189, 1, 1}, ActionRow{233, 2, 2}, ActionRow{28, 15, 15},
                                         ActionRow{29, 16, 17}, ActionRow{104, 16, 52}, ActionRow{34, 19, 60},
                                         ActionRow{253, 43, 43}, ActionRow{221, 55, 55},
                                         ActionRow{153, 69, 69}),
                         [](const auto& info) { return "Action" + std::to_string(info.param.id); });

// Over every id a 16-bit history row can carry: how many translate, into which codes, and where
// travelers differ from other targets.
TEST(TranslateHistoryActionTest, TableInvariantsOverEveryId) {
    int translated = 0;
    std::set<int> codes, differing;
    for (int id = INT16_MIN; id <= INT16_MAX; ++id) {
        const std::int16_t other = TranslateHistoryAction(5, static_cast<std::int16_t>(id));
        const std::int16_t traveler = TranslateHistoryAction(kTraveler, static_cast<std::int16_t>(id));
        if (other != -1) {
            ++translated;
            codes.insert(other);
        }
        if (traveler != -1) codes.insert(traveler);
        if (other != traveler) differing.insert(id);
    }
    // 114 listed ids besides 53, which translates only on the traveler sub-record tables.
    EXPECT_EQ(translated, 114);
    EXPECT_EQ(differing, (std::set<int>{29, 34, 104}));
    EXPECT_EQ(*codes.begin(), 1);
    EXPECT_EQ(*codes.rbegin(), 69);
    EXPECT_EQ(codes.size(), 68u);  // every code from 1 to 69 but 32
}

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

}  // namespace
}  // namespace tmigration::transfer
