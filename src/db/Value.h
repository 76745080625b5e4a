// Value: one cell of a row set or one bound parameter. It carries the variant kinds the
// migration meets (Null, integer, double, text, date-time, boolean) and converts between
// them the way the suite's original runtime did (round half to even, Null is an error).
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace tmigration::db {

// A calendar date and time of day to the second, as the three databases store it.
struct DateTime {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;

    // Whole seconds since 1970-01-01 00:00:00 (negative before it).
    std::int64_t ToEpochSeconds() const;
    static DateTime FromEpochSeconds(std::int64_t seconds);
    // "YYYY-MM-DD HH:MM:SS", the form the embedded engine stores.
    std::string ToIso() const;
    // Accepts "YYYY-MM-DD", "YYYY-MM-DD HH:MM[:SS]" and the same with a "T"; nullopt otherwise.
    static std::optional<DateTime> ParseIso(std::string_view text);
    // True when the fields name a real calendar day and time of day.
    bool IsValid() const;

    auto operator<=>(const DateTime&) const = default;
};

class Value {
  public:
    enum class Kind { Null, Integer, Double, Text, DateTime, Boolean };

    Value() = default;
    Value(std::nullptr_t) {}
    Value(int v) : v_(static_cast<std::int64_t>(v)) {}
    Value(long v) : v_(static_cast<std::int64_t>(v)) {}
    Value(long long v) : v_(static_cast<std::int64_t>(v)) {}
    Value(double v) : v_(v) {}
    Value(std::string v) : v_(std::move(v)) {}
    Value(const char* v) : v_(std::string(v)) {}
    Value(DateTime v) : v_(v) {}
    static Value Boolean(bool b) {
        Value v;
        v.v_ = b;
        return v;
    }

    Kind kind() const { return static_cast<Kind>(v_.index()); }
    bool IsNull() const { return kind() == Kind::Null; }

    // Conversions; each throws DbError for Null ("Invalid use of Null") or a text that is not a
    // number/date ("Type mismatch"). AsInteger rounds a double half to even.
    std::int64_t AsInteger() const;
    double AsDouble() const;
    std::string AsText() const;  // date-times as "YYYY-MM-DD HH:MM:SS", doubles shortest round-trip
    DateTime AsDateTime() const;
    bool AsBoolean() const;

    bool operator==(const Value& other) const = default;

  private:
    std::variant<std::monostate, std::int64_t, double, std::string, DateTime, bool> v_;
};

}  // namespace tmigration::db
