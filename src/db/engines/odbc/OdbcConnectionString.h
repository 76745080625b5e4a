// Which connection strings reach a database server through ODBC, and the ODBC string each becomes.
// A string that names an ODBC driver or data source (Driver=, DSN=) goes to the driver manager
// unchanged. The OLE DB strings the suite's administrators already hold for SQL Server and Oracle
// are translated key by key; the ODBC driver is the string's own Driver= when it names one, else
// the installed driver best suited to the server.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tmigration::db::odbc {

enum class ServerKind { SqlServer, Oracle };

// True when `text` is for the ODBC engine: a SQL Server or Oracle OLE DB provider, or Driver= or
// DSN= under no provider or under the OLE DB provider for ODBC (MSDASQL).
bool IsOdbcConnectionString(std::string_view text);

// The string to hand SQLDriverConnect. `installedDrivers` is asked only when an OLE DB string
// names no driver. DbError names what is missing (server, user, a suitable driver).
std::string ToOdbcConnectionString(std::string_view text,
                                   const std::function<std::vector<std::string>()>& installedDrivers);

// The installed driver best suited to the server kind, or empty when none is.
std::string ChooseDriver(ServerKind kind, const std::vector<std::string>& installed);

// The drivers registered with the driver manager (what `odbcinst -q -d` lists).
std::vector<std::string> InstalledDrivers();

}  // namespace tmigration::db::odbc
