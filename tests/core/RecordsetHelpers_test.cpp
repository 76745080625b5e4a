#include "core/RecordsetHelpers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SharedDatabase.h"
#include "db/DbError.h"

namespace tmigration::core {
namespace {

using ::testing::ElementsAre;

class RecordsetHelpers : public testing::SharedStateTest {
  protected:
    void SetUp() override {
        database.OpenShared(db::Dialect::Access);
        database.Run(
            {"CREATE TABLE T_TRNK_DEPT (DEPT_ID COUNTER NOT NULL PRIMARY KEY, DEPT_NUMBER VARCHAR(20))",
             "INSERT INTO T_TRNK_DEPT (DEPT_NUMBER) VALUES ('D1')"});
    }
    testing::SharedDatabase database;
};

TEST_F(RecordsetHelpers, SetupsFixCursorAndLockOnTheSharedConnection) {
    db::Recordset client, server;
    SetupClientRecordset(client);
    SetupServerRecordset(server);
    EXPECT_EQ(client.CursorLocation(), db::adUseClient);
    EXPECT_EQ(client.CursorType(), db::adOpenStatic);
    EXPECT_EQ(client.LockType(), db::adLockOptimistic);
    EXPECT_EQ(client.ActiveConnection(), &gConnection());
    EXPECT_EQ(server.CursorLocation(), db::adUseServer);
    EXPECT_EQ(server.CursorType(), db::adOpenKeyset);
    EXPECT_EQ(server.LockType(), db::adLockOptimistic);
    EXPECT_EQ(server.ActiveConnection(), &gConnection());
}

TEST_F(RecordsetHelpers, ExecuteSqlSendsTheTextAndReportsTheDatabaseMessageUnchanged) {
    std::string strError = "before";
    EXPECT_TRUE(ExecuteSQL("", strError));
    EXPECT_TRUE(database.sent.empty());
    EXPECT_TRUE(ExecuteSQL("UPDATE T_TRNK_DEPT SET DEPT_NUMBER = 'D2'", strError));
    EXPECT_EQ(strError, "before");

    std::string direct;
    try {
        gConnection().Execute("DROP TABLE T_TRNK_MISSING");
    } catch (const db::DbError& e) {
        direct = e.what();
    }
    ASSERT_FALSE(direct.empty());
    EXPECT_FALSE(ExecuteSQL("DROP TABLE T_TRNK_MISSING", strError));
    EXPECT_EQ(strError, direct);
    EXPECT_THAT(database.sent, ElementsAre("UPDATE T_TRNK_DEPT SET DEPT_NUMBER = 'D2'",
                                           "DROP TABLE T_TRNK_MISSING", "DROP TABLE T_TRNK_MISSING"));
}

TEST_F(RecordsetHelpers, ExecuteSqlOnAClosedConnectionFailsWithoutThrowing) {
    gConnection().Close();
    std::string strError;
    EXPECT_FALSE(ExecuteSQL("DELETE FROM T_TRNK_DEPT", strError));
    EXPECT_FALSE(strError.empty());
}

TEST_F(RecordsetHelpers, CloseRecordsetToleratesEmptyUnopenedAndClosedRowSets) {
    RecordsetPtr empty;
    EXPECT_NO_THROW(CloseRecordset(empty));

    RecordsetPtr unopened = NewRecordset();
    EXPECT_NO_THROW(CloseRecordset(unopened));
    EXPECT_EQ(unopened, nullptr);

    RecordsetPtr closed = OpenClientRecordset("select * from T_TRNK_DEPT");
    closed->Close();
    EXPECT_NO_THROW(CloseRecordset(closed));
    EXPECT_EQ(closed, nullptr);
}

TEST_F(RecordsetHelpers, CloseRecordsetCancelsPendingAppendsAndEdits) {
    RecordsetPtr append = OpenServerRecordset("select * from T_TRNK_DEPT");
    append->AddNew();
    append->Set("DEPT_NUMBER", "never stored");
    CloseRecordset(append);

    {
        // Released on the way out of a failing step, without CloseRecordset.
        RecordsetPtr edit = OpenClientRecordset("select * from T_TRNK_DEPT");
        edit->Set("DEPT_NUMBER", "never written");
    }

    EXPECT_EQ(database.Scalar("select count(*) from T_TRNK_DEPT"), "1");
    EXPECT_EQ(database.Scalar("select DEPT_NUMBER from T_TRNK_DEPT"), "D1");
}

}  // namespace
}  // namespace tmigration::core
