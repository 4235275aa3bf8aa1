// The application object: form creation, the run, message boxes and their test hook.

#include "platform/ui/Application.h"
#include "platform/ui/DataModule.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

class TFailingForm : public TForm {
public:
    explicit TFailingForm(TComponent* AOwner)
        : TForm(AOwner) {
        OnCreate = Bind(this, &TFailingForm::FormCreate);
    }
    void FormCreate(TObject* Sender);

    bool fail = true;
    TObject* sender = nullptr;
    bool storedBeforeCreate = false;
    bool restOfCreateRan = false;
};

TFailingForm* FailingForm = nullptr;

void TFailingForm::FormCreate(TObject* Sender) {
    sender = Sender;
    storedBeforeCreate = FailingForm == this;
    if (fail)
        throw std::runtime_error("Table 'vales_x.configuracao' doesn't exist");
    restOfCreateRan = true;
}

TEST(CreateForm, AThrowingCreationHandlerIsShownAndCreationCompletes) {
    ASSERT_EQ(Application->MainForm(), nullptr) << "an earlier test left a main form";
    ScopedMessageBoxRecorder boxes;

    Application->CreateForm(FailingForm);

    ASSERT_NE(FailingForm, nullptr);
    EXPECT_TRUE(FailingForm->storedBeforeCreate);
    EXPECT_EQ(FailingForm->sender, FailingForm);
    EXPECT_FALSE(FailingForm->restOfCreateRan);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "Table 'vales_x.configuracao' doesn't exist");
    EXPECT_TRUE(boxes.Calls()[0].isErrorBox);
    EXPECT_EQ(Application->MainForm(), FailingForm);
    EXPECT_FALSE(FailingForm->isVisible());

    FailingForm->Free();
    FailingForm = nullptr;
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(Application, TitleIsTheExecutableNameWithoutExtension) {
    EXPECT_EQ(Application->Title(), "test_ui");
}

TEST(Application, ProcessMessagesHandlesWaitingEvents) {
    bool handled = false;
    QMetaObject::invokeMethod(
        qApp, [&] { handled = true; }, Qt::QueuedConnection);
    Application->ProcessMessages();
    EXPECT_TRUE(handled);
}

struct RunEnd {
    const char* name;
    void (*close)(TForm& mainForm);
};

void PrintTo(const RunEnd& c, std::ostream* os) {
    *os << c.name;
}

class ApplicationRun : public testing::TestWithParam<RunEnd> {};

