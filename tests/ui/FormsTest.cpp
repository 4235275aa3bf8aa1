// Forms: the modal loop and how it ends, the title bar, the border, the position and the menu.

#include "platform/ui/Forms.h"
#include "platform/ui/Application.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

#include "tests/ui/WidgetHelpers.h"

#include <QAction>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

namespace {

// A dialog laid out like the report options: an edit, an OK-kind and a Cancel-kind glyph button.
class TDialog : public TForm {
public:
    explicit TDialog(TComponent* AOwner)
        : TForm(AOwner) {
        ClientWidth = 483;
        ClientHeight = 103;
        Edit1 = new TEdit(this);
        Edit1->SetBounds(8, 24, 273, 22);
        BitBtn1 = new TBitBtn(this);
        BitBtn1->SetBounds(296, 64, 75, 25);
        BitBtn1->Kind = bkOK;
        BitBtn1->Caption = "&Imprime";
        BitBtn1->OnClick = Bind(this, &TDialog::BitBtn1Click);
        BitBtn2 = new TBitBtn(this);
        BitBtn2->SetBounds(400, 64, 75, 25);
        BitBtn2->Kind = bkCancel;
        OnClose = Bind(this, &TDialog::FormClose);
    }

    void BitBtn1Click(TObject*) {
        ++clicks;
        resultDuringClick = ModalResult;
    }
    void FormClose(TObject*, TCloseAction& Action) {
        ++closes;
        if (refuseClose) {
            refuseClose = false;
            Action = caNone;
        }
    }

    TEdit* Edit1;
    TBitBtn* BitBtn1;
    TBitBtn* BitBtn2;
    int clicks = 0;
    int closes = 0;
    TModalResult resultDuringClick = mrNone;
    bool refuseClose = false;
};

enum class Loop { Hook, Real };

void PrintTo(Loop loop, std::ostream* os) {
    *os << (loop == Loop::Hook ? "hook" : "real loop");
}

struct Ending {
    const char* name;
    void (*act)(TDialog& dialog);
    TModalResult result;
    int clicks;
};

void PrintTo(const Ending& c, std::ostream* os) {
    *os << c.name;
}

const Ending endings[] = {
    {"OkButton", [](TDialog& d) { QTest::mouseClick(d.BitBtn1, Qt::LeftButton); }, mrOk, 1},
    {"CancelButton", [](TDialog& d) { QTest::mouseClick(d.BitBtn2, Qt::LeftButton); }, mrCancel, 0},
    {"EnterInTheEdit", [](TDialog& d) { QTest::keyClick(d.Edit1, Qt::Key_Return); }, mrOk, 1},
    {"EscInTheEdit", [](TDialog& d) { QTest::keyClick(d.Edit1, Qt::Key_Escape); }, mrCancel, 0},
    {"Close", [](TDialog& d) { d.Close(); }, mrCancel, 0},
    {"WindowManagerClose", [](TDialog& d) { d.close(); }, mrCancel, 0},
    {"ModalResultSet", [](TDialog& d) { d.ModalResult = mrYes; }, mrYes, 0},
};

class ModalEnding : public testing::TestWithParam<std::tuple<Loop, Ending>> {};

TEST_P(ModalEnding, EndsTheModalLoopWithItsResult) {
    const auto& [loop, ending] = GetParam();
    TDialog dialog(nullptr);
    bool wasShownModal = false;
    const auto act = [&] {
        wasShownModal = dialog.isVisible() && dialog.isModal();
        ending.act(dialog);
    };
    std::optional<ScopedModalHook> hook;
    if (loop == Loop::Hook)
        hook.emplace([&](TForm& form) {
            EXPECT_EQ(&form, &dialog);
            act();
        });
    else
        QMetaObject::invokeMethod(&dialog, act, Qt::QueuedConnection);

    const TModalResult result = dialog.ShowModal();

    EXPECT_TRUE(wasShownModal);
    EXPECT_EQ(result, ending.result);
    EXPECT_EQ(dialog.clicks, ending.clicks);
    if (ending.clicks > 0) {
        EXPECT_EQ(dialog.resultDuringClick, mrOk) << "the button sets ModalResult before its OnClick";
    }
    EXPECT_EQ(dialog.closes, 1) << "OnClose runs once as the modal loop ends";
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.isModal());
}

