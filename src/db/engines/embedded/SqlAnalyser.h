// SqlAnalyser: reads one data statement of the dialect the component speaks (select with its
// from list and joins, where, group by, having and order by; insert; update .. set; delete) into
// its clauses, checks every token against what the dialect means by it, and renders the
// statement as SQLite text. Whatever it does not understand is refused with an error naming the
// construct and the dialect; nothing is passed on unread. The same clauses drive the Oracle
// "(+)" outer-join rewrite, the updatability of a row set and the parameterisation of literals.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "db/Dialect.h"
#include "db/Value.h"
#include "db/engines/embedded/SqlTokens.h"

namespace tmigration::db::embedded {

enum class StatementKind { Empty, Select, Insert, Update, Delete, Ddl };

// The kind of statement by its first word; throws DbError for a statement of no known kind.
StatementKind KindOf(const Tokens& significant, Dialect dialect);

// The stored name of a table, or empty when there is none (a view, a missing table).
using TableResolver = std::function<std::string(const std::string& table)>;

struct Translation {
    std::string sql;            // SQLite text
    std::vector<Value> params;  // bound to ?1, ?2, ... in sql
    // A single-table select of plain columns: its stored table, whose rowid leads the columns of
    // `sql` (rows then come in key order unless the query orders them). Empty otherwise.
    std::string updatableTable;
    // For such a select searching by a column (`where COL = ?` among ANDed conditions): that column.
    std::string lookupColumn;
};

struct TranslateOptions {
    // Comparison operands of a select's where clause become parameters, so that a lookup repeated
    // with other values shares one prepared statement.
    bool parameterise = false;
    // Set to make single-table selects updatable.
    TableResolver resolveTable;
};

// Throws DbError for anything outside the statement shapes the engine knows.
Translation TranslateDml(std::string_view sql, Dialect dialect, const TranslateOptions& options = {});

// The error for a construct the engine does not support in a dialect.
[[noreturn]] void RefuseConstruct(const std::string& construct, Dialect dialect);

}  // namespace tmigration::db::embedded
