#include "db/engines/embedded/SqlAnalyser.h"

#include <algorithm>
#include <optional>
#include <set>

#include "db/DbError.h"
#include "db/engines/embedded/DateLiterals.h"
#include "db/engines/embedded/Sqlite.h"
#include "util/Text.h"

namespace tmigration::db::embedded {

void RefuseConstruct(const std::string& construct, Dialect dialect) {
    throw DbError("The embedded engine does not support " + construct + " in the " +
                  std::string(DialectName(dialect)) + " dialect.");
}

namespace {

using Kind = Token::Kind;

Token Word(std::string text) {
    return Token{Kind::Word, std::move(text)};
}
Token Punct(std::string text) {
    return Token{Kind::Punct, std::move(text)};
}

const Token kMarker{Kind::Punct, "(+)"};

bool IsMarker(const Token& t) {
    return t.kind == Kind::Punct && t.text == "(+)";
}

// Words that end an expression or belong to a clause: never a column name.
bool IsClauseWord(const Token& t) {
    static const char* const kWords[] = {"SELECT", "FROM", "WHERE", "GROUP",  "ORDER", "BY",    "HAVING",
                                         "ON",     "JOIN", "INNER", "LEFT",   "RIGHT", "OUTER", "AS",
                                         "ASC",    "DESC", "SET",   "VALUES", "INTO",  "UNION", "DISTINCT"};
    return std::any_of(std::begin(kWords), std::end(kWords), [&](const char* w) { return t.Is(w); });
}

// Reserved words of constructs the engine does not translate.
bool IsUnsupportedWord(const Token& t) {
    static const char* const kWords[] = {
        "CASE",  "WHEN",  "THEN", "ELSE",  "END",     "EXISTS", "INTERSECT", "EXCEPT", "MINUS",
        "LIMIT", "TOP",   "OVER", "WITH",  "ALL",     "ANY",    "SOME",      "ROWNUM", "CONNECT",
        "PRIOR", "PIVOT", "FULL", "CROSS", "NATURAL", "USING",  "RETURNING", "OFFSET", "FETCH"};
    return std::any_of(std::begin(kWords), std::end(kWords), [&](const char* w) { return t.Is(w); });
}

bool IsOperatorWord(const Token& t) {
    return t.Is("AND") || t.Is("OR") || t.Is("NOT") || t.Is("IS") || t.Is("IN") || t.Is("LIKE") ||
           t.Is("BETWEEN") || t.Is("ESCAPE");
}

bool IsComparison(const Token& t) {
    if (t.kind == Kind::Punct)
        return t.text == "=" || t.text == "<>" || t.text == "<" || t.text == ">" || t.text == "<=" ||
               t.text == ">=";
    return t.Is("LIKE");
}

bool IsLiteral(const Token& t) {
    return t.kind == Kind::Number || t.kind == Kind::String;
}

Value LiteralValue(const Token& t) {
    if (t.kind == Kind::String) {
        std::string v;
        for (std::size_t i = 1; i + 1 < t.text.size(); ++i) {
            v += t.text[i];
            if (t.text[i] == '\'' && t.text[i + 1] == '\'') ++i;
        }
        return Value(std::move(v));
    }
    if (t.text.find_first_of(".eE") == std::string::npos && t.text.size() < 18)
        return Value(static_cast<long long>(std::stoll(t.text)));
    return Value(std::stod(t.text));
}

// Renders tokens as SQLite text: blanks between tokens except where SQL does not need them.
std::string Render(const Tokens& t) {
    std::string out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const Token& k = t[i];
        if (i > 0) {
            const Token& p = t[i - 1];
            const bool tight =
                k.IsPunct(')') || k.IsPunct(',') || k.IsPunct('.') || p.IsPunct('(') || p.IsPunct('.') ||
                (k.IsPunct('(') && p.kind == Kind::Word && !IsOperatorWord(p) && !IsClauseWord(p));
            if (!tight) out += ' ';
        }
        out += k.text;
    }
    return out;
}

std::string Spaced(const Tokens& t) {
    std::string out;
    for (const auto& k : t) out += (out.empty() ? "" : " ") + k.text;
    return out;
}

void Append(Tokens& to, const Tokens& from) {
    to.insert(to.end(), from.begin(), from.end());
}

// Splits at top-level occurrences of `sep` (a comma or the word AND).
std::vector<Tokens> SplitTop(const Tokens& t, const std::function<bool(const Token&)>& sep) {
    std::vector<Tokens> parts(1);
    int depth = 0;
    for (const auto& k : t) {
        if (k.IsPunct('(')) ++depth;
        if (k.IsPunct(')')) --depth;
        if (depth == 0 && sep(k)) {
            parts.emplace_back();
            continue;
        }
        parts.back().push_back(k);
    }
    return parts;
}

// True when `t` is wrapped whole in one pair of parentheses.
bool Wrapped(const Tokens& t) {
    if (t.size() < 2 || !t.front().IsPunct('(') || !t.back().IsPunct(')')) return false;
    int depth = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].IsPunct('(')) ++depth;
        if (t[i].IsPunct(')') && --depth == 0 && i + 1 < t.size()) return false;
    }
    return true;
}

