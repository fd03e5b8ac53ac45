// The table generator's markup for a layout grid of any size with the merges its merge list
// accepts. The first bytes pick the size and the table options; every further four bytes
// are the corners of a merge to try, reaching up to one cell past the grid. Every row of
// the table is filled exactly: its cells and those reaching down from rows above cover
// each column once, and none reaches past the last column or row.
#include "FuzzSupport.h"

#include "authoring/GeneratorMarkup.h"
#include "authoring/ZColorStringGrid.h"

#include <QApplication>
#include <vector>

namespace {

TZColorStringGrid *g_grid = nullptr;

int takeShort(const uint8_t *&data, size_t &size)
{
    const int high = FuzzTakeByte(data, size);
    return high << 8 | FuzzTakeByte(data, size);
}

// The number of a span attribute in a td tag, 1 when it has none.
int spanOf(QStringView tag, QStringView attribute)
{
    const qsizetype at = tag.indexOf(attribute);
    if (at < 0)
        return 1;
    const qsizetype from = at + attribute.size();
    return tag.mid(from, tag.indexOf(u'"', from) - from).toInt();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_tablemarkup";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
    // As the table generator has it: no fixed rows or columns.
    g_grid = new TZColorStringGrid;
    g_grid->SetFixedCols(0);
    g_grid->SetFixedRows(0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Up to the generator's 1000 a side, and at most 2,000 cells, so that runs stay quick.
    const int columns = 1 + takeShort(data, size) % 1000;
    const int rows = std::max(1, std::min(1 + takeShort(data, size) % 1000, 2000 / columns));
    const int options = FuzzTakeByte(data, size);
    g_grid->SetColCount(columns);
    g_grid->SetRowCount(rows);
    g_grid->MergeCells()->Clear();
    QList<QRect> merges;
    while (size >= 4) {
        int corner[4];
        for (int i = 0; i < 4; ++i)
            corner[i] = FuzzTakeByte(data, size) * ((i % 2 == 0 ? columns : rows) + 1) / 256;
        if (g_grid->MergeCells()->Add(corner[0], corner[1], corner[2], corner[3]) == TMergeCells::Added) {
            const TRect r = g_grid->MergeCells()->GetRect(g_grid->MergeCells()->Count() - 1);
            merges << QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom));
        }
    }

    TableOptions o;
    o.horizontalAlign = (options & 3) == 1 ? QStringLiteral("center") : QStringLiteral("left");
    o.collapse = options & 4;
    o.paddingAllCells = (options & 8) ? 0 : 2;
    o.borderWidth = (options & 16) ? 0 : 1;
    const QString markup = TableMarkup(o, CellMatrix(columns, QVector<TCellState>(rows)), merges);

    // Per column, how many rows from the current one on are already covered.
    std::vector<int> covered(std::size_t(columns), 0);
    std::size_t column = 0;
    int rowsSeen = 0;
    const auto skipCovered = [&] {
        while (column < covered.size() && covered[column] > 0)
            ++column;
    };
    const QStringView view(markup);
    for (qsizetype at = view.indexOf(u'<'); at >= 0; at = view.indexOf(u'<', at + 1)) {
        const QStringView tag = view.mid(at, view.indexOf(u'>', at) + 1 - at);
        if (tag == u"</tr>") {
            skipCovered();
            FUZZ_CHECK(column == covered.size());
            for (int &c : covered)
                --c;
            column = 0;
            ++rowsSeen;
        } else if (tag.startsWith(u"<td")) {
            skipCovered();
            const int width = spanOf(tag, u"colspan=\"");
            const int height = spanOf(tag, u"rowspan=\"");
            FUZZ_CHECK(width >= 1 && height >= 1 && column + std::size_t(width) <= covered.size());
            for (int c = 0; c < width; ++c) {
                FUZZ_CHECK(covered[column] == 0);
                covered[column++] = height;
            }
        }
    }
    FUZZ_CHECK(rowsSeen == rows);
    for (const int c : covered)
        FUZZ_CHECK(c == 0);
    return 0;
}
