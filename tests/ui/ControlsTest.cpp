// The controls through real widgets: alignment, mnemonics, edits, colours, shapes, pickers, tool bars.

#include "platform/sys/Regional.h"
#include "platform/ui/Application.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/StdCtrls.h"

#include "tests/ui/WidgetHelpers.h"

#include <QLocale>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

QRect BoundsOf(const TControl& control) {
    return {control.Left, control.Top, control.Width, control.Height};
}

struct Placement {
    const char* name;
    TAlign align;
    QRect designed;
};

// The strips of the voucher window, plus a left, a right and a client control.
const Placement placements[] = {
    {"Panel1", alTop, {0, 0, 975, 36}},          {"GroupBox1", alTop, {0, 36, 975, 100}},
    {"GroupBox2", alBottom, {0, 481, 975, 130}}, {"Panel3", alBottom, {0, 611, 975, 30}},
    {"left", alLeft, {0, 136, 50, 10}},          {"right", alRight, {915, 136, 60, 10}},
    {"client", alClient, {0, 0, 10, 10}},        {"GroupBox3", alNone, {0, 98, 974, 391}},
};

using Layout = std::map<std::string, QRect>;

// Whether the form code sets the bounds before the alignment or after it must not matter.
class Alignment : public testing::TestWithParam<bool> {};

TEST_P(Alignment, AlignedControlsShareTheParentAndFollowItsSize) {
    const bool boundsFirst = GetParam();
    TForm form(nullptr);
    form.ClientWidth = 975;
    form.ClientHeight = 641;
    std::map<std::string, TPanel*> p;
    for (const Placement& placement : placements) {
        auto* panel = new TPanel(&form);
        const QRect& r = placement.designed;
        if (boundsFirst)
            panel->SetBounds(r.x(), r.y(), r.width(), r.height());
        panel->Align = placement.align;
        if (!boundsFirst)
            panel->SetBounds(r.x(), r.y(), r.width(), r.height());
        p[placement.name] = panel;
    }
    const auto expectLayout = [&](const Layout& expected) {
        for (const auto& [name, rect] : expected)
            EXPECT_EQ(BoundsOf(*p.at(name)), rect) << name;
    };

    // Panel3 was designed below GroupBox2, so it stays at the very bottom although created later.
    expectLayout({{"Panel1", {0, 0, 975, 36}},
                  {"GroupBox1", {0, 36, 975, 100}},
                  {"GroupBox2", {0, 481, 975, 130}},
                  {"Panel3", {0, 611, 975, 30}},
                  {"left", {0, 136, 50, 345}},
                  {"right", {915, 136, 60, 345}},
                  {"client", {50, 136, 865, 345}},
                  {"GroupBox3", {0, 98, 974, 391}}});

    form.ClientWidth = 1200;
    form.ClientHeight = 700;
    expectLayout({{"Panel1", {0, 0, 1200, 36}},
                  {"GroupBox1", {0, 36, 1200, 100}},
                  {"GroupBox2", {0, 540, 1200, 130}},
                  {"Panel3", {0, 670, 1200, 30}},
                  {"left", {0, 136, 50, 404}},
                  {"right", {1140, 136, 60, 404}},
                  {"client", {50, 136, 1090, 404}},
                  {"GroupBox3", {0, 98, 974, 391}}});

    // A hidden aligned control gives its room to the others; a new height is kept.
    p["GroupBox1"]->Visible = false;
    p["Panel1"]->Height = 50;
    expectLayout({{"Panel1", {0, 0, 1200, 50}}, {"left", {0, 50, 50, 490}}, {"client", {50, 50, 1090, 490}}});

    // A resize coming from the window system realigns as well.
    ShowActive(form);
    form.resize(1000, 700);
    QApplication::processEvents();
    EXPECT_EQ(BoundsOf(*p["Panel3"]), QRect(0, 670, 1000, 30));
    EXPECT_EQ(BoundsOf(*p["right"]), QRect(940, 50, 60, 490));
}

INSTANTIATE_TEST_SUITE_P(SettingOrder, Alignment, testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "BoundsFirst" : "AlignFirst");
});

