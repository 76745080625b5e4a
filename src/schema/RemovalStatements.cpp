#include "schema/RemovalStatements.h"

#include <string_view>

namespace tmigration::schema {

namespace {

struct LegacyForeignKeys {
    std::string_view table;
    std::vector<std::string_view> constraints;
};

// Every legacy foreign key, grouped by the table that holds it, in the order they are dropped;
// all of them go before the first table.
const std::vector<LegacyForeignKeys>& LegacyForeignKeyGroups() {
    static const std::vector<LegacyForeignKeys> groups = {
        {"T_TRNK_PART_REF_DIM", {"FK_PART_REF_DIM_PT", "FK_PARTT_REF_DIM_PART"}},
        {"T_TRNK_PARTTYPE_REF_DIM", {"FK_PT_REF_DIM_PT"}},
        {"T_TRNK_KITPEROP", {"FK_KITPEROP_OPT", "FK_KITPEROP_KIT"}},
        {"T_TRNK_CUTTERPEROP", {"FK_CUTTERPEROP_OPT", "FK_CUTTERPEROP_CUTTER"}},
        {"T_TRNK_INSERTPEROP", {"FK_INSERTPEROP_OPT", "FK_INSERTPEROP_INSERT"}},
        {"T_TRNK_PARTPEROP", {"FK_PPO_OPT", "FK_PPO_PART"}},
        {"T_TRNK_CUST_TRAV", {"FK_CT_CUST", "FK_CT_TRAV"}},
        {"T_TRNK_FPS", {"FK_FPS_PERS", "FK_FPS_OPT"}},
        {"T_TRNK_INSPEROP", {"FK_IPO_OPT", "FK_IPO_INSP"}},
        {"T_TRNK_MACHINEPEROP", {"FK_MACHPO_OPT", "FK_MACHPO_MACH"}},
        {"T_TRNK_MATERIALPEROP", {"FK_MPO_OPT", "FK_MPO_MAT", "FK_MPO_PTYPE"}},
        {"T_TRNK_GAUGEPEROP", {"FK_GPO_OPT", "FK_GPO_GAUGE_NO"}},
        {"T_TRNK_TOOLPEROP", {"FK_TPO_OPT", "FK_TPO_TOOLNO"}},
        {"T_TRNK_OPSPERTRAV",
         {"FK_OPT_OPS", "FK_OPT_TRAV", "FK_OPT_COSTCENTER", "FK_OPT_GROUP", "FK_OPT_HISTORY",
          "FK_OPT_MACHINE"}},
        {"T_TRNK_TRAVELER",
         {"FK_TRAV_PART", "FK_TRAV_HISTORY", "FK_TRAV_STATUS", "FK_TRAV_PREVREV", "FK_TRAV_NEXTREV",
          "FK_TRAV_FAM"}},
        {"T_TRNK_CAL_SET", {"FK_CAL_SET_CALHIST"}},
        {"T_TRNK_GAUGES_PER_PO", {"FK_GAUGES_PER_PO_PO", "FK_GAUGES_PER_PO_GAUGE_NO"}},
        {"T_TRNK_GAUGE_PO", {"FK_GAUGE_PO_PERS", "FK_GAUGE_PO_VENDOR", "FK_GAUGE_PO_STATUS"}},
        {"T_TRNK_GAU_PARTREF", {"FK_PARTREF_GAUGENO", "FK_PARTREF_PART"}},
        {"T_TRNK_IRR",
         {"FK_IRR_GAUGE", "FK_IRR_VENDOR", "FK_IRR_CALHIST", "FK_IRR_ME", "FK_IRR_STATUS", "FK_IRR_APPRV",
          "FK_IRR_DEPT", "FK_IRR_RWK_STATUS", "FK_IRR_LOCATION", "FK_IRR_GROUP", "FK_IRR_MACHINE",
          "FK_IRR_ACTION"}},
        {"T_TRNK_OPSPERGAUGE",
         {"FK_OPGAUGE_GAUGENO", "FK_OPGAUGE_OPS", "FK_OPGAUGE_PTYPE", "FK_OPGAUGE_USER",
          "FK_OPGAUGE_METRICS"}},
        {"T_TRNK_CALIBRATE", {"FK_CAL_GAUGE", "FK_CAL_HIST", "FK_CAL_INSP"}},
        {"T_TRNK_CALHIST", {"FK_CALHIST_GAUGE", "FK_CALHIST_INSP"}},
        {"T_TRNK_GAUGEINIT", {"FK_GAUGEINIT_GAUGE_NO", "FK_GAUGEINIT_VENDOR", "FK_GAUGEINIT_GAUGETYPE"}},
        {"T_TRNK_GAUGES",
         {"FK_GAU_GAUGE_NO2", "FK_GAU_STATUS2", "FK_GAU_CRIB2", "FK_GAU_MACHINE2", "FK_GAU_USER2",
          "FK_GAU_OLD_STATUS2", "FK_GAUGE_GAUGE_PO"}},
        {"T_TRNK_TOOL_CAL_SET", {"FK_TOOL_CAL_SET_REWORKHIST"}},
        {"T_TRNK_INSERTS_PER_PO", {"FK_INSERTS_PER_PO_PO", "FK_INSERTS_PER_PO_INSERT_NO"}},
        {"T_TRNK_CUTTERS_PER_PO", {"FK_CUTTERS_PER_PO_PO", "FK_CUTTERS_PER_PO_CUTTER_NO"}},
        {"T_TRNK_TOOLS_PER_PO", {"FK_TOOLS_PER_PO_PO", "FK_TOOLS_PER_PO_TOOL_NO"}},
        {"T_TRNK_TOOL_PO", {"FK_TOOL_PO_PERS", "FK_TOOL_PO_VENDOR", "FK_TOOL_PO_STATUS"}},
        {"T_TRNK_KIT_COMPONENT", {"FK_KIT_COMPONENT_KIT"}},
        {"T_TRNK_KIT", {"FK_KIT_KIT_NO", "FK_KIT_CRIB", "FK_KIT_STATUS", "FK_KIT_PERS", "FK_KIT_MACH"}},
        {"T_TRNK_INSERT_CRIB", {"FK_INSERT_CRIB_INSERTNO", "FK_INSERT_CRIB_CRIB"}},
        {"T_TRNK_CUTTER_CRIB", {"FK_CUTTER_CRIB_CUTTERNO", "FK_CUTTER_CRIB_CRIB"}},
        {"T_TRNK_INSERT_MATERIALREF", {"FK_MATERIALREF_INSERTNO", "FK_INSERT_MATERIALREF_MATERIAL"}},
        {"T_TRNK_INSERT_PARTREF", {"FK_PARTREF_INSERTNO", "FK_INSERT_PARTREF_PART"}},
        {"T_TRNK_CUTTER_MATERIALREF", {"FK_MATERIALREF_CUTTERNO", "FK_CUTTER_MATERIALREF_MATERIAL"}},
        {"T_TRNK_CUTTER_PARTREF", {"FK_PARTREF_CUTTERNO", "FK_CUTTER_PARTREF_PART"}},
        {"T_TRNK_IC_HISTORY",
         {"FK_IC_HISTORY_SUBTYPE", "FK_IC_HISTORY_MOD_BY", "FK_IC_HISTORY_ACTION", "FK_IC_HISTORY_USER",
          "FK_IC_HISTORY_MACH"}},
        {"T_TRNK_TOOL_IRR",
         {"FK_TOOL_IRR_TOOL", "FK_TOOL_IRR_VENDOR", "FK_TOOL_IRR_REWORKHIST", "FK_TOOL_IRR_ME",
          "FK_TOOL_IRR_STATUS", "FK_TOOL_IRR_APPRV", "FK_TOOL_IRR_DEPT", "FK_TOOL_IRR_RPR_STATUS",
          "FK_TOOL_IRR_LOCATION", "FK_TOOL_IRR_GROUP", "FK_TOOL_IRR_MACHINE", "FK_TOOL_IRR_ACTION"}},
        {"T_TRNK_TOOL_MATERIALREF", {"FK_MATERIALREF_TOOLNO", "FK_MATERIALREF_MATERIAL"}},
        {"T_TRNK_TOOL_PARTREF", {"FK_PARTREF_TOOLNO", "FK_TOOL_PARTREF_PART"}},
        {"T_TRNK_REWORK", {"FK_REWORK_TOOL", "FK_REWORK_HIST", "FK_REWORK_INSP"}},
        {"T_TRNK_REWORKHIST", {"FK_REWORKHIST_TOOL", "FK_REWORKHIST_INSP"}},
        {"T_TRNK_TOOLINIT",
         {"FK_TOOLINIT_TOOL_NO", "FK_TOOLINIT_M_ENG", "FK_TOOLINIT_VENDOR", "FK_TOOLINIT_TOOLTYPE",
          "FK_TOOLINIT_INSP"}},
        {"T_TRNK_TOOLS",
         {"FK_TOOL_TOOL_NO2", "FK_TOOL_STATUS2", "FK_TOOL_CRIB2", "FK_TOOL_MACHINE2", "FK_TOOL_USER2",
          "FK_TOOL_OLD_STATUS2", "FK_TOOL_TOOL_PO"}},
        {"T_TRNK_SCRAP_CODE_SH_BUFFER", {"FK_SCRAP_CODE_SH_BUFFER_SH"}},
        {"T_TRNK_DT_SH_BUFFER", {"FK_DT_SH_BUFFER_BUFFER", "FK_DT_SH_BUFFER_ST"}},
        {"T_TRNK_SH_BUFFER", {"FK_SH_BUFFER_MACH", "FK_SH_BUFFER_SHIFT"}},
        {"T_TRNK_SCRAP_CODE_SH", {"FK_SCRAP_CODE_SH_DT", "FK_SCRAP_CODE_SH_SH"}},
        {"T_TRNK_MACHINE_EVENTS", {"FK_ME_MACHINE", "FK_ME_CMD", "FK_ME_EVENT"}},
        {"T_TRNK_PARTS_PER_JOB", {"FK_PPJ_PART", "FK_PPJ_JOB"}},
        {"T_TRNK_MAINTENANCE_HISTORY", {"FK_MH_REASON", "FK_MH_USER", "FK_MH_MACH"}},
        {"T_TRNK_DOWNTIME_SHIFT_HISTORY", {"FK_DOWNTIME_SH_DT", "FK_DOWNTIME_SH_SH"}},
        {"T_TRNK_REASON", {"FK_REASON_DT"}},
        {"T_TRNK_KIT_NO_COMPONENT", {"FK_KIT_NO_COMPONENT_KIT_NO"}},
        {"T_TRNK_KIT_NO", {"FK_KIT_NO_KITTYPE", "FK_KIT_NO_CRIB"}},
        {"T_TRNK_TOOL_CAL_DIM", {"FK_TOOL_CAL_DIM_TOOL_NO"}},
        {"T_TRNK_GAUGE_CAL_DIM", {"FK_GAUGE_CAL_DIM_GAUGE_NO"}},
        {"T_TRNK_TOOL_REF_DIM", {"FK_TOOL_REF_DIM_TOOL_NO"}},
        {"T_TRNK_GAUGE_REF_DIM", {"FK_GAUGE_REF_DIM_GAUGE_NO"}},
        {"T_TRNK_CUTTER_NO", {"FK_CUTTER_NO_CT", "FK_CN_V1", "FK_CN_V2", "FK_CN_V3", "FK_CN_CRIB"}},
        {"T_TRNK_JOB", {"FK_JOB_PARTTYPE", "FK_JOB_PART", "FK_JOB_CUSTOMER", "FK_JOB_STATUS"}},
        {"T_TRNK_INSERT_NO", {"FK_INSERT_NO_IT", "FK_IN_V1", "FK_IN_V2", "FK_IN_V3", "FK_IN_CRIB"}},
        {"T_TRNK_SHIFT_HISTORY",
         {"FK_SH_SHIFT", "FK_SH_PART", "FK_SH_OPS", "FK_SH_PERS", "FK_SH_DEPT", "FK_SH_LOC", "FK_SH_GRP",
          "FK_SH_MACH", "FK_SH_PT", "FK_SH_JOB"}},
        {"T_TRNK_SHIFT_MACHINE", {"FK_SM_SHIFT", "FK_SM_MACH"}},
        {"T_TRNK_SHIFT_GROUP", {"FK_SG_SHIFT", "FK_SG_GRP"}},
        {"T_TRNK_SHIFT_LOCATION", {"FK_SL_SHIFT", "FK_SL_LOC"}},
        {"T_TRNK_SHIFT_DEPT", {"FK_SD_SHIFT", "FK_SD_DEPT"}},
        {"T_TRNK_SHIFT",
         {"FK_SHIFT_MON", "FK_SHIFT_TUE", "FK_SHIFT_WED", "FK_SHIFT_THU", "FK_SHIFT_FRI", "FK_SHIFT_SAT",
          "FK_SHIFT_SUN"}},
        {"T_TRNK_GAUGE_SUBTYPE", {"FK_GST_GAUGE_TYPE"}},
        {"T_TRNK_TOOL_SUBTYPE", {"FK_TST_TOOL_TYPE"}},
        {"T_TRNK_OBJECT", {"FK_OBJECT_PTYPE"}},
        {"T_TRNK_ACL", {"FK_ACL_OBJECT"}},
        {"T_TRNK_PERS_USERGROUP", {"FK_PUG_PERS", "FK_PUG_UG"}},
        {"T_TRNK_CUSTOMER", {"FK_CUSTOMER_PTYPE"}},
        {"T_TRNK_MATERIALTYPE", {"FK_MT_PTYPE"}},
        {"T_TRNK_TOOL_NO", {"FK_TOOLNO_TYPE", "FK_TN_LOC", "FK_TN_V1", "FK_TN_V2", "FK_TN_V3"}},
        {"T_TRNK_GAUGE_NO", {"FK_GAUGENO_TYPE", "FK_GN_LOC", "FK_GN_V1", "FK_GN_V2", "FK_GN_V3"}},
        {"T_TRNK_USERTYPE", {"FK_USER_PTYPE"}},
        {"T_TRNK_PARTTYPE", {"FK_PT_PTYPE"}},
        {"T_TRNK_MATERIAL", {"FK_MATERIAL_PTYPE", "FK_MATERIAL_MTYPE"}},
        {"T_TRNK_PART",
         {"FK_PART_PTYPE", "FK_PART_VENDOR", "FK_PART_STATUS", "FK_PART_LOC", "FK_PART_GROUP",
          "FK_PART_PARTTYPE", "FK_PART_ASSEMBLY", "FK_PART_HIST"}},
        {"T_TRNK_EVENTS",
         {"FK_EVENTS_CMD", "FK_EVENTS_DEPT", "FK_EVENTS_LOC", "FK_EVENTS_GROUP", "FK_EVENTS_MACH",
          "FK_EVENTS_COST", "FK_EVENTS_USER1", "FK_EVENTS_USER2"}},
        {"T_TRNK_COST_CENTER",
         {"FK_CC_DEPT", "FK_CC_LOCATION", "FK_CC_GROUPS", "FK_CC_PTYPE", "FK_CC_STATUS"}},
        {"T_TRNK_USER2", {"FK_USER2_GROUPS", "FK_USER2_DEPT", "FK_USER2_LOCATION"}},
        {"T_TRNK_USER1", {"FK_USER1_GROUPS", "FK_USER1_DEPT", "FK_USER1_LOCATION"}},
        {"T_TRNK_MACHINES",
         {"FK_MACHINES_DEPT", "FK_MACHINES_LOCATION", "FK_MACHINES_GROUP", "FK_MACHINES_PTYPE",
          "FK_MACHINES_VENDOR", "FK_MACHINES_STATUS", "FK_MACHINES_COST", "FK_MACHINES_DT", "FK_MACHINES_ST",
          "FK_MACHINES_CT", "FK_MACHINES_LT", "FK_MACHINES_JT", "FK_MACHINES_PDT", "FK_MACHINES_PT"}},
        {"T_TRNK_GROUPS", {"FK_GROUPS_PTYPE", "FK_GROUPS_LOCATIONS", "FK_GROUPS_DEPT"}},
        {"T_TRNK_COMMANDS", {"FK_COMMANDS_PTYPE"}},
        {"T_TRNK_HISTORY",
         {"FK_HISTORY_TYPE", "FK_HISTORY_MOD_BY", "FK_HISTORY_STATUS", "FK_HISTORY_HISTORY",
          "FK_HISTORY_REASON"}},
        {"T_TRNK_ASSEMBLY",
         {"FK_ASSEMBLY_TYPE", "FK_ASSEMBLY_STATUS", "FK_ASM_LOCATION", "FK_ASSEMBLY_VENDOR", "FK_ASM_USER"}},
        {"T_TRNK_METRICS", {"FK_METRICS_TYPE", "FK_METRICS_GAUGE_SUBTYPE"}},
        {"T_TRNK_MEDIADEST", {"FK_MEDIADEST_MEDIASRC", "FK_MEDIADEST_PTYPE"}},
        {"T_TRNK_LOCATION", {"FK_LOC_PTYPE", "FK_LOC_DEPT"}},
        {"T_TRNK_VENDOR", {"FK_VENDOR_PTYPE"}},
        {"T_TRNK_PERS",
         {"FK_PERS_SHIFT", "FK_PERS_DEPT", "FK_PERS_JOBTITLE", "FK_PERS_LOC", "FK_PERS_STATUS"}},
        {"T_TRNK_DEPT", {"FK_DEPT_PTYPE", "FK_DEPT_USERTYPE"}},
        {"T_TRNK_STATUS", {"FK_STATUS_PTYPE"}},
        {"T_TRNK_OPS", {"FK_OP_PTYPE", "FK_OPS_REASON", "FK_OPS_STATUS"}},
        {"T_TRNK_SUBTYPE", {"FK_SUB_PTYPE"}},
    };
    return groups;
}

// The Oracle schema never carried the foreign keys of these tables as named constraints;
// their drop statements stay in the list as empty texts so that the numbering matches.
constexpr std::string_view kOracleKeysNotDropped[] = {"T_TRNK_USER2"};

// Every legacy table, in the order it is dropped (also the order of the Oracle sequences).
// clang-format off
constexpr std::string_view kLegacyTables[] = {
    "T_TRNK_GAUGES", "T_TRNK_GAUGEINIT", "T_TRNK_CALHIST", "T_TRNK_CALIBRATE", "T_TRNK_OPSPERGAUGE",
    "T_TRNK_IRR", "T_TRNK_GAUGE_RESERVE", "T_TRNK_GAU_PARTREF", "T_TRNK_GAUGE_PO", "T_TRNK_GAUGES_PER_PO",
    "T_TRNK_CAL_SET", "T_TRNK_SH_BUFFER", "T_TRNK_DT_SH_BUFFER", "T_TRNK_SCRAP_CODE_SH_BUFFER",
    "T_TRNK_TOOLS", "T_TRNK_TOOLINIT", "T_TRNK_REWORKHIST", "T_TRNK_REWORK", "T_TRNK_TOOL_PARTREF",
    "T_TRNK_TOOL_MATERIALREF", "T_TRNK_TOOL_IRR", "T_TRNK_IC_HISTORY", "T_TRNK_CUTTER_PARTREF",
    "T_TRNK_CUTTER_MATERIALREF", "T_TRNK_INSERT_PARTREF", "T_TRNK_INSERT_MATERIALREF", "T_TRNK_CUTTER_CRIB",
    "T_TRNK_INSERT_CRIB", "T_TRNK_KIT", "T_TRNK_KIT_COMPONENT", "T_TRNK_TOOL_PO", "T_TRNK_TOOLS_PER_PO",
    "T_TRNK_CUTTERS_PER_PO", "T_TRNK_INSERTS_PER_PO", "T_TRNK_TOOL_CAL_SET", "T_TRNK_TRAVELER",
    "T_TRNK_OPSPERTRAV", "T_TRNK_TOOLPEROP", "T_TRNK_GAUGEPEROP", "T_TRNK_MATERIALPEROP",
    "T_TRNK_MACHINEPEROP", "T_TRNK_INSPEROP", "T_TRNK_FPS", "T_TRNK_CUST_TRAV", "T_TRNK_PARTPEROP",
    "T_TRNK_INSERTPEROP", "T_TRNK_CUTTERPEROP", "T_TRNK_KITPEROP", "T_TRNK_PARTTYPE_REF_DIM",
    "T_TRNK_PART_REF_DIM", "T_TRNK_PTYPE", "T_TRNK_SUBTYPE", "T_TRNK_OPS", "T_TRNK_STATUS", "T_TRNK_DEPT",
    "T_TRNK_PERS", "T_TRNK_VENDOR", "T_TRNK_LOCATION", "T_TRNK_MEDIASRC", "T_TRNK_MEDIADEST",
    "T_TRNK_METRICS", "T_TRNK_ASSEMBLY", "T_TRNK_HISTORY", "T_TRNK_COMMANDS", "T_TRNK_GROUPS",
    "T_TRNK_MACHINES", "T_TRNK_USER1", "T_TRNK_USER2", "T_TRNK_COST_CENTER", "T_TRNK_EVENTS", "T_TRNK_PART",
    "T_TRNK_TOOL_TYPE", "T_TRNK_MATERIAL", "T_TRNK_INSPECTION", "T_TRNK_PARTTYPE", "T_TRNK_USERTYPE",
    "T_TRNK_GAUGE_NO", "T_TRNK_GAUGE_TYPE", "T_TRNK_COMMON", "T_TRNK_TOOL_NO", "T_TRNK_MATERIALTYPE",
    "T_TRNK_CUSTOMER", "T_TRNK_USERGROUP", "T_TRNK_PERS_USERGROUP", "T_TRNK_ACL", "T_TRNK_SID",
    "T_TRNK_OBJECT", "T_TRNK_TOOL_SUBTYPE", "T_TRNK_GAUGE_SUBTYPE", "T_TRNK_INTERVAL", "T_TRNK_SHIFT",
    "T_TRNK_SHIFT_DEPT", "T_TRNK_SHIFT_LOCATION", "T_TRNK_SHIFT_GROUP", "T_TRNK_SHIFT_MACHINE",
    "T_TRNK_SHIFT_HISTORY", "T_TRNK_INSERTTYPE", "T_TRNK_INSERT_NO", "T_TRNK_JOB", "T_TRNK_DOWNTIME",
    "T_TRNK_CUTTERTYPE", "T_TRNK_CUTTER_NO", "T_TRNK_GAUGE_REF_DIM", "T_TRNK_TOOL_REF_DIM",
    "T_TRNK_GAUGE_CAL_DIM", "T_TRNK_TOOL_CAL_DIM", "T_TRNK_AUTO_INC", "T_TRNK_KITTYPE", "T_TRNK_KIT_NO",
    "T_TRNK_KIT_NO_COMPONENT", "T_TRNK_REASON", "T_TRNK_DOWNTIME_SHIFT_HISTORY", "T_TRNK_MAINTENANCE_HISTORY",
    "T_TRNK_PARTS_PER_JOB", "T_TRNK_MACHINE_EVENTS", "T_TRNK_SCRAP_CODE", "T_TRNK_SCRAP_CODE_SH",
    "T_TRNK_API_FUNCTION", "T_TRNK_OPTIONS",
};
// clang-format on

// Legacy sequences are named after their table with S_ for T_, except these two.
struct SequenceName {
    std::string_view table;
    std::string_view sequence;
};
constexpr SequenceName kIrregularSequences[] = {
    {"T_TRNK_OPSPERGAUGE", "S_TRNK_OPS_PER_GAUGE"},
    {"T_TRNK_DOWNTIME_SHIFT_HISTORY", "S_TRNK_DOWNTIME_SH"},
};

std::string LegacySequenceName(std::string_view table) {
    for (const SequenceName& irregular : kIrregularSequences) {
        if (irregular.table == table) return std::string(irregular.sequence);
    }
    return "S_" + std::string(table.substr(2));
}

bool KeepsForeignKeysOnOracle(std::string_view table) {
    for (std::string_view kept : kOracleKeysNotDropped) {
        if (kept == table) return true;
    }
    return false;
}

std::vector<std::string> BuildList(db::Dialect dialect) {
    const bool oracle = dialect == db::Dialect::Oracle;
    std::vector<std::string> list;
    for (const LegacyForeignKeys& group : LegacyForeignKeyGroups()) {
        const bool skipped = oracle && KeepsForeignKeysOnOracle(group.table);
        for (std::string_view constraint : group.constraints) {
            list.push_back(skipped ? std::string()
                                   : "ALTER TABLE " + std::string(group.table) + " DROP CONSTRAINT " +
                                         std::string(constraint));
        }
    }
    if (oracle) {
        for (std::string_view table : kLegacyTables)
            list.push_back("DROP SEQUENCE " + LegacySequenceName(table));
    }
    // Dropping a table also drops its Oracle key trigger.
    for (std::string_view table : kLegacyTables) list.push_back("DROP TABLE " + std::string(table));
    return list;
}

}  // namespace

const std::vector<std::string>& RemovalStatements(db::Dialect dialect) {
    if (dialect == db::Dialect::Oracle) {
        static const std::vector<std::string> list = BuildList(db::Dialect::Oracle);
        return list;
    }
    // Access and SQL Server drop the same objects with the same texts.
    static const std::vector<std::string> list = BuildList(db::Dialect::Access);
    return list;
}

int RemovalStatementCount(db::Dialect dialect) {
    return dialect == db::Dialect::Oracle ? 542 : 423;
}

}  // namespace tmigration::schema
