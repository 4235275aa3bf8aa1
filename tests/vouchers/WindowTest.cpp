// The voucher window around its searches: the colouring of settled rows, the grids' key filter,
// navigation, closing, number display and where the focus goes when the window shows.

#include "tests/vouchers/ValesFixture.h"

#include "platform/sys/Regional.h"

#include <QImage>

#include <functional>
#include <map>

namespace {

// The colour that covers most of a rectangle of the image: a cell's background, whatever its text.
QColor Background(const QImage& image, const TRect& r) {
    std::map<QRgb, int> counts;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            ++counts[image.pixel(x, y)];
    QRgb most = 0;
    int best = 0;
    for (const auto& [rgb, n] : counts)
        if (n > best) {
            best = n;
            most = rgb;
        }
    return QColor(most);
}

constexpr int kVoucherColumns = 10;
const QColor kLightRed(255, 166, 166);

TEST_F(ValesTest, SettledRowsWhosePaymentDayHasComeAreLightRed) {
    struct Case {
        const char* nome; // sorts the rows: the first one is current
        std::optional<int> pago;
        const char* baixado;
        bool red;
    };
    const Case cases[] = {
        {"A ATUAL HOJE", 0, "S", true}, // qualifies, but is the selected row
        {"B ONTEM", -1, "S", true},
        {"C HOJE", 0, "S", true},
        {"D SEM DATA", std::nullopt, "S", true},
        {"E AMANHA", 1, "S", false},
        {"F ABERTO", -1, "N", false},
        {"G VAZIO", -1, "", false},
        {"H MINUSCULO", -1, "s", false},
    };
    int nota = 0;
    for (const Case& c : cases)
        Add({.nota = ++nota, .cliente = nota, .nome = c.nome, .pago = c.pago, .baixado = c.baixado});
    FrmVales->SpeedButton7->Click(); // issued today
    ASSERT_EQ(FrmVales->MyVales->RecordCount(), static_cast<int>(std::size(cases)));
    TCRDBGrid& grid = *FrmVales->CRDBGrid1;

    // The selected row shows the selection colours, whatever its values; every cell of a row alike.
    auto expectRows = [&](int selected, const char* when) {
        const QImage image = grid.RenderImage();
        for (int row = 1; row <= static_cast<int>(std::size(cases)); ++row) {
            const Case& c = cases[row - 1];
            const QColor expected = row == selected ? ColorFromTColor(clHighlight)
                                    : c.red         ? kLightRed
                                                    : ColorFromTColor(clWindow);
            for (int col = 0; col < kVoucherColumns; ++col) {
                const TRect cell = grid.CellRect(col, row);
                ASSERT_GT(cell.Width(), 0) << c.nome << " column " << col << " is on screen";
                EXPECT_EQ(Background(image, cell), expected) << when << ": " << c.nome << " column " << col;
            }
        }
    };
    expectRows(1, "first row current");
    FrmVales->ToolButton11->Click();
    expectRows(2, "selection moved to the second row");
}

TEST_F(ValesTest, CtrlDeleteIsDiscardedInBothGridsOtherDeleteCombinationsReachTheGrid) {
    Add({.nota = 1, .cliente = 1, .nome = "ANA"});
    Add({.nota = 2, .cliente = 2, .nome = "BIA"});
    AddItem(1, 101);
    AddItem(1, 102);
    Search(FrmVales->SpeedButton3, "%");
    boxes.SetAnswer(IDCANCEL);
    struct Case {
        TCRDBGrid* grid;
        Qt::KeyboardModifiers modifiers;
        bool question; // the grid's own confirmation
    };
    const Case cases[] = {
        {FrmVales->CRDBGrid1, Qt::ControlModifier, false},
        {FrmVales->CRDBGrid2, Qt::ControlModifier, false},
        {FrmVales->CRDBGrid1, Qt::ControlModifier | Qt::ShiftModifier, true},
        {FrmVales->CRDBGrid2, Qt::ControlModifier | Qt::ShiftModifier, true},
        {FrmVales->CRDBGrid1, Qt::ControlModifier | Qt::AltModifier, true},
    };
    for (const Case& c : cases) {
        const std::string what = std::string(c.grid == FrmVales->CRDBGrid1 ? "CRDBGrid1" : "CRDBGrid2") +
                                 (c.question ? " passed" : " filtered") + " modifiers " +
                                 std::to_string(c.modifiers.toInt());
        const std::size_t before = boxes.Calls().size();
        c.grid->SetFocus();
        QTest::keyClick(c.grid, Qt::Key_Delete, c.modifiers);
        ASSERT_EQ(boxes.Calls().size(), before + (c.question ? 1 : 0)) << what;
        if (c.question) {
            EXPECT_EQ(boxes.Calls().back().flags & MB_OKCANCEL, MB_OKCANCEL) << what;
        }
        EXPECT_EQ(*db.value("SELECT COUNT(*) FROM vales"), "2") << what;
        EXPECT_EQ(*db.value("SELECT COUNT(*) FROM itensvales"), "2") << what;
        EXPECT_EQ(Notas(), (std::vector<int>{1, 2})) << what;
        EXPECT_EQ(Items(), (std::vector<int>{101, 102})) << what;
    }
}

TEST_F(ValesTest, NavigationButtonsMoveWithinTheListAndTheItemsFollow) {
    TToolButton* const first = FrmVales->ToolButton9;
    TToolButton* const prior = FrmVales->ToolButton10;
    TToolButton* const next = FrmVales->ToolButton11;
    TToolButton* const last = FrmVales->ToolButton12;

    // Before any search there is no list to move in.
    for (TToolButton* b : {first, prior, next, last})
        b->Click();
    EXPECT_FALSE(FrmVales->MyVales->Active());
    EXPECT_TRUE(sent.isEmpty());
    // Nor in a list that found nothing.
    Search(FrmVales->SpeedButton3, "NINGUEM");
    for (TToolButton* b : {first, prior, next, last})
        b->Click();
    EXPECT_TRUE(FrmVales->MyVales->Active());
    EXPECT_EQ(FrmVales->MyVales->RecNo(), 0);
    EXPECT_TRUE(boxes.Calls().empty());

    // More vouchers than the grid has room for, each with one item.
    constexpr int kCount = 30;
    for (int n = 1; n <= kCount; ++n) {
        Add({.nota = n, .cliente = n, .nome = QStringLiteral("CLIENTE %1").arg(n, 2, 10, QChar(u'0'))});
        AddItem(n, n * 10);
    }
    Search(FrmVales->SpeedButton3, "CLIENTE");
    TMyQuery& q = *FrmVales->MyVales;
    struct Case {
        TToolButton* button;
        int from;
        int to;
    };
    const Case cases[] = {
        {last, 1, kCount}, {next, kCount, kCount}, {prior, kCount, kCount - 1},
        {first, 17, 1},    {prior, 1, 1},          {next, 1, 2},
    };
    for (const Case& c : cases) {
        const std::string what = c.button->Caption().toStdString() + " from " + std::to_string(c.from);
        q.SetRecNo(c.from);
        c.button->Click();
        EXPECT_EQ(q.RecNo(), c.to) << what;
        EXPECT_EQ(CurrentNota(), c.to) << what;
        EXPECT_EQ(Items(), std::vector<int>{c.to * 10}) << what;
        EXPECT_GT(FrmVales->CRDBGrid1->CellRect(0, c.to).Height(), 0) << what << ": the row is on screen";
    }
}

TEST_F(ValesTest, CloseBoxAndCloseButtonCloseTheWindowWithoutAQuestion) {
    struct Case {
        const char* what;
        std::function<void()> press;
    };
    const Case cases[] = {
        {"X", [] { QTest::mouseClick(FrmVales->Panel2, Qt::LeftButton); }},
        {"Fechar", [] { FrmVales->ToolButton6->Click(); }},
    };
    for (const Case& c : cases) {
        FrmVales->Show();
        ASSERT_TRUE(FrmVales->isVisible()) << c.what;
        c.press();
        EXPECT_FALSE(FrmVales->isVisible()) << c.what;
    }
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(ValesTest, AmountsShowWithTheUsersSeparators) {
    Add({.nota = 1, .cliente = 1, .nome = "ANA", .credito = 1000.5});
    Search(FrmVales->SpeedButton3, "ANA");
    struct Case {
        QLocale locale;
        QString credito;
    };
    for (const Case& c : {Case{QLocale(QLocale::English, QLocale::UnitedStates), "1,000.50"},
                          Case{QLocale(QLocale::Portuguese, QLocale::Brazil), "1.000,50"}}) {
        const ScopedFormatSettings settings(c.locale);
        EXPECT_EQ(FrmVales->MyValescredito->DisplayText(), c.credito) << c.locale.name().toStdString();
    }
}

TEST_F(ValesTest, ShownWindowHasTheFocusInTheEditAndTabsThroughTheSearchArea) {
    EXPECT_TRUE(FrmVales->edtLocalizar->Focused());
    EXPECT_TRUE(FrmVales->ToolBar1->Visible());
    EXPECT_TRUE(FrmVales->ToolBar3->Visible());
    EXPECT_EQ(FrmVales->ToolBar3->Left(), 62);

    EXPECT_EQ(FrmVales->edtLocalizar->TabOrder(), 0);
    EXPECT_EQ(FrmVales->grp1->TabOrder(), 1);
    EXPECT_EQ(FrmVales->DTI->TabOrder(), 2);
    EXPECT_EQ(FrmVales->DTF->TabOrder(), 3);
    // The letters' box and the speed buttons take no focus: Tab goes from the edit to the two dates.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(FrmVales->DTI->Focused());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(FrmVales->DTF->Focused());
}

} // namespace
