#include "db/Command.h"

#include "db/Connection.h"
#include "db/DbError.h"

namespace tmigration::db {

void Command::Execute() {
    if (!connection_) throw DbError("The connection cannot be used to perform this operation.");
    connection_->Execute(text_);
}

}  // namespace tmigration::db
