#include "db/Recordset.h"

#include <gtest/gtest.h>

#include <set>

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

TEST_P(RecordsetTest, AppendingWhileRowsRemainUnreadSeesEachRowOnce) {
    // Appending before the unread rows are fetched: the live query meets the new rows too.
    for (int i = 0; i < 40; ++i) conn_->Execute("INSERT INTO T_TRNK_PART (PART_NUMBER) VALUES ('old')");
    auto rs = Open("select * from T_TRNK_PART");
    for (int i = 0; i < 2000; ++i) {
        rs->AddNew();
        rs->Set("PART_NUMBER", "new");
        rs->Update();
        if (i % 100 == 0) {
            // An explicit key off the run keeps the set of appended keys honest about gaps.
            rs->AddNew();
            rs->Set("PART_ID", -1 - i);
            rs->Update();
        }
    }
    EXPECT_EQ(rs->RecordCount(), 43 + 2000 + 20);
    rs->MoveFirst();
    std::set<std::int64_t> seen;
    std::size_t rows = 0;
    for (; !rs->Eof(); rs->MoveNext(), ++rows) seen.insert(rs->Get("PART_ID").AsInteger());
    EXPECT_EQ(rows, 43u + 2000 + 20);
    EXPECT_EQ(seen.size(), rows);
}

INSTANTIATE_TEST_SUITE_P(Cursor, RecordsetTest, ::testing::Values(adUseClient, adUseServer),
                         [](const auto& info) { return info.param == adUseClient ? "Client" : "Server"; });

TEST(Recordset, AServerRowSetAppendingManyRowsHoldsOnlyAWindow) {
    TempDatabase db;
    auto conn = db.Connect(Dialect::SqlServer);
    conn->Execute("CREATE TABLE T_SFC_X (X_ID INTEGER IDENTITY(1,1) NOT NULL PRIMARY KEY, N INTEGER)");
    conn->Execute("INSERT INTO T_SFC_X (N) VALUES (0)");
    Recordset rs;
    rs.SetCursorLocation(adUseServer);
    rs.SetCursorType(adOpenKeyset);
    rs.SetLockType(adLockOptimistic);
    rs.SetActiveConnection(conn.get());
    rs.Open("select * from T_SFC_X");
    std::size_t most = 0;
    for (int i = 1; i <= 5000; ++i) {
        rs.AddNew();
        rs.Set("N", i);
        rs.Update();
        ASSERT_EQ(rs.Get("X_ID").AsInteger(), i + 1);
        most = std::max(most, rs.BufferedRows());
    }
    EXPECT_LE(most, 2u);
    // Walking the rows again reads them from the table, still one window at a time.
    rs.MoveFirst();
    std::int64_t sum = 0;
    for (; !rs.Eof(); rs.MoveNext()) {
        sum += rs.Get("N").AsInteger();
        most = std::max(most, rs.BufferedRows());
    }
    EXPECT_EQ(sum, 5000LL * 5001 / 2);
    EXPECT_LE(most, 1025u);
    EXPECT_EQ(rs.RecordCount(), 5001);
}

