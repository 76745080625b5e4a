#include "db/engines/odbc/SelectShape.h"

#include <cctype>
#include <vector>

namespace tmigration::db::odbc {
namespace {

struct Word {
    std::string upper;   // the word in upper case; "(" ")" "," and other punctuation as they are
    std::size_t at = 0;  // where it starts in the text
    int depth = 0;       // parenthesis depth it stands at
};

bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' || c == '#' || c == '.';
}

// Words, numbers and punctuation outside string literals and quoted names.
std::vector<Word> Scan(std::string_view sql) {
    std::vector<Word> words;
    int depth = 0;
    for (std::size_t i = 0; i < sql.size();) {
        const char c = sql[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (c == '\'' || c == '"' || c == '[' || c == '`') {
            const char close = c == '[' ? ']' : c;
            const std::size_t start = i;
            for (++i; i < sql.size(); ++i)
                if (sql[i] == close) {
                    if (i + 1 < sql.size() && sql[i + 1] == close && close != ']') {
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
            // A quoted name is a name; a literal only matters as "something".
            words.push_back({c == '\'' ? "'" : "NAME", start, depth});
        } else if (IsNameChar(c)) {
            const std::size_t start = i;
            std::string w;
            while (i < sql.size() && IsNameChar(sql[i]))
                w += static_cast<char>(std::toupper(static_cast<unsigned char>(sql[i++])));
            words.push_back({w, start, depth});
        } else {
            if (c == ')') --depth;
            words.push_back({std::string(1, c), i, c == '(' ? depth++ : depth});
            ++i;
        }
    }
    return words;
}

bool IsName(const Word& w) {
    return w.upper == "NAME" || (!w.upper.empty() && IsNameChar(w.upper[0]) &&
                                 !std::isdigit(static_cast<unsigned char>(w.upper[0])));
}

}  // namespace

std::string SingleTableOf(std::string_view sql) {
    const auto words = Scan(sql);
    if (words.empty() || words[0].upper != "SELECT") return {};
    std::size_t from = 0;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const Word& w = words[i];
        if (w.upper == "(" || w.upper == "DISTINCT" || w.upper == "TOP") return {};
        if (w.upper == "FROM") {
            from = i;
            break;
        }
    }
    if (from == 0 || from + 1 >= words.size() || !IsName(words[from + 1]) || words[from + 1].upper == "NAME")
        return {};
    const Word& table = words[from + 1];
    if (from + 2 < words.size()) {
        const std::string& next = words[from + 2].upper;
        if (next != "WHERE" && next != "ORDER") return {};
    }
    for (std::size_t i = from + 2; i < words.size(); ++i) {
        const std::string& w = words[i].upper;
        if (w == "UNION" || w == "GROUP" || w == "HAVING" || w == "JOIN" || w == "SELECT" || w == ";")
            return {};
    }
    return std::string(sql.substr(table.at, table.upper.size()));
}

std::string WithoutOrderBy(std::string_view sql) {
    const auto words = Scan(sql);
    for (std::size_t i = words.size(); i-- > 1;)
        if (words[i].depth == 0 && words[i].upper == "BY" && words[i - 1].upper == "ORDER" &&
            words[i - 1].depth == 0)
            return std::string(sql.substr(0, words[i - 1].at));
    return std::string(sql);
}

}  // namespace tmigration::db::odbc
