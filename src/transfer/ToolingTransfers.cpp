// The catalog of the tool and gage cribs: cutter, insert, kit, tool and gage types and numbers with
// their vendor entries, dimensions, material and part references, per-crib stock, purchase orders
// and their lines. Tool and gage types are read through a join of type and subtype, so their new
// keys are written back to the subtype with a statement.
#include <string>

#include "core/NumberText.h"
#include "transfer/BuiltTransfers.h"
#include "transfer/CribColumns.h"
#include "util/VbConversions.h"

namespace tmigration::transfer {
namespace {

using Read = CodeTable::Read;

// New table codes of the catalog numbers, the owners of vendor entries and kit components.
constexpr std::int64_t kCutterNumbers = 14, kInsertNumbers = 40, kToolNumbers = 88, kGageNumbers = 29;

// Legacy ids of the reference rows translated here.
constexpr std::int64_t kFirstCutterShape = 3379, kLastCutterShape = 3395;
constexpr std::int64_t kFirstInsertShape = 3421, kLastInsertShape = 3427;

CodeTable Range(std::int64_t first, std::int64_t last) {
    CodeTable t{Read::Number, {}, std::nullopt, db::Value()};
    for (std::int64_t id = first; id <= last; ++id) t.codes.emplace_back(id, static_cast<int>(id - first));
    return t;
}

const CodeTable kCutterShape = Range(kFirstCutterShape, kLastCutterShape);
const CodeTable kInsertShape = Range(kFirstInsertShape, kLastInsertShape);
const CodeTable kFluteType{Read::Number, {{3376, 0}, {3377, 1}, {3378, 2}}, std::nullopt, db::Value()};
// A tool's rework type gives its rework type code and whether it is reworked before first use.
const CodeTable kReworkType{Read::Number, {{175, 0}, {176, 2}, {177, 1}, {178, 3}}, std::nullopt, 3};
const CodeTable kInitialRework{Read::Number, {{175, 1}, {176, 1}, {177, 1}, {178, 0}}, std::nullopt, 0};
const CodeTable kCalibrationType{Read::Number, {{1, 0}, {2, 2}, {4, 1}}, std::nullopt, 0};
const CodeTable kDimensionType{Read::Number, {{25, 0}, {26, 1}}};
const CodeTable kOrderStatus{Read::Number, {{82, 0}, {83, 1}, {84, 2}}};

Column Crib() {
    return Via("CRIB_ID", "CRIB_ID", "T_TRNK_LOCATION", "LOCATION_ID");
}

// The stock quantities numbers keep in their crib.
std::vector<Column> StockColumns() {
    return {Same("AVAILABLE_QTY"), Same("CHECKED_OUT_QTY"), Same("INACTIVE_QTY"),
            Same("LOST_QTY"),      Same("ON_ORDER_QTY"),    Crib(),
            Same("NOTES")};
}

void Append(std::vector<Column>& to, std::vector<Column> more) {
    for (auto& column : more) to.push_back(std::move(column));
}

// The text of a field, empty for Null, as texts are joined.
std::string TextOf(const db::Value& v) {
    return v.IsNull() ? std::string() : v.AsText();
}

// A joined type: "<type> <subtype>".
Column JoinedName(std::string_view destination, std::string_view type, std::string_view subtype) {
    const std::string t(type), s(subtype);
    return Computed(destination, [t, s](TransferRow& row) -> std::optional<db::Value> {
        return db::Value(TextOf(row.legacy.Get(t)) + " " + TextOf(row.legacy.Get(s)));
    });
}

// The notes of type and subtype, joined by "; " when both have some.
Column JoinedNotes(std::string_view typeNotes, std::string_view subtypeNotes) {
    const std::string t(typeNotes), s(subtypeNotes);
    return Computed("NOTES", [t, s](TransferRow& row) -> std::optional<db::Value> {
        const db::Value typeText = row.legacy.Get(t), subtypeText = row.legacy.Get(s);
        if (typeText.IsNull()) return subtypeText;
        if (subtypeText.IsNull()) return typeText;
        return db::Value(typeText.AsText() + "; " + subtypeText.AsText());
    });
}

// One gage type reference dimension per name of the subtype's label text.
void GageTypeDimensions(TransferRow& row) {
    const db::Value labels = row.legacy.Get("DIM_LABEL_STRING");
    if (labels.IsNull()) return;
    const std::int32_t type = util::CLng(row.destination.Get("GAGE_TYPE_ID"));
    std::vector<std::string> names;
    const int count = core::SplitSemicolonList(labels.AsText(), names);
    for (int i = 0; i < count; ++i) {
        row.second->AddNew();
        row.second->Set("GAGE_TYPE_ID", db::Value(type));
        row.second->Set("DIM_NAME", db::Value(names[static_cast<std::size_t>(i)]));
        row.second->Set("ORDINAL", db::Value(i + 1));
        row.second->Update();
    }
}

// A dimension of a catalog number: the parent, the name, units by text, the tolerances, the
// renumbered ordinal and the notes; calibration and rework dimensions also have a type and a flag.
Pass Dimensions(std::string legacyTable, std::string_view destination, std::string_view key,
                std::string_view parent, std::string_view legacyParent, std::string_view parentTable,
                std::string_view name, bool typed) {
    std::vector<Column> columns{Via(parent, legacyParent, parentTable, legacyParent),
                                Copy("DIM_NAME", name),
                                UnitsByText(),
                                Same("PRECISION"),
                                Same("TARGET_DIM"),
                                Same("UPPER_TOL"),
                                Same("LOWER_TOL"),
                                Ordinal("ORDINAL", legacyParent),
                                Copy("NOTES", "DETAILS")};
    if (typed) {
        columns.push_back(Coded("DIM_TYPE_CODE", "DIM_TYPE_ID", kDimensionType));
        columns.push_back(Required());
    }
    return MakePass(
        "select * from " + legacyTable + " " + " order by " + std::string(legacyParent) + ", ORDINAL",
        destination, key, std::move(columns));
}

// A link of two translated keys (and, for crib stock, quantities).
Pass Link(std::string_view legacyTable, std::string_view destination, std::string_view key,
          std::vector<Column> columns) {
    return MakePass("select * from " + std::string(legacyTable), destination, key, std::move(columns));
}

Pass PurchaseOrders(std::string_view legacyTable) {
    return MakePass("select * from " + std::string(legacyTable), "T_SFC_PO", "PO_ID",
                    {Same("PO_NUMBER"), Via("VENDOR_ID", "VENDOR_ID", "T_TRNK_VENDOR", "VENDOR_ID"),
                     Via("ORDERED_BY_ID", "ORDERED_BY_ID", "T_TRNK_PERS", "PERSONNEL_ID"),
                     Coded("STATUS_CODE", "STATUS_ID", kOrderStatus), Same("ORDERED_DATE"),
                     Same("EXPECTED_DATE"), Same("RECEIVED_DATE"), Same("COST"), Same("NOTES")});
}

Pass OrderLines(std::string_view legacyTable, std::string_view destination, std::string_view key,
                std::string_view orderColumn, std::string_view orderTable, Column item) {
    return Link(legacyTable, destination, key,
                {Via("PO_ID", orderColumn, orderTable, orderColumn), std::move(item), Same("QTY"),
                 Same("COST"), Copy("CATALOG_NUMBER", "VENDOR_NUMBER")});
}

std::vector<BuiltTransfer> Declarations() {
    std::vector<BuiltTransfer> transfers;
    const auto add = [&](std::string_view name, Transfer transfer) {
        transfers.push_back({name, Declared(std::move(transfer))});
    };

    add("MigrateCutterTypes",
        {MakePass("select * from T_TRNK_CUTTERTYPE", "T_SFC_CUTTER_TYPE", "CUTTER_TYPE_ID",
                  {Copy("CUTTER_TYPE_NAME", "CUTTERTYPE_NAME"), Copy("NOTES", "DESCRIPTION")})});

    std::vector<Column> cutter{
        Same("CUTTER_NO_NUMBER"),
        Same("CUTTER_NO_NAME"),
        Via("CUTTER_TYPE_ID", "CUTTERTYPE_ID", "T_TRNK_CUTTERTYPE", "CUTTERTYPE_ID"),
        Same("ISO_NUMBER"),
        Via("MATERIAL_TYPE_ID", "MATERIAL_ID", "T_TRNK_MATERIALTYPE", "MATERIALTYPE_ID"),
        UnitsById(),
        Coded("SHAPE_CODE", "SHAPE_ID", kCutterShape),
        Same("DIAMETER"),
        Copy("FLUTE_LENGTH", "HEIGHT"),
        Same("ANGLE"),
        Copy("RADIUS", "CORNER_RADIUS"),
        Same("BOTTOM_DIAMETER"),
        Same("BOTTOM_HEIGHT"),
        Same("SHANK_DIAMETER"),
        Copy("OVERALL_LENGTH", "SHANK_HEIGHT"),
        Copy("NUM_FLUTES", "NUM_OF_FLUTES"),
        Coded("FLUTE_TYPE_CODE", "FLUTE_TYPE_ID", kFluteType),
        YesNo("IS_COOLANT_FED", "IS_COOLANT_FED", 0),
        Same("MIN_ORDER_QTY"),
        Copy("MIN_QTY", "MIN_REORDER_QTY"),
        Same("MAX_QTY"),
        YesNo("DISPOSABLE", "DISPOSABLE", 0)};
    Append(cutter, StockColumns());
    Pass cutters = MakePass("select * from T_TRNK_CUTTER_NO", "T_SFC_CUTTER_NO", "CUTTER_NO_ID", cutter);
    AddVendorSlots(cutters, kCutterNumbers);
    add("MigrateCutterNumbers", {cutters});

    Pass gageTypes = MakePass(
        "select T_TRNK_GAUGE_TYPE.GAUGE_TYPE, " +
            std::string(" T_TRNK_GAUGE_TYPE.DETAILS AS GT_NOTES, "
                        "T_TRNK_GAUGE_SUBTYPE.GAUGE_SUBTYPE_NAME, ") +
            " T_TRNK_GAUGE_SUBTYPE.DETAILS AS GST_NOTES, T_TRNK_GAUGE_SUBTYPE.GAUGE_SUBTYPE_ID, " +
            " T_TRNK_GAUGE_SUBTYPE.DIM_LABEL_STRING " + " from T_TRNK_GAUGE_TYPE, T_TRNK_GAUGE_SUBTYPE " +
            " where T_TRNK_GAUGE_SUBTYPE.GAUGE_TYPE_ID = T_TRNK_GAUGE_TYPE.GAUGE_TYPE_ID ",
        "T_SFC_GAGE_TYPE", "GAGE_TYPE_ID",
        {JoinedName("GAGE_TYPE_NAME", "GAUGE_TYPE", "GAUGE_SUBTYPE_NAME"),
         JoinedNotes("GT_NOTES", "GST_NOTES")});
    gageTypes.writeBack = {WriteBack::Form::Statement, "T_TRNK_GAUGE_SUBTYPE", "GAUGE_SUBTYPE_ID"};
    gageTypes.secondDestination = "select * from T_SFC_GAGE_TYPE_REF_DIM";
    gageTypes.extraRows = GageTypeDimensions;
    add("MigrateGageTypes", {gageTypes});

    Pass gages =
        MakePass("select * from T_TRNK_GAUGE_NO", "T_SFC_GAGE_NO", "GAGE_NO_ID",
                 {Copy("GAGE_NO_NUMBER", "GAUGE_NO"), Copy("GAGE_NO_NAME", "GAUGE_NAME"),
                  Via("GAGE_TYPE_ID", "GAUGE_SUBTYPE_ID", "T_TRNK_GAUGE_SUBTYPE", "GAUGE_SUBTYPE_ID"),
                  Same("ISO_NUMBER"), Same("MIN_ORDER_QTY"), Copy("MIN_QTY", "MIN_REORDER_QTY"),
                  Same("MAX_QTY"), Crib(), Coded("CAL_TYPE_CODE", "CALTYPE_ID", kCalibrationType),
                  ZeroWhenNull("FREQUENCY", "FREQUENCY"), ZeroWhenNull("MAX_ELAPSE", "MAX_ELAPSE"),
                  Copy("NOTES", "DETAILS")});
    AddVendorSlots(gages, kGageNumbers);
    add("MigrateGageNumbers", {gages});

    Pass toolTypes = MakePass(
        "select T_TRNK_TOOL_TYPE.TOOL_TYPE, " +
            std::string(" T_TRNK_TOOL_TYPE.DETAILS AS TT_NOTES, T_TRNK_TOOL_SUBTYPE.TOOL_SUBTYPE_NAME, ") +
            " T_TRNK_TOOL_SUBTYPE.DETAILS AS TST_NOTES, T_TRNK_TOOL_SUBTYPE.TOOL_SUBTYPE_ID " +
            " from T_TRNK_TOOL_TYPE, T_TRNK_TOOL_SUBTYPE " +
            " where T_TRNK_TOOL_SUBTYPE.TOOL_TYPE_ID = T_TRNK_TOOL_TYPE.TOOL_TYPE_ID ",
        "T_SFC_TOOL_TYPE", "TOOL_TYPE_ID",
        {JoinedName("TOOL_TYPE_NAME", "TOOL_TYPE", "TOOL_SUBTYPE_NAME"),
         JoinedNotes("TT_NOTES", "TST_NOTES")});
    toolTypes.writeBack = {WriteBack::Form::Statement, "T_TRNK_TOOL_SUBTYPE", "TOOL_SUBTYPE_ID"};
    add("MigrateToolTypes", {toolTypes});

    Pass tools =
        MakePass("select * from T_TRNK_TOOL_NO", "T_SFC_TOOL_NO", "TOOL_NO_ID",
                 {Copy("TOOL_NO_NUMBER", "TOOL_NO"), Copy("TOOL_NO_NAME", "TOOL_NAME"),
                  Via("TOOL_TYPE_ID", "TOOL_SUBTYPE_ID", "T_TRNK_TOOL_SUBTYPE", "TOOL_SUBTYPE_ID"),
                  Same("ISO_NUMBER"), Same("MIN_ORDER_QTY"), Copy("MIN_QTY", "MIN_REORDER_QTY"),
                  Same("MAX_QTY"), Copy("DIAMETER", "TOOL_DIAMETER"), UnitsById(), Same("ORIENTATION"),
                  Crib(), Coded("REWORK_TYPE_CODE", "REWORKTYPE_ID", kReworkType),
                  Coded("INITIAL_REWORK_FLAG", "REWORKTYPE_ID", kInitialRework),
                  ZeroWhenNull("FREQUENCY", "FREQUENCY"), ZeroWhenNull("MAX_ELAPSE", "MAX_ELAPSE"),
                  Copy("NOTES", "DETAILS")});
    AddVendorSlots(tools, kToolNumbers);
    add("MigrateToolNumbers", {tools});

    add("MigrateInsertTypes",
        {MakePass("select * from T_TRNK_INSERTTYPE", "T_SFC_INSERT_TYPE", "INSERT_TYPE_ID",
                  {Copy("INSERT_TYPE_NAME", "INSERTTYPE_NAME"), Copy("NOTES", "DESCRIPTION")})});

    std::vector<Column> insert{
        Same("INSERT_NO_NUMBER"),
        Same("INSERT_NO_NAME"),
        Via("INSERT_TYPE_ID", "INSERTTYPE_ID", "T_TRNK_INSERTTYPE", "INSERTTYPE_ID"),
        Same("ISO_NUMBER"),
        Via("MATERIAL_TYPE_ID", "MATERIAL_ID", "T_TRNK_MATERIALTYPE", "MATERIALTYPE_ID"),
        Same("IC"),
        Same("THICKNESS"),
        Same("TOLERANCE"),
        Same("ANGLE"),
        Same("CORNER_RADIUS"),
        UnitsById(),
        Coded("SHAPE_CODE", "SHAPE_ID", kInsertShape),
        Same("MIN_ORDER_QTY"),
        Copy("MIN_QTY", "MIN_REORDER_QTY"),
        Same("MAX_QTY"),
        YesNo("DISPOSABLE", "DISPOSABLE", 1)};
    Append(insert, StockColumns());
    Pass inserts = MakePass("select * from T_TRNK_INSERT_NO", "T_SFC_INSERT_NO", "INSERT_NO_ID", insert);
    AddVendorSlots(inserts, kInsertNumbers);
    add("MigrateInsertNumbers", {inserts});

    add("MigrateKitTypes", {MakePass("select * from T_TRNK_KITTYPE", "T_SFC_KIT_TYPE", "KIT_TYPE_ID",
                                     {Copy("KIT_TYPE_NAME", "KITTYPE_NAME"), Same("NOTES")})});

    add("MigrateKitNumbers",
        {MakePass("select * from T_TRNK_KIT_NO", "T_SFC_KIT_NO", "KIT_NO_ID",
                  {Copy("KIT_NO_NUMBER", "KIT_NO"), Copy("KIT_NO_NAME", "KIT_NAME"),
                   Via("KIT_TYPE_ID", "KITTYPE_ID", "T_TRNK_KITTYPE", "KITTYPE_ID"), Same("ISO_NUMBER"),
                   Crib(), YesNo("KEEP_ASSEMBLED", "KEEP_ASSEMBLED", 0), Same("NOTES")})});

    std::vector<Column> kitNumberComponent{Via("KIT_NO_ID", "KIT_NO_ID", "T_TRNK_KIT_NO", "KIT_NO_ID")};
    Append(kitNumberComponent, Polymorphic("TABLE_CODE", "TARGET_ID", "TABLE_ID", "TARGET_ID",
                                           {{52, kToolNumbers, "T_TRNK_TOOL_NO", "TOOL_NO_ID"},
                                            {120, kInsertNumbers, "T_TRNK_INSERT_NO", "INSERT_NO_ID"},
                                            {156, kCutterNumbers, "T_TRNK_CUTTER_NO", "CUTTER_NO_ID"}},
                                           false));
    kitNumberComponent.push_back(Same("QTY"));
    kitNumberComponent.push_back(Ordinal("ORDINAL", "KIT_NO_ID"));
    add("MigrateKitNumberComponents",
        {MakePass("select * from T_TRNK_KIT_NO_COMPONENT", "T_SFC_KIT_NO_COMPONENT", "KIT_NO_COMPONENT_ID",
                  kitNumberComponent)});

    add("MigrateGageNumberReferenceDimensions",
        {Dimensions("T_TRNK_GAUGE_REF_DIM", "T_SFC_GAGE_NO_REF_DIM", "GAGE_NO_REF_DIM_ID", "GAGE_NO_ID",
                    "GAUGE_NO_ID", "T_TRNK_GAUGE_NO", "GAUGE_REF_DIM_NAME", false)});
    add("MigrateGageNumberCalibrationDimensions",
        {Dimensions("T_TRNK_GAUGE_CAL_DIM", "T_SFC_GAGE_NO_CAL_DIM", "GAGE_NO_CAL_DIM_ID", "GAGE_NO_ID",
                    "GAUGE_NO_ID", "T_TRNK_GAUGE_NO", "GAUGE_CAL_DIM_NAME", true)});
    add("MigrateToolNumberReworkDimensions",
        {Dimensions("T_TRNK_TOOL_CAL_DIM", "T_SFC_TOOL_NO_REWORK_DIM", "TOOL_NO_REWORK_DIM_ID", "TOOL_NO_ID",
                    "TOOL_NO_ID", "T_TRNK_TOOL_NO", "TOOL_CAL_DIM_NAME", true)});

    const Column gageNumber = Via("GAGE_NO_ID", "GAUGE_NO_ID", "T_TRNK_GAUGE_NO", "GAUGE_NO_ID");
    const Column toolNumber = Via("TOOL_NO_ID", "TOOL_NO_ID", "T_TRNK_TOOL_NO", "TOOL_NO_ID");
    const Column cutterNumber = Via("CUTTER_NO_ID", "CUTTER_NO_ID", "T_TRNK_CUTTER_NO", "CUTTER_NO_ID");
    const Column insertNumber = Via("INSERT_NO_ID", "INSERT_NO_ID", "T_TRNK_INSERT_NO", "INSERT_NO_ID");
    const Column part = Via("PART_ID", "PART_ID", "T_TRNK_PART", "PART_ID");
    const Column material = Via("MATERIAL_ID", "MATERIAL_ID", "T_TRNK_MATERIAL", "MATERIAL_ID");

    add("MigrateGageNumberPartReferences",
        {Link("T_TRNK_GAU_PARTREF", "T_SFC_GAGE_NO_PART_REF", "GAGE_NO_PART_REF_ID", {gageNumber, part})});
    add("MigrateToolNumberMaterialReferences", {Link("T_TRNK_TOOL_MATERIALREF", "T_SFC_TOOL_NO_MATERIAL_REF",
                                                     "TOOL_NO_MATERIAL_REF_ID", {toolNumber, material})});
    add("MigrateToolNumberPartReferences",
        {Link("T_TRNK_TOOL_PARTREF", "T_SFC_TOOL_NO_PART_REF", "TOOL_NO_PART_REF_ID", {toolNumber, part})});
    add("MigrateCutterNumberMaterialReferences",
        {Link("T_TRNK_CUTTER_MATERIALREF", "T_SFC_CUTTER_NO_MATERIAL_REF", "CUTTER_NO_MATERIAL_REF_ID",
              {cutterNumber, material})});
    add("MigrateCutterNumberPartReferences", {Link("T_TRNK_CUTTER_PARTREF", "T_SFC_CUTTER_NO_PART_REF",
                                                   "CUTTER_NO_PART_REF_ID", {cutterNumber, part})});
    add("MigrateInsertNumberMaterialReferences",
        {Link("T_TRNK_INSERT_MATERIALREF", "T_SFC_INSERT_NO_MATERIAL_REF", "INSERT_NO_MATERIAL_REF_ID",
              {insertNumber, material})});
    add("MigrateInsertNumberPartReferences", {Link("T_TRNK_INSERT_PARTREF", "T_SFC_INSERT_NO_PART_REF",
                                                   "INSERT_NO_PART_REF_ID", {insertNumber, part})});

    const std::vector<Column> stock{Crib(), ZeroWhenNull("TARGET_QTY", "TARGET_QTY"),
                                    ZeroWhenNull("AVAILABLE_QTY", "AVAILABLE_QTY"),
                                    ZeroWhenNull("INACTIVE_QTY", "INACTIVE_QTY")};
    std::vector<Column> cutterStock{cutterNumber}, insertStock{insertNumber};
    Append(cutterStock, stock);
    Append(insertStock, stock);
    add("MigrateCutterNumbersPerCribLocation",
        {Link("T_TRNK_CUTTER_CRIB", "T_SFC_CUTTER_NO_CRIB", "CUTTER_NO_CRIB_ID", cutterStock)});
    add("MigrateInsertNumbersPerCribLocation",
        {Link("T_TRNK_INSERT_CRIB", "T_SFC_INSERT_NO_CRIB", "INSERT_NO_CRIB_ID", insertStock)});

    add("MigrateGagePurchaseOrders", {PurchaseOrders("T_TRNK_GAUGE_PO")});
    add("MigrateToolPurchaseOrders", {PurchaseOrders("T_TRNK_TOOL_PO")});
    add("MigrateGageNumbersPerPurchaseOrders",
        {OrderLines("T_TRNK_GAUGES_PER_PO", "T_SFC_GAGE_NO_PER_PO", "GAGE_NO_PER_PO_ID", "GAUGE_PO_ID",
                    "T_TRNK_GAUGE_PO", gageNumber)});
    add("MigrateToolNumbersPerPurchaseOrders",
        {OrderLines("T_TRNK_TOOLS_PER_PO", "T_SFC_TOOL_NO_PER_PO", "TOOL_NO_PER_PO_ID", "TOOL_PO_ID",
                    "T_TRNK_TOOL_PO", toolNumber)});
    add("MigrateCutterNumbersPerPurchaseOrders",
        {OrderLines("T_TRNK_CUTTERS_PER_PO", "T_SFC_CUTTER_NO_PER_PO", "CUTTER_NO_PER_PO_ID", "TOOL_PO_ID",
                    "T_TRNK_TOOL_PO", cutterNumber)});
    add("MigrateInsertNumbersPerPurchaseOrders",
        {OrderLines("T_TRNK_INSERTS_PER_PO", "T_SFC_INSERT_NO_PER_PO", "INSERT_NO_PER_PO_ID", "TOOL_PO_ID",
                    "T_TRNK_TOOL_PO", insertNumber)});
    return transfers;
}

}  // namespace

const std::vector<BuiltTransfer>& ToolingTransfers() {
    static const std::vector<BuiltTransfer> transfers = Declarations();
    return transfers;
}

}  // namespace tmigration::transfer