// ---- clauses -------------------------------------------------------------------------------

struct FromPrimary {
    Tokens text;            // as rendered: table [alias], (subquery) alias, or (join group)
    std::string table;      // the table of a plain table item
    std::string reference;  // upper-case name the other clauses qualify columns with
};

struct Join {
    Tokens words;  // e.g. LEFT JOIN
    FromPrimary item;
    Tokens on;
};

struct FromTerm {
    FromPrimary first;
    std::vector<Join> joins;
};

struct SelectItem {
    Tokens expr;
    Tokens alias;
    bool plainColumn = false;  // * , t.* or a column
    bool rewritten = false;    // the dialect's expression became another SQLite expression
    std::string original;      // the expression as written
};

struct Query {
    bool distinct = false;
    std::vector<SelectItem> items;
    std::vector<FromTerm> from;
    bool hasWhere = false;
    Tokens where, groupBy, having, orderBy;
};

class Analyser {
  public:
    Analyser(Tokens tokens, Dialect dialect) : t_(std::move(tokens)), d_(dialect) {}

    Translation Statement(const TranslateOptions& options);

  private:
    // -- token access
    bool AtEnd() const { return i_ >= t_.size(); }
    const Token& Cur() const { return t_[i_]; }
    bool AtWord(std::string_view w, std::size_t ahead = 0) const {
        return i_ + ahead < t_.size() && t_[i_ + ahead].Is(w);
    }
    bool AtPunct(char c, std::size_t ahead = 0) const {
        return i_ + ahead < t_.size() && t_[i_ + ahead].IsPunct(c);
    }
    [[noreturn]] void Refuse(const std::string& construct) const { RefuseConstruct(construct, d_); }
    [[noreturn]] void RefuseHere() const {
        if (AtEnd()) Refuse("a statement that ends early");
        if (IsUnsupportedWord(Cur())) Refuse(util::ToUpper(Cur().text));
        Refuse("'" + Cur().text + "' at this place");
    }
    void ExpectWord(std::string_view w) {
        if (!AtWord(w)) RefuseHere();
        ++i_;
    }
    void ExpectPunct(char c) {
        if (!AtPunct(c)) RefuseHere();
        ++i_;
    }
    Token Name() {
        if (AtEnd() || Cur().kind != Kind::Word || IsClauseWord(Cur()) || IsOperatorWord(Cur()) ||
            IsUnsupportedWord(Cur()))
            RefuseHere();
        return t_[i_++];
    }

    // -- clauses
    Query ParseQuery();
    FromTerm ParseFromTerm();
    FromPrimary ParsePrimary();
    Tokens RenderQuery(Query q, const TranslateOptions* top, Translation* tr);
    void RewriteOuterJoins(Query& q);
    void Parameterise(Tokens& where);

    // -- expressions
    struct ExprInfo {
        bool rewritten = false;
        bool plainColumn = false;
    };
    // Reads one expression up to a top-level comma, closing parenthesis or clause word.
    Tokens ParseExpr(bool allowMarker = false, ExprInfo* info = nullptr);
    void ParseFunction(Tokens& out, ExprInfo& info);

    Tokens t_;
    std::size_t i_ = 0;
    Dialect d_;
    std::vector<Value> params_;
    int exprNames_ = 1000;
};

