#include "platform/ui/StdCtrls.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QTextBlock>
#include <QValidator>

#include <limits>

namespace {

constexpr int kNoLengthLimit = std::numeric_limits<int>::max();

// Turns the text into one letter case as it is typed, pasted or assigned.
class CharCaseValidator : public QValidator {
public:
    explicit CharCaseValidator(TEditCharCase charCase)
        : charCase_(charCase) {}

    State validate(QString& input, int&) const override {
        input = charCase_ == ecUpperCase ? input.toUpper() : input.toLower();
        return Acceptable;
    }

private:
    TEditCharCase charCase_;
};

} // namespace

TLabel::TLabel(QWidget* AParent)
    : TWinControl<QWidget>(AParent) {
    AdjustSize();
}

void TLabel::SetCaption(const QString& caption) {
    caption_ = caption;
    AdjustSize();
    update();
}

void TLabel::SetAutoSize(const bool& autoSize) {
    autoSize_ = autoSize;
    AdjustSize();
}

void TLabel::SetTransparent(const bool& transparent) {
    transparent_ = transparent;
    setAutoFillBackground(!transparent && HasOwnColor());
    update();
}

void TLabel::AdjustSize() {
    if (!autoSize_)
        return;
    const QSize size = fontMetrics().size(Qt::TextShowMnemonic, caption_);
    SetBounds(Left, Top, size.width(), size.height());
}

void TLabel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        AdjustSize();
}

void TLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    style()->drawItemText(&painter, rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, palette(),
                          isEnabled(), caption_, QPalette::WindowText);
}

void TLabel::mousePressEvent(QMouseEvent* event) {
    click_.Press(*event);
    event->accept();
}

void TLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (click_.Release(*this, *event))
        Fire(OnClick, this);
}

TEdit::TEdit(QWidget* AParent)
    : TWinControl<QLineEdit>(AParent) {
    // MaxLength 0 means no limit, not QLineEdit's own default of 32767 characters.
    setMaxLength(kNoLengthLimit);
    connect(this, &QLineEdit::textChanged, this, [this] { Fire(OnChange, this); });
}

TEdit::~TEdit() = default;

void TEdit::SetCharCase(const TEditCharCase& charCase) {
    charCase_ = charCase;
    std::unique_ptr<QValidator> validator;
    if (charCase != ecNormal)
        validator = std::make_unique<CharCaseValidator>(charCase);
    setValidator(validator.get());
    validator_ = std::move(validator);
    if (charCase != ecNormal)
        setText(text()); // what is there already takes the case too
}

void TEdit::SetMaxLength(const int& maxLength) {
    maxLength_ = maxLength < 0 ? 0 : maxLength;
    setMaxLength(maxLength_ > 0 ? maxLength_ : kNoLengthLimit);
}

void TEdit::keyPressEvent(QKeyEvent* event) {
    if (DispatchKeyDown(OnKeyDown, this, *event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

QString TMemoLines::GetText() const {
    const QString text = editor_.toPlainText();
    return text.isEmpty() ? text : text + QLatin1Char('\n');
}

void TMemoLines::SetText(const QString& text) {
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (plain.endsWith(QLatin1Char('\n')))
        plain.chop(1);
    editor_.setPlainText(plain);
}

int TMemoLines::Count() const {
    return editor_.toPlainText().isEmpty() ? 0 : editor_.document()->blockCount();
}

QString TMemoLines::Strings(int index) const {
    return editor_.document()->findBlockByNumber(index).text();
}

void TMemoLines::Add(const QString& line) {
    if (Count() == 0)
        editor_.setPlainText(line);
    else
        editor_.appendPlainText(line);
}

void TMemoLines::Clear() {
    editor_.clear();
}

TMemo::TMemo(QWidget* AParent)
    : TWinControl<QPlainTextEdit>(AParent)
    , lines_(*this)
    , Lines(&lines_) {
    connect(this, &QPlainTextEdit::textChanged, this, [this] { Fire(OnChange, this); });
}

TGroupBox::TGroupBox(QWidget* AParent)
    : TWinControl<QGroupBox>(AParent) {}

void TGroupBox::SetCaption(const QString& caption) {
    setTitle(caption);
    update();
}

QRect TGroupBox::AlignRect() const {
    // Below a caption line's height, inside a one-pixel frame.
    QRect inside = rect();
    inside.setTop(fontMetrics().height());
    return inside.adjusted(1, 1, -1, -1);
}

void TGroupBox::changeEvent(QEvent* event) {
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        RealignChildren(*this);
}
