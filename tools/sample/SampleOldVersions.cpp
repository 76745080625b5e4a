#include "sample/SampleOldVersions.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <map>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>

#include "db/DbError.h"
#include "db/Recordset.h"
#include "legacy/CommonConversions.h"
#include "legacy/CommonMajorSteps.h"
#include "legacy/LegacyTableCreator.h"
#include "legacy/ProductConversions.h"
#include "legacy/catalog/LegacyTableLists.h"
#include "sample/SampleOldMDC.h"

namespace tmigration::sample {
namespace {

using legacy::Module;

std::string Quoted(std::string_view text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

// Calls `visit` with each row of `sql` (the row's values by position, valid during the call), row
// number from 0. The row set is a client snapshot, so the visit may write to the tables it reads; a
// large one waits on disk, not in memory.
void ForEachRow(db::Connection& connection, const std::string& sql,
                const std::function<void(const std::vector<db::Value>& row, std::size_t number)>& visit) {
    db::Recordset rs;
    rs.SetActiveConnection(&connection);
    rs.SetCursorLocation(db::adUseClient);
    rs.SetCursorType(db::adOpenStatic);
    rs.Open(sql);
    std::vector<db::Value> row;
    for (std::size_t number = 0; !rs.Eof(); rs.MoveNext(), ++number) {
        row.clear();
        for (std::size_t i = 0; i < rs.FieldCount(); ++i) row.push_back(rs.Fields(i).GetValue());
        visit(row, number);
    }
    rs.Close();
}

// Every row of `sql` in memory: for the product ageing's reads, one row per traveler, measurement or
// dimension of a sample plant.
std::vector<std::vector<db::Value>> ReadRows(db::Connection& connection, const std::string& sql) {
    std::vector<std::vector<db::Value>> rows;
    ForEachRow(connection, sql, [&](const std::vector<db::Value>& row, std::size_t) { rows.push_back(row); });
    return rows;
}

// The first column of the first row of `select` as text; empty when there is no row.
std::string FirstValue(db::Connection& connection, const std::string& select) {
    std::string value;
    ForEachRow(connection, select, [&](const std::vector<db::Value>& row, std::size_t number) {
        if (number == 0) value = row[0].AsText();
    });
    return value;
}

// ---- Rows carried back into the forms the Common steps convert ----------------------------------

// 58 and 59 read unit, shape and flute texts: each identifier gets its text back; an identifier the
// step does not list gets a text it does not know, which the step leaves without an identifier.
void TextsFromCodes(db::Connection& connection, const legacy::TextColumnMapping& mapping) {
    const std::string table = mapping.table;
    for (const legacy::TextCode& code : mapping.codes)
        connection.Execute("UPDATE " + table + " SET " + mapping.textColumn + " = " + Quoted(code.text) +
                           " WHERE " + mapping.idColumn + " = " + std::to_string(code.id));
    std::string listed;
    for (const legacy::TextCode& code : mapping.codes)
        listed += (listed.empty() ? "" : ", ") + std::to_string(code.id);
    connection.Execute("UPDATE " + table + " SET " + mapping.textColumn + " = 'Other' WHERE " +
                       mapping.idColumn + " IS NOT NULL AND " + mapping.idColumn + " NOT IN (" + listed +
                       ")");
}

void UnitAndShapeTexts(db::Connection& connection) {
    for (const legacy::TextColumnMapping& mapping : legacy::InsertAndCutterTextMappings())
        TextsFromCodes(connection, mapping);
}

void DiameterUnitTexts(db::Connection& connection) {
    TextsFromCodes(connection, legacy::ToolDiameterUnitMapping());
}

// 52 makes material numbers unique: every ninth material shares the number of the one before it.
void DuplicateMaterialNumbers(db::Connection& connection) {
    db::Value previous;
    ForEachRow(connection, "select MATERIAL_ID, MATERIAL_NUMBER from T_TRNK_MATERIAL order by MATERIAL_ID",
               [&](const std::vector<db::Value>& row, std::size_t number) {
                   if (number % 9 == 8 && !previous.IsNull())
                       connection.Execute(
                           "UPDATE T_TRNK_MATERIAL SET MATERIAL_NUMBER = " + Quoted(previous.AsText()) +
                           " WHERE MATERIAL_ID = " + row[0].AsText());
                   previous = row[1];
               });
}

// 47 moves the machines' event columns into T_TRNK_MACHINE_EVENTS: each machine gets back the first
// event of each command it has one for.
void EventsOnMachines(db::Connection& connection) {
    std::map<int, const char*> columnOf;
    for (const legacy::TextCode& column : legacy::MachineEventColumns()) columnOf[column.id] = column.text;
    std::set<std::pair<std::int64_t, std::int64_t>> done;
    ForEachRow(
        connection,
        "select MACHINE_ID, COMMAND_ID, EVENT_ID from T_TRNK_MACHINE_EVENTS order by MACHINE_EVENTS_ID",
        [&](const std::vector<db::Value>& row, std::size_t) {
            const auto column = columnOf.find(static_cast<int>(row[1].AsInteger()));
            if (column == columnOf.end() || !done.emplace(row[0].AsInteger(), row[1].AsInteger()).second)
                return;
            connection.Execute(std::string("UPDATE T_TRNK_MACHINES SET ") + column->second + " = " +
                               row[2].AsText() + " WHERE MACHINE_ID = " + row[0].AsText());
        });
}

// 41 turns cutter and insert materials into material types and deletes the materials of cutter and
// insert material types. In the old form every cutter and insert names a material of such a type,
// one per type, and no other material has such a type.
void MaterialsForCuttersAndInserts(db::Connection& connection) {
    std::set<std::string> toolTypes;
    ForEachRow(
        connection,
        "select MATERIALTYPE_ID from T_TRNK_MATERIALTYPE where PTYPE_ID IN (46, 47) order by MATERIALTYPE_ID",
        [&](const std::vector<db::Value>& row, std::size_t) { toolTypes.insert(row[0].AsText()); });
    const std::string plainType =
        FirstValue(connection,
                   "select MATERIALTYPE_ID from T_TRNK_MATERIALTYPE where PTYPE_ID IS "
                   "NULL OR PTYPE_ID NOT IN (46, 47) order by MATERIALTYPE_ID");
    // A plant without both kinds of type keeps its materials.
    if (toolTypes.empty() || plainType.empty()) return;
    std::string list;
    for (const std::string& type : toolTypes) list += (list.empty() ? "" : ", ") + type;
    connection.Execute("UPDATE T_TRNK_MATERIAL SET MATERIALTYPE_ID = " + plainType +
                       " WHERE MATERIALTYPE_ID IN (" + list + ")");
    std::map<std::string, std::string> materialOf;
    for (const auto& [table, key] :
         {std::pair{"T_TRNK_CUTTER_NO", "CUTTER_NO_ID"}, std::pair{"T_TRNK_INSERT_NO", "INSERT_NO_ID"}})
        ForEachRow(
            connection,
            std::string("select ") + key + ", MATERIAL_ID from " + table + " where MATERIAL_ID IS NOT NULL",
            [&](const std::vector<db::Value>& row, std::size_t) {
                const std::string type =
                    toolTypes.contains(row[1].AsText()) ? row[1].AsText() : *toolTypes.begin();
                auto material = materialOf.find(type);
                if (material == materialOf.end()) {
                    const std::string number = "TOOLMAT-" + type;
                    connection.Execute(
                        "INSERT INTO T_TRNK_MATERIAL (MATERIAL_NAME, MATERIAL_NUMBER, MATERIALTYPE_ID) "
                        "VALUES (" +
                        Quoted("Tool material " + type) + ", " + Quoted(number) + ", " + type + ")");
                    material = materialOf
                                   .emplace(type, FirstValue(connection,
                                                             "select MATERIAL_ID from T_TRNK_MATERIAL where "
                                                             "MATERIAL_NUMBER = " +
                                                                 Quoted(number)))
                                   .first;
                }
                connection.Execute(std::string("UPDATE ") + table + " SET MATERIAL_ID = " + material->second +
                                   " WHERE " + key + " = " + row[0].AsText());
            });
}

// 37 replaces the blueprint table by a text on parts and materials: each blueprint text becomes a
// blueprint row again, which its parts and materials point at.
void BlueprintRows(db::Connection& connection) {
    for (const auto& [table, key] :
         {std::pair{"T_TRNK_PART", "PART_ID"}, std::pair{"T_TRNK_MATERIAL", "MATERIAL_ID"}})
        ForEachRow(
            connection,
            std::string("select ") + key + ", BPRINT from " + table + " where BPRINT IS NOT NULL order by " +
                key,
            [&](const std::vector<db::Value>& row, std::size_t) {
                const std::string name = Quoted(row[1].AsText());
                const std::string find = "select BPRINT_ID from T_TRNK_BPRINT where BPRINT_NAME = " + name;
                std::string id = FirstValue(connection, find);
                if (id.empty()) {
                    connection.Execute("INSERT INTO T_TRNK_BPRINT (BPRINT_NAME, BPRINT_NUMBER) VALUES (" +
                                       name + ", " + Quoted(row[1].AsText().substr(0, 30)) + ")");
                    id = FirstValue(connection, find);
                }
                connection.Execute(std::string("UPDATE ") + table + " SET BPRINT_ID = " + id + " WHERE " +
                                   key + " = " + row[0].AsText());
            });
}

// 46 collapses part families into their newest revision: every seventh part gets an older revision
// of its own, and heads the family.
void PartFamilies(db::Connection& connection) {
    const auto text = [](const db::Value& v) {
        return v.IsNull() ? std::string("NULL") : Quoted(v.AsText());
    };
    ForEachRow(connection,
               "select PART_ID, PART_NAME, PART_NUMBER, PARTTYPE_ID from T_TRNK_PART order by PART_ID",
               [&](const std::vector<db::Value>& part, std::size_t number) {
                   if (number % 7 != 3) return;
                   const std::string id = part[0].AsText();
                   connection.Execute("UPDATE T_TRNK_PART SET FAMILY_ID = " + id +
                                      ", REVISION = 2 WHERE PART_ID = " + id);
                   connection.Execute(
                       "INSERT INTO T_TRNK_PART (PART_NAME, PART_NUMBER, PARTTYPE_ID, REVISION, FAMILY_ID) "
                       "VALUES (" +
                       text(part[1]) + ", " + text(part[2]) + ", " + part[3].AsText() + ", 1, " + id + ")");
               });
}

// 1 brings the shifts: before them no person had one.
void PersonsWithoutShifts(db::Connection& connection) {
    connection.Execute("UPDATE T_TRNK_PERS SET SHIFT_ID = NULL WHERE SHIFT_ID IS NOT NULL");
}

// ---- Rows carried back into the forms the Gage, Tool and Traveler steps convert -----------------

// Gage 35 and tool 15 give each history row its own set of the number's dimensions and point the
// measurements at the set rows: in the old form each measurement names a dimension of its number,
// the one of the same name where there is one.
struct SetForm {
    const char* measurements;  // measurement rows with their set row's name and their number
    const char* dimensions;    // the numbers' dimensions: key, number, name
    const char* update;        // the measurement table and column, "T SET C = "
    const char* key;           // the measurement key column
};

void MeasurementsNameDimensions(db::Connection& connection, const SetForm& form) {
    std::map<std::pair<std::string, std::string>, std::string> byName;
    std::map<std::string, std::string> firstOf;
    for (const auto& row : ReadRows(connection, form.dimensions)) {
        if (row[1].IsNull()) continue;
        const std::string number = row[1].AsText();
        byName.emplace(std::pair{number, row[2].IsNull() ? std::string() : row[2].AsText()}, row[0].AsText());
        firstOf.emplace(number, row[0].AsText());
    }
    for (const auto& row : ReadRows(connection, form.measurements)) {
        if (row[2].IsNull()) continue;
        const std::string number = row[2].AsText();
        auto dim = byName.find({number, row[1].IsNull() ? std::string() : row[1].AsText()});
        const std::string* id = dim != byName.end() ? &dim->second : nullptr;
        if (!id) {
            const auto first = firstOf.find(number);
            if (first == firstOf.end()) continue;  // a number without dimensions keeps the set row's key
            id = &first->second;
        }
        connection.Execute(std::string("UPDATE ") + form.update + *id + " WHERE " + form.key + " = " +
                           row[0].AsText());
    }
}

void CalibrationsNameDimensions(db::Connection& connection) {
    MeasurementsNameDimensions(
        connection,
        {"select C.CALIBRATE_ID, S.DIM_NAME, G.GAUGE_NO_ID from T_TRNK_CALIBRATE C, T_TRNK_CAL_SET S, "
         "T_TRNK_CALHIST H, T_TRNK_GAUGES G where C.GAUGE_CAL_DIM_ID = S.CAL_SET_ID and S.CALHIST_ID = "
         "H.CALHIST_ID and H.GAUGE_ID = G.GAUGE_ID order by C.CALIBRATE_ID",
         "select GAUGE_CAL_DIM_ID, GAUGE_NO_ID, GAUGE_CAL_DIM_NAME from T_TRNK_GAUGE_CAL_DIM order by "
         "GAUGE_CAL_DIM_ID",
         "T_TRNK_CALIBRATE SET GAUGE_CAL_DIM_ID = ", "CALIBRATE_ID"});
}

void ReworksNameDimensions(db::Connection& connection) {
    MeasurementsNameDimensions(
        connection,
        {"select R.REWORK_ID, S.DIM_NAME, T.TOOL_NO_ID from T_TRNK_REWORK R, T_TRNK_TOOL_CAL_SET S, "
         "T_TRNK_REWORKHIST H, T_TRNK_TOOLS T where R.TOOL_REWORK_DIM_ID = S.TOOL_CAL_SET_ID and "
         "S.REWORKHIST_ID = H.REWORKHIST_ID and H.TOOL_ID = T.TOOL_ID order by R.REWORK_ID",
         "select TOOL_CAL_DIM_ID, TOOL_NO_ID, TOOL_CAL_DIM_NAME from T_TRNK_TOOL_CAL_DIM order by "
         "TOOL_CAL_DIM_ID",
         "T_TRNK_REWORK SET TOOL_REWORK_DIM_ID = ", "REWORK_ID"});
}

// Gage 29 makes the label strings of gage subtypes' metric operations into the subtypes' labels and
// reference dimensions of their gage numbers, and gives those the units and tolerances of the numbers'
// metrics: each subtype with labels gets its operation back, each reference dimension its metric,
// and the dimensions the step makes from the labels go, to come back with it. The operations are
// whole ones, named and numbered, as the pre-flight check of the migration reads them before the
// upgrade deletes them.
void GageMetricOperations(db::Connection& connection) {
    // The step is Oracle's alone; the operation's date is written in that dialect.
    if (connection.GetDialect() != db::Dialect::Oracle) return;
    const std::string creator =
        FirstValue(connection, "select PERSONNEL_ID from T_TRNK_PERS order by PERSONNEL_ID");
    if (creator.empty()) return;
    connection.Execute(
        "INSERT INTO T_TRNK_METRICS (METRICS_NAME, UNITS, PRECISION, TARGET_DIM, UPPER_TOL, LOWER_TOL, "
        "DIM_TYPE_ID, DETAILS, PTYPE_ID, TARGET_ID) SELECT GAUGE_REF_DIM_NAME, UNITS, PRECISION, TARGET_DIM, "
        "UPPER_TOL, LOWER_TOL, DIM_TYPE_ID, DETAILS, 3, GAUGE_NO_ID FROM T_TRNK_GAUGE_REF_DIM WHERE "
        "GAUGE_REF_DIM_NAME IS NOT NULL AND GAUGE_NO_ID IS NOT NULL");
    for (const auto& subtype : ReadRows(connection,
                                        "select GAUGE_SUBTYPE_ID, DIM_LABEL_STRING, NUM_DIMS from "
                                        "T_TRNK_GAUGE_SUBTYPE where DIM_LABEL_STRING IS NOT NULL order by "
                                        "GAUGE_SUBTYPE_ID")) {
        const std::vector<std::string> labels = legacy::SplitDimensionLabels(subtype[1].AsText());
        if (labels.empty()) continue;
        const std::string id = subtype[0].AsText();
        connection.Execute(
            "INSERT INTO T_TRNK_OPS (OPS_NAME, OPS_NUMBER, REVISION_NO, PTYPE_ID, TABLE_ID, TARGET_ID, "
            "OPS_STRING_DATA, OPS_NUMBER_DATA, CREATE_DATE, CREATOR_ID) VALUES ('Dimensions', " +
            Quoted("DIM-" + id) + ", 0, 3, 111, " + id + ", " + Quoted(subtype[1].AsText()) + ", " +
            (subtype[2].IsNull() ? std::string("NULL") : subtype[2].AsText()) +
            ", TO_DATE('2001-01-01', 'YYYY-MM-DD'), " + creator + ")");
        std::string names;
        for (const std::string& label : labels) names += (names.empty() ? "" : ", ") + Quoted(label);
        for (const auto& number : ReadRows(connection,
                                           "select GAUGE_NO_ID from T_TRNK_GAUGE_NO where "
                                           "GAUGE_SUBTYPE_ID = " +
                                               id))
            connection.Execute("DELETE FROM T_TRNK_GAUGE_REF_DIM WHERE GAUGE_NO_ID = " + number[0].AsText() +
                               " AND GAUGE_REF_DIM_NAME IN (" + names + ")");
    }
}

// Gage 21 dates the reports' modification by their disposition date, which it then drops.
void DispositionDates(db::Connection& connection) {
    connection.Execute("UPDATE T_TRNK_IRR SET OPEN_DISP_DATE = MODIFIED_DATE");
}

// Gage 17 lets gages go without a serial number or day counts: before it every gage had them.
void GagesWithSerialsAndDayCounts(db::Connection& connection) {
    for (const char* counter : {"TOTAL_DAYS_USED", "CAL_DAYS_USED"})
        connection.Execute(std::string("UPDATE T_TRNK_GAUGES SET ") + counter + " = 0 WHERE " + counter +
                           " IS NULL");
    for (const auto& gage :
         ReadRows(connection, "select GAUGE_ID from T_TRNK_GAUGES where SERIAL_NO IS NULL order by GAUGE_ID"))
        connection.Execute("UPDATE T_TRNK_GAUGES SET SERIAL_NO = " + Quoted("NS-" + gage[0].AsText()) +
                           " WHERE GAUGE_ID = " + gage[0].AsText());
}

// Traveler 14 reads the type as a text. A code outside the list has no text of its own; such a
// traveler is a process traveler in the old form, since a text the step does not know leaves the type
// Null, on which the traveler transfer stops.
void TravelerTypeTexts(db::Connection& connection) {
    const char* names[] = {"Assembly", "Fabrication", "Machining", "Outsource", "Process", "Rework"};
    for (int code = 0; code < 6; ++code)
        connection.Execute(std::string("UPDATE T_TRNK_TRAVELER SET TRAVELER_TYPE = ") + Quoted(names[code]) +
                           " WHERE TRAV_TYPE = " + std::to_string(code));
    connection.Execute("UPDATE T_TRNK_TRAVELER SET TRAVELER_TYPE = 'Process' WHERE TRAV_TYPE > 5");
}

// An old revision number: the digits after the last point of a text revision, 0 when there are none.
std::string RevisionNumber(const std::string& rev) {
    const auto point = rev.rfind('.');
    const std::string last = point == std::string::npos ? rev : rev.substr(point + 1);
    return AllDigits(last) && last.size() < 5 ? last : std::string("0");
}

// Traveler 13 splits an alternate's user revision "An.r" and moves its alternate status to the
// primary one: the alternates (an alternate number above 0) get both back.
void AlternateRevisions(db::Connection& connection) {
    for (const auto& row : ReadRows(connection,
                                    "select TRAVELER_ID, ALT_NUM, REV, STATUS_ID from T_TRNK_TRAVELER "
                                    "where ALT_NUM > 0 order by TRAVELER_ID")) {
        const std::int64_t status = row[3].AsInteger();
        const std::string rev =
            "A" + row[1].AsText() + "." + RevisionNumber(row[2].IsNull() ? std::string() : row[2].AsText());
        connection.Execute(
            "UPDATE T_TRNK_TRAVELER SET USER_REV = " + Quoted(rev.substr(0, 10)) +
            (status >= 19 && status <= 23 ? ", STATUS_ID = " + std::to_string(status + 5) : "") +
            " WHERE TRAVELER_ID = " + row[0].AsText());
    }
}

// Traveler 11 copies REV into the user revision it adds: an alternate's REV carries its "An.r" back.
void RevisionsFromUserRevisions(db::Connection& connection) {
    for (const auto& row : ReadRows(
             connection, "select TRAVELER_ID, USER_REV from T_TRNK_TRAVELER where USER_REV IS NOT NULL")) {
        const std::string rev = row[1].AsText();
        if (rev.starts_with("A") && rev.find('.') != std::string::npos)
            connection.Execute("UPDATE T_TRNK_TRAVELER SET REV = " + Quoted(rev) +
                               " WHERE TRAVELER_ID = " + row[0].AsText());
    }
}

// Traveler 8 makes the number and REV from the name and revision number: an alternate's name ends
// with "_An"; every traveler has a revision number.
void NamesAndRevisionNumbers(db::Connection& connection) {
    for (const auto& row : ReadRows(connection,
                                    "select TRAVELER_ID, TRAVELER_NUMBER, REV from T_TRNK_TRAVELER "
                                    "order by TRAVELER_ID")) {
        const std::string number = row[1].IsNull() ? std::string() : row[1].AsText();
        const std::string rev = row[2].IsNull() ? std::string() : row[2].AsText();
        const auto point = rev.find('.');
        std::string name = number;
        if (!rev.empty() && rev[0] == 'A' && point != std::string::npos)
            name = number + "_" + rev.substr(0, point);
        connection.Execute("UPDATE T_TRNK_TRAVELER SET TRAVELER_NAME = " +
                           (row[1].IsNull() ? std::string("NULL") : Quoted(name.substr(0, 40))) +
                           ", TRAVELER_REVISION = " + RevisionNumber(rev) +
                           " WHERE TRAVELER_ID = " + row[0].AsText());
    }
}

// Row work of one major step's ageing: `before` runs while the database still has the step's later
// form; `between` once what the step dropped is back and before what it added goes.
struct OldForm {
    int step;
    void (*before)(db::Connection&);
    void (*between)(db::Connection&);
};

constexpr OldForm kCommonOldForms[] = {
    {59, DiameterUnitTexts, nullptr},
    {58, UnitAndShapeTexts, nullptr},
    {52, DuplicateMaterialNumbers, nullptr},
    {47, EventsOnMachines, nullptr},
    {41, MaterialsForCuttersAndInserts, nullptr},
    {46, PartFamilies, nullptr},
    {37, nullptr, BlueprintRows},
    {1, PersonsWithoutShifts, nullptr},
};

constexpr OldForm kGageOldForms[] = {
    {35, CalibrationsNameDimensions, nullptr},
    {29, GageMetricOperations, nullptr},
    {21, nullptr, DispositionDates},
    {17, GagesWithSerialsAndDayCounts, nullptr},
};
constexpr OldForm kToolOldForms[] = {{15, ReworksNameDimensions, nullptr}};
constexpr OldForm kTravelerOldForms[] = {
    {14, TravelerTypeTexts, nullptr},
    {13, AlternateRevisions, nullptr},
    {11, RevisionsFromUserRevisions, nullptr},
    {8, NamesAndRevisionNumbers, nullptr},
};

std::span<const OldForm> OldFormsOf(Module module) {
    switch (module) {
        case Module::Common:
            return kCommonOldForms;
        case Module::Gage:
            return kGageOldForms;
        case Module::Tool:
            return kToolOldForms;
        case Module::Traveler:
            return kTravelerOldForms;
        case Module::MDC:
            break;
    }
    return {};
}

const OldForm* OldFormOf(Module module, int step) {
    for (const OldForm& form : OldFormsOf(module))
        if (form.step == step) return &form;
    return nullptr;
}

void Run(db::Connection& connection, const std::vector<std::string>& statements) {
    for (const std::string& sql : statements) connection.Execute(sql);
}

void CheckModule(db::Dialect dialect, const ModuleVersion& version) {
    const int oldest = legacy::OldestMajor(version.module, dialect);
    const int last = static_cast<int>(
        std::stoi(legacy::SplitLegacyVersion(legacy::ModuleProgramVersion(version.module)).major));
    if (version.major < oldest || version.major > last)
        throw std::invalid_argument(
            "the " + std::string(legacy::ModuleName(version.module)) + " module can be aged to majors " +
            std::to_string(oldest) + " to " + std::to_string(last) + " in the " +
            std::string(db::DialectName(dialect)) + " dialect, not " + std::to_string(version.major));
}

void AgeModule(db::Connection& connection, const ModuleVersion& version) {
    const db::Dialect dialect = connection.GetDialect();
    const auto& steps = legacy::MajorStepsOf(version.module);
    for (auto step = steps.rbegin(); step != steps.rend() && step->from >= version.major; ++step) {
        const OldForm* form = OldFormOf(version.module, step->from);
        if (form && form->before) form->before(connection);
        // Steps with row work in the middle put their old form back first; the others are taken
        // back change by change, newest first, as a table a step drops and creates again needs.
        const bool split = form && form->between;
        std::vector<std::string> restore, remove;
        for (auto change = step->changes.rbegin(); change != step->changes.rend(); ++change)
            for (std::string& sql : legacy::TakeBackStatements(*change, *step, dialect))
                (split && legacy::RestoresEarlierForm(change->kind) ? restore : remove)
                    .push_back(std::move(sql));
        Run(connection, restore);
        if (split) form->between(connection);
        Run(connection, remove);
    }
    connection.Execute("UPDATE T_TRNK_COMMON SET RESERVED0 = " +
                       Quoted(std::to_string(version.major) + "." + version.minor) +
                       " WHERE APP_ID = " + std::to_string(legacy::ModuleAppId(version.module)));
}

void CheckMDC(db::Dialect, const ModuleVersion& version) {
    if (version.major < 1 || version.major > 9)
        throw std::invalid_argument("the MDC module can be aged to majors 1 to 9, not " +
                                    std::to_string(version.major));
}

void AgeMDC(db::Connection& connection, const ModuleVersion& version) {
    AgeSampleMDC(connection, version.major, version.minor);
}

// Drops the tables of the modules left out with their Oracle sequences. Their tables point at each
// other in no order the catalogs keep, so a table still referenced waits for the next round.
void DropModules(db::Connection& connection, const std::vector<Module>& modules) {
    std::vector<const legacy::LegacyTable*> left;
    for (Module module : modules)
        for (const legacy::LegacyTable& table : legacy::LegacyTables(module)) left.push_back(&table);
    while (!left.empty()) {
        std::vector<const legacy::LegacyTable*> referenced;
        std::string lastError;
        for (const legacy::LegacyTable* table : left) try {
                connection.Execute("DROP TABLE " + table->name);
                if (connection.GetDialect() == db::Dialect::Oracle && !table->sequenceName.empty())
                    connection.Execute("DROP SEQUENCE " + table->sequenceName);
            } catch (const db::DbError& e) {
                referenced.push_back(table);
                lastError = e.what();
            }
        if (referenced.size() == left.size()) throw db::DbError(lastError);
        left = std::move(referenced);
    }
}

// How each module is aged, in the order they are: the products first, while the Common tables they
// point at still have their last form. `check` refuses a version before anything is changed; a
// module without `age` cannot be aged yet.
struct Ageing {
    Module module;
    void (*check)(db::Dialect, const ModuleVersion&);
    void (*age)(db::Connection&, const ModuleVersion&);
};
constexpr Ageing kAgeing[] = {{Module::Traveler, CheckModule, AgeModule},
                              {Module::Tool, CheckModule, AgeModule},
                              {Module::Gage, CheckModule, AgeModule},
                              {Module::MDC, CheckMDC, AgeMDC},
                              {Module::Common, CheckModule, AgeModule}};

const ModuleVersion* Requested(std::span<const ModuleVersion> versions, Module module) {
    for (const ModuleVersion& version : versions)
        if (version.module == module) return &version;
    return nullptr;
}

}  // namespace

ModuleVersion ParseModuleVersion(std::string_view text) {
    const auto equals = text.find('=');
    if (equals == std::string_view::npos)
        throw std::invalid_argument("--version takes MODULE=MAJOR.MINOR (for example common=44.120), not '" +
                                    std::string(text) + "'");
    ModuleVersion version{};
    if (!legacy::ParseModuleWord(text.substr(0, equals), version.module))
        throw std::invalid_argument("unknown module '" + std::string(text.substr(0, equals)) +
                                    "' in --version: use common, gage, mdc, tool or traveler");
    const std::string_view number = text.substr(equals + 1);
    const auto point = number.find('.');
    const std::string_view major = number.substr(0, point);
    const std::string_view minor =
        point == std::string_view::npos ? std::string_view() : number.substr(point + 1);
    if (!AllDigits(major) || !AllDigits(minor) || major.size() > 4 || minor.size() > 6)
        throw std::invalid_argument("the version in '" + std::string(text) +
                                    "' must be MAJOR.MINOR, two whole numbers (for example 44.120)");
    std::from_chars(major.data(), major.data() + major.size(), version.major);
    version.minor = std::string(minor);
    return version;
}

std::vector<Module> ModulesLeftOut(std::span<const ModuleVersion> versions) {
    const ModuleVersion* common = Requested(versions, Module::Common);
    if (!common) return {};
    std::set<std::string> present;
    for (const legacy::LegacyTable& table : legacy::CommonTablesAtMajor(common->major))
        present.insert(table.name);
    std::set<std::string> common61;
    for (const legacy::LegacyTable& table : legacy::LegacyTables(Module::Common)) common61.insert(table.name);
    // A module is left out when one of its keys points at a Common table not there yet, or at a module
    // left out itself.
    std::vector<Module> out;
    for (bool changed = true; changed;) {
        changed = false;
        for (Module module : legacy::kAllModules) {
            if (module == Module::Common || std::ranges::find(out, module) != out.end()) continue;
            bool missing = false;
            for (const legacy::LegacyTable& table : legacy::LegacyTables(module))
                for (const legacy::LegacyForeignKey& fk : table.foreignKeys) {
                    if (common61.contains(fk.referencedTable))
                        missing |= !present.contains(fk.referencedTable);
                    for (Module gone : out)
                        for (const legacy::LegacyTable& goneTable : legacy::LegacyTables(gone))
                            missing |= goneTable.name == fk.referencedTable;
                }
            if (missing) {
                out.push_back(module);
                changed = true;
            }
        }
    }
    return out;
}

void CheckModuleVersions(db::Dialect dialect, std::span<const ModuleVersion> versions) {
    for (std::size_t i = 0; i < versions.size(); ++i)
        for (std::size_t j = i + 1; j < versions.size(); ++j)
            if (versions[i].module == versions[j].module)
                throw std::invalid_argument("--version names the " +
                                            std::string(legacy::ModuleName(versions[i].module)) +
                                            " module twice");
    for (const Ageing& ageing : kAgeing)
        if (const ModuleVersion* version = Requested(versions, ageing.module)) {
            if (!ageing.age)
                throw std::invalid_argument("older versions of the " +
                                            std::string(legacy::ModuleName(ageing.module)) +
                                            " module cannot be produced yet");
            if (ageing.check) ageing.check(dialect, *version);
        }
    for (Module module : ModulesLeftOut(versions))
        if (Requested(versions, module))
            throw std::invalid_argument(
                "the " + std::string(legacy::ModuleName(module)) +
                " module cannot be part of a plant at that Common version: its tables "
                "point at Common tables the version does not have");
}

void AgeSamplePlant(db::Connection& connection, std::span<const ModuleVersion> versions) {
    CheckModuleVersions(connection.GetDialect(), versions);
    DropModules(connection, ModulesLeftOut(versions));
    for (const Ageing& ageing : kAgeing)
        if (const ModuleVersion* version = Requested(versions, ageing.module))
            ageing.age(connection, *version);
}

}  // namespace tmigration::sample
