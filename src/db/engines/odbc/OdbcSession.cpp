#include "db/engines/odbc/OdbcSession.h"

#include <cctype>
#include <deque>

#include "db/DbError.h"
#include "db/engines/odbc/SelectShape.h"

namespace tmigration::db::odbc {
namespace {

constexpr const char* kRowNotFound =
    "Row cannot be located for updating. Some values may have been changed since it was last read.";
constexpr const char* kRowGone =
    "Key value for this row was changed or deleted at the data store. The local row is now deleted.";

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// A key or count read as a whole number whatever type the server gives it.
const ColumnDesc kWholeNumber{ColumnInfo{"", 3}, ColumnDesc::Cell::Integer};

std::string InfoText(SQLHDBC dbc, SQLUSMALLINT item) {
    char buffer[256] = {0};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(dbc, item, buffer, sizeof buffer, &length))) return {};
    return buffer;
}

SQLUSMALLINT InfoNumber(SQLHDBC dbc, SQLUSMALLINT item, SQLUSMALLINT otherwise) {
    SQLUSMALLINT value = otherwise;
    if (!SQL_SUCCEEDED(SQLGetInfo(dbc, item, &value, sizeof value, nullptr))) return otherwise;
    return value;
}

}  // namespace

// ---- cursor ------------------------------------------------------------------------------------

// Rows of one query, fetched from the driver as the row set moves. When the connection must run
// another statement first, the rest of the rows are read into memory and the statement let go.
class OdbcCursor final : public EngineCursor {
  public:
    OdbcCursor(OdbcSession* session, std::unique_ptr<OdbcStatement> stmt, std::vector<ColumnDesc> descs,
               std::string table, int keyIndex)
        : session_(stmt ? session : nullptr),
          stmt_(std::move(stmt)),
          descs_(std::move(descs)),
          table_(std::move(table)),
          keyIndex_(keyIndex) {
        for (const auto& d : descs_) columns_.push_back(d.info);
        if (session_) session_->cursors_.insert(this);
    }
    ~OdbcCursor() override { Finish(); }

    const std::vector<ColumnInfo>& Columns() const override { return columns_; }
    const std::string& UpdatableTable() const override { return table_; }
    bool Fetch(Row& row) override {
        if (buffered_.empty()) return FetchLive(row);
        row = std::move(buffered_.front());
        buffered_.pop_front();
        return true;
    }

    void Buffer() {
        Row row;
        while (FetchLive(row)) buffered_.push_back(std::move(row));
    }
    // The session is closing: its statements go with it.
    void Detach() {
        stmt_.reset();
        session_ = nullptr;
    }

  private:
    bool FetchLive(Row& row) {
        if (!stmt_) return false;
        if (!stmt_->Fetch()) {
            Finish();
            return false;
        }
        row.values.clear();
        row.values.reserve(descs_.size());
        for (std::size_t i = 0; i < descs_.size(); ++i)
            row.values.push_back(stmt_->Get(static_cast<SQLUSMALLINT>(i + 1), descs_[i]));
        const Value* key = keyIndex_ >= 0 ? &row.values[static_cast<std::size_t>(keyIndex_)] : nullptr;
        row.id = key && !key->IsNull() ? key->AsInteger() : 0;
        return true;
    }
    void Finish() {
        stmt_.reset();
        if (session_) session_->cursors_.erase(this);
        session_ = nullptr;
    }

    OdbcSession* session_;
    std::unique_ptr<OdbcStatement> stmt_;
    std::vector<ColumnDesc> descs_;
    std::vector<ColumnInfo> columns_;
    std::string table_;
    int keyIndex_;
    std::deque<Row> buffered_;
};

// ---- life cycle ----------------------------------------------------------------------------------

OdbcSession::DriverHandles::~DriverHandles() {
    if (connected) SQLDisconnect(dbc);
    if (dbc != SQL_NULL_HDBC) SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    if (env != SQL_NULL_HENV) SQLFreeHandle(SQL_HANDLE_ENV, env);
}