INSTANTIATE_TEST_SUITE_P(Endings, ModalEnding,
                         testing::Combine(testing::Values(Loop::Hook, Loop::Real),
                                          testing::ValuesIn(endings)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param) == Loop::Hook ? "Hook_" : "Real_") +
                                    std::get<1>(info.param).name;
                         });

TEST(ShowModal, AnOnCloseThatRefusesKeepsTheDialogOpen) {
    TDialog dialog(nullptr);
    dialog.refuseClose = true;
    int attempts = 0;
    std::function<void()> closeAgain = [&] {
        ++attempts;
        dialog.Close();
        if (attempts < 2)
            QMetaObject::invokeMethod(&dialog, closeAgain, Qt::QueuedConnection);
    };
    QMetaObject::invokeMethod(&dialog, closeAgain, Qt::QueuedConnection);

    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(dialog.closes, 2);
}

TEST(ShowModal, TheHandlerThatCreatedTheDialogFreesItAfterwards) {
    TForm owner(nullptr);
    auto* Button = new TBitBtn(&owner);
    QPointer<TDialog> dialog;
    TModalResult result = mrNone;
    Button->OnClick = [&](TObject*) {
        auto* Dlg = new TDialog(Application);
        dialog = Dlg;
        result = Dlg->ShowModal();
        Dlg->Free();
    };
    ScopedModalHook hook(
        [](TForm& form) { QTest::mouseClick(static_cast<TDialog&>(form).BitBtn1, Qt::LeftButton); });
    ShowActive(owner);

    QTest::mouseClick(Button, Qt::LeftButton);

    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(dialog.isNull());
}

TEST(ShowModal, AnErrorInsideTheDialogIsShownAndTheDialogStaysOpen) {
    ScopedMessageBoxRecorder boxes;
    TDialog dialog(nullptr);
    dialog.BitBtn2->ModalResult = mrNone; // a button that only acts
    dialog.BitBtn2->OnClick = [](TObject*) { throw std::runtime_error("Deadlock found"); };
    ScopedModalHook hook([&](TForm&) {
        QTest::mouseClick(dialog.BitBtn2, Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.ModalResult(), mrNone);
        QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);
    });

    EXPECT_EQ(dialog.ShowModal(), mrOk);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "Deadlock found");
}

struct IconsCase {
    const char* name;
    TBorderIcons icons;
    bool close, minimize, maximize;
};

void PrintTo(const IconsCase& c, std::ostream* os) {
    *os << c.name;
}

class TitleBar : public testing::TestWithParam<IconsCase> {};

TEST_P(TitleBar, ShowsTheBoxesOfTheBorderIcons) {
    TForm form(nullptr);
    form.BorderIcons = GetParam().icons;
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_EQ(flags.testFlag(Qt::WindowCloseButtonHint), GetParam().close);
    EXPECT_EQ(flags.testFlag(Qt::WindowSystemMenuHint), GetParam().close);
    EXPECT_EQ(flags.testFlag(Qt::WindowMinimizeButtonHint), GetParam().minimize);
    EXPECT_EQ(flags.testFlag(Qt::WindowMaximizeButtonHint), GetParam().maximize);
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
}

