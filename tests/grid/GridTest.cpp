#include "tests/grid/GridFixture.h"

#include <QScrollBar>
#include <QWheelEvent>

#include <set>
#include <stdexcept>
#include <utility>

namespace {

// --- what the grid shows ---------------------------------------------------------------------------------

TEST_F(GridTest, TitlesShowTheirOwnCaptionOrTheFieldName) {
    InsertVouchers(3);
    OpenGrid();
    const QString expected[] = {"Nº Controle", "Nome do Cliente", "Credito R$", "Data", "baixado"};
    for (int c = 0; c < kColumnCount; ++c)
        EXPECT_EQ(grid->Columns[c]->TitleText(), expected[c]) << "column " << c;
    // Resolved without regard to case, and only while the data set is open.
    grid->Columns[kBaixado]->FieldName = "BAIXADO";
    EXPECT_EQ(grid->Columns[kBaixado]->Field(), query->FieldByName("baixado"));
    query->Close();
    EXPECT_EQ(grid->Columns[kBaixado]->Field(), nullptr);
}

TEST_F(GridTest, StatusLineShowsTheCurrentRowOfTheCount) {
    InsertVouchers(25);
    OpenGrid();
    EXPECT_EQ(grid->StatusText(), "1/25");
    query->SetRecNo(3);
    EXPECT_EQ(grid->StatusText(), "3/25");
    QTest::keyClick(grid.get(), Qt::Key_Down);
    EXPECT_EQ(grid->StatusText(), "4/25");
    query->Last();
    EXPECT_EQ(grid->StatusText(), "25/25");
    TRect text = grid->StatusRect();
    text.Top += 2; // below the line that parts it from the rows
    EXPECT_NE(InkSpan(grid->RenderImage(), text).first, -1) << "the status text is drawn";

    query->Close();
    EXPECT_EQ(grid->StatusText(), "");
    EXPECT_EQ(InkSpan(grid->RenderImage(), text).first, -1) << "a closed data set shows nothing";
}

TEST_F(GridTest, NumbersAreRightAlignedTextAndDatesLeftAligned) {
    InsertVouchers(5);
    OpenGrid();
    const QImage image = grid->RenderImage();
    struct Case {
        int column;
        bool right;
    };
    for (const Case c :
         {Case{kControle, true}, Case{kNome, false}, Case{kCredito, true}, Case{kData, false}}) {
        const TRect cell = grid->CellRect(c.column, 2); // not the current row: black on white
        const auto [left, right] = InkSpan(image, cell);
        ASSERT_NE(left, -1) << "column " << c.column << " shows text";
        const int leftGap = left - cell.Left;
        const int rightGap = cell.Right - 1 - right;
        if (c.right) {
            EXPECT_LE(rightGap, 4) << "column " << c.column;
            EXPECT_GT(leftGap, rightGap) << "column " << c.column;
        } else {
            EXPECT_LE(leftGap, 4) << "column " << c.column;
            EXPECT_GT(rightGap, leftGap) << "column " << c.column;
        }
    }
}

TEST_F(GridTest, CurrentRowShowsTheSelectionColours) {
    InsertVouchers(5);
    struct Case {
        bool alwaysShowSelection;
        bool highlighted;
    };
    for (const Case c : {Case{true, true}, Case{false, false}}) {
        OpenGrid();
        TDBGridOptions options = grid->Options;
        if (!c.alwaysShowSelection)
            grid->Options = options >> dgAlwaysShowSelection;
        ASSERT_FALSE(grid->hasFocus());
        query->SetRecNo(2);
        const QImage image = grid->RenderImage();
        const QColor selected = Background(image, grid->CellRect(kNome, 2));
        EXPECT_EQ(selected == ColorFromTColor(clHighlight), c.highlighted) << c.alwaysShowSelection;
        EXPECT_EQ(Background(image, grid->CellRect(kNome, 3)), ColorFromTColor(clWindow));
        // With whole-row selection every cell of the current row carries the selection.
        EXPECT_EQ(Background(image, grid->CellRect(kCredito, 2)), selected);
    }
}

TEST_F(GridTest, ColumnsWiderThanTheGridScrollHorizontally) {
    InsertVouchers(5);
    OpenGrid(220, 200);
    ASSERT_GT(grid->horizontalScrollBar()->maximum(), 0);
    const int leftBefore = grid->CellRect(kBaixado, 1).Left;
    for (int i = 0; i < kColumnCount; ++i)
        QTest::keyClick(grid.get(), Qt::Key_Right);
    const TRect last = grid->CellRect(kBaixado, 1);
    EXPECT_LT(last.Left, leftBefore);
    EXPECT_LE(last.Right, grid->viewport()->width()) << "the last column has been brought into view";
}

// --- the mouse -------------------------------------------------------------------------------------------

TEST_F(GridTest, TitleClickSortsAscendingThenDescendingKeepingTheCurrentRow) {
    InsertVouchers(25);
    struct Case {
        int column;
        QString first;  // IndexFieldNames after one click
        QString second; // after another
    };
    // The rows start in ascending name order: a click on the name turns it round first.
    for (const Case& c :
         {Case{kCredito, "credito", "credito DESC"}, Case{kNome, "nomecliente DESC", "nomecliente"},
          Case{kControle, "controle", "controle DESC"}}) {
        OpenGrid();
        query->SetRecNo(7);
        const int current = Controle();
        for (const QString& expected : {c.first, c.second}) {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, Centre(grid->TitleRect(c.column)));
            EXPECT_EQ(query->IndexFieldNames(), expected);
            EXPECT_EQ(Controle(), current) << "the current row stays current";
            TField* field = grid->Columns[c.column]->Field();
            const bool descending = expected.endsWith("DESC");
            // Neighbouring rows in the expected order, read without moving the current row.
            auto key = [&](int recNo) -> std::pair<QString, double> {
                const TDataSet::RowView view(*query, recNo);
                if (field->IsText())
                    return {field->AsString(), 0};
                return {{}, field->AsFloat()};
            };
            for (int recNo = 2; recNo <= query->RecordCount(); ++recNo) {
                const auto before = key(recNo - 1);
                const auto after = key(recNo);
                ASSERT_TRUE(descending ? !(before < after) : !(after < before))
                    << expected.toStdString() << " at row " << recNo;
            }
        }
    }
}

