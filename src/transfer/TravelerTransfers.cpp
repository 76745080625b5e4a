// Travelers and what hangs off them: customers, operations, first article signoffs and the items
// each operation needs; then the reference dimensions of part types and parts. A traveler's
// revision chain points at other travelers, so the travelers are written first and their chains
// filled in a second walk over the same rows.
#include <string>

#include "core/Step.h"
#include "transfer/BuiltTransfers.h"
#include "transfer/CribColumns.h"
#include "transfer/FirstArticleSignoffText.h"
#include "transfer/GetNewID.h"
#include "util/VbConversions.h"

namespace tmigration::transfer {
namespace {

using Read = CodeTable::Read;

const CodeTable kTravelerType{Read::Number, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}};
// In Process, Pending, Released, Deleted, Old; the alternate statuses have no new code.
const CodeTable kTravelerStatus{Read::Number, {{19, 0}, {23, 1}, {21, 2}, {20, 3}, {22, 4}}};

// The revision number: the part after the first "." when there is one, else the whole text.
Column Revision() {
    return Computed("REV", [](TransferRow& row) -> std::optional<db::Value> {
        std::string text = row.legacy.Get("REV").AsText();
        if (const auto dot = text.find('.'); dot != std::string::npos) text = text.substr(dot + 1);
        return db::Value(static_cast<int>(util::CInt(db::Value(text))));
    });
}

const std::vector<Column>& TravelerColumns() {
    static const std::vector<Column> columns{Same("TRAVELER_NUMBER"),
                                             Same("TRAVELER_NAME"),
                                             Revision(),
                                             Same("USER_REV"),
                                             Coded("TRAV_TYPE_CODE", "TRAV_TYPE", kTravelerType),
                                             Coded("STATUS_CODE", "STATUS_ID", kTravelerStatus),
                                             Copy("TRAVELER_LINE", "ALT_NUM"),
                                             Via("PART_ID", "PART_ID", "T_TRNK_PART", "PART_ID"),
                                             ReferenceFlag("PARTSF"),
                                             Copy("NOTES", "DETAIL")};
    return columns;
}

constexpr const char* kRevisionChain[] = {"FAMILY_ID", "PREV_REV_ID", "NEXT_REV_ID"};

// Every traveler is appended, then both row sets are walked again in step to translate the
// revision chain, which may point at travelers appended after the row itself.
TransferCounts MigrateTravelers(core::Step& step) {
    const auto& columns = TravelerColumns();
    db::Recordset& legacy = step.OpenClient("select * from T_TRNK_TRAVELER");
    const std::int64_t rows = legacy.RecordCount();
    if (rows < 1) {
        step.Close(legacy);
        return {};
    }
    const std::int64_t total = 2 * rows;
    db::Recordset& destination = step.OpenServer("select * from T_SFC_TRAVELER");
    std::vector<OrdinalState> unused(columns.size());
    TransferCounts counts;
    std::int64_t done = 0;
    for (legacy.MoveFirst(); !legacy.Eof();) {
        TransferRow row{step, legacy, destination};
        destination.AddNew();
        for (std::size_t i = 0; i < columns.size(); ++i) ApplyColumn(columns[i], row, unused[i]);
        destination.Update();
        legacy.Set("SFC_ID", db::Value(util::CLng(destination.Get("TRAVELER_ID"))));
        legacy.Update();
        ++counts.read;
        ++counts.written;
        legacy.MoveNext();
        step.ShowProgress(++done, total);
    }
    legacy.MoveFirst();
    destination.MoveFirst();
    while (!legacy.Eof()) {
        for (const char* column : kRevisionChain)
            destination.Set(column,
                            GetNewID("T_TRNK_TRAVELER", "TRAVELER_ID", db::Value(legacy.Get(column))));
        destination.Update();
        legacy.MoveNext();
        destination.MoveNext();
        step.ShowProgress(++done, total);
    }
    step.Close(destination);
    step.Close(legacy);
    return counts;
}

std::string TextOf(const db::Value& v) {
    return v.IsNull() ? std::string() : v.AsText();
}

// The one row of a new table with that key, read through `read` and closed again.
template <class Read>
auto ReadRow(core::Step& step, const std::string& table, const std::string& key, const db::Value& id,
             Read read) {
    db::Recordset& rs =
        step.OpenClient("select * from " + table + " " + " where " + key + " = " + id.AsText());
    auto result = read(rs);
    step.Close(rs);
    return result;
}

Column Signoff() {
    return Computed("NOTES", [](TransferRow& row) -> std::optional<db::Value> {
        const std::int32_t op = util::CLng(row.destination.Get("OP_PER_TRAV_ID"));
        const std::int32_t user = util::CLng(row.destination.Get("USER_ID"));
        return db::Value(BuildFirstArticleSignoffText(row.step, op, user));
    });
}

// A per-operation reference: the owning traveler operation, the item, the flag, the ordinal
// renumbered per operation, the notes and the extra columns of the item.
Pass PerOperation(std::string_view legacyTable, std::string_view legacyOrdinal, std::string_view destination,
                  std::string_view key, Column item, std::vector<Column> extra = {}) {
    std::vector<Column> columns{Via("OP_PER_TRAV_ID", "OPS_ID", "T_TRNK_OPSPERTRAV", "OPSPERTRAV_ID"),
                                std::move(item)};
    for (auto& column : extra) columns.push_back(std::move(column));
    columns.push_back(ReferenceFlag("GENERIC_SF"));
    columns.push_back(Ordinal("ORDINAL", "OPS_ID"));
    columns.push_back(Copy("NOTES", "DESCRIPTION"));
    return MakePass(
        "select * from " + std::string(legacyTable) + " " + " order by OPS_ID, " + std::string(legacyOrdinal),
        destination, key, std::move(columns));
}

std::vector<BuiltTransfer> Declarations() {
    std::vector<BuiltTransfer> transfers;
    const auto add = [&](std::string_view name, Transfer transfer) {
        transfers.push_back({name, Declared(std::move(transfer))});
    };
    transfers.push_back(
        {"MigrateTravelers", [](core::Step& step, db::Dialect) { return MigrateTravelers(step); }});

    const Column traveler = Via("TRAVELER_ID", "TRAVELER_ID", "T_TRNK_TRAVELER", "TRAVELER_ID");
    add("MigrateTravelerCustomers",
        {MakePass("select * from T_TRNK_CUST_TRAV " + std::string(" order by TRAVELER_ID, ORDINAL"),
                  "T_SFC_CUSTOMER_PER_TRAV", "CUSTOMER_PER_TRAV_ID",
                  {traveler, Via("CUSTOMER_ID", "CUSTOMER_ID", "T_TRNK_CUSTOMER", "CUSTOMER_ID"),
                   Ordinal("ORDINAL", "TRAVELER_ID")})});

    add("MigrateTravelerOperations",
        {MakePass("select * from T_TRNK_OPSPERTRAV " + std::string(" order by TRAVELER_ID, ORDINAL"),
                  "T_SFC_OP_PER_TRAV", "OP_PER_TRAV_ID",
                  {traveler, Via("OP_ID", "OPS_ID", "T_TRNK_OPS", "OPS_ID"),
                   Copy("SEQUENCE_NUMBER", "OPSPERTRAV_NUMBER"), Same("SETUP_TIME"), Same("TEARDOWN_TIME"),
                   Same("CYCLE_TIME"), Same("NUM_OF_OPERATORS"), Same("OPS_PER_DAY"), Same("PLAN_PER_HR"),
                   ReferenceFlag("GENERIC_SF"), Ordinal("ORDINAL", "TRAVELER_ID"),
                   Copy("WORK_NOTES", "WORK_DESC"), Copy("SETUP_NOTES", "SETUP_DESC")})});

    add("MigrateFirstArticleSignoffs",
        {MakePass("select * from T_TRNK_FPS", "T_SFC_FAS", "FAS_ID",
                  {Via("OP_PER_TRAV_ID", "OPSPERTRAV_ID", "T_TRNK_OPSPERTRAV", "OPSPERTRAV_ID"),
                   Via("USER_ID", "PERSONNEL_ID", "T_TRNK_PERS", "PERSONNEL_ID"),
                   Copy("FAS_DATE", "SIGNOFF_DATE"), Signoff()})});

    add("MigrateCutterNumbersPerTravelerOperations",
        {PerOperation("T_TRNK_CUTTERPEROP", "CUTTERPEROP_ORDINAL", "T_SFC_CUTTER_NO_PER_OP",
                      "CUTTER_NO_PER_OP_ID",
                      Via("CUTTER_NO_ID", "CUTTER_NO_ID", "T_TRNK_CUTTER_NO", "CUTTER_NO_ID"),
                      {Copy("QTY", "QUANTITY"), Copy("NUM_CYCLES", "CYCLES_PER_CUTTER")})});
    add("MigrateGageNumbersPerTravelerOperations",
        {PerOperation("T_TRNK_GAUGEPEROP", "GAUGEPEROP_ORDINAL", "T_SFC_GAGE_NO_PER_OP", "GAGE_NO_PER_OP_ID",
                      Via("GAGE_NO_ID", "GAUGE_ID", "T_TRNK_GAUGE_NO", "GAUGE_NO_ID"))});
    add("MigrateInsertNumbersPerTravelerOperations",
        {PerOperation("T_TRNK_INSERTPEROP", "INSERTPEROP_ORDINAL", "T_SFC_INSERT_NO_PER_OP",
                      "INSERT_NO_PER_OP_ID",
                      Via("INSERT_NO_ID", "INSERT_NO_ID", "T_TRNK_INSERT_NO", "INSERT_NO_ID"),
                      {Copy("QTY", "QUANTITY"), Copy("NUM_CYCLES", "CYCLES_PER_INSERT")})});
    add("MigrateInspectionsPerTravelerOperations",
        {PerOperation("T_TRNK_INSPEROP", "INSPEROP_ORDINAL", "T_SFC_INSPECTION_PER_OP",
                      "INSPECTION_PER_OP_ID",
                      Via("INSPECTION_ID", "INSPECTION_ID", "T_TRNK_INSPECTION", "INSPECTION_ID"))});
    add("MigrateKitNumbersPerTravelerOperations",
        {PerOperation("T_TRNK_KITPEROP", "KITPEROP_ORDINAL", "T_SFC_KIT_NO_PER_OP", "KIT_NO_PER_OP_ID",
                      Via("KIT_NO_ID", "KIT_NO_ID", "T_TRNK_KIT_NO", "KIT_NO_ID"))});
    add("MigrateMachinesPerTravelerOperations",
        {PerOperation("T_TRNK_MACHINEPEROP", "MACHINE_ORDINAL", "T_SFC_MACHINE_PER_OP", "MACHINE_PER_OP_ID",
                      Via("MACHINE_ID", "MACHINE_ID", "T_TRNK_MACHINES", "MACHINE_ID"),
                      {Same("CYCLE_TIME"), Copy("CNC_PROGRAM", "OP_PROG_NUMBER")})});
    add("MigrateMaterialsPerTravelerOperations",
        {PerOperation("T_TRNK_MATERIALPEROP", "MATERIALPEROP_ORDINAL", "T_SFC_MATERIAL_PER_OP",
                      "MATERIAL_PER_OP_ID",
                      Via("MATERIAL_ID", "MATERIAL_ID", "T_TRNK_MATERIAL", "MATERIAL_ID"))});
    add("MigratePartsPerTravelerOperations",
        {PerOperation("T_TRNK_PARTPEROP", "PARTPEROP_ORDINAL", "T_SFC_PART_PER_OP", "PART_PER_OP_ID",
                      Via("PART_ID", "PART_ID", "T_TRNK_PART", "PART_ID"))});
    add("MigrateToolNumbersPerTravelerOperations",
        {PerOperation(
            "T_TRNK_TOOLPEROP", "TOOLPEROP_ORDINAL", "T_SFC_TOOL_NO_PER_OP", "TOOL_NO_PER_OP_ID",
            Via("TOOL_NO_ID", "TOOL_ID", "T_TRNK_TOOL_NO", "TOOL_NO_ID"),
            {Same("NUM_CYCLES"), Copy("POSITION", "TOOL_POSITION"), Copy("OFFSET", "TOOL_OFFSET")})});

    add("MigratePartTypeReferenceDimensions",
        {MakePass("select * from T_TRNK_PARTTYPE_REF_DIM", "T_SFC_PART_TYPE_REF_DIM", "PART_TYPE_REF_DIM_ID",
                  {Via("PART_TYPE_ID", "PARTTYPE_ID", "T_TRNK_PARTTYPE", "PARTTYPE_ID"),
                   Copy("DIM_NAME", "REF_DIM_NAME"), Same("NOTES")})});
    add("MigratePartReferenceDimensions",
        {MakePass(
            "select * from T_TRNK_PART_REF_DIM", "T_SFC_PART_REF_DIM", "PART_REF_DIM_ID",
            {Via("PART_TYPE_REF_DIM_ID", "PARTTYPE_REF_DIM_ID", "T_TRNK_PARTTYPE_REF_DIM",
                 "PARTTYPE_REF_DIM_ID"),
             Via("PART_ID", "PART_ID", "T_TRNK_PART", "PART_ID"), Copy("DIM_VALUE", "REF_DIM_VALUE")})});
    return transfers;
}

}  // namespace