INSTANTIATE_TEST_SUITE_P(
    Icons, TitleBar,
    testing::Values(IconsCase{"None", {}, false, false, false},
                    IconsCase{"SystemMenuOnly", {biSystemMenu}, true, false, false},
                    IconsCase{"All", {biSystemMenu, biMinimize, biMaximize}, true, true, true},
                    IconsCase{"BoxesWithoutSystemMenu", {biMinimize, biMaximize}, false, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Form, AWindowManagerCloseIsHonouredWithoutBorderIcons) {
    TForm form(nullptr);
    form.BorderIcons = TBorderIcons();
    int closes = 0;
    form.OnClose = [&](TObject* Sender, TCloseAction& Action) {
        ++closes;
        EXPECT_EQ(Sender, &form);
        EXPECT_EQ(Action, caHide);
    };
    form.Show();

    form.close();

    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(form.isVisible());
}

TEST(Form, SingleBorderFixesTheSize) {
    TForm form(nullptr);
    form.BorderStyle = bsSingle;
    form.ClientWidth = 787;
    form.ClientHeight = 259;
    form.resize(900, 400);
    EXPECT_EQ(form.size(), QSize(787, 259));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
}

TEST(Form, ScreenCenterCentresTheWindowWhenShown) {
    TForm form(nullptr);
    form.Position = poScreenCenter;
    form.ClientWidth = 300;
    form.ClientHeight = 200;
    int shows = 0;
    form.OnShow = [&](TObject*) { ++shows; };
    form.Show();
    const QPoint screenCentre = form.screen()->availableGeometry().center();
    EXPECT_LE((form.frameGeometry().center() - screenCentre).manhattanLength(), 1);
    EXPECT_EQ(shows, 1);
}

TEST(Form, TheMainMenuSitsAboveTheClientAreaAndItsItemsAreGuarded) {
    ScopedMessageBoxRecorder boxes;
    TForm form(nullptr);
    form.ClientWidth = 975;
    form.ClientHeight = 641;
    auto* MainMenu1 = new TMainMenu(&form);
    auto* Relatorios1 = new TMenuItem(&form);
    Relatorios1->Caption = "Relatorios";
    auto* ValesIndividualnoPeriodo1 = new TMenuItem(&form);
    ValesIndividualnoPeriodo1->Caption = "Vales Individual no Periodo";
    int clicks = 0;
    ValesIndividualnoPeriodo1->OnClick = [&](TObject* Sender) {
        ++clicks;
        EXPECT_EQ(Sender, ValesIndividualnoPeriodo1);
        throw std::runtime_error("MySQL server has gone away");
    };
    MainMenu1->Items->Add(Relatorios1);
    Relatorios1->Add(ValesIndividualnoPeriodo1);

    form.Menu = MainMenu1;

    EXPECT_EQ(form.ClientWidth(), 975);
    EXPECT_EQ(form.ClientHeight(), 641);
    auto* bar = form.findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_GT(bar->height(), 0);
    EXPECT_EQ(form.ClientWidget()->y(), bar->height());
    ASSERT_EQ(bar->actions().size(), 1);
    EXPECT_EQ(bar->actions()[0]->text(), "Relatorios");
    QMenu* drop = bar->actions()[0]->menu();
    ASSERT_NE(drop, nullptr);
    ASSERT_EQ(drop->actions().size(), 1);

    drop->actions()[0]->trigger();
    EXPECT_EQ(clicks, 1);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "MySQL server has gone away");

    // Items added later show at once, and the client area still keeps its size.
    auto* Sobre1 = new TMenuItem(&form);
    Sobre1->Caption = "Sobre";
    MainMenu1->Items->Add(Sobre1);
    EXPECT_EQ(bar->actions().size(), 2);
    EXPECT_EQ(form.ClientHeight(), 641);
}

TEST(Form, FontsAreTahomaEightPointAtNinetySixDpiUnlessSet) {
    TForm form(nullptr);
    auto* Edit1 = new TEdit(&form);
    EXPECT_EQ(form.Font->Name(), "Tahoma");
    EXPECT_EQ(form.Font->Size(), 8);
    EXPECT_EQ(form.font().pixelSize(), 11);
    EXPECT_EQ(Edit1->font().family(), "Tahoma");
    EXPECT_EQ(Edit1->font().pixelSize(), 11);
    // Tahoma is not installed; the Arial-metric font stands in for it.
    EXPECT_EQ(QFontInfo(form.font()).family(), "Liberation Sans");
}

} // namespace
