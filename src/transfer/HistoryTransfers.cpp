// History, cutter and insert history, maintenance history, attachments, number format strings and
// options. They run after every entity transfer, because history and attachments may point at a
// row of any table: the legacy (table code, id) pair is translated through the table-code map,
// and a row whose target cannot be translated is passed over rather than written half-empty.
#include <algorithm>
#include <memory>
#include <string>

#include "core/Step.h"
#include "transfer/BuiltTransfers.h"
#include "transfer/GetNewID.h"
#include "transfer/TranslateHistoryAction.h"
#include "transfer/TranslateTableTarget.h"
#include "util/VbConversions.h"

namespace tmigration::transfer {
namespace {

using Read = CodeTable::Read;

// History of a traveler's operations and of what those operations use is kept on the traveler:
// the legacy rows of these sub-records carry the traveler's id as their target.
constexpr std::int16_t kTravelerSubRecords[] = {18, 32, 44, 48, 56, 62, 66, 70, 74, 91};
constexpr std::int16_t kTravelerTableCode = 95;
// A deletion is still worth keeping when what was deleted is gone.
constexpr std::int64_t kKeptWithoutTarget = 104;
constexpr int kExcludedHistoryAction = 65;

// Legacy table codes of gage and tool types: their attachments go to every new type made from them.
constexpr std::int16_t kLegacyGageType = 55, kLegacyToolType = 67;
constexpr std::int16_t kNewGageType = 35, kNewToolType = 94;

const CodeTable kAppCode{Read::Text, {{"TRAVELER", 1}, {"MDC", 2}, {"TOOLING", 3}, {"GAUGING", 3}}, {}, 3};
const CodeTable kAttachmentType{Read::Number, {{56, 0}, {57, 1}}};
const CodeTable kShowOnShopFloor{Read::Text, {{"YES", 0}}, 1, 1};
const CodeTable kTravelerCode{Read::Text, {{"WORK", 0}, {"SETUP", 1}, {"BOTH", 2}}, {}, 2};
const CodeTable kFormatTable{
    Read::Number,
    {{3, 95}, {5, 72}, {52, 88}, {54, 29}, {68, 65}, {120, 40}, {125, 50}, {156, 14}, {222, 54}}};
const CodeTable kFormatField{Read::Text,
                             {{"CUTTER_NO_NUMBER", "CUTTER_NO_NUMBER"},
                              {"GAUGE_NO", "GAGE_NO_NUMBER"},
                              {"INSERT_NO_NUMBER", "INSERT_NO_NUMBER"},
                              {"JOB_NUMBER", "JOB_NUMBER"},
                              {"KIT_NO", "KIT_NO_NUMBER"},
                              {"MATERIAL_NUMBER", "MATERIAL_NUMBER"},
                              {"PART_NUMBER", "PART_NUMBER"},
                              {"TOOL_NO", "TOOL_NO_NUMBER"},
                              {"TRAVELER_NUMBER", "TRAVELER_NUMBER"},
                              {"USER_REV", "USER_REV"}}};

std::optional<std::int64_t> IdOf(const db::Value& value) {
    if (value.IsNull()) return std::nullopt;
    return value.AsInteger();
}

db::Value ValueOf(const std::optional<std::int64_t>& id) {
    return id ? db::Value(static_cast<long long>(*id)) : db::Value();
}

// What a polymorphic legacy row translates to; filled for the row being written.
struct Target {
    std::int16_t tableCode = -1;
    db::Value id;
    std::int16_t action = -1;
    std::int32_t ordinal = 0;
};
using SharedTarget = std::shared_ptr<Target>;

// Why a polymorphic row is passed over.
constexpr std::string_view kNoNewTable = "its legacy table has no new table";
constexpr std::string_view kNoNewAction = "its legacy action has no new action";
constexpr std::string_view kTargetNotMigrated = "the record it belongs to was not migrated";

// The reason for a row whose target or action did not translate; always false.
bool PassOver(TransferRow& row, const Target& target) {
    row.skipReason = target.tableCode == -1 ? kNoNewTable
                     : target.action == -1  ? kNoNewAction
                                            : kTargetNotMigrated;
    return false;
}

// Decides whether the current legacy row is written (filling the target) or passed over.
using TargetRule = std::function<bool(TransferRow& row, Target& target)>;
// The columns of a targeted row; they may read the target.
using TargetColumns = std::function<std::vector<Column>(const SharedTarget& target)>;

// A writer for polymorphic rows: the rule translates the target first, and only a row it accepts
// gets a destination row, set by the columns in order.
RowWriterFactory Targeted(TargetRule rule, TargetColumns columnsOf) {
    return [rule = std::move(rule), columnsOf = std::move(columnsOf)](core::Step&) -> RowWriter {
        auto target = std::make_shared<Target>();
        auto columns = std::make_shared<const std::vector<Column>>(columnsOf(target));
        auto ordinals = std::make_shared<std::vector<OrdinalState>>(columns->size());
        return [rule, target, columns, ordinals](TransferRow& row) {
            if (!rule(row, *target)) return false;
            row.destination.AddNew();
            for (std::size_t i = 0; i < columns->size(); ++i) ApplyColumn((*columns)[i], row, (*ordinals)[i]);
            row.destination.Update();
            return true;
        };
    };
}

Column TableCode(const SharedTarget& t) {
    return Computed("TABLE_CODE",
                    [t](TransferRow&) { return db::Value(static_cast<std::int32_t>(t->tableCode)); });
}
Column TargetId(const SharedTarget& t) {
    return Computed("TARGET_ID", [t](TransferRow&) { return t->id; });
}
Column ActionCode(const SharedTarget& t) {
    return Computed("ACTION_CODE",
                    [t](TransferRow&) { return db::Value(static_cast<std::int32_t>(t->action)); });
}

bool IsTravelerSubRecord(std::int16_t tableCode) {
    return std::find(std::begin(kTravelerSubRecords), std::end(kTravelerSubRecords), tableCode) !=
           std::end(kTravelerSubRecords);
}

// History: sub-records of travelers are moved onto the traveler; untranslatable tables and actions
// are passed over, and so is history whose target is gone, except that of a deletion.
bool HistoryTarget(TransferRow& row, Target& target) {
    const std::int16_t legacyCode = util::CInt(row.legacy.Get("SUBTYPE_ID"));
    const db::Value& legacyTarget = row.legacy.Get("TARGET_ID");
    TableTarget translated = TranslateTableTarget(legacyCode, IdOf(legacyTarget));
    if (IsTravelerSubRecord(translated.tableCode)) {
        translated.tableCode = kTravelerTableCode;
        translated.id = GetNewID("T_TRNK_TRAVELER", "TRAVELER_ID", IdOf(legacyTarget));
    }
    const db::Value& action = row.legacy.Get("ACTION_ID");
    target.action = TranslateHistoryAction(legacyCode, util::CInt(action));
    target.tableCode = translated.tableCode;
    target.id = ValueOf(translated.id);
    if (target.tableCode == -1 || target.action == -1) return PassOver(row, target);
    return translated.id || action.AsInteger() == kKeptWithoutTarget || PassOver(row, target);
}

// Cutter and insert history is kept only where both its target and its action translate.
bool CutterAndInsertTarget(TransferRow& row, Target& target) {
    const std::int16_t legacyCode = util::CInt(row.legacy.Get("TABLE_ID"));
    const TableTarget translated = TranslateTableTarget(legacyCode, IdOf(row.legacy.Get("TARGET_ID")));
    target.tableCode = translated.tableCode;
    target.id = ValueOf(translated.id);
    target.action = TranslateHistoryAction(legacyCode, util::CInt(row.legacy.Get("ACTION_ID")));
    return (translated.id && target.tableCode != -1 && target.action != -1) || PassOver(row, target);
}

// Attachments of one record are numbered 1, 2, 3 in the order read; the count starts again
// whenever the legacy table or target changes, across batches too.
TargetRule AttachmentTarget() {
    struct Previous {
        db::Value table = db::Value(-1), target = db::Value(-1);
    };
    auto previous = std::make_shared<Previous>();
    return [previous](TransferRow& row, Target& target) {
        const db::Value& table = row.legacy.Get("TABLE_ID");
        const db::Value& legacyTarget = row.legacy.Get("TARGET_ID");
        const TableTarget translated = TranslateTableTarget(util::CInt(table), IdOf(legacyTarget));
        if (!translated.id || translated.tableCode == -1) {
            row.skipReason = translated.tableCode == -1 ? kNoNewTable : kTargetNotMigrated;
            return false;
        }
        target.tableCode = translated.tableCode;
        target.id = ValueOf(translated.id);
        const bool sameRecord = table == previous->table && legacyTarget == previous->target;
        target.ordinal = sameRecord ? target.ordinal + 1 : 1;
        previous->table = table;
        previous->target = legacyTarget;
        return true;
    };
}

std::vector<Column> AttachmentColumns() {
    return {Via("ATTACHMENT_SRC_ID", "MEDIASRC_ID", "T_TRNK_MEDIASRC", "MEDIASRC_ID"),
            Copy("ATTACHMENT_DEST_NAME", "MEDIADEST_NAME"),
            Coded("SHOW_ON_SF", "RESTRICTED", kShowOnShopFloor),
            Coded("TRAVELER_CODE", "MEDIA_TYPE", kTravelerCode), Same("NOTES")};
}

// The attachments of a legacy gage or tool type, copied to each new type made from one of its
// subtypes after the attachments that new type already has. Nothing is written back. A subtype
// that never became a new type has nowhere to take them.
struct TypeAttachments {
    std::string_view subtypeTable;
    std::string_view typeKey;
    std::int16_t legacyCode;
    std::int16_t newCode;
};

TransferCounts CopyTypeAttachments(core::Step& step, const TypeAttachments& t) {
    TransferCounts counts;
    db::Recordset& subtypes =
        step.OpenClient("select " + std::string(t.typeKey) + ", SFC_ID " + " from " +
                        std::string(t.subtypeTable) + " " + " order by " + std::string(t.typeKey) + " ");
    const std::int64_t total = subtypes.RecordCount();
    const std::vector<Column> columns = AttachmentColumns();
    std::int64_t done = 0;
    for (; !subtypes.Eof(); subtypes.MoveNext()) {
        const db::Value newType = subtypes.Get("SFC_ID");
        if (!newType.IsNull()) {
            db::Recordset& legacy =
                step.OpenClient("select * from T_TRNK_MEDIADEST " + std::string(" where TABLE_ID = ") +
                                std::to_string(t.legacyCode) +
                                " and TARGET_ID = " + subtypes.Get(std::string(t.typeKey)).AsText());
            db::Recordset& existing = step.OpenServer(
                "select * from T_SFC_ATTACHMENT_DEST " + std::string(" where TABLE_CODE = ") +
                std::to_string(t.newCode) + " and TARGET_ID = " + newType.AsText() + " order by ORDINAL");
            std::int32_t ordinal = 0;
            for (; !existing.Eof(); existing.MoveNext()) {
                const db::Value& last = existing.Get("ORDINAL");
                ordinal = last.IsNull() ? 0 : util::CLng(last);
            }
            for (; !legacy.Eof(); legacy.MoveNext()) {
                ++counts.read;
                TransferRow row{step, legacy, existing};
                existing.AddNew();
                existing.Set("TABLE_CODE", db::Value(static_cast<std::int32_t>(t.newCode)));
                existing.Set("TARGET_ID", newType);
                existing.Set("ORDINAL", db::Value(++ordinal));
                OrdinalState unused;
                for (const Column& column : columns) ApplyColumn(column, row, unused);
                existing.Update();
                ++counts.written;
            }
            step.Close(existing);
            step.Close(legacy);
        }
        step.ShowProgress(++done, total);
    }
    step.Close(subtypes);
    return counts;
}

Pass BatchedPass(std::string_view legacyTable, std::string_view legacyKey, std::string extra,
                 std::string_view destination, std::string_view key) {
    Pass pass;
    pass.batches = Batches{legacyTable, legacyKey, std::move(extra)};
    pass.destination = destination;
    pass.key = key;
    return pass;
}

std::vector<BuiltTransfer> Declarations() {
    std::vector<BuiltTransfer> transfers;
    const auto add = [&](std::string_view name, Transfer transfer) {
        transfers.push_back({name, Declared(std::move(transfer))});
    };

    Pass history = BatchedPass("T_TRNK_HISTORY", "HISTORY_ID",
                               " and ACTION_ID <> " + std::to_string(kExcludedHistoryAction), "T_SFC_HISTORY",
                               "HISTORY_ID");
    history.writer = Targeted(HistoryTarget, [](const SharedTarget& t) {
        return std::vector<Column>{TableCode(t),
                                   ActionCode(t),
                                   TargetId(t),
                                   Same("HISTORY_DATE"),
                                   Via("USER_ID", "MODIFIED_BY_ID", "T_TRNK_PERS", "PERSONNEL_ID"),
                                   Coded("APP_CODE", "APP_NAME", kAppCode),
                                   Copy("COMPONENT_NAME", "PURGE_NAME"),
                                   Copy("NOTES", "DESCRIPTION")};
    });
    add("MigrateHistory", {history});

    Pass icHistory =
        BatchedPass("T_TRNK_IC_HISTORY", "IC_HISTORY_ID", "", "T_SFC_IC_HISTORY", "IC_HISTORY_ID");
    icHistory.writer = Targeted(CutterAndInsertTarget, [](const SharedTarget& t) {
        return std::vector<Column>{TableCode(t),
                                   TargetId(t),
                                   Via("MODIFIED_BY_ID", "MODIFIED_BY_ID", "T_TRNK_PERS", "PERSONNEL_ID"),
                                   ActionCode(t),
                                   Same("HISTORY_DATE"),
                                   Via("MACHINE_ID", "MACHINE_ID", "T_TRNK_MACHINES", "MACHINE_ID"),
                                   Via("USER_ID", "USER_ID", "T_TRNK_PERS", "PERSONNEL_ID"),
                                   Same("QTY"),
                                   Same("NOTES")};
    });
    add("MigrateCutterAndInsertHistory", {icHistory});

    Pass maintenance = BatchedPass("T_TRNK_MAINTENANCE_HISTORY", "MAINTENANCE_HISTORY_ID", "",
                                   "T_SFC_MAINTENANCE_HISTORY", "MAINTENANCE_HISTORY_ID");
    maintenance.columns = {Same("CHART_DATE"),
                           Via("REASON_CODE_ID", "REASON_ID", "T_TRNK_REASON", "REASON_ID"),
                           Via("MACHINE_ID", "MACHINE_ID", "T_TRNK_MACHINES", "MACHINE_ID"),
                           Via("USER_ID", "USER_ID", "T_TRNK_PERS", "PERSONNEL_ID"),
                           Same("DURATION"),
                           Same("START_TIME"),
                           Same("STOP_TIME"),
                           Same("NOTES")};
    add("MigrateMaintenanceHistory", {maintenance});

    Pass sources =
        BatchedPass("T_TRNK_MEDIASRC", "MEDIASRC_ID", "", "T_SFC_ATTACHMENT_SRC", "ATTACHMENT_SRC_ID");
    sources.columns = {Copy("FULL_PATH", "FILEPATHNAME"),
                       Coded("ATTACHMENT_TYPE_CODE", "PTYPE_ID", kAttachmentType)};
    add("MigrateAttachments", {sources});

    Pass destinations = BatchedPass("T_TRNK_MEDIADEST", "MEDIADEST_ID",
                                    " and TABLE_ID NOT IN (" + std::to_string(kLegacyGageType) + ", " +
                                        std::to_string(kLegacyToolType) + ") " +
                                        " order by TABLE_ID, TARGET_ID, MEDIA_ORDINAL",
                                    "T_SFC_ATTACHMENT_DEST", "ATTACHMENT_DEST_ID");
    destinations.writer = [](core::Step& step) {
        return Targeted(AttachmentTarget(), [](const SharedTarget& t) {
            std::vector<Column> columns = AttachmentColumns();
            columns.insert(columns.begin() + 2,
                           Computed("ORDINAL", [t](TransferRow&) { return db::Value(t->ordinal); }));
            columns.insert(columns.begin() + 3, TableCode(t));
            columns.insert(columns.begin() + 4, TargetId(t));
            return columns;
        })(step);
    };
    transfers.push_back({"MigrateAttachmentsPerComponents",
                         [destinations = std::move(destinations)](core::Step& step, db::Dialect) {
                             TransferCounts counts = RunPass(step, destinations);
                             counts += CopyTypeAttachments(step, {"T_TRNK_TOOL_SUBTYPE", "TOOL_TYPE_ID",
                                                                  kLegacyToolType, kNewToolType});
                             counts += CopyTypeAttachments(step, {"T_TRNK_GAUGE_SUBTYPE", "GAUGE_TYPE_ID",
                                                                  kLegacyGageType, kNewGageType});
                             return counts;
                         }});

    Pass formats;
    formats.query = "select * from T_TRNK_AUTO_INC " + std::string(" where IS_DONE IS NOT NULL");
    formats.destination = "T_SFC_FORMAT_STRING";
    formats.destinationQuery =
        "select * from T_SFC_FORMAT_STRING" + std::string(" where FORMAT_STRING_ID = 0");
    formats.key = "FORMAT_STRING_ID";
    formats.columns = {Coded("TABLE_CODE", "TABLE_ID", kFormatTable),
                       Coded("FIELD_NAME", "FIELD_NAME", kFormatField), Same("FORMAT_STRING"),
                       Copy("NEXT_VALUE", "NEXT_NUMBER")};
    add("MigrateFormatStrings", {formats});

    // The two legacy options have seeded counterparts of the same number; any other option has
    // none and is passed over.
    Pass options;
    options.query = "select * from T_TRNK_OPTIONS";
    options.destination = "T_SFC_OPTION";
    options.key = "OPTION_ID";
    options.writeBack = {WriteBack::Form::None};
    options.writer = [](core::Step&) -> RowWriter {
        return [](TransferRow& row) {
            const std::int32_t option = util::CLng(row.legacy.Get("OPTION_VALUE"));
            if (option != 1 && option != 2) {
                row.skipReason = "the option has no new option";
                return false;
            }
            row.destination.MoveFirst();
            row.destination.Find("OPTION_CODE = " + std::to_string(option));
            row.destination.Set("BOOL_VAL", row.legacy.Get("BOOL_VAL"));
            row.destination.Update();
            return true;
        };
    };
    add("MigrateOptions", {options});
    return transfers;
}

}  // namespace

const std::vector<BuiltTransfer>& HistoryTransfers() {
    static const std::vector<BuiltTransfer> transfers = Declarations();
    return transfers;
}

}  // namespace tmigration::transfer
