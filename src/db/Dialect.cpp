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

}  // namespace tmigration::db
