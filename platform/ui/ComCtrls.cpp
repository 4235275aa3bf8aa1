#include "platform/ui/ComCtrls.h"

#include "platform/sys/Regional.h"

#include <QIcon>

#include <algorithm>

TToolBar::TToolBar(QWidget* AParent)
    : TWinControl<QWidget>(AParent) {}

void TToolBar::SetButtonWidth(const int& width) {
    buttonWidth_ = std::max(0, width);
    ArrangeButtons();
}

void TToolBar::SetButtonHeight(const int& height) {
    buttonHeight_ = std::max(0, height);
    ArrangeButtons();
}

void TToolBar::SetShowCaptions(const bool& show) {
    showCaptions_ = show;
    ArrangeButtons();
}

void TToolBar::SetFlat(const bool& flat) {
    flat_ = flat;
    ArrangeButtons();
}

void TToolBar::Watch(TImageList* images, QMetaObject::Connection& connection) {
    disconnect(connection);
    if (images)
        connection = connect(images, &TImageList::Change, this, [this] { ArrangeButtons(); });
    ArrangeButtons();
}

void TToolBar::SetImages(TImageList* const& images) {
    images_ = images;
    Watch(images, imagesConnection_);
}

void TToolBar::SetHotImages(TImageList* const& images) {
    hotImages_ = images;
    Watch(images, hotImagesConnection_);
}

void TToolBar::SetDisabledImages(TImageList* const& images) {
    disabledImages_ = images;
    Watch(images, disabledImagesConnection_);
}

std::vector<TToolButton*> TToolBar::ButtonList() const {
    std::vector<TToolButton*> buttons;
    for (QObject* child : children())
        if (auto* button = dynamic_cast<TToolButton*>(child))
            buttons.push_back(button);
    std::sort(buttons.begin(), buttons.end(), [](const TToolButton* a, const TToolButton* b) {
        return a->CreationIndex() < b->CreationIndex();
    });
    return buttons;
}

TToolButton* TToolBar::Buttons(int index) const {
    const std::vector<TToolButton*> buttons = ButtonList();
    if (index < 0 || index >= static_cast<int>(buttons.size()))
        return nullptr;
    return buttons[static_cast<std::size_t>(index)];
}

void TToolBar::ArrangeButtons() {
    int left = 0;
    for (TToolButton* button : ButtonList()) {
        button->RefreshLook();
        if (button->isHidden())
            continue;
        button->setGeometry(left, 0, buttonWidth_, buttonHeight_);
        left += buttonWidth_;
    }
}

TToolButton::TToolButton(TToolBar* AParent)
    : TWinControl<QToolButton>(AParent) {
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QToolButton::clicked, this, [this] { Fire(OnClick, this); });
    if (TToolBar* bar = ToolBar())
        bar->ArrangeButtons();
}

TToolBar* TToolButton::ToolBar() const {
    return dynamic_cast<TToolBar*>(parentWidget());
}

void TToolButton::SetCaption(const QString& caption) {
    caption_ = caption;
    setText(caption.trimmed());
    RefreshLook();
}

void TToolButton::SetImageIndex(const int& index) {
    imageIndex_ = index;
    RefreshLook();
}

void TToolButton::RefreshLook() {
    const TToolBar* bar = ToolBar();
    if (!bar)
        return;
    QIcon icon;
    const TImageList* images = bar->Images;
    if (images) {
        const std::pair<const TImageList*, QIcon::Mode> lists[] = {
            {images, QIcon::Normal}, {bar->HotImages, QIcon::Active}, {bar->DisabledImages, QIcon::Disabled}};
        for (const auto& [list, mode] : lists) {
            if (!list)
                continue;
            if (const QPixmap picture = list->GetPixmap(imageIndex_); !picture.isNull())
                icon.addPixmap(picture, mode);
        }
        setIconSize(QSize(images->Width, images->Height));
    }
    setIcon(icon);
    if (icon.isNull())
        setToolButtonStyle(Qt::ToolButtonTextOnly);
    else
        setToolButtonStyle(bar->ShowCaptions ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    setAutoRaise(bar->Flat);
}

bool TToolButton::event(QEvent* event) {
    return HandleMnemonic(*this, event) || QToolButton::event(event);
}

TDateTimePicker::TDateTimePicker(QWidget* AParent)
    : TWinControl<QDateEdit>(AParent) {
    setCalendarPopup(true);
    // The regional settings in force when the picker is made, as DateToStr writes dates.
    setDisplayFormat(FormatSettings().ShortDateFormat);
    // Day 0 of the platform's calendar (30 December 1899) must be shown too.
    setMinimumDate(QDate(1800, 1, 1));
    SetDateTime(Now());
    connect(this, &QDateEdit::dateChanged, this, [this] { Fire(OnChange, this); });
}

TDateTime TDateTimePicker::GetDate() const {
    return DateTimeFromQDate(date());
}

void TDateTimePicker::SetDate(const TDateTime& date) {
    setDate(QDateFromDateTime(date));
}

TDateTime TDateTimePicker::GetDateTime() const {
    return DateTimeFromQDateTime(QDateTime(date(), time_));
}

void TDateTimePicker::SetDateTime(const TDateTime& dateTime) {
    time_ = QTimeFromDateTime(dateTime);
    setDate(QDateFromDateTime(dateTime));
}

TDateTime TDateTimePicker::GetTime() const {
    return time_.msecsSinceStartOfDay() / 86400000.0;
}

void TDateTimePicker::SetTime(const TDateTime& time) {
    time_ = QTimeFromDateTime(time);
}
