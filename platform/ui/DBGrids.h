#pragma once
// The data grid: a custom-painted view over a data source. It draws only the rows on screen, reading them
// through row views, so that a data set of a million rows costs no more to show than one of twenty.

#include "platform/data/DataSource.h"
#include "platform/data/Fields.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/Property.h"
#include "platform/ui/Sets.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class TDataSet;

// A rectangle as the platform passes it: Right and Bottom lie just outside.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

enum TDBGridOption {
    dgEditing,
    dgAlwaysShowEditor,
    dgTitles,
    dgIndicator,
    dgColumnResize,
    dgColLines,
    dgRowLines,
    dgTabs,
    dgRowSelect,
    dgAlwaysShowSelection,
    dgConfirmDelete,
    dgCancelOnExit,
    dgMultiSelect,
    dgTitleClick,
    dgTitleHotTrack,
};
using TDBGridOptions = TSet<TDBGridOption>;

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed, gdRowSelected, gdHotTrack, gdPressed };
using TGridDrawState = TSet<TGridDrawStateItem>;

class TCRDBGrid;

class TColumnTitle {
public:
    QString Caption; // empty: the field's name is shown
    TAlignment Alignment = TAlignment::taLeftJustify;
};

class TColumn {
    int GetWidth() const { return width_; }
    void SetWidth(const int& width);

public:
    explicit TColumn(TCRDBGrid* grid)
        : grid_(grid) {}
    TColumn(const TColumn&) = delete;
    TColumn& operator=(const TColumn&) = delete;

    QString FieldName;
    TColumnTitle Title;
    Property<TColumn, int, &TColumn::GetWidth, &TColumn::SetWidth> Width{this}; // in pixels

    // The data set's field of that name (without regard to case) while the data set is open, else null.
    TField* Field() const;
    // What the title shows.
    QString TitleText() const;
    TCRDBGrid* Grid() const { return grid_; }

private:
    TCRDBGrid* grid_;
    int width_ = 64;
};

class TDBGridColumns {
public:
    explicit TDBGridColumns(TCRDBGrid* grid)
        : grid_(grid) {}

    TColumn* Add();
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    TColumn* Items(int index) const { return items_.at(static_cast<std::size_t>(index)).get(); }
    TColumn* operator[](int index) const { return Items(index); }

private:
    TCRDBGrid* grid_;
    std::vector<std::unique_ptr<TColumn>> items_; // owned one by one: columns keep their address
};

// The colours a draw-cell handler may change before it asks for the default drawing again.
class TCanvas {
public:
    struct TCanvasFont {
        TColor Color = clWindowText;
    };
    struct TCanvasBrush {
        TColor Color = clWindow;
    };
    TCanvasFont Font;
    TCanvasBrush Brush;

    // The painter of the paint in progress; none outside painting.
    QPainter* Painter() const { return painter_; }

private:
    friend class TCRDBGrid;
    QPainter* painter_ = nullptr;
};

using TDrawColumnCellEvent = std::function<void(TObject* Sender, const TRect& Rect, int DataCol,
                                                TColumn* Column, TGridDrawState State)>;

class TCRDBGrid : public TWinControl<QAbstractScrollArea> {
    // Declared first: TitleFont points into titleFont_. The title font lives on a hidden child, so that
    // what it leaves unset follows the grid's own font.
    QWidget* titleFontHolder_;
    std::unique_ptr<TFont> titleFont_;

    TMyDataSource* GetDataSource() const { return dataSource_; }
    void SetDataSource(TMyDataSource* const& source);
    TDBGridOptions GetOptions() const { return options_; }
    void SetOptions(const TDBGridOptions& options);

public:
    explicit TCRDBGrid(QWidget* AParent);
    ~TCRDBGrid() override;

    // The grid follows the data set of this source. The source must outlive the grid or be detached first.
    Property<TCRDBGrid, TMyDataSource*, &TCRDBGrid::GetDataSource, &TCRDBGrid::SetDataSource> DataSource{
        this};
    TDataSet* DataSet() const;

