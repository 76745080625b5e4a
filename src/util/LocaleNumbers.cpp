#include "util/LocaleNumbers.h"

#include <cctype>
#include <charconv>
#include <locale>
#include <stdexcept>

namespace tmigration::util {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool ConsumePrefix(std::string_view& s, std::string_view prefix) {
    if (prefix.empty() || s.substr(0, prefix.size()) != prefix) return false;
    s.remove_prefix(prefix.size());
    return true;
}

bool ConsumeSuffix(std::string_view& s, std::string_view suffix) {
    if (suffix.empty() || s.size() < suffix.size() || s.substr(s.size() - suffix.size()) != suffix)
        return false;
    s.remove_suffix(suffix.size());
    return true;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsRadixNumber(std::string_view s) {
    if (s.size() < 3 || s[0] != '&') return false;
    const char radix = static_cast<char>(std::tolower(static_cast<unsigned char>(s[1])));
    if (radix != 'h' && radix != 'o') return false;
    for (char c : s.substr(2)) {
        const bool ok =
            radix == 'h' ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : (c >= '0' && c <= '7');
        if (!ok) return false;
    }
    return true;
}

// Digits with grouping separators, one decimal separator, then an optional exponent.
bool IsUnsignedDecimal(std::string_view s, const NumberFormat& f) {
    bool digits = false;
    bool decimal = false;
    while (!s.empty()) {
        if (IsDigit(s.front())) {
            digits = true;
            s.remove_prefix(1);
        } else if (!decimal && ConsumePrefix(s, f.decimalSeparator)) {
            decimal = true;
        } else if (!decimal && digits && f.thousandsSeparator != f.decimalSeparator &&
                   ConsumePrefix(s, f.thousandsSeparator)) {
        } else {
            break;
        }
    }
    if (!digits) return false;
    if (s.empty()) return true;
    const char e = static_cast<char>(std::tolower(static_cast<unsigned char>(s.front())));
    if (e != 'e' && e != 'd') return false;
    s.remove_prefix(1);
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
    if (s.empty()) return false;
    for (char c : s)
        if (!IsDigit(c)) return false;
    return true;
}

NumberFormat FormatOfLocale(const std::locale& loc) {
    NumberFormat f;
    const auto& numbers = std::use_facet<std::numpunct<char>>(loc);
    f.decimalSeparator = std::string(1, numbers.decimal_point());
    f.thousandsSeparator = std::string(1, numbers.thousands_sep());
    const auto& money = std::use_facet<std::moneypunct<char>>(loc);
    if (!money.negative_sign().empty()) f.negativeSign = money.negative_sign();
    return f;
}

}  // namespace

NumberFormat NumberFormatOf(const std::string& localeName) {
    try {
        return FormatOfLocale(std::locale(localeName.c_str()));
    } catch (const std::runtime_error&) {
        return FormatOfLocale(std::locale::classic());
    }
}

const NumberFormat& UserNumberFormat() {
    static const NumberFormat format = NumberFormatOf("");
    return format;
}

bool IsNumeric(std::string_view text, const NumberFormat& f) {
    std::string_view s = Trim(text);
    if (IsRadixNumber(s)) return true;
    if (s.size() >= 2 && s.front() == '(' && s.back() == ')') s = Trim(s.substr(1, s.size() - 2));
    if (ConsumePrefix(s, f.negativeSign) || ConsumePrefix(s, "-") || ConsumePrefix(s, "+")) {
        s = Trim(s);
    } else if (ConsumeSuffix(s, f.negativeSign) || ConsumeSuffix(s, "-") || ConsumeSuffix(s, "+")) {
        s = Trim(s);
    }
    return IsUnsignedDecimal(s, f);
}

std::string FormatNumber(double value, const NumberFormat& f) {
    if (value == 0.0) value = 0.0;  // no "-0"
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string plain(buffer, result.ptr);
    std::string out;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const char c = plain[i];
        if (c == '-' && i == 0)
            out += f.negativeSign;
        else if (c == '.')
            out += f.decimalSeparator;
        else if (c == 'e')
            out += 'E';
        else
            out += c;
    }
    return out;
}

}  // namespace tmigration::util
