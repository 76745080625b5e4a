// The organisation and reference transfers. They run first, since every later transfer translates
// keys into these tables. All but the membership transfer are plain declarations.
#include <string>

#include "core/Step.h"
#include "transfer/BuiltTransfers.h"
#include "transfer/GetNewID.h"
#include "util/VbConversions.h"

namespace tmigration::transfer {
namespace {

using Read = CodeTable::Read;

// Legacy product types: the gage and tool cribs, the machine-data product, user types of people.
constexpr int kGageCrib = 4, kToolCrib = 8, kMachineData = 5, kPersonnelTypes = 12;

// Built-in machine commands 1 to 13 and the command type each one is.
constexpr std::pair<std::int64_t, std::int64_t> kBuiltInCommands[] = {
    {1, 1},  {2, 2},  {3, 3},   {4, 5},   {5, 9},  {6, 8},  {7, 4},
    {8, 11}, {9, 12}, {10, 13}, {11, 14}, {12, 6}, {13, 7},
};

// The type of the seeded user group that built-in legacy groups 1 and 4 become, and the one
// receiving the members of legacy groups 2 and 3.
constexpr std::int64_t kMergedMembersGroupType = 3;

const CodeTable kYesFlag{Read::Text, {{"Y", 1}}, 0};
const CodeTable kPlanned{Read::Text, {{"Y", 1}, {"N", 0}}};
const CodeTable kUserStatus{Read::Number, {{30, 1}, {31, 0}}};
const CodeTable kMachineStatus{Read::Number, {{34, 0}, {35, 2}, {36, 1}, {37, 3}}};
const CodeTable kJobStatus{Read::Number, {{73, 0}, {74, 1}, {75, 2}}};
const CodeTable kMaterialType{Read::Number, {{45, 0}, {46, 1}, {47, 2}}};
const CodeTable kDowntimeType{Read::Number, {{kMachineData, 0}, {6, 1}, {33, 2}}};
const CodeTable kScrapType{Read::Number, {{1, 0}}, 1};

const CodeTable& CommandType() {
    static const CodeTable table = [] {
        CodeTable t{Read::Number, {}, 0};
        for (const auto& [id, type] : kBuiltInCommands) t.codes.emplace_back(id, type);
        return t;
    }();
    return table;
}

SeedMerge CommandSeeds() {
    SeedMerge merge{"COMMAND_ID", "COMMAND_TYPE_CODE", {}};
    for (const auto& seed : kBuiltInCommands) merge.seeds.push_back(seed);
    return merge;
}

// "select * from <table> " + " where (<key> <= <last built-in> or <key> > 512)": the built-in rows
// and the user's own, without the reserved range between them.
std::string OutsideReservedRange(const std::string& table, const std::string& key, int lastBuiltIn) {
    return "select * from " + table + " " + " where (" + key + " <= " + std::to_string(lastBuiltIn) + " or " +
           key + " > " + std::to_string(512) + ")";
}

std::string LocationsOfProduct(const std::string& condition) {
    return "select * from T_TRNK_LOCATION " + std::string(" where PTYPE_ID = ") + condition;
}

// The address block customers and vendors share; the legacy phone columns are numbered from one
// lower.
std::vector<Column> AddressBlock(std::string_view number) {
    return {Same(number),
            Same("COMPANY_NAME"),
            Same("FIRST_NAME"),
            Same("LAST_NAME"),
            Same("ADDRESS_LINE_1"),
            Same("ADDRESS_LINE_2"),
            Same("CITY"),
            Same("STATE"),
            Same("ZIP_CODE"),
            Same("COUNTRY"),
            Copy("PHONE1", "PHONE"),
            Copy("PHONE2", "PHONE1"),
            Copy("PHONE3", "PHONE2"),
            Copy("PHONE4", "PHONE3"),
            Same("FAX"),
            Same("COUNTRY_CODE"),
            Same("EMAIL"),
            Same("WEB_SITE"),
            Same("NOTES")};
}

// Memberships: those of legacy groups 2 and 3 go, once per user, to the seeded group of type 3.
RowWriter MembershipWriter(core::Step& step) {
    db::Recordset& seeded =
        step.OpenClient("select USERGROUP_ID " + std::string(" from T_SFC_USERGROUP ") +
                        " where USERGROUP_TYPE_CODE = " + std::to_string(kMergedMembersGroupType));
    const db::Value mergedGroup = seeded.Get("USERGROUP_ID");
    step.Close(seeded);
    return [mergedGroup](TransferRow& row) {
        const std::int32_t user =
            util::CLng(GetNewID("T_TRNK_PERS", "PERSONNEL_ID", row.legacy.Get("PERS_ID")));
        const db::Value& legacyGroup = row.legacy.Get("USERGROUP_ID");
        const std::int64_t legacyGroupId = legacyGroup.AsInteger();
        std::int32_t group = 0;
        if (legacyGroupId != 2 && legacyGroupId != 3) {
            group = util::CLng(GetNewID("T_TRNK_USERGROUP", "USERGROUP_ID", legacyGroup));
        } else {
            group = util::CLng(mergedGroup);
            db::Recordset& members =
                row.step.OpenClient("select * from T_SFC_USER_PER_USERGROUP " +
                                    std::string(" where USERGROUP_ID = ") + std::to_string(group));
            members.Find("USER_ID = " + std::to_string(user));
            const bool alreadyMember = !members.Eof();
            row.step.Close(members);
            if (alreadyMember) {
                row.skipReason = "the user is already a member of the merged administrator group";
                return false;
            }
        }
        row.destination.AddNew();
        row.destination.Set("USERGROUP_ID", db::Value(group));
        row.destination.Set("USER_ID", db::Value(user));
        row.destination.Update();
        return true;
    };
}

std::vector<BuiltTransfer> Declarations() {
    std::vector<BuiltTransfer> transfers;
    const auto add = [&](std::string_view name, Transfer transfer) {
        transfers.push_back({name, Declared(std::move(transfer))});
    };
    // One pass of the common pattern: query, destination and its key, columns.
    const auto pass = [](std::string query, std::string_view destination, std::string_view key,
                         std::vector<Column> columns) {
        Pass p;
        p.query = std::move(query);
        p.destination = destination;
        p.key = key;
        p.columns = std::move(columns);
        return p;
    };

    add("MigrateShiftIntervals", {pass("select * from T_TRNK_INTERVAL", "T_SFC_INTERVAL", "INTERVAL_ID",
                                       {Same("INTERVAL_NAME"), Same("START_TIME"), Same("DURATION"),
                                        Same("STOP_TIME"), Coded("IS_SWING", "IS_SWING", kYesFlag)})});

    std::vector<Column> shift{Same("SHIFT_NUMBER"), Same("SHIFT_NAME")};
    for (std::string_view day : {"MON_INTERVAL_ID", "TUE_INTERVAL_ID", "WED_INTERVAL_ID", "THU_INTERVAL_ID",
                                 "FRI_INTERVAL_ID", "SAT_INTERVAL_ID", "SUN_INTERVAL_ID"})
        shift.push_back(Via(day, day, "T_TRNK_INTERVAL", "INTERVAL_ID"));
    shift.push_back(Same("DURATION"));
    shift.push_back(Coded("IS_SWING", "IS_SWING", kYesFlag));
    add("MigrateShifts", {pass("select * from T_TRNK_SHIFT", "T_SFC_SHIFT", "SHIFT_ID", shift)});

    add("MigrateJobTitles",
        {pass("select * from T_TRNK_USERTYPE" + std::string(" where PTYPE_ID = ") +
                  std::to_string(kPersonnelTypes),
              "T_SFC_JOBTITLE", "JOBTITLE_ID", {Copy("JOBTITLE_NAME", "USERTYPE_NAME")})});

    add("MigrateCustomers", {pass("select * from T_TRNK_CUSTOMER", "T_SFC_CUSTOMER", "CUSTOMER_ID",
                                  AddressBlock("CUSTOMER_NUMBER"))});
    add("MigrateVendors",
        {pass("select * from T_TRNK_VENDOR", "T_SFC_VENDOR", "VENDOR_ID", AddressBlock("VENDOR_NUMBER"))});

    add("MigrateDepartments", {pass("select * from T_TRNK_DEPT", "T_SFC_DEPT", "DEPT_ID",
                                    {Same("DEPT_NUMBER"), Same("DEPT_NAME"), Copy("TARNWICK_ID", "DEPT_ID"),
                                     Copy("NOTES", "DETAILS")})});

    // Machine-data locations become locations, crib locations cribs; both passes fill the same SFC_ID.
    Pass cribs =
        pass(LocationsOfProduct(std::to_string(kGageCrib) + " or PTYPE_ID = " + std::to_string(kToolCrib)),
             "T_SFC_CRIB", "CRIB_ID",
             {Copy("CRIB_NUMBER", "LOCATION_NUMBER"), Copy("CRIB_NAME", "LOCATION_NAME"),
              Copy("NOTES", "DETAILS")});
    cribs.label = "Migrating Crib Locations...";
    add("MigrateLocations",
        {pass(LocationsOfProduct(std::to_string(kMachineData)), "T_SFC_LOCATION", "LOCATION_ID",
              {Same("LOCATION_NUMBER"), Same("LOCATION_NAME"),
               Via("DEPT_ID", "DEPT_ID", "T_TRNK_DEPT", "DEPT_ID"), Copy("TARNWICK_ID", "LOCATION_ID"),
               Copy("NOTES", "DETAILS")}),
         cribs});

    add("MigrateGroups", {pass("select * from T_TRNK_GROUPS", "T_SFC_GROUP", "GROUP_ID",
                               {Same("GROUP_NUMBER"), Same("GROUP_NAME"),
                                Via("LOCATION_ID", "LOCATION_ID", "T_TRNK_LOCATION", "LOCATION_ID"),
                                Copy("TARNWICK_ID", "GROUP_ID"), Copy("NOTES", "DESCRIPTION")})});

    add("MigrateMachines",
        {pass("select * from T_TRNK_MACHINES", "T_SFC_MACHINE", "MACHINE_ID",
              {Same("MACHINE_NUMBER"), Same("MACHINE_NAME"),
               Via("GROUP_ID", "GROUP_ID", "T_TRNK_GROUPS", "GROUP_ID"),
               Coded("STATUS_CODE", "STATUS_ID", kMachineStatus), Same("STATUS_DATE"),
               Via("VENDOR_ID", "VENDOR_ID", "T_TRNK_VENDOR", "VENDOR_ID"), Same("COST_PER_HR"),
               Copy("TARNWICK_ID", "MACHINE_ID"), Copy("NOTES", "DESCRIPTION")})});

    // The stored password is copied as it is.
    add("MigrateUsers", {pass("select * from T_TRNK_PERS", "T_SFC_USER", "USER_ID",
                              {Copy("USER_NAME", "PERSONNEL_NUMBER"), Same("LAST_NAME"), Same("FIRST_NAME"),
                               Same("EMAIL"), Coded("STATUS_CODE", "STATUS_ID", kUserStatus),
                               Via("SHIFT_ID", "SHIFT_ID", "T_TRNK_SHIFT", "SHIFT_ID"),
                               Via("DEPT_ID", "DEPT_ID", "T_TRNK_DEPT", "DEPT_ID"),
                               Via("LOCATION_ID", "LOCATION_ID", "T_TRNK_LOCATION", "LOCATION_ID"),
                               Via("JOBTITLE_ID", "JOBTITLE_ID", "T_TRNK_USERTYPE", "USERTYPE_ID"),
                               Same("SID"), Same("PASSWORD"), Same("NOTES")})});

    add("MigrateMaterialTypes",
        {pass("select * from T_TRNK_MATERIALTYPE", "T_SFC_MATERIAL_TYPE", "MATERIAL_TYPE_ID",
              {Copy("MATERIAL_TYPE_NAME", "MATERIALTYPE_NAME"),
               Coded("MATERIAL_TYPE_CODE", "PTYPE_ID", kMaterialType), Copy("NOTES", "DESCRIPTION")})});

    add("MigrateMaterials",
        {pass("select * from T_TRNK_MATERIAL", "T_SFC_MATERIAL", "MATERIAL_ID",
              {Same("MATERIAL_NUMBER"), Same("MATERIAL_NAME"),
               Via("MATERIAL_TYPE_ID", "MATERIALTYPE_ID", "T_TRNK_MATERIALTYPE", "MATERIALTYPE_ID"),
               Same("BPRINT"), Copy("NOTES", "DETAIL")})});

    add("MigratePartTypes", {pass("select * from T_TRNK_PARTTYPE", "T_SFC_PART_TYPE", "PART_TYPE_ID",
                                  {Copy("PART_TYPE_NAME", "PARTTYPE_NAME"), Copy("NOTES", "DESCRIPTION")})});

    add("MigrateParts",
        {pass("select * from T_TRNK_PART", "T_SFC_PART", "PART_ID",
              {Same("PART_NUMBER"), Same("PART_NAME"),
               Via("PART_TYPE_ID", "PARTTYPE_ID", "T_TRNK_PARTTYPE", "PARTTYPE_ID"),
               AsText("REV", "REVISION"), Same("MODEL_NUMBER"), Same("BPRINT"), Copy("NOTES", "DETAIL")})});

    add("MigrateOperations", {pass("select * from T_TRNK_OPS", "T_SFC_OP", "OP_ID",
                                   {Copy("OP_NUMBER", "OPS_NUMBER"), Copy("OP_NAME", "OPS_NAME"),
                                    AsText("REV", "REVISION_NO"), Copy("NOTES", "REMARKS")})});

    add("MigrateDowntimeCodes",
        {pass(OutsideReservedRange("T_TRNK_DOWNTIME", "DOWNTIME_ID", 11), "T_SFC_DOWNTIME_CODE",
              "DOWNTIME_CODE_ID",
              {Copy("DOWNTIME_CODE_NUMBER", "DOWNTIME_NUMBER"), Copy("DOWNTIME_CODE_NAME", "DOWNTIME_NAME"),
               Coded("DOWNTIME_TYPE_CODE", "PTYPE_ID", kDowntimeType), Coded("PLANNED", "PLANNED", kPlanned),
               Same("NOTES")})});

    add("MigrateReasonCodes",
        {pass("select * from T_TRNK_REASON", "T_SFC_REASON_CODE", "REASON_CODE_ID",
              {Copy("REASON_CODE_NUMBER", "REASON_NUMBER"), Copy("REASON_CODE_NAME", "REASON_NAME"),
               Via("DOWNTIME_CODE_ID", "DOWNTIME_ID", "T_TRNK_DOWNTIME", "DOWNTIME_ID"), Same("NOTES")})});

    // Legacy scrap code 1 is the seeded default scrap code, the destination's first row.
    Pass scrap = pass(OutsideReservedRange("T_TRNK_SCRAP_CODE", "SCRAP_CODE_ID", 1), "T_SFC_SCRAP_CODE",
                      "SCRAP_CODE_ID",
                      {Same("SCRAP_CODE_NUMBER"), Same("SCRAP_CODE_NAME"),
                       Coded("SCRAP_CODE_TYPE_CODE", "SCRAP_CODE_ID", kScrapType), Same("NOTES")});
    scrap.merge = SeedMerge{"SCRAP_CODE_ID", "", {{1, 0}}};
    add("MigrateScrapCodes", {scrap});

    Pass commands =
        pass(OutsideReservedRange("T_TRNK_COMMANDS", "COMMAND_ID", 13), "T_SFC_COMMAND", "COMMAND_ID",
             {Same("COMMAND_NUMBER"), Same("COMMAND_NAME"),
              Coded("COMMAND_TYPE_CODE", "COMMAND_ID", CommandType()), Copy("TARNWICK_ID", "COMMAND_ID"),
              Copy("NOTES", "DESCRIPTION")});
    commands.merge = CommandSeeds();
    add("MigrateCommands", {commands});

    add("MigrateInspections",
        {pass("select * from T_TRNK_INSPECTION", "T_SFC_INSPECTION", "INSPECTION_ID",
              {Same("INSPECTION_NUMBER"), Same("INSPECTION_NAME"), Copy("NOTES", "DESCRIPTION")})});

    add("MigrateJobs",
        {pass("select * from T_TRNK_JOB", "T_SFC_JOB", "JOB_ID",
              {Same("JOB_NUMBER"), Same("JOB_NAME"),
               Via("CUSTOMER_ID", "CUSTOMER_ID", "T_TRNK_CUSTOMER", "CUSTOMER_ID"), Same("TARGET_START"),
               Same("TARGET_STOP"), Same("ACTUAL_START"), Same("ACTUAL_STOP"),
               Coded("STATUS_CODE", "STATUS_ID", kJobStatus), Same("NOTES")})});

    add("MigratePartsPerJob",
        {pass("select * from T_TRNK_PARTS_PER_JOB" + std::string(" order by JOB_ID, ORDINAL"),
              "T_SFC_PART_PER_JOB", "PART_PER_JOB_ID",
              {Via("JOB_ID", "JOB_ID", "T_TRNK_JOB", "JOB_ID"),
               Via("PART_ID", "PART_ID", "T_TRNK_PART", "PART_ID"), ZeroWhenNull("TARGET_QTY", "TARGET_QTY"),
               ZeroWhenNull("ACTUAL_QTY", "ACTUAL_QTY"), ZeroWhenNull("SCRAPPED_QTY", "SCRAPPED_QTY"),
               Ordinal("ORDINAL", "JOB_ID")})});

    add("MigrateEventRecords",
        {pass("select * from T_TRNK_EVENTS", "T_SFC_EVENT", "EVENT_ID",
              {Same("START_TIME"), Same("STOP_TIME"),
               Via("COMMAND_ID", "COMMAND_ID", "T_TRNK_COMMANDS", "COMMAND_ID"),
               Via("DEPT_ID", "DEPT_ID", "T_TRNK_DEPT", "DEPT_ID"),
               Via("LOCATION_ID", "LOCATION_ID", "T_TRNK_LOCATION", "LOCATION_ID"),
               Via("GROUP_ID", "GROUP_ID", "T_TRNK_GROUPS", "GROUP_ID"),
               Via("MACHINE_ID", "MACHINE_ID", "T_TRNK_MACHINES", "MACHINE_ID"), Same("PARAM1")})});

    // Built-in groups 1 and 4 take over the seeded groups of type 2 and 1; 2 and 3 are left to the
    // membership transfer.
    Pass groups = pass("select * from T_TRNK_USERGROUP " + std::string(" where USERGROUP_ID NOT IN (2,3)"),
                       "T_SFC_USERGROUP", "USERGROUP_ID", {Same("USERGROUP_NAME"), Same("SID")});
    groups.merge = SeedMerge{"USERGROUP_ID", "USERGROUP_TYPE_CODE", {{1, 2}, {4, 1}}};
    add("MigrateUserGroups", {groups});

    Pass memberships =
        pass("select * from T_TRNK_PERS_USERGROUP", "T_SFC_USER_PER_USERGROUP", "USER_PER_USERGROUP_ID", {});
    memberships.writer = MembershipWriter;
    add("MigrateUsersPerUserGroups", {memberships});

    add("MigrateMachineEvents",
        {pass("select * from T_TRNK_MACHINE_EVENTS", "T_SFC_MACHINE_EVENT", "MACHINE_EVENT_ID",
              {Via("MACHINE_ID", "MACHINE_ID", "T_TRNK_MACHINES", "MACHINE_ID"),
               Via("EVENT_ID", "EVENT_ID", "T_TRNK_EVENTS", "EVENT_ID"),
               Via("COMMAND_ID", "COMMAND_ID", "T_TRNK_COMMANDS", "COMMAND_ID")})});
    return transfers;
}

}  // namespace

const std::vector<BuiltTransfer>& OrganisationTransfers() {
    static const std::vector<BuiltTransfer> transfers = Declarations();
    return transfers;
}

}  // namespace tmigration::transfer
