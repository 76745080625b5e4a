#include "util/VbConversions.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace tmigration::util {
namespace {

[[noreturn]] void ThrowOverflow() {
    throw std::overflow_error("Overflow");
}

bool IsIgnoredBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// "&H" / "&O" numbers: read as unsigned, then folded into the signed 16-bit or 32-bit range the
// way the runtime stores them (&HFFFF is -1).
double RadixNumber(const std::string& digits, int radix) {
    std::uint64_t n = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            break;
        if (d >= radix) break;
        n = n * radix + d;
        if (n > 0xFFFFFFFFull) ThrowOverflow();
    }
    if (n > 0x7FFFFFFFull) return static_cast<double>(static_cast<std::int64_t>(n) - 0x100000000ll);
    if (n > 0x7FFFull && n <= 0xFFFFull) return static_cast<double>(static_cast<std::int64_t>(n) - 0x10000ll);
    return static_cast<double>(n);
}

// Power of ten of the leading significant digit of a plain decimal number such as "-0.0012e5".
long DecimalMagnitude(const std::string& number) {
    const std::size_t e = number.find('e');
    long exponent = 0;
    if (e != std::string::npos) {
        const char* first = number.data() + e + 1;
        if (*first == '+') ++first;
        const bool negative = *first == '-';
        if (std::from_chars(first, number.data() + number.size(), exponent).ec != std::errc())
            exponent = negative ? -1000000 : 1000000;  // beyond any double either way
    }
    const std::string mantissa = number.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstDigit = mantissa.find_first_of("123456789");
    if (firstDigit == std::string::npos) return 0;
    const long position = firstDigit < point ? static_cast<long>(point - firstDigit) - 1
                                             : -static_cast<long>(firstDigit - point);
    return position + exponent;
}

}  // namespace

std::int16_t CInt(double x) {
    return detail::RoundToInteger<std::int16_t>(x);
}
std::int32_t CLng(double x) {
    return detail::RoundToInteger<std::int32_t>(x);
}

double Val(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (!IsIgnoredBlank(c)) s.push_back(c);

    if (s.size() >= 2 && s[0] == '&') {
        const char radix = static_cast<char>(s[1] | 0x20);
        if (radix == 'h') return RadixNumber(s.substr(2), 16);
        if (radix == 'o') return RadixNumber(s.substr(2), 8);
    }

    // Collect the longest prefix that reads as a decimal number, in the form from_chars accepts.
    std::string number;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') number.push_back('-');
        ++i;
    }
    const std::size_t mantissaStart = number.size();
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) number.push_back(s[i++]);
    if (i < s.size() && s[i] == '.') {
        number.push_back(s[i++]);
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) number.push_back(s[i++]);
    }
    const std::string_view mantissa = std::string_view(number).substr(mantissaStart);
    if (mantissa.empty() || mantissa == ".") return 0.0;

    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent.push_back(s[j++]);
        const std::size_t digitsStart = j;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) exponent.push_back(s[j++]);
        if (j > digitsStart) number += exponent;
    }

    double result = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), result);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Too small for a double reads as zero; only a number too large is an overflow.
        if (DecimalMagnitude(number) < 0) return 0.0;
        ThrowOverflow();
    }
    return result;
}

std::int16_t PercentDone(double done, double total) {
    if (total == 0.0) {
        if (done == 0.0 || std::isnan(done)) ThrowOverflow();
        throw std::domain_error("Division by zero");
    }
    return CInt(done / total * 100.0);
}

}  // namespace tmigration::util
