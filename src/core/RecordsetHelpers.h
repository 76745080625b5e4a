// The row-set and statement operations every step uses, so that all of them run on the thread's
// shared connection with the same cursor and lock settings. Row sets are owned by RecordsetPtr,
// whose release is CloseRecordset: a pending edit is cancelled and the row set closed.
#pragma once

#include <memory>
#include <string>

#include "db/Recordset.h"

namespace tmigration::core {

struct RecordsetCloser {
    // Cancels a pending edit, closes and deletes the row set; errors on the way are swallowed.
    void operator()(db::Recordset* rs) const noexcept;
};
using RecordsetPtr = std::unique_ptr<db::Recordset, RecordsetCloser>;

RecordsetPtr NewRecordset();

// Client cursor, optimistic lock, static cursor, on gConnection (in that order).
void SetupClientRecordset(db::Recordset& rs);
// As the client set-up, then server cursor and keyset cursor; the lock stays optimistic.
void SetupServerRecordset(db::Recordset& rs);
// Opens the row set on the text with the settings already made.
void OpenRecordset(db::Recordset& rs, const std::string& sql);
// Empty reference: nothing. Otherwise cancels a pending edit on a current row, closes an open
// row set and releases it; the reference is empty afterwards. Errors reach the caller.
void CloseRecordset(RecordsetPtr& rs);

// New + SetupClientRecordset + OpenRecordset, and the same for a server row set.
RecordsetPtr OpenClientRecordset(const std::string& sql);
RecordsetPtr OpenServerRecordset(const std::string& sql);

// Runs one statement on gConnection. An empty text succeeds without being sent. On failure
// strError is the database's description, unchanged, and the result false; it never throws.
bool ExecuteSQL(const std::string& sql, std::string& strError);

}  // namespace tmigration::core