// A static row set over a table far larger than the rows it keeps in memory: every row is read back,
// edits and deletions survive the trip through the temporary file, and what the connection writes
// after the open stays out of the snapshot.
TEST(Recordset, AClientRowSetOverALargeTableKeepsItsSnapshotWithFewRowsInMemory) {
    TempDatabase db;
    auto conn = db.Connect(Dialect::Access);
    conn->Execute(
        "CREATE TABLE T_TRNK_X (X_ID COUNTER NOT NULL PRIMARY KEY, N INTEGER, NAME VARCHAR(50), "
        "MADE DATETIME, SFC_ID INTEGER)");
    constexpr int kRows = 20000;
    conn->BeginTrans();
    for (int i = 1; i <= kRows; ++i)
        conn->Execute("INSERT INTO T_TRNK_X (N, NAME, MADE) VALUES (" + std::to_string(i) + ", " +
                      (i % 7 == 0 ? std::string("Null") : "'name " + std::to_string(i) + "'") +
                      ", #1/2/2003#)");
    conn->CommitTrans();

    Recordset rs;
    rs.SetCursorLocation(adUseClient);
    rs.SetCursorType(adOpenStatic);
    rs.SetLockType(adLockOptimistic);
    rs.SetActiveConnection(conn.get());
    rs.Open("SELECT * FROM T_TRNK_X ORDER BY N DESC");
    const std::size_t bound = RowStore::kResidentBlocks * RowStore::kBlockRows;
    EXPECT_LE(rs.BufferedRows(), bound);
    conn->Execute("INSERT INTO T_TRNK_X (N) VALUES (0)");  // after the open: not in the snapshot

    // Write a key back into every row and delete every tenth, as a transfer does.
    int expected = kRows;
    for (; !rs.Eof(); rs.MoveNext(), --expected) {
        ASSERT_EQ(rs.Get("N").AsInteger(), expected);
        rs.Set("SFC_ID", expected * 2);
        rs.Update();
        if (expected % 10 == 0) rs.Delete();
        EXPECT_LE(rs.BufferedRows(), bound);
    }
    EXPECT_EQ(expected, 0);
    EXPECT_EQ(rs.RecordCount(), kRows - kRows / 10);

    rs.MoveFirst();
    std::int64_t seen = 0, keys = 0;
    for (; !rs.Eof(); rs.MoveNext(), ++seen) {
        const std::int64_t n = rs.Get("N").AsInteger();
        ASSERT_NE(n % 10, 0) << "a deleted row came back";
        ASSERT_EQ(rs.Get("SFC_ID").AsInteger(), n * 2);
        ASSERT_EQ(rs.Get("NAME").IsNull(), n % 7 == 0);
        ASSERT_EQ(rs.Get("MADE").AsDateTime(), (DateTime{2003, 1, 2, 0, 0, 0}));
        keys += rs.Get("SFC_ID").AsInteger();
    }
    EXPECT_EQ(seen, kRows - kRows / 10);
    EXPECT_EQ(keys, 2 * (std::int64_t{kRows} * (kRows + 1) / 2 -
                         10 * (std::int64_t{kRows / 10} * (kRows / 10 + 1) / 2)));
    // The database holds what the row set wrote.
    Recordset count;
    count.SetActiveConnection(conn.get());
    count.Open("SELECT COUNT(*) AS C FROM T_TRNK_X WHERE SFC_ID = N * 2");
    EXPECT_EQ(count.Get("C").AsInteger(), kRows - kRows / 10);
    // Find walks the spilled rows too.
    rs.MoveFirst();
    rs.Find("N = 3");
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Get("SFC_ID").AsInteger(), 6);
}

TEST(Recordset, OracleAppendReadsBackTheKeyTheTriggerStoredNotTheOneSupplied) {
    TempDatabase db;
    auto conn = db.Connect(Dialect::Oracle);
    for (const char* sql : {"CREATE TABLE T_SFC_Y (Y_ID NUMBER(10,0) NOT NULL, NAME VARCHAR2(10))",
                            "CREATE SEQUENCE S_SFC_Y INCREMENT BY 1 START WITH 1",
                            "CREATE TRIGGER TR_SFC_Y BEFORE INSERT OR UPDATE ON T_SFC_Y FOR EACH ROW BEGIN   "
                            "IF INSERTING THEN     "
                            "SELECT S_SFC_Y.NEXTVAL INTO :NEW.Y_ID FROM DUAL;   ELSE     :NEW.Y_ID := "
                            ":OLD.Y_ID;   END IF; END;"})
        conn->Execute(sql);
    for (bool withKey : {false, true}) {
        if (withKey) conn->Execute("ALTER TABLE T_SFC_Y ADD ( CONSTRAINT K_SFC_Y PRIMARY KEY (Y_ID))");
        Recordset rs;
        rs.SetCursorLocation(adUseServer);
        rs.SetLockType(adLockOptimistic);
        rs.SetActiveConnection(conn.get());
        rs.Open("select * from T_SFC_Y where Y_ID = 0");
        for (int supplied : {500, 7}) {
            rs.AddNew();
            rs.Set("Y_ID", supplied);
            rs.Set("NAME", withKey ? "keyed" : "plain");
            rs.Update();
            const std::int64_t stored = rs.Get("Y_ID").AsInteger();
            EXPECT_NE(stored, supplied);
            Recordset check;
            check.SetCursorLocation(adUseClient);
            check.SetActiveConnection(conn.get());
            check.Open("select NAME from T_SFC_Y where Y_ID = " + std::to_string(stored));
            ASSERT_FALSE(check.Eof()) << "no row under the key read back, " << stored;
            EXPECT_EQ(check.Get("NAME").AsText(), withKey ? "keyed" : "plain");
        }
    }
}

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
