#include "core/SharedConnection.h"

#include "db/DbError.h"

namespace tmigration::core {

std::shared_ptr<db::Connection>& gConnectionSlot() {
    thread_local std::shared_ptr<db::Connection> slot;
    return slot;
}

db::Connection& gConnection() {
    auto& slot = gConnectionSlot();
    if (!slot) throw db::DbError("No database connection has been created on this thread");
    return *slot;
}

}  // namespace tmigration::core
