#include "legacy/LegacyTableCreator.h"

#include "core/RecordsetHelpers.h"
#include "legacy/seeds/DelimitedRow.h"
#include "util/VbConversions.h"

namespace tmigration::legacy {
namespace {

std::string VersionQuery(Module module) {
    return "select * from T_TRNK_COMMON  where APP_ID = " + std::to_string(ModuleAppId(module));
}

std::string ReadModuleVersion(core::Step& step, Module module) {
    db::Recordset& row = step.OpenClient(VersionQuery(module));
    if (row.Eof())
        step.FailWithText("T_TRNK_COMMON has no version row for the " + std::string(ModuleName(module)) +
                          " module (APP_ID " + std::to_string(ModuleAppId(module)) + ")");
    const db::Value& stored = row.Get("RESERVED0");
    return stored.IsNull() ? std::string() : stored.AsText();
}

}  // namespace

bool IsWholeNumber(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

void FailUnknownMajor(core::Step& step, Module module, const std::string& found, int oldestMajor) {
    const std::string name(ModuleName(module));
    const LegacyVersion program = SplitLegacyVersion(ModuleProgramVersion(module));
    const LegacyVersion database = SplitLegacyVersion(found);
    if (IsWholeNumber(database.major) && util::Val(database.major) < util::Val(program.major))
        step.FailWithText("The " + name + " tables are at legacy version " + found +
                          "; the oldest legacy version this program can bring up to date is " +
                          std::to_string(oldestMajor) + ".0");
    step.FailWithText("The " + name + " tables are at legacy version '" + found +
                      "', which this program does not know; its last " + name + " version is " +
                      std::string(ModuleProgramVersion(module)));
}

LegacyVersion SplitLegacyVersion(std::string_view text) {
    const auto point = text.find('.');
    if (point == std::string_view::npos) return {std::string(text), std::string()};
    return {std::string(text.substr(0, point)), std::string(text.substr(point + 1))};
}

std::int32_t ModuleAppId(Module module) {
    switch (module) {
        case Module::Common:
            return 0;
        case Module::Traveler:
            return 1;
        case Module::Gage:
            return 11;
        case Module::Tool:
            return 21;
        case Module::MDC:
            return 31;
    }
    return -1;
}

std::string_view ModuleProgramVersion(Module module) {
    switch (module) {
        case Module::Common:
            return "61.132";
        case Module::Traveler:
            return "15.103";
        case Module::Gage:
            return "37.105";
        case Module::Tool:
            return "17.36";
        case Module::MDC:
            return "9.114";
    }
    return {};
}

bool LegacyTablesExist(const std::string& probeSql) {
    try {
        core::RecordsetPtr rs = core::OpenClientRecordset(probeSql);
        core::CloseRecordset(rs);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void SetModuleVersion(core::Step& step, const std::string& select, std::string_view version) {
    core::RecordsetPtr row = core::OpenClientRecordset(select);
    if (row->Eof()) step.FailWithText("T_TRNK_COMMON has no row for \"" + select + "\"");
    row->Set("RESERVED0", db::Value(std::string(version)));
    row->Update();
    core::CloseRecordset(row);
}

void ExecuteIn(core::Step& step, const std::string& sql) {
    std::string message;
    if (!core::ExecuteSQL(sql, message)) step.FailWithText(message);
}

void WriteObjectRow(core::Step& step, const std::string& select, std::string_view text, std::int16_t count) {
    core::RecordsetPtr row = core::OpenClientRecordset(select);
    if (row->Eof()) step.FailWithText("T_TRNK_OBJECT has no row for \"" + select + "\"");
    ApplyDelimitedRow(text, count, *row);
    core::CloseRecordset(row);
}

void MoveRights(core::Step& step, const std::string& dropped,
                std::initializer_list<std::pair<int, int>> moves, std::string_view objectSelect,
                int firstReserved, int lastReserved, std::string_view reservedWord, int ptype) {
    ExecuteIn(step, "DELETE from T_TRNK_ACL  where OBJECT_ID IN (" + dropped + ") ");
    for (const auto& [to, from] : moves)
        ExecuteIn(step, "UPDATE T_TRNK_ACL  SET OBJECT_ID = " + std::to_string(to) +
                            " where OBJECT_ID = " + std::to_string(from));
    for (int id = firstReserved; id <= lastReserved; ++id)
        WriteObjectRow(step, std::string(objectSelect) + std::to_string(id),
                       "Reserved for " + std::string(reservedWord) + std::to_string(id) + "," +
                           std::to_string(ptype) + ",0,0",
                       4);
}

bool SetupModuleDatabase(const ModuleSetup& setup, db::Dialect dialect, std::string& strError) {
    if (!LegacyTablesExist(std::string(setup.probeSql))) {
        return core::RunStep({"", ""}, strError, [&](core::Step& step) {
            step.BeginTrans();
            std::string error;
            Require(step, setup.create(dialect, error), error);
            step.CommitTrans();
        });
    }
    return UpgradeModuleDatabase(setup, dialect, strError);
}

bool UpgradeModuleDatabase(const ModuleSetup& setup, db::Dialect dialect, std::string& strError) {
    const LegacyVersion program = SplitLegacyVersion(ModuleProgramVersion(setup.module));
    LegacyVersion database;
    const bool read = core::RunStep({"", ""}, strError, [&](core::Step& step) {
        const std::string found = ReadModuleVersion(step, setup.module);
        database = SplitLegacyVersion(found);
        if (database.major != program.major && setup.majorUpgrade == nullptr)
            FailUnknownMajor(step, setup.module, found, static_cast<int>(util::Val(program.major)));
    });
    if (!read) return false;
    if (database.major != program.major && !setup.majorUpgrade(dialect, program, database, strError))
        return false;
    // The minor fixes go by the minor the database came with; the major steps leave it as it was.
    if (database.minor == program.minor) return true;
    return core::RunStep({"", ""}, strError, [&](core::Step& step) {
        step.BeginTrans();
        setup.minorPass(step, dialect, util::CLng(util::Val(database.minor)));
        step.CommitTrans();
    });
}

}  // namespace tmigration::legacy
