// GetNewID: the identifier map. Translates a legacy key into the new key of the row its transfer
// created, read from the legacy row's SFC_ID. A Null id is Null without a query; an id that finds
// no legacy row (the legacy schema's 0 for "none", a deleted row) or a row never transferred is
// Null. Database errors are not caught: they reach the calling transfer.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "db/Value.h"

namespace tmigration::transfer {

// Runs "select SFC_ID from <table> where <column> = <id as text>" on the shared connection.
// The Value form takes a legacy field as read and gives a value ready to be written.
db::Value GetNewID(std::string_view table, std::string_view column, const db::Value& id);
std::optional<std::int64_t> GetNewID(std::string_view table, std::string_view column,
                                     std::optional<std::int64_t> id);

}  // namespace tmigration::transfer
