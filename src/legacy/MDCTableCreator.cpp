#include "legacy/MDCTableCreator.h"

#include "core/RecordsetHelpers.h"
#include "legacy/CreateLegacyTables.h"
#include "legacy/ModuleSetups.h"
#include "legacy/seeds/ReferenceFillers.h"
#include "legacy/seeds/SecurityObjects.h"
#include "mdc/CSHBufferClass.h"

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

}  // namespace

const ModuleSetup& MDCSetup() {
    static const ModuleSetup setup{Module::MDC, "select * from T_TRNK_SH_BUFFER", CreateMDC, MDCMinorPass};
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
