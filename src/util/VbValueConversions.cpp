// CInt/CLng of stored values, apart from the numeric conversions so that code using only those
// does not pull in the data access layer.
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "db/Value.h"
#include "util/VbConversions.h"

namespace tmigration::util {
namespace {

template <typename Int>
Int ValueToInteger(const db::Value& v) {
    using Kind = db::Value::Kind;
    if (v.kind() == Kind::Integer || v.kind() == Kind::Boolean) {
        const std::int64_t n = v.AsInteger();
        if (n < std::numeric_limits<Int>::min() || n > std::numeric_limits<Int>::max())
            throw std::overflow_error("Overflow");
        return static_cast<Int>(n);
    }
    return detail::RoundToInteger<Int>(v.AsDouble());
}

}  // namespace

std::int16_t CInt(const db::Value& v) {
    return ValueToInteger<std::int16_t>(v);
}
std::int32_t CLng(const db::Value& v) {
    return ValueToInteger<std::int32_t>(v);
}

}  // namespace tmigration::util
