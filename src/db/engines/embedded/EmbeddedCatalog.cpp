#include <sqlite3.h>

#include <unordered_map>

#include "db/DbError.h"
#include "db/engines/embedded/DdlParse.h"
#include "db/engines/embedded/EmbeddedSession.h"
#include "db/engines/embedded/SqlAnalyser.h"
#include "util/Text.h"

namespace tmigration::db::embedded {

// ---- catalog of what SQLite cannot hold itself -------------------------------------------------

void EmbeddedSession::EnsureCatalog() {
    if (catalogReady_) return;
    Exec(db_,
         "CREATE TABLE IF NOT EXISTS _tm_constraint (name TEXT PRIMARY KEY COLLATE NOCASE, tbl TEXT NOT NULL "
         "COLLATE NOCASE, kind TEXT NOT NULL, cols TEXT, ref_tbl TEXT COLLATE NOCASE);"
         "CREATE TABLE IF NOT EXISTS _tm_sequence (name TEXT PRIMARY KEY COLLATE NOCASE, value INTEGER NOT "
         "NULL, "
         "step INTEGER NOT NULL, assigning INTEGER NOT NULL DEFAULT 0);"
         "CREATE TABLE IF NOT EXISTS _tm_trigger (name TEXT PRIMARY KEY COLLATE NOCASE, tbl TEXT NOT NULL "
         "COLLATE "
         "NOCASE, seq TEXT NOT NULL, keycol TEXT NOT NULL);");
    catalogReady_ = true;
}

bool EmbeddedSession::TableExists(const std::string& table) {
    return !StoredTableName(table).empty();
}

std::string EmbeddedSession::StoredTableName(const std::string& table) {
    const std::string upper = util::ToUpper(table);
    if (auto it = tableNames_.find(upper); it != tableNames_.end()) return it->second;
    SharedStatement stmt =
        Cached("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE");
    stmt.Bind(1, Value(table));
    std::string name;
    if (stmt.Step()) name = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
    stmt.Reset();
    if (!name.empty()) tableNames_.emplace(upper, name);
    return name;
}

void EmbeddedSession::RequireTable(const std::string& table) {
    if (!TableExists(table)) throw DbError("no such table: " + table);
}

bool EmbeddedSession::ConstraintExists(const std::string& name) {
    if (!catalogReady_) return false;
    SharedStatement stmt = Cached("SELECT 1 FROM _tm_constraint WHERE name = ?");
    stmt.Bind(1, Value(name));
    const bool found = stmt.Step();
    stmt.Reset();
    return found;
}

void EmbeddedSession::AddConstraint(const std::string& table, const Tokens& c, std::size_t at) {
    EnsureCatalog();
    std::string name;
    if (At(c, at, "CONSTRAINT")) {
        name = Need(c, at + 1).Name();
        at += 2;
    }
    if (name.empty()) name = "_tm_" + table + "_" + std::to_string(sqlite3_total_changes(db_));
    if (ConstraintExists(name)) throw DbError("constraint " + name + " already exists");
    std::size_t close = 0;
    auto checkColumns = [&](const std::string& tbl, const Tokens& cols) {
        auto defs = TableColumns(tbl);
        for (const auto& t : cols) {
            if (t.IsPunct(',')) continue;
            bool ok = false;
            for (const auto& d : defs) ok = ok || util::ToUpper(d.name) == util::ToUpper(t.Name());
            if (!ok) throw DbError("no such column: " + t.Name() + " in table " + tbl);
        }
    };
    auto record = [&](const char* kind, const std::string& cols, const std::string& ref) {
        SharedStatement ins =
            Cached("INSERT INTO _tm_constraint (name, tbl, kind, cols, ref_tbl) VALUES (?, ?, ?, ?, ?)");
        ins.Bind(1, Value(name));
        ins.Bind(2, Value(table));
        ins.Bind(3, Value(kind));
        ins.Bind(4, Value(cols));
        ins.Bind(5, ref.empty() ? Value() : Value(ref));
        ins.Run();
    };
    if (At(c, at, "FOREIGN") && At(c, at + 1, "KEY")) {
        auto list = ParenList(c, at + 2, &close);
        Tokens cols;
        for (auto& l : list) cols.insert(cols.end(), l.begin(), l.end());
        if (!At(c, close + 1, "REFERENCES")) Unsupported(c);
        const std::string ref = StoredTableName(Need(c, close + 2).Name());
        if (ref.empty()) throw DbError("no such table: " + c[close + 2].Name());
        checkColumns(table, cols);
        // "REFERENCES b" alone means b's primary key; a column list names the key explicitly.
        std::string refColumn;
        if (close + 3 < c.size() && c[close + 3].IsPunct('('))
            refColumn = Need(c, close + 4).Name();
        else
            refColumn = KeyColumnOf(ref);
        record("F", Names(cols), ref);
        if (cols.size() == 1 && !refColumn.empty())
            EnforceForeignKey(name, table, cols[0].Name(), ref, refColumn);
    } else if ((At(c, at, "PRIMARY") && At(c, at + 1, "KEY")) || At(c, at, "UNIQUE")) {
        const std::size_t open = At(c, at, "UNIQUE") ? at + 1 : at + 2;
        auto list = ParenList(c, open);
        Tokens cols;
        for (auto& l : list) cols.insert(cols.end(), l.begin(), l.end());
        checkColumns(table, cols);
        const bool primary = At(c, at, "PRIMARY");
        if (primary && list.size() == 1) {
            // A one-column integer key becomes the table's rowid, so that a key trigger can fill it.
            const std::string column = util::ToUpper(list[0][0].Name());
            bool isRowid = false;
            RebuildTable(table, [&](std::vector<ColumnDef>& defs) {
                bool hasKey = false;
                for (auto& d : defs) hasKey = hasKey || d.definition.find("PRIMARY KEY") != std::string::npos;
                for (auto& d : defs) {
                    if (util::ToUpper(d.name) != column || hasKey) continue;
                    const std::string& t = d.definition;
                    if (t.rfind("INTEGER", 0) == 0 ||
                        (t.rfind("NUMERIC(", 0) == 0 && t.find(",0)") != std::string::npos)) {
                        d.definition = "INTEGER NOT NULL PRIMARY KEY";
                        isRowid = true;
                    }
                }
                if (!isRowid) throw DbError("");  // nothing to change: fall back to an index below
            });
            if (isRowid) {
                record("P", column, "");
                return;
            }
        }
        std::string colList;
        for (const auto& t : cols)
            if (!t.IsPunct(',')) colList += (colList.empty() ? "" : ", ") + Quote(t.Name());
        Exec(db_, "CREATE UNIQUE INDEX " + Quote("_tm_key_" + name) + " ON " + Quote(table) + " (" + colList +
                      ")");
        record("U", Names(cols), "");
    } else {
        Unsupported(c);
    }
}

std::string EmbeddedSession::KeyColumnOf(const std::string& table) {
    for (const auto& c : TableColumns(table))
        if (c.definition.find("PRIMARY KEY") != std::string::npos) return c.name;
    if (!catalogReady_) return {};
    SharedStatement pk = Cached(
        "SELECT cols FROM _tm_constraint WHERE tbl = ? AND kind IN ('P', 'U') AND cols NOT LIKE '%,%'");
    pk.Bind(1, Value(table));
    std::string column;
    if (pk.Step()) column = reinterpret_cast<const char*>(sqlite3_column_text(pk.get(), 0));
    pk.Reset();
    return column;
}

namespace {
std::string SqlText(const std::string& text) {
    std::string out = "'";
    for (char ch : text) out += ch == '\'' ? std::string("''") : std::string(1, ch);
    return out + "'";
}
}  // namespace

void EmbeddedSession::EnforceForeignKey(const std::string& name, const std::string& child,
                                        const std::string& column, const std::string& parent,
                                        const std::string& key) {
    // The databases refuse a key whose rows already break it, then guard every later change.
    const std::string orphan = " NOT EXISTS (SELECT 1 FROM " + Quote(parent) + " WHERE " + Quote(key) + " = ";
    {
        Statement check(db_, "SELECT 1 FROM " + Quote(child) + " AS c WHERE c." + Quote(column) +
                                 " IS NOT NULL AND" + orphan + "c." + Quote(column) + ") LIMIT 1");
        if (check.Step()) throw DbError(ForeignKeyMessage(name, child, column, parent, key, "ALTER TABLE"));
    }
    auto guard = [&](const char* suffix, const std::string& when, const std::string& verb) {
        const std::string message = ForeignKeyMessage(name, child, column, parent, key, verb);
        Exec(db_, "CREATE TRIGGER " + Quote("_tm_fk_" + name + suffix) + when +
                      " BEGIN SELECT RAISE(ABORT, " + SqlText(message) + "); END");
    };
    const std::string childCheck =
        " WHEN NEW." + Quote(column) + " IS NOT NULL AND" + orphan + "NEW." + Quote(column) + ")";
    guard("_i", " BEFORE INSERT ON " + Quote(child) + childCheck, "INSERT");
    guard("_u", " BEFORE UPDATE OF " + Quote(column) + " ON " + Quote(child) + childCheck, "UPDATE");
    guard("_d",
          " BEFORE DELETE ON " + Quote(parent) + " WHEN EXISTS (SELECT 1 FROM " + Quote(child) + " WHERE " +
              Quote(column) + " = OLD." + Quote(key) + ")",
          "DELETE");
}

std::string EmbeddedSession::ForeignKeyMessage(const std::string& name, const std::string& child,
                                               const std::string& column, const std::string& parent,
                                               const std::string& key, const std::string& verb) const {
    const bool parentSide = verb == "DELETE";
    switch (dialect_) {
        case Dialect::Access:
            return parentSide
                       ? "The record cannot be deleted or changed because table '" + child +
                             "' includes related records."
                       : "You cannot add or change a record because a related record is required in table '" +
                             parent + "'.";
        case Dialect::SqlServer:
            return parentSide
                       ? "The DELETE statement conflicted with the REFERENCE constraint \"" + name +
                             "\". The conflict occurred in table \"" + child + "\", column '" + column + "'."
                       : "The " + verb + " statement conflicted with the FOREIGN KEY constraint \"" + name +
                             "\". The conflict occurred in table \"" + parent + "\", column '" + key + "'.";
        case Dialect::Oracle:
            break;
    }
    return parentSide ? "ORA-02292: integrity constraint (" + name + ") violated - child record found"
                      : "ORA-02291: integrity constraint (" + name + ") violated - parent key not found";
}

void EmbeddedSession::DropForeignKeyTriggers(const std::string& name) {
    for (const char* suffix : {"_i", "_u", "_d"})
        Exec(db_, "DROP TRIGGER IF EXISTS " + Quote("_tm_fk_" + name + suffix));
}

void EmbeddedSession::CreateSequence(const Tokens& sig, std::size_t at) {
    EnsureCatalog();
    const std::string name = Need(sig, at).Name();
    long long start = 1, step = 1;
    // START WITH and INCREMENT BY count; the bounds and caching options change nothing here.
    for (std::size_t i = at + 1; i < sig.size();) {
        auto number = [&](std::size_t k, std::size_t& next) {
            const bool negative = k < sig.size() && sig[k].IsPunct('-');
            const Token& n = Need(sig, negative ? k + 1 : k);
            if (n.kind != Token::Kind::Number) Unsupported(sig);
            next = negative ? k + 2 : k + 1;
            return negative ? -std::stoll(n.text) : std::stoll(n.text);
        };
        if (sig[i].Is("START") && At(sig, i + 1, "WITH"))
            start = number(i + 2, i);
        else if (sig[i].Is("INCREMENT") && At(sig, i + 1, "BY"))
            step = number(i + 2, i);
        else if (sig[i].Is("MINVALUE") || sig[i].Is("MAXVALUE") || sig[i].Is("CACHE"))
            number(i + 1, i);
        else if (sig[i].Is("NOCYCLE") || sig[i].Is("NOCACHE") || sig[i].Is("NOMINVALUE") ||
                 sig[i].Is("NOMAXVALUE") || sig[i].Is("ORDER") || sig[i].Is("NOORDER"))
            ++i;
        else
            RefuseConstruct("the sequence option " + util::ToUpper(sig[i].text), dialect_);
    }
    SharedStatement exists = Cached("SELECT 1 FROM _tm_sequence WHERE name = ?");
    exists.Bind(1, Value(name));
    const bool taken = exists.Step();
    exists.Reset();
    if (taken || TableExists(name))
        throw DbError("ORA-00955: name " + name + " is already used by an existing object");
    SharedStatement ins = Cached("INSERT INTO _tm_sequence (name, value, step) VALUES (?, ?, ?)");
    ins.Bind(1, Value(name));
    ins.Bind(2, Value(start - step));
    ins.Bind(3, Value(step));
    ins.Run();
}

void EmbeddedSession::CreateKeyTrigger(const Tokens& sig, bool orReplace) {
    // The one trigger shape the schema uses: fill the key from a sequence on insert, keep it on update.
    //   CREATE [OR REPLACE] TRIGGER tr BEFORE INSERT OR UPDATE ON t FOR EACH ROW BEGIN
    //   IF INSERTING THEN SELECT seq.NEXTVAL INTO :NEW.key FROM DUAL; ELSE :NEW.key := :OLD.key; END IF; END;
    EnsureCatalog();
    static const Tokens kTemplate = Significant(Tokenize(
        "CREATE TRIGGER $N BEFORE INSERT OR UPDATE ON $T FOR EACH ROW BEGIN IF INSERTING THEN SELECT "
        "$S.NEXTVAL INTO :NEW.$K FROM DUAL; ELSE :NEW.$K := :OLD.$K; END IF; END;"));
    Tokens body(sig.begin() + (orReplace ? 3 : 1), sig.end());
    body.insert(body.begin(), sig[0]);
    if (body.size() + 1 == kTemplate.size())
        body.push_back(kTemplate.back());  // the last ";" may be left off
    std::unordered_map<std::string, std::string> bound;
    bool matches = body.size() == kTemplate.size();
    for (std::size_t i = 0; matches && i < body.size(); ++i) {
        const Token& want = kTemplate[i];
        if (want.kind == Token::Kind::Word && want.text[0] == '$') {
            const std::string name = body[i].Name();
            auto [it, fresh] = bound.emplace(want.text, name);
            matches = body[i].kind == Token::Kind::Word &&
                      (fresh || util::ToUpper(it->second) == util::ToUpper(name));
        } else {
            matches = body[i].kind == want.kind && util::ToUpper(body[i].text) == util::ToUpper(want.text);
        }
    }
    if (!matches)
        RefuseConstruct("a trigger other than the key trigger that fills a key from a sequence", dialect_);
    const std::string name = bound["$N"], table = bound["$T"], seq = bound["$S"], key = bound["$K"];
    const std::string stored = StoredTableName(table);
    if (stored.empty()) throw DbError("ORA-00942: table or view does not exist");
    SharedStatement find = Cached("SELECT 1 FROM _tm_trigger WHERE name = ?");
    find.Bind(1, Value(name));
    const bool exists = find.Step();
    find.Reset();
    if (exists) {
        if (!orReplace) throw DbError("ORA-04081: trigger '" + name + "' already exists");
        DropKeyTrigger(name, false);
    }
    // The trigger fills the key whether or not the table has its primary key yet: a key column
    // that is not the rowid must then take the Null the insert leaves before the trigger fills it.
    RebuildTable(stored, [&](std::vector<ColumnDef>& cols) {
        bool changed = false;
        for (auto& c : cols) {
            if (util::ToUpper(c.name) != util::ToUpper(key)) continue;
            const auto at = c.definition.find(" NOT NULL");
            if (c.definition.find("PRIMARY KEY") != std::string::npos || at == std::string::npos) continue;
            c.definition.erase(at, 9);
            changed = true;
        }
        if (!changed) throw DbError("");  // nothing to change
    });
    const std::string t = Quote(stored), k = Quote(key), s = "'" + seq + "'";
    Exec(db_, "CREATE TRIGGER " + Quote(name) + " AFTER INSERT ON " + t +
                  " BEGIN UPDATE _tm_sequence SET value = value + step, assigning = 1 WHERE name = " + s +
                  "; UPDATE " + t + " SET " + k + " = (SELECT value FROM _tm_sequence WHERE name = " + s +
                  ") WHERE rowid = NEW.rowid; UPDATE _tm_sequence SET assigning = 0 WHERE name = " + s +
                  "; END");
    Exec(db_, "CREATE TRIGGER " + Quote(name + "_tm_keep") + " AFTER UPDATE OF " + k + " ON " + t +
                  " WHEN NEW." + k + " IS NOT OLD." + k +
                  " AND (SELECT assigning FROM _tm_sequence WHERE name = " + s + ") = 0 BEGIN UPDATE " + t +
                  " SET " + k + " = OLD." + k + " WHERE rowid = NEW.rowid; END");
    SharedStatement ins = Cached("INSERT INTO _tm_trigger (name, tbl, seq, keycol) VALUES (?, ?, ?, ?)");
    ins.Bind(1, Value(name));
    ins.Bind(2, Value(stored));
    ins.Bind(3, Value(seq));
    ins.Bind(4, Value(key));
    ins.Run();
}

void EmbeddedSession::DropKeyTrigger(const std::string& name, bool mustExist) {
    EnsureCatalog();
    SharedStatement del = Cached("DELETE FROM _tm_trigger WHERE name = ?");
    del.Bind(1, Value(name));
    del.Run();
    if (sqlite3_changes(db_) == 0 && mustExist)
        throw DbError("ORA-04080: trigger '" + name + "' does not exist");
    Exec(db_, "DROP TRIGGER IF EXISTS " + Quote(name));
    Exec(db_, "DROP TRIGGER IF EXISTS " + Quote(name + "_tm_keep"));
}

}  // namespace tmigration::db::embedded

namespace tmigration::db::embedded {

std::optional<EmbeddedSession::KeyTrigger> EmbeddedSession::KeyTriggerOf(const std::string& table) {
    if (!catalogReady_) return std::nullopt;
    if (auto it = keyTriggers_.find(table); it != keyTriggers_.end()) return it->second;
    SharedStatement find = Cached("SELECT seq, keycol FROM _tm_trigger WHERE tbl = ?");
    find.Bind(1, Value(table));
    std::optional<KeyTrigger> trigger;
    if (find.Step())
        trigger = KeyTrigger{reinterpret_cast<const char*>(sqlite3_column_text(find.get(), 0)),
                             reinterpret_cast<const char*>(sqlite3_column_text(find.get(), 1))};
    find.Reset();
    if (trigger)
        for (const auto& c : TableColumns(table))
            if (util::ToUpper(c.name) == util::ToUpper(trigger->keyColumn))
                trigger->keyIsRowid = c.definition.find("PRIMARY KEY") != std::string::npos;
    keyTriggers_.emplace(table, trigger);
    return trigger;
}

}  // namespace tmigration::db::embedded
