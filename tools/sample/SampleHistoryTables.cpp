// The sample plant's history, attachments, number formats, options and permissions. History and
// attachments point at rows of many kinds of owner through a legacy table code; an owner whose table
// the plant does not have is left out until it has, so a new kind of owner is one line in a list.
// History and attachments are written with deleted rows (unused ids, now and then a whole hundred)
// and with targets that no longer exist.
#include <algorithm>
#include <array>

#include "legacy/seeds/SecurityObjects.h"
#include "sample/SampleColumns.h"
#include "sample/SamplePlant.h"

namespace tmigration::sample {
namespace {

using db::Value;

// A kind of owner: the legacy table code a polymorphic row names it by, and the table its target
// ids are rows of (for the records of a traveler's operations, the traveler itself).
struct Owner {
    std::int64_t code;
    std::string_view table;
};

constexpr Owner kHistoryOwners[] = {
    {5, "T_TRNK_PART"},
    {6, "T_TRNK_OPS"},
    {12, "T_TRNK_CUSTOMER"},
    {50, "T_TRNK_MATERIALTYPE"},
    {68, "T_TRNK_MATERIAL"},
    {71, "T_TRNK_PARTTYPE"},
    {77, "T_TRNK_COMMANDS"},
    {78, "T_TRNK_GROUPS"},
    {79, "T_TRNK_MACHINES"},
    {83, "T_TRNK_EVENTS"},
    {93, "T_TRNK_DEPT"},
    {94, "T_TRNK_PERS"},
    {95, "T_TRNK_VENDOR"},
    {96, "T_TRNK_LOCATION"},
    {105, "T_TRNK_USERGROUP"},
    {113, "T_TRNK_SHIFT"},
    {125, "T_TRNK_JOB"},
    {126, "T_TRNK_DOWNTIME"},
    {248, "T_TRNK_REASON"},
    {259, "T_TRNK_SCRAP_CODE"},
    {3, "T_TRNK_TRAVELER"},
    {43, "T_TRNK_TRAVELER"},
    {157, "T_TRNK_TRAVELER"},
    {37, "T_TRNK_GAUGES"},
    {54, "T_TRNK_GAUGE_NO"},
    {52, "T_TRNK_TOOL_NO"},
    {169, "T_TRNK_TOOLS"},
    {156, "T_TRNK_CUTTER_NO"},
    {120, "T_TRNK_INSERT_NO"},
    {222, "T_TRNK_KIT_NO"},
    {4, ""},  // a legacy table without a new one: its history is not carried over
};

constexpr Owner kCutterAndInsertOwners[] = {{156, "T_TRNK_CUTTER_NO"}, {120, "T_TRNK_INSERT_NO"}};

constexpr Owner kAttachmentOwners[] = {
    {5, "T_TRNK_PART"},
    {68, "T_TRNK_MATERIAL"},
    {79, "T_TRNK_MACHINES"},
    {125, "T_TRNK_JOB"},
    {12, "T_TRNK_CUSTOMER"},
    {6, "T_TRNK_OPS"},
    {94, "T_TRNK_PERS"},
    {95, "T_TRNK_VENDOR"},
    {71, "T_TRNK_PARTTYPE"},
    {96, "T_TRNK_LOCATION"},
    {3, "T_TRNK_TRAVELER"},
    {37, "T_TRNK_GAUGES"},
    {54, "T_TRNK_GAUGE_NO"},
    {52, "T_TRNK_TOOL_NO"},
    {55, "T_TRNK_GAUGE_TYPE"},
    {67, "T_TRNK_TOOL_TYPE"},
    {200, ""},
};

// The owners whose tables the plant has; an owner without a table stands for untranslatable codes.
template <std::size_t N>
std::vector<const Owner*> OwnersIn(const Plan& plan, const Owner (&owners)[N]) {
    std::vector<const Owner*> present;
    for (const Owner& owner : owners)
        if (owner.table.empty() || plan.Has(owner.table)) present.push_back(&owner);
    if (present.empty()) present.push_back(&owners[0]);
    return present;
}

template <std::size_t N>
ColumnGenerator OwnerCode(const Owner (&owners)[N]) {
    return [&owners](Cell& cell) {
        const auto present = OwnersIn(cell.GetPlan(), owners);
        return Value(
            present[static_cast<std::size_t>(cell.Below(static_cast<std::int64_t>(present.size())))]->code);
    };
}

// A row of the owner named by the row's own code column; now and then one deleted since, or, for an
// owner of another kind, any id. `spread` keeps targets among the first rows so that a record
// gets several rows.
template <std::size_t N>
ColumnGenerator OwnerTarget(std::string_view ownTable, std::string_view codeColumn, const Owner (&owners)[N],
                            std::int64_t spread = 1) {
    return [ownTable, codeColumn, &owners, spread](Cell& cell) {
        const Plan& plan = cell.GetPlan();
        const std::int64_t code = plan.ValueOf(ownTable, codeColumn, cell.Row()).AsInteger();
        const auto it = std::find_if(std::begin(owners), std::end(owners),
                                     [&](const Owner& o) { return o.code == code; });
        const std::int64_t rows =
            it != std::end(owners) && !it->table.empty() && plan.Has(it->table) ? plan.Rows(it->table) : 0;
        if (rows == 0 || cell.Percent(10)) return Value(static_cast<long long>(rows + cell.Between(1, 50)));
        return Value(static_cast<long long>(cell.Between(1, std::max<std::int64_t>(1, rows / spread))));
    };
}

// History rows per unit of scale, and the ids of each such block never used: one in nine, and two
// whole hundreds, so that some batches are empty. The same in every block keeps the plant's size
// linear in the scale.
constexpr std::int64_t kHistoryPerScale = 2500;
bool DeletedHistory(std::int64_t row) {
    const std::int64_t r = (row - 1) % kHistoryPerScale;
    return r % 9 == 4 || r / 100 == 5 || r / 100 == 17;
}
constexpr std::int64_t kAttachmentsPerScale = 150;
bool DeletedAttachment(std::int64_t row) {
    return (row - 1) % kAttachmentsPerScale % 13 == 7;
}

// The administrators' rights the installation wrote: each product's group on each of its objects.
std::int64_t InstalledRights() {
    std::int64_t rows = 0;
    for (legacy::Module m :
         {legacy::Module::Traveler, legacy::Module::Gage, legacy::Module::Tool, legacy::Module::MDC})
        rows += legacy::SecurityOf(m).objectCount;
    return rows;
}

// Rights of each legacy administrator group on other products' objects, all on objects that have a
// new counterpart: (SID, first object, last object) runs, each SID's objects distinct.
struct RightsRun {
    std::int64_t sid, first, last;
};
constexpr RightsRun kAdministratorRights[] = {
    {1, 6145, 6180}, {1, 4098, 4113},                   // Travelers administrators on MDC and tool crib
    {4, 6, 16},      {4, 18, 25},     {4, 4115, 4137},  // MDC administrators on Travelers and tool crib
    {2, 27, 38},     {2, 6145, 6160},                   // the crib administrators on Travelers and MDC
    {3, 27, 38},     {3, 6161, 6176},
};

std::int64_t AdministratorRightsCount() {
    std::int64_t n = 0;
    for (const RightsRun& run : kAdministratorRights) n += run.last - run.first + 1;
    return n;
}

// The administrator right of the k-th row after the installed ones, or nullptr past them.
const RightsRun* AdministratorRun(std::int64_t& k) {
    for (const RightsRun& run : kAdministratorRights) {
        if (k <= run.last - run.first) return &run;
        k -= run.last - run.first + 1;
    }
    return nullptr;
}

// Every security object of the four products, in one list the other holders' rights are drawn from.
std::int64_t ObjectAt(std::int64_t index) {
    for (legacy::Module m :
         {legacy::Module::Traveler, legacy::Module::Gage, legacy::Module::Tool, legacy::Module::MDC}) {
        const auto& product = legacy::SecurityOf(m);
        if (index < product.objectCount) return product.blockFirst + index;
        index -= product.objectCount;
    }
    return -1;
}
constexpr std::int64_t kAllObjects = 232 + 182 + 273 + 171;

// A right's (SID, object): the administrators' rights first, then those of the plant's own groups
// and users, each holder's objects distinct (37 and the object count have no common factor).
std::pair<std::int64_t, std::int64_t> Right(const Plan& plan, std::int64_t row) {
    std::int64_t k = row - InstalledRights() - 1;
    if (const RightsRun* run = AdministratorRun(k)) return {run->sid, run->first + k};
    const std::int64_t groups = plan.Rows("T_TRNK_USERGROUP"),
                       holders = groups - 4 + plan.Rows("T_TRNK_PERS");
    const std::int64_t holder = k % holders, round = k / holders;
    const std::int64_t sid = holder < groups - 4 ? holder + 5 : groups + holder - (groups - 4) + 1;
    return {sid, ObjectAt((round * 37 + holder * 11) % kAllObjects)};
}

ColumnGenerator RightSid() {
    return [](Cell& cell) { return Value(static_cast<long long>(Right(cell.GetPlan(), cell.Row()).first)); };
}
ColumnGenerator RightObject() {
    return [](Cell& cell) { return Value(static_cast<long long>(Right(cell.GetPlan(), cell.Row()).second)); };
}

const std::vector<std::string> kDrawingWords = {"Drawing", "Setup sheet", "Work instruction", "Photo",
                                                "CNC program"};

}  // namespace

namespace {

// The installed option rows take the plant's values.
std::vector<std::string> ChangedOptions(const Plan& plan) {
    std::vector<std::string> sql;
    for (std::int64_t row = 1; row <= 2; ++row) {
        const auto value = [&](const char* column) {
            return plan.ValueOf("T_TRNK_OPTIONS", column, row).AsText();
        };
        sql.push_back("UPDATE T_TRNK_OPTIONS SET RES_ID = " + value("RES_ID") +
                      ", PTYPE_ID = " + value("PTYPE_ID") + ", BOOL_VAL = " + value("BOOL_VAL") +
                      " WHERE APP_ID = " + value("APP_ID") + " AND OPTION_VALUE = " + value("OPTION_VALUE"));
    }
    return sql;
}

}  // namespace

std::vector<TableSpec> SampleHistoryTables() {
    std::vector<TableSpec> tables = {
        {"T_TRNK_HISTORY",
         {0, kHistoryPerScale},
         {{"SUBTYPE_ID", OwnerCode(kHistoryOwners)},
          {"TARGET_ID", OwnerTarget("T_TRNK_HISTORY", "SUBTYPE_ID", kHistoryOwners)},
          {"ACTION_ID", OneOf({7, 8, 10, 13, 75, 233, 144, 146, 39, 181, 134, 36, 41, 42, 28, 29, 34, 104, 104, 65,
                               53, 11, 23, 57, 62, 64, 200})},
          {"MODIFIED_BY_ID", Ref("T_TRNK_PERS")},
          {"HISTORY_DATE", When(1500)},
          {"CHILD_COUNT", Const(0)},
          {"APP_NAME", OneOf({"TRAVELER", "MDC", "TOOLING", "GAUGING", Value(), "Tooling"})},
          {"PURGE_NAME", OrNull(70, Name({"Bracket", "Shaft", "Cell", "Lathe"}, 90))},
          {"DESCRIPTION", Notes()}}},
        {"T_TRNK_IC_HISTORY",
         {0, 100},
         {{"TABLE_ID", OwnerCode(kCutterAndInsertOwners)},
          {"TARGET_ID", OwnerTarget("T_TRNK_IC_HISTORY", "TABLE_ID", kCutterAndInsertOwners)},
          {"ACTION_ID", OneOf({75, 142, 189, 233, 144, 146, 187, 39, 181, 134, 179, 210, 219, 11})},
          {"MODIFIED_BY_ID", Ref("T_TRNK_PERS")},
          {"HISTORY_DATE", When(1500)},
          {"QTY", OrNull(10, Int(1, 50))},
          {"MACHINE_ID", OrNull(30, Ref("T_TRNK_MACHINES"))},
          {"USER_ID", OrNull(20, Ref("T_TRNK_PERS"))},
          {"NOTES", Notes()}}},
        {"T_TRNK_MAINTENANCE_HISTORY",
         {0, 200},
         {{"CHART_DATE", When(1500)},
          {"REASON_ID", OrNull(10, Ref("T_TRNK_REASON"))},
          {"MACHINE_ID", OrNull(5, Ref("T_TRNK_MACHINES"))},
          {"USER_ID", OrNull(20, Ref("T_TRNK_PERS"))},
          {"DURATION", OrNull(10, Money(0.25, 12))},
          {"START_TIME", OrNull(20, When(1500))},
          {"STOP_TIME", OrNull(30, When(1500))},
          {"NOTES", Notes()}}},
        {"T_TRNK_MEDIASRC",
         {0, 60},
         {{"FILEPATHNAME", Numbered("\\\\files\\plant docs\\O'Neil %06lld.pdf")}, {"PTYPE_ID", OneOf({56, 56, 57, 57, 58})}}},
        {"T_TRNK_MEDIADEST",
         {0, kAttachmentsPerScale},
         {{"MEDIASRC_ID", Ref("T_TRNK_MEDIASRC")},
          {"TABLE_ID", OwnerCode(kAttachmentOwners)},
          {"TARGET_ID", OwnerTarget("T_TRNK_MEDIADEST", "TABLE_ID", kAttachmentOwners, 4)},
          {"MEDIA_ORDINAL", Int(1, 20)},
          {"PTYPE_ID", OneOf({56, 57})},
          {"RESTRICTED", OneOf({"YES", "NO", Value(), "yes"})},
          {"MEDIA_TYPE", OneOf({"WORK", "SETUP", "BOTH", Value(), "OTHER"})},
          {"BS_FLAG", Int(0, 1)},
          {"MEDIADEST_NAME", OrNull(30, Name(kDrawingWords, 40))},
          {"NOTES", Notes()}}},
        // Number formats of each numbered entity; two that are not done, one for a table and one for
        // a field the new schema numbers otherwise.
        {"T_TRNK_AUTO_INC",
         {12, 0},
         {{"TABLE_ID", Listed({3, 5, 52, 54, 68, 120, 125, 156, 222, 5, 94, 125})},
          {"FIELD_NAME", Listed({"TRAVELER_NUMBER", "PART_NUMBER", "TOOL_NO", "GAUGE_NO", "MATERIAL_NUMBER",
                                 "INSERT_NO_NUMBER", "JOB_NUMBER", "CUTTER_NO_NUMBER", "KIT_NO", "USER_REV",
                                 "PERSONNEL_NUMBER", "SERIAL_NO"})},
          {"IS_DONE", Listed({"Y", "Y", "Y", "Y", "N", "Y", "Y", Value(), "Y", "Y", "Y", Value()})},
          {"FORMAT_STRING", Listed({"TRV-#####", "P-######", "T'##", "G-####", "M ####", "I-###", "J-######",
                                    "C-###", "K-##", "A", "E#####", "S-####"})},
          {"NEXT_NUMBER", Listed({"17", "100234", "5", "412", "0001", "9", "240061", "3", "12", "B", "60", "1"})}}},
        // The two machine-data options: the installation wrote them, the plant changed both.
        {"T_TRNK_OPTIONS",
         {2, 0},
         {{"APP_ID", Const(31)},
          {"OPTION_VALUE", Listed({1, 2})},
          {"RES_ID", Listed({5101, 5102})},
          {"PTYPE_ID", Const(5)},
          {"BOOL_VAL", Listed({1, -1})}},
         {},
         2,
         {},
         ChangedOptions},
        {"T_TRNK_ACL",
         {InstalledRights() + AdministratorRightsCount(), 200},
         {{"SID", RightSid()},
          {"OBJECT_ID", RightObject()},
          {"PERMISSION", [](Cell& cell) {
               if (cell.Row() <= InstalledRights() + AdministratorRightsCount()) return Value(cell.Percent(70) ? 7 : 0);
               static const long long kPermissions[] = {7, 7, 7, 0, 3};
               return Value(kPermissions[cell.Below(5)]);
           }},
          {"PERMISSION_NAME", OrNull(20, OneOf({"Full Control", "No Access"}))}},
         {},
         InstalledRights()},
    };
    tables[0].absent = DeletedHistory;
    tables[4].absent = DeletedAttachment;
    return tables;
}

}  // namespace tmigration::sample
