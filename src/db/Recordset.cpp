#include "db/Recordset.h"

#include <algorithm>
#include <cctype>

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/TextCompare.h"
#include "util/Text.h"

namespace tmigration::db {
namespace {

constexpr const char* kNoCurrentRecord =
    "Either BOF or EOF is True, or the current record has been deleted. Requested operation requires a "
    "current record.";
constexpr const char* kClosed = "Operation is not allowed when the object is closed.";
constexpr const char* kReadOnly =
    "Current Recordset does not support updating. This may be a limitation of the provider, or of the "
    "selected locktype.";

// One-column criterion of Find: "COL op literal".
struct Criterion {
    std::string column;
    std::string op;
    Value literal;
};

Criterion ParseCriterion(const std::string& text) {
    static const char* kOps[] = {"<>", "<=", ">=", "=", "<", ">"};
    for (std::size_t i = 0; i < text.size(); ++i) {
        for (const char* op : kOps) {
            std::string_view o(op);
            if (text.compare(i, o.size(), o) != 0) continue;
            Criterion c{std::string(util::Trim(std::string_view(text).substr(0, i))), std::string(o),
                        Value()};
            std::string lit(util::Trim(std::string_view(text).substr(i + o.size())));
            if (c.column.empty() || lit.empty())
                throw DbError(
                    "Arguments are of the wrong type, are out of acceptable range, or are in conflict with "
                    "one another.");
            if (lit.size() >= 2 && (lit.front() == '\'' || lit.front() == '#') && lit.back() == lit.front()) {
                std::string inner = lit.substr(1, lit.size() - 2);
                if (lit.front() == '#') {
                    auto dt = DateTime::ParseIso(inner);
                    if (!dt)
                        throw DbError(
                            "Arguments are of the wrong type, are out of acceptable range, or are in "
                            "conflict with one another.");
                    c.literal = Value(*dt);
                } else {
                    c.literal = Value(std::move(inner));
                }
            } else if (util::EqualsIgnoringCase(lit, "NULL")) {
                c.literal = Value();
            } else {
                Value v(lit);
                try {
                    double d = v.AsDouble();
                    c.literal = (d == static_cast<double>(static_cast<std::int64_t>(d)) &&
                                 lit.find_first_of(".eE") == std::string::npos)
                                    ? Value(static_cast<std::int64_t>(d))
                                    : Value(d);
                } catch (const DbError&) {
                    throw DbError(
                        "Arguments are of the wrong type, are out of acceptable range, or are in conflict "
                        "with one another.");
                }
            }
            return c;
        }
    }
    throw DbError(
        "Arguments are of the wrong type, are out of acceptable range, or are in conflict with one another.");
}

}  // namespace

// ---- Field ---------------------------------------------------------------------------------

const std::string& Field::Name() const {
    return rs_->columns_.at(index_).name;
}
int Field::Type() const {
    return rs_->columns_.at(index_).adoType;
}
const Value& Field::GetValue() const {
    return rs_->CellValue(index_);
}
void Field::SetValue(Value v) {
    rs_->SetCellValue(index_, std::move(v));
}

// ---- Recordset -----------------------------------------------------------------------------

Recordset::Recordset() = default;
Recordset::~Recordset() = default;

EngineSession& Recordset::Session() const {
    if (!connection_)
        throw DbError(
            "The connection cannot be used to perform this operation. It is either closed or invalid in this "
            "context.");
    return connection_->Session();
}

void Recordset::RequireOpen() const {
    if (!open_) throw DbError(kClosed);
}

void Recordset::Open(const std::string& sql) {
    if (open_) throw DbError("Operation is not allowed when the object is open.");
    Session();  // a missing or closed connection is reported before anything is sent
    connection_->NotifyStatement(sql);
    sql_ = sql;
    ExecuteQuery();
    open_ = true;
}

void Recordset::ExecuteQuery() {
    cursor_ = Session().Query(sql_);
    columns_ = cursor_->Columns();
    table_ = cursor_->UpdatableTable();
    rows_.Clear();
    added_.Clear();
    names_.clear();
    for (std::size_t i = 0; i < columns_.size(); ++i) names_.emplace(util::ToUpper(columns_[i].name), i);
    editMode_ = adEditNone;
    pos_ = 0;
    if (cursorLocation_ == adUseClient) {
        FetchUpTo(static_cast<std::size_t>(-1));
    } else {
        FetchUpTo(0);
    }
    bof_ = rows_.Size() == 0;
    // Computed columns have no declared type: take it from the first row's value.
    if (rows_.Size() > 0) {
        const Row& first = rows_.Get(0);
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            if (columns_[i].adoType != 0) continue;
            switch (first.values[i].kind()) {
                case Value::Kind::Integer:
                    columns_[i].adoType = 3;
                    break;
                case Value::Kind::Double:
                    columns_[i].adoType = 5;
                    break;
                case Value::Kind::DateTime:
                    columns_[i].adoType = 7;
                    break;
                case Value::Kind::Boolean:
                    columns_[i].adoType = 11;
                    break;
                default:
                    columns_[i].adoType = 202;
                    break;
            }
        }
    }
}

