#include "db/engines/odbc/OdbcStatement.h"

#include <cstdlib>
#include <cstring>

#include "db/ConnectionPairs.h"
#include "db/DbError.h"

namespace tmigration::db::odbc {
namespace {

bool HasState(SQLSMALLINT type, SQLHANDLE handle, const char* state) {
    SQLCHAR sqlState[6] = {0};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    for (SQLSMALLINT i = 1;
         SQL_SUCCEEDED(SQLGetDiagRec(type, handle, i, sqlState, &native, nullptr, 0, &length)); ++i)
        if (std::strcmp(reinterpret_cast<const char*>(sqlState), state) == 0) return true;
    return false;
}

}  // namespace

// ---- errors ------------------------------------------------------------------------------------

std::string ErrorSource::Hide(std::string text) const {
    return HideSecrets(std::move(text), connectionString_);
}

void ErrorSource::Throw(SQLSMALLINT type, SQLHANDLE handle, const std::string& context) const {
    SQLCHAR state[6] = {0};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    std::string message(1024, '\0');
    SQLRETURN rc = SQLGetDiagRec(type, handle, 1, state, &native, reinterpret_cast<SQLCHAR*>(message.data()),
                                 static_cast<SQLSMALLINT>(message.size()), &length);
    if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(message.size())) {
        message.assign(static_cast<std::size_t>(length) + 1, '\0');
        rc = SQLGetDiagRec(type, handle, 1, state, &native, reinterpret_cast<SQLCHAR*>(message.data()),
                           static_cast<SQLSMALLINT>(message.size()), &length);
    }
    if (SQL_SUCCEEDED(rc)) {
        message.resize(static_cast<std::size_t>(length));
        while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
    } else {
        message = "The ODBC driver reported a failure without a description (" + context + ").";
    }
    throw DbError(Hide(std::move(message)));
}

void ErrorSource::Check(SQLRETURN rc, SQLSMALLINT type, SQLHANDLE handle, const std::string& context) const {
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) Throw(type, handle, context);
}

// ---- types ---------------------------------------------------------------------------------------

ColumnDesc DescribeOdbcType(std::string name, SQLSMALLINT sqlType, SQLSMALLINT scale, SQLULEN size) {
    using Cell = ColumnDesc::Cell;
    ColumnDesc d{ColumnInfo{std::move(name), 200}, Cell::Text};
    auto set = [&d](int ado, Cell cell) {
        d.info.adoType = ado;
        d.cell = cell;
    };
    switch (sqlType) {
        case SQL_INTEGER:
        case SQL_SMALLINT:
        case SQL_TINYINT:
            set(3, Cell::Integer);
            break;
        case SQL_BIGINT:
            set(20, Cell::Integer);
            break;
        case SQL_BIT:
            set(11, Cell::Boolean);
            break;
        case SQL_REAL:
        case SQL_FLOAT:
        case SQL_DOUBLE:
            set(5, Cell::Double);
            break;
        case SQL_NUMERIC:
        case SQL_DECIMAL:
            // Oracle's NUMBER(10,0) keys and counts are whole numbers: read them as integers.
            set(131, scale == 0 && size > 0 && size <= 18 ? Cell::Integer : Cell::Decimal);
            break;
        case SQL_TYPE_DATE:
        case SQL_TYPE_TIMESTAMP:
        case SQL_DATETIME:
        case SQL_TIMESTAMP:
            set(7, Cell::DateTime);
            break;
        case SQL_TYPE_TIME:
        case SQL_TIME:
            set(7, Cell::Time);
            break;
        case SQL_WCHAR:
        case SQL_WVARCHAR:
            set(202, Cell::Text);
            break;
        case SQL_LONGVARCHAR:
            set(201, Cell::Text);
            break;
        case SQL_WLONGVARCHAR:
            set(203, Cell::Text);
            break;
        default:
            set(200, Cell::Text);
            break;
    }
    return d;
}

// ---- statement -----------------------------------------------------------------------------------

OdbcStatement::OdbcStatement(SQLHDBC dbc, const ErrorSource& errors, int timeoutSeconds) : errors_(errors) {
    errors_.Check(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt_), SQL_HANDLE_DBC, dbc,
                  "allocating a statement");
    // A driver that cannot bound the wait keeps its own; that is no reason to refuse the statement.
    if (timeoutSeconds > 0)
        SQLSetStmtAttr(stmt_, SQL_ATTR_QUERY_TIMEOUT,
                       reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(timeoutSeconds)), 0);
}

OdbcStatement::~OdbcStatement() {
    if (stmt_ != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, stmt_);
}

