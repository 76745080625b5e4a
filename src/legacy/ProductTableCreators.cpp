// The Gage, Tool and Traveler modules: each owns a block of security objects and an administrator
// group. Created, they write their objects over the reserved rows and grant their group full
// control; at an older minor version they refresh both when the object list changed, and carry
// rights over to objects whose identifiers moved in maintenance releases. At an older major they are
// brought up step by step first, each step committed on its own.
#include <utility>

#include "legacy/CommonMajorSteps.h"
#include "legacy/CreateLegacyTables.h"
#include "legacy/ModuleSetups.h"
#include "legacy/seeds/ReferenceFillers.h"
#include "legacy/seeds/SecurityObjects.h"

namespace tmigration::legacy {
namespace {

constexpr std::string_view kObjectSelect = "select * from T_TRNK_OBJECT where OBJECT_ID = ";

std::string VersionRowSelect(Module module) {
    return "select * from T_TRNK_COMMON where APP_ID = " + std::to_string(ModuleAppId(module));
}

template <Module M>
bool CreateProduct(db::Dialect dialect, std::string& strError) {
    if (!CreateLegacyTables(M, dialect, strError) || !FillProductSecurityObjects(M, strError) ||
        !InitProductAdminGroup(M, strError))
        return false;
    return core::RunStep({"", ""}, strError, [](core::Step& step) {
        SetModuleVersion(step, VersionRowSelect(M), ModuleProgramVersion(M));
    });
}

// Refreshes the product's objects and its group's rights when the object list changed;
// `afterInit` runs right after the group is set up again.
template <class AfterInit>
void RefreshObjects(core::Step& step, Module module, AfterInit afterInit) {
    const ProductSecurity& security = SecurityOf(module);
    db::Recordset& common = step.OpenClient("select * from T_TRNK_COMMON  where APP_ID = 0");
    if (common.Eof()) step.FailWithText("T_TRNK_COMMON has no version row for the Common module (APP_ID 0)");
    const db::Value& stored = common.Get(std::string(security.revisionColumn));
    if (!stored.IsNull() && stored.AsText() == security.RevisionText()) return;
    std::string error;
    Require(step, FillProductSecurityObjects(module, error), error);
    Require(step, InitProductAdminGroup(module, error), error);
    afterInit();
    common.Set(std::string(security.revisionColumn), db::Value(security.RevisionText()));
    common.Update();
}

void GageMinorPass(core::Step& step, db::Dialect dialect, std::int32_t) {
    RefreshObjects(step, Module::Gage, [&] {
        if (dialect == db::Dialect::Oracle)
            ExecuteIn(step, "DELETE from T_TRNK_ACL  where OBJECT_ID IN (2103, 2104, 2118, 2143) ");
    });
    SetModuleVersion(step, VersionRowSelect(Module::Gage), ModuleProgramVersion(Module::Gage));
}

void ToolMinorPass(core::Step& step, db::Dialect dialect, std::int32_t databaseMinor) {
    RefreshObjects(step, Module::Tool, [] {});
    if (dialect != db::Dialect::SqlServer && databaseMinor <= 25) {
        MoveRights(step, "4098, 4119, 4144, 4192", {{4098, 4351}, {4119, 4350}, {4144, 4349}, {4192, 4348}},
                   kObjectSelect, 4348, 4351, "Tooling", 42);
        std::string error;
        Require(step, InitProductAdminGroup(Module::Tool, error), error);
    }
    SetModuleVersion(step, VersionRowSelect(Module::Tool), ModuleProgramVersion(Module::Tool));
}

void TravelerMinorPass(core::Step& step, db::Dialect dialect, std::int32_t databaseMinor) {
    RefreshObjects(step, Module::Traveler, [] {});
    if (dialect != db::Dialect::SqlServer && databaseMinor <= 91)
        MoveRights(step,
                   "86, 87, 123, 184, 185, 186, 188, 187, 200, 64,  199, 208, 70, 71, 74, 83, 84, 149, 178, "
                   "201, 202, 203",
                   {{83, 233},
                    {84, 232},
                    {149, 231},
                    {178, 230},
                    {201, 229},
                    {202, 228},
                    {203, 227},
                    {200, 226},
                    {64, 225}},
                   kObjectSelect, 225, 233, "Traveler", 40);
    if (dialect != db::Dialect::SqlServer && databaseMinor <= 92)
        MoveRights(step, "1, 22, 44, 155", {{1, 225}, {22, 224}, {44, 223}, {155, 222}}, kObjectSelect, 222,
                   225, "Traveler", 40);
    SetModuleVersion(step, VersionRowSelect(Module::Traveler), ModuleProgramVersion(Module::Traveler));
}

template <Module M>
bool UpgradeProductMajors(db::Dialect dialect, const LegacyVersion& program, const LegacyVersion& database,
                          std::string& strError) {
    constexpr std::string_view text = M == Module::Gage ? "Updating the Gage Crib Portion of the Database..."
                                      : M == Module::Tool
                                          ? "Updating the Tool Crib Portion of the Database..."
                                          : "Updating the Traveler Portion of the Database...";
    return UpgradeModuleMajors(M, text, dialect, program, database, strError);
}

}  // namespace

const ModuleSetup& GageSetup() {
    static const ModuleSetup setup{Module::Gage, "select * from T_TRNK_GAUGES", CreateProduct<Module::Gage>,
                                   GageMinorPass, UpgradeProductMajors<Module::Gage>};
    return setup;
}

const ModuleSetup& ToolSetup() {
    static const ModuleSetup setup{Module::Tool, "select * from T_TRNK_TOOLS", CreateProduct<Module::Tool>,
                                   ToolMinorPass, UpgradeProductMajors<Module::Tool>};
    return setup;
}

const ModuleSetup& TravelerSetup() {
    static const ModuleSetup setup{Module::Traveler, "select * from T_TRNK_TRAVELER",
                                   CreateProduct<Module::Traveler>, TravelerMinorPass,
                                   UpgradeProductMajors<Module::Traveler>};
    return setup;
}

}  // namespace tmigration::legacy