bool Recordset::FetchUpTo(std::size_t position) {
    while (cursor_ && rows_.Size() <= position) {
        Row row;
        if (!cursor_->Fetch(row)) {
            cursor_.reset();
            break;
        }
        // Rows this row set appended itself are already in rows_.
        if (!added_.Empty() && added_.Contains(row.id)) continue;
        rows_.Append(std::move(row));
    }
    return position < rows_.Size();
}

void Recordset::Close() {
    RequireOpen();
    cursor_.reset();
    rows_.Clear();
    added_.Clear();
    columns_.clear();
    names_.clear();
    table_.clear();
    editMode_ = adEditNone;
    open_ = false;
}

int Recordset::State() const {
    return open_ ? adStateOpen : adStateClosed;
}

bool Recordset::BOF() const {
    RequireOpen();
    return bof_;
}

bool Recordset::Eof() const {
    RequireOpen();
    return pos_ >= rows_.Size();
}

std::size_t Recordset::FieldCount() const {
    RequireOpen();
    return columns_.size();
}

Field Recordset::Fields(std::size_t index) {
    RequireOpen();
    if (index >= columns_.size())
        throw DbError(
            "Item cannot be found in the collection corresponding to the requested name or ordinal.");
    return Field(*this, index);
}

Field Recordset::Fields(const std::string& name) {
    return Field(*this, ColumnIndex(name));
}

std::size_t Recordset::ColumnIndex(const std::string& name) const {
    RequireOpen();
    auto it = names_.find(util::ToUpper(name));
    if (it == names_.end())
        throw DbError(
            "Item cannot be found in the collection corresponding to the requested name or ordinal.");
    return it->second;
}

bool Recordset::OnLiveRow() const {
    return pos_ >= rows_.First() && pos_ < rows_.Size() && !rows_.Deleted(pos_);
}

void Recordset::RequireCurrentRow() const {
    if (!OnLiveRow()) throw DbError(kNoCurrentRecord);
}

const Value& Recordset::CellValue(std::size_t index) const {
    RequireOpen();
    if (editMode_ != adEditNone) return pending_.values[index];
    RequireCurrentRow();
    return rows_.Get(pos_).values[index];
}

void Recordset::RequireUpdatable() const {
    if (table_.empty() || lockType_ == adLockReadOnly) throw DbError(kReadOnly);
}

void Recordset::SetCellValue(std::size_t index, Value v) {
    RequireOpen();
    RequireUpdatable();
    if (editMode_ == adEditNone) {
        RequireCurrentRow();
        pending_ = rows_.Get(pos_);
        touched_.assign(columns_.size(), false);
        editMode_ = adEditInProgress;
    }
    pending_.values[index] = std::move(v);
    touched_[index] = true;
}

void Recordset::AddNew() {
    RequireOpen();
    RequireUpdatable();
    if (editMode_ != adEditNone) Update();
    pending_ = Row{0, std::vector<Value>(columns_.size())};
    touched_.assign(columns_.size(), false);
    editMode_ = adEditAdd;
}