void OdbcStatement::Bind(const std::vector<Value>& params) {
    SQLFreeStmt(stmt_, SQL_RESET_PARAMS);
    params_.assign(params.size(), Param{});
    for (std::size_t i = 0; i < params.size(); ++i) {
        Param& p = params_[i];
        const Value& v = params[i];
        SQLSMALLINT cType = SQL_C_CHAR, sqlType = SQL_VARCHAR, digits = 0;
        SQLULEN size = 1;
        SQLPOINTER data = nullptr;
        SQLLEN capacity = 0;
        switch (v.kind()) {
            case Value::Kind::Null:
                p.indicator = SQL_NULL_DATA;
                break;
            case Value::Kind::Integer:
                p.integer = v.AsInteger();
                cType = SQL_C_SBIGINT;
                sqlType = (p.integer >= INT32_MIN && p.integer <= INT32_MAX) ? SQL_INTEGER : SQL_BIGINT;
                size = sqlType == SQL_INTEGER ? 10 : 19;
                data = &p.integer;
                break;
            case Value::Kind::Double:
                p.real = v.AsDouble();
                cType = SQL_C_DOUBLE;
                sqlType = SQL_DOUBLE;
                size = 15;
                data = &p.real;
                break;
            case Value::Kind::Boolean:
                p.bit = v.AsBoolean() ? 1 : 0;
                cType = SQL_C_BIT;
                sqlType = SQL_BIT;
                data = &p.bit;
                break;
            case Value::Kind::DateTime: {
                const DateTime t = v.AsDateTime();
                p.timestamp = SQL_TIMESTAMP_STRUCT{static_cast<SQLSMALLINT>(t.year),
                                                   static_cast<SQLUSMALLINT>(t.month),
                                                   static_cast<SQLUSMALLINT>(t.day),
                                                   static_cast<SQLUSMALLINT>(t.hour),
                                                   static_cast<SQLUSMALLINT>(t.minute),
                                                   static_cast<SQLUSMALLINT>(t.second),
                                                   0};
                cType = SQL_C_TYPE_TIMESTAMP;
                sqlType = SQL_TYPE_TIMESTAMP;
                size = 19;
                data = &p.timestamp;
                break;
            }
            case Value::Kind::Text:
                p.text = v.AsText();
                p.indicator = static_cast<SQLLEN>(p.text.size());
                sqlType = p.text.size() > 4000 ? SQL_LONGVARCHAR : SQL_VARCHAR;
                size = p.text.empty() ? 1 : p.text.size();
                data = p.text.data();
                capacity = static_cast<SQLLEN>(p.text.size());
                break;
        }
        errors_.Check(SQLBindParameter(stmt_, static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT, cType,
                                       sqlType, size, digits, data, capacity, &p.indicator),
                      SQL_HANDLE_STMT, stmt_, "binding a value");
    }
}

void OdbcStatement::ExecDirect(const std::string& sql, const std::vector<Value>& params) {
    sql_ = sql;
    Bind(params);
    const SQLRETURN rc =
        SQLExecDirect(stmt_, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql_.c_str())), SQL_NTS);
    errors_.Check(rc, SQL_HANDLE_STMT, stmt_, "running a statement");
}

void OdbcStatement::Prepare(const std::string& sql) {
    sql_ = sql;
    errors_.Check(SQLPrepare(stmt_, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql_.c_str())), SQL_NTS),
                  SQL_HANDLE_STMT, stmt_, "preparing a statement");
}

void OdbcStatement::Execute(const std::vector<Value>& params) {
    SQLFreeStmt(stmt_, SQL_CLOSE);
    Bind(params);
    errors_.Check(SQLExecute(stmt_), SQL_HANDLE_STMT, stmt_, "running a statement");
}

bool OdbcStatement::NextResultWithColumns() {
    for (;;) {
        SQLSMALLINT columns = 0;
        errors_.Check(SQLNumResultCols(stmt_, &columns), SQL_HANDLE_STMT, stmt_, "reading a result");
        if (columns > 0) return true;
        const SQLRETURN rc = SQLMoreResults(stmt_);
        if (rc == SQL_NO_DATA) return false;
        errors_.Check(rc, SQL_HANDLE_STMT, stmt_, "reading a result");
    }
}

void OdbcStatement::DrainResults() {
    for (;;) {
        const SQLRETURN rc = SQLMoreResults(stmt_);
        if (rc == SQL_NO_DATA || rc == SQL_INVALID_HANDLE) return;
        // Drivers without batches answer that they cannot: nothing more to read then.
        if (rc == SQL_ERROR && HasState(SQL_HANDLE_STMT, stmt_, "IM001")) return;
        errors_.Check(rc, SQL_HANDLE_STMT, stmt_, "reading a result");
    }
}

SQLLEN OdbcStatement::RowCount() {
    SQLLEN count = -1;
    if (!SQL_SUCCEEDED(SQLRowCount(stmt_, &count))) return -1;
    return count;
}

