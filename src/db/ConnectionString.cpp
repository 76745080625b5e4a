#include "db/ConnectionString.h"

#include <cctype>

namespace tmigration::db {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

std::optional<std::string> ConnectionStringValue(std::string_view text, std::string_view key) {
    while (!text.empty()) {
        const std::size_t semi = text.find(';');
        const std::string_view part = text.substr(0, semi);
        const std::size_t eq = part.find('=');
        if (eq != std::string_view::npos && EqualNoCase(Trim(part.substr(0, eq)), key))
            return std::string(Trim(part.substr(eq + 1)));
        if (semi == std::string_view::npos) break;
        text.remove_prefix(semi + 1);
    }
    return std::nullopt;
}

}  // namespace tmigration::db
