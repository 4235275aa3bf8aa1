#pragma once
// A data set holds the rows of one result on the client, compactly, with its field objects, a current
// row, an optional client-side order, and the editing of one row at a time.

#include "platform/data/Fields.h"
#include "platform/data/RowStore.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TMyDataSource;
enum class TDataEvent;

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

class TDataSet {
public:
    // `ownerName` is the name of the form or data module that owns the data set; error texts carry it.
    TDataSet(QString ownerName, QString name);
    virtual ~TDataSet();
    TDataSet(const TDataSet&) = delete;
    TDataSet& operator=(const TDataSet&) = delete;

    const QString& Name() const { return name_; }
    const QString& OwnerName() const { return ownerName_; }
    // "FrmVales.MyVales: " — how this data set's errors begin.
    QString ErrorPrefix() const;

    // Persistent fields: declared before opening; a data set without any gets one per result column.
    template <class F> F* AddField(QString fieldName, int size = 0) {
        auto field = std::make_unique<F>(this, std::move(fieldName), size);
        F* raw = field.get();
        fields_.push_back(std::move(field));
        persistent_ = true;
        return raw;
    }
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    TField* Fields(int index) const { return fields_.at(static_cast<std::size_t>(index)).get(); }
    TField* FindField(const QString& fieldName) const;
    TField* FieldByName(const QString& fieldName) const; // throws "...: Field 'x' not found"

    void Open();
    void Close();
    bool Active() const { return state_ != TDataSetState::dsInactive; }
    void SetActive(bool active) { active ? Open() : Close(); }
    TDataSetState State() const { return state_; }

    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance);
    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }
    bool IsEmpty() const { return order_.empty(); }
    int RecordCount() const { return static_cast<int>(order_.size()); }
    // 1-based position of the current row in display order; 0 when there is none.
    int RecNo() const { return current_ < 0 ? 0 : current_ + 1; }
    void SetRecNo(int recNo);

    void Append();
    void Insert() { Append(); }
    void Edit();
    void Post();
    void Cancel();
    // Deletes the current row in the database and on the client.
    void Delete();
    std::function<void(TDataSet*)> BeforePost;

    // Client-side order: "nomecliente", "a;b", "a DESC". Empty keeps the server's order.
    const QString& IndexFieldNames() const { return indexFieldNames_; }
    void SetIndexFieldNames(const QString& names);

    // While a view draws row `recNo`, the field objects read that row.
    class RowView {
    public:
        RowView(TDataSet& dataSet, int recNo);
        ~RowView();
        RowView(const RowView&) = delete;
        RowView& operator=(const RowView&) = delete;

    private:
        TDataSet& dataSet_;
        int saved_;
    };

    // Bytes held for the rows (the figure the benches compare).
    std::size_t BytesHeld() const { return store_.BytesHeld() + order_.capacity() * sizeof(std::uint32_t); }

    // --- used by fields and data sources ---
    CellValue ReadCell(const TField& field) const;
    bool CellIsNull(const TField& field) const;
    void WriteCell(const TField& field, CellValue value);
    void AttachSource(TMyDataSource* source);
    void DetachSource(TMyDataSource* source);

protected:
    // Filled in by the concrete data set.
    virtual void InternalOpen() = 0;
    // Writes the row being edited or inserted; `assigned` lists the field indexes given values.
    virtual void InternalPost(bool inserting, const std::vector<int>& assigned) = 0;
    virtual void InternalDelete() = 0;

    // Loading, for InternalOpen: fields get bound, rows get stored.
    struct BoundColumn {
        QString name;
        TFieldType actual;
        bool key = false;
    };
    // Binds the declared fields (or creates fields) for the result columns; returns, for each result
    // column, its store column or -1. Throws the field-not-found and type-mismatch errors.
    std::vector<int> BindColumns(const std::vector<BoundColumn>& columns);
    RowStore& Store() { return store_; }
    const RowStore& Store() const { return store_; }
    // The physical row of the current record (or of the row a view is drawing); -1 when none.
    int ActivePhysicalRow() const;
    int KeyStoreColumn() const { return keyStoreColumn_; }
    // Current edit buffer value of field i, if assigned.
    const std::optional<CellValue>& Assigned(int fieldIndex) const {
        return buffer_[static_cast<std::size_t>(fieldIndex)];
    }
    void SetKeyOfNewRow(std::int64_t key) { newKey_ = key; }
    void Notify(TDataEvent event);
    // Empties the rows but keeps the data set open (a detail without a master row).
    void ClearRows();
    // Called after InternalOpen has filled the store, to put the rows in order and stand on the first.
    void FinishLoad();
    // Fills one store cell from a value of a field's kind.
    void StoreValue(std::size_t storeColumn, std::size_t row, const CellValue& value);

private:
    int IndexOfField(const TField& field) const;
    void Sort();
    template <class Key, class KeyOf> void SortByKeys(std::size_t column, KeyOf keyOf);
    bool Less(std::uint32_t a, std::uint32_t b) const;
    std::size_t SortedPosition(std::uint32_t physical) const;
    void SetCurrent(int index, bool notify);
    void CheckActive() const;
    void CheckBrowse() const;

    QString ownerName_;
    QString name_;
    std::vector<std::unique_ptr<TField>> fields_;
    bool persistent_ = false;
    TDataSetState state_ = TDataSetState::dsInactive;

    RowStore store_;
    std::vector<std::uint32_t> order_; // display order of physical rows
    int current_ = -1;
    int viewOverride_ = -1; // display index a view is drawing
    bool bof_ = true;
    bool eof_ = true;
    int keyStoreColumn_ = -1;

    std::vector<std::optional<CellValue>> buffer_; // edits of the current row, by field index
    std::optional<std::int64_t> newKey_;

    QString indexFieldNames_;
    struct SortKey {
        int storeColumn;
        bool descending;
    };
    std::vector<SortKey> sortKeys_;

    std::vector<TMyDataSource*> sources_;
};
