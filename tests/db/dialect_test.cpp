// The statement forms of each dialect the migration sends, run on a real embedded database.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "TempDatabase.h"
#include "db/DbError.h"
#include "db/Recordset.h"

namespace tmigration::db {
namespace {

using tmigration::testing::TempDatabase;

class DialectTest : public ::testing::Test {
  protected:
    void Use(Dialect d) { conn_ = db_.Connect(d); }
    void Run(const std::string& sql) { conn_->Execute(sql); }
    std::string Error(const std::string& sql) {
        try {
            conn_->Execute(sql);
        } catch (const DbError& e) {
            return e.what();
        }
        return "(no error)";
    }
    // The first column of every row, as text, joined by ",".
    std::string Column(const std::string& sql) {
        Recordset rs;
        rs.SetCursorLocation(adUseClient);
        rs.SetActiveConnection(conn_.get());
        rs.Open(sql);
        std::string out;
        for (; !rs.Eof(); rs.MoveNext()) {
            const Value& v = rs.Fields(std::size_t{0}).GetValue();
            out += (out.empty() ? "" : ",") + (v.IsNull() ? std::string("NULL") : v.AsText());
        }
        return out;
    }
    TempDatabase db_;
    std::unique_ptr<Connection> conn_;
};

// ---- per-dialect schema scripts --------------------------------------------------------------

struct Script {
    const char* name;
    Dialect dialect;
    std::vector<std::string> ddl;
};

const Script kScripts[] = {
    {"Access",
     Dialect::Access,
     {"CREATE TABLE T_TRNK_PTYPE (PTYPE_ID COUNTER NOT NULL PRIMARY KEY, PTYPE_NAME VARCHAR(50), [PASSWORD] "
      "VARCHAR(20), [PRECISION] INTEGER, NOTES MEMO, QTY DOUBLE, MADE DATETIME, L LONG)",
      "CREATE UNIQUE INDEX K_TRNK_PTYPENAME ON T_TRNK_PTYPE (PTYPE_NAME)",
      "CREATE TABLE T_TRNK_PART (PART_ID COUNTER NOT NULL PRIMARY KEY, PTYPE_ID INTEGER)",
      "ALTER TABLE T_TRNK_PART ADD CONSTRAINT FK_PART_PTYPE FOREIGN KEY (PTYPE_ID) REFERENCES "
      "T_TRNK_PTYPE "}},
    {"SqlServer",
     Dialect::SqlServer,
     {"CREATE TABLE T_TRNK_PTYPE (PTYPE_ID INTEGER IDENTITY(1,1) NOT NULL PRIMARY KEY, PTYPE_NAME "
      "VARCHAR(50), "
      "[PASSWORD] VARCHAR(20), [PRECISION] INTEGER, NOTES TEXT, QTY NUMERIC(10,4), MADE DATETIME, L INTEGER)",
      "CREATE UNIQUE INDEX K_TRNK_PTYPENAME ON T_TRNK_PTYPE (PTYPE_NAME)",
      "CREATE TABLE T_TRNK_PART (PART_ID INTEGER IDENTITY(1,1) PRIMARY KEY, PTYPE_ID INTEGER)",
      "ALTER TABLE T_TRNK_PART ADD CONSTRAINT FK_PART_PTYPE FOREIGN KEY (PTYPE_ID) REFERENCES "
      "T_TRNK_PTYPE "}},
    {"Oracle",
     Dialect::Oracle,
     {"CREATE TABLE T_TRNK_PTYPE (PTYPE_ID NUMBER(10,0) NOT NULL, PTYPE_NAME VARCHAR2(50), PASSWORD "
      "VARCHAR2(20), "
      "PRECISION NUMBER(10,0), NOTES LONG, QTY NUMBER(10,4), MADE DATE, L NUMBER(10,0))",
      "CREATE UNIQUE INDEX K_TRNK_PTYPE ON T_TRNK_PTYPE (PTYPE_ID)",
      "ALTER TABLE T_TRNK_PTYPE ADD ( CONSTRAINT K_TRNK_PTYPE PRIMARY KEY (PTYPE_ID))",
      "CREATE UNIQUE INDEX K_TRNK_PTYPENAME ON T_TRNK_PTYPE (PTYPE_NAME)",
      "CREATE SEQUENCE S_TRNK_PTYPE INCREMENT BY 1 START WITH 1",
      "CREATE TRIGGER TR_TRNK_PTYPE BEFORE INSERT OR UPDATE ON T_TRNK_PTYPE FOR EACH ROW BEGIN   IF "
      "INSERTING THEN  "
      "   SELECT S_TRNK_PTYPE.NEXTVAL INTO :NEW.PTYPE_ID FROM DUAL;   ELSE     :NEW.PTYPE_ID := "
      ":OLD.PTYPE_ID;   END "
      "IF; END;",
      "CREATE TABLE T_TRNK_PART (PART_ID NUMBER(10,0) NOT NULL PRIMARY KEY, PTYPE_ID NUMBER(10,0))",
      "CREATE SEQUENCE S_TRNK_PART MINVALUE 1 INCREMENT BY 1 START WITH 1 CACHE 5 NOCYCLE",
      "CREATE OR REPLACE TRIGGER TR_TRNK_PART BEFORE INSERT OR UPDATE ON T_TRNK_PART FOR EACH ROW BEGIN   IF "
      "INSERTING THEN     SELECT S_TRNK_PART.NEXTVAL INTO :NEW.PART_ID FROM DUAL;   ELSE     :NEW.PART_ID := "
      ":OLD.PART_ID;   END IF; END;",
      "ALTER TABLE T_TRNK_PART ADD ( CONSTRAINT FK_PART_PTYPE FOREIGN KEY (PTYPE_ID) REFERENCES "
      "T_TRNK_PTYPE) "}},
};

class SchemaScript : public DialectTest, public ::testing::WithParamInterface<Script> {
  protected:
    void SetUp() override {
        Use(GetParam().dialect);
        for (const auto& s : GetParam().ddl) Run(s);
    }
    bool IsOracle() const { return GetParam().dialect == Dialect::Oracle; }
    std::string DateLiteral(const char* iso) const {
        switch (GetParam().dialect) {
            case Dialect::Access:
                return std::string("#") + iso + "#";
            case Dialect::SqlServer:
                return std::string("CAST('") + iso + "' AS DATETIME)";
            case Dialect::Oracle:
                break;
        }
        return "TO_DATE('01/02/1970 06:00:00 PM', 'MM/DD/YYYY HH:MI:SS AM')";
    }
};

TEST_P(SchemaScript, KeysNumberFromOneAndAreNeverReused) {
    Run("INSERT INTO T_TRNK_PTYPE (PTYPE_NAME) VALUES ('A')");
    Run("INSERT INTO T_TRNK_PTYPE (PTYPE_NAME) VALUES ('B')");
    Run("DELETE FROM T_TRNK_PTYPE WHERE PTYPE_NAME = 'B'");
    Run("INSERT INTO T_TRNK_PTYPE (PTYPE_NAME) VALUES ('C')");
    EXPECT_EQ(Column("select PTYPE_ID from T_TRNK_PTYPE"), "1,3");
}

TEST_P(SchemaScript, TextComparisonFollowsTheDatabase) {
    Run("INSERT INTO T_TRNK_PTYPE (PTYPE_NAME) VALUES ('Gage')");
    EXPECT_EQ(Column("select PTYPE_NAME from T_TRNK_PTYPE where PTYPE_NAME = 'GAGE'"),
              IsOracle() ? "" : "Gage");
    EXPECT_EQ(Column(std::string("select PTYPE_NAME from T_TRNK_PTYPE where ") +
                     (GetParam().dialect == Dialect::Access ? "UCASE" : "UPPER") + "(PTYPE_NAME) = 'GAGE'"),
              "Gage");
}

TEST_P(SchemaScript, EmptyTextIsNullOnlyOnOracle) {
    Run("INSERT INTO T_TRNK_PTYPE (PTYPE_NAME, NOTES) VALUES ('A', '')");
    EXPECT_EQ(Column("select NOTES from T_TRNK_PTYPE"), IsOracle() ? "NULL" : "");
}

TEST_P(SchemaScript, DateLiteralsAreStoredAsDateTimes) {
    Run("INSERT INTO T_TRNK_PTYPE (PTYPE_NAME, MADE) VALUES ('A', " + DateLiteral("1970-01-02 18:00:00") +
        ")");
    EXPECT_EQ(Column("select MADE from T_TRNK_PTYPE where MADE < " + DateLiteral("1970-01-02 18:00:00") +
                     " or MADE = " + DateLiteral("1970-01-02 18:00:00")),
              "1970-01-02 18:00:00");
}

TEST_P(SchemaScript, ExistingAndMissingObjectsAreErrors) {
    EXPECT_NE(Error(GetParam().ddl[0]).find("already exists"), std::string::npos);
    EXPECT_NE(
        Error("CREATE UNIQUE INDEX K_TRNK_PTYPENAME ON T_TRNK_PTYPE (PTYPE_NAME)").find("already exists"),
        std::string::npos);
    EXPECT_NE(Error("ALTER TABLE T_TRNK_PART ADD CONSTRAINT FK_PART_PTYPE FOREIGN KEY (PTYPE_ID) REFERENCES "
                    "T_TRNK_PTYPE ")
                  .find("already exists"),
              std::string::npos);
    EXPECT_EQ(Error("ALTER TABLE T_TRNK_PART DROP CONSTRAINT FK_NOPE"),
              "no such constraint FK_NOPE on table T_TRNK_PART");
    EXPECT_EQ(Error("DROP TABLE T_TRNK_PTYPE"),
              "table T_TRNK_PTYPE is referenced by foreign key FK_PART_PTYPE of table T_TRNK_PART");
    EXPECT_EQ(Error("select * from T_TRNK_MISSING"), "no such table: T_TRNK_MISSING");
    EXPECT_EQ(Error("DROP TABLE T_TRNK_MISSING"), "no such table: T_TRNK_MISSING");
    // Once the key is gone the table can go.
    Run("ALTER TABLE T_TRNK_PART DROP CONSTRAINT FK_PART_PTYPE");
    Run("DROP TABLE T_TRNK_PTYPE");
    EXPECT_EQ(Error("ALTER TABLE T_TRNK_PART DROP CONSTRAINT FK_PART_PTYPE"),
              "no such constraint FK_PART_PTYPE on table T_TRNK_PART");
}

TEST_P(SchemaScript, ForeignKeysGuardBothEndsUntilDropped) {
    Run("INSERT INTO T_TRNK_PTYPE (PTYPE_NAME) VALUES ('A')");
    Run("INSERT INTO T_TRNK_PART (PTYPE_ID) VALUES (1)");
    Run("INSERT INTO T_TRNK_PART (PTYPE_ID) VALUES (NULL)");
    const std::string orphan = Error("INSERT INTO T_TRNK_PART (PTYPE_ID) VALUES (5)");
    const std::string parent = Error("DELETE FROM T_TRNK_PTYPE");
    switch (GetParam().dialect) {
        case Dialect::Access:
            EXPECT_EQ(orphan,
                      "You cannot add or change a record because a related record is required in table "
                      "'T_TRNK_PTYPE'.");
            EXPECT_EQ(parent,
                      "The record cannot be deleted or changed because table 'T_TRNK_PART' includes related "
                      "records.");
            break;
        case Dialect::SqlServer:
            EXPECT_EQ(
                orphan,
                "The INSERT statement conflicted with the FOREIGN KEY constraint \"FK_PART_PTYPE\". The "
                "conflict occurred in table \"T_TRNK_PTYPE\", column 'PTYPE_ID'.");
            EXPECT_NE(parent.find("REFERENCE constraint \"FK_PART_PTYPE\""), std::string::npos);
            break;
        case Dialect::Oracle:
            EXPECT_EQ(orphan,
                      "ORA-02291: integrity constraint (FK_PART_PTYPE) violated - parent key not found");
            EXPECT_EQ(parent,
                      "ORA-02292: integrity constraint (FK_PART_PTYPE) violated - child record found");
            break;
    }
    EXPECT_NE(Error("UPDATE T_TRNK_PART SET PTYPE_ID = 9"), "(no error)");
    Run("ALTER TABLE T_TRNK_PART DROP CONSTRAINT FK_PART_PTYPE");
    Run("INSERT INTO T_TRNK_PART (PTYPE_ID) VALUES (5)");
    // A key whose rows already break it is refused.
    EXPECT_NE(Error(GetParam().ddl.back()), "(no error)");
    Run("DELETE FROM T_TRNK_PART WHERE PTYPE_ID = 5");
    Run(GetParam().ddl.back());
}

TEST_P(SchemaScript, ColumnsCanBeAddedAndRetypedKeepingRowsAndIndexes) {
    Run("INSERT INTO T_TRNK_PTYPE (PTYPE_NAME, L) VALUES ('A', 12)");
    const bool oracle = IsOracle();
    Run(oracle ? "ALTER TABLE T_TRNK_PTYPE ADD (EXTRA VARCHAR2(10))"
               : "ALTER TABLE T_TRNK_PTYPE ADD EXTRA VARCHAR(10)");
    Run(oracle ? "ALTER TABLE T_TRNK_PTYPE MODIFY (L VARCHAR2(20))"
               : "ALTER TABLE T_TRNK_PTYPE ALTER COLUMN L VARCHAR(20)");
    EXPECT_EQ(Column("select L from T_TRNK_PTYPE"), "12");
    Recordset rs;
    rs.SetActiveConnection(conn_.get());
    rs.Open("select * from T_TRNK_PTYPE");
    EXPECT_EQ(rs.Fields("L").Type(), 202);
    EXPECT_TRUE(rs.Get("EXTRA").IsNull());
    rs.Close();
    EXPECT_NE(Error("INSERT INTO T_TRNK_PTYPE (PTYPE_NAME) VALUES ('A')").find("UNIQUE"), std::string::npos)
        << "the unique index survives the rebuild";
}

TEST_P(SchemaScript, IndexesDropInTheDialectsForm) {
    const std::string drop =
        GetParam().dialect == Dialect::Access      ? "DROP INDEX K_TRNK_PTYPENAME ON T_TRNK_PTYPE"
        : GetParam().dialect == Dialect::SqlServer ? "DROP INDEX T_TRNK_PTYPE.K_TRNK_PTYPENAME"
                                                   : "DROP INDEX K_TRNK_PTYPENAME";
    Run(drop);
    EXPECT_NE(Error(drop), "(no error)");
    Run("INSERT INTO T_TRNK_PTYPE (PTYPE_NAME) VALUES ('A')");
    Run("INSERT INTO T_TRNK_PTYPE (PTYPE_NAME) VALUES ('A')");
}

TEST_P(SchemaScript, RolledBackWorkLeavesNoTrace) {
    conn_->BeginTrans();
    Run("INSERT INTO T_TRNK_PTYPE (PTYPE_NAME) VALUES ('A')");
    Run("CREATE TABLE T_TRNK_NEW (X_ID INTEGER)");
    Run("INSERT INTO T_TRNK_PTYPE (PTYPE_NAME) VALUES ('B')");
    conn_->RollbackTrans();
    // Jet and SQL Server undo the DDL with the rest; Oracle committed at the DDL statement, so only
    // the work after it is undone.
    EXPECT_EQ(Column("select PTYPE_NAME from T_TRNK_PTYPE"), IsOracle() ? "A" : "");
    EXPECT_EQ(Error("select * from T_TRNK_NEW") == "(no error)", IsOracle());
    EXPECT_THROW(conn_->CommitTrans(), DbError);
}

INSTANTIATE_TEST_SUITE_P(Dialects, SchemaScript, ::testing::ValuesIn(kScripts),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Oracle only -----------------------------------------------------------------------------

TEST_F(DialectTest, OracleKeyTriggerOverridesSuppliedKeysAndFreezesThem) {
    Use(Dialect::Oracle);
    for (const auto& s : kScripts[2].ddl) Run(s);
    Run("INSERT INTO T_TRNK_PTYPE (PTYPE_ID, PTYPE_NAME) VALUES (77, 'A')");
    Run("INSERT INTO T_TRNK_PART (PTYPE_ID) VALUES (1)");
    Run("UPDATE T_TRNK_PTYPE SET PTYPE_ID = 99, PTYPE_NAME = 'B'");
    EXPECT_EQ(Column("select PTYPE_ID from T_TRNK_PTYPE where PTYPE_NAME = 'B'"), "1");
    Recordset rs;
    rs.SetActiveConnection(conn_.get());
    rs.SetLockType(adLockOptimistic);
    rs.Open("select * from T_TRNK_PART  where PART_ID = 0 ");
    rs.AddNew();
    rs.Set("PTYPE_ID", 1);
    rs.Update();
    EXPECT_EQ(rs.Get("PART_ID").AsInteger(), 2);
    EXPECT_NE(Error("CREATE SEQUENCE S_TRNK_PTYPE INCREMENT BY 1 START WITH 1").find("ORA-00955"),
              std::string::npos);
    EXPECT_NE(Error("DROP SEQUENCE S_TRNK_NONE").find("ORA-02289"), std::string::npos);
    Run("DROP SEQUENCE S_TRNK_PART");
}

// "MODIFY (C NULL)" and "MODIFY (C NOT NULL)" change the nullability and keep the type, the rows,
// the indexes and the key trigger; what Oracle refuses fails and leaves the table as it was.
struct NullabilityCase {
    const char* name;
    const char* statement;
    const char* error;     // a fragment of the refusal, empty when the statement runs
    const char* nullable;  // SERIAL_NO afterwards: "0" takes Nulls, "1" does not
};

class OracleNullability : public DialectTest, public ::testing::WithParamInterface<NullabilityCase> {};

TEST_P(OracleNullability, ChangesTheNullabilityAloneOrRefuses) {
    const NullabilityCase c = GetParam();
    Use(Dialect::Oracle);
    Run("CREATE TABLE T_TRNK_G (G_ID NUMBER(10,0) NOT NULL, SERIAL_NO VARCHAR2(40) NOT NULL, NOTE "
        "VARCHAR2(9))");
    Run("ALTER TABLE T_TRNK_G ADD ( CONSTRAINT K_TRNK_G PRIMARY KEY (G_ID))");
    Run("CREATE UNIQUE INDEX K_TRNK_G_SERIAL ON T_TRNK_G (SERIAL_NO)");
    Run("CREATE SEQUENCE S_TRNK_G INCREMENT BY 1 START WITH 1");
    Run("CREATE TRIGGER TR_TRNK_G BEFORE INSERT OR UPDATE ON T_TRNK_G FOR EACH ROW BEGIN   IF INSERTING THEN "
        "    SELECT S_TRNK_G.NEXTVAL INTO :NEW.G_ID FROM DUAL;   ELSE     :NEW.G_ID := :OLD.G_ID;   END IF; "
        "END;");
    Run("INSERT INTO T_TRNK_G (SERIAL_NO) VALUES ('S1')");
    const std::string error = Error(c.statement);
    if (*c.error == 0) {
        EXPECT_EQ(error, "(no error)");
    } else {
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
    EXPECT_EQ(Column("select G_ID || SERIAL_NO from T_TRNK_G"), "1S1");
    Run("INSERT INTO T_TRNK_G (SERIAL_NO) VALUES ('S2')");
    EXPECT_EQ(Column("select max(G_ID) from T_TRNK_G"), "2") << "the key trigger survives";
    EXPECT_NE(Error("INSERT INTO T_TRNK_G (SERIAL_NO) VALUES ('S2')").find("UNIQUE"), std::string::npos);
    const std::string serialNull = Error("INSERT INTO T_TRNK_G (NOTE) VALUES ('n')");
    EXPECT_EQ(serialNull == "(no error)", *c.nullable == '0') << serialNull;
    if (*c.nullable == '0') {
        EXPECT_EQ(Column("select count(*) from T_TRNK_G where SERIAL_NO IS NULL"), "1");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Statements, OracleNullability,
    ::testing::Values(
        NullabilityCase{"Relax", "ALTER TABLE T_TRNK_G MODIFY (SERIAL_NO NULL)", "", "0"},
        NullabilityCase{"RelaxTwice", "ALTER TABLE T_TRNK_G MODIFY (NOTE NULL)", "ORA-01451", "1"},
        NullabilityCase{"TightenTwice", "ALTER TABLE T_TRNK_G MODIFY (SERIAL_NO NOT NULL)", "ORA-01442", "1"},
        NullabilityCase{"TightenOverNulls", "ALTER TABLE T_TRNK_G MODIFY (NOTE NOT NULL)", "ORA-02296", "1"},
        NullabilityCase{"NoSuchColumn", "ALTER TABLE T_TRNK_G MODIFY (NOPE NULL)", "ORA-00904", "1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialectTest, OracleRenameSysdateAndOuterJoin) {
    Use(Dialect::Oracle);
    Run("CREATE TABLE T_TRNK_SHIFT (SHIFT_ID NUMBER(10,0) NOT NULL PRIMARY KEY, MON_INTERVAL_ID "
        "NUMBER(10,0))");
    Run("CREATE TABLE T_TRNK_OLD (INTERVAL_ID NUMBER(10,0) NOT NULL PRIMARY KEY, START_TIME DATE)");
    Run("RENAME T_TRNK_OLD TO T_TRNK_INTERVAL");
    Run("INSERT INTO T_TRNK_SHIFT (SHIFT_ID, MON_INTERVAL_ID) VALUES (1, 5)");
    Run("INSERT INTO T_TRNK_SHIFT (SHIFT_ID, MON_INTERVAL_ID) VALUES (2, NULL)");
    Run("INSERT INTO T_TRNK_INTERVAL (INTERVAL_ID, START_TIME) VALUES (5, TO_DATE('01/01/1970 07:00:00 AM', "
        "'MM/DD/YYYY HH:MI:SS AM'))");
    EXPECT_EQ(
        Column(
            "select JOIN1.MON_START_TIME from (select T_TRNK_SHIFT.SHIFT_ID, T_TRNK_INTERVAL.START_TIME AS "
            "MON_START_TIME from T_TRNK_SHIFT, T_TRNK_INTERVAL where T_TRNK_SHIFT.MON_INTERVAL_ID = "
            "T_TRNK_INTERVAL.INTERVAL_ID (+)) JOIN1 order by JOIN1.SHIFT_ID"),
        "1970-01-01 07:00:00,NULL");
    EXPECT_EQ(Column("Select SYSDATE from DUAL").size(), 19u);
}

TEST_F(DialectTest, AccessDateFunctionsAndDerivedTables) {
    Use(Dialect::Access);
    Recordset rs;
    rs.SetCursorLocation(adUseClient);
    rs.SetActiveConnection(conn_.get());
    rs.Open("SELECT Date() as PDATE , Time() as PTIME ");
    EXPECT_EQ(rs.Get("PDATE").AsDateTime().hour, 0);
    EXPECT_EQ(rs.Get("PTIME").AsDateTime().year, 1899);
    rs.Close();
    Run("CREATE TABLE T_TRNK_I (I_ID COUNTER NOT NULL PRIMARY KEY, S DATETIME)");
    Run("INSERT INTO T_TRNK_I (S) VALUES (#1/2/1970 6:00:00 AM#)");
    EXPECT_EQ(Column("select MAX(I_ID) AS MAX_ID  from (select * from T_TRNK_I LEFT JOIN T_TRNK_I AS B on "
                     "T_TRNK_I.I_ID = B.I_ID) J where S < Now()"),
              "1");
}

TEST(Connection, CommandTimeoutBoundsTheWaitForAnotherWriter) {
    TempDatabase db;
    auto holder = db.Connect(Dialect::SqlServer);
    holder->Execute("CREATE TABLE T_TRNK_X (X_ID INTEGER IDENTITY(1,1) PRIMARY KEY, N INTEGER)");
    holder->BeginTrans();
    holder->Execute("INSERT INTO T_TRNK_X (N) VALUES (1)");
    auto waiter = db.Connect(Dialect::SqlServer);
    waiter->SetCommandTimeout(1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(waiter->Execute("INSERT INTO T_TRNK_X (N) VALUES (2)"), DbError);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
    holder->CommitTrans();
    waiter->Execute("INSERT INTO T_TRNK_X (N) VALUES (2)");
}

TEST(Connection, RejectsUnknownProvidersMissingFilesAndNonDatabases) {
    TempDatabase db;
    Connection c;
    EXPECT_THROW(c.Open("Data Source=" + db.Path() + ";"), DbError);
    EXPECT_THROW(c.Open("Provider=MSDAORA;Data Source=x;"), DbError);
    const std::string missing = (db.Dir() / "nothing.mdb").string();
    try {
        c.Open("Provider=SQLite;Data Source=" + missing + ";");
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(std::string(e.what()), "Could not find file '" + missing + "'.");
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
    const std::string text = (db.Dir() / "notes.txt").string();
    { std::ofstream(text) << "this is not a database file, only some text that is long enough\n"; }
    EXPECT_THROW(c.Open("Provider=SQLite;Data Source=" + text + ";"), DbError);
    EXPECT_EQ(c.State(), adStateClosed);
    c.Open(db.ConnectionString());
    EXPECT_EQ(c.State(), adStateOpen);
    c.Close();
    EXPECT_THROW(c.Execute("select 1"), DbError);
}

}  // namespace
}  // namespace tmigration::db
