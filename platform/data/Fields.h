#pragma once
// Field objects: each names a column of its data set and reads and writes the current row.

#include "platform/sys/DateTime.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <variant>

class TDataSet;

enum class TFieldType {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftBytes,
    ftVarBytes,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftGraphic,
    ftLargeint,
};

// The kind's name as error messages give it ("Float", "AutoInc", ...).
QString FieldTypeName(TFieldType type);

// Whether a field declared as `declared` can be bound to a column that the server delivers as `actual`.
// The kind a column is delivered as follows from its server type:
//
//   server column type                          delivered as
//   TINYINT, SMALLINT, YEAR                     Smallint   (SMALLINT UNSIGNED: Integer)
//   MEDIUMINT, INT                              Integer    (with AUTO_INCREMENT: AutoInc; INT UNSIGNED: Largeint)
//   BIGINT, BIT                                 Largeint
//   FLOAT, DOUBLE, DECIMAL                      Float
//   DATE                                        Date
//   TIME                                        Time
//   DATETIME, TIMESTAMP                         DateTime
//   CHAR, VARCHAR, ENUM, SET (text)             String     (binary: VarBytes)
//   TINYTEXT ... LONGTEXT, JSON                 Memo
//   TINYBLOB ... LONGBLOB                       Blob
//
// and a declared field accepts these delivered kinds:
//
//   declared    accepts
//   Smallint    Smallint
//   Integer     Integer, AutoInc, Smallint, Word
//   AutoInc     AutoInc, Integer
//   Largeint    Largeint, Integer, AutoInc, Smallint, Word
//   Float       Float, Currency, BCD
//   Date        Date
//   DateTime    DateTime
//   Time        Time
//   String      String
//   Memo        Memo
//   Blob        Blob, Graphic, Bytes, VarBytes
//
// Anything else fails to open with "Type mismatch for field ...".
bool FieldTypesCompatible(TFieldType declared, TFieldType actual);

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// One value as it travels between fields, parameters and the server: null, a whole number, a double,
// text (UTF-8), or a date or date-time (TDateTime, told apart by the field's kind).
using CellValue = std::variant<std::monostate, std::int64_t, double, QByteArray>;

class TField {
public:
    TField(TDataSet* dataSet, TFieldType type, QString fieldName, int size);
    virtual ~TField() = default;
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    TDataSet* DataSet() const { return dataSet_; }
    TFieldType DataType() const { return type_; }
    const QString& FieldName() const { return fieldName_; }
    int Size() const { return size_; }

    // Display settings a grid or report uses.
    QString DisplayLabel;  // empty: the field name is shown
    QString DisplayFormat; // numeric fields: a mask such as "#,##0.00"
    int DisplayWidth = 0;
    bool Visible = true;
    TAlignment Alignment() const;
    QString DisplayName() const { return DisplayLabel.isEmpty() ? fieldName_ : DisplayLabel; }

    bool IsNull() const;
    // Reading a null gives 0, empty text or 30 December 1899.
    QString AsString() const;
    double AsFloat() const;
    std::int64_t AsInteger() const;
    TDateTime AsDateTime() const;
    QByteArray AsBytes() const;
    QString DisplayText() const;

    void SetAsString(const QString& value);
    void SetAsFloat(double value);
    void SetAsInteger(std::int64_t value);
    void SetAsDateTime(TDateTime value);
    void Clear();

    // The current value in its stored form.
    CellValue Value() const;

    // Set by the data set when it binds the field to a result column.
    int StoreColumn() const { return storeColumn_; }
    void BindToColumn(int storeColumn, TFieldType actual) {
        storeColumn_ = storeColumn;
        actualType_ = actual;
    }
    TFieldType ActualType() const { return actualType_; }

    bool IsNumeric() const;
    bool IsText() const;
    bool IsDate() const { return type_ == TFieldType::ftDate; }
    bool IsDateTime() const { return type_ == TFieldType::ftDateTime || type_ == TFieldType::ftTime; }

private:
    void Assign(CellValue value);
    QString FormatValue(bool forDisplay) const;

    TDataSet* dataSet_;
    TFieldType type_;
    QString fieldName_;
    int size_;
    int storeColumn_ = -1;
    TFieldType actualType_ = TFieldType::ftUnknown;
};

// Named kinds so that declarations read like the data set's field list.
#define VALES_DECLARE_FIELD(Class, Type)                                                                     \
    class Class : public TField {                                                                            \
    public:                                                                                                  \
        Class(TDataSet* dataSet, QString fieldName, int size = 0)                                            \
            : TField(dataSet, TFieldType::Type, std::move(fieldName), size) {}                               \
    };
VALES_DECLARE_FIELD(TStringField, ftString)
VALES_DECLARE_FIELD(TSmallintField, ftSmallint)
VALES_DECLARE_FIELD(TIntegerField, ftInteger)
VALES_DECLARE_FIELD(TLargeintField, ftLargeint)
VALES_DECLARE_FIELD(TAutoIncField, ftAutoInc)
VALES_DECLARE_FIELD(TFloatField, ftFloat)
VALES_DECLARE_FIELD(TDateField, ftDate)
VALES_DECLARE_FIELD(TDateTimeField, ftDateTime)
VALES_DECLARE_FIELD(TMemoField, ftMemo)
VALES_DECLARE_FIELD(TBlobField, ftBlob)
#undef VALES_DECLARE_FIELD
