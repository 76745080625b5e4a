#include "legacy/catalog/LegacyDdl.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace tmigration::legacy {
namespace {

using db::Dialect;

// Column names that Jet and SQL Server only accept between square brackets.
constexpr std::array<std::string_view, 2> kReservedWords{"PASSWORD", "PRECISION"};

std::string ColumnName(const LegacyColumn& column, Dialect dialect) {
    const bool reserved = std::ranges::find(kReservedWords, column.name) != kReservedWords.end();
    return reserved && dialect != Dialect::Oracle ? "[" + column.name + "]" : column.name;
}

std::string CreateTable(const LegacyTable& table, Dialect dialect) {
    std::string sql = "CREATE TABLE " + table.name + " (";
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        const LegacyColumn& column = table.columns[i];
        if (i > 0) sql += ", ";
        sql += ColumnName(column, dialect) + " " + column.TypeIn(dialect);
        if (column.notNull) sql += " NOT NULL";
    }
    return sql + ")";
}

std::vector<std::string> Indexes(const LegacyTable& table, Dialect dialect) {
    const LegacyIndex& keyIndex = table.indexes.front();
    const std::string& key = table.Key().name;
    std::vector<std::string> sql{"CREATE UNIQUE INDEX " + keyIndex.NameIn(dialect) + " ON " + table.name +
                                 " (" + key + " )"};
    if (dialect == Dialect::Oracle) {
        sql.push_back("ALTER TABLE " + table.name + " ADD ( CONSTRAINT " + keyIndex.NameIn(dialect) +
                      " PRIMARY KEY (" + key + "))");
    }
    for (std::size_t i = 1; i < table.indexes.size(); ++i) {
        const LegacyIndex& index = table.indexes[i];
        sql.push_back(std::string(index.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") +
                      index.NameIn(dialect) + " ON " + table.name + " (" + index.columns + ")");
    }
    return sql;
}

std::vector<std::string> ForeignKeys(const LegacyTable& table, Dialect dialect) {
    std::vector<std::string> sql;
    const bool oracle = dialect == Dialect::Oracle;
    if (oracle && !table.foreignKeysOnOracle) return sql;
    for (const LegacyForeignKey& fk : table.foreignKeys) {
        // Both forms end in a blank; Oracle wraps the constraint clause in parentheses.
        sql.push_back("ALTER TABLE " + table.name + (oracle ? " ADD ( CONSTRAINT " : " ADD CONSTRAINT ") +
                      fk.name + " FOREIGN KEY (" + fk.column + ") REFERENCES " + fk.referencedTable +
                      (oracle ? ") " : " "));
    }
    return sql;
}

std::string Sequence(const LegacyTable& table) {
    return "CREATE SEQUENCE " + table.sequenceName +
           (table.sequenceForm == SequenceForm::Cached
                ? " MINVALUE 1 INCREMENT BY 1 START WITH 1 CACHE 5 NOCYCLE"
                : " INCREMENT BY 1 START WITH 1");
}

// Fills the key from the sequence on insert and keeps it from changing on update.
std::string Trigger(const LegacyTable& table) {
    const std::string& key = table.Key().name;
    return std::string(table.sequenceForm == SequenceForm::Cached ? "CREATE OR REPLACE TRIGGER "
                                                                  : "CREATE TRIGGER ") +
           table.triggerName + " BEFORE INSERT OR UPDATE ON " + table.name +
           " FOR EACH ROW BEGIN   IF INSERTING THEN     SELECT " + table.sequenceName +
           ".NEXTVAL INTO :NEW." + key + " FROM DUAL;   ELSE     :NEW." + key + " := :OLD." + key +
           ";   END IF; END;";
}

}  // namespace

std::vector<std::string> RenderLegacyDdl(const LegacyTable& table, StatementKind kind, Dialect dialect) {
    const bool oracle = dialect == Dialect::Oracle;
    switch (kind) {
        case StatementKind::Table:
            return {CreateTable(table, dialect)};
        case StatementKind::Index:
            return Indexes(table, dialect);
        case StatementKind::Constraint:
            return ForeignKeys(table, dialect);
        case StatementKind::Sequence:
            return oracle ? std::vector{Sequence(table)} : std::vector<std::string>{};
        case StatementKind::Trigger:
            return oracle ? std::vector{Trigger(table)} : std::vector<std::string>{};
    }
    return {};
}

}  // namespace tmigration::legacy
