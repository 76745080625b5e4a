#include "schema/SchemaStatements.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>

#include "schema/NewSchemaTables.h"

namespace tmigration::schema {
namespace {

using db::Dialect;

const std::string& Statement(Dialect d, int number) {
    return SchemaStatements(d).at(number - 1);
}

std::string DialectLabel(Dialect d) {
    return d == Dialect::Oracle ? "Oracle" : d == Dialect::Access ? "Access" : "SqlServer";
}

bool StartsWith(const std::string& s, std::string_view prefix) {
    return s.rfind(prefix, 0) == 0;
}

// Where each block of the list starts, per dialect (statement numbers, inclusive ranges).
struct Layout {
    Dialect dialect;
    int count, otherTablesFirst, indexesFirst, foreignKeysFirst, sequencesFirst, triggersFirst, objectsFirst,
        apiFunctionsFirst, fixedRowsFirst;
};

class SchemaLayoutTest : public testing::TestWithParam<Layout> {};

TEST_P(SchemaLayoutTest, BlocksSitWhereTheItemCounterExpectsThem) {
    const Layout& l = GetParam();
    const auto& list = SchemaStatements(l.dialect);
    ASSERT_EQ(static_cast<int>(list.size()), l.count);
    EXPECT_EQ(SchemaStatementCount(l.dialect), l.count);
    EXPECT_EQ(FinalSchemaLevel(l.dialect), l.count + 1);

    auto expectBlock = [&](int first, int last, std::string_view prefix) {
        for (int i = first; i <= last; ++i)
            ASSERT_TRUE(StartsWith(list[i - 1], prefix)) << i << ": " << list[i - 1];
    };
    expectBlock(1, 1, "CREATE TABLE T_SFC_DB_ITEM ");
    expectBlock(l.otherTablesFirst, l.indexesFirst - 1, "CREATE TABLE ");
    expectBlock(l.indexesFirst, l.foreignKeysFirst - 1, "CREATE ");
    expectBlock(l.foreignKeysFirst, l.sequencesFirst - 1, "ALTER TABLE T_SFC_");
    expectBlock(l.sequencesFirst, l.triggersFirst - 1, "CREATE SEQUENCE S_SFC_");
    expectBlock(l.triggersFirst, l.objectsFirst - 1, "CREATE TRIGGER TR_SFC_");
    expectBlock(l.objectsFirst, l.apiFunctionsFirst - 1, "INSERT INTO T_SFC_OBJECT ");
    expectBlock(l.apiFunctionsFirst, l.fixedRowsFirst - 1, "INSERT INTO T_SFC_API_FUNCTION ");
    EXPECT_EQ(l.indexesFirst - l.otherTablesFirst, 98);
    EXPECT_EQ(l.sequencesFirst - l.foreignKeysFirst, 178);
    EXPECT_EQ(l.count - l.fixedRowsFirst + 1, 23);
}

TEST_P(SchemaLayoutTest, ItemOneIsSeededWithItsOwnStatementNumber) {
    const Layout& l = GetParam();
    const int n = ItemOneSeedStatement(l.dialect);
    EXPECT_EQ(n, l.otherTablesFirst - 1);
    EXPECT_EQ(Statement(l.dialect, n), "INSERT INTO T_SFC_DB_ITEM (DB_ITEM_CODE, DB_ITEM_VALUE)  VALUES (1," +
                                           std::to_string(n) + ")");
}

TEST_P(SchemaLayoutTest, NoStatementIsEmptyOrPaddedAndNoneRepeats) {
    std::set<std::string> seen;
    for (const std::string& s : SchemaStatements(GetParam().dialect)) {
        ASSERT_FALSE(s.empty());
        EXPECT_NE(s.front(), ' ') << s;
        EXPECT_NE(s.back(), ' ') << s;
        EXPECT_TRUE(seen.insert(s).second) << "repeated: " << s;
    }
}

// Every foreign key and index names columns of its own table, and every key references a
// table that exists by then (all tables come before the first constraint).
TEST_P(SchemaLayoutTest, ConstraintsAndIndexesNameExistingColumnsAndTables) {
    const auto& list = SchemaStatements(GetParam().dialect);
    std::map<std::string, std::string> created;  // table -> column clause
    const std::regex create(R"(^CREATE TABLE (T_SFC_\w+) \((.*)\)$)");
    const std::regex index(R"(^CREATE (UNIQUE )?INDEX K_SFC_\w+ ON (T_SFC_\w+) \(([\w, ]+)\)$)");
    const std::regex key(
        R"(^ALTER TABLE (T_SFC_\w+) ADD CONSTRAINT FOR_\w+  FOREIGN KEY \((\w+)\) REFERENCES (T_SFC_\w+)$)");
    auto hasColumn = [&](const std::string& table, const std::string& column) {
        const std::string& cols = created.at(table);
        return StartsWith(cols, column + " ") || cols.find(", " + column + " ") != std::string::npos;
    };
    int indexes = 0, keys = 0;
    for (const std::string& s : list) {
        std::smatch m;
        if (std::regex_match(s, m, create)) {
            created[m[1]] = m[2];
        } else if (std::regex_match(s, m, index)) {
            ++indexes;
            ASSERT_TRUE(created.count(m[2])) << s;
            const std::string columns = m[3];
            for (std::size_t b = 0, e; b < columns.size(); b = e + 2) {
                e = std::min(columns.find(", ", b), columns.size());
                EXPECT_TRUE(hasColumn(m[2], columns.substr(b, e - b))) << s;
            }
        } else if (std::regex_match(s, m, key)) {
            ++keys;
            ASSERT_TRUE(created.count(m[1]) && created.count(m[3])) << s;
            EXPECT_TRUE(hasColumn(m[1], m[2])) << s;
        }
    }
    EXPECT_EQ(created.size(), 99u);
    EXPECT_EQ(keys, 178);
    EXPECT_EQ(indexes, GetParam().dialect == Dialect::Oracle ? 69 : 168);
}

INSTANTIATE_TEST_SUITE_P(
    Dialects, SchemaLayoutTest,
    testing::Values(Layout{Dialect::Access, 1553, 3, 101, 269, 447, 447, 447, 1187, 1531},
                    Layout{Dialect::SqlServer, 1553, 3, 101, 269, 447, 447, 447, 1187, 1531},
                    Layout{Dialect::Oracle, 1652, 5, 103, 172, 350, 448, 546, 1286, 1630}),
    [](const auto& info) { return DialectLabel(info.param.dialect); });

// Statements quoted word for word.
struct Quoted {
    Dialect dialect;
    int number;
    std::string text;
};

class QuotedStatementTest : public testing::TestWithParam<Quoted> {};

TEST_P(QuotedStatementTest, MatchesByteForByte) {
    EXPECT_EQ(Statement(GetParam().dialect, GetParam().number), GetParam().text);
}

std::vector<Quoted> QuotedStatements() {
    const std::string commands =
        "INSERT INTO T_SFC_COMMAND (COMMAND_NUMBER, COMMAND_NAME, COMMAND_TYPE_CODE)  VALUES (";
    const std::string groups =
        "INSERT INTO T_SFC_USERGROUP (USERGROUP_NAME, SID, USERGROUP_TYPE_CODE)  VALUES (";
    const std::string options =
        "INSERT INTO T_SFC_OPTION (OPTION_CODE, APP_CODE, OPTION_TYPE_CODE, BOOL_VAL)  VALUES (";
    const std::string items = "INSERT INTO T_SFC_DB_ITEM (DB_ITEM_CODE, DB_ITEM_VALUE)  VALUES (";
    const std::string scrap =
        "INSERT INTO T_SFC_SCRAP_CODE (SCRAP_CODE_NUMBER, SCRAP_CODE_NAME, SCRAP_CODE_TYPE_CODE)  VALUES "
        "(100,";
    const std::vector<std::string> fixed = {commands + "'100','Send To CNC',1)",
                                            commands + "'110','Receive From CNC',2)",
                                            commands + "'120','Remote Start',3)",
                                            commands + "'200','Logon Time',4)",
                                            commands + "'210','Job Time',5)",
                                            commands + "'230','Part Time',6)",
                                            commands + "'240','Operation Time',7)",
                                            commands + "'250','Setup Time',8)",
                                            commands + "'260','Cycle Time',9)",
                                            commands + "'270','Teardown Time',10)",
                                            commands + "'280','Machine Downtime',11)",
                                            commands + "'290','User Downtime',12)",
                                            commands + "'300','Good Part Count',13)",
                                            commands + "'310','Scrapped Part Count',14)",
                                            groups + "'MDC Administrators',1,1)",
                                            groups + "'Travelers Administrators',2,2)",
                                            groups + "'Tracker Administrators',3,3)",
                                            scrap + "'Not Specified',1)",
                                            options + "1,2,0,0)",
                                            options + "2,2,0,0)",
                                            items + "2,4)",
                                            "UPDATE T_SFC_COMMAND SET TARNWICK_ID = 14",
                                            items + "3,1)"};
    std::vector<Quoted> q;
    for (std::size_t i = 0; i < fixed.size(); ++i) {
        const int n = 1531 + static_cast<int>(i);
        q.push_back({Dialect::Access, n, fixed[i]});
        q.push_back({Dialect::SqlServer, n, fixed[i]});
        q.push_back({Dialect::Oracle, n + 99, n == 1548 ? scrap + " 'Not Specified',1)" : fixed[i]});
    }

    const std::string firstObject =
        "INSERT INTO T_SFC_OBJECT (OBJECT_CODE, APP_CODE, CATEGORY, RES_ID)  VALUES (1,1,1,5392)";
    const std::string api = "INSERT INTO T_SFC_API_FUNCTION (FUNCTION_CODE, FUNCTION_VERSION)  VALUES (";
    const std::string itemTrigger =
        "CREATE TRIGGER TR_SFC_DB_ITEM BEFORE INSERT OR UPDATE ON T_SFC_DB_ITEM FOR EACH ROW BEGIN   IF "
        "INSERTING "
        "THEN     SELECT S_SFC_DB_ITEM.NEXTVAL INTO :NEW.DB_ITEM_ID FROM DUAL;   ELSE     :NEW.DB_ITEM_ID := "
        ":OLD.DB_ITEM_ID;   END IF; END;";
    const std::string lastTrigger =
        "CREATE TRIGGER TR_SFC_VENDOR_INFO BEFORE INSERT OR UPDATE ON T_SFC_VENDOR_INFO FOR EACH ROW BEGIN   "
        "IF "
        "INSERTING THEN     SELECT S_SFC_VENDOR_INFO.NEXTVAL INTO :NEW.VENDOR_INFO_ID FROM DUAL;   ELSE     "
        ":NEW.VENDOR_INFO_ID := :OLD.VENDOR_INFO_ID;   END IF; END;";
    const std::string firstKey =
        "ALTER TABLE T_SFC_ACL ADD CONSTRAINT FOR_ACL_OBJECT  FOREIGN KEY (OBJECT_ID) REFERENCES "
        "T_SFC_OBJECT";
    const std::string lastKey =
        "ALTER TABLE T_SFC_VENDOR_INFO ADD CONSTRAINT FOR_VENDOR_INFO_VENDOR  FOREIGN KEY (VENDOR_ID) "
        "REFERENCES "
        "T_SFC_VENDOR";
    const std::string lastIndex =
        "CREATE INDEX K_SFC_VI_TABLE_TARGET ON T_SFC_VENDOR_INFO (TABLE_CODE, TARGET_ID)";
    const std::string itemCodeIndex = "CREATE INDEX K_SFC_DB_ITEM_CODE ON T_SFC_DB_ITEM (DB_ITEM_CODE)";
    const std::vector<Quoted> more = {
        {Dialect::Access, 2, items + "1,2)"},
        {Dialect::Oracle, 4, items + "1,4)"},
        {Dialect::Oracle, 2, "CREATE SEQUENCE S_SFC_DB_ITEM INCREMENT BY 1 START WITH 1"},
        {Dialect::Oracle, 3, itemTrigger},
        {Dialect::Oracle, 350, "CREATE SEQUENCE S_SFC_ACL INCREMENT BY 1 START WITH 1"},
        {Dialect::Oracle, 447, "CREATE SEQUENCE S_SFC_VENDOR_INFO INCREMENT BY 1 START WITH 1"},
        {Dialect::Oracle, 545, lastTrigger},
        {Dialect::Access, 101, "CREATE UNIQUE INDEX K_SFC_DB_ITEM ON T_SFC_DB_ITEM (DB_ITEM_ID)"},
        {Dialect::Access, 102, itemCodeIndex},
        {Dialect::SqlServer, 103, "CREATE UNIQUE INDEX K_SFC_ACL ON T_SFC_ACL (ACL_ID)"},
        {Dialect::Access, 268, lastIndex},
        {Dialect::Oracle, 103, itemCodeIndex},
        {Dialect::Oracle, 171, lastIndex},
        {Dialect::Access, 269, firstKey},
        {Dialect::Oracle, 172, firstKey},
        {Dialect::SqlServer, 446, lastKey},
        {Dialect::Oracle, 349, lastKey},
        {Dialect::Access, 447, firstObject},
        {Dialect::Oracle, 546, firstObject},
        {Dialect::Access, 678,
         "INSERT INTO T_SFC_OBJECT (OBJECT_CODE, APP_CODE, CATEGORY, RES_ID)  VALUES (232,1,9,5623)"},
        {Dialect::Access, 679,
         "INSERT INTO T_SFC_OBJECT (OBJECT_CODE, APP_CODE, CATEGORY, RES_ID)  VALUES (1,2,1,4959)"},
        {Dialect::Access, 1186,
         "INSERT INTO T_SFC_OBJECT (OBJECT_CODE, APP_CODE, CATEGORY, RES_ID)  VALUES (339,3,9,5975)"},
        {Dialect::Access, 1187, api + "1,2)"},
        {Dialect::Access, 1530, api + "344,2)"},
        {Dialect::Oracle, 1286, api + "1,2)"},
        {Dialect::Oracle, 1629, api + "344,2)"},
    };
    q.insert(q.end(), more.begin(), more.end());
    return q;
}

std::string QuotedName(const testing::TestParamInfo<Quoted>& info) {
    return DialectLabel(info.param.dialect) + "_" + std::to_string(info.param.number);
}

INSTANTIATE_TEST_SUITE_P(Quotes, QuotedStatementTest, testing::ValuesIn(QuotedStatements()), QuotedName);

// Whole table statements, where the dialect rules (key, types, scales, brackets) all show.
std::vector<Quoted> QuotedTables() {
    const std::string calSet = "CREATE TABLE T_SFC_CAL_SET (CAL_SET_ID ";
    return {
        {Dialect::Access, 1,
         "CREATE TABLE T_SFC_DB_ITEM (DB_ITEM_ID COUNTER NOT NULL PRIMARY KEY, DB_ITEM_CODE INTEGER, "
         "DB_ITEM_VALUE INTEGER)"},
        {Dialect::SqlServer, 1,
         "CREATE TABLE T_SFC_DB_ITEM (DB_ITEM_ID INTEGER IDENTITY(1,1) NOT NULL PRIMARY KEY, DB_ITEM_CODE "
         "INTEGER, "
         "DB_ITEM_VALUE INTEGER)"},
        {Dialect::Oracle, 1,
         "CREATE TABLE T_SFC_DB_ITEM (DB_ITEM_ID NUMBER(10,0) NOT NULL PRIMARY KEY, DB_ITEM_CODE "
         "NUMBER(10,0), "
         "DB_ITEM_VALUE NUMBER(10,0))"},
        {Dialect::Access, 8,
         calSet +
             "COUNTER NOT NULL PRIMARY KEY, CAL_HIST_ID INTEGER, DIM_NAME VARCHAR(40), UNIT_CODE INTEGER, "
             "[PRECISION] INTEGER, TARGET_DIM DOUBLE, UPPER_TOL DOUBLE, LOWER_TOL DOUBLE, IS_REQUIRED "
             "INTEGER, "
             "ORDINAL INTEGER, NOTES MEMO)"},
        {Dialect::SqlServer, 8,
         calSet +
             "INTEGER IDENTITY(1,1) NOT NULL PRIMARY KEY, CAL_HIST_ID INTEGER, DIM_NAME VARCHAR(40), "
             "UNIT_CODE INTEGER, [PRECISION] INTEGER, TARGET_DIM NUMERIC(10,6), UPPER_TOL NUMERIC(10,6), "
             "LOWER_TOL NUMERIC(10,6), IS_REQUIRED INTEGER, ORDINAL INTEGER, NOTES TEXT)"},
        {Dialect::Oracle, 10,
         calSet + "NUMBER(10,0) NOT NULL PRIMARY KEY, CAL_HIST_ID NUMBER(10,0), DIM_NAME VARCHAR2(40), "
                  "UNIT_CODE NUMBER(10,0), PRECISION NUMBER(10,0), TARGET_DIM NUMBER(10,6), UPPER_TOL "
                  "NUMBER(10,6), "
                  "LOWER_TOL NUMBER(10,6), IS_REQUIRED NUMBER(10,0), ORDINAL NUMBER(10,0), NOTES LONG)"},
        {Dialect::Oracle, 56,
         "CREATE TABLE T_SFC_KIT_NO (KIT_NO_ID NUMBER(10,0) NOT NULL PRIMARY KEY, KIT_NO_NUMBER "
         "VARCHAR2(40), "
         "KIT_NO_NAME VARCHAR2(40), KIT_TYPE_ID NUMBER(10,0), ISO_NUMBER VARCHAR2(40), CRIB_ID NUMBER(10,0), "
         "REACH NUMBER(10,4), PRIMARY_LENGTH NUMBER(10,4), SECONDARY_LENGTH NUMBER(10,4), PRIMARY_DIAMETER "
         "NUMBER(10,4), SECONDARY_DIAMETER NUMBER(10,4), UNIT_CODE INTEGER, KEEP_ASSEMBLED NUMBER(10,0), "
         "NOTES LONG)"},
        {Dialect::Oracle, 102,
         "CREATE TABLE T_SFC_VENDOR_INFO (VENDOR_INFO_ID NUMBER(10,0) NOT NULL PRIMARY KEY, TABLE_CODE "
         "NUMBER(10,0), TARGET_ID NUMBER(10,0), VENDOR_ID NUMBER(10,0), CATALOG_NUMBER VARCHAR2(40), "
         "VENDOR_COST NUMBER(10,2), MIN_ORDER_QTY NUMBER(10,0), ORDINAL NUMBER(10,0))"},
    };
}

INSTANTIATE_TEST_SUITE_P(Tables, QuotedStatementTest, testing::ValuesIn(QuotedTables()), QuotedName);

// The column types each dialect may use, and how many DOUBLE columns carry the exceptional
// scales (money and durations 2, gauging dimensions 6).
struct TypeProfile {
    Dialect dialect;
    std::set<std::string> allowed;
    std::string scale2, scale6;
};

class ColumnTypeTest : public testing::TestWithParam<TypeProfile> {};

TEST_P(ColumnTypeTest, EveryColumnUsesOnlyTheDialectsTypes) {
    const TypeProfile& p = GetParam();
    const std::regex create(R"(^CREATE TABLE T_SFC_\w+ \(\w+ .*? NOT NULL PRIMARY KEY, (.*)\)$)");
    const std::regex varchar(R"(VARCHAR2?\((40|80|90|255)\))");
    std::map<std::string, int> counts;
    for (const std::string& s : SchemaStatements(p.dialect)) {
        std::smatch m;
        if (!std::regex_match(s, m, create)) continue;
        ++counts["tables"];
        const std::string cols = m[1];
        for (std::size_t b = 0, e; b < cols.size(); b = e + 2) {
            e = std::min(cols.find(", ", b), cols.size());
            const std::string col = cols.substr(b, e - b);
            const std::string type = col.substr(col.find(' ') + 1);
            ++counts[type];
            if (std::regex_match(type, varchar)) {
                EXPECT_EQ(p.dialect == Dialect::Oracle, type.find("VARCHAR2") == 0) << col;
            } else {
                EXPECT_TRUE(p.allowed.count(type)) << DialectLabel(p.dialect) << ": " << col;
            }
            if (col.front() == '[') ++counts["bracketed"];
        }
    }
    EXPECT_EQ(counts["tables"], 99);
    if (p.dialect != Dialect::Access) {
        EXPECT_EQ(counts[p.scale2], 9);
        EXPECT_EQ(counts[p.scale6], 17);
    }
    // [PRECISION] five times, [POSITION] and [PASSWORD] once; Oracle writes them bare.
    EXPECT_EQ(counts["bracketed"], p.dialect == Dialect::Oracle ? 0 : 7);
    if (p.dialect == Dialect::Oracle) {
        EXPECT_EQ(counts["INTEGER"], 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dialects, ColumnTypeTest,
    testing::Values(TypeProfile{Dialect::Access, {"INTEGER", "DATETIME", "MEMO", "DOUBLE"}, "", ""},
                    TypeProfile{
                        Dialect::SqlServer,
                        {"INTEGER", "DATETIME", "TEXT", "NUMERIC(10,2)", "NUMERIC(10,4)", "NUMERIC(10,6)"},
                        "NUMERIC(10,2)",
                        "NUMERIC(10,6)"},
                    TypeProfile{Dialect::Oracle,
                                {"NUMBER(10,0)", "INTEGER", "DATE", "LONG", "NUMBER(10,2)", "NUMBER(10,4)",
                                 "NUMBER(10,6)"},
                                "NUMBER(10,2)",
                                "NUMBER(10,6)"}),
    [](const auto& info) { return DialectLabel(info.param.dialect); });

TEST(SchemaStatementsTest, AccessAndSqlServerDifferOnlyInTableDefinitions) {
    const auto& access = SchemaStatements(Dialect::Access);
    const auto& sql = SchemaStatements(Dialect::SqlServer);
    int different = 0;
    for (std::size_t i = 0; i < access.size(); ++i) {
        if (access[i] == sql[i]) continue;
        ++different;
        EXPECT_TRUE(StartsWith(access[i], "CREATE TABLE ")) << i + 1;
    }
    EXPECT_EQ(different, 99);
}

TEST(SchemaStatementsTest, OracleNumbersEveryTableByItsOwnSequenceAndTrigger) {
    const auto& oracle = SchemaStatements(Dialect::Oracle);
    for (const TableDecl& table : NewSchemaTables()) {
        const std::string x(table.ShortName());
        const std::string sequence = "CREATE SEQUENCE S_SFC_" + x + " INCREMENT BY 1 START WITH 1";
        const std::string trigger =
            "CREATE TRIGGER TR_SFC_" + x + " BEFORE INSERT OR UPDATE ON T_SFC_" + x + " ";
        EXPECT_EQ(std::count(oracle.begin(), oracle.end(), sequence), 1) << x;
        EXPECT_EQ(std::count_if(oracle.begin(), oracle.end(),
                                [&](const std::string& s) { return StartsWith(s, trigger); }),
                  1)
            << x;
    }
}

// Oracle creates no key indexes and swaps two neighbours; otherwise its indexes keep the
// other dialects' order.
TEST(SchemaStatementsTest, OracleIndexesAreTheOthersWithoutKeyIndexesAndOneSwap) {
    const std::regex keyIndex(R"(^CREATE UNIQUE INDEX K_SFC_(\w+) ON T_SFC_\1 \(\1_ID\)$)");
    const auto& access = SchemaStatements(Dialect::Access);
    std::vector<std::string> expected;
    std::copy_if(access.begin() + 100, access.begin() + 268, std::back_inserter(expected),
                 [&](const std::string& s) { return !std::regex_match(s, keyIndex); });
    ASSERT_EQ(expected.size(), 69u);
    auto fas = std::find_if(expected.begin(), expected.end(), [](const std::string& s) {
        return s.find(" K_SFC_FAS_OPT ") != std::string::npos;
    });
    ASSERT_TRUE(fas != expected.end() && fas + 1 != expected.end());
    ASSERT_NE(fas[1].find(" K_SFC_FS_TABLE_TARGET "), std::string::npos);
    std::iter_swap(fas, fas + 1);
    const auto& oracle = SchemaStatements(Dialect::Oracle);
    EXPECT_EQ(std::vector<std::string>(oracle.begin() + 102, oracle.begin() + 171), expected);
}

// One row per category of the security object catalogue: each category's first and last
// object sit where the running count puts them, in every dialect.
struct ObjectCategory {
    int app, category, firstCode, lastCode, resourceOffset;
};

const std::vector<ObjectCategory> kObjectCategories = {
    {1, 1, 1, 28, 5391},    {1, 2, 29, 71, 5391},   {1, 3, 72, 99, 5391},   {1, 4, 100, 128, 5391},
    {1, 5, 129, 141, 5391}, {1, 6, 142, 173, 5391}, {1, 7, 174, 209, 5391}, {1, 8, 210, 213, 5391},
    {1, 9, 214, 232, 5391}, {2, 1, 1, 31, 4958},    {2, 2, 32, 53, 4958},   {2, 3, 54, 71, 4958},
    {2, 4, 72, 88, 4958},   {2, 5, 89, 107, 4958},  {2, 6, 108, 143, 4958}, {2, 7, 144, 158, 4958},
    {2, 8, 159, 169, 4958}, {3, 1, 1, 28, 5636},    {3, 2, 29, 82, 5636},   {3, 3, 83, 109, 5636},
    {3, 4, 110, 157, 5636}, {3, 5, 158, 181, 5636}, {3, 6, 182, 218, 5636}, {3, 7, 219, 309, 5636},
    {3, 8, 310, 326, 5636}, {3, 9, 327, 339, 5636},
};

class SecurityObjectTest : public testing::TestWithParam<std::size_t> {};

TEST_P(SecurityObjectTest, CategoryBoundsAndResourceIds) {
    int before = 0;  // objects of the earlier categories
    for (std::size_t i = 0; i < GetParam(); ++i)
        before += kObjectCategories[i].lastCode - kObjectCategories[i].firstCode + 1;
    const ObjectCategory& c = kObjectCategories[GetParam()];
    auto row = [&](int code) {
        return "INSERT INTO T_SFC_OBJECT (OBJECT_CODE, APP_CODE, CATEGORY, RES_ID)  VALUES (" +
               std::to_string(code) + "," + std::to_string(c.app) + "," + std::to_string(c.category) + "," +
               std::to_string(code + c.resourceOffset) + ")";
    };
    for (Dialect d : {Dialect::Access, Dialect::SqlServer, Dialect::Oracle}) {
        const int first = (d == Dialect::Oracle ? 546 : 447) + before;
        for (int code = c.firstCode; code <= c.lastCode; ++code) {
            EXPECT_EQ(Statement(d, first + code - c.firstCode), row(code));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Categories, SecurityObjectTest,
                         testing::Range<std::size_t>(0, kObjectCategories.size()), [](const auto& info) {
                             const ObjectCategory& c = kObjectCategories[info.param];
                             return "App" + std::to_string(c.app) + "_Category" + std::to_string(c.category);
                         });

}  // namespace
}  // namespace tmigration::schema
