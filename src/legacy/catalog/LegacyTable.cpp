#include "legacy/catalog/LegacyTable.h"

#include <stdexcept>

#include "util/Text.h"

namespace tmigration::legacy {
namespace {

using db::Dialect;

constexpr std::string_view kTablePrefix = "T_TRNK_";
constexpr std::string_view kNotNull = " NOT NULL";
constexpr std::string_view kKeyMark = " key";

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    if (util::Trim(text).empty()) return parts;
    for (;;) {
        const auto at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + separator.size());
    }
}

// The usual correspondence of the Access types; empty when a type has none (it then needs departures).
std::string MappedType(std::string_view access, Dialect dialect) {
    const bool oracle = dialect == Dialect::Oracle;
    if (access == "INTEGER") return oracle ? "NUMBER(10,0)" : "INTEGER";
    if (access == "DOUBLE") return oracle ? "NUMBER(10,4)" : "NUMERIC(10,4)";
    if (access == "MEMO" || access == "LONG") return oracle ? "LONG" : "TEXT";
    if (access == "DATETIME") return oracle ? "DATE" : "DATETIME";
    if (access.starts_with("VARCHAR(")) {
        return oracle ? "VARCHAR2" + std::string(access.substr(7)) : std::string(access);
    }
    return {};
}

class DeclParser {
  public:
    explicit DeclParser(std::string_view table) : table_(table) {}

    [[noreturn]] void Fail(std::string_view what, std::string_view item) const {
        throw std::invalid_argument("legacy table " + std::string(table_) + ": " + std::string(what) +
                                    " in \"" + std::string(item) + "\"");
    }

    // "NAME TYPE[ NOT NULL][ [ORACLE[ / SQLSERVER]]]" or "NAME COUNTER key".
    LegacyColumn Column(std::string_view item) const {
        LegacyColumn column;
        std::string_view head = item;
        if (const auto open = item.find(" ["); open != std::string_view::npos) {
            if (!EndsWith(item, "]")) Fail("unclosed bracket", item);
            const auto departures = Split(item.substr(open + 2, item.size() - open - 3), " / ");
            if (departures.empty() || departures.size() > 2) Fail("bad departures", item);
            column.oracleType = util::Trim(departures[0]);
            if (departures.size() == 2) column.sqlServerType = util::Trim(departures[1]);
            head = item.substr(0, open);
        }
        const auto space = head.find(' ');
        if (space == std::string_view::npos) Fail("column without type", item);
        column.name = head.substr(0, space);
        std::string_view type = head.substr(space + 1);
        if (EndsWith(type, kKeyMark)) {
            column.key = true;
            type.remove_suffix(kKeyMark.size());
            if (type != "COUNTER") Fail("key column is not a COUNTER", item);
        } else if (EndsWith(type, kNotNull)) {
            column.notNull = true;
            type.remove_suffix(kNotNull.size());
        }
        column.accessType = type;
        if (!column.key) {
            for (Dialect dialect : {Dialect::Oracle, Dialect::SqlServer}) {
                if (column.TypeIn(dialect).empty()) Fail("type without a dialect form", item);
            }
        }
        return column;
    }

    // "NAME[ [ORACLE_NAME]][ unique] (COLUMNS)".
    LegacyIndex Index(std::string_view item) const {
        LegacyIndex index;
        const auto open = item.find(" (");
        if (open == std::string_view::npos || !EndsWith(item, ")")) Fail("index without columns", item);
        index.columns = item.substr(open + 2, item.size() - open - 3);
        const auto words = Split(item.substr(0, open), " ");
        index.name = words.front();
        for (std::size_t i = 1; i < words.size(); ++i) {
            if (words[i] == "unique") {
                index.unique = true;
            } else if (words[i].starts_with("[") && EndsWith(words[i], "]")) {
                index.oracleName = words[i].substr(1, words[i].size() - 2);
            } else {
                Fail("unknown index attribute", item);
            }
        }
        return index;
    }

    // "NAME (COLUMN -> T_TRNK_REFERENCED)".
    LegacyForeignKey ForeignKey(std::string_view item) const {
        const auto open = item.find(" (");
        const auto arrow = item.find(" -> ");
        if (open == std::string_view::npos || arrow == std::string_view::npos || arrow < open ||
            !EndsWith(item, ")")) {
            Fail("malformed foreign key", item);
        }
        return LegacyForeignKey{std::string(item.substr(0, open)),
                                std::string(item.substr(open + 2, arrow - open - 2)),
                                std::string(item.substr(arrow + 4, item.size() - arrow - 5))};
    }

  private:
    std::string_view table_;
};

}  // namespace

std::string LegacyColumn::TypeIn(Dialect dialect) const {
    if (key) {
        switch (dialect) {
            case Dialect::Oracle:
                return "NUMBER(10,0) NOT NULL";
            case Dialect::Access:
                return "COUNTER NOT NULL PRIMARY KEY";
            case Dialect::SqlServer:
                return "INTEGER IDENTITY(1,1) PRIMARY KEY";
        }
    }
    if (dialect == Dialect::Oracle && !oracleType.empty()) return oracleType;
    if (dialect == Dialect::SqlServer && !sqlServerType.empty()) return sqlServerType;
    if (dialect == Dialect::Access) return accessType;
    return MappedType(accessType, dialect);
}

const std::string& LegacyIndex::NameIn(Dialect dialect) const {
    return dialect == Dialect::Oracle && !oracleName.empty() ? oracleName : name;
}

LegacyTable ParseLegacyTable(const LegacyTableDecl& decl) {
    const DeclParser parser(decl.table);
    if (!decl.table.starts_with(kTablePrefix)) parser.Fail("table name without prefix", decl.table);

    LegacyTable table;
    table.name = decl.table;
    for (std::string_view item : Split(decl.columns, "; ")) table.columns.push_back(parser.Column(item));
    for (std::string_view item : Split(decl.indexes, "; ")) table.indexes.push_back(parser.Index(item));
    for (std::string_view item : Split(decl.foreignKeys, "; ")) {
        table.foreignKeys.push_back(parser.ForeignKey(item));
    }

    if (table.columns.empty() || !table.columns.front().key)
        parser.Fail("first column is not the key", decl.columns);
    for (std::size_t i = 1; i < table.columns.size(); ++i) {
        if (table.columns[i].key) parser.Fail("second key column", table.columns[i].name);
    }
    if (table.indexes.empty() || !table.indexes.front().unique ||
        util::Trim(table.indexes.front().columns) != table.Key().name) {
        parser.Fail("first index is not the unique key index", decl.indexes);
    }

    const std::string stem(decl.table.substr(kTablePrefix.size()));
    table.sequenceForm = decl.sequenceForm;
    table.foreignKeysOnOracle = decl.oracleForeignKeys == OracleForeignKeys::Kept;
    table.sequenceName = decl.sequenceName.empty() ? "S_TRNK_" + stem : std::string(decl.sequenceName);
    table.triggerName = decl.triggerName.empty() ? "TR_TRNK_" + stem : std::string(decl.triggerName);
    return table;
}

}  // namespace tmigration::legacy
