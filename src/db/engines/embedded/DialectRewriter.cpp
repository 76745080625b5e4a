#include "db/engines/embedded/DialectRewriter.h"

#include <cctype>
#include <cstdio>
#include <vector>

#include "db/DbError.h"
#include "db/Value.h"

namespace tmigration::db::embedded {
namespace {

using Kind = Token::Kind;

Token Word(std::string text) {
    return Token{Kind::Word, std::move(text)};
}
Token Str(const std::string& text) {
    return Token{Kind::String, "'" + text + "'"};
}
Token Space() {
    return Token{Kind::Space, " "};
}

const char* const kNowExpr = "strftime('%Y-%m-%d %H:%M:%S','now','localtime')";
const char* const kDateExpr = "strftime('%Y-%m-%d 00:00:00','now','localtime')";
const char* const kTimeExpr = "strftime('1899-12-30 %H:%M:%S','now','localtime')";

bool IsEmptyCall(const Tokens& t, std::size_t i, std::size_t& end) {
    std::size_t open = NextSignificant(t, i + 1);
    if (open >= t.size() || !t[open].IsPunct('(')) return false;
    std::size_t close = NextSignificant(t, open + 1);
    if (close >= t.size() || !t[close].IsPunct(')')) return false;
    end = close + 1;
    return true;
}

// Collapses "( + )" into one token so the outer-join marker is easy to find.
void CollapseOuterJoinMarkers(Tokens& t) {
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (!t[i].IsPunct('(')) continue;
        std::size_t plus = NextSignificant(t, i + 1);
        if (plus >= t.size() || !t[plus].IsPunct('+')) continue;
        std::size_t close = NextSignificant(t, plus + 1);
        if (close >= t.size() || !t[close].IsPunct(')')) continue;
        t[i] = Token{Kind::Punct, "(+)"};
        t.erase(t.begin() + static_cast<long>(i) + 1, t.begin() + static_cast<long>(close) + 1);
    }
}

// Splits [from, to) at top-level occurrences of a separator predicate.
template <typename IsSep>
std::vector<std::pair<std::size_t, std::size_t>> SplitTopLevel(const Tokens& t, std::size_t from,
                                                               std::size_t to, IsSep isSep) {
    std::vector<std::pair<std::size_t, std::size_t>> parts;
    int depth = 0;
    std::size_t start = from;
    for (std::size_t i = from; i < to; ++i) {
        if (t[i].IsPunct('('))
            ++depth;
        else if (t[i].IsPunct(')'))
            --depth;
        else if (depth == 0 && isSep(t[i])) {
            parts.emplace_back(start, i);
            start = i + 1;
        }
    }
    parts.emplace_back(start, to);
    return parts;
}

std::string TrimmedJoin(const Tokens& t, std::size_t from, std::size_t to) {
    std::string s = Join(t, from, to);
    std::size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    std::size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// Rewrites one "FROM a, b WHERE x = b.y (+) AND ..." scope into "FROM a LEFT JOIN b ON x = b.y WHERE ...".
// Returns false when no marker is left.
bool RewriteOneOuterJoin(Tokens& t) {
    std::size_t marker = t.size();
    for (std::size_t i = 0; i < t.size(); ++i)
        if (t[i].kind == Kind::Punct && t[i].text == "(+)") {
            marker = i;
            break;
        }
    if (marker == t.size()) return false;

    // The scope is the innermost parenthesis around the marker (or the whole statement).
    std::size_t scopeStart = 0, scopeEnd = t.size();
    int depth = 0;
    for (std::size_t i = marker; i-- > 0;) {
        if (t[i].IsPunct(')'))
            ++depth;
        else if (t[i].IsPunct('(')) {
            if (depth == 0) {
                scopeStart = i + 1;
                scopeEnd = MatchingParen(t, i);
                break;
            }
            --depth;
        }
    }
    // The optional table is the qualifier of the column in front of the marker.
    std::size_t col = marker;
    while (col > 0 && t[col - 1].kind == Kind::Space) --col;
    if (col < 3 || !t[col - 2].IsPunct('.')) throw DbError("unsupported outer join");
    const std::string optional = util::ToUpper(t[col - 3].Name());

    std::size_t from = t.size(), where = t.size(), whereEnd = scopeEnd;
    depth = 0;
    for (std::size_t i = scopeStart; i < scopeEnd; ++i) {
        if (t[i].IsPunct('('))
            ++depth;
        else if (t[i].IsPunct(')'))
            --depth;
        else if (depth == 0 && t[i].Is("FROM") && from == t.size())
            from = i;
        else if (depth == 0 && t[i].Is("WHERE") && where == t.size())
            where = i;
        else if (depth == 0 && where != t.size() && (t[i].Is("ORDER") || t[i].Is("GROUP")) &&
                 whereEnd == scopeEnd)
            whereEnd = i;
    }
    if (from == t.size() || where == t.size()) throw DbError("unsupported outer join");

    auto items = SplitTopLevel(t, from + 1, where, [](const Token& k) { return k.IsPunct(','); });
    auto conds = SplitTopLevel(t, where + 1, whereEnd, [](const Token& k) { return k.Is("AND"); });

    std::string optionalItem, others, on, rest;
    for (auto [b, e] : items) {
        std::size_t last = e;
        while (last > b && t[last - 1].kind == Kind::Space) --last;
        const bool isOptional = last > b && util::ToUpper(t[last - 1].Name()) == optional;
        std::string text = TrimmedJoin(t, b, e);
        if (isOptional)
            optionalItem = text;
        else
            others += (others.empty() ? "" : ", ") + text;
    }
    for (auto [b, e] : conds) {
        bool hasMarker = false;
        Tokens piece;
        for (std::size_t i = b; i < e; ++i) {
            if (t[i].kind == Kind::Punct && t[i].text == "(+)")
                hasMarker = true;
            else
                piece.push_back(t[i]);
        }
        std::string text = TrimmedJoin(piece, 0, piece.size());
        if (hasMarker)
            on += (on.empty() ? "" : " AND ") + text;
        else
            rest += (rest.empty() ? "" : " AND ") + text;
    }
    if (optionalItem.empty() || others.empty()) throw DbError("unsupported outer join");
    std::string replacement = " FROM " + others + " LEFT JOIN " + optionalItem + " ON " + on + " ";
    if (!rest.empty()) replacement += "WHERE " + rest + " ";
    Tokens rebuilt(t.begin(), t.begin() + static_cast<long>(from));
    for (auto& k : Tokenize(replacement)) rebuilt.push_back(std::move(k));
    rebuilt.insert(rebuilt.end(), t.begin() + static_cast<long>(whereEnd), t.end());
    t = std::move(rebuilt);
    return true;
}

// True when token i stands alone as an item of a select list, so that the rewritten expression
// keeps the name the database would have given the column.
bool IsBareSelectItem(const Tokens& t, std::size_t begin, std::size_t end,
                      const std::vector<bool>& inSelectList, std::size_t depth) {
    if (depth >= inSelectList.size() || !inSelectList[depth]) return false;
    std::size_t prev = begin;
    while (prev > 0 && t[prev - 1].kind == Kind::Space) --prev;
    if (prev == 0) return false;
    const Token& p = t[prev - 1];
    if (!(p.Is("SELECT") || p.IsPunct(','))) return false;
    std::size_t next = NextSignificant(t, end);
    return next >= t.size() || t[next].IsPunct(',') || t[next].Is("FROM");
}

}  // namespace

bool ParseLooseDateTime(std::string_view text, std::string& iso) {
    std::string s(text);
    while (!s.empty() && s.front() == ' ') s.erase(s.begin());
    while (!s.empty() && s.back() == ' ') s.pop_back();
    if (auto dt = DateTime::ParseIso(s)) {
        iso = dt->ToIso();
        return true;
    }
    int a = 0, b = 0, c = 0, h = 0, mi = 0, se = 0;
    char ampm[3] = {0};
    DateTime dt;
    std::string timePart = s;
    bool hasDate = false;
    if (std::sscanf(s.c_str(), "%d/%d/%d", &a, &b, &c) == 3) {
        dt.month = a;
        dt.day = b;
        dt.year = c;
        hasDate = true;
        std::size_t sp = s.find(' ');
        timePart = sp == std::string::npos ? std::string() : s.substr(sp + 1);
    } else {
        dt = DateTime{1899, 12, 30, 0, 0, 0};
    }
    dt.hour = dt.minute = dt.second = 0;
    if (!timePart.empty()) {
        int n = std::sscanf(timePart.c_str(), "%d:%d:%d %2s", &h, &mi, &se, ampm);
        if (n < 2) {
            if (!hasDate) return false;
            n = 0;
        }
        if (n == 2) {
            std::sscanf(timePart.c_str(), "%d:%d %2s", &h, &mi, ampm);
            se = 0;
        }
        std::string mer = util::ToUpper(ampm);
        if (mer == "PM" && h < 12) h += 12;
        if (mer == "AM" && h == 12) h = 0;
        dt.hour = h;
        dt.minute = mi;
        dt.second = se;
    }
    if (!dt.IsValid()) return false;
    iso = dt.ToIso();
    return true;
}

Tokens RewriteExpressions(Tokens t, Dialect dialect) {
    if (dialect == Dialect::Oracle) {
        CollapseOuterJoinMarkers(t);
        while (RewriteOneOuterJoin(t)) {
        }
    }
    Tokens out;
    out.reserve(t.size());
    std::vector<bool> inSelectList(1, false);
    std::size_t depth = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const Token& k = t[i];
        if (k.IsPunct('(')) {
            ++depth;
            if (inSelectList.size() <= depth) inSelectList.resize(depth + 1, false);
            inSelectList[depth] = false;
        } else if (k.IsPunct(')')) {
            if (depth > 0) --depth;
        } else if (k.Is("SELECT")) {
            inSelectList[depth] = true;
        } else if (k.Is("FROM") || k.Is("WHERE")) {
            inSelectList[depth] = false;
        }

        auto emitExpr = [&](const std::string& expr, std::size_t end, const std::string& name) {
            out.push_back(Word("(" + expr + ")"));
            if (IsBareSelectItem(t, i, end, inSelectList, depth)) {
                out.push_back(Space());
                out.push_back(Word("AS " + name));
            }
            i = end - 1;
        };

        std::size_t end = 0;
        if (k.kind == Kind::JetDate) {
            std::string iso;
            if (!ParseLooseDateTime(std::string_view(k.text).substr(1, k.text.size() - 2), iso))
                throw DbError("Syntax error in date in query expression '" + k.text + "'.");
            out.push_back(Str(iso));
        } else if (k.kind == Kind::String && k.text == "''" && dialect == Dialect::Oracle) {
            out.push_back(Word("NULL"));  // Oracle holds an empty text as Null
        } else if (k.Is("UCASE")) {
            out.push_back(Word("UPPER"));
        } else if (k.Is("LCASE")) {
            out.push_back(Word("LOWER"));
        } else if (k.Is("SYSDATE") || k.Is("CURRENT_TIMESTAMP")) {
            emitExpr(kNowExpr, i + 1, util::ToUpper(k.text));
        } else if ((k.Is("Now") || k.Is("GETDATE")) && IsEmptyCall(t, i, end)) {
            emitExpr(kNowExpr, end, "Expr1000");
        } else if (k.Is("Date") && IsEmptyCall(t, i, end)) {
            emitExpr(kDateExpr, end, "Expr1000");
        } else if (k.Is("Time") && IsEmptyCall(t, i, end)) {
            emitExpr(kTimeExpr, end, "Expr1000");
        } else if (k.Is("TO_DATE")) {
            out.push_back(Word("tm_to_date"));
        } else if (k.Is("CAST")) {
            // CAST(x AS DATETIME) becomes tm_datetime(x); other casts stay.
            std::size_t open = NextSignificant(t, i + 1);
            std::size_t close = open < t.size() && t[open].IsPunct('(') ? MatchingParen(t, open) : t.size();
            std::size_t as = close, type = close;
            if (close < t.size()) {
                type = close;
                while (type > open && t[type - 1].kind == Kind::Space) --type;
                type = type > open ? type - 1 : close;
                as = type;
                while (as > open && t[as - 1].kind == Kind::Space) --as;
                as = as > open ? as - 1 : close;
            }
            if (close < t.size() && t[type].Is("DATETIME") && t[as].Is("AS")) {
                Tokens inner(t.begin() + static_cast<long>(open) + 1, t.begin() + static_cast<long>(as));
                out.push_back(Word("tm_datetime("));
                for (auto& x : RewriteExpressions(inner, dialect)) out.push_back(std::move(x));
                out.push_back(Token{Kind::Punct, ")"});
                i = close;
            } else {
                out.push_back(k);
            }
        } else if (k.Is("DUAL") && dialect == Dialect::Oracle) {
            // "from DUAL": SQLite selects without a FROM clause; drop the FROM kept in `out`.
            std::size_t j = out.size();
            while (j > 0 && out[j - 1].kind == Kind::Space) --j;
            if (j > 0 && out[j - 1].Is("FROM"))
                out.resize(j - 1);
            else
                out.push_back(k);
        } else {
            out.push_back(k);
        }
    }
    return out;
}