OdbcSession::OdbcSession(const std::string& odbcConnectionString, const std::string& callerConnectionString,
                         Dialect dialect, const DriverLimits& limits)
    : errors_(callerConnectionString + ";" + odbcConnectionString), dialect_(dialect) {
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &handles_.env)))
        throw DbError("The ODBC driver manager cannot be used: its environment could not be created.");
    SQLSetEnvAttr(handles_.env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    errors_.Check(SQLAllocHandle(SQL_HANDLE_DBC, handles_.env, &handles_.dbc), SQL_HANDLE_ENV, handles_.env,
                  "creating a connection");
    SQLSetConnectAttr(handles_.dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(15), 0);
    SQLCHAR completed[1024];
    SQLSMALLINT completedLength = 0;
    const SQLRETURN rc = SQLDriverConnect(
        handles_.dbc, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(odbcConnectionString.c_str())),
        SQL_NTS, completed, sizeof completed, &completedLength, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) errors_.Throw(SQL_HANDLE_DBC, handles_.dbc, "connecting");
    handles_.connected = true;

    dbms_ = InfoText(handles_.dbc, SQL_DBMS_NAME);
    readBack_ = KeyReadBackFor(dbms_, dialect_);
    oneStatementAtATime_ =
        limits.oneStatementAtATime.value_or(InfoNumber(handles_.dbc, SQL_MAX_CONCURRENT_ACTIVITIES, 0) == 1);
    commitClosesCursors_ = limits.commitClosesCursors.value_or(
        InfoNumber(handles_.dbc, SQL_CURSOR_COMMIT_BEHAVIOR, SQL_CB_CLOSE) != SQL_CB_PRESERVE ||
        InfoNumber(handles_.dbc, SQL_CURSOR_ROLLBACK_BEHAVIOR, SQL_CB_CLOSE) != SQL_CB_PRESERVE);
    quote_ = InfoText(handles_.dbc, SQL_IDENTIFIER_QUOTE_CHAR);
    if (quote_ == " ") quote_.clear();
}

OdbcSession::~OdbcSession() {
    for (OdbcCursor* cursor : cursors_) cursor->Detach();
    cursors_.clear();
    prepared_.clear();
    // Closing with a transaction open gives it up, as closing an ADO connection does.
    if (inTrans_) {
        SQLEndTran(SQL_HANDLE_DBC, handles_.dbc, SQL_ROLLBACK);
        SQLSetConnectAttr(handles_.dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON),
                          0);
    }
}

std::unique_ptr<OdbcStatement> OdbcSession::NewStatement() {
    return std::make_unique<OdbcStatement>(handles_.dbc, errors_, timeout_);
}

OdbcStatement& OdbcSession::Prepared(const std::string& sql) {
    auto it = prepared_.find(sql);
    if (it != prepared_.end()) return *it->second;
    if (prepared_.size() >= 64) prepared_.clear();
    auto stmt = NewStatement();
    stmt->Prepare(sql);
    return *prepared_.emplace(sql, std::move(stmt)).first->second;
}

std::string OdbcSession::Quoted(const std::string& column) const {
    return quote_ + column + quote_;
}

void OdbcSession::BufferOpenCursors() {
    const auto open = cursors_;
    for (OdbcCursor* cursor : open) cursor->Buffer();
}

void OdbcSession::BeforeStatement() {
    if (oneStatementAtATime_) BufferOpenCursors();
}

// ---- statements --------------------------------------------------------------------------------------

void OdbcSession::Execute(const std::string& sql) {
    BeforeStatement();
    auto stmt = NewStatement();
    stmt->ExecDirect(sql);
    stmt->DrainResults();
}

std::unique_ptr<EngineCursor> OdbcSession::Query(const std::string& sql) {
    BeforeStatement();
    // The key is looked up before the query runs: some drivers run one statement at a time.
    std::string table = SingleTableOf(sql);
    const std::string key = table.empty() ? std::string() : Upper(KeyColumnOf(table));
    auto stmt = NewStatement();
    stmt->ExecDirect(sql);
    std::vector<ColumnDesc> descs;
    if (stmt->NextResultWithColumns())
        descs = stmt->Describe();
    else
        stmt.reset();
    int keyIndex = -1;
    for (std::size_t i = 0; i < descs.size() && !key.empty(); ++i)
        if (Upper(descs[i].info.name) == key && descs[i].cell == ColumnDesc::Cell::Integer)
            keyIndex = static_cast<int>(i);
    // Without its key among the columns a row cannot be found again to be written back.
    if (keyIndex < 0) table.clear();
    return std::make_unique<OdbcCursor>(this, std::move(stmt), std::move(descs), std::move(table), keyIndex);
}

std::int64_t OdbcSession::CountRows(const std::string& sql) {
    BeforeStatement();
    try {
        auto stmt = NewStatement();
        stmt->ExecDirect("SELECT COUNT(*) FROM (" + WithoutOrderBy(sql) + ") tm_rows");
        if (stmt->Fetch()) return stmt->Get(1, kWholeNumber).AsInteger();
    } catch (const DbError&) {
        // A query the server will not nest (a batch, a procedure): count its rows one by one.
    }
    auto stmt = NewStatement();
    stmt->ExecDirect(sql);
    std::int64_t count = 0;
    if (stmt->NextResultWithColumns())
        while (stmt->Fetch()) ++count;
    return count;
}

// ---- rows ------------------------------------------------------------------------------------------

