// The 99 tables of the new schema as declarations: the columns after the key in their Access
// form, the further indexes and the foreign keys, in creation order (T_SFC_DB_ITEM first).
// Every statement that builds the new schema is rendered from these declarations.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tmigration::schema {

struct IndexDecl {
    std::string_view name;
    std::string_view columns;  // "COL" or "COL_A, COL_B"
    bool unique = false;
};

struct ForeignKeyDecl {
    std::string_view name;
    std::string_view column;
    std::string_view referencedTable;  // always referenced through its key column
};

struct TableDecl {
    std::string_view name;     // "T_SFC_ACL"
    std::string_view columns;  // after the key, Access types, "NAME TYPE, NAME TYPE"
    std::vector<IndexDecl> indexes;
    std::vector<ForeignKeyDecl> foreignKeys;

    // The name without its T_SFC_ prefix ("ACL"); it also names the key, sequence and trigger.
    std::string_view ShortName() const;
    // The first column of every new table: the short name plus _ID ("ACL_ID").
    std::string KeyColumn() const;
};

// All 99 tables in the order they are created.
const std::vector<TableDecl>& NewSchemaTables();

}  // namespace tmigration::schema
