#pragma once
// Speed buttons and glyph buttons.

#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"

#include <QPixmap>
#include <QPushButton>
#include <QToolButton>

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// A button with a picture that never takes the focus. An "&" in the caption underlines the next letter;
// Alt with it presses the button.
class TSpeedButton : public TWinControl<QToolButton> {
    QString GetCaption() const { return text(); }
    void SetCaption(const QString& caption);
    QPixmap GetGlyph() const { return glyph_; }
    void SetGlyph(const QPixmap& glyph);
    TButtonLayout GetLayout() const { return layout_; }
    void SetLayout(const TButtonLayout& layout);
    bool GetFlat() const { return autoRaise(); }
    void SetFlat(const bool& flat) { setAutoRaise(flat); }

public:
    explicit TSpeedButton(QWidget* AParent);

    Property<TSpeedButton, QString, &TSpeedButton::GetCaption, &TSpeedButton::SetCaption> Caption{this};
    Property<TSpeedButton, QPixmap, &TSpeedButton::GetGlyph, &TSpeedButton::SetGlyph> Glyph{this};
    // Where the picture sits against the caption.
    Property<TSpeedButton, TButtonLayout, &TSpeedButton::GetLayout, &TSpeedButton::SetLayout> Layout{this};
    // On: no frame until the mouse is over the button.
    Property<TSpeedButton, bool, &TSpeedButton::GetFlat, &TSpeedButton::SetFlat> Flat{this};
    TNotifyEvent OnClick;

    void Click() { click(); }

protected:
    bool event(QEvent* event) override;

private:
    void RefreshLook();

    QPixmap glyph_;
    TButtonLayout layout_ = blGlyphLeft;
};

// bkOK: caption "OK" (the form usually gives its own), the OK glyph, ModalResult mrOk, the default
// button (Enter). bkCancel: caption "Cancel", the Cancel glyph, ModalResult mrCancel, the cancel button
// (Esc). Setting Kind sets those; set the caption after it.
enum TBitBtnKind { bkCustom, bkOK, bkCancel };

// A push button with a glyph. A click on a button with a ModalResult sets the form's ModalResult before
// OnClick runs; inside ShowModal the modal loop then ends once OnClick has returned.
class TBitBtn : public TWinControl<QPushButton> {
    QString GetCaption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
    TBitBtnKind GetKind() const { return kind_; }
    void SetKind(const TBitBtnKind& kind);
    TModalResult GetModalResult() const { return modalResult_; }
    void SetModalResult(const TModalResult& result) { modalResult_ = result; }
    bool GetDefault() const { return isDefault(); }
    void SetDefault(const bool& isDefault) { setDefault(isDefault); }
    bool GetCancel() const { return cancel_; }
    void SetCancel(const bool& cancel) { cancel_ = cancel; }
    QPixmap GetGlyph() const;
    void SetGlyph(const QPixmap& glyph);

public:
    explicit TBitBtn(QWidget* AParent);

    Property<TBitBtn, QString, &TBitBtn::GetCaption, &TBitBtn::SetCaption> Caption{this};
    Property<TBitBtn, TBitBtnKind, &TBitBtn::GetKind, &TBitBtn::SetKind> Kind{this};
    Property<TBitBtn, TModalResult, &TBitBtn::GetModalResult, &TBitBtn::SetModalResult> ModalResult{this};
    // Enter in the form presses the default button, Esc the cancel button.
    Property<TBitBtn, bool, &TBitBtn::GetDefault, &TBitBtn::SetDefault> Default{this};
    Property<TBitBtn, bool, &TBitBtn::GetCancel, &TBitBtn::SetCancel> Cancel{this};
    Property<TBitBtn, QPixmap, &TBitBtn::GetGlyph, &TBitBtn::SetGlyph> Glyph{this};
    TNotifyEvent OnClick;

    void Click() { click(); }

protected:
    bool event(QEvent* event) override;
    QPalette::ColorRole ColorRole() const override { return QPalette::Button; }
    bool FillsBackground() const override { return false; }

private:
    void Clicked();

    TBitBtnKind kind_ = bkCustom;
    TModalResult modalResult_ = mrNone;
    bool cancel_ = false;
};