RowId OdbcSession::InsertRow(const std::string& table, const std::vector<std::string>& columns,
                             const std::vector<Value>& values) {
    BeforeStatement();
    const std::string key = KeyColumnOf(table);
    std::optional<RowId> supplied;
    std::string names, markers;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        names += (i ? ", " : "") + Quoted(columns[i]);
        markers += i ? ", ?" : "?";
        if (!key.empty() && Upper(columns[i]) == Upper(key) && !values[i].IsNull())
            supplied = values[i].AsInteger();
    }
    std::string sql = "INSERT INTO " + table;
    if (!columns.empty())
        sql += " (" + names + ") VALUES (" + markers + ")";
    else if (readBack_ == KeyReadBack::SequenceCurrval && !key.empty())
        sql += " (" + Quoted(key) + ") VALUES (NULL)";  // the key trigger fills it
    else
        sql += " DEFAULT VALUES";

    // Which key the row got: on Oracle the trigger's sequence decides whatever was supplied;
    // elsewhere a supplied key stands and only an assigned one is asked for.
    std::string sequence;
    if (readBack_ == KeyReadBack::SequenceCurrval && !key.empty()) sequence = SequenceOf(table);
    const bool ask =
        !key.empty() && (readBack_ == KeyReadBack::SequenceCurrval ? !sequence.empty() : !supplied);
    if (!ask) {
        OdbcStatement& insert = Prepared(sql);
        insert.Execute(values);
        insert.Close();
        return supplied.value_or(0);
    }
    Value assigned;
    if (readBack_ == KeyReadBack::ScopeIdentity) {
        // SCOPE_IDENTITY() answers only within the batch of the INSERT.
        OdbcStatement& batch = Prepared(sql + "; " + KeyQuery(readBack_));
        batch.Execute(values);
        if (batch.NextResultWithColumns() && batch.Fetch()) assigned = batch.Get(1, kWholeNumber);
        batch.Close();
    } else {
        OdbcStatement& insert = Prepared(sql);
        insert.Execute(values);
        insert.Close();
        OdbcStatement& read = Prepared(KeyQuery(readBack_, sequence));
        read.Execute({});
        if (read.Fetch()) assigned = read.Get(1, kWholeNumber);
        read.Close();
    }
    return assigned.IsNull() ? supplied.value_or(0) : assigned.AsInteger();
}

void OdbcSession::UpdateRow(const std::string& table, RowId id, const std::vector<std::string>& columns,
                            const std::vector<Value>& values) {
    BeforeStatement();
    const std::string key = KeyColumnOf(table);
    if (key.empty()) throw DbError(kRowNotFound);
    std::string sql = "UPDATE " + table + " SET ";
    for (std::size_t i = 0; i < columns.size(); ++i) sql += (i ? ", " : "") + Quoted(columns[i]) + " = ?";
    sql += " WHERE " + Quoted(key) + " = ?";
    std::vector<Value> params = values;
    params.emplace_back(static_cast<long long>(id));
    OdbcStatement& update = Prepared(sql);
    update.Execute(params);
    const SQLLEN touched = update.RowCount();
    update.Close();
    if (touched == 0) throw DbError(kRowNotFound);
}

void OdbcSession::DeleteRow(const std::string& table, RowId id) {
    BeforeStatement();
    const std::string key = KeyColumnOf(table);
    if (key.empty()) throw DbError(kRowGone);
    OdbcStatement& remove = Prepared("DELETE FROM " + table + " WHERE " + Quoted(key) + " = ?");
    remove.Execute({Value(static_cast<long long>(id))});
    const SQLLEN touched = remove.RowCount();
    remove.Close();
    if (touched == 0) throw DbError(kRowGone);
}

bool OdbcSession::ReadRow(const std::string& table, RowId id, const std::vector<std::string>& columns,
                          std::vector<Value>& values) {
    const std::string key = KeyColumnOf(table);
    if (key.empty() || columns.empty()) return false;
    BeforeStatement();
    std::string sql = "SELECT ";
    for (std::size_t i = 0; i < columns.size(); ++i) sql += (i ? ", " : "") + Quoted(columns[i]);
    sql += " FROM " + table + " WHERE " + Quoted(key) + " = ?";
    OdbcStatement& read = Prepared(sql);
    read.Execute({Value(static_cast<long long>(id))});
    const auto descs = read.Describe();
    const bool found = read.Fetch();
    if (found) {
        values.clear();
        for (std::size_t i = 0; i < descs.size(); ++i)
            values.push_back(read.Get(static_cast<SQLUSMALLINT>(i + 1), descs[i]));
    }
    read.Close();
    return found;
}

// ---- keys ------------------------------------------------------------------------------------------

