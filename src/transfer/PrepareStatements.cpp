#include "transfer/PrepareStatements.h"

namespace tmigration::transfer {

namespace {

std::vector<std::string> BuildList(db::Dialect dialect) {
    std::vector<std::string> list;
    for (std::string_view table : MappedLegacyTables()) {
        list.push_back("ALTER TABLE " + std::string(table) + " ADD SFC_ID " +
                       std::string(MappingColumnType(dialect)));
    }
    return list;
}

}  // namespace

const std::vector<std::string_view>& MappedLegacyTables() {
    // Every legacy table that some transfer copies from or translates a reference through.
    // clang-format off
    static const std::vector<std::string_view> tables = {
        "T_TRNK_INTERVAL", "T_TRNK_SHIFT", "T_TRNK_USERTYPE", "T_TRNK_CUSTOMER", "T_TRNK_VENDOR", "T_TRNK_DEPT",
        "T_TRNK_LOCATION", "T_TRNK_GROUPS", "T_TRNK_MACHINES", "T_TRNK_PERS", "T_TRNK_MATERIALTYPE",
        "T_TRNK_MATERIAL", "T_TRNK_PARTTYPE", "T_TRNK_PART", "T_TRNK_CUTTERTYPE", "T_TRNK_CUTTER_NO",
        "T_TRNK_GAUGE_TYPE", "T_TRNK_GAUGE_SUBTYPE", "T_TRNK_GAUGE_NO", "T_TRNK_TOOL_TYPE", "T_TRNK_TOOL_SUBTYPE",
        "T_TRNK_TOOL_NO", "T_TRNK_INSERTTYPE", "T_TRNK_INSERT_NO", "T_TRNK_KITTYPE", "T_TRNK_KIT_NO",
        "T_TRNK_KIT_NO_COMPONENT", "T_TRNK_OPS", "T_TRNK_DOWNTIME", "T_TRNK_REASON", "T_TRNK_SCRAP_CODE",
        "T_TRNK_COMMANDS", "T_TRNK_INSPECTION", "T_TRNK_JOB", "T_TRNK_PARTS_PER_JOB", "T_TRNK_EVENTS",
        "T_TRNK_USERGROUP", "T_TRNK_PERS_USERGROUP", "T_TRNK_GAUGE_REF_DIM", "T_TRNK_GAUGE_CAL_DIM",
        "T_TRNK_TOOL_CAL_DIM", "T_TRNK_MACHINE_EVENTS", "T_TRNK_GAU_PARTREF", "T_TRNK_TOOL_MATERIALREF",
        "T_TRNK_TOOL_PARTREF", "T_TRNK_CUTTER_MATERIALREF", "T_TRNK_CUTTER_PARTREF", "T_TRNK_INSERT_PARTREF",
        "T_TRNK_INSERT_MATERIALREF", "T_TRNK_CUTTER_CRIB", "T_TRNK_INSERT_CRIB", "T_TRNK_GAUGE_PO",
        "T_TRNK_TOOL_PO", "T_TRNK_CUTTERS_PER_PO", "T_TRNK_GAUGES_PER_PO", "T_TRNK_INSERTS_PER_PO",
        "T_TRNK_TOOLS_PER_PO", "T_TRNK_GAUGES", "T_TRNK_CALHIST", "T_TRNK_CAL_SET", "T_TRNK_CALIBRATE",
        "T_TRNK_IRR", "T_TRNK_TOOLS", "T_TRNK_REWORKHIST", "T_TRNK_TOOL_CAL_SET", "T_TRNK_REWORK",
        "T_TRNK_TOOL_IRR", "T_TRNK_KIT", "T_TRNK_KIT_COMPONENT", "T_TRNK_TRAVELER", "T_TRNK_CUST_TRAV",
        "T_TRNK_OPSPERTRAV", "T_TRNK_FPS", "T_TRNK_CUTTERPEROP", "T_TRNK_GAUGEPEROP", "T_TRNK_INSPEROP",
        "T_TRNK_INSERTPEROP", "T_TRNK_KITPEROP", "T_TRNK_MACHINEPEROP", "T_TRNK_MATERIALPEROP",
        "T_TRNK_PARTPEROP", "T_TRNK_TOOLPEROP", "T_TRNK_PARTTYPE_REF_DIM", "T_TRNK_PART_REF_DIM",
        "T_TRNK_SHIFT_HISTORY", "T_TRNK_DOWNTIME_SHIFT_HISTORY", "T_TRNK_SCRAP_CODE_SH", "T_TRNK_SH_BUFFER",
        "T_TRNK_DT_SH_BUFFER", "T_TRNK_SCRAP_CODE_SH_BUFFER", "T_TRNK_HISTORY", "T_TRNK_IC_HISTORY",
        "T_TRNK_MAINTENANCE_HISTORY", "T_TRNK_MEDIASRC", "T_TRNK_MEDIADEST", "T_TRNK_OBJECT", "T_TRNK_ACL",
        "T_TRNK_AUTO_INC", "T_TRNK_API_FUNCTION", "T_TRNK_OPTIONS",
    };
    // clang-format on
    return tables;
}

std::string_view MappingColumnType(db::Dialect dialect) {
    return dialect == db::Dialect::Oracle ? "NUMBER(10,0)" : "INTEGER";
}

const std::vector<std::string>& PrepareStatements(db::Dialect dialect) {
    if (dialect == db::Dialect::Oracle) {
        static const std::vector<std::string> list = BuildList(db::Dialect::Oracle);
        return list;
    }
    // Access and SQL Server both write the column as INTEGER.
    static const std::vector<std::string> list = BuildList(db::Dialect::Access);
    return list;
}

}  // namespace tmigration::transfer
