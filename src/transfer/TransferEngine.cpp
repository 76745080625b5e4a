#include "transfer/TransferEngine.h"

#include <string>

#include "core/RecordsetHelpers.h"
#include "core/Step.h"
#include "transfer/GetNewID.h"
#include "util/VbConversions.h"

namespace tmigration::transfer {
namespace {

constexpr std::int64_t kBatchSize = 100;

bool IsNumber(const db::Value& v) {
    using Kind = db::Value::Kind;
    return v.kind() == Kind::Integer || v.kind() == Kind::Double || v.kind() == Kind::Boolean;
}

// Parents are compared as the runtime compares variants: numbers by value, the rest as text.
bool SameParent(const db::Value& a, const db::Value& b) {
    if (a.IsNull() || b.IsNull()) return a.IsNull() && b.IsNull();
    if (IsNumber(a) && IsNumber(b)) return a.AsDouble() == b.AsDouble();
    return a.AsText() == b.AsText();
}

const std::pair<std::int64_t, std::int64_t>* FindSeed(const SeedMerge& merge, const db::Value& id) {
    if (id.IsNull()) return nullptr;
    const std::int64_t legacyId = id.AsInteger();
    for (const auto& seed : merge.seeds)
        if (seed.first == legacyId) return &seed;
    return nullptr;
}

// The column rules of a pass as a row writer: position the destination, set the columns, update.
class ColumnWriter {
  public:
    explicit ColumnWriter(const Pass& pass) : pass_(pass), ordinals_(pass.columns.size()) {}

    bool operator()(TransferRow& row) {
        const auto* seed = pass_.merge
                               ? FindSeed(*pass_.merge, row.legacy.Get(std::string(pass_.merge->idColumn)))
                               : nullptr;
        if (seed) {
            row.destination.MoveFirst();
            if (!pass_.merge->findColumn.empty())
                row.destination.Find(std::string(pass_.merge->findColumn) + " = " +
                                     std::to_string(seed->second));
        } else {
            row.destination.AddNew();
        }
        for (std::size_t i = 0; i < pass_.columns.size(); ++i)
            ApplyColumn(pass_.columns[i], row, ordinals_[i]);
        row.destination.Update();
        return true;
    }

  private:
    const Pass& pass_;
    std::vector<OrdinalState> ordinals_;
};

void WriteBackKey(const Pass& pass, TransferRow& row) {
    if (pass.writeBack.form == WriteBack::Form::None) return;
    const std::int32_t newKey = util::CLng(row.destination.Get(std::string(pass.key)));
    if (pass.writeBack.form == WriteBack::Form::RowSet) {
        row.legacy.Set("SFC_ID", db::Value(newKey));
        row.legacy.Update();
        return;
    }
    const std::string keyColumn(pass.writeBack.keyColumn);
    const std::string sql = "UPDATE " + std::string(pass.writeBack.table) + " " +
                            " SET SFC_ID = " + std::to_string(newKey) + " where " + keyColumn + " = " +
                            row.legacy.Get(keyColumn).AsText();
    std::string message;
    if (!core::ExecuteSQL(sql, message)) row.step.Fail(message);
}

// Runs one pass's rows: the loop shared by the row-by-row and the batched pattern.
class PassRunner {
  public:
    PassRunner(core::Step& step, const Pass& pass) : step_(step), pass_(pass) {}

    // Opens what the rows are written to once the pass has rows to write.
    void OpenDestination(const std::string& sql) {
        destination_ = &step_.OpenServer(sql);
        if (!pass_.secondDestination.empty() && !second_)
            second_ = &step_.OpenServer(pass_.secondDestination);
        if (!writer_) writer_ = pass_.writer ? pass_.writer(step_) : RowWriter(ColumnWriter(pass_));
    }
    void CloseDestination() {
        if (destination_) step_.Close(*destination_);
        destination_ = nullptr;
    }
    void CloseSecond() {
        if (second_) step_.Close(*second_);
        second_ = nullptr;
    }

    // Every row of the legacy row set, from the first; the counter runs on across calls.
    void WriteRows(db::Recordset& legacy, std::int64_t total) {
        legacy.MoveFirst();
        while (!legacy.Eof()) {
            TransferRow row{step_, legacy, *destination_, second_, &counts};
            ++counts.read;
            if (writer_(row)) {
                ++counts.written;
                if (pass_.extraRows) pass_.extraRows(row);
                WriteBackKey(pass_, row);
            } else {
                ++counts.skipped[std::string(row.skipReason.empty() ? kNoRowWritten : row.skipReason)];
            }
            legacy.MoveNext();
            ++done_;
            step_.ShowProgress(done_, total);
        }
    }

    TransferCounts counts;

