#include "db/engines/embedded/EmbeddedCursor.h"

#include "db/engines/embedded/ColumnTypes.h"

namespace tmigration::db::embedded {

std::unique_ptr<Statement> StatementPool::Take(sqlite3* db, const std::string& sql) {
    if (auto it = free.find(sql); it != free.end() && !it->second.empty()) {
        auto stmt = std::move(it->second.back());
        it->second.pop_back();
        return stmt;
    }
    if (free.size() > 512) free.clear();
    return std::make_unique<Statement>(db, sql);
}

EmbeddedCursor::EmbeddedCursor(std::unique_ptr<Statement> stmt, std::string table, std::string key,
                               std::weak_ptr<StatementPool> pool)
    : stmt_(std::move(stmt)), table_(std::move(table)), key_(std::move(key)), pool_(std::move(pool)) {
    const int n = sqlite3_column_count(stmt_->get());
    first_ = table_.empty() ? 0 : 1;
    for (int i = first_; i < n; ++i) {
        const char* decl = sqlite3_column_decltype(stmt_->get(), i);
        columns_.push_back(
            ColumnInfo{sqlite3_column_name(stmt_->get(), i), AdoTypeOfDeclared(decl ? decl : "")});
    }
}

EmbeddedCursor::~EmbeddedCursor() {
    // Hand the statement back for the next query of the same shape, while the session lives.
    if (auto pool = pool_.lock()) {
        stmt_->Reset();
        auto& slot = pool->free[key_];
        if (slot.size() < 4) slot.push_back(std::move(stmt_));
    }
}

bool EmbeddedCursor::Fetch(Row& row) {
    if (!stmt_->Step()) return false;
    row.id = first_ ? sqlite3_column_int64(stmt_->get(), 0) : 0;
    row.values.clear();
    row.values.reserve(columns_.size());
    for (std::size_t i = 0; i < columns_.size(); ++i)
        row.values.push_back(stmt_->Column(static_cast<int>(i) + first_, columns_[i].adoType));
    return true;
}

}  // namespace tmigration::db::embedded
