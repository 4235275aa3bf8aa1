#include "platform/ui/DBGrids.h"

#include "platform/data/DataSet.h"
#include "platform/ui/Application.h"
#include "platform/ui/Controls.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QScrollBar>

#include <algorithm>
#include <optional>

namespace {

constexpr int kIndicatorWidth = 11;
constexpr int kTextMargin = 2;
constexpr int kResizeZone = 2; // pixels either side of a title's right edge that start a resize
constexpr int kMinColumnWidth = 4;

QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

Qt::Alignment HorizontalAlignment(TAlignment a) {
    switch (a) {
    case TAlignment::taRightJustify:
        return Qt::AlignRight;
    case TAlignment::taCenter:
        return Qt::AlignHCenter;
    case TAlignment::taLeftJustify:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace

// --- columns ---------------------------------------------------------------------------------------------

TField* TColumn::Field() const {
    TDataSet* ds = grid_->DataSet();
    if (!ds || !ds->Active() || FieldName.isEmpty())
        return nullptr;
    return ds->FindField(FieldName);
}

QString TColumn::TitleText() const {
    if (!Title.Caption.isEmpty())
        return Title.Caption;
    if (const TField* f = Field())
        return f->DisplayName();
    return FieldName;
}

void TColumn::SetWidth(const int& width) {
    width_ = std::max(0, width);
    grid_->LayoutChanged();
}

TColumn* TDBGridColumns::Add() {
    items_.push_back(std::make_unique<TColumn>(grid_));
    grid_->LayoutChanged();
    return items_.back().get();
}

void TDBGridColumns::Clear() {
    items_.clear();
    grid_->LayoutChanged();
}

// --- geometry --------------------------------------------------------------------------------------------

struct TCRDBGrid::Geometry {
    int width = 0;
    int height = 0;
    int vLine = 0;          // width of the column lines
    int hLine = 0;          // height of the row lines
    int indicatorWidth = 0; // with its line
    int titleHeight = 0;    // with its line; 0 without titles
    int rowHeight = 0;      // a data cell, without its line
    int rowPitch = 0;
    int statusHeight = 0;
    int dataTop = 0;
    int dataBottom = 0;
    int visibleRows = 0; // whole rows
    int hOffset = 0;
};

TCRDBGrid::TCRDBGrid(QWidget* AParent)
    : TWinControl<QAbstractScrollArea>(AParent)
    , titleFontHolder_(new QWidget(this))
    , titleFont_(std::make_unique<TFont>(*titleFontHolder_,
                                         [this] {
                                             titleFontHolder_->setFont(titleFont_->ExplicitFont());
                                             LayoutChanged();
                                         }))
    , TitleFont(titleFont_.get()) {
    titleFontHolder_->hide();
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(1);
}

TCRDBGrid::~TCRDBGrid() {
    if (dataSource_)
        dataSource_->Unsubscribe(token_);
}

void TCRDBGrid::SetDataSource(TMyDataSource* const& source) {
    if (source == dataSource_)
        return;
    if (dataSource_)
        dataSource_->Unsubscribe(token_);
    dataSource_ = source;
    token_ = dataSource_ ? dataSource_->Subscribe([this](TDataEvent e) { DataEvent(e); }) : 0;
    DataEvent(TDataEvent::DataSetChange);
}

void TCRDBGrid::SetOptions(const TDBGridOptions& options) {
    options_ = options;
    LayoutChanged();
}

TDataSet* TCRDBGrid::DataSet() const {
    return dataSource_ ? dataSource_->DataSet() : nullptr;
}

namespace {
TDataSet* ActiveDataSet(const TCRDBGrid& grid) {
    TDataSet* ds = grid.DataSet();
    return ds && ds->Active() ? ds : nullptr;
}
} // namespace

void TCRDBGrid::DataEvent(TDataEvent event) {
    switch (event) {
    case TDataEvent::DataSetChange:
        if (!ActiveDataSet(*this))
            topRow_ = 0;
        RebuildDefaultColumns();
        UpdateScrollBars();
        KeepCurrentVisible();
        break;
    case TDataEvent::DataSetScroll:
        KeepCurrentVisible();
        break;
    case TDataEvent::RecordChange:
    case TDataEvent::StateChange:
        break;
    }
    viewport()->update();
}

void TCRDBGrid::RebuildDefaultColumns() {
    TDataSet* ds = ActiveDataSet(*this);
    std::vector<const TField*> fields;
    if (Columns.Count() == 0 && ds)
        for (int i = 0; i < ds->FieldCount(); ++i)
            if (ds->Fields(i)->Visible)
                fields.push_back(ds->Fields(i));
    // The same fields as before (a row posted or deleted, the order changed) keep their columns and widths.
    const bool same =
        std::equal(fields.begin(), fields.end(), defaultColumns_.begin(), defaultColumns_.end(),
                   [](const TField* f, const auto& c) { return f->FieldName() == c->FieldName; });
    if (same)
        return;
    // Without declared columns the grid shows every visible field, as wide as its display width.
    defaultColumns_.clear();
    const QFontMetrics fm(font());
    const QFontMetrics tfm(titleFontHolder_->font());
    for (const TField* f : fields) {
        int chars = f->DisplayWidth;
        if (chars <= 0)
            chars = f->IsText() ? std::clamp(f->Size(), 4, 40) : 10;
        auto column = std::make_unique<TColumn>(this);
        column->FieldName = f->FieldName();
        column->Width = std::max(chars * fm.averageCharWidth(), tfm.horizontalAdvance(f->DisplayName())) +
                        2 * kTextMargin;
        defaultColumns_.push_back(std::move(column));
    }
}

std::vector<TColumn*> TCRDBGrid::VisibleColumns() const {
    std::vector<TColumn*> columns;
    if (Columns.Count() > 0) {
        columns.reserve(static_cast<std::size_t>(Columns.Count()));
        for (int i = 0; i < Columns.Count(); ++i)
            columns.push_back(Columns[i]);
    } else {
        for (const auto& c : defaultColumns_)
            columns.push_back(c.get());
    }
    return columns;
}

TCRDBGrid::Geometry TCRDBGrid::Layout() const {
    Geometry g;
    g.width = viewport()->width();
    g.height = viewport()->height();
    g.vLine = Has(dgColLines) ? 1 : 0;
    g.hLine = Has(dgRowLines) ? 1 : 0;
    g.indicatorWidth = Has(dgIndicator) ? kIndicatorWidth + g.vLine : 0;
    const QFontMetrics fm(font());
    g.rowHeight = fm.height() + 3;
    g.rowPitch = g.rowHeight + g.hLine;
    g.titleHeight = Has(dgTitles) ? QFontMetrics(titleFontHolder_->font()).height() + 4 + g.hLine : 0;
    g.statusHeight = fm.height() + 6;
    g.dataTop = g.titleHeight;
    g.dataBottom = std::max(g.dataTop, g.height - g.statusHeight);
    g.visibleRows = (g.dataBottom - g.dataTop) / g.rowPitch;
    g.hOffset = horizontalScrollBar()->value();
    return g;
}

int TCRDBGrid::ColumnLeft(const Geometry& g, int column) const {
    const auto columns = VisibleColumns();
    int x = g.indicatorWidth - g.hOffset;
    for (int i = 0; i < column && i < static_cast<int>(columns.size()); ++i)
        x += columns[static_cast<std::size_t>(i)]->Width + g.vLine;
    return x;
}

int TCRDBGrid::TotalColumnsWidth(const Geometry& g) const {
    int total = 0;
    for (const TColumn* c : VisibleColumns())
        total += c->Width + g.vLine;
    return total;
}

int TCRDBGrid::VisibleRowCount() const {
    return std::max(1, Layout().visibleRows);
}

int TCRDBGrid::MaxTopRow() const {
    const TDataSet* ds = ActiveDataSet(*this);
    return ds ? std::max(0, ds->RecordCount() - VisibleRowCount()) : 0;
}

int TCRDBGrid::FirstVisibleRow() const {
    const TDataSet* ds = ActiveDataSet(*this);
    return ds && ds->RecordCount() > 0 ? topRow_ + 1 : 0;
}

void TCRDBGrid::LayoutChanged() {
    UpdateScrollBars();
    KeepCurrentVisible();
    viewport()->update();
}

void TCRDBGrid::UpdateScrollBars() {
    const Geometry g = Layout();
    const int maxTop = MaxTopRow();
    QScrollBar* v = verticalScrollBar();
    v->setPageStep(std::max(1, g.visibleRows));
    v->setRange(0, maxTop);
    topRow_ = std::clamp(topRow_, 0, maxTop);
    v->setValue(topRow_);

    const int room = std::max(0, g.width - g.indicatorWidth);
    QScrollBar* h = horizontalScrollBar();
    h->setPageStep(std::max(1, room));
    h->setSingleStep(16);
    h->setRange(0, std::max(0, TotalColumnsWidth(g) - room));
}

void TCRDBGrid::SetTopRow(int topRow) {
    topRow_ = std::clamp(topRow, 0, MaxTopRow());
    verticalScrollBar()->setValue(topRow_);
    viewport()->update();
}

void TCRDBGrid::ScrollToRow(int recNo) {
    SetTopRow(recNo - 1);
}

void TCRDBGrid::KeepCurrentVisible() {
    const TDataSet* ds = ActiveDataSet(*this);
    if (!ds || ds->RecNo() == 0) {
        SetTopRow(topRow_);
        return;
    }
    const int current = ds->RecNo() - 1;
    const int visible = VisibleRowCount();
    int top = topRow_;
    if (current < top)
        top = current;
    else if (current >= top + visible)
        top = current - visible + 1;
    SetTopRow(top);
}

void TCRDBGrid::scrollContentsBy(int, int) {
    topRow_ = verticalScrollBar()->value();
    viewport()->update();
}

void TCRDBGrid::resizeEvent(QResizeEvent* event) {
    TWinControl<QAbstractScrollArea>::resizeEvent(event);
    LayoutChanged();
}

void TCRDBGrid::changeEvent(QEvent* event) {
    TWinControl<QAbstractScrollArea>::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        LayoutChanged();
}

void TCRDBGrid::showEvent(QShowEvent* event) {
    TWinControl<QAbstractScrollArea>::showEvent(event);
    LayoutChanged();
}

TRect TCRDBGrid::CellRect(int dataCol, int recNo) const {
    const auto columns = VisibleColumns();
    const TDataSet* ds = ActiveDataSet(*this);
    const Geometry g = Layout();
    const int row = recNo - 1 - topRow_;
    if (!ds || dataCol < 0 || dataCol >= static_cast<int>(columns.size()) || recNo < 1 ||
        recNo > ds->RecordCount() || row < 0)
        return {};
    const int top = g.dataTop + row * g.rowPitch;
    if (top >= g.dataBottom)
        return {};
    const int left = ColumnLeft(g, dataCol);
    return {left, top, left + columns[static_cast<std::size_t>(dataCol)]->Width, top + g.rowHeight};
}

TRect TCRDBGrid::TitleRect(int dataCol) const {
    const auto columns = VisibleColumns();
    const Geometry g = Layout();
    if (g.titleHeight == 0 || dataCol < 0 || dataCol >= static_cast<int>(columns.size()))
        return {};
    const int left = ColumnLeft(g, dataCol);
    return {left, 0, left + columns[static_cast<std::size_t>(dataCol)]->Width, g.titleHeight - g.hLine};
}

TRect TCRDBGrid::StatusRect() const {
    const Geometry g = Layout();
    return {0, g.dataBottom, g.width, g.height};
}

QString TCRDBGrid::StatusText() const {
    const TDataSet* ds = ActiveDataSet(*this);
    if (!ds)
        return {};
    return QStringLiteral("%1/%2").arg(ds->RecNo()).arg(ds->RecordCount());
}

QImage TCRDBGrid::RenderImage() {
    return viewport()->grab().toImage();
}

// --- painting --------------------------------------------------------------------------------------------

void TCRDBGrid::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const Geometry g = Layout();
    canvas_.painter_ = &p;
    p.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    PaintRows(p, g);
    PaintTitles(p, g);
    PaintStatus(p, g);
    canvas_.painter_ = nullptr;
}

void TCRDBGrid::DeferPaintError(std::exception_ptr error) {
    // The error box must not open while the viewport is being painted: it is shown as soon as the paint is
    // over, once per paint however many cells failed.
    if (paintError_)
        return;
    paintError_ = std::move(error);
    QMetaObject::invokeMethod(
        this,
        [this] {
            const std::exception_ptr error = std::exchange(paintError_, nullptr);
            CallHandler([&] { std::rethrow_exception(error); });
        },
        Qt::QueuedConnection);
}

void TCRDBGrid::PaintFixedCell(QPainter& p, const QRect& r, TGridDrawState state) {
    const QPalette& pal = palette();
    QColor face = pal.color(QPalette::Button);
    if (state.Contains(gdPressed))
        face = face.darker(115);
    else if (state.Contains(gdHotTrack))
        face = face.lighter(112);
    p.fillRect(r, face);
    // A raised edge, sunk while pressed.
    const QColor light = state.Contains(gdPressed) ? pal.color(QPalette::Dark) : pal.color(QPalette::Light);
    const QColor dark = state.Contains(gdPressed) ? pal.color(QPalette::Light) : pal.color(QPalette::Dark);
    p.setPen(light);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(dark);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void TCRDBGrid::DrawIndicator(QPainter& p, const QRect& r) {
    // The marker of the current row: a small triangle pointing at it.
    const QPointF c = QRectF(r).center();
    QPainterPath path;
    path.moveTo(c.x() - 2, c.y() - 4);
    path.lineTo(c.x() + 2, c.y());
    path.lineTo(c.x() - 2, c.y() + 4);
    path.closeSubpath();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillPath(path, palette().color(QPalette::WindowText));
    p.restore();
}

void TCRDBGrid::PaintTitles(QPainter& p, const Geometry& g) {
    if (g.titleHeight == 0)
        return;
    const int cellHeight = g.titleHeight - g.hLine;
    if (g.indicatorWidth > 0)
        PaintFixedCell(p, QRect(0, 0, g.indicatorWidth - g.vLine, cellHeight), {gdFixed});
    const auto columns = VisibleColumns();
    p.save();
    p.setClipRect(QRect(g.indicatorWidth, 0, std::max(0, g.width - g.indicatorWidth), g.titleHeight));
    p.setFont(titleFontHolder_->font());
    int x = g.indicatorWidth - g.hOffset;
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        const TColumn* column = columns[static_cast<std::size_t>(i)];
        const int w = column->Width;
        if (x + w >= g.indicatorWidth && x < g.width) {
            TGridDrawState state{gdFixed};
            if (Has(dgTitleHotTrack) && i == hotColumn_)
                state << gdHotTrack;
            if (i == pressedColumn_ && i == hotColumn_)
                state << gdPressed;
            const QRect r(x, 0, w, cellHeight);
            PaintFixedCell(p, r, state);
            const int shift = state.Contains(gdPressed) ? 1 : 0;
            p.setPen(palette().color(QPalette::ButtonText));
            p.drawText(r.adjusted(kTextMargin + shift, shift, -kTextMargin + shift, shift),
                       HorizontalAlignment(column->Title.Alignment) | Qt::AlignVCenter | Qt::TextSingleLine,
                       column->TitleText());
        }
        x += w + g.vLine;
    }
    p.restore();
    if (g.hLine > 0) {
        p.setPen(palette().color(QPalette::Dark));
        p.drawLine(0, cellHeight, std::min(g.width, x), cellHeight);
    }
}

void TCRDBGrid::PaintRows(QPainter& p, const Geometry& g) {
    TDataSet* ds = ActiveDataSet(*this);
    if (!ds)
        return;
    const auto columns = VisibleColumns();
    const int count = ds->RecordCount();
    const int current = ds->RecNo();
    const bool focused = hasFocus();
    const bool showSelection = focused || Has(dgAlwaysShowSelection);
    const bool rowSelect = Has(dgRowSelect);
    const QColor lineColor = palette().color(QPalette::Mid);
    const TColor background = Color;
    const TColor text = Font->Color;
    const int right = std::min(g.width, g.indicatorWidth - g.hOffset + TotalColumnsWidth(g));
    const QRect dataClip(g.indicatorWidth, g.dataTop, std::max(0, g.width - g.indicatorWidth),
                         g.dataBottom - g.dataTop);

    // Whole rows, and the part of one more that fits.
    for (int y = g.dataTop, recNo = topRow_ + 1; y < g.dataBottom && recNo <= count;
         y += g.rowPitch, ++recNo) {
        const bool isCurrent = recNo == current;
        // The row being edited shows its edited values; every other row is read where it lies.
        std::optional<TDataSet::RowView> view;
        if (!(isCurrent && ds->State() == TDataSetState::dsEdit))
            view.emplace(*ds, recNo);
        p.setClipRect(QRect(0, g.dataTop, g.width, g.dataBottom - g.dataTop));
        if (g.indicatorWidth > 0) {
            const QRect r(0, y, g.indicatorWidth - g.vLine, g.rowHeight);
            PaintFixedCell(p, r, {gdFixed});
            if (isCurrent)
                DrawIndicator(p, r);
        }
        p.setClipRect(dataClip);
        int x = g.indicatorWidth - g.hOffset;
        for (int col = 0; col < static_cast<int>(columns.size()); ++col) {
            TColumn* column = columns[static_cast<std::size_t>(col)];
            const int w = column->Width;
            if (x + w >= g.indicatorWidth && x < g.width) {
                const TRect rect{x, y, x + w, y + g.rowHeight};
                TGridDrawState state;
                if (isCurrent && (rowSelect || col == selectedCol_)) {
                    state << gdSelected;
                    if (rowSelect)
                        state << gdRowSelected;
                    if (focused && col == selectedCol_)
                        state << gdFocused;
                }
                const bool highlighted = state.Contains(gdSelected) && showSelection;
                canvas_.Brush.Color = highlighted ? clHighlight : background;
                canvas_.Font.Color = highlighted ? clHighlightText : text;
                DefaultDrawColumnCell(rect, col, column, state);
                if (highlighted && focused && !rowSelect) {
                    p.setPen(QPen(ColorFromTColor(clHighlightText), 1, Qt::DotLine));
                    p.drawRect(ToQRect(rect).adjusted(0, 0, -1, -1));
                }
                if (OnDrawColumnCell && !paintError_) {
                    try {
                        OnDrawColumnCell(this, rect, col, column, state);
                    } catch (...) {
                        DeferPaintError(std::current_exception());
                    }
                }
                if (g.vLine > 0) {
                    p.setPen(lineColor);
                    p.drawLine(x + w, y, x + w, y + g.rowHeight - 1 + g.hLine);
                }
            }
            x += w + g.vLine;
        }
        if (g.hLine > 0) {
            p.setPen(lineColor);
            p.drawLine(g.indicatorWidth, y + g.rowHeight, right - 1, y + g.rowHeight);
        }
    }
    p.setClipping(false);
}

void TCRDBGrid::DrawCellText(QPainter& p, const TRect& r, TColumn* column, const QColor& color) {
    const TField* field = column ? column->Field() : nullptr;
    if (!field)
        return;
    p.setPen(color);
    p.setFont(font());
    p.drawText(ToQRect(r).adjusted(kTextMargin, 0, -kTextMargin, 0),
               HorizontalAlignment(field->Alignment()) | Qt::AlignVCenter | Qt::TextSingleLine,
               field->DisplayText());
}

void TCRDBGrid::DefaultDrawColumnCell(const TRect& Rect, int, TColumn* Column, TGridDrawState) {
    QPainter* p = canvas_.painter_;
    if (!p)
        return;
    p->fillRect(ToQRect(Rect), ColorFromTColor(canvas_.Brush.Color));
    DrawCellText(*p, Rect, Column, ColorFromTColor(canvas_.Font.Color));
}

void TCRDBGrid::PaintStatus(QPainter& p, const Geometry& g) {
    const QRect r(0, g.dataBottom, g.width, g.height - g.dataBottom);
    if (r.height() <= 0)
        return;
    p.fillRect(r, palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(r.topLeft(), r.topRight());
    p.setPen(palette().color(QPalette::ButtonText));
    p.setFont(font());
    p.drawText(r.adjusted(4, 1, -4, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, StatusText());
}

// --- mouse -----------------------------------------------------------------------------------------------

TCRDBGrid::Hit TCRDBGrid::HitTest(const QPoint& pos) const {
    const Geometry g = Layout();
    const auto columns = VisibleColumns();
    Hit hit;
    if (pos.y() < 0 || pos.x() < 0 || pos.x() >= g.width)
        return hit;
    if (pos.y() >= g.dataBottom) {
        hit.kind = HitKind::Status;
        return hit;
    }
    const bool inTitles = pos.y() < g.dataTop;
    if (!inTitles) {
        const int row = (pos.y() - g.dataTop) / g.rowPitch;
        const TDataSet* ds = ActiveDataSet(*this);
        if (!ds || topRow_ + row >= ds->RecordCount())
            return hit;
        hit.recNo = topRow_ + row + 1;
    }
    if (pos.x() < g.indicatorWidth) {
        hit.kind = inTitles ? HitKind::None : HitKind::Indicator;
        return hit;
    }
    // The zone around a title's right edge resizes that column, also where it reaches into the next one.
    if (inTitles && Has(dgColumnResize)) {
        int x = g.indicatorWidth - g.hOffset;
        for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
            x += columns[static_cast<std::size_t>(i)]->Width;
            if (std::abs(pos.x() - x) <= kResizeZone) {
                hit.kind = HitKind::TitleEdge;
                hit.column = i;
                return hit;
            }
            x += g.vLine;
        }
    }
    int x = g.indicatorWidth - g.hOffset;
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        const int next = x + columns[static_cast<std::size_t>(i)]->Width + g.vLine;
        if (pos.x() >= x && pos.x() < next) {
            hit.kind = inTitles ? HitKind::Title : HitKind::Cell;
            hit.column = i;
            return hit;
        }
        x = next;
    }
    return hit;
}

void TCRDBGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        TWinControl<QAbstractScrollArea>::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    const Hit hit = HitTest(pos);
    switch (hit.kind) {
    case HitKind::TitleEdge:
        resizingColumn_ = hit.column;
        resizeOrigin_ = ColumnLeft(Layout(), hit.column);
        break;
    case HitKind::Title:
        if (Has(dgTitleClick)) {
            pressedColumn_ = hit.column;
            hotColumn_ = hit.column;
            viewport()->update();
        }
        break;
    case HitKind::Cell:
    case HitKind::Indicator:
        if (hit.kind == HitKind::Cell)
            selectedCol_ = hit.column;
        CallHandler([&] {
            if (TDataSet* ds = ActiveDataSet(*this))
                ds->SetRecNo(hit.recNo);
        });
        viewport()->update();
        break;
    case HitKind::Status:
    case HitKind::None:
        break;
    }
    event->accept();
}

void TCRDBGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (resizingColumn_ >= 0) {
        const auto columns = VisibleColumns();
        if (resizingColumn_ < static_cast<int>(columns.size())) {
            columns[static_cast<std::size_t>(resizingColumn_)]->Width =
                std::max(kMinColumnWidth, pos.x() - resizeOrigin_);
            LayoutChanged();
        }
        return;
    }
    const Hit hit = HitTest(pos);
    viewport()->setCursor(hit.kind == HitKind::TitleEdge ? Qt::SplitHCursor : Qt::ArrowCursor);
    const int hot = hit.kind == HitKind::Title ? hit.column : -1;
    if (hot != hotColumn_) {
        hotColumn_ = hot;
        viewport()->update();
    }
}

void TCRDBGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        TWinControl<QAbstractScrollArea>::mouseReleaseEvent(event);
        return;
    }
    if (resizingColumn_ >= 0) {
        resizingColumn_ = -1;
        return;
    }
    const int pressed = std::exchange(pressedColumn_, -1);
    if (pressed < 0)
        return;
    const Hit hit = HitTest(event->position().toPoint());
    if (hit.kind == HitKind::Title && hit.column == pressed)
        CallHandler([&] { SortByColumn(pressed); });
    viewport()->update();
}

bool TCRDBGrid::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave && hotColumn_ >= 0) {
        hotColumn_ = -1;
        viewport()->update();
    }
    return TWinControl<QAbstractScrollArea>::viewportEvent(event);
}

void TCRDBGrid::SortByColumn(int column) {
    const auto columns = VisibleColumns();
    TDataSet* ds = ActiveDataSet(*this);
    if (!ds || column < 0 || column >= static_cast<int>(columns.size()))
        return;
    const TField* field = columns[static_cast<std::size_t>(column)]->Field();
    if (!field)
        return;
    // A second click on the column the rows are ordered by turns the order round.
    const QString name = field->FieldName();
    const bool ascendingNow = ds->IndexFieldNames().trimmed().compare(name, Qt::CaseInsensitive) == 0;
    ds->SetIndexFieldNames(ascendingNow ? name + QStringLiteral(" DESC") : name);
}

