#include "db/engines/embedded/ColumnTypes.h"

#include <vector>

#include "db/DbError.h"
#include "util/Text.h"

namespace tmigration::db::embedded {

MappedType MapColumnType(const Tokens& tt, Dialect dialect) {
    if (tt.empty()) throw DbError("Syntax error in field definition.");
    const std::string name = util::ToUpper(tt[0].Name());
    std::vector<std::string> args;
    if (tt.size() > 1 && tt[1].IsPunct('(')) {
        for (std::size_t i = 2; i < tt.size() && !tt[i].IsPunct(')'); ++i)
            if (!tt[i].IsPunct(',')) args.push_back(tt[i].text);
    }
    auto sized = [&](const char* base) {
        return args.empty() ? std::string(base) : std::string(base) + "(" + args[0] + ")";
    };
    auto numeric = [&]() {
        if (args.empty()) return std::string("NUMERIC");
        return "NUMERIC(" + args[0] + "," + (args.size() > 1 ? args[1] : "0") + ")";
    };
    MappedType m;
    switch (dialect) {
        case Dialect::Access:
            if (name == "COUNTER" || name == "AUTOINCREMENT")
                m = {"INTEGER", true, false};
            else if (name == "INTEGER" || name == "INT" || name == "LONG" || name == "SMALLINT" ||
                     name == "SHORT" || name == "BYTE" || name == "INTEGER4" || name == "INTEGER2")
                m = {"INTEGER", false, false};
            else if (name == "DOUBLE" || name == "FLOAT" || name == "REAL" || name == "SINGLE")
                m = {"DOUBLE", false, false};
            else if (name == "CURRENCY" || name == "MONEY" || name == "NUMERIC" || name == "DECIMAL")
                m = {numeric(), false, false};
            else if (name == "MEMO" || name == "LONGTEXT" || name == "LONGCHAR" || name == "NOTE")
                m = {"LONGTEXT", false, true};
            else if (name == "TEXT" || name == "VARCHAR" || name == "CHAR" || name == "STRING")
                m = {args.empty() ? "VARCHAR(255)" : sized("VARCHAR"), false, true};
            else if (name == "DATETIME" || name == "DATE" || name == "TIME")
                m = {"DATETIME", false, false};
            else if (name == "BIT" || name == "YESNO" || name == "LOGICAL" || name == "BOOLEAN")
                m = {"BOOLEAN", false, false};
            else
                throw DbError("Syntax error in field definition: unknown type " + tt[0].text + ".");
            break;
        case Dialect::SqlServer:
            if ((name == "INTEGER" || name == "INT") && tt.size() > 1 && tt[1].Is("IDENTITY"))
                m = {"INTEGER", true, false};
            else if (name == "INTEGER" || name == "INT" || name == "SMALLINT" || name == "TINYINT" ||
                     name == "BIGINT")
                m = {"INTEGER", false, false};
            else if (name == "NUMERIC" || name == "DECIMAL" || name == "MONEY")
                m = {numeric(), false, false};
            else if (name == "FLOAT" || name == "REAL")
                m = {"DOUBLE", false, false};
            else if (name == "TEXT" || name == "NTEXT")
                m = {"LONGTEXT", false, true};
            else if (name == "VARCHAR" || name == "NVARCHAR" || name == "CHAR" || name == "NCHAR")
                m = {sized("VARCHAR"), false, true};
            else if (name == "DATETIME" || name == "SMALLDATETIME")
                m = {"DATETIME", false, false};
            else if (name == "BIT")
                m = {"BOOLEAN", false, false};
            else
                throw DbError("Column, parameter, or variable: cannot find data type " + tt[0].text + ".");
            break;
        case Dialect::Oracle:
            if (name == "NUMBER" || name == "NUMERIC" || name == "DECIMAL")
                m = {numeric(), false, false};
            else if (name == "INTEGER" || name == "INT" || name == "SMALLINT")
                m = {"INTEGER", false, false};
            else if (name == "FLOAT" || name == "REAL")
                m = {"DOUBLE", false, false};
            else if (name == "VARCHAR2" || name == "VARCHAR" || name == "CHAR" || name == "NVARCHAR2")
                m = {sized("VARCHAR"), false, true};
            else if (name == "LONG" || name == "CLOB")
                m = {"LONGTEXT", false, true};
            else if (name == "DATE")
                m = {"DATETIME", false, false};
            else
                throw DbError("ORA-00902: invalid datatype");
            break;
    }
    return m;
}

int AdoTypeOfDeclared(const std::string& declared) {
    const std::string d = util::ToUpper(declared);
    if (d.empty()) return 0;
    if (d == "INTEGER") return 3;
    if (d == "DOUBLE") return 5;
    if (d == "DATETIME") return 7;
    if (d == "BOOLEAN") return 11;
    if (d.rfind("NUMERIC", 0) == 0) return 131;
    if (d == "LONGTEXT") return 203;
    if (d.rfind("VARCHAR", 0) == 0) return 202;
    return 202;
}

}  // namespace tmigration::db::embedded
