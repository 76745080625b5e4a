#include "sample/SampleColumns.h"

#include <cmath>
#include <cstdio>

namespace tmigration::sample {
namespace {

// Monday 2020-01-06 06:00:00, the first morning of the plant's recorded history.
constexpr std::int64_t kPlantStart = 1578290400;

const std::vector<std::string> kFirstNames = {"Anna", "Ben",  "Carla", "Dmitri", "Eve",   "Farid", "Grace",
                                              "Hugo", "Ines", "Jon",   "Kim",    "Lars",  "Mona",  "Nils",
                                              "Olga", "Paul", "Rosa",  "Sven",   "Tanja", "Uwe"};
const std::vector<std::string> kLastNames = {"Baker",  "O'Brien", "Schmidt", "Novak",  "D'Angelo", "Kowalski",
                                             "Larsen", "Moreau",  "Nguyen",  "Okafor", "Petrov",   "Quinn",
                                             "Rossi",  "Santos",  "Tanaka",  "Vargas", "Weber",    "Young"};
const std::vector<std::string> kCompanies = {"Acme Tooling",       "Baxter & Sons",        "O'Neil Castings",
                                             "Precision \"Gear\"", "Northern Steel Works", "Delta Fasteners",
                                             "Miller Hydraulics",  "Summit Plastics"};
const std::vector<std::string> kCities = {"Springfield",   "Lakeside",  "Port Arthur", "Eastbrook",
                                          "Coeur d'Alene", "Millbrook", "Fairview",    "Riverton"};

std::string Format(const char* pattern, long long n) {
    char buf[128];
    std::snprintf(buf, sizeof buf, pattern, n);
    return buf;
}

const std::string& Pick(Cell& cell, const std::vector<std::string>& words) {
    return words[static_cast<std::size_t>(cell.Below(static_cast<std::int64_t>(words.size())))];
}

}  // namespace

ColumnGenerator Const(db::Value value) {
    return [value](Cell&) { return value; };
}

ColumnGenerator OneOf(std::vector<db::Value> values) {
    return [values](Cell& cell) {
        return values[static_cast<std::size_t>(cell.Below(static_cast<std::int64_t>(values.size())))];
    };
}

ColumnGenerator Int(std::int64_t lo, std::int64_t hi) {
    return [lo, hi](Cell& cell) { return db::Value(static_cast<long long>(cell.Between(lo, hi))); };
}

ColumnGenerator Money(double lo, double hi) {
    const auto cents = static_cast<std::int64_t>(std::llround((hi - lo) * 100));
    return [lo, cents](Cell& cell) {
        return db::Value(std::round((lo + static_cast<double>(cell.Between(0, cents)) / 100) * 100) / 100);
    };
}

ColumnGenerator Numbered(const char* pattern, std::int64_t offset) {
    return [pattern, offset](Cell& cell) { return db::Value(Format(pattern, cell.Row() + offset)); };
}

ColumnGenerator OrNull(int nullPercent, ColumnGenerator value) {
    return [nullPercent, value](Cell& cell) { return cell.Percent(nullPercent) ? db::Value() : value(cell); };
}

ColumnGenerator Listed(std::vector<db::Value> values, ColumnGenerator later) {
    return [values, later](Cell& cell) {
        const auto i = static_cast<std::size_t>(cell.Row() - 1);
        if (i < values.size()) return values[i];
        return later ? later(cell) : db::Value();
    };
}

db::DateTime PlantDate(std::int64_t secondsAfterStart) {
    return db::DateTime::FromEpochSeconds(kPlantStart + secondsAfterStart);
}

ColumnGenerator When(std::int64_t days) {
    return [days](Cell& cell) { return db::Value(PlantDate(cell.Below(days * 86400))); };
}

ColumnGenerator Ref(std::string_view table) {
    return [table](Cell& cell) {
        return db::Value(static_cast<long long>(cell.Between(1, cell.GetPlan().Rows(table))));
    };
}

ColumnGenerator RefWhere(std::string_view table, std::string_view column, std::vector<std::int64_t> values) {
    return [table, column, values](Cell& cell) {
        const auto& rows = cell.GetPlan().RowsWhere(table, column, values);
        return db::Value(static_cast<long long>(
            rows[static_cast<std::size_t>(cell.Below(static_cast<std::int64_t>(rows.size())))]));
    };
}

ColumnGenerator Through(std::string_view ownTable, std::string_view via, std::string_view table,
                        std::string_view column) {
    return [=](Cell& cell) {
        const db::Value parent = cell.GetPlan().ValueOf(ownTable, via, cell.Row());
        if (parent.IsNull()) return db::Value();
        return cell.GetPlan().ValueOf(table, column, parent.AsInteger());
    };
}

ColumnGenerator FirstName() {
    return [](Cell& cell) { return db::Value(Pick(cell, kFirstNames)); };
}

ColumnGenerator LastName() {
    return [](Cell& cell) { return db::Value(Pick(cell, kLastNames)); };
}

ColumnGenerator Company() {
    return [](Cell& cell) {
        std::string name = Pick(cell, kCompanies);
        if (cell.Percent(10)) name = "  " + name + " ";  // typed with blanks around it
        return db::Value(name);
    };
}

ColumnGenerator City() {
    return [](Cell& cell) { return db::Value(Pick(cell, kCities)); };
}

ColumnGenerator Phone() {
    return [](Cell& cell) {
        return db::Value(Format("(555) %03lld-", cell.Between(200, 999)) +
                         Format("%04lld", cell.Between(0, 9999)));
    };
}

ColumnGenerator Notes() {
    return [](Cell& cell) {
        const std::int64_t kind = cell.Below(10);
        if (kind < 5) return db::Value();
        if (kind < 7) return db::Value("Checked by " + Pick(cell, kFirstNames) + " on the night shift");
        if (kind == 7) return db::Value("Customer's \"rush\" order; don't ship before QA sign-off");
        if (kind == 8) return db::Value("  indented note with trailing blanks   ");
        std::string longText;
        while (longText.size() < 600)
            longText += "Line " + std::to_string(longText.size()) + ": keep clear. ";
        return db::Value(longText);
    };
}

ColumnGenerator Name(std::vector<std::string> words, std::size_t width) {
    return [words, width](Cell& cell) {
        std::string name = Pick(cell, words) + " " + std::to_string(cell.Row());
        const std::int64_t kind = cell.Below(20);
        if (kind == 0) name = "Operator's " + name;
        if (kind == 1) name = " " + name + " ";
        if (kind == 2) name += " \"Special\"";
        if (kind == 3) {  // as wide as the column allows, still unique
            const std::string row = std::to_string(cell.Row());
            name = std::string(width > row.size() ? width - row.size() : 0, 'W') + row;
        }
        if (name.size() > width) name.resize(width);
        return db::Value(name);
    };
}

}  // namespace tmigration::sample
