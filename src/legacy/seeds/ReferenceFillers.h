// The fillers of the legacy reference rows. Each is one step: it names itself on the progress
// window, drives the step bar per identifier and, on any error, leaves the database's description
// in strError and returns false; the caller owns the transaction and rolls it back. Create mode
// appends every identifier of the block to an empty table; refresh mode rewrites the defined rows
// in place by identifier and leaves the others alone (a defined identifier missing from the table
// fails the refresh). The legacy sample plant writes its reference rows through these too.
#pragma once

#include <cstdint>
#include <string>

#include "legacy/catalog/LegacyModule.h"
#include "legacy/seeds/ReferenceRows.h"

namespace tmigration::legacy {

enum class FillMode { Create, Refresh };

// Identifiers firstRevision + 1 .. 512 (create) or .. the revision (refresh); the step bar moves
// only when showProgress is true.
bool FillSeededTable(const SeededTable& seed, FillMode mode, std::int32_t firstRevision, bool showProgress,
                     std::string& strError);

bool FillPTypeTable(FillMode mode, std::string& strError);
bool FillStatusTable(FillMode mode, std::string& strError);
bool FillSubtypeTable(FillMode mode, std::string& strError);
bool FillCommandTable(FillMode mode, std::int32_t firstRevision, bool showProgress, std::string& strError);
bool FillDowntimeTable(FillMode mode, std::int32_t firstRevision, std::string& strError);
bool FillScrapCodeTable(FillMode mode, std::int32_t firstRevision, bool showProgress, std::string& strError);

// The five version rows of T_TRNK_COMMON (Common at 61.132 with its markers; the other modules
// at their last versions, not installed).
bool FillCommonTable(std::string& strError);
bool FillUserTypeTable(std::string& strError);
bool FillSIDTable(std::string& strError);
bool FillUserGroupTable(std::string& strError);
// All 8192 identifiers as reserved rows of their product's block.
bool FillSecurityObjectsTable(std::string& strError);
// Functions 1..344 at version 1; existing rows keep their identifiers.
bool FillAPIFunctionTable(std::string& strError);

// Writes a product's defined objects onto their (existing) rows, by identifier.
bool FillProductSecurityObjects(Module product, std::string& strError);
// Replaces the administrator group's rights in the product's block by full control on each of
// the product's objects.
bool InitProductAdminGroup(Module product, std::string& strError);

// Every filler the Common tables get when they are created, in order, after the version rows.
bool FillCommonReferenceRows(std::string& strError);

}  // namespace tmigration::legacy
