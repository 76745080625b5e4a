#include "legacy/seeds/DelimitedRow.h"

#include <cmath>

#include "util/VbConversions.h"

namespace tmigration::legacy {
namespace {

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

bool IsTextColumn(int adoType) {
    return adoType >= 200 && adoType <= 203;
}

db::Value NumberValue(std::string_view text) {
    const double number = util::Val(text);
    // Whole numbers go in as integers so that integer columns hold integers in every engine.
    if (std::trunc(number) == number && std::fabs(number) < 9.0e15)
        return db::Value(static_cast<long long>(number));
    return db::Value(number);
}

}  // namespace

std::vector<std::optional<std::string>> SplitDelimitedRow(std::string_view text, int count) {
    std::vector<std::optional<std::string>> values;
    if (count < 2 || text.find(',') == std::string_view::npos) return values;
    while (static_cast<int>(values.size()) < count) {
        const auto comma = text.find(',');
        const std::string_view value = TrimBlanks(text.substr(0, comma));
        values.push_back(value.empty() ? std::nullopt : std::optional<std::string>(value));
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return values;
}

void ApplyDelimitedRow(std::string_view text, std::int16_t count, db::Recordset& rs) {
    const auto values = SplitDelimitedRow(text, count);
    for (std::size_t i = 0; i < values.size(); ++i) {
        db::Field field = rs.Fields(i + 1);
        if (!values[i])
            field.SetValue(db::Value());
        else if (IsTextColumn(field.Type()))
            field.SetValue(db::Value(*values[i]));
        else
            field.SetValue(NumberValue(*values[i]));
    }
    rs.Update();
}

}  // namespace tmigration::legacy
