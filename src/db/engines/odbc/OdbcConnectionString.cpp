#include "db/engines/odbc/OdbcConnectionString.h"

#include <sql.h>
#include <sqlext.h>

#include <array>
#include <cctype>
#include <optional>

#include "db/ConnectionPairs.h"
#include "db/DbError.h"

namespace tmigration::db::odbc {
namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool Contains(std::string_view text, std::string_view part) {
    return Lower(text).find(Lower(part)) != std::string::npos;
}

struct Provider {
    std::string_view name;
    ServerKind kind;
};

// The OLE DB providers of the two servers, each also with a version suffix such as ".1".
constexpr std::array<Provider, 7> kProviders{{
    {"sqloledb", ServerKind::SqlServer},
    {"msoledbsql", ServerKind::SqlServer},
    {"msoledbsql19", ServerKind::SqlServer},
    {"sqlncli", ServerKind::SqlServer},
    {"sqlncli11", ServerKind::SqlServer},
    {"oraoledb.oracle", ServerKind::Oracle},
    {"msdaora", ServerKind::Oracle},
}};

std::optional<ServerKind> ServerOfProvider(const std::string& provider) {
    std::string p = Lower(provider);
    // "SQLOLEDB.1", "OraOLEDB.Oracle.1": the version suffix does not change the provider.
    const auto dot = p.rfind('.');
    if (dot != std::string::npos && dot + 1 < p.size() &&
        p.find_first_not_of("0123456789", dot + 1) == std::string::npos)
        p.erase(dot);
    for (const auto& known : kProviders)
        if (p == known.name) return known.kind;
    return std::nullopt;
}

// One key of the ODBC string and the keys an OLE DB string may carry it under.
struct KeyMapping {
    std::string_view odbcKey;
    std::array<std::string_view, 5> oleDbKeys;
    bool yesNo;  // OLE DB "True"/"False" become ODBC "yes"/"no"
};

constexpr std::array<KeyMapping, 6> kSqlServerKeys{{
    {"Server", {"Data Source", "Server", "Address", "Addr", "Network Address"}, false},
    {"Database", {"Initial Catalog", "Database"}, false},
    {"UID", {"User ID", "UID", "User"}, false},
    {"PWD", {"Password", "PWD"}, false},
    {"Encrypt", {"Use Encryption for Data", "Encrypt"}, true},
    {"TrustServerCertificate", {"Trust Server Certificate", "TrustServerCertificate"}, true},
}};

constexpr std::array<KeyMapping, 3> kOracleKeys{{
    {"DBQ", {"Data Source", "DBQ", "Server"}, false},
    {"UID", {"User ID", "UID", "User"}, false},
    {"PWD", {"Password", "PWD"}, false},
}};

std::optional<std::string> Lookup(const std::vector<ConnectionPair>& pairs, const KeyMapping& m) {
    for (auto key : m.oleDbKeys)
        if (!key.empty())
            if (auto v = FindPair(pairs, key)) return v;
    return std::nullopt;
}

bool IsTrue(const std::optional<std::string>& v) {
    if (!v) return false;
    const std::string s = Lower(*v);
    return s == "sspi" || s == "true" || s == "yes" || s == "1";
}

// An ODBC attribute value, braced when it holds characters the driver manager would split at.
std::string OdbcValue(const std::string& value) {
    if (value.find_first_of(";{}=") == std::string::npos &&
        (value.empty() || (value.front() != ' ' && value.back() != ' ')))
        return value;
    std::string out = "{";
    for (char c : value) {
        out += c;
        if (c == '}') out += '}';
    }
    return out + "}";
}

std::string ServerName(ServerKind kind) {
    return kind == ServerKind::SqlServer ? "SQL Server" : "Oracle";
}

std::string Translate(const std::vector<ConnectionPair>& pairs, ServerKind kind,
                      const std::function<std::vector<std::string>()>& installedDrivers) {
    const bool sqlServer = kind == ServerKind::SqlServer;
    const bool trusted = IsTrue(FindPair(pairs, "Integrated Security")) ||
                         IsTrue(FindPair(pairs, "Trusted_Connection")) ||
                         IsTrue(FindPair(pairs, "OSAuthent"));
    const auto* begin = sqlServer ? kSqlServerKeys.data() : kOracleKeys.data();
    const auto* end = begin + (sqlServer ? kSqlServerKeys.size() : kOracleKeys.size());
    std::string out;
    for (const auto* m = begin; m != end; ++m) {
        auto value = Lookup(pairs, *m);
        const bool credential = m->odbcKey == "UID" || m->odbcKey == "PWD";
        if (m->odbcKey == (sqlServer ? "Server" : "DBQ") && (!value || value->empty()))
            throw DbError("The connection string names no " + ServerName(kind) +
                          (sqlServer ? " (Data Source=)." : " database (Data Source=)."));
        if (m->odbcKey == "UID" && !trusted && (!value || value->empty()))
            throw DbError(
                "The connection string names no user (User ID=) and asks for no trusted connection.");
        if (!value || (trusted && credential)) continue;
        if (m->yesNo) *value = IsTrue(value) ? "yes" : (Lower(*value) == "false" ? "no" : *value);
        out += std::string(m->odbcKey) + "=" + OdbcValue(*value) + ";";
    }
    if (trusted) out += sqlServer ? "Trusted_Connection=yes;" : "UID=/;PWD=;";
    // The driver is looked for once the string itself is known to be complete.
    std::string driver = FindPair(pairs, "Driver").value_or("");
    if (driver.empty()) {
        driver = ChooseDriver(kind, installedDrivers());
        if (driver.empty())
            throw DbError("No ODBC driver for " + ServerName(kind) +
                          " is installed (odbcinst -q -d lists none). Install one, or name it with "
                          "Driver= in the connection string.");
    }
    std::string braced = "{";
    for (char c : driver) braced += c == '}' ? std::string("}}") : std::string(1, c);
    return "Driver=" + braced + "};" + out;
}

// A number inside a driver's name ("ODBC Driver 18 for SQL Server", "Oracle 21 ODBC driver"):
// the newest driver of a family wins.
int VersionIn(const std::string& name) {
    for (std::size_t i = 0; i < name.size(); ++i)
        if (std::isdigit(static_cast<unsigned char>(name[i]))) {
            int v = 0;
            while (i < name.size() && std::isdigit(static_cast<unsigned char>(name[i])) && v < 100000)
                v = v * 10 + (name[i++] - '0');
            return v;
        }
    return 0;
}

}  // namespace

