#include "db/Dialect.h"

namespace tmigration::db {

bool ParseDialectWord(std::string_view word, Dialect& out) {
    if (word == "access")
        out = Dialect::Access;
    else if (word == "oracle")
        out = Dialect::Oracle;
    else if (word == "sql")
        out = Dialect::SqlServer;
    else
        return false;
    return true;
}

std::string_view DialectName(Dialect d) {
    switch (d) {
        case Dialect::Oracle:
            return "Oracle";
        case Dialect::Access:
            return "Access";
        case Dialect::SqlServer:
            return "SQL Server";
    }
    return "unknown";
}

}  // namespace tmigration::db
