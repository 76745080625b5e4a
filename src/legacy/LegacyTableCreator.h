// What every module's table creator shares: the existence probe, the version row of the module in
// T_TRNK_COMMON, and SetupDatabase itself. A module whose tables are missing is created from
// nothing in one transaction (tables, reference rows, version); a module at an older major version
// is brought to the last major step by step by the module's major upgrade, when it has one (a module
// without one fails with a message naming the version found); then a module at an older minor
// version gets the reference refresh and minor fixes of that minor version in one transaction.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "core/Step.h"
#include "db/Dialect.h"
#include "legacy/catalog/LegacyModule.h"

namespace tmigration::legacy {

// A module version as stored in RESERVED0: major and minor, the texts left and right of the first
// point ("61.132"); a text without a point is all major.
struct LegacyVersion {
    std::string major;
    std::string minor;
};
LegacyVersion SplitLegacyVersion(std::string_view text);

// APP_ID of the module's version row (Common 0, Traveler 1, Gage 11, Tool 21, MDC 31) and the last
// legacy version this program knows ("61.132", "15.103", "37.105", "17.36", "9.114").
std::int32_t ModuleAppId(Module module);
std::string_view ModuleProgramVersion(Module module);

// True when the probe query opens; any error means the tables are missing.
bool LegacyTablesExist(const std::string& probeSql);

// Writes RESERVED0 of the module's version row; the row must exist.
void SetModuleVersion(core::Step& step, const std::string& select, std::string_view version);

// Ends `step` with strError's text when a step it ran returned false.
inline void Require(core::Step& step, bool ok, const std::string& strError) {
    if (!ok) step.FailWithText(strError);
}
// Runs one statement inside `step`; a failure ends the step with the database's description.
void ExecuteIn(core::Step& step, const std::string& sql);
// Rewrites one security object row in place with a delimited row text.
void WriteObjectRow(core::Step& step, const std::string& select, std::string_view text, std::int16_t count);

// Carries rights over to objects whose identifiers moved in a maintenance release: deletes the
// rights on `dropped` (a list as "1, 22, 44"), moves each (new, old) pair's rights from old to new,
// then writes objects firstReserved..lastReserved, each selected by `objectSelect` & id, back as
// "Reserved for " & word & id & "," & ptype & ",0,0".
void MoveRights(core::Step& step, const std::string& dropped,
                std::initializer_list<std::pair<int, int>> moves, std::string_view objectSelect,
                int firstReserved, int lastReserved, std::string_view reservedWord, int ptype);

// The create path and the minor pass of one module.
struct ModuleSetup {
    Module module;
    std::string_view probeSql;
    // Runs inside the create transaction: tables, rows, version.
    bool (*create)(db::Dialect dialect, std::string& strError);
    // Runs inside the minor transaction opened by `step`; fails through the step.
    void (*minorPass)(core::Step& step, db::Dialect dialect, std::int32_t databaseMinor);
    // Brings the tables from the database's major to the program's, each major step committed on its
    // own; null when the module knows no older major.
    bool (*majorUpgrade)(db::Dialect dialect, const LegacyVersion& program, const LegacyVersion& database,
                         std::string& strError) = nullptr;
};

// Ends `step` for a database major the module cannot start from: newer than the program's, not a
// whole number, or older than `oldestMajor`.
[[noreturn]] void FailUnknownMajor(core::Step& step, Module module, const std::string& found,
                                   int oldestMajor);
// True for a text of decimal digits only.
bool IsWholeNumber(const std::string& text);

bool SetupModuleDatabase(const ModuleSetup& setup, db::Dialect dialect, std::string& strError);
// The path for tables that exist: the version check and, at an older minor version, the minor pass.
bool UpgradeModuleDatabase(const ModuleSetup& setup, db::Dialect dialect, std::string& strError);

}  // namespace tmigration::legacy