void Recordset::Update() {
    RequireOpen();
    if (editMode_ == adEditNone) return;
    std::vector<std::string> names;
    std::vector<Value> values;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (!touched_[i]) continue;
        names.push_back(columns_[i].name);
        values.push_back(pending_.values[i]);
    }
    std::vector<std::string> all;
    all.reserve(columns_.size());
    for (const auto& c : columns_) all.push_back(c.name);

    EngineSession& session = Session();
    if (editMode_ == adEditAdd) {
        const RowId id = session.InsertRow(table_, names, values);
        Row row{id, {}};
        // Read back what the database stored, the assigned key among it.
        if (!session.ReadRow(table_, id, all, row.values)) row.values = pending_.values;
        if (cursor_) added_.Insert(id);
        rows_.Append(std::move(row));
        pos_ = rows_.Size() - 1;
        bof_ = false;
        TrimBehindCurrentRow();
    } else {
        if (!names.empty()) session.UpdateRow(table_, pending_.id, names, values);
        Row& row = rows_.Edit(pos_);
        if (!session.ReadRow(table_, row.id, all, row.values)) row.values = pending_.values;
    }
    editMode_ = adEditNone;
}

void Recordset::CancelUpdate() {
    RequireOpen();
    editMode_ = adEditNone;
}

void Recordset::Delete() {
    RequireOpen();
    RequireUpdatable();
    if (editMode_ == adEditAdd) {
        editMode_ = adEditNone;
        return;
    }
    RequireCurrentRow();
    Session().DeleteRow(table_, rows_.Get(pos_).id);
    rows_.MarkDeleted(pos_);
    editMode_ = adEditNone;
}

void Recordset::MoveFirst() {
    RequireOpen();
    if (editMode_ != adEditNone) Update();
    if (rows_.First() > 0) {
        ExecuteQuery();  // the first rows were let go: read them again
        return;
    }
    pos_ = 0;
    while (FetchUpTo(pos_) && rows_.Deleted(pos_)) ++pos_;
}

void Recordset::MoveNext() {
    RequireOpen();
    if (editMode_ != adEditNone) Update();
    if (pos_ >= rows_.Size()) throw DbError(kNoCurrentRecord);
    ++pos_;
    while (FetchUpTo(pos_) && rows_.Deleted(pos_)) ++pos_;
    bof_ = false;
    if (pos_ - rows_.First() >= RowStore::kBlockRows) TrimBehindCurrentRow();
}

void Recordset::TrimBehindCurrentRow() {
    if (cursorLocation_ != adUseServer) return;
    rows_.ForgetBefore(pos_);
}

void Recordset::KeyRuns::Insert(RowId id) {
    auto next = runs_.upper_bound(id);
    if (next != runs_.begin()) {
        auto prev = std::prev(next);
        if (id <= prev->second) return;  // already in
        if (id == prev->second + 1) {
            prev->second = id;
            if (next != runs_.end() && next->first == id + 1) {
                prev->second = next->second;
                runs_.erase(next);
            }
            return;
        }
    }
    if (next != runs_.end() && next->first == id + 1) {
        const RowId last = next->second;
        runs_.erase(next);
        runs_.emplace(id, last);
        return;
    }
    runs_.emplace(id, id);
}

bool Recordset::KeyRuns::Contains(RowId id) const {
    auto next = runs_.upper_bound(id);
    return next != runs_.begin() && id <= std::prev(next)->second;
}

std::int64_t Recordset::RecordCount() {
    RequireOpen();
    if (cursor_ || rows_.First() > 0) return Session().CountRows(sql_);
    return static_cast<std::int64_t>(rows_.Live());
}

void Recordset::Find(const std::string& criterion) {
    RequireOpen();
    const Criterion c = ParseCriterion(criterion);
    const std::size_t col = ColumnIndex(c.column);
    const bool caseSensitive = connection_ && connection_->GetDialect() == Dialect::Oracle;
    while (FetchUpTo(pos_)) {
        if (!rows_.Deleted(pos_)) {
            const Value& v = rows_.Get(pos_).values[col];
            if (!v.IsNull() && !c.literal.IsNull()) {
                const int cmp = CompareValues(v, c.literal, caseSensitive);
                const bool hit = (c.op == "=" && cmp == 0) || (c.op == "<>" && cmp != 0) ||
                                 (c.op == "<" && cmp < 0) || (c.op == ">" && cmp > 0) ||
                                 (c.op == "<=" && cmp <= 0) || (c.op == ">=" && cmp >= 0);
                if (hit) return;
            }
        }
        ++pos_;
    }
}

void Recordset::Requery() {
    RequireOpen();
    connection_->NotifyStatement(sql_);
    ExecuteQuery();
}

}  // namespace tmigration::db
