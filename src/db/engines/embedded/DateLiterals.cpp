#include "db/engines/embedded/DateLiterals.h"

#include <cctype>
#include <vector>

#include "db/Value.h"

namespace tmigration::db::embedded {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

bool Upper(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
    return true;
}

// Reads 1 to `maxDigits` digits at `pos`.
bool Digits(std::string_view s, std::size_t& pos, std::size_t maxDigits, int& out,
            std::size_t* count = nullptr) {
    std::size_t n = 0;
    out = 0;
    while (pos < s.size() && n < maxDigits && std::isdigit(static_cast<unsigned char>(s[pos]))) {
        out = out * 10 + (s[pos++] - '0');
        ++n;
    }
    if (count) *count = n;
    return n > 0;
}

int WindowedYear(int year, std::size_t digits, Dialect dialect) {
    if (digits > 2) return year;
    const int pivot = dialect == Dialect::SqlServer ? 50 : 30;
    return year < pivot ? 2000 + year : 1900 + year;
}

// "h:mm[:ss] [AM|PM]" from `pos` to the end.
bool ReadTime(std::string_view s, std::size_t pos, DateTime& dt) {
    int h = 0, m = 0, sec = 0;
    if (!Digits(s, pos, 2, h) || pos >= s.size() || s[pos++] != ':' || !Digits(s, pos, 2, m)) return false;
    if (pos < s.size() && s[pos] == ':') {
        ++pos;
        if (!Digits(s, pos, 2, sec)) return false;
    }
    const std::string_view rest = Trim(s.substr(pos));
    if (!rest.empty()) {
        const bool pm = Upper(rest, "PM");
        if (!pm && !Upper(rest, "AM")) return false;
        if (h < 1 || h > 12) return false;
        if (pm && h < 12) h += 12;
        if (!pm && h == 12) h = 0;
    }
    dt.hour = h;
    dt.minute = m;
    dt.second = sec;
    return true;
}

}  // namespace

std::optional<std::string> ParseDateLiteral(std::string_view text, Dialect dialect) {
    const std::string_view s = Trim(text);
    if (auto iso = DateTime::ParseIso(s)) return iso->IsValid() ? std::optional(iso->ToIso()) : std::nullopt;
    DateTime dt;
    dt.hour = dt.minute = dt.second = 0;
    std::size_t pos = 0;
    int month = 0, day = 0, year = 0;
    std::size_t yearDigits = 0;
    if (s.find('/') != std::string_view::npos) {
        if (!Digits(s, pos, 2, month) || pos >= s.size() || s[pos++] != '/' || !Digits(s, pos, 2, day) ||
            pos >= s.size() || s[pos++] != '/' || !Digits(s, pos, 4, year, &yearDigits) || yearDigits == 3)
            return std::nullopt;
        dt.year = WindowedYear(year, yearDigits, dialect);
        dt.month = month;
        dt.day = day;
        if (pos < s.size()) {
            if (s[pos] != ' ') return std::nullopt;
            if (!ReadTime(s, pos + 1, dt)) return std::nullopt;
        }
    } else if (!ReadTime(s, 0, dt)) {
        return std::nullopt;
    }
    if (!dt.IsValid()) return std::nullopt;
    return dt.ToIso();
}

namespace {

enum class Element { Month, Day, Year4, Hour12, Hour24, Minute, Second, Meridian, Separator };

struct Model {
    std::vector<std::pair<Element, char>> parts;  // the separator character for Separator
    std::string unknown;
};

Model ReadModel(std::string_view f) {
    static const std::pair<const char*, Element> kElements[] = {
        {"HH24", Element::Hour24}, {"HH12", Element::Hour12}, {"YYYY", Element::Year4},
        {"HH", Element::Hour12},   {"MI", Element::Minute},   {"MM", Element::Month},
        {"DD", Element::Day},      {"SS", Element::Second},   {"AM", Element::Meridian},
        {"PM", Element::Meridian}};
    Model m;
    std::size_t i = 0;
    while (i < f.size()) {
        const char c = f[i];
        if (c == '/' || c == '-' || c == ':' || c == '.' || c == ',' || c == ' ') {
            m.parts.emplace_back(Element::Separator, c);
            ++i;
            continue;
        }
        bool known = false;
        for (const auto& [name, element] : kElements) {
            const std::string_view n(name);
            if (i + n.size() <= f.size() && Upper(f.substr(i, n.size()), n)) {
                m.parts.emplace_back(element, 0);
                i += n.size();
                known = true;
                break;
            }
        }
        if (!known) {
            std::size_t j = i;
            while (j < f.size() && std::isalnum(static_cast<unsigned char>(f[j]))) ++j;
            m.unknown = std::string(f.substr(i, std::max<std::size_t>(j - i, 1)));
            return m;
        }
    }
    return m;
}

}  // namespace

