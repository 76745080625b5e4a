// RecordSchemaStep: writes the new schema's level marker, database item 1 of T_SFC_DB_ITEM, after
// each schema statement and at the end of the migration. On failure strError holds the database's
// description and the result is false; the row set is always closed.
#pragma once

#include <cstdint>
#include <string>

namespace tmigration::schema {

bool RecordSchemaStep(std::int16_t value, std::string& strError);

}  // namespace tmigration::schema
