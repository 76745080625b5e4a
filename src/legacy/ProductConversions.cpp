#include "legacy/ProductConversions.h"

#include <cstdint>
#include <string>
#include <vector>

#include "core/RecordsetHelpers.h"
#include "legacy/LegacyTableCreator.h"
#include "util/Text.h"
#include "util/VbConversions.h"

namespace tmigration::legacy {
namespace {

// Walks a history in order of its owner and date: the first row of each owner is the initial one.
void MarkInitialRows(core::Step& step, const std::string& sql, const char* owner) {
    db::Recordset& rows = step.OpenClient(sql);
    bool first = true;
    db::Value previous;
    for (; !rows.Eof(); rows.MoveNext()) {
        const db::Value current = rows.Get(owner);
        const bool initial = first || current != previous;
        first = false;
        previous = current;
        rows.Set("IS_INITIAL", db::Value(initial ? 1 : 0));
        rows.Update();
    }
    step.Close(rows);
}

// Where a calibration (rework) set's names come from and go to.
struct SetShape {
    const char* history;         // "select ... order by" of the history rows with their number
    const char* numberColumn;    // the number's key in that select
    const char* dimensions;      // the dimensions of one number: & the number's id
    const char* dimensionName;   // the dimension's name column
    const char* dimensionKey;    // the dimension's key column
    const char* setTable;        // the set table, opened empty for appending
    const char* setKey;          // its key column
    const char* historyKey;      // the history key in the set and measurement tables
    const char* measurements;    // the measurement table
    const char* measuredColumn;  // the measurement's dimension column, which names the set row after
};

constexpr SetShape kCalibrationSets{
    "select H.CALHIST_ID, H.IS_INITIAL, G.GAUGE_NO_ID from T_TRNK_CALHIST H, T_TRNK_GAUGES G  where "
    "H.GAUGE_ID = G.GAUGE_ID  order by G.GAUGE_NO_ID, H.CALHIST_ID",
    "GAUGE_NO_ID",
    "select * from T_TRNK_GAUGE_CAL_DIM  where GAUGE_NO_ID = ",
    "GAUGE_CAL_DIM_NAME",
    "GAUGE_CAL_DIM_ID",
    "select * from T_TRNK_CAL_SET  where CAL_SET_ID = 0",
    "CAL_SET_ID",
    "CALHIST_ID",
    "T_TRNK_CALIBRATE",
    "GAUGE_CAL_DIM_ID"};

constexpr SetShape kReworkSets{
    "select H.REWORKHIST_ID, H.IS_INITIAL, T.TOOL_NO_ID from T_TRNK_REWORKHIST H, T_TRNK_TOOLS T  where "
    "H.TOOL_ID = T.TOOL_ID  order by T.TOOL_NO_ID, H.REWORKHIST_ID",
    "TOOL_NO_ID",
    "select * from T_TRNK_TOOL_CAL_DIM  where TOOL_NO_ID = ",
    "TOOL_CAL_DIM_NAME",
    "TOOL_CAL_DIM_ID",
    "select * from T_TRNK_TOOL_CAL_SET  where TOOL_CAL_SET_ID = 0",
    "TOOL_CAL_SET_ID",
    "REWORKHIST_ID",
    "T_TRNK_REWORK",
    "TOOL_REWORK_DIM_ID"};

// The columns a set row copies from its dimension, under the same names but the first.
constexpr const char* kSetColumns[] = {"UNITS",     "PRECISION", "TARGET_DIM", "UPPER_TOL",
                                       "LOWER_TOL", "DETAILS",   "ORDINAL",    "IS_REQUIRED"};

struct Dimension {
    std::int32_t id = 0;
    std::vector<db::Value> values;  // the name, then kSetColumns
};

// The dimensions of one number, read once for all its history rows.
std::vector<Dimension> ReadDimensions(core::Step& step, const SetShape& shape, std::int32_t number) {
    db::Recordset& rows = step.OpenClient(std::string(shape.dimensions) + std::to_string(number) +
                                          " order by " + shape.dimensionKey);
    std::vector<Dimension> dims;
    for (; !rows.Eof(); rows.MoveNext()) {
        Dimension d;
        d.id = util::CLng(rows.Get(shape.dimensionKey));
        d.values.push_back(rows.Get(shape.dimensionName));
        for (const char* column : kSetColumns) d.values.push_back(rows.Get(column));
        dims.push_back(std::move(d));
    }
    step.Close(rows);
    return dims;
}

void CopySets(core::Step& step, const SetShape& shape) {
    db::Recordset& history = step.OpenClient(shape.history);
    db::Recordset& sets = step.OpenServer(shape.setTable);
    std::vector<Dimension> dims;
    db::Value number;
    bool read = false;
    for (; !history.Eof(); history.MoveNext()) {
        const db::Value current = history.Get(shape.numberColumn);
        if (!read || current != number) {
            dims = current.IsNull() ? std::vector<Dimension>{}
                                    : ReadDimensions(step, shape, util::CLng(current));
            number = current;
            read = true;
        }
        const std::int32_t historyId = util::CLng(history.Get(shape.historyKey));
        for (const Dimension& d : dims) {
            sets.AddNew();
            sets.Set(shape.historyKey, db::Value(historyId));
            sets.Set("DIM_NAME", d.values[0]);
            for (std::size_t i = 0; i < std::size(kSetColumns); ++i)
                sets.Set(kSetColumns[i], d.values[i + 1]);
            sets.Update();
            const std::int32_t setId = util::CLng(sets.Get(shape.setKey));
            ExecuteIn(step, std::string("UPDATE ") + shape.measurements + " SET " + shape.measuredColumn +
                                " = " + std::to_string(setId) + " WHERE " + shape.historyKey + " = " +
                                std::to_string(historyId) + " AND " + shape.measuredColumn + " = " +
                                std::to_string(d.id));
        }
    }
    step.Close(sets);
    step.Close(history);
}

}  // namespace

std::vector<std::string> SplitDimensionLabels(const std::string& text) {
    std::vector<std::string> labels;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto comma = text.find(',', start);
        const auto end = comma == std::string::npos ? text.size() : comma;
        const std::string label(util::Trim(std::string_view(text).substr(start, end - start)));
        if (!label.empty()) labels.push_back(label);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return labels;
}

void ConvertGageMetrics(core::Step& step, db::Dialect) {
    db::Recordset& ops =
        step.OpenClient("select * from T_TRNK_OPS  where PTYPE_ID = 3 and TABLE_ID = 111 order by TARGET_ID");
    db::Recordset& dims = step.OpenServer("select * from T_TRNK_GAUGE_REF_DIM  where GAUGE_REF_DIM_ID = 0");
    for (; !ops.Eof(); ops.MoveNext()) {
        const db::Value subtype = ops.Get("TARGET_ID");
        if (subtype.IsNull()) continue;
        const std::string id = std::to_string(util::CLng(subtype));
        db::Recordset& subtypes =
            step.OpenClient("select * from T_TRNK_GAUGE_SUBTYPE  where GAUGE_SUBTYPE_ID = " + id);
        if (!subtypes.Eof()) {
            subtypes.Set("DIM_LABEL_STRING", ops.Get("OPS_STRING_DATA"));
            subtypes.Set("NUM_DIMS", ops.Get("OPS_NUMBER_DATA"));
            subtypes.Update();
        }
        step.Close(subtypes);
        const db::Value labelText = ops.Get("OPS_STRING_DATA");
        const std::vector<std::string> labels =
            labelText.IsNull() ? std::vector<std::string>{} : SplitDimensionLabels(labelText.AsText());
        db::Recordset& numbers =
            step.OpenClient("select * from T_TRNK_GAUGE_NO  where GAUGE_SUBTYPE_ID = " + id);
        for (; !numbers.Eof(); numbers.MoveNext())
            for (std::size_t i = 0; i < labels.size(); ++i) {
                dims.AddNew();
                dims.Set("GAUGE_REF_DIM_NAME", db::Value(labels[i]));
                dims.Set("GAUGE_NO_ID", numbers.Get("GAUGE_NO_ID"));
                dims.Set("ORDINAL", db::Value(static_cast<int>(i + 1)));
                dims.Update();
            }
        step.Close(numbers);
    }
    step.Close(dims);
    step.Close(ops);
    std::string error;
    Require(step, MigrateRefDims(error), error);
}

bool MigrateRefDims(std::string& strError) {
    return core::RunStep({"", ""}, strError, [](core::Step& step) {
        db::Recordset& metrics = step.OpenClient(
            "select * from T_TRNK_METRICS  where PTYPE_ID = 3 and TARGET_ID IS NOT NULL  and METRICS_NAME IS "
            "NOT "
            "NULL  order by TARGET_ID ");
        for (; !metrics.Eof(); metrics.MoveNext()) {
            std::string name = metrics.Get("METRICS_NAME").AsText();
            std::string quoted = "'";
            for (char c : name) quoted += c == '\'' ? std::string("''") : std::string(1, c);
            db::Recordset& dim = step.OpenClient("select * from T_TRNK_GAUGE_REF_DIM  where GAUGE_NO_ID = " +
                                                 std::to_string(util::CLng(metrics.Get("TARGET_ID"))) +
                                                 " and GAUGE_REF_DIM_NAME = " + quoted + "'");
            for (; !dim.Eof(); dim.MoveNext()) {
                for (const char* column :
                     {"UNITS", "PRECISION", "TARGET_DIM", "UPPER_TOL", "LOWER_TOL", "DIM_TYPE_ID", "DETAILS"})
                    dim.Set(column, metrics.Get(column));
                dim.Update();
            }
            step.Close(dim);
        }
        step.Close(metrics);
    });
}

void DropGageMetrics(core::Step& step, db::Dialect) {
    for (const char* ptype : {"3", "17"}) {
        ExecuteIn(step, std::string("delete from T_TRNK_OPSPERGAUGE  where PTYPE_ID = ") + ptype);
        ExecuteIn(step, std::string("delete from T_TRNK_METRICS  where PTYPE_ID = ") + ptype);
    }
    ExecuteIn(step, "delete from T_TRNK_OPS  where PTYPE_ID = 3 and TABLE_ID = 111");
}

void RebuildCalibrationTypeKey(core::Step& step, db::Dialect dialect) {
    std::string message;
    if (!core::ExecuteSQL("ALTER TABLE T_TRNK_GAUGE_NO DROP CONSTRAINT FK_GN_ST ", message)) return;
    ExecuteIn(step, dialect == db::Dialect::Oracle
                        ? "ALTER TABLE T_TRNK_GAUGE_NO ADD ( CONSTRAINT FK_GN_ST FOREIGN KEY (CALTYPE_ID) "
                          "REFERENCES T_TRNK_SUBTYPE) "
                        : "ALTER TABLE T_TRNK_GAUGE_NO ADD CONSTRAINT FK_GN_ST FOREIGN KEY (CALTYPE_ID) "
                          "REFERENCES T_TRNK_SUBTYPE ");
}

void MarkInitialCalibrations(core::Step& step, db::Dialect) {
    MarkInitialRows(step, "select * from T_TRNK_CALHIST  order by GAUGE_ID, CAL_DATE ", "GAUGE_ID");
}

void MarkInitialReworks(core::Step& step, db::Dialect) {
    MarkInitialRows(step, "select * from T_TRNK_REWORKHIST  order by TOOL_ID, REWORK_DATE ", "TOOL_ID");
}

void CopyCalibrationSets(core::Step& step, db::Dialect) {
    CopySets(step, kCalibrationSets);
}

void CopyReworkSets(core::Step& step, db::Dialect) {
    CopySets(step, kReworkSets);
}

void DropPartPerOperationRows(core::Step& step, db::Dialect) {
    // 102 is the part-per-operation table's code in attachments and history.
    ExecuteIn(step, "DELETE from T_TRNK_MEDIADEST  where TABLE_ID = 102");
    ExecuteIn(step, "DELETE from T_TRNK_HISTORY  where SUBTYPE_ID = 102");
}

void SplitTravelerNames(core::Step& step, db::Dialect) {
    db::Recordset& travelers = step.OpenClient("select * from T_TRNK_TRAVELER ");
    for (; !travelers.Eof(); travelers.MoveNext()) {
        const db::Value name = travelers.Get("TRAVELER_NAME");
        const db::Value revision = travelers.Get("TRAVELER_REVISION");
        const std::string revisionText = revision.IsNull() ? std::string() : revision.AsText();
        db::Value number = name;
        db::Value rev = revision.IsNull() ? db::Value() : db::Value(revisionText);
        if (!name.IsNull()) {
            const std::string text = name.AsText();
            const auto p = text.find("_A");
            if (p != std::string::npos) {
                number = db::Value(text.substr(0, p));
                rev = db::Value(text.substr(p + 1) + "." + revisionText);
            }
        } else {
            // A traveler without a name keeps the number it has.
            number = travelers.Get("TRAVELER_NUMBER");
        }
        travelers.Set("TRAVELER_NUMBER", number);
        travelers.Set("TRAVELER_NAME", db::Value());
        travelers.Set("REV", rev);
        travelers.Set("TRAVELER_REVISION", db::Value());
        travelers.Update();
    }
    step.Close(travelers);
}

void NumberTravelerCustomers(core::Step& step, db::Dialect) {
    db::Recordset& rows =
        step.OpenClient("select * from T_TRNK_CUST_TRAV  order by TRAVELER_ID, CUST_TRAV_ID ");
    db::Value traveler;
    std::int32_t ordinal = 0;
    for (; !rows.Eof(); rows.MoveNext()) {
        const db::Value current = rows.Get("TRAVELER_ID");
        ordinal = current == traveler ? ordinal + 1 : 1;
        traveler = current;
        rows.Set("ORDINAL", db::Value(ordinal));
        rows.Update();
    }
    step.Close(rows);
}

void ClassifyTravelers(core::Step& step, db::Dialect) {
    db::Recordset& rows = step.OpenClient("select * from T_TRNK_TRAVELER ");
    for (; !rows.Eof(); rows.MoveNext()) {
        const std::int32_t status = util::CLng(rows.Get("STATUS_ID"));
        rows.Set("PTYPE_ID", db::Value(status >= 24 && status <= 28 ? 54 : 55));
        rows.Update();
    }
    step.Close(rows);
}

void NumberAlternates(core::Step& step, db::Dialect) {
    db::Recordset& rows = step.OpenClient("select * from T_TRNK_TRAVELER ");
    for (; !rows.Eof(); rows.MoveNext()) {
        std::int32_t alternate = 0;
        if (!rows.Get("PTYPE_ID").IsNull() && util::CLng(rows.Get("PTYPE_ID")) == 54) {
            const std::int32_t status = util::CLng(rows.Get("STATUS_ID"));
            if (status >= 24 && status <= 28) rows.Set("STATUS_ID", db::Value(status - 5));
            const db::Value userRev = rows.Get("USER_REV");
            if (!userRev.IsNull()) {
                // "A2.3": the alternate number after the letter, the revision after the point; a
                // revision without a point is all alternate.
                const std::string text = userRev.AsText();
                const auto point = text.find('.');
                const std::string before = text.substr(0, point);
                alternate = util::CLng(util::Val(before.size() > 1 ? before.substr(1) : std::string()));
                if (point != std::string::npos) rows.Set("USER_REV", db::Value(text.substr(point + 1)));
            }
        }
        rows.Set("ALT_NUM", db::Value(alternate));
        rows.Update();
    }
    step.Close(rows);
}

}  // namespace tmigration::legacy
