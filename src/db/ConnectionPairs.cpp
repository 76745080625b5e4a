#include "db/ConnectionPairs.h"

#include <algorithm>
#include <cctype>

namespace tmigration::db {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Reads a value that opens with `open` at text[i] up to its partner `close`, a doubled partner
// standing for itself. Leaves i after the partner.
std::string Quoted(std::string_view text, std::size_t& i, char close) {
    std::string value;
    for (++i; i < text.size(); ++i) {
        if (text[i] != close) {
            value += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == close) {
            value += close;
            ++i;
        } else {
            ++i;
            break;
        }
    }
    return value;
}

bool IsSecretKey(const std::string& key) {
    const std::string k = Lower(key);
    constexpr std::string_view kPassword = "password";
    return k == "pwd" || (k.size() >= kPassword.size() &&
                          k.compare(k.size() - kPassword.size(), kPassword.size(), kPassword) == 0);
}

}  // namespace

std::vector<ConnectionPair> ConnectionPairs(std::string_view text) {
    std::vector<ConnectionPair> pairs;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t eq = text.find('=', i);
        const std::size_t semi = text.find(';', i);
        if (eq == std::string_view::npos || (semi != std::string_view::npos && semi < eq)) {
            // A piece without "=": nothing to keep.
            if (semi == std::string_view::npos) break;
            i = semi + 1;
            continue;
        }
        ConnectionPair pair{std::string(Trim(text.substr(i, eq - i))), {}};
        i = eq + 1;
        while (i < text.size() && text[i] == ' ') ++i;
        if (i < text.size() && (text[i] == '"' || text[i] == '\'' || text[i] == '{')) {
            const char close = text[i] == '{' ? '}' : text[i];
            pair.value = Quoted(text, i, close);
            const std::size_t end = text.find(';', i);
            i = end == std::string_view::npos ? text.size() : end + 1;
        } else {
            const std::size_t end = text.find(';', i);
            pair.value = std::string(Trim(text.substr(i, end == std::string_view::npos ? end : end - i)));
            i = end == std::string_view::npos ? text.size() : end + 1;
        }
        if (!pair.key.empty()) pairs.push_back(std::move(pair));
    }
    return pairs;
}

std::optional<std::string> FindPair(const std::vector<ConnectionPair>& pairs, std::string_view key) {
    const std::string wanted = Lower(key);
    for (const auto& p : pairs)
        if (Lower(p.key) == wanted) return p.value;
    return std::nullopt;
}

std::string HideSecrets(std::string text, std::string_view connectionString) {
    constexpr std::string_view kMask = "********";
    std::vector<std::string> secrets;
    for (const auto& p : ConnectionPairs(connectionString))
        if (IsSecretKey(p.key) && !p.value.empty()) secrets.push_back(p.value);
    // Longest first, so that a password containing another is masked whole.
    std::sort(secrets.begin(), secrets.end(),
              [](const auto& a, const auto& b) { return a.size() > b.size(); });
    for (const auto& secret : secrets) {
        for (std::size_t at = text.find(secret); at != std::string::npos;
             at = text.find(secret, at + kMask.size()))
            text.replace(at, secret.size(), kMask);
    }
    return text;
}

}  // namespace tmigration::db
