#include <sqlite3.h>

#include <optional>

#include "db/DbError.h"
#include "db/engines/embedded/ColumnTypes.h"
#include "db/engines/embedded/DdlParse.h"
#include "db/engines/embedded/EmbeddedSession.h"
#include "db/engines/embedded/SqlAnalyser.h"
#include "util/Text.h"

namespace tmigration::db::embedded {

// ---- DDL -------------------------------------------------------------------------------------

void EmbeddedSession::RunDdl(const Tokens& sig) {
    if (sig[0].Is("CREATE")) {
        std::size_t i = 1;
        bool orReplace = false;
        if (At(sig, 1, "OR") && At(sig, 2, "REPLACE")) {
            orReplace = true;
            i = 3;
        }
        if (At(sig, i, "TABLE"))
            CreateTable(sig);
        else if (At(sig, i, "INDEX") || (At(sig, i, "UNIQUE") && At(sig, i + 1, "INDEX")))
            CreateIndex(sig);
        else if (At(sig, i, "SEQUENCE"))
            CreateSequence(sig, i + 1);
        else if (At(sig, i, "TRIGGER"))
            CreateKeyTrigger(sig, orReplace);
        else
            RefuseConstruct("CREATE " + (i < sig.size() ? util::ToUpper(sig[i].text) : std::string()),
                            dialect_);
        return;
    }
    if (sig[0].Is("DROP")) {
        const std::string name = Need(sig, 2).Name();
        // Nothing may follow the dropped object's name but the two index forms' table part.
        const bool indexForm =
            At(sig, 1, "INDEX") && sig.size() == 5 && (At(sig, 3, "ON") || sig[3].IsPunct('.'));
        if (sig.size() > 3 && !indexForm)
            RefuseConstruct("'" + sig[3].text + "' after the name of the dropped object", dialect_);
        if (At(sig, 1, "TABLE")) {
            DropTable(name);
        } else if (At(sig, 1, "INDEX")) {
            // Jet writes "DROP INDEX i ON t", SQL Server "DROP INDEX t.i", Oracle "DROP INDEX i".
            std::string index = name;
            if (sig.size() > 4 && sig[3].IsPunct('.')) index = sig[4].Name();
            Exec(db_, "DROP INDEX " + Quote(index));
        } else if (At(sig, 1, "SEQUENCE")) {
            EnsureCatalog();
            SharedStatement del = Cached("DELETE FROM _tm_sequence WHERE name = ?");
            del.Bind(1, Value(name));
            del.Run();
            if (sqlite3_changes(db_) == 0) throw DbError("ORA-02289: sequence " + name + " does not exist");
        } else if (At(sig, 1, "TRIGGER")) {
            DropKeyTrigger(name, true);
        } else {
            RefuseConstruct("DROP " + util::ToUpper(sig[1].text), dialect_);
        }
        return;
    }
    if (sig[0].Is("ALTER") && At(sig, 1, "TABLE")) {
        AlterTable(sig);
        return;
    }
    if (sig[0].Is("RENAME") && At(sig, 2, "TO") && sig.size() == 4) {
        RenameTable(Need(sig, 1).Name(), Need(sig, 3).Name());
        return;
    }
    RefuseConstruct("the statement " + util::ToUpper(sig[0].text) + " " + util::ToUpper(Need(sig, 1).text),
                    dialect_);
}

std::string EmbeddedSession::RenderColumn(const Tokens& def) const {
    if (def.empty()) throw DbError("Syntax error in field definition.");
    const std::string name = def[0].Name();
    // The type runs up to the first constraint word.
    std::size_t i = 1;
    Tokens type;
    while (i < def.size() &&
           !(def[i].Is("NOT") || def[i].Is("NULL") || def[i].Is("PRIMARY") || def[i].Is("UNIQUE") ||
             def[i].Is("DEFAULT") || def[i].Is("CONSTRAINT") || def[i].Is("REFERENCES")))
        type.push_back(def[i++]);
    // NAME, NAME(n) or NAME(p,s), and SQL Server's IDENTITY(seed,step) after it: nothing else.
    auto sizeAt = [&](std::size_t k) {
        if (k >= type.size() || !type[k].IsPunct('(')) return k;
        std::size_t j = k + 1;
        while (j < type.size() && (type[j].kind == Token::Kind::Number || type[j].IsPunct(','))) ++j;
        return j < type.size() && type[j].IsPunct(')') ? j + 1 : type.size() + 1;
    };
    std::size_t end = type.empty() ? 1 : sizeAt(1);
    if (end < type.size() && type[end].Is("IDENTITY") && dialect_ == Dialect::SqlServer)
        end = sizeAt(end + 1);
    if (end < type.size())
        RefuseConstruct("'" + type[end].text + "' in the definition of column " + name, dialect_);
    if (end > type.size()) Unsupported(def);
    const MappedType m = MapColumnType(type, dialect_);
    bool notNull = false, primary = false, unique = false;
    std::string defaultText;
    for (; i < def.size(); ++i) {
        if (def[i].Is("NOT") && At(def, i + 1, "NULL")) {
            notNull = true;
            ++i;
        } else if (def[i].Is("PRIMARY")) {
            primary = true;
            if (At(def, i + 1, "KEY")) ++i;
        } else if (def[i].Is("UNIQUE")) {
            unique = true;
        } else if (def[i].Is("DEFAULT") && i + 1 < def.size()) {
            defaultText = def[++i].text;
            if (def[i].IsPunct('-') && i + 1 < def.size()) defaultText += def[++i].text;
        } else if (def[i].Is("NULL")) {
            // explicitly nullable
        } else {
            RefuseConstruct("'" + def[i].text + "' in the definition of column " + name, dialect_);
        }
    }
    const bool integral =
        m.declared == "INTEGER" || (m.declared.rfind("NUMERIC(", 0) == 0 && m.declared.ends_with(",0)"));
    std::string out = Quote(name) + " ";
    if (m.autoKey || (primary && integral)) {
        // An auto-numbered key is SQLite's rowid; AUTOINCREMENT keeps numbers from being reused.
        out += "INTEGER NOT NULL PRIMARY KEY";
        if (m.autoKey) out += " AUTOINCREMENT";
        return out;
    }
    out += m.declared;
    if (m.text && dialect_ != Dialect::Oracle) out += " COLLATE NOCASE";
    if (notNull) out += " NOT NULL";
    if (primary) out += " PRIMARY KEY";
    if (unique) out += " UNIQUE";
    if (!defaultText.empty()) out += " DEFAULT " + defaultText;
    return out;
}

void EmbeddedSession::CreateTable(const Tokens& sig) {
    const std::string name = Need(sig, 2).Name();
    if (TableExists(name)) throw DbError("table " + name + " already exists");
    std::string cols;
    std::size_t close = 0;
    for (const Tokens& def : ParenList(sig, 3, &close))
        cols += (cols.empty() ? "" : ", ") + RenderColumn(def);
    if (close + 1 < sig.size())
        RefuseConstruct("'" + sig[close + 1].text + "' after a table definition", dialect_);
    Exec(db_, "CREATE TABLE " + Quote(name) + " (" + cols + ")");
}

void EmbeddedSession::CreateIndex(const Tokens& sig) {
    const bool unique = sig[1].Is("UNIQUE");
    const std::size_t at = unique ? 3 : 2;
    const std::string name = Need(sig, at).Name();
    if (!At(sig, at + 1, "ON")) Unsupported(sig);
    const std::string table = Need(sig, at + 2).Name();
    RequireTable(table);
    std::string cols;
    std::size_t close = 0;
    for (const Tokens& c : ParenList(sig, at + 3, &close)) {
        std::string col = Quote(Need(c, 0).Name());
        if (At(c, 1, "DESC")) col += " DESC";
        if (c.size() > 2 || (c.size() == 2 && !At(c, 1, "DESC") && !At(c, 1, "ASC")))
            RefuseConstruct("'" + c.back().text + "' in an index column", dialect_);
        cols += (cols.empty() ? "" : ", ") + col;
    }
    if (close + 1 < sig.size())
        RefuseConstruct("'" + sig[close + 1].text + "' after an index definition", dialect_);
    Exec(db_, std::string("CREATE ") + (unique ? "UNIQUE " : "") + "INDEX " + Quote(name) + " ON " +
                  Quote(table) + " (" + cols + ")");
}

void EmbeddedSession::AlterTable(const Tokens& sig) {
    const std::string table = StoredTableName(Need(sig, 2).Name());
    if (table.empty()) throw DbError("no such table: " + sig[2].Name());
    std::size_t i = 3;
    const Token& verb = Need(sig, i);
    // Oracle wraps the clause in parentheses: ADD ( CONSTRAINT ... ), ADD (c type), MODIFY (c type).
    // SQL Server lists several columns after one ADD: each clause stands between top-level commas.
    auto clauses = [&](std::size_t at) {
        if (Need(sig, at).IsPunct('(')) {
            std::size_t close = 0;
            auto list = ParenList(sig, at, &close);
            if (close + 1 != sig.size()) Unsupported(sig);
            return list;
        }
        std::vector<Tokens> list(1);
        int depth = 0;
        for (std::size_t k = at; k < sig.size(); ++k) {
            if (sig[k].IsPunct('(')) ++depth;
            if (sig[k].IsPunct(')')) --depth;
            if (depth == 0 && sig[k].IsPunct(',')) {
                list.emplace_back();
                continue;
            }
            list.back().push_back(sig[k]);
        }
        return list;
    };
    if (verb.Is("ADD")) {
        for (const Tokens& clause : clauses(i + 1)) {
            if (At(clause, 0, "CONSTRAINT") || At(clause, 0, "PRIMARY") || At(clause, 0, "FOREIGN")) {
                AddConstraint(table, clause, 0);
            } else {
                Tokens def = clause;
                if (At(def, 0, "COLUMN")) def.erase(def.begin());
                // SQLite adds a NOT NULL column only with a default; existing rows keep Null there.
                Tokens relaxed;
                for (std::size_t k = 0; k < def.size(); ++k) {
                    if (def[k].Is("NOT") && At(def, k + 1, "NULL")) {
                        ++k;
                        continue;
                    }
                    relaxed.push_back(def[k]);
                }
                Exec(db_, "ALTER TABLE " + Quote(table) + " ADD COLUMN " + RenderColumn(relaxed));
            }
        }
    } else if (verb.Is("DROP") && At(sig, i + 1, "CONSTRAINT")) {
        const std::string name = Need(sig, i + 2).Name();
        EnsureCatalog();
        SharedStatement find = Cached("SELECT kind FROM _tm_constraint WHERE name = ? AND tbl = ?");
        find.Bind(1, Value(name));
        find.Bind(2, Value(table));
        if (!find.Step()) {
            find.Reset();
            throw DbError("no such constraint " + name + " on table " + table);
        }
        const std::string kind = reinterpret_cast<const char*>(sqlite3_column_text(find.get(), 0));
        find.Reset();
        if (kind == "U") Exec(db_, "DROP INDEX IF EXISTS " + Quote("_tm_key_" + name));
        if (kind == "F") DropForeignKeyTriggers(name);
        SharedStatement del = Cached("DELETE FROM _tm_constraint WHERE name = ?");
        del.Bind(1, Value(name));
        del.Run();
    } else if (verb.Is("DROP")) {
        std::size_t at = At(sig, i + 1, "COLUMN") ? i + 2 : i + 1;
        const std::string column = Need(sig, at).Name();
        // The engine's own indexes on the column go with it: the database never showed them, and
        // SQLite refuses to drop a column an index still names.
        std::vector<std::string> own;
        {
            Statement s(
                db_,
                "SELECT DISTINCT l.name FROM pragma_index_list(?1) AS l, pragma_index_info(l.name) AS i "
                "WHERE l.name LIKE '\\_tm\\_lookup\\_%' ESCAPE '\\' AND i.name = ?2 COLLATE NOCASE");
            s.Bind(1, Value(table));
            s.Bind(2, Value(column));
            while (s.Step()) own.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0)));
        }
        for (const std::string& index : own) Exec(db_, "DROP INDEX " + Quote(index));
        Exec(db_, "ALTER TABLE " + Quote(table) + " DROP COLUMN " + Quote(column));
    } else if (verb.Is("ALTER") || verb.Is("MODIFY")) {
        std::size_t at = verb.Is("ALTER") && At(sig, i + 1, "COLUMN") ? i + 2 : i + 1;
        for (const Tokens& def : clauses(at)) {
            const std::string column = util::ToUpper(Need(def, 0).Name());
            // Oracle's "MODIFY (C NULL)" and "MODIFY (C NOT NULL)" change the nullability alone.
            const bool toNull = def.size() == 2 && def[1].Is("NULL");
            if (toNull || (def.size() == 3 && def[1].Is("NOT") && def[2].Is("NULL"))) {
                ModifyNullability(table, def[0].Name(), !toNull);
                continue;
            }
            const std::string rendered = RenderColumn(def);
            bool found = false;
            RebuildTable(table, [&](std::vector<ColumnDef>& cols) {
                for (auto& c : cols)
                    if (util::ToUpper(c.name) == column) {
                        // A key column keeps its key; only its declared type can change.
                        if (c.definition.find("PRIMARY KEY") == std::string::npos)
                            c.definition = rendered.substr(Quote(def[0].Name()).size() + 1);
                        found = true;
                    }
            });
            if (!found) throw DbError("no such column: " + def[0].Name());
        }
    } else {
        Unsupported(sig);
    }
}

