// A search repeated by a column no index leads gets an index of the engine's own: the rows found stay
// exactly what a scan finds (case rules of the dialect included), searches that are not a plain
// search by one column get none, and a row set reading the table meanwhile is not disturbed.
#include <gtest/gtest.h>

#include "TempDatabase.h"
#include "db/DbError.h"
#include "db/Recordset.h"

namespace tmigration::db {
namespace {

using tmigration::testing::TempDatabase;

class LookupIndex : public ::testing::TestWithParam<Dialect> {
  protected:
    void SetUp() override {
        conn_ = db_.Connect(GetParam());
        conn_->Execute(
            "CREATE TABLE T_TRNK_PART (PART_ID INTEGER NOT NULL PRIMARY KEY, PART_NUMBER VARCHAR(40), "
            "PARTTYPE_ID INTEGER)");
        conn_->BeginTrans();
        for (int i = 1; i <= 300; ++i)
            conn_->Execute("INSERT INTO T_TRNK_PART (PART_ID, PART_NUMBER, PARTTYPE_ID) VALUES (" +
                           std::to_string(i) + ", 'P-" + std::to_string(i) + "', " + std::to_string(i % 3) +
                           ")");
        conn_->CommitTrans();
    }
    std::vector<std::int64_t> Ids(const std::string& sql) {
        Recordset rs;
        rs.SetCursorLocation(adUseClient);
        rs.SetActiveConnection(conn_.get());
        rs.Open(sql);
        std::vector<std::int64_t> ids;
        for (; !rs.Eof(); rs.MoveNext()) ids.push_back(rs.Get("PART_ID").AsInteger());
        return ids;
    }
    std::int64_t LookupIndexes() {
        Recordset rs;
        rs.SetActiveConnection(conn_.get());
        rs.Open(
            "select COUNT(*) AS N from sqlite_master where type = 'index' and name like '/_tm/_lookup/_%' "
            "escape "
            "'/'");
        return rs.Get("N").AsInteger();
    }
    TempDatabase db_;
    std::unique_ptr<Connection> conn_;
};

TEST_P(LookupIndex, RepeatedSearchesByANumberGetAnIndexAndFindTheSameRows) {
    const bool caseSensitive = GetParam() == Dialect::Oracle;
    // A reader part-way through the table while the index appears.
    Recordset reader;
    reader.SetCursorLocation(adUseServer);
    reader.SetActiveConnection(conn_.get());
    reader.Open("select PART_ID from T_TRNK_PART where PARTTYPE_ID >= 0");
    int read = 0;
    for (int round = 0; round < 2; ++round) {
        for (int i = 1; i <= 40; ++i) {
            const std::string n = std::to_string(i * 7);
            EXPECT_EQ(Ids("select PART_ID, PARTTYPE_ID from T_TRNK_PART  where PART_NUMBER = 'P-" + n + "'"),
                      std::vector<std::int64_t>{i * 7});
            // The dialect's case rule holds before and after the index.
            EXPECT_EQ(
                Ids("select PART_ID, PARTTYPE_ID from T_TRNK_PART  where PART_NUMBER = 'p-" + n + "'").size(),
                caseSensitive ? 0u : 1u);
            if (!reader.Eof()) {
                reader.MoveNext();
                ++read;
            }
        }
    }
    for (; !reader.Eof(); reader.MoveNext()) ++read;
    EXPECT_EQ(read, 300);
    EXPECT_EQ(LookupIndexes(), 1);
    conn_->Execute("ALTER TABLE T_TRNK_PART DROP COLUMN PART_NUMBER");
    EXPECT_EQ(LookupIndexes(), 0);
}

TEST_P(LookupIndex, SearchesThatAreNotByOneColumnGetNone) {
    for (int i = 1; i <= 40; ++i) {
        const std::string n = std::to_string(i);
        // OR at the top level, a range, a key column already indexed, a join.
        EXPECT_EQ(Ids("select PART_ID from T_TRNK_PART where PART_NUMBER = 'P-" + n + "' or PARTTYPE_ID = 7")
                      .size(),
                  1u);
        EXPECT_EQ(Ids("select PART_ID from T_TRNK_PART where PARTTYPE_ID > " + n).empty(), i >= 2);
        EXPECT_EQ(Ids("select PART_ID from T_TRNK_PART where PART_ID = " + n).size(), 1u);
        EXPECT_EQ(Ids("select A.PART_ID from T_TRNK_PART A, T_TRNK_PART B where A.PART_ID = B.PART_ID and "
                      "B.PART_NUMBER = 'P-" +
                      n + "'")
                      .size(),
                  1u);
    }
    EXPECT_EQ(LookupIndexes(), 0);
}

// Every deleted row is checked against the rows pointing at it; those columns get an index at the
// first delete, and the check still refuses a row in use and lets an unused one go.
TEST_P(LookupIndex, DeletesIndexTheColumnsThatPointAtTheTable) {
    conn_->Execute(
        "CREATE TABLE T_TRNK_HISTORY (HISTORY_ID INTEGER NOT NULL PRIMARY KEY, PART_ID INTEGER, "
        "PREV_HIST_ID INTEGER)");
    conn_->Execute(
        "ALTER TABLE T_TRNK_HISTORY ADD CONSTRAINT FK_HIST_PART FOREIGN KEY (PART_ID) REFERENCES "
        "T_TRNK_PART (PART_ID)");
    conn_->Execute(
        "ALTER TABLE T_TRNK_HISTORY ADD CONSTRAINT FK_HIST_PREV FOREIGN KEY (PREV_HIST_ID) "
        "REFERENCES T_TRNK_HISTORY (HISTORY_ID)");
    conn_->Execute("INSERT INTO T_TRNK_HISTORY (HISTORY_ID, PART_ID, PREV_HIST_ID) VALUES (1, 5, NULL)");
    conn_->Execute("INSERT INTO T_TRNK_HISTORY (HISTORY_ID, PART_ID, PREV_HIST_ID) VALUES (2, 6, 1)");
    EXPECT_EQ(LookupIndexes(), 0);

    EXPECT_THROW(conn_->Execute("DELETE FROM T_TRNK_PART WHERE PART_ID IN (4, 5)"), DbError);
    EXPECT_EQ(Ids("select PART_ID from T_TRNK_PART where PART_ID IN (4, 5)").size(), 2u);
    conn_->Execute("DELETE FROM T_TRNK_PART WHERE PART_ID = 4");
    EXPECT_EQ(LookupIndexes(), 1);  // HISTORY.PART_ID
    EXPECT_THROW(conn_->Execute("delete from T_TRNK_HISTORY where HISTORY_ID = 1"), DbError);
    conn_->Execute("delete T_TRNK_HISTORY where HISTORY_ID = 2");
    EXPECT_EQ(LookupIndexes(), 2);  // and HISTORY.PREV_HIST_ID
    EXPECT_EQ(Ids("select PART_ID from T_TRNK_PART").size(), 299u);

    // A column the engine indexed can still be dropped, and its index goes with it.
    conn_->Execute("ALTER TABLE T_TRNK_HISTORY DROP CONSTRAINT FK_HIST_PREV");
    conn_->Execute("ALTER TABLE T_TRNK_HISTORY DROP COLUMN PREV_HIST_ID");
    EXPECT_EQ(LookupIndexes(), 1);
}

INSTANTIATE_TEST_SUITE_P(Dialects, LookupIndex,
                         ::testing::Values(Dialect::Access, Dialect::SqlServer, Dialect::Oracle),
                         [](const auto& info) {
                             std::string name(DialectName(info.param));
                             std::erase(name, ' ');
                             return name;
                         });

}  // namespace
}  // namespace tmigration::db
