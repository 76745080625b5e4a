#include "transfer/TranslateTableTarget.h"

#include <algorithm>

#include "transfer/GetLocationTableCode.h"
#include "transfer/GetNewID.h"

namespace tmigration::transfer {

const std::vector<LegacyTableCode>& LegacyTableCodes() {
    // Two legacy tables share a new one wherever the new schema merged them: tool and gage
    // purchase orders, and the shift summaries with their buffers.
    static const std::vector<LegacyTableCode> codes = {
        {3, "T_TRNK_TRAVELER", "TRAVELER_ID", 95},           // T_SFC_TRAVELER
        {5, "T_TRNK_PART", "PART_ID", 72},                   // T_SFC_PART
        {6, "T_TRNK_OPS", "OPS_ID", 69},                     // T_SFC_OP
        {9, "T_TRNK_CUST_TRAV", "CUST_TRAV_ID", 13},         // T_SFC_CUSTOMER_PER_TRAV
        {12, "T_TRNK_CUSTOMER", "CUSTOMER_ID", 12},          // T_SFC_CUSTOMER
        {37, "T_TRNK_GAUGES", "GAUGE_ID", 27},               // T_SFC_GAGE
        {43, "T_TRNK_OPSPERTRAV", "OPSPERTRAV_ID", 70},      // T_SFC_OP_PER_TRAV
        {45, "T_TRNK_GAUGEPEROP", "GAUGEPEROP_ID", 32},      // T_SFC_GAGE_NO_PER_OP
        {48, "T_TRNK_MEDIADEST", "MEDIADEST_ID", 5},         // T_SFC_ATTACHMENT_DEST
        {49, "T_TRNK_MEDIASRC", "MEDIASRC_ID", 6},           // T_SFC_ATTACHMENT_SRC
        {50, "T_TRNK_MATERIALTYPE", "MATERIALTYPE_ID", 67},  // T_SFC_MATERIAL_TYPE
        {51, "T_TRNK_INSPEROP", "INSPEROP_ID", 48},          // T_SFC_INSPECTION_PER_OP
        {52, "T_TRNK_TOOL_NO", "TOOL_NO_ID", 88},            // T_SFC_TOOL_NO
        {54, "T_TRNK_GAUGE_NO", "GAUGE_NO_ID", 29},          // T_SFC_GAGE_NO
        {60, "T_TRNK_MACHINEPEROP", "MACHINEPEROP_ID", 62},  // T_SFC_MACHINE_PER_OP
        {66, "T_TRNK_FPS", "FPS_ID", 25},                    // T_SFC_FAS
        {68, "T_TRNK_MATERIAL", "MATERIAL_ID", 65},          // T_SFC_MATERIAL
        {70, "T_TRNK_INSPECTION", "INSPECTION_ID", 47},      // T_SFC_INSPECTION
        {71, "T_TRNK_PARTTYPE", "PARTTYPE_ID", 76},          // T_SFC_PART_TYPE
        {77, "T_TRNK_COMMANDS", "COMMAND_ID", 10},           // T_SFC_COMMAND
        {78, "T_TRNK_GROUPS", "GROUP_ID", 37},               // T_SFC_GROUP
        {79, "T_TRNK_MACHINES", "MACHINE_ID", 59},           // T_SFC_MACHINE
        {83, "T_TRNK_EVENTS", "EVENT_ID", 24},               // T_SFC_EVENT
        {93, "T_TRNK_DEPT", "DEPT_ID", 21},                  // T_SFC_DEPT
        {94, "T_TRNK_PERS", "PERSONNEL_ID", 96},             // T_SFC_USER
        {95, "T_TRNK_VENDOR", "VENDOR_ID", 99},              // T_SFC_VENDOR
        {96, "T_TRNK_LOCATION", "LOCATION_ID", kByLocationProductType},
        {97, "T_TRNK_TOOLPEROP", "TOOLPEROP_ID", 91},                     // T_SFC_TOOL_NO_PER_OP
        {98, "T_TRNK_MATERIALPEROP", "MATERIALPEROP_ID", 66},             // T_SFC_MATERIAL_PER_OP
        {101, "T_TRNK_HISTORY", "HISTORY_ID", 38},                        // T_SFC_HISTORY
        {102, "T_TRNK_PARTPEROP", "PARTPEROP_ID", 74},                    // T_SFC_PART_PER_OP
        {105, "T_TRNK_USERGROUP", "USERGROUP_ID", 98},                    // T_SFC_USERGROUP
        {106, "T_TRNK_PERS_USERGROUP", "PERS_USERGROUP_ID", 97},          // T_SFC_USER_PER_USERGROUP
        {107, "T_TRNK_ACL", "ACL_ID", 3},                                 // T_SFC_ACL
        {109, "T_TRNK_OBJECT", "OBJECT_ID", 68},                          // T_SFC_OBJECT
        {110, "T_TRNK_TOOL_SUBTYPE", "TOOL_SUBTYPE_ID", 94},              // T_SFC_TOOL_TYPE
        {111, "T_TRNK_GAUGE_SUBTYPE", "GAUGE_SUBTYPE_ID", 35},            // T_SFC_GAGE_TYPE
        {112, "T_TRNK_INTERVAL", "INTERVAL_ID", 49},                      // T_SFC_INTERVAL
        {113, "T_TRNK_SHIFT", "SHIFT_ID", 85},                            // T_SFC_SHIFT
        {118, "T_TRNK_SHIFT_HISTORY", "SHIFT_HISTORY_ID", 60},            // T_SFC_MACHINE_DATA
        {119, "T_TRNK_INSERTTYPE", "INSERTTYPE_ID", 46},                  // T_SFC_INSERT_TYPE
        {120, "T_TRNK_INSERT_NO", "INSERT_NO_ID", 40},                    // T_SFC_INSERT_NO
        {121, "T_TRNK_INSERTPEROP", "INSERTPEROP_ID", 44},                // T_SFC_INSERT_NO_PER_OP
        {125, "T_TRNK_JOB", "JOB_ID", 50},                                // T_SFC_JOB
        {126, "T_TRNK_DOWNTIME", "DOWNTIME_ID", 22},                      // T_SFC_DOWNTIME_CODE
        {128, "T_TRNK_CALHIST", "CALHIST_ID", 7},                         // T_SFC_CAL_HIST
        {130, "T_TRNK_IRR", "IRR_ID", 28},                                // T_SFC_GAGE_IRR
        {132, "T_TRNK_GAU_PARTREF", "GAU_PARTREF_ID", 31},                // T_SFC_GAGE_NO_PART_REF
        {133, "T_TRNK_CALIBRATE", "CALIBRATE_ID", 9},                     // T_SFC_CALIBRATE
        {155, "T_TRNK_CUTTERTYPE", "CUTTERTYPE_ID", 20},                  // T_SFC_CUTTER_TYPE
        {156, "T_TRNK_CUTTER_NO", "CUTTER_NO_ID", 14},                    // T_SFC_CUTTER_NO
        {157, "T_TRNK_CUTTERPEROP", "CUTTERPEROP_ID", 18},                // T_SFC_CUTTER_NO_PER_OP
        {162, "T_TRNK_GAUGE_REF_DIM", "GAUGE_REF_DIM_ID", 34},            // T_SFC_GAGE_NO_REF_DIM
        {164, "T_TRNK_GAUGE_CAL_DIM", "GAUGE_CAL_DIM_ID", 30},            // T_SFC_GAGE_NO_CAL_DIM
        {165, "T_TRNK_TOOL_CAL_DIM", "TOOL_CAL_DIM_ID", 93},              // T_SFC_TOOL_NO_REWORK_DIM
        {169, "T_TRNK_TOOLS", "TOOL_ID", 86},                             // T_SFC_TOOL
        {171, "T_TRNK_REWORKHIST", "REWORKHIST_ID", 81},                  // T_SFC_REWORK_HIST
        {172, "T_TRNK_REWORK", "REWORK_ID", 80},                          // T_SFC_REWORK
        {173, "T_TRNK_TOOL_PARTREF", "TOOL_PARTREF_ID", 90},              // T_SFC_TOOL_NO_PART_REF
        {174, "T_TRNK_TOOL_MATERIALREF", "TOOL_MATERIALREF_ID", 89},      // T_SFC_TOOL_NO_MATERIAL_REF
        {193, "T_TRNK_TOOL_IRR", "TOOL_IRR_ID", 87},                      // T_SFC_TOOL_IRR
        {204, "T_TRNK_IC_HISTORY", "IC_HISTORY_ID", 39},                  // T_SFC_IC_HISTORY
        {213, "T_TRNK_KITTYPE", "KITTYPE_ID", 57},                        // T_SFC_KIT_TYPE
        {222, "T_TRNK_KIT_NO", "KIT_NO_ID", 54},                          // T_SFC_KIT_NO
        {223, "T_TRNK_AUTO_INC", "AUTO_INC_ID", 26},                      // T_SFC_FORMAT_STRING
        {224, "T_TRNK_CUTTER_PARTREF", "CUTTER_PARTREF_ID", 17},          // T_SFC_CUTTER_NO_PART_REF
        {225, "T_TRNK_CUTTER_MATERIALREF", "CUTTER_MATERIALREF_ID", 16},  // T_SFC_CUTTER_NO_MATERIAL_REF
        {226, "T_TRNK_INSERT_PARTREF", "INSERT_PARTREF_ID", 43},          // T_SFC_INSERT_NO_PART_REF
        {227, "T_TRNK_INSERT_MATERIALREF", "INSERT_MATERIALREF_ID", 42},  // T_SFC_INSERT_NO_MATERIAL_REF
        {228, "T_TRNK_CUTTER_CRIB", "CUTTER_CRIB_ID", 15},                // T_SFC_CUTTER_NO_CRIB
        {229, "T_TRNK_INSERT_CRIB", "INSERT_CRIB_ID", 41},                // T_SFC_INSERT_NO_CRIB
        {230, "T_TRNK_KIT_COMPONENT", "KIT_COMPONENT_ID", 53},            // T_SFC_KIT_COMPONENT
        {231, "T_TRNK_KIT_NO_COMPONENT", "KIT_NO_COMPONENT_ID", 55},      // T_SFC_KIT_NO_COMPONENT
        {232, "T_TRNK_KIT", "KIT_ID", 52},                                // T_SFC_KIT
        {236, "T_TRNK_TOOL_PO", "TOOL_PO_ID", 78},                        // T_SFC_PO
        {237, "T_TRNK_TOOLS_PER_PO", "TOOLS_PER_PO_ID", 92},              // T_SFC_TOOL_NO_PER_PO
        {238, "T_TRNK_CUTTERS_PER_PO", "CUTTERS_PER_PO_ID", 19},          // T_SFC_CUTTER_NO_PER_PO
        {239, "T_TRNK_INSERTS_PER_PO", "INSERTS_PER_PO_ID", 45},          // T_SFC_INSERT_NO_PER_PO
        {240, "T_TRNK_KITPEROP", "KITPEROP_ID", 56},                      // T_SFC_KIT_NO_PER_OP
        {245, "T_TRNK_GAUGE_PO", "GAUGE_PO_ID", 78},                      // T_SFC_PO
        {246, "T_TRNK_GAUGES_PER_PO", "GAUGES_PER_PO_ID", 33},            // T_SFC_GAGE_NO_PER_PO
        {248, "T_TRNK_REASON", "REASON_ID", 79},                          // T_SFC_REASON_CODE
        {249, "T_TRNK_DOWNTIME_SHIFT_HISTORY", "DOWNTIME_SHIFT_HISTORY_ID", 23},  // T_SFC_DT_PER_MACHINE_DATA
        {250, "T_TRNK_MAINTENANCE_HISTORY", "MAINTENANCE_HISTORY_ID", 64},        // T_SFC_MAINTENANCE_HISTORY
        {254, "T_TRNK_CAL_SET", "CAL_SET_ID", 8},                                 // T_SFC_CAL_SET
        {255, "T_TRNK_TOOL_CAL_SET", "TOOL_CAL_SET_ID", 82},                      // T_SFC_REWORK_SET
        {256, "T_TRNK_SH_BUFFER", "SH_BUFFER_ID", 60},                            // T_SFC_MACHINE_DATA
        {257, "T_TRNK_DT_SH_BUFFER", "DT_SH_BUFFER_ID", 23},                      // T_SFC_DT_PER_MACHINE_DATA
        {258, "T_TRNK_MACHINE_EVENTS", "MACHINE_EVENTS_ID", 61},                  // T_SFC_MACHINE_EVENT
        {259, "T_TRNK_SCRAP_CODE", "SCRAP_CODE_ID", 83},                          // T_SFC_SCRAP_CODE
        {260, "T_TRNK_SCRAP_CODE_SH", "SCRAP_CODE_SH_ID", 84},                // T_SFC_SCRAP_PER_MACHINE_DATA
        {261, "T_TRNK_SCRAP_CODE_SH_BUFFER", "SCRAP_CODE_SH_BUFFER_ID", 84},  // T_SFC_SCRAP_PER_MACHINE_DATA
        {263, "T_TRNK_API_FUNCTION", "API_FUNCTION_ID", 4},                   // T_SFC_API_FUNCTION
    };
    return codes;
}

const LegacyTableCode* FindLegacyTableCode(std::int16_t legacyCode) {
    const auto& codes = LegacyTableCodes();
    auto it = std::lower_bound(
        codes.begin(), codes.end(), legacyCode,
        [](const LegacyTableCode& entry, std::int16_t code) { return entry.legacyCode < code; });
    return it != codes.end() && it->legacyCode == legacyCode ? &*it : nullptr;
}

TableTarget TranslateTableTarget(std::int16_t legacyCode, std::optional<std::int64_t> legacyId,
                                 const NewIdLookup& getNewId, const LocationCodeLookup& locationCode) {
    const LegacyTableCode* entry = FindLegacyTableCode(legacyCode);
    if (!entry) return TableTarget{-1, -1};
    TableTarget target;
    target.tableCode = entry->newCode == kByLocationProductType ? locationCode(legacyId) : entry->newCode;
    target.id = getNewId(entry->legacyTable, entry->keyColumn, legacyId);
    return target;
}

TableTarget TranslateTableTarget(std::int16_t legacyCode, std::optional<std::int64_t> legacyId) {
    return TranslateTableTarget(
        legacyCode, legacyId,
        [](std::string_view table, std::string_view column, std::optional<std::int64_t> id) {
            return GetNewID(table, column, id);
        },
        [](std::optional<std::int64_t> id) { return GetLocationTableCode(id); });
}

}  // namespace tmigration::transfer
