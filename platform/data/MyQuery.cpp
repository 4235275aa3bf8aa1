#include "platform/data/MyQuery.h"

#include "platform/data/DataError.h"
#include "platform/data/DataSource.h"
#include "platform/data/MyConnection.h"
#include "platform/data/SqlText.h"

#include <charconv>
#include <cmath>

namespace {

QString QuoteName(const QString& name) {
    QString n = name;
    n.replace(u'`', QStringLiteral("``"));
    return u'`' + n + u'`';
}

int Digits(std::string_view s, std::size_t at, std::size_t count, bool& ok) {
    int v = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (i >= s.size() || s[i] < '0' || s[i] > '9') {
            ok = false;
            return 0;
        }
        v = v * 10 + (s[i] - '0');
    }
    return v;
}

// "YYYY-MM-DD[ HH:MM:SS[.ffffff]]" or "HH:MM:SS"; false for the zero date and for text of another shape.
bool ParseTemporal(std::string_view s, double& out, bool& hasDate) {
    bool ok = true;
    double day = 0;
    std::size_t timeAt = 0;
    hasDate = s.size() >= 10 && s[4] == '-';
    if (hasDate) {
        const int y = Digits(s, 0, 4, ok), m = Digits(s, 5, 2, ok), d = Digits(s, 8, 2, ok);
        if (!ok || m == 0 || d == 0)
            return false;
        day = DayNumberOf(y, m, d);
        timeAt = 11;
        if (s.size() < 19) {
            out = day;
            return true;
        }
    }
    const int hh = Digits(s, timeAt, 2, ok), mi = Digits(s, timeAt + 3, 2, ok),
              ss = Digits(s, timeAt + 6, 2, ok);
    if (!ok)
        return false;
    double frac = 0;
    if (s.size() > timeAt + 9 && s[timeAt + 8] == '.') {
        std::from_chars(s.data() + timeAt + 8, s.data() + s.size(), frac);
    }
    out = day + (hh * 3600.0 + mi * 60.0 + ss + frac) / 86400.0;
    return true;
}

} // namespace

// Streams a result into the data set's store.
class TMyQuery::Loader : public ResultSink {
public:
    explicit Loader(TMyQuery& query)
        : q_(query) {}

    void Columns(const std::vector<ResultColumn>& columns) override {
        std::vector<BoundColumn> bound;
        bound.reserve(columns.size());
        int keyAt = -1;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const bool key = keyAt < 0 && (columns[i].autoIncrement || columns[i].primaryKey);
            if (key)
                keyAt = static_cast<int>(i);
            bound.push_back({columns[i].name, columns[i].fieldType, key});
        }
        map_ = q_.BindColumns(bound);
        kinds_.assign(columns.size(), StoreKind::Text);
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (map_[i] >= 0)
                kinds_[i] = q_.Store().Kind(static_cast<std::size_t>(map_[i]));

