// Start-up of the real program, in a temporary copy of its folder: with no document, and
// with a page of the given size reopened as a file left open at the last exit. Prints the
// time from launch to the window first painted, and the resident memory of the program
// and of all its child processes (the browser engine's) once start-up has settled.
// Figures are medians of the runs. The program's own figure includes the OpenGL driver
// that linking the browser engine has Qt load with the application object (with Mesa,
// some 50 MB of it the LLVM library), whether or not a browser is ever shown.
// Without a display an Xvfb server of its own is used, or Qt's offscreen platform when
// there is no Xvfb.
// Run by hand: build/bench/bench_startup [megabytes [runs]]
#include "TestSupport.h"

#include "program/VkSettings.h"
#include "validation/TidyOptionDefaults.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const double MB = 1024.0 * 1024.0;

struct Sample {
    double rss = 0;      // the program, bytes
    double childRss = 0; // all its descendants
    double pss = 0;      // program and descendants, shared pages divided among their users
    int children = 0;
    int engines = 0;     // browser-engine processes among them
};

// A number of kB after a "Key:" line of a /proc file.
double procField(const QString &path, const QByteArray &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toDouble() * 1024;
    }
    return 0;
}

// Every process below the given one.
QList<qint64> descendants(qint64 root)
{
    QHash<qint64, QList<qint64>> children;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (!number)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // The name in parentheses may hold blanks: the fields after it are "state ppid ...".
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        children[fields.value(1).toLongLong()] << pid;
    }
    QList<qint64> found;
    QList<qint64> todo{root};
    while (!todo.isEmpty()) {
        for (qint64 child : children.value(todo.takeFirst())) {
            found << child;
            todo << child;
        }
    }
    return found;
}

Sample sample(qint64 pid)
{
    Sample s;
    s.rss = procField(QStringLiteral("/proc/%1/status").arg(pid), "VmRSS:");
    s.pss = procField(QStringLiteral("/proc/%1/smaps_rollup").arg(pid), "Pss:");
    for (qint64 child : descendants(pid)) {
        ++s.children;
        s.childRss += procField(QStringLiteral("/proc/%1/status").arg(child), "VmRSS:");
        s.pss += procField(QStringLiteral("/proc/%1/smaps_rollup").arg(child), "Pss:");
        QFile exe(QStringLiteral("/proc/%1/cmdline").arg(child));
        if (exe.open(QIODevice::ReadOnly) && exe.readAll().contains("QtWebEngineProcess"))
            ++s.engines;
    }
    return s;
}

struct Run {
    double shownSeconds = -1;
    Sample memory;
};

// A page of about the given size: a long table, as generated reports are.
QByteArray makePage(qint64 size)
{
    QByteArray page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<title>Large page</title>\n</head>\n<body>\n<table>\n";
    for (int i = 0; page.size() < size; ++i)
        page += "<tr><td class=\"n\">" + QByteArray::number(i) + "</td><td><a href=\"item" + QByteArray::number(i) +
                ".html\">Item " + QByteArray::number(i) + "</a></td><td>A line of text &amp; more.</td></tr>\n";
    return page + "</table>\n</body>\n</html>\n";
}

// The program in a fresh copy of its folder, its settings naming the documents to reopen.
Run startOnce(const QProcessEnvironment &environment, const QString &page)
{
    Run run;
    TempProgramFolder folder;
    const QString program = folder.file(QStringLiteral("velkandrix"));
    if (!folder.isValid() || !QFile::copy(BuiltProgramFolder() + "/velkandrix", program)) {
        std::fprintf(stderr, "cannot copy the program folder\n");
        return run;
    }
    VkSettings settings;
    ReadSettingsText(EncodeSettingsText(FirstRunSettingsText(DefaultTidyOptionTables(), 0, 0)), settings);
    if (!page.isEmpty())
        settings.LastFiles = {page};
    QString error;
    if (!WriteSettingsFile(folder.file(QStringLiteral("velkandrix.ini")), SaveSettingsText(settings), &error)) {
        std::fprintf(stderr, "cannot write the settings: %s\n", qPrintable(error));
        return run;
    }

    // Lock file, user store and caches inside the copy: nothing of the user's is touched.
    QProcessEnvironment env = environment;
    for (const char *name : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"}) {
        const QString dir = folder.file(QString::fromLatin1(name).toLower());
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QString::fromLatin1(name), dir);
    }
    env.insert(QStringLiteral("VK_REPORT_SHOWN"), QStringLiteral("1"));

    QProcess process;
    process.setProcessEnvironment(env);
    const QString errors = folder.file(QStringLiteral("stderr.txt"));
    process.setStandardErrorFile(errors);
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    QByteArray out;
    while (!out.contains("window shown") && clock.elapsed() < 60000 && process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(100);
        out += process.readAllStandardOutput();
    }
    if (!out.contains("window shown")) {
        std::fprintf(stderr, "the window was not shown (exit status %d):\n%s\n", process.exitCode(),
                     ReadBytes(errors).constData());
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.shownSeconds = clock.nsecsElapsed() / 1e9;

    // Settled: the whole tree moved by less than 1 MB over the last second (at most 30 s).
    const qint64 pid = process.processId();
    std::vector<double> totals;
    QList<qint64> seen;
    while (clock.elapsed() < run.shownSeconds * 1000 + 30000) {
        QThread::msleep(250);
        run.memory = sample(pid);
        for (qint64 child : descendants(pid))
            if (!seen.contains(child))
                seen << child;
        totals.push_back(run.memory.rss + run.memory.childRss);
        if (totals.size() >= 8) {
            const auto last = totals.end() - 5;
            const auto [low, high] = std::minmax_element(last, totals.end());
            if (*high - *low < MB)
                break;
        }
    }
    process.terminate();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
    }
    // Engine processes left behind by the ended program are ours to end too.
    for (qint64 child : seen) {
        if (QFile::exists(QStringLiteral("/proc/%1").arg(child)))
            ::kill(pid_t(child), SIGKILL);
    }
    return run;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Figures {
    double shown, rss, childRss, pss, total;
    int children, engines;
};

