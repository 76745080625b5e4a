// The engine's prepared statements are shared with their holders: a cache emptied by its size
// limit, by DDL or by a rollback while a row set still reads and appends never leaves anyone with
// a statement that was freed (the sanitizer build would report it).
#include <gtest/gtest.h>

#include "TempDatabase.h"
#include "db/Recordset.h"

namespace tmigration::db {
namespace {

using tmigration::testing::TempDatabase;

TEST(EmbeddedStatementCache, RowSetsOutliveCacheEvictionDdlAndRollback) {
    TempDatabase db;
    auto conn = db.Connect(Dialect::Oracle);
    std::string columns;
    for (int c = 0; c < 20; ++c) columns += ", C" + std::to_string(c) + " NUMBER(10,0)";
    conn->Execute("CREATE TABLE T_SFC_W (W_ID NUMBER(10,0) NOT NULL PRIMARY KEY" + columns + ")");
    conn->Execute("CREATE SEQUENCE S_SFC_W INCREMENT BY 1 START WITH 1");
    conn->Execute(
        "CREATE TRIGGER TR_SFC_W BEFORE INSERT OR UPDATE ON T_SFC_W FOR EACH ROW BEGIN   IF INSERTING THEN   "
        "  "
        "SELECT S_SFC_W.NEXTVAL INTO :NEW.W_ID FROM DUAL;   ELSE     :NEW.W_ID := :OLD.W_ID;   END IF; END;");
    Recordset reader, writer;
    for (Recordset* rs : {&reader, &writer}) {
        rs->SetCursorLocation(adUseServer);
        rs->SetLockType(adLockOptimistic);
        rs->SetActiveConnection(conn.get());
    }
    writer.Open("select * from T_SFC_W");
    // Every pair of touched columns is another insert statement: several hundred shapes, more
    // than the cache keeps, with tables created and dropped and a rollback among them.
    int rows = 0;
    conn->BeginTrans();
    for (int a = 0; a < 20; ++a) {
        for (int b = a + 1; b < 20; ++b, ++rows) {
            writer.AddNew();
            writer.Set("C" + std::to_string(a), a);
            writer.Set("C" + std::to_string(b), b);
            writer.Update();
            ASSERT_EQ(writer.Get("W_ID").AsInteger(), rows + 1);
        }
        if (a < 5) {
            conn->Execute("CREATE TABLE T_SFC_TMP" + std::to_string(a) + " (X NUMBER(10,0))");
            conn->Execute("DROP TABLE T_SFC_TMP" + std::to_string(a));
        }
        // SQLite drops no table while a query still reads: the reader opens once the DDL is done.
        if (a == 5) reader.Open("select * from T_SFC_W where W_ID > 0");
    }
    conn->CommitTrans();
    conn->BeginTrans();
    conn->Execute("DELETE FROM T_SFC_W WHERE W_ID > 100");
    conn->RollbackTrans();
    int read = 0;
    for (; !reader.Eof(); reader.MoveNext()) ++read;
    EXPECT_GE(read, 99);  // the rows there when it opened
    EXPECT_LE(read, rows);
    EXPECT_EQ(writer.RecordCount(), rows);
}

}  // namespace
}  // namespace tmigration::db
