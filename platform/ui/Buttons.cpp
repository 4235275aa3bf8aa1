#include "platform/ui/Buttons.h"

#include <QIcon>
#include <QStyle>

TSpeedButton::TSpeedButton(QWidget* AParent)
    : TWinControl<QToolButton>(AParent) {
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QToolButton::clicked, this, [this] { Fire(OnClick, this); });
    RefreshLook();
}

void TSpeedButton::SetCaption(const QString& caption) {
    setText(caption);
    RefreshLook();
}

void TSpeedButton::SetGlyph(const QPixmap& glyph) {
    glyph_ = glyph;
    setIcon(QIcon(glyph));
    if (!glyph.isNull())
        setIconSize(glyph.size());
    RefreshLook();
}

void TSpeedButton::SetLayout(const TButtonLayout& layout) {
    layout_ = layout;
    RefreshLook();
}

void TSpeedButton::RefreshLook() {
    if (glyph_.isNull())
        setToolButtonStyle(Qt::ToolButtonTextOnly);
    else if (text().isEmpty())
        setToolButtonStyle(Qt::ToolButtonIconOnly);
    else if (layout_ == blGlyphTop || layout_ == blGlyphBottom)
        setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    else
        setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

bool TSpeedButton::event(QEvent* event) {
    return HandleMnemonic(*this, event) || QToolButton::event(event);
}

TBitBtn::TBitBtn(QWidget* AParent)
    : TWinControl<QPushButton>(AParent) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { Clicked(); });
}

void TBitBtn::SetKind(const TBitBtnKind& kind) {
    kind_ = kind;
    if (kind == bkOK) {
        setText(QStringLiteral("OK"));
        setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
        modalResult_ = mrOk;
        setDefault(true);
        cancel_ = false;
    } else if (kind == bkCancel) {
        setText(QStringLiteral("Cancel"));
        setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
        modalResult_ = mrCancel;
        setDefault(false);
        cancel_ = true;
    }
}

QPixmap TBitBtn::GetGlyph() const {
    return icon().pixmap(iconSize());
}

void TBitBtn::SetGlyph(const QPixmap& glyph) {
    setIcon(QIcon(glyph));
    if (!glyph.isNull())
        setIconSize(glyph.size());
}

void TBitBtn::Clicked() {
    if (modalResult_ != mrNone)
        if (auto* form = qobject_cast<TForm*>(window()))
            form->ModalResult = modalResult_;
    Fire(OnClick, this);
}

bool TBitBtn::event(QEvent* event) {
    return HandleMnemonic(*this, event) || QPushButton::event(event);
}
