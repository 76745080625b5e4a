#include "sample/SampleGenerator.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "legacy/catalog/LegacyTableLists.h"
#include "util/Text.h"
#include "util/VbConversions.h"

namespace tmigration::sample {
namespace {

std::uint64_t Mix(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

std::uint64_t Hash(std::string_view a, std::string_view b) {
    std::uint64_t h = 1469598103934665603ULL;
    for (char c : a) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    h = (h ^ '.') * 1099511628211ULL;
    for (char c : b) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    return h;
}

const legacy::LegacyTable* FindLegacyTable(std::string_view name) {
    for (legacy::Module m : legacy::kAllModules)
        for (const legacy::LegacyTable& t : legacy::LegacyTables(m))
            if (t.name == name) return &t;
    return nullptr;
}

const legacy::LegacyColumn* FindColumn(const legacy::LegacyTable& table, std::string_view name) {
    for (const legacy::LegacyColumn& c : table.columns)
        if (c.name == name) return &c;
    return nullptr;
}

bool IsTextType(const std::string& accessType) {
    return accessType.rfind("VARCHAR", 0) == 0 || accessType == "MEMO" || accessType == "LONG";
}

// The n values of a row text: each up to the next comma; a text without a comma has none, except in a
// table seeded with one column (product types), whose texts are bare names.
std::vector<std::string> SplitRowText(std::string_view text, std::size_t n) {
    std::vector<std::string> values;
    if (n > 1 && text.find(',') == std::string_view::npos) return values;
    std::size_t at = 0;
    for (std::size_t i = 0; i < n && at <= text.size(); ++i) {
        const std::size_t comma = text.find(',', at);
        const std::size_t end = comma == std::string_view::npos ? text.size() : comma;
        values.emplace_back(util::Trim(text.substr(at, end - at)));
        at = end + 1;
    }
    values.resize(n);
    return values;
}

}  // namespace

std::int64_t Cell::Scale() const {
    return plan_.Scale();
}

std::uint64_t Cell::Next() {
    state_ += 0x9e3779b97f4a7c15ULL;
    return Mix(state_);
}

std::int64_t Cell::Below(std::int64_t n) {
    return static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(n));
}

Plan::Plan(std::span<const TableSpec> tables, std::int64_t scale, std::uint64_t seed)
    : scale_(scale), seed_(seed) {
    if (scale < 1) throw std::invalid_argument("the scale must be a whole number of at least 1");
    for (const TableSpec& decl : tables) {
        const legacy::LegacyTable* legacyTable = FindLegacyTable(decl.table);
        if (!legacyTable) throw std::invalid_argument("no legacy table " + std::string(decl.table));
        auto check = [&](std::string_view column) {
            if (!FindColumn(*legacyTable, column) || column == legacyTable->Key().name)
                throw std::invalid_argument("no column " + std::string(column) + " to fill in " +
                                            std::string(decl.table));
        };
        TableInfo info{&decl, legacyTable->Key().name, decl.rows.At(scale), {}};
        for (const ColumnSpec& c : decl.columns) check(c.column);
        for (std::string_view c : decl.seed.seededColumns) {
            check(c);
            info.textColumn.push_back(IsTextType(FindColumn(*legacyTable, c)->accessType));
        }
        if (!info_.emplace(std::string(decl.table), std::move(info)).second)
            throw std::invalid_argument("table " + std::string(decl.table) + " declared twice");
        order_.push_back(&decl);
    }
}

const Plan::TableInfo& Plan::Info(std::string_view table) const {
    const auto it = info_.find(table);
    if (it == info_.end()) throw std::invalid_argument("the sample plant has no table " + std::string(table));
    return it->second;
}

std::int64_t Plan::Rows(std::string_view table) const {
    return Info(table).rows;
}

std::int64_t Plan::TotalRows() const {
    std::int64_t total = 0;
    for (const auto& [name, info] : info_) {
        total += info.rows;
        if (info.decl->absent)
            for (std::int64_t row = 1; row <= info.rows; ++row) total -= info.decl->absent(row) ? 1 : 0;
    }
    return total;
}

std::vector<std::string> Plan::ColumnsOf(const TableSpec& table) const {
    const TableInfo& info = Info(table.table);
    std::vector<std::string> columns{info.key};
    for (const ColumnSpec& c : table.columns) columns.emplace_back(c.column);
    for (std::string_view c : table.seed.seededColumns)
        if (std::find(columns.begin(), columns.end(), c) == columns.end()) columns.emplace_back(c);
    return columns;
}

db::Value Plan::Generate(const TableInfo& info, std::size_t column, std::int64_t row) const {
    const ColumnSpec& decl = info.decl->columns[column];
    Cell cell(*this,
              Mix(seed_ ^ Mix(Hash(info.decl->table, decl.column) ^ Mix(static_cast<std::uint64_t>(row)))),
              row);
    return decl.value(cell);
}

db::Value Plan::Seeded(const TableInfo& info, std::size_t seededColumn, std::int64_t row) const {
    const SeedRows& seed = info.decl->seed;
    const auto index = static_cast<std::size_t>(row - 1);
    const std::string text = index < seed.texts.size() ? std::string(seed.texts[index]) : seed.filler(row);
    const std::vector<std::string> values = SplitRowText(text, seed.seededColumns.size());
    if (values.empty() || values[seededColumn].empty()) return {};
    if (info.textColumn[seededColumn]) return db::Value(values[seededColumn]);
    return db::Value(static_cast<long long>(util::Val(values[seededColumn])));
}

void Plan::Values(const TableSpec& table, std::int64_t row, std::vector<db::Value>& out) const {
    const TableInfo& info = Info(table.table);
    out.clear();
    out.emplace_back(static_cast<long long>(row));
    const bool seeded = row <= table.seed.block;
    const auto seededIndex = [&](std::string_view column) -> std::ptrdiff_t {
        const auto& cs = table.seed.seededColumns;
        const auto it = std::find(cs.begin(), cs.end(), column);
        return it == cs.end() ? -1 : it - cs.begin();
    };
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        if (!seeded) {
            out.push_back(Generate(info, i, row));
        } else {
            const auto s = seededIndex(table.columns[i].column);
            out.push_back(s < 0 ? db::Value() : Seeded(info, static_cast<std::size_t>(s), row));
        }
    }
    for (std::size_t s = 0; s < table.seed.seededColumns.size(); ++s) {
        const std::string_view column = table.seed.seededColumns[s];
        const bool generated = std::any_of(table.columns.begin(), table.columns.end(),
                                           [&](const ColumnSpec& c) { return c.column == column; });
        if (!generated) out.push_back(seeded ? Seeded(info, s, row) : db::Value());
    }
}

