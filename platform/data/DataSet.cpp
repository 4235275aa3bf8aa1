#include "platform/data/DataSet.h"

#include "platform/data/DataError.h"
#include "platform/data/DataSource.h"

#include <algorithm>
#include <numeric>

namespace {

StoreKind StoreKindOf(TFieldType type) {
    switch (type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftBoolean:
    case TFieldType::ftAutoInc:
        return StoreKind::Int32;
    case TFieldType::ftLargeint:
        return StoreKind::Int64;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
        return StoreKind::Double;
    case TFieldType::ftDate:
        return StoreKind::Date;
    case TFieldType::ftDateTime:
    case TFieldType::ftTime:
        return StoreKind::DateTime;
    default:
        return StoreKind::Text;
    }
}

} // namespace

TDataSet::TDataSet(QString ownerName, QString name)
    : ownerName_(std::move(ownerName))
    , name_(std::move(name)) {}

TDataSet::~TDataSet() {
    for (TMyDataSource* s : sources_)
        s->DataSetDestroyed();
}

QString TDataSet::ErrorPrefix() const {
    return ownerName_.isEmpty() ? name_ + QStringLiteral(": ")
                                : ownerName_ + u'.' + name_ + QStringLiteral(": ");
}

TField* TDataSet::FindField(const QString& fieldName) const {
    for (const auto& f : fields_)
        if (f->FieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

TField* TDataSet::FieldByName(const QString& fieldName) const {
    if (TField* f = FindField(fieldName))
        return f;
    throw EDatabaseError(ErrorPrefix() + QStringLiteral("Field '%1' not found").arg(fieldName));
}

int TDataSet::IndexOfField(const TField& field) const {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].get() == &field)
            return static_cast<int>(i);
    return -1;
}

void TDataSet::AttachSource(TMyDataSource* source) {
    sources_.push_back(source);
}
void TDataSet::DetachSource(TMyDataSource* source) {
    std::erase(sources_, source);
}

void TDataSet::Notify(TDataEvent event) {
    const auto sources = sources_;
    for (TMyDataSource* s : sources)
        s->Notify(event);
}

void TDataSet::Open() {
    if (Active())
        return;
    try {
        InternalOpen();
    } catch (...) {
        store_.Clear();
        order_.clear();
        current_ = -1;
        throw;
    }
    state_ = TDataSetState::dsBrowse;
    buffer_.assign(fields_.size(), std::nullopt);
    FinishLoad();
}

void TDataSet::FinishLoad() {
    order_.resize(store_.RowCount());
    std::iota(order_.begin(), order_.end(), 0u);
    Sort();
    current_ = order_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = order_.empty();
    Notify(TDataEvent::DataSetChange);
}

void TDataSet::ClearRows() {
    store_.Clear();
    order_.clear();
    order_.shrink_to_fit();
    current_ = -1;
    bof_ = eof_ = true;
}

void TDataSet::Close() {
    if (!Active())
        return;
    state_ = TDataSetState::dsInactive;
    ClearRows();
    store_ = RowStore();
    keyStoreColumn_ = -1;
    for (auto& f : fields_)
        f->BindToColumn(-1, TFieldType::ftUnknown);
    if (!persistent_)
        fields_.clear();
    buffer_.clear();
    Notify(TDataEvent::DataSetChange);
}

std::vector<int> TDataSet::BindColumns(const std::vector<BoundColumn>& columns) {
    std::vector<int> map(columns.size(), -1);
    std::vector<StoreKind> kinds;
    keyStoreColumn_ = -1;
    if (!persistent_) {
        fields_.clear();
        for (const BoundColumn& c : columns) {
            fields_.push_back(std::make_unique<TField>(this, c.actual, c.name, 0));
        }
    }
    auto columnOf = [&](const QString& name) -> int {
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return static_cast<int>(i);
        return -1;
    };
    for (std::size_t fi = 0; fi < fields_.size(); ++fi) {
        TField& f = *fields_[fi];
        const int ci = persistent_ ? columnOf(f.FieldName()) : static_cast<int>(fi);
        if (ci < 0)
            throw EDatabaseError(ErrorPrefix() + QStringLiteral("Field '%1' not found").arg(f.FieldName()));
        const TFieldType actual = columns[static_cast<std::size_t>(ci)].actual;
        if (!FieldTypesCompatible(f.DataType(), actual))
            throw EDatabaseError(ErrorPrefix() +
                                 QStringLiteral("Type mismatch for field '%1', expecting: %2 actual: %3")
                                     .arg(f.FieldName(), FieldTypeName(f.DataType()), FieldTypeName(actual)));
        if (map[static_cast<std::size_t>(ci)] < 0) {
            map[static_cast<std::size_t>(ci)] = static_cast<int>(kinds.size());
            kinds.push_back(StoreKindOf(f.DataType()));
        }
        f.BindToColumn(map[static_cast<std::size_t>(ci)], actual);
    }
    // The key identifies the row for updates and quick refreshes, declared or not.
    for (std::size_t ci = 0; ci < columns.size(); ++ci) {
        if (!columns[ci].key)
            continue;
        if (map[ci] < 0) {
            map[ci] = static_cast<int>(kinds.size());
            kinds.push_back(StoreKind::Int64);
        }
        keyStoreColumn_ = map[ci];
        break;
    }
    store_ = RowStore(std::move(kinds));
    return map;
}

