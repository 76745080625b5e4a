#include "transfer/TranslateHistoryAction.h"

#include <array>
#include <optional>
#include <vector>

namespace tmigration::transfer {

namespace {

constexpr std::int16_t kNoAction = -1;
constexpr std::int16_t kFirstActionId = 7;
constexpr std::int16_t kLastActionId = 262;

// The legacy ids that became one new action code; a few give another code on travelers.
struct ActionRule {
    std::vector<std::int16_t> actionIds;
    std::int16_t newCode;
    std::optional<std::int16_t> travelerCode = std::nullopt;
};

const std::vector<ActionRule>& ActionRules() {
    static const std::vector<ActionRule> rules = {
        {{7, 8, 10, 13, 44, 58, 73, 76, 84, 86, 87, 89, 122, 123, 135, 154, 158, 159, 180, 247}, 19},
        {{75, 142, 189}, 1},
        {{233}, 2},
        {{144}, 3},
        {{146}, 4},
        {{187}, 5},
        {{39}, 6},
        {{181}, 7},
        {{134, 179, 210, 219}, 8},
        {{36}, 9},
        {{41}, 10},
        {{42}, 11},
        {{139}, 12},
        {{40}, 13},
        {{182}, 14},
        {{28}, 15},
        {{29}, 16, 17},
        {{234}, 18},
        {{243}, 20},
        {{262}, 21},
        {{63}, 22},
        {{242}, 23},
        {{59}, 24},
        {{241}, 25},
        {{61}, 26},
        {{23}, 27},
        {{57}, 28},
        {{103}, 29},
        {{62}, 30},
        {{64}, 31},
        {{235}, 33},
        {{140}, 34},
        {{151}, 35},
        {{195}, 36},
        {{194}, 37},
        {{65}, 38},
        {{149, 184, 209, 218}, 39},
        {{203}, 40},
        {{148, 183, 206, 215}, 41},
        {{185, 208, 217, 252}, 42},
        {{186, 207, 216, 253}, 43},
        {{251}, 44},
        {{145}, 45},
        {{244}, 46},
        {{199}, 47},
        {{167}, 48},
        {{168}, 49},
        {{138}, 50},
        {{27}, 51},
        {{104}, 16, 52},
        {{150, 201}, 53},
        {{38}, 54},
        {{212, 221}, 55},
        {{202}, 56},
        {{31}, 57},
        {{46, 198}, 58},
        {{152}, 59},
        {{34}, 19, 60},
        {{35}, 61},
        {{47, 196, 205, 214}, 62},
        {{191}, 63},
        {{147, 190}, 64},
        {{143}, 65},
        {{166, 192}, 66},
        {{32}, 67},
        {{33}, 68},
        {{153, 197, 211, 220}, 69},
    };
    return rules;
}

// Action 53 was one legacy action for every traveler sub-record; the new schema has one
// action per sub-record, chosen by the target's legacy table code.
constexpr std::int16_t kPerSubRecordAction = 53;
struct SubRecordAction {
    std::int16_t legacyTableCode;
    std::int16_t newCode;
};
constexpr SubRecordAction kSubRecordActions[] = {
    {45, 22}, {51, 24}, {60, 26}, {97, 30}, {98, 27}, {102, 29}, {121, 23}, {157, 20}, {240, 25},
};

struct Translation {
    std::int16_t newCode = kNoAction;
    std::int16_t travelerCode = kNoAction;
};

// Indexed by action id; history rows are translated one by one, so the rules are laid out
// once for direct lookup.
const std::array<Translation, kLastActionId + 1>& TranslationsById() {
    static const auto byId = [] {
        std::array<Translation, kLastActionId + 1> table{};
        for (const ActionRule& rule : ActionRules()) {
            for (std::int16_t id : rule.actionIds)
                table[id] = {rule.newCode, rule.travelerCode.value_or(rule.newCode)};
        }
        return table;
    }();
    return byId;
}

}  // namespace

std::int16_t TranslateHistoryAction(std::int16_t legacyTableCode, std::int16_t legacyActionId) {
    if (legacyActionId < kFirstActionId || legacyActionId > kLastActionId) return kNoAction;
    if (legacyActionId == kPerSubRecordAction) {
        for (const SubRecordAction& sub : kSubRecordActions) {
            if (sub.legacyTableCode == legacyTableCode) return sub.newCode;
        }
        return kNoAction;
    }
    const Translation& t = TranslationsById()[legacyActionId];
    return legacyTableCode == kTravelerLegacyTableCode ? t.travelerCode : t.newCode;
}

}  // namespace tmigration::transfer
