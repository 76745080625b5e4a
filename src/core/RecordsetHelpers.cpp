#include "core/RecordsetHelpers.h"

#include <exception>

#include "core/SharedConnection.h"

namespace tmigration::core {
namespace {

void CancelAndClose(db::Recordset& rs) {
    if (rs.State() != db::adStateOpen) return;
    if (!rs.BOF() && !rs.Eof() && rs.EditMode() != db::adEditNone) rs.CancelUpdate();
    rs.Close();
}

}  // namespace

void RecordsetCloser::operator()(db::Recordset* rs) const noexcept {
    try {
        CancelAndClose(*rs);
    } catch (...) {
        // Releasing on the way out of a failed step: the step's own error is the one reported.
    }
    delete rs;
}

RecordsetPtr NewRecordset() {
    return RecordsetPtr(new db::Recordset());
}

void SetupClientRecordset(db::Recordset& rs) {
    rs.SetCursorLocation(db::adUseClient);
    rs.SetLockType(db::adLockOptimistic);
    rs.SetCursorType(db::adOpenStatic);
    rs.SetActiveConnection(&gConnection());
}

void SetupServerRecordset(db::Recordset& rs) {
    SetupClientRecordset(rs);
    rs.SetCursorLocation(db::adUseServer);
    rs.SetCursorType(db::adOpenKeyset);
}

void OpenRecordset(db::Recordset& rs, const std::string& sql) {
    rs.Open(sql);
}

void CloseRecordset(RecordsetPtr& rs) {
    if (!rs) return;
    CancelAndClose(*rs);
    rs.reset();
}

RecordsetPtr OpenClientRecordset(const std::string& sql) {
    RecordsetPtr rs = NewRecordset();
    SetupClientRecordset(*rs);
    OpenRecordset(*rs, sql);
    return rs;
}

RecordsetPtr OpenServerRecordset(const std::string& sql) {
    RecordsetPtr rs = NewRecordset();
    SetupServerRecordset(*rs);
    OpenRecordset(*rs, sql);
    return rs;
}

bool ExecuteSQL(const std::string& sql, std::string& strError) {
    if (sql.empty()) return true;
    try {
        gConnection().Execute(sql);
        return true;
    } catch (const std::exception& e) {
        strError = e.what();
        return false;
    }
}

}  // namespace tmigration::core
