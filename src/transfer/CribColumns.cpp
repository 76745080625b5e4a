#include "transfer/CribColumns.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "db/DbError.h"
#include "transfer/GetNewID.h"
#include "util/VbConversions.h"

namespace tmigration::transfer {
namespace {

constexpr std::int64_t kInches = 3295, kMillimetres = 3296;

// The unit names of dimensions, each at the position of its new unit code.
constexpr std::array<std::string_view, 20> kUnitNames = {
    "IN", "MM", "IN-LB", "FT-LB", "LBS", "G",   "PSI", "HG",      "GPM",     "HZ",
    "F",  "C",  "WATT",  "VOLT",  "OHM", "AMP", "CD",  "DEGREES", "RADIANS", "PASS/FAIL"};

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

const CodeTable& UnitIds() {
    static const CodeTable table{
        CodeTable::Read::Number, {{kInches, 0}, {kMillimetres, 1}}, std::nullopt, db::Value()};
    return table;
}

}  // namespace

Pass MakePass(std::string query, std::string_view destination, std::string_view key,
              std::vector<Column> columns) {
    Pass p;
    p.query = std::move(query);
    p.destination = destination;
    p.key = key;
    p.columns = std::move(columns);
    return p;
}

Column YesNo(std::string_view destination, std::string_view source, int whenNull) {
    const std::string field(source);
    return Computed(destination, [field, whenNull](TransferRow& row) -> std::optional<db::Value> {
        const db::Value& v = row.legacy.Get(field);
        if (v.IsNull()) return db::Value(whenNull);
        return db::Value(Upper(v.AsText()) == "YES" ? 1 : 0);
    });
}

Column UnitsById() {
    return Coded("UNIT_CODE", "UNITS_ID", UnitIds());
}

Column UnitsByText() {
    return Computed("UNIT_CODE", [](TransferRow& row) -> std::optional<db::Value> {
        const db::Value& v = row.legacy.Get("UNITS");
        if (v.IsNull()) return std::nullopt;
        const std::string name = Upper(v.AsText());
        for (std::size_t code = 0; code < kUnitNames.size(); ++code)
            if (kUnitNames[code] == name) return db::Value(static_cast<int>(code));
        return std::nullopt;
    });
}

Column Required() {
    return Computed("IS_REQUIRED", [](TransferRow& row) -> std::optional<db::Value> {
        const db::Value& v = row.legacy.Get("IS_REQUIRED");
        return db::Value(v.IsNull() || v.AsText() == "NO" ? 0 : 1);
    });
}

Column SerialNumber() {
    return Computed("SERIAL_NO", [](TransferRow& row) -> std::optional<db::Value> {
        const std::string serial = row.legacy.Get("SERIAL_NO").AsText();
        if (serial.empty()) throw db::DbError("Invalid procedure call or argument");
        return db::Value(serial.substr(1));
    });
}

Column ReferenceFlag(std::string_view source) {
    static const CodeTable flags{CodeTable::Read::Text, {{"YES", 1}, {"NO", 0}}, std::nullopt, db::Value(1)};
    return Coded("REFERENCE_SF", source, flags);
}

std::vector<Column> Polymorphic(std::string_view codeColumn, std::string_view targetColumn,
                                std::string_view legacyTableColumn, std::string_view legacyTargetColumn,
                                std::vector<PolymorphicTarget> targets, bool nullGivesNull) {
    const std::string tableField(legacyTableColumn), targetField(legacyTargetColumn);
    // The target the row's legacy table id names; nullptr when it names none.
    const auto find = [tableField, targets](TransferRow& row) -> const PolymorphicTarget* {
        const double id = row.legacy.Get(tableField).AsDouble();
        for (const auto& target : targets)
            if (static_cast<double>(target.legacyTableId) == id) return &target;
        return nullptr;
    };
    Column code = Computed(codeColumn, [find, tableField, nullGivesNull](TransferRow& row) {
        if (nullGivesNull && row.legacy.Get(tableField).IsNull())
            return std::optional<db::Value>(db::Value());
        const auto* target = find(row);
        return target ? std::optional<db::Value>(db::Value(static_cast<long long>(target->tableCode)))
                      : std::nullopt;
    });
    Column target = Computed(targetColumn, [find, tableField, targetField, nullGivesNull](TransferRow& row) {
        if (nullGivesNull && row.legacy.Get(tableField).IsNull())
            return std::optional<db::Value>(db::Value());
        const auto* chosen = find(row);
        if (!chosen) return std::optional<db::Value>();
        return std::optional<db::Value>(GetNewID(chosen->table, chosen->key, row.legacy.Get(targetField)));
    });
    return {std::move(code), std::move(target)};
}

void AddVendorSlots(Pass& pass, std::int64_t ownerTableCode) {
    pass.secondDestination = "select * from T_SFC_VENDOR_INFO " + std::string(" where TABLE_CODE = ") +
                             std::to_string(ownerTableCode);
    const std::string key(pass.key);
    pass.extraRows = [key, ownerTableCode](TransferRow& row) {
        const std::int32_t owner = util::CLng(row.destination.Get(key));
        for (int slot = 1; slot <= 3; ++slot) {
            const std::string prefix = "VENDOR" + std::to_string(slot);
            const db::Value vendor = row.legacy.Get(prefix + "_ID");
            if (vendor.IsNull()) continue;
            db::Recordset& info = *row.second;
            info.AddNew();
            info.Set("TABLE_CODE", db::Value(static_cast<long long>(ownerTableCode)));
            info.Set("TARGET_ID", db::Value(owner));
            info.Set("VENDOR_ID", GetNewID("T_TRNK_VENDOR", "VENDOR_ID", vendor));
            info.Set("ORDINAL", db::Value(slot));
            info.Set("CATALOG_NUMBER", row.legacy.Get(prefix + "_NUMBER"));
            info.Set("VENDOR_COST", row.legacy.Get(prefix + "_COST"));
            info.Set("MIN_ORDER_QTY", row.legacy.Get(prefix + "_MIN_ORDER_QTY"));
            info.Update();
        }
    };
}

}  // namespace tmigration::transfer
