#include "platform/ui/Forms.h"

#include "platform/ui/Application.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Menus.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

TForm::TForm(TComponent* AOwner)
    : QWidget(nullptr, Qt::Window)
    , font_(std::make_unique<TFont>(*this,
                                    [this] {
                                        setFont(font_->ExplicitFont());
                                        SetColor(color_);
                                    }))
    , Font(font_.get())
    , client_(new QWidget(this)) {
    Font->Name = QStringLiteral("Tahoma");
    Font->Size = 8;
    ApplyWindowFlags();
    ResizeWindow(320, 240);
    AttachToOwner(*this, AOwner);
}

TForm::~TForm() {
    // The menu may go before the form's widgets do; it must not reach back into them.
    disconnect(menuConnection_);
}

void TForm::DoCreate() {
    CallHandler([this] {
        if (OnCreate)
            OnCreate(this);
    });
}

int TForm::GetClientWidth() const {
    return client_->width();
}
void TForm::SetClientWidth(const int& width) {
    ResizeWindow(width, height());
}
int TForm::GetClientHeight() const {
    return client_->height();
}
void TForm::SetClientHeight(const int& height) {
    ResizeWindow(width(), height + MenuBarHeight());
}
void TForm::SetWidth(const int& width) {
    ResizeWindow(width, height());
}
void TForm::SetHeight(const int& height) {
    ResizeWindow(width(), height);
}

void TForm::ResizeWindow(int width, int height) {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(std::max(0, width), std::max(0, height));
    ApplySizeConstraints();
    LayoutClient();
}

void TForm::ApplySizeConstraints() {
    if (borderStyle_ == bsSingle || borderStyle_ == bsDialog)
        setFixedSize(size());
}

int TForm::MenuBarHeight() const {
    return menuBar_ && menu_ ? menuBar_->sizeHint().height() : 0;
}

void TForm::LayoutClient() {
    const int menuHeight = MenuBarHeight();
    if (menuBar_) {
        menuBar_->setGeometry(0, 0, width(), menuHeight);
        menuBar_->setVisible(menuHeight > 0);
    }
    client_->setGeometry(0, menuHeight, width(), std::max(0, height() - menuHeight));
    // A hidden window gets its resize events only when shown; the controls must be in place before.
    RealignChildren(*client_);
}

void TForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutClient();
}

void TForm::SetBorderIcons(const TBorderIcons& icons) {
    borderIcons_ = icons;
    ApplyWindowFlags();
}

void TForm::SetBorderStyle(const TFormBorderStyle& style) {
    borderStyle_ = style;
    ApplyWindowFlags();
    ResizeWindow(width(), height());
}

void TForm::ApplyWindowFlags() {
    Qt::WindowFlags flags = Qt::Window;
    if (borderStyle_ == bsNone) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        // Without the system menu the title bar has no boxes at all.
        if (borderIcons_.Contains(biSystemMenu)) {
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            if (borderStyle_ != bsDialog && borderIcons_.Contains(biMinimize))
                flags |= Qt::WindowMinimizeButtonHint;
            if (borderStyle_ != bsDialog && borderIcons_.Contains(biMaximize))
                flags |= Qt::WindowMaximizeButtonHint;
            if (borderIcons_.Contains(biHelp))
                flags |= Qt::WindowContextHelpButtonHint;
        }
    }
    const bool wasVisible = isVisible();
    setWindowFlags(flags);
    if (wasVisible)
        show();
}

void TForm::SetColor(const TColor& color) {
    color_ = color;
    QPalette palette;
    if (const QColor background = ColorFromTColor(color); background.isValid())
        palette.setColor(QPalette::Window, background);
    if (const auto text = font_->ExplicitColor(); text && text->isValid()) {
        for (const auto group : {QPalette::Active, QPalette::Inactive})
            for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
                palette.setColor(group, role, *text);
    }
    setPalette(palette);
}

void TForm::SetMenu(TMainMenu* const& menu) {
    const int clientHeight = GetClientHeight();
    if (menuConnection_)
        disconnect(menuConnection_);
    menu_ = menu;
    if (menu) {
        if (!menuBar_) {
            menuBar_ = new QMenuBar(this);
            menuBar_->setNativeMenuBar(false);
        }
        menuConnection_ = connect(menu, &TMainMenu::Changed, this, [this] {
            const int height = GetClientHeight();
            RebuildMenuBar();
            ResizeWindow(width(), height + MenuBarHeight());
        });
    }
    RebuildMenuBar();
    ResizeWindow(width(), clientHeight + MenuBarHeight());
}