void EmbeddedSession::ModifyNullability(const std::string& table, const std::string& column, bool notNull) {
    const std::string upper = util::ToUpper(column);
    bool found = false;
    for (const ColumnDef& c : TableColumns(table)) {
        if (util::ToUpper(c.name) != upper) continue;
        found = true;
        const bool isNotNull = c.definition.find(" NOT NULL") != std::string::npos ||
                               c.definition.find("PRIMARY KEY") != std::string::npos;
        if (isNotNull == notNull)
            throw DbError(notNull ? "ORA-01442: column to be modified to NOT NULL is already NOT NULL"
                                  : "ORA-01451: column to be modified to NULL cannot be modified to NULL");
    }
    if (!found) throw DbError("ORA-00904: \"" + upper + "\": invalid identifier");
    if (notNull) {
        Statement nulls(db_,
                        "SELECT 1 FROM " + Quote(table) + " WHERE " + Quote(column) + " IS NULL LIMIT 1");
        if (nulls.Step())
            throw DbError("ORA-02296: cannot enable (" + table + "." + upper + ") - null values found");
    }
    RebuildTable(table, [&](std::vector<ColumnDef>& cols) {
        for (auto& c : cols) {
            if (util::ToUpper(c.name) != upper) continue;
            if (notNull) {
                c.definition += " NOT NULL";
            } else {
                c.definition.erase(c.definition.find(" NOT NULL"), 9);
            }
        }
    });
}