TEST(Alignment, ABorderedPanelAlignsInsideItsBorderAndBevel) {
    // The title strip of the voucher window: a red "X" box aligned right in a bordered strip.
    TForm form(nullptr);
    form.ClientWidth = 975;
    form.ClientHeight = 641;
    auto* Panel1 = new TPanel(&form);
    Panel1->Height = 36;
    Panel1->Align = alTop;
    Panel1->BorderStyle = bsSingle;
    Panel1->BorderWidth = 2;
    auto* Panel2 = new TPanel(Panel1);
    Panel2->Width = 41;
    Panel2->Align = alRight;

    EXPECT_EQ(BoundsOf(*Panel1), QRect(0, 0, 975, 36));
    EXPECT_EQ(BoundsOf(*Panel2), QRect(929, 3, 41, 28));
    form.ClientWidth = 1200;
    EXPECT_EQ(BoundsOf(*Panel2), QRect(1154, 3, 41, 28));

    // A group box keeps a one-pixel frame and the caption line free.
    auto* GroupBox2 = new TGroupBox(&form);
    GroupBox2->SetBounds(0, 481, 975, 130);
    auto* grp1 = new TGroupBox(GroupBox2);
    grp1->Height = 30;
    grp1->Align = alTop;
    EXPECT_EQ(grp1->Left(), 1);
    EXPECT_EQ(grp1->Width(), 973);
    EXPECT_EQ(grp1->Top(), GroupBox2->fontMetrics().height() + 1);
}

class Mnemonics : public testing::Test {
protected:
    void SetUp() override {
        form.ClientWidth = 600;
        form.ClientHeight = 200;
        auto* ToolBar1 = new TToolBar(&form);
        ToolBar1->ButtonWidth = 58;
        ToolBar1->ButtonHeight = 60;
        ToolBar1->ShowCaptions = true;
        ToolButton6 = new TToolButton(ToolBar1);
        ToolButton6->Caption = "   &Fechar   ";
        ToolButton9 = new TToolButton(ToolBar1);
        ToolButton9->Caption = "&Primeiro";
        ToolButton11 = new TToolButton(ToolBar1);
        ToolButton11->Caption = QString::fromUtf8("&Próximo");
        SpeedButton3 = new TSpeedButton(&form);
        SpeedButton3->SetBounds(300, 50, 100, 34);
        SpeedButton3->Caption = "Por &Nome";
        Label3 = new TLabel(&form);
        Label3->SetBounds(8, 150, 0, 0);
        Label3->Caption = "&A";
        for (TObject* sender : {static_cast<TObject*>(ToolButton6), static_cast<TObject*>(ToolButton9),
                                static_cast<TObject*>(ToolButton11), static_cast<TObject*>(SpeedButton3),
                                static_cast<TObject*>(Label3)})
            clicks[sender] = 0;
        const TNotifyEvent count = [this](TObject* Sender) { ++clicks[Sender]; };
        ToolButton6->OnClick = ToolButton9->OnClick = ToolButton11->OnClick = count;
        SpeedButton3->OnClick = Label3->OnClick = count;
        ASSERT_TRUE(ShowActive(form));
    }

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::AltModifier) {
        QTest::keyClick(&form, key, modifiers);
    }

    TForm form{nullptr};
    TToolButton* ToolButton6 = nullptr;
    TToolButton* ToolButton9 = nullptr;
    TToolButton* ToolButton11 = nullptr;
    TSpeedButton* SpeedButton3 = nullptr;
    TLabel* Label3 = nullptr;
    std::map<TObject*, int> clicks;
};

TEST_F(Mnemonics, AltWithTheUnderlinedLetterPressesToolAndSpeedButtons) {
    Press(Qt::Key_F);
    Press(Qt::Key_N);
    EXPECT_EQ(clicks[ToolButton6], 1);
    EXPECT_EQ(clicks[SpeedButton3], 1);
    // The letter alone presses nothing.
    Press(Qt::Key_F, Qt::NoModifier);
    EXPECT_EQ(clicks[ToolButton6], 1);
}

