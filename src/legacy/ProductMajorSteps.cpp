// The major steps of the Gage, Tool and Traveler tables. The tables these steps dropped, and those
// created by old steps and dropped by later ones, are declared here as they stood; everything else
// takes its form from the module's last catalog.
#include "legacy/CommonMajorSteps.h"
#include "legacy/ProductConversions.h"

namespace tmigration::legacy {
namespace {

// The tool inspection report before its repair columns.
constexpr LegacyTableDecl kOldToolIrr{
    "T_TRNK_TOOL_IRR",
    "IRR_ID COUNTER key; IRR_NO VARCHAR(30) NOT NULL; TOOL_ID INTEGER NOT NULL; "
    "STATUS_ID INTEGER NOT NULL; INITIAL_DATE DATETIME; MODIFIED_DATE DATETIME; CLOSE_DATE DATETIME; "
    "LAST_ACTION_ID INTEGER; VENDOR_ID INTEGER; P_O_NUMBER VARCHAR(30); "
    "REWORKHIST_ID INTEGER NOT NULL; TOTAL_ERRORS INTEGER [NUMBER(3,0)]; M_E_ID INTEGER; "
    "APPROVE_ID INTEGER; REPAIR_BY_ID INTEGER",
    "K_TRNK_TOOL_IRR unique (IRR_ID)",
    "FK_TOOL_IRR_TOOL (TOOL_ID -> T_TRNK_TOOLS); FK_TOOL_IRR_VENDOR (VENDOR_ID -> T_TRNK_VENDOR); "
    "FK_TOOL_IRR_REWORKHIST (REWORKHIST_ID -> T_TRNK_REWORKHIST); "
    "FK_TOOL_IRR_ME (M_E_ID -> T_TRNK_PERS); FK_TOOL_IRR_STATUS (STATUS_ID -> T_TRNK_STATUS); "
    "FK_TOOL_IRR_APPRV (APPROVE_ID -> T_TRNK_PERS); FK_TOOL_IRR_ACTION (LAST_ACTION_ID -> T_TRNK_SUBTYPE)"};

// Inserts and cutters per tool-per-operation, which the per-operation tables replaced.
constexpr LegacyTableDecl kInsertsPerToolOp{
    "T_TRNK_INSERT_TPO",
    "INSERT_TPO_ID COUNTER key; TOOLPEROP_ID INTEGER NOT NULL; INSERT_NO_ID INTEGER NOT NULL; "
    "QUANTITY INTEGER; CYCLES_PER_INSERT INTEGER; NOTES MEMO",
    "K_TRNK_INSERT_TPO unique (INSERT_TPO_ID)", ""};
constexpr LegacyTableDecl kCuttersPerToolOp{
    "T_TRNK_CUTTER_TPO",
    "CUTTER_TPO_ID COUNTER key; TOOLPEROP_ID INTEGER NOT NULL; CUTTER_NO_ID INTEGER NOT NULL; "
    "QUANTITY INTEGER; CYCLES_PER_CUTTER INTEGER; NOTES MEMO",
    "K_TRNK_CUTTER_TPO unique (CUTTER_TPO_ID)", ""};
// Parts per operation before the table was rebuilt on the traveler's operations.
constexpr LegacyTableDecl kOldPartsPerOp{
    "T_TRNK_PARTPEROP",
    "PARTPEROP_ID COUNTER key; OPS_ID INTEGER NOT NULL; PART_ID INTEGER NOT NULL; "
    "PARTPEROP_ORDINAL INTEGER; DESCRIPTION MEMO",
    "K_TRNK_PARTPEROP unique (PARTPEROP_ID)",
    "FK_PPO_OPT (OPS_ID -> T_TRNK_OPSPERTRAV); FK_PPO_PART (PART_ID -> T_TRNK_PART)"};

// The gages as they stood before the table was rebuilt under its "2" names, kept under another name
// for the metric conversion; its trigger went with it, its sequence stayed with the new table. The
// gage's own type column, from before the gage numbers, the new table no longer has.
constexpr LegacyTableDecl kOldGauges{
    "T_TRNK_OLD_GAUGES",
    "GAUGE_ID COUNTER key; GAUGE_NO_ID INTEGER NOT NULL; SERIAL_NO VARCHAR(40); STATUS_ID INTEGER NOT NULL; "
    "CRIB_ID INTEGER; MACHINE_ID INTEGER; USER_ID INTEGER; ISSUE_DATE DATETIME; LAST_CAL_DATE DATETIME; "
    "TOTAL_DAYS_USED INTEGER; CAL_DAYS_USED INTEGER; NEXT_CAL_DATE DATETIME; CAL_ISSUE_DATE DATETIME; "
    "COST DOUBLE [NUMBER(10,2) / NUMERIC(10,2)]; DETAILS MEMO; GAUGEINIT_ID INTEGER; GAUGE_TYPE_ID INTEGER; "
    "OLD_STATUS_ID INTEGER; REWORK_ID INTEGER; REWORK_TABLE_ID INTEGER; RMA_NO VARCHAR(30); DEPT_ID INTEGER; "
    "LOCATION_ID INTEGER; FREQUENCY INTEGER",
    "K_TRNK_GAUGES unique (GAUGE_ID); K_TRNK_SERIAL unique (GAUGE_NO_ID, SERIAL_NO)",
    "FK_GAU_GAUGE_NO (GAUGE_NO_ID -> T_TRNK_GAUGE_NO); FK_GAU_STATUS (STATUS_ID -> T_TRNK_STATUS); "
    "FK_GAU_GAUGE_TYPE (GAUGE_TYPE_ID -> T_TRNK_GAUGE_SUBTYPE)",
    SequenceForm::Simple,
    OracleForeignKeys::Kept,
    "S_TRNK_GAUGES",
    "TR_TRNK_GAUGES"};

// The calibration histories, measurements and inspection reports as they stood when the gages were
// rebuilt: their keys pointed at the old gages, so they were rebuilt too, empty. A measurement then
// named the metric of its gage's operation; a report was dated by its disposition and carried the
// quality engineer's notification flags.
constexpr LegacyTableDecl kOldCalibrationHistory{
    "T_TRNK_CALHIST",
    "CALHIST_ID COUNTER key; GAUGE_ID INTEGER NOT NULL; CAL_DATE DATETIME NOT NULL; INSP_ID INTEGER; "
    "PASS_FAIL INTEGER",
    "K_TRNK_CALHIST unique (CALHIST_ID)",
    "FK_CALHIST_GAUGE (GAUGE_ID -> T_TRNK_GAUGES); FK_CALHIST_INSP (INSP_ID -> T_TRNK_PERS)"};
constexpr LegacyTableDecl kOldCalibrations{
    "T_TRNK_CALIBRATE",
    "CALIBRATE_ID COUNTER key; GAUGE_ID INTEGER NOT NULL; OPS_PER_GAUGE_ID INTEGER; "
    "CALHIST_ID INTEGER NOT NULL; CAL_DATE DATETIME NOT NULL; INSP_ID INTEGER NOT NULL; "
    "ACTUAL_DIM DOUBLE [NUMBER(10,6) / NUMERIC(10,6)]; PASS_FAIL INTEGER; DETAILS MEMO",
    "K_TRNK_CALIBRATE unique (CALIBRATE_ID)",
    "FK_CAL_GAUGE (GAUGE_ID -> T_TRNK_GAUGES); FK_CAL_HIST (CALHIST_ID -> T_TRNK_CALHIST); "
    "FK_CAL_INSP (INSP_ID -> T_TRNK_PERS)"};
constexpr LegacyTableDecl kOldIrr{
    "T_TRNK_IRR",
    "IRR_ID COUNTER key; IRR_NO VARCHAR(30) NOT NULL; GAUGE_ID INTEGER NOT NULL; STATUS_ID INTEGER NOT NULL; "
    "OPEN_DISP_DATE DATETIME; VENDOR_ID INTEGER; P_O_NUMBER VARCHAR(30); CALHIST_ID INTEGER NOT NULL; "
    "M_E_ID INTEGER; APPROVE_ID INTEGER; REWORK_BY_ID INTEGER; DEPT_ID INTEGER; "
    "TOTAL_ERRORS INTEGER [NUMBER(3,0)]; QCE_ID INTEGER; QCE_NOTIFIED INTEGER [NUMBER(1,0)]; "
    "REWORK_STATUS_ID INTEGER; DISP_ACTION_ID INTEGER; NOTIFY_M_E INTEGER [NUMBER(1,0)]; "
    "NOTIFY_QCE INTEGER [NUMBER(1,0)]; REWORK_TABLE_ID INTEGER; LOCATION_ID INTEGER; GROUP_ID INTEGER; "
    "MACHINE_ID INTEGER",
    "K_TRNK_IRR unique (IRR_ID)",
    "FK_IRR_GAUGE (GAUGE_ID -> T_TRNK_GAUGES); FK_IRR_VENDOR (VENDOR_ID -> T_TRNK_VENDOR); "
    "FK_IRR_CALHIST (CALHIST_ID -> T_TRNK_CALHIST); FK_IRR_ME (M_E_ID -> T_TRNK_PERS); "
    "FK_IRR_STATUS (STATUS_ID -> T_TRNK_STATUS); FK_IRR_APPRV (APPROVE_ID -> T_TRNK_PERS); "
    "FK_IRR_DEPT (DEPT_ID -> T_TRNK_DEPT)"};

}  // namespace

std::vector<MajorStep> BuildGageSteps() {
    constexpr Module G = Module::Gage;
    std::vector<MajorStep> steps;
    // 1 to 29: Oracle databases only, the older history of the gage tables. Majors without a schema
    // change of the gage tables still count.
    const auto empty = [&](int from) { steps.push_back(StepText(from, G).Done()); };
    steps.push_back(
        StepText(1, G)
            .DropKey("T_TRNK_CALIBRATE", "FK_CAL_OPSPERGAU (OPS_PER_GAUGE_ID -> T_TRNK_OPSPERGAUGE)")
            .Done());
    empty(2);
    steps.push_back(StepText(3, G).Add("T_TRNK_IRR", "TOTAL_ERRORS").Done());
    steps.push_back(StepText(4, G).Add("T_TRNK_IRR", "QCE_ID, QCE_NOTIFIED").Done());
    empty(5);
    steps.push_back(StepText(6, G).Add("T_TRNK_IRR", "REWORK_STATUS_ID, DISP_ACTION_ID").Done());
    steps.push_back(StepText(7, G).Add("T_TRNK_IRR", "NOTIFY_M_E, NOTIFY_QCE").Done());
    empty(8);
    // Gages and reports learn where a gage out for repair went.
    steps.push_back(StepText(9, G)
                        .Add("T_TRNK_GAUGES", "OLD_STATUS_ID, REWORK_ID, REWORK_TABLE_ID")
                        .Add("T_TRNK_IRR", "REWORK_TABLE_ID")
                        .Done());
    steps.push_back(StepText(10, G).Add("T_TRNK_GAUGES", "RMA_NO").Done());
    steps.push_back(StepText(11, G).Add("T_TRNK_GAUGEINIT", "CANCEL_QTY, DATE_EXPECTED").Done());
    empty(12);
    steps.push_back(StepText(13, G)
                        .Add("T_TRNK_GAUGES", "DEPT_ID, LOCATION_ID")
                        .Add("T_TRNK_IRR", "LOCATION_ID, GROUP_ID, MACHINE_ID")
                        .Done());
    // A gage's type column names a subtype from then on, as the gage receipts' does.
    steps.push_back(StepText(14, G)
                        .DropKey("T_TRNK_GAUGES", "FK_GAU_GAUGE_TYPE (GAUGE_TYPE_ID -> T_TRNK_GAUGE_TYPE)")
                        .Key("T_TRNK_GAUGES", "FK_GAU_GAUGE_TYPE")
                        .Done());
    steps.push_back(StepText(15, G).Add("T_TRNK_GAUGES", "FREQUENCY").Done());
    empty(16);
    steps.push_back(
        StepText(17, G).Relax("T_TRNK_GAUGES", "SERIAL_NO, TOTAL_DAYS_USED, CAL_DAYS_USED").Done());
    empty(18);
    // The gages are rebuilt under their "2" names with their rows and keys; the old table stays for
    // the metric conversion. The histories, measurements and reports that pointed at the old gages
    // are rebuilt empty on the new ones.
    steps.push_back(StepText(19, G)
                        .Drop(kOldIrr)
                        .Drop(kOldCalibrations)
                        .Drop(kOldCalibrationHistory)
                        .Rename("T_TRNK_GAUGES", "T_TRNK_OLD_GAUGES")
                        .Create("T_TRNK_GAUGES", kKeepSequence)
                        .CopyRows("T_TRNK_OLD_GAUGES", "T_TRNK_GAUGES")
                        .Create("T_TRNK_CALHIST")
                        .Create("T_TRNK_CALIBRATE")
                        .Create("T_TRNK_IRR")
                        .Done());
    empty(20);
    // Reports get their dates and last action; the disposition date becomes the modification date.
    steps.push_back(StepText(21, G)
                        .Add("T_TRNK_IRR", "INITIAL_DATE, MODIFIED_DATE, LAST_ACTION_ID")
                        .Sql("UPDATE T_TRNK_IRR SET MODIFIED_DATE = OPEN_DISP_DATE")
                        .Sql("UPDATE T_TRNK_IRR SET LAST_ACTION_ID = 140")
                        .Key("T_TRNK_IRR", "FK_IRR_ACTION")
                        .DropColumn("T_TRNK_IRR", "OPEN_DISP_DATE DATETIME")
                        .Done());
    empty(22);
    steps.push_back(StepText(23, G).Add("T_TRNK_IRR", "CLOSE_DATE").Done());
    empty(24);
    steps.push_back(StepText(25, G).Add("T_TRNK_IRR", "REWORK_EXPECTED_DATE, REWORK_RECEIVED_DATE").Done());
    empty(26);
    // 27 to 29: the purchase orders, then the metrics of gage operations as reference dimensions.
    steps.push_back(StepText(27, G).Create("T_TRNK_GAUGE_PO").Done());
    steps.push_back(StepText(28, G)
                        .Create("T_TRNK_GAUGES_PER_PO")
                        .Add("T_TRNK_GAUGES", "GAUGE_PO_ID")
                        .Key("T_TRNK_GAUGES", "FK_GAUGE_GAUGE_PO")
                        .Done());
    steps.push_back(StepText(29, G)
                        .Convert(ConvertGageMetrics)
                        .Convert(DropGageMetrics)
                        .Drop(kOldGauges, kKeepSequence)
                        .Sql("delete from T_TRNK_USERTYPE  where PTYPE_ID = 10")
                        .Done());
    steps.push_back(StepText(30, G).Convert(RebuildCalibrationTypeKey).Done());
    steps.push_back(StepText(31, G)
                        .DropKey("T_TRNK_GAUGEINIT", "FK_GAUGEINIT_M_ENG (M_E_ID -> T_TRNK_PERS)")
                        .DropKey("T_TRNK_GAUGEINIT", "FK_GAUGEINIT_INSP (INSP_ID -> T_TRNK_PERS)")
                        .Done());
    steps.push_back(StepText(32, G).Add("T_TRNK_CALHIST", "IS_INITIAL").Done());
    steps.push_back(StepText(33, G).Convert(MarkInitialCalibrations).Done());
    steps.push_back(StepText(34, G).Create("T_TRNK_CAL_SET").Done());
    steps.push_back(StepText(35, G).Convert(CopyCalibrationSets).Done());
    steps.push_back(StepText(36, G).Sql("DELETE from T_TRNK_GAUGE_CAL_DIM  where IS_DELETED = 1").Done());
    return steps;
}

std::vector<MajorStep> BuildToolSteps() {
    constexpr Module T = Module::Tool;
    std::vector<MajorStep> steps;
    steps.push_back(StepText(1, T).Add("T_TRNK_TOOLS", "CONDITIONAL_DATE, CONDITIONAL_FREQUENCY").Done());
    steps.push_back(StepText(2, T).Drop(kOldToolIrr).Create("T_TRNK_TOOL_IRR").Done());
    steps.push_back(StepText(3, T).Create("T_TRNK_IC_HISTORY").Done());
    steps.push_back(StepText(4, T)
                        .Create("T_TRNK_CUTTER_PARTREF")
                        .Create("T_TRNK_CUTTER_MATERIALREF")
                        .Create("T_TRNK_INSERT_PARTREF")
                        .Create("T_TRNK_INSERT_MATERIALREF")
                        .Done());
    steps.push_back(StepText(5, T).Create("T_TRNK_CUTTER_CRIB").Create("T_TRNK_INSERT_CRIB").Done());
    steps.push_back(StepText(6, T).Create("T_TRNK_KIT").Create("T_TRNK_KIT_COMPONENT").Done());
    steps.push_back(StepText(7, T)
                        .Create("T_TRNK_TOOL_PO")
                        .Create("T_TRNK_TOOLS_PER_PO")
                        .Create("T_TRNK_CUTTERS_PER_PO")
                        .Create("T_TRNK_INSERTS_PER_PO")
                        .Done());
    steps.push_back(StepText(8, T)
                        .DropKey("T_TRNK_TOOLS", "FK_TOOL_TOOLINIT2 (TOOLINIT_ID -> T_TRNK_TOOLINIT)")
                        .Add("T_TRNK_TOOLS", "TOOL_PO_ID")
                        .Key("T_TRNK_TOOLS", "FK_TOOL_TOOL_PO")
                        .Done());
    steps.push_back(StepText(9, T)
                        .Add("T_TRNK_TOOLS_PER_PO", "VENDOR_NUMBER")
                        .Add("T_TRNK_CUTTERS_PER_PO", "VENDOR_NUMBER")
                        .Add("T_TRNK_INSERTS_PER_PO", "VENDOR_NUMBER")
                        .Done());
    steps.push_back(StepText(10, T)
                        .Add("T_TRNK_IC_HISTORY", "QTY, MACHINE_ID, USER_ID")
                        .Key("T_TRNK_IC_HISTORY", "FK_IC_HISTORY_USER")
                        .Key("T_TRNK_IC_HISTORY", "FK_IC_HISTORY_MACH")
                        .Done());
    // The index is built again in the form it had.
    steps.push_back(StepText(11, T)
                        .DropIndex("T_TRNK_KIT_COMPONENT", "K_TRNK_KIT_COMPONENT_KIT (KIT_ID)")
                        .Index("T_TRNK_KIT_COMPONENT", "K_TRNK_KIT_COMPONENT_KIT")
                        .Done());
    steps.push_back(StepText(12, T).Add("T_TRNK_REWORKHIST", "IS_INITIAL").Done());
    steps.push_back(StepText(13, T).Convert(MarkInitialReworks).Done());
    steps.push_back(StepText(14, T).Create("T_TRNK_TOOL_CAL_SET").Done());
    steps.push_back(StepText(15, T).Convert(CopyReworkSets).Done());
    steps.push_back(StepText(16, T).Sql("DELETE from T_TRNK_TOOL_CAL_DIM  where IS_DELETED = 1").Done());
    return steps;
}

std::vector<MajorStep> BuildTravelerSteps() {
    constexpr Module V = Module::Traveler;
    std::vector<MajorStep> steps;
    // 1 to 6: Oracle databases only; the other dialects start later.
    steps.push_back(StepText(1, V).Create(kInsertsPerToolOp).Done());
    steps.push_back(StepText(2, V).Add("T_TRNK_MACHINEPEROP", "OP_PROG_NUMBER").Done());
    steps.push_back(StepText(3, V).Add("T_TRNK_TOOLPEROP", "NUM_CYCLES").Done());
    steps.push_back(StepText(4, V).Create(kCuttersPerToolOp).Done());
    steps.push_back(StepText(5, V)
                        .Add("T_TRNK_MATERIALPEROP", "PTYPE_ID")
                        .Key("T_TRNK_MATERIALPEROP", "FK_MPO_PTYPE")
                        .Convert(DropPartPerOperationRows)
                        .Drop(kOldPartsPerOp, kKeepSequence)
                        .Done());
    steps.push_back(StepText(6, V).DropSequence("S_TRNK_PARTPEROP").Create("T_TRNK_PARTPEROP").Done());
    steps.push_back(StepText(7, V)
                        .Create("T_TRNK_INSERTPEROP")
                        .Create("T_TRNK_CUTTERPEROP")
                        .Create("T_TRNK_KITPEROP")
                        .Drop(kInsertsPerToolOp)
                        .Drop(kCuttersPerToolOp)
                        .Done());
    steps.push_back(StepText(8, V).Add("T_TRNK_TRAVELER", "REV").Convert(SplitTravelerNames).Done());
    // The part reference dimensions came with the part type ones they point to.
    steps.push_back(StepText(9, V).Create("T_TRNK_PARTTYPE_REF_DIM").Create("T_TRNK_PART_REF_DIM").Done());
    steps.push_back(
        StepText(10, V).Add("T_TRNK_CUST_TRAV", "ORDINAL").Convert(NumberTravelerCustomers).Done());
    steps.push_back(StepText(11, V)
                        .Add("T_TRNK_TRAVELER", "USER_REV")
                        .Sql("UPDATE T_TRNK_TRAVELER SET USER_REV = REV")
                        .Done());
    steps.push_back(StepText(12, V).Add("T_TRNK_TRAVELER", "PTYPE_ID").Convert(ClassifyTravelers).Done());
    steps.push_back(StepText(13, V).Add("T_TRNK_TRAVELER", "ALT_NUM").Convert(NumberAlternates).Done());
    StepText types(14, V);
    types.Add("T_TRNK_TRAVELER", "TRAV_TYPE");
    const char* names[] = {"Assembly", "Fabrication", "Machining", "Outsource", "Process", "Rework"};
    for (int code = 0; code < 6; ++code)
        types.Sql("UPDATE T_TRNK_TRAVELER SET TRAV_TYPE = " + std::to_string(code) +
                  " where TRAVELER_TYPE = '" + names[code] + "'");
    steps.push_back(types.Done());
    return steps;
}

}  // namespace tmigration::legacy
