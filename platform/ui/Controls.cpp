#include "platform/ui/Controls.h"

#include "platform/ui/Forms.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeySequence>
#include <QShortcutEvent>

#include <algorithm>
#include <climits>
#include <initializer_list>

namespace {

std::uint64_t lastCreationIndex = 0;

// Watches a container for size changes and lays out its aligned children again.
class AlignWatcher : public QObject {
public:
    explicit AlignWatcher(QWidget& container)
        : QObject(&container) {
        container.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize && watched == parent())
            RealignChildren(*static_cast<QWidget*>(watched));
        return false;
    }
};

void WatchForAlignment(QWidget& container) {
    for (QObject* child : container.children())
        if (dynamic_cast<AlignWatcher*>(child))
            return;
    new AlignWatcher(container); // owned by the container
}

std::vector<TControl*> ChildControls(QWidget& container) {
    std::vector<TControl*> controls;
    for (QObject* child : container.children())
        if (child->isWidgetType())
            if (TControl* control = ControlOf(static_cast<QWidget*>(child)))
                controls.push_back(control);
    std::sort(controls.begin(), controls.end(),
              [](const TControl* a, const TControl* b) { return a->CreationIndex() < b->CreationIndex(); });
    return controls;
}

QRect AlignRectOf(QWidget& container) {
    if (const TControl* control = ControlOf(&container))
        return control->AlignRect();
    return container.rect();
}

} // namespace

TControl* ControlOf(QWidget* widget) {
    return dynamic_cast<TControl*>(widget);
}

QWidget* ClientWidgetOf(QWidget* parent) {
    if (auto* form = qobject_cast<TForm*>(parent))
        return form->ClientWidget();
    return parent;
}

namespace {

// Whether `a` goes before `b` among the controls of one alignment: by their designed position, the one
// nearer the edge they stick to first. A control created later goes after an earlier one at the same
// place, except at the bottom and right edges, where it goes nearer the edge.
bool AlignsBefore(const QWidget& a, const QWidget& b, TAlign align) {
    switch (align) {
    case alTop:
        return a.y() < b.y();
    case alBottom:
        return a.y() + a.height() >= b.y() + b.height();
    case alLeft:
        return a.x() < b.x();
    case alRight:
        return a.x() + a.width() >= b.x() + b.width();
    default:
        return false;
    }
}

std::vector<TControl*> AlignedInOrder(const std::vector<TControl*>& controls, TAlign align) {
    std::vector<TControl*> ordered;
    for (TControl* control : controls) {
        if (control->Align != align || control->Widget().isHidden())
            continue;
        auto place = ordered.begin();
        while (place != ordered.end() && !AlignsBefore(control->Widget(), (*place)->Widget(), align))
            ++place;
        ordered.insert(place, control);
    }
    return ordered;
}

} // namespace

void RealignChildren(QWidget& container) {
    QRect free = AlignRectOf(container);
    const std::vector<TControl*> controls = ChildControls(container);
    for (const TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* control : AlignedInOrder(controls, pass)) {
            QWidget& w = control->Widget();
            QRect bounds;
            switch (pass) {
            case alTop:
                bounds = QRect(free.left(), free.top(), free.width(), w.height());
                free.setTop(free.top() + w.height());
                break;
            case alBottom:
                bounds = QRect(free.left(), free.bottom() + 1 - w.height(), free.width(), w.height());
                free.setBottom(free.bottom() - w.height());
                break;
            case alLeft:
                bounds = QRect(free.left(), free.top(), w.width(), free.height());
                free.setLeft(free.left() + w.width());
                break;
            case alRight:
                bounds = QRect(free.right() + 1 - w.width(), free.top(), w.width(), free.height());
                free.setRight(free.right() - w.width());
                break;
            default:
                bounds = free;
                break;
            }
            bounds.setSize(bounds.size().expandedTo(QSize(0, 0)));
            w.setGeometry(bounds);
            // A hidden widget gets its resize event only when shown: lay out its children now.
            RealignChildren(w);
        }
    }
}

bool HandleMnemonic(QAbstractButton& button, QEvent* event) {
    if (event->type() != QEvent::Shortcut)
        return false;
    const auto* shortcut = static_cast<QShortcutEvent*>(event);
    const QKeySequence mnemonic = QKeySequence::mnemonic(button.text());
    if (mnemonic.isEmpty() || shortcut->key() != mnemonic)
        return false;
    QAbstractButton* pressed = &button;
    if (shortcut->isAmbiguous()) {
        std::uint64_t first = UINT64_MAX;
        for (QAbstractButton* other : button.window()->findChildren<QAbstractButton*>()) {
            const TControl* control = ControlOf(other);
            if (!control || !other->isVisible() || !other->isEnabled() ||
                QKeySequence::mnemonic(other->text()) != mnemonic)
                continue;
            if (control->CreationIndex() < first) {
                first = control->CreationIndex();
                pressed = other;
            }
        }
    }
    pressed->click();
    return true;
}

TControl::TControl(QWidget& self)
    : widget_(self)
    , font_(std::make_unique<TFont>(self, [this] { ApplyFont(); }))
    , Font(font_.get())
    , creationIndex_(++lastCreationIndex) {}

TControl::~TControl() = default;

