// ConnectionPairs: the Key=Value pairs of a connection string in the order written, honouring
// both quoting styles: OLE DB values between "..." or '...' (the quote doubled inside) and ODBC
// values between {...} (a "}" doubled inside); a ";" inside them belongs to the value. Keys keep
// their spelling and compare without regard to case; values lose their quotes and outer blanks.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tmigration::db {

struct ConnectionPair {
    std::string key;
    std::string value;
};

std::vector<ConnectionPair> ConnectionPairs(std::string_view text);

// The value of the first pair named `key`, or nullopt.
std::optional<std::string> FindPair(const std::vector<ConnectionPair>& pairs, std::string_view key);

// `text` with every password the connection string carries replaced by "********", so that no
// message built from a driver's or the system's words can show one.
std::string HideSecrets(std::string text, std::string_view connectionString);

}  // namespace tmigration::db
