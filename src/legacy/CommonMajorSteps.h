// The major steps of each module's legacy upgrade, held as data: each step lists the schema
// changes that take the module's tables from major N to N + 1, in order, with the data conversions
// between them. Added columns, indexes, foreign keys and created tables take their form from the
// catalog of the last version (a created table as it stood right after its step: the columns and
// keys that later steps add are left out); what a step drops is declared with the step, in the
// catalog's own notation, because the last catalog no longer has it.
//
// The same list answers what a module's tables looked like at any major: the last catalog with the
// changes of the later steps taken back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Step.h"
#include "db/Dialect.h"
#include "legacy/LegacyTableCreator.h"
#include "legacy/catalog/LegacyModule.h"
#include "legacy/catalog/LegacyTable.h"

namespace tmigration::legacy {

enum class ChangeKind {
    CreateTable,     // table; with `dropped` for a table the last catalog no longer has; item
                     // kKeepSequence for a table that takes over the Oracle sequence of the one it
                     // replaces
    AddColumn,       // table, column
    AddIndex,        // table, index name
    AddForeignKey,   // table, foreign key name
    DropForeignKey,  // table, "FK_NAME (COLUMN -> T_TRNK_REFERENCED)"
    DropIndex,       // table, "K_NAME[ unique] (COLUMNS)"
    AlterColumn,     // table, "COLUMN OLDTYPE": the column takes its type of the last catalog
    DropTable,       // table, with its declaration as it stood before the step in `dropped`; item
                     // kKeepSequence leaves the Oracle key sequence behind
    Execute,         // the statement, the same text in every dialect
    Convert,         // a data conversion
    DropSequence,    // the Oracle sequence named in `table` (nothing elsewhere)
    RenameTable,     // table, its new name
    CopyRows,        // table the rows go to, table they come from: every column the two share, keys
                     // included
    RelaxNotNull,    // table, column: the column takes Nulls from then on
    DropColumn,      // table, "COLUMN TYPE" as the column stood before the step (catalog notation)
};

// DropTable's item for a table whose Oracle sequence outlives it; CreateTable's for a table that
// numbers its keys from a sequence already there.
inline constexpr std::string_view kKeepSequence = "keep sequence";

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
    Module module = Module::Common;
};

// Builds one step's change list in the order the step runs it.
class StepText {
  public:
    explicit StepText(int from, Module module = Module::Common) {
        step_.from = from;
        step_.module = module;
    }
    // Columns "A, B, C" of one table.
    StepText& Add(std::string_view table, std::string_view columns);
    StepText& Create(std::string_view table, std::string_view item = {}) {
        return Push(ChangeKind::CreateTable, table, item);
    }
    // A table the last catalog no longer has, in its declared form.
    StepText& Create(const LegacyTableDecl& decl);
    StepText& Index(std::string_view table, std::string_view name) {
        return Push(ChangeKind::AddIndex, table, name);
    }
    StepText& Key(std::string_view table, std::string_view name) {
        return Push(ChangeKind::AddForeignKey, table, name);
    }
    StepText& DropKey(std::string_view table, std::string_view decl) {
        return Push(ChangeKind::DropForeignKey, table, decl);
    }
    StepText& DropIndex(std::string_view table, std::string_view decl) {
        return Push(ChangeKind::DropIndex, table, decl);
    }
    StepText& Drop(const LegacyTableDecl& decl, std::string_view item = {});
    StepText& DropSequence(std::string_view sequence) { return Push(ChangeKind::DropSequence, sequence, {}); }
    // "COLUMN OLDTYPE" (Access form): the column takes its type of the last catalog.
    StepText& Alter(std::string_view table, std::string_view columnAndOldType) {
        return Push(ChangeKind::AlterColumn, table, columnAndOldType);
    }
    StepText& Rename(std::string_view table, std::string_view newName) {
        return Push(ChangeKind::RenameTable, table, newName);
    }
    // Copies the rows of `from` into `to` with their keys.
    StepText& CopyRows(std::string_view from, std::string_view to) {
        return Push(ChangeKind::CopyRows, to, from);
    }
    // Columns "A, B, C" of one table lose their NOT NULL.
    StepText& Relax(std::string_view table, std::string_view columns);
    StepText& DropColumn(std::string_view table, std::string_view columnAndType) {
        return Push(ChangeKind::DropColumn, table, columnAndType);
    }
    StepText& Sql(std::string_view statement) { return Push(ChangeKind::Execute, statement, {}); }
    StepText& Convert(Conversion convert);
    MajorStep Done() { return std::move(step_); }

  private:
    StepText& EachColumn(ChangeKind kind, std::string_view table, std::string_view columns);
    StepText& Push(ChangeKind kind, std::string_view table, std::string_view item);
    MajorStep step_;
};

// The steps of a module, by ascending starting major, each one major apart; empty for a module
// without older majors.
const std::vector<MajorStep>& MajorStepsOf(Module module);
// The step of `module` that starts from `major`, or null.
const MajorStep* FindMajorStep(Module module, int major);
// The oldest major a dialect's upgrade of the module starts from.
int OldestMajor(Module module, db::Dialect dialect);
// The module's tables as they stood at `major`, in catalog order (tables a later step dropped last).
std::vector<LegacyTable> TablesAtMajor(Module module, int major);
std::optional<LegacyTable> TableAtMajor(Module module, std::string_view table, int major);
// The last catalog's form of one of the module's tables; throws std::out_of_range when there is none.
const LegacyTable& LastTable(Module module, std::string_view table);

// The Gage, Tool and Traveler steps (ProductMajorSteps.cpp).
std::vector<MajorStep> BuildGageSteps();
std::vector<MajorStep> BuildToolSteps();
std::vector<MajorStep> BuildTravelerSteps();

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

// Brings the module's tables from the database's major to the program's under `progressText`: each
// major step is one committed transaction that also moves the module's version row to the next
// major (the minor stays as the database had it), so that a failed run leaves the tables at the last
// major completed and a later run resumes there. A major that is not a whole number, newer than the
// program's or older than the dialect's oldest selects no step and fails with the version found.
bool UpgradeModuleMajors(Module module, std::string_view progressText, db::Dialect dialect,
                         const LegacyVersion& program, const LegacyVersion& database, std::string& strError);
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
