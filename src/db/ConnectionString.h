// ConnectionString: the "Key=Value;Key=Value;" text an OLE DB style connection string is made
// of. Keys compare without regard to case; values keep their blanks except at the ends.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tmigration::db {

// The value of `key` in `text`, or nullopt when the key is absent.
std::optional<std::string> ConnectionStringValue(std::string_view text, std::string_view key);

}  // namespace tmigration::db