const std::string& OdbcSession::KeyColumnOf(const std::string& table) {
    const std::string name = Upper(table);
    auto it = keys_.find(name);
    if (it == keys_.end()) it = keys_.emplace(name, FindKeyColumn(table)).first;
    return it->second;
}

std::string OdbcSession::FindKeyColumn(const std::string& table) {
    // "OWNER.TABLE" names the schema; the catalog functions take it apart.
    const auto dot = table.rfind('.');
    std::string schema = dot == std::string::npos ? "" : table.substr(0, dot);
    std::vector<std::string> spellings{dot == std::string::npos ? table : table.substr(dot + 1)};
    if (Upper(spellings[0]) != spellings[0]) spellings.push_back(Upper(spellings[0]));

    auto columnsOf = [&](bool primary, const std::string& name) {
        std::vector<std::string> found;
        auto stmt = NewStatement();
        auto* schemaText = schema.empty() ? nullptr : reinterpret_cast<SQLCHAR*>(schema.data());
        auto* tableText = reinterpret_cast<SQLCHAR*>(const_cast<char*>(name.c_str()));
        const SQLSMALLINT schemaLength = schema.empty() ? 0 : SQL_NTS;
        SQLRETURN rc = primary ? stmt->PrimaryKeys(schemaText, schemaLength, tableText)
                               : stmt->BestRowId(schemaText, schemaLength, tableText);
        if (!SQL_SUCCEEDED(rc)) return found;
        const ColumnDesc text{ColumnInfo{"", 200}, ColumnDesc::Cell::Text};
        try {
            while (stmt->Fetch()) {
                if (!primary) {
                    const Value pseudo = stmt->Get(8, kWholeNumber);
                    if (!pseudo.IsNull() && pseudo.AsInteger() == SQL_PC_PSEUDO) continue;
                }
                const Value column = stmt->Get(primary ? 4 : 2, text);
                if (!column.IsNull()) found.push_back(column.AsText());
            }
        } catch (const DbError&) {
            found.clear();
        }
        return found;
    };
    for (bool primary : {true, false})
        for (const auto& name : spellings) {
            const auto found = columnsOf(primary, name);
            if (found.size() == 1) return found.front();
            if (!found.empty()) return {};  // a key of several columns: rows stay read-only
        }
    return {};
}

std::string OdbcSession::SequenceOf(const std::string& table) {
    const std::string name = Upper(table);
    auto it = sequences_.find(name);
    if (it != sequences_.end()) return it->second;
    std::string sequence;
    if (name.find('.') != std::string::npos) {
        sequence = SequenceNamedAfter(name);
    } else {
        try {
            OdbcStatement& lookup = Prepared(
                "SELECT d.REFERENCED_NAME FROM USER_DEPENDENCIES d, USER_TRIGGERS t WHERE t.TABLE_NAME = ? "
                "AND "
                "t.TRIGGERING_EVENT LIKE '%INSERT%' AND d.NAME = t.TRIGGER_NAME AND d.TYPE = 'TRIGGER' AND "
                "d.REFERENCED_TYPE = 'SEQUENCE'");
            lookup.Execute({Value(name)});
            const ColumnDesc text{ColumnInfo{"", 200}, ColumnDesc::Cell::Text};
            if (lookup.Fetch()) sequence = lookup.Get(1, text).AsText();
            lookup.Close();
        } catch (const DbError&) {
            // No view of the data dictionary: the sequence is named after the table.
            sequence = SequenceNamedAfter(name);
        }
    }
    sequences_.emplace(name, sequence);
    return sequence;
}

// ---- transactions ------------------------------------------------------------------------------------

void OdbcSession::BeginTrans() {
    if (inTrans_) throw DbError("Transactions cannot be nested on this connection.");
    errors_.Check(SQLSetConnectAttr(handles_.dbc, SQL_ATTR_AUTOCOMMIT,
                                    reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0),
                  SQL_HANDLE_DBC, handles_.dbc, "beginning a transaction");
    inTrans_ = true;
}

void OdbcSession::EndTransaction(SQLSMALLINT completion) {
    if (!inTrans_) throw DbError("No transaction is active.");
    if (commitClosesCursors_) BufferOpenCursors();
    errors_.Check(SQLEndTran(SQL_HANDLE_DBC, handles_.dbc, completion), SQL_HANDLE_DBC, handles_.dbc,
                  "ending a transaction");
    inTrans_ = false;
    errors_.Check(SQLSetConnectAttr(handles_.dbc, SQL_ATTR_AUTOCOMMIT,
                                    reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0),
                  SQL_HANDLE_DBC, handles_.dbc, "ending a transaction");
}

void OdbcSession::CommitTrans() {
    EndTransaction(SQL_COMMIT);
}

void OdbcSession::RollbackTrans() {
    EndTransaction(SQL_ROLLBACK);
}

}  // namespace tmigration::db::odbc
