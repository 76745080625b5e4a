// The identifier map read through GetNewID: only a transferred legacy row gives a new key.
#include "transfer/GetNewID.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SharedDatabase.h"

namespace tmigration::transfer {
namespace {

struct LookupCase {
    const char* name;
    db::Value legacyId, newId;
};

class GetNewIDTest : public testing::SharedStateTest, public ::testing::WithParamInterface<LookupCase> {
  protected:
    void SetUp() override {
        database.OpenShared(db::Dialect::SqlServer);
        database.Run({"CREATE TABLE T_TRNK_GAUGES (GAUGE_ID INTEGER, SFC_ID INTEGER)",
                      "INSERT INTO T_TRNK_GAUGES (GAUGE_ID, SFC_ID) VALUES (1, 501)",
                      "INSERT INTO T_TRNK_GAUGES (GAUGE_ID, SFC_ID) VALUES (2, NULL)"});
    }
    testing::SharedDatabase database;
};

TEST_P(GetNewIDTest, ReadsTheMappingColumnOfTheLegacyRow) {
    const LookupCase& c = GetParam();
    EXPECT_EQ(GetNewID("T_TRNK_GAUGES", "GAUGE_ID", c.legacyId), c.newId);
    if (c.legacyId.IsNull())
        EXPECT_THAT(database.sent, ::testing::IsEmpty());
    else
        EXPECT_THAT(database.sent,
                    ::testing::ElementsAre("select SFC_ID from T_TRNK_GAUGES where GAUGE_ID = " +
                                           c.legacyId.AsText()));
}

INSTANTIATE_TEST_SUITE_P(References, GetNewIDTest,
                         ::testing::Values(LookupCase{"Transferred", 1, 501},
                                           LookupCase{"NeverTransferred", 2, {}},
                                           LookupCase{"NoReference", 0, {}}, LookupCase{"DeletedRow", 7, {}},
                                           LookupCase{"Null", {}, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GetNewIDTest, IntegerFormAndDatabaseErrors) {
    EXPECT_EQ(GetNewID("T_TRNK_GAUGES", "GAUGE_ID", std::optional<std::int64_t>(1)), 501);
    EXPECT_EQ(GetNewID("T_TRNK_GAUGES", "GAUGE_ID", std::optional<std::int64_t>()), std::nullopt);
    EXPECT_THROW(GetNewID("T_TRNK_TOOLS", "TOOL_ID", db::Value(1)), std::exception);
}

}  // namespace
}  // namespace tmigration::transfer
