#include "legacy/MDCMajorSteps.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <stdexcept>

#include "legacy/CommonMajorSteps.h"
#include "legacy/LegacyTableCreator.h"
#include "legacy/catalog/LegacyDdl.h"
#include "legacy/catalog/LegacyTableLists.h"
#include "mdc/CMDCMigration5To6Class.h"
#include "util/VbConversions.h"

namespace tmigration::legacy {
namespace {

using db::Dialect;

// Version 1 kept a shift's downtime in nine duration columns of the shift history; version 2
// keeps one downtime row per cause. Column, downtime and its type (maintenance and other planned
// downtime were filed with the unplanned types, 5).
struct DurationColumn {
    std::string_view column;
    int downtimeId;
    int ptypeId;
};
constexpr DurationColumn kDurationColumns[] = {
    {"MATERIAL_UDT", 5, 5},    {"MAINTENANCE_UDT", 8, 5}, {"TOOLING_UDT", 7, 5},
    {"GAUGING_UDT", 6, 5},     {"OTHER_UDT", 9, 5},       {"MEETINGS_PDT", 1, 6},
    {"MAINTENANCE_PDT", 3, 5}, {"BREAKS_PDT", 2, 6},      {"OTHER_PDT", 4, 5},
};

// 1 to 2: the downtime rows already there take their downtime's type (the retired type 33 becomes
// 5); then each shift history's non-zero durations become downtime rows.
void SplitShiftDowntimes(core::Step& step, Dialect) {
    std::map<std::int64_t, db::Value> typeOfDowntime;
    db::Recordset& rows = step.OpenClient("select * from T_TRNK_DOWNTIME_SHIFT_HISTORY ");
    for (; !rows.Eof(); rows.MoveNext()) {
        // A row without a downtime, or whose downtime is gone, says nothing about its type: kept.
        const db::Value downtime = rows.Get("DOWNTIME_ID");
        if (downtime.IsNull()) continue;
        auto known = typeOfDowntime.find(downtime.AsInteger());
        if (known == typeOfDowntime.end()) {
            db::Recordset& type = step.OpenClient(
                "select PTYPE_ID  from T_TRNK_DOWNTIME  where DOWNTIME_ID = " + downtime.AsText());
            const std::optional<db::Value> found =
                type.Eof() ? std::nullopt : std::optional<db::Value>(type.Get("PTYPE_ID"));
            step.Close(type);
            if (!found) continue;
            known = typeOfDowntime.emplace(downtime.AsInteger(), *found).first;
        }
        const db::Value& ptype = known->second;
        rows.Set("PTYPE_ID", !ptype.IsNull() && ptype.AsInteger() == 33 ? db::Value(5) : ptype);
        rows.Update();
    }
    step.Close(rows);

    db::Recordset& shifts = step.OpenClient("select * from T_TRNK_SHIFT_HISTORY ");
    db::Recordset& added =
        step.OpenServer("select * from T_TRNK_DOWNTIME_SHIFT_HISTORY  where DOWNTIME_SHIFT_HISTORY_ID = 0 ");
    for (; !shifts.Eof(); shifts.MoveNext()) {
        for (const DurationColumn& column : kDurationColumns) {
            // A duration never recorded (Null) is no downtime, as is a zero one.
            const db::Value duration = shifts.Get(std::string(column.column));
            if (duration.IsNull() || duration.AsDouble() == 0) continue;
            added.AddNew();
            added.Set("DURATION", duration);
            added.Set("SHIFT_HISTORY_ID", shifts.Get("SHIFT_HISTORY_ID"));
            added.Set("DOWNTIME_ID", db::Value(column.downtimeId));
            added.Set("PTYPE_ID", db::Value(column.ptypeId));
            added.Update();
        }
    }
}

// 5 to 6: the version-5 machine events become buffers and shift histories, inside this step's
// transaction.
void ReplayVersion5Events(core::Step& step, Dialect dialect) {
    std::string error;
    Require(step, mdc::CMDCMigration5To6Class().MigrateEvents(error, static_cast<std::int16_t>(dialect)),
            error);
}

// 7 to 8: the scrapped count of each buffer becomes a scrap row of the "not specified" code 100,
// dated at the buffer's stop.
void StartBufferScrapRows(core::Step& step, Dialect) {
    db::Recordset& buffers = step.OpenClient(
        "select * from T_TRNK_SH_BUFFER  where SCRAPPED_COUNT IS NOT NULL  and SCRAPPED_COUNT > 0 ");
    if (buffers.Eof()) return;
    db::Recordset& scrap =
        step.OpenServer("select * from T_TRNK_SCRAP_CODE_SH_BUFFER  where SCRAP_CODE_SH_BUFFER_ID = 0 ");
    for (; !buffers.Eof(); buffers.MoveNext()) {
        scrap.AddNew();
        scrap.Set("SCRAP_CODE_NUMBER", db::Value("100"));
        scrap.Set("SH_BUFFER_ID", buffers.Get("SH_BUFFER_ID"));
        scrap.Set("QTY", buffers.Get("SCRAPPED_COUNT"));
        scrap.Set("START_TIME", buffers.Get("STOP_TIME"));
        scrap.Update();
    }
}

// 8 to 9: the old setting in the module row is cleared; from minor 113 on it lives as option 1.
void ClearLegacySetting(core::Step& step, Dialect) {
    db::Recordset& module = step.OpenClient("select * from T_TRNK_COMMON  where APP_ID = 31");
    if (module.Eof()) step.FailWithText("T_TRNK_COMMON has no version row for the MDC module (APP_ID 31)");
    module.Set("RESERVED1", db::Value("0"));
    module.Update();
}

constexpr MDCChange kStep1[] = {{MDCChangeKind::Convert, {}, {}, SplitShiftDowntimes}};
constexpr MDCChange kStep2[] = {{MDCChangeKind::CreateTable, "T_TRNK_SH_BUFFER", {}},
                                {MDCChangeKind::CreateTable, "T_TRNK_DT_SH_BUFFER", {}}};
constexpr MDCChange kStep3[] = {{MDCChangeKind::AddColumn, "T_TRNK_SH_BUFFER", "SHIFT_END"}};
constexpr MDCChange kStep4[] = {{MDCChangeKind::AddColumn, "T_TRNK_DT_SH_BUFFER", "START_TIME"},
                                {MDCChangeKind::AddColumn, "T_TRNK_DT_SH_BUFFER", "STOP_TIME"}};
constexpr MDCChange kStep5[] = {{MDCChangeKind::Convert, {}, {}, ReplayVersion5Events}};
constexpr MDCChange kStep6[] = {{MDCChangeKind::AddColumn, "T_TRNK_SH_BUFFER", "OP_NUMBER"},
                                {MDCChangeKind::AddColumn, "T_TRNK_SH_BUFFER", "OP_EVENT_ID"},
                                {MDCChangeKind::AddColumn, "T_TRNK_SH_BUFFER", "OP_BUFFER_ID"}};
constexpr MDCChange kStep7[] = {{MDCChangeKind::CreateTable, "T_TRNK_SCRAP_CODE_SH_BUFFER", {}},
                                {MDCChangeKind::Convert, {}, {}, StartBufferScrapRows}};
constexpr MDCChange kStep8[] = {{MDCChangeKind::Convert, {}, {}, ClearLegacySetting}};

constexpr MDCMajorStep kSteps[] = {{1, kStep1}, {2, kStep2}, {3, kStep3}, {4, kStep4},
                                   {5, kStep5}, {6, kStep6}, {7, kStep7}, {8, kStep8}};

// The key clause the buffer tables were created with on SQL Server, which the catalog writes
// without NOT NULL.
void SqlServerKeyForm(std::string& createTable) {
    constexpr std::string_view catalogKey = "IDENTITY(1,1) PRIMARY KEY";
    const auto at = createTable.find(catalogKey);
    if (at != std::string::npos)
        createTable.replace(at, catalogKey.size(), "IDENTITY(1,1) NOT NULL PRIMARY KEY");
}

const LegacyColumn& ColumnOf(const LegacyTable& table, std::string_view column) {
    for (const LegacyColumn& c : table.columns)
        if (c.name == column) return c;
    throw std::out_of_range("the MDC catalog has no column " + std::string(column) + " in " + table.name);
}

}  // namespace

std::span<const MDCMajorStep> MDCMajorSteps() {
    return kSteps;
}

const MDCMajorStep* FindMDCMajorStep(int major) {
    for (const MDCMajorStep& step : kSteps)
        if (step.from == major) return &step;
    return nullptr;
}

std::vector<LegacyTable> MDCTablesAtMajor(int major) {
    std::vector<LegacyTable> tables = LegacyTables(Module::MDC);
    for (auto step = std::rbegin(kSteps); step != std::rend(kSteps) && step->from >= major; ++step)
        for (auto change = step->changes.rbegin(); change != step->changes.rend(); ++change) {
            const auto table =
                std::ranges::find_if(tables, [&](const LegacyTable& t) { return t.name == change->table; });
            if (change->kind == MDCChangeKind::CreateTable)
                tables.erase(table);
            else if (change->kind == MDCChangeKind::AddColumn)
                std::erase_if(table->columns,
                              [&](const LegacyColumn& c) { return c.name == change->column; });
        }
    return tables;
}

std::vector<std::string> MDCChangeStatements(const MDCChange& change, int from, Dialect dialect) {
    if (change.kind == MDCChangeKind::Convert) return {};
    // What a step adds has the form it had right after the step.
    const std::vector<LegacyTable> after = MDCTablesAtMajor(from + 1);
    const auto table =
        std::ranges::find_if(after, [&](const LegacyTable& t) { return t.name == change.table; });
    if (table == after.end()) throw std::logic_error("no MDC table " + std::string(change.table));
    if (change.kind == MDCChangeKind::AddColumn)
        return {AddColumnStatement(table->name, ColumnOf(*table, change.column), dialect)};
    std::vector<std::string> sql;
    for (StatementKind kind : {StatementKind::Table, StatementKind::Index, StatementKind::Sequence,
                               StatementKind::Trigger, StatementKind::Constraint})
        for (std::string& statement : RenderLegacyDdl(*table, kind, dialect)) {
            if (kind == StatementKind::Table && dialect == Dialect::SqlServer) SqlServerKeyForm(statement);
            sql.push_back(std::move(statement));
        }
    return sql;
}

std::vector<std::string> MDCTakeBackStatements(int major, Dialect dialect) {
    std::vector<std::string> sql;
    for (auto step = std::rbegin(kSteps); step != std::rend(kSteps) && step->from >= major; ++step)
        for (auto change = step->changes.rbegin(); change != step->changes.rend(); ++change) {
            const std::string table(change->table);
            if (change->kind == MDCChangeKind::AddColumn) {
                sql.push_back("ALTER TABLE " + table + " DROP COLUMN " + std::string(change->column));
            } else if (change->kind == MDCChangeKind::CreateTable) {
                if (dialect == Dialect::Oracle) {
                    const LegacyTable& last = *std::ranges::find_if(
                        LegacyTables(Module::MDC), [&](const LegacyTable& t) { return t.name == table; });
                    sql.push_back("DROP TRIGGER " + last.triggerName);
                    sql.push_back("DROP SEQUENCE " + last.sequenceName);
                }
                sql.push_back("DROP TABLE " + table);
            }
        }
    return sql;
}

void RunMDCMajorStep(core::Step& step, const MDCMajorStep& major, Dialect dialect) {
    for (const MDCChange& change : major.changes) {
        if (change.kind == MDCChangeKind::Convert) {
            change.convert(step, dialect);
            continue;
        }
        for (const std::string& sql : MDCChangeStatements(change, major.from, dialect)) ExecuteIn(step, sql);
    }
}

}  // namespace tmigration::legacy
