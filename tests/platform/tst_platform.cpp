// Platform stand-ins: single-instance lock across processes, process runner,
// Windows-1252 conversion, language identifiers, per-user store, shell open.
#include "platform/Platform.h"
#include "platform/ProcessRunner.h"
#include "platform/SingleInstance.h"

#include "TestSupport.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <cstdio>

namespace {
const char *const ChildModeVar = "VK_TST_LOCK_MODE";
const char *const ChildNameVar = "VK_TST_LOCK_NAME";
const int ChildBusy = 3;

// The test executable run as a second program start: "hold" takes the lock and
// sleeps until killed, "try" reports through its exit code whether the lock was free.
int runLockChild(const QString &mode, const QString &name)
{
    SingleInstance lock(name);
    const bool acquired = lock.acquire();
    if (mode == QLatin1String("hold")) {
        std::fputs(acquired ? "locked\n" : "busy\n", stdout);
        std::fflush(stdout);
        if (acquired)
            QThread::sleep(30);  // bounded, so a forgotten child ends on its own
    }
    return acquired ? 0 : ChildBusy;
}

void startLockChild(QProcess &child, const char *mode, const QString &name)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(ChildModeVar, mode);
    env.insert(ChildNameVar, name);
    child.setProcessEnvironment(env);
    child.setProgram(QCoreApplication::applicationFilePath());
    child.start();
}

int lockChildExitCode(const QString &name)
{
    QProcess child;
    startLockChild(child, "try", name);
    if (!child.waitForFinished(20000) || child.exitStatus() != QProcess::NormalExit)
        return -1;
    return child.exitCode();
}
} // namespace

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

class TestPlatform : public QObject {
    Q_OBJECT

    // Unique per run, so neither a running program nor a parallel test collides.
    const QString m_lockName = QStringLiteral("VelKandrix Freeware test %1 %2")
                                   .arg(QCoreApplication::applicationPid())
                                   .arg(QRandomGenerator::global()->generate());

private slots:
    // A second start must see the lock held; after the holder dies by SIGKILL (which
    // leaves the lock file behind) the next start must get it.
    void lockHeldByAnotherProcessUntilKilled()
    {
        const QString name = m_lockName + " killed";
        QProcess holder;
        startLockChild(holder, "hold", name);
        QVERIFY2(holder.waitForStarted(10000), qPrintable(holder.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(holder.canReadLine(), 10000);
        QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));

        SingleInstance second(name);
        QVERIFY2(!second.acquire(), "a running process holds the lock");
        QVERIFY2(!second.acquire(), "asking again must not steal it");

        holder.kill();
        QVERIFY(holder.waitForFinished(10000));
        QVERIFY2(QFile::exists(second.lockPath()), "SIGKILL leaves the lock file; the test relies on it");
        QVERIFY2(second.acquire(), "a lock left by a killed process blocks the next start");

        // Now this process is the first start: another process must see it held.
        QCOMPARE(lockChildExitCode(name), ChildBusy);
        second.release();
        QCOMPARE(lockChildExitCode(name), 0);
    }

    // The holder asking again must keep the lock (QLockFile alone refuses); the destructor
    // must release it and remove its file; another name is another lock.
    void lockRelockAndDestructor()
    {
        const QString name = m_lockName + " release";
        SingleInstance other(m_lockName + " other");
        QString path;
        {
            SingleInstance first(name);
            path = first.lockPath();
            QVERIFY(first.acquire());
            QVERIFY(first.acquire());
            QVERIFY(other.acquire());
        }
        QVERIFY(!QFile::exists(path));
        SingleInstance second(name);
        QVERIFY(second.acquire());
    }