Figures measure(const QProcessEnvironment &env, const QString &page, int runs)
{
    std::vector<double> shown, rss, childRss, pss;
    Figures f{};
    for (int i = 0; i < runs; ++i) {
        const Run run = startOnce(env, page);
        if (run.shownSeconds < 0)
            continue;
        shown.push_back(run.shownSeconds);
        rss.push_back(run.memory.rss);
        childRss.push_back(run.memory.childRss);
        pss.push_back(run.memory.pss);
        f.children = std::max(f.children, run.memory.children);
        f.engines = std::max(f.engines, run.memory.engines);
    }
    f.shown = median(shown);
    f.rss = median(rss);
    f.childRss = median(childRss);
    f.pss = median(pss);
    f.total = f.rss + f.childRss;
    return f;
}

void print(const char *name, const Figures &f)
{
    std::printf("%-12s %9.3f s %9.1f MB %9.1f MB %6d %6d %9.1f MB %9.1f MB\n", name, f.shown, f.rss / MB,
                f.childRss / MB, f.children, f.engines, f.total / MB, f.pss / MB);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 3;

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QProcess xvfb;
    QString platform = env.value(QStringLiteral("QT_QPA_PLATFORM"));
    if (platform.isEmpty() && env.value(QStringLiteral("DISPLAY")).isEmpty()) {
        const QString server = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (!server.isEmpty()) {
            // The server writes the number of the display it found free on its standard output.
            xvfb.start(server, {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
            QByteArray display;
            while (!display.contains('\n') && xvfb.waitForReadyRead(10000))
                display += xvfb.readAllStandardOutput();
            if (display.trimmed().isEmpty()) {
                std::fprintf(stderr, "Xvfb did not start\n");
                return 1;
            }
            env.insert(QStringLiteral("DISPLAY"), ":" + QString::fromLatin1(display.trimmed()));
            platform = "xcb, Xvfb " + env.value(QStringLiteral("DISPLAY"));
        } else {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            platform = QStringLiteral("offscreen");
        }
    } else if (platform.isEmpty()) {
        platform = "xcb, " + env.value(QStringLiteral("DISPLAY"));
    }

    QTemporaryDir pages;
    const QString page = pages.filePath(QStringLiteral("large.html"));
    const QByteArray text = makePage(qint64(megabytes) * 1024 * 1024);
    if (!WriteBytes(page, text)) {
        std::fprintf(stderr, "cannot write the page\n");
        return 1;
    }

    std::printf("platform: %s; medians of %d runs; memory once settled\n", qPrintable(platform), runs);
    std::printf("%-12s %11s %12s %12s %6s %6s %12s %12s\n", "start", "to window", "program RSS", "children RSS",
                "procs", "engine", "total RSS", "total PSS");
    const Figures empty = measure(env, QString(), runs);
    print("no document", empty);
    const QByteArray name = QByteArray::number(megabytes) + " MB page";
    const Figures large = measure(env, page, runs);
    print(name.constData(), large);

    const double emptyTarget = 100 * MB;
    const double largeTarget = empty.total + 2.5 * text.size();
    std::printf("\nno document: %.1f MB of 100 MB allowed (%.2f), %d browser-engine processes (0 allowed)\n",
                empty.total / MB, empty.total / emptyTarget, empty.engines);
    std::printf("%s: %.1f MB of %.1f MB allowed, the empty start plus 2.5 times the file (%.2f); "
                "growth %.2f times the file\n",
                name.constData(), large.total / MB, largeTarget / MB, large.total / largeTarget,
                (large.total - empty.total) / text.size());
    if (xvfb.state() != QProcess::NotRunning) {
        xvfb.terminate();
        xvfb.waitForFinished(5000);
    }
    return 0;
}
