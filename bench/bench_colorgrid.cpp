// Paints of the colour string grid: a table-sized grid empty and with styled cells, the same with
// merges, and a grid of a million cells under one merge, scrolled. Run by hand:
// QT_QPA_PLATFORM=offscreen build/bench/bench_colorgrid
#include "authoring/ZColorStringGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {
// Milliseconds per paint of the whole viewport, over a number of paints.
double paintMs(TZColorStringGrid &grid, int paints)
{
    QImage target(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < paints; ++i) {
        grid.viewport()->render(&target);
    }
    return double(timer.nsecsElapsed()) / 1e6 / paints;
}

void fill(TZColorStringGrid &grid)
{
    for (int c = 0; c < grid.ColCount(); ++c) {
        for (int r = 0; r < grid.RowCount(); ++r) {
            grid.SetCells(c, r, QStringLiteral("cell %1 %2 with some words to wrap").arg(c).arg(r));
            TCellStyle *style = grid.CellStyle(c, r);
            style->SetBGColor(QColor::fromHsv((c * 37 + r * 11) % 360, 60, 250));
            style->SetWordWrap(true);
            style->SetRotate((c + r) % 3 == 0 ? 90 : 0);
        }
    }
    grid.SetUseCellWordWrap(true);
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int paints = 50;

    TZColorStringGrid table;
    table.resize(1000, 700);
    table.SetColCount(20);
    table.SetRowCount(30);
    table.show();
    std::printf("20 x 30 empty cells (the table designer's case): %.2f ms per paint\n", paintMs(table, paints));
    fill(table);
    std::printf("20 x 30 styled cells, wrapped and turned text: %.2f ms per paint\n", paintMs(table, paints));
    for (int r = 1; r + 1 < 30; r += 3)
        for (int c = 1; c + 2 < 20; c += 4)
            table.MergeCells()->Add(c, r, c + 2, r + 1);
    std::printf("the same with %d merges: %.2f ms per paint\n", table.MergeCells()->Count(), paintMs(table, paints));

    TZColorStringGrid huge;
    huge.resize(1000, 700);
    huge.SetFixedCols(0);
    huge.SetFixedRows(0);
    huge.SetColCount(1000);
    huge.SetRowCount(1000);
    huge.show();
    huge.MergeCells()->Add(0, 0, 999, 999);
    huge.SetCells(0, 0, QStringLiteral("one merge of a million cells"));
    huge.SetTopRow(500);
    huge.SetLeftCol(500);
    std::printf("1000 x 1000 merge, scrolled to its middle: %.2f ms per paint\n", paintMs(huge, paints));
    return 0;
}
