#include "db/ConnectionString.h"

#include <algorithm>

#include "util/Text.h"

namespace tmigration::db {
namespace {

// Reads one value starting at `text` (just after its "="), leaving `text` at the ";" that ends
// it or at the end.
std::string ReadValue(std::string_view& text) {
    while (!text.empty() && util::IsBlank(text.front())) text.remove_prefix(1);
    if (!text.empty() && (text.front() == '"' || text.front() == '\'')) {
        const char quote = text.front();
        text.remove_prefix(1);
        std::string value;
        while (!text.empty()) {
            const char c = text.front();
            text.remove_prefix(1);
            if (c != quote) {
                value += c;
            } else if (!text.empty() && text.front() == quote) {
                value += quote;
                text.remove_prefix(1);
            } else {
                break;
            }
        }
        // Whatever stands between the closing quote and the ";" is not part of the value.
        text = text.substr(std::min(text.find(';'), text.size()));
        return value;
    }
    const std::size_t end = std::min(text.find(';'), text.size());
    const std::string value(util::Trim(text.substr(0, end)));
    text.remove_prefix(end);
    return value;
}

}  // namespace

std::optional<std::string> ConnectionStringValue(std::string_view text, std::string_view key) {
    while (!text.empty()) {
        const std::size_t semi = text.find(';');
        const std::size_t eq = text.find('=');
        if (eq == std::string_view::npos || (semi != std::string_view::npos && semi < eq)) {
            // A part without "=" names nothing.
            if (semi == std::string_view::npos) break;
            text.remove_prefix(semi + 1);
            continue;
        }
        const bool wanted = util::EqualsIgnoringCase(util::Trim(text.substr(0, eq)), key);
        text.remove_prefix(eq + 1);
        std::string value = ReadValue(text);
        if (wanted) return value;
        if (!text.empty()) text.remove_prefix(1);  // the ";"
    }
    return std::nullopt;
}

}  // namespace tmigration::db