// --- keyboard --------------------------------------------------------------------------------------------

void TCRDBGrid::focusInEvent(QFocusEvent* event) {
    TWinControl<QAbstractScrollArea>::focusInEvent(event);
    viewport()->update();
}

void TCRDBGrid::focusOutEvent(QFocusEvent* event) {
    TWinControl<QAbstractScrollArea>::focusOutEvent(event);
    viewport()->update();
}

bool TCRDBGrid::focusNextPrevChild(bool next) {
    // With dgTabs, Tab moves between the grid's columns instead of leaving the grid.
    if (Has(dgTabs))
        return false;
    return TWinControl<QAbstractScrollArea>::focusNextPrevChild(next);
}

void TCRDBGrid::keyPressEvent(QKeyEvent* event) {
    quint16 key = VirtualKeyFromQtKey(event->key());
    TShiftState shift = ShiftStateFromQt(event->modifiers());
    if (event->key() == Qt::Key_Backtab)
        shift << ssShift;
    if (key == 0) {
        TWinControl<QAbstractScrollArea>::keyPressEvent(event);
        return;
    }
    // The handler sees the key first and may discard it; an exception in it ends the key's handling.
    bool handled = true;
    CallHandler([&] {
        if (OnKeyDown)
            OnKeyDown(this, key, shift);
        if (key != 0)
            handled = HandleKey(key, shift);
    });
    if (handled)
        event->accept();
    else
        TWinControl<QAbstractScrollArea>::keyPressEvent(event);
}

