#include "transfer/TransferSequence.h"

#include <iterator>

namespace tmigration::transfer {
namespace {

std::vector<std::string_view> SplitTables(std::string_view list) {
    std::vector<std::string_view> tables;
    while (!list.empty()) {
        const auto comma = list.find(", ");
        tables.push_back(list.substr(0, comma));
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 2);
    }
    return tables;
}

// clang-format off
constexpr TransferEntry kSequence[] = {
        {1, "MigrateShiftIntervals", "Migrating Shift Intervals...", "Migrating Intervals: ", "T_TRNK_INTERVAL", "T_SFC_INTERVAL", std::nullopt},
        {2, "MigrateShifts", "Migrating Shifts...", "Migrating Shifts: ", "T_TRNK_SHIFT", "T_SFC_SHIFT", 7},
        {3, "MigrateJobTitles", "Migrating Job Titles...", "Migrating Job Titles: ", "T_TRNK_USERTYPE", "T_SFC_JOBTITLE", std::nullopt},
        {4, "MigrateCustomers", "Migrating Customers...", "Migrating Customers: ", "T_TRNK_CUSTOMER", "T_SFC_CUSTOMER", 8},
        {5, "MigrateVendors", "Migrating Vendors...", "Migrating Vendors: ", "T_TRNK_VENDOR", "T_SFC_VENDOR", std::nullopt},
        {6, "MigrateDepartments", "Migrating Departments...", "Migrating Departments: ", "T_TRNK_DEPT", "T_SFC_DEPT", 9},
        {7, "MigrateLocations", "Migrating Locations...", "Migrating Locations: ", "T_TRNK_LOCATION", "T_SFC_CRIB, T_SFC_LOCATION", std::nullopt},
        {8, "MigrateGroups", "Migrating Groups...", "Migrating Groups: ", "T_TRNK_GROUPS", "T_SFC_GROUP", 10},
        {9, "MigrateMachines", "Migrating Machines...", "Migrating Machines: ", "T_TRNK_MACHINES", "T_SFC_MACHINE", std::nullopt},
        {10, "MigrateUsers", "Migrating Users...", "Migrating Users: ", "T_TRNK_PERS", "T_SFC_USER", 11},
        {11, "MigrateMaterialTypes", "Migrating Material Types...", "Migrating Material Types: ", "T_TRNK_MATERIALTYPE", "T_SFC_MATERIAL_TYPE", std::nullopt},
        {12, "MigrateMaterials", "Migrating Materials...", "Migrating Materials: ", "T_TRNK_MATERIAL", "T_SFC_MATERIAL", 12},
        {13, "MigratePartTypes", "Migrating Part Types...", "Migrating Part Types: ", "T_TRNK_PARTTYPE", "T_SFC_PART_TYPE", std::nullopt},
        {14, "MigrateParts", "Migrating Parts...", "Migrating Parts: ", "T_TRNK_PART", "T_SFC_PART", 13},
        {15, "MigrateCutterTypes", "Migrating Cutter Types...", "Migrating Cutter Types: ", "T_TRNK_CUTTERTYPE", "T_SFC_CUTTER_TYPE", std::nullopt},
        {16, "MigrateCutterNumbers", "Migrating Cutter Numbers...", "Migrating Cutter Numbers: ", "T_TRNK_CUTTER_NO", "T_SFC_CUTTER_NO, T_SFC_VENDOR_INFO", 14},
        {17, "MigrateGageTypes", "Migrating Gage Types...", "Migrating Gage Types: ", "T_TRNK_GAUGE_SUBTYPE, T_TRNK_GAUGE_TYPE", "T_SFC_GAGE_TYPE, T_SFC_GAGE_TYPE_REF_DIM", 15},
        {18, "MigrateGageNumbers", "Migrating Gage Numbers...", "Migrating Gage Numbers: ", "T_TRNK_GAUGE_NO", "T_SFC_GAGE_NO, T_SFC_VENDOR_INFO", std::nullopt},
        {19, "MigrateToolTypes", "Migrating Tool Types...", "Migrating Tool Types: ", "T_TRNK_TOOL_SUBTYPE, T_TRNK_TOOL_TYPE", "T_SFC_TOOL_TYPE", 16},
        {20, "MigrateToolNumbers", "Migrating Tool Numbers...", "Migrating Tool Numbers: ", "T_TRNK_TOOL_NO", "T_SFC_TOOL_NO, T_SFC_VENDOR_INFO", std::nullopt},
        {21, "MigrateInsertTypes", "Migrating Insert Types...", "Migrating Insert Types: ", "T_TRNK_INSERTTYPE", "T_SFC_INSERT_TYPE", 17},
        {22, "MigrateInsertNumbers", "Migrating Insert Numbers...", "Migrating Insert Numbers: ", "T_TRNK_INSERT_NO", "T_SFC_INSERT_NO, T_SFC_VENDOR_INFO", std::nullopt},
        {23, "MigrateKitTypes", "Migrating Kit Types...", "Migrating Kit Types: ", "T_TRNK_KITTYPE", "T_SFC_KIT_TYPE", 18},
        {24, "MigrateKitNumbers", "Migrating Kit Numbers...", "Migrating Kit Numbers: ", "T_TRNK_KIT_NO", "T_SFC_KIT_NO", std::nullopt},
        {25, "MigrateKitNumberComponents", "Migrating Kit Number Components...", "Migrating Kit Number Components: ", "T_TRNK_KIT_NO_COMPONENT", "T_SFC_KIT_NO_COMPONENT", 19},
        {26, "MigrateOperations", "Migrating Operations...", "Migrating Operations: ", "T_TRNK_OPS", "T_SFC_OP", std::nullopt},
        {27, "MigrateDowntimeCodes", "Migrating Downtime Codes...", "Migrating Downtime Codes: ", "T_TRNK_DOWNTIME", "T_SFC_DOWNTIME_CODE", 20},
        {28, "MigrateReasonCodes", "Migrating Reason Codes...", "Migrating Reason Codes: ", "T_TRNK_REASON", "T_SFC_REASON_CODE", std::nullopt},
        {29, "MigrateScrapCodes", "Migrating Scrap Codes...", "Migrating Scrap Codes: ", "T_TRNK_SCRAP_CODE", "T_SFC_SCRAP_CODE", 21},
        {30, "MigrateCommands", "Migrating Commands...", "Migrating Commands: ", "T_TRNK_COMMANDS", "T_SFC_COMMAND", std::nullopt},
        {31, "MigrateInspections", "Migrating Inspections...", "Migrating Inspections: ", "T_TRNK_INSPECTION", "T_SFC_INSPECTION", 22},
        {32, "MigrateJobs", "Migrating Jobs...", "Migrating Jobs: ", "T_TRNK_JOB", "T_SFC_JOB", std::nullopt},
        {33, "MigratePartsPerJob", "Migrating Parts Per Job...", "Migrating Parts Per Job: ", "T_TRNK_PARTS_PER_JOB", "T_SFC_PART_PER_JOB", 23},
        {34, "MigrateEventRecords", "Migrating Events...", "Migrating Events: ", "T_TRNK_EVENTS", "T_SFC_EVENT", 24},
        {35, "MigrateUserGroups", "Migrating User Groups...", "Migrating User Groups: ", "T_TRNK_USERGROUP", "T_SFC_USERGROUP", std::nullopt},
        {36, "MigrateUsersPerUserGroups", "Migrating Users Per User Groups...", "Migrating Users Per User Groups: ", "T_TRNK_PERS_USERGROUP", "T_SFC_USER_PER_USERGROUP", 25},
        {37, "MigrateGageNumberReferenceDimensions", "Migrating Gage Number Reference Dimensions...", "Migrating Gage Number Reference Dimensions: ", "T_TRNK_GAUGE_REF_DIM", "T_SFC_GAGE_NO_REF_DIM", 26},
        {38, "MigrateGageNumberCalibrationDimensions", "Migrating Gage Number Calibration Dimensions...", "Migrating Gage Number Calibration Dimensions: ", "T_TRNK_GAUGE_CAL_DIM", "T_SFC_GAGE_NO_CAL_DIM", 27},
        {39, "MigrateToolNumberReworkDimensions", "Migrating Tool Number Rework Dimensions...", "Migrating Tool Number Rework Dimensions: ", "T_TRNK_TOOL_CAL_DIM", "T_SFC_TOOL_NO_REWORK_DIM", 28},
        {40, "MigrateMachineEvents", "Migrating Machine Events...", "Migrating Machine Events: ", "T_TRNK_MACHINE_EVENTS", "T_SFC_MACHINE_EVENT", 29},
        {41, "MigrateGageNumberPartReferences", "Migrating Gage Number Part References...", "Migrating Gage Number Part References: ", "T_TRNK_GAU_PARTREF", "T_SFC_GAGE_NO_PART_REF", 30},
        {42, "MigrateToolNumberMaterialReferences", "Migrating Tool Number Material References...", "Migrating Tool Number Material References: ", "T_TRNK_TOOL_MATERIALREF", "T_SFC_TOOL_NO_MATERIAL_REF", 31},
        {43, "MigrateToolNumberPartReferences", "Migrating Tool Number Part References...", "Migrating Tool Number Part References: ", "T_TRNK_TOOL_PARTREF", "T_SFC_TOOL_NO_PART_REF", 32},
        {44, "MigrateCutterNumberMaterialReferences", "Migrating Cutter Number Material References...", "Migrating Cutter Number Material References: ", "T_TRNK_CUTTER_MATERIALREF", "T_SFC_CUTTER_NO_MATERIAL_REF", 33},
        {45, "MigrateCutterNumberPartReferences", "Migrating Cutter Number Part References...", "Migrating Cutter Number Part References: ", "T_TRNK_CUTTER_PARTREF", "T_SFC_CUTTER_NO_PART_REF", 34},
        {46, "MigrateInsertNumberMaterialReferences", "Migrating Insert Number Material References...", "Migrating Insert Number Material References: ", "T_TRNK_INSERT_MATERIALREF", "T_SFC_INSERT_NO_MATERIAL_REF", 35},
        {47, "MigrateInsertNumberPartReferences", "Migrating Insert Number Part References...", "Migrating Insert Number Part References: ", "T_TRNK_INSERT_PARTREF", "T_SFC_INSERT_NO_PART_REF", 36},
        {48, "MigrateCutterNumbersPerCribLocation", "Migrating Cutter Numbers Per Crib Location...", "Migrating Cutter Numbers Per Crib Location: ", "T_TRNK_CUTTER_CRIB", "T_SFC_CUTTER_NO_CRIB", 37},
        {49, "MigrateInsertNumbersPerCribLocation", "Migrating Insert Numbers Per Crib Location...", "Migrating Insert Numbers Per Crib Location: ", "T_TRNK_INSERT_CRIB", "T_SFC_INSERT_NO_CRIB", 38},
        {50, "MigrateGagePurchaseOrders", "Migrating Gage Purchase Orders...", "Migrating Gage Purchase Orders: ", "T_TRNK_GAUGE_PO", "T_SFC_PO", 39},
        {51, "MigrateToolPurchaseOrders", "Migrating Tool Purchase Orders...", "Migrating Tool Purchase Orders: ", "T_TRNK_TOOL_PO", "T_SFC_PO", 40},
        {52, "MigrateGageNumbersPerPurchaseOrders", "Migrating Gage Numbers Per Purchase Orders...", "Migrating Gage Numbers Per Purchase Orders: ", "T_TRNK_GAUGES_PER_PO", "T_SFC_GAGE_NO_PER_PO", 41},
        {53, "MigrateToolNumbersPerPurchaseOrders", "Migrating Tool Numbers Per Purchase Orders...", "Migrating Tool Numbers Per Purchase Orders: ", "T_TRNK_TOOLS_PER_PO", "T_SFC_TOOL_NO_PER_PO", 42},
        {54, "MigrateCutterNumbersPerPurchaseOrders", "Migrating Cutter Numbers Per Purchase Orders...", "Migrating Cutter Numbers Per Purchase Orders: ", "T_TRNK_CUTTERS_PER_PO", "T_SFC_CUTTER_NO_PER_PO", 43},
        {55, "MigrateInsertNumbersPerPurchaseOrders", "Migrating Insert Numbers Per Purchase Orders...", "Migrating Insert Numbers Per Purchase Orders: ", "T_TRNK_INSERTS_PER_PO", "T_SFC_INSERT_NO_PER_PO", 44},
        {56, "MigrateGages", "Migrating Gages...", "Migrating Gages: ", "T_TRNK_GAUGES", "T_SFC_GAGE", 45},
        {57, "MigrateGageCalibrationHistories", "Migrating Gage Calibration Histories...", "Migrating Gage Calibration Histories: ", "T_TRNK_CALHIST", "T_SFC_CAL_HIST", 46},
        {58, "MigrateGageCalibrationSets", "Migrating Gage Calibration Sets...", "Migrating Gage Calibration Sets: ", "T_TRNK_CAL_SET", "T_SFC_CAL_SET", 47},
        {59, "MigrateGageCalibrations", "Migrating Gage Calibrations...", "Migrating Gage Calibrations: ", "T_TRNK_CALIBRATE", "T_SFC_CALIBRATE", 48},
        {60, "MigrateGageIRRs", "Migrating Gage IRRs...", "Migrating Gage IRRs: ", "T_TRNK_IRR", "T_SFC_GAGE_IRR", 49},
        {61, "MigrateTools", "Migrating Tools...", "Migrating Tools: ", "T_TRNK_TOOLS", "T_SFC_TOOL", 50},
        {62, "MigrateToolReworkHistories", "Migrating Tool Rework Histories...", "Migrating Tool Rework Histories: ", "T_TRNK_REWORKHIST", "T_SFC_REWORK_HIST", 51},
        {63, "MigrateToolReworkSets", "Migrating Tool Rework Sets...", "Migrating Tool Rework Sets: ", "T_TRNK_TOOL_CAL_SET", "T_SFC_REWORK_SET", 52},
        {64, "MigrateToolReworks", "Migrating Tool Reworks...", "Migrating Tool Reworks: ", "T_TRNK_REWORK", "T_SFC_REWORK", 53},
        {65, "MigrateToolIRRs", "Migrating Tool IRRs...", "Migrating Tool IRRs: ", "T_TRNK_TOOL_IRR", "T_SFC_TOOL_IRR", 54},
        {66, "MigrateKits", "Migrating Kits...", "Migrating Kits: ", "T_TRNK_KIT", "T_SFC_KIT", 55},
        {67, "MigrateKitComponents", "Migrating Kit Components...", "Migrating Kit Components: ", "T_TRNK_KIT_COMPONENT", "T_SFC_KIT_COMPONENT", 56},
        {68, "MigrateTravelers", "Migrating Travelers...", "Migrating Travelers: ", "T_TRNK_TRAVELER", "T_SFC_TRAVELER", 57},
        {69, "MigrateTravelerCustomers", "Migrating Traveler Customers...", "Migrating Traveler Customers: ", "T_TRNK_CUST_TRAV", "T_SFC_CUSTOMER_PER_TRAV", 58},
        {70, "MigrateTravelerOperations", "Migrating Traveler Operations...", "Migrating Traveler Operations: ", "T_TRNK_OPSPERTRAV", "T_SFC_OP_PER_TRAV", 59},
        {71, "MigrateFirstArticleSignoffs", "Migrating First Article Signoffs...", "Migrating First Article Signoffs: ", "T_TRNK_FPS", "T_SFC_FAS", 60},
        {72, "MigrateCutterNumbersPerTravelerOperations", "Migrating Cutter Numbers Per Traveler Operations...", "Migrating Cutter Numbers Per Traveler Operations: ", "T_TRNK_CUTTERPEROP", "T_SFC_CUTTER_NO_PER_OP", 61},
        {73, "MigrateGageNumbersPerTravelerOperations", "Migrating Gage Numbers Per Traveler Operations...", "Migrating Gage Numbers Per Traveler Operations: ", "T_TRNK_GAUGEPEROP", "T_SFC_GAGE_NO_PER_OP", 62},
        {74, "MigrateInsertNumbersPerTravelerOperations", "Migrating Insert Numbers Per Traveler Operations...", "Migrating Insert Numbers Per Traveler Operations: ", "T_TRNK_INSERTPEROP", "T_SFC_INSERT_NO_PER_OP", 63},
        {75, "MigrateInspectionsPerTravelerOperations", "Migrating Inspections Per Traveler Operations...", "Migrating Inspections Per Traveler Operations: ", "T_TRNK_INSPEROP", "T_SFC_INSPECTION_PER_OP", 64},
        {76, "MigrateKitNumbersPerTravelerOperations", "Migrating Kit Numbers Per Traveler Operations...", "Migrating Kit Numbers Per Traveler Operations: ", "T_TRNK_KITPEROP", "T_SFC_KIT_NO_PER_OP", 65},
        {77, "MigrateMachinesPerTravelerOperations", "Migrating Machines Per Traveler Operations...", "Migrating Machines Per Traveler Operations: ", "T_TRNK_MACHINEPEROP", "T_SFC_MACHINE_PER_OP", 66},
        {78, "MigrateMaterialsPerTravelerOperations", "Migrating Materials Per Traveler Operations...", "Migrating Materials Per Traveler Operations: ", "T_TRNK_MATERIALPEROP", "T_SFC_MATERIAL_PER_OP", 67},
        {79, "MigratePartsPerTravelerOperations", "Migrating Parts Per Traveler Operations...", "Migrating Parts Per Traveler Operations: ", "T_TRNK_PARTPEROP", "T_SFC_PART_PER_OP", 68},
        {80, "MigrateToolNumbersPerTravelerOperations", "Migrating Tool Numbers Per Traveler Operations...", "Migrating Tool Numbers Per Traveler Operations: ", "T_TRNK_TOOLPEROP", "T_SFC_TOOL_NO_PER_OP", 69},
        {81, "MigratePartTypeReferenceDimensions", "Migrating Part Type Reference Dimensions...", "Migrating Part Type Reference Dimensions: ", "T_TRNK_PARTTYPE_REF_DIM", "T_SFC_PART_TYPE_REF_DIM", 70},
        {82, "MigratePartReferenceDimensions", "Migrating Part Reference Dimensions...", "Migrating Part Reference Dimensions: ", "T_TRNK_PART_REF_DIM", "T_SFC_PART_REF_DIM", 71},
        {83, "MigrateShiftSummaries", "Migrating Shift Summaries...", "Migrating Shift Summaries: ", "T_TRNK_SHIFT_HISTORY", "T_SFC_MACHINE_DATA", 72},
        {84, "MigrateDowntimePerShiftSummaries", "Migrating Downtime Per Shift Summaries...", "Migrating Downtime Per Shift Summaries: ", "T_TRNK_DOWNTIME_SHIFT_HISTORY", "T_SFC_DT_PER_MACHINE_DATA", 73},
        {85, "MigrateScrapPerShiftSummaries", "Migrating Scrap Per Shift Summaries...", "Migrating Scrap Per Shift Summaries: ", "T_TRNK_SCRAP_CODE_SH", "T_SFC_SCRAP_PER_MACHINE_DATA", 74},
        {86, "MigrateShiftSummaryBuffers", "Migrating Shift Summary Buffers...", "Migrating Shift Summary Buffers: ", "T_TRNK_SH_BUFFER", "T_SFC_DT_PER_MACHINE_DATA, T_SFC_MACHINE_DATA", 75},
        {87, "MigrateDowntimePerShiftSummaryBuffers", "Migrating Downtime Per Shift Summary Buffers...", "Migrating Downtime Per Shift Summary Buffers: ", "T_TRNK_DT_SH_BUFFER", "T_SFC_DT_PER_MACHINE_DATA", 76},
        {88, "MigrateScrapPerShiftSummaryBuffers", "Migrating Scrap Per Shift Summary Buffers...", "Migrating Scrap Per Shift Summary Buffers: ", "T_TRNK_SCRAP_CODE_SH_BUFFER", "T_SFC_SCRAP_PER_MACHINE_DATA", 77},
        {89, "UpdateMachines", "Updating Machines...", "Updating Machines: ", "T_TRNK_MACHINES", "T_SFC_MACHINE", 78},
        {90, "MigrateHistory", "Migrating History...", "Migrating History: ", "T_TRNK_HISTORY", "T_SFC_HISTORY", 79},
        {91, "MigrateCutterAndInsertHistory", "Migrating Cutter and Insert History...", "Migrating Cutter and Insert History: ", "T_TRNK_IC_HISTORY", "T_SFC_IC_HISTORY", 80},
        {92, "MigrateMaintenanceHistory", "Migrating Maintenance History...", "Migrating Maintenance History: ", "T_TRNK_MAINTENANCE_HISTORY", "T_SFC_MAINTENANCE_HISTORY", 81},
        {93, "MigrateAttachments", "Migrating Attachments...", "Migrating Attachments: ", "T_TRNK_MEDIASRC", "T_SFC_ATTACHMENT_SRC", 82},
        {94, "MigrateAttachmentsPerComponents", "Migrating Attachments Per Components...", "Migrating Attachments Per Components: ", "T_TRNK_GAUGE_SUBTYPE, T_TRNK_MEDIADEST, T_TRNK_TOOL_SUBTYPE", "T_SFC_ATTACHMENT_DEST", 83},
        {95, "MigrateFormatStrings", "Migrating Format Strings...", "Migrating Format Strings: ", "T_TRNK_AUTO_INC", "T_SFC_FORMAT_STRING", 84},
        {96, "MigrateOptions", "Migrating Options...", "Migrating Options: ", "T_TRNK_OPTIONS", "T_SFC_OPTION", 85},
        {97, "MigrateTravelersSecurityObjects", "Migrating Travelers Security Objects...", "Migrating Travelers Security Objects: ", "T_TRNK_OBJECT", "T_SFC_OBJECT", 86},
        {98, "MigrateMDCSecurityObjects", "Migrating MDC Security Objects...", "Migrating MDC Security Objects: ", "T_TRNK_OBJECT", "T_SFC_OBJECT", 87},
        {99, "MigrateToolAndGageCribSecurityObjects", "Migrating Tool and Gage Crib Security Objects...", "Migrating Tool and Gage Crib Security Objects: ", "T_TRNK_OBJECT", "T_SFC_OBJECT", 88},
        {100, "MigrateSIDs", "Migrating SIDs...", "Migrating SIDs: ", "T_TRNK_SID", "T_SFC_USERGROUP, T_SFC_DB_ITEM", 89},
        {101, "MigrateTravelersAdministratorPermissions", "Migrating Travelers Administrator Permissions...", "Migrating Travelers Administrator Permissions: ", "", "T_SFC_ACL", 90},
        {102, "MigrateMDCAdministratorPermissions", "Migrating MDC Administrator Permissions...", "Migrating MDC Administrator Permissions: ", "", "T_SFC_ACL", 91},
        {103, "MigrateTrackerAdministratorPermissions", "Migrating Tracker Administrator Permissions...", "Migrating Tracker Administrator Permissions: ", "", "T_SFC_ACL", 92},
        {104, "FinalizeTravelersAdministratorPermissions", "Finalizing Travelers Administrator Permissions...", "Finalizing Travelers Administrator Permissions: ", "T_TRNK_ACL, T_TRNK_USERGROUP", "T_SFC_ACL", 93},
        {105, "FinalizeMDCAdministratorPermissions", "Finalizing MDC Administrator Permissions...", "Finalizing MDC Administrator Permissions: ", "T_TRNK_ACL, T_TRNK_USERGROUP", "T_SFC_ACL", 94},
        {106, "FinalizeTrackerAdministratorPermissions", "Finalizing Tracker Administrator Permissions...", "Finalizing Tracker Administrator Permissions: ", "T_TRNK_ACL, T_TRNK_USERGROUP", "T_SFC_ACL", 95},
        {107, "MigratePermissions", "Migrating Permissions...", "Migrating Permissions: ", "T_TRNK_ACL, T_TRNK_USERGROUP", "T_SFC_ACL", 96},
};
// clang-format on

}  // namespace

std::vector<std::string_view> TransferEntry::LegacySources() const {
    return SplitTables(legacySources);
}

std::vector<std::string_view> TransferEntry::NewDestinations() const {
    return SplitTables(newDestinations);
}

const std::vector<TransferEntry>& TransferSequence() {
    static const std::vector<TransferEntry> sequence(std::begin(kSequence), std::end(kSequence));
    return sequence;
}

const TransferEntry* FindTransfer(std::string_view name) {
    for (const TransferEntry& entry : TransferSequence())
        if (entry.name == name) return &entry;
    return nullptr;
}

}  // namespace tmigration::transfer