QPoint TControl::ParentOrigin() const {
    if (QWidget* parent = widget_.parentWidget())
        if (const TControl* control = ControlOf(parent))
            return control->ClientOrigin();
    return {};
}

int TControl::GetLeft() const {
    return widget_.x() - ParentOrigin().x();
}
void TControl::SetLeft(const int& left) {
    SetBounds(left, GetTop(), GetWidth(), GetHeight());
}
int TControl::GetTop() const {
    return widget_.y() - ParentOrigin().y();
}
void TControl::SetTop(const int& top) {
    SetBounds(GetLeft(), top, GetWidth(), GetHeight());
}
int TControl::GetWidth() const {
    return widget_.width();
}
void TControl::SetWidth(const int& width) {
    SetBounds(GetLeft(), GetTop(), width, GetHeight());
}
int TControl::GetHeight() const {
    return widget_.height();
}
void TControl::SetHeight(const int& height) {
    SetBounds(GetLeft(), GetTop(), GetWidth(), height);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const QPoint origin = ParentOrigin();
    widget_.setGeometry(ALeft + origin.x(), ATop + origin.y(), std::max(0, AWidth), std::max(0, AHeight));
    RealignChildren(widget_);
    if (align_ != alNone)
        ParentLayoutChanged();
}

void TControl::SetAlign(const TAlign& align) {
    align_ = align;
    if (QWidget* parent = widget_.parentWidget(); parent && align != alNone)
        WatchForAlignment(*parent);
    ParentLayoutChanged();
}

void TControl::ParentLayoutChanged() {
    QWidget* parent = widget_.parentWidget();
    if (!parent)
        return;
    if (TControl* control = ControlOf(parent))
        control->ChildLayoutChanged();
    RealignChildren(*parent);
}

bool TControl::GetVisible() const {
    QWidget* parent = widget_.parentWidget();
    return parent ? widget_.isVisibleTo(parent) : widget_.isVisible();
}

void TControl::SetVisible(const bool& visible) {
    widget_.setVisible(visible);
    ParentLayoutChanged();
}

bool TControl::GetEnabled() const {
    QWidget* parent = widget_.parentWidget();
    return parent ? widget_.isEnabledTo(parent) : widget_.isEnabled();
}

void TControl::SetEnabled(const bool& enabled) {
    widget_.setEnabled(enabled);
}

void TControl::SetCursor(const TCursor& cursor) {
    cursor_ = cursor;
    if (cursor == crDefault)
        widget_.unsetCursor();
    else
        widget_.setCursor(CursorShapeFromTCursor(cursor));
}

void TControl::SetHint(const QString& hint) {
    hint_ = hint;
    ApplyToolTip();
}

void TControl::SetShowHint(const bool& show) {
    showHint_ = show;
    ApplyToolTip();
}

void TControl::ApplyToolTip() {
    widget_.setToolTip(showHint_ ? hint_ : QString());
}

TColor TControl::GetColor() const {
    if (color_)
        return *color_;
    return TColorFromColor(widget_.palette().color(ColorRole()));
}

void TControl::SetColor(const TColor& color) {
    color_ = color;
    ApplyPalette();
}

void TControl::ApplyFont() {
    widget_.setFont(font_->ExplicitFont());
    ApplyPalette();
}

void TControl::ApplyPalette() {
    // Only the roles set here are explicit: the rest keeps coming from the parent, so a control without
    // a colour of its own shows its parent's, as on the platform.
    QPalette palette;
    if (color_) {
        const QColor background = ColorFromTColor(*color_);
        if (background.isValid())
            palette.setColor(ColorRole(), background);
    }
    if (const auto text = font_->ExplicitColor(); text && text->isValid()) {
        for (const auto group : {QPalette::Active, QPalette::Inactive})
            for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
                palette.setColor(group, role, *text);
    }
    widget_.setPalette(palette);
    if (color_ && FillsBackground())
        widget_.setAutoFillBackground(true);
}

std::vector<TControl*> TControl::TabSiblings(QWidget& parent) {
    std::vector<TControl*> siblings = ChildControls(parent);
    std::stable_sort(siblings.begin(), siblings.end(), [](const TControl* a, const TControl* b) {
        const int ka = a->tabOrder_ < 0 ? INT_MAX : a->tabOrder_;
        const int kb = b->tabOrder_ < 0 ? INT_MAX : b->tabOrder_;
        return ka < kb;
    });
    return siblings;
}

int TControl::GetTabOrder() const {
    QWidget* parent = widget_.parentWidget();
    if (!parent)
        return 0;
    const std::vector<TControl*> siblings = TabSiblings(*parent);
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

void TControl::SetTabOrder(const int& order) {
    tabOrder_ = std::max(0, order);
    QWidget* parent = widget_.parentWidget();
    if (!parent)
        return;
    const std::vector<TControl*> siblings = TabSiblings(*parent);
    for (std::size_t i = 1; i < siblings.size(); ++i)
        QWidget::setTabOrder(&siblings[i - 1]->Widget(), &siblings[i]->Widget());
}

void TControl::SetFocus() {
    QWidget* window = widget_.window();
    if (!widget_.isEnabled() || (window != &widget_ && !widget_.isVisibleTo(window)))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    widget_.setFocus(Qt::OtherFocusReason);
}

bool TControl::Focused() const {
    return widget_.hasFocus();
}