    // Quoting or shell expansion of an argument would change what the program receives.
    void processArgumentsArriveUnchanged()
    {
        QTemporaryDir dir;
        const QString script = dir.filePath("folder with blanks/print args.sh");
        // NUL-separated, so arguments holding line breaks stay apart; relative file: working folder.
        QVERIFY(WriteScript(script, "printf '%s\\0' \"$@\" > args.out"));

        const QStringList args = {"plain", "two words", "", "\"quoted\"", "it's", "$HOME", "*", "a;b|c&d>e",
                                  "back\\slash", "tab\there", "line\nbreak", " edge ", QStringLiteral("é€中")};
        const ProcessResult result = RunProcess(script, args, 10000, dir.path());
        QVERIFY2(result.started, qPrintable(result.errorText));
        QVERIFY(!result.timedOut);
        QCOMPARE(result.exitCode, 0);

        // Missing output: the working folder was not the one asked for.
        QStringList received = QString::fromUtf8(ReadBytes(dir.filePath("args.out"))).split(QChar(0));
        QCOMPARE(received.takeLast(), QString());
        QCOMPARE(received, args);
    }

    // A hung program must not be left running after the time limit.
    void processTimeoutKillsProgram()
    {
        QTemporaryDir dir;
        const QString script = dir.filePath("sleeper.sh");
        QVERIFY(WriteScript(script, "echo $$ > pid.txt\nexec sleep 60"));

        QElapsedTimer clock;
        clock.start();
        const ProcessResult result = RunProcess(script, {}, 500, dir.path());
        QVERIFY(result.started);
        QVERIFY(result.timedOut);
        QCOMPARE(result.exitCode, -1);
        QVERIFY2(clock.elapsed() < 5000, "the time limit did not stop the wait");

        const pid_t pid = pid_t(ReadBytes(dir.filePath("pid.txt")).trimmed().toLongLong());
        QVERIFY(pid > 0);
        errno = 0;
        QVERIFY2(::kill(pid, 0) == -1 && errno == ESRCH, "the program still runs after the time limit");
    }

