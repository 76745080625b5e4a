// The ODBC engine's mechanics, run on a real driver: the SQLite ODBC driver, on statements that
// it understands. What a server adds (its key read-back, its dialect) is covered by the
// conformance suite against a real server.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SqliteOdbcDatabase.h"
#include "db/DbError.h"
#include "db/Engine.h"
#include "db/Recordset.h"
#include "db/engines/odbc/OdbcSession.h"

namespace tmigration::db {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using testing::SqliteOdbcDatabase;

class OdbcEngine : public ::testing::Test {
  protected:
    void SetUp() override {
        REQUIRE_SQLITE_ODBC();
        conn = database.Connect();
        conn->Execute(
            "CREATE TABLE T_SFC_GAGE (GAGE_ID INTEGER PRIMARY KEY AUTOINCREMENT, GAGE_NUMBER VARCHAR(40), "
            "PRICE DOUBLE, DUE DATETIME, GAGE_COUNT INTEGER)");
        conn->Execute(
            "INSERT INTO T_SFC_GAGE (GAGE_NUMBER, PRICE, DUE) VALUES ('G-1', 1.5, '2001-02-03 04:05:06')");
        conn->Execute("INSERT INTO T_SFC_GAGE (GAGE_NUMBER, PRICE) VALUES ('G-2', 2.25)");
        conn->Execute("INSERT INTO T_SFC_GAGE (GAGE_NUMBER) VALUES ('G-3')");
    }

    std::unique_ptr<Recordset> Open(const std::string& sql, int location = adUseClient) {
        auto rs = std::make_unique<Recordset>();
        rs->SetCursorLocation(location);
        rs->SetCursorType(location == adUseClient ? adOpenStatic : adOpenKeyset);
        rs->SetLockType(adLockOptimistic);
        rs->SetActiveConnection(conn.get());
        rs->Open(sql);
        return rs;
    }

    std::string Column(const std::string& sql) {
        auto rs = Open(sql);
        std::string out;
        for (; !rs->Eof(); rs->MoveNext())
            out += (out.empty() ? "" : ",") +
                   (rs->Fields(0).GetValue().IsNull() ? "NULL" : rs->Fields(0).GetValue().AsText());
        return out;
    }

