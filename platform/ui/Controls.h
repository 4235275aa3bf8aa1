#pragma once
// The common base of the visual controls: bounds, alignment, visibility, colour, font, cursor, hint and
// tab order under the platform's names. A control is a Qt widget that also derives from TControl
// (through TWinControl<Widget>); its parent is given at construction.

#include "platform/ui/Graphics.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/Property.h"

#include <QMouseEvent>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

class QAbstractButton;
class QEvent;

// A call that the component cannot carry out in its present state.
class EInvalidOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Aligned children of a parent are laid out whenever the parent resizes: top ones stack from the top
// across the full width, bottom ones from the bottom, then left and right ones, and a client one fills
// what is left. Among the controls of one edge the designed position decides (the one nearest the edge
// goes first), then the creation order. Unaligned children keep their bounds.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// A form's border; bsNone and bsSingle also serve the panels'.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
using TBorderStyle = TFormBorderStyle;

class TControl {
    // Declared first: Font points into font_.
    QWidget& widget_;
    std::unique_ptr<TFont> font_;

    int GetLeft() const;
    void SetLeft(const int& left);
    int GetTop() const;
    void SetTop(const int& top);
    int GetWidth() const;
    void SetWidth(const int& width);
    int GetHeight() const;
    void SetHeight(const int& height);
    TAlign GetAlign() const { return align_; }
    void SetAlign(const TAlign& align);
    bool GetVisible() const;
    void SetVisible(const bool& visible);
    bool GetEnabled() const;
    void SetEnabled(const bool& enabled);
    TCursor GetCursor() const { return cursor_; }
    void SetCursor(const TCursor& cursor);
    QString GetHint() const { return hint_; }
    void SetHint(const QString& hint);
    bool GetShowHint() const { return showHint_; }
    void SetShowHint(const bool& show);
    TColor GetColor() const;
    void SetColor(const TColor& color);
    int GetTabOrder() const;
    void SetTabOrder(const int& order);

public:
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    // Position within the parent's client area, in pixels.
    Property<TControl, int, &TControl::GetLeft, &TControl::SetLeft> Left{this};
    Property<TControl, int, &TControl::GetTop, &TControl::SetTop> Top{this};
    Property<TControl, int, &TControl::GetWidth, &TControl::SetWidth> Width{this};
    Property<TControl, int, &TControl::GetHeight, &TControl::SetHeight> Height{this};
    Property<TControl, TAlign, &TControl::GetAlign, &TControl::SetAlign> Align{this};
    Property<TControl, bool, &TControl::GetVisible, &TControl::SetVisible> Visible{this};
    Property<TControl, bool, &TControl::GetEnabled, &TControl::SetEnabled> Enabled{this};
    Property<TControl, TCursor, &TControl::GetCursor, &TControl::SetCursor> Cursor{this};
    // The tool tip; shown only while ShowHint is on.
    Property<TControl, QString, &TControl::GetHint, &TControl::SetHint> Hint{this};
    Property<TControl, bool, &TControl::GetShowHint, &TControl::SetShowHint> ShowHint{this};
    Property<TControl, TColor, &TControl::GetColor, &TControl::SetColor> Color{this};
    // Position among the parent's controls when Tab moves the focus.
    Property<TControl, int, &TControl::GetTabOrder, &TControl::SetTabOrder> TabOrder{this};
    TFont* const Font;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    void SetFocus();
    bool Focused() const;

    QWidget& Widget() const { return widget_; }
    // Controls created earlier have smaller numbers; alignment and tool bars go by it.
    std::uint64_t CreationIndex() const { return creationIndex_; }

    // For controls that hold others: where their client area begins, in widget coordinates (the
    // children's Left and Top count from there), and the rectangle that aligned children share.
    virtual QPoint ClientOrigin() const { return {}; }
    virtual QRect AlignRect() const { return widget_.rect(); }

protected:
    explicit TControl(QWidget& self);

    // The palette role that Color paints.
    virtual QPalette::ColorRole ColorRole() const { return QPalette::Window; }
    // Whether the widget fills its background itself once Color is set.
    virtual bool FillsBackground() const { return true; }
    // Whether Color was set on this control (else it shows its parent's).
    bool HasOwnColor() const { return color_.has_value(); }
    // Called when a child control shows, hides or changes alignment.
    virtual void ChildLayoutChanged() {}

private:
    void ApplyFont();
    void ApplyPalette();
    void ApplyToolTip();
    void ParentLayoutChanged();
    QPoint ParentOrigin() const;
    // The controls of a parent in tab order.
    static std::vector<TControl*> TabSiblings(QWidget& parent);

    std::uint64_t creationIndex_;
    TAlign align_ = alNone;
    TCursor cursor_ = crDefault;
    QString hint_;
    bool showHint_ = false;
    std::optional<TColor> color_;
    int tabOrder_ = -1; // -1: in creation order after the ones given a place
};

// Where a control created on `parent` lives: a form keeps its controls in its client area, below the
// menu bar.
QWidget* ClientWidgetOf(QWidget* parent);

// Lays out the aligned children of a container now; containers call it when their size changes.
void RealignChildren(QWidget& container);

// The control that a widget is, if it is one.
TControl* ControlOf(QWidget* widget);

// Alt with the underlined letter of a button's caption presses it at once. When several buttons of the
// window carry the same letter, the one created first is pressed. Buttons call this from event(); true
// when the event was a mnemonic and has been handled.
bool HandleMnemonic(QAbstractButton& button, QEvent* event);

// What the platform calls a click: a left-button press and its release inside the same widget.
class TClickTracker {
public:
    void Press(const QMouseEvent& event) { pressed_ = event.button() == Qt::LeftButton; }
    // True when this release completes a click.
    bool Release(const QWidget& widget, const QMouseEvent& event) {
        const bool click = pressed_ && event.button() == Qt::LeftButton &&
                           widget.rect().contains(event.position().toPoint());
        pressed_ = false;
        return click;
    }

private:
    bool pressed_ = false;
};

// A Qt widget class made into a control.
template <class W> class TWinControl : public W, public TControl {
public:
    explicit TWinControl(QWidget* AParent)
        : W(ClientWidgetOf(AParent))
        , TControl(static_cast<QWidget&>(*this)) {}
};