void OdbcStatement::Close() {
    SQLFreeStmt(stmt_, SQL_CLOSE);
}

SQLRETURN OdbcStatement::PrimaryKeys(SQLCHAR* schema, SQLSMALLINT schemaLength, SQLCHAR* table) {
    return SQLPrimaryKeys(stmt_, nullptr, 0, schema, schemaLength, table, SQL_NTS);
}

SQLRETURN OdbcStatement::BestRowId(SQLCHAR* schema, SQLSMALLINT schemaLength, SQLCHAR* table) {
    return SQLSpecialColumns(stmt_, SQL_BEST_ROWID, nullptr, 0, schema, schemaLength, table, SQL_NTS,
                             SQL_SCOPE_CURROW, SQL_NULLABLE);
}

std::vector<ColumnDesc> OdbcStatement::Describe() {
    SQLSMALLINT count = 0;
    errors_.Check(SQLNumResultCols(stmt_, &count), SQL_HANDLE_STMT, stmt_, "reading the columns");
    std::vector<ColumnDesc> out;
    out.reserve(static_cast<std::size_t>(count));
    for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(count); ++i) {
        SQLCHAR name[256] = {0};
        SQLSMALLINT nameLength = 0, type = 0, scale = 0, nullable = 0;
        SQLULEN size = 0;
        errors_.Check(
            SQLDescribeCol(stmt_, i, name, sizeof name, &nameLength, &type, &size, &scale, &nullable),
            SQL_HANDLE_STMT, stmt_, "reading the columns");
        out.push_back(DescribeOdbcType(reinterpret_cast<const char*>(name), type, scale, size));
    }
    return out;
}

bool OdbcStatement::Fetch() {
    const SQLRETURN rc = SQLFetch(stmt_);
    if (rc == SQL_NO_DATA) return false;
    errors_.Check(rc, SQL_HANDLE_STMT, stmt_, "fetching a row");
    return true;
}

std::string OdbcStatement::GetText(SQLUSMALLINT column, bool& isNull) {
    std::string out;
    char buffer[4096];
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(stmt_, column, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA) break;
        errors_.Check(rc, SQL_HANDLE_STMT, stmt_, "reading a value");
        if (indicator == SQL_NULL_DATA) {
            isNull = true;
            return {};
        }
        // Long text comes in pieces: a full buffer less its terminator, then the rest.
        const bool more = rc == SQL_SUCCESS_WITH_INFO &&
                          (indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(sizeof buffer));
        out.append(buffer, more ? sizeof buffer - 1 : static_cast<std::size_t>(indicator));
        if (!more) break;
    }
    isNull = false;
    return out;
}

Value OdbcStatement::Get(SQLUSMALLINT column, const ColumnDesc& desc) {
    using Cell = ColumnDesc::Cell;
    SQLLEN indicator = 0;
    auto check = [&](SQLRETURN rc) { errors_.Check(rc, SQL_HANDLE_STMT, stmt_, "reading a value"); };
    switch (desc.cell) {
        case Cell::Integer: {
            SQLBIGINT v = 0;
            check(SQLGetData(stmt_, column, SQL_C_SBIGINT, &v, 0, &indicator));
            return indicator == SQL_NULL_DATA ? Value() : Value(static_cast<long long>(v));
        }
        case Cell::Double:
        case Cell::Decimal: {
            double v = 0;
            check(SQLGetData(stmt_, column, SQL_C_DOUBLE, &v, 0, &indicator));
            return indicator == SQL_NULL_DATA ? Value() : Value(v);
        }
        case Cell::Boolean: {
            unsigned char v = 0;
            check(SQLGetData(stmt_, column, SQL_C_BIT, &v, 0, &indicator));
            return indicator == SQL_NULL_DATA ? Value() : Value::Boolean(v != 0);
        }
        case Cell::DateTime: {
            SQL_TIMESTAMP_STRUCT t{};
            check(SQLGetData(stmt_, column, SQL_C_TYPE_TIMESTAMP, &t, sizeof t, &indicator));
            if (indicator == SQL_NULL_DATA) return Value();
            return Value(DateTime{t.year, t.month, t.day, t.hour, t.minute, t.second});
        }
        case Cell::Time: {
            // A time of day alone stands on the day the suite's runtime counts dates from.
            SQL_TIME_STRUCT t{};
            check(SQLGetData(stmt_, column, SQL_C_TYPE_TIME, &t, sizeof t, &indicator));
            if (indicator == SQL_NULL_DATA) return Value();
            return Value(DateTime{1899, 12, 30, t.hour, t.minute, t.second});
        }
        case Cell::Text:
            break;
    }
    bool isNull = false;
    std::string text = GetText(column, isNull);
    return isNull ? Value() : Value(std::move(text));
}

}  // namespace tmigration::db::odbc