TEST_F(Mnemonics, ALabelsLetterIsOnlyUnderlined) {
    Press(Qt::Key_A);
    EXPECT_EQ(clicks[Label3], 0);
    // The marker is not drawn: the label is as wide as its letter.
    EXPECT_EQ(Label3->Width(), Label3->fontMetrics().size(Qt::TextShowMnemonic, "A").width());
    QTest::mouseClick(Label3, Qt::LeftButton);
    EXPECT_EQ(clicks[Label3], 1);
}

TEST_F(Mnemonics, ALetterSharedByTwoButtonsPressesTheOneCreatedFirst) {
    Press(Qt::Key_P);
    Press(Qt::Key_P);
    EXPECT_EQ(clicks[ToolButton9], 2);
    EXPECT_EQ(clicks[ToolButton11], 0);
}

TEST_F(Mnemonics, ADisabledButtonIsNotPressed) {
    ToolButton6->Enabled = false;
    Press(Qt::Key_F);
    EXPECT_EQ(clicks[ToolButton6], 0);
}

struct CaseTyping {
    const char* name;
    TEditCharCase charCase;
    int maxLength;
    QString typed;
    QString shown;
};

void PrintTo(const CaseTyping& c, std::ostream* os) {
    *os << c.name;
}

class EditTyping : public testing::TestWithParam<CaseTyping> {};

TEST_P(EditTyping, TypedTextTakesTheEditsLetterCase) {
    TForm form(nullptr);
    auto* edtLocalizar = new TEdit(&form);
    edtLocalizar->CharCase = GetParam().charCase;
    edtLocalizar->MaxLength = GetParam().maxLength;
    std::vector<QString> changes;
    edtLocalizar->OnChange = [&](TObject*) { changes.push_back(edtLocalizar->Text); };

    TypeText(edtLocalizar, GetParam().typed);

    EXPECT_EQ(edtLocalizar->Text(), GetParam().shown);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), GetParam().shown);
    for (const QString& text : changes)
        EXPECT_TRUE(GetParam().shown.startsWith(text)) << "OnChange saw " << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditTyping,
    testing::Values(CaseTyping{"UpperCase", ecUpperCase, 0, QString::fromUtf8("abç d'ávila"),
                               QString::fromUtf8("ABÇ D'ÁVILA")},
                    CaseTyping{"Normal", ecNormal, 0, QString::fromUtf8("abç"), QString::fromUtf8("abç")},
                    CaseTyping{"UpperCaseWithMaxLength", ecUpperCase, 2, QString::fromUtf8("abç"), "AB"}),
    [](const auto& info) { return std::string(info.param.name); });

class TKeyForm : public TForm {
public:
    explicit TKeyForm(TComponent* AOwner)
        : TForm(AOwner) {
        Edit1 = new TEdit(this);
        Edit1->OnKeyDown = Bind(this, &TKeyForm::Edit1KeyDown);
    }
    // The voucher grids' filter: Ctrl+Delete alone is swallowed.
    void Edit1KeyDown(TObject*, quint16& Key, TShiftState Shift) {
        if (Shift == (TShiftState() << ssCtrl) && Key == VK_DELETE)
            Key = 0;
    }
    TEdit* Edit1;
};

TEST(EditKeyDown, AHandlerThatClearsTheKeyDiscardsIt) {
    TKeyForm form(nullptr);
    auto* unfiltered = new TEdit(&form);
    for (TEdit* edit : {form.Edit1, unfiltered}) {
        edit->Text = "abc def";
        edit->setCursorPosition(0);
        QTest::keyClick(edit, Qt::Key_Delete, Qt::ControlModifier);
    }
    EXPECT_EQ(form.Edit1->Text(), "abc def");
    EXPECT_EQ(unfiltered->Text(), "def") << "Ctrl+Delete deletes a word where nothing filters it";

    QTest::keyClick(form.Edit1, Qt::Key_Delete);
    EXPECT_EQ(form.Edit1->Text(), "bc def") << "Delete alone passes the filter";
}

