// CPU time (ms) of laying out one long line of "ab " in a 300 px rectangle, wrapped at blanks
// and at any character, at n and 10 n characters, and how the time grows (x10 text should
// cost at most x12 time). Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_textlayout [n]
#include "authoring/zcftext.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The best of a few layouts, so that other work on the machine weighs less.
double layoutMs(const TTextMeasurer &measurer, const QString &text, int flags, int *lines)
{
    double best = 1e300;
    for (int run = 0; run < 5; ++run) {
        TRect rect{0, 0, 300, 100};
        const double start = threadCpuMs();
        const TTextLayout layout =
            LayoutTextInRect(measurer, text, 0, 0, true, rect, 2, 0, flags | tfMeasureOnly, 0, 0);
        best = std::min(best, threadCpuMs() - start);
        *lines = int(layout.Lines.size());
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    const TFontMeasurer measurer{QFont()};
    for (const int flags : {0, int(tfCharWrap)}) {
        double ms[2] = {0, 0};
        for (int i = 0; i < 2; ++i) {
            const int size = i == 0 ? n : 10 * n;
            const QString text = QStringLiteral("ab ").repeated(size / 3 + 1).left(size);
            int lines = 0;
            ms[i] = layoutMs(measurer, text, flags, &lines);
            std::printf("%s, %7d characters: %9.2f ms, %d lines\n", flags ? "wrap at any character" : "wrap at blanks",
                        size, ms[i], lines);
        }
        std::printf("  ratio for 10 times the text: %.1f\n", ms[1] / std::max(ms[0], 1e-3));
    }
    return 0;
}
