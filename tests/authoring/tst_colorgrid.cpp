// The colour string grid: merges and their rules, styles per cell, the selection growing to
// whole merges, keys, painting and the in-place editor, on the offscreen platform.
#include "authoring/ZColorStringGrid.h"

#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>
#include <memory>

Q_DECLARE_METATYPE(TRect)
char *toString(const TRect &r)
{
    return QTest::toString(QStringLiteral("(%1,%2,%3,%4)").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom));
}

using Rects = QList<TRect>;

namespace {
// A 5 x 5 grid (one fixed row and column unless told otherwise) with merges added in order.
std::unique_ptr<TZColorStringGrid> makeGrid(const Rects &merges = {}, int fixed = 1)
{
    auto grid = std::make_unique<TZColorStringGrid>();
    grid->SetFixedCols(fixed);
    grid->SetFixedRows(fixed);
    grid->resize(400, 200);
    for (const TRect &m : merges)
        grid->MergeCells()->AddRect(m);
    return grid;
}

QColor pixel(TZColorStringGrid *grid, int x, int y) { return grid->viewport()->grab().toImage().pixelColor(x, y); }

struct Key {
    int key;
    Qt::KeyboardModifiers modifiers;
};
} // namespace
Q_DECLARE_METATYPE(Key)

class TestColorGrid : public QObject {
    Q_OBJECT
private slots:
    // The checks of a new merge, in their order.
    void addRect_data()
    {
        QTest::addColumn<int>("fixed");
        QTest::addColumn<Rects>("existing");
        QTest::addColumn<TRect>("rect");
        QTest::addColumn<int>("code");
        QTest::newRow("added") << 1 << Rects{} << TRect{1, 1, 2, 3} << 0;
        QTest::newRow("partly outside before single cell") << 1 << Rects{} << TRect{4, 4, 4, 5} << 1;
        QTest::newRow("one column past the grid") << 1 << Rects{} << TRect{3, 1, 5, 1} << 1;
        QTest::newRow("inside a merge") << 1 << Rects{{1, 1, 4, 4}} << TRect{2, 2, 2, 3} << 2;
        QTest::newRow("single cell even over a merge") << 1 << Rects{{1, 1, 2, 2}} << TRect{1, 1, 1, 1} << 3;
        QTest::newRow("corner inside a merge") << 1 << Rects{{1, 1, 2, 2}} << TRect{2, 2, 3, 3} << 2;
        QTest::newRow("merge inside the new one") << 1 << Rects{{2, 2, 3, 3}} << TRect{1, 1, 4, 4} << 2;
        QTest::newRow("crossing bars both accepted") << 0 << Rects{{2, 0, 2, 4}} << TRect{0, 2, 4, 2} << 0;
        QTest::newRow("straddles the fixed row") << 1 << Rects{} << TRect{1, 0, 1, 2} << 4;
        QTest::newRow("straddles the fixed column") << 1 << Rects{} << TRect{0, 1, 1, 1} << 4;
        QTest::newRow("inside the fixed column") << 1 << Rects{} << TRect{0, 1, 0, 3} << 0;
        QTest::newRow("no fixed cells, no straddling") << 0 << Rects{} << TRect{1, 0, 1, 2} << 0;
    }
    void addRect()
    {
        QFETCH(int, fixed);
        QFETCH(Rects, existing);
        QFETCH(TRect, rect);
        QFETCH(int, code);
        auto grid = makeGrid(existing, fixed);
        QCOMPARE(grid->MergeCells()->AddRect(rect), code);
        QCOMPARE(grid->MergeCells()->Count(), existing.size() + (code == 0 ? 1 : 0));
    }

