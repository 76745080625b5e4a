// Reading the compact table declarations: departures and index attributes, and the declarations the
// model refuses rather than render wrong DDL from.
#include "legacy/catalog/LegacyTable.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <stdexcept>
#include <string>

#include "legacy/catalog/LegacyModule.h"

namespace tmigration::legacy {
namespace {

using db::Dialect;

TEST(LegacyTableDecl, ReadsDeparturesAndIndexAttributes) {
    const LegacyTable table = ParseLegacyTable(
        {"T_TRNK_X",
         "X_ID COUNTER key; A DOUBLE NOT NULL [NUMBER(10,2) / NUMERIC(10,2)]; B MEMO [VARCHAR2(256)]",
         "K_TRNK_X unique (X_ID); K_TRNK_XA [K_TRNK_X_A] unique (A, B )", "FK_X_Y (A -> T_TRNK_Y)",
         SequenceForm::Cached});
    ASSERT_EQ(table.columns.size(), 3u);
    EXPECT_EQ(table.columns[1].TypeIn(Dialect::Access), "DOUBLE");
    EXPECT_EQ(table.columns[1].TypeIn(Dialect::Oracle), "NUMBER(10,2)");
    EXPECT_EQ(table.columns[1].TypeIn(Dialect::SqlServer), "NUMERIC(10,2)");
    EXPECT_TRUE(table.columns[1].notNull);
    EXPECT_EQ(table.columns[2].TypeIn(Dialect::Oracle), "VARCHAR2(256)");
    EXPECT_EQ(table.columns[2].TypeIn(Dialect::SqlServer), "TEXT");
    EXPECT_EQ(table.indexes[1].NameIn(Dialect::Oracle), "K_TRNK_X_A");
    EXPECT_EQ(table.indexes[1].NameIn(Dialect::Access), "K_TRNK_XA");
    EXPECT_TRUE(table.indexes[1].unique);
    EXPECT_EQ(table.indexes[1].columns, "A, B ");
    EXPECT_EQ(table.foreignKeys[0].referencedTable, "T_TRNK_Y");
    EXPECT_EQ(table.sequenceName, "S_TRNK_X");
    EXPECT_EQ(table.triggerName, "TR_TRNK_X");
}

struct Malformed {
    const char* why;
    LegacyTableDecl decl;
};

void PrintTo(const Malformed& m, std::ostream* os) {
    *os << m.why;
}

class MalformedDecl : public testing::TestWithParam<Malformed> {};

TEST_P(MalformedDecl, IsRefused) {
    EXPECT_THROW(ParseLegacyTable(GetParam().decl), std::invalid_argument);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Legacy, MalformedDecl, testing::Values(
    Malformed{"no table prefix", {"X", "X_ID COUNTER key", "K_X unique (X_ID)", ""}},
    Malformed{"key not first", {"T_TRNK_X", "A INTEGER; X_ID COUNTER key", "K_X unique (X_ID)", ""}},
    Malformed{"key not a counter", {"T_TRNK_X", "X_ID INTEGER key", "K_X unique (X_ID)", ""}},
    Malformed{"unknown type", {"T_TRNK_X", "X_ID COUNTER key; A BLOB", "K_X unique (X_ID)", ""}},
    Malformed{"DATE needs departures", {"T_TRNK_X", "X_ID COUNTER key; A DATE", "K_X unique (X_ID)", ""}},
    Malformed{"unclosed departure", {"T_TRNK_X", "X_ID COUNTER key; A MEMO [LONG", "K_X unique (X_ID)", ""}},
    Malformed{"key index not unique", {"T_TRNK_X", "X_ID COUNTER key", "K_X (X_ID)", ""}},
    Malformed{"key index off the key", {"T_TRNK_X", "X_ID COUNTER key; A INTEGER", "K_X unique (A)", ""}},
    Malformed{"index attribute", {"T_TRNK_X", "X_ID COUNTER key", "K_X unique (X_ID); K_Y x (X_ID)", ""}},
    Malformed{"foreign key without arrow",
              {"T_TRNK_X", "X_ID COUNTER key", "K_X unique (X_ID)", "FK_X (X_ID T_TRNK_Y)"}}));
// clang-format on

TEST(LegacyModuleWord, NamesEveryModuleInAnyCase) {
    for (Module module : kAllModules) {
        Module parsed = Module::Common;
        std::string word(ModuleName(module));
        for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        ASSERT_TRUE(ParseModuleWord(word, parsed)) << word;
        EXPECT_EQ(parsed, module);
    }
    Module untouched = Module::Tool;
    EXPECT_FALSE(ParseModuleWord("gauge", untouched));
    EXPECT_EQ(untouched, Module::Tool);
}

}  // namespace
}  // namespace tmigration::legacy
