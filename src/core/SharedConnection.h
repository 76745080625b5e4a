// gConnection: the one database connection every step of a migration runs on, held once per
// thread. The migration object fills the slot when it is created and empties it when destroyed;
// between those every step reaches the same connection.
#pragma once

#include <memory>

#include "db/Connection.h"

namespace tmigration::core {

// The thread's slot; empty until a migration object is created on this thread.
std::shared_ptr<db::Connection>& gConnectionSlot();

// The connection in the slot; db::DbError when the slot is empty.
db::Connection& gConnection();

}  // namespace tmigration::core
