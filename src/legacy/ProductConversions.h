// The data conversions of the Gage, Tool and Traveler upgrades' major steps: each reads and
// rewrites rows inside its step's transaction and fails through the step.
#pragma once

#include <string>
#include <vector>

#include "core/Step.h"
#include "db/Dialect.h"

namespace tmigration::legacy {

// Gage 29 (Oracle): the dimension labels of gage-subtype metric operations become the subtypes'
// label strings and a reference dimension per label on each gage number of the subtype; then
// MigrateRefDims gives those dimensions the units and tolerances of the gage numbers' metrics.
void ConvertGageMetrics(core::Step& step, db::Dialect dialect);
bool MigrateRefDims(std::string& strError);
// A subtype's label string, "Bore, Depth, Width": one label per comma, blanks around it dropped,
// empty labels left out.
std::vector<std::string> SplitDimensionLabels(const std::string& text);
// Gage 29 (Oracle): the operation-per-gage rows, metrics and operations the conversion replaced.
void DropGageMetrics(core::Step& step, db::Dialect dialect);
// Gage 30: the calibration-type key of the gage numbers is built again where it still stands; the
// Common tables' major 40 drops it for good, so on tables past that the step leaves them alone.
void RebuildCalibrationTypeKey(core::Step& step, db::Dialect dialect);
// Gage 33 / Tool 13: the earliest calibration (rework) of each gage (tool) is its initial one.
void MarkInitialCalibrations(core::Step& step, db::Dialect dialect);
void MarkInitialReworks(core::Step& step, db::Dialect dialect);
// Gage 35 / Tool 15: each calibration (rework) history row gets the calibration dimensions of its
// gage (tool) number as its own set, and its measurements name their set row instead of the
// number's dimension.
void CopyCalibrationSets(core::Step& step, db::Dialect dialect);
void CopyReworkSets(core::Step& step, db::Dialect dialect);

// Traveler 5 (Oracle): the attachments and history of the part-per-operation rows go with their table.
void DropPartPerOperationRows(core::Step& step, db::Dialect dialect);
// Traveler 8: an alternate's "_An" name suffix and the revision number become the text revision REV;
// the name without the suffix becomes the traveler number.
void SplitTravelerNames(core::Step& step, db::Dialect dialect);
// Traveler 10: each traveler's customers are numbered in the order they were added.
void NumberTravelerCustomers(core::Step& step, db::Dialect dialect);
// Traveler 12: alternates (statuses 24 to 28) and primaries as product types 54 and 55.
void ClassifyTravelers(core::Step& step, db::Dialect dialect);
// Traveler 13: alternates take the primary status of the same meaning, and their user revision
// "An.r" splits into the alternate number n and the revision r.
void NumberAlternates(core::Step& step, db::Dialect dialect);

}  // namespace tmigration::legacy
