#include "core/RowDeletes.h"

#include <string>

#include "core/RecordsetHelpers.h"

namespace tmigration::core {
namespace {

// Deletes the first row and re-reads the selection until it is empty.
void DeleteEveryRow(const std::string& sql) {
    RecordsetPtr rs = OpenClientRecordset(sql);
    if (rs->RecordCount() > 0) {
        while (!rs->Eof()) {
            rs->MoveFirst();
            rs->Delete();
            rs->Update();
            rs->Requery();
        }
    }
    CloseRecordset(rs);
}

}  // namespace

void DeleteMediaDestinations(std::int32_t tableId, std::int32_t targetId) {
    DeleteEveryRow("select * from T_TRNK_MEDIADEST  where TABLE_ID = " + std::to_string(tableId) +
                   " and TARGET_ID = " + std::to_string(targetId));
}

void DeleteHistoryRows(std::int32_t subtypeId, std::int32_t targetId) {
    DeleteEveryRow("select * from T_TRNK_HISTORY  where SUBTYPE_ID = " + std::to_string(subtypeId) +
                   " and TARGET_ID = " + std::to_string(targetId) + " order by HISTORY_ID DESC ");
}

}  // namespace tmigration::core