Tokens Analyser::ParseExpr(bool allowMarker, ExprInfo* infoOut) {
    Tokens out;
    ExprInfo info;
    int depth = 0;
    bool operand = false;  // the last token completed an operand
    std::size_t count = 0;
    while (!AtEnd()) {
        const Token& k = Cur();
        if (depth == 0 && (k.IsPunct(',') || k.IsPunct(')') || IsClauseWord(k))) break;
        if (depth == 0 && operand && k.kind == Kind::Word && !IsOperatorWord(k)) break;  // an alias
        if (depth > 0 && IsClauseWord(k)) RefuseHere();
        ++count;
        if (IsMarker(k)) {
            if (!allowMarker) Refuse("the outer-join marker (+) outside a where clause");
            out.push_back(k);
            ++i_;
            continue;
        }
        switch (k.kind) {
            case Kind::Number:
                out.push_back(k);
                ++i_;
                operand = true;
                continue;
            case Kind::String:
                // Oracle holds an empty text as Null.
                out.push_back(d_ == Dialect::Oracle && k.text == "''" ? Word("NULL") : k);
                ++i_;
                operand = true;
                continue;
            case Kind::JetDate: {
                if (d_ != Dialect::Access) Refuse("the date literal " + k.text);
                const auto iso = ParseDateLiteral(std::string_view(k.text).substr(1, k.text.size() - 2), d_);
                if (!iso) throw DbError("Syntax error in date in query expression '" + k.text + "'.");
                out.push_back(Token{Kind::String, "'" + *iso + "'"});
                ++i_;
                operand = true;
                continue;
            }
            case Kind::Punct: {
                if (k.IsPunct('(')) {
                    if (AtWord("SELECT", 1)) {
                        ++i_;
                        Query sub = ParseQuery();
                        ExpectPunct(')');
                        out.push_back(Punct("("));
                        Append(out, RenderQuery(std::move(sub), nullptr, nullptr));
                        out.push_back(Punct(")"));
                        operand = true;
                        info.rewritten = true;
                        continue;
                    }
                    ++depth;
                    operand = false;
                } else if (k.IsPunct(')')) {
                    --depth;
                    operand = true;
                } else if (k.IsPunct(',')) {
                    operand = false;
                } else if (k.IsPunct('.')) {
                    operand = false;
                } else if (IsComparison(k) || k.text == "+" || k.text == "-" || k.text == "*" ||
                           k.text == "/" || (k.text == "||" && d_ == Dialect::Oracle)) {
                    // "*" alone is also COUNT(*)'s argument.
                    operand = k.text == "*" && !out.empty() && out.back().IsPunct('(');
                } else {
                    Refuse("the operator '" + k.text + "'");
                }
                out.push_back(k);
                ++i_;
                continue;
            }
            case Kind::Word:
                break;
            case Kind::Space:
                ++i_;
                continue;
        }
        // Words: operators, functions, date keywords, column names.
        if (IsUnsupportedWord(k)) Refuse(util::ToUpper(k.text));
        if (IsOperatorWord(k) || k.Is("NULL")) {
            out.push_back(Word(util::ToUpper(k.text)));
            ++i_;
            operand = k.Is("NULL");
            continue;
        }
        if (AtPunct('(', 1)) {
            ParseFunction(out, info);
            operand = true;
            continue;
        }
        if (k.Is("SYSDATE") && d_ == Dialect::Oracle) {
            out.push_back(Word("strftime('%Y-%m-%d %H:%M:%S','now','localtime')"));
            info.rewritten = true;
        } else if (k.Is("CURRENT_TIMESTAMP") && d_ != Dialect::Access) {
            out.push_back(Word("strftime('%Y-%m-%d %H:%M:%S','now','localtime')"));
            info.rewritten = true;
        } else if (AtPunct('.', 1) && i_ + 2 < t_.size() && t_[i_ + 2].Is("NEXTVAL")) {
            Refuse("the sequence value " + k.text + ".NEXTVAL");
        } else {
            out.push_back(k);  // a column, table or alias name
        }
        ++i_;
        operand = true;
    }
    if (depth != 0 || count == 0 || !operand) RefuseHere();
    info.plainColumn =
        (!info.rewritten && (out.size() == 1 && out[0].kind == Kind::Word && !out[0].Is("NULL"))) ||
        (out.size() == 3 && out[0].kind == Kind::Word && out[1].IsPunct('.') && out[2].kind == Kind::Word);
    if (infoOut) *infoOut = info;
    return out;
}

