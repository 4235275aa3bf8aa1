#include "platform/ui/Application.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QMessageBox>

#include <array>
#include <utility>

namespace {

TApplication theApplication;

struct BoxButton {
    QMessageBox::StandardButton button;
    int result;
};

std::vector<BoxButton> ButtonsOf(int flags) {
    switch (flags & 0x0F) {
    case MB_OKCANCEL:
        return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {
            {QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL:
        return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default:
        return {{QMessageBox::Ok, IDOK}};
    }
}

QMessageBox::Icon IconOf(int flags) {
    switch (flags & 0xF0) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

TApplication* Application = &theApplication;

TApplication::TApplication() = default;

TApplication::~TApplication() {
    // Widgets can only go while Qt is still there; a run that ended normally has freed them already.
    if (QCoreApplication::instance())
        DestroyComponents();
    ownApplication_.reset();
}

void TApplication::Initialize(int& argc, char** argv) {
    if (!QCoreApplication::instance())
        ownApplication_ = std::make_unique<QApplication>(argc, argv);
    // The run ends when the main form closes, not when the last window does.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallFontSubstitutes();
}

QString TApplication::GetTitle() const {
    if (!title_.isEmpty() || !QCoreApplication::instance())
        return title_;
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void TApplication::Run() {
    if (mainForm_ && !terminated_) {
        mainForm_->Show();
        if (!terminated_) {
            QEventLoop loop;
            runLoop_ = &loop;
            loop.exec();
            runLoop_ = nullptr;
        }
    }
    DestroyComponents();
    terminated_ = false;
    ownApplication_.reset();
}

void TApplication::ProcessMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::Terminate() {
    terminated_ = true;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TForm*>(window); form && form->InModalLoop())
            form->ModalResult = mrCancel;
    if (runLoop_)
        runLoop_->exit();
}

void TApplication::ShowException(const std::exception& E) {
    ShowBox({QString::fromUtf8(E.what()), Title, MB_OK | MB_ICONSTOP, true});
}

int TApplication::MessageBox(const QString& Text, const QString& Caption, int Flags) {
    return ShowBox({Text, Caption, Flags, false});
}

int TApplication::ShowBox(const MessageBoxCall& call) {
    if (messageBoxHook_) {
        const MessageBoxHook hook = messageBoxHook_; // the hook may replace itself while it runs
        return hook(call);
    }
    QWidget* parent =
        QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
    QMessageBox box(IconOf(call.flags), call.caption, call.text, QMessageBox::NoButton, parent);
    box.setWindowModality(Qt::ApplicationModal);
    const std::vector<BoxButton> buttons = ButtonsOf(call.flags);
    for (const BoxButton& b : buttons)
        box.addButton(b.button);
    const std::size_t defaultIndex = (call.flags & MB_DEFBUTTON2) && buttons.size() > 1 ? 1 : 0;
    box.setDefaultButton(buttons[defaultIndex].button);
    box.exec();
    const QMessageBox::StandardButton pressed = box.standardButton(box.clickedButton());
    for (const BoxButton& b : buttons)
        if (b.button == pressed)
            return b.result;
    return IDCANCEL; // closed without a button
}

void TApplication::InsertComponent(QObject* component) {
    components_.emplace_back(component);
}

void TApplication::DestroyComponents() {
    while (!components_.empty()) {
        QPointer<QObject> last = components_.back();
        components_.pop_back();
        delete last.data();
    }
}

TApplication::MessageBoxHook TApplication::SetMessageBoxHook(MessageBoxHook hook) {
    return std::exchange(messageBoxHook_, std::move(hook));
}

TApplication::ModalHookFunction TApplication::SetModalHook(ModalHookFunction hook) {
    return std::exchange(modalHook_, std::move(hook));
}

void AttachToOwner(QObject& component, TComponent* owner) {
    if (!owner)
        return;
    if (owner == Application) {
        Application->InsertComponent(&component);
    } else if (!component.isWidgetType()) {
        component.setParent(owner);
    } else {
        // A window cannot be a Qt child of its owner; it goes when the owner does.
        QObject::connect(owner, &QObject::destroyed, &component, [&component] { delete &component; });
    }
}

ScopedMessageBoxRecorder::ScopedMessageBoxRecorder(int answer)
    : answer_(answer)
    , previous_(Application->SetMessageBoxHook([this](const MessageBoxCall& call) {
        calls_.push_back(call);
        return answer_;
    })) {}

ScopedMessageBoxRecorder::~ScopedMessageBoxRecorder() {
    Application->SetMessageBoxHook(std::move(previous_));
}

ScopedModalHook::ScopedModalHook(TApplication::ModalHookFunction hook)
    : previous_(Application->SetModalHook(std::move(hook))) {}

ScopedModalHook::~ScopedModalHook() {
    Application->SetModalHook(std::move(previous_));
}
