// Renders the DDL statements of one legacy table in one dialect, per statement kind, in the order the
// catalogs hand them out. Sequences and triggers exist on Oracle only; elsewhere those kinds are empty.
#pragma once

#include <string>
#include <vector>

#include "db/Dialect.h"
#include "legacy/catalog/LegacyTable.h"

namespace tmigration::legacy {

enum class StatementKind {
    Table,       // the CREATE TABLE
    Index,       // the unique key index (Oracle: then the primary-key constraint), then the other indexes
    Constraint,  // the foreign keys
    Sequence,    // Oracle: the key sequence
    Trigger,     // Oracle: the key trigger
};

std::vector<std::string> RenderLegacyDdl(const LegacyTable& table, StatementKind kind, db::Dialect dialect);

}  // namespace tmigration::legacy
