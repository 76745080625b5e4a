// The serialised assets of the cribs and their service records: gages with calibration histories,
// sets, readings and IRRs; tools with rework histories, sets, readings and IRRs; kits and their
// components. Statuses collapse from the legacy suite's one status table into per-asset codes.
#include <string>

#include "transfer/BuiltTransfers.h"
#include "transfer/CribColumns.h"

namespace tmigration::transfer {
namespace {

using Read = CodeTable::Read;

constexpr std::int64_t kInsertNumbers = 40, kCutterNumbers = 14, kTools = 86;

CodeTable NullGivesNull(std::vector<std::pair<db::Value, db::Value>> codes) {
    return CodeTable{Read::Number, std::move(codes), std::nullopt, db::Value()};
}

const CodeTable kGageStatus = NullGivesNull({{2, 0},
                                             {1, 1},
                                             {14, 2},
                                             {15, 3},
                                             {16, 4},
                                             {18, 5},
                                             {12, 6},
                                             {11, 7},
                                             {8, 8},
                                             {32, 9},
                                             {39, 10},
                                             {43, 11},
                                             {46, 12},
                                             {7, 13},
                                             {38, 14},
                                             {6, 15},
                                             {47, 16}});
const CodeTable kToolStatus = NullGivesNull({{53, 0},
                                             {52, 1},
                                             {58, 2},
                                             {59, 3},
                                             {60, 4},
                                             {61, 5},
                                             {57, 6},
                                             {56, 7},
                                             {55, 8},
                                             {68, 10},
                                             {67, 11},
                                             {70, 12},
                                             {64, 13},
                                             {65, 14},
                                             {63, 15},
                                             {71, 16},
                                             {78, 17},
                                             {79, 18},
                                             {80, 19}});
const CodeTable kKitStatus = NullGivesNull({{76, 0}, {77, 1}, {85, 2}});
// IRR statuses have no Null rule: a report always has a status.
const CodeTable kIrrStatus{Read::Number, {{48, 0}, {49, 2}, {50, 3}, {51, 1}}};
const CodeTable kGageLastAction = NullGivesNull({{40, 13},
                                                 {46, 58},
                                                 {47, 62},
                                                 {138, 50},
                                                 {147, 64},
                                                 {150, 53},
                                                 {151, 35},
                                                 {152, 59},
                                                 {153, 69},
                                                 {167, 48},
                                                 {168, 49}});
const CodeTable kToolLastAction = NullGivesNull({{40, 14},
                                                 {138, 50},
                                                 {150, 53},
                                                 {151, 37},
                                                 {152, 59},
                                                 {167, 48},
                                                 {168, 47},
                                                 {190, 64},
                                                 {196, 62},
                                                 {197, 69},
                                                 {198, 58}});

Column Crib() {
    return Via("CRIB_ID", "CRIB_ID", "T_TRNK_LOCATION", "LOCATION_ID");
}
Column Machine() {
    return Via("MACHINE_ID", "MACHINE_ID", "T_TRNK_MACHINES", "MACHINE_ID");
}
Column User(std::string_view source) {
    return Via("USER_ID", source, "T_TRNK_PERS", "PERSONNEL_ID");
}
Column Gage() {
    return Via("GAGE_ID", "GAUGE_ID", "T_TRNK_GAUGES", "GAUGE_ID");
}
Column Tool() {
    return Via("TOOL_ID", "TOOL_ID", "T_TRNK_TOOLS", "TOOL_ID");
}
Column CalibrationHistory() {
    return Via("CAL_HIST_ID", "CALHIST_ID", "T_TRNK_CALHIST", "CALHIST_ID");
}
Column ReworkHistory() {
    return Via("REWORK_HIST_ID", "REWORKHIST_ID", "T_TRNK_REWORKHIST", "REWORKHIST_ID");
}

void Append(std::vector<Column>& to, std::vector<Column> more) {
    for (auto& column : more) to.push_back(std::move(column));
}

// A calibration or rework set: the dimensions one history recorded, renumbered per history.
Pass Sets(std::string_view legacyTable, std::string_view destination, std::string_view key, Column history,
          std::string_view legacyHistory) {
    return MakePass("select * from " + std::string(legacyTable) + " " + " order by " +
                        std::string(legacyHistory) + ", ORDINAL",
                    destination, key,
                    {std::move(history), Same("DIM_NAME"), UnitsByText(), Same("PRECISION"),
                     Same("TARGET_DIM"), Same("UPPER_TOL"), Same("LOWER_TOL"), Required(),
                     Ordinal("ORDINAL", legacyHistory), Copy("NOTES", "DETAILS")});
}

// An IRR: the item and its history, where it was found, who approved it, its state and who
// repairs it: a user (legacy table 94) or a vendor (95).
Pass Irrs(std::string_view legacyTable, std::string_view destination, std::string_view key, Column item,
          Column history, const CodeTable& lastAction, std::string_view repairTable,
          std::string_view repairBy, std::string_view repairExpected) {
    std::vector<Column> columns{Copy("IRR_NUMBER", "IRR_NO"),
                                std::move(item),
                                std::move(history),
                                Via("DEPT_ID", "DEPT_ID", "T_TRNK_DEPT", "DEPT_ID"),
                                Via("LOCATION_ID", "LOCATION_ID", "T_TRNK_LOCATION", "LOCATION_ID"),
                                Via("GROUP_ID", "GROUP_ID", "T_TRNK_GROUPS", "GROUP_ID"),
                                Machine(),
                                User("APPROVE_ID"),
                                Coded("STATUS_CODE", "STATUS_ID", kIrrStatus),
                                Coded("LAST_ACTION_CODE", "LAST_ACTION_ID", lastAction),
                                Same("TOTAL_ERRORS"),
                                Same("INITIAL_DATE"),
                                Same("MODIFIED_DATE"),
                                Same("CLOSE_DATE")};
    Append(
        columns,
        Polymorphic("REPAIR_TYPE_CODE", "REPAIR_TARGET_ID", repairTable, repairBy,
                    {{94, 0, "T_TRNK_PERS", "PERSONNEL_ID"}, {95, 1, "T_TRNK_VENDOR", "VENDOR_ID"}}, true));
    columns.push_back(Copy("REPAIR_EXPECTED_DATE", repairExpected));
    return MakePass("select * from " + std::string(legacyTable), destination, key, std::move(columns));
}

std::vector<BuiltTransfer> Declarations() {
    std::vector<BuiltTransfer> transfers;
    const auto add = [&](std::string_view name, Transfer transfer) {
        transfers.push_back({name, Declared(std::move(transfer))});
    };

    add("MigrateGages",
        {MakePass("select * from T_TRNK_GAUGES", "T_SFC_GAGE", "GAGE_ID",
                  {Via("GAGE_NO_ID", "GAUGE_NO_ID", "T_TRNK_GAUGE_NO", "GAUGE_NO_ID"), SerialNumber(),
                   Coded("STATUS_CODE", "STATUS_ID", kGageStatus), Crib(), Machine(), User("USER_ID"),
                   Via("PO_ID", "GAUGE_PO_ID", "T_TRNK_GAUGE_PO", "GAUGE_PO_ID"),
                   Copy("QUEUE_DATE", "CAL_ISSUE_DATE"), ZeroWhenNull("CAL_DAYS_USED", "CAL_DAYS_USED"),
                   ZeroWhenNull("TOTAL_DAYS_USED", "TOTAL_DAYS_USED"), Same("ISSUE_DATE"),
                   Same("ORIGINAL_ISSUE_DATE"), Same("LAST_CAL_DATE"), Same("NEXT_CAL_DATE"),
                   Coded("OLD_STATUS_CODE", "OLD_STATUS_ID", kGageStatus), Same("ORIGINAL_CAL_DATE"),
                   Same("CONDITIONAL_DATE"), Same("CONDITIONAL_FREQUENCY"), Copy("NOTES", "DETAILS")})});

    add("MigrateGageCalibrationHistories",
        {MakePass("select * from T_TRNK_CALHIST", "T_SFC_CAL_HIST", "CAL_HIST_ID",
                  {Gage(), Same("CAL_DATE"), User("INSP_ID"), Same("PASS_FAIL"), Same("IS_INITIAL")})});

    add("MigrateGageCalibrationSets",
        {Sets("T_TRNK_CAL_SET", "T_SFC_CAL_SET", "CAL_SET_ID", CalibrationHistory(), "CALHIST_ID")});

    add("MigrateGageCalibrations",
        {MakePass("select * from T_TRNK_CALIBRATE", "T_SFC_CALIBRATE", "CALIBRATE_ID",
                  {Gage(), Via("CAL_SET_ID", "GAUGE_CAL_DIM_ID", "T_TRNK_CAL_SET", "CAL_SET_ID"),
                   CalibrationHistory(), Same("CAL_DATE"), User("INSP_ID"), Same("ACTUAL_DIM"),
                   Same("PASS_FAIL"), Copy("NOTES", "DETAILS")})});

    add("MigrateGageIRRs",
        {Irrs("T_TRNK_IRR", "T_SFC_GAGE_IRR", "GAGE_IRR_ID", Gage(), CalibrationHistory(), kGageLastAction,
              "REWORK_TABLE_ID", "REWORK_BY_ID", "REWORK_EXPECTED_DATE")});

    add("MigrateTools",
        {MakePass(
            "select * from T_TRNK_TOOLS", "T_SFC_TOOL", "TOOL_ID",
            {Via("TOOL_NO_ID", "TOOL_NO_ID", "T_TRNK_TOOL_NO", "TOOL_NO_ID"), SerialNumber(),
             Coded("STATUS_CODE", "STATUS_ID", kToolStatus), Crib(), Machine(), User("USER_ID"),
             Via("PO_ID", "TOOL_PO_ID", "T_TRNK_TOOL_PO", "TOOL_PO_ID"),
             Copy("QUEUE_DATE", "REWORK_ISSUE_DATE"), ZeroWhenNull("REWORK_DAYS_USED", "REWORK_DAYS_USED"),
             ZeroWhenNull("TOTAL_DAYS_USED", "TOTAL_DAYS_USED"), Same("ISSUE_DATE"),
             Same("ORIGINAL_ISSUE_DATE"), Same("LAST_REWORK_DATE"), Same("NEXT_REWORK_DATE"),
             Coded("OLD_STATUS_CODE", "OLD_STATUS_ID", kToolStatus), Same("ORIGINAL_REWORK_DATE"),
             Same("CONDITIONAL_DATE"), Same("CONDITIONAL_FREQUENCY"), Copy("NOTES", "DETAILS")})});

    add("MigrateToolReworkHistories",
        {MakePass("select * from T_TRNK_REWORKHIST", "T_SFC_REWORK_HIST", "REWORK_HIST_ID",
                  {Tool(), Same("REWORK_DATE"), User("INSP_ID"), Same("PASS_FAIL"), Same("IS_INITIAL")})});

    add("MigrateToolReworkSets",
        {Sets("T_TRNK_TOOL_CAL_SET", "T_SFC_REWORK_SET", "REWORK_SET_ID", ReworkHistory(), "REWORKHIST_ID")});

    add("MigrateToolReworks",
        {MakePass(
            "select * from T_TRNK_REWORK", "T_SFC_REWORK", "REWORK_ID",
            {Tool(), Via("REWORK_SET_ID", "TOOL_REWORK_DIM_ID", "T_TRNK_TOOL_CAL_SET", "TOOL_CAL_SET_ID"),
             ReworkHistory(), Same("REWORK_DATE"), User("INSP_ID"), Same("ACTUAL_DIM"), Same("PASS_FAIL"),
             Copy("NOTES", "DETAILS")})});

    add("MigrateToolIRRs",
        {Irrs("T_TRNK_TOOL_IRR", "T_SFC_TOOL_IRR", "TOOL_IRR_ID", Tool(), ReworkHistory(), kToolLastAction,
              "REPAIR_TABLE_ID", "REPAIR_BY_ID", "REPAIR_EXPECTED_DATE")});

    add("MigrateKits", {MakePass("select * from T_TRNK_KIT", "T_SFC_KIT", "KIT_ID",
                                 {Via("KIT_NO_ID", "KIT_NO_ID", "T_TRNK_KIT_NO", "KIT_NO_ID"), SerialNumber(),
                                  User("USER_ID"), Machine(), Coded("STATUS_CODE", "STATUS_ID", kKitStatus),
                                  Crib(), YesNo("KEEP_ASSEMBLED", "KEEP_ASSEMBLED", 0), Same("NOTES")})});

    std::vector<Column> component{Via("KIT_ID", "KIT_ID", "T_TRNK_KIT", "KIT_ID")};
    Append(component, Polymorphic("TABLE_CODE", "TARGET_ID", "TABLE_ID", "TARGET_ID",
                                  {{120, kInsertNumbers, "T_TRNK_INSERT_NO", "INSERT_NO_ID"},
                                   {156, kCutterNumbers, "T_TRNK_CUTTER_NO", "CUTTER_NO_ID"},
                                   {169, kTools, "T_TRNK_TOOLS", "TOOL_ID"}},
                                  false));
    component.push_back(Same("QTY"));
    component.push_back(Ordinal("ORDINAL", "KIT_ID"));
    add("MigrateKitComponents", {MakePass("select * from T_TRNK_KIT_COMPONENT", "T_SFC_KIT_COMPONENT",
                                          "KIT_COMPONENT_ID", component)});
    return transfers;
}

}  // namespace

const std::vector<BuiltTransfer>& AssetTransfers() {
    static const std::vector<BuiltTransfer> transfers = Declarations();
    return transfers;
}

}  // namespace tmigration::transfer
