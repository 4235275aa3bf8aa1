#include "platform/data/RowStore.h"

#include "platform/data/DataError.h"

#include <cstring>

namespace {

constexpr std::size_t kPresenceBytes = RowStore::kRowsPerChunk / 8;
constexpr std::size_t kBlockBits = 20;
constexpr std::size_t kBlockSize = std::size_t{1} << kBlockBits;
constexpr std::size_t kMaxBlocks = std::size_t{1} << (32 - kBlockBits);
constexpr std::uint32_t kEmptyText = 0xFFFFFFFFu;

std::size_t WidthOf(StoreKind kind) {
    switch (kind) {
    case StoreKind::Int32:
    case StoreKind::Date:
    case StoreKind::Text:
        return 4;
    case StoreKind::Int64:
    case StoreKind::Double:
    case StoreKind::DateTime:
        return 8;
    }
    return 8;
}

std::size_t VarintSize(std::size_t n) {
    std::size_t size = 1;
    while (n >= 0x80) {
        n >>= 7;
        ++size;
    }
    return size;
}

} // namespace

RowStore::RowStore(std::vector<StoreKind> kinds) {
    columns_.reserve(kinds.size());
    for (StoreKind k : kinds)
        columns_.push_back(Column{k, WidthOf(k), {}});
}

std::size_t RowStore::AddRow() {
    if (rows_ >= 0xFFFFFFFFu)
        throw EDatabaseError("The result has too many rows to be held");
    return rows_++;
}

void RowStore::Clear() {
    for (Column& c : columns_)
        c.chunks.clear();
    rows_ = 0;
    blocks_.clear();
    blockSizes_.clear();
    blockUsed_ = 0;
    textBytes_ = 0;
}

const unsigned char* RowStore::CellForRead(std::size_t col, std::size_t row) const {
    const Column& c = columns_[col];
    const std::size_t chunk = row / kRowsPerChunk;
    if (chunk >= c.chunks.size() || !c.chunks[chunk])
        return nullptr;
    const unsigned char* base = c.chunks[chunk].get();
    const std::size_t i = row % kRowsPerChunk;
    if (!(base[i / 8] & (1u << (i % 8))))
        return nullptr;
    return base + kPresenceBytes + i * c.width;
}

unsigned char* RowStore::CellForWrite(std::size_t col, std::size_t row) {
    Column& c = columns_[col];
    const std::size_t chunk = row / kRowsPerChunk;
    if (chunk >= c.chunks.size())
        c.chunks.resize(chunk + 1);
    if (!c.chunks[chunk])
        c.chunks[chunk] = std::make_unique<unsigned char[]>(kPresenceBytes + kRowsPerChunk * c.width);
    unsigned char* base = c.chunks[chunk].get();
    const std::size_t i = row % kRowsPerChunk;
    base[i / 8] = static_cast<unsigned char>(base[i / 8] | (1u << (i % 8)));
    return base + kPresenceBytes + i * c.width;
}

bool RowStore::IsNull(std::size_t col, std::size_t row) const {
    return CellForRead(col, row) == nullptr;
}

void RowStore::SetNull(std::size_t col, std::size_t row) {
    Column& c = columns_[col];
    const std::size_t chunk = row / kRowsPerChunk;
    if (chunk >= c.chunks.size() || !c.chunks[chunk])
        return;
    unsigned char* base = c.chunks[chunk].get();
    const std::size_t i = row % kRowsPerChunk;
    base[i / 8] = static_cast<unsigned char>(base[i / 8] & ~(1u << (i % 8)));
}

std::int64_t RowStore::Int(std::size_t col, std::size_t row) const {
    const unsigned char* p = CellForRead(col, row);
    if (!p)
        return 0;
    if (columns_[col].width == 4) {
        std::int32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    std::int64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

void RowStore::SetInt(std::size_t col, std::size_t row, std::int64_t value) {
    unsigned char* p = CellForWrite(col, row);
    if (columns_[col].width == 4) {
        const auto v = static_cast<std::int32_t>(value);
        std::memcpy(p, &v, 4);
    } else {
        std::memcpy(p, &value, 8);
    }
}

double RowStore::Real(std::size_t col, std::size_t row) const {
    const unsigned char* p = CellForRead(col, row);
    if (!p)
        return 0.0;
    double v;
    std::memcpy(&v, p, 8);
    return v;
}

void RowStore::SetReal(std::size_t col, std::size_t row, double value) {
    std::memcpy(CellForWrite(col, row), &value, 8);
}

std::int32_t RowStore::Day(std::size_t col, std::size_t row) const {
    const unsigned char* p = CellForRead(col, row);
    if (!p)
        return 0;
    std::int32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

void RowStore::SetDay(std::size_t col, std::size_t row, std::int32_t day) {
    std::memcpy(CellForWrite(col, row), &day, 4);
}

std::uint32_t RowStore::StoreText(std::string_view value) {
    const std::size_t need = VarintSize(value.size()) + value.size();
    std::size_t block;
    std::size_t pos;
    if (need > kBlockSize / 4) {
        // Large values get a block of their own, so ordinary blocks stay densely filled.
        block = blocks_.size();
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(need));
        blockSizes_.push_back(need);
        pos = 0;
        // The next ordinary value must open a fresh block after this one.
        blockUsed_ = kBlockSize;
    } else {
        if (blocks_.empty() || blockSizes_.back() != kBlockSize || blockUsed_ + need > kBlockSize) {
            blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
            blockSizes_.push_back(kBlockSize);
            blockUsed_ = 0;
        }
        block = blocks_.size() - 1;
        pos = blockUsed_;
        blockUsed_ += need;
    }
    if (block >= kMaxBlocks)
        throw EDatabaseError("The result's text is too large to be held (over 4 GiB)");
    char* out = blocks_[block].get() + pos;
    std::size_t n = value.size();
    while (n >= 0x80) {
        *out++ = static_cast<char>((n & 0x7F) | 0x80);
        n >>= 7;
    }
    *out++ = static_cast<char>(n);
    std::memcpy(out, value.data(), value.size());
    textBytes_ += need;
    return static_cast<std::uint32_t>((block << kBlockBits) | pos);
}

std::string_view RowStore::Text(std::size_t col, std::size_t row) const {
    const unsigned char* p = CellForRead(col, row);
    if (!p)
        return {};
    std::uint32_t ref;
    std::memcpy(&ref, p, 4);
    if (ref == kEmptyText)
        return {};
    const char* in = blocks_[ref >> kBlockBits].get() + (ref & (kBlockSize - 1));
    std::size_t n = 0;
    int shift = 0;
    for (;;) {
        const auto b = static_cast<unsigned char>(*in++);
        n |= static_cast<std::size_t>(b & 0x7F) << shift;
        if (!(b & 0x80))
            break;
        shift += 7;
    }
    return {in, n};
}

void RowStore::SetText(std::size_t col, std::size_t row, std::string_view value) {
    const std::uint32_t ref = value.empty() ? kEmptyText : StoreText(value);
    std::memcpy(CellForWrite(col, row), &ref, 4);
}

std::size_t RowStore::BytesHeld() const {
    std::size_t total = 0;
    for (const Column& c : columns_) {
        for (const auto& chunk : c.chunks)
            if (chunk)
                total += kPresenceBytes + kRowsPerChunk * c.width;
    }
    for (std::size_t s : blockSizes_)
        total += s;
    return total;
}
