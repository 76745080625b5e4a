// The major steps of the MDC tables' legacy upgrade, held as data: what takes the MDC tables from
// major N to N + 1, in order. Created tables and added columns take their form from the MDC
// catalog of the last version (a created table without the columns later steps add); the row work
// of a step is a conversion between them.
//
// MDC majors 1 and 2 kept no tables of their own: the buffer tables arrive with step 2 to 3.
//
// The same list answers what the MDC tables looked like at any major: the last catalog with the
// changes of the later steps taken back.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Step.h"
#include "db/Dialect.h"
#include "legacy/catalog/LegacyTable.h"

namespace tmigration::legacy {

enum class MDCChangeKind {
    CreateTable,  // table: created with its indexes, Oracle key sequence and trigger, foreign keys
    AddColumn,    // table, column
    Convert,      // row work inside the step's transaction
};

// Reads and rewrites rows inside the step's transaction; fails through the step.
using MDCConversion = void (*)(core::Step& step, db::Dialect dialect);

struct MDCChange {
    MDCChangeKind kind;
    std::string_view table;
    std::string_view column;
    MDCConversion convert = nullptr;
};

struct MDCMajorStep {
    int from = 0;  // the major the step starts from
    std::span<const MDCChange> changes;
};

// The eight steps, from major 1 to major 8, in order.
std::span<const MDCMajorStep> MDCMajorSteps();
// The step that starts from `major`, or null.
const MDCMajorStep* FindMDCMajorStep(int major);

// The MDC tables as they stood at `major` (1 to 9), in catalog order.
std::vector<LegacyTable> MDCTablesAtMajor(int major);

// The statements of one change of the step that starts from `from` (none for a conversion).
std::vector<std::string> MDCChangeStatements(const MDCChange& change, int from, db::Dialect dialect);

// The statements that take MDC tables of the last version back to `major` (1 to 9), newest step
// first: the tables later steps create are dropped (Oracle: with their key trigger and sequence),
// the columns they add removed. Rows are left as they are.
std::vector<std::string> MDCTakeBackStatements(int major, db::Dialect dialect);

// Runs every change of the step inside the caller's transaction; a failing statement ends the step
// with the database's description.
void RunMDCMajorStep(core::Step& step, const MDCMajorStep& major, db::Dialect dialect);

}  // namespace tmigration::legacy