MappedType MapColumnType(const Tokens& tt, Dialect dialect) {
    if (tt.empty()) throw DbError("Syntax error in field definition.");
    const std::string name = util::ToUpper(tt[0].Name());
    std::vector<std::string> args;
    if (tt.size() > 1 && tt[1].IsPunct('(')) {
        for (std::size_t i = 2; i < tt.size() && !tt[i].IsPunct(')'); ++i)
            if (!tt[i].IsPunct(',')) args.push_back(tt[i].text);
    }
    auto sized = [&](const char* base) {
        return args.empty() ? std::string(base) : std::string(base) + "(" + args[0] + ")";
    };
    auto numeric = [&]() {
        if (args.empty()) return std::string("NUMERIC");
        return "NUMERIC(" + args[0] + "," + (args.size() > 1 ? args[1] : "0") + ")";
    };
    MappedType m;
    switch (dialect) {
        case Dialect::Access:
            if (name == "COUNTER" || name == "AUTOINCREMENT")
                m = {"INTEGER", true, false};
            else if (name == "INTEGER" || name == "INT" || name == "LONG" || name == "SMALLINT" ||
                     name == "SHORT" || name == "BYTE" || name == "INTEGER4" || name == "INTEGER2")
                m = {"INTEGER", false, false};
            else if (name == "DOUBLE" || name == "FLOAT" || name == "REAL" || name == "SINGLE")
                m = {"DOUBLE", false, false};
            else if (name == "CURRENCY" || name == "MONEY" || name == "NUMERIC" || name == "DECIMAL")
                m = {numeric(), false, false};
            else if (name == "MEMO" || name == "LONGTEXT" || name == "LONGCHAR" || name == "NOTE")
                m = {"LONGTEXT", false, true};
            else if (name == "TEXT" || name == "VARCHAR" || name == "CHAR" || name == "STRING")
                m = {args.empty() ? "VARCHAR(255)" : sized("VARCHAR"), false, true};
            else if (name == "DATETIME" || name == "DATE" || name == "TIME")
                m = {"DATETIME", false, false};
            else if (name == "BIT" || name == "YESNO" || name == "LOGICAL" || name == "BOOLEAN")
                m = {"BOOLEAN", false, false};
            else
                throw DbError("Syntax error in field definition: unknown type " + tt[0].text + ".");
            break;
        case Dialect::SqlServer:
            if ((name == "INTEGER" || name == "INT") && tt.size() > 1 && tt[1].Is("IDENTITY"))
                m = {"INTEGER", true, false};
            else if (name == "INTEGER" || name == "INT" || name == "SMALLINT" || name == "TINYINT" ||
                     name == "BIGINT")
                m = {"INTEGER", false, false};
            else if (name == "NUMERIC" || name == "DECIMAL" || name == "MONEY")
                m = {numeric(), false, false};
            else if (name == "FLOAT" || name == "REAL")
                m = {"DOUBLE", false, false};
            else if (name == "TEXT" || name == "NTEXT")
                m = {"LONGTEXT", false, true};
            else if (name == "VARCHAR" || name == "NVARCHAR" || name == "CHAR" || name == "NCHAR")
                m = {sized("VARCHAR"), false, true};
            else if (name == "DATETIME" || name == "SMALLDATETIME")
                m = {"DATETIME", false, false};
            else if (name == "BIT")
                m = {"BOOLEAN", false, false};
            else
                throw DbError("Column, parameter, or variable: cannot find data type " + tt[0].text + ".");
            break;
        case Dialect::Oracle:
            if (name == "NUMBER" || name == "NUMERIC" || name == "DECIMAL")
                m = {numeric(), false, false};
            else if (name == "INTEGER" || name == "INT" || name == "SMALLINT")
                m = {"INTEGER", false, false};
            else if (name == "FLOAT" || name == "REAL")
                m = {"DOUBLE", false, false};
            else if (name == "VARCHAR2" || name == "VARCHAR" || name == "CHAR" || name == "NVARCHAR2")
                m = {sized("VARCHAR"), false, true};
            else if (name == "LONG" || name == "CLOB")
                m = {"LONGTEXT", false, true};
            else if (name == "DATE")
                m = {"DATETIME", false, false};
            else
                throw DbError("ORA-00902: invalid datatype");
            break;
    }
    return m;
}

int AdoTypeOfDeclared(const std::string& declared) {
    const std::string d = util::ToUpper(declared);
    if (d.empty()) return 0;
    if (d == "INTEGER") return 3;
    if (d == "DOUBLE") return 5;
    if (d == "DATETIME") return 7;
    if (d == "BOOLEAN") return 11;
    if (d.rfind("NUMERIC", 0) == 0) return 131;
    if (d == "LONGTEXT") return 203;
    if (d.rfind("VARCHAR", 0) == 0) return 202;
    return 202;
}

}  // namespace tmigration::db::embedded
