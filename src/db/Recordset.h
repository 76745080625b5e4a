// Recordset: a cursor over the result of one SQL text, modelled on the ADO row set.
//
// Client cursors (adUseClient) read every row at Open: a static snapshot, unchanged by what the
// same connection writes meanwhile, with an exact RecordCount; beyond a few thousand rows the
// snapshot waits in a temporary file, so a large table costs disk, not memory. Server cursors (adUseServer)
// fetch rows only as the caller moves to them and keep only a window around the current row, so
// a row set opened on a large table just to append to it never reads that table and appending
// millions of rows holds memory bounded; MoveFirst after the window moved on runs the query
// again. Rows of a single-table select are updatable; AddNew + Update appends a row and reads
// back what the database stored, the key it assigned among it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "db/Engine.h"
#include "db/Field.h"
#include "db/RowStore.h"
#include "db/Value.h"

namespace tmigration::db {

class Connection;

enum CursorLocationEnum { adUseServer = 2, adUseClient = 3 };
enum CursorTypeEnum { adOpenForwardOnly = 0, adOpenKeyset = 1, adOpenDynamic = 2, adOpenStatic = 3 };
enum LockTypeEnum {
    adLockReadOnly = 1,
    adLockPessimistic = 2,
    adLockOptimistic = 3,
    adLockBatchOptimistic = 4
};
enum EditModeEnum { adEditNone = 0, adEditInProgress = 1, adEditAdd = 2, adEditDelete = 4 };

class Recordset {
  public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    void SetCursorLocation(int location) { cursorLocation_ = location; }
    int CursorLocation() const { return cursorLocation_; }
    void SetCursorType(int type) { cursorType_ = type; }
    int CursorType() const { return cursorType_; }
    void SetLockType(int lock) { lockType_ = lock; }
    int LockType() const { return lockType_; }
    void SetActiveConnection(Connection* connection) { connection_ = connection; }
    Connection* ActiveConnection() const { return connection_; }

    void Open(const std::string& sql);
    void Close();
    int State() const;
    const std::string& Source() const { return sql_; }

    bool BOF() const;
    bool Eof() const;  // ADO's EOF (the name is a macro in C)
    int EditMode() const { return editMode_; }

    std::size_t FieldCount() const;
    Field Fields(std::size_t index);
    Field Fields(const std::string& name);  // case-insensitive; DbError when there is no such column
    // Shorthands for Fields(name).GetValue() / SetValue(v).
    const Value& Get(const std::string& name) { return Fields(name).GetValue(); }
    void Set(const std::string& name, Value v) { Fields(name).SetValue(std::move(v)); }

    void AddNew();
    void Update();
    void CancelUpdate();
    void Delete();
    void MoveFirst();
    void MoveNext();
    // Exact for every cursor; a server cursor counts with a query of its own.
    std::int64_t RecordCount();
    // Moves forward from the current row (inclusive) to the first row matching a one-column
    // criterion such as "COL = 5", "COL = 'x'", "COL <> 3", "COL >= 2"; at the end when none does.
    void Find(const std::string& criterion);
    // Runs the query again and stands on its first row.
    void Requery();
    // How many rows the row set holds in memory now.
    std::size_t BufferedRows() const { return rows_.Resident(); }

  private:
    friend class Field;
    const Value& CellValue(std::size_t index) const;
    void SetCellValue(std::size_t index, Value v);
    std::size_t ColumnIndex(const std::string& name) const;
    EngineSession& Session() const;
    void RequireOpen() const;
    void RequireCurrentRow() const;
    bool OnLiveRow() const;                // a current row that exists and is not deleted
    bool FetchUpTo(std::size_t position);  // server cursors: fetch rows until `position` exists
    void ExecuteQuery();
    void RequireUpdatable() const;

    int cursorLocation_ = adUseServer;
    int cursorType_ = adOpenForwardOnly;
    int lockType_ = adLockReadOnly;
    Connection* connection_ = nullptr;

    std::string sql_;
    bool open_ = false;
    std::unique_ptr<EngineCursor> cursor_;  // live while rows remain unfetched
    std::vector<ColumnInfo> columns_;
    std::string table_;  // updatable table, empty when read-only
    // The rows read so far by position from the query's first; reading them may page a block in.
    mutable RowStore rows_;
    std::size_t pos_ = 0;  // position of the current row; rows_.Size() (after fetching all) means EOF
    bool bof_ = false;
    int editMode_ = adEditNone;
    Row pending_;  // the row being edited or added
    std::vector<bool> touched_;
    // Keys of rows appended through this row set while unfetched rows remain: the live query may
    // meet them again. Kept as runs of consecutive keys, so a million appends cost one run.
    class KeyRuns {
      public:
        void Insert(RowId id);
        bool Contains(RowId id) const;
        bool Empty() const { return runs_.empty(); }
        void Clear() { runs_.clear(); }

      private:
        std::map<RowId, RowId> runs_;  // first -> last, disjoint and not adjacent
    };
    void TrimBehindCurrentRow();  // server cursors: forget rows the caller has moved past

    KeyRuns added_;
    std::unordered_map<std::string, std::size_t> names_;  // upper-case column name -> position
};

}  // namespace tmigration::db
