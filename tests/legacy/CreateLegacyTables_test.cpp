#include "legacy/CreateLegacyTables.h"

#include <gtest/gtest.h>

#include "SharedDatabase.h"
#include "legacy/catalog/LegacyCreateAll.h"

namespace tmigration::legacy {
namespace {

using testing::SharedDatabase;

class CreateLegacyTablesTest : public testing::SharedStateTest {
  protected:
    SharedDatabase db_;
};

TEST_F(CreateLegacyTablesTest, SendsTheCatalogInPassOrderAndEndsAtFullProgress) {
    db_.OpenShared(db::Dialect::Oracle);
    std::string strError;
    ASSERT_TRUE(CreateLegacyTables(Module::Common, db::Dialect::Oracle, strError)) << strError;
    EXPECT_EQ(db_.sent, LegacyStatements(Module::Common, db::Dialect::Oracle));
    EXPECT_EQ(core::frmProgress().lblInfo().Caption, "Updating Old Common Tables...");
    EXPECT_EQ(core::frmProgress().LastPercentShown(), 100);
    EXPECT_EQ(db_.Scalar("select COUNT(*) AS CT from T_TRNK_MACHINES", db::Dialect::Oracle), "0");
}

TEST_F(CreateLegacyTablesTest, StopsAtTheFirstFailingStatementAndHidesTheWindow) {
    db_.OpenShared(db::Dialect::Access);
    db_.Run({"CREATE TABLE T_TRNK_OPS (OPS_ID COUNTER NOT NULL PRIMARY KEY)"});
    core::frmProgress().Show();
    std::string strError = "untouched";
    EXPECT_FALSE(CreateLegacyTables(Module::Common, db::Dialect::Access, strError));
    EXPECT_EQ(strError, "table T_TRNK_OPS already exists");
    EXPECT_FALSE(core::frmProgress().Visible());
    EXPECT_EQ(db_.sent.size(), 3u);  // PTYPE, SUBTYPE, then the OPS that failed
    EXPECT_EQ(core::frmProgress().lblInfo().Caption, "Updating Old Common Tables...");
}

}  // namespace
}  // namespace tmigration::legacy
