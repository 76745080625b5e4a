// Chooses the engine behind a connection string. The embedded engine serves both the Jet
// provider (this platform has no Jet; the embedded engine plays the Access file's part) and
// the explicit SQLite provider. Database servers are reached through ODBC: strings naming an
// ODBC driver or data source, and the OLE DB strings of SQL Server and Oracle.
#include "db/ConnectionString.h"
#include "db/DbError.h"
#include "db/Engine.h"
#include "db/engines/embedded/EmbeddedSession.h"
#include "db/engines/odbc/OdbcConnectionString.h"
#include "db/engines/odbc/OdbcSession.h"
#include "util/Text.h"

namespace tmigration::db {

std::unique_ptr<EngineSession> OpenEngineSession(const std::string& connectionString, Dialect dialect) {
    if (odbc::IsOdbcConnectionString(connectionString))
        return std::make_unique<odbc::OdbcSession>(
            odbc::ToOdbcConnectionString(connectionString, odbc::InstalledDrivers), connectionString,
            dialect);
    const auto provider = ConnectionStringValue(connectionString, "Provider");
    if (!provider || provider->empty())
        throw DbError(
            "The connection string names no provider (expected Provider=Microsoft.Jet.OLEDB.4.0 or "
            "Provider=SQLite, a SQL Server or Oracle provider, or an ODBC Driver= or DSN=).");
    if (!util::EqualsIgnoringCase(*provider, "Microsoft.Jet.OLEDB.4.0") &&
        !util::EqualsIgnoringCase(*provider, "SQLite"))
        throw DbError("Provider cannot be found. It may not be properly installed. (" + *provider + ")");
    const auto path = ConnectionStringValue(connectionString, "Data Source");
    if (!path || path->empty()) throw DbError("The connection string names no Data Source.");
    // "Mode=Read" asks for a session that reads and never writes.
    const auto mode = ConnectionStringValue(connectionString, "Mode");
    const bool readOnly = mode && util::EqualsIgnoringCase(*mode, "Read");
    return std::make_unique<embedded::EmbeddedSession>(*path, dialect, readOnly);
}

}  // namespace tmigration::db