    // Corners given in any order, deletion shifting later merges, lookups by cell.
    void listOperations()
    {
        auto grid = makeGrid({}, 0);
        TMergeCells *merges = grid->MergeCells();
        QCOMPARE(merges->Add(3, 2, 1, 1), 0);
        QCOMPARE(merges->GetRect(0), (TRect{1, 1, 3, 2}));
        QCOMPARE(merges->Add(0, 3, 4, 3), 0);
        QCOMPARE(merges->IndexOf(2, 3), 1);
        QCOMPARE(merges->IndexOfOrigin(2, 2), -1);
        QCOMPARE(merges->IndexOfOrigin(1, 1), 0);
        QVERIFY(!merges->Delete(5));
        QVERIFY(merges->Delete(0));
        QCOMPARE(merges->GetRect(0), (TRect{0, 3, 4, 3}));
        QCOMPARE(merges->GetRect(1), TRect());
        QCOMPARE(merges->MergeWidth(1), -1);
        // The lines inside a merge count; a column's own width is followed.
        grid->SetColWidths(2, 100);
        QCOMPARE(merges->MergeWidth(0), 4 * grid->DefaultColWidth() + 100 + 4 * grid->GridLineWidth());
    }

    // Crossing merges: the first added wins for a shared cell.
    void crossingMergesLookUpFirst()
    {
        auto grid = makeGrid({{2, 0, 2, 4}, {0, 2, 4, 2}}, 0);
        QCOMPARE(grid->MergeCells()->IndexOf(2, 2), 0);
    }

    // Growing a selection to whole merges.
    void expandSelection_data()
    {
        QTest::addColumn<Rects>("merges");
        QTest::addColumn<TRect>("selection");
        QTest::addColumn<TRect>("expected");
        QTest::newRow("strictly inside a merge: unchanged") << Rects{{0, 0, 4, 4}} << TRect{2, 2, 2, 2}
                                                            << TRect{2, 2, 2, 2};
        QTest::newRow("reaches across an edge") << Rects{{2, 1, 3, 3}} << TRect{1, 2, 2, 2} << TRect{1, 1, 3, 3};
        QTest::newRow("a bar through a merge") << Rects{{1, 1, 3, 3}} << TRect{2, 0, 2, 4} << TRect{1, 0, 3, 4};
        QTest::newRow("a merge reached through another") << Rects{{0, 2, 4, 2}, {2, 0, 2, 4}} << TRect{2, 0, 2, 0}
                                                       << TRect{0, 0, 4, 4};
        QTest::newRow("apart: unchanged") << Rects{{3, 3, 4, 4}} << TRect{0, 0, 1, 1} << TRect{0, 0, 1, 1};
    }
    void expandSelection()
    {
        QFETCH(Rects, merges);
        QFETCH(TRect, selection);
        QFETCH(TRect, expected);
        auto grid = makeGrid(merges, 0);
        grid->SetSelection(selection);
        TRect grown;
        grid->MergeCells()->ExpandSelection(true, &grown);
        QCOMPARE(grown, expected);
        QCOMPARE(grid->Selection(), expected);
    }

    // Styles: templates by cell kind, taken once; outside the grid changes reach nothing.
    void styles()
    {
        auto grid = makeGrid();
        grid->DefaultCellStyle()->SetBGColor(Qt::yellow);
        grid->DefaultFixedCellStyle()->SetBGColor(Qt::gray);
        QCOMPARE(grid->CellStyle(0, 2)->BGColor(), QColor(Qt::gray));
        TCellStyle *plain = grid->CellStyle(2, 2);
        QCOMPARE(plain->BGColor(), QColor(Qt::yellow));
        grid->DefaultCellStyle()->SetBGColor(Qt::green);
        QCOMPARE(grid->CellStyle(2, 2)->BGColor(), QColor(Qt::yellow));

        TCellStyle *outside = grid->CellStyle(9, 2);
        QCOMPARE(outside->BGColor(), QColor(Qt::green));
        outside->SetBGColor(Qt::red);
        QCOMPARE(grid->DefaultCellStyle()->BGColor(), QColor(Qt::green));
        QCOMPARE(grid->CellStyle(-1, 0)->BGColor(), QColor(Qt::green));

        // A style hands its font over whole.
        plain->SetFont(TFont{QFont("Serif", 21), Qt::blue});
        TFont font;
        plain->AssignTo(font);
        QCOMPARE(font, plain->Font());
    }