    SqliteOdbcDatabase database;
    std::unique_ptr<Connection> conn;
};

TEST_F(OdbcEngine, ClientRowSetReadsEveryKindOfCellWithAnExactCount) {
    auto rs = Open("select * from T_SFC_GAGE order by GAGE_ID");
    EXPECT_EQ(rs->RecordCount(), 3);
    EXPECT_FALSE(rs->BOF());
    EXPECT_EQ(rs->Get("gage_id"), Value(1));
    EXPECT_EQ(rs->Get("GAGE_NUMBER"), Value("G-1"));
    EXPECT_EQ(rs->Get("PRICE"), Value(1.5));
    EXPECT_EQ(rs->Get("DUE"), Value(DateTime{2001, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(rs->Get("GAGE_COUNT").IsNull());
    EXPECT_EQ(rs->Fields("GAGE_ID").Type(), 3);
    EXPECT_EQ(rs->Fields("PRICE").Type(), 5);
    EXPECT_EQ(rs->Fields("DUE").Type(), 7);
    rs->MoveNext();
    rs->MoveNext();
    EXPECT_EQ(rs->Get("GAGE_NUMBER"), Value("G-3"));
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
}

TEST_F(OdbcEngine, AnEmptyResultIsAtBothEnds) {
    auto rs = Open("select * from T_SFC_GAGE where GAGE_ID = 99");
    EXPECT_TRUE(rs->BOF());
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(rs->RecordCount(), 0);
}

TEST_F(OdbcEngine, LongTextComesBackWhole) {
    const std::string text(10000, 'x');
    conn->Execute("CREATE TABLE T_NOTE (NOTE_ID INTEGER PRIMARY KEY, BODY TEXT)");
    auto rs = Open("select * from T_NOTE", adUseServer);
    rs->AddNew();
    rs->Set("BODY", text + "end");
    rs->Update();
    EXPECT_EQ(Column("select BODY from T_NOTE"), text + "end");
}

TEST_F(OdbcEngine, ServerRowSetCountsRowsItHasNotFetched) {
    for (int i = 0; i < 50; ++i) conn->Execute("INSERT INTO T_SFC_GAGE (GAGE_NUMBER) VALUES ('X')");
    auto rs = Open("select * from T_SFC_GAGE where GAGE_NUMBER = 'X' order by GAGE_ID", adUseServer);
    EXPECT_EQ(rs->RecordCount(), 50);
    EXPECT_EQ(rs->Get("GAGE_ID"), Value(4));
}

TEST_F(OdbcEngine, AppendedRowsGetTheKeysTheDatabaseAssigned) {
    conn->Execute("DELETE FROM T_SFC_GAGE WHERE GAGE_ID = 3");  // an autoincrement key is never reused
    auto rs = Open("select * from T_SFC_GAGE", adUseServer);
    for (const char* number : {"N-1", "N-2"}) {
        rs->AddNew();
        rs->Set("GAGE_NUMBER", number);
        rs->Set("DUE", DateTime{2020, 1, 2, 3, 4, 5});
        rs->Update();
    }
    EXPECT_EQ(rs->Get("GAGE_ID"), Value(5));
    EXPECT_EQ(rs->Get("GAGE_NUMBER"), Value("N-2"));
    EXPECT_EQ(Column("select GAGE_ID from T_SFC_GAGE where GAGE_NUMBER = 'N-1'"), "4");
    EXPECT_EQ(Column("select DUE from T_SFC_GAGE where GAGE_ID = 5"), "2020-01-02 03:04:05");
}

TEST_F(OdbcEngine, AKeyGivenByTheCallerIsTheRowsKey) {
    auto rs = Open("select * from T_SFC_GAGE", adUseServer);
    rs->AddNew();
    rs->Set("GAGE_ID", 40);
    rs->Set("GAGE_NUMBER", "K");
    rs->Update();
    EXPECT_EQ(rs->Get("GAGE_ID"), Value(40));
    EXPECT_EQ(Column("select GAGE_NUMBER from T_SFC_GAGE where GAGE_ID = 40"), "K");
}

TEST_F(OdbcEngine, UpdatesAndDeletesReachTheRowByItsKey) {
    auto rs = Open("select * from T_SFC_GAGE where GAGE_ID >= 2 order by GAGE_ID");
    rs->Set("GAGE_COUNT", 7);
    rs->Set("PRICE", Value());
    rs->Update();
    EXPECT_EQ(rs->Get("GAGE_COUNT"), Value(7));
    rs->MoveNext();
    rs->Delete();
    EXPECT_EQ(Column("select GAGE_ID || ':' || ifnull(PRICE, '-') || ':' || ifnull(GAGE_COUNT, '-') from "
                     "T_SFC_GAGE order by GAGE_ID"),
              "1:1.5:-,2:-:7");
}

TEST_F(OdbcEngine, AnUpdateOfARowDeletedMeanwhileFails) {
    auto rs = Open("select * from T_SFC_GAGE where GAGE_ID = 2");
    conn->Execute("DELETE FROM T_SFC_GAGE WHERE GAGE_ID = 2");
    rs->Set("GAGE_COUNT", 1);
    EXPECT_THROW(rs->Update(), DbError);
}

TEST_F(OdbcEngine, FindMovesToTheFirstMatchingRow) {
    auto rs = Open("select * from T_SFC_GAGE order by GAGE_ID");
    rs->Find("GAGE_NUMBER = 'G-2'");
    EXPECT_EQ(rs->Get("GAGE_ID"), Value(2));
    rs->Find("GAGE_ID > 2");
    EXPECT_EQ(rs->Get("GAGE_NUMBER"), Value("G-3"));
    rs->Find("GAGE_ID < 2");
    EXPECT_TRUE(rs->Eof());
}

// Rows the engine cannot find again by a key are read-only.
class ReadOnlyQuery : public OdbcEngine, public ::testing::WithParamInterface<const char*> {};

TEST_P(ReadOnlyQuery, RefusesWrites) {
    conn->Execute("CREATE TABLE T_PLAIN (NAME VARCHAR(10))");
    conn->Execute("INSERT INTO T_PLAIN (NAME) VALUES ('a')");
    auto rs = Open(GetParam());
    EXPECT_THROW(rs->Fields(0).SetValue(Value("b")), DbError);
}

INSTANTIATE_TEST_SUITE_P(Queries, ReadOnlyQuery,
                         ::testing::Values("select a.GAGE_NUMBER from T_SFC_GAGE a, T_PLAIN b",
                                           "select GAGE_NUMBER from T_SFC_GAGE",
                                           "select count(*) from T_SFC_GAGE", "select * from T_PLAIN",
                                           "select * from T_SFC_GAGE union select * from T_SFC_GAGE"));

TEST_F(OdbcEngine, TransactionsCommitOrRollBack) {
    conn->BeginTrans();
    conn->Execute("INSERT INTO T_SFC_GAGE (GAGE_NUMBER) VALUES ('gone')");
    conn->RollbackTrans();
    conn->BeginTrans();
    {
        auto rs = Open("select * from T_SFC_GAGE", adUseServer);
        rs->AddNew();
        rs->Set("GAGE_NUMBER", "kept");
        rs->Update();
    }
    conn->CommitTrans();
    EXPECT_EQ(Column("select GAGE_NUMBER from T_SFC_GAGE where GAGE_ID > 3"), "kept");
    EXPECT_FALSE(conn->Session().InTransaction());
}

TEST_F(OdbcEngine, AServerRowSetReadsOnAcrossACommit) {
    auto rs = Open("select * from T_SFC_GAGE order by GAGE_ID", adUseServer);
    conn->BeginTrans();
    conn->Execute("INSERT INTO T_SFC_GAGE (GAGE_NUMBER) VALUES ('G-4')");
    conn->CommitTrans();
    std::string seen;
    for (; !rs->Eof(); rs->MoveNext()) seen += rs->Get("GAGE_NUMBER").AsText() + ";";
    EXPECT_THAT(seen, ::testing::StartsWith("G-1;G-2;G-3;"));
}

struct MisuseCase {
    const char* name;
    void (*act)(Connection&);
    const char* message;
};

class TransactionMisuse : public OdbcEngine, public ::testing::WithParamInterface<MisuseCase> {};

TEST_P(TransactionMisuse, IsRefused) {
    try {
        GetParam().act(*conn);
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_STREQ(e.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TransactionMisuse,
    ::testing::Values(MisuseCase{"CommitWithoutBegin", [](Connection& c) { c.CommitTrans(); },
                                 "No transaction is active."},
                      MisuseCase{"RollbackWithoutBegin", [](Connection& c) { c.RollbackTrans(); },
                                 "No transaction is active."},
                      MisuseCase{"NestedBegin",
                                 [](Connection& c) {
                                     c.BeginTrans();
                                     c.BeginTrans();
                                 },
                                 "Transactions cannot be nested on this connection."}),
    [](const auto& info) { return std::string(info.param.name); });

// A statement the database refuses reports the driver's own diagnostic text, and the
// connection goes on working.
struct RefusedCase {
    const char* name;
    const char* sql;
    const char* driverSays;
};

class RefusedStatement : public OdbcEngine, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedStatement, CarriesTheDriversDiagnostic) {
    conn->Execute("CREATE UNIQUE INDEX K_GAGE_NUMBER ON T_SFC_GAGE (GAGE_NUMBER)");
    try {
        if (std::string(GetParam().sql).rfind("select", 0) == 0)
            Open(GetParam().sql);
        else
            conn->Execute(GetParam().sql);
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_THAT(e.what(), HasSubstr(GetParam().driverSays));
    }
    EXPECT_EQ(Column("select count(*) from T_SFC_GAGE"), "3");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedStatement,
    ::testing::Values(
        RefusedCase{"MissingTable", "DROP TABLE T_TRNK_NOPE", "no such table: T_TRNK_NOPE"},
        RefusedCase{"MissingTableInQuery", "select * from T_TRNK_NOPE", "no such table: T_TRNK_NOPE"},
        RefusedCase{"Syntax", "CREATE TABEL X (A INTEGER)", "syntax error"},
        RefusedCase{"DuplicateKey", "INSERT INTO T_SFC_GAGE (GAGE_NUMBER) VALUES ('G-1')", "UNIQUE"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OdbcEngine, AnAppendTheDatabaseRefusesReportsItAndAddsNothing) {
    conn->Execute("CREATE UNIQUE INDEX K_GAGE_NUMBER ON T_SFC_GAGE (GAGE_NUMBER)");
    auto rs = Open("select * from T_SFC_GAGE", adUseServer);
    rs->AddNew();
    rs->Set("GAGE_NUMBER", "G-2");
    EXPECT_THROW(rs->Update(), DbError);
    EXPECT_EQ(Column("select count(*) from T_SFC_GAGE"), "3");
}

TEST_F(OdbcEngine, ClosingWithATransactionOpenGivesItUp) {
    conn->BeginTrans();
    conn->Execute("INSERT INTO T_SFC_GAGE (GAGE_NUMBER) VALUES ('open')");
    auto rs = Open("select * from T_SFC_GAGE", adUseServer);
    conn->Close();
    conn = database.Connect();
    EXPECT_EQ(Column("select count(*) from T_SFC_GAGE"), "3");
}

// A connection that fails says why in the driver's words, and never shows the password, even
// where the driver manager echoes a part of the string that holds it.
struct ConnectCase {
    const char* name;
    const char* connection;
    const char* says;
};

class ConnectFailure : public ::testing::TestWithParam<ConnectCase> {};

TEST_P(ConnectFailure, NamesTheCauseButNotThePassword) {
    Connection c;
    c.SetDialect(Dialect::SqlServer);
    try {
        c.Open(GetParam().connection);
        FAIL() << "connected";
    } catch (const DbError& e) {
        EXPECT_THAT(e.what(), HasSubstr(GetParam().says));
        EXPECT_THAT(e.what(), Not(HasSubstr("Sw0rdfish")));
    }
    EXPECT_EQ(c.State(), adStateClosed);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, ConnectFailure,
    ::testing::Values(
        ConnectCase{"UnknownDriver", "Driver={No Such Driver};UID=sa;PWD=Sw0rdfish", "No Such Driver"},
        ConnectCase{"DriverNamedLikeThePassword", "Driver={Sw0rdfish};UID=sa;PWD=Sw0rdfish", "'********'"},
        ConnectCase{"UnknownDataSource", "DSN=NoSuchPlant;UID=sa;PWD=Sw0rdfish",
                    "Data source name not found"},
        ConnectCase{"OleDbStringWithAMissingDriver",
                    "Provider=SQLOLEDB;Driver={No Such Driver};Data Source=h;User ID=sa;Password=Sw0rdfish;",
                    "No Such Driver"},
        ConnectCase{"OracleStringWithoutDatabase", "Provider=OraOLEDB.Oracle;User ID=shop;Password=Sw0rdfish",
                    "names no Oracle database"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tmigration::db

namespace tmigration::db::odbc {
namespace {

// Drivers that run one statement at a time, or close cursors at a commit, still give a row set
// every row of its query while the connection runs other statements in between.
class LimitedDriver : public ::testing::TestWithParam<DriverLimits> {
  protected:
    void SetUp() override {
        REQUIRE_SQLITE_ODBC();
        session = std::make_unique<OdbcSession>(database.ConnectionString(), database.ConnectionString(),
                                                Dialect::SqlServer, GetParam());
        session->Execute("CREATE TABLE T_SFC_X (X_ID INTEGER PRIMARY KEY AUTOINCREMENT, N INTEGER)");
        for (int i = 1; i <= 5; ++i)
            session->Execute("INSERT INTO T_SFC_X (N) VALUES (" + std::to_string(i) + ")");
    }
    testing::SqliteOdbcDatabase database;
    std::unique_ptr<OdbcSession> session;
};

TEST_P(LimitedDriver, RowSetsKeepTheirRowsAcrossOtherStatementsAndCommits) {
    auto first = session->Query("select * from T_SFC_X order by X_ID");
    auto second = session->Query("select N from T_SFC_X where N > 3 order by N");
    Row row;
    ASSERT_TRUE(first->Fetch(row));
    EXPECT_EQ(row.id, 1);
    session->BeginTrans();
    const RowId added = session->InsertRow("T_SFC_X", {"N"}, {Value(6)});
    session->UpdateRow("T_SFC_X", 2, {"N"}, {Value(20)});
    session->CommitTrans();
    EXPECT_EQ(added, 6);
    // Whether a row added after the query ran shows up is the driver's affair; the rows the
    // query had must all come, in their order.
    std::vector<RowId> rest;
    while (first->Fetch(row)) rest.push_back(row.id);
    ASSERT_GE(rest.size(), 4u);
    EXPECT_THAT(std::vector<RowId>(rest.begin(), rest.begin() + 4), ::testing::ElementsAre(2, 3, 4, 5));
    std::vector<std::int64_t> high;
    while (second->Fetch(row)) high.push_back(row.values[0].AsInteger());
    ASSERT_GE(high.size(), 2u);
    EXPECT_EQ(high[0], 4);
    EXPECT_EQ(high[1], 5);
    EXPECT_EQ(session->CountRows("select * from T_SFC_X order by X_ID"), 6);
}

TEST_P(LimitedDriver, ACursorOutlivingItsSessionKeepsWhatItRead) {
    auto cursor = session->Query("select * from T_SFC_X");
    session->BeginTrans();
    session->Execute("DELETE FROM T_SFC_X WHERE N = 99");
    session->CommitTrans();
    session.reset();
    Row row;
    int count = 0;
    while (cursor->Fetch(row)) ++count;
    // Where the driver's limits made the engine read the rows ahead they are all there; otherwise
    // they went with the session.
    const bool readAhead = GetParam().oneStatementAtATime.value() || GetParam().commitClosesCursors.value();
    EXPECT_EQ(count, readAhead ? 5 : 0);
}

INSTANTIATE_TEST_SUITE_P(Limits, LimitedDriver,
                         ::testing::Values(DriverLimits{true, false}, DriverLimits{false, true},
                                           DriverLimits{true, true}, DriverLimits{false, false}),
                         [](const auto& info) {
                             return std::string(info.param.oneStatementAtATime.value() ? "OneStatement"
                                                                                       : "Many") +
                                    (info.param.commitClosesCursors.value() ? "CommitCloses" : "CommitKeeps");
                         });

}  // namespace
}  // namespace tmigration::db::odbc
