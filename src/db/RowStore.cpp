#include "db/RowStore.h"

#include <cstring>
#include <string>

#include "db/DbError.h"

namespace tmigration::db {
namespace {

// A block's rows as bytes: per row its id, deleted flag and values, each value a kind byte and its
// payload. Only this process reads them back, so the layout is the machine's own.
template <typename T>
void Put(std::string& out, const T& v) {
    out.append(reinterpret_cast<const char*>(&v), sizeof v);
}

template <typename T>
T Take(const char*& in, const char* end) {
    if (static_cast<std::size_t>(end - in) < sizeof(T))
        throw DbError("A row set's temporary file is damaged.");
    T v;
    std::memcpy(&v, in, sizeof v);
    in += sizeof v;
    return v;
}

void PutValue(std::string& out, const Value& v) {
    const auto kind = v.kind();
    Put(out, static_cast<std::uint8_t>(kind));
    switch (kind) {
        case Value::Kind::Null:
            break;
        case Value::Kind::Integer:
            Put(out, v.AsInteger());
            break;
        case Value::Kind::Double:
            Put(out, v.AsDouble());
            break;
        case Value::Kind::Boolean:
            Put(out, static_cast<std::uint8_t>(v.AsBoolean()));
            break;
        case Value::Kind::DateTime: {
            const DateTime d = v.AsDateTime();
            for (int part : {d.year, d.month, d.day, d.hour, d.minute, d.second}) Put(out, part);
            break;
        }
        case Value::Kind::Text: {
            const std::string text = v.AsText();
            Put(out, static_cast<std::uint64_t>(text.size()));
            out += text;
            break;
        }
    }
}

Value TakeValue(const char*& in, const char* end) {
    switch (static_cast<Value::Kind>(Take<std::uint8_t>(in, end))) {
        case Value::Kind::Null:
            return Value();
        case Value::Kind::Integer:
            return Value(Take<std::int64_t>(in, end));
        case Value::Kind::Double:
            return Value(Take<double>(in, end));
        case Value::Kind::Boolean:
            return Value::Boolean(Take<std::uint8_t>(in, end) != 0);
        case Value::Kind::DateTime: {
            DateTime d;
            for (int* part : {&d.year, &d.month, &d.day, &d.hour, &d.minute, &d.second})
                *part = Take<int>(in, end);
            return Value(d);
        }
        case Value::Kind::Text: {
            const auto n = Take<std::uint64_t>(in, end);
            if (static_cast<std::uint64_t>(end - in) < n)
                throw DbError("A row set's temporary file is damaged.");
            std::string text(in, static_cast<std::size_t>(n));
            in += n;
            return Value(std::move(text));
        }
    }
    throw DbError("A row set's temporary file is damaged.");
}

}  // namespace

RowStore::RowStore() = default;

RowStore::~RowStore() {
    if (file_) std::fclose(file_);
}

std::size_t RowStore::Resident() const {
    std::size_t rows = 0;
    for (std::size_t index : recent_) rows += slots_[index].block->rows.size();
    // Rows let go inside the first held block no longer hold their values.
    const std::size_t firstBlock = first_ / kBlockRows;
    if (firstBlock < slots_.size() && slots_[firstBlock].block) rows -= first_ - firstBlock * kBlockRows;
    return rows;
}

void RowStore::Append(Row row) {
    const std::size_t index = size_ / kBlockRows;
    if (index == slots_.size()) {
        slots_.emplace_back();
        slots_.back().block = std::make_unique<Block>();
        slots_.back().block->rows.reserve(kBlockRows);
        recent_.push_front(index);
        slots_.back().recent = recent_.begin();
        MakeRoom();
    }
    Block& block = Load(size_, true);
    block.rows.push_back(std::move(row));
    block.deleted.push_back(false);
    ++size_;
}

const Row& RowStore::Get(std::size_t position) {
    return Load(position, false).rows[position % kBlockRows];
}

Row& RowStore::Edit(std::size_t position) {
    return Load(position, true).rows[position % kBlockRows];
}

bool RowStore::Deleted(std::size_t position) {
    return Load(position, false).deleted[position % kBlockRows];
}

void RowStore::MarkDeleted(std::size_t position) {
    Block& block = Load(position, true);
    if (block.deleted[position % kBlockRows]) return;
    block.deleted[position % kBlockRows] = true;
    ++slots_[position / kBlockRows].deletedRows;
    ++deleted_;
}

RowStore::Block& RowStore::Load(std::size_t position, bool forWriting) {
    Slot& slot = slots_[position / kBlockRows];
    if (!slot.block) {
        ReadIn(slot);
        recent_.push_front(position / kBlockRows);
        slot.recent = recent_.begin();
        MakeRoom();
    } else if (slot.recent != recent_.begin()) {
        recent_.splice(recent_.begin(), recent_, slot.recent);
    }
    if (forWriting) slot.dirty = true;
    return *slot.block;
}

void RowStore::MakeRoom() {
    while (recent_.size() > kResidentBlocks) {
        Slot& slot = slots_[recent_.back()];
        if (slot.dirty) WriteOut(slot);
        slot.block.reset();
        recent_.pop_back();
    }
}

std::FILE* RowStore::File() {
    if (!file_) {
        file_ = std::tmpfile();
        if (!file_)
            throw DbError("The row set cannot keep its rows: no temporary file could be created (" +
                          std::string(std::strerror(errno)) + ").");
    }
    return file_;
}

void RowStore::WriteOut(Slot& slot) {
    std::string bytes;
    for (std::size_t i = 0; i < slot.block->rows.size(); ++i) {
        const Row& row = slot.block->rows[i];
        Put(bytes, row.id);
        Put(bytes, static_cast<std::uint8_t>(slot.block->deleted[i]));
        Put(bytes, static_cast<std::uint64_t>(row.values.size()));
        for (const Value& v : row.values) PutValue(bytes, v);
    }
    std::FILE* file = File();
    // A block rewritten no larger than before goes back to its place; a grown one to the file's end.
    long at = slot.offset >= 0 && bytes.size() <= slot.bytes ? slot.offset : fileEnd_;
    if (std::fseek(file, at, SEEK_SET) != 0 ||
        std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        throw DbError("The row set cannot keep its rows: writing its temporary file failed (" +
                      std::string(std::strerror(errno)) + ").");
    if (at == fileEnd_) fileEnd_ += static_cast<long>(bytes.size());
    slot.offset = at;
    slot.bytes = bytes.size();
    slot.dirty = false;
}

void RowStore::ReadIn(Slot& slot) {
    std::string bytes(slot.bytes, '\0');
    if (std::fseek(file_, slot.offset, SEEK_SET) != 0 ||
        std::fread(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        throw DbError("The row set cannot read its rows back: reading its temporary file failed.");
    auto block = std::make_unique<Block>();
    block->rows.reserve(kBlockRows);
    const char* in = bytes.data();
    const char* end = in + bytes.size();
    while (in < end) {
        Row row;
        row.id = Take<RowId>(in, end);
        block->deleted.push_back(Take<std::uint8_t>(in, end) != 0);
        const auto n = Take<std::uint64_t>(in, end);
        row.values.reserve(static_cast<std::size_t>(n));
        for (std::uint64_t k = 0; k < n; ++k) row.values.push_back(TakeValue(in, end));
        block->rows.push_back(std::move(row));
    }
    slot.block = std::move(block);
    slot.dirty = false;
}

void RowStore::ForgetBefore(std::size_t position) {
    if (position <= first_) return;
    if (position > size_) position = size_;
    for (std::size_t p = first_; p < position;) {
        const std::size_t index = p / kBlockRows;
        const std::size_t blockEnd = (index + 1) * kBlockRows;
        Slot& slot = slots_[index];
        if (blockEnd <= position) {
            // The whole block goes.
            deleted_ -= slot.deletedRows;
            if (slot.block) recent_.erase(slot.recent);
            slot = Slot{};
            p = blockEnd;
            continue;
        }
        // Part of a block: its rows let go keep their place but not their values.
        Block& block = Load(p, false);
        for (; p < position; ++p) {
            if (block.deleted[p % kBlockRows]) {
                --deleted_;
                --slot.deletedRows;
                block.deleted[p % kBlockRows] = false;
            }
            std::vector<Value>().swap(block.rows[p % kBlockRows].values);
        }
        slot.dirty = true;
    }
    first_ = position;
}

void RowStore::Clear() {
    slots_.clear();
    recent_.clear();
    first_ = size_ = deleted_ = 0;
    if (file_) std::fclose(file_);
    file_ = nullptr;
    fileEnd_ = 0;
}

}  // namespace tmigration::db
