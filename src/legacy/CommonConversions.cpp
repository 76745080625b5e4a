#include "legacy/CommonConversions.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/DateHelpers.h"
#include "legacy/AttachmentClass.h"
#include "legacy/LegacyTableCreator.h"
#include "legacy/PartAndOpMigration.h"
#include "legacy/seeds/ReferenceFillers.h"
#include "util/Text.h"
#include "util/VbConversions.h"

namespace tmigration::legacy {
namespace {

std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

// The server's clock as a date literal of the dialect.
std::string NowLiteral(db::Dialect dialect) {
    const std::string now = core::GetDatabaseNow(dialect);
    switch (dialect) {
        case db::Dialect::Access:
            return "#" + now + "#";
        case db::Dialect::Oracle:
            return "TO_DATE('" + now + "', 'YYYY-MM-DD HH24:MI:SS')";
        case db::Dialect::SqlServer:
            break;
    }
    return "CAST('" + now + "' AS DATETIME)";
}

// Sets the identifier column to the code of each listed text; other texts leave it Null.
void MapTexts(core::Step& step, const TextColumnMapping& mapping) {
    for (const TextCode& code : mapping.codes)
        ExecuteIn(step, std::string("UPDATE ") + mapping.table + " SET " + mapping.idColumn + " = " +
                            std::to_string(code.id) + " WHERE " + mapping.textColumn + " = " +
                            Quoted(code.text));
}

constexpr TextCode kUnits[] = {{"mm", 3295}, {"inches", 3296}};
constexpr TextCode kInsertShapes[] = {{"Custom", 3421},   {"Diamond", 3422}, {"Hexagon", 3423},
                                      {"Pentagon", 3424}, {"Round", 3425},   {"Square", 3426},
                                      {"Triangle", 3427}};
constexpr TextCode kCutterShapes[] = {{"Ball", 3379},         {"Bull", 3380},         {"Center Drill", 3381},
                                      {"Chamfer", 3382},      {"Counter Bore", 3383}, {"Custom", 3384},
                                      {"Dovetail", 3385},     {"Drill", 3386},        {"Flat", 3387},
                                      {"Radius", 3388},       {"Reamer", 3389},       {"Sphere", 3390},
                                      {"Spot Drill", 3391},   {"Step Drill", 3392},   {"Tap", 3393},
                                      {"Tapered Ball", 3394}, {"Tapered Bull", 3395}};
constexpr TextCode kFluteTypes[] = {{"Left", 3376}, {"Right", 3377}, {"Straight", 3378}};

// The field each numbered table's numbering row fills, by the table's subtype identifier.
constexpr TextCode kNumberedFields[] = {
    {"TRAVELER_NUMBER", 3}, {"PART_NUMBER", 5},        {"TOOL_NO", 52},
    {"GAUGE_NO", 54},       {"MATERIAL_NUMBER", 68},   {"INSERT_NO_NUMBER", 120},
    {"JOB_NUMBER", 125},    {"CUTTER_NO_NUMBER", 156}, {"KIT_NO", 222}};

// The machine event columns in the order they are moved, with their command numbers.
constexpr TextCode kMachineEventColumns[] = {
    {"DOWN_TIME_ID", 8}, {"SETUP_TIME_ID", 6},     {"CYCLE_TIME_ID", 5}, {"LOGON_TIME_ID", 7},
    {"JOB_TIME_ID", 4},  {"PERS_DOWN_TIME_ID", 9}, {"PART_TIME_ID", 12}};

constexpr std::size_t kMediaNameLength = 40;

constexpr std::int32_t kPartTable = 5;
constexpr std::int32_t kMaterialTable = 68;
constexpr std::int32_t kBlueprintTable = 69;

// Gives each row of `select` its blueprint's name (and description after its detail) and hangs the
// blueprint's attachments on it.
void TakeOverBlueprints(core::Step& step, const std::string& select, const char* key, std::int32_t tableId) {
    db::Recordset& rows = step.OpenClient(select);
    for (; !rows.Eof(); rows.MoveNext()) {
        const std::string blueprintId = rows.Get("BPRINT_ID").AsText();
        db::Recordset& blueprint =
            step.OpenClient("select * from T_TRNK_BPRINT  where BPRINT_ID = " + blueprintId);
        if (!blueprint.Eof()) {
            rows.Set("BPRINT", blueprint.Get("BPRINT_NAME"));
            const db::Value& description = blueprint.Get("DESCRIPTION");
            if (!description.IsNull()) {
                const db::Value& detail = rows.Get("DETAIL");
                rows.Set("DETAIL", db::Value((detail.IsNull() ? std::string() : detail.AsText()) + "; " +
                                             description.AsText()));
            }
            rows.Update();
        }
        step.Close(blueprint);
        CAttachmentClass attachments;
        attachments.InitializeObject(tableId, static_cast<std::int32_t>(rows.Get(key).AsInteger()));
        attachments.MoveAttachments(kBlueprintTable, static_cast<std::int32_t>(util::Val(blueprintId)));
    }
    step.Close(rows);
}

}  // namespace

void MarkGageAndToolRows(core::Step& step, db::Dialect) {
    std::vector<std::string> queued;
    const std::string gage = "UPDATE T_TRNK_COMMON SET RESERVED6 = 'YES' WHERE APP_ID = 11";
    db::Recordset& gageRow = step.OpenClient("select * from T_TRNK_COMMON  where APP_ID = 11");
    const bool installed =
        !gageRow.Eof() && !gageRow.Get("INSTALLED").IsNull() && gageRow.Get("INSTALLED").AsText() == "Y";
    step.Close(gageRow);
    if (installed) {
        db::Recordset& row = step.OpenClient("select * from T_TRNK_COMMON where APP_ID = 11");
        if (!row.Eof() && !row.Get("RESERVED2").IsNull()) queued.push_back(gage);
        step.Close(row);
    } else {
        db::Recordset& gages = step.OpenClient("select * from T_TRNK_GAUGE_NO");
        if (!gages.Eof()) queued.push_back(gage);
        step.Close(gages);
    }
    db::Recordset& tools = step.OpenClient("select * from T_TRNK_TOOL_NO");
    if (!tools.Eof()) queued.push_back("UPDATE T_TRNK_COMMON  SET RESERVED6 = 'NO'  where APP_ID = 21");
    step.Close(tools);
    for (const std::string& sql : queued) ExecuteIn(step, sql);
}

void MoveNumberFormats(core::Step& step, db::Dialect) {
    for (const auto& [appId, tableId] : {std::pair{11, 54}, std::pair{21, 52}}) {
        std::string isDone, format, next;
        db::Recordset& row =
            step.OpenClient("select * from T_TRNK_COMMON  where APP_ID = " + std::to_string(appId));
        if (!row.Eof()) {
            const auto text = [&](const char* column) {
                const db::Value& v = row.Get(column);
                return v.IsNull() ? std::string() : v.AsText();
            };
            isDone = text("RESERVED6");
            format = text("RESERVED4");
            next = text("RESERVED5");
        }
        step.Close(row);
        const auto valueOf = [](const std::string& text) {
            return text.empty() ? db::Value() : db::Value(text);
        };
        db::Recordset& formats = step.OpenClient("select * from T_TRNK_AUTO_INC  where AUTO_INC_ID = 0 ");
        formats.AddNew();
        formats.Set("TABLE_ID", db::Value(tableId));
        formats.Set("IS_DONE", valueOf(isDone));
        formats.Set("FORMAT_STRING", valueOf(format));
        formats.Set("NEXT_NUMBER", valueOf(next));
        formats.Update();
        step.Close(formats);
    }
}

void RetireBlueprints(core::Step& step, db::Dialect) {
    TakeOverBlueprints(step, "select * from T_TRNK_PART  where BPRINT_ID IS NOT NULL ", "PART_ID",
                       kPartTable);
    TakeOverBlueprints(step, "select * from T_TRNK_MATERIAL  where BPRINT_ID IS NOT NULL ", "MATERIAL_ID",
                       kMaterialTable);
}

void RefillDowntimeRows(core::Step& step, db::Dialect) {
    // The recreated table has no product type column yet: the rows are written without it, and the
    // minor pass rewrites them whole once the column is there.
    SeededTable withoutProductType = DowntimeSeed();
    withoutProductType.columns = 3;
    std::string error;
    Require(step, FillSeededTable(withoutProductType, FillMode::Create, 0, false, error), error);
}

void MaterialsBecomeMaterialTypes(core::Step& step, db::Dialect) {
    // Each material is looked up once, whatever the number of cutters and inserts made of it.
    std::map<std::string, db::Value> typeOf;
    auto materialType = [&](const std::string& material) -> const db::Value& {
        auto found = typeOf.find(material);
        if (found != typeOf.end()) return found->second;
        db::Recordset& row =
            step.OpenClient("select MATERIALTYPE_ID from T_TRNK_MATERIAL  where MATERIAL_ID = " + material);
        db::Value type = row.Eof() ? db::Value() : row.Get("MATERIALTYPE_ID");
        step.Close(row);
        return typeOf.emplace(material, std::move(type)).first->second;
    };
    for (const char* table : {"T_TRNK_CUTTER_NO", "T_TRNK_INSERT_NO"}) {
        db::Recordset& rows =
            step.OpenClient(std::string("select * from ") + table + "  where MATERIAL_ID IS NOT NULL ");
        for (; !rows.Eof(); rows.MoveNext()) {
            rows.Set("MATERIAL_ID", materialType(rows.Get("MATERIAL_ID").AsText()));
            rows.Update();
        }
        step.Close(rows);
    }
    std::string retired;
    db::Recordset& materials = step.OpenClient(
        "select MATERIAL_ID from T_TRNK_MATERIAL, T_TRNK_MATERIALTYPE  where T_TRNK_MATERIAL.MATERIALTYPE_ID "
        "= "
        "T_TRNK_MATERIALTYPE.MATERIALTYPE_ID and T_TRNK_MATERIALTYPE.PTYPE_ID IN (46, 47) order by "
        "MATERIAL_ID");
    for (; !materials.Eof(); materials.MoveNext())
        retired += (retired.empty() ? "" : ", ") + materials.Get("MATERIAL_ID").AsText();
    step.Close(materials);
    if (!retired.empty())
        ExecuteIn(step, "delete from T_TRNK_MATERIAL  where MATERIAL_ID IN (" + retired + ")");
}

void ConsolidatePartsAndJobs(core::Step& step, db::Dialect dialect) {
    // The families are collapsed first, so that each job's part is the surviving revision.
    std::string error;
    Require(step, ConsolidateParts(dialect, error), error);
    Require(step, ConsolidateOperations(dialect, error), error);
    ExecuteIn(
        step,
        "INSERT INTO T_TRNK_PARTS_PER_JOB (JOB_ID, PART_ID, TARGET_QTY, ACTUAL_QTY, SCRAPPED_QTY, ORDINAL) "
        "SELECT JOB_ID, PART_ID, TARGET_QTY, ACTUAL_QTY, ACTUAL_SCRAPPED, 1 FROM T_TRNK_JOB "
        "WHERE PART_ID IS NOT NULL");
}

void MoveMachineEventColumns(core::Step& step, db::Dialect) {
    db::Recordset& machines = step.OpenClient("select * from T_TRNK_MACHINES");
    db::Recordset& events = step.OpenClient("select * from T_TRNK_MACHINE_EVENTS");
    for (; !machines.Eof(); machines.MoveNext()) {
        for (const TextCode& column : kMachineEventColumns) {
            const db::Value event = machines.Get(column.text);
            if (event.IsNull()) continue;
            events.AddNew();
            events.Set("MACHINE_ID", machines.Get("MACHINE_ID"));
            events.Set("EVENT_ID", event);
            events.Set("COMMAND_ID", db::Value(column.id));
            events.Update();
            machines.Set(column.text, db::Value());
            machines.Update();
        }
    }
}

void FillNewScrapCodes(core::Step& step, db::Dialect) {
    std::string error;
    Require(step, FillScrapCodeTable(FillMode::Create, 0, false, error), error);
}

void MoveScrappedCounts(core::Step& step, db::Dialect) {
    ExecuteIn(step,
              "INSERT INTO T_TRNK_SCRAP_CODE_SH (SCRAP_CODE_ID, SHIFT_HISTORY_ID, QTY, START_TIME) "
              "SELECT 1, SHIFT_HISTORY_ID, SCRAPPED_COUNT, STOP_TIME from T_TRNK_SHIFT_HISTORY  "
              "where SCRAPPED_COUNT IS NOT NULL  and SCRAPPED_COUNT > 0 ");
}

void StampMachineStatusDates(core::Step& step, db::Dialect dialect) {
    ExecuteIn(step, "UPDATE T_TRNK_MACHINES  SET STATUS_DATE = " + NowLiteral(dialect) + " " +
                        " where MACHINE_ID > 0");
}

void MakeMaterialNumbersUnique(core::Step& step, db::Dialect dialect) {
    // The database orders the numbers in its own collation, so equal numbers are neighbours; Jet
    // and SQL Server take numbers that differ only in case for the same number, Oracle does not.
    const bool ignoreCase = dialect != db::Dialect::Oracle;
    db::Recordset& rows = step.OpenClient(
        "select MATERIAL_ID, MATERIAL_NUMBER from T_TRNK_MATERIAL  where MATERIAL_NUMBER IS NOT NULL "
        " order by MATERIAL_NUMBER, MATERIAL_ID");
    std::string previous;
    bool first = true;
    for (; !rows.Eof(); rows.MoveNext()) {
        const std::string number = rows.Get("MATERIAL_NUMBER").AsText();
        const std::string compared = ignoreCase ? util::ToUpper(number) : number;
        if (!first && compared == previous) {
            ExecuteIn(step, "UPDATE T_TRNK_MATERIAL SET MATERIAL_NUMBER = " + Quoted(number + "-D") +
                                " WHERE MATERIAL_ID = " + rows.Get("MATERIAL_ID").AsText());
        }
        previous = compared;
        first = false;
    }
    step.Close(rows);
}

void NameAutoIncrementFields(core::Step& step, db::Dialect) {
    for (const TextCode& field : kNumberedFields)
        ExecuteIn(step, "UPDATE T_TRNK_AUTO_INC SET FIELD_NAME = " + Quoted(field.text) +
                            " WHERE TABLE_ID = " + std::to_string(field.id));
}

void NameMediaDestinations(core::Step& step, db::Dialect) {
    db::Recordset& sources = step.OpenClient(
        "select MEDIASRC_ID, FILEPATHNAME from T_TRNK_MEDIASRC  where FILEPATHNAME IS NOT NULL");
    for (; !sources.Eof(); sources.MoveNext()) {
        const std::string path = sources.Get("FILEPATHNAME").AsText();
        const auto slash = path.rfind('\\');
        std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        if (name.size() > kMediaNameLength) name.resize(kMediaNameLength);
        ExecuteIn(step, "UPDATE T_TRNK_MEDIADEST SET MEDIADEST_NAME = " + Quoted(name) +
                            " WHERE MEDIASRC_ID = " + sources.Get("MEDIASRC_ID").AsText());
    }
    step.Close(sources);
}

std::span<const TextColumnMapping> InsertAndCutterTextMappings() {
    static constexpr TextColumnMapping mappings[] = {
        {"T_TRNK_INSERT_NO", "UNITS", "UNITS_ID", kUnits},
        {"T_TRNK_INSERT_NO", "SHAPE", "SHAPE_ID", kInsertShapes},
        {"T_TRNK_CUTTER_NO", "UNITS", "UNITS_ID", kUnits},
        {"T_TRNK_CUTTER_NO", "SHAPE", "SHAPE_ID", kCutterShapes},
        {"T_TRNK_CUTTER_NO", "FLUTE_TYPE", "FLUTE_TYPE_ID", kFluteTypes}};
    return mappings;
}

const TextColumnMapping& ToolDiameterUnitMapping() {
    static constexpr TextColumnMapping mapping{"T_TRNK_TOOL_NO", "DIAMETER_UNIT", "UNITS_ID", kUnits};
    return mapping;
}

std::span<const TextCode> MachineEventColumns() {
    return kMachineEventColumns;
}

void MapInsertAndCutterTexts(core::Step& step, db::Dialect) {
    for (const TextColumnMapping& mapping : InsertAndCutterTextMappings()) MapTexts(step, mapping);
}

void MapToolDiameterUnits(core::Step& step, db::Dialect) {
    MapTexts(step, ToolDiameterUnitMapping());
}

}  // namespace tmigration::legacy
