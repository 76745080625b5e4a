// The organisation and reference transfers on small hand-made plants.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TransferDatabase.h"
#include "transfer/MigrateData.h"

namespace tmigration::transfer {
namespace {

using db::DateTime;
using db::Value;
using ::testing::ElementsAre;

class OrganisationTransfers : public testing::SharedStateTest {
  protected:
    testing::TransferDatabase plant{db::Dialect::Access};
};

TEST_F(OrganisationTransfers, ShiftsTranslateTheirIntervals) {
    const Value six = DateTime{1970, 1, 1, 6, 0, 0}, two = DateTime{1970, 1, 1, 14, 0, 0};
    plant.Insert("T_TRNK_INTERVAL", "INTERVAL_ID, INTERVAL_NAME, START_TIME, DURATION, STOP_TIME, IS_SWING",
                 {{7, "Day", six, 8.0, two, "Y"}, {9, "Late", two, 8.5, six, "y"}});
    plant.Insert("T_TRNK_SHIFT",
                 "SHIFT_ID, SHIFT_NUMBER, SHIFT_NAME, MON_INTERVAL_ID, SUN_INTERVAL_ID, DURATION, IS_SWING",
                 {{3, "S1", "First", 9, nullptr, 40.0, "N"}});
    std::string strError;
    ASSERT_TRUE(RunTransfer("MigrateShiftIntervals", db::Dialect::Access, strError)) << strError;
    ASSERT_TRUE(RunTransfer("MigrateShifts", db::Dialect::Access, strError)) << strError;
    EXPECT_THAT(plant.Rows("select * from T_SFC_INTERVAL"),
                ElementsAre("1|Day|1970-01-01 06:00:00|1970-01-01 14:00:00|8|1",
                            "2|Late|1970-01-01 14:00:00|1970-01-01 06:00:00|8.5|0"));
    EXPECT_THAT(plant.Rows("select * from T_SFC_SHIFT"),
                ElementsAre("1|S1|First|2|NULL|NULL|NULL|NULL|NULL|NULL|40|0"));
    EXPECT_THAT(plant.Rows("select INTERVAL_ID, SFC_ID from T_TRNK_INTERVAL"), ElementsAre("7|1", "9|2"));
}

}  // namespace
}  // namespace tmigration::transfer