        // Where the rows come from, for writing them back.
        q_.table_.clear();
        q_.keyColumn_.clear();
        if (keyAt >= 0) {
            q_.table_ = columns[static_cast<std::size_t>(keyAt)].orgTable;
            q_.keyColumn_ = columns[static_cast<std::size_t>(keyAt)].orgName;
        }
        for (const ResultColumn& c : columns)
            if (q_.table_.isEmpty() && !c.orgTable.isEmpty())
                q_.table_ = c.orgTable;
        q_.columnOfField_.assign(static_cast<std::size_t>(q_.FieldCount()), QString());
        for (int fi = 0; fi < q_.FieldCount(); ++fi) {
            const TField* f = q_.Fields(fi);
            for (const ResultColumn& c : columns)
                if (c.name.compare(f->FieldName(), Qt::CaseInsensitive) == 0) {
                    // A computed column has no table column to write back to.
                    q_.columnOfField_[static_cast<std::size_t>(fi)] =
                        c.orgTable.compare(q_.table_, Qt::CaseInsensitive) == 0 ? c.orgName : QString();
                    break;
                }
        }
    }

    void Row(const std::vector<CellRef>& cells) override {
        RowStore& store = q_.Store();
        const std::size_t row = store.AddRow();
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const int col = map_[i];
            if (col < 0 || cells[i].form == CellRef::Form::Null)
                continue;
            Put(store, static_cast<std::size_t>(col), row, kinds_[i], cells[i]);
        }
    }

    static void Put(RowStore& store, std::size_t col, std::size_t row, StoreKind kind, const CellRef& cell) {
        using F = CellRef::Form;
        switch (kind) {
        case StoreKind::Int32:
        case StoreKind::Int64: {
            std::int64_t v = 0;
            if (cell.form == F::Int)
                v = cell.integer;
            else if (cell.form == F::Real)
                v = static_cast<std::int64_t>(cell.real);
            else if (cell.form == F::Text)
                std::from_chars(cell.text.data(), cell.text.data() + cell.text.size(), v);
            store.SetInt(col, row, v);
            break;
        }
        case StoreKind::Double: {
            double v = 0;
            if (cell.form == F::Real)
                v = cell.real;
            else if (cell.form == F::Int)
                v = static_cast<double>(cell.integer);
            else if (cell.form == F::Text)
                std::from_chars(cell.text.data(), cell.text.data() + cell.text.size(), v);
            store.SetReal(col, row, v);
            break;
        }
        case StoreKind::Date:
        case StoreKind::DateTime: {
            double v = 0;
            bool hasDate = true;
            if (cell.form == F::Date)
                v = cell.day;
            else if (cell.form == F::DateTime)
                v = cell.real;
            else if (cell.form == F::Text) {
                if (!ParseTemporal(cell.text, v, hasDate))
                    break; // the zero date reads like an empty one
            } else
                break;
            if (kind == StoreKind::Date)
                store.SetDay(col, row, static_cast<std::int32_t>(std::floor(v)));
            else
                store.SetReal(col, row, v);
            break;
        }
        case StoreKind::Text:
            if (cell.form == F::Text)
                store.SetText(col, row, cell.text);
            break;
        }
    }

private:
    TMyQuery& q_;
    std::vector<int> map_;
    std::vector<StoreKind> kinds_;
};

void TSQLText::Clear() {
    lines_.clear();
    if (OnChange)
        OnChange();
}

void TSQLText::Add(const QString& line) {
    lines_ << line;
    if (OnChange)
        OnChange();
}

void TSQLText::SetText(const QString& text) {
    lines_ = text.split(u'\n');
    for (QString& l : lines_)
        if (l.endsWith(u'\r'))
            l.chop(1);
    if (OnChange)
        OnChange();
}

TMyQuery::TMyQuery(QString ownerName, QString name, TMyConnection* connection)
    : TDataSet(std::move(ownerName), std::move(name))
    , Connection(connection) {
    SQL.OnChange = [this] { SqlChanged(); };
}

TMyQuery::~TMyQuery() {
    SetMasterSource(nullptr);
}

TMyConnection& TMyQuery::Conn() const {
    if (!Connection)
        throw EDatabaseError(ErrorPrefix() + QStringLiteral("Connection not defined"));
    return *Connection;
}

void TMyQuery::SqlChanged() {
    // Changing the statement closes the query; parameters of the same name keep their values.
    Close();
    std::vector<std::unique_ptr<TParam>> old = std::move(params_);
    params_.clear();
    for (const QString& name : ParameterNames(SQL.Text())) {
        std::unique_ptr<TParam> p;
        for (auto& o : old)
            if (o && o->Name().compare(name, Qt::CaseInsensitive) == 0)
                p = std::move(o);
        params_.push_back(p ? std::move(p) : std::make_unique<TParam>(name));
    }
}

TParam* TMyQuery::FindParam(const QString& name) {
    for (auto& p : params_)
        if (p->Name().compare(name, Qt::CaseInsensitive) == 0)
            return p.get();
    return nullptr;
}

TParam* TMyQuery::ParamByName(const QString& name) {
    if (TParam* p = FindParam(name))
        return p;
    throw EDatabaseError(ErrorPrefix() + QStringLiteral("Parameter '%1' not found").arg(name));
}

