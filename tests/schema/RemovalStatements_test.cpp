#include "schema/RemovalStatements.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "schema/SqlStringError.h"

namespace tmigration::schema {
namespace {

using db::Dialect;

const std::string& Statement(Dialect d, int number) {
    return RemovalStatements(d).at(number - 1);
}

bool StartsWith(const std::string& s, std::string_view prefix) {
    return s.rfind(prefix, 0) == 0;
}

TEST(RemovalStatementsTest, ListLengthsAndAccessEqualsSqlServer) {
    EXPECT_EQ(RemovalStatements(Dialect::Access).size(), 423u);
    EXPECT_EQ(RemovalStatements(Dialect::Oracle).size(), 542u);
    EXPECT_EQ(RemovalStatementCount(Dialect::Access), 423);
    EXPECT_EQ(RemovalStatementCount(Dialect::SqlServer), 423);
    EXPECT_EQ(RemovalStatementCount(Dialect::Oracle), 542);
    EXPECT_EQ(RemovalStatements(Dialect::Access), RemovalStatements(Dialect::SqlServer));
}

struct Quoted {
    Dialect dialect;
    int number;
    std::string text;
};

class QuotedRemovalTest : public testing::TestWithParam<Quoted> {};

TEST_P(QuotedRemovalTest, MatchesByteForByte) {
    EXPECT_EQ(Statement(GetParam().dialect, GetParam().number), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Quotes, QuotedRemovalTest,
    testing::Values(
        Quoted{Dialect::Access, 1, "ALTER TABLE T_TRNK_PART_REF_DIM DROP CONSTRAINT FK_PART_REF_DIM_PT"},
        Quoted{Dialect::Oracle, 1, "ALTER TABLE T_TRNK_PART_REF_DIM DROP CONSTRAINT FK_PART_REF_DIM_PT"},
        Quoted{Dialect::Access, 251, "ALTER TABLE T_TRNK_COST_CENTER DROP CONSTRAINT FK_CC_STATUS"},
        Quoted{Dialect::Access, 252, "ALTER TABLE T_TRNK_USER2 DROP CONSTRAINT FK_USER2_GROUPS"},
        Quoted{Dialect::Access, 254, "ALTER TABLE T_TRNK_USER2 DROP CONSTRAINT FK_USER2_LOCATION"},
        Quoted{Dialect::Oracle, 252, ""}, Quoted{Dialect::Oracle, 253, ""}, Quoted{Dialect::Oracle, 254, ""},
        Quoted{Dialect::Oracle, 255, "ALTER TABLE T_TRNK_USER1 DROP CONSTRAINT FK_USER1_GROUPS"},
        Quoted{Dialect::Access, 304, "ALTER TABLE T_TRNK_SUBTYPE DROP CONSTRAINT FK_SUB_PTYPE"},
        Quoted{Dialect::Access, 305, "DROP TABLE T_TRNK_GAUGES"},
        Quoted{Dialect::Access, 423, "DROP TABLE T_TRNK_OPTIONS"},
        Quoted{Dialect::Oracle, 305, "DROP SEQUENCE S_TRNK_GAUGES"},
        Quoted{Dialect::Oracle, 309, "DROP SEQUENCE S_TRNK_OPS_PER_GAUGE"},
        Quoted{Dialect::Oracle, 423, "DROP SEQUENCE S_TRNK_OPTIONS"},
        Quoted{Dialect::Oracle, 424, "DROP TABLE T_TRNK_GAUGES"},
        Quoted{Dialect::Oracle, 428, "DROP TABLE T_TRNK_OPSPERGAUGE"},
        Quoted{Dialect::Oracle, 542, "DROP TABLE T_TRNK_OPTIONS"}),
    [](const auto& info) {
        return std::string(info.param.dialect == Dialect::Oracle ? "Oracle_" : "Access_") +
               std::to_string(info.param.number);
    });

TEST(RemovalStatementsTest, OracleSkipsOnlyTheThreeUser2Keys) {
    const auto& access = RemovalStatements(Dialect::Access);
    const auto& oracle = RemovalStatements(Dialect::Oracle);
    EXPECT_EQ(std::count(oracle.begin(), oracle.end(), std::string()), 3);
    for (int i = 0; i < 304; ++i) {
        ASSERT_TRUE(StartsWith(access[i], "ALTER TABLE T_TRNK_")) << i + 1;
        if (i + 1 < 252 || i + 1 > 254) {
            EXPECT_EQ(oracle[i], access[i]) << i + 1;
        }
    }
    EXPECT_TRUE(std::equal(access.begin() + 304, access.end(), oracle.begin() + 423));
}

// Each Oracle sequence belongs to the table dropped 119 statements later; its name is the
// table's with S_ for T_ except for the two legacy sequences that were named differently.
TEST(RemovalStatementsTest, OracleSequencesPairWithTheirTables) {
    std::set<std::string> tables;
    for (int n = 305; n <= 423; ++n) {
        const std::string table =
            Statement(Dialect::Oracle, n + 119).substr(std::string("DROP TABLE ").size());
        ASSERT_TRUE(StartsWith(table, "T_TRNK_")) << n;
        EXPECT_TRUE(tables.insert(table).second) << table;
        std::string sequence = "S_" + table.substr(2);
        if (table == "T_TRNK_OPSPERGAUGE") sequence = "S_TRNK_OPS_PER_GAUGE";
        if (table == "T_TRNK_DOWNTIME_SHIFT_HISTORY") sequence = "S_TRNK_DOWNTIME_SH";
        EXPECT_EQ(Statement(Dialect::Oracle, n), "DROP SEQUENCE " + sequence);
    }
    // Every table that loses constraints is itself dropped afterwards.
    for (int n = 1; n <= 304; ++n) {
        const std::string& s = Statement(Dialect::Access, n);
        const std::string table = s.substr(12, s.find(" DROP ") - 12);
        EXPECT_TRUE(tables.count(table)) << s;
    }
}

TEST(SqlStringErrorTest, NumbersTheStatementAndKeepsTheDatabaseMessage) {
    EXPECT_EQ(SqlStringError(57, "Table 'T_SFC_X' already exists."),
              "An error occurred on SQL String 57:\r\nTable 'T_SFC_X' already exists.");
    EXPECT_EQ(SqlStringError(305, ""), "An error occurred on SQL String 305:\r\n");
}

}  // namespace
}  // namespace tmigration::schema
