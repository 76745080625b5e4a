#include "transfer/PrepareStatements.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "schema/RemovalStatements.h"
#include "transfer/TranslateTableTarget.h"

namespace tmigration::transfer {
namespace {

using db::Dialect;

struct Expected {
    Dialect dialect;
    std::string first, last;
};

class PrepareStatementsTest : public testing::TestWithParam<Expected> {};

TEST_P(PrepareStatementsTest, HundredAltersWithTheDialectsType) {
    const auto& list = PrepareStatements(GetParam().dialect);
    ASSERT_EQ(list.size(), 100u);
    EXPECT_EQ(list.front(), GetParam().first);
    EXPECT_EQ(list.back(), GetParam().last);
}

INSTANTIATE_TEST_SUITE_P(
    Dialects, PrepareStatementsTest,
    testing::Values(Expected{Dialect::Oracle, "ALTER TABLE T_TRNK_INTERVAL ADD SFC_ID NUMBER(10,0)",
                             "ALTER TABLE T_TRNK_OPTIONS ADD SFC_ID NUMBER(10,0)"},
                    Expected{Dialect::Access, "ALTER TABLE T_TRNK_INTERVAL ADD SFC_ID INTEGER",
                             "ALTER TABLE T_TRNK_OPTIONS ADD SFC_ID INTEGER"},
                    Expected{Dialect::SqlServer, "ALTER TABLE T_TRNK_INTERVAL ADD SFC_ID INTEGER",
                             "ALTER TABLE T_TRNK_OPTIONS ADD SFC_ID INTEGER"}));

// The map must cover every table a polymorphic reference is translated through, and it lives
// only in tables that the removal drops again.
TEST(MappedLegacyTablesTest, CoverTheTranslatedTablesAndAreAllDroppedLater) {
    const auto& mapped = MappedLegacyTables();
    const std::set<std::string_view> unique(mapped.begin(), mapped.end());
    EXPECT_EQ(unique.size(), 100u);
    for (const LegacyTableCode& code : LegacyTableCodes())
        EXPECT_TRUE(unique.count(code.legacyTable)) << code.legacyTable;
    const auto& removal = schema::RemovalStatements(Dialect::Access);
    for (std::string_view table : mapped) {
        EXPECT_NE(std::find(removal.begin(), removal.end(), "DROP TABLE " + std::string(table)),
                  removal.end())
            << table;
    }
}

}  // namespace
}  // namespace tmigration::transfer