void Analyser::ParseFunction(Tokens& out, ExprInfo& info) {
    const Token name = t_[i_];
    const std::string upper = util::ToUpper(name.text);
    const bool emptyCall = AtPunct(')', 2);
    auto skipEmptyCall = [&](const char* expr) {
        if (!emptyCall) Refuse("arguments to " + name.text + "()");
        i_ += 3;
        out.push_back(Word(expr));
        info.rewritten = true;
    };
    static const std::set<std::string> kAggregates = {"COUNT", "MAX", "MIN", "SUM", "AVG"};
    if (kAggregates.count(upper)) {
        out.push_back(Word(upper));
        out.push_back(Punct("("));
        i_ += 2;
        if (AtPunct('*') && upper == "COUNT") {
            out.push_back(Punct("*"));
            ++i_;
        } else {
            if (AtWord("DISTINCT")) {
                out.push_back(Word("DISTINCT"));
                ++i_;
            }
            Append(out, ParseExpr());
        }
        ExpectPunct(')');
        out.push_back(Punct(")"));
        return;
    }
    if (d_ == Dialect::Access && (upper == "UCASE" || upper == "LCASE")) {
        out.push_back(Word(upper == "UCASE" ? "UPPER" : "LOWER"));
    } else if (d_ != Dialect::Access && (upper == "UPPER" || upper == "LOWER")) {
        out.push_back(Word(upper));
    } else if (d_ != Dialect::Access && upper == "COALESCE") {
        out.push_back(Word("COALESCE"));
    } else if (upper == "LENGTH" || (d_ != Dialect::Oracle && upper == "LEN")) {
        // A text's length: LEN in Jet and T-SQL, LENGTH in Oracle (also taken from scripts elsewhere).
        out.push_back(Word("LENGTH"));
    } else if (d_ == Dialect::Access && upper == "NOW") {
        return skipEmptyCall("strftime('%Y-%m-%d %H:%M:%S','now','localtime')");
    } else if (d_ == Dialect::Access && upper == "DATE") {
        return skipEmptyCall("strftime('%Y-%m-%d 00:00:00','now','localtime')");
    } else if (d_ == Dialect::Access && upper == "TIME") {
        return skipEmptyCall("strftime('1899-12-30 %H:%M:%S','now','localtime')");
    } else if (d_ == Dialect::SqlServer && upper == "GETDATE") {
        return skipEmptyCall("strftime('%Y-%m-%d %H:%M:%S','now','localtime')");
    } else if (d_ == Dialect::SqlServer && upper == "CAST") {
        // CAST(x AS DATETIME) reads a date-time literal; casts to text and numbers keep their meaning.
        i_ += 2;
        Tokens inner = ParseExpr();
        ExpectWord("AS");
        const Token type = Name();
        Tokens size;
        if (AtPunct('(')) {
            for (; !AtEnd() && !AtPunct(')'); ++i_) size.push_back(Cur());
            ExpectPunct(')');
        }
        ExpectPunct(')');
        const std::string ty = util::ToUpper(type.text);
        info.rewritten = true;
        if (ty == "DATETIME" && size.empty()) {
            if (inner.size() == 1 && inner[0].kind == Kind::String) {
                // A literal is read now, so that a malformed one fails before anything runs.
                const auto iso = ParseDateLiteral(LiteralValue(inner[0]).AsText(), d_);
                if (!iso)
                    throw DbError(
                        "Conversion failed when converting date and/or time from character string.");
                out.push_back(Token{Kind::String, "'" + *iso + "'"});
                return;
            }
            out.push_back(Word("tm_datetime"));
            out.push_back(Punct("("));
            Append(out, inner);
            out.push_back(Punct(")"));
            return;
        }
        const char* target = ty == "VARCHAR" || ty == "NVARCHAR" || ty == "CHAR" || ty == "NCHAR" ? "TEXT"
                             : ty == "INTEGER" || ty == "INT" || ty == "SMALLINT" || ty == "BIGINT"
                                 ? "INTEGER"
                             : ty == "FLOAT" || ty == "REAL"      ? "REAL"
                             : ty == "NUMERIC" || ty == "DECIMAL" ? "NUMERIC"
                                                                  : nullptr;
        if (!target) Refuse("CAST to " + type.text);
        out.push_back(Word("CAST"));
        out.push_back(Punct("("));
        Append(out, inner);
        out.push_back(Word("AS"));
        out.push_back(Word(target));
        out.push_back(Punct(")"));
        return;
    } else if (d_ == Dialect::Oracle && upper == "TO_DATE") {
        i_ += 2;
        Tokens text = ParseExpr();
        if (!AtPunct(',')) Refuse("TO_DATE without a format");
        ++i_;
        if (AtEnd() || Cur().kind != Kind::String || !AtPunct(')', 1))
            Refuse("TO_DATE with a computed format");
        const Token format = Cur();
        const std::string model = LiteralValue(format).AsText();
        const std::string unknown = UnknownToDateElement(model);
        if (!unknown.empty()) Refuse("the TO_DATE format element '" + unknown + "' (format '" + model + "')");
        i_ += 2;
        if (text.size() == 1 && text[0].kind == Kind::String) {
            // A literal is read now, so that a malformed one fails before anything runs.
            const auto iso = ParseToDate(LiteralValue(text[0]).AsText(), model);
            if (!iso) throw DbError("ORA-01861: literal does not match format string");
            out.push_back(Token{Kind::String, "'" + *iso + "'"});
        } else {
            out.push_back(Word("tm_to_date"));
            out.push_back(Punct("("));
            Append(out, text);
            out.push_back(Punct(","));
            out.push_back(format);
            out.push_back(Punct(")"));
        }
        info.rewritten = true;
        return;
    } else {
        Refuse("the function " + name.text + "()");
    }
    // A plain function: one argument, or COALESCE's list (which inspection scripts use).
    info.rewritten = true;
    i_ += 2;
    out.push_back(Punct("("));
    Append(out, ParseExpr());
    if (upper == "COALESCE") {
        while (AtPunct(',')) {
            ++i_;
            out.push_back(Punct(","));
            Append(out, ParseExpr());
        }
    }
    ExpectPunct(')');
    out.push_back(Punct(")"));
}

