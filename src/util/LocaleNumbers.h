// Numbers as the user's locale writes them: the locale's decimal separator, negative sign and
// digit grouping, read from the environment (LC_ALL / LC_NUMERIC / LANG) through the C++ locale,
// a locale-aware numeric test and the runtime's shortest text of a double in that locale.
#pragma once

#include <string>
#include <string_view>

namespace tmigration::util {

struct NumberFormat {
    std::string decimalSeparator = ".";
    std::string negativeSign = "-";
    std::string thousandsSeparator = ",";
};

// The environment's locale, read once per process; the "C" conventions when it cannot be read.
const NumberFormat& UserNumberFormat();
// The conventions of one named locale ("" for the environment's); the "C" ones when unknown.
NumberFormat NumberFormatOf(const std::string& localeName);

// True when the whole text (surrounding blanks aside) reads as a number in the given format:
// an optional sign before or after it, digits with grouping separators, one decimal separator,
// an exponent, parentheses for a negative amount, or "&H"/"&O" radix numbers.
bool IsNumeric(std::string_view text, const NumberFormat& format);

// The runtime's text of a double: up to 15 significant digits, no trailing zeros, an exponent
// ("1E+15", "1E-05") beyond that range, written with the format's separator and negative sign.
std::string FormatNumber(double value, const NumberFormat& format);

}  // namespace tmigration::util
