#include "legacy/AttachmentClass.h"

#include "core/RecordsetHelpers.h"

namespace tmigration::legacy {
namespace {

std::string TextOf(const db::Value& value) {
    return value.IsNull() ? std::string() : value.AsText();
}

std::int32_t NumberOf(const db::Value& value) {
    return value.IsNull() ? 0 : static_cast<std::int32_t>(value.AsInteger());
}

// Closes the row set however the reading ends.
struct ClosingRecordset {
    core::RecordsetPtr rs;
    ~ClosingRecordset() { core::CloseRecordset(rs); }
};

}  // namespace

void CAttachmentClass::InitializeObject(std::int32_t tableId, std::int32_t targetId) {
    tableId_ = tableId;
    targetId_ = targetId;
    initialized_ = true;
}

void CAttachmentClass::GetAttachmentsFromDatabase() {
    attachments_.clear();
    ClosingRecordset list{core::OpenClientRecordset(
        std::string("select T_TRNK_MEDIASRC.FILEPATHNAME, T_TRNK_MEDIADEST.NOTES, ") +
        " T_TRNK_MEDIADEST.RESTRICTED, T_TRNK_MEDIADEST.MEDIA_ORDINAL, " +
        " T_TRNK_MEDIASRC.MEDIASRC_ID, T_TRNK_MEDIADEST.MEDIA_TYPE, " +
        " T_TRNK_MEDIASRC.PTYPE_ID, T_TRNK_MEDIADEST.MEDIADEST_NAME " +
        " from T_TRNK_MEDIASRC, T_TRNK_MEDIADEST " + " where T_TRNK_MEDIADEST.TABLE_ID = " +
        std::to_string(tableId_) + " and T_TRNK_MEDIADEST.TARGET_ID = " + std::to_string(targetId_) +
        " and T_TRNK_MEDIADEST.MEDIASRC_ID = T_TRNK_MEDIASRC.MEDIASRC_ID " +
        " order by T_TRNK_MEDIADEST.MEDIA_ORDINAL")};
    for (db::Recordset& rs = *list.rs; !rs.Eof(); rs.MoveNext()) {
        attachments_.push_back(Attachment{TextOf(rs.Get("FILEPATHNAME")), TextOf(rs.Get("MEDIADEST_NAME")),
                                          TextOf(rs.Get("NOTES")), TextOf(rs.Get("RESTRICTED")),
                                          NumberOf(rs.Get("MEDIASRC_ID")), TextOf(rs.Get("MEDIA_TYPE")),
                                          NumberOf(rs.Get("PTYPE_ID"))});
    }
}

void CAttachmentClass::MergeAttachments(std::int32_t sourceTableId, std::int32_t sourceTargetId) {
    if (!initialized_) return;
    MoveAttachments(sourceTableId, sourceTargetId);
    GetAttachmentsFromDatabase();
}

void CAttachmentClass::MoveAttachments(std::int32_t sourceTableId, std::int32_t sourceTargetId) {
    if (!initialized_) return;
    {
        ClosingRecordset rows{core::OpenClientRecordset(
            "select * from T_TRNK_MEDIADEST  where TABLE_ID = " + std::to_string(sourceTableId) +
            " and TARGET_ID = " + std::to_string(sourceTargetId))};
        for (db::Recordset& rs = *rows.rs; !rs.Eof(); rs.MoveNext()) {
            rs.Set("TABLE_ID", db::Value(tableId_));
            rs.Set("TARGET_ID", db::Value(targetId_));
            rs.Update();
        }
    }
}

}  // namespace tmigration::legacy