FromPrimary Analyser::ParsePrimary() {
    FromPrimary p;
    if (AtPunct('(')) {
        ++i_;
        p.text.push_back(Punct("("));
        if (AtWord("SELECT")) {
            Append(p.text, RenderQuery(ParseQuery(), nullptr, nullptr));
        } else {
            // A parenthesised join group, as Jet writes several joins.
            FromTerm inner = ParseFromTerm();
            Append(p.text, inner.first.text);
            for (auto& j : inner.joins) {
                Append(p.text, j.words);
                Append(p.text, j.item.text);
                p.text.push_back(Word("ON"));
                Append(p.text, j.on);
            }
        }
        ExpectPunct(')');
        p.text.push_back(Punct(")"));
    } else {
        const Token name = Name();
        if (AtPunct('.'))
            Refuse("a table qualified by its owner (" + name.text + "." + t_[i_ + 1].text + ")");
        p.table = name.Name();
        p.reference = util::ToUpper(p.table);
        p.text.push_back(name);
    }
    if (AtWord("AS")) ++i_;
    if (!AtEnd() && Cur().kind == Kind::Word && !IsClauseWord(Cur()) && !IsOperatorWord(Cur())) {
        const Token alias = Name();
        p.reference = util::ToUpper(alias.Name());
        p.text.push_back(alias);
    }
    return p;
}

FromTerm Analyser::ParseFromTerm() {
    FromTerm term;
    term.first = ParsePrimary();
    while (true) {
        Join j;
        if (AtWord("JOIN")) {
            j.words = {Word("INNER"), Word("JOIN")};
            ++i_;
        } else if (AtWord("INNER") && AtWord("JOIN", 1)) {
            j.words = {Word("INNER"), Word("JOIN")};
            i_ += 2;
        } else if ((AtWord("LEFT") || AtWord("RIGHT")) && (AtWord("JOIN", 1) || AtWord("OUTER", 1))) {
            j.words = {Word(util::ToUpper(Cur().text)), Word("JOIN")};
            i_ += AtWord("OUTER", 1) ? 2 : 1;
            ExpectWord("JOIN");
        } else {
            break;
        }
        j.item = ParsePrimary();
        ExpectWord("ON");
        j.on = ParseExpr();
        term.joins.push_back(std::move(j));
    }
    return term;
}

Query Analyser::ParseQuery() {
    Query q;
    ExpectWord("SELECT");
    if (AtWord("DISTINCT")) {
        q.distinct = true;
        ++i_;
    }
    do {
        if (!q.items.empty()) ++i_;  // the comma
        SelectItem item;
        const std::size_t start = i_;
        if (AtPunct('*')) {
            item.expr = {Punct("*")};
            item.plainColumn = true;
            ++i_;
        } else if (!AtEnd() && Cur().kind == Kind::Word && AtPunct('.', 1) && AtPunct('*', 2)) {
            item.expr = {Cur(), Punct("."), Punct("*")};
            item.plainColumn = true;
            i_ += 3;
        } else {
            ExprInfo info;
            item.expr = ParseExpr(false, &info);
            item.plainColumn = info.plainColumn;
            item.rewritten = info.rewritten;
            if (AtWord("AS")) ++i_;
            if (!AtEnd() && Cur().kind == Kind::Word && !IsClauseWord(Cur())) item.alias = {Name()};
        }
        item.original =
            Spaced(Tokens(t_.begin() + static_cast<long>(start), t_.begin() + static_cast<long>(i_)));
        q.items.push_back(std::move(item));
    } while (AtPunct(','));
    if (AtWord("FROM")) {
        ++i_;
        if (d_ == Dialect::Oracle && AtWord("DUAL") &&
            (i_ + 1 == t_.size() || AtPunct(')', 1) || AtWord("WHERE", 1))) {
            ++i_;  // SQLite selects without a from clause
        } else {
            do {
                if (!q.from.empty()) ++i_;
                q.from.push_back(ParseFromTerm());
            } while (AtPunct(','));
        }
    } else if (d_ == Dialect::Oracle) {
        Refuse("a select without a from clause");
    }
    if (AtWord("WHERE")) {
        ++i_;
        q.hasWhere = true;
        q.where = ParseExpr(d_ == Dialect::Oracle);
    }
    auto list = [&](Tokens& into, bool directions) {
        do {
            if (!into.empty()) {
                ++i_;
                into.push_back(Punct(","));
            }
            Append(into, ParseExpr());
            if (directions && (AtWord("ASC") || AtWord("DESC")))
                into.push_back(Word(util::ToUpper(t_[i_++].text)));
        } while (AtPunct(','));
    };
    if (AtWord("GROUP")) {
        ++i_;
        ExpectWord("BY");
        list(q.groupBy, false);
    }
    if (AtWord("HAVING")) {
        ++i_;
        q.having = ParseExpr();
    }
    if (AtWord("ORDER")) {
        ++i_;
        ExpectWord("BY");
        list(q.orderBy, true);
    }
    if (AtWord("UNION")) Refuse("UNION");
    return q;
}