    // Removed columns and rows lose their styles; new ones start from the template.
    void styleMatrixFollowsSize()
    {
        auto grid = makeGrid();
        grid->CellStyle(4, 4)->SetBGColor(Qt::red);
        grid->CellStyle(1, 1)->SetBGColor(Qt::blue);
        grid->SetColCount(3);
        grid->SetRowCount(3);
        grid->SetColCount(5);
        grid->SetRowCount(5);
        QCOMPARE(grid->CellStyle(4, 4)->BGColor(), grid->DefaultCellStyle()->BGColor());
        QCOMPARE(grid->CellStyle(1, 1)->BGColor(), QColor(Qt::blue));
    }

    // Moved and deleted columns and rows take their styles and texts; merges stay.
    void movesCarryStylesNotMerges()
    {
        auto grid = makeGrid({{1, 1, 2, 2}});
        grid->CellStyle(1, 3)->SetBGColor(Qt::red);
        grid->SetCells(1, 3, "x");
        grid->MoveColumn(1, 3);
        QCOMPARE(grid->CellStyle(3, 3)->BGColor(), QColor(Qt::red));
        QCOMPARE(grid->Cells(3, 3), QString("x"));
        QCOMPARE(grid->MergeCells()->GetRect(0), (TRect{1, 1, 2, 2}));
        grid->MoveRow(3, 1);
        QCOMPARE(grid->CellStyle(3, 1)->BGColor(), QColor(Qt::red));
        grid->DeleteColumn(2);
        QCOMPARE(grid->ColCount(), 4);
        QCOMPARE(grid->CellStyle(2, 1)->BGColor(), QColor(Qt::red));
        grid->DeleteRow(9);
        QCOMPARE(grid->RowCount(), 5);
    }

    // Shrinking the grid never leaves the current cell or the selection outside it.
    void shrinkKeepsCurrentCellInside()
    {
        auto grid = makeGrid();
        grid->SetSelection(TRect{2, 2, 4, 4});
        grid->SetColCount(3);
        grid->SetRowCount(2);
        QCOMPARE(grid->Col(), 2);
        QCOMPARE(grid->Row(), 1);
        QCOMPARE(grid->Selection(), (TRect{2, 1, 2, 1}));
    }

    // Moves out of and into merges by keys: the current cell jumps over a merge, and a
    // selection grown by Shift covers whole merges with the current cell on the moving edge.
    void keys_data()
    {
        QTest::addColumn<TRect>("start");
        QTest::addColumn<Key>("key");
        QTest::addColumn<TRect>("selection");
        QTest::addColumn<QPoint>("current");
        const TRect origin{2, 2, 2, 2};
        QTest::newRow("down leaves the merge below it") << origin << Key{Qt::Key_Down, {}} << TRect{2, 4, 2, 4}
                                                        << QPoint(2, 4);
        QTest::newRow("right leaves the merge right of it") << origin << Key{Qt::Key_Right, {}}
                                                            << TRect{4, 2, 4, 2} << QPoint(4, 2);
        QTest::newRow("up leaves the merge above it") << TRect{3, 3, 3, 3} << Key{Qt::Key_Up, {}}
                                                      << TRect{3, 1, 3, 1} << QPoint(3, 1);
        QTest::newRow("left leaves the merge left of it") << TRect{3, 3, 3, 3} << Key{Qt::Key_Left, {}}
                                                          << TRect{1, 3, 1, 3} << QPoint(1, 3);
        QTest::newRow("shift right takes the whole merge") << TRect{1, 2, 1, 2} << Key{Qt::Key_Right, Qt::ShiftModifier}
                                                           << TRect{1, 2, 3, 3} << QPoint(3, 3);
        QTest::newRow("shift left ends on the left edge") << TRect{4, 3, 4, 3} << Key{Qt::Key_Left, Qt::ShiftModifier}
                                                          << TRect{2, 2, 4, 3} << QPoint(2, 3);
    }
    void keys()
    {
        QFETCH(TRect, start);
        QFETCH(Key, key);
        QFETCH(TRect, selection);
        QFETCH(QPoint, current);
        auto grid = makeGrid({{2, 2, 3, 3}});
        grid->SetSelection(start);
        QTest::keyClick(grid.get(), Qt::Key(key.key), key.modifiers);
        QCOMPARE(grid->Selection(), selection);
        QCOMPARE(QPoint(grid->Col(), grid->Row()), current);
    }

