#include "db/Value.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "db/DbError.h"
#include "util/Rounding.h"
#include "util/Text.h"

namespace tmigration::db {
namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
}

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

[[noreturn]] void TypeMismatch() {
    throw DbError("Type mismatch");
}
[[noreturn]] void InvalidNull() {
    throw DbError("Invalid use of Null");
}

std::int64_t RoundToInt64(double d) {
    if (!std::isfinite(d) || d >= 9.2233720368547758e18 || d < -9.2233720368547758e18)
        throw DbError("Overflow");
    return static_cast<std::int64_t>(util::RoundHalfEven(d));
}

// Parses a whole text as a number (blanks around it allowed); false when it is not one.
bool ParseNumber(const std::string& text, double& out) {
    const std::string_view number = util::Trim(text);
    if (number.empty()) return false;
    const char* first = number.data();
    const char* last = number.data() + number.size();
    if (*first == '+') ++first;
    auto [ptr, ec] = std::from_chars(first, last, out);
    return ec == std::errc() && ptr == last;
}

}  // namespace

std::int64_t DateTime::ToEpochSeconds() const {
    return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 86400 +
           hour * 3600 + minute * 60 + second;
}

DateTime DateTime::FromEpochSeconds(std::int64_t seconds) {
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    DateTime dt;
    CivilFromDays(days, dt.year, dt.month, dt.day);
    dt.hour = static_cast<int>(rest / 3600);
    dt.minute = static_cast<int>(rest % 3600 / 60);
    dt.second = static_cast<int>(rest % 60);
    return dt;
}

std::string DateTime::ToIso() const {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
    return buf;
}

bool DateTime::IsValid() const {
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month) && hour >= 0 &&
           hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
}

std::optional<DateTime> DateTime::ParseIso(std::string_view t) {
    auto num = [&](std::size_t pos, std::size_t len, int& out) {
        if (pos + len > t.size()) return false;
        out = 0;
        for (std::size_t i = pos; i < pos + len; ++i) {
            if (t[i] < '0' || t[i] > '9') return false;
            out = out * 10 + (t[i] - '0');
        }
        return true;
    };
    DateTime dt;
    dt.hour = dt.minute = dt.second = 0;
    if (!num(0, 4, dt.year) || t.size() < 10 || t[4] != '-' || !num(5, 2, dt.month) || t[7] != '-' ||
        !num(8, 2, dt.day))
        return std::nullopt;
    if (t.size() > 10) {
        if ((t[10] != ' ' && t[10] != 'T') || !num(11, 2, dt.hour) || t.size() < 16 || t[13] != ':' ||
            !num(14, 2, dt.minute))
            return std::nullopt;
        std::size_t end = 16;
        if (t.size() > 16) {
            if (t[16] != ':' || !num(17, 2, dt.second)) return std::nullopt;
            end = 19;
            // Fractions of a second are dropped: the databases we emulate keep whole seconds.
            if (t.size() > end && t[end] == '.') {
                end++;
                while (end < t.size() && t[end] >= '0' && t[end] <= '9') end++;
            }
        }
        if (end != t.size()) return std::nullopt;
    }
    if (!dt.IsValid()) return std::nullopt;
    return dt;
}

std::int64_t Value::AsInteger() const {
    switch (kind()) {
        case Kind::Null:
            InvalidNull();
        case Kind::Integer:
            return std::get<std::int64_t>(v_);
        case Kind::Double:
            return RoundToInt64(std::get<double>(v_));
        case Kind::Boolean:
            return std::get<bool>(v_) ? -1 : 0;
        case Kind::DateTime:
            return RoundToInt64(AsDouble());
        case Kind::Text: {
            double d;
            if (!ParseNumber(std::get<std::string>(v_), d)) TypeMismatch();
            return RoundToInt64(d);
        }
    }
    TypeMismatch();
}

double Value::AsDouble() const {
    switch (kind()) {
        case Kind::Null:
            InvalidNull();
        case Kind::Integer:
            return static_cast<double>(std::get<std::int64_t>(v_));
        case Kind::Double:
            return std::get<double>(v_);
        case Kind::Boolean:
            return std::get<bool>(v_) ? -1.0 : 0.0;
        case Kind::DateTime: {
            // Days since 1899-12-30 with the time as a fraction, as date serials are counted.
            const std::int64_t s = std::get<DateTime>(v_).ToEpochSeconds() + 25569LL * 86400;
            return static_cast<double>(s) / 86400.0;
        }
        case Kind::Text: {
            double d;
            if (!ParseNumber(std::get<std::string>(v_), d)) TypeMismatch();
            return d;
        }
    }
    TypeMismatch();
}

std::string Value::AsText() const {
    switch (kind()) {
        case Kind::Null:
            InvalidNull();
        case Kind::Integer:
            return std::to_string(std::get<std::int64_t>(v_));
        case Kind::Double: {
            char buf[64];
            auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, std::get<double>(v_));
            return std::string(buf, ptr);
        }
        case Kind::Boolean:
            return std::get<bool>(v_) ? "True" : "False";
        case Kind::DateTime:
            return std::get<DateTime>(v_).ToIso();
        case Kind::Text:
            return std::get<std::string>(v_);
    }
    TypeMismatch();
}

DateTime Value::AsDateTime() const {
    switch (kind()) {
        case Kind::Null:
            InvalidNull();
        case Kind::DateTime:
            return std::get<DateTime>(v_);
        case Kind::Text: {
            if (auto dt = DateTime::ParseIso(std::get<std::string>(v_))) return *dt;
            TypeMismatch();
        }
        case Kind::Integer:
        case Kind::Double: {
            const double serial = AsDouble();
            const auto seconds = static_cast<std::int64_t>(std::llround(serial * 86400.0)) - 25569LL * 86400;
            return DateTime::FromEpochSeconds(seconds);
        }
        case Kind::Boolean:
            TypeMismatch();
    }
    TypeMismatch();
}

bool Value::AsBoolean() const {
    switch (kind()) {
        case Kind::Null:
            InvalidNull();
        case Kind::Boolean:
            return std::get<bool>(v_);
        case Kind::Integer:
            return std::get<std::int64_t>(v_) != 0;
        case Kind::Double:
            return std::get<double>(v_) != 0.0;
        case Kind::Text: {
            const auto& s = std::get<std::string>(v_);
            if (s == "True" || s == "true" || s == "TRUE") return true;
            if (s == "False" || s == "false" || s == "FALSE") return false;
            double d;
            if (!ParseNumber(s, d)) TypeMismatch();
            return d != 0.0;
        }
        case Kind::DateTime:
            TypeMismatch();
    }
    TypeMismatch();
}

}  // namespace tmigration::db
