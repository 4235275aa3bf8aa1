#pragma once
// Small helpers of the widget tests.

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QString>
#include <QTest>
#include <QWidget>

// Shows a window and makes it the active one, as a click on it would: shortcuts and focus need it.
inline bool ShowActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    QApplication::processEvents();
    return window.isActiveWindow();
}

// The colour a widget paints at a pixel.
inline QColor PixelAt(QWidget& widget, int x, int y) {
    return widget.grab().toImage().pixelColor(x, y);
}

// Types text key by key. Unlike QTest::keyClicks it takes any Latin-1 letter ("ç" is Key_Ccedilla).
inline void TypeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        const auto key = static_cast<Qt::Key>(ch.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(ch), Qt::NoModifier);
    }
}
