// The polymorphic-reference translation on a real database: the location split reads the legacy
// location's product type, the id comes from the legacy row's SFC_ID, and a missing row, a Null
// product type or a row never transferred each give what the transfers rely on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TransferDatabase.h"
#include "transfer/GetLocationTableCode.h"
#include "transfer/TranslateTableTarget.h"

namespace tmigration::transfer {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct TargetCase {
    const char* name;
    std::int16_t legacyCode;
    std::optional<std::int64_t> legacyId;
    TableTarget expected;
    std::vector<std::string> sent;
};

std::ostream& operator<<(std::ostream& os, const TargetCase& c) {
    return os << c.name;
}

class TableTargetOnDatabase : public testing::SharedStateTest,
                              public ::testing::WithParamInterface<TargetCase> {
  protected:
    TableTargetOnDatabase() {
        const db::Value null;
        plant.Insert("T_TRNK_PTYPE", "PTYPE_ID, PTYPE_NAME",
                     {{4, "Gage Crib"}, {5, "MDC"}, {8, "Tool Crib"}});
        // Machine-data location 1 and gage crib 2 were transferred; 3 has no product type; 4 was
        // never transferred.
        plant.Insert(
            "T_TRNK_LOCATION", "LOCATION_ID, LOCATION_NAME, PTYPE_ID, SFC_ID",
            {{1, "Cell", 5, 31}, {2, "Gage Crib", 4, 7}, {3, "Attic", null, 8}, {4, "Yard", 8, null}});
        plant.Insert("T_TRNK_PARTTYPE", "PARTTYPE_ID, PARTTYPE_NAME", {{1, "Machined"}});
        plant.Insert("T_TRNK_PART", "PART_ID, PART_NAME, PART_NUMBER, PARTTYPE_ID, SFC_ID",
                     {{5, "Shaft", "P-5", 1, 12}});
        plant.Sent().clear();
    }
    testing::TransferDatabase plant{db::Dialect::Access};
};

TEST_P(TableTargetOnDatabase, ReadsTheSplitAndTheNewIdOnTheSharedConnection) {
    const TargetCase& c = GetParam();
    EXPECT_EQ(TranslateTableTarget(c.legacyCode, c.legacyId), c.expected);
    EXPECT_EQ(plant.Sent(), c.sent);
}

std::string SplitOf(int id) {
    return "select PTYPE_ID from T_TRNK_LOCATION  where LOCATION_ID = " + std::to_string(id);
}
std::string IdOf(const std::string& table, const std::string& key, int id) {
    return "select SFC_ID from " + table + " where " + key + " = " + std::to_string(id);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, TableTargetOnDatabase,
    ::testing::Values(
        TargetCase{
            "MachineDataLocation", 96, 1, {58, 31}, {SplitOf(1), IdOf("T_TRNK_LOCATION", "LOCATION_ID", 1)}},
        TargetCase{"GageCrib", 96, 2, {11, 7}, {SplitOf(2), IdOf("T_TRNK_LOCATION", "LOCATION_ID", 2)}},
        TargetCase{"NullProductTypeIsACrib",
                   96,
                   3,
                   {11, 8},
                   {SplitOf(3), IdOf("T_TRNK_LOCATION", "LOCATION_ID", 3)}},
        TargetCase{"LocationNeverTransferred",
                   96,
                   4,
                   {11, std::nullopt},
                   {SplitOf(4), IdOf("T_TRNK_LOCATION", "LOCATION_ID", 4)}},
        TargetCase{"MissingLocation",
                   96,
                   9,
                   {-1, std::nullopt},
                   {SplitOf(9), IdOf("T_TRNK_LOCATION", "LOCATION_ID", 9)}},
        TargetCase{"NullLocationAsksNothing", 96, std::nullopt, {-1, std::nullopt}, {}},
        TargetCase{"Part", 5, 5, {72, 12}, {IdOf("T_TRNK_PART", "PART_ID", 5)}},
        TargetCase{"MissingPart", 5, 6, {72, std::nullopt}, {IdOf("T_TRNK_PART", "PART_ID", 6)}},
        TargetCase{"UntranslatableCodeAsksNothing", 4, 5, {-1, -1}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tmigration::transfer
