// The Common module: its tables carry the version rows of every module and the reference rows
// the other modules point to, so it is created, and refreshed, first.
#include "legacy/CommonTableCreator.h"

#include "legacy/CommonMajorSteps.h"
#include "legacy/CreateLegacyTables.h"
#include "legacy/ModuleSetups.h"
#include "legacy/seeds/ReferenceFillers.h"
#include "util/VbConversions.h"

namespace tmigration::legacy {
namespace {

bool CreateCommon(db::Dialect dialect, std::string& strError) {
    return CreateLegacyTables(Module::Common, dialect, strError) && FillCommonTable(strError) &&
           FillCommonReferenceRows(strError);
}

bool Differs(const db::Value& stored, const SeededTable& seed) {
    return stored.IsNull() || stored.AsText() != seed.RevisionText();
}

// The tables tracked from a revision refill only the rows added since the stored one; a marker
// never written means the table was never filled at a tracked revision.
template <class Fill>
void RefreshFromRevision(core::Step& step, const db::Value& stored, const SeededTable& seed, Fill fill) {
    if (!Differs(stored, seed)) return;
    const std::int32_t first = stored.IsNull() ? 0 : util::CLng(util::Val(stored.AsText()));
    std::string error;
    Require(step, fill(first, error), error);
}

void CommonMinorPass(core::Step& step, db::Dialect dialect, std::int32_t databaseMinor) {
    db::Recordset& common = step.OpenClient("select * from T_TRNK_COMMON  where APP_ID = 0");
    if (common.Eof()) step.FailWithText("T_TRNK_COMMON has no version row for the Common module (APP_ID 0)");
    const bool accessOrOracle = dialect != db::Dialect::SqlServer;
    std::string error;
    const auto refresh = FillMode::Refresh;

    if (Differs(common.Get("RESERVED1"), PTypeSeed())) Require(step, FillPTypeTable(refresh, error), error);
    if (Differs(common.Get("RESERVED2"), StatusSeed())) Require(step, FillStatusTable(refresh, error), error);
    if (Differs(common.Get("RESERVED3"), SubtypeSeed()))
        Require(step, FillSubtypeTable(refresh, error), error);
    RefreshFromRevision(
        step, common.Get("RESERVED8"), CommandSeed(),
        [&](std::int32_t first, std::string& e) { return FillCommandTable(refresh, first, true, e); });
    RefreshFromRevision(
        step, common.Get("RESERVED9"), DowntimeSeed(),
        [&](std::int32_t first, std::string& e) { return FillDowntimeTable(refresh, first, e); });
    RefreshFromRevision(
        step, common.Get("RESERVED10"), ScrapCodeSeed(),
        [&](std::int32_t first, std::string& e) { return FillScrapCodeTable(refresh, first, true, e); });
    const db::Value& apiMarker = common.Get("RESERVED11");
    if (apiMarker.IsNull() || apiMarker.AsText() != kApiFunctionRevision)
        Require(step, FillAPIFunctionTable(error), error);

    // Fixes of maintenance releases, keyed on the minor version the database came with.
    if (accessOrOracle && databaseMinor < 98)
        ExecuteIn(step, "UPDATE T_TRNK_JOB SET STATUS_ID = 73 WHERE JOB_ID > 0");
    if (accessOrOracle && databaseMinor < 114) {
        Require(step, FillDowntimeTable(refresh, 0, error), error);
        ExecuteIn(step, "UPDATE T_TRNK_DOWNTIME SET PTYPE_ID = 5 where DOWNTIME_ID > 512");
    }
    if (databaseMinor < 131) Require(step, FillSubtypeTable(refresh, error), error);

    common.Set("RESERVED0", db::Value(std::string(ModuleProgramVersion(Module::Common))));
    for (const SeededTable* seed :
         {&PTypeSeed(), &StatusSeed(), &SubtypeSeed(), &CommandSeed(), &DowntimeSeed(), &ScrapCodeSeed()})
        common.Set(std::string(seed->revisionColumn), db::Value(seed->RevisionText()));
    common.Set("RESERVED11", db::Value(std::string(kApiFunctionRevision)));
    common.Update();
}

}  // namespace

bool UpgradeMajorVersions(db::Dialect dialect, const LegacyVersion& program, const LegacyVersion& database,
                          std::string& strError) {
    return UpgradeModuleMajors(Module::Common, "Updating the Common Portion of the Database...", dialect,
                               program, database, strError);
}

const ModuleSetup& CommonSetup() {
    static const ModuleSetup setup{Module::Common, "select * from T_TRNK_PTYPE", CreateCommon,
                                   CommonMinorPass, UpgradeMajorVersions};
    return setup;
}

}  // namespace tmigration::legacy
