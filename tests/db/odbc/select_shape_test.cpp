// Which queries give rows the ODBC engine can write back, and the count of a query's rows.
#include <gtest/gtest.h>

#include "db/engines/odbc/KeyReadBack.h"
#include "db/engines/odbc/SelectShape.h"

namespace tmigration::db::odbc {
namespace {

struct ShapeCase {
    const char* sql;
    const char* table;
};

class SingleTable : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(SingleTable, IsFoundOnlyInPlainSelects) {
    EXPECT_EQ(SingleTableOf(GetParam().sql), GetParam().table);
}

INSTANTIATE_TEST_SUITE_P(
    Queries, SingleTable,
    ::testing::Values(
        ShapeCase{"select * from T_TRNK_SID", "T_TRNK_SID"},
        ShapeCase{"select * from T_TRNK_MEDIADEST  where TABLE_ID = 3 and TARGET_ID = 4", "T_TRNK_MEDIADEST"},
        ShapeCase{"select * from T_TRNK_HISTORY  where SUBTYPE_ID = 1 order by HISTORY_ID DESC ",
                  "T_TRNK_HISTORY"},
        ShapeCase{"SELECT GAGE_ID, NAME FROM shop.T_SFC_GAGE WHERE NAME = 'a, (b) from x'",
                  "shop.T_SFC_GAGE"},
        ShapeCase{"select DOWNTIME_ID  from T_TRNK_DOWNTIME  where PTYPE_ID IN (5,33)", "T_TRNK_DOWNTIME"},
        ShapeCase{"select T_TRNK_MACHINES.GROUP_ID from T_TRNK_MACHINES, T_TRNK_GROUPS", ""},
        ShapeCase{"select a.X from T_A a inner join T_B b on a.X = b.X", ""},
        ShapeCase{"select count(*) from T_A", ""}, ShapeCase{"select distinct X from T_A", ""},
        ShapeCase{"select top 5 * from T_A", ""}, ShapeCase{"Select SYSDATE from DUAL", "DUAL"},
        ShapeCase{"SELECT Date() as PDATE , Time() as PTIME ", ""},
        ShapeCase{"select X from T_A group by X", ""},
        ShapeCase{"select X from T_A union select X from T_B", ""},
        ShapeCase{"select * from T_A where X in (select X from T_B)", ""},
        ShapeCase{"update T_A set X = 1", ""}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(CountedQuery, LosesOnlyItsOwnTrailingOrderBy) {
    EXPECT_EQ(WithoutOrderBy("select * from T order by A DESC "), "select * from T ");
    EXPECT_EQ(WithoutOrderBy("select * from T where N = 'order by'"), "select * from T where N = 'order by'");
    EXPECT_EQ(WithoutOrderBy("select * from (select * from T order by A) x"),
              "select * from (select * from T order by A) x");
}

struct ReadBackCase {
    const char* dbms;
    Dialect dialect;
    const char* query;
};

class KeyQueryOf : public ::testing::TestWithParam<ReadBackCase> {};

TEST_P(KeyQueryOf, FollowsTheServerBeforeTheDialect) {
    EXPECT_EQ(KeyQuery(KeyReadBackFor(GetParam().dbms, GetParam().dialect), "S_SFC_GAGE"), GetParam().query);
}

INSTANTIATE_TEST_SUITE_P(
    Servers, KeyQueryOf,
    ::testing::Values(ReadBackCase{"Microsoft SQL Server", Dialect::Access, "SELECT SCOPE_IDENTITY()"},
                      ReadBackCase{"Oracle", Dialect::SqlServer, "SELECT S_SFC_GAGE.CURRVAL FROM DUAL"},
                      ReadBackCase{"ACCESS", Dialect::Oracle, "SELECT @@IDENTITY"},
                      ReadBackCase{"SQLite", Dialect::Oracle, "SELECT last_insert_rowid()"},
                      ReadBackCase{"", Dialect::Oracle, "SELECT S_SFC_GAGE.CURRVAL FROM DUAL"},
                      ReadBackCase{"Some Server", Dialect::SqlServer, "SELECT SCOPE_IDENTITY()"},
                      ReadBackCase{"", Dialect::Access, "SELECT @@IDENTITY"}));

TEST(SequenceName, FollowsTheTable) {
    EXPECT_EQ(SequenceNamedAfter("T_SFC_GAGE"), "S_SFC_GAGE");
    EXPECT_EQ(SequenceNamedAfter("t_trnk_ptype"), "S_TRNK_PTYPE");
    EXPECT_EQ(SequenceNamedAfter("shop.T_SFC_GAGE"), "SHOP.S_SFC_GAGE");
}

}  // namespace
}  // namespace tmigration::db::odbc