void TForm::RebuildMenuBar() {
    if (!menuBar_)
        return;
    menuBar_->clear();
    if (!menu_)
        return;
    for (int i = 0; i < menu_->Items->Count(); ++i)
        menuBar_->addAction(menu_->Items->Items(i)->Action());
}

void TForm::SetVisible(const bool& visible) {
    if (visible)
        Show();
    else
        hide();
}

void TForm::Show() {
    show();
    raise();
    activateWindow();
}

void TForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (!positioned_) {
        positioned_ = true;
        ApplyPosition();
    }
    Fire(OnShow, this);
}

void TForm::ApplyPosition() {
    QRect area;
    if (position_ == poMainFormCenter && Application->MainForm() && Application->MainForm() != this)
        area = Application->MainForm()->frameGeometry();
    else if (position_ == poScreenCenter || position_ == poDesktopCenter || position_ == poMainFormCenter) {
        if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen())
            area = s->availableGeometry();
    }
    if (area.isNull())
        return;
    // The window manager's frame counts: it is the whole window that sits in the middle.
    const QSize outer = size().grownBy(windowHandle() ? windowHandle()->frameMargins() : QMargins());
    move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}

TModalResult TForm::ShowModal() {
    if (modal_ || isVisible())
        throw EInvalidOperation("Cannot make a visible window modal");
    modal_ = true;
    modalResult_ = mrNone;
    setWindowModality(Qt::ApplicationModal);
    const auto done = qScopeGuard([this] {
        modalLoop_ = nullptr;
        modal_ = false;
        hide();
        setWindowModality(Qt::NonModal);
    });
    Show();
    if (const auto hook = Application->ModalHook()) {
        // A test acts inside the dialog instead of a user; whatever it left in ModalResult ends the loop.
        hook(*this);
        if (modalResult_ != mrNone)
            CloseModal();
        return modalResult_;
    }
    QEventLoop loop;
    modalLoop_ = &loop;
    for (;;) {
        if (modalResult_ == mrNone && !Application->Terminated)
            loop.exec(QEventLoop::DialogExec);
        if (Application->Terminated)
            modalResult_ = mrCancel;
        if (modalResult_ != mrNone) {
            CloseModal();
            if (modalResult_ != mrNone || Application->Terminated)
                break;
        }
    }
    return modalResult_;
}

bool TForm::InModalLoop() const {
    return modal_;
}

void TForm::SetModalResult(const TModalResult& result) {
    modalResult_ = result;
    // The loop returns once the event in progress (the click that set the result) has been handled.
    if (result != mrNone && modalLoop_)
        modalLoop_->exit();
}

void TForm::DoClose(TCloseAction& action) {
    CallHandler([&] {
        if (OnClose)
            OnClose(this, action);
    });
}

void TForm::CloseModal() {
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        modalResult_ = mrNone;
    else if (action == caFree)
        Release();
}

void TForm::Close() {
    if (modal_) {
        SetModalResult(mrCancel);
        return;
    }
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caMinimize:
        showMinimized();
        break;
    case caFree:
        Release();
        break;
    default:
        hide();
        break;
    }
}

void TForm::closeEvent(QCloseEvent* event) {
    // The window manager's close request (even on a form whose title bar shows no close box) is a Close;
    // Close itself decides whether the window goes.
    event->ignore();
    Close();
}

namespace {

TBitBtn* ActiveButton(QWidget& form, bool (*wanted)(const TBitBtn&)) {
    for (QPushButton* button : form.findChildren<QPushButton*>()) {
        auto* bitBtn = dynamic_cast<TBitBtn*>(button);
        if (bitBtn && button->isVisible() && button->isEnabled() && wanted(*bitBtn))
            return bitBtn;
    }
    return nullptr;
}

} // namespace

void TForm::keyPressEvent(QKeyEvent* event) {
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        // Enter presses the focused button, else the default one.
        auto* focused = dynamic_cast<TBitBtn*>(QApplication::focusWidget());
        TBitBtn* button = focused && isAncestorOf(focused)
                              ? focused
                              : ActiveButton(*this, [](const TBitBtn& b) { return bool(b.Default); });
        if (button) {
            button->click();
            event->accept();
            return;
        }
    } else if (plain && event->key() == Qt::Key_Escape) {
        if (TBitBtn* button = ActiveButton(*this, [](const TBitBtn& b) { return bool(b.Cancel); })) {
            button->click();
            event->accept();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}