db::Value Plan::ValueOf(std::string_view table, std::string_view column, std::int64_t row) const {
    const TableInfo& info = Info(table);
    if (column == info.key) return db::Value(static_cast<long long>(row));
    const TableSpec& decl = *info.decl;
    if (row <= decl.seed.block) {
        const auto& cs = decl.seed.seededColumns;
        const auto it = std::find(cs.begin(), cs.end(), column);
        return it == cs.end() ? db::Value() : Seeded(info, static_cast<std::size_t>(it - cs.begin()), row);
    }
    for (std::size_t i = 0; i < decl.columns.size(); ++i)
        if (decl.columns[i].column == column) return Generate(info, i, row);
    return {};
}

const std::vector<std::int64_t>& Plan::RowsWhere(std::string_view table, std::string_view column,
                                                 const std::vector<std::int64_t>& values) const {
    std::string key = std::string(table) + "." + std::string(column);
    for (std::int64_t v : values) key += " " + std::to_string(v);
    auto it = rowsWhere_.find(key);
    if (it != rowsWhere_.end()) return it->second;
    std::vector<std::int64_t> rows;
    const std::int64_t n = Rows(table);
    for (std::int64_t r = 1; r <= n; ++r) {
        const db::Value v = ValueOf(table, column, r);
        if (!v.IsNull() && std::find(values.begin(), values.end(), v.AsInteger()) != values.end())
            rows.push_back(r);
    }
    if (rows.empty()) throw std::logic_error("the sample plant has no " + key);
    return rowsWhere_.emplace(std::move(key), std::move(rows)).first->second;
}

}  // namespace tmigration::sample
