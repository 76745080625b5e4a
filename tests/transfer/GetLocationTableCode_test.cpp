#include "transfer/GetLocationTableCode.h"

#include <gtest/gtest.h>

#include <vector>

namespace tmigration::transfer {
namespace {

struct Case {
    const char* name;
    LocationProductType row;
    std::int16_t expected;
};

class LocationSplitTest : public testing::TestWithParam<Case> {};

TEST_P(LocationSplitTest, ProductTypeFiveIsALocationEverythingElseACrib) {
    std::vector<std::string> queries;
    const auto code = GetLocationTableCode(31, [&](const std::string& sql) {
        queries.push_back(sql);
        return GetParam().row;
    });
    EXPECT_EQ(code, GetParam().expected);
    EXPECT_EQ(queries,
              std::vector<std::string>{"select PTYPE_ID from T_TRNK_LOCATION  where LOCATION_ID = 31"});
    EXPECT_EQ(LocationTableCodeFor(GetParam().row), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(ProductTypes, LocationSplitTest,
                         testing::Values(Case{"MachineData", {true, 5}, 58}, Case{"GageCrib", {true, 4}, 11},
                                         Case{"ToolCrib", {true, 8}, 11}, Case{"OtherProduct", {true, 1}, 11},
                                         Case{"NullProductType", {true, std::nullopt}, 11},
                                         Case{"NoRow", {false, std::nullopt}, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GetLocationTableCodeTest, NullIdGivesMinusOneWithoutAQuery) {
    bool queried = false;
    EXPECT_EQ(GetLocationTableCode(std::nullopt,
                                   [&](const std::string&) {
                                       queried = true;
                                       return LocationProductType{true, 5};
                                   }),
              -1);
    EXPECT_FALSE(queried);
}

}  // namespace
}  // namespace tmigration::transfer