  private:
    core::Step& step_;
    const Pass& pass_;
    db::Recordset* destination_ = nullptr;
    db::Recordset* second_ = nullptr;
    RowWriter writer_;
    std::int64_t done_ = 0;
};

TransferCounts RunRowByRow(core::Step& step, const Pass& pass) {
    PassRunner runner(step, pass);
    db::Recordset& legacy = step.OpenClient(pass.query);
    const std::int64_t total = legacy.RecordCount();
    if (total < 1) {
        step.Close(legacy);
        return {};
    }
    runner.OpenDestination(pass.destinationQuery.empty() ? "select * from " + std::string(pass.destination)
                                                         : pass.destinationQuery);
    runner.WriteRows(legacy, total);
    runner.CloseSecond();
    runner.CloseDestination();
    step.Close(legacy);
    return runner.counts;
}

db::Value ScalarOf(core::Step& step, const std::string& sql, const std::string& column) {
    db::Recordset& rs = step.OpenClient(sql);
    db::Value value = rs.Get(column);
    step.Close(rs);
    return value;
}

TransferCounts RunBatched(core::Step& step, const Pass& pass) {
    const Batches& b = *pass.batches;
    const std::string table(b.table), key(b.keyColumn);
    const std::int64_t total =
        ScalarOf(step, "select COUNT(" + key + ") as CT " + " from " + table + b.countCondition, "CT")
            .AsInteger();
    if (total == 0) return {};
    const std::int64_t maxId =
        ScalarOf(step, "select MAX(" + key + ") AS MAX_ID " + " from " + table + b.countCondition, "MAX_ID")
            .AsInteger();
    const std::int64_t batches = maxId % kBatchSize == 0 ? maxId / kBatchSize : maxId / kBatchSize + 1;
    const std::string appendOnly =
        pass.destinationQuery.empty()
            ? "select * from " + std::string(pass.destination) + " where " + std::string(pass.key) + " = 0"
            : pass.destinationQuery;
    PassRunner runner(step, pass);
    for (std::int64_t batch = 0; batch < batches; ++batch) {
        db::Recordset& legacy = step.OpenClient(
            "select * from " + table + " where " + key + " >= " + std::to_string(kBatchSize * batch + 1) +
            " and " + key + " <= " + std::to_string(kBatchSize * batch + kBatchSize) + b.extraCondition);
        if (!legacy.Eof()) {
            runner.OpenDestination(appendOnly);
            runner.WriteRows(legacy, total);
            runner.CloseDestination();
        }
        step.Close(legacy);
    }
    runner.CloseSecond();
    return runner.counts;
}

}  // namespace

std::optional<db::Value> TranslateCode(const CodeTable& table, const db::Value& legacy) {
    if (legacy.IsNull() && table.whenNull) return table.whenNull;
    if (table.read == CodeTable::Read::Number) {
        const double number = legacy.AsDouble();
        for (const auto& [from, to] : table.codes)
            if (from.AsDouble() == number) return to;
    } else {
        const std::string text = legacy.AsText();
        for (const auto& [from, to] : table.codes)
            if (from.AsText() == text) return to;
    }
    return table.otherwise;
}

namespace {

// A legacy key whose row has no new key leaves the column Null: noted per column for the counts.
db::Value NewKey(const Column& column, TransferRow& row, const db::Value& legacy) {
    db::Value key = GetNewID(column.refTable, column.refKey, legacy);
    if (row.counts && key.IsNull() && !legacy.IsNull())
        ++row.counts->nullKeys[std::string(column.destination) + " <- " + std::string(column.refTable)];
    return key;
}

}  // namespace

void ApplyColumn(const Column& column, TransferRow& row, OrdinalState& ordinal) {
    using Rule = Column::Rule;
    const std::string destination(column.destination);
    const auto legacy = [&]() -> const db::Value& { return row.legacy.Get(std::string(column.source)); };
    switch (column.rule) {
        case Rule::Copy:
            row.destination.Set(destination, legacy());
            return;
        case Rule::Key:
            row.destination.Set(destination, NewKey(column, row, legacy()));
            return;
        case Rule::KeyLong:
            row.destination.Set(destination,
                                db::Value(util::CLng(GetNewID(column.refTable, column.refKey, legacy()))));
            return;
        case Rule::Code:
            if (auto value = TranslateCode(*column.codes, legacy())) row.destination.Set(destination, *value);
            return;
        case Rule::Constant:
            row.destination.Set(destination, column.value);
            return;
        case Rule::ZeroWhenNull: {
            const db::Value& value = legacy();
            row.destination.Set(destination, value.IsNull() ? db::Value(0) : value);
            return;
        }
        case Rule::Text:
            row.destination.Set(destination, db::Value(legacy().AsText()));
            return;
        case Rule::Ordinal: {
            const db::Value parent = legacy();
            ordinal.counter = SameParent(parent, ordinal.previousParent) ? ordinal.counter + 1 : 1;
            ordinal.previousParent = parent;
            row.destination.Set(destination, db::Value(ordinal.counter));
            return;
        }
        case Rule::Custom:
            if (auto value = column.custom(row)) row.destination.Set(destination, *value);
            return;
    }
}

TransferCounts RunPass(core::Step& step, const Pass& pass) {
    if (!pass.label.empty()) step.ShowInfo(pass.label);
    return pass.batches ? RunBatched(step, pass) : RunRowByRow(step, pass);
}

TransferCounts RunTransfer(core::Step& step, const Transfer& transfer) {
    TransferCounts counts;
    for (const Pass& pass : transfer) counts += RunPass(step, pass);
    return counts;
}

}  // namespace tmigration::transfer