// Start-up as the program does it: a data module, then the main form; the run ends with the main form.
TEST_P(ApplicationRun, EndsWhenTheMainFormClosesAndReleasesWhatTheApplicationOwns) {
    ASSERT_EQ(Application->MainForm(), nullptr) << "an earlier test left a main form";
    std::vector<QString> destroyed;
    TDataModule* Dm = nullptr;
    TForm* Main = nullptr;
    Application->CreateForm(Dm);
    Application->CreateForm(Main);
    ASSERT_EQ(Application->MainForm(), Main);
    QObject::connect(Dm, &QObject::destroyed, [&] { destroyed.push_back("module"); });
    QObject::connect(Main, &QObject::destroyed, [&] { destroyed.push_back("form"); });
    bool shown = false;
    const auto close = GetParam().close;
    Main->OnShow = [&](TObject*) {
        shown = true;
        QMetaObject::invokeMethod(
            Main, [Main, close] { close(*Main); }, Qt::QueuedConnection);
    };

    Application->Run();

    EXPECT_TRUE(shown);
    EXPECT_EQ(destroyed, (std::vector<QString>{"form", "module"}));
    EXPECT_EQ(Application->MainForm(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Closing, ApplicationRun,
                         testing::Values(RunEnd{"Close", [](TForm& f) { f.Close(); }},
                                         RunEnd{"WindowManagerClose", [](TForm& f) { f.close(); }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ApplicationRun, TerminateEndsAnOpenModalDialogAndTheRun) {
    ASSERT_EQ(Application->MainForm(), nullptr) << "an earlier test left a main form";
    TForm* Main = nullptr;
    Application->CreateForm(Main);
    TModalResult dialogResult = mrNone;
    bool terminatedAfterDialog = false;
    Main->OnShow = [&](TObject*) {
        QMetaObject::invokeMethod(
            Main,
            [&] {
                TForm dialog(nullptr);
                QMetaObject::invokeMethod(
                    &dialog, [] { Application->Terminate(); }, Qt::QueuedConnection);
                dialogResult = dialog.ShowModal();
                terminatedAfterDialog = Application->Terminated;
            },
            Qt::QueuedConnection);
    };

    Application->Run();

    EXPECT_EQ(dialogResult, mrCancel);
    EXPECT_TRUE(terminatedAfterDialog);
    EXPECT_FALSE(Application->Terminated()) << "a finished run leaves the flag clear for the next";
}

TEST(MessageBoxHook, TakesEveryBoxAndAnswersForTheUser) {
    ScopedMessageBoxRecorder outer;
    {
        ScopedMessageBoxRecorder inner(IDNO);
        EXPECT_EQ(Application->MessageBox(QString::fromUtf8("Não Existe Saldo para Este Cliente!!!"),
                                          QString::fromUtf8("Atenção"), MB_YESNO | MB_ICONQUESTION),
                  IDNO);
        Application->ShowException(std::runtime_error("falhou"));
        ASSERT_EQ(inner.Calls().size(), 2u);
        EXPECT_EQ(inner.Calls()[0].text, QString::fromUtf8("Não Existe Saldo para Este Cliente!!!"));
        EXPECT_EQ(inner.Calls()[0].caption, QString::fromUtf8("Atenção"));
        EXPECT_EQ(inner.Calls()[0].flags, 36);
        EXPECT_FALSE(inner.Calls()[0].isErrorBox);
        EXPECT_EQ(inner.Calls()[1].caption, Application->Title());
        EXPECT_TRUE(inner.Calls()[1].isErrorBox);
    }
    EXPECT_TRUE(outer.Calls().empty());
    // The inner recorder has given the boxes back to the outer one.
    EXPECT_EQ(Application->MessageBox("x", "y", MB_OK), IDOK);
    EXPECT_EQ(outer.Calls().size(), 1u);
}

// What the real box on the screen offered, and the button a user pressed in it.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    std::vector<QMessageBox::StandardButton> buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Presses `button` in the message box that is about to open, once its modal loop runs.
void PressInNextBox(QMessageBox::StandardButton button, SeenBox& seen) {
    QMetaObject::invokeMethod(
        qApp,
        [button, &seen] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(window);
                if (!box || !box->isVisible())
                    continue;
                seen.title = box->windowTitle();
                seen.text = box->text();
                seen.icon = box->icon();
                for (QAbstractButton* b : box->buttons())
                    seen.buttons.push_back(box->standardButton(b));
                if (box->defaultButton())
                    seen.defaultButton = box->standardButton(box->defaultButton());
                if (QAbstractButton* b = box->button(button)) {
                    b->click();
                } else {
                    ADD_FAILURE() << "the box has no such button";
                    box->reject();
                }
                return;
            }
            ADD_FAILURE() << "no message box is open";
        },
        Qt::QueuedConnection);
}

struct BoxCase {
    const char* name;
    int flags;
    QMessageBox::Icon icon;
    std::vector<QMessageBox::StandardButton> buttons;
    QMessageBox::StandardButton press;
    int result;
    QMessageBox::StandardButton defaultButton;
};

void PrintTo(const BoxCase& c, std::ostream* os) {
    *os << c.name;
}

class RealMessageBox : public testing::TestWithParam<BoxCase> {};

TEST_P(RealMessageBox, ShowsTheFlagsButtonsAndIconAndReturnsThePressedButton) {
    const BoxCase& c = GetParam();
    SeenBox seen;
    PressInNextBox(c.press, seen);

    const int result = Application->MessageBox("Texto", QString::fromUtf8("Atenção"), c.flags);

    EXPECT_EQ(result, c.result);
    EXPECT_EQ(seen.title, QString::fromUtf8("Atenção"));
    EXPECT_EQ(seen.text, "Texto");
    EXPECT_EQ(seen.icon, c.icon);
    auto buttons = seen.buttons;
    std::sort(buttons.begin(), buttons.end());
    auto expected = c.buttons;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(buttons, expected);
    EXPECT_EQ(seen.defaultButton, c.defaultButton);
}

INSTANTIATE_TEST_SUITE_P(Flags, RealMessageBox,
                         testing::Values(BoxCase{"OkExclamation",
                                                 MB_OK | MB_ICONEXCLAMATION,
                                                 QMessageBox::Warning,
                                                 {QMessageBox::Ok},
                                                 QMessageBox::Ok,
                                                 IDOK,
                                                 QMessageBox::Ok},
                                         BoxCase{"OkCancelPressCancel",
                                                 MB_OKCANCEL | MB_ICONINFORMATION,
                                                 QMessageBox::Information,
                                                 {QMessageBox::Ok, QMessageBox::Cancel},
                                                 QMessageBox::Cancel,
                                                 IDCANCEL,
                                                 QMessageBox::Ok},
                                         BoxCase{"YesNoPressYes",
                                                 MB_YESNO | MB_ICONQUESTION,
                                                 QMessageBox::Question,
                                                 {QMessageBox::Yes, QMessageBox::No},
                                                 QMessageBox::Yes,
                                                 IDYES,
                                                 QMessageBox::Yes},
                                         BoxCase{"YesNoSecondDefaultPressNo",
                                                 MB_YESNO | MB_DEFBUTTON2,
                                                 QMessageBox::NoIcon,
                                                 {QMessageBox::Yes, QMessageBox::No},
                                                 QMessageBox::No,
                                                 IDNO,
                                                 QMessageBox::No},
                                         BoxCase{"Stop",
                                                 MB_OK | MB_ICONSTOP,
                                                 QMessageBox::Critical,
                                                 {QMessageBox::Ok},
                                                 QMessageBox::Ok,
                                                 IDOK,
                                                 QMessageBox::Ok}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StandardErrorBox, ShowsTheMessageUnderTheTitleWithAStopIconAndOk) {
    SeenBox seen;
    PressInNextBox(QMessageBox::Ok, seen);

    Application->ShowException(std::runtime_error("Can't connect to MySQL server on '10.0.0.9'"));

    EXPECT_EQ(seen.title, Application->Title());
    EXPECT_EQ(seen.text, "Can't connect to MySQL server on '10.0.0.9'");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, std::vector<QMessageBox::StandardButton>{QMessageBox::Ok});
}

} // namespace