TEST_F(GridTest, DraggingATitleEdgeResizesTheColumnWithoutSorting) {
    InsertVouchers(5);
    OpenGrid();
    const TRect title = grid->TitleRect(kNome);
    const QPoint edge(title.Right, Centre(title).y());
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, edge);
    const QPoint to = edge + QPoint(30, 0);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), grid->viewport()->mapToGlobal(QPointF(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &move);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, to);
    EXPECT_EQ(grid->Columns[kNome]->Width.Get(), 180);
    EXPECT_EQ(grid->CellRect(kCredito, 1).Left, title.Right + 30 + 1) << "the next column moves along";
    EXPECT_EQ(query->IndexFieldNames(), "nomecliente");
}

TEST_F(GridTest, ClickOnARowMakesItCurrent) {
    InsertVouchers(25);
    OpenGrid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, Centre(grid->CellRect(kNome, 4)));
    EXPECT_EQ(query->RecNo(), 4);
    EXPECT_EQ(Nome(), "CLIENTE 00004");

    grid->ScrollToRow(10);
    EXPECT_EQ(grid->FirstVisibleRow(), 10);
    EXPECT_EQ(query->RecNo(), 4) << "scrolling leaves the current row alone";
    const TRect firstShown = grid->CellRect(kCredito, 10);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, Centre(firstShown));
    EXPECT_EQ(query->RecNo(), 10);
    // The wheel scrolls the rows without moving the current one.
    const QPoint inside = Centre(grid->CellRect(kNome, 12));
    QWheelEvent wheel(QPointF(inside), grid->viewport()->mapToGlobal(QPointF(inside)), {}, QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &wheel);
    EXPECT_GT(grid->FirstVisibleRow(), 10);
    EXPECT_EQ(query->RecNo(), 10);
    grid->ScrollToRow(10);

    // The indicator column selects its row too.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(4, Centre(grid->CellRect(kNome, 11)).y()));
    EXPECT_EQ(query->RecNo(), 11);
}

