// The data conversions of the Common upgrade's major steps: each reads and rewrites rows inside
// its step's transaction and fails through the step.
#pragma once

#include <span>

#include "core/Step.h"
#include "db/Dialect.h"

namespace tmigration::legacy {

struct TextCode {
    const char* text;
    int id;
};
// A text column whose listed texts a step turns into reference identifiers in another column.
struct TextColumnMapping {
    const char* table;
    const char* textColumn;
    const char* idColumn;
    std::span<const TextCode> codes;
};
// 58: the insert and cutter units, shapes and flute types; 59: the tool diameter units.
std::span<const TextColumnMapping> InsertAndCutterTextMappings();
const TextColumnMapping& ToolDiameterUnitMapping();
// 47: the machines' event columns in the order they are moved, each with its command number.
std::span<const TextCode> MachineEventColumns();

// 17: the Gage row notes that gages exist, the Tool row that tools do.
void MarkGageAndToolRows(core::Step& step, db::Dialect dialect);
// 34: the gage and tool number formats move from their version rows into T_TRNK_AUTO_INC.
void MoveNumberFormats(core::Step& step, db::Dialect dialect);
// 37, after BPRINT is added and the blueprint keys dropped: each part and material takes its
// blueprint's name, description and attachments (the step then drops the blueprint table with its
// history and the attachment rows left on it).
void RetireBlueprints(core::Step& step, db::Dialect dialect);
// 39: the recreated downtime table gets its reserved block.
void RefillDowntimeRows(core::Step& step, db::Dialect dialect);
// 41: cutters and inserts name a material type instead of a material; the materials that were
// cutter or insert materials go.
void MaterialsBecomeMaterialTypes(core::Step& step, db::Dialect dialect);
// 46: parts and operations consolidated, then each job's part copied into T_TRNK_PARTS_PER_JOB.
void ConsolidatePartsAndJobs(core::Step& step, db::Dialect dialect);
// 47: the machines' event columns become T_TRNK_MACHINE_EVENTS rows.
void MoveMachineEventColumns(core::Step& step, db::Dialect dialect);
// 49: the new scrap-code table gets its reserved block, so that step 50 can point at code 1.
void FillNewScrapCodes(core::Step& step, db::Dialect dialect);
// 50: each shift's scrapped count becomes a scrap row with code 1, "Not Specified".
void MoveScrappedCounts(core::Step& step, db::Dialect dialect);
// 51: every machine's status date is the server's current time.
void StampMachineStatusDates(core::Step& step, db::Dialect dialect);
// 52: material numbers held by more than one material get "-D" on every row but the first.
void MakeMaterialNumbersUnique(core::Step& step, db::Dialect dialect);
// 54: each numbering row names the field it numbers.
void NameAutoIncrementFields(core::Step& step, db::Dialect dialect);
// 55: each attachment is named after its file.
void NameMediaDestinations(core::Step& step, db::Dialect dialect);
// 58: insert and cutter units, shapes and flute types as reference identifiers.
void MapInsertAndCutterTexts(core::Step& step, db::Dialect dialect);
// 59: tool diameter units as reference identifiers.
void MapToolDiameterUnits(core::Step& step, db::Dialect dialect);

}  // namespace tmigration::legacy
