#include "vouchers/ValesPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QColor kBlue(0, 85, 170);
const QColor kRed(200, 30, 30);
const QColor kGreen(20, 130, 60);

QPixmap Blank(int size) {
    QPixmap p(size, size);
    p.fill(Qt::transparent);
    return p;
}

void Triangle(QPainter& g, double x, double y, double w, double h, bool pointsRight) {
    QPolygonF t;
    if (pointsRight)
        t << QPointF(x, y) << QPointF(x + w, y + h / 2) << QPointF(x, y + h);
    else
        t << QPointF(x + w, y) << QPointF(x, y + h / 2) << QPointF(x + w, y + h);
    g.drawPolygon(t);
}

} // namespace

QPixmap ToolPicture(int index) {
    QPixmap p = Blank(40);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    switch (index) {
    case 7: // close: a white cross on a red disc
        g.setBrush(kRed);
        g.drawEllipse(QRectF(3, 3, 34, 34));
        g.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
        g.drawLine(QPointF(13, 13), QPointF(27, 27));
        g.drawLine(QPointF(27, 13), QPointF(13, 27));
        break;
    case 8: // first
        g.setBrush(kBlue);
        g.drawRect(QRectF(7, 8, 5, 24));
        Triangle(g, 13, 8, 20, 24, false);
        break;
    case 9: // previous
        g.setBrush(kBlue);
        Triangle(g, 9, 8, 22, 24, false);
        break;
    case 10: // next
        g.setBrush(kBlue);
        Triangle(g, 9, 8, 22, 24, true);
        break;
    case 11: // last
        g.setBrush(kBlue);
        Triangle(g, 7, 8, 20, 24, true);
        g.drawRect(QRectF(28, 8, 5, 24));
        break;
    case 15: { // settle: a bank note with a coin
        g.setBrush(kGreen);
        g.drawRoundedRect(QRectF(3, 10, 30, 18), 3, 3);
        g.setBrush(QColor(230, 245, 230));
        g.drawEllipse(QRectF(12, 13, 12, 12));
        g.setBrush(QColor(230, 180, 40));
        g.drawEllipse(QRectF(22, 20, 15, 15));
        break;
    }
    default:
        g.setPen(QPen(QColor(160, 160, 160), 1));
        g.setBrush(Qt::NoBrush);
        g.drawRect(QRectF(6.5, 6.5, 27, 27));
        break;
    }
    return p;
}

QPixmap SearchPicture(int index) {
    QPixmap p = Blank(24);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    if (index >= 3) { // a calendar page
        g.setPen(QPen(kBlue, 1.5));
        g.setBrush(Qt::white);
        g.drawRect(QRectF(3, 5, 18, 16));
        g.setBrush(index == 3 ? kBlue : kGreen);
        g.drawRect(QRectF(3, 5, 18, 4));
        g.setPen(QPen(Qt::darkGray, 1));
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c)
                g.drawPoint(QPointF(6 + c * 4, 12 + r * 3));
        return p;
    }
    // A magnifier.
    g.setPen(QPen(kBlue, 2.5));
    g.setBrush(QColor(220, 235, 250));
    g.drawEllipse(QRectF(3, 3, 12, 12));
    g.setPen(QPen(QColor(90, 60, 30), 3.5, Qt::SolidLine, Qt::RoundCap));
    g.drawLine(QPointF(14, 14), QPointF(20, 20));
    return p;
}
