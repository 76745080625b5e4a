// The major steps of the Common tables' legacy upgrade, held as data: each step lists the schema
// changes that take the Common tables from major N to N + 1, in order, with the data conversions
// between them. Added columns, indexes, foreign keys and created tables take their form from the
// catalog of the last version (a created table as it stood right after its step: the columns and
// keys that later steps add are left out); what a step drops is declared with the step, in the
// catalog's own notation, because the last catalog no longer has it.
//
// The same list answers what the Common tables looked like at any major: the last catalog with the
// changes of the later steps taken back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Step.h"
#include "db/Dialect.h"
#include "legacy/catalog/LegacyTable.h"

namespace tmigration::legacy {

enum class ChangeKind {
    CreateTable,     // table
    AddColumn,       // table, column
    AddIndex,        // table, index name
    AddForeignKey,   // table, foreign key name
    DropForeignKey,  // table, "FK_NAME (COLUMN -> T_TRNK_REFERENCED)"
    DropIndex,       // table, "K_NAME[ unique] (COLUMNS)"
    AlterColumn,     // table, "COLUMN OLDTYPE": the column takes its type of the last catalog
    DropTable,       // table, with its declaration as it stood before the step in `dropped`
    Execute,         // the statement, the same text in every dialect
    Convert,         // a data conversion
};

// Reads and rewrites rows inside the step's transaction; fails through the step.
using Conversion = void (*)(core::Step& step, db::Dialect dialect);

struct SchemaChange {
    ChangeKind kind;
    std::string table;  // Execute: the statement
    std::string item;
    Conversion convert = nullptr;
    const LegacyTableDecl* dropped = nullptr;
};

struct MajorStep {
    int from = 0;  // the major the step starts from
    std::vector<SchemaChange> changes;
};

// The steps this program holds, by ascending starting major, each one major apart.
const std::vector<MajorStep>& CommonMajorSteps();
// The step that starts from `major`, or null.
const MajorStep* FindCommonMajorStep(int major);
// The oldest major a dialect's upgrade starts from: SQL Server databases are never older than 44.
int OldestCommonMajor(db::Dialect dialect);

// The statements of one change in a dialect (none for a conversion); `step` is the step it belongs to.
std::vector<std::string> RenderSchemaChange(const SchemaChange& change, const MajorStep& step,
                                            db::Dialect dialect);

// Statement forms shared by the steps and by the tools that take steps back.
std::string AddColumnStatement(const std::string& table, const LegacyColumn& column, db::Dialect dialect);
std::string AlterColumnStatement(const std::string& table, const LegacyColumn& column, db::Dialect dialect);
std::string CreateIndexStatement(const std::string& table, const LegacyIndex& index, db::Dialect dialect);
std::string DropIndexStatement(const std::string& table, const std::string& index, db::Dialect dialect);
// Empty on Oracle for a table whose foreign keys the Oracle catalog never had.
std::string AddForeignKeyStatement(const LegacyTable& table, const LegacyForeignKey& fk, db::Dialect dialect);
LegacyIndex ParseIndexDecl(std::string_view decl);
LegacyForeignKey ParseForeignKeyDecl(std::string_view decl);

// The Common tables as they stood at `major` (from 1 to 61), in catalog order.
std::vector<LegacyTable> CommonTablesAtMajor(int major);
std::optional<LegacyTable> CommonTableAtMajor(std::string_view table, int major);
// The last catalog's form of one Common table; throws std::out_of_range when there is none.
const LegacyTable& LastCommonTable(std::string_view table);

// The statements that take one change back on a database: what it added is dropped, what it dropped
// or changed is put back in its earlier form. None for statements and conversions.
std::vector<std::string> TakeBackStatements(const SchemaChange& change, const MajorStep& step,
                                            db::Dialect dialect);
// True for the changes whose take-back puts an earlier form back (a dropped table, index or key, a
// column's earlier type), as opposed to removing what the step added.
bool RestoresEarlierForm(ChangeKind kind);

// Runs every change of `step` inside the caller's transaction; a failing statement ends the step
// with the database's description.
void RunMajorStep(core::Step& step, const MajorStep& major, db::Dialect dialect);

}  // namespace tmigration::legacy
