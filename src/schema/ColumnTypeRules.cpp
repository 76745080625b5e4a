#include "schema/ColumnTypeRules.h"

#include <algorithm>
#include <vector>

namespace tmigration::schema {

namespace {

// Columns whose scale differs from the default 4: every listed column of every listed table.
struct ScaleRule {
    int scale;
    std::vector<std::string_view> columns;
    std::vector<std::string_view> tables;
};

constexpr int kDefaultScale = 4;

const std::vector<ScaleRule>& ScaleRules() {
    static const std::vector<ScaleRule> rules = {
        {2,
         {"COST"},
         {"T_SFC_CUTTER_NO_PER_PO", "T_SFC_GAGE_NO_PER_PO", "T_SFC_INSERT_NO_PER_PO", "T_SFC_TOOL_NO_PER_PO",
          "T_SFC_PO"}},
        {2, {"DURATION"}, {"T_SFC_INTERVAL", "T_SFC_SHIFT"}},
        {2, {"COST_PER_HR"}, {"T_SFC_MACHINE"}},
        {2, {"VENDOR_COST"}, {"T_SFC_VENDOR_INFO"}},
        {6,
         {"TARGET_DIM", "UPPER_TOL", "LOWER_TOL"},
         {"T_SFC_CAL_SET", "T_SFC_GAGE_NO_CAL_DIM", "T_SFC_GAGE_NO_REF_DIM", "T_SFC_REWORK_SET",
          "T_SFC_TOOL_NO_REWORK_DIM"}},
        {6, {"ACTUAL_DIM"}, {"T_SFC_CALIBRATE", "T_SFC_REWORK"}},
    };
    return rules;
}

// The Oracle schema writes every INTEGER as NUMBER(10,0) except these (table, column) pairs.
struct ColumnRef {
    std::string_view table;
    std::string_view column;
};
constexpr ColumnRef kOracleKeepsInteger[] = {{"T_SFC_KIT_NO", "UNIT_CODE"}};

template <class Range>
bool Contains(const Range& range, std::string_view value) {
    return std::find(std::begin(range), std::end(range), value) != std::end(range);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// "(40)" of "VARCHAR(40)".
std::string_view Parenthesised(std::string_view type) {
    return type.substr(type.find('('));
}

// Access and SQL Server bracket column names that are reserved words; Oracle writes them bare.
std::string_view Unbracketed(std::string_view name) {
    if (name.size() > 2 && name.front() == '[' && name.back() == ']') return name.substr(1, name.size() - 2);
    return name;
}

std::string RenderType(db::Dialect dialect, std::string_view table, std::string_view name,
                       std::string_view type) {
    const bool oracle = dialect == db::Dialect::Oracle;
    if (dialect == db::Dialect::Access) return std::string(type);
    if (type == "INTEGER") {
        const bool keep =
            std::any_of(std::begin(kOracleKeepsInteger), std::end(kOracleKeepsInteger),
                        [&](const ColumnRef& c) { return c.table == table && c.column == name; });
        return oracle && !keep ? "NUMBER(10,0)" : "INTEGER";
    }
    if (StartsWith(type, "VARCHAR("))
        return oracle ? "VARCHAR2" + std::string(Parenthesised(type)) : std::string(type);
    if (type == "DATETIME") return oracle ? "DATE" : "DATETIME";
    if (type == "MEMO") return oracle ? "LONG" : "TEXT";
    if (type == "DOUBLE") {
        const std::string scale = std::to_string(DecimalScale(table, name));
        return (oracle ? "NUMBER(10," : "NUMERIC(10,") + scale + ")";
    }
    return std::string(type);
}

}  // namespace

std::string_view KeyColumnType(db::Dialect dialect) {
    switch (dialect) {
        case db::Dialect::Oracle:
            return "NUMBER(10,0) NOT NULL PRIMARY KEY";
        case db::Dialect::SqlServer:
            return "INTEGER IDENTITY(1,1) NOT NULL PRIMARY KEY";
        case db::Dialect::Access:
            break;
    }
    return "COUNTER NOT NULL PRIMARY KEY";
}

int DecimalScale(std::string_view table, std::string_view column) {
    for (const ScaleRule& rule : ScaleRules()) {
        if (Contains(rule.columns, column) && Contains(rule.tables, table)) return rule.scale;
    }
    return kDefaultScale;
}

std::string RenderColumn(db::Dialect dialect, std::string_view table, std::string_view accessColumn) {
    const auto blank = accessColumn.find(' ');
    const std::string_view name = accessColumn.substr(0, blank);
    const std::string_view type =
        blank == std::string_view::npos ? std::string_view{} : accessColumn.substr(blank + 1);
    const std::string_view bare = Unbracketed(name);
    const std::string_view written = dialect == db::Dialect::Oracle ? bare : name;
    return std::string(written) + " " + RenderType(dialect, table, bare, type);
}

std::string RenderColumns(db::Dialect dialect, const TableDecl& table) {
    constexpr std::string_view kSeparator = ", ";
    std::string out;
    std::string_view rest = table.columns;
    while (!rest.empty()) {
        const auto end = rest.find(kSeparator);
        if (!out.empty()) out += kSeparator;
        out += RenderColumn(dialect, table.name, rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + kSeparator.size());
    }
    return out;
}

}  // namespace tmigration::schema