TEST(Colours, PlatformNumbersHoldRedInTheLowByte) {
    const std::pair<TColor, QColor> colours[] = {
        {11162880, QColor(0, 85, 170)},
        {10921727, QColor(255, 166, 166)},
        {clRed, QColor(255, 0, 0)},
        {clBlue, QColor(0, 0, 255)},
        {clWhite, QColor(255, 255, 255)},
        {clBlack, QColor(0, 0, 0)},
        {clWindow, QGuiApplication::palette().color(QPalette::Base)},
        {clBtnFace, QGuiApplication::palette().color(QPalette::Button)},
    };
    for (const auto& [number, colour] : colours)
        EXPECT_EQ(ColorFromTColor(number), colour) << number;
    EXPECT_FALSE(ColorFromTColor(clNone).isValid());
    EXPECT_EQ(TColorFromColor(QColor(0, 85, 170)), 11162880);
}

TEST(Colours, PanelsPaintTheirColourAndChildrenTakeTheParentsFont) {
    TForm form(nullptr);
    form.ClientWidth = 975;
    auto* Panel1 = new TPanel(&form);
    Panel1->SetBounds(0, 0, 975, 36);
    Panel1->Color = 11162880;
    Panel1->Font->Name = "Arial";
    Panel1->Font->Size = 16;
    Panel1->Font->Color = clWhite;
    auto* Panel2 = new TPanel(Panel1);
    Panel2->SetBounds(929, 3, 41, 28);
    Panel2->Caption = "X";
    Panel2->Color = clRed;

    EXPECT_EQ(PixelAt(*Panel1, 400, 2), QColor(0, 85, 170));
    EXPECT_EQ(PixelAt(*Panel2, 3, 3), QColor(255, 0, 0));
    EXPECT_EQ(Panel2->Font->Name(), "Arial");
    EXPECT_EQ(Panel2->font().pixelSize(), 21);
    EXPECT_EQ(Panel2->Font->Size(), 16);
    EXPECT_EQ(Panel2->Font->Color(), clWhite);
    // A panel without a colour of its own keeps the face colour, not its parent's.
    auto* Panel3 = new TPanel(Panel1);
    EXPECT_EQ(Panel3->Color(), clBtnFace);
}

struct ShapeCase {
    const char* name;
    QSize size;
    int penWidth;
    TPenStyle penStyle;
    std::vector<std::pair<QPoint, QColor>> pixels;
};

void PrintTo(const ShapeCase& c, std::ostream* os) {
    *os << c.name;
}

class ShapePainting : public testing::TestWithParam<ShapeCase> {};

TEST_P(ShapePainting, DrawsThePenInsideTheBoundsAndTheBrushWithin) {
    TForm form(nullptr);
    auto* Shape2 = new TShape(&form);
    Shape2->SetBounds(0, 0, GetParam().size.width(), GetParam().size.height());
    Shape2->Pen->Color = clRed;
    Shape2->Pen->Width = GetParam().penWidth;
    Shape2->Pen->Style = GetParam().penStyle;
    Shape2->Brush->Color = clWhite;
    for (const auto& [point, colour] : GetParam().pixels)
        EXPECT_EQ(PixelAt(*Shape2, point.x(), point.y()), colour) << point.x() << "," << point.y();
}

const QColor red(255, 0, 0);
const QColor white(255, 255, 255);