// --- the keyboard ----------------------------------------------------------------------------------------

TEST_F(GridTest, KeysMoveTheCurrentRowAndKeepItInView) {
    InsertVouchers(25);
    OpenGrid();
    const int page = grid->VisibleRowCount();
    ASSERT_LT(page, 20) << "the grid must be shorter than the list for this test";
    struct Case {
        int from;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int to;
    };
    const Case cases[] = {
        {5, Qt::Key_Down, {}, 6},
        {5, Qt::Key_Up, {}, 4},
        {1, Qt::Key_Up, {}, 1},
        {25, Qt::Key_Down, {}, 25},
        {2, Qt::Key_PageDown, {}, 2 + page},
        {2 + page, Qt::Key_PageUp, {}, 2},
        {24, Qt::Key_PageDown, {}, 25},
        {12, Qt::Key_Home, {}, 1},
        {12, Qt::Key_End, {}, 25},
        {12, Qt::Key_Home, Qt::ControlModifier, 1},
        {12, Qt::Key_End, Qt::ControlModifier, 25},
        {12, Qt::Key_Insert, {}, 12}, // no editing: Insert adds no row
    };
    for (const Case& c : cases) {
        query->SetRecNo(c.from);
        QTest::keyClick(grid.get(), c.key, c.modifiers);
        EXPECT_EQ(query->RecNo(), c.to) << "from " << c.from << " key " << c.key;
        EXPECT_EQ(query->RecordCount(), 25);
        EXPECT_LE(grid->FirstVisibleRow(), c.to);
        EXPECT_GE(grid->FirstVisibleRow() + page - 1, c.to) << "the current row is in view";
    }
}

