#pragma once
// Panels and shapes.

#include "platform/ui/Controls.h"

#include <QWidget>

#include <memory>

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// A box with a centred caption. From the outside in: the single-line border, the outer bevel, a gap of
// BorderWidth and the inner bevel; aligned children share what is left inside.
class TPanel : public TWinControl<QWidget> {
    QString GetCaption() const { return caption_; }
    void SetCaption(const QString& caption);
    TBevelCut GetBevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(const TBevelCut& bevel);
    TBevelCut GetBevelInner() const { return bevelInner_; }
    void SetBevelInner(const TBevelCut& bevel);
    int GetBevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(const int& width);
    int GetBorderWidth() const { return borderWidth_; }
    void SetBorderWidth(const int& width);
    TBorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(const TBorderStyle& style);

public:
    explicit TPanel(QWidget* AParent);

    Property<TPanel, QString, &TPanel::GetCaption, &TPanel::SetCaption> Caption{this};
    Property<TPanel, TBevelCut, &TPanel::GetBevelOuter, &TPanel::SetBevelOuter> BevelOuter{this};
    Property<TPanel, TBevelCut, &TPanel::GetBevelInner, &TPanel::SetBevelInner> BevelInner{this};
    Property<TPanel, int, &TPanel::GetBevelWidth, &TPanel::SetBevelWidth> BevelWidth{this};
    Property<TPanel, int, &TPanel::GetBorderWidth, &TPanel::SetBorderWidth> BorderWidth{this};
    // bsSingle: a one-pixel line around the panel, outside its client area.
    Property<TPanel, TBorderStyle, &TPanel::GetBorderStyle, &TPanel::SetBorderStyle> BorderStyle{this};
    TNotifyEvent OnClick;

    QPoint ClientOrigin() const override;
    QRect AlignRect() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool FillsBackground() const override { return false; } // paintEvent fills it

private:
    void FrameChanged();
    int FrameWidth() const;

    QString caption_;
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = bsNone;
    TClickTracker click_;
};

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

// A figure drawn with a pen (its outline) and a brush (its inside).
class TShape : public TWinControl<QWidget> {
    TShapeType GetShape() const { return shape_; }
    void SetShape(const TShapeType& shape);

    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TBrush> brush_;

public:
    explicit TShape(QWidget* AParent);

    Property<TShape, TShapeType, &TShape::GetShape, &TShape::SetShape> Shape{this};
    TPen* const Pen;
    TBrush* const Brush;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TShapeType shape_ = stRectangle;
};