std::vector<BoundValue> TMyQuery::ValuesFor(const QStringList& placeholders,
                                            const std::vector<std::pair<QString, BoundValue>>& extra) const {
    std::vector<BoundValue> values;
    values.reserve(static_cast<std::size_t>(placeholders.size()));
    for (const QString& name : placeholders) {
        BoundValue v;
        bool found = false;
        for (const auto& [n, e] : extra)
            if (n.compare(name, Qt::CaseInsensitive) == 0) {
                v = e;
                found = true;
            }
        for (const auto& p : params_)
            if (!found && p->Name().compare(name, Qt::CaseInsensitive) == 0) {
                v = p->Bound();
                found = true;
            }
        values.push_back(v);
    }
    return values;
}

void TMyQuery::Fetch(const QString& sql, const std::vector<BoundValue>& values) {
    Loader loader(*this);
    RunQuery(Conn(), sql, values, loader);
}

void TMyQuery::InternalOpen() {
    if (master_) {
        // A detail opens on its master's current row; without one it holds no rows.
        TDataSet* m = master_->DataSet();
        if (!m || !m->Active() || m->IsEmpty()) {
            haveMasterValue_ = false;
            ClearRows();
            return;
        }
        const CellValue value = m->FieldByName(MasterFields)->Value();
        const QString sql =
            AddCondition(StatementText(), QuoteName(DetailFields) + QStringLiteral(" = :__master"));
        const ParsedStatement parsed = ParseNamedParameters(sql);
        BoundValue mv{TFieldType::ftUnknown, value};
        if (std::holds_alternative<double>(value))
            mv.type = TFieldType::ftFloat;
        else if (std::holds_alternative<std::int64_t>(value))
            mv.type = TFieldType::ftLargeint;
        else if (std::holds_alternative<QByteArray>(value))
            mv.type = TFieldType::ftString;
        Fetch(parsed.serverText, ValuesFor(parsed.placeholders, {{QStringLiteral("__master"), mv}}));
        lastMasterValue_ = value;
        haveMasterValue_ = true;
        return;
    }
    const ParsedStatement parsed = ParseNamedParameters(StatementText());
    Fetch(parsed.serverText, ValuesFor(parsed.placeholders, {}));
}

void TMyQuery::Execute() {
    if (ReturnsRows(StatementText())) {
        Close();
        Open();
    } else {
        ExecSQL();
    }
}

void TMyQuery::ExecSQL() {
    const ParsedStatement parsed = ParseNamedParameters(StatementText());
    rowsAffected_ = RunCommand(Conn(), parsed.serverText, ValuesFor(parsed.placeholders, {})).affectedRows;
}

