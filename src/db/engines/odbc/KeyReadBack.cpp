#include "db/engines/odbc/KeyReadBack.h"

#include <array>
#include <cctype>

namespace tmigration::db::odbc {
namespace {

struct Server {
    std::string_view dbmsName;  // what SQLGetInfo(SQL_DBMS_NAME) starts with, any case
    KeyReadBack how;
};

constexpr std::array<Server, 4> kServers{{
    {"microsoft sql server", KeyReadBack::ScopeIdentity},
    {"oracle", KeyReadBack::SequenceCurrval},
    {"access", KeyReadBack::AtAtIdentity},
    {"sqlite", KeyReadBack::LastInsertRowid},
}};

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

KeyReadBack KeyReadBackFor(std::string_view dbmsName, Dialect dialect) {
    std::string name(dbmsName);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const auto& s : kServers)
        if (name.rfind(s.dbmsName, 0) == 0) return s.how;
    switch (dialect) {
        case Dialect::Oracle:
            return KeyReadBack::SequenceCurrval;
        case Dialect::SqlServer:
            return KeyReadBack::ScopeIdentity;
        case Dialect::Access:
            break;
    }
    return KeyReadBack::AtAtIdentity;
}

std::string KeyQuery(KeyReadBack how, const std::string& sequence) {
    switch (how) {
        case KeyReadBack::ScopeIdentity:
            return "SELECT SCOPE_IDENTITY()";
        case KeyReadBack::SequenceCurrval:
            return "SELECT " + sequence + ".CURRVAL FROM DUAL";
        case KeyReadBack::AtAtIdentity:
            return "SELECT @@IDENTITY";
        case KeyReadBack::LastInsertRowid:
            break;
    }
    return "SELECT last_insert_rowid()";
}

std::string SequenceNamedAfter(const std::string& table) {
    std::string t = Upper(table);
    const auto dot = t.rfind('.');  // an owner's prefix stays with the sequence
    const std::string owner = dot == std::string::npos ? "" : t.substr(0, dot + 1);
    std::string name = dot == std::string::npos ? t : t.substr(dot + 1);
    if (name.rfind("T_", 0) == 0) name = name.substr(2);
    return owner + "S_" + name;
}

}  // namespace tmigration::db::odbc
