// One Tidy run without windows: the copy and the run configuration agree on the
// encoding, and what a validator's end says about the result.
#include "TidyTestHelpers.h"
#include "validation/TidyOptionDefaults.h"
#include "util/DocumentText.h"
#include "validation/TidyRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TstTidyRun : public QObject {
    Q_OBJECT

    TidyOptionModel model{DefaultTidyOptionTables()};
    QTemporaryDir dir;

    TidyRunRequest request(const QString &executable, const QString &text, const QString &encoding)
    {
        TidyRunRequest r;
        r.executable = executable;
        r.utf8 = text.toUtf8();
        r.encoding = encoding;
        r.model = &model;
        r.configPath = dir.filePath("tidy-cfg.tmp");
        r.reportPath = dir.filePath("stderr.txt");
        r.copyPath = dir.filePath("tmptid.htm");
        r.timeoutMs = 10000;
        return r;
    }

private slots:
    // Catches a copy written in one encoding while Tidy is told another, and
    // characters lost to "?" in an ANSI copy.
    void copyAndConfigurationAgree_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("tidyEncoding");
        QTest::addColumn<QString>("copyEncoding");
        const QString chinese = QString::fromUtf8("<p>\xe4\xb8\xad\xe6\x96\x87 \xe2\x9c\x93</p>");
        QTest::newRow("ANSI that fits") << QString::fromUtf8("<p>caf\xc3\xa9</p>") << "Ansi" << "win1252" << "Ansi";
        QTest::newRow("ANSI that cannot hold the text") << chinese << "Ansi" << "utf8" << "UTF8";
        QTest::newRow("UTF-16 holds it") << chinese << "LittleEndian" << "utf16le" << "LittleEndian";
    }

    void copyAndConfigurationAgree()
    {
        QFETCH(QString, text);
        QFETCH(QString, encoding);
        QFETCH(QString, tidyEncoding);
        QFETCH(QString, copyEncoding);
        const TidyRunResult result = RunTidy(request(QStringLiteral("/bin/true"), text, encoding));
        QCOMPARE(result.copyEncoding, copyEncoding);
        TidyConfiguration config;
        QVERIFY(TidyConfiguration::Load(dir.filePath("tidy-cfg.tmp"), &config));
        QCOMPARE(config.value("input-encoding"), tidyEncoding);
        QCOMPARE(config.value("output-encoding"), tidyEncoding);
        QByteArray expected;
        QVERIFY(DocumentText::EncodeText(text, copyEncoding, &expected));
        QCOMPARE(ReadBytes(dir.filePath("tmptid.htm")), expected);
        // A validator that wrote no report gave no result at all.
        QVERIFY(result.endedNormally());
        QCOMPARE(result.icon(), TidyResultIcon::None);
    }

    // Catches an empty report taken as a success while Tidy's exit status says otherwise (the
    // window tests run the other statuses and crashes through a stand-in).
    void exitStatusDecidesWhenTheReportSaysNothing_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<TidyResultIcon>("icon");
        QTest::newRow("2") << QByteArray(": > \"$4\"; exit 2") << TidyResultIcon::Errors;
        QTest::newRow("summary wins") << QByteArray("echo 'Tidy found 0 warnings and 1 error!' > \"$4\"; exit 1")
                                      << TidyResultIcon::Errors;
    }

    void exitStatusDecidesWhenTheReportSaysNothing()
    {
        QFETCH(QByteArray, script);
        QFETCH(TidyResultIcon, icon);
        const QString standIn = dir.filePath("tidy");
        QVERIFY(WriteScript(standIn, script));
        const TidyRunResult result = RunTidy(request(standIn, "<p>x</p>", "UTF8"));
        QCOMPARE(result.icon(), icon);
    }
};

QTEST_GUILESS_MAIN(TstTidyRun)
#include "tst_tidyrun.moc"
