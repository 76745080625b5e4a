#include "schema/SchemaStatements.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "schema/ColumnTypeRules.h"
#include "schema/NewSchemaTables.h"
#include "schema/SchemaSeedRows.h"

namespace tmigration::schema {

namespace {

// The Oracle list creates these two indexes in the opposite order to the other dialects.
constexpr std::string_view kOracleSwappedIndexes[] = {"K_SFC_FAS_OPT", "K_SFC_FS_TABLE_TARGET"};

std::string CreateTable(db::Dialect dialect, const TableDecl& table) {
    return "CREATE TABLE " + std::string(table.name) + " (" + table.KeyColumn() + " " +
           std::string(KeyColumnType(dialect)) + ", " + RenderColumns(dialect, table) + ")";
}

std::string CreateKeyIndex(const TableDecl& table) {
    return "CREATE UNIQUE INDEX K_SFC_" + std::string(table.ShortName()) + " ON " + std::string(table.name) +
           " (" + table.KeyColumn() + ")";
}

std::string CreateIndex(const TableDecl& table, const IndexDecl& index) {
    return std::string(index.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") + std::string(index.name) +
           " ON " + std::string(table.name) + " (" + std::string(index.columns) + ")";
}

// The constraint name is followed by a blank and then " FOREIGN KEY": two blanks in all.
std::string AddForeignKey(const TableDecl& table, const ForeignKeyDecl& key) {
    return "ALTER TABLE " + std::string(table.name) + " ADD CONSTRAINT " + std::string(key.name) + " " +
           " FOREIGN KEY (" + std::string(key.column) + ") REFERENCES " + std::string(key.referencedTable);
}

std::string CreateSequence(const TableDecl& table) {
    return "CREATE SEQUENCE S_SFC_" + std::string(table.ShortName()) + " INCREMENT BY 1 START WITH 1";
}

// The key trigger takes every inserted key from the sequence and keeps keys from changing.
// The runs of three and five blanks are the original line indentation folded into one line.
std::string CreateKeyTrigger(const TableDecl& table) {
    const std::string x(table.ShortName());
    const std::string key = table.KeyColumn();
    return "CREATE TRIGGER TR_SFC_" + x + " BEFORE INSERT OR UPDATE ON T_SFC_" + x +
           " FOR EACH ROW BEGIN   IF INSERTING THEN     SELECT S_SFC_" + x + ".NEXTVAL INTO :NEW." + key +
           " FROM DUAL;   ELSE     :NEW." + key + " := :OLD." + key + ";   END IF; END;";
}

void Append(std::vector<std::string>& list, std::vector<std::string> more) {
    list.insert(list.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}

std::vector<std::string> IndexStatements(db::Dialect dialect) {
    const bool oracle = dialect == db::Dialect::Oracle;
    std::vector<std::string> out;
    std::array<std::size_t, 2> swapped{};
    for (const TableDecl& table : NewSchemaTables()) {
        if (!oracle) out.push_back(CreateKeyIndex(table));
        for (const IndexDecl& index : table.indexes) {
            for (std::size_t k = 0; k < swapped.size(); ++k) {
                if (index.name == kOracleSwappedIndexes[k]) swapped[k] = out.size();
            }
            out.push_back(CreateIndex(table, index));
        }
    }
    if (oracle) std::swap(out[swapped[0]], out[swapped[1]]);
    return out;
}

std::vector<std::string> BuildList(db::Dialect dialect) {
    const bool oracle = dialect == db::Dialect::Oracle;
    const auto& tables = NewSchemaTables();
    const TableDecl& itemTable = tables.front();
    std::vector<std::string> list;

    // The item table comes first so that item 1 can record progress from the next statement on.
    list.push_back(CreateTable(dialect, itemTable));
    if (oracle) {
        list.push_back(CreateSequence(itemTable));
        list.push_back(CreateKeyTrigger(itemTable));
    }
    list.push_back(ItemOneSeedRow(static_cast<int>(list.size()) + 1));

    for (auto t = tables.begin() + 1; t != tables.end(); ++t) list.push_back(CreateTable(dialect, *t));
    Append(list, IndexStatements(dialect));
    for (const TableDecl& table : tables) {
        for (const ForeignKeyDecl& key : table.foreignKeys) list.push_back(AddForeignKey(table, key));
    }
    if (oracle) {
        for (auto t = tables.begin() + 1; t != tables.end(); ++t) list.push_back(CreateSequence(*t));
        for (auto t = tables.begin() + 1; t != tables.end(); ++t) list.push_back(CreateKeyTrigger(*t));
    }
    Append(list, SecurityObjectSeedRows());
    Append(list, ApiFunctionSeedRows());
    Append(list, FixedSeedRows(dialect));
    return list;
}

}  // namespace

const std::vector<std::string>& SchemaStatements(db::Dialect dialect) {
    switch (dialect) {
        case db::Dialect::Oracle: {
            static const std::vector<std::string> list = BuildList(db::Dialect::Oracle);
            return list;
        }
        case db::Dialect::SqlServer: {
            static const std::vector<std::string> list = BuildList(db::Dialect::SqlServer);
            return list;
        }
        case db::Dialect::Access:
            break;
    }
    static const std::vector<std::string> list = BuildList(db::Dialect::Access);
    return list;
}

int SchemaStatementCount(db::Dialect dialect) {
    return dialect == db::Dialect::Oracle ? 1652 : 1553;
}

int ItemOneSeedStatement(db::Dialect dialect) {
    return dialect == db::Dialect::Oracle ? 4 : 2;
}

int FinalSchemaLevel(db::Dialect dialect) {
    return SchemaStatementCount(dialect) + 1;
}

}  // namespace tmigration::schema
