#include "db/engines/embedded/SqlTokens.h"

#include <cctype>

namespace tmigration::db::embedded {
namespace {

bool IsWordStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '$' || c == ':';
}
bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' || c == ':';
}

}  // namespace

bool Token::Is(std::string_view word) const {
    return kind == Kind::Word && util::EqualsIgnoringCase(text, word);
}

std::string Token::Name() const {
    if (text.size() >= 2 &&
        ((text.front() == '[' && text.back() == ']') || (text.front() == '"' && text.back() == '"')))
        return text.substr(1, text.size() - 2);
    return text;
}

Tokens Tokenize(std::string_view sql) {
    Tokens out;
    std::size_t i = 0;
    const std::size_t n = sql.size();
    auto push = [&](Token::Kind k, std::size_t from, std::size_t to) {
        out.push_back(Token{k, std::string(sql.substr(from, to - from))});
    };
    while (i < n) {
        const char c = sql[i];
        const std::size_t start = i;
        if (std::isspace(static_cast<unsigned char>(c))) {
            while (i < n && std::isspace(static_cast<unsigned char>(sql[i]))) ++i;
            push(Token::Kind::Space, start, i);
        } else if (c == '\'') {
            ++i;
            while (i < n) {
                if (sql[i] == '\'') {
                    if (i + 1 < n && sql[i + 1] == '\'') {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            push(Token::Kind::String, start, i);
        } else if (c == '#') {
            // A Jet date literal runs to the next '#'.
            std::size_t close = sql.find('#', i + 1);
            i = close == std::string_view::npos ? n : close + 1;
            push(Token::Kind::JetDate, start, i);
        } else if (c == '[' || c == '"') {
            const char closer = c == '[' ? ']' : '"';
            std::size_t close = sql.find(closer, i + 1);
            i = close == std::string_view::npos ? n : close + 1;
            push(Token::Kind::Word, start, i);
        } else if (std::isdigit(static_cast<unsigned char>(c)) ||
                   (c == '.' && i + 1 < n && std::isdigit(static_cast<unsigned char>(sql[i + 1])))) {
            while (i < n && (std::isdigit(static_cast<unsigned char>(sql[i])) || sql[i] == '.')) ++i;
            if (i < n && (sql[i] == 'e' || sql[i] == 'E')) {
                std::size_t j = i + 1;
                if (j < n && (sql[j] == '+' || sql[j] == '-')) ++j;
                if (j < n && std::isdigit(static_cast<unsigned char>(sql[j]))) {
                    i = j;
                    while (i < n && std::isdigit(static_cast<unsigned char>(sql[i]))) ++i;
                }
            }
            push(Token::Kind::Number, start, i);
        } else if (IsWordStart(c)) {
            ++i;
            while (i < n && IsWordChar(sql[i])) ++i;
            push(Token::Kind::Word, start, i);
        } else {
            // Two-character operators stay whole.
            if (i + 1 < n) {
                const std::string_view two = sql.substr(i, 2);
                if (two == "<>" || two == "<=" || two == ">=" || two == "!=" || two == "||") {
                    i += 2;
                    push(Token::Kind::Punct, start, i);
                    continue;
                }
            }
            ++i;
            push(Token::Kind::Punct, start, i);
        }
    }
    return out;
}

std::string Join(const Tokens& tokens, std::size_t from, std::size_t to) {
    std::string out;
    if (to > tokens.size()) to = tokens.size();
    for (std::size_t i = from; i < to; ++i) out += tokens[i].text;
    return out;
}

std::size_t NextSignificant(const Tokens& tokens, std::size_t i) {
    while (i < tokens.size() && tokens[i].kind == Token::Kind::Space) ++i;
    return i;
}

Tokens Significant(const Tokens& tokens) {
    Tokens out;
    for (const auto& t : tokens)
        if (t.kind != Token::Kind::Space) out.push_back(t);
    return out;
}

std::size_t MatchingParen(const Tokens& tokens, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < tokens.size(); ++i) {
        if (tokens[i].IsPunct('('))
            ++depth;
        else if (tokens[i].IsPunct(')') && --depth == 0)
            return i;
    }
    return tokens.size();
}

}  // namespace tmigration::db::embedded
