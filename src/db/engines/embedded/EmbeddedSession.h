// EmbeddedSession: the engine session over one SQLite database file that speaks the dialect of
// Jet, SQL Server or Oracle. Data statements go through the statement analyser (SqlAnalyser);
// DDL SQLite lacks (constraints added and dropped by name, column type changes, sequences, the
// key trigger, RENAME) is emulated with a small catalog kept in the file. The members are
// defined by job: EmbeddedSession.cpp (life cycle, statements, transactions), EmbeddedRows.cpp
// (row writes), EmbeddedDdl.cpp (tables and indexes), EmbeddedCatalog.cpp (constraints,
// foreign keys, sequences, key triggers).
#pragma once

#include <sqlite3.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "db/Engine.h"
#include "db/engines/embedded/EmbeddedCursor.h"
#include "db/engines/embedded/SqlTokens.h"
#include "db/engines/embedded/Sqlite.h"

namespace tmigration::db::embedded {

struct Translation;

class EmbeddedSession final : public EngineSession {
  public:
    // Opens an existing database file; throws DbError with a readable description otherwise.
    // `readOnly` (and a file this process may not write) opens it without writing anything: no
    // journal mode is set and no write-ahead log or shared-memory file is made beside it.
    EmbeddedSession(const std::string& path, Dialect dialect, bool readOnly = false);
    ~EmbeddedSession() override;

    Dialect GetDialect() const override { return dialect_; }
    void SetCommandTimeout(int seconds) override;
    void Execute(const std::string& sql) override;
    std::unique_ptr<EngineCursor> Query(const std::string& sql) override;
    std::int64_t CountRows(const std::string& sql) override;
    RowId InsertRow(const std::string& table, const std::vector<std::string>& columns,
                    const std::vector<Value>& values) override;
    void UpdateRow(const std::string& table, RowId id, const std::vector<std::string>& columns,
                   const std::vector<Value>& values) override;
    void DeleteRow(const std::string& table, RowId id) override;
    bool ReadRow(const std::string& table, RowId id, const std::vector<std::string>& columns,
                 std::vector<Value>& values) override;
    void BeginTrans() override;
    void CommitTrans() override;
    void RollbackTrans() override;
    bool InTransaction() const override { return inTrans_; }

  private:
    struct ColumnDef {
        std::string name;
        std::string definition;  // everything after the name
    };

    void RunDdl(const Tokens& sig);
    void CreateTable(const Tokens& sig);
    void CreateIndex(const Tokens& sig);
    void AlterTable(const Tokens& sig);
    void AddConstraint(const std::string& table, const Tokens& sig, std::size_t at);
    void DropTable(const std::string& table);
    // Foreign keys are kept by triggers: a child row needs its parent, a parent row with children stays.
    void EnforceForeignKey(const std::string& name, const std::string& child, const std::string& column,
                           const std::string& parent, const std::string& key);
    std::string ForeignKeyMessage(const std::string& name, const std::string& child,
                                  const std::string& column, const std::string& parent,
                                  const std::string& key, const std::string& verb) const;
    void DropForeignKeyTriggers(const std::string& name);
    std::string KeyColumnOf(const std::string& table);
    void CreateSequence(const Tokens& sig, std::size_t at);
    void CreateKeyTrigger(const Tokens& sig, bool orReplace);
    void DropKeyTrigger(const std::string& name, bool mustExist);
    void RenameTable(const std::string& from, const std::string& to);

    std::string RenderColumn(const Tokens& def) const;
    std::vector<ColumnDef> TableColumns(const std::string& table);
    // Sets or lifts NOT NULL on one column, its type unchanged; refuses what Oracle refuses.
    void ModifyNullability(const std::string& table, const std::string& column, bool notNull);
    void RebuildTable(const std::string& table, const std::function<void(std::vector<ColumnDef>&)>& edit);
    bool TableExists(const std::string& table);
    std::string StoredTableName(const std::string& table);
    void RequireTable(const std::string& table);
    void EnsureCatalog();
    bool ConstraintExists(const std::string& name);
    // The engine's own statements, prepared once. The handle shares the statement with the cache,
    // so a cache cleared by DDL or its size limit never leaves a holder with a dangling one.
    SharedStatement Cached(const std::string& sql);
    // The key trigger that fills a table's key on insert: its sequence and key column.
    struct KeyTrigger {
        std::string sequence, keyColumn;
        bool keyIsRowid = false;  // the row then moves to the key the trigger gives it
    };
    std::optional<KeyTrigger> KeyTriggerOf(const std::string& table);
    // Forgets what the statements knew about tables: after DDL and rollbacks.
    void ForgetSchema();
    // Counts a search by a column; the search repeated often on a column no index leads gets one.
    void NoteLookup(const Translation& tr);
    // Gives `column` of `table` an index of the engine's own unless an index or the key leads with it.
    void IndexColumn(const std::string& table, const std::string& column);
    // Before a delete: indexes the columns whose foreign keys point at the table deleted from.
    void IndexReferencesTo(const Tokens& sig);

    sqlite3* db_ = nullptr;
    Dialect dialect_;
    std::shared_ptr<StatementPool> pool_ = std::make_shared<StatementPool>();
    std::unordered_map<std::string, std::string> tableNames_;  // upper-case name -> stored name
    std::unordered_map<std::string, std::optional<KeyTrigger>> keyTriggers_;  // by stored table name
    bool inTrans_ = false;
    bool catalogReady_ = false;
    std::unordered_map<std::string, std::shared_ptr<Statement>> cache_;
    std::unordered_map<std::string, int> lookups_;  // searches by their SQLite text -> times run, -1 done
    std::unordered_set<std::string> deletedFrom_;   // upper-case tables whose references are indexed
};

// Creates an empty embedded database file; fails when the file exists.
void CreateEmbeddedDatabase(const std::string& path);

}  // namespace tmigration::db::embedded
