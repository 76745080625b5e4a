#include "legacy/PartAndOpMigration.h"

#include <cstdint>
#include <set>
#include <vector>

#include "core/RecordsetHelpers.h"
#include "core/RowDeletes.h"
#include "core/Step.h"
#include "legacy/LegacyTableCreator.h"
#include "util/Text.h"

namespace tmigration::legacy {
namespace {

constexpr std::int32_t kPartTable = 5;
constexpr std::int32_t kOperationTable = 6;

struct InstalledModules {
    bool traveler = false;
    bool gage = false;
    bool tool = false;
    bool mdc = false;
};

InstalledModules ReadInstalledModules(core::Step& step) {
    auto installed = [&](int appId) {
        db::Recordset& row =
            step.OpenClient("select * from T_TRNK_COMMON  where APP_ID = " + std::to_string(appId));
        const bool yes = !row.Eof() && !row.Get("INSTALLED").IsNull() && row.Get("INSTALLED").AsText() == "Y";
        step.Close(row);
        return yes;
    };
    InstalledModules modules;
    modules.mdc = installed(31);
    modules.traveler = installed(1);
    modules.gage = installed(11);
    modules.tool = installed(21);
    return modules;
}

std::vector<std::int32_t> ReadIds(core::Step& step, const std::string& sql, const std::string& column) {
    std::vector<std::int32_t> ids;
    db::Recordset& rs = step.OpenClient(sql);
    for (; !rs.Eof(); rs.MoveNext()) ids.push_back(static_cast<std::int32_t>(rs.Get(column).AsInteger()));
    step.Close(rs);
    return ids;
}

// A text between single quotes in a statement, its quotes doubled.
std::string QuoteText(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out;
}

std::string JoinIds(const std::vector<std::int32_t>& ids) {
    std::string list;
    for (std::int32_t id : ids) list += (list.empty() ? "" : ", ") + std::to_string(id);
    return list;
}

// Moves a reference table's rows from the retired members to the survivor; a row whose target the
// survivor already references is deleted instead.
void MergeReferences(core::Step& step, const std::string& table, const std::string& key,
                     const std::string& target, std::int32_t survivor, const std::string& retired) {
    std::vector<std::int32_t> marked;
    db::Recordset& rows =
        step.OpenClient("select * from " + table + "  where PART_ID IN (" + retired + ") order by " + key);
    for (; !rows.Eof(); rows.MoveNext()) {
        const std::string targetId = rows.Get(target).AsText();
        db::Recordset& existing = step.OpenClient("select " + key + " from " + table +
                                                  "  where PART_ID = " + std::to_string(survivor) + " and " +
                                                  target + " = " + targetId);
        const bool already = !existing.Eof();
        step.Close(existing);
        if (already) {
            marked.push_back(static_cast<std::int32_t>(rows.Get(key).AsInteger()));
        } else {
            rows.Set("PART_ID", db::Value(survivor));
            rows.Update();
        }
    }
    step.Close(rows);
    if (!marked.empty())
        ExecuteIn(step, "DELETE from " + table + "  where " + key + " IN (" + JoinIds(marked) + ")");
}

struct FamilyKind {
    const char* table;
    const char* key;
    const char* familyColumn;
    const char* revisionColumn;
    std::int32_t tableId;
};

constexpr FamilyKind kParts{"T_TRNK_PART", "PART_ID", "FAMILY_ID", "REVISION", kPartTable};
constexpr FamilyKind kOperations{"T_TRNK_OPS", "OPS_ID", "OPS_NUMBER_DATA", "REVISION_NO", kOperationTable};

// Returns the survivor and the retired members of the family of `head`, and moves their history and
// drops their attachments.
std::vector<std::int32_t> RetireMembers(core::Step& step, const FamilyKind& kind, std::int32_t head,
                                        std::int32_t& survivor) {
    const std::string members = std::string("select * from ") + kind.table + "  where " + kind.familyColumn +
                                " = " + std::to_string(head);
    const std::string order = std::string("  order by ") + kind.revisionColumn + " DESC ";
    db::Recordset& family = step.OpenClient(members + order);
    survivor = static_cast<std::int32_t>(family.Get(kind.key).AsInteger());
    step.Close(family);
    // The others of the family, the survivor left out before the ordering.
    const std::vector<std::int32_t> retired =
        ReadIds(step, members + " and " + kind.key + " <> " + std::to_string(survivor) + order, kind.key);
    for (std::int32_t member : retired)
        ExecuteIn(step, "UPDATE T_TRNK_HISTORY SET TARGET_ID = " + std::to_string(survivor) +
                            " where TARGET_ID = " + std::to_string(member) +
                            " and SUBTYPE_ID = " + std::to_string(kind.tableId));
    for (std::int32_t member : retired) core::DeleteMediaDestinations(kind.tableId, member);
    return retired;
}

void ConsolidatePartFamily(core::Step& step, const InstalledModules& modules, std::int32_t head) {
    std::int32_t survivor = 0;
    const std::vector<std::int32_t> retired = RetireMembers(step, kParts, head, survivor);
    if (retired.empty()) return;
    const std::string list = JoinIds(retired);
    const std::string set = " SET PART_ID = " + std::to_string(survivor) + " where PART_ID IN (" + list + ")";
    ExecuteIn(step, "UPDATE T_TRNK_SHIFT_HISTORY" + set);
    ExecuteIn(step, "UPDATE T_TRNK_JOB" + set);
    if (modules.traveler) {
        ExecuteIn(step, "UPDATE T_TRNK_TRAVELER" + set);
        ExecuteIn(step, "UPDATE T_TRNK_PARTPEROP" + set);
    }
    if (modules.gage)
        MergeReferences(step, "T_TRNK_GAU_PARTREF", "GAU_PARTREF_ID", "GAUGE_NO_ID", survivor, list);
    if (modules.tool) {
        MergeReferences(step, "T_TRNK_TOOL_PARTREF", "TOOL_PARTREF_ID", "TOOL_NO_ID", survivor, list);
        MergeReferences(step, "T_TRNK_CUTTER_PARTREF", "CUTTER_PARTREF_ID", "CUTTER_NO_ID", survivor, list);
        MergeReferences(step, "T_TRNK_INSERT_PARTREF", "INSERT_PARTREF_ID", "INSERT_NO_ID", survivor, list);
    }
    ExecuteIn(step, "DELETE FROM T_TRNK_PART  where PART_ID IN (" + list + ")");
}

void ConsolidateOperationFamily(core::Step& step, const InstalledModules& modules, std::int32_t head) {
    std::int32_t survivor = 0;
    const std::vector<std::int32_t> retired = RetireMembers(step, kOperations, head, survivor);
    if (retired.empty()) return;
    const std::string list = JoinIds(retired);
    const std::string set = " SET OPS_ID = " + std::to_string(survivor) + " where OPS_ID IN (" + list + ")";
    ExecuteIn(step, "UPDATE T_TRNK_SHIFT_HISTORY" + set);
    if (modules.traveler) ExecuteIn(step, "UPDATE T_TRNK_OPSPERTRAV" + set);
    ExecuteIn(step, "DELETE FROM T_TRNK_OPS  where OPS_ID IN (" + list + ")");
}

// Walks the rows in key order; each row whose number was not changed in this pass gives the
// later rows with the same number, ignoring case, the upper-cased number and "-D1", "-D2", ...
void MakeNumbersUnique(core::Step& step, db::Dialect dialect, const char* table, const char* key,
                       const char* numberColumn) {
    const std::string upper = dialect == db::Dialect::Access ? "UCASE" : "UPPER";
    std::set<std::int32_t> changed;
    db::Recordset& rows = step.OpenClient(std::string("select ") + key + ", " + numberColumn + " from " +
                                          table + "  where " + key + " > 0  order by " + key + " ");
    for (; !rows.Eof(); rows.MoveNext()) {
        const auto id = static_cast<std::int32_t>(rows.Get(key).AsInteger());
        if (changed.contains(id) || rows.Get(numberColumn).IsNull()) continue;
        const std::string number = util::ToUpper(rows.Get(numberColumn).AsText());
        db::Recordset& same = step.OpenClient(std::string("select * from ") + table + "  where " + upper +
                                              "(" + numberColumn + ") = '" + QuoteText(number) + "' and " +
                                              key + " <> " + std::to_string(id) + " order by " + key + " ");
        int k = 0;
        for (; !same.Eof(); same.MoveNext()) {
            const auto other = static_cast<std::int32_t>(same.Get(key).AsInteger());
            if (other < id || changed.contains(other)) continue;
            same.Set(numberColumn, db::Value(number + "-D" + std::to_string(++k)));
            same.Update();
            changed.insert(other);
        }
        step.Close(same);
    }
    step.Close(rows);
}

}  // namespace

bool ConsolidateParts(db::Dialect dialect, std::string& strError) {
    return core::RunStep({"", ""}, strError, [&](core::Step& step) {
        const std::vector<std::int32_t> heads = ReadIds(
            step, "select PART_ID from T_TRNK_PART  where FAMILY_ID = PART_ID  order by PART_ID ", "PART_ID");
        if (!heads.empty()) {
            const InstalledModules modules = ReadInstalledModules(step);
            for (std::int32_t head : heads) ConsolidatePartFamily(step, modules, head);
        }
        ExecuteIn(step, "UPDATE T_TRNK_PART SET FAMILY_ID = NULL WHERE PART_ID > 0");
        MakeNumbersUnique(step, dialect, "T_TRNK_PART", "PART_ID", "PART_NUMBER");
    });
}

bool ConsolidateOperations(db::Dialect dialect, std::string& strError) {
    return core::RunStep({"", ""}, strError, [&](core::Step& step) {
        // Family links: each operation joins the family of the operation its history chain starts at.
        // An operation without a history row of its own is left without a family.
        db::Recordset& ops = step.OpenClient("select * from T_TRNK_OPS where OPS_ID > 0 ");
        for (; !ops.Eof(); ops.MoveNext()) {
            db::Value history = ops.Get("HISTORY_ID");
            db::Value first;
            std::set<std::string> visited;
            while (!history.IsNull() && visited.insert(history.AsText()).second) {
                db::Recordset& row =
                    step.OpenClient("select * from T_TRNK_HISTORY  where HISTORY_ID = " + history.AsText());
                if (row.Eof()) {
                    step.Close(row);
                    break;
                }
                history = row.Get("PREV_HIST_ID");
                if (history.IsNull()) first = row.Get("TARGET_ID");
                step.Close(row);
            }
            if (first.IsNull()) continue;
            ops.Set("OPS_NUMBER_DATA", first);
            ops.Update();
        }
        step.Close(ops);
        const std::vector<std::int32_t> heads =
            ReadIds(step, "select OPS_ID from T_TRNK_OPS  where OPS_NUMBER_DATA = OPS_ID  order by OPS_ID ",
                    "OPS_ID");
        if (!heads.empty()) {
            const InstalledModules modules = ReadInstalledModules(step);
            for (std::int32_t head : heads) ConsolidateOperationFamily(step, modules, head);
        }
        ExecuteIn(step, "UPDATE T_TRNK_OPS SET OPS_NUMBER_DATA = NULL WHERE OPS_ID > 0");
        MakeNumbersUnique(step, dialect, "T_TRNK_OPS", "OPS_ID", "OPS_NUMBER");
    });
}

}  // namespace tmigration::legacy
