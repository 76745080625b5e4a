// The sample plant's tool and gage cribs and travelers: catalogs of cutters, inserts, kits, tools and
// gages with one, two, three or no vendors; units, shapes and types inside and outside the lists the
// migration knows; dimensions in several units; gages, tools and kits in every status with their
// calibration and rework records; travelers in revision chains of one to four with several
// operations each and the items those operations need. Children of one parent are spread through
// their table with falling ordinals, so that renumbering has to follow the parent.
#include <algorithm>

#include "sample/SampleColumns.h"
#include "sample/SamplePlant.h"

namespace tmigration::sample {
namespace {

using db::Value;

Value Id(std::int64_t id) {
    return Value(static_cast<long long>(id));
}

// The children of a parent table spread through the child table: row k belongs to parent k mod n.
ColumnGenerator Spread(std::string_view parent) {
    return [parent](Cell& cell) { return Id(1 + (cell.Row() - 1) % cell.GetPlan().Rows(parent)); };
}

// The legacy ordinal of a spread child: later rounds get lower ordinals, with gaps.
ColumnGenerator FallingOrdinal(std::string_view parent) {
    return [parent](Cell& cell) {
        const std::int64_t round = (cell.Row() - 1) / cell.GetPlan().Rows(parent);
        return Id(std::max<std::int64_t>(1, 500 - round * 10 - cell.Below(3)));
    };
}

// A distinct (first, second) pair per row, for link tables keyed on both.
ColumnGenerator PairFirst(std::string_view first) {
    return [first](Cell& cell) { return Id(1 + (cell.Row() - 1) % cell.GetPlan().Rows(first)); };
}
ColumnGenerator PairSecond(std::string_view first, std::string_view second) {
    return [first, second](Cell& cell) {
        const Plan& plan = cell.GetPlan();
        return Id(1 + ((cell.Row() - 1) / plan.Rows(first)) % plan.Rows(second));
    };
}

// A row of the table the row's own polymorphic table id names; `targets` pairs table ids with tables.
ColumnGenerator PolymorphicTarget(std::string_view ownTable, std::string_view tableColumn,
                                  std::vector<std::pair<std::int64_t, std::string_view>> targets) {
    return [=](Cell& cell) {
        const Value id = cell.GetPlan().ValueOf(ownTable, tableColumn, cell.Row());
        for (const auto& [tableId, table] : targets)
            if (!id.IsNull() && id.AsInteger() == tableId)
                return Id(cell.Between(1, cell.GetPlan().Rows(table)));
        return Id(cell.Between(1, 50));  // a table the migration does not know: any id
    };
}

// Vendor slots in a cycle of eight numbers: none, some (slot 2 or slot 3 alone among them) and all three.
constexpr bool kSlotFilled[8][3] = {{true, false, false}, {true, true, false},  {false, false, false},
                                    {true, true, true},   {false, true, false}, {true, false, true},
                                    {true, true, false},  {false, false, true}};
ColumnGenerator SlotVendor(int slot) {
    return [slot](Cell& cell) {
        if (!kSlotFilled[(cell.Row() - 1) % 8][slot]) return Value();
        return Id(cell.Between(1, cell.GetPlan().Rows("T_TRNK_VENDOR")));
    };
}

std::vector<ColumnSpec> VendorSlots() {
    std::vector<ColumnSpec> slots;
    static const char* kIds[] = {"VENDOR1_ID", "VENDOR2_ID", "VENDOR3_ID"};
    static const char* kNumbers[] = {"VENDOR1_NUMBER", "VENDOR2_NUMBER", "VENDOR3_NUMBER"};
    static const char* kCosts[] = {"VENDOR1_COST", "VENDOR2_COST", "VENDOR3_COST"};
    static const char* kMinimums[] = {"VENDOR1_MIN_ORDER_QTY", "VENDOR2_MIN_ORDER_QTY",
                                      "VENDOR3_MIN_ORDER_QTY"};
    for (int slot = 0; slot < 3; ++slot) {
        slots.push_back({kIds[slot], SlotVendor(slot)});
        slots.push_back({kNumbers[slot], OrNull(10, Numbered("CAT-%06lld", 1000 * (slot + 1)))});
        slots.push_back({kCosts[slot], OrNull(10, Money(0.5, 400))});
        slots.push_back({kMinimums[slot], OrNull(40, Int(1, 100))});
    }
    return slots;
}

std::vector<ColumnSpec> Stock() {
    return {{"MIN_REORDER_QTY", OrNull(20, Int(0, 20))}, {"MIN_ORDER_QTY", OrNull(20, Int(1, 50))},
            {"MAX_QTY", OrNull(20, Int(20, 500))},       {"AVAILABLE_QTY", OrNull(10, Int(0, 300))},
            {"ON_ORDER_QTY", OrNull(30, Int(0, 100))},   {"LOST_QTY", OrNull(60, Int(0, 5))},
            {"INACTIVE_QTY", OrNull(50, Int(0, 10))},    {"CHECKED_OUT_QTY", OrNull(20, Int(0, 40))}};
}

std::vector<ColumnSpec> With(std::vector<ColumnSpec> columns, std::vector<ColumnSpec> more) {
    for (auto& column : more) columns.push_back(std::move(column));
    return columns;
}

const ColumnGenerator kYesNo = OneOf({"YES", "No", "yes", Value(), "Y", "NO"});
const ColumnGenerator kUnitsId = OneOf({3295, 3295, 3296, Value(), 3297});
// Units typed in dimension texts: listed names in either case, and a few the list does not hold.
const ColumnGenerator kUnitsText = OneOf(
    {"IN", "in", "MM", "mm", "IN-LB", "ft-lb", "PSI", "Degrees", "pass/fail", "Hz", "INCH", Value(), "Volt"});
const ColumnGenerator kRequired = OneOf({"YES", "NO", Value(), "no", "Yes"});
const ColumnGenerator kReferenceFlag = OneOf({"YES", "NO", Value(), "yes"});
// Every gage status the suite knows, those without a new code among them.
const ColumnGenerator kGageStatus =
    OneOf({2, 1, 1, 1, 14, 15, 16, 18, 12, 11, 8, 32, 39, 43, 46, 7, 38, 6, 47, 3, 17, 29, 33, 40, 44});
const ColumnGenerator kToolStatus = OneOf(
    {53, 52, 52, 52, 58, 59, 60, 61, 57, 56, 55, 68, 67, 70, 64, 65, 63, 71, 78, 79, 80, 54, 62, 66, 72});
const ColumnGenerator kGageActions =
    OneOf({40, 46, 47, 138, 147, 150, 151, 152, 153, 167, 168, 190, Value()});
const ColumnGenerator kToolActions =
    OneOf({40, 138, 150, 151, 152, 167, 168, 190, 196, 197, 198, 46, Value()});

// Who repairs a rejected item: a user (94), a vendor (95), nobody yet, or a table the migration
// does not know.
ColumnGenerator Repairer(std::string_view ownTable, std::string_view tableColumn) {
    return [=](Cell& cell) {
        const Value table = cell.GetPlan().ValueOf(ownTable, tableColumn, cell.Row());
        if (table.IsNull()) return Value();
        if (table.AsInteger() == 95) return Id(cell.Between(1, cell.GetPlan().Rows("T_TRNK_VENDOR")));
        return Id(cell.Between(1, cell.GetPlan().Rows("T_TRNK_PERS")));
    };
}

std::vector<ColumnSpec> Irr(const ColumnGenerator& actions) {
    return {{"IRR_NO", Numbered("IRR-%05lld")},
            {"STATUS_ID", OneOf({48, 49, 50, 51, 51, 44})},
            {"INITIAL_DATE", When(1500)},
            {"MODIFIED_DATE", OrNull(30, When(1500))},
            {"CLOSE_DATE", OrNull(50, When(1500))},
            {"LAST_ACTION_ID", actions},
            {"TOTAL_ERRORS", OrNull(20, Int(0, 9))},
            {"APPROVE_ID", OrNull(30, Ref("T_TRNK_PERS"))},
            {"DEPT_ID", OrNull(40, Ref("T_TRNK_DEPT"))},
            {"LOCATION_ID", OrNull(40, RefWhere("T_TRNK_LOCATION", "PTYPE_ID", {5}))},
            {"GROUP_ID", OrNull(40, Ref("T_TRNK_GROUPS"))},
            {"MACHINE_ID", OrNull(40, Ref("T_TRNK_MACHINES"))}};
}

// Dimensions of a catalog number: names, units by text, tolerances, spread over the numbers.
std::vector<ColumnSpec> Dimensions(std::string_view nameColumn, std::string_view parentColumn,
                                   std::string_view parent) {
    return {{nameColumn, Name({"OD", "Bore", "Length", "Thread", "Flatness", "Torque"}, 40)},
            {"UNITS", kUnitsText},
            {"PRECISION", OrNull(10, Int(0, 4))},
            {"TARGET_DIM", OrNull(10, Money(0, 200))},
            {"UPPER_TOL", OrNull(10, Money(0, 1))},
            {"LOWER_TOL", OrNull(10, Money(0, 1))},
            {parentColumn, Spread(parent)},
            {"DIM_TYPE_ID", OneOf({25, 26, 26, 27})},
            {"DETAILS", Notes()},
            {"ORDINAL", FallingOrdinal(parent)},
            {"IS_REQUIRED", kRequired}};
}

// Calibration and rework sets: the dimensions one history recorded.
std::vector<ColumnSpec> Sets(std::string_view historyColumn, std::string_view history) {
    return {{historyColumn, Spread(history)},
            {"DIM_NAME", Name({"OD", "Bore", "Length", "Edge", "Tip"}, 40)},
            {"UNITS", kUnitsText},
            {"PRECISION", OrNull(10, Int(0, 4))},
            {"TARGET_DIM", OrNull(10, Money(0, 200))},
            {"UPPER_TOL", OrNull(10, Money(0, 1))},
            {"LOWER_TOL", OrNull(10, Money(0, 1))},
            {"DETAILS", Notes()},
            {"ORDINAL", FallingOrdinal(history)},
            {"IS_REQUIRED", kRequired}};
}

std::vector<ColumnSpec> Order() {
    return {{"PO_NUMBER", Numbered("PO-%06lld", 70000)},
            {"VENDOR_ID", Ref("T_TRNK_VENDOR")},
            {"ORDERED_DATE", When(1400)},
            {"EXPECTED_DATE", When(1500)},
            {"RECEIVED_DATE", OrNull(50, When(1500))},
            {"ORDERED_BY_ID", Ref("T_TRNK_PERS")},
            {"STATUS_ID", OneOf({82, 83, 84, 82, 81})},
            {"COST", Money(10, 20000)},
            {"NOTES", Notes()}};
}

std::vector<ColumnSpec> OrderLine(std::string_view order, std::string_view orderTable, std::string_view item,
                                  std::string_view itemTable) {
    return {{order, Ref(orderTable)},
            {item, Ref(itemTable)},
            {"QTY", Int(1, 50)},
            {"RETURN_QTY", OrNull(80, Int(0, 2))},
            {"COST", OrNull(20, Money(1, 900))},
            {"VENDOR_NUMBER", OrNull(20, Numbered("CAT-%06lld"))}};
}

// Travelers come in revision chains, in blocks of ten rows: chains of one, two, three and four
// revisions. A revision points back to its predecessor and to the first of its chain; the pointer
// forward, and the first revision's pointer to itself, are written once every traveler exists.
constexpr std::int64_t kChainStarts[] = {0, 1, 3, 6};
std::int64_t ChainStart(std::int64_t row) {
    const std::int64_t offset = (row - 1) % 10;
    std::int64_t start = 0;
    for (std::int64_t s : kChainStarts)
        if (s <= offset) start = s;
    return row - offset + start;
}
bool LastOfChain(std::int64_t row, std::int64_t rows) {
    const std::int64_t offset = (row - 1) % 10;
    return row == rows || offset == 0 || offset == 2 || offset == 5 || offset == 9;
}

std::vector<std::string> ChainLinks(const Plan& plan) {
    const std::int64_t rows = plan.Rows("T_TRNK_TRAVELER");
    std::vector<std::string> statements;
    std::string ids;
    for (std::int64_t row = 1; row <= rows; ++row) {
        if (LastOfChain(row, rows)) continue;
        ids += (ids.empty() ? "" : ", ") + std::to_string(row);
        if (ids.size() > 2000 || row == rows - 1) {
            statements.push_back(
                "UPDATE T_TRNK_TRAVELER SET NEXT_REV_ID = TRAVELER_ID + 1 WHERE TRAVELER_ID IN (" + ids +
                ")");
            ids.clear();
        }
    }
    if (!ids.empty())
        statements.push_back(
            "UPDATE T_TRNK_TRAVELER SET NEXT_REV_ID = TRAVELER_ID + 1 WHERE TRAVELER_ID IN (" + ids + ")");
    statements.push_back("UPDATE T_TRNK_TRAVELER SET FAMILY_ID = TRAVELER_ID WHERE FAMILY_ID IS NULL");
    return statements;
}

// The revision text: a whole number, or major and minor joined by a point ("1.10" is revision 10).
ColumnGenerator Revision() {
    return [](Cell& cell) {
        const std::int64_t position = cell.Row() - ChainStart(cell.Row());
        switch (cell.Below(3)) {
            case 0:
                return Value(std::to_string(position));
            case 1:
                return Value("1." + std::to_string(position + 9));
            default:
                return Value(std::to_string(position / 2) + "." + std::to_string(position));
        }
    };
}

std::vector<ColumnSpec> PerOperation(std::string_view ordinal) {
    return {{"OPS_ID", Spread("T_TRNK_OPSPERTRAV")},
            {ordinal, FallingOrdinal("T_TRNK_OPSPERTRAV")},
            {"GENERIC_SF", kReferenceFlag},
            {"DESCRIPTION", Notes()}};
}

std::vector<TableSpec> Declare() {
    return {
        // The catalog.
        {"T_TRNK_CUTTERTYPE",
         {0, 3},
         {{"CUTTERTYPE_NUMBER", Numbered("CT%03lld")},
          {"CUTTERTYPE_NAME", Name({"End mill", "Drill", "Reamer", "Tap", "Face mill"}, 40)},
          {"DESCRIPTION", Notes()}}},
        {"T_TRNK_CUTTER_NO",
         {0, 20},
         With({{"CUTTER_NO_NUMBER", Numbered("CUT-%05lld")},
               {"CUTTER_NO_NAME", OrNull(10, Name({"Carbide", "HSS", "Cobalt"}, 40))},
               {"CUTTERTYPE_ID", Ref("T_TRNK_CUTTERTYPE")},
               {"MATERIAL_ID", OrNull(30, Ref("T_TRNK_MATERIALTYPE"))},
               {"UNITS_ID", kUnitsId},
               {"SHAPE_ID", OrNull(10, Int(3379, 3396))},
               {"DIAMETER", OrNull(10, Money(0.1, 3))},
               {"HEIGHT", OrNull(20, Money(0.2, 6))},
               {"ANGLE", OrNull(50, OneOf({90.0, 118.0, 135.0}))},
               {"CORNER_RADIUS", OrNull(50, Money(0, 0.25))},
               {"BOTTOM_DIAMETER", OrNull(70, Money(0.1, 3))},
               {"BOTTOM_HEIGHT", OrNull(70, Money(0.1, 3))},
               {"SHANK_DIAMETER", OrNull(30, Money(0.1, 1.5))},
               {"SHANK_HEIGHT", OrNull(30, Money(1, 8))},
               {"NUM_OF_FLUTES", OrNull(20, Int(1, 8))},
               {"FLUTE_TYPE_ID", OrNull(15, Int(3376, 3379))},
               {"ISO_NUMBER", OrNull(50, Numbered("ISO-C%05lld"))},
               {"IS_COOLANT_FED", kYesNo},
               {"NOTES", Notes()},
               {"DISPOSABLE", kYesNo},
               {"CRIB_ID", OrNull(20, RefWhere("T_TRNK_LOCATION", "PTYPE_ID", {8}))}},
              With(VendorSlots(), Stock()))},
        {"T_TRNK_GAUGE_TYPE",
         {0, 2},
         {{"GAUGE_TYPE", Numbered("Gage type %lld")}, {"DETAILS", OrNull(40, Notes())}}},
        // Some types get no subtype (they are not carried over); label texts with trailing ";".
        {"T_TRNK_GAUGE_SUBTYPE",
         {0, 5},
         {{"GAUGE_SUBTYPE_NAME", Name({"Dial", "Digital", "Vernier", "Outside", "Inside"}, 40)},
          {"GAUGE_SUBTYPE_NUMBER", Numbered("GST%03lld")},
          {"GAUGE_TYPE_ID", Ref("T_TRNK_GAUGE_TYPE")},
          {"DETAILS", OrNull(40, Notes())},
          {"DIM_LABEL_STRING", OneOf({Value(), "", "OD;ID", "Jaw;Depth;", "Thread pitch", "A;B;C"})}}},
        {"T_TRNK_GAUGE_NO",
         {0, 15},
         With({{"GAUGE_NO", Numbered("GN-%05lld")},
               {"GAUGE_NAME", OrNull(10, Name({"Caliper", "Micrometer", "Plug gage", "Ring gage"}, 40))},
               {"GAUGE_SUBTYPE_ID", Ref("T_TRNK_GAUGE_SUBTYPE")},
               {"DETAILS", Notes()},
               {"CALTYPE_ID", OneOf({1, 2, 4, 3, Value()})},
               {"FREQUENCY", OrNull(20, OneOf({30, 90, 180, 365}))},
               {"MAX_ELAPSE", OrNull(30, Int(1, 60))},
               {"CRIB_ID", OrNull(20, RefWhere("T_TRNK_LOCATION", "PTYPE_ID", {4}))},
               {"ISO_NUMBER", OrNull(50, Numbered("ISO-G%05lld"))}},
              With(VendorSlots(), {{"MIN_REORDER_QTY", OrNull(30, Int(0, 5))},
                                   {"MIN_ORDER_QTY", OrNull(30, Int(1, 5))},
                                   {"MAX_QTY", OrNull(30, Int(1, 20))}}))},
        {"T_TRNK_TOOL_TYPE",
         {0, 2},
         {{"TOOL_TYPE", Numbered("Tool type %lld")}, {"DETAILS", OrNull(40, Notes())}}},
        {"T_TRNK_TOOL_SUBTYPE",
         {0, 5},
         {{"TOOL_SUBTYPE_NAME", Name({"CAT40", "HSK63", "BT30", "Shrink fit", "Collet"}, 40)},
          {"TOOL_SUBTYPE_NUMBER", Numbered("TST%03lld")},
          {"TOOL_TYPE_ID", Ref("T_TRNK_TOOL_TYPE")},
          {"DETAILS", OrNull(40, Notes())}}},
        {"T_TRNK_TOOL_NO",
         {0, 15},
         With({{"TOOL_NO", Numbered("TN-%05lld")},
               {"TOOL_NAME", OrNull(10, Name({"Holder", "Boring bar", "Arbor"}, 40))},
               {"TOOL_SUBTYPE_ID", Ref("T_TRNK_TOOL_SUBTYPE")},
               {"TOOL_DIAMETER", OrNull(20, Money(0.1, 4))},
               {"DETAILS", Notes()},
               {"ORIENTATION", OrNull(50, Int(0, 3))},
               {"REWORKTYPE_ID", OneOf({175, 176, 177, 178, Value(), 174})},
               {"FREQUENCY", OrNull(30, OneOf({7, 30, 90}))},
               {"MAX_ELAPSE", OrNull(30, Int(1, 30))},
               {"CRIB_ID", OrNull(20, RefWhere("T_TRNK_LOCATION", "PTYPE_ID", {8}))},
               {"ISO_NUMBER", OrNull(50, Numbered("ISO-T%05lld"))},
               {"UNITS_ID", kUnitsId}},
              With(VendorSlots(), {{"MIN_REORDER_QTY", OrNull(30, Int(0, 5))},
                                   {"MIN_ORDER_QTY", OrNull(30, Int(1, 5))},
                                   {"MAX_QTY", OrNull(30, Int(1, 20))}}))},
        {"T_TRNK_INSERTTYPE",
         {0, 3},
         {{"INSERTTYPE_NUMBER", Numbered("IT%03lld")},
          {"INSERTTYPE_NAME", Name({"Turning", "Milling", "Grooving", "Threading"}, 40)},
          {"DESCRIPTION", Notes()}}},
        {"T_TRNK_INSERT_NO",
         {0, 20},
         With({{"INSERT_NO_NUMBER", Numbered("INS-%05lld")},
               {"INSERT_NO_NAME", OrNull(10, Name({"CNMG", "DNMG", "TNMG", "VBMT"}, 40))},
               {"INSERTTYPE_ID", Ref("T_TRNK_INSERTTYPE")},
               {"MATERIAL_ID", OrNull(30, Ref("T_TRNK_MATERIALTYPE"))},
               {"IC", OrNull(20, Money(0.1, 1))},
               {"CORNER_RADIUS", OrNull(20, Money(0, 0.1))},
               {"THICKNESS", OrNull(20, Money(0.05, 0.3))},
               {"ANGLE", OrNull(40, OneOf({35.0, 55.0, 80.0}))},
               {"TOLERANCE", OrNull(40, OneOf({"M", "G", "E"}))},
               {"NOTES", Notes()},
               {"ISO_NUMBER", OrNull(50, Numbered("ISO-I%05lld"))},
               {"DISPOSABLE", kYesNo},
               {"CRIB_ID", OrNull(20, RefWhere("T_TRNK_LOCATION", "PTYPE_ID", {8}))},
               {"UNITS_ID", kUnitsId},
               {"SHAPE_ID", OrNull(10, Int(3421, 3428))}},
              With(VendorSlots(), Stock()))},
        {"T_TRNK_KITTYPE",
         {0, 2},
         {{"KITTYPE_NAME", Name({"Fixture", "Setup", "Boring"}, 30)}, {"NOTES", Notes()}}},
        {"T_TRNK_KIT_NO",
         {0, 6},
         {{"KIT_NO", Numbered("KN-%05lld")},
          {"KIT_NAME", OrNull(10, Name({"Lathe kit", "Mill kit", "Fixture kit"}, 40))},
          {"KITTYPE_ID", Ref("T_TRNK_KITTYPE")},
          {"ISO_NUMBER", OrNull(50, Numbered("ISO-K%05lld"))},
          {"CRIB_ID", OrNull(20, RefWhere("T_TRNK_LOCATION", "PTYPE_ID", {8}))},
          {"KEEP_ASSEMBLED", kYesNo},
          {"NOTES", Notes()}}},
        {"T_TRNK_KIT_NO_COMPONENT",
         {0, 20},
         {{"KIT_NO_ID", Spread("T_TRNK_KIT_NO")},
          {"TABLE_ID", OneOf({52, 120, 156, 52, 120, 156, 169})},
          {"TARGET_ID", PolymorphicTarget("T_TRNK_KIT_NO_COMPONENT", "TABLE_ID",
                                          {{52, "T_TRNK_TOOL_NO"},
                                           {120, "T_TRNK_INSERT_NO"},
                                           {156, "T_TRNK_CUTTER_NO"}})},
          {"QTY", Int(1, 12)},
          {"ORDINAL", FallingOrdinal("T_TRNK_KIT_NO")}}},
        {"T_TRNK_GAUGE_REF_DIM", {0, 20}, Dimensions("GAUGE_REF_DIM_NAME", "GAUGE_NO_ID", "T_TRNK_GAUGE_NO")},
        {"T_TRNK_GAUGE_CAL_DIM", {0, 25}, Dimensions("GAUGE_CAL_DIM_NAME", "GAUGE_NO_ID", "T_TRNK_GAUGE_NO")},
        {"T_TRNK_TOOL_CAL_DIM", {0, 20}, Dimensions("TOOL_CAL_DIM_NAME", "TOOL_NO_ID", "T_TRNK_TOOL_NO")},
        {"T_TRNK_GAU_PARTREF",
         {0, 15},
         {{"GAUGE_NO_ID", PairFirst("T_TRNK_GAUGE_NO")}, {"PART_ID", PairSecond("T_TRNK_GAUGE_NO", "T_TRNK_PART")}}},
        {"T_TRNK_TOOL_MATERIALREF",
         {0, 10},
         {{"TOOL_NO_ID", PairFirst("T_TRNK_TOOL_NO")},
          {"MATERIAL_ID", PairSecond("T_TRNK_TOOL_NO", "T_TRNK_MATERIAL")}}},
        {"T_TRNK_TOOL_PARTREF",
         {0, 15},
         {{"TOOL_NO_ID", PairFirst("T_TRNK_TOOL_NO")}, {"PART_ID", PairSecond("T_TRNK_TOOL_NO", "T_TRNK_PART")}}},
        {"T_TRNK_CUTTER_MATERIALREF",
         {0, 10},
         {{"CUTTER_NO_ID", PairFirst("T_TRNK_CUTTER_NO")},
          {"MATERIAL_ID", PairSecond("T_TRNK_CUTTER_NO", "T_TRNK_MATERIAL")}}},
        {"T_TRNK_CUTTER_PARTREF",
         {0, 15},
         {{"CUTTER_NO_ID", PairFirst("T_TRNK_CUTTER_NO")},
          {"PART_ID", PairSecond("T_TRNK_CUTTER_NO", "T_TRNK_PART")}}},
        {"T_TRNK_INSERT_MATERIALREF",
         {0, 10},
         {{"INSERT_NO_ID", PairFirst("T_TRNK_INSERT_NO")},
          {"MATERIAL_ID", PairSecond("T_TRNK_INSERT_NO", "T_TRNK_MATERIAL")}}},
        {"T_TRNK_INSERT_PARTREF",
         {0, 15},
         {{"INSERT_NO_ID", PairFirst("T_TRNK_INSERT_NO")},
          {"PART_ID", PairSecond("T_TRNK_INSERT_NO", "T_TRNK_PART")}}},
        {"T_TRNK_CUTTER_CRIB",
         {0, 15},
         {{"CUTTER_NO_ID", PairFirst("T_TRNK_CUTTER_NO")},
          {"CRIB_ID", [](Cell& cell) {
               const auto& cribs = cell.GetPlan().RowsWhere("T_TRNK_LOCATION", "PTYPE_ID", {8});
               const std::int64_t round = (cell.Row() - 1) / cell.GetPlan().Rows("T_TRNK_CUTTER_NO");
               return Id(cribs[static_cast<std::size_t>(round) % cribs.size()]);
           }},
          {"TARGET_QTY", OrNull(20, Int(0, 100))},
          {"AVAILABLE_QTY", OrNull(20, Int(0, 100))},
          {"INACTIVE_QTY", OrNull(50, Int(0, 10))}}},
        {"T_TRNK_INSERT_CRIB",
         {0, 15},
         {{"INSERT_NO_ID", PairFirst("T_TRNK_INSERT_NO")},
          {"CRIB_ID", [](Cell& cell) {
               const auto& cribs = cell.GetPlan().RowsWhere("T_TRNK_LOCATION", "PTYPE_ID", {8});
               const std::int64_t round = (cell.Row() - 1) / cell.GetPlan().Rows("T_TRNK_INSERT_NO");
               return Id(cribs[static_cast<std::size_t>(round) % cribs.size()]);
           }},
          {"TARGET_QTY", OrNull(20, Int(0, 100))},
          {"AVAILABLE_QTY", OrNull(20, Int(0, 100))},
          {"INACTIVE_QTY", OrNull(50, Int(0, 10))}}},
        {"T_TRNK_GAUGE_PO", {0, 5}, Order()},
        {"T_TRNK_TOOL_PO", {0, 8}, Order()},
        {"T_TRNK_GAUGES_PER_PO", {0, 10}, OrderLine("GAUGE_PO_ID", "T_TRNK_GAUGE_PO", "GAUGE_NO_ID", "T_TRNK_GAUGE_NO")},
        {"T_TRNK_TOOLS_PER_PO", {0, 10}, OrderLine("TOOL_PO_ID", "T_TRNK_TOOL_PO", "TOOL_NO_ID", "T_TRNK_TOOL_NO")},
        {"T_TRNK_CUTTERS_PER_PO",
         {0, 10},
         OrderLine("TOOL_PO_ID", "T_TRNK_TOOL_PO", "CUTTER_NO_ID", "T_TRNK_CUTTER_NO")},
        {"T_TRNK_INSERTS_PER_PO",
         {0, 10},
         OrderLine("TOOL_PO_ID", "T_TRNK_TOOL_PO", "INSERT_NO_ID", "T_TRNK_INSERT_NO")},

        // Serialised gages and their records.
        {"T_TRNK_GAUGES",
         {0, 40},
         {{"GAUGE_NO_ID", Ref("T_TRNK_GAUGE_NO")},
          {"SERIAL_NO", Numbered("G%05lld")},
          {"STATUS_ID", kGageStatus},
          {"CRIB_ID", OrNull(20, RefWhere("T_TRNK_LOCATION", "PTYPE_ID", {4}))},
          {"MACHINE_ID", OrNull(70, Ref("T_TRNK_MACHINES"))},
          {"USER_ID", OrNull(60, Ref("T_TRNK_PERS"))},
          {"ISSUE_DATE", OrNull(40, When(1500))},
          {"LAST_CAL_DATE", OrNull(20, When(1500))},
          {"TOTAL_DAYS_USED", OrNull(30, Int(0, 900))},
          {"CAL_DAYS_USED", OrNull(30, Int(0, 365))},
          {"NEXT_CAL_DATE", OrNull(20, When(1800))},
          {"CAL_ISSUE_DATE", OrNull(50, When(1500))},
          {"COST", OrNull(30, Money(10, 3000))},
          {"DETAILS", Notes()},
          {"ORIGINAL_ISSUE_DATE", OrNull(40, When(1500))},
          {"OLD_STATUS_ID", OrNull(60, kGageStatus)},
          {"ORIGINAL_CAL_DATE", OrNull(40, When(1500))},
          {"CONDITIONAL_DATE", OrNull(80, When(1500))},
          {"CONDITIONAL_FREQUENCY", OrNull(80, Int(1, 30))},
          {"GAUGE_PO_ID", OrNull(60, Ref("T_TRNK_GAUGE_PO"))}}},
        {"T_TRNK_CALHIST",
         {0, 60},
         {{"GAUGE_ID", Ref("T_TRNK_GAUGES")},
          {"CAL_DATE", When(1500)},
          {"INSP_ID", OrNull(10, Ref("T_TRNK_PERS"))},
          {"PASS_FAIL", Int(0, 1)},
          {"IS_INITIAL", OneOf({0, 0, 0, 1})}}},
        {"T_TRNK_CAL_SET", {0, 120}, Sets("CALHIST_ID", "T_TRNK_CALHIST")},
        {"T_TRNK_CALIBRATE",
         {0, 100},
         {{"GAUGE_ID", Ref("T_TRNK_GAUGES")},
          {"GAUGE_CAL_DIM_ID", Ref("T_TRNK_CAL_SET")},
          {"CALHIST_ID", Ref("T_TRNK_CALHIST")},
          {"CAL_DATE", When(1500)},
          {"INSP_ID", Ref("T_TRNK_PERS")},
          {"ACTUAL_DIM", OrNull(10, Money(0, 200))},
          {"PASS_FAIL", Int(0, 1)},
          {"DETAILS", Notes()}}},
        {"T_TRNK_IRR",
         {0, 8},
         With(Irr(kGageActions),
              {{"GAUGE_ID", Ref("T_TRNK_GAUGES")},
               {"CALHIST_ID", Ref("T_TRNK_CALHIST")},
               {"REWORK_TABLE_ID", OneOf({94, 95, Value(), 12})},
               {"REWORK_BY_ID", Repairer("T_TRNK_IRR", "REWORK_TABLE_ID")},
               {"REWORK_EXPECTED_DATE", OrNull(50, When(1600))}})},

        // Serialised tools and their records.
        {"T_TRNK_TOOLS",
         {0, 40},
         {{"TOOL_NO_ID", Ref("T_TRNK_TOOL_NO")},
          {"SERIAL_NO", Numbered("T%05lld")},
          {"STATUS_ID", kToolStatus},
          {"CRIB_ID", OrNull(20, RefWhere("T_TRNK_LOCATION", "PTYPE_ID", {8}))},
          {"MACHINE_ID", OrNull(60, Ref("T_TRNK_MACHINES"))},
          {"USER_ID", OrNull(60, Ref("T_TRNK_PERS"))},
          {"ISSUE_DATE", OrNull(40, When(1500))},
          {"LAST_REWORK_DATE", OrNull(30, When(1500))},
          {"TOTAL_DAYS_USED", OrNull(30, Int(0, 900))},
          {"REWORK_DAYS_USED", OrNull(30, Int(0, 90))},
          {"NEXT_REWORK_DATE", OrNull(30, When(1800))},
          {"REWORK_ISSUE_DATE", OrNull(50, When(1500))},
          {"COST", OrNull(30, Money(5, 900))},
          {"DETAILS", Notes()},
          {"ORIGINAL_ISSUE_DATE", OrNull(40, When(1500))},
          {"OLD_STATUS_ID", OrNull(60, kToolStatus)},
          {"ORIGINAL_REWORK_DATE", OrNull(40, When(1500))},
          {"CONDITIONAL_DATE", OrNull(80, When(1500))},
          {"CONDITIONAL_FREQUENCY", OrNull(80, Int(1, 30))},
          {"TOOL_PO_ID", OrNull(60, Ref("T_TRNK_TOOL_PO"))}}},
        {"T_TRNK_REWORKHIST",
         {0, 50},
         {{"TOOL_ID", Ref("T_TRNK_TOOLS")},
          {"REWORK_DATE", When(1500)},
          {"INSP_ID", OrNull(10, Ref("T_TRNK_PERS"))},
          {"PASS_FAIL", Int(0, 1)},
          {"IS_INITIAL", OneOf({0, 0, 0, 1})}}},
        {"T_TRNK_TOOL_CAL_SET", {0, 100}, Sets("REWORKHIST_ID", "T_TRNK_REWORKHIST")},
        {"T_TRNK_REWORK",
         {0, 80},
         {{"TOOL_ID", Ref("T_TRNK_TOOLS")},
          {"TOOL_REWORK_DIM_ID", Ref("T_TRNK_TOOL_CAL_SET")},
          {"REWORKHIST_ID", Ref("T_TRNK_REWORKHIST")},
          {"REWORK_DATE", When(1500)},
          {"INSP_ID", Ref("T_TRNK_PERS")},
          {"ACTUAL_DIM", OrNull(10, Money(0, 200))},
          {"PASS_FAIL", Int(0, 1)},
          {"DETAILS", Notes()}}},
        {"T_TRNK_TOOL_IRR",
         {0, 6},
         With(Irr(kToolActions),
              {{"TOOL_ID", Ref("T_TRNK_TOOLS")},
               {"REWORKHIST_ID", Ref("T_TRNK_REWORKHIST")},
               {"REPAIR_TABLE_ID", OneOf({94, 95, Value(), 12})},
               {"REPAIR_BY_ID", Repairer("T_TRNK_TOOL_IRR", "REPAIR_TABLE_ID")},
               {"REPAIR_EXPECTED_DATE", OrNull(50, When(1600))}})},

        // Kits and what they hold.
        {"T_TRNK_KIT",
         {0, 10},
         {{"KIT_NO_ID", Ref("T_TRNK_KIT_NO")},
          {"SERIAL_NO", Numbered("K%05lld")},
          {"USER_ID", OrNull(60, Ref("T_TRNK_PERS"))},
          {"MACHINE_ID", OrNull(60, Ref("T_TRNK_MACHINES"))},
          {"STATUS_ID", OneOf({76, 77, 85, 76, Value(), 84})},
          {"CRIB_ID", OrNull(20, RefWhere("T_TRNK_LOCATION", "PTYPE_ID", {8}))},
          {"KEEP_ASSEMBLED", kYesNo},
          {"NOTES", Notes()}}},
        {"T_TRNK_KIT_COMPONENT",
         {0, 25},
         {{"KIT_ID", Spread("T_TRNK_KIT")},
          {"TABLE_ID", OneOf({120, 156, 169, 169, 52})},
          {"TARGET_ID", PolymorphicTarget("T_TRNK_KIT_COMPONENT", "TABLE_ID",
                                          {{120, "T_TRNK_INSERT_NO"},
                                           {156, "T_TRNK_CUTTER_NO"},
                                           {169, "T_TRNK_TOOLS"},
                                           {52, "T_TRNK_TOOL_NO"}})},
          {"QTY", Int(1, 12)},
          {"ORDINAL", FallingOrdinal("T_TRNK_KIT")}}},

        // Travelers, their customers and operations, and what each operation needs.
        {"T_TRNK_TRAVELER",
         {0, 20},
         {{"TRAVELER_NAME", Name({"Shaft route", "Housing route", "Gear route"}, 40)},
          {"TRAVELER_NUMBER", [](Cell& cell) { return Value("TR-" + std::to_string(ChainStart(cell.Row()))); }},
          {"PREV_REV_ID",
           [](Cell& cell) {
               return cell.Row() == ChainStart(cell.Row()) ? Value() : Id(cell.Row() - 1);
           }},
          {"STATUS_ID", [](Cell& cell) {
               if (LastOfChain(cell.Row(), cell.GetPlan().Rows("T_TRNK_TRAVELER")))
                   return Value(static_cast<long long>(
                       std::vector<int>{21, 21, 19, 23, 20, 26, 24}[static_cast<std::size_t>(cell.Below(7))]));
               return cell.Percent(80) ? Id(22) : Id(27);
           }},
          {"DETAIL", Notes()},
          {"PART_ID", Ref("T_TRNK_PART")},
          {"PARTSF", kReferenceFlag},
          {"FAMILY_ID",
           [](Cell& cell) {
               return cell.Row() == ChainStart(cell.Row()) ? Value() : Id(ChainStart(cell.Row()));
           }},
          {"REV", Revision()},
          {"USER_REV", OrNull(10, OneOf({"A", "B", "C", "D1", "-"}))},
          {"ALT_NUM", OrNull(10, OneOf({0, 0, 0, 1, 2}))},
          {"TRAV_TYPE", OneOf({0, 1, 2, 3, 4, 5, 0, 6})}},
         {},
         0,
         {},
         ChainLinks},
        {"T_TRNK_CUST_TRAV",
         {0, 15},
         {{"CUSTOMER_ID", Ref("T_TRNK_CUSTOMER")},
          {"TRAVELER_ID", Spread("T_TRNK_TRAVELER")},
          {"ORDINAL", FallingOrdinal("T_TRNK_TRAVELER")}}},
        {"T_TRNK_OPSPERTRAV",
         {0, 60},
         {{"OPSPERTRAV_NUMBER", [](Cell& cell) { return Value(std::to_string(cell.Between(1, 30) * 10)); }},
          {"OPS_ID", Ref("T_TRNK_OPS")},
          {"TRAVELER_ID", Spread("T_TRNK_TRAVELER")},
          {"SETUP_TIME", OrNull(30, Money(0, 4))},
          {"CYCLE_TIME", OrNull(20, Money(0.1, 30))},
          {"PLAN_PER_HR", OrNull(40, Int(1, 200))},
          {"OPS_PER_DAY", OrNull(40, Int(1, 2000))},
          {"OP_PROG_NUMBER", OrNull(50, Numbered("O%04lld"))},
          {"NUM_OF_OPERATORS", OrNull(30, Int(1, 3))},
          {"TEARDOWN_TIME", OrNull(40, Money(0, 2))},
          {"ORDINAL", FallingOrdinal("T_TRNK_TRAVELER")},
          {"SETUP_DESC", Notes()},
          {"WORK_DESC", Notes()},
          {"GENERIC_SF", kReferenceFlag}}},
        {"T_TRNK_FPS",
         {0, 15},
         {{"PERSONNEL_ID", Ref("T_TRNK_PERS")},
          {"OPSPERTRAV_ID", Ref("T_TRNK_OPSPERTRAV")},
          {"SIGNOFF_DATE", When(1500)},
          {"DESCRIPTION", Notes()}}},
        {"T_TRNK_CUTTERPEROP",
         {0, 30},
         With(PerOperation("CUTTERPEROP_ORDINAL"), {{"CUTTER_NO_ID", Ref("T_TRNK_CUTTER_NO")},
                                                    {"QUANTITY", OrNull(10, Int(1, 4))},
                                                    {"CYCLES_PER_CUTTER", OrNull(30, Int(10, 5000))}})},
        {"T_TRNK_GAUGEPEROP", {0, 20}, With(PerOperation("GAUGEPEROP_ORDINAL"), {{"GAUGE_ID", Ref("T_TRNK_GAUGE_NO")}})},
        {"T_TRNK_INSERTPEROP",
         {0, 30},
         With(PerOperation("INSERTPEROP_ORDINAL"), {{"INSERT_NO_ID", Ref("T_TRNK_INSERT_NO")},
                                                    {"QUANTITY", OrNull(10, Int(1, 10))},
                                                    {"CYCLES_PER_INSERT", OrNull(30, Int(10, 2000))}})},
        {"T_TRNK_INSPEROP",
         {0, 20},
         With(PerOperation("INSPEROP_ORDINAL"), {{"INSPECTION_ID", Ref("T_TRNK_INSPECTION")}})},
        {"T_TRNK_KITPEROP", {0, 10}, With(PerOperation("KITPEROP_ORDINAL"), {{"KIT_NO_ID", Ref("T_TRNK_KIT_NO")}})},
        {"T_TRNK_MACHINEPEROP",
         {0, 30},
         With(PerOperation("MACHINE_ORDINAL"), {{"MACHINE_ID", Ref("T_TRNK_MACHINES")},
                                                {"CYCLE_TIME", OrNull(30, Money(0.1, 30))},
                                                {"OP_PROG_NUMBER", OrNull(40, Numbered("O%04lld", 5000))}})},
        {"T_TRNK_MATERIALPEROP",
         {0, 20},
         With(PerOperation("MATERIALPEROP_ORDINAL"), {{"MATERIAL_ID", Ref("T_TRNK_MATERIAL")}})},
        {"T_TRNK_PARTPEROP", {0, 20}, With(PerOperation("PARTPEROP_ORDINAL"), {{"PART_ID", Ref("T_TRNK_PART")}})},
        {"T_TRNK_TOOLPEROP",
         {0, 30},
         With(PerOperation("TOOLPEROP_ORDINAL"), {{"TOOL_ID", Ref("T_TRNK_TOOL_NO")},
                                                  {"TOOL_POSITION", OrNull(20, Numbered("T%02lld"))},
                                                  {"TOOL_OFFSET", OrNull(30, Numbered("H%02lld"))},
                                                  {"NUM_CYCLES", OrNull(40, Int(1, 5000))}})},
        {"T_TRNK_PARTTYPE_REF_DIM",
         {0, 6},
         {{"PARTTYPE_ID", Ref("T_TRNK_PARTTYPE")},
          {"REF_DIM_NAME", Name({"Length", "Width", "Teeth", "Bore"}, 40)},
          {"REF_DIM_ORDINAL", Int(1, 9)},
          {"NOTES", Notes()}}},
        {"T_TRNK_PART_REF_DIM",
         {0, 20},
         {{"PARTTYPE_REF_DIM_ID", Ref("T_TRNK_PARTTYPE_REF_DIM")},
          {"PART_ID", Ref("T_TRNK_PART")},
          {"REF_DIM_VALUE", OrNull(10, OneOf({"120 mm", "4.5 in", "32", "M8x1.25"}))}}},
    };
}

}  // namespace

std::vector<TableSpec> SampleAssetTables() {
    return Declare();
}

}  // namespace tmigration::sample