// Oracle's "a.x = b.y (+)": b is optional. Each optional table becomes a LEFT JOIN whose ON clause
// takes exactly the conditions that carry its marker; the other conditions stay in the where.
void Analyser::RewriteOuterJoins(Query& q) {
    if (std::none_of(q.where.begin(), q.where.end(), IsMarker)) return;
    for (const auto& term : q.from)
        if (!term.joins.empty()) Refuse("the outer-join marker (+) together with JOIN");
    // The conditions joined by AND, parentheses around a condition or a group of them removed.
    std::vector<Tokens> conds;
    std::function<void(const Tokens&)> flatten = [&](const Tokens& e) {
        for (Tokens& c : SplitTop(e, [](const Token& k) { return k.Is("AND"); })) {
            if (Wrapped(c))
                flatten(Tokens(c.begin() + 1, c.end() - 1));
            else
                conds.push_back(std::move(c));
        }
    };
    flatten(q.where);
    std::vector<std::string> optionalOf(conds.size());
    for (std::size_t c = 0; c < conds.size(); ++c) {
        const Tokens& e = conds[c];
        for (std::size_t i = 0; i < e.size(); ++i) {
            if (!IsMarker(e[i])) continue;
            if (std::any_of(e.begin(), e.end(), [](const Token& k) { return k.Is("OR"); }))
                Refuse("the outer-join marker (+) in a condition with OR");
            if (i < 3 || !e[i - 2].IsPunct('.') || e[i - 1].kind != Kind::Word)
                Refuse("the outer-join marker (+) after an unqualified column");
            const std::string table = util::ToUpper(e[i - 3].Name());
            if (!optionalOf[c].empty() && optionalOf[c] != table)
                Refuse("the outer-join marker (+) on two tables in one condition");
            optionalOf[c] = table;
        }
    }
    // Tables each condition names.
    auto references = [](const Tokens& e) {
        std::set<std::string> names;
        for (std::size_t i = 0; i + 1 < e.size(); ++i)
            if (e[i].kind == Kind::Word && e[i + 1].IsPunct('.')) names.insert(util::ToUpper(e[i].Name()));
        return names;
    };
    std::vector<std::size_t> required, optional;
    for (std::size_t f = 0; f < q.from.size(); ++f) {
        const bool isOptional =
            std::find(optionalOf.begin(), optionalOf.end(), q.from[f].first.reference) != optionalOf.end();
        (isOptional ? optional : required).push_back(f);
    }
    for (const auto& name : optionalOf)
        if (!name.empty() && std::none_of(q.from.begin(), q.from.end(),
                                          [&](const FromTerm& t) { return t.first.reference == name; }))
            Refuse("the outer-join marker (+) on " + name + ", which is not in the from list");
    if (required.empty()) Refuse("an outer join in which every table is optional");
    std::set<std::string> placed;
    std::vector<FromTerm> from;
    for (std::size_t f : required) {
        placed.insert(q.from[f].first.reference);
        from.push_back(std::move(q.from[f]));
    }
    // Each optional table joins once every table its conditions name is in place.
    while (!optional.empty()) {
        bool progress = false;
        for (auto it = optional.begin(); it != optional.end(); ++it) {
            const std::string name = q.from[*it].first.reference;
            Tokens on;
            bool ready = true;
            for (std::size_t c = 0; c < conds.size() && ready; ++c) {
                if (optionalOf[c] != name) continue;
                for (const auto& r : references(conds[c])) ready = ready && (r == name || placed.count(r));
                if (!on.empty()) on.push_back(Word("AND"));
                for (const auto& k : conds[c])
                    if (!IsMarker(k)) on.push_back(k);
            }
            if (!ready) continue;
            from.back().joins.push_back(Join{{Word("LEFT"), Word("JOIN")}, std::move(q.from[*it].first), on});
            placed.insert(name);
            optional.erase(it);
            progress = true;
            break;
        }
        if (!progress) Refuse("outer joins whose conditions depend on each other in a circle");
    }
    // With several required tables the LEFT JOINs hang off the last; SQLite joins left to right, so
    // the ON clauses may still name every earlier table.
    q.from = std::move(from);
    Tokens where;
    for (std::size_t c = 0; c < conds.size(); ++c) {
        if (!optionalOf[c].empty()) continue;
        if (!where.empty()) where.push_back(Word("AND"));
        const bool wrap =
            std::any_of(conds[c].begin(), conds[c].end(), [](const Token& k) { return k.Is("OR"); });
        if (wrap) where.push_back(Punct("("));
        Append(where, conds[c]);
        if (wrap) where.push_back(Punct(")"));
    }
    q.hasWhere = !where.empty();
    q.where = std::move(where);
}

