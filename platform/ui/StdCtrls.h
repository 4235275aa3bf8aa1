#pragma once
// Standard controls: labels, one-line edits, memos and group boxes.

#include "platform/ui/Controls.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include <memory>

// A caption drawn on its parent. An "&" underlines the next letter but gives the label no shortcut.
class TLabel : public TWinControl<QWidget> {
    QString GetCaption() const { return caption_; }
    void SetCaption(const QString& caption);
    bool GetAutoSize() const { return autoSize_; }
    void SetAutoSize(const bool& autoSize);
    bool GetTransparent() const { return transparent_; }
    void SetTransparent(const bool& transparent);

public:
    explicit TLabel(QWidget* AParent);

    Property<TLabel, QString, &TLabel::GetCaption, &TLabel::SetCaption> Caption{this};
    // On: the label is as wide and as high as its caption.
    Property<TLabel, bool, &TLabel::GetAutoSize, &TLabel::SetAutoSize> AutoSize{this};
    // On: the parent shows through even where Color is set.
    Property<TLabel, bool, &TLabel::GetTransparent, &TLabel::SetTransparent> Transparent{this};
    TNotifyEvent OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool FillsBackground() const override { return !transparent_; }

private:
    void AdjustSize();

    QString caption_;
    bool autoSize_ = true;
    bool transparent_ = false;
    TClickTracker click_;
};

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TEdit : public TWinControl<QLineEdit> {
    QString GetText() const { return text(); }
    void SetText(const QString& text) { setText(text); }
    TEditCharCase GetCharCase() const { return charCase_; }
    void SetCharCase(const TEditCharCase& charCase);
    bool GetReadOnly() const { return isReadOnly(); }
    void SetReadOnly(const bool& readOnly) { setReadOnly(readOnly); }
    int GetMaxLength() const { return maxLength_; }
    void SetMaxLength(const int& maxLength);

public:
    explicit TEdit(QWidget* AParent);
    ~TEdit() override;

    Property<TEdit, QString, &TEdit::GetText, &TEdit::SetText> Text{this};
    // ecUpperCase: letters typed, pasted or assigned become capitals.
    Property<TEdit, TEditCharCase, &TEdit::GetCharCase, &TEdit::SetCharCase> CharCase{this};
    Property<TEdit, bool, &TEdit::GetReadOnly, &TEdit::SetReadOnly> ReadOnly{this};
    // 0: no limit.
    Property<TEdit, int, &TEdit::GetMaxLength, &TEdit::SetMaxLength> MaxLength{this};
    TNotifyEvent OnChange;
    TKeyEvent OnKeyDown;

    void SelectAll() { selectAll(); }
    void Clear() { clear(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QPalette::ColorRole ColorRole() const override { return QPalette::Base; }
    bool FillsBackground() const override { return false; }

private:
    std::unique_ptr<QValidator> validator_;
    TEditCharCase charCase_ = ecNormal;
    int maxLength_ = 0;
};

// The lines of a memo.
class TMemoLines {
    QString GetText() const;
    void SetText(const QString& text);

public:
    explicit TMemoLines(QPlainTextEdit& editor)
        : editor_(editor) {}
    TMemoLines(const TMemoLines&) = delete;
    TMemoLines& operator=(const TMemoLines&) = delete;

    // All lines, each ended by a line break.
    Property<TMemoLines, QString, &TMemoLines::GetText, &TMemoLines::SetText> Text{this};
    int Count() const;
    QString Strings(int index) const;
    void Add(const QString& line);
    void Clear();

private:
    QPlainTextEdit& editor_;
};

class TMemo : public TWinControl<QPlainTextEdit> {
    QString GetText() const { return toPlainText(); }
    void SetText(const QString& text) { setPlainText(text); }
    bool GetReadOnly() const { return isReadOnly(); }
    void SetReadOnly(const bool& readOnly) { setReadOnly(readOnly); }

    TMemoLines lines_;

public:
    explicit TMemo(QWidget* AParent);

    TMemoLines* const Lines;
    Property<TMemo, QString, &TMemo::GetText, &TMemo::SetText> Text{this};
    Property<TMemo, bool, &TMemo::GetReadOnly, &TMemo::SetReadOnly> ReadOnly{this};
    TNotifyEvent OnChange;

protected:
    QPalette::ColorRole ColorRole() const override { return QPalette::Base; }
    bool FillsBackground() const override { return false; }
};

// A frame with an optional caption at its top; aligned children share the area inside the frame.
class TGroupBox : public TWinControl<QGroupBox> {
    QString GetCaption() const { return title(); }
    void SetCaption(const QString& caption);

public:
    explicit TGroupBox(QWidget* AParent);

    Property<TGroupBox, QString, &TGroupBox::GetCaption, &TGroupBox::SetCaption> Caption{this};

    QRect AlignRect() const override;

protected:
    void changeEvent(QEvent* event) override;
};
