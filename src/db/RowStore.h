// RowStore: the rows a row set has read, by position from the query's first row, with memory bounded
// however many there are. Rows live in blocks of a fixed number; a few blocks stay in memory and the
// others wait in an anonymous temporary file, written when they leave memory and read back when the
// row set moves to them. A static row set over a million-row table so holds a few thousand rows at a
// time, keeps its snapshot (the file is its own, not the database), and still moves anywhere in it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <list>
#include <memory>
#include <vector>

#include "db/Engine.h"

namespace tmigration::db {

class RowStore {
  public:
    // Rows per block, and how many blocks may be in memory at once (the one being filled included).
    static constexpr std::size_t kBlockRows = 1024;
    static constexpr std::size_t kResidentBlocks = 8;

    RowStore();
    ~RowStore();
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;

    // Positions [First(), Size()) are held; positions before First() were let go.
    std::size_t First() const { return first_; }
    std::size_t Size() const { return size_; }
    // Rows held and not deleted.
    std::size_t Live() const { return size_ - first_ - deleted_; }
    // Rows in memory now.
    std::size_t Resident() const;

    void Append(Row row);
    // The row at `position` (First() <= position < Size()). The reference stays good until the store
    // moves to a block that is not in memory; Edit marks the row's block as changed.
    const Row& Get(std::size_t position);
    Row& Edit(std::size_t position);
    bool Deleted(std::size_t position);
    void MarkDeleted(std::size_t position);

    // Lets go of the whole blocks before `position` (server cursors: rows the caller moved past).
    void ForgetBefore(std::size_t position);
    void Clear();

  private:
    struct Block {
        std::vector<Row> rows;
        std::vector<bool> deleted;
    };
    struct Slot {
        std::unique_ptr<Block> block;  // in memory, or null
        long offset = -1;              // where the file holds it, -1 when never written
        std::size_t bytes = 0;
        bool dirty = true;  // changed since it was last written
        std::size_t deletedRows = 0;
        std::list<std::size_t>::iterator recent;
    };

    Block& Load(std::size_t position, bool forWriting);
    void MakeRoom();  // writes out the least recently used blocks beyond the resident few
    void WriteOut(Slot& slot);
    void ReadIn(Slot& slot);
    std::FILE* File();

    std::vector<Slot> slots_;
    std::list<std::size_t> recent_;  // resident blocks, most recently used first
    std::size_t first_ = 0, size_ = 0, deleted_ = 0;
    std::FILE* file_ = nullptr;
    long fileEnd_ = 0;
};

}  // namespace tmigration::db
