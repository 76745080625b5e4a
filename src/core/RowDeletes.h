// Deleting the legacy rows that belong to one target through a client row set: attachments'
// media destinations and history rows. With no matching row nothing is deleted or sent.
#pragma once

#include <cstdint>

namespace tmigration::core {

void DeleteMediaDestinations(std::int32_t tableId, std::int32_t targetId);
void DeleteHistoryRows(std::int32_t subtypeId, std::int32_t targetId);

}  // namespace tmigration::core