bool IsOdbcConnectionString(std::string_view text) {
    const auto pairs = ConnectionPairs(text);
    const auto provider = FindPair(pairs, "Provider");
    if (provider && !provider->empty()) {
        if (ServerOfProvider(*provider)) return true;
        if (Lower(*provider).rfind("msdasql", 0) != 0) return false;
    }
    return FindPair(pairs, "Driver").has_value() || FindPair(pairs, "DSN").has_value();
}

std::string ToOdbcConnectionString(std::string_view text,
                                   const std::function<std::vector<std::string>()>& installedDrivers) {
    const auto pairs = ConnectionPairs(text);
    const auto provider = FindPair(pairs, "Provider");
    if (provider)
        if (const auto kind = ServerOfProvider(*provider)) return Translate(pairs, *kind, installedDrivers);
    return std::string(text);
}

std::string ChooseDriver(ServerKind kind, const std::vector<std::string>& installed) {
    // Tiers: the server maker's own drivers first, then any naming the server, then FreeTDS.
    std::string best;
    int bestTier = 0, bestVersion = -1;
    for (const auto& name : installed) {
        int tier = 0;
        if (kind == ServerKind::SqlServer) {
            if (Contains(name, "ODBC Driver") && Contains(name, "for SQL Server"))
                tier = 3;
            else if (Contains(name, "SQL Server"))
                tier = 2;
            else if (Contains(name, "FreeTDS"))
                tier = 1;
        } else if (Contains(name, "Oracle")) {
            tier = 3;
        }
        const int version = VersionIn(name);
        if (tier > bestTier || (tier == bestTier && tier > 0 && version > bestVersion)) {
            best = name;
            bestTier = tier;
            bestVersion = version;
        }
    }
    return best;
}

std::vector<std::string> InstalledDrivers() {
    std::vector<std::string> names;
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) return names;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLCHAR description[512];
    SQLCHAR attributes[2048];
    SQLSMALLINT descriptionLength = 0, attributesLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(SQLDrivers(env, direction, description, sizeof description, &descriptionLength,
                                    attributes, sizeof attributes, &attributesLength))) {
        names.emplace_back(reinterpret_cast<const char*>(description));
        direction = SQL_FETCH_NEXT;
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return names;
}

}  // namespace tmigration::db::odbc