int TDataSet::ActivePhysicalRow() const {
    const int index = viewOverride_ >= 0 ? viewOverride_ : current_;
    if (index < 0 || index >= static_cast<int>(order_.size()))
        return -1;
    return static_cast<int>(order_[static_cast<std::size_t>(index)]);
}

CellValue TDataSet::ReadCell(const TField& field) const {
    if ((state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert) && viewOverride_ < 0) {
        const int fi = IndexOfField(field);
        if (fi >= 0 && buffer_[static_cast<std::size_t>(fi)])
            return *buffer_[static_cast<std::size_t>(fi)];
        if (state_ == TDataSetState::dsInsert)
            return std::monostate{};
    }
    const int row = ActivePhysicalRow();
    const int col = field.StoreColumn();
    if (row < 0 || col < 0)
        return std::monostate{};
    const auto r = static_cast<std::size_t>(row);
    const auto c = static_cast<std::size_t>(col);
    if (store_.IsNull(c, r))
        return std::monostate{};
    switch (store_.Kind(c)) {
    case StoreKind::Int32:
    case StoreKind::Int64:
        return store_.Int(c, r);
    case StoreKind::Double:
    case StoreKind::DateTime:
        return store_.Real(c, r);
    case StoreKind::Date:
        return static_cast<double>(store_.Day(c, r));
    case StoreKind::Text: {
        const std::string_view t = store_.Text(c, r);
        return QByteArray(t.data(), static_cast<qsizetype>(t.size()));
    }
    }
    return std::monostate{};
}

bool TDataSet::CellIsNull(const TField& field) const {
    return std::holds_alternative<std::monostate>(ReadCell(field));
}

void TDataSet::WriteCell(const TField& field, CellValue value) {
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert)
        throw EDatabaseError(ErrorPrefix() + QStringLiteral("Dataset not in edit or insert mode"));
    const int fi = IndexOfField(field);
    buffer_[static_cast<std::size_t>(fi)] = std::move(value);
    Notify(TDataEvent::RecordChange);
}

void TDataSet::StoreValue(std::size_t c, std::size_t r, const CellValue& value) {
    if (std::holds_alternative<std::monostate>(value)) {
        store_.SetNull(c, r);
        return;
    }
    switch (store_.Kind(c)) {
    case StoreKind::Int32:
    case StoreKind::Int64:
        if (const auto* n = std::get_if<std::int64_t>(&value))
            store_.SetInt(c, r, *n);
        else if (const auto* d = std::get_if<double>(&value))
            store_.SetInt(c, r, static_cast<std::int64_t>(*d));
        break;
    case StoreKind::Double:
    case StoreKind::DateTime:
        if (const auto* d = std::get_if<double>(&value))
            store_.SetReal(c, r, *d);
        else if (const auto* n = std::get_if<std::int64_t>(&value))
            store_.SetReal(c, r, static_cast<double>(*n));
        break;
    case StoreKind::Date:
        if (const auto* d = std::get_if<double>(&value))
            store_.SetDay(c, r, static_cast<std::int32_t>(DayNumber(*d)));
        else if (const auto* n = std::get_if<std::int64_t>(&value))
            store_.SetDay(c, r, static_cast<std::int32_t>(*n));
        break;
    case StoreKind::Text:
        if (const auto* t = std::get_if<QByteArray>(&value))
            store_.SetText(c, r, std::string_view(t->constData(), static_cast<std::size_t>(t->size())));
        break;
    }
}

