// OdbcStatement: one ODBC statement handle with the conversions between the driver's cells and
// Value, and the driver's diagnostic record turned into the DbError the steps copy. Every error
// text passes through the connection's secret filter first.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <string>
#include <vector>

#include "db/Engine.h"
#include "db/Value.h"

namespace tmigration::db::odbc {

// Raises DbError from a handle's first diagnostic record, with the connection's passwords masked.
class ErrorSource {
  public:
    explicit ErrorSource(std::string connectionString) : connectionString_(std::move(connectionString)) {}
    [[noreturn]] void Throw(SQLSMALLINT type, SQLHANDLE handle, const std::string& context) const;
    // Throws unless rc is a success (SQL_NO_DATA counts as one: a statement that touched no row).
    void Check(SQLRETURN rc, SQLSMALLINT type, SQLHANDLE handle, const std::string& context) const;
    std::string Hide(std::string text) const;

  private:
    std::string connectionString_;
};

// What a result column holds, from its ODBC type: how to fetch it and its ADO type code.
struct ColumnDesc {
    enum class Cell { Integer, Double, Decimal, DateTime, Time, Boolean, Text };
    ColumnInfo info;
    Cell cell = Cell::Text;
};

ColumnDesc DescribeOdbcType(std::string name, SQLSMALLINT sqlType, SQLSMALLINT scale, SQLULEN size);

class OdbcStatement {
  public:
    OdbcStatement(SQLHDBC dbc, const ErrorSource& errors, int timeoutSeconds);
    ~OdbcStatement();
    OdbcStatement(const OdbcStatement&) = delete;
    OdbcStatement& operator=(const OdbcStatement&) = delete;

    // Runs `sql` with `params` bound to its markers, or prepares it once and runs it again.
    void ExecDirect(const std::string& sql, const std::vector<Value>& params = {});
    void Prepare(const std::string& sql);
    void Execute(const std::vector<Value>& params);
    // Moves to the next result of a batch that has columns; false when there is none.
    bool NextResultWithColumns();
    // Every further result of the batch, read and dropped, so that its errors surface.
    void DrainResults();
    // Rows the last statement touched, -1 when the driver does not know.
    SQLLEN RowCount();
    void Close();

    // Catalog queries whose rows are then fetched: SQLPrimaryKeys and SQLSpecialColumns(best row id).
    // The driver's return code is handed back: a driver without them is no error here.
    SQLRETURN PrimaryKeys(SQLCHAR* schema, SQLSMALLINT schemaLength, SQLCHAR* table);
    SQLRETURN BestRowId(SQLCHAR* schema, SQLSMALLINT schemaLength, SQLCHAR* table);

    std::vector<ColumnDesc> Describe();
    bool Fetch();
    Value Get(SQLUSMALLINT column, const ColumnDesc& desc);

  private:
    struct Param {
        SQLLEN indicator = 0;
        SQLBIGINT integer = 0;
        double real = 0;
        SQL_TIMESTAMP_STRUCT timestamp{};
        unsigned char bit = 0;
        std::string text;
    };
    void Bind(const std::vector<Value>& params);
    std::string GetText(SQLUSMALLINT column, bool& isNull);

    SQLHSTMT stmt_ = SQL_NULL_HSTMT;
    const ErrorSource& errors_;
    std::string sql_;
    std::vector<Param> params_;
};

}  // namespace tmigration::db::odbc
