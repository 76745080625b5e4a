// DdlParse: small readers over the significant tokens of a DDL statement, shared by the table,
// index, constraint, sequence and trigger statements of the embedded engine.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "db/engines/embedded/SqlTokens.h"

namespace tmigration::db::embedded {

// A statement that ends early or has a token out of place: a syntax error quoting the statement.
[[noreturn]] void Unsupported(const Tokens& sig);
bool At(const Tokens& sig, std::size_t i, std::string_view word);
// sig[i], or the syntax error when the statement ends before it.
const Token& Need(const Tokens& sig, std::size_t i);
// Significant tokens between the parenthesis at `open` and its partner, split at top-level commas.
std::vector<Tokens> ParenList(const Tokens& sig, std::size_t open, std::size_t* closeOut = nullptr);
// Upper-case names of a column list, joined by ",".
std::string Names(const Tokens& list);

}  // namespace tmigration::db::embedded