void TDataSet::CheckActive() const {
    if (!Active())
        throw EDatabaseError(ErrorPrefix() +
                             QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void TDataSet::CheckBrowse() const {
    CheckActive();
    if (state_ != TDataSetState::dsBrowse)
        throw EDatabaseError(ErrorPrefix() + QStringLiteral("Dataset is in edit or insert mode"));
}

void TDataSet::SetCurrent(int index, bool notify) {
    const bool moved = index != current_;
    current_ = index;
    if (notify && moved)
        Notify(TDataEvent::DataSetScroll);
}

void TDataSet::First() {
    CheckActive();
    if (state_ != TDataSetState::dsBrowse)
        Post();
    SetCurrent(order_.empty() ? -1 : 0, true);
    bof_ = true;
    eof_ = order_.empty();
}

void TDataSet::Last() {
    CheckActive();
    if (state_ != TDataSetState::dsBrowse)
        Post();
    SetCurrent(static_cast<int>(order_.size()) - 1, true);
    eof_ = true;
    bof_ = order_.empty();
}

int TDataSet::MoveBy(int distance) {
    CheckActive();
    if (state_ != TDataSetState::dsBrowse)
        Post();
    if (order_.empty()) {
        bof_ = eof_ = true;
        return 0;
    }
    const int last = static_cast<int>(order_.size()) - 1;
    const int target = std::clamp(current_ + distance, 0, last);
    const int moved = target - current_;
    // Bof and Eof say that a move ran into an end of the list.
    if (distance != 0) {
        bof_ = distance < 0 && moved != distance;
        eof_ = distance > 0 && moved != distance;
    }
    SetCurrent(target, true);
    return moved;
}

void TDataSet::Next() {
    MoveBy(1);
}
void TDataSet::Prior() {
    MoveBy(-1);
}

void TDataSet::SetRecNo(int recNo) {
    CheckActive();
    if (order_.empty())
        return;
    if (state_ != TDataSetState::dsBrowse)
        Post();
    const int target = std::clamp(recNo - 1, 0, static_cast<int>(order_.size()) - 1);
    bof_ = eof_ = false;
    SetCurrent(target, true);
}

TDataSet::RowView::RowView(TDataSet& dataSet, int recNo)
    : dataSet_(dataSet)
    , saved_(dataSet.viewOverride_) {
    dataSet_.viewOverride_ = recNo - 1;
}

TDataSet::RowView::~RowView() {
    dataSet_.viewOverride_ = saved_;
}

void TDataSet::Append() {
    CheckActive();
    if (state_ != TDataSetState::dsBrowse)
        Post();
    buffer_.assign(fields_.size(), std::nullopt);
    newKey_.reset();
    state_ = TDataSetState::dsInsert;
    Notify(TDataEvent::StateChange);
}

void TDataSet::Edit() {
    CheckActive();
    if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert)
        return;
    if (current_ < 0) {
        // Editing an empty data set starts a new row, as the platform does.
        Append();
        return;
    }
    buffer_.assign(fields_.size(), std::nullopt);
    state_ = TDataSetState::dsEdit;
    Notify(TDataEvent::StateChange);
}

void TDataSet::Cancel() {
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert)
        return;
    buffer_.assign(fields_.size(), std::nullopt);
    state_ = TDataSetState::dsBrowse;
    Notify(TDataEvent::StateChange);
    Notify(TDataEvent::RecordChange);
}

void TDataSet::Post() {
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert)
        return;
    if (BeforePost)
        BeforePost(this);
    const bool inserting = state_ == TDataSetState::dsInsert;
    std::vector<int> assigned;
    for (std::size_t i = 0; i < buffer_.size(); ++i)
        if (buffer_[i])
            assigned.push_back(static_cast<int>(i));
    // The database first: if it refuses, the row stays in edit mode with its values.
    InternalPost(inserting, assigned);

    std::size_t row;
    if (inserting) {
        row = store_.AddRow();
    } else {
        row = order_[static_cast<std::size_t>(current_)];
    }
    for (int fi : assigned) {
        const TField& f = *fields_[static_cast<std::size_t>(fi)];
        if (f.StoreColumn() >= 0)
            StoreValue(static_cast<std::size_t>(f.StoreColumn()), row,
                       *buffer_[static_cast<std::size_t>(fi)]);
    }
    if (inserting && newKey_ && keyStoreColumn_ >= 0)
        store_.SetInt(static_cast<std::size_t>(keyStoreColumn_), row, *newKey_);

    // Keep the client-side order: the row goes where its keys put it.
    if (!inserting)
        order_.erase(order_.begin() + current_);
    const std::size_t at = SortedPosition(static_cast<std::uint32_t>(row));
    order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::uint32_t>(row));
    current_ = static_cast<int>(at);
    bof_ = eof_ = false;

    buffer_.assign(fields_.size(), std::nullopt);
    state_ = TDataSetState::dsBrowse;
    Notify(TDataEvent::StateChange);
    Notify(TDataEvent::DataSetChange);
}

void TDataSet::Delete() {
    CheckActive();
    if (state_ == TDataSetState::dsInsert) {
        Cancel();
        return;
    }
    if (current_ < 0)
        throw EDatabaseError(ErrorPrefix() +
                             QStringLiteral("Cannot perform this operation on an empty dataset"));
    InternalDelete();
    buffer_.assign(fields_.size(), std::nullopt);
    state_ = TDataSetState::dsBrowse;
    order_.erase(order_.begin() + current_);
    if (current_ >= static_cast<int>(order_.size()))
        current_ = static_cast<int>(order_.size()) - 1;
    bof_ = current_ <= 0;
    eof_ = order_.empty();
    Notify(TDataEvent::DataSetChange);
}

