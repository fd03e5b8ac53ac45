// Opening and saving 10 MB and 100 MB pages in each of the five encodings through the main
// window, against QScintilla's own setText of the same text in UTF-8. Each case runs in a
// child process of its own, so that one case's peak memory does not hide another's; the
// figures are medians of three runs.
// Run by hand: build/bench/bench_largefiles [megabytes...]
#include "TestSupport.h"

#include "core/reMainForm.h"
#include "../tests/core/MainFormTestSupport.h"
#include "util/DocumentText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <Qsci/qsciscintilla.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

qint64 currentRss()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

qint64 peakRss()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024;
}

// Starts a new peak from the present size, so the save's peak is not the open's.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// A page of about the given size in UTF-8, with accents and the euro sign ANSI holds too.
QString makePage(qint64 utf8Bytes)
{
    QByteArray page = "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n<title>Grande page</title>\n"
                      "</head>\n<body>\n";
    for (int i = 0; page.size() < utf8Bytes; ++i)
        page += "<div class=\"row\"><p>Paragraphe n\xC2\xB0 " + QByteArray::number(i) +
                " \xE2\x80\x94 caf\xC3\xA9, cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e &amp; 5 \xE2\x82\xAC.</p></div>\n";
    page += "</body>\n</html>\n";
    return QString::fromUtf8(page);
}

// In the child: one open and one save of the file through the main window, or the raw
// setText of its UTF-8 text. Prints "ms peak ms peak".
int runChild(const QString &mode, const QString &path, int argc, char **argv)
{
    PrepareWindowTestEnvironment();
    QApplication app(argc, argv);
    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    TMainForm form;
    form.show();
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    double openMs = 0, saveMs = 0;
    qint64 openPeak = 0, savePeak = 0;
    if (mode == QLatin1String("raw")) {
        QString text;
        {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                return 1;
            text = QString::fromUtf8(file.readAll());
        }
        newDocument(&form);  // a fresh tab, as opening makes
        QsciScintilla *editor = currentEditor(&form);
        QCoreApplication::processEvents();
        resetPeak();
        const qint64 before = currentRss();
        timer.start();
        editor->setText(text);
        QCoreApplication::processEvents();
        openMs = timer.nsecsElapsed() / 1e6;
        openPeak = peakRss() - before;
        editor->setModified(false);
    } else {
        resetPeak();
        const qint64 before = currentRss();
        timer.start();
        OpenThroughDialog(&form, &dialogs, path);
        if (!currentDocument(&form) || currentDocument(&form)->isUntitled())
            return 1;
        QCoreApplication::processEvents();
        openMs = timer.nsecsElapsed() / 1e6;
        openPeak = peakRss() - before;

        currentDocument(&form)->setModified(true);
        resetPeak();
        const qint64 beforeSave = currentRss();
        timer.start();
        if (!save(&form))
            return 1;
        saveMs = timer.nsecsElapsed() / 1e6;
        savePeak = peakRss() - beforeSave;
    }
    std::printf("%.1f %lld %.1f %lld\n", openMs, static_cast<long long>(openPeak), saveMs,
                static_cast<long long>(savePeak));
    std::fflush(stdout);
    form.close();
    return 0;
}

// In a child too: the peak a process starts with is its parent's at the time of the fork,
// so the parent never holds a page.
int writePages(int megabytes, const QString &folder)
{
    const QString page = makePage(qint64(megabytes) * 1024 * 1024);
    for (const QString &encoding : DocumentText::EncodingNames()) {
        QByteArray bytes;
        DocumentText::EncodeText(page, encoding, &bytes);
        QFile file(QStringLiteral("%1/page-%2-%3.html").arg(folder).arg(megabytes).arg(encoding));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return 1;
    }
    return 0;
}

struct Figures {
    double openMs = 0, saveMs = 0;
    double openPeak = 0, savePeak = 0;  // bytes
    bool ok = false;
};

Figures childOnce(const QString &mode, const QString &path)
{
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), mode, path});
    Figures f;
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return f;
    const QList<QByteArray> v = process.readAllStandardOutput().trimmed().split('\n').last().split(' ');
    if (v.size() != 4)
        return f;
    f.openMs = v[0].toDouble();
    f.openPeak = v[1].toDouble();
    f.saveMs = v[2].toDouble();
    f.savePeak = v[3].toDouble();
    f.ok = true;
    return f;
}

// The median of three runs of each figure: the machine's other work skews single runs.
Figures child(const QString &mode, const QString &path)
{
    std::vector<Figures> runs;
    for (int i = 0; i < 3; ++i) {
        runs.push_back(childOnce(mode, path));
        if (!runs.back().ok)
            return runs.back();
    }
    const auto median = [&runs](double Figures::*field) {
        std::vector<double> values;
        for (const Figures &f : runs)
            values.push_back(f.*field);
        std::sort(values.begin(), values.end());
        return values[1];
    };
    Figures f;
    f.openMs = median(&Figures::openMs);
    f.saveMs = median(&Figures::saveMs);
    f.openPeak = median(&Figures::openPeak);
    f.savePeak = median(&Figures::savePeak);
    f.ok = true;
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--child") == 0)
        return runChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), 1, argv);
    if (argc == 4 && qstrcmp(argv[1], "--pages") == 0)
        return writePages(QByteArray(argv[2]).toInt(), QString::fromLocal8Bit(argv[3]));

    QCoreApplication app(argc, argv);
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QByteArray(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {10, 100};
    QTemporaryDir dir;
    const double mb = 1024.0 * 1024.0;
    for (const int size : sizes) {
        if (QProcess::execute(QCoreApplication::applicationFilePath(),
                              {QStringLiteral("--pages"), QString::number(size), dir.path()}) != 0)
            return 1;
        const auto pathOf = [&](const QString &encoding) {
            return dir.filePath(QStringLiteral("page-%1-%2.html").arg(size).arg(encoding));
        };
        // The raw case reads its own file, which the saves leave alone.
        const QString utf8Path = dir.filePath(QStringLiteral("page-%1-raw.html").arg(size));
        QFile::copy(pathOf(DocumentText::Utf8), utf8Path);
        const Figures raw = child(QStringLiteral("raw"), utf8Path);
        const double textBytes = QFileInfo(utf8Path).size();
        std::printf("\n%d MB page (%.1f MB of UTF-8 text)\n", size, textBytes / mb);
        std::printf("raw setText:   %8.1f ms, peak extra %7.1f MB (%.2f x text)\n", raw.openMs, raw.openPeak / mb,
                    raw.openPeak / textBytes);
        std::printf("%-13s %9s %9s %12s %9s %12s %9s\n", "encoding", "file MB", "open ms", "open peak MB", "x file",
                    "save ms", "save peak MB");
        for (const QString &encoding : DocumentText::EncodingNames()) {
            const QString path = pathOf(encoding);
            const double fileBytes = QFileInfo(path).size();
            const Figures f = child(QStringLiteral("open"), path);
            if (!f.ok) {
                std::printf("%-13s failed\n", qPrintable(encoding));
                continue;
            }
            std::printf("%-13s %9.1f %9.1f %12.1f %9.2f %12.1f %9.1f   open/raw %.2f\n", qPrintable(encoding),
                        fileBytes / mb, f.openMs, f.openPeak / mb, f.openPeak / fileBytes, f.saveMs, f.savePeak / mb,
                        f.openMs / raw.openMs);
        }
        std::fflush(stdout);
    }
    std::printf("\nGoals at 100 MB: UTF-8 peak at most 3.5 x file and open at most 1.2 x raw setText; "
                "other encodings peak at most 4.5 x file.\n");
    return 0;
}
