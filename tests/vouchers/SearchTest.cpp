// The searches of the voucher window: the statement each one sends, what it finds, the empty-edit
// refusals, the date periods, the item list and the order the list is shown in.

#include "tests/vouchers/ValesFixture.h"

#include <QApplication>
#include <QKeySequence>

#include <functional>

namespace {

using NotaList = std::vector<int>;

TEST_F(ValesTest, EachSearchSendsItsStatementAsWritten) {
    struct Case {
        const char* what;
        std::function<void()> run;
        QString statement; // as the query holds it
        QString sent;      // as it reaches the server
    };
    const QString issue = "SELECT * from Vales \nwhere data >= :dti and data <= :dtf\nORDER BY data";
    const QString paid =
        "SELECT * from Vales \nwhere datapago >= :dti and datapago <= :dtf\nORDER BY datapago";
    const Case cases[] = {
        {"code",
         [this] { Search(FrmVales->SpeedButton1, " 12 "); },
         "SELECT * FROM Vales WHERE Codigocliente LIKE('12') ORDER BY CODIGOCLIENTE",
         {}},
        {"name",
         [this] { Search(FrmVales->SpeedButton3, "O'NEIL"); },
         "SELECT * FROM Vales WHERE NOMEcliente LIKE('O''NEIL%') ORDER BY NomeCliente",
         {}},
        {"number",
         [this] { Search(FrmVales->SpeedButton6, "\t57 "); },
         "SELECT * FROM Vales WHERE Codigonota LIKE('57') ORDER BY Codigonota",
         {}},
        {"issue date", [this] { FrmVales->SpeedButton7->Click(); }, issue,
         "SELECT * from Vales \nwhere data >= ? and data <= ?\nORDER BY data"},
        {"payment date", [this] { FrmVales->SpeedButton2->Click(); }, paid,
         "SELECT * from Vales \nwhere datapago >= ? and datapago <= ?\nORDER BY datapago"},
    };
    for (const Case& c : cases) {
        sent.clear();
        c.run();
        EXPECT_EQ(FrmVales->MyVales->SQL.Text(), c.statement) << c.what;
        EXPECT_EQ(ValesStatements(), QStringList{c.sent.isEmpty() ? c.statement : c.sent}) << c.what;
        EXPECT_TRUE(FrmVales->MyVales->Active()) << c.what;
    }
    EXPECT_EQ(FrmVales->MyVales->SQL.Count(), 3) << "a date statement is three lines";
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(ValesTest, EachLetterSearchesItsInitialAndShowsItInTheEdit) {
    TLabel* const labels[] = {FrmVales->Label3,  FrmVales->Label4,  FrmVales->Label5,  FrmVales->Label6,
                              FrmVales->Label7,  FrmVales->Label8,  FrmVales->Label9,  FrmVales->Label10,
                              FrmVales->Label11, FrmVales->Label12, FrmVales->Label13, FrmVales->Label14,
                              FrmVales->Label15, FrmVales->Label16, FrmVales->Label17, FrmVales->Label18,
                              FrmVales->Label19, FrmVales->Label20, FrmVales->Label21, FrmVales->Label22,
                              FrmVales->Label23, FrmVales->Label24, FrmVales->Label25, FrmVales->Label26,
                              FrmVales->Label27, FrmVales->Label28};
    for (int i = 0; i < 26; ++i) {
        const QString letter(QChar(u'A' + i));
        FrmVales->edtLocalizar->Text = QStringLiteral("XYZ");
        sent.clear();
        ClickLabel(labels[i]);
        const QString statement =
            "SELECT * FROM Vales WHERE NOMEcliente LIKE('" + letter + "%') ORDER BY Nomecliente";
        EXPECT_EQ(ValesStatements(), QStringList{statement}) << "label " << i + 3;
        EXPECT_EQ(FrmVales->edtLocalizar->Text(), letter) << "label " << i + 3;
    }
}

TEST_F(ValesTest, EmptyEditRefusesTheSearchAndLeavesTheListClosed) {
    Add({.nota = 1, .cliente = 12, .nome = "MARIA"});
    AddItem(1, 100);
    struct Case {
        TSpeedButton* button;
        QString message;
        QString statement; // kept by the closed query
    };
    const Case cases[] = {
        {FrmVales->SpeedButton1, "Codigo do Cliente em Branco !!!",
         "SELECT * FROM Vales WHERE Codigocliente LIKE('') ORDER BY CODIGOCLIENTE"},
        {FrmVales->SpeedButton3, "Nome do Cliente em Branco !!!",
         "SELECT * FROM Vales WHERE NOMEcliente LIKE('%') ORDER BY NomeCliente"},
        {FrmVales->SpeedButton6, "Numero do Vale em Branco !!!",
         "SELECT * FROM Vales WHERE Codigonota LIKE('') ORDER BY Codigonota"},
    };
    for (const Case& c : cases) {
        const std::string what = c.message.toStdString();
        Search(FrmVales->SpeedButton3, "MAR");
        ASSERT_EQ(Notas(), NotaList{1}) << what;
        ASSERT_EQ(Items(), std::vector<int>{100}) << what;
        FrmVales->CRDBGrid1->SetFocus();
        const std::size_t before = boxes.Calls().size();
        sent.clear();

        Search(c.button, "");

        ASSERT_EQ(boxes.Calls().size(), before + 1) << what;
        const MessageBoxCall& box = boxes.Calls().back();
        EXPECT_EQ(box.text, c.message);
        EXPECT_EQ(box.caption, "Atenção") << what;
        EXPECT_EQ(box.flags, 48) << what;
        EXPECT_FALSE(box.isErrorBox) << what;
        EXPECT_TRUE(FrmVales->edtLocalizar->Focused()) << what;
        EXPECT_FALSE(FrmVales->MyVales->Active()) << what;
        EXPECT_EQ(FrmVales->MyVales->SQL.Text(), c.statement) << what;
        EXPECT_TRUE(ValesStatements().isEmpty()) << what << ": nothing is sent";
        EXPECT_EQ(FrmVales->CRDBGrid1->StatusText(), "") << what << ": the grid shows no list";
        EXPECT_TRUE(Items().empty()) << what;
    }
}

TEST_F(ValesTest, AltWithAButtonsLetterSearchesTheLettersLabelsDoNothing) {
    Add({.nota = 1, .cliente = 1, .nome = "MARIA"});
    struct Case {
        Qt::Key key;
        QString statement; // empty: nothing is sent
    };
    const Case cases[] = {
        {Qt::Key_N, "SELECT * FROM Vales WHERE NOMEcliente LIKE('MAR%') ORDER BY NomeCliente"},
        {Qt::Key_C, "SELECT * FROM Vales WHERE Codigocliente LIKE('MAR') ORDER BY CODIGOCLIENTE"},
        {Qt::Key_V, "SELECT * FROM Vales WHERE Codigonota LIKE('MAR') ORDER BY Codigonota"},
        {Qt::Key_E, "SELECT * from Vales \nwhere data >= ? and data <= ?\nORDER BY data"},
        {Qt::Key_Z, {}},
        {Qt::Key_M, {}},
    };
    for (const Case& c : cases) {
        FrmVales->edtLocalizar->Text = QStringLiteral("MAR");
        FrmVales->edtLocalizar->SetFocus();
        sent.clear();
        QTest::keyClick(FrmVales->edtLocalizar, c.key, Qt::AltModifier);
        EXPECT_EQ(ValesStatements(), c.statement.isEmpty() ? QStringList{} : QStringList{c.statement})
            << "Alt+" << QKeySequence(c.key).toString().toStdString();
    }
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(ValesTest, StatementTheServerRefusesLeavesTheListClosedWithTheNewStatement) {
    Add({.nota = 1, .cliente = 1, .nome = "MARIA"});
    Search(FrmVales->SpeedButton3, "MAR");
    ASSERT_EQ(Notas(), NotaList{1});
    db.exec("ALTER TABLE vales DROP COLUMN baixado");
    expectedErrorBoxes = 1;

    Search(FrmVales->SpeedButton1, "1");

    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_TRUE(boxes.Calls().front().isErrorBox);
    EXPECT_EQ(boxes.Calls().front().text, "FrmVales.MyVales: Field 'baixado' not found");
    EXPECT_FALSE(FrmVales->MyVales->Active());
    EXPECT_EQ(FrmVales->MyVales->SQL.Text(),
              "SELECT * FROM Vales WHERE Codigocliente LIKE('1') ORDER BY CODIGOCLIENTE");
    EXPECT_EQ(FrmVales->CRDBGrid1->StatusText(), "");
}

TEST_F(ValesTest, BlankOnlyEditIsSearchedWithAnEmptyPattern) {
    Add({.nota = 1, .cliente = 12, .nome = "MARIA"});
    Add({.nota = 2, .cliente = 13, .nome = "JOAO"});
    Add({.nota = 3, .cliente = 14, .nome = std::nullopt});
    struct Case {
        TSpeedButton* button;
        NotaList found;
    };
    for (const Case& c : {Case{FrmVales->SpeedButton1, {}}, Case{FrmVales->SpeedButton6, {}},
                          Case{FrmVales->SpeedButton3, {2, 1}}}) {
        Search(c.button, "   ");
        EXPECT_TRUE(FrmVales->MyVales->Active()) << c.button->Caption().toStdString();
        EXPECT_EQ(Notas(), c.found) << c.button->Caption().toStdString();
    }
    EXPECT_TRUE(boxes.Calls().empty()) << "blanks are not an empty edit";
}

TEST_F(ValesTest, TextSearchesMatchWholeValuesOrNamePrefixes) {
    Add({.nota = 1, .cliente = 12, .nome = "MARIA"});
    Add({.nota = 2, .cliente = 123, .nome = "MARCOS"});
    Add({.nota = 3, .cliente = 12, .nome = "ALMAR"});
    Add({.nota = 70, .cliente = 7, .nome = "O'NEIL"});
    Add({.nota = 7, .cliente = 1, .nome = "ANA"});
    struct Case {
        TSpeedButton* button;
        QString text;
        NotaList found; // in name order
    };
    const Case cases[] = {
        {FrmVales->SpeedButton1, "12", {3, 1}},  {FrmVales->SpeedButton1, "12A", {}},
        {FrmVales->SpeedButton3, "MAR", {2, 1}}, {FrmVales->SpeedButton3, "O'NEIL", {70}},
        {FrmVales->SpeedButton3, "MAR_A", {1}},  {FrmVales->SpeedButton3, "%MAR", {3, 2, 1}},
        {FrmVales->SpeedButton6, "7", {7}},      {FrmVales->SpeedButton6, "7X", {}},
    };
    for (const Case& c : cases) {
        Search(c.button, c.text);
        EXPECT_EQ(Notas(), c.found) << c.button->Caption().toStdString() << " " << c.text.toStdString();
        EXPECT_EQ(FrmVales->CRDBGrid1->StatusText(),
                  c.found.empty() ? QStringLiteral("0/0") : QStringLiteral("1/%1").arg(c.found.size()))
            << c.text.toStdString();
    }

    // A letter replaces the edit's text; "Por Nome" then searches by that letter as a prefix.
    FrmVales->edtLocalizar->Text = QStringLiteral("MARCOS");
    ClickLabel(FrmVales->Label3);
    EXPECT_EQ(Notas(), (NotaList{3, 7}));
    sent.clear();
    FrmVales->SpeedButton3->Click();
    EXPECT_EQ(ValesStatements(),
              QStringList{"SELECT * FROM Vales WHERE NOMEcliente LIKE('A%') ORDER BY NomeCliente"});
    EXPECT_EQ(Notas(), (NotaList{3, 7}));
}

TEST_F(ValesTest, DateSearchesTakeWholeDaysWithBothEndsIncluded) {
    for (int d = 1; d <= 5; ++d)
        Add({.nota = d,
             .cliente = d,
             .nome = QStringLiteral("CLIENTE %1").arg(d),
             .data = -10 - d,
             .pago = -d,
             .baixado = "S"});
    Add({.nota = 6, .cliente = 6, .nome = "SEM PAGAMENTO", .data = -13, .pago = std::nullopt});
    const double today = Date();
    struct Case {
        const char* what;
        TSpeedButton* button;
        double dti;
        double dtf;
        NotaList found;
    };
    const Case cases[] = {
        {"issue, middle days", FrmVales->SpeedButton7, today - 14, today - 12, {2, 3, 4, 6}},
        {"issue, one day", FrmVales->SpeedButton7, today - 15, today - 15, {5}},
        {"issue, start after end", FrmVales->SpeedButton7, today - 12, today - 14, {}},
        {"issue, time of day on both",
         FrmVales->SpeedButton7,
         today - 14 + 0.75,
         today - 12 + 0.999,
         {2, 3, 4, 6}},
        {"paid, middle days", FrmVales->SpeedButton2, today - 4, today - 2, {2, 3, 4}},
        {"paid, time of day on both", FrmVales->SpeedButton2, today - 4 + 0.5, today - 2 + 0.99, {2, 3, 4}},
        {"paid, start after end", FrmVales->SpeedButton2, today - 1, today - 5, {}},
        {"paid, every day there is",
         FrmVales->SpeedButton2,
         EncodeDate(1900, 1, 1),
         today + 1,
         {1, 2, 3, 4, 5}},
    };
    for (const Case& c : cases) {
        FrmVales->DTI->DateTime = c.dti;
        FrmVales->DTF->DateTime = c.dtf;
        c.button->Click();
        EXPECT_TRUE(FrmVales->MyVales->Active()) << c.what;
        EXPECT_EQ(Notas(), c.found) << c.what;
    }
    EXPECT_EQ(FrmVales->edtLocalizar->Text(), "") << "the date searches leave the edit alone";
    for (const char* name : {"Dti", "Dtf"})
        EXPECT_EQ(FrmVales->MyVales->ParamByName(name)->DataType(), TFieldType::ftDate) << name;
}

TEST_F(ValesTest, ItemListFollowsTheCurrentVoucherOnceATextSearchOpenedIt) {
    Add({.nota = 10, .cliente = 1, .nome = "ANA", .data = -1});
    Add({.nota = 20, .cliente = 2, .nome = "BIA", .data = -2});
    Add({.nota = 30, .cliente = 3, .nome = "CIDA", .data = -3});
    AddItem(10, 101);
    AddItem(10, 102);
    AddItem(20, 201);
    FrmVales->DTI->Date = Date() - 5;

    // A date search first: the vouchers, but no items.
    FrmVales->SpeedButton7->Click();
    ASSERT_EQ(Notas(), (NotaList{10, 20, 30}));
    EXPECT_FALSE(FrmVales->MyItensVales->Active());
    EXPECT_EQ(FrmVales->CRDBGrid2->StatusText(), "");

    ClickLabel(FrmVales->Label4); // B
    EXPECT_EQ(Notas(), NotaList{20});
    EXPECT_EQ(Items(), std::vector<int>{201});

    // From now on every list has its items, date searches included.
    FrmVales->SpeedButton7->Click();
    EXPECT_EQ(CurrentNota(), 10);
    EXPECT_EQ(Items(), (std::vector<int>{101, 102}));
    FrmVales->ToolButton11->Click();
    EXPECT_EQ(CurrentNota(), 20);
    EXPECT_EQ(Items(), std::vector<int>{201});
    FrmVales->ToolButton11->Click();
    EXPECT_EQ(CurrentNota(), 30);
    EXPECT_TRUE(Items().empty()) << "a voucher without items shows none";
    EXPECT_EQ(FrmVales->CRDBGrid2->StatusText(), "0/0");
}

TEST_F(ValesTest, ListIsShownInNameOrderWhateverTheStatementOrdersBy) {
    // Inserted so that the statement's own order is the reverse of the names'.
    Add({.nota = 1, .cliente = 12, .nome = "ZECA", .data = -3, .pago = -3});
    Add({.nota = 2, .cliente = 12, .nome = "MARIA", .data = -2, .pago = -2});
    Add({.nota = 3, .cliente = 12, .nome = "ANA", .data = -1, .pago = -1});
    Add({.nota = 3, .cliente = 12, .nome = "AMANDA", .data = -1, .pago = -1});
    FrmVales->DTI->Date = Date() - 5;
    const QStringList byName{"AMANDA", "ANA", "MARIA", "ZECA"};
    struct Case {
        const char* what;
        std::function<void()> run;
        QStringList names;
    };
    const Case cases[] = {
        {"code", [this] { Search(FrmVales->SpeedButton1, "12"); }, byName},
        {"issue date", [this] { FrmVales->SpeedButton7->Click(); }, byName},
        {"payment date", [this] { FrmVales->SpeedButton2->Click(); }, byName},
        {"number", [this] { Search(FrmVales->SpeedButton6, "3"); }, {"AMANDA", "ANA"}},
    };
    for (const Case& c : cases) {
        c.run();
        EXPECT_EQ(Names(), c.names) << c.what;
        EXPECT_EQ(FrmVales->CRDBGrid1->StatusText(), QStringLiteral("1/%1").arg(c.names.size())) << c.what;
    }
}

} // namespace