void TDataSet::SetIndexFieldNames(const QString& names) {
    indexFieldNames_ = names;
    if (Active()) {
        const int physical = ActivePhysicalRow();
        std::iota(order_.begin(), order_.end(), 0u);
        Sort();
        if (physical >= 0)
            current_ = static_cast<int>(
                std::find(order_.begin(), order_.end(), static_cast<std::uint32_t>(physical)) -
                order_.begin());
        Notify(TDataEvent::DataSetChange);
    }
}

bool TDataSet::Less(std::uint32_t a, std::uint32_t b) const {
    for (const SortKey& k : sortKeys_) {
        const auto c = static_cast<std::size_t>(k.storeColumn);
        const bool na = store_.IsNull(c, a);
        const bool nb = store_.IsNull(c, b);
        int cmp = 0;
        if (na || nb) {
            cmp = na == nb ? 0 : (na ? -1 : 1); // nulls first
        } else {
            switch (store_.Kind(c)) {
            case StoreKind::Int32:
            case StoreKind::Int64: {
                const auto x = store_.Int(c, a), y = store_.Int(c, b);
                cmp = x < y ? -1 : (y < x ? 1 : 0);
                break;
            }
            case StoreKind::Double:
            case StoreKind::DateTime: {
                const double x = store_.Real(c, a), y = store_.Real(c, b);
                cmp = x < y ? -1 : (y < x ? 1 : 0);
                break;
            }
            case StoreKind::Date: {
                const auto x = store_.Day(c, a), y = store_.Day(c, b);
                cmp = x < y ? -1 : (y < x ? 1 : 0);
                break;
            }
            case StoreKind::Text:
                cmp = store_.Text(c, a).compare(store_.Text(c, b));
                break;
            }
        }
        if (cmp != 0)
            return k.descending ? cmp > 0 : cmp < 0;
    }
    return false;
}

template <class Key, class KeyOf> void TDataSet::SortByKeys(std::size_t column, KeyOf keyOf) {
    std::vector<Key> keys(store_.RowCount());
    for (std::size_t r = 0; r < keys.size(); ++r)
        keys[r] = keyOf(r);
    const auto firstValue = std::stable_partition(order_.begin(), order_.end(),
                                                  [&](std::uint32_t r) { return store_.IsNull(column, r); });
    if (sortKeys_[0].descending) {
        std::stable_sort(firstValue, order_.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return keys[b] < keys[a]; });
        std::rotate(order_.begin(), firstValue, order_.end()); // nulls last when descending
    } else {
        std::stable_sort(firstValue, order_.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
    }
}

void TDataSet::Sort() {
    sortKeys_.clear();
    for (const QString& part : indexFieldNames_.split(u';', Qt::SkipEmptyParts)) {
        QStringList words = part.simplified().split(u' ');
        if (words.isEmpty() || words.front().isEmpty())
            continue;
        const bool descending = words.size() > 1 && words[1].compare(u"DESC", Qt::CaseInsensitive) == 0;
        TField* f = FieldByName(words.front());
        if (f->StoreColumn() >= 0)
            sortKeys_.push_back({f->StoreColumn(), descending});
    }
    if (sortKeys_.empty() || order_.size() < 2)
        return;
    if (sortKeys_.size() == 1) {
        // The common case, a list ordered by one column: fetch each row's key once, set the nulls apart
        // (they sort before every value) and sort on plain comparisons.
        const auto c = static_cast<std::size_t>(sortKeys_[0].storeColumn);
        switch (store_.Kind(c)) {
        case StoreKind::Text:
            SortByKeys<std::string_view>(c, [&](std::size_t r) { return store_.Text(c, r); });
            break;
        case StoreKind::Double:
        case StoreKind::DateTime:
            SortByKeys<double>(c, [&](std::size_t r) { return store_.Real(c, r); });
            break;
        case StoreKind::Date:
            SortByKeys<std::int64_t>(c, [&](std::size_t r) { return std::int64_t{store_.Day(c, r)}; });
            break;
        case StoreKind::Int32:
        case StoreKind::Int64:
            SortByKeys<std::int64_t>(c, [&](std::size_t r) { return store_.Int(c, r); });
            break;
        }
        return;
    }
    std::stable_sort(order_.begin(), order_.end(),
                     [this](std::uint32_t a, std::uint32_t b) { return Less(a, b); });
}

std::size_t TDataSet::SortedPosition(std::uint32_t physical) const {
    if (sortKeys_.empty())
        return order_.size();
    const auto it = std::upper_bound(order_.begin(), order_.end(), physical,
                                     [this](std::uint32_t a, std::uint32_t b) { return Less(a, b); });
    return static_cast<std::size_t>(it - order_.begin());
}
