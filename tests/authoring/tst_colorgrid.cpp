// The colour string grid: merges and their rules, styles per cell, the selection growing to
// whole merges, keys, painting and the in-place editor, on the offscreen platform.
#include "authoring/ZColorStringGrid.h"

#include <QTest>
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

} // namespace

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
