#pragma once
// Compact client-side storage of a result: one typed column per field, rows in chunks, text in one
// arena, and a bit per cell that says whether it holds a value. A chunk whose cells are all null is
// never allocated, so columns the server leaves empty cost next to nothing.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

enum class StoreKind : std::uint8_t {
    Int32,    // integers of up to 32 bits
    Int64,    // large integers
    Double,   // floating point
    Date,     // day number, TDateTime's whole part
    DateTime, // TDateTime
    Text,     // bytes in the arena (UTF-8 text or binary data)
};

class RowStore {
public:
    RowStore() = default;
    explicit RowStore(std::vector<StoreKind> kinds);

    std::size_t ColumnCount() const { return columns_.size(); }
    StoreKind Kind(std::size_t col) const { return columns_[col].kind; }
    std::size_t RowCount() const { return rows_; }

    // Adds a row whose cells are all null and returns its index.
    std::size_t AddRow();
    void Clear();

    bool IsNull(std::size_t col, std::size_t row) const;
    void SetNull(std::size_t col, std::size_t row);

    // Integer kinds.
    std::int64_t Int(std::size_t col, std::size_t row) const;
    void SetInt(std::size_t col, std::size_t row, std::int64_t value);
    // Double and DateTime.
    double Real(std::size_t col, std::size_t row) const;
    void SetReal(std::size_t col, std::size_t row, double value);
    // Date: the day number.
    std::int32_t Day(std::size_t col, std::size_t row) const;
    void SetDay(std::size_t col, std::size_t row, std::int32_t day);
    // Text: the view stays valid as long as the store lives and is not cleared.
    std::string_view Text(std::size_t col, std::size_t row) const;
    void SetText(std::size_t col, std::size_t row, std::string_view value);

    // Bytes allocated for rows and text (the figure the benches report).
    std::size_t BytesHeld() const;

    static constexpr std::size_t kRowsPerChunk = 4096;

private:
    struct Column {
        StoreKind kind;
        std::size_t width; // bytes per cell
        std::vector<std::unique_ptr<unsigned char[]>> chunks;
    };

    unsigned char* CellForWrite(std::size_t col, std::size_t row);
    const unsigned char* CellForRead(std::size_t col, std::size_t row) const;
    std::uint32_t StoreText(std::string_view value);

    std::vector<Column> columns_;
    std::size_t rows_ = 0;

    // Text arena: blocks never move, so views into them stay valid.
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::vector<std::size_t> blockSizes_;
    std::size_t blockUsed_ = 0; // bytes used in the last ordinary block
    std::size_t textBytes_ = 0;
};
