#include "core/NumberLookups.h"

#include <stdexcept>

#include "core/RecordsetHelpers.h"
#include "util/VbConversions.h"

namespace tmigration::core {
namespace {

// The select that finds a key by number: head + number + tail.
struct NumberLookup {
    std::string head;
    std::string tail;
    std::string keyColumn;
};

const NumberLookup kPersonnel{"select * from T_TRNK_PERS  where PERSONNEL_NUMBER = '", "'", "PERSONNEL_ID"};
const NumberLookup kJob{"select * from T_TRNK_JOB  where JOB_NUMBER = '", "'", "JOB_ID"};
const NumberLookup kOperation{"select * from T_TRNK_OPS  where OPS_NUMBER = '", "'", "OPS_ID"};
const NumberLookup kPart{"select * from T_TRNK_PART  where PART_NUMBER = '", "'", "PART_ID"};
const NumberLookup kScrapCode{"select SCRAP_CODE_ID  from T_TRNK_SCRAP_CODE  where SCRAP_CODE_NUMBER = '",
                              "'", "SCRAP_CODE_ID"};

// Runs the lookup and hands its first row to `read`; false (nothing read) for an empty number
// or no row. Numbers go between quotes as they are.
template <class Read>
bool FindByNumber(const NumberLookup& lookup, const std::string& number, Read read) {
    if (number.empty()) return false;
    RecordsetPtr rs = OpenClientRecordset(lookup.head + number + lookup.tail);
    const bool found = !rs->Eof();
    if (found) read(*rs);
    CloseRecordset(rs);
    return found;
}

std::int32_t KeyByNumber(const NumberLookup& lookup, const std::string& number) {
    std::int32_t id = -1;
    FindByNumber(lookup, number, [&](db::Recordset& rs) { id = util::CLng(rs.Get(lookup.keyColumn)); });
    return id;
}

}  // namespace

std::int32_t GetPersonnelId(const std::string& personnelNumber) {
    return KeyByNumber(kPersonnel, personnelNumber);
}
std::int32_t GetJobId(const std::string& jobNumber) {
    return KeyByNumber(kJob, jobNumber);
}
std::int32_t GetOperationId(const std::string& operationNumber) {
    return KeyByNumber(kOperation, operationNumber);
}
std::int32_t GetScrapCodeId(const std::string& scrapCodeNumber) {
    return KeyByNumber(kScrapCode, scrapCodeNumber);
}

std::int32_t GetPartId(const std::string& partNumber, std::int32_t& partTypeId) {
    std::int32_t partId = -1;
    partTypeId = -1;
    FindByNumber(kPart, partNumber, [&](db::Recordset& rs) {
        partId = util::CLng(rs.Get("PART_ID"));
        partTypeId = util::CLng(rs.Get("PARTTYPE_ID"));
    });
    return partId;
}

std::int32_t GetDowntimeId(const std::string& downtimeNumber, std::int32_t legacySubtype) {
    // Subtype 79 looks among the codes of product type 5, subtype 94 among those of type 6; the
    // codes of type 33 serve both.
    int productType;
    if (legacySubtype == 79)
        productType = 5;
    else if (legacySubtype == 94)
        productType = 6;
    else
        throw std::invalid_argument("GetDowntimeId: subtype " + std::to_string(legacySubtype) +
                                    " has no downtime");
    const NumberLookup downtime{"select DOWNTIME_ID  from T_TRNK_DOWNTIME  where DOWNTIME_NUMBER = '",
                                "' and PTYPE_ID IN (" + std::to_string(productType) + ",33)", "DOWNTIME_ID"};
    return KeyByNumber(downtime, downtimeNumber);
}

void GetMachineLocation(std::int32_t machineId, std::int32_t& deptId, std::int32_t& locationId,
                        std::int32_t& groupId) {
    RecordsetPtr rs = OpenClientRecordset(
        "select T_TRNK_MACHINES.GROUP_ID, T_TRNK_GROUPS.LOCATION_ID,  T_TRNK_LOCATION.DEPT_ID  from "
        "T_TRNK_MACHINES, T_TRNK_GROUPS, T_TRNK_LOCATION  where T_TRNK_MACHINES.MACHINE_ID = " +
        std::to_string(machineId) +
        " and T_TRNK_MACHINES.GROUP_ID = T_TRNK_GROUPS.GROUP_ID  and T_TRNK_GROUPS.LOCATION_ID = "
        "T_TRNK_LOCATION.LOCATION_ID ");
    deptId = util::CLng(rs->Get("DEPT_ID"));
    locationId = util::CLng(rs->Get("LOCATION_ID"));
    groupId = util::CLng(rs->Get("GROUP_ID"));
    CloseRecordset(rs);
}

}  // namespace tmigration::core
