#include "db/TextCompare.h"

#include "db/DbError.h"
#include "util/Text.h"

namespace tmigration::db {
namespace {

bool IsNumeric(const Value& v) {
    return v.kind() == Value::Kind::Integer || v.kind() == Value::Kind::Double ||
           v.kind() == Value::Kind::Boolean;
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
    const std::string x = a.AsText(), y = b.AsText();
    return caseSensitive ? util::CompareExact(x, y) : util::CompareIgnoringCase(x, y);
}

}  // namespace tmigration::db
