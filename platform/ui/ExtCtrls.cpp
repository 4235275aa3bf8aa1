#include "platform/ui/ExtCtrls.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace {

// A bevel `width` pixels wide just inside `r`: light above and to the left when raised, dark when lowered.
void DrawBevel(QPainter& painter, const QRect& r, TBevelCut cut, int width) {
    if (cut == bvNone || cut == bvSpace)
        return;
    const QColor light = ColorFromTColor(clBtnHighlight);
    const QColor dark = ColorFromTColor(clBtnShadow);
    const QColor& topLeft = cut == bvRaised ? light : dark;
    const QColor& bottomRight = cut == bvRaised ? dark : light;
    for (int i = 0; i < width; ++i) {
        const QRect ring = r.adjusted(i, i, -i, -i);
        painter.fillRect(QRect(ring.left(), ring.top(), ring.width(), 1), topLeft);
        painter.fillRect(QRect(ring.left(), ring.top(), 1, ring.height()), topLeft);
        painter.fillRect(QRect(ring.left(), ring.bottom(), ring.width(), 1), bottomRight);
        painter.fillRect(QRect(ring.right(), ring.top(), 1, ring.height()), bottomRight);
    }
}

} // namespace

TPanel::TPanel(QWidget* AParent)
    : TWinControl<QWidget>(AParent) {
    // A panel has its own face colour rather than its parent's.
    Color = clBtnFace;
}

void TPanel::SetCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void TPanel::SetBevelOuter(const TBevelCut& bevel) {
    bevelOuter_ = bevel;
    FrameChanged();
}

void TPanel::SetBevelInner(const TBevelCut& bevel) {
    bevelInner_ = bevel;
    FrameChanged();
}

void TPanel::SetBevelWidth(const int& width) {
    bevelWidth_ = std::max(1, width);
    FrameChanged();
}

void TPanel::SetBorderWidth(const int& width) {
    borderWidth_ = std::max(0, width);
    FrameChanged();
}

void TPanel::SetBorderStyle(const TBorderStyle& style) {
    borderStyle_ = style == bsSingle ? bsSingle : bsNone;
    FrameChanged();
}

void TPanel::FrameChanged() {
    RealignChildren(*this);
    update();
}

int TPanel::FrameWidth() const {
    return (bevelOuter_ == bvNone ? 0 : bevelWidth_) + borderWidth_ +
           (bevelInner_ == bvNone ? 0 : bevelWidth_);
}

QPoint TPanel::ClientOrigin() const {
    return borderStyle_ == bsSingle ? QPoint(1, 1) : QPoint();
}

QRect TPanel::AlignRect() const {
    const int border = borderStyle_ == bsSingle ? 1 : 0;
    const int inset = border + FrameWidth();
    return rect().adjusted(inset, inset, -inset, -inset);
}

void TPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect r = rect();
    painter.fillRect(r, palette().window());
    if (borderStyle_ == bsSingle) {
        painter.setPen(ColorFromTColor(clWindowFrame));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    if (bevelOuter_ != bvNone) {
        DrawBevel(painter, r, bevelOuter_, bevelWidth_);
        r.adjust(bevelWidth_, bevelWidth_, -bevelWidth_, -bevelWidth_);
    }
    r.adjust(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
    if (bevelInner_ != bvNone) {
        DrawBevel(painter, r, bevelInner_, bevelWidth_);
        r.adjust(bevelWidth_, bevelWidth_, -bevelWidth_, -bevelWidth_);
    }
    style()->drawItemText(&painter, r, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, palette(),
                          isEnabled(), caption_, QPalette::WindowText);
}

void TPanel::mousePressEvent(QMouseEvent* event) {
    click_.Press(*event);
    event->accept();
}

void TPanel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (click_.Release(*this, *event))
        Fire(OnClick, this);
}

TShape::TShape(QWidget* AParent)
    : TWinControl<QWidget>(AParent)
    , pen_(std::make_unique<TPen>([this] { update(); }))
    , brush_(std::make_unique<TBrush>([this] { update(); }))
    , Pen(pen_.get())
    , Brush(brush_.get()) {}

void TShape::SetShape(const TShapeType& shape) {
    shape_ = shape;
    update();
}

void TShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect r = rect();
    if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
        const int side = std::min(r.width(), r.height());
        r = QRect(r.left() + (r.width() - side) / 2, r.top() + (r.height() - side) / 2, side, side);
    }
    const QColor penColor = ColorFromTColor(Pen->Color);
    const QColor brushColor = ColorFromTColor(Brush->Color);
    const int penWidth = Pen->Style == psClear || !penColor.isValid() ? 0 : Pen->Width;
    const bool filled = Brush->Style == bsSolid && brushColor.isValid();

    if (shape_ == stRectangle || shape_ == stSquare) {
        // Pixel-exact: the outline is penWidth pixels inside the bounds, the brush fills the rest.
        if (filled)
            painter.fillRect(r.adjusted(penWidth, penWidth, -penWidth, -penWidth), brushColor);
        if (penWidth > 0) {
            const int w = std::min(penWidth, (std::min(r.width(), r.height()) + 1) / 2);
            painter.fillRect(QRect(r.left(), r.top(), r.width(), w), penColor);
            painter.fillRect(QRect(r.left(), r.bottom() + 1 - w, r.width(), w), penColor);
            painter.fillRect(QRect(r.left(), r.top(), w, r.height()), penColor);
            painter.fillRect(QRect(r.right() + 1 - w, r.top(), w, r.height()), penColor);
        }
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    if (penWidth > 0) {
        QPen pen(penColor, penWidth);
        switch (Pen->Style) {
        case psDash:
            pen.setStyle(Qt::DashLine);
            break;
        case psDot:
            pen.setStyle(Qt::DotLine);
            break;
        case psDashDot:
            pen.setStyle(Qt::DashDotLine);
            break;
        case psDashDotDot:
            pen.setStyle(Qt::DashDotDotLine);
            break;
        default:
            break;
        }
        painter.setPen(pen);
    } else {
        painter.setPen(Qt::NoPen);
    }
    painter.setBrush(filled ? QBrush(brushColor) : QBrush(Qt::NoBrush));
    const qreal half = penWidth / 2.0;
    const QRectF figure = QRectF(r).adjusted(half, half, -half, -half);
    if (shape_ == stEllipse || shape_ == stCircle)
        painter.drawEllipse(figure);
    else
        painter.drawRoundedRect(figure, figure.width() / 4, figure.height() / 4);
}