// Literals that stand alone as one side of a comparison, or as an item of an IN list, become
// parameters; a literal inside a function, a type or an arithmetic expression keeps its place.
void Analyser::Parameterise(Tokens& where) {
    std::vector<bool> inList;  // per open parenthesis: an IN list
    auto isStart = [&](std::size_t i) {
        if (i == 0) return true;
        const Token& p = where[i - 1];
        if (p.Is("AND") || p.Is("OR") || p.Is("NOT")) return true;
        return p.IsPunct('(') && (i < 2 || where[i - 2].kind != Kind::Word || IsOperatorWord(where[i - 2]));
    };
    auto isEnd = [&](std::size_t i) {
        if (i + 1 >= where.size()) return true;
        const Token& n = where[i + 1];
        return n.Is("AND") || n.Is("OR") || n.IsPunct(')') || IsMarker(n);
    };
    for (std::size_t i = 0; i < where.size(); ++i) {
        const Token& k = where[i];
        if (k.IsPunct('(')) {
            inList.push_back(i > 0 && where[i - 1].Is("IN"));
            continue;
        }
        if (k.IsPunct(')')) {
            if (!inList.empty()) inList.pop_back();
            continue;
        }
        if (!IsLiteral(k)) continue;
        const bool listItem =
            !inList.empty() && inList.back() && (where[i - 1].IsPunct('(') || where[i - 1].IsPunct(',')) &&
            i + 1 < where.size() && (where[i + 1].IsPunct(',') || where[i + 1].IsPunct(')'));
        const bool operand = (i > 0 && IsComparison(where[i - 1]) && isEnd(i)) ||
                             (i + 1 < where.size() && IsComparison(where[i + 1]) && isStart(i));
        if (!listItem && !operand) continue;
        params_.push_back(LiteralValue(k));
        where[i] = Punct("?" + std::to_string(params_.size()));
    }
}

// The column a where clause of ANDed conditions compares for equality with a parameter first, empty
// when there is none or when OR or NOT at the top level make the clause no plain search by it.
std::string LookupColumn(const Tokens& where) {
    std::string column;
    int depth = 0;
    for (std::size_t i = 0; i < where.size(); ++i) {
        const Token& k = where[i];
        if (k.IsPunct('(')) ++depth;
        if (k.IsPunct(')')) --depth;
        if (depth != 0) continue;
        if (k.Is("OR") || k.Is("NOT")) return "";
        if (!column.empty() || k.kind != Kind::Word || i + 2 >= where.size()) continue;
        if (where[i + 1].kind != Kind::Punct || where[i + 1].text != "=") continue;
        if (where[i + 2].kind != Kind::Punct || where[i + 2].text.rfind('?', 0) != 0) continue;
        const std::size_t start = i >= 2 && where[i - 1].IsPunct('.') ? i - 2 : i;
        if (start != 0 && !where[start - 1].Is("AND")) continue;
        column = k.Name();
        if (const auto dot = column.rfind('.'); dot != std::string::npos) column = column.substr(dot + 1);
    }
    return column;
}

Tokens Analyser::RenderQuery(Query q, const TranslateOptions* top, Translation* tr) {
    if (top && top->parameterise && q.hasWhere) Parameterise(q.where);
    RewriteOuterJoins(q);
    // A single-table select of plain columns can be written back to through its rows.
    std::string stored;
    if (top && top->resolveTable && !q.distinct && q.from.size() == 1 && q.from[0].joins.empty() &&
        !q.from[0].first.table.empty() && q.groupBy.empty() && q.having.empty() &&
        std::all_of(q.items.begin(), q.items.end(), [](const SelectItem& s) { return s.plainColumn; })) {
        const std::string& table = q.from[0].first.table;
        if (util::ToUpper(table).rfind("_TM_", 0) != 0) stored = top->resolveTable(table);
    }
    Tokens out{Word("SELECT")};
    if (q.distinct) out.push_back(Word("DISTINCT"));
    std::string rowid;
    if (!stored.empty()) {
        const bool aliased = q.from[0].first.reference != util::ToUpper(q.from[0].first.table);
        rowid = (aliased ? q.from[0].first.text.back().text : Quote(stored)) + ".rowid";
        out.push_back(Word(rowid));
        out.push_back(Punct(","));
        tr->updatableTable = stored;
        if (q.hasWhere && top->parameterise) tr->lookupColumn = LookupColumn(q.where);
    }
    bool firstItem = true;
    for (auto& item : q.items) {
        if (!firstItem) out.push_back(Punct(","));
        firstItem = false;
        Append(out, item.expr);
        if (!item.alias.empty()) {
            out.push_back(Word("AS"));
            Append(out, item.alias);
        } else if (item.rewritten) {
            // The column keeps the name the database would have given it.
            std::string name = d_ == Dialect::Access ? "Expr" + std::to_string(exprNames_++) : "";
            if (name.empty())
                for (char c : item.original)
                    if (c != ' ') name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            out.push_back(Word("AS"));
            out.push_back(Word(Quote(name)));
        }
    }
    if (!q.from.empty()) {
        out.push_back(Word("FROM"));
        for (std::size_t f = 0; f < q.from.size(); ++f) {
            if (f) out.push_back(Punct(","));
            Append(out, q.from[f].first.text);
            for (auto& j : q.from[f].joins) {
                Append(out, j.words);
                Append(out, j.item.text);
                out.push_back(Word("ON"));
                Append(out, j.on);
            }
        }
    }
    if (q.hasWhere) {
        out.push_back(Word("WHERE"));
        Append(out, q.where);
    }
    if (!q.groupBy.empty()) {
        out.push_back(Word("GROUP"));
        out.push_back(Word("BY"));
        Append(out, q.groupBy);
    }
    if (!q.having.empty()) {
        out.push_back(Word("HAVING"));
        Append(out, q.having);
    }
    if (!q.orderBy.empty()) {
        out.push_back(Word("ORDER"));
        out.push_back(Word("BY"));
        Append(out, q.orderBy);
    } else if (!rowid.empty()) {
        out.push_back(Word("ORDER"));
        out.push_back(Word("BY"));
        out.push_back(Word(rowid));
    }
    return out;
}