std::string UnknownToDateElement(std::string_view format) {
    return ReadModel(format).unknown;
}

std::optional<std::string> ParseToDate(std::string_view text, std::string_view format) {
    const Model m = ReadModel(format);
    if (!m.unknown.empty()) return std::nullopt;
    DateTime dt;
    dt.year = 1970;  // Oracle fills missing fields from the current month; the component never omits them
    dt.month = dt.day = 1;
    dt.hour = dt.minute = dt.second = 0;
    int hour12 = -1;
    std::optional<bool> pm;
    std::size_t pos = 0;
    for (const auto& [element, sep] : m.parts) {
        if (element == Element::Separator) {
            if (pos >= text.size() || text[pos] != sep) return std::nullopt;
            ++pos;
            continue;
        }
        if (element == Element::Meridian) {
            if (pos + 2 > text.size()) return std::nullopt;
            const std::string_view w = text.substr(pos, 2);
            if (Upper(w, "PM"))
                pm = true;
            else if (Upper(w, "AM"))
                pm = false;
            else
                return std::nullopt;
            pos += 2;
            continue;
        }
        int v = 0;
        if (!Digits(text, pos, element == Element::Year4 ? 4 : 2, v)) return std::nullopt;
        switch (element) {
            case Element::Month:
                dt.month = v;
                break;
            case Element::Day:
                dt.day = v;
                break;
            case Element::Year4:
                dt.year = v;
                break;
            case Element::Hour12:
                hour12 = v;
                break;
            case Element::Hour24:
                dt.hour = v;
                break;
            case Element::Minute:
                dt.minute = v;
                break;
            case Element::Second:
                dt.second = v;
                break;
            default:
                break;
        }
    }
    if (pos != text.size()) return std::nullopt;
    if (hour12 >= 0) {
        if (hour12 < 1 || hour12 > 12) return std::nullopt;
        dt.hour = hour12 % 12 + (pm.value_or(false) ? 12 : 0);
    }
    if (!dt.IsValid()) return std::nullopt;
    return dt.ToIso();
}

namespace {

constexpr char kCastError[] = "Conversion failed when converting date and/or time from character string.";
constexpr char kToDateError[] = "ORA-01861: literal does not match format string";

void ResultText(sqlite3_context* ctx, const std::optional<std::string>& iso, const char* error) {
    if (!iso) {
        sqlite3_result_error(ctx, error, -1);
        return;
    }
    sqlite3_result_text(ctx, iso->c_str(), static_cast<int>(iso->size()), SQLITE_TRANSIENT);
}

std::string_view Text(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string_view(p, static_cast<std::size_t>(sqlite3_value_bytes(v))) : std::string_view();
}

void SqlCastDateTime(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    ResultText(ctx, ParseDateLiteral(Text(argv[0]), Dialect::SqlServer), kCastError);
}

void SqlToDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    ResultText(ctx, ParseToDate(Text(argv[0]), Text(argv[1])), kToDateError);
}

}  // namespace

void RegisterDateFunctions(sqlite3* db) {
    sqlite3_create_function(db, "tm_datetime", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            SqlCastDateTime, nullptr, nullptr);
    sqlite3_create_function(db, "tm_to_date", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, SqlToDate,
                            nullptr, nullptr);
}

}  // namespace tmigration::db::embedded
