#include "platform/ui/Graphics.h"

#include <QGuiApplication>
#include <QPalette>
#include <QStringList>
#include <QWidget>

#include <cmath>

namespace {

constexpr unsigned kSystemColorFlag = 0xFF000000u;

std::optional<QPalette::ColorRole> SystemColorRole(unsigned index) {
    switch (index) {
    case 5: // window
        return QPalette::Base;
    case 6: // window frame
        return QPalette::Shadow;
    case 8: // window text
        return QPalette::Text;
    case 13:
        return QPalette::Highlight;
    case 14:
        return QPalette::HighlightedText;
    case 15: // button face
        return QPalette::Button;
    case 16: // button shadow
        return QPalette::Dark;
    case 17: // grey text
        return QPalette::PlaceholderText;
    case 18:
        return QPalette::ButtonText;
    case 20: // button highlight
        return QPalette::Light;
    case 21:
        return QPalette::Shadow;
    case 22:
        return QPalette::Midlight;
    case 23:
        return QPalette::ToolTipText;
    case 24:
        return QPalette::ToolTipBase;
    default:
        return std::nullopt;
    }
}

} // namespace

QColor ColorFromTColor(TColor color) {
    const auto bits = static_cast<unsigned>(color);
    if ((bits & kSystemColorFlag) == kSystemColorFlag) {
        const auto role = SystemColorRole(bits & 0xFFu);
        return role ? QGuiApplication::palette().color(*role) : QColor();
    }
    if (color == clNone || color == clDefault || (bits & kSystemColorFlag) != 0)
        return {};
    return QColor(static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
                  static_cast<int>((bits >> 16) & 0xFFu));
}

TColor TColorFromColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

Qt::CursorShape CursorShapeFromTCursor(TCursor cursor) {
    switch (cursor) {
    case crNone:
        return Qt::BlankCursor;
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crHourGlass:
        return Qt::WaitCursor;
    case crNo:
        return Qt::ForbiddenCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    default:
        return Qt::ArrowCursor;
    }
}

int FontPixelSize(int points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

void InstallFontSubstitutes() {
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    for (const char* family : {"Tahoma", "MS Sans Serif", "Microsoft Sans Serif", "Arial", "Verdana"})
        QFont::insertSubstitutions(QString::fromLatin1(family), sans);
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"),
                               {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
}

TFont::TFont(QWidget& target, std::function<void()> changed)
    : target_(target)
    , changed_(std::move(changed)) {}

QString TFont::GetName() const {
    return target_.font().family();
}

void TFont::SetName(const QString& name) {
    explicit_.setFamily(name);
    changed_();
}

int TFont::GetSize() const {
    const QFont f = target_.font();
    if (f.pixelSize() > 0)
        return static_cast<int>(std::lround(f.pixelSize() * 72.0 / 96.0));
    return f.pointSize();
}

void TFont::SetSize(int points) {
    explicit_.setPixelSize(FontPixelSize(points));
    changed_();
}

TFontStyles TFont::GetStyle() const {
    const QFont f = target_.font();
    TFontStyles style;
    if (f.bold())
        style << fsBold;
    if (f.italic())
        style << fsItalic;
    if (f.underline())
        style << fsUnderline;
    if (f.strikeOut())
        style << fsStrikeOut;
    return style;
}

void TFont::SetStyle(const TFontStyles& style) {
    explicit_.setBold(style.Contains(fsBold));
    explicit_.setItalic(style.Contains(fsItalic));
    explicit_.setUnderline(style.Contains(fsUnderline));
    explicit_.setStrikeOut(style.Contains(fsStrikeOut));
    changed_();
}

TColor TFont::GetColor() const {
    if (color_)
        return *color_;
    return TColorFromColor(target_.palette().color(QPalette::WindowText));
}

void TFont::SetColor(const TColor& color) {
    color_ = color;
    changed_();
}

void TFont::Assign(const TFont& other) {
    explicit_ = other.target_.font();
    color_ = other.GetColor();
    changed_();
}

std::optional<QColor> TFont::ExplicitColor() const {
    if (!color_)
        return std::nullopt;
    return ColorFromTColor(*color_);
}

void TPen::SetColor(const TColor& color) {
    color_ = color;
    changed_();
}

void TPen::SetWidth(const int& width) {
    width_ = width < 0 ? 0 : width;
    changed_();
}

void TPen::SetStyle(const TPenStyle& style) {
    style_ = style;
    changed_();
}

void TBrush::SetColor(const TColor& color) {
    color_ = color;
    changed_();
}

void TBrush::SetStyle(const TBrushStyle& style) {
    style_ = style;
    changed_();
}
