// EmbeddedCursor: the rows of one prepared query, stepped as the row set asks for them. The
// statement comes from the session's pool and goes back to it when the cursor ends, so that a
// lookup repeated with other values is prepared once.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "db/Engine.h"
#include "db/engines/embedded/Sqlite.h"

namespace tmigration::db::embedded {

// Prepared queries by their SQLite text, literals as parameters.
struct StatementPool {
    std::unordered_map<std::string, std::vector<std::unique_ptr<Statement>>> free;

    // A statement for `sql`: a pooled one when there is one, else a new one.
    std::unique_ptr<Statement> Take(sqlite3* db, const std::string& sql);
};

class EmbeddedCursor final : public EngineCursor {
  public:
    // `table` non-empty: the query's first column is the rowid of that table's rows.
    EmbeddedCursor(std::unique_ptr<Statement> stmt, std::string table, std::string key,
                   std::weak_ptr<StatementPool> pool);
    ~EmbeddedCursor() override;
    const std::vector<ColumnInfo>& Columns() const override { return columns_; }
    const std::string& UpdatableTable() const override { return table_; }
    bool Fetch(Row& row) override;

  private:
    std::unique_ptr<Statement> stmt_;
    std::string table_;
    std::string key_;
    std::weak_ptr<StatementPool> pool_;
    int first_ = 0;
    std::vector<ColumnInfo> columns_;
};

}  // namespace tmigration::db::embedded
