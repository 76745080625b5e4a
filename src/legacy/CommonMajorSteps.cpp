#include "legacy/CommonMajorSteps.h"

#include <algorithm>
#include <stdexcept>

#include "legacy/CommonConversions.h"
#include "legacy/LegacyTableCreator.h"
#include "legacy/catalog/LegacyDdl.h"
#include "legacy/catalog/LegacyTableLists.h"
#include "util/VbConversions.h"

namespace tmigration::legacy {
namespace {

using db::Dialect;

// Tables as they stood before the steps that drop them.
constexpr LegacyTableDecl kBlueprints{
    "T_TRNK_BPRINT",
    "BPRINT_ID COUNTER key; BPRINT_NAME VARCHAR(40); BPRINT_NUMBER VARCHAR(30); "
    "DESCRIPTION MEMO",
    "K_TRNK_BPRINT unique (BPRINT_ID)", ""};
constexpr LegacyTableDecl kOldDowntime{"T_TRNK_DOWNTIME",
                                       "DOWNTIME_ID COUNTER key; DOWNTIME_NAME VARCHAR(30) NOT NULL; "
                                       "DOWNTIME_NUMBER VARCHAR(30); PLANNED VARCHAR(1)",
                                       "K_TRNK_DOWNTIME unique (DOWNTIME_ID)", ""};

// The machine events before the PARAM1..PARAM10 layout: the job's part and operation were columns of
// their own. Only the columns that the steps up to then name are known; the rest is the later layout.
constexpr LegacyTableDecl kOldEvents{
    "T_TRNK_EVENTS",
    "EVENT_ID COUNTER key; START_TIME DATETIME NOT NULL; STOP_TIME DATETIME; FILE_NAME VARCHAR(255); "
    "COMMAND_ID INTEGER; DEPT_ID INTEGER; LOCATION_ID INTEGER; GROUP_ID INTEGER; MACHINE_ID INTEGER; "
    "COST_CENTER_ID INTEGER; USER1_ID INTEGER; USER2_ID INTEGER; OPTIMIZED VARCHAR(1); "
    "PARTTYPE_NAME VARCHAR(40); PART_NUMBER VARCHAR(40); PART_REV VARCHAR(10); QUANTITY INTEGER; "
    "OPS_NUMBER VARCHAR(30); OPS_REV VARCHAR(10)",
    "K_TRNK_EVENT unique (EVENT_ID); K_TRNK_EVENTS_CMD (COMMAND_ID)",
    "FK_EVENTS_CMD (COMMAND_ID -> T_TRNK_COMMANDS); FK_EVENTS_DEPT (DEPT_ID -> T_TRNK_DEPT); "
    "FK_EVENTS_LOC (LOCATION_ID -> T_TRNK_LOCATION); FK_EVENTS_GROUP (GROUP_ID -> T_TRNK_GROUPS); "
    "FK_EVENTS_MACH (MACHINE_ID -> T_TRNK_MACHINES); FK_EVENTS_COST (COST_CENTER_ID -> T_TRNK_COST_CENTER); "
    "FK_EVENTS_USER1 (USER1_ID -> T_TRNK_USER1); FK_EVENTS_USER2 (USER2_ID -> T_TRNK_USER2)"};

// The downtime categories the step from 7 starts the table with: id, name, number, planned.
constexpr std::string_view kFirstDowntimeRows[] = {
    "1, 'Meetings', '100', 'Y'",
    "2, 'Breaks', '110', 'Y'",
    "3, 'Preventive Maintenance', '120', 'Y'",
    "4, 'Other Planned Down Time', '130', 'Y'",
    "5, 'Material', '200', 'N'",
    "6, 'Gaging', '210', 'N'",
    "7, 'Tooling', '220', 'N'",
    "8, 'Maintenance', '230', 'N'",
    "9, 'Other Unplanned Down Time', '240', 'N'",
};

// The keys from subtype and action columns to T_TRNK_SUBTYPE that major 40 drops, as "TABLE:FK (COLUMN)".
constexpr std::string_view kSubtypeKeys[] = {
    "T_TRNK_OPS:FK_OPS_SUBTYPE (SUBTYPE_ID)",
    "T_TRNK_LOCATION:FK_LOC_SUBTYPE (SUBTYPE_ID)",
    "T_TRNK_MEDIASRC:FK_MEDIASRC_SUBTYPE (SUBTYPE_ID)",
    "T_TRNK_MEDIADEST:FK_MEDIADEST_SUBTYPE (TABLE_ID)",
    "T_TRNK_ASSEMBLY:FK_ASSEMBLY_SUBTYPE (SUBTYPE_ID)",
    "T_TRNK_ASSEMBLY:FK_ASSEMBLY_ACTION (ACTION_ID)",
    "T_TRNK_HISTORY:FK_HISTORY_SUBTYPE (SUBTYPE_ID)",
    "T_TRNK_HISTORY:FK_HISTORY_ACTION (ACTION_ID)",
    "T_TRNK_COMMANDS:FK_COMMANDS_SUBTYPE (SUBTYPE_ID)",
    "T_TRNK_GROUPS:FK_GROUPS_SUBTYPE (SUBTYPE_ID)",
    "T_TRNK_MACHINES:FK_MACHINES_SUBTYPE (SUBTYPE_ID)",
    "T_TRNK_MACHINES:FK_MACHINES_ACTION (ACTION_ID)",
    "T_TRNK_COST_CENTER:FK_CC_SUBTYPE (SUBTYPE_ID)",
    "T_TRNK_COST_CENTER:FK_CC_ACTION (ACTION_ID)",
    "T_TRNK_PART:FK_PART_SUBTYPE (SUBTYPE_ID)",
    "T_TRNK_PART:FK_PART_ACTION (ACTION_ID)",
    "T_TRNK_MATERIAL:FK_MATERIAL_SUBTYPE (SUBTYPE_ID)",
    "T_TRNK_GAUGE_NO:FK_GN_ST (CALTYPE_ID)",
    "T_TRNK_TOOL_NO:FK_TN_ST (REWORKTYPE_ID)",
    "T_TRNK_GAUGE_REF_DIM:FK_GRD_DIM_TYPE (DIM_TYPE_ID)",
    "T_TRNK_TOOL_REF_DIM:FK_TRD_DIM_TYPE (DIM_TYPE_ID)",
    "T_TRNK_GAUGE_CAL_DIM:FK_GCD_DIM_TYPE (DIM_TYPE_ID)",
    "T_TRNK_TOOL_CAL_DIM:FK_TCD_DIM_TYPE (DIM_TYPE_ID)",
    "T_TRNK_AUTO_INC:FK_AUTO_INC_ST (TABLE_ID)",
};

std::vector<MajorStep> BuildSteps() {
    std::vector<MajorStep> steps;
    // Shifts and shift history arrive; the persons' shift column gets its key to the new table.
    StepText shifts(1);
    for (const char* table : {"T_TRNK_INTERVAL", "T_TRNK_SHIFT", "T_TRNK_SHIFT_DEPT", "T_TRNK_SHIFT_LOCATION",
                              "T_TRNK_SHIFT_GROUP", "T_TRNK_SHIFT_MACHINE", "T_TRNK_SHIFT_HISTORY"})
        shifts.Create(table);
    shifts.Key("T_TRNK_PERS", "FK_PERS_SHIFT");
    for (const char* table :
         {"T_TRNK_DEPT", "T_TRNK_LOCATION", "T_TRNK_GROUPS", "T_TRNK_MACHINES", "T_TRNK_PART"})
        shifts.Add(table, "PARTS_PER_HR");
    shifts.Add("T_TRNK_EVENTS", "OPTIMIZED")
        .Index("T_TRNK_EVENTS", "K_TRNK_EVENTS_CMD")
        .Sql("UPDATE T_TRNK_COMMON SET RESERVED8 = 13 WHERE APP_ID = 0");
    for (const char* table : {"T_TRNK_DEPT", "T_TRNK_LOCATION", "T_TRNK_GROUPS", "T_TRNK_MACHINES"})
        shifts.Add(table, "COST_PER_HR");
    shifts.Add("T_TRNK_PART", "COST")
        .Sql("UPDATE T_TRNK_OBJECT SET CATEGORY = 4, ORDINAL = 22 WHERE OBJECT_ID = 81")
        .Sql("UPDATE T_TRNK_OBJECT SET CATEGORY = 4, ORDINAL = 23 WHERE OBJECT_ID = 135");
    steps.push_back(shifts.Done());
    steps.push_back(StepText(2).Create("T_TRNK_INSERTTYPE").Create("T_TRNK_INSERT_NO").Done());
    steps.push_back(StepText(3)
                        .Add("T_TRNK_SHIFT_HISTORY", "PARTTYPE_ID")
                        .Index("T_TRNK_SHIFT_HISTORY", "K_TRNK_SH_PT")
                        .Key("T_TRNK_SHIFT_HISTORY", "FK_SH_PT")
                        .Done());
    // Jobs arrive; the shift history names the job it ran.
    steps.push_back(StepText(4)
                        .Create("T_TRNK_JOB")
                        .Add("T_TRNK_SHIFT_HISTORY", "JOB_ID")
                        .Index("T_TRNK_SHIFT_HISTORY", "K_TRNK_SH_JOB")
                        .Key("T_TRNK_SHIFT_HISTORY", "FK_SH_JOB")
                        .Done());
    steps.push_back(StepText(5).Add("T_TRNK_JOB", "DURATION").Done());
    steps.push_back(
        StepText(6)
            .Add("T_TRNK_EVENTS", "PARTTYPE_NAME, PART_NUMBER, PART_REV, QUANTITY, OPS_NUMBER, OPS_REV")
            .Done());
    // The events take the parameter layout (their rows go with the old table); downtime categories
    // arrive; commands 9 to 16 become reserved rows.
    StepText events(7);
    events.Drop(kOldEvents).Create("T_TRNK_EVENTS").Create("T_TRNK_DOWNTIME");
    for (std::string_view row : kFirstDowntimeRows)
        events.Sql(
            "INSERT INTO T_TRNK_DOWNTIME (DOWNTIME_ID, DOWNTIME_NAME, DOWNTIME_NUMBER, PLANNED) VALUES (" +
            std::string(row) + ")");
    for (int command = 9; command <= 16; ++command)
        events.Sql("UPDATE T_TRNK_COMMANDS SET COMMAND_NAME = NULL, COMMAND_NUMBER = 'Res. " +
                   std::to_string(command) + "' WHERE COMMAND_ID = " + std::to_string(command));
    steps.push_back(events.Done());
    steps.push_back(StepText(8).Add("T_TRNK_PERS", "EMAIL").Done());
    steps.push_back(StepText(9)
                        .Add("T_TRNK_TOOL_NO", "DISPOSABLE, NUM_CYCLES, ORIENTATION")
                        .Add("T_TRNK_JOB", "COMPLETED")
                        .Done());
    steps.push_back(
        StepText(10)
            .Add("T_TRNK_STATUS", "INTERNALFLAG")
            .Sql("UPDATE T_TRNK_STATUS SET PTYPE_ID = 44 WHERE STATUS_ID IN(4, 5, 9, 10, 13)")
            .Sql("UPDATE T_TRNK_STATUS SET INTERNALFLAG = 1 WHERE STATUS_ID IN(16, 17, 32, 33)")
            .Sql("UPDATE T_TRNK_STATUS SET INTERNALFLAG = 0 WHERE STATUS_ID IN(1, 2, 3, 7, 8, 11, 12, 14, "
                 "15, 18, 29)")
            .Done());
    StepText machineEvents(11);
    machineEvents.Add("T_TRNK_MACHINES",
                      "DOWN_TIME_ID, SETUP_TIME_ID, CYCLE_TIME_ID, LOGON_TIME_ID, JOB_TIME_ID");
    for (const char* key :
         {"FK_MACHINES_DT", "FK_MACHINES_ST", "FK_MACHINES_CT", "FK_MACHINES_LT", "FK_MACHINES_JT"})
        machineEvents.Key("T_TRNK_MACHINES", key);
    steps.push_back(machineEvents.Done());
    steps.push_back(
        StepText(12)
            .Add("T_TRNK_MACHINES", "PERS_DOWN_TIME_ID")
            .Key("T_TRNK_MACHINES", "FK_MACHINES_PDT")
            .Sql("UPDATE T_TRNK_COMMANDS SET COMMAND_NAME = 'Machine Down Time'  where COMMAND_ID = 8")
            .Sql("UPDATE T_TRNK_MACHINES SET STATUS_ID = 34")
            .Done());
    steps.push_back(
        StepText(13)
            .Add("T_TRNK_SHIFT_HISTORY", "IS_MANUAL")
            .Sql("UPDATE T_TRNK_PARTTYPE SET PARTTYPE_NUMBER = (10 * PARTTYPE_ID) WHERE PARTTYPE_NUMBER IS "
                 "NULL")
            .Done());
    steps.push_back(StepText(14)
                        .DropKey("T_TRNK_PERS", "FK_PERS_SHIFT (SHIFT_ID -> T_TRNK_SHIFT)")
                        .Key("T_TRNK_PERS", "FK_PERS_SHIFT")
                        .Done());
    steps.push_back(StepText(15)
                        .Add("T_TRNK_CUSTOMER", "CUSTOMER_NUMBER")
                        .Add("T_TRNK_VENDOR", "VENDOR_NUMBER")
                        .Add("T_TRNK_PART",
                             "RD1, RD2, RD3, RD4, RD5, RD6, RD7, RD8, RD9, RD10, RD11, RD12, RD13, RD14, "
                             "RD15, RD16, RD17, RD18, RD19, RD20, RD21, RD22, RD23, RD24, RD25, RD26, RD27, "
                             "RD28, RD29, RD30, RD31, RD32")
                        .Done());
    steps.push_back(StepText(16)
                        .Create("T_TRNK_CUTTERTYPE")
                        .Create("T_TRNK_CUTTER_NO")
                        .Add("T_TRNK_MATERIALTYPE", "PTYPE_ID")
                        .Key("T_TRNK_MATERIALTYPE", "FK_MT_PTYPE")
                        .Add("T_TRNK_PARTTYPE", "PTYPE_ID")
                        .Key("T_TRNK_PARTTYPE", "FK_PT_PTYPE")
                        .Done());
    steps.push_back(StepText(17).Convert(MarkGageAndToolRows).Done());
    steps.push_back(StepText(18)
                        .Add("T_TRNK_TOOL_SUBTYPE", "DIM_LABEL_STRING, NUM_DIMS")
                        .Add("T_TRNK_GAUGE_SUBTYPE", "DIM_LABEL_STRING, NUM_DIMS")
                        .Done());
    steps.push_back(StepText(19).Create("T_TRNK_GAUGE_REF_DIM").Create("T_TRNK_TOOL_REF_DIM").Done());
    steps.push_back(StepText(20).Create("T_TRNK_GAUGE_CAL_DIM").Create("T_TRNK_TOOL_CAL_DIM").Done());
    steps.push_back(StepText(21)
                        .Add("T_TRNK_GAUGE_NO", "CALTYPE_ID")
                        .Key("T_TRNK_GAUGE_NO", "FK_GN_ST")
                        .Add("T_TRNK_GAUGE_NO", "FREQUENCY, MAX_ELAPSE")
                        .Done());
    steps.push_back(StepText(22).Add("T_TRNK_COMMON", "RESERVED_DATE").Done());
    steps.push_back(StepText(23)
                        .Add("T_TRNK_GAUGE_CAL_DIM", "IS_DELETED")
                        .Add("T_TRNK_TOOL_CAL_DIM", "IS_DELETED")
                        .Done());
    steps.push_back(
        StepText(24).Add("T_TRNK_GAUGE_NO", "CRIB_ID").Key("T_TRNK_GAUGE_NO", "FK_GN_LOC").Done());
    steps.push_back(StepText(25)
                        .Add("T_TRNK_TOOL_NO", "REWORKTYPE_ID")
                        .Key("T_TRNK_TOOL_NO", "FK_TN_ST")
                        .Add("T_TRNK_TOOL_NO", "FREQUENCY, MAX_ELAPSE, CRIB_ID")
                        .Key("T_TRNK_TOOL_NO", "FK_TN_LOC")
                        .Done());
    steps.push_back(StepText(26)
                        .Add("T_TRNK_TOOL_NO", "INITIAL_REWORK_FLAG")
                        .Sql("UPDATE T_TRNK_TOOL_NO SET INITIAL_REWORK_FLAG = 'NO' WHERE TOOL_NO_ID > 0")
                        .Done());
    StepText vendors(27);
    for (const char* t : {"TOOL_NO", "CUTTER_NO", "INSERT_NO"}) {
        const std::string table = std::string("T_TRNK_") + t;
        const std::string prefix = std::string(t) == "TOOL_NO"     ? "FK_TN_V"
                                   : std::string(t) == "CUTTER_NO" ? "FK_CN_V"
                                                                   : "FK_IN_V";
        vendors.Add(table,
                    "ISO_NUMBER, VENDOR1_ID, VENDOR1_NUMBER, VENDOR1_COST, VENDOR2_ID, VENDOR2_NUMBER, "
                    "VENDOR2_COST, VENDOR3_ID, VENDOR3_NUMBER, VENDOR3_COST");
        for (const char* n : {"1", "2", "3"}) vendors.Key(table, prefix + n);
    }
    steps.push_back(vendors.Done());
    steps.push_back(StepText(28)
                        .Add("T_TRNK_TOOL_NO",
                             "MIN_REORDER_QTY, MIN_ORDER_QTY, VENDOR1_MIN_ORDER_QTY, VENDOR2_MIN_ORDER_QTY, "
                             "VENDOR3_MIN_ORDER_QTY")
                        .Add("T_TRNK_CUTTER_NO",
                             "MIN_REORDER_QTY, MIN_ORDER_QTY, VENDOR1_MIN_ORDER_QTY, VENDOR2_MIN_ORDER_QTY, "
                             "VENDOR3_MIN_ORDER_QTY")
                        .Add("T_TRNK_INSERT_NO",
                             "MIN_REORDER_QTY, MIN_ORDER_QTY, VENDOR1_MIN_ORDER_QTY, VENDOR2_MIN_ORDER_QTY, "
                             "VENDOR3_MIN_ORDER_QTY")
                        .Done());
    steps.push_back(StepText(29)
                        .Add("T_TRNK_TOOL_NO", "MAX_QTY")
                        .Add("T_TRNK_CUTTER_NO", "MAX_QTY")
                        .Add("T_TRNK_INSERT_NO", "MAX_QTY")
                        .Done());
    steps.push_back(StepText(30).Add("T_TRNK_JOB", "STATUS_ID").Key("T_TRNK_JOB", "FK_JOB_STATUS").Done());
    StepText gageVendors(31);
    gageVendors.Add("T_TRNK_GAUGE_NO",
                    "ISO_NUMBER, VENDOR1_ID, VENDOR1_NUMBER, VENDOR1_COST, VENDOR2_ID, VENDOR2_NUMBER, "
                    "VENDOR2_COST, VENDOR3_ID, VENDOR3_NUMBER, VENDOR3_COST");
    for (const char* key : {"FK_GN_V1", "FK_GN_V2", "FK_GN_V3"}) gageVendors.Key("T_TRNK_GAUGE_NO", key);
    gageVendors.Add("T_TRNK_GAUGE_NO",
                    "MIN_REORDER_QTY, MIN_ORDER_QTY, VENDOR1_MIN_ORDER_QTY, VENDOR2_MIN_ORDER_QTY, "
                    "VENDOR3_MIN_ORDER_QTY, MAX_QTY");
    // The first two vendor costs of the tool, cutter and insert numbers were whole numbers.
    for (const char* table : {"T_TRNK_TOOL_NO", "T_TRNK_CUTTER_NO", "T_TRNK_INSERT_NO"})
        gageVendors.Alter(table, "VENDOR1_COST INTEGER").Alter(table, "VENDOR2_COST INTEGER");
    steps.push_back(gageVendors.Done());
    steps.push_back(StepText(32)
                        .Add("T_TRNK_CUTTER_NO", "AVAILABLE_QTY, ON_ORDER_QTY, LOST_QTY, INACTIVE_QTY")
                        .Add("T_TRNK_INSERT_NO", "AVAILABLE_QTY, ON_ORDER_QTY, LOST_QTY, INACTIVE_QTY")
                        .Done());
    steps.push_back(StepText(33)
                        .Add("T_TRNK_CUTTER_NO", "DISPOSABLE")
                        .Sql("UPDATE T_TRNK_CUTTER_NO SET DISPOSABLE = 'NO' WHERE CUTTER_NO_ID > 0")
                        .Add("T_TRNK_INSERT_NO", "DISPOSABLE")
                        .Sql("UPDATE T_TRNK_INSERT_NO SET DISPOSABLE = 'YES' WHERE INSERT_NO_ID > 0")
                        .Add("T_TRNK_CUTTER_NO", "CHECKED_OUT_QTY")
                        .Add("T_TRNK_INSERT_NO", "CHECKED_OUT_QTY")
                        .Done());
    steps.push_back(StepText(34).Create("T_TRNK_AUTO_INC").Convert(MoveNumberFormats).Done());
    steps.push_back(StepText(35)
                        .Add("T_TRNK_CUTTER_NO", "CRIB_ID")
                        .Key("T_TRNK_CUTTER_NO", "FK_CN_CRIB")
                        .Add("T_TRNK_INSERT_NO", "CRIB_ID")
                        .Key("T_TRNK_INSERT_NO", "FK_IN_CRIB")
                        .Done());
    steps.push_back(StepText(36)
                        .Create("T_TRNK_KITTYPE")
                        .Create("T_TRNK_KIT_NO")
                        .Create("T_TRNK_KIT_NO_COMPONENT")
                        .Done());
    steps.push_back(StepText(37)
                        .Add("T_TRNK_PART", "BPRINT")
                        .Add("T_TRNK_MATERIAL", "BPRINT")
                        .DropKey("T_TRNK_PART", "FK_PART_BPRINT (BPRINT_ID -> T_TRNK_BPRINT)")
                        .DropKey("T_TRNK_MATERIAL", "FK_MATERIAL_BPRINT (BPRINT_ID -> T_TRNK_BPRINT)")
                        .Convert(RetireBlueprints)
                        .Drop(kBlueprints)
                        .Sql("DELETE FROM T_TRNK_HISTORY  where SUBTYPE_ID = 69")
                        .Sql("DELETE FROM T_TRNK_MEDIADEST  where TABLE_ID = 69")
                        .Done());
    steps.push_back(StepText(38).Done());
    steps.push_back(StepText(39)
                        .Drop(kOldDowntime)
                        .Create("T_TRNK_DOWNTIME")
                        .Create("T_TRNK_REASON")
                        .Create("T_TRNK_DOWNTIME_SHIFT_HISTORY")
                        .Create("T_TRNK_MAINTENANCE_HISTORY")
                        .Convert(RefillDowntimeRows)
                        .Done());
    StepText subtypeKeys(40);
    for (std::string_view key : kSubtypeKeys) {
        const auto colon = key.find(':');
        const auto open = key.find(" (");
        subtypeKeys.DropKey(key.substr(0, colon),
                            std::string(key.substr(colon + 1, open - colon - 1)) + " (" +
                                std::string(key.substr(open + 2, key.size() - open - 3)) +
                                " -> T_TRNK_SUBTYPE)");
    }
    steps.push_back(subtypeKeys.Done());
    steps.push_back(StepText(41)
                        .DropKey("T_TRNK_INSERT_NO", "FK_INSERT_NO_MATERIAL (MATERIAL_ID -> T_TRNK_MATERIAL)")
                        .DropKey("T_TRNK_CUTTER_NO", "FK_CUTTER_NO_MATERIAL (MATERIAL_ID -> T_TRNK_MATERIAL)")
                        .Convert(MaterialsBecomeMaterialTypes)
                        .Done());
    steps.push_back(StepText(42)
                        .Add("T_TRNK_DOWNTIME", "PTYPE_ID")
                        .Add("T_TRNK_DOWNTIME_SHIFT_HISTORY", "PTYPE_ID")
                        .Done());
    steps.push_back(StepText(43)
                        .DropKey("T_TRNK_OPS", "FK_OPS_CREATOR (CREATOR_ID -> T_TRNK_PERS)")
                        .DropKey("T_TRNK_OPS", "FK_OPS_REVISOR (REVISOR_ID -> T_TRNK_PERS)")
                        .DropKey("T_TRNK_HISTORY", "FK_HISTORY_APP_BY (APPROVED_BY_ID -> T_TRNK_PERS)")
                        .Done());
    steps.push_back(StepText(44)
                        .Add("T_TRNK_SHIFT_HISTORY", "FINISHED_CYCLES, UNFINISHED_CYCLES")
                        .Sql("UPDATE T_TRNK_SHIFT_HISTORY SET FINISHED_CYCLES = 0, UNFINISHED_CYCLES = 0 "
                             "WHERE SHIFT_HISTORY_ID > 0")
                        .Done());
    steps.push_back(StepText(45)
                        .Add("T_TRNK_MACHINES", "PART_TIME_ID")
                        .Key("T_TRNK_MACHINES", "FK_MACHINES_PT")
                        .DropKey("T_TRNK_PART", "FK_PART_FAM (FAMILY_ID -> T_TRNK_PART)")
                        .DropIndex("T_TRNK_OPS",
                                   "K_TRNK_OPS_NNPPRU unique (OPS_NAME, OPS_NUMBER, PTYPE_ID, PARTTYPE_ID, "
                                   "REVISION_NO)")
                        .DropKey("T_TRNK_OPS", "FK_OPS_PARTTYPE (PARTTYPE_ID -> T_TRNK_PARTTYPE)")
                        .Create("T_TRNK_PARTS_PER_JOB")
                        .Done());
    steps.push_back(StepText(46).Convert(ConsolidatePartsAndJobs).Done());
    steps.push_back(StepText(47).Create("T_TRNK_MACHINE_EVENTS").Convert(MoveMachineEventColumns).Done());
    steps.push_back(StepText(48).Add("T_TRNK_MACHINES", "SH_BUFFER_ID").Done());
    steps.push_back(StepText(49)
                        .Add("T_TRNK_COMMON",
                             "RESERVED10, RESERVED11, RESERVED12, RESERVED13, RESERVED14, RESERVED15, "
                             "RESERVED16, RESERVED17, RESERVED18, RESERVED19")
                        .Create("T_TRNK_SCRAP_CODE")
                        .Convert(FillNewScrapCodes)
                        .Done());
    steps.push_back(StepText(50).Create("T_TRNK_SCRAP_CODE_SH").Convert(MoveScrappedCounts).Done());
    steps.push_back(
        StepText(51).Add("T_TRNK_MACHINES", "STATUS_DATE").Convert(StampMachineStatusDates).Done());
    steps.push_back(StepText(52).Convert(MakeMaterialNumbersUnique).Done());
    steps.push_back(StepText(53).Create("T_TRNK_API_FUNCTION").Done());
    steps.push_back(
        StepText(54).Add("T_TRNK_AUTO_INC", "FIELD_NAME").Convert(NameAutoIncrementFields).Done());
    steps.push_back(StepText(55)
                        .Add("T_TRNK_MEDIASRC", "PTYPE_ID")
                        .Add("T_TRNK_MEDIADEST", "MEDIADEST_NAME")
                        .Convert(NameMediaDestinations)
                        .Done());
    steps.push_back(StepText(56)
                        .Add("T_TRNK_VENDOR", "NOTES")
                        .Add("T_TRNK_CUSTOMER", "NOTES")
                        .Add("T_TRNK_DOWNTIME", "NOTES")
                        .Add("T_TRNK_SCRAP_CODE", "NOTES")
                        .Done());
    steps.push_back(StepText(57).Add("T_TRNK_OBJECT", "RES_ID").Add("T_TRNK_SUBTYPE", "RES_ID").Done());
    steps.push_back(StepText(58)
                        .Add("T_TRNK_INSERT_NO", "UNITS_ID, SHAPE_ID")
                        .Add("T_TRNK_CUTTER_NO", "UNITS_ID, SHAPE_ID, FLUTE_TYPE_ID")
                        .Convert(MapInsertAndCutterTexts)
                        .Done());
    steps.push_back(StepText(59).Add("T_TRNK_TOOL_NO", "UNITS_ID").Convert(MapToolDiameterUnits).Done());
    steps.push_back(StepText(60).Create("T_TRNK_OPTIONS").Done());
    return steps;
}

// One column in catalog notation, "NAME TYPE[ NOT NULL][ [ORACLE / SQLSERVER]]".
LegacyColumn ParseColumnDecl(std::string_view decl) {
    const std::string columns = "X_ID COUNTER key; " + std::string(decl);
    return ParseLegacyTable(LegacyTableDecl{"T_TRNK_X", columns, "K_X unique (X_ID)", ""}).columns.at(1);
}

std::vector<LegacyTable>::iterator FindTable(std::vector<LegacyTable>& tables, std::string_view name) {
    return std::ranges::find_if(tables, [&](const LegacyTable& t) { return t.name == name; });
}

template <class Items>
void EraseNamed(Items& items, std::string_view name) {
    std::erase_if(items, [&](const auto& item) { return item.name == name; });
}

// Takes one change back on the in-memory tables.
void TakeBack(std::vector<LegacyTable>& tables, const SchemaChange& change) {
    if (change.kind == ChangeKind::Execute || change.kind == ChangeKind::Convert ||
        change.kind == ChangeKind::DropSequence)
        return;
    if (change.kind == ChangeKind::DropTable) {
        tables.push_back(ParseLegacyTable(*change.dropped));
        return;
    }
    if (change.kind == ChangeKind::RenameTable) {
        // The table and the keys that point at it take the earlier name back.
        const auto renamed = FindTable(tables, change.item);
        if (renamed == tables.end())
            throw std::logic_error("the upgrade names no table " + change.item + " at that version");
        renamed->name = change.table;
        for (LegacyTable& t : tables)
            for (LegacyForeignKey& fk : t.foreignKeys)
                if (fk.referencedTable == change.item) fk.referencedTable = change.table;
        return;
    }
    if (change.kind == ChangeKind::CopyRows) return;
    const auto table = FindTable(tables, change.table);
    if (table == tables.end())
        throw std::logic_error("the upgrade names no table " + change.table + " at that version");
    switch (change.kind) {
        case ChangeKind::CreateTable:
            tables.erase(table);
            return;
        case ChangeKind::AddColumn:
            EraseNamed(table->columns, change.item);
            return;
        case ChangeKind::AddIndex:
            EraseNamed(table->indexes, change.item);
            return;
        case ChangeKind::AddForeignKey:
            EraseNamed(table->foreignKeys, change.item);
            return;
        case ChangeKind::DropForeignKey:
            table->foreignKeys.push_back(ParseForeignKeyDecl(change.item));
            return;
        case ChangeKind::DropIndex:
            table->indexes.push_back(ParseIndexDecl(change.item));
            return;
        case ChangeKind::AlterColumn: {
            // "COLUMN OLDTYPE": the column takes its old type back in every dialect.
            const auto space = change.item.find(' ');
            for (LegacyColumn& column : table->columns)
                if (column.name == change.item.substr(0, space)) {
                    column.accessType = change.item.substr(space + 1);
                    column.oracleType.clear();
                    column.sqlServerType.clear();
                }
            return;
        }
        case ChangeKind::RelaxNotNull:
            for (LegacyColumn& column : table->columns)
                if (column.name == change.item) column.notNull = true;
            return;
        case ChangeKind::DropColumn:
            table->columns.push_back(ParseColumnDecl(change.item));
            return;
        case ChangeKind::DropTable:
        case ChangeKind::Execute:
        case ChangeKind::Convert:
        case ChangeKind::DropSequence:
        case ChangeKind::RenameTable:
        case ChangeKind::CopyRows:
            return;
    }
}

const LegacyColumn& FindColumn(const LegacyTable& table, std::string_view name) {
    for (const LegacyColumn& column : table.columns)
        if (column.name == name) return column;
    throw std::out_of_range("the last catalog has no column " + std::string(name) + " in " + table.name);
}

template <class Items>
const auto& FindItem(const Items& items, std::string_view name, const std::string& table) {
    for (const auto& item : items)
        if (item.name == name) return item;
    throw std::out_of_range("the last catalog has no " + std::string(name) + " on " + table);
}

}  // namespace

StepText& StepText::Add(std::string_view table, std::string_view columns) {
    return EachColumn(ChangeKind::AddColumn, table, columns);
}

StepText& StepText::Relax(std::string_view table, std::string_view columns) {
    return EachColumn(ChangeKind::RelaxNotNull, table, columns);
}

StepText& StepText::EachColumn(ChangeKind kind, std::string_view table, std::string_view columns) {
    for (std::size_t start = 0; start <= columns.size();) {
        const auto comma = columns.find(", ", start);
        const auto end = comma == std::string_view::npos ? columns.size() : comma;
        Push(kind, table, columns.substr(start, end - start));
        if (comma == std::string_view::npos) break;
        start = comma + 2;
    }
    return *this;
}

StepText& StepText::Create(const LegacyTableDecl& decl) {
    step_.changes.push_back(
        SchemaChange{ChangeKind::CreateTable, std::string(decl.table), {}, nullptr, &decl});
    return *this;
}

StepText& StepText::Drop(const LegacyTableDecl& decl, std::string_view item) {
    step_.changes.push_back(
        SchemaChange{ChangeKind::DropTable, std::string(decl.table), std::string(item), nullptr, &decl});
    return *this;
}

StepText& StepText::Convert(Conversion convert) {
    step_.changes.push_back(SchemaChange{ChangeKind::Convert, {}, {}, convert});
    return *this;
}

StepText& StepText::Push(ChangeKind kind, std::string_view table, std::string_view item) {
    step_.changes.push_back(SchemaChange{kind, std::string(table), std::string(item)});
    return *this;
}

const std::vector<MajorStep>& MajorStepsOf(Module module) {
    static const std::vector<MajorStep> common = BuildSteps();
    static const std::vector<MajorStep> gage = BuildGageSteps();
    static const std::vector<MajorStep> tool = BuildToolSteps();
    static const std::vector<MajorStep> traveler = BuildTravelerSteps();
    static const std::vector<MajorStep> none;
    switch (module) {
        case Module::Common:
            return common;
        case Module::Gage:
            return gage;
        case Module::Tool:
            return tool;
        case Module::Traveler:
            return traveler;
        case Module::MDC:
            break;
    }
    return none;
}

const MajorStep* FindMajorStep(Module module, int major) {
    const auto& steps = MajorStepsOf(module);
    if (steps.empty() || major < steps.front().from || major > steps.back().from) return nullptr;
    return &steps[static_cast<std::size_t>(major - steps.front().from)];
}

int OldestMajor(Module module, Dialect dialect) {
    const auto& steps = MajorStepsOf(module);
    if (steps.empty())
        return static_cast<int>(util::Val(SplitLegacyVersion(ModuleProgramVersion(module)).major));
    // The oldest major each product shipped with in a dialect: SQL Server and, for the Gage and
    // Traveler tables, Access databases began later than Oracle ones.
    int shipped = 1;
    const bool access = dialect == Dialect::Access, sqlServer = dialect == Dialect::SqlServer;
    switch (module) {
        case Module::Common:
            shipped = sqlServer ? 44 : 1;
            break;
        case Module::Gage:
            shipped = access ? 30 : sqlServer ? 32 : 1;
            break;
        case Module::Tool:
            shipped = sqlServer ? 12 : 1;
            break;
        case Module::Traveler:
            shipped = access ? 7 : sqlServer ? 9 : 1;
            break;
        case Module::MDC:
            break;
    }
    return std::max(shipped, steps.front().from);
}

const LegacyTable& LastTable(Module module, std::string_view table) {
    for (const LegacyTable& t : LegacyTables(module))
        if (t.name == table) return t;
    throw std::out_of_range("the last " + std::string(ModuleName(module)) + " catalog has no table " +
                            std::string(table));
}

std::vector<LegacyTable> TablesAtMajor(Module module, int major) {
    std::vector<LegacyTable> tables = LegacyTables(module);
    const auto& steps = MajorStepsOf(module);
    for (auto step = steps.rbegin(); step != steps.rend() && step->from >= major; ++step)
        for (auto change = step->changes.rbegin(); change != step->changes.rend(); ++change)
            TakeBack(tables, *change);
    return tables;
}

std::optional<LegacyTable> TableAtMajor(Module module, std::string_view table, int major) {
    std::vector<LegacyTable> tables = TablesAtMajor(module, major);
    const auto found = FindTable(tables, table);
    if (found == tables.end()) return std::nullopt;
    return std::move(*found);
}

const std::vector<MajorStep>& CommonMajorSteps() {
    return MajorStepsOf(Module::Common);
}

const MajorStep* FindCommonMajorStep(int major) {
    return FindMajorStep(Module::Common, major);
}

int OldestCommonMajor(Dialect dialect) {
    return OldestMajor(Module::Common, dialect);
}

const LegacyTable& LastCommonTable(std::string_view table) {
    return LastTable(Module::Common, table);
}

std::vector<LegacyTable> CommonTablesAtMajor(int major) {
    return TablesAtMajor(Module::Common, major);
}

std::optional<LegacyTable> CommonTableAtMajor(std::string_view table, int major) {
    return TableAtMajor(Module::Common, table, major);
}

LegacyIndex ParseIndexDecl(std::string_view decl) {
    const std::string indexes = "K_X unique (X_ID); " + std::string(decl);
    const LegacyTable parsed = ParseLegacyTable(LegacyTableDecl{"T_TRNK_X", "X_ID COUNTER key", indexes, ""});
    return parsed.indexes.at(1);
}

LegacyForeignKey ParseForeignKeyDecl(std::string_view decl) {
    const LegacyTable parsed =
        ParseLegacyTable(LegacyTableDecl{"T_TRNK_X", "X_ID COUNTER key", "K_X unique (X_ID)", decl});
    return parsed.foreignKeys.at(0);
}

std::string AddColumnStatement(const std::string& table, const LegacyColumn& column, Dialect dialect) {
    return "ALTER TABLE " + table + " ADD " + column.name + " " + column.TypeIn(dialect) +
           (column.notNull ? " NOT NULL " : " ");
}

std::string AlterColumnStatement(const std::string& table, const LegacyColumn& column, Dialect dialect) {
    if (dialect == Dialect::Oracle)
        return "ALTER TABLE " + table + " MODIFY (" + column.name + " " + column.TypeIn(dialect) + ")";
    return "ALTER TABLE " + table + " ALTER COLUMN " + column.name + " " + column.TypeIn(dialect);
}

namespace {

std::string NullabilityStatement(const std::string& table, const LegacyColumn& column, bool notNull,
                                 Dialect dialect) {
    const char* nullability = notNull ? "NOT NULL" : "NULL";
    switch (dialect) {
        case Dialect::Oracle:
            return "ALTER TABLE " + table + " MODIFY (" + column.name + " " + nullability + ")";
        case Dialect::SqlServer:
            return "ALTER TABLE " + table + " ALTER COLUMN " + column.name + " " + column.TypeIn(dialect) +
                   " " + nullability;
        case Dialect::Access:
            break;
    }
    // Jet redefines the whole column: without NOT NULL it takes Nulls.
    return "ALTER TABLE " + table + " ALTER COLUMN " + column.name + " " + column.TypeIn(dialect) +
           (notNull ? " NOT NULL" : "");
}

std::string RenameTableStatement(const std::string& table, const std::string& newName, Dialect dialect) {
    switch (dialect) {
        case Dialect::Oracle:
            return "RENAME " + table + " TO " + newName;
        case Dialect::SqlServer:
            return "EXEC sp_rename '" + table + "', '" + newName + "'";
        case Dialect::Access:
            break;
    }
    // Jet SQL has no statement that renames a table with its indexes and keys.
    throw std::logic_error("an Access database cannot rename " + table + " by a statement");
}

std::vector<std::string> CopyRowsStatements(const MajorStep& step, const std::string& from,
                                            const std::string& to, Dialect dialect) {
    const std::optional<LegacyTable> source = TableAtMajor(step.module, from, step.from + 1);
    const std::optional<LegacyTable> target = TableAtMajor(step.module, to, step.from + 1);
    if (!source || !target) throw std::logic_error("no tables " + from + " and " + to + " to copy between");
    std::string columns;
    for (const LegacyColumn& column : target->columns)
        if (std::ranges::any_of(source->columns,
                                [&](const LegacyColumn& c) { return c.name == column.name; }))
            columns += (columns.empty() ? "" : ", ") + column.name;
    const std::string insert = "INSERT INTO " + to + " (" + columns + ") SELECT " + columns + " FROM " + from;
    if (dialect == Dialect::Access) return {insert};
    // SQL Server takes the keys of the copied rows only when told to.
    if (dialect == Dialect::SqlServer)
        return {"SET IDENTITY_INSERT " + to + " ON", insert, "SET IDENTITY_INSERT " + to + " OFF"};
    // The key trigger numbers every inserted row from the sequence: the copied rows keep their keys
    // only with the trigger out of the way.
    std::vector<std::string> sql{"DROP TRIGGER " + target->triggerName, insert};
    for (std::string& trigger : RenderLegacyDdl(*target, StatementKind::Trigger, dialect))
        sql.push_back(std::move(trigger));
    return sql;
}

}  // namespace

std::string CreateIndexStatement(const std::string& table, const LegacyIndex& index, Dialect dialect) {
    return std::string(index.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") + index.NameIn(dialect) +
           " ON " + table + " (" + index.columns + ")";
}

std::string DropIndexStatement(const std::string& table, const std::string& index, Dialect dialect) {
    switch (dialect) {
        case Dialect::Access:
            return "DROP INDEX " + index + " ON " + table;
        case Dialect::SqlServer:
            return "DROP INDEX " + table + "." + index;
        case Dialect::Oracle:
            break;
    }
    return "DROP INDEX " + index;
}

std::string AddForeignKeyStatement(const LegacyTable& table, const LegacyForeignKey& fk, Dialect dialect) {
    const bool oracle = dialect == Dialect::Oracle;
    if (oracle && !table.foreignKeysOnOracle) return {};
    return "ALTER TABLE " + table.name + (oracle ? " ADD ( CONSTRAINT " : " ADD CONSTRAINT ") + fk.name +
           " FOREIGN KEY (" + fk.column + ") REFERENCES " + fk.referencedTable + (oracle ? ") " : " ");
}

std::vector<std::string> RenderSchemaChange(const SchemaChange& change, const MajorStep& step,
                                            Dialect dialect) {
    // What a step adds has the form it had right after the step: a later step may drop it again or
    // change its type.
    const auto after = [&]() {
        std::optional<LegacyTable> table = TableAtMajor(step.module, change.table, step.from + 1);
        if (!table) throw std::logic_error("no table " + change.table + " after its step");
        return std::move(*table);
    };
    switch (change.kind) {
        case ChangeKind::CreateTable: {
            const std::optional<LegacyTable> table = TableAtMajor(step.module, change.table, step.from + 1);
            if (!table) throw std::logic_error("no table " + change.table + " after its step");
            std::vector<std::string> sql;
            for (StatementKind kind : {StatementKind::Table, StatementKind::Index, StatementKind::Sequence,
                                       StatementKind::Trigger, StatementKind::Constraint}) {
                if (kind == StatementKind::Sequence && change.item == kKeepSequence) continue;
                for (std::string& statement : RenderLegacyDdl(*table, kind, dialect))
                    sql.push_back(std::move(statement));
            }
            return sql;
        }
        case ChangeKind::AddColumn:
            return {AddColumnStatement(change.table, FindColumn(after(), change.item), dialect)};
        case ChangeKind::RenameTable:
            return {RenameTableStatement(change.table, change.item, dialect)};
        case ChangeKind::CopyRows:
            return CopyRowsStatements(step, change.item, change.table, dialect);
        case ChangeKind::RelaxNotNull:
            return {NullabilityStatement(change.table, FindColumn(after(), change.item), false, dialect)};
        case ChangeKind::DropColumn:
            return {"ALTER TABLE " + change.table + " DROP COLUMN " + ParseColumnDecl(change.item).name};
        case ChangeKind::AddIndex: {
            const LegacyTable table = after();
            return {CreateIndexStatement(change.table, FindItem(table.indexes, change.item, table.name),
                                         dialect)};
        }
        case ChangeKind::AddForeignKey: {
            const LegacyTable table = after();
            std::string sql =
                AddForeignKeyStatement(table, FindItem(table.foreignKeys, change.item, table.name), dialect);
            if (sql.empty()) return {};
            return {std::move(sql)};
        }
        case ChangeKind::DropForeignKey: {
            const LegacyTable& table = LastTable(step.module, change.table);
            if (dialect == Dialect::Oracle && !table.foreignKeysOnOracle) return {};
            return {"ALTER TABLE " + change.table + " DROP CONSTRAINT " +
                    ParseForeignKeyDecl(change.item).name + " "};
        }
        case ChangeKind::DropIndex:
            return {DropIndexStatement(change.table, ParseIndexDecl(change.item).NameIn(dialect), dialect)};
        case ChangeKind::AlterColumn: {
            const std::string column = change.item.substr(0, change.item.find(' '));
            return {AlterColumnStatement(change.table, FindColumn(after(), column), dialect)};
        }
        case ChangeKind::DropTable: {
            // An Oracle table takes its key trigger with it; its sequence is dropped by name.
            std::vector<std::string> sql{"DROP TABLE " + change.table};
            if (dialect == Dialect::Oracle && change.item != kKeepSequence)
                sql.push_back("DROP SEQUENCE " + ParseLegacyTable(*change.dropped).sequenceName);
            return sql;
        }
        case ChangeKind::Execute:
            return {change.table};
        case ChangeKind::Convert:
            return {};
        case ChangeKind::DropSequence:
            if (dialect != Dialect::Oracle) return {};
            return {"DROP SEQUENCE " + change.table};
    }
    return {};
}

std::vector<std::string> TakeBackStatements(const SchemaChange& change, const MajorStep& step,
                                            Dialect dialect) {
    const bool oracle = dialect == Dialect::Oracle;
    switch (change.kind) {
        case ChangeKind::CreateTable: {
            const auto table = TableAtMajor(step.module, change.table, step.from + 1);
            std::vector<std::string> sql;
            if (oracle) sql.push_back("DROP TRIGGER " + table->triggerName);
            if (oracle && change.item != kKeepSequence) sql.push_back("DROP SEQUENCE " + table->sequenceName);
            sql.push_back("DROP TABLE " + change.table);
            return sql;
        }
        case ChangeKind::AddColumn:
            return {"ALTER TABLE " + change.table + " DROP COLUMN " + change.item};
        case ChangeKind::RenameTable:
            return {RenameTableStatement(change.item, change.table, dialect)};
        case ChangeKind::CopyRows:
            return CopyRowsStatements(step, change.table, change.item, dialect);
        case ChangeKind::RelaxNotNull: {
            const auto table = TableAtMajor(step.module, change.table, step.from);
            return {NullabilityStatement(change.table, FindColumn(*table, change.item), true, dialect)};
        }
        case ChangeKind::DropColumn:
            return {AddColumnStatement(change.table, ParseColumnDecl(change.item), dialect)};
        case ChangeKind::AddIndex:
            return {DropIndexStatement(change.table, change.item, dialect)};
        case ChangeKind::AddForeignKey:
            if (oracle && !LastTable(step.module, change.table).foreignKeysOnOracle) return {};
            return {"ALTER TABLE " + change.table + " DROP CONSTRAINT " + change.item};
        case ChangeKind::DropForeignKey: {
            std::string sql = AddForeignKeyStatement(LastTable(step.module, change.table),
                                                     ParseForeignKeyDecl(change.item), dialect);
            if (sql.empty()) return {};
            return {sql};
        }
        case ChangeKind::DropIndex:
            return {CreateIndexStatement(change.table, ParseIndexDecl(change.item), dialect)};
        case ChangeKind::AlterColumn: {
            LegacyColumn old;
            old.name = change.item.substr(0, change.item.find(' '));
            old.accessType = change.item.substr(change.item.find(' ') + 1);
            return {AlterColumnStatement(change.table, old, dialect)};
        }
        case ChangeKind::DropTable: {
            const LegacyTable table = ParseLegacyTable(*change.dropped);
            std::vector<std::string> sql;
            for (auto kind : {StatementKind::Table, StatementKind::Index, StatementKind::Sequence,
                              StatementKind::Trigger, StatementKind::Constraint}) {
                // A sequence the table left behind is still there.
                if (kind == StatementKind::Sequence && change.item == kKeepSequence) continue;
                for (std::string& s : RenderLegacyDdl(table, kind, dialect)) sql.push_back(std::move(s));
            }
            return sql;
        }
        case ChangeKind::DropSequence:
            if (!oracle) return {};
            return {"CREATE SEQUENCE " + change.table + " INCREMENT BY 1 START WITH 1"};
        case ChangeKind::Execute:
        case ChangeKind::Convert:
            return {};
    }
    return {};
}

bool RestoresEarlierForm(ChangeKind kind) {
    return kind == ChangeKind::DropTable || kind == ChangeKind::DropIndex ||
           kind == ChangeKind::DropForeignKey || kind == ChangeKind::AlterColumn ||
           kind == ChangeKind::DropSequence || kind == ChangeKind::RelaxNotNull ||
           kind == ChangeKind::DropColumn;
}

void RunMajorStep(core::Step& step, const MajorStep& major, Dialect dialect) {
    for (const SchemaChange& change : major.changes) {
        if (change.kind == ChangeKind::Convert) {
            change.convert(step, dialect);
            continue;
        }
        for (const std::string& sql : RenderSchemaChange(change, major, dialect)) ExecuteIn(step, sql);
    }
}

bool UpgradeModuleMajors(Module module, std::string_view progressText, Dialect dialect,
                         const LegacyVersion& program, const LegacyVersion& database, std::string& strError) {
    return core::RunStep({progressText, ""}, strError, [&](core::Step& step) {
        const double target = util::Val(program.major);
        const std::int16_t total = util::CInt(target - util::Val(database.major));
        const std::string versionRow =
            "select * from T_TRNK_COMMON  where APP_ID = " + std::to_string(ModuleAppId(module));
        std::string major = database.major;
        std::int16_t completed = 0;
        while (util::Val(major) != target) {
            const int from = static_cast<int>(util::Val(major));
            const MajorStep* majorStep = IsWholeNumber(major) && from >= OldestMajor(module, dialect)
                                             ? FindMajorStep(module, from)
                                             : nullptr;
            if (majorStep == nullptr)
                FailUnknownMajor(
                    step, module,
                    database.minor.empty() && major == database.major ? major : major + "." + database.minor,
                    OldestMajor(module, dialect));
            step.BeginTrans();
            RunMajorStep(step, *majorStep, dialect);
            major = std::to_string(from + 1);
            db::Recordset& row = step.OpenClient(versionRow);
            row.Set("RESERVED0", db::Value(major + "." + database.minor));
            row.Update();
            step.Close(row);
            step.CommitTrans();
            ++completed;
            step.ShowProgress(completed, total);
        }
    });
}

}  // namespace tmigration::legacy
