#include "db/engines/embedded/DdlParse.h"

#include "db/DbError.h"
#include "util/Text.h"

namespace tmigration::db::embedded {

[[noreturn]] void Unsupported(const Tokens& sig) {
    std::string text;
    for (const auto& t : sig) text += (text.empty() ? "" : " ") + t.text;
    throw DbError("Syntax error in statement: " + text);
}

bool At(const Tokens& sig, std::size_t i, std::string_view word) {
    return i < sig.size() && sig[i].Is(word);
}

const Token& Need(const Tokens& sig, std::size_t i) {
    if (i >= sig.size()) Unsupported(sig);
    return sig[i];
}

std::vector<Tokens> ParenList(const Tokens& sig, std::size_t open, std::size_t* closeOut) {
    if (!Need(sig, open).IsPunct('(')) Unsupported(sig);
    const std::size_t close = MatchingParen(sig, open);
    if (close >= sig.size()) Unsupported(sig);
    std::vector<Tokens> parts(1);
    int depth = 0;
    for (std::size_t i = open + 1; i < close; ++i) {
        if (sig[i].IsPunct('(')) ++depth;
        if (sig[i].IsPunct(')')) --depth;
        if (depth == 0 && sig[i].IsPunct(',')) {
            parts.emplace_back();
            continue;
        }
        parts.back().push_back(sig[i]);
    }
    if (closeOut) *closeOut = close;
    return parts;
}

std::string Names(const Tokens& list) {
    std::string out;
    for (const auto& t : list)
        if (!t.IsPunct(',')) out += (out.empty() ? "" : ",") + util::ToUpper(t.Name());
    return out;
}

}  // namespace tmigration::db::embedded