std::vector<EmbeddedSession::ColumnDef> EmbeddedSession::TableColumns(const std::string& table) {
    SharedStatement stmt =
        Cached("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE");
    stmt.Bind(1, Value(table));
    if (!stmt.Step()) {
        stmt.Reset();
        throw DbError("no such table: " + table);
    }
    const std::string sql = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
    stmt.Reset();
    const Tokens tokens = Tokenize(sql);
    std::size_t open = 0;
    while (open < tokens.size() && !tokens[open].IsPunct('(')) ++open;
    const std::size_t close = MatchingParen(tokens, open);
    std::vector<ColumnDef> cols;
    std::size_t start = open + 1;
    int depth = 0;
    for (std::size_t i = open + 1; i <= close && i < tokens.size(); ++i) {
        if (tokens[i].IsPunct('(')) ++depth;
        if (tokens[i].IsPunct(')') && i != close) --depth;
        if ((depth == 0 && tokens[i].IsPunct(',')) || i == close) {
            std::size_t n = NextSignificant(tokens, start);
            std::string rest = Join(tokens, n + 1, i);
            rest.erase(0, rest.find_first_not_of(' '));
            while (!rest.empty() && rest.back() == ' ') rest.pop_back();
            cols.push_back(ColumnDef{tokens[n].Name(), rest});
            start = i + 1;
        }
    }
    return cols;
}

