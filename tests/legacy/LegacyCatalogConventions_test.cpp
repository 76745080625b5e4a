// The catalogs' result conventions, their totals, and the consistency a real database would enforce on
// the legacy schema (referenced tables and columns exist, object names are unique, one LONG per table).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "legacy/catalog/LegacyCatalogs.h"
#include "legacy/catalog/LegacyCreateAll.h"
#include "legacy/catalog/LegacyTableLists.h"

namespace tmigration::legacy {
namespace {

using db::Dialect;

constexpr std::array kAllDialects{Dialect::Oracle, Dialect::Access, Dialect::SqlServer};
constexpr std::array kAllKinds{StatementKind::Table, StatementKind::Index, StatementKind::Constraint,
                               StatementKind::Sequence, StatementKind::Trigger};

struct CatalogCase {
    Module module;
    Dialect dialect;
    std::int16_t tables;
};

std::string DialectWord(Dialect dialect) {
    return dialect == Dialect::Oracle ? "Oracle" : dialect == Dialect::Access ? "Access" : "Sql";
}

void PrintTo(const CatalogCase& c, std::ostream* os) {
    *os << ModuleName(c.module) << " " << DialectWord(c.dialect);
}

std::string CatalogName(const testing::TestParamInfo<CatalogCase>& info) {
    return std::string(ModuleName(info.param.module)) + DialectWord(info.param.dialect);
}

std::vector<CatalogCase> AllCatalogs() {
    const std::map<Module, std::int16_t> counts{{Module::Common, 69},
                                                {Module::Gage, 11},
                                                {Module::MDC, 3},
                                                {Module::Tool, 21},
                                                {Module::Traveler, 15}};
    std::vector<CatalogCase> cases;
    for (const auto& [module, tables] : counts) {
        for (Dialect dialect : kAllDialects) cases.push_back({module, dialect, tables});
    }
    return cases;
}

class EveryCatalog : public testing::TestWithParam<CatalogCase> {
  protected:
    const LegacyCatalog& Catalog() const { return GetLegacyCatalog(GetParam().module, GetParam().dialect); }
};

TEST_P(EveryCatalog, CountsItsTables) {
    EXPECT_EQ(Catalog().GetNumberTables(), GetParam().tables);
}

TEST_P(EveryCatalog, AnswersErrorOutsideItsTables) {
    for (std::int16_t iTable :
         {std::int16_t{0}, std::int16_t{-1}, static_cast<std::int16_t>(GetParam().tables + 1)}) {
        for (StatementKind kind : kAllKinds) {
            std::vector<std::string> commands{"x", "y"};
            EXPECT_EQ(Catalog().GetCreateCommand(kind, iTable, commands), 0);
            EXPECT_EQ(commands, (std::vector<std::string>{"#ERROR#", "y"}));
        }
    }
}

TEST_P(EveryCatalog, ReturnsIndexOfLastStatementWritten) {
    for (std::int16_t iTable = 1; iTable <= GetParam().tables; ++iTable) {
        for (StatementKind kind : kAllKinds) {
            std::vector<std::string> commands(2 * GetParam().tables + 1, "untouched");
            const std::int32_t last = Catalog().GetCreateCommand(kind, iTable, commands);
            ASSERT_GE(last, 0);
            for (std::int32_t i = 0; i <= last; ++i) {
                // Only a table without statements of this kind gets an empty element, and only element 0.
                EXPECT_TRUE(!commands[i].empty() || last == 0) << iTable;
                EXPECT_NE(commands[i], "untouched");
            }
            EXPECT_EQ(commands[static_cast<std::size_t>(last) + 1], "untouched");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Legacy, EveryCatalog, testing::ValuesIn(AllCatalogs()), CatalogName);

TEST(LegacyCatalogMethods, FollowTheCommonModuleEdgeCases) {
    std::vector<std::string> commands(2 * 69 + 1);
    const CAccessCommonSQL access;
    EXPECT_EQ(access.GetConstraintCreateCommand(1, commands), 0);
    EXPECT_EQ(commands[0], "");
    EXPECT_EQ(access.GetIndexCreateCommand(70, commands), 0);
    EXPECT_EQ(commands[0], "#ERROR#");
    EXPECT_EQ(access.GetTableCreateCommand(69, commands), 0);
    EXPECT_TRUE(commands[0].starts_with("CREATE TABLE T_TRNK_OPTIONS ("));

    const COracleCommonSQL oracle;
    EXPECT_EQ(oracle.GetIndexCreateCommand(2, commands), 3);
    EXPECT_EQ(oracle.GetSequenceCreateCommand(2, commands), 0);
    EXPECT_EQ(commands[0], "CREATE SEQUENCE S_TRNK_SUBTYPE INCREMENT BY 1 START WITH 1");
    EXPECT_EQ(oracle.GetTriggerCreateCommand(70, commands), 0);
    EXPECT_EQ(commands[0], "#ERROR#");

    EXPECT_EQ(CSQLToolSQL().GetConstraintCreateCommand(7, commands), 11);  // T_TRNK_TOOL_IRR
    EXPECT_EQ(COracleMDCSQL().GetNumberTables(), 3);
}

TEST(LegacyCatalogMethods, GrowAnArrayTheCallerSizedTooSmall) {
    std::vector<std::string> commands(1);
    EXPECT_EQ(CSQLCommonSQL().GetIndexCreateCommand(46, commands), 11);  // T_TRNK_SHIFT_HISTORY
    EXPECT_EQ(commands.size(), 12u);
    EXPECT_EQ(commands[11], "CREATE INDEX K_TRNK_SH_JOB ON T_TRNK_SHIFT_HISTORY (JOB_ID)");
}

struct Totals {
    Dialect dialect;
    std::size_t tables, indexes, primaryKeys, foreignKeys, sequences, cachedSequences, triggers;
};

void PrintTo(const Totals& t, std::ostream* os) {
    *os << DialectWord(t.dialect);
}

class DialectTotals : public testing::TestWithParam<Totals> {};

TEST_P(DialectTotals, OverAllModules) {
    const Totals& want = GetParam();
    Totals got{want.dialect, 0, 0, 0, 0, 0, 0, 0};
    for (Module module : kAllModules) {
        for (const std::string& sql : LegacyStatements(module, want.dialect)) {
            got.tables += sql.starts_with("CREATE TABLE ");
            got.indexes += sql.starts_with("CREATE INDEX ") || sql.starts_with("CREATE UNIQUE INDEX ");
            got.primaryKeys += sql.find(" PRIMARY KEY (") != std::string::npos;
            got.foreignKeys += sql.find(" FOREIGN KEY (") != std::string::npos;
            got.sequences += sql.starts_with("CREATE SEQUENCE ");
            got.cachedSequences += sql.ends_with(" CACHE 5 NOCYCLE");
            got.triggers += sql.find(" TRIGGER TR_TRNK_") != std::string::npos;
        }
    }
    EXPECT_EQ(got.tables, want.tables);
    EXPECT_EQ(got.indexes, want.indexes);
    EXPECT_EQ(got.primaryKeys, want.primaryKeys);
    EXPECT_EQ(got.foreignKeys, want.foreignKeys);
    EXPECT_EQ(got.sequences, want.sequences);
    EXPECT_EQ(got.cachedSequences, want.cachedSequences);
    EXPECT_EQ(got.triggers, want.triggers);
}

INSTANTIATE_TEST_SUITE_P(Legacy, DialectTotals,
                         testing::Values(Totals{Dialect::Access, 119, 174, 0, 304, 0, 0, 0},
                                         Totals{Dialect::SqlServer, 119, 174, 0, 304, 0, 0, 0},
                                         Totals{Dialect::Oracle, 119, 174, 119, 301, 119, 35, 119}));

// The whole legacy schema, as one database holds it once every module is created.
class LegacySchema : public testing::Test {
  protected:
    static const LegacyTable* Find(const std::string& name) {
        for (Module module : kAllModules) {
            for (const LegacyTable& table : LegacyTables(module)) {
                if (table.name == name) return &table;
            }
        }
        return nullptr;
    }
    static bool HasColumn(const LegacyTable& table, std::string name) {
        while (name.ends_with(' ')) name.pop_back();
        return std::ranges::any_of(table.columns, [&](const LegacyColumn& c) { return c.name == name; });
    }
    template <typename F>
    static void ForEachTable(F f) {
        for (Module module : kAllModules) {
            for (const LegacyTable& table : LegacyTables(module)) f(table);
        }
    }
};

TEST_F(LegacySchema, ForeignKeysReferToExistingTablesAndColumns) {
    ForEachTable([](const LegacyTable& table) {
        for (const LegacyForeignKey& fk : table.foreignKeys) {
            EXPECT_TRUE(HasColumn(table, fk.column)) << fk.name;
            EXPECT_NE(Find(fk.referencedTable), nullptr) << fk.name;
        }
    });
}

TEST_F(LegacySchema, IndexesCoverExistingColumns) {
    ForEachTable([](const LegacyTable& table) {
        for (const LegacyIndex& index : table.indexes) {
            std::string columns = index.columns + ",";
            for (std::size_t at; (at = columns.find(',')) != std::string::npos; columns.erase(0, at + 1)) {
                std::string column = columns.substr(0, at);
                if (column.starts_with(' ')) column.erase(0, 1);
                EXPECT_TRUE(HasColumn(table, column)) << index.name << " " << column;
            }
        }
    });
}

TEST_F(LegacySchema, ObjectNamesAreUniquePerDialect) {
    for (Dialect dialect : kAllDialects) {
        std::set<std::string> indexes, constraints, sequences, triggers;
        ForEachTable([&](const LegacyTable& table) {
            for (const LegacyIndex& index : table.indexes) {
                EXPECT_TRUE(indexes.insert(index.NameIn(dialect)).second) << index.NameIn(dialect);
            }
            for (const LegacyForeignKey& fk : table.foreignKeys) {
                EXPECT_TRUE(constraints.insert(fk.name).second) << fk.name;
            }
            EXPECT_TRUE(sequences.insert(table.sequenceName).second) << table.sequenceName;
            EXPECT_TRUE(triggers.insert(table.triggerName).second) << table.triggerName;
        });
    }
}

TEST_F(LegacySchema, ColumnNamesAreUniquePerTable) {
    ForEachTable([](const LegacyTable& table) {
        std::set<std::string> names;
        for (const LegacyColumn& column : table.columns) {
            EXPECT_TRUE(names.insert(column.name).second) << table.name << "." << column.name;
        }
    });
}

TEST_F(LegacySchema, OracleTablesHaveAtMostOneLongColumn) {
    ForEachTable([](const LegacyTable& table) {
        EXPECT_LE(
            std::ranges::count_if(table.columns,
                                  [](const LegacyColumn& c) { return c.TypeIn(Dialect::Oracle) == "LONG"; }),
            1)
            << table.name;
    });
}

}  // namespace
}  // namespace tmigration::legacy
