// Time to write the markup of the largest table the generator allows (1000 by 1000 cells),
// with and without merges over rows and columns. Run by hand:
//   bench/bench_tablemarkup [columns] [rows]
#include "authoring/GeneratorMarkup.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int columns = argc > 1 ? atoi(argv[1]) : 1000;
    const int rows = argc > 2 ? atoi(argv[2]) : 1000;
    CellMatrix cells(columns, QVector<TCellState>(rows));
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r)
            cells[c][r].Style = CellStyle(1, QStringLiteral("dotted"), QStringLiteral("#123456"),
                                          (c + r) % 2 ? QStringLiteral("#FFEE00") : QStringLiteral("#FFFFFF"));
    // 2 by 2 blocks on every fourth column and row.
    QList<QRect> merges;
    for (int c = 0; c + 1 < columns; c += 4)
        for (int r = 0; r + 1 < rows; r += 4)
            merges << QRect(c, r, 2, 2);

    for (const bool merged : {false, true}) {
        QElapsedTimer timer;
        timer.start();
        const QString markup = TableMarkup(TableOptions(), cells, merged ? merges : QList<QRect>{});
        std::printf("%d x %d cells, %lld merges: %lld ms, %lld MB of markup\n", columns, rows,
                    merged ? qint64(merges.size()) : 0LL, timer.elapsed(), qint64(markup.size()) * 2 / 1000000);
    }
    return 0;
}
