#include "legacy/MDCTableCreator.h"

#include "core/RecordsetHelpers.h"
#include "legacy/CreateLegacyTables.h"
#include "legacy/MDCMajorSteps.h"
#include "legacy/ModuleSetups.h"
#include "legacy/seeds/ReferenceFillers.h"
#include "legacy/seeds/SecurityObjects.h"
#include "mdc/CSHBufferClass.h"
#include "util/VbConversions.h"

namespace tmigration::legacy {
namespace {

struct MdcOption {
    int value;
    int resource;
    int boolValue;  // -1 true, 0 false
};

constexpr MdcOption kOptions[] = {{1, 5814, 0}, {2, 5815, -1}};

constexpr std::string_view kMdcRowSelect = "select * from T_TRNK_COMMON  where APP_ID = 31";

void RefreshObjectsAndRights(core::Step& step) {
    std::string error;
    Require(step, FillProductSecurityObjects(Module::MDC, error), error);
    Require(step, InitProductAdminGroup(Module::MDC, error), error);
}

// Objects whose identifiers moved before minor 110: their rights follow them, their old places
// become reserved rows again.
void RemapSecurityObjects(core::Step& step) {
    MoveRights(step,
               "6185, 6186, 6187, 6188, 6189, 6190, 6191, 6192, 6193,  6195, 6196, 6197, 6203, 6204, 6205, "
               "6280, 6281, 6282",
               {{6205, 6331},
                {6204, 6330},
                {6203, 6329},
                {6197, 6328},
                {6196, 6327},
                {6195, 6326},
                {6282, 6325},
                {6281, 6324},
                {6280, 6323},
                {6193, 6322},
                {6192, 6321},
                {6191, 6320},
                {6190, 6319},
                {6189, 6318},
                {6188, 6317},
                {6187, 6316},
                {6186, 6315},
                {6185, 6314}},
               "select * from T_TRNK_OBJECT  where OBJECT_ID = ", 6314, 6331, "MDC", 43);
    std::string error;
    Require(step, InitProductAdminGroup(Module::MDC, error), error);
}

// Older MDC versions kept a setting in the module row; it lives on as option 1.
void MoveLegacySettingToOption(core::Step& step) {
    core::RecordsetPtr module = core::OpenClientRecordset(std::string(kMdcRowSelect));
    if (module->Eof()) step.FailWithText("T_TRNK_COMMON has no version row for the MDC module (APP_ID 31)");
    const db::Value& setting = module->Get("RESERVED1");
    const bool flag = !setting.IsNull() && setting.AsText() != "0";
    module->Set("RESERVED1", db::Value());
    module->Update();
    core::CloseRecordset(module);
    core::RecordsetPtr option =
        core::OpenClientRecordset("select * from T_TRNK_OPTIONS  where APP_ID = 31 and OPTION_VALUE = 1");
    if (!option->Eof()) {
        option->Set("BOOL_VAL", db::Value(flag ? -1 : 0));
        option->Update();
    }
    core::CloseRecordset(option);
}

void MDCMinorPass(core::Step& step, db::Dialect, std::int32_t databaseMinor) {
    db::Recordset& common = step.OpenClient("select * from T_TRNK_COMMON  where APP_ID = 0");
    if (common.Eof()) step.FailWithText("T_TRNK_COMMON has no version row for the Common module (APP_ID 0)");
    const ProductSecurity& security = SecurityOf(Module::MDC);
    const db::Value& objects = common.Get(std::string(security.revisionColumn));
    if (objects.IsNull() || objects.AsText() != security.RevisionText()) RefreshObjectsAndRights(step);
    const db::Value& options = common.Get("RESERVED12");
    std::string error;
    if (options.IsNull() || options.AsText() != "2") Require(step, FillMDCOptions(error), error);

    if (databaseMinor <= 90) {
        MoveRights(step, "6208, 6212, 6216, 6220", {{6208, 6290}, {6212, 6289}, {6216, 6288}, {6220, 6287}},
                   "select * from T_TRNK_OBJECT where OBJECT_ID = ", 6287, 6290, "MDC", 43);
        Require(step, InitProductAdminGroup(Module::MDC, error), error);
    }
    if (databaseMinor <= 110) RemapSecurityObjects(step);
    if (databaseMinor <= 112) RefreshObjectsAndRights(step);
    if (databaseMinor <= 113) MoveLegacySettingToOption(step);

    common.Set(std::string(security.revisionColumn), db::Value(security.RevisionText()));
    common.Set("RESERVED12", db::Value("2"));
    common.Update();
    SetModuleVersion(step, std::string(kMdcRowSelect), ModuleProgramVersion(Module::MDC));
}

// The buffers of the machine events already in the database, built inside the creation's
// transaction; the builder is told the dialect by its code (0 Oracle, 1 Access, 2 SQL Server).
bool CreateShiftHistoryBuffers(db::Dialect dialect, std::string& strError) {
    return mdc::CSHBufferClass().MigrateEvents(strError, static_cast<std::int16_t>(dialect));
}

bool CreateMDC(db::Dialect dialect, std::string& strError) {
    if (!CreateLegacyTables(Module::MDC, dialect, strError) ||
        !FillProductSecurityObjects(Module::MDC, strError) || !InitProductAdminGroup(Module::MDC, strError) ||
        !FillMDCOptions(strError) || !CreateShiftHistoryBuffers(dialect, strError))
        return false;
    return core::RunStep({"", ""}, strError, [](core::Step& step) {
        SetModuleVersion(step, std::string(kMdcRowSelect), ModuleProgramVersion(Module::MDC));
    });
}

// One major step, inside the transaction the major-version loop opened.
bool RunMajorStepFrom(int from, db::Dialect dialect, std::string& strError) {
    return core::RunStep({"", ""}, strError,
                         [&](core::Step& step) { RunMDCMajorStep(step, *FindMDCMajorStep(from), dialect); });
}

}  // namespace

bool UpgradeMDCVersion1To2(db::Dialect dialect, std::string& strError) {
    return RunMajorStepFrom(1, dialect, strError);
}
bool UpgradeMDCVersion2To3(db::Dialect dialect, std::string& strError) {
    return RunMajorStepFrom(2, dialect, strError);
}
bool UpgradeMDCVersion3To4(db::Dialect dialect, std::string& strError) {
    return RunMajorStepFrom(3, dialect, strError);
}
bool UpgradeMDCVersion4To5(db::Dialect dialect, std::string& strError) {
    return RunMajorStepFrom(4, dialect, strError);
}
bool UpgradeMDCVersion5To6(db::Dialect dialect, std::string& strError) {
    return RunMajorStepFrom(5, dialect, strError);
}
bool UpgradeMDCVersion6To7(db::Dialect dialect, std::string& strError) {
    return RunMajorStepFrom(6, dialect, strError);
}
bool UpgradeMDCVersion7To8(db::Dialect dialect, std::string& strError) {
    return RunMajorStepFrom(7, dialect, strError);
}
bool UpgradeMDCVersion8To9(db::Dialect dialect, std::string& strError) {
    return RunMajorStepFrom(8, dialect, strError);
}

bool UpgradeMDCMajorVersions(db::Dialect dialect, const LegacyVersion& program, const LegacyVersion& database,
                             std::string& strError) {
    using MajorStepRun = bool (*)(db::Dialect, std::string&);
    static constexpr MajorStepRun kStepFrom[] = {
        UpgradeMDCVersion1To2, UpgradeMDCVersion2To3, UpgradeMDCVersion3To4, UpgradeMDCVersion4To5,
        UpgradeMDCVersion5To6, UpgradeMDCVersion6To7, UpgradeMDCVersion7To8, UpgradeMDCVersion8To9};
    constexpr int kOldestMajor = 1;
    return core::RunStep(
        {"Updating the MDC Portion of the Database...", ""}, strError, [&](core::Step& step) {
            const double target = util::Val(program.major);
            const std::int16_t total = util::CInt(target - util::Val(database.major));
            std::string major = database.major;
            std::int16_t completed = 0;
            while (util::Val(major) != target) {
                // A major that is not a whole number, newer than the program's or older than the first
                // step selects no step.
                const int from = IsWholeNumber(major) ? static_cast<int>(util::Val(major)) : 0;
                if (from < kOldestMajor || from >= target)
                    FailUnknownMajor(step, Module::MDC,
                                     database.minor.empty() && major == database.major
                                         ? major
                                         : major + "." + database.minor,
                                     kOldestMajor);
                step.BeginTrans();
                std::string error;
                Require(step, kStepFrom[from - kOldestMajor](dialect, error), error);
                major = std::to_string(from + 1);
                db::Recordset& module = step.OpenClient(std::string(kMdcRowSelect));
                if (module.Eof())
                    step.FailWithText("T_TRNK_COMMON has no version row for the MDC module (APP_ID 31)");
                module.Set("RESERVED0", db::Value(major + "." + database.minor));
                module.Update();
                step.Close(module);
                step.CommitTrans();
                ++completed;
                step.ShowProgress(completed, total);
            }
        });
}

const ModuleSetup& MDCSetup() {
    static const ModuleSetup setup{Module::MDC, "select * from T_TRNK_SH_BUFFER", CreateMDC, MDCMinorPass,
                                   UpgradeMDCMajorVersions};
    return setup;
}

bool FillMDCOptions(std::string& strError) {
    return core::RunStep({"Filling Old MDC Options...", ""}, strError, [&](core::Step& step) {
        db::Recordset& rs = step.OpenClient("select * from T_TRNK_OPTIONS  where APP_ID = 31");
        for (const MdcOption& option : kOptions) {
            bool found = false;
            if (rs.RecordCount() > 0) {
                rs.MoveFirst();
                rs.Find("OPTION_VALUE = " + std::to_string(option.value));
                found = !rs.Eof();
            }
            if (!found) {
                rs.AddNew();
                rs.Set("APP_ID", db::Value(31));
                rs.Set("OPTION_VALUE", db::Value(option.value));
                rs.Set("RES_ID", db::Value(option.resource));
                rs.Set("PTYPE_ID", db::Value(60));
                rs.Set("STRING_VAL", db::Value());
                rs.Set("NUM_VAL", db::Value());
                rs.Set("BOOL_VAL", db::Value(option.boolValue));
                rs.Update();
            }
            step.ShowProgress(option.value, 2);
        }
    });
}

bool UpgradeMDCDatabase(db::Dialect dialect, std::string& strError) {
    return UpgradeModuleDatabase(MDCSetup(), dialect, strError);
}

}  // namespace tmigration::legacy
