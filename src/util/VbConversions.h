// Number conversions with the suite's original runtime rules: CInt/CLng round half to even and
// fail with "Overflow" outside their range, Val reads the leading number of a text, and
// PercentDone turns done/total into the 16-bit percentage every progress bar is driven with.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string_view>

#include "util/Rounding.h"

namespace tmigration::db {
class Value;
}

namespace tmigration::util {

// 16-bit and 32-bit integer of x; std::overflow_error("Overflow") when the rounded value does
// not fit (or x is not a number).
std::int16_t CInt(double x);
std::int32_t CLng(double x);
// The same for a stored value: doubles round half to even, integers are range-checked; Null and
// non-numeric texts fail with the value's own conversion error.
std::int16_t CInt(const db::Value& v);
std::int32_t CLng(const db::Value& v);

namespace detail {
template <typename Int>
Int RoundToInteger(double x) {
    const double r = RoundHalfEven(x);
    if (!(r >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          r <= static_cast<double>(std::numeric_limits<Int>::max())))
        throw std::overflow_error("Overflow");
    return static_cast<Int>(r);
}
}  // namespace detail

// Single precision, as durations are rounded before they are added or stored.
inline float CSng(double x) {
    return static_cast<float>(x);
}

// The number at the start of the text, 0 when there is none. Blanks, tabs and line breaks are
// ignored wherever they stand; "." is the decimal point whatever the locale; "&H"/"&O" read hex
// and octal. Throws std::overflow_error("Overflow") when the number exceeds a double.
double Val(std::string_view text);

// CInt(done / total * 100). A zero total fails like the runtime's division: "Division by zero",
// or "Overflow" for 0 / 0.
std::int16_t PercentDone(double done, double total);

}  // namespace tmigration::util
