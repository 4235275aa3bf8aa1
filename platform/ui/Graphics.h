#pragma once
// Colours, cursors, fonts, pens and brushes as the platform numbers and names them.

#include "platform/ui/Property.h"
#include "platform/ui/Sets.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <Qt>

#include <functional>
#include <optional>

class QWidget;

// A colour is a 24-bit number with red in the low byte and blue in the high byte, or, with the high byte
// all ones, the index of a system colour.
using TColor = int;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;

inline constexpr TColor SystemColor(unsigned index) {
    return static_cast<TColor>(0xFF000000u | index);
}
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// The Qt colour of a platform colour; system colours come from the application's palette. clNone,
// clDefault and unknown system colours give an invalid QColor.
QColor ColorFromTColor(TColor color);
// The platform number of an RGB colour.
TColor TColorFromColor(const QColor& color);

using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crHandPoint = -21;

Qt::CursorShape CursorShapeFromTCursor(TCursor cursor);

// Layouts are designed at 96 dpi: a font of `points` is drawn `points * 96 / 72` pixels high, whatever
// the screen's resolution, so that text fits the boxes it was designed for.
int FontPixelSize(int points);

// The Windows fonts the forms name are drawn with installed fonts of the same widths where there are
// such: Arial-metric Liberation Sans for Tahoma, MS Sans Serif and Arial, and so on.
void InstallFontSubstitutes();

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

// The font of a control or form. It keeps only what was set on it; everything else comes from the
// parent's font, as a control with ParentFont does on the platform.
class TFont {
    QString GetName() const;
    void SetName(const QString& name);
    int GetSize() const;
    void SetSize(int points);
    TFontStyles GetStyle() const;
    void SetStyle(const TFontStyles& style);
    TColor GetColor() const;
    void SetColor(const TColor& color);

public:
    // `target` shows the font; `changed` is called after every change so that the owner applies it.
    TFont(QWidget& target, std::function<void()> changed);
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    Property<TFont, QString, &TFont::GetName, &TFont::SetName> Name{this};
    Property<TFont, int, &TFont::GetSize, &TFont::SetSize> Size{this}; // in points
    Property<TFont, TFontStyles, &TFont::GetStyle, &TFont::SetStyle> Style{this};
    Property<TFont, TColor, &TFont::GetColor, &TFont::SetColor> Color{this};

    // Takes over every setting of another font.
    void Assign(const TFont& other);

    // The attributes set on this font, still to be resolved against the parent's font.
    const QFont& ExplicitFont() const { return explicit_; }
    // The text colour set on this font, if any.
    std::optional<QColor> ExplicitColor() const;

private:
    QWidget& target_;
    std::function<void()> changed_;
    QFont explicit_;
    std::optional<TColor> color_;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
enum TBrushStyle { bsSolid, bsClear };

class TPen {
    TColor GetColor() const { return color_; }
    void SetColor(const TColor& color);
    int GetWidth() const { return width_; }
    void SetWidth(const int& width);
    TPenStyle GetStyle() const { return style_; }
    void SetStyle(const TPenStyle& style);

public:
    explicit TPen(std::function<void()> changed)
        : changed_(std::move(changed)) {}
    TPen(const TPen&) = delete;
    TPen& operator=(const TPen&) = delete;

    Property<TPen, TColor, &TPen::GetColor, &TPen::SetColor> Color{this};
    Property<TPen, int, &TPen::GetWidth, &TPen::SetWidth> Width{this}; // in pixels
    Property<TPen, TPenStyle, &TPen::GetStyle, &TPen::SetStyle> Style{this};

private:
    std::function<void()> changed_;
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
};

class TBrush {
    TColor GetColor() const { return color_; }
    void SetColor(const TColor& color);
    TBrushStyle GetStyle() const { return style_; }
    void SetStyle(const TBrushStyle& style);

public:
    explicit TBrush(std::function<void()> changed)
        : changed_(std::move(changed)) {}
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;

    Property<TBrush, TColor, &TBrush::GetColor, &TBrush::SetColor> Color{this};
    Property<TBrush, TBrushStyle, &TBrush::GetStyle, &TBrush::SetStyle> Style{this};

private:
    std::function<void()> changed_;
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};
