#pragma once
// Queries and tables on the program's MySQL connection.

#include "platform/data/DataSet.h"
#include "platform/data/MyStatement.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class TMyConnection;
class TMyDataSource;

// Statement text held as lines, as the query components keep it.
class TSQLText {
public:
    void Clear();
    void Add(const QString& line);
    void SetText(const QString& text);
    QString Text() const { return lines_.join(u'\n'); }
    int Count() const { return static_cast<int>(lines_.size()); }
    const QStringList& Lines() const { return lines_; }
    std::function<void()> OnChange;

private:
    QStringList lines_;
};

class TParam {
public:
    explicit TParam(QString name)
        : name_(std::move(name)) {}
    const QString& Name() const { return name_; }
    TFieldType DataType() const { return type_; }
    bool IsNull() const { return std::holds_alternative<std::monostate>(value_); }

    void SetAsFloat(double v) { Set(TFieldType::ftFloat, v); }
    void SetAsInteger(std::int64_t v) { Set(TFieldType::ftInteger, v); }
    void SetAsString(const QString& v) { Set(TFieldType::ftString, v.toUtf8()); }
    // The calendar date alone travels; the time of day is dropped.
    void SetAsDate(TDateTime v) { Set(TFieldType::ftDate, DateOf(v)); }
    void SetAsDateTime(TDateTime v) { Set(TFieldType::ftDateTime, v); }
    void Clear() { value_ = std::monostate{}; }
    BoundValue Bound() const { return {type_, value_}; }

private:
    void Set(TFieldType type, CellValue value) {
        type_ = type;
        value_ = std::move(value);
    }
    QString name_;
    TFieldType type_ = TFieldType::ftUnknown;
    CellValue value_;
};

class TMyQuery : public TDataSet {
public:
    TMyQuery(QString ownerName, QString name, TMyConnection* connection = nullptr);
    ~TMyQuery() override;

    TMyConnection* Connection = nullptr;
    TSQLText SQL;

    TParam* ParamByName(const QString& name); // case-insensitive; throws when absent
    TParam* FindParam(const QString& name);
    int ParamCount() const { return static_cast<int>(params_.size()); }

    // Runs the statement: one that returns rows (re)opens the query on its result.
    void Execute();
    // Runs a statement that returns no rows.
    void ExecSQL();
    std::uint64_t RowsAffected() const { return rowsAffected_; }

    // Re-reads the current row from its table (by its key). Deleted rows are not looked for.
    void RefreshQuick(bool checkDeleted);

    // Detail of a master data set: holds the rows whose DetailFields equal the master's MasterFields.
    void SetMasterSource(TMyDataSource* master);
    TMyDataSource* MasterSource() const { return master_; }
    QString MasterFields;
    QString DetailFields;

    // The table that Post writes into, as the server reported it ("vales").
    const QString& UpdatingTable() const { return table_; }

protected:
    void InternalOpen() override;
    void InternalPost(bool inserting, const std::vector<int>& assigned) override;
    void InternalDelete() override;
    virtual QString StatementText() const { return SQL.Text(); }

private:
    class Loader;
    void SqlChanged();
    void MasterChanged(TDataEvent event);
    void Fetch(const QString& sql, const std::vector<BoundValue>& values);
    void RequeryDetail();
    BoundValue CurrentKey() const;
    std::vector<BoundValue> ValuesFor(const QStringList& placeholders,
                                      const std::vector<std::pair<QString, BoundValue>>& extra) const;
    TMyConnection& Conn() const;

    std::vector<std::unique_ptr<TParam>> params_;
    std::uint64_t rowsAffected_ = 0;
    TMyDataSource* master_ = nullptr;
    int masterToken_ = 0;
    CellValue lastMasterValue_;
    bool haveMasterValue_ = false;

    // What the last result said about where its columns come from, for writing rows back.
    QString table_;
    std::vector<QString> columnOfField_; // server column name of each field
    QString keyColumn_;
};

class TMyTable : public TMyQuery {
public:
    using TMyQuery::TMyQuery;
    QString TableName;

protected:
    QString StatementText() const override { return QStringLiteral("SELECT * FROM ") + TableName; }
};
