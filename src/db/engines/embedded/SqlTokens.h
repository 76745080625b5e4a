// SqlTokens: splits one SQL text of any of the three dialects into tokens that keep their exact
// text, so that the dialect rewriter can change a few of them and glue the rest back unchanged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "util/Text.h"  // names in tokens compare ignoring case

namespace tmigration::db::embedded {

struct Token {
    enum class Kind { Space, Word, Number, String, JetDate, Punct };
    Kind kind;
    std::string text;

    bool Is(std::string_view word) const;  // a Word equal to `word`, ignoring case
    bool IsPunct(char c) const { return kind == Kind::Punct && text.size() == 1 && text[0] == c; }
    // A word without its brackets or double quotes.
    std::string Name() const;
};

using Tokens = std::vector<Token>;

Tokens Tokenize(std::string_view sql);
std::string Join(const Tokens& tokens, std::size_t from = 0, std::size_t to = std::string::npos);

// Index of the next non-blank token at or after i, or tokens.size().
std::size_t NextSignificant(const Tokens& tokens, std::size_t i);
// The significant tokens only (blanks dropped), handy for matching statement shapes.
Tokens Significant(const Tokens& tokens);
// Index of the parenthesis that closes the one at `open`, or tokens.size().
std::size_t MatchingParen(const Tokens& tokens, std::size_t open);

}  // namespace tmigration::db::embedded