INSTANTIATE_TEST_SUITE_P(
    Rectangles, ShapePainting,
    testing::Values(
        ShapeCase{"Outline", {20, 10}, 1, psSolid, {{{0, 0}, red}, {{19, 9}, red}, {{1, 1}, white}}},
        ShapeCase{"TwoPixelRule", {1164, 2}, 1, psSolid, {{{500, 0}, red}, {{500, 1}, red}}},
        ShapeCase{"WidePen", {20, 10}, 3, psSolid, {{{2, 2}, red}, {{3, 3}, white}, {{17, 7}, red}}},
        ShapeCase{"ClearPen", {20, 10}, 1, psClear, {{{0, 0}, white}, {{10, 5}, white}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DateTimePicker, DateIsWholeDaysAndKeepsTheTimeOfDay) {
    TForm form(nullptr);
    auto* DTI = new TDateTimePicker(&form);
    DTI->DateTime = EncodeDate(2019, 1, 21) + 0.75;
    EXPECT_EQ(DTI->Date(), EncodeDate(2019, 1, 21));
    DTI->Date = EncodeDate(2020, 2, 29) + 0.5; // the fraction of a date is not a time of day
    EXPECT_EQ(DTI->Date(), EncodeDate(2020, 2, 29));
    EXPECT_DOUBLE_EQ(DTI->DateTime(), EncodeDate(2020, 2, 29) + 0.75);
    DTI->Date = 0;
    EXPECT_EQ(DTI->Date(), 0.0);
}

TEST(DateTimePicker, ShowsTheShortDateFormatWithAFourDigitYear) {
    const std::pair<const char*, QString> locales[] = {{"en_US", "1/21/2019"}, {"pt_BR", "21/01/2019"}};
    for (const auto& [name, shown] : locales) {
        ScopedFormatSettings settings{QLocale(QString::fromLatin1(name))};
        TForm form(nullptr);
        auto* DTF = new TDateTimePicker(&form);
        DTF->Date = EncodeDate(2019, 1, 21);
        EXPECT_EQ(DTF->text(), shown) << name;
    }
}

TEST(TabOrder, TabFollowsTheOrderGivenToTheControls) {
    TForm form(nullptr);
    auto* edtLocalizar = new TEdit(&form);
    auto* DTI = new TDateTimePicker(&form);
    auto* DTF = new TDateTimePicker(&form);
    DTF->TabOrder = 0;
    edtLocalizar->TabOrder = 1;
    DTI->TabOrder = 2;
    EXPECT_EQ(DTF->TabOrder(), 0);
    EXPECT_EQ(edtLocalizar->TabOrder(), 1);
    ASSERT_TRUE(ShowActive(form));

    DTF->SetFocus();
    ASSERT_TRUE(DTF->Focused());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(edtLocalizar->Focused());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(DTI->Focused());
}

TEST(ToolBar, ButtonsSitSideBySideWithTheirPicturesAndCaptions) {
    TForm form(nullptr);
    auto* ImageList3 = new TImageList(&form);
    ImageList3->Width = 40;
    ImageList3->Height = 40;
    for (const QColor& colour : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)}) {
        QPixmap picture(40, 40);
        picture.fill(colour);
        ImageList3->Add(picture);
    }
    auto* ToolBar3 = new TToolBar(&form);
    ToolBar3->SetBounds(62, 0, 276, 64);
    ToolBar3->ButtonWidth = 54;
    ToolBar3->ButtonHeight = 60;
    ToolBar3->ShowCaptions = true;
    auto* ToolButton9 = new TToolButton(ToolBar3);
    ToolButton9->Caption = "&Primeiro";
    ToolButton9->ImageIndex = 2;
    auto* ToolButton10 = new TToolButton(ToolBar3);
    ToolButton10->Caption = "&Anterior";
    ToolButton10->ImageIndex = 1;
    ToolBar3->Images = ImageList3; // the pictures may come after the buttons

    EXPECT_EQ(BoundsOf(*ToolButton9), QRect(0, 0, 54, 60));
    EXPECT_EQ(BoundsOf(*ToolButton10), QRect(54, 0, 54, 60));
    EXPECT_EQ(ToolButton9->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(ToolButton9->icon().pixmap(40, 40).toImage().pixelColor(20, 20), QColor(Qt::blue));
    EXPECT_EQ(ToolBar3->ButtonCount(), 2);

    ToolButton9->Visible = false;
    EXPECT_EQ(ToolButton10->Left(), 0);
}

TEST(Memo, LinesAreTheTextLineByLine) {
    TForm form(nullptr);
    auto* Memo1 = new TMemo(&form);
    EXPECT_EQ(Memo1->Lines->Count(), 0);
    Memo1->Lines->Add("primeira");
    Memo1->Lines->Add(QString::fromUtf8("observação"));
    EXPECT_EQ(Memo1->Lines->Count(), 2);
    EXPECT_EQ(Memo1->Lines->Strings(1), QString::fromUtf8("observação"));
    EXPECT_EQ(Memo1->Lines->Text(), QString::fromUtf8("primeira\nobservação\n"));
    Memo1->Lines->Text = "a\r\nb\r\n";
    EXPECT_EQ(Memo1->Text(), "a\nb");
}

} // namespace