    TDBGridColumns Columns{this};
    Property<TCRDBGrid, TDBGridOptions, &TCRDBGrid::GetOptions, &TCRDBGrid::SetOptions> Options{this};
    // The titles' font; what it does not set comes from the grid's Font.
    TFont* const TitleFont;

    TDrawColumnCellEvent OnDrawColumnCell;
    TKeyEvent OnKeyDown;

    // The colours for DefaultDrawColumnCell; a draw-cell handler finds the cell's default colours there.
    TCanvas& Canvas() { return canvas_; }
    // Draws a data cell with the canvas's current colours: the rect filled with the brush, the column's
    // text in the font colour. Does nothing outside a paint.
    void DefaultDrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State);

    // Row numbers are 1-based, as RecNo counts them.
    int FirstVisibleRow() const;
    // How many whole data rows the grid has room for.
    int VisibleRowCount() const;
    // Scrolls so that `recNo` is the first row shown (or as near as the row count allows); the current
    // row stays where it is.
    void ScrollToRow(int recNo);
    // Where a data cell lies in the viewport; empty when its row is not on screen.
    TRect CellRect(int dataCol, int recNo) const;
    // Where the title of a column lies in the viewport; empty without titles.
    TRect TitleRect(int dataCol) const;
    // The status line below the rows: "RecNo/RecordCount", empty while the data set is closed.
    QString StatusText() const;
    TRect StatusRect() const;
    // One screen of the grid as it appears, in viewport coordinates.
    QImage RenderImage();

    // Recomputes row heights and scroll ranges after fonts, options or column widths have changed.
    void LayoutChanged();

protected:
    QPalette::ColorRole ColorRole() const override { return QPalette::Base; }
    bool FillsBackground() const override { return false; }

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;
    bool viewportEvent(QEvent* event) override;

private:
    struct Geometry;
    enum class HitKind { None, Title, TitleEdge, Indicator, Cell, Status };
    struct Hit {
        HitKind kind = HitKind::None;
        int column = -1; // data column
        int recNo = 0;
    };

    bool Has(TDBGridOption option) const { return options_.Contains(option); }
    void DataEvent(TDataEvent event);
    Geometry Layout() const;
    std::vector<TColumn*> VisibleColumns() const;
    void RebuildDefaultColumns();
    int ColumnLeft(const Geometry& g, int column) const;
    int TotalColumnsWidth(const Geometry& g) const;
    int MaxTopRow() const;
    void UpdateScrollBars();
    void KeepCurrentVisible();
    void SetTopRow(int topRow);
    Hit HitTest(const QPoint& pos) const;
    bool HandleKey(quint16 key, TShiftState shift);
    void DeleteCurrentRow();
    void SortByColumn(int column);
    void MakeColumnVisible(int column);

    void PaintTitles(QPainter& p, const Geometry& g);
    void PaintRows(QPainter& p, const Geometry& g);
    void PaintStatus(QPainter& p, const Geometry& g);
    void PaintFixedCell(QPainter& p, const QRect& r, TGridDrawState state);
    void DrawCellText(QPainter& p, const TRect& r, TColumn* column, const QColor& color);
    void DrawIndicator(QPainter& p, const QRect& r);
    void DeferPaintError(std::exception_ptr error);

    TMyDataSource* dataSource_ = nullptr;
    int token_ = 0;
    TDBGridOptions options_{dgTitles,   dgIndicator, dgColumnResize,  dgColLines,
                            dgRowLines, dgTabs,      dgConfirmDelete, dgCancelOnExit};
    int topRow_ = 0;      // 0-based display index of the first row shown
    int selectedCol_ = 0; // the column Tab and the arrows move
    int hotColumn_ = -1;  // title under the mouse
    int pressedColumn_ = -1;
    int resizingColumn_ = -1;
    int resizeOrigin_ = 0;                                 // viewport x of the resized column's left edge
    std::vector<std::unique_ptr<TColumn>> defaultColumns_; // one per field when no columns are declared
    TCanvas canvas_;
    std::exception_ptr paintError_;
};
