// ConnectionString: the "Key=Value;Key=Value;" text an OLE DB style connection string is made
// of. Keys compare without regard to case and without the blanks around them; a value loses the
// blanks at its ends, and a value in double or single quotes is taken as written between them
// (it may then hold ";" and blanks; a doubled quote stands for one). The one reader of connection
// strings: the engine opening a database and the compaction of its file must agree on the file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tmigration::db {

// The value of the first `key` in `text`, or nullopt when the key is absent.
std::optional<std::string> ConnectionStringValue(std::string_view text, std::string_view key);

}  // namespace tmigration::db
