#include "legacy/CreateLegacyTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "SharedDatabase.h"

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
    // The Common catalog has 69 tables; Oracle runs its passes in the order tables, indexes (with
    // the primary keys), sequences, triggers, foreign keys.
    std::vector<int> passes;
    for (const std::string& sql : db_.sent) {
        const auto has = [&](const char* text) { return sql.find(text) != std::string::npos; };
        passes.push_back(sql.starts_with("CREATE TABLE ")      ? 0
                         : has("INDEX ") || has("PRIMARY KEY") ? 1
                         : sql.starts_with("CREATE SEQUENCE ") ? 2
                         : has("TRIGGER ")                     ? 3
                         : has("FOREIGN KEY")                  ? 4
                                                               : -1);
    }
    EXPECT_EQ(std::count(passes.begin(), passes.end(), 0), 69);
    EXPECT_EQ(std::count(passes.begin(), passes.end(), -1), 0);
    EXPECT_TRUE(std::is_sorted(passes.begin(), passes.end()));
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
