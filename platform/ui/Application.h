#pragma once
// The application object: start-up, form creation, the message loop, message boxes and the standard
// error box. `Application` is the one instance.

#include "platform/ui/Forms.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/Property.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

class QApplication;
class QEventLoop;

// Message-box flags and results, with the platform's values.
inline constexpr int MB_OK = 0;
inline constexpr int MB_OKCANCEL = 1;
inline constexpr int MB_ABORTRETRYIGNORE = 2;
inline constexpr int MB_YESNOCANCEL = 3;
inline constexpr int MB_YESNO = 4;
inline constexpr int MB_RETRYCANCEL = 5;
inline constexpr int MB_ICONSTOP = 16;
inline constexpr int MB_ICONERROR = MB_ICONSTOP;
inline constexpr int MB_ICONQUESTION = 32;
inline constexpr int MB_ICONEXCLAMATION = 48;
inline constexpr int MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr int MB_ICONINFORMATION = 64;
inline constexpr int MB_DEFBUTTON2 = 256;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// One message box or standard error box as the program asked for it.
struct MessageBoxCall {
    QString text;
    QString caption;
    int flags = MB_OK;
    bool isErrorBox = false;
};

class TApplication : public QObject {
    Q_OBJECT

    bool GetMainFormOnTaskBar() const { return mainFormOnTaskBar_; }
    void SetMainFormOnTaskBar(const bool& on) { mainFormOnTaskBar_ = on; }
    QString GetTitle() const;
    void SetTitle(const QString& title) { title_ = title; }
    TForm* GetMainForm() const { return mainForm_; }
    bool GetTerminated() const { return terminated_; }

public:
    TApplication();
    ~TApplication() override;

    // Creates the QApplication unless one exists already (as in tests).
    void Initialize(int& argc, char** argv);

    // A top-level window on Linux has its own task-bar entry anyway; the setting is kept as given.
    Property<TApplication, bool, &TApplication::GetMainFormOnTaskBar, &TApplication::SetMainFormOnTaskBar>
        MainFormOnTaskBar{this};
    // Caption of the standard error box; the executable's name without extension unless set.
    Property<TApplication, QString, &TApplication::GetTitle, &TApplication::SetTitle> Title{this};
    // The first form created through CreateForm.
    ReadOnlyProperty<TApplication, TForm*, &TApplication::GetMainForm> MainForm{this};
    // Set by Terminate; stays set until Run has returned.
    ReadOnlyProperty<TApplication, bool, &TApplication::GetTerminated> Terminated{this};

    // Constructs a T owned by the application, stores it in `Reference` and then runs its creation
    // handler through the guard: an exception there is shown and creation completes all the same. The
    // first form created becomes the main form.
    template <class T> void CreateForm(T*& Reference) {
        Reference = new T(this);
        Reference->DoCreate();
        if constexpr (std::is_base_of_v<TForm, T>) {
            if (!mainForm_)
                mainForm_ = Reference;
        }
    }

    // Shows the main form and handles messages until the main form has closed. The run is then over:
    // everything the application owns is destroyed, and with it the QApplication it created.
    void Run();
    void ProcessMessages();
    // Ends the run and any modal loop (with mrCancel).
    void Terminate();

    // The standard error box: the error's message, the Title as caption, a stop icon and an OK button.
    void ShowException(const std::exception& E);
    // A modal message box with the buttons and icon of `Flags`; returns the IDxxx of the button pressed.
    int MessageBox(const QString& Text, const QString& Caption, int Flags = MB_OK);

    // Components the application owns; DestroyComponents frees them, the last one first.
    void InsertComponent(QObject* component);
    void DestroyComponents();

    // Test hooks. With a message-box hook, every message box and standard error box goes to the hook
    // instead of the screen and returns the hook's answer. With a modal hook, ShowModal runs no loop: it
    // shows the form, calls the hook and returns the form's ModalResult. Each setter returns the hook it
    // replaces.
    using MessageBoxHook = std::function<int(const MessageBoxCall&)>;
    using ModalHookFunction = std::function<void(TForm&)>;
    MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);
    ModalHookFunction SetModalHook(ModalHookFunction hook);
    const ModalHookFunction& ModalHook() const { return modalHook_; }

private:
    int ShowBox(const MessageBoxCall& call);

    std::unique_ptr<QApplication> ownApplication_;
    QString title_;
    bool mainFormOnTaskBar_ = false;
    bool terminated_ = false;
    QPointer<TForm> mainForm_;
    QEventLoop* runLoop_ = nullptr;
    std::vector<QPointer<QObject>> components_;
    MessageBoxHook messageBoxHook_;
    ModalHookFunction modalHook_;
};

extern TApplication* Application;

// Makes `owner` responsible for destroying `component`: the application frees it at the end of the run,
// another owner when that owner is destroyed. A null owner leaves it to the caller.
void AttachToOwner(QObject& component, TComponent* owner);

// Records every message box and error box while it lives, answering each with a fixed answer; the hook
// it replaced comes back afterwards. Form tests use it to see and answer the boxes without a screen.
class ScopedMessageBoxRecorder {
public:
    explicit ScopedMessageBoxRecorder(int answer = IDOK);
    ~ScopedMessageBoxRecorder();
    ScopedMessageBoxRecorder(const ScopedMessageBoxRecorder&) = delete;
    ScopedMessageBoxRecorder& operator=(const ScopedMessageBoxRecorder&) = delete;

    void SetAnswer(int answer) { answer_ = answer; }
    const std::vector<MessageBoxCall>& Calls() const { return calls_; }

private:
    std::vector<MessageBoxCall> calls_;
    int answer_;
    TApplication::MessageBoxHook previous_;
};

// Acts inside every modal dialog shown while it lives; the hook it replaced comes back afterwards.
class ScopedModalHook {
public:
    explicit ScopedModalHook(TApplication::ModalHookFunction hook);
    ~ScopedModalHook();
    ScopedModalHook(const ScopedModalHook&) = delete;
    ScopedModalHook& operator=(const ScopedModalHook&) = delete;

private:
    TApplication::ModalHookFunction previous_;
};
