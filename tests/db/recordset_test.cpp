#include "db/Recordset.h"

#include <gtest/gtest.h>

#include "TempDatabase.h"
#include "db/Command.h"
#include "db/DbError.h"

namespace tmigration::db {
namespace {

using tmigration::testing::TempDatabase;

class RecordsetTest : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        conn_ = db_.Connect(Dialect::Access);
        conn_->Execute(
            "CREATE TABLE T_TRNK_PART (PART_ID COUNTER NOT NULL PRIMARY KEY, PART_NUMBER VARCHAR(50), QTY "
            "DOUBLE, "
            "MADE DATETIME)");
        for (const char* n : {"'P-1'", "'P-2'", "'p-3'"})
            conn_->Execute(std::string("INSERT INTO T_TRNK_PART (PART_NUMBER, QTY) VALUES (") + n + ", 1.5)");
    }
    std::unique_ptr<Recordset> Open(const std::string& sql) {
        auto rs = std::make_unique<Recordset>();
        rs->SetCursorLocation(GetParam());
        rs->SetCursorType(GetParam() == adUseClient ? adOpenStatic : adOpenKeyset);
        rs->SetLockType(adLockOptimistic);
        rs->SetActiveConnection(conn_.get());
        rs->Open(sql);
        return rs;
    }
    TempDatabase db_;
    std::unique_ptr<Connection> conn_;
};

TEST_P(RecordsetTest, WalksRowsInKeyOrderWithFieldsByNameAndPosition) {
    auto rs = Open("select * from T_TRNK_PART");
    EXPECT_FALSE(rs->BOF());
    std::vector<std::int64_t> ids;
    for (; !rs->Eof(); rs->MoveNext()) ids.push_back(rs->Get("part_id").AsInteger());
    EXPECT_EQ(ids, (std::vector<std::int64_t>{1, 2, 3}));
    rs->MoveFirst();
    EXPECT_EQ(rs->Fields(1).GetValue().AsText(), "P-1");
    EXPECT_EQ(rs->Fields(0).Type(), 3);
    EXPECT_EQ(rs->Fields("QTY").Type(), 5);
    EXPECT_EQ(rs->Fields("MADE").Type(), 7);
    EXPECT_EQ(rs->RecordCount(), 3);
    EXPECT_THROW(rs->Fields("NOPE"), DbError);
}

TEST_P(RecordsetTest, AddNewReadsBackTheAssignedKeyAndNumbersAreNeverReused) {
    conn_->Execute("DELETE FROM T_TRNK_PART WHERE PART_ID = 3");
    auto rs = Open("select * from T_TRNK_PART");
    rs->AddNew();
    EXPECT_EQ(rs->EditMode(), adEditAdd);
    rs->Set("PART_NUMBER", "P-9");
    rs->Set("MADE", DateTime{2001, 2, 3, 4, 5, 6});
    rs->Update();
    EXPECT_EQ(rs->Get("PART_ID").AsInteger(), 4);
    EXPECT_EQ(rs->Get("MADE").AsDateTime(), (DateTime{2001, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(rs->Get("QTY").IsNull());
    EXPECT_EQ(rs->EditMode(), adEditNone);
}

TEST_P(RecordsetTest, EditUpdateDeleteAndCancel) {
    auto rs = Open("select * from T_TRNK_PART  where PART_ID > 1 ");
    rs->Set("QTY", 7);
    EXPECT_EQ(rs->EditMode(), adEditInProgress);
    rs->CancelUpdate();
    EXPECT_DOUBLE_EQ(rs->Get("QTY").AsDouble(), 1.5);
    rs->Set("QTY", 7);
    rs->Update();
    rs->MoveNext();
    rs->Delete();
    EXPECT_THROW(rs->Get("QTY"), DbError);
    rs->Close();
    auto check = Open("select * from T_TRNK_PART");
    EXPECT_EQ(check->RecordCount(), 2);
    check->MoveNext();
    EXPECT_DOUBLE_EQ(check->Get("QTY").AsDouble(), 7.0);
}

TEST_P(RecordsetTest, FindMovesForwardFromTheCurrentRow) {
    auto rs = Open("select * from T_TRNK_PART");
    rs->Find("PART_NUMBER = 'P-3'");  // Jet compares text without regard to case
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Get("PART_ID").AsInteger(), 3);
    rs->Find("PART_ID < 3");
    EXPECT_TRUE(rs->Eof());
    rs->MoveFirst();
    rs->Find("PART_ID >= 2");
    EXPECT_EQ(rs->Get("PART_ID").AsInteger(), 2);
    rs->Find("PART_ID <> 2");
    EXPECT_EQ(rs->Get("PART_ID").AsInteger(), 3);
}

TEST_P(RecordsetTest, DeleteLoopWithRequeryEmptiesTheSelection) {
    auto rs = Open("select * from T_TRNK_PART  where QTY = 1.5 order by PART_ID DESC ");
    while (!rs->Eof()) {
        rs->MoveFirst();
        rs->Delete();
        rs->Update();
        rs->Requery();
    }
    EXPECT_EQ(rs->RecordCount(), 0);
    EXPECT_TRUE(rs->BOF());
}

TEST_P(RecordsetTest, JoinedRowsAreReadOnly) {
    auto rs =
        Open("select a.PART_ID, b.PART_NUMBER from T_TRNK_PART a, T_TRNK_PART b where a.PART_ID = b.PART_ID");
    EXPECT_THROW(rs->Set("PART_NUMBER", "x"), DbError);
    EXPECT_THROW(rs->AddNew(), DbError);
}

TEST_P(RecordsetTest, AppendingThroughAnOpenRowSetDoesNotRepeatRows) {
    auto rs = Open("select * from T_TRNK_PART");
    for (int i = 0; i < 3; ++i) {
        rs->AddNew();
        rs->Set("PART_NUMBER", "N" + std::to_string(i));
        rs->Update();
    }
    rs->MoveFirst();
    int n = 0;
    for (; !rs->Eof(); rs->MoveNext()) ++n;
    EXPECT_EQ(n, 6);
}

INSTANTIATE_TEST_SUITE_P(Cursor, RecordsetTest, ::testing::Values(adUseClient, adUseServer),
                         [](const auto& info) { return info.param == adUseClient ? "Client" : "Server"; });

TEST(Recordset, ClosedObjectsAndMissingConnectionsReportReadableErrors) {
    Recordset rs;
    EXPECT_THROW(rs.Open("select 1"), DbError);
    EXPECT_EQ(rs.State(), adStateClosed);
    EXPECT_THROW(rs.Eof(), DbError);
    Command cmd;
    cmd.SetCommandText("select 1");
    EXPECT_THROW(cmd.Execute(), DbError);
}

}  // namespace
}  // namespace tmigration::db