    void processOutcome_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("started");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("exitSignal");
        QTest::addColumn<QByteArray>("standardError");
        const QString sh = QStringLiteral("/bin/sh");
        QTest::newRow("crash after complaining") << sh << QStringList{"-c", "echo bad >&2; kill -SEGV $$"} << true << -1
                                                 << int(SIGSEGV) << QByteArray("bad\n");
        QTest::newRow("missing absolute path") << "/nonexistent-vk/folder/tidy" << QStringList{"x"} << false << -1 << 0
                                               << QByteArray();
    }

    // A crash or a program that never started must not pass for an exit status.
    void processOutcome()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(bool, started);
        QFETCH(int, exitCode);
        QFETCH(int, exitSignal);
        QFETCH(QByteArray, standardError);
        QElapsedTimer clock;
        clock.start();
        const ProcessResult result = RunProcess(program, arguments, 5000);
        QCOMPARE(result.started, started);
        QVERIFY(!result.timedOut);
        QCOMPARE(result.exitCode, exitCode);
        // A crash is told apart from any exit status, with its signal.
        QCOMPARE(result.crashed, exitSignal != 0);
        QCOMPARE(result.exitSignal, exitSignal);
        QCOMPARE(result.standardError, standardError);
        QCOMPARE(result.errorText.isEmpty(), started);
        QVERIFY(clock.elapsed() < 5000);
    }

    // No byte is lost reading and writing Windows-1252; the defined ones match Qt's codec.
    void ansiRoundTripsEveryByte()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = FromAnsi(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(ToAnsi(text), all);  // the five undefined bytes included
        QVERIFY(FitsInAnsi(text));

        // Where Qt has its own Windows-1252 codec, the defined bytes must agree with it.
        QStringDecoder qtDecoder("windows-1252");
        for (int b = 0x80; qtDecoder.isValid() && b < 0xA0; ++b) {
            if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D)
                QCOMPARE(text.mid(b, 1), qtDecoder.decode(QByteArray(1, char(b))));
        }
    }

    void ansiConversion_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("ansi");
        QTest::newRow("CJK") << QStringLiteral("a中b") << QByteArray("a?b");
        QTest::newRow("emoji is one ?") << QStringLiteral("x\U0001F600y") << QByteArray("x?y");
        QTest::newRow("lone surrogate") << (QStringLiteral("a") + QChar(0xD83D) + QStringLiteral("b"))
                                        << QByteArray("a?b");
        // U+0080 is not the euro sign: writing 0x80 would read back as "€".
        QTest::newRow("C1 at euro's byte") << QStringLiteral("\u0080") << QByteArray("?");
    }

    // Characters outside Windows-1252 become one "?" each and are reported as not fitting.
    void ansiConversion()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, ansi);
        QCOMPARE(ToAnsi(text), ansi);
        QVERIFY(!FitsInAnsi(text));
    }

    void languageIdOfLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("id");
        QTest::newRow("fr_CA") << "fr_CA" << 3084;
        QTest::newRow("fr, unknown territory") << "fr_BF" << 1036;
        QTest::newRow("language alone") << "it" << 1040;
        QTest::newRow("unknown language") << "xx_YY" << 0;
        QTest::newRow("empty") << "" << 0;
    }

    // A territory the table lacks falls back to its language, an unknown language to none.
    void languageIdOfLocale()
    {
        QFETCH(QString, locale);
        QFETCH(int, id);
        QCOMPARE(LanguageIdOfLocale(locale), id);
    }

    void userStore_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("comma") << "velkandrix" << "a, b";
        QTest::newRow("at sign") << "velkandrix" << "@Variant(0)";
        QTest::newRow("blanks, = and ;") << "my editor.bin" << " x = y; z ";
        QTest::newRow("non-ASCII") << "éditeur" << "é€中";
        QTest::newRow("empty") << "velkandrix" << "";
    }

    // Values that an INI file would parse (lists, variants, blanks) must read back unchanged.
    void userStore()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        const QString group = QStringLiteral("FEATURE_BROWSER_EMULATION");
        QTemporaryDir dir;
        const QString file = dir.filePath("store.ini");
        SetUserStoreFile(file);

        QVERIFY(!UserStoreHasValue(group, key));
        SetUserStoreValue(group, key, value);
        QVERIFY2(QFile::exists(file), "the value belongs in the chosen file");
        QVERIFY(UserStoreHasValue(group, key));  // an empty value is still a value
        QCOMPARE(UserStoreValue(group, key), value);
    }

    // "#" or "%" in a file name must not be read as a fragment or an escape.
    void shellOpenUrls()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("file", &catcher, "open");
        QDesktopServices::setUrlHandler("https", &catcher, "open");
        QTemporaryDir dir;
        const QString oldCurrent = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const bool fileOpened = ShellOpen(dir.filePath("page #1 100%.htm"));
        const bool relativeOpened = ShellOpen("relative name.htm");
        const bool addressOpened = ShellOpen("https://example.org/a%20b?q=1#top");
        QDir::setCurrent(oldCurrent);
        QDesktopServices::unsetUrlHandler("file");
        QDesktopServices::unsetUrlHandler("https");

        QVERIFY(fileOpened && relativeOpened && addressOpened);
        QCOMPARE(catcher.urls.size(), 3);
        QCOMPARE(catcher.urls[0].toLocalFile(), dir.filePath("page #1 100%.htm"));
        QCOMPARE(catcher.urls[1].toLocalFile(), QDir(dir.path()).absoluteFilePath("relative name.htm"));
        QCOMPARE(catcher.urls[2], QUrl("https://example.org/a%20b?q=1#top"));
    }
};

int main(int argc, char **argv)
{
    const QString childMode = qEnvironmentVariable(ChildModeVar);
    if (!childMode.isEmpty()) {
        QCoreApplication app(argc, argv);
        return runLockChild(childMode, qEnvironmentVariable(ChildNameVar));
    }
    QApplication app(argc, argv);
    TestPlatform test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platform.moc"
