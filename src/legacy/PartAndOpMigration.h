// modPartAndOpMigration: old databases kept every revision of a part and of an operation as a row
// of its own, tied together as a family. These routines collapse each family into its newest
// revision (the survivor), move every reference from the older revisions to it, delete the older
// revisions with their attachments, clear the family links and make part and operation numbers
// unique. They open no transaction: the caller's step owns it and rolls it back on failure.
#pragma once

#include <string>

#include "db/Dialect.h"

namespace tmigration::legacy {

bool ConsolidateParts(db::Dialect dialect, std::string& strError);
bool ConsolidateOperations(db::Dialect dialect, std::string& strError);

}  // namespace tmigration::legacy
