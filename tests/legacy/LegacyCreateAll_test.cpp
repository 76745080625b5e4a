// Creating a module's legacy tables from its catalog: the pass order, the step percentages, and the stop
// at the first failing statement.
#include "legacy/catalog/LegacyCreateAll.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace tmigration::legacy {
namespace {

using db::Dialect;

std::ptrdiff_t Position(const std::vector<std::string>& statements, const std::string& sql) {
    const auto it = std::ranges::find(statements, sql);
    return it == statements.end() ? -1 : it - statements.begin();
}

TEST(LegacyCreateAll, OracleRunsTablesIndexesSequencesTriggersThenForeignKeys) {
    const std::vector<std::string> all = LegacyStatements(Module::Common, Dialect::Oracle);
    const auto create = Position(all,
                                 "CREATE TABLE T_TRNK_PTYPE (PTYPE_ID NUMBER(10,0) NOT NULL, PTYPE_NAME "
                                 "VARCHAR2(30) NOT NULL, PTYPE_NUMBER VARCHAR2(30), DETAILS LONG)");
    const auto keyIndex = Position(all, "CREATE UNIQUE INDEX K_TRNK_PTYPE ON T_TRNK_PTYPE (PTYPE_ID )");
    const auto sequence = Position(all, "CREATE SEQUENCE S_TRNK_PTYPE INCREMENT BY 1 START WITH 1");
    const auto trigger =
        std::ranges::find_if(
            all, [](const std::string& s) { return s.starts_with("CREATE TRIGGER TR_TRNK_PTYPE "); }) -
        all.begin();
    const auto lastTable = Position(all,
                                    "CREATE TABLE T_TRNK_OPTIONS (OPTIONS_ID NUMBER(10,0) NOT NULL, APP_ID "
                                    "NUMBER(10,0) NOT NULL, OPTION_VALUE NUMBER(10,0) NOT NULL, RES_ID "
                                    "NUMBER(10,0) NOT NULL, PTYPE_ID NUMBER(10,0) NOT NULL, STRING_VAL "
                                    "VARCHAR2(255), NUM_VAL NUMBER(10,4), BOOL_VAL NUMBER(10,0))");
    const auto lastIndex = Position(all,
                                    "ALTER TABLE T_TRNK_OPTIONS ADD ( CONSTRAINT K_TRNK_OPTIONS PRIMARY KEY "
                                    "(OPTIONS_ID))");
    const auto lastSequence = Position(all, "CREATE SEQUENCE S_TRNK_OPTIONS INCREMENT BY 1 START WITH 1");

    EXPECT_EQ(create, 0);
    EXPECT_EQ(lastTable, 68);
    EXPECT_EQ(keyIndex, 69);
    EXPECT_EQ(all[70], "ALTER TABLE T_TRNK_PTYPE ADD ( CONSTRAINT K_TRNK_PTYPE PRIMARY KEY (PTYPE_ID))");
    EXPECT_EQ(all[71], "CREATE UNIQUE INDEX K_TRNK_PTYPENAME ON T_TRNK_PTYPE (PTYPE_NAME)");
    EXPECT_EQ(sequence, lastIndex + 1);
    EXPECT_EQ(trigger, lastSequence + 1);
    // 69 tables, 108 indexes with 69 primary keys, 69 sequences, 69 triggers, then 152 foreign keys
    // (the Oracle catalog has none for T_TRNK_USER2).
    ASSERT_EQ(all.size(), 69u + 177u + 69u + 69u + 152u);
    EXPECT_EQ(trigger, 69 + 177 + 69);
    EXPECT_EQ(all[69 + 177 + 69 + 69],
              "ALTER TABLE T_TRNK_SUBTYPE ADD ( CONSTRAINT FK_SUB_PTYPE FOREIGN KEY (PTYPE_ID) REFERENCES "
              "T_TRNK_PTYPE) ");
    EXPECT_TRUE(
        all.back().starts_with("ALTER TABLE T_TRNK_SCRAP_CODE_SH ADD ( CONSTRAINT FK_SCRAP_CODE_SH_SH "));
}

TEST(LegacyCreateAll, AccessRunsTablesIndexesThenForeignKeysWithoutEmptyTexts) {
    const std::vector<std::string> all = LegacyStatements(Module::Common, Dialect::Access);
    ASSERT_EQ(all.size(), 69u + 108u + 155u);
    EXPECT_TRUE(std::ranges::all_of(all.begin(), all.begin() + 69,
                                    [](const std::string& s) { return s.starts_with("CREATE TABLE "); }));
    EXPECT_TRUE(std::ranges::all_of(all.begin() + 69, all.begin() + 177,
                                    [](const std::string& s) { return s.find(" INDEX K_TRNK_") != s.npos; }));
    EXPECT_TRUE(std::ranges::all_of(all.begin() + 177, all.end(),
                                    [](const std::string& s) { return s.find(" FOREIGN KEY (") != s.npos; }));
}

struct ProgressCase {
    Module module;
    Dialect dialect;
    std::size_t steps;
};

void PrintTo(const ProgressCase& c, std::ostream* os) {
    *os << ModuleName(c.module) << " in " << c.steps << " steps";
}

class CreateAllProgress : public testing::TestWithParam<ProgressCase> {};

TEST_P(CreateAllProgress, ReachesOneHundredAfterEveryTableOfEveryPass) {
    std::vector<int> percents;
    EXPECT_TRUE(ForEachLegacyStatement(
        GetParam().module, GetParam().dialect, [](const std::string&) { return true; },
        [&](int percent) { percents.push_back(percent); }));
    ASSERT_EQ(percents.size(), GetParam().steps);
    EXPECT_EQ(percents.back(), 100);
    EXPECT_TRUE(std::ranges::is_sorted(percents));
}

INSTANTIATE_TEST_SUITE_P(Legacy, CreateAllProgress,
                         testing::Values(ProgressCase{Module::Common, Dialect::Access, 207},
                                         ProgressCase{Module::Common, Dialect::Oracle, 345},
                                         ProgressCase{Module::Tool, Dialect::SqlServer, 63},
                                         ProgressCase{Module::Gage, Dialect::Oracle, 55},
                                         ProgressCase{Module::Traveler, Dialect::Access, 45},
                                         ProgressCase{Module::MDC, Dialect::Oracle, 15}));

TEST(LegacyCreateAll, RoundsStepPercentToNearest) {
    std::vector<int> percents;
    ForEachLegacyStatement(
        Module::MDC, Dialect::Access, [](const std::string&) { return true; },
        [&](int percent) { percents.push_back(percent); });
    EXPECT_EQ(percents, (std::vector<int>{11, 22, 33, 44, 56, 67, 78, 89, 100}));
}

TEST(LegacyCreateAll, StopsAtTheFirstFailingStatement) {
    std::vector<std::string> run;
    int reports = 0;
    const bool ok = ForEachLegacyStatement(
        Module::Traveler, Dialect::SqlServer,
        [&](const std::string& sql) {
            run.push_back(sql);
            return !sql.starts_with("CREATE UNIQUE INDEX K_TRNK_OPSPERTRAV ");
        },
        [&](int) { ++reports; });
    EXPECT_FALSE(ok);
    EXPECT_EQ(run.size(), 15u + 2u);  // all tables, then the traveler's and the failing index
    EXPECT_EQ(reports, 15 + 1);
}

}  // namespace
}  // namespace tmigration::legacy