Translation Analyser::Statement(const TranslateOptions& options) {
    Translation tr;
    Tokens out;
    if (AtWord("SELECT")) {
        out = RenderQuery(ParseQuery(), &options, &tr);
    } else if (AtWord("INSERT")) {
        ++i_;
        ExpectWord("INTO");
        out = {Word("INSERT"), Word("INTO"), Name()};
        if (AtPunct('(')) {
            out.push_back(Punct("("));
            ++i_;
            do {
                if (AtPunct(',')) {
                    ++i_;
                    out.push_back(Punct(","));
                }
                out.push_back(Name());
            } while (AtPunct(','));
            ExpectPunct(')');
            out.push_back(Punct(")"));
        }
        if (AtWord("VALUES")) {
            ++i_;
            ExpectPunct('(');
            out.push_back(Word("VALUES"));
            out.push_back(Punct("("));
            do {
                if (AtPunct(',')) {
                    ++i_;
                    out.push_back(Punct(","));
                }
                Append(out, ParseExpr());
            } while (AtPunct(','));
            ExpectPunct(')');
            out.push_back(Punct(")"));
        } else if (AtWord("SELECT")) {
            Append(out, RenderQuery(ParseQuery(), nullptr, nullptr));
        } else {
            RefuseHere();
        }
    } else if (AtWord("UPDATE")) {
        ++i_;
        out = {Word("UPDATE"), Name()};
        ExpectWord("SET");
        out.push_back(Word("SET"));
        do {
            if (AtPunct(',')) {
                ++i_;
                out.push_back(Punct(","));
            }
            out.push_back(Name());
            ExpectPunct('=');
            out.push_back(Punct("="));
            Append(out, ParseExpr());
        } while (AtPunct(','));
        if (AtWord("WHERE")) {
            ++i_;
            out.push_back(Word("WHERE"));
            Append(out, ParseExpr());
        }
    } else if (AtWord("DELETE")) {
        ++i_;
        if (AtWord("FROM")) ++i_;
        out = {Word("DELETE"), Word("FROM"), Name()};
        if (AtWord("WHERE")) {
            ++i_;
            out.push_back(Word("WHERE"));
            Append(out, ParseExpr());
        }
    } else {
        RefuseHere();
    }
    if (!AtEnd()) RefuseHere();
    tr.sql = Render(out);
    tr.params = std::move(params_);
    return tr;
}

// Folds "( + )" into one marker token.
Tokens FoldMarkers(const Tokens& sig) {
    Tokens out;
    out.reserve(sig.size());
    for (std::size_t i = 0; i < sig.size(); ++i) {
        if (sig[i].IsPunct('(') && i + 2 < sig.size() && sig[i + 1].IsPunct('+') && sig[i + 2].IsPunct(')')) {
            out.push_back(kMarker);
            i += 2;
        } else {
            out.push_back(sig[i]);
        }
    }
    return out;
}

}  // namespace

StatementKind KindOf(const Tokens& sig, Dialect dialect) {
    if (sig.empty()) return StatementKind::Empty;
    const Token& k = sig[0];
    if (k.Is("SELECT")) return StatementKind::Select;
    if (k.Is("INSERT")) return StatementKind::Insert;
    if (k.Is("UPDATE")) return StatementKind::Update;
    if (k.Is("DELETE")) return StatementKind::Delete;
    if (k.Is("CREATE") || k.Is("ALTER") || k.Is("DROP") || k.Is("RENAME")) return StatementKind::Ddl;
    RefuseConstruct("a statement beginning with '" + k.text + "'", dialect);
}

Translation TranslateDml(std::string_view sql, Dialect dialect, const TranslateOptions& options) {
    Tokens sig = FoldMarkers(Significant(Tokenize(sql)));
    return Analyser(std::move(sig), dialect).Statement(options);
}

}  // namespace tmigration::db::embedded
