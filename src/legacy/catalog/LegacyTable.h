// One legacy table: its columns in their Access form with the Oracle and SQL Server departures, its
// indexes (key index first), foreign keys and the form of its Oracle key sequence and trigger.
// Tables are declared compactly (LegacyTableDecl) and parsed once into this model.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "db/Dialect.h"

namespace tmigration::legacy {

// Tables added late in the product's history number their keys from a cached, non-cycling sequence and
// install their key trigger with CREATE OR REPLACE.
enum class SequenceForm { Simple, Cached };

// The Oracle catalogs never got the foreign keys of a few tables.
enum class OracleForeignKeys { Kept, Omitted };

// A table as written in the catalog sources. Lists are "; "-separated:
//   columns      "KEY_ID COUNTER key; NAME VARCHAR(30) NOT NULL; COST DOUBLE [NUMBER(10,2) / NUMERIC(10,2)]"
//                Access type first; a bracket gives the Oracle type and, after " / ", the SQL Server
//                type where they depart from the usual mapping.
//   indexes      "K_TRNK_X unique (KEY_ID); K_TRNK_X_NAME [K_TRNK_X_ORACLE_NAME] (A, B)"
//                the first is the unique key index; a bracket gives the Oracle name.
//   foreignKeys  "FK_X_Y (Y_ID -> T_TRNK_Y)", empty when the table has none.
// Sequence and trigger names default to S_TRNK_<stem> and TR_TRNK_<stem> (stem: table without T_TRNK_).
struct LegacyTableDecl {
    std::string_view table;
    std::string_view columns;
    std::string_view indexes;
    std::string_view foreignKeys;
    SequenceForm sequenceForm = SequenceForm::Simple;
    OracleForeignKeys oracleForeignKeys = OracleForeignKeys::Kept;
    std::string_view sequenceName = {};
    std::string_view triggerName = {};
};

struct LegacyColumn {
    std::string name;
    std::string accessType;     // "COUNTER" for the key
    std::string oracleType;     // empty: mapped from accessType
    std::string sqlServerType;  // empty: mapped from accessType
    bool notNull = false;
    bool key = false;

    // The column's type in a dialect (without NOT NULL); for the key, the whole key clause.
    std::string TypeIn(db::Dialect dialect) const;
};

struct LegacyIndex {
    std::string name;
    std::string oracleName;  // empty: same as name
    bool unique = false;
    std::string columns;  // the text between the parentheses, as written

    const std::string& NameIn(db::Dialect dialect) const;
};

struct LegacyForeignKey {
    std::string name;
    std::string column;
    std::string referencedTable;
};

struct LegacyTable {
    std::string name;
    std::vector<LegacyColumn> columns;  // the key first
    std::vector<LegacyIndex> indexes;   // the unique key index first
    std::vector<LegacyForeignKey> foreignKeys;
    SequenceForm sequenceForm = SequenceForm::Simple;
    bool foreignKeysOnOracle = true;
    std::string sequenceName;
    std::string triggerName;

    const LegacyColumn& Key() const { return columns.front(); }
};

// Parses a declaration; throws std::invalid_argument naming the table when it is malformed (unknown
// type without departures, missing key column or key index, unbalanced brackets).
LegacyTable ParseLegacyTable(const LegacyTableDecl& decl);

}  // namespace tmigration::legacy
