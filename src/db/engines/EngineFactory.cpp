// Chooses the engine behind a connection string. The embedded engine serves both the Jet
// provider (this platform has no Jet; the embedded engine plays the Access file's part) and
// the explicit SQLite provider.
#include "db/ConnectionString.h"
#include "db/DbError.h"
#include "db/Engine.h"
#include "db/engines/embedded/EmbeddedSession.h"
#include "util/Text.h"

namespace tmigration::db {

std::unique_ptr<EngineSession> OpenEngineSession(const std::string& connectionString, Dialect dialect) {
    const auto provider = ConnectionStringValue(connectionString, "Provider");
    if (!provider || provider->empty())
        throw DbError(
            "The connection string names no provider (expected Provider=Microsoft.Jet.OLEDB.4.0 or "
            "Provider=SQLite).");
    if (!util::EqualsIgnoringCase(*provider, "Microsoft.Jet.OLEDB.4.0") &&
        !util::EqualsIgnoringCase(*provider, "SQLite"))
        throw DbError("Provider cannot be found. It may not be properly installed. (" + *provider + ")");
    const auto path = ConnectionStringValue(connectionString, "Data Source");
    if (!path || path->empty()) throw DbError("The connection string names no Data Source.");
    return std::make_unique<embedded::EmbeddedSession>(*path, dialect);
}

}  // namespace tmigration::db
