// CAttachmentClass: the attachment list of one record (a table identifier and the record's key)
// and the means to take over the attachments of another record. Attachments are files registered
// once in T_TRNK_MEDIASRC and hung on records through T_TRNK_MEDIADEST rows; taking them over
// re-points those rows, it does not copy them. Database errors go to the caller.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tmigration::legacy {

class CAttachmentClass {
  public:
    struct Attachment {
        std::string FILEPATHNAME;
        std::string MEDIADEST_NAME;
        std::string NOTES;
        std::string RESTRICTED;
        std::int32_t MEDIASRC_ID = 0;
        std::string MEDIA_TYPE;
        std::int32_t PTYPE_ID = 0;
    };

    void InitializeObject(std::int32_t tableId, std::int32_t targetId);
    // Reloads the list, in the order of MEDIA_ORDINAL.
    void GetAttachmentsFromDatabase();
    // Hangs the source record's attachments on this record and reloads the list; nothing happens
    // before InitializeObject.
    void MergeAttachments(std::int32_t sourceTableId, std::int32_t sourceTargetId);
    // The same without reloading the list: for schemas older than the list's own query (before
    // T_TRNK_MEDIASRC had PTYPE_ID), where only the rows are to move.
    void MoveAttachments(std::int32_t sourceTableId, std::int32_t sourceTargetId);

    const std::vector<Attachment>& Attachments() const { return attachments_; }
    std::size_t Count() const { return attachments_.size(); }

  private:
    std::int32_t tableId_ = 0;
    std::int32_t targetId_ = 0;
    bool initialized_ = false;
    std::vector<Attachment> attachments_;
};

}  // namespace tmigration::legacy