// Ctrl+Delete is the grid's own row deletion; the voucher window's key filter stops it for exactly Ctrl.
TEST_F(GridTest, CtrlDeleteAsksAndDeletesUnlessAHandlerDiscardsTheKey) {
    struct Case {
        const char* name;
        bool filter; // the voucher window's key filter is attached
        Qt::KeyboardModifiers modifiers;
        int answer;
        bool asked;
        bool deleted;
    };
    const Case cases[] = {
        {"filtered Ctrl", true, Qt::ControlModifier, IDOK, false, false},
        {"unfiltered, OK", false, Qt::ControlModifier, IDOK, true, true},
        {"unfiltered, Cancel", false, Qt::ControlModifier, IDCANCEL, true, false},
        {"Ctrl+Shift passes the filter", true, Qt::ControlModifier | Qt::ShiftModifier, IDOK, true, true},
        {"Ctrl+Alt passes the filter", true, Qt::ControlModifier | Qt::AltModifier, IDOK, true, true},
        {"Delete alone", false, {}, IDOK, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        db.exec("DELETE FROM vales");
        InsertVouchers(5);
        OpenGrid();
        if (c.filter)
            grid->OnKeyDown = [](TObject*, quint16& Key, TShiftState Shift) {
                if (Shift == TShiftState{ssCtrl} && Key == VK_DELETE)
                    Key = 0;
            };
        query->SetRecNo(3);
        const int victim = Controle();
        ScopedMessageBoxRecorder boxes(c.answer);
        QTest::keyClick(grid.get(), Qt::Key_Delete, c.modifiers);

        ASSERT_EQ(boxes.Calls().size(), c.asked ? 1u : 0u);
        if (c.asked) {
            const MessageBoxCall& call = boxes.Calls().front();
            EXPECT_EQ(call.text, "Delete record?");
            EXPECT_EQ(call.caption, Application->Title.Get());
            EXPECT_EQ(call.flags, MB_OKCANCEL | MB_ICONQUESTION);
            EXPECT_FALSE(call.isErrorBox);
        }
        const auto left = db.value("SELECT COUNT(*) FROM vales WHERE controle = " + std::to_string(victim));
        EXPECT_EQ(*left, c.deleted ? "0" : "1");
        EXPECT_EQ(query->RecordCount(), c.deleted ? 4 : 5);
        EXPECT_EQ(grid->StatusText(), c.deleted ? "3/4" : "3/5");
    }
}

// --- drawing handlers ------------------------------------------------------------------------------------

TEST_F(GridTest, DrawCellHandlerReadsTheRowBeingDrawn) {
    InsertVouchers(25);
    OpenGrid();
    grid->ScrollToRow(6);
    query->SetRecNo(8);
    struct Seen {
        int top;
        int dataCol;
        QString name;
        bool selected;
    };
    std::vector<Seen> seen;
    grid->OnDrawColumnCell = [&](TObject* Sender, const TRect& Rect, int DataCol, TColumn* Column,
                                 TGridDrawState State) {
        EXPECT_EQ(Sender, grid.get());
        EXPECT_EQ(Column, grid->Columns[DataCol]);
        seen.push_back(
            {Rect.Top, DataCol, query->FieldByName("nomecliente")->AsString(), State.Contains(gdSelected)});
    };
    grid->RenderImage();

    ASSERT_FALSE(seen.empty());
    std::set<int> rows;
    for (const Seen& s : seen) {
        // Which row was at that height: the one whose cell rectangle starts there.
        int recNo = grid->FirstVisibleRow();
        while (grid->CellRect(s.dataCol, recNo).Top != s.top && recNo <= query->RecordCount())
            ++recNo;
        ASSERT_LE(recNo, query->RecordCount());
        rows.insert(recNo);
        EXPECT_EQ(s.name, QString("CLIENTE %1").arg(recNo, 5, 10, QChar('0'))) << "row " << recNo;
        EXPECT_EQ(s.selected, recNo == 8) << "row " << recNo;
    }
    EXPECT_EQ(*rows.begin(), 6);
    EXPECT_GE(static_cast<int>(rows.size()), grid->VisibleRowCount());
    EXPECT_EQ(seen.size(), rows.size() * kColumnCount) << "every cell of every row shown, once";
    EXPECT_EQ(query->RecNo(), 8) << "drawing leaves the current row where it was";
    EXPECT_EQ(Nome(), "CLIENTE 00008");

    // A row being edited shows the values it is given.
    query->Edit();
    query->FieldByName("nomecliente")->SetAsString("EDITADO");
    seen.clear();
    grid->RenderImage();
    const auto edited =
        std::count_if(seen.begin(), seen.end(), [](const Seen& s) { return s.name == "EDITADO"; });
    EXPECT_EQ(edited, kColumnCount) << "only the cells of the edited row";
    query->Cancel();
}

// The voucher window's row colouring: settled rows in light red, the selected row left to the grid.
TEST_F(GridTest, DefaultDrawingWithAChangedBrushColoursExactlyThoseCells) {
    constexpr TColor kLightRed = 10921727; // RGB 255, 166, 166
    InsertVouchers(12);
    OpenGrid(520, 400);
    query->SetRecNo(6); // a settled row: it keeps the selection colours
    grid->OnDrawColumnCell = [&](TObject*, const TRect& Rect, int DataCol, TColumn* Column,
                                 TGridDrawState State) {
        if (State.Contains(gdSelected) || query->FieldByName("baixado")->AsString() != "S")
            return;
        grid->Canvas().Font.Color = clBlack;
        grid->Canvas().Brush.Color = kLightRed;
        grid->DefaultDrawColumnCell(Rect, DataCol, Column, State);
    };
    const QImage image = grid->RenderImage();
    ASSERT_GE(grid->FirstVisibleRow() + grid->VisibleRowCount() - 1, 12) << "all rows are shown";
    for (int recNo = 1; recNo <= 12; ++recNo) {
        const QColor expected = recNo == 6       ? ColorFromTColor(clHighlight)
                                : recNo % 3 == 0 ? QColor(255, 166, 166)
                                                 : ColorFromTColor(clWindow);
        for (int c = 0; c < kColumnCount; ++c) {
            const TRect cell = grid->CellRect(c, recNo);
            EXPECT_EQ(Background(image, cell), expected) << "row " << recNo << " column " << c;
            if (c == kNome) {
                EXPECT_NE(InkSpan(image, cell).first, -1) << "the text is drawn again over the new brush";
            }
        }
    }
}

TEST_F(GridTest, AnExceptionInAHandlerReachesTheErrorBoxAndTheGridGoesOn) {
    InsertVouchers(5);
    OpenGrid();
    ScopedMessageBoxRecorder boxes(IDOK);

    bool fail = true;
    grid->OnKeyDown = [&](TObject*, quint16&, TShiftState) {
        if (fail)
            throw std::runtime_error("key handler failed");
    };
    QTest::keyClick(grid.get(), Qt::Key_Down);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_TRUE(boxes.Calls()[0].isErrorBox);
    EXPECT_EQ(boxes.Calls()[0].text, "key handler failed");
    EXPECT_EQ(query->RecNo(), 1) << "the failed handler ends that key's handling";
    fail = false;
    QTest::keyClick(grid.get(), Qt::Key_Down);
    EXPECT_EQ(query->RecNo(), 2);

    QCoreApplication::processEvents(); // paints still pending from showing the grid
    grid->OnDrawColumnCell = [&](TObject*, const TRect&, int, TColumn*, TGridDrawState) {
        if (fail)
            throw std::runtime_error("draw handler failed");
    };
    fail = true;
    const QImage image = grid->RenderImage();
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(boxes.Calls().size(), 2u) << "one box for the paint, not one per cell";
    EXPECT_TRUE(boxes.Calls()[1].isErrorBox);
    EXPECT_EQ(boxes.Calls()[1].text, "draw handler failed");
    EXPECT_NE(InkSpan(image, grid->CellRect(kNome, 4)).first, -1) << "the cells are still drawn";
    EXPECT_NE(InkSpan(image, grid->StatusRect()).first, -1);
    fail = false;
    grid->RenderImage();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(boxes.Calls().size(), 2u);
}

// --- cost ------------------------------------------------------------------------------------------------

TEST_F(GridTest, PaintingReadsOnlyTheRowsOnScreen) {
    constexpr int kRows = 10000;
    InsertVouchers(kRows);
    OpenGrid();
    std::set<QString> names;
    int cells = 0;
    grid->OnDrawColumnCell = [&](TObject*, const TRect&, int, TColumn*, TGridDrawState) {
        ++cells;
        names.insert(query->FieldByName("nomecliente")->AsString());
    };
    const int onScreen = grid->VisibleRowCount() + 1; // whole rows and a part of one more
    ASSERT_LT(onScreen, 40);

    struct Case {
        int scrollTo;
        int firstShown;
    };
    for (const Case c :
         {Case{1, 1}, Case{kRows / 2, kRows / 2}, Case{kRows, kRows - grid->VisibleRowCount() + 1}}) {
        grid->ScrollToRow(c.scrollTo);
        EXPECT_EQ(grid->FirstVisibleRow(), c.firstShown);
        cells = 0;
        names.clear();
        grid->RenderImage();
        EXPECT_GE(static_cast<int>(names.size()), grid->VisibleRowCount()) << "at " << c.scrollTo;
        EXPECT_LE(static_cast<int>(names.size()), onScreen) << "at " << c.scrollTo;
        EXPECT_EQ(cells, static_cast<int>(names.size()) * kColumnCount) << "at " << c.scrollTo;
        EXPECT_EQ(*names.begin(), QString("CLIENTE %1").arg(c.firstShown, 5, 10, QChar('0')));
    }
}

} // namespace
