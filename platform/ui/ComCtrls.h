#pragma once
// Tool bars with their buttons, and date pickers.

#include "platform/sys/DateTime.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ImgList.h"

#include <QDateEdit>
#include <QPointer>
#include <QTime>
#include <QToolButton>
#include <QWidget>

#include <vector>

class TToolButton;

// Lays its buttons out from the left in their creation order, each ButtonWidth x ButtonHeight.
class TToolBar : public TWinControl<QWidget> {
    int GetButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(const int& width);
    int GetButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(const int& height);
    bool GetShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(const bool& show);
    bool GetFlat() const { return flat_; }
    void SetFlat(const bool& flat);
    TImageList* GetImages() const { return images_; }
    void SetImages(TImageList* const& images);
    TImageList* GetHotImages() const { return hotImages_; }
    void SetHotImages(TImageList* const& images);
    TImageList* GetDisabledImages() const { return disabledImages_; }
    void SetDisabledImages(TImageList* const& images);

public:
    explicit TToolBar(QWidget* AParent);

    Property<TToolBar, int, &TToolBar::GetButtonWidth, &TToolBar::SetButtonWidth> ButtonWidth{this};
    Property<TToolBar, int, &TToolBar::GetButtonHeight, &TToolBar::SetButtonHeight> ButtonHeight{this};
    // On: each button shows its caption under its picture.
    Property<TToolBar, bool, &TToolBar::GetShowCaptions, &TToolBar::SetShowCaptions> ShowCaptions{this};
    Property<TToolBar, bool, &TToolBar::GetFlat, &TToolBar::SetFlat> Flat{this};
    // The buttons' pictures: normal, under the mouse, and disabled.
    Property<TToolBar, TImageList*, &TToolBar::GetImages, &TToolBar::SetImages> Images{this};
    Property<TToolBar, TImageList*, &TToolBar::GetHotImages, &TToolBar::SetHotImages> HotImages{this};
    Property<TToolBar, TImageList*, &TToolBar::GetDisabledImages, &TToolBar::SetDisabledImages>
        DisabledImages{this};

    int ButtonCount() const { return static_cast<int>(ButtonList().size()); }
    TToolButton* Buttons(int index) const;

    // Places the buttons and refreshes their looks; buttons call it when they change.
    void ArrangeButtons();

protected:
    void ChildLayoutChanged() override { ArrangeButtons(); }

private:
    std::vector<TToolButton*> ButtonList() const;
    void Watch(TImageList* images, QMetaObject::Connection& connection);

    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
    bool showCaptions_ = false;
    bool flat_ = false;
    QPointer<TImageList> images_;
    QPointer<TImageList> hotImages_;
    QPointer<TImageList> disabledImages_;
    QMetaObject::Connection imagesConnection_;
    QMetaObject::Connection hotImagesConnection_;
    QMetaObject::Connection disabledImagesConnection_;
};

class TToolButton : public TWinControl<QToolButton> {
    QString GetCaption() const { return caption_; }
    void SetCaption(const QString& caption);
    int GetImageIndex() const { return imageIndex_; }
    void SetImageIndex(const int& index);

public:
    explicit TToolButton(TToolBar* AParent);

    // An "&" underlines the next letter; Alt with it presses the button. Blanks around the caption,
    // which widen a button whose tool bar sizes it to its caption, are not drawn: the width here is
    // always ButtonWidth.
    Property<TToolButton, QString, &TToolButton::GetCaption, &TToolButton::SetCaption> Caption{this};
    // Index of the picture in the tool bar's image lists; -1 for none.
    Property<TToolButton, int, &TToolButton::GetImageIndex, &TToolButton::SetImageIndex> ImageIndex{this};
    TNotifyEvent OnClick;

    void Click() { click(); }
    void RefreshLook();

protected:
    bool event(QEvent* event) override;

private:
    TToolBar* ToolBar() const;

    QString caption_;
    int imageIndex_ = -1;
};

// A date edit with a calendar drop-down, showing the user's short date format (four-digit year).
class TDateTimePicker : public TWinControl<QDateEdit> {
    TDateTime GetDate() const;
    void SetDate(const TDateTime& date);
    TDateTime GetDateTime() const;
    void SetDateTime(const TDateTime& dateTime);
    TDateTime GetTime() const;
    void SetTime(const TDateTime& time);

public:
    explicit TDateTimePicker(QWidget* AParent);

    // The calendar date, in whole days; setting it keeps the time of day.
    Property<TDateTimePicker, TDateTime, &TDateTimePicker::GetDate, &TDateTimePicker::SetDate> Date{this};
    // Date and time of day.
    Property<TDateTimePicker, TDateTime, &TDateTimePicker::GetDateTime, &TDateTimePicker::SetDateTime>
        DateTime{this};
    // The time of day alone, as the fraction of a day.
    Property<TDateTimePicker, TDateTime, &TDateTimePicker::GetTime, &TDateTimePicker::SetTime> Time{this};
    TNotifyEvent OnChange;

protected:
    // Tab leaves the picker, as on the platform, instead of moving between day, month and year.
    bool focusNextPrevChild(bool next) override { return QAbstractSpinBox::focusNextPrevChild(next); }
    QPalette::ColorRole ColorRole() const override { return QPalette::Base; }
    bool FillsBackground() const override { return false; }

private:
    QTime time_;
};
