#include "platform/data/Fields.h"

#include "platform/data/DataError.h"
#include "platform/data/DataSet.h"
#include "platform/sys/Regional.h"

#include <cmath>

namespace {

bool IsIntegerKind(TFieldType t) {
    return t == TFieldType::ftSmallint || t == TFieldType::ftInteger || t == TFieldType::ftWord ||
           t == TFieldType::ftAutoInc || t == TFieldType::ftLargeint || t == TFieldType::ftBoolean;
}
bool IsRealKind(TFieldType t) {
    return t == TFieldType::ftFloat || t == TFieldType::ftCurrency || t == TFieldType::ftBCD;
}
bool IsTextKind(TFieldType t) {
    return t == TFieldType::ftString || t == TFieldType::ftMemo || t == TFieldType::ftBlob ||
           t == TFieldType::ftBytes || t == TFieldType::ftVarBytes || t == TFieldType::ftGraphic;
}

// The characters the suite's single-byte code page (Windows-1252, which MySQL calls latin1) can hold.
bool InCodePage(char32_t c) {
    if (c <= 0xFF)
        return true;
    switch (c) {
    case 0x20AC:
    case 0x201A:
    case 0x0192:
    case 0x201E:
    case 0x2026:
    case 0x2020:
    case 0x2021:
    case 0x02C6:
    case 0x2030:
    case 0x0160:
    case 0x2039:
    case 0x0152:
    case 0x017D:
    case 0x2018:
    case 0x2019:
    case 0x201C:
    case 0x201D:
    case 0x2022:
    case 0x2013:
    case 0x2014:
    case 0x02DC:
    case 0x2122:
    case 0x0161:
    case 0x203A:
    case 0x0153:
    case 0x017E:
    case 0x0178:
        return true;
    default:
        return false;
    }
}

// Text written into a single-byte column: characters the code page lacks become '?', and the text is cut
// to the field's size, as the platform's string fields do.
QString ToCodePage(const QString& text, int size) {
    QString out;
    out.reserve(text.size());
    int count = 0;
    for (char32_t c : text.toUcs4()) {
        if (size > 0 && count == size)
            break;
        if (InCodePage(c))
            out += QString::fromUcs4(&c, 1);
        else
            out += u'?';
        ++count;
    }
    return out;
}

std::int64_t ParseInteger(const QString& text) {
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

} // namespace

QString FieldTypeName(TFieldType type) {
    switch (type) {
    case TFieldType::ftUnknown:
        return QStringLiteral("Unknown");
    case TFieldType::ftString:
        return QStringLiteral("String");
    case TFieldType::ftSmallint:
        return QStringLiteral("Smallint");
    case TFieldType::ftInteger:
        return QStringLiteral("Integer");
    case TFieldType::ftWord:
        return QStringLiteral("Word");
    case TFieldType::ftBoolean:
        return QStringLiteral("Boolean");
    case TFieldType::ftFloat:
        return QStringLiteral("Float");
    case TFieldType::ftCurrency:
        return QStringLiteral("Currency");
    case TFieldType::ftBCD:
        return QStringLiteral("BCD");
    case TFieldType::ftDate:
        return QStringLiteral("Date");
    case TFieldType::ftTime:
        return QStringLiteral("Time");
    case TFieldType::ftDateTime:
        return QStringLiteral("DateTime");
    case TFieldType::ftBytes:
        return QStringLiteral("Bytes");
    case TFieldType::ftVarBytes:
        return QStringLiteral("VarBytes");
    case TFieldType::ftAutoInc:
        return QStringLiteral("AutoInc");
    case TFieldType::ftBlob:
        return QStringLiteral("Blob");
    case TFieldType::ftMemo:
        return QStringLiteral("Memo");
    case TFieldType::ftGraphic:
        return QStringLiteral("Graphic");
    case TFieldType::ftLargeint:
        return QStringLiteral("Largeint");
    }
    return QStringLiteral("Unknown");
}

bool FieldTypesCompatible(TFieldType declared, TFieldType actual) {
    using T = TFieldType;
    if (declared == actual)
        return true;
    switch (declared) {
    case T::ftInteger:
        return actual == T::ftAutoInc || actual == T::ftSmallint || actual == T::ftWord;
    case T::ftAutoInc:
        return actual == T::ftInteger;
    case T::ftLargeint:
        return actual == T::ftInteger || actual == T::ftAutoInc || actual == T::ftSmallint ||
               actual == T::ftWord;
    case T::ftSmallint:
        return false;
    case T::ftFloat:
        return actual == T::ftCurrency || actual == T::ftBCD;
    case T::ftString:
        return false;
    case T::ftMemo:
        return false;
    case T::ftBlob:
        return actual == T::ftGraphic || actual == T::ftBytes || actual == T::ftVarBytes;
    default:
        return false;
    }
}

TField::TField(TDataSet* dataSet, TFieldType type, QString fieldName, int size)
    : dataSet_(dataSet)
    , type_(type)
    , fieldName_(std::move(fieldName))
    , size_(size) {}

bool TField::IsNumeric() const {
    return IsIntegerKind(type_) || IsRealKind(type_);
}
bool TField::IsText() const {
    return IsTextKind(type_);
}

TAlignment TField::Alignment() const {
    return IsNumeric() ? TAlignment::taRightJustify : TAlignment::taLeftJustify;
}

CellValue TField::Value() const {
    return dataSet_->ReadCell(*this);
}

bool TField::IsNull() const {
    return dataSet_->CellIsNull(*this);
}

QString TField::FormatValue(bool forDisplay) const {
    const CellValue v = Value();
    if (std::holds_alternative<std::monostate>(v))
        return {};
    if (const auto* t = std::get_if<QByteArray>(&v))
        return QString::fromUtf8(*t);
    if (IsIntegerKind(type_)) {
        const std::int64_t n = std::holds_alternative<std::int64_t>(v)
                                   ? std::get<std::int64_t>(v)
                                   : static_cast<std::int64_t>(std::get<double>(v));
        if (forDisplay && !DisplayFormat.isEmpty())
            return FormatFloat(DisplayFormat, static_cast<double>(n));
        return IntToStr(n);
    }
    const double d = std::holds_alternative<double>(v) ? std::get<double>(v)
                                                       : static_cast<double>(std::get<std::int64_t>(v));
    if (type_ == TFieldType::ftDate)
        return DateToStr(d);
    if (type_ == TFieldType::ftTime)
        return TimeToStr(d);
    if (type_ == TFieldType::ftDateTime) {
        // Like the platform: a date-time at midnight shows its date alone.
        const bool midnight = d == static_cast<double>(DayNumber(d));
        return midnight ? DateToStr(d) : DateToStr(d) + u' ' + TimeToStr(d);
    }
    if (forDisplay && !DisplayFormat.isEmpty())
        return FormatFloat(DisplayFormat, d);
    return FloatToStr(d);
}

QString TField::AsString() const {
    return FormatValue(false);
}
QString TField::DisplayText() const {
    return FormatValue(true);
}

double TField::AsFloat() const {
    const CellValue v = Value();
    if (const auto* d = std::get_if<double>(&v))
        return *d;
    if (const auto* n = std::get_if<std::int64_t>(&v))
        return static_cast<double>(*n);
    if (const auto* t = std::get_if<QByteArray>(&v))
        return t->isEmpty() ? 0.0 : StrToFloat(QString::fromUtf8(*t));
    return 0.0;
}

std::int64_t TField::AsInteger() const {
    const CellValue v = Value();
    if (const auto* n = std::get_if<std::int64_t>(&v))
        return *n;
    if (const auto* d = std::get_if<double>(&v))
        return static_cast<std::int64_t>(std::llround(*d));
    if (const auto* t = std::get_if<QByteArray>(&v))
        return t->isEmpty() ? 0 : ParseInteger(QString::fromUtf8(*t));
    return 0;
}

TDateTime TField::AsDateTime() const {
    const CellValue v = Value();
    if (const auto* d = std::get_if<double>(&v))
        return *d;
    if (const auto* n = std::get_if<std::int64_t>(&v))
        return static_cast<double>(*n);
    if (const auto* t = std::get_if<QByteArray>(&v))
        return t->isEmpty() ? 0.0 : StrToDate(QString::fromUtf8(*t));
    return 0.0;
}

QByteArray TField::AsBytes() const {
    const CellValue v = Value();
    if (const auto* t = std::get_if<QByteArray>(&v))
        return *t;
    return AsString().toUtf8();
}

void TField::Assign(CellValue value) {
    dataSet_->WriteCell(*this, std::move(value));
}

void TField::Clear() {
    Assign(std::monostate{});
}

void TField::SetAsString(const QString& value) {
    if (IsTextKind(type_)) {
        const QString text = type_ == TFieldType::ftString ? ToCodePage(value, size_) : value;
        Assign(text.toUtf8());
        return;
    }
    // Empty text makes a number or a date null, as on the platform.
    if (value.trimmed().isEmpty()) {
        Assign(std::monostate{});
        return;
    }
    if (IsIntegerKind(type_))
        Assign(ParseInteger(value));
    else if (IsRealKind(type_))
        Assign(StrToFloat(value));
    else
        Assign(DateOf(StrToDate(value)));
}

void TField::SetAsFloat(double value) {
    if (IsIntegerKind(type_))
        Assign(static_cast<std::int64_t>(std::llround(value)));
    else if (IsTextKind(type_))
        SetAsString(FloatToStr(value));
    else if (type_ == TFieldType::ftDate)
        Assign(DateOf(value));
    else
        Assign(value);
}

void TField::SetAsInteger(std::int64_t value) {
    if (IsIntegerKind(type_))
        Assign(value);
    else if (IsTextKind(type_))
        SetAsString(IntToStr(value));
    else
        Assign(static_cast<double>(value));
}

void TField::SetAsDateTime(TDateTime value) {
    if (IsTextKind(type_))
        SetAsString(value == DateOf(value) ? DateToStr(value) : DateToStr(value) + u' ' + TimeToStr(value));
    else if (type_ == TFieldType::ftDate)
        Assign(DateOf(value));
    else if (IsIntegerKind(type_))
        Assign(static_cast<std::int64_t>(DayNumber(value)));
    else
        Assign(value);
}