std::string BuildFirstArticleSignoffText(core::Step& step, std::int32_t opPerTravelerId,
                                         std::int32_t userId) {
    const auto [travelerId, opId] = ReadRow(
        step, "T_SFC_OP_PER_TRAV", "OP_PER_TRAV_ID", db::Value(opPerTravelerId), [](db::Recordset& rs) {
            return std::pair<db::Value, db::Value>(rs.Get("TRAVELER_ID"), rs.Get("OP_ID"));
        });
    const std::string operation = ReadRow(step, "T_SFC_OP", "OP_ID", opId, [](db::Recordset& rs) {
        return TextOf(rs.Get("OP_NUMBER")) + " - " + TextOf(rs.Get("OP_NAME"));
    });
    const std::string user = ReadRow(step, "T_SFC_USER", "USER_ID", db::Value(userId), [](db::Recordset& rs) {
        return TextOf(rs.Get("USER_NAME")) + " - " + TextOf(rs.Get("FIRST_NAME")) + " " +
               TextOf(rs.Get("LAST_NAME"));
    });
    const std::string traveler =
        ReadRow(step, "T_SFC_TRAVELER", "TRAVELER_ID", travelerId, [](db::Recordset& rs) {
            std::string text = TextOf(rs.Get("TRAVELER_NUMBER")) + " - " + TextOf(rs.Get("TRAVELER_NAME")) +
                               " rev " + TextOf(rs.Get("USER_REV"));
            const db::Value& line = rs.Get("TRAVELER_LINE");
            if (!line.IsNull() && line.AsDouble() > 0) text += " Alternate " + line.AsText();
            return text;
        });
    return user + " performed a First Article Signoff on Operation " + operation + " of Traveler " + traveler;
}

const std::vector<BuiltTransfer>& TravelerTransfers() {
    static const std::vector<BuiltTransfer> transfers = Declarations();
    return transfers;
}

}  // namespace tmigration::transfer