    // Dragging over a merge takes all of it, and the drag goes on from where it began;
    // OnClick sees the final selection.
    void mouseDrag_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QList<QPoint>>("path");
        QTest::addColumn<TRect>("expected");
        QTest::newRow("into a merge") << QPoint(1, 2) << QList<QPoint>{{2, 2}} << TRect{1, 2, 3, 3};
        QTest::newRow("backwards through a merge") << QPoint(4, 3) << QList<QPoint>{{3, 3}, {1, 3}}
                                                   << TRect{1, 2, 4, 3};
        QTest::newRow("out again and back") << QPoint(1, 1) << QList<QPoint>{{2, 2}, {1, 1}} << TRect{1, 1, 1, 1};
    }
    void mouseDrag()
    {
        QFETCH(QPoint, from);
        QFETCH(QList<QPoint>, path);
        QFETCH(TRect, expected);
        auto grid = makeGrid({{2, 2, 3, 3}});
        grid->show();
        TRect clicked;
        grid->OnClick = [&](TStringGrid *sender) { clicked = sender->Selection(); };
        const auto centre = [&](QPoint cell) {
            const TRect r = grid->CellRect(cell.x(), cell.y());
            return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        };
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, centre(from));
        for (const QPoint &cell : path)
            QTest::mouseMove(grid->viewport(), centre(cell));
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, centre(path.back()));
        QCOMPARE(grid->Selection(), expected);
        QCOMPARE(clicked, expected);
    }

    // The wheel steps over a merge, but not off the grid's end, and tells of the move.
    void wheel_data()
    {
        QTest::addColumn<TRect>("merge");
        QTest::addColumn<int>("startRow");
        QTest::addColumn<bool>("down");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("handled");
        QTest::newRow("down over a merge") << TRect{1, 1, 1, 2} << 1 << true << 3 << true;
        QTest::newRow("down with too few rows below") << TRect{1, 2, 1, 3} << 2 << true << 3 << false;
        QTest::newRow("up over a merge") << TRect{1, 2, 1, 3} << 3 << false << 1 << true;
        QTest::newRow("up against the fixed row") << TRect{1, 1, 1, 2} << 2 << false << 1 << false;
        QTest::newRow("plain cell") << TRect{2, 1, 3, 1} << 2 << true << 3 << true;
    }
    void wheel()
    {
        QFETCH(TRect, merge);
        QFETCH(int, startRow);
        QFETCH(bool, down);
        QFETCH(int, row);
        QFETCH(bool, handled);
        auto grid = makeGrid({merge});
        grid->SetSelection(TRect{1, startRow, 1, startRow});
        int clicks = 0;
        grid->OnClick = [&](TStringGrid *) { ++clicks; };
        QWheelEvent event(QPointF(10, 10), grid->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, down ? -120 : 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->viewport(), &event);
        QCOMPARE(grid->Row(), row);
        QCOMPARE(event.isAccepted(), handled);
        QCOMPARE(clicks, row != startRow ? 1 : 0);
    }

    // With whole rows selected, a row of a merge brings the merge's other rows along.
    void rowSelectionCoversMergedRows()
    {
        auto grid = makeGrid({{1, 1, 2, 2}});
        grid->SetOptions(grid->Options() | goRowSelect);
        grid->SetSelection(TRect{1, 3, 1, 3});
        QTest::keyClick(grid.get(), Qt::Key_Up);
        QCOMPARE(grid->Selection(), (TRect{1, 1, 4, 2}));
        QCOMPARE(grid->Row(), 1);
    }

    // Painted pixels: one picture over a merge without inner lines, borders by kind, the
    // selection colour switch.
    void painting()
    {
        auto grid = makeGrid({{1, 1, 2, 2}});
        grid->show();
        grid->SetSelection(TRect{4, 4, 4, 4});
        grid->CellStyle(1, 1)->SetBGColor(Qt::red);
        const TRect part = grid->CellRect(1, 1);
        const int midY = (part.Top + part.Bottom) / 2;
        const int midX = (part.Left + part.Right) / 2;
        QCOMPARE(pixel(grid.get(), part.Right, midY), QColor(Qt::red));
        QCOMPARE(pixel(grid.get(), midX, part.Bottom), QColor(Qt::red));
        const TRect outer = grid->CellRect(2, 1);
        QCOMPARE(pixel(grid.get(), outer.Right, midY), grid->LineDesign()->LineColor());

        // A new colour on the origin reaches every part of the merge.
        grid->CellStyle(1, 1)->SetBGColor(Qt::green);
        const TRect last = grid->CellRect(2, 2);
        QCOMPARE(pixel(grid.get(), last.Left + 5, last.Top + 5), QColor(Qt::green));

        // A wider merge from the same origin never shows the old picture.
        grid->MergeCells()->Clear();
        QCOMPARE(grid->MergeCells()->Add(1, 1, 3, 1), 0);
        QCOMPARE(pixel(grid.get(), last.Right, midY), QColor(Qt::green));
        QCOMPARE(pixel(grid.get(), last.Left + 5, last.Top + 5), grid->DefaultCellStyle()->BGColor());

        // Selected cells take the selection colour only while it is switched on.
        const TRect selected = grid->CellRect(4, 4);
        grid->CellStyle(4, 4)->SetBGColor(Qt::yellow);
        QCOMPARE(pixel(grid.get(), selected.Left + 5, selected.Top + 5), grid->SelectedColors()->BGColor());
        grid->SelectedColors()->SetColoredSelect(false);
        QCOMPARE(pixel(grid.get(), selected.Left + 5, selected.Top + 5), QColor(Qt::yellow));
    }

    // A handler run before a cell's text draws on the grid with a black pen, over the
    // cell's background; the grid's lines are mid grey unless told otherwise.
    void drawingBeforeText()
    {
        auto grid = makeGrid();
        QPalette palette = grid->palette();  // what a painter on the grid starts with
        palette.setColor(QPalette::WindowText, Qt::green);
        palette.setColor(QPalette::Text, Qt::green);
        grid->setPalette(palette);
        grid->SelectedColors()->SetColoredSelect(false);
        grid->CellStyle(2, 2)->SetBGColor(Qt::red);
        grid->OnBeforeTextDrawCell = [](TZColorStringGrid *, int col, int row, const TRect &r, TGridDrawState,
                                        QPainter *canvas) {
            if (col == 2 && row == 2)
                canvas->drawLine(r.Left, r.Top + 5, r.Right, r.Top + 5);
        };
        grid->show();
        const TRect r = grid->CellRect(2, 2);
        QCOMPARE(pixel(grid.get(), r.Left + 10, r.Top + 5), QColor(Qt::black));
        QCOMPARE(pixel(grid.get(), r.Left + 10, r.Top + 10), QColor(Qt::red));
        QCOMPARE(pixel(grid.get(), r.Right, r.Top + 10), QColor(0x80, 0x80, 0x80));
    }

    void borders_data()
    {
        QTest::addColumn<int>("border");
        QTest::addColumn<bool>("merged");
        QTest::newRow("raised") << int(sgRaised) << false;
        QTest::newRow("lowered") << int(sgLowered) << false;
        QTest::newRow("none") << int(sgNone) << false;
        QTest::newRow("raised merge") << int(sgRaised) << true;
        QTest::newRow("lowered merge") << int(sgLowered) << true;
    }
    // Light top and left, dark bottom and right for raised, swapped for lowered; a merge
    // gets its frame on its outer edges only.
    void borders()
    {
        QFETCH(int, border);
        QFETCH(bool, merged);
        auto grid = makeGrid(merged ? Rects{{2, 2, 3, 3}} : Rects{});
        grid->show();
        grid->LineDesign()->SetLineUpColor(Qt::white);
        grid->LineDesign()->SetLineDownColor(Qt::black);
        grid->CellStyle(2, 2)->SetBGColor(Qt::blue);
        grid->CellStyle(2, 2)->SetBorderCellStyle(TBorderCellStyle(border));
        const TRect first = grid->CellRect(2, 2);
        const TRect last = merged ? grid->CellRect(3, 3) : first;
        const QColor up = border == sgRaised ? Qt::white : border == sgLowered ? Qt::black : Qt::blue;
        const QColor down = border == sgRaised ? Qt::black : border == sgLowered ? Qt::white : Qt::blue;
        QCOMPARE(pixel(grid.get(), first.Left, first.Top + 8), up);
        QCOMPARE(pixel(grid.get(), first.Left + 8, first.Top), up);
        QCOMPARE(pixel(grid.get(), last.Right - 1, last.Top + 8), down);
        QCOMPARE(pixel(grid.get(), last.Left + 8, last.Bottom - 1), down);
        if (merged)  // nothing where the parts meet
            QCOMPARE(pixel(grid.get(), first.Right - 1, first.Top + 8), QColor(Qt::blue));
    }

    // A merge of a million cells paints its visible part, scrolled or not, without a
    // picture of its whole size.
    void hugeMerge()
    {
        auto grid = makeGrid({}, 0);
        grid->SetColCount(1000);
        grid->SetRowCount(1000);
        grid->show();
        QCOMPARE(grid->MergeCells()->Add(0, 0, 999, 999), 0);
        grid->SelectedColors()->SetColoredSelect(false);
        grid->CellStyle(0, 0)->SetBGColor(Qt::red);
        QCOMPARE(pixel(grid.get(), 100, 50), QColor(Qt::red));
        grid->SetTopRow(500);
        grid->SetLeftCol(500);
        QCOMPARE(grid->TopRow(), 500);
        QCOMPARE(pixel(grid.get(), 100, 50), QColor(Qt::red));
        // A click lands on the scrolled cell under it.
        const TRect second = grid->CellRect(501, 501);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(second.Left + 1, second.Top + 1));
        QCOMPARE(QPoint(grid->Col(), grid->Row()), QPoint(501, 501));
    }

    // Typing in the grid opens the editor on the cell; its text goes straight into the cell;
    // Enter closes it; the column grows with the text when sizing allows.
    void inplaceEditing()
    {
        auto grid = makeGrid();
        grid->SetOptions(grid->Options() | goEditing);
        grid->SetSizingWidth(true);
        grid->show();
        grid->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(grid.get()));
        grid->setFocus();
        QTest::keyClick(grid.get(), 'x');
        TZInplaceEditor *editor = grid->InplaceEditor();
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->toPlainText(), QString("x"));
        QTest::keyClicks(editor, "yz and more text");
        QCOMPARE(grid->Cells(1, 1), QString("xyz and more text"));
        QVERIFY(grid->ColWidths(1) > grid->DefaultColWidth());
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!editor->isVisible());
        QCOMPARE(grid->Cells(1, 1), QString("xyz and more text"));

        // F2 reopens it with the caret after the text; Escape undoes nothing.
        QTest::keyClick(grid.get(), Qt::Key_F2);
        QVERIFY(editor->isVisible());
        QVERIFY(editor->textCursor().atEnd());
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(grid->Cells(1, 1), QString("xyz and more text"));
    }

    // What opens the editor on a cell holding text, and what closes it again.
    void editorTriggers_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("allSelected");
        QTest::newRow("Enter selects the text") << "enter" << true;
        QTest::newRow("F2 puts the caret after it") << "f2" << false;
        QTest::newRow("double click on the cell") << "double" << false;
    }
    void editorTriggers()
    {
        QFETCH(QString, trigger);
        QFETCH(bool, allSelected);
        auto grid = makeGrid();
        grid->SetOptions(grid->Options() | goEditing);
        grid->SetCells(1, 1, "old");
        grid->show();
        grid->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(grid.get()));
        grid->setFocus();
        const TRect cell = grid->CellRect(1, 1);
        if (trigger == "enter")
            QTest::keyClick(grid.get(), Qt::Key_Return);
        else if (trigger == "f2")
            QTest::keyClick(grid.get(), Qt::Key_F2);
        else
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, QPoint(cell.Left + 5, cell.Top + 5));
        TZInplaceEditor *editor = grid->InplaceEditor();
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->toPlainText(), QString("old"));
        QCOMPARE(editor->textCursor().selectedText(), allSelected ? QString("old") : QString());
        // Scrolling away closes it; the text is kept.
        grid->SetRowCount(40);
        grid->SetTopRow(10);
        QVERIFY(!editor->isVisible());
        QCOMPARE(grid->Cells(1, 1), QString("old"));
    }

    // Right at the end of the editor's text moves to the next cell; with the editor always
    // shown it follows.
    void editorHandsKeysToGrid_data()
    {
        QTest::addColumn<bool>("alwaysShow");
        QTest::newRow("editor closes") << false;
        QTest::newRow("editor follows") << true;
    }
    void editorHandsKeysToGrid()
    {
        QFETCH(bool, alwaysShow);
        auto grid = makeGrid();
        grid->SetOptions(grid->Options() | goEditing | (alwaysShow ? unsigned(goAlwaysShowEditor) : 0u));
        grid->SetCells(2, 1, "next");
        grid->show();
        grid->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(grid.get()));
        grid->setFocus();
        QTest::keyClick(grid.get(), 'a');
        TZInplaceEditor *editor = grid->InplaceEditor();
        QTest::keyClick(editor, Qt::Key_Left);
        QCOMPARE(grid->Col(), 1);  // the caret could still move
        QTest::keyClick(editor, Qt::Key_Right);
        QTest::keyClick(editor, Qt::Key_Right);
        QCOMPARE(grid->Col(), 2);
        QCOMPARE(grid->Cells(1, 1), QString("a"));
        QCOMPARE(editor->isVisible(), alwaysShow);
        if (alwaysShow)
            QCOMPARE(editor->toPlainText(), QString("next"));
    }

    // With the editor always shown, a repaint lays it over the current cell wherever a click
    // or a scroll took it, without taking the focus from another control; typing goes into
    // the cell it shows.
    void alwaysShownEditorFollows()
    {
        QWidget window;
        auto *other = new QLineEdit(&window);
        auto *grid = new TZColorStringGrid(&window);
        grid->setGeometry(0, 30, 400, 200);
        grid->SetRowCount(40);
        grid->SetOptions(grid->Options() | goEditing | goAlwaysShowEditor);
        grid->SetCells(2, 3, "there");
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        TZInplaceEditor *editor = grid->InplaceEditor();
        const auto overCell = [&](int col, int row) {
            const TRect r = grid->CellRect(col, row);
            return editor->isVisible()
                   && editor->geometry().topLeft() == grid->viewport()->mapTo(grid, QPoint(r.Left, r.Top));
        };
        const TRect cell = grid->CellRect(2, 3);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(cell.Left + 5, cell.Top + 5));
        QTRY_VERIFY(overCell(2, 3));
        QCOMPARE(editor->toPlainText(), QString("there"));

        grid->SetTopRow(2);
        QTRY_VERIFY(overCell(2, 3));

        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        grid->viewport()->repaint();
        QCoreApplication::processEvents();
        QVERIFY(other->hasFocus());
        QVERIFY(overCell(2, 3));

        // The grid hands the focus on to its editor.
        grid->setFocus();
        QVERIFY(editor->hasFocus());
        QTest::keyClick(editor, 'x');
        QCOMPARE(grid->Cells(2, 3), QString("xthere"));
        QVERIFY(overCell(2, 3));
    }

    // Key up in the editor reaches the grid's handler as in the grid itself; the editor
    // still takes the key.
    void keyUpReachesGrid()
    {
        auto grid = makeGrid();
        grid->SetOptions(grid->Options() | goEditing);
        QList<int> released;
        grid->OnKeyUp = [&](TStringGrid *, int *key, Qt::KeyboardModifiers) { released << *key; };
        grid->show();
        grid->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(grid.get()));
        grid->setFocus();
        QTest::keyClick(grid.get(), Qt::Key_Right);
        QTest::keyClick(grid.get(), 'a');
        TZInplaceEditor *editor = grid->InplaceEditor();
        QVERIFY(editor->hasFocus());
        QTest::keyClick(editor, 'b');
        QCOMPARE(released, (QList<int>{Qt::Key_Right, Qt::Key_A, Qt::Key_B}));
        QCOMPARE(grid->Cells(2, 1), QString("ab"));
    }

    // Editing is the grid's own switch.
    void editingOption()
    {
        auto grid = makeGrid();
        grid->SetOptions(grid->Options() | goEditing);
        QVERIFY(grid->Options() & goEditing);
        QVERIFY(grid->Editing());
    }
};

QTEST_MAIN(TestColorGrid)
#include "tst_colorgrid.moc"