void EmbeddedSession::RebuildTable(const std::string& table,
                                   const std::function<void(std::vector<ColumnDef>&)>& edit) {
    std::vector<ColumnDef> cols = TableColumns(table);
    try {
        edit(cols);
    } catch (const DbError& e) {
        if (std::string(e.what()).empty()) return;  // the edit found nothing to change
        throw;
    }
    // SQLite's documented procedure: new table, copy, drop, rename, then indexes and triggers again.
    std::vector<std::string> dependents;
    {
        Statement s(db_,
                    "SELECT sql FROM sqlite_master WHERE type IN ('index', 'trigger') AND tbl_name = ? "
                    "COLLATE NOCASE AND sql IS NOT NULL");
        s.Bind(1, Value(table));
        while (s.Step())
            dependents.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0)));
    }
    std::optional<std::int64_t> seq;
    if (TableExists("sqlite_sequence")) {
        Statement s(db_, "SELECT seq FROM sqlite_sequence WHERE name = ?");
        s.Bind(1, Value(table));
        if (s.Step()) seq = sqlite3_column_int64(s.get(), 0);
    }
    std::string defs, names;
    for (const auto& c : cols) {
        defs += (defs.empty() ? "" : ", ") + Quote(c.name) + " " + c.definition;
        names += (names.empty() ? "" : ", ") + Quote(c.name);
    }
    cache_.clear();
    const std::string scratch = Quote("_tm_rebuild");
    Exec(db_, "CREATE TABLE " + scratch + " (" + defs + ")");
    Exec(db_, "INSERT INTO " + scratch + " (" + names + ") SELECT " + names + " FROM " + Quote(table));
    Exec(db_, "DROP TABLE " + Quote(table));
    // Other tables' triggers name this table; the legacy rename leaves them alone while it is away.
    Exec(db_, "PRAGMA legacy_alter_table=ON");
    Exec(db_, "ALTER TABLE " + scratch + " RENAME TO " + Quote(table));
    Exec(db_, "PRAGMA legacy_alter_table=OFF");
    for (const auto& sql : dependents) Exec(db_, sql);
    if (seq) {
        Statement s(db_, "UPDATE sqlite_sequence SET seq = max(seq, ?) WHERE name = ?");
        s.Bind(1, Value(static_cast<long long>(*seq)));
        s.Bind(2, Value(table));
        s.Run();
    }
}

