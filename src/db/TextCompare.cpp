#include "db/TextCompare.h"

#include <cctype>

#include "db/DbError.h"

namespace tmigration::db {
namespace {

bool IsNumeric(const Value& v) {
    return v.kind() == Value::Kind::Integer || v.kind() == Value::Kind::Double ||
           v.kind() == Value::Kind::Boolean;
}

int CompareText(const std::string& a, const std::string& b, bool caseSensitive) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        int x = static_cast<unsigned char>(a[i]);
        int y = static_cast<unsigned char>(b[i]);
        if (!caseSensitive) {
            x = std::toupper(x);
            y = std::toupper(y);
        }
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

int CompareValues(const Value& a, const Value& b, bool caseSensitive) {
    if (IsNumeric(a) || IsNumeric(b)) {
        try {
            const double x = a.AsDouble(), y = b.AsDouble();
            return x < y ? -1 : (x > y ? 1 : 0);
        } catch (const DbError&) {
            // A text that is no number compares as text.
        }
    }
    if (a.kind() == Value::Kind::DateTime || b.kind() == Value::Kind::DateTime) {
        try {
            const auto x = a.AsDateTime(), y = b.AsDateTime();
            return x < y ? -1 : (x > y ? 1 : 0);
        } catch (const DbError&) {
        }
    }
    return CompareText(a.AsText(), b.AsText(), caseSensitive);
}

}  // namespace tmigration::db
