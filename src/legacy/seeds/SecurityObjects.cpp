#include "legacy/seeds/SecurityObjects.h"

#include <iterator>
#include <span>
#include <stdexcept>

namespace tmigration::legacy {
namespace {

struct NamedObject {
    std::string_view name;
    std::int32_t category;  // 1 new, 2 edit, 3 delete, 4 view or crib work, 5..8 reports and charts, 9 other
};

// The MDC objects 6145..6315, in identifier order.
constexpr NamedObject kMDCObjects[] = {
    {"New Department", 1},
    {"New Location", 1},
    {"New Group", 1},
    {"New Machine", 1},
    {"New Vendor", 1},
    {"New User Group", 1},
    {"New User", 1},
    {"Edit Department", 2},
    {"Edit Location", 2},
    {"Edit Group", 2},
    {"Edit Machine", 2},
    {"Edit Vendor", 2},
    {"Edit User Group", 2},
    {"Edit User", 2},
    {"Delete User Group", 3},
    {"Delete Vendor", 3},
    {"Delete Machine", 3},
    {"Delete Department", 3},
    {"Delete Group", 3},
    {"Delete Location", 3},
    {"Print Reports", 6},
    {"Print Setup", 6},
    {"Machine History Report", 5},
    {"Permissions Report", 7},
    {"Vendors Report", 7},
    {"Departments Report", 7},
    {"Locations Report", 7},
    {"Groups Report", 7},
    {"Machines Report", 7},
    {"User Groups Report", 7},
    {"Users Report", 7},
    {"Purged Items Report", 7},
    {"External Edits Report", 7},
    {"Assign Users To User Group", 9},
    {"Assign Permissions", 9},
    {"Access System Info From About Dialog", 9},
    {"Make Database Transactions", 9},
    {"New Command", 1},
    {"Edit Command", 2},
    {"Delete Command", 3},
    {"Cycles and Parts", 8},
    {"Delete Collected Data", 3},
    {"Event Time Analyis", 8},
    {"New Custom Event", 1},
    {"Performance Ranking", 8},
    {"Trend Analysis", 8},
    {"Job Barcodes Report", 7},
    {"Average Cycle Time Report", 7},
    {"New Operation Time Event", 1},
    {"Command History Report", 5},
    {"View Scrap Code", 4},
    {"Scrap Code History Report", 5},
    {"Scrap Codes Report", 7},
    {"Vendor History Report", 5},
    {"Department History Report", 5},
    {"Location History Report", 5},
    {"Group History Report", 5},
    {"Commands Report", 7},
    {"Scrap Code Summary", 8},
    {"Scrap Code Summary Report", 7},
    {"Parts Per Job Summary Report", 7},
    {"New Part", 1},
    {"New Part Type", 1},
    {"View Usergroup", 4},
    {"New Operation", 1},
    {"Edit Part", 2},
    {"Edit Part Type", 2},
    {"View User", 4},
    {"Edit Operation", 2},
    {"Delete Part", 3},
    {"Delete Part Type", 3},
    {"View Parttype", 4},
    {"Delete Operation", 3},
    {"Part History Report", 5},
    {"Part Type History Report", 5},
    {"View Part", 4},
    {"Operation History Report", 5},
    {"Parts Report", 7},
    {"Part Types Report", 7},
    {"Operation Report", 7},
    {"Good vs. Scrapped", 8},
    {"New Shift", 1},
    {"Edit Shift", 2},
    {"Delete Shift", 3},
    {"Shift History Report", 5},
    {"Shifts Report", 7},
    {"Assign Shifts To Components", 9},
    {"Good Parts Summary", 8},
    {"Machine Downtime Summary", 8},
    {"Productivity Summary", 8},
    {"New Shift Summary", 1},
    {"Fix Data Collection Errors", 9},
    {"Hours Summary", 8},
    {"New Job", 1},
    {"Edit Job", 2},
    {"Delete Job", 3},
    {"Job History Report", 5},
    {"Jobs Report", 7},
    {"New Customer", 1},
    {"Edit Customer", 2},
    {"Delete Customer", 3},
    {"Customer History Report", 5},
    {"Customers Report", 7},
    {"Shift Summary Report", 7},
    {"Production Details Report", 7},
    {"Delete User", 3},
    {"Cycle Time Analysis", 8},
    {"New Cycle Time Event", 1},
    {"New Machine Down Time Event", 1},
    {"New Job Time Event", 1},
    {"New Machine Logon Event", 1},
    {"New Setup Time Event", 1},
    {"New User Down Time Event", 1},
    {"Machine Status Report", 7},
    {"Machine Events Report", 7},
    {"Machine Time Report", 7},
    {"Set Custom Logo for Reports", 9},
    {"User History Report", 5},
    {"User Group History Report", 5},
    {"History By User Report", 5},
    {"User Groups Per User Report", 7},
    {"Release Job to Shop Floor", 9},
    {"Finish Job", 9},
    {"Command Summary Report", 7},
    {"Job Summary Report", 7},
    {"Part Change/Idle Time Analysis", 8},
    {"Time and Attendance Report", 7},
    {"Production Trend Analysis", 8},
    {"Edit Part Number Format", 2},
    {"Edit Job Number Format", 2},
    {"View Customer", 4},
    {"View Job", 4},
    {"View Operation", 4},
    {"View Vendor", 4},
    {"View Command", 4},
    {"New Scrap Code", 1},
    {"Edit Scrap Code", 2},
    {"Delete Scrap Code", 3},
    {"View Department", 4},
    {"View Location", 4},
    {"View Group", 4},
    {"View Machine", 4},
    {"New Downtime Code", 1},
    {"New Reason Code", 1},
    {"Edit Downtime Code", 2},
    {"Edit Reason Code", 2},
    {"Delete Downtime Code", 3},
    {"Delete Reason Code", 3},
    {"View Downtime Code", 4},
    {"View Reason Code", 4},
    {"Downtime Code History Report", 5},
    {"Reason Code History Report", 5},
    {"Downtime Codes Report", 7},
    {"Reason Codes Report", 7},
    {"Other Machine Planned Downtime Summary", 8},
    {"Other Machine Unplanned Downtime Summary", 8},
    {"Maintenance Summary Chart", 8},
    {"New Machine Service Summary", 1},
    {"Machine Service Report", 7},
    {"History By Application Report", 5},
    {"User Downtime Summary", 8},
    {"Other User Planned Downtime Summary", 8},
    {"Other User Unplanned Downtime Summary", 8},
    {"New Good Part Count Event", 1},
    {"New Scrapped Part Count Event", 1},
    {"Parts Per Job Report", 7},
    {"New Part Time Event", 1},
    {"View Machine Status", 4},
    {"Finished Cycles vs. Unfinshed Cycles", 8},
    {"Automatic Part Start/Stop", 9},
    {"Single/Multiple Parts Per Job", 9},
};

// The traveler, gage and tool objects are known by the entries below (identifier, name, category);
// identifiers between two entries carry a generic name and a category interpolated between the
// two, so that every object of a product is a real, categorised object of that product.
struct ObjectEntry {
    std::int32_t id;
    std::string_view name;
    std::int32_t category;
};

constexpr ObjectEntry kTravelerEntries[] = {
    {1, "New Customer", 1},
    {232, "PPM Preview", 10},
};

constexpr ObjectEntry kGageEntries[] = {
    {2049, "New Gage Order", 1},          {2065, "Edit Gage Serial Number", 2},
    {2082, "Edit Part Number Format", 2}, {2090, "Delete Gage Number", 3},
    {2110, "Check-Out Gage", 4},          {2216, "Gage Inventory Chart", 8},
    {2224, "Assign Permissions", 9},      {2230, "Transfer Crib Contents", 9},
};

constexpr ObjectEntry kToolEntries[] = {
    {4097, "New Existing Tool", 1},
    {4098, "New Crib Location", 1},
    {4368, "Reclassify Tools", 9},
    {4369, "Transfer Crib Contents", 9},
};

const ProductSecurity kProducts[] = {
    {Module::Traveler, "Traveler", 1, 2048, 232, 40, 1, "RESERVED4",
     "Filling Old Traveler Security Objects...", "Initializing Old Traveler Administrator Group..."},
    {Module::Gage, "Gage Crib", 2049, 4096, 182, 41, 2, "RESERVED5",
     "Filling Old Gage Crib Security Objects...", "Initializing Old Gage Crib Administrator Group..."},
    {Module::Tool, "Tool Crib", 4097, 6144, 273, 42, 3, "RESERVED6",
     "Filling Old Tool Crib Security Objects...", "Initializing Old Tool Crib Administrator Group..."},
    {Module::MDC, "MDC", 6145, 8192, 171, 43, 4, "RESERVED7", "Filling Old MDC Security Objects...",
     "Initializing Old MDC Administrator Group..."},
};

NamedObject FromEntries(std::span<const ObjectEntry> entries, std::string_view product, std::int32_t id) {
    for (std::size_t k = 0; k < entries.size(); ++k) {
        if (entries[k].id == id) return {entries[k].name, entries[k].category};
        if (k + 1 < entries.size() && id < entries[k + 1].id) {
            const ObjectEntry& low = entries[k];
            const ObjectEntry& high = entries[k + 1];
            const std::int32_t category =
                low.category + (high.category - low.category) * (id - low.id) / (high.id - low.id);
            static thread_local std::string name;
            name = std::string(product) + " Function " + std::to_string(id);
            return {name, category};
        }
    }
    throw std::out_of_range("no security object " + std::to_string(id));
}

// RES_ID: the string resource of the object's display text.
std::int32_t ResourceOf(Module module, std::int32_t id) {
    switch (module) {
        case Module::Traveler:
            return 5391 + id;
        case Module::Gage:
            return 5628 + (id - 2048);
        case Module::MDC:
            // The last two objects came with the job options and have resources next to theirs.
            return id <= 6313 ? 4958 + (id - 6144) : 5820 + (id - 6314);
        default:
            return 0;
    }
}

}  // namespace

const ProductSecurity& SecurityOf(Module module) {
    for (const ProductSecurity& p : kProducts)
        if (p.module == module) return p;
    throw std::invalid_argument("the Common module owns no security objects");
}

const ProductSecurity& SecurityOwning(std::int32_t objectId) {
    for (const ProductSecurity& p : kProducts)
        if (objectId >= p.blockFirst && objectId <= p.blockLast) return p;
    throw std::out_of_range("no security object " + std::to_string(objectId));
}

std::string SecurityObjectText(const ProductSecurity& product, std::int32_t objectId) {
    if (objectId < product.blockFirst || objectId > product.LastObject())
        throw std::out_of_range("no " + std::string(product.product) + " security object " +
                                std::to_string(objectId));
    NamedObject object;
    switch (product.module) {
        case Module::MDC:
            object = kMDCObjects[objectId - product.blockFirst];
            break;
        case Module::Traveler:
            object = FromEntries(kTravelerEntries, "Traveler", objectId);
            break;
        case Module::Gage:
            object = FromEntries(kGageEntries, "Gage Crib", objectId);
            break;
        default:
            object = FromEntries(kToolEntries, "Tool Crib", objectId);
            break;
    }
    std::string text = std::string(object.name) + "," + std::to_string(product.ptype) + "," +
                       std::to_string(object.category);
    if (product.module != Module::Tool) text += ",0," + std::to_string(ResourceOf(product.module, objectId));
    return text;
}

std::string ReservedObjectText(const ProductSecurity& product, std::int32_t objectId) {
    return "Reserved for " + std::string(product.product) + std::to_string(objectId) + "," +
           std::to_string(product.ptype) + ",0,0";
}

}  // namespace tmigration::legacy