void TMyQuery::InternalPost(bool inserting, const std::vector<int>& assigned) {
    if (table_.isEmpty())
        throw EDatabaseError(ErrorPrefix() + QStringLiteral("Cannot write: the result names no table"));
    QStringList columns;
    std::vector<BoundValue> values;
    for (int fi : assigned) {
        const QString& column = columnOfField_[static_cast<std::size_t>(fi)];
        if (column.isEmpty())
            continue;
        columns << QuoteName(column);
        values.push_back({Fields(fi)->DataType(), *Assigned(fi)});
    }
    if (inserting) {
        QStringList marks;
        for (qsizetype i = 0; i < columns.size(); ++i)
            marks << QStringLiteral("?");
        const QString sql =
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(QuoteName(table_), columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        const CommandResult r = RunCommand(Conn(), sql, values);
        if (!keyColumn_.isEmpty())
            SetKeyOfNewRow(static_cast<std::int64_t>(r.insertId));
        return;
    }
    if (columns.isEmpty())
        return;
    QStringList sets;
    for (const QString& c : columns)
        sets << c + QStringLiteral(" = ?");
    values.push_back(CurrentKey());
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                            .arg(QuoteName(table_), sets.join(QStringLiteral(", ")), QuoteName(keyColumn_));
    const CommandResult r = RunCommand(Conn(), sql, values);
    if (r.affectedRows == 0)
        throw EDatabaseError(ErrorPrefix() + QStringLiteral("Record not found or changed by another user"));
}

BoundValue TMyQuery::CurrentKey() const {
    if (table_.isEmpty() || KeyStoreColumn() < 0 || keyColumn_.isEmpty())
        throw EDatabaseError(ErrorPrefix() + QStringLiteral("Cannot write: the result has no key column"));
    const int row = ActivePhysicalRow();
    return {TFieldType::ftLargeint,
            Store().Int(static_cast<std::size_t>(KeyStoreColumn()), static_cast<std::size_t>(row))};
}

void TMyQuery::InternalDelete() {
    const QString sql =
        QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(QuoteName(table_), QuoteName(keyColumn_));
    if (RunCommand(Conn(), sql, {CurrentKey()}).affectedRows == 0)
        throw EDatabaseError(ErrorPrefix() + QStringLiteral("Record not found or changed by another user"));
}

void TMyQuery::RefreshQuick(bool checkDeleted) {
    (void)checkDeleted; // rows deleted elsewhere are not looked for
    if (!Active() || State() != TDataSetState::dsBrowse || KeyStoreColumn() < 0 || keyColumn_.isEmpty())
        return;
    const int row = ActivePhysicalRow();
    if (row < 0)
        return;
    const auto r = static_cast<std::size_t>(row);

    // Reads the row by its key and copies its columns over the stored ones.
    class Refresher : public ResultSink {
    public:
        Refresher(TMyQuery& q, std::size_t row)
            : q_(q)
            , row_(row) {}
        void Columns(const std::vector<ResultColumn>& columns) override {
            map_.assign(columns.size(), -1);
            for (std::size_t i = 0; i < columns.size(); ++i) {
                for (int fi = 0; fi < q_.FieldCount(); ++fi) {
                    const TField* f = q_.Fields(fi);
                    if (f->StoreColumn() >= 0 && q_.columnOfField_[static_cast<std::size_t>(fi)].compare(
                                                     columns[i].orgName, Qt::CaseInsensitive) == 0)
                        map_[i] = f->StoreColumn();
                }
            }
        }
        void Row(const std::vector<CellRef>& cells) override {
            RowStore& store = q_.Store();
            for (std::size_t i = 0; i < cells.size(); ++i) {
                if (map_[i] < 0)
                    continue;
                const auto col = static_cast<std::size_t>(map_[i]);
                store.SetNull(col, row_);
                if (cells[i].form != CellRef::Form::Null)
                    Loader::Put(store, col, row_, store.Kind(col), cells[i]);
            }
        }

    private:
        TMyQuery& q_;
        std::size_t row_;
        std::vector<int> map_;
    } refresher(*this, r);

    const QString sql =
        QStringLiteral("SELECT * FROM %1 WHERE %2 = ?").arg(QuoteName(table_), QuoteName(keyColumn_));
    RunQuery(Conn(), sql,
             {{TFieldType::ftLargeint, Store().Int(static_cast<std::size_t>(KeyStoreColumn()), r)}},
             refresher);
    Notify(TDataEvent::RecordChange);
}

void TMyQuery::SetMasterSource(TMyDataSource* master) {
    if (master_)
        master_->Unsubscribe(masterToken_);
    master_ = master;
    masterToken_ = master_ ? master_->Subscribe([this](TDataEvent e) { MasterChanged(e); }) : 0;
}

void TMyQuery::MasterChanged(TDataEvent event) {
    if (!Active() || event == TDataEvent::StateChange)
        return;
    if (event != TDataEvent::DataSetChange) {
        // Moving between rows of the same voucher number needs no new read.
        TDataSet* m = master_->DataSet();
        if (m && m->Active() && !m->IsEmpty() && haveMasterValue_ &&
            m->FieldByName(MasterFields)->Value() == lastMasterValue_)
            return;
    }
    RequeryDetail();
}

void TMyQuery::RequeryDetail() {
    ClearRows();
    try {
        InternalOpen();
    } catch (...) {
        ClearRows();
        FinishLoad();
        throw;
    }
    FinishLoad();
}