void EmbeddedSession::DropTable(const std::string& name) {
    const std::string table = StoredTableName(name);
    if (table.empty() || table.rfind("_tm_", 0) == 0) throw DbError("no such table: " + name);
    if (catalogReady_) {
        SharedStatement refs =
            Cached("SELECT name, tbl FROM _tm_constraint WHERE kind = 'F' AND ref_tbl = ? AND tbl <> ?");
        refs.Bind(1, Value(table));
        refs.Bind(2, Value(table));
        if (refs.Step()) {
            std::string msg = "table " + table + " is referenced by foreign key " +
                              reinterpret_cast<const char*>(sqlite3_column_text(refs.get(), 0)) +
                              " of table " +
                              reinterpret_cast<const char*>(sqlite3_column_text(refs.get(), 1));
            refs.Reset();
            throw DbError(msg);
        }
        refs.Reset();
    }
    cache_.clear();
    if (catalogReady_) {
        std::vector<std::string> owned;
        Statement own(db_, "SELECT name FROM _tm_constraint WHERE kind = 'F' AND tbl = ?");
        own.Bind(1, Value(table));
        while (own.Step())
            owned.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(own.get(), 0)));
        for (const auto& fk : owned) DropForeignKeyTriggers(fk);
    }
    Exec(db_, "DROP TABLE " + Quote(table));
    if (catalogReady_) {
        for (const char* sql :
             {"DELETE FROM _tm_constraint WHERE tbl = ?", "DELETE FROM _tm_trigger WHERE tbl = ?"}) {
            SharedStatement del = Cached(sql);
            del.Bind(1, Value(table));
            del.Run();
        }
    }
}

void EmbeddedSession::RenameTable(const std::string& from, const std::string& to) {
    const std::string table = StoredTableName(from);
    if (table.empty()) throw DbError("ORA-04043: object " + from + " does not exist");
    if (TableExists(to)) throw DbError("ORA-00955: name " + to + " is already used by an existing object");
    cache_.clear();
    Exec(db_, "ALTER TABLE " + Quote(table) + " RENAME TO " + Quote(to));
    if (catalogReady_) {
        for (const char* sql : {"UPDATE _tm_constraint SET tbl = ?1 WHERE tbl = ?2",
                                "UPDATE _tm_constraint SET ref_tbl = ?1 WHERE ref_tbl = ?2",
                                "UPDATE _tm_trigger SET tbl = ?1 WHERE tbl = ?2"}) {
            SharedStatement upd = Cached(sql);
            upd.Bind(1, Value(to));
            upd.Bind(2, Value(table));
            upd.Run();
        }
    }
}

}  // namespace tmigration::db::embedded