bool TCRDBGrid::HandleKey(quint16 key, TShiftState shift) {
    TDataSet* ds = ActiveDataSet(*this);
    const bool ctrl = shift.Contains(ssCtrl);
    const bool rowSelect = Has(dgRowSelect);
    const int lastColumn = static_cast<int>(VisibleColumns().size()) - 1;
    switch (key) {
    case VK_UP:
        if (ds)
            ds->Prior();
        return true;
    case VK_DOWN:
        if (ds)
            ds->Next();
        return true;
    case VK_PRIOR:
        if (ds)
            ds->MoveBy(-VisibleRowCount());
        return true;
    case VK_NEXT:
        if (ds)
            ds->MoveBy(VisibleRowCount());
        return true;
    case VK_HOME:
    case VK_END:
        // With whole-row selection there is no cell to move within the row: the ends are the first and
        // last rows.
        if (ctrl || rowSelect) {
            if (ds)
                key == VK_HOME ? ds->First() : ds->Last();
        } else {
            MakeColumnVisible(key == VK_HOME ? 0 : lastColumn);
        }
        return true;
    case VK_LEFT:
    case VK_RIGHT:
        MakeColumnVisible(selectedCol_ + (key == VK_LEFT ? -1 : 1));
        return true;
    case VK_TAB:
        if (!Has(dgTabs) || ctrl || shift.Contains(ssAlt))
            return false;
        if (shift.Contains(ssShift)) {
            if (selectedCol_ > 0)
                MakeColumnVisible(selectedCol_ - 1);
            else if (ds && ds->RecNo() > 1) {
                ds->Prior();
                MakeColumnVisible(lastColumn);
            }
        } else {
            if (selectedCol_ < lastColumn)
                MakeColumnVisible(selectedCol_ + 1);
            else if (ds && ds->RecNo() < ds->RecordCount()) {
                ds->Next();
                MakeColumnVisible(0);
            }
        }
        return true;
    case VK_DELETE:
        if (!ctrl)
            return false;
        DeleteCurrentRow();
        return true;
    default:
        return false;
    }
}

void TCRDBGrid::MakeColumnVisible(int column) {
    const auto columns = VisibleColumns();
    if (columns.empty())
        return;
    selectedCol_ = std::clamp(column, 0, static_cast<int>(columns.size()) - 1);
    const Geometry g = Layout();
    const int left = ColumnLeft(g, selectedCol_) + g.hOffset - g.indicatorWidth; // in column space
    const int right = left + columns[static_cast<std::size_t>(selectedCol_)]->Width;
    const int room = g.width - g.indicatorWidth;
    QScrollBar* h = horizontalScrollBar();
    if (left < h->value())
        h->setValue(left);
    else if (right > h->value() + room)
        h->setValue(std::min(left, right - room));
    viewport()->update();
}

void TCRDBGrid::DeleteCurrentRow() {
    TDataSet* ds = ActiveDataSet(*this);
    if (!ds || ds->IsEmpty())
        return;
    if (Has(dgConfirmDelete) && Application->MessageBox(QStringLiteral("Delete record?"), Application->Title,
                                                        MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    ds->Delete();
}
