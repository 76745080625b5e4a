// Lookups of legacy keys by their business numbers (personnel, job, operation, part, downtime,
// scrap code) and of a machine's place in the plant. A number lookup returns -1 for an empty
// number or when no row matches; database errors reach the caller.
#pragma once

#include <cstdint>
#include <string>

namespace tmigration::core {

std::int32_t GetPersonnelId(const std::string& personnelNumber);
std::int32_t GetJobId(const std::string& jobNumber);
std::int32_t GetOperationId(const std::string& operationNumber);
// PART_ID; partTypeId receives PARTTYPE_ID (both -1 when there is no such part).
std::int32_t GetPartId(const std::string& partNumber, std::int32_t& partTypeId);
// legacySubtype is 79 (machine downtime) or 94; any other throws std::invalid_argument.
std::int32_t GetDowntimeId(const std::string& downtimeNumber, std::int32_t legacySubtype);
std::int32_t GetScrapCodeId(const std::string& scrapCodeNumber);

// Department, location and group of a legacy machine. The machine must exist: reading the
// missing row fails with the row set's error.
void GetMachineLocation(std::int32_t machineId, std::int32_t& deptId, std::int32_t& locationId,
                        std::int32_t& groupId);

}  // namespace tmigration::core
