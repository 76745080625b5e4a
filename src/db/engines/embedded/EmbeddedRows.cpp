#include <sqlite3.h>

#include "db/DbError.h"
#include "db/engines/embedded/ColumnTypes.h"
#include "db/engines/embedded/EmbeddedSession.h"

namespace tmigration::db::embedded {

// ---- row-level writes ------------------------------------------------------------------------

namespace {
Value ForDialect(const Value& v, Dialect d) {
    if (d == Dialect::Oracle && v.kind() == Value::Kind::Text && v.AsText().empty()) return Value();
    return v;
}
}  // namespace

RowId EmbeddedSession::InsertRow(const std::string& table, const std::vector<std::string>& columns,
                                 const std::vector<Value>& values) {
    std::string sql = "INSERT INTO " + Quote(table);
    if (columns.empty()) {
        sql += " DEFAULT VALUES";
    } else {
        std::string names, marks;
        for (const auto& c : columns) {
            names += (names.empty() ? "" : ", ") + Quote(c);
            marks += marks.empty() ? "?" : ", ?";
        }
        sql += " (" + names + ") VALUES (" + marks + ")";
    }
    SharedStatement stmt = Cached(sql);
    for (std::size_t i = 0; i < values.size(); ++i)
        stmt.Bind(static_cast<int>(i) + 1, ForDialect(values[i], dialect_));
    stmt.Run();
    const RowId inserted = sqlite3_last_insert_rowid(db_);
    // Oracle's key trigger replaces whatever key the insert carried with the sequence's next value;
    // when the key is the rowid the row now lives under that value.
    if (dialect_ != Dialect::Oracle) return inserted;
    const auto trigger = KeyTriggerOf(table);
    if (!trigger || !trigger->keyIsRowid) return inserted;
    SharedStatement assigned = Cached("SELECT value FROM _tm_sequence WHERE name = ?");
    assigned.Bind(1, Value(trigger->sequence));
    const RowId id = assigned.Step() ? sqlite3_column_int64(assigned.get(), 0) : inserted;
    assigned.Reset();
    return id;
}

void EmbeddedSession::UpdateRow(const std::string& table, RowId id, const std::vector<std::string>& columns,
                                const std::vector<Value>& values) {
    std::string sets;
    for (const auto& c : columns) sets += (sets.empty() ? "" : ", ") + Quote(c) + " = ?";
    SharedStatement stmt = Cached("UPDATE " + Quote(table) + " SET " + sets + " WHERE rowid = ?");
    std::size_t i = 0;
    for (; i < values.size(); ++i) stmt.Bind(static_cast<int>(i) + 1, ForDialect(values[i], dialect_));
    stmt.Bind(static_cast<int>(i) + 1, Value(static_cast<long long>(id)));
    stmt.Run();
    if (sqlite3_changes(db_) == 0)
        throw DbError(
            "Row cannot be located for updating. Some values may have been changed since it was last read.");
}

void EmbeddedSession::DeleteRow(const std::string& table, RowId id) {
    SharedStatement stmt = Cached("DELETE FROM " + Quote(table) + " WHERE rowid = ?");
    stmt.Bind(1, Value(static_cast<long long>(id)));
    stmt.Run();
}

bool EmbeddedSession::ReadRow(const std::string& table, RowId id, const std::vector<std::string>& columns,
                              std::vector<Value>& values) {
    std::string names;
    for (const auto& c : columns) names += (names.empty() ? "" : ", ") + Quote(c);
    SharedStatement stmt = Cached("SELECT " + names + " FROM " + Quote(table) + " WHERE rowid = ?");
    stmt.Bind(1, Value(static_cast<long long>(id)));
    if (!stmt.Step()) return false;
    values.clear();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const char* decl = sqlite3_column_decltype(stmt.get(), static_cast<int>(i));
        values.push_back(stmt.Column(static_cast<int>(i), AdoTypeOfDeclared(decl ? decl : "")));
    }
    stmt.Reset();
    return true;
}

}  // namespace tmigration::db::embedded
