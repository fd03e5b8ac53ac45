// The report parser on the real Tidy 5 and on stored reports, and the
// position of a message in the document.
#include "TidyTestHelpers.h"
#include "program/MessagesKandrix.h"
#include "validation/TidyReport.h"

#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(TidyResultIcon)

namespace {
// Writes the page into a folder whose name has a blank and runs Tidy on it
// with its defaults plus the given options.
TidyReport runTidyOn(const QTemporaryDir &dir, const QByteArray &page, const QStringList &options = {})
{
    const QString path = dir.filePath("my pages/tmptid.htm");
    WriteBytes(path, page);
    const QString report = dir.filePath("stderr.txt");
    QFile::remove(report);
    RunTidyProcess(options + QStringList{"-f", report, "-e", path});
    const std::optional<TidyReport> parsed = TidyReport::Load(report);
    return parsed.value_or(TidyReport());
}

int countLinesWith(const QString &text, const QString &needle)
{
    int n = 0;
    for (const QString &line : text.split('\n'))
        n += line.contains(needle) ? 1 : 0;
    return n;
}

const QByteArray brokenPage =
    "<!DOCTYPE html>\n<html lang=\"en\">\n<head><title>t</title></head>\n<body>\n"
    "<p>Hello <b>world\n"
    "\t<foo>x</foo></p>\n"
    "<p>a&b</p>\n</body>\n</html>\n";
} // namespace

class TstTidyReport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        SValidationByTidy = "Validation by HTML Tidy %s";
        FValidationSuccess = "No problem found.";
    }

    // The list, the counts, the icon and Tidy's own summary from a real run.
    void realTidy5Report()
    {
        REQUIRE_TIDY();
        QTemporaryDir dir;
        const TidyReport report = runTidyOn(dir, brokenPage);
        const QString raw = QString::fromUtf8(ReadBytes(dir.filePath("stderr.txt")));
        QVERIFY(!raw.isEmpty());
        QCOMPARE(report.errors, countLinesWith(raw, " - Error:"));
        QCOMPARE(report.warnings, countLinesWith(raw, " - Warning:"));
        QVERIFY(report.errors >= 1 && report.warnings >= 3);
        QCOMPARE(report.icon(), TidyResultIcon::Errors);
        QCOMPARE(report.messages.size(), countLinesWith(raw, "line ") + countLinesWith(raw, "Info:"));
        QVERIFY(report.messages.first().text.startsWith("line "));
        QVERIFY(report.hasSummary);
        QVERIFY2(report.summary.first().startsWith("Tidy found "), qPrintable(report.summary.first()));
        QVERIFY(report.summary.contains("This document has errors that must be fixed before"));

        const QString pane = TidyInfoPaneText(report, TidyReportHeader(5));
        QVERIFY(pane.startsWith("Validation by HTML Tidy 5\r\n\r\ntidy found "));
        QVERIFY(pane.contains("this document has errors that must be fixed before"));
        QVERIFY(!pane.contains("No problem found."));
    }

    // Tidy lists at most show-errors errors; the counts must still be its own.
    void countsIncludeMessagesTidyDidNotShow()
    {
        REQUIRE_TIDY();
        QByteArray page = "<!DOCTYPE html><html><head><title>t</title></head><body>\n";
        for (int i = 0; i < 9; ++i)
            page += "<foo>x</foo>\n";
        page += "</body></html>\n";
        QTemporaryDir dir;
        const TidyReport report = runTidyOn(dir, page, {"--show-errors", "3"});
        QCOMPARE(report.errors, 9);
        int listed = 0;
        for (const TidyMessage &m : report.messages)
            listed += m.kind == TidyMessageKind::Error ? 1 : 0;
        QVERIFY(listed < 9);
        QVERIFY(report.summary.first().contains("Not all warnings/errors were shown."));
    }

    void storedReports_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("errors");
        QTest::addColumn<int>("warnings");
        QTest::addColumn<TidyResultIcon>("icon");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("summaryLines");
        QTest::newRow("tidy 4 errors") << "tidy4_errors.txt" << 1 << 3 << TidyResultIcon::Errors
                                       << QList<int>{1, 2, 3, 4, 5} << 6;
        QTest::newRow("tidy 4 accessibility") << "tidy4_access.txt" << 0 << 1 << TidyResultIcon::Warnings
                                              << QList<int>{0, 1, 2, 6, 7, 8, 10} << 2;
        QTest::newRow("tidy 4 clean") << "tidy4_clean.txt" << 0 << 0 << TidyResultIcon::Success << QList<int>{0} << 3;
        // Quiet mode writes nothing: the report tells no result, Tidy's exit status does.
        QTest::newRow("empty") << "empty.txt" << 0 << 0 << TidyResultIcon::None << QList<int>{} << 0;
        // A warning whose text says "error" is one warning; a positioned Info line is listed once.
        QTest::newRow("no summary") << "no_summary.txt" << 1 << 2 << TidyResultIcon::Errors << QList<int>{0, 1, 2, 3}
                                    << 0;
        // Tidy could not read the copy: that is no success.
        QTest::newRow("not a file") << "not_a_file.txt" << 0 << 0 << TidyResultIcon::None << QList<int>{} << 3;
    }
    void storedReports()
    {
        QFETCH(QString, file);
        QFETCH(int, errors);
        QFETCH(int, warnings);
        QFETCH(TidyResultIcon, icon);
        QFETCH(QList<int>, rows);
        QFETCH(int, summaryLines);
        const QString path = QFINDTESTDATA("data/" + file);
        QVERIFY(!path.isEmpty());
        const std::optional<TidyReport> report = TidyReport::Load(path);
        QVERIFY(report.has_value());
        QCOMPARE(report->errors, errors);
        QCOMPARE(report->warnings, warnings);
        QCOMPARE(report->icon(), icon);
        QList<int> reportRows;
        for (const TidyMessage &m : report->messages)
            reportRows << m.reportLine;
        QCOMPARE(reportRows, rows);
        // The summary runs to the end of the report, blank lines included.
        QCOMPARE(report->summary.size(), summaryLines);
        QVERIFY(!report->summary.join('\n').contains('\r'));

        const QString pane = TidyInfoPaneText(*report, TidyReportHeader(4));
        QVERIFY(pane.startsWith("Validation by HTML Tidy 4\r\n\r\n"));
        QCOMPARE(pane.contains("No problem found."), icon == TidyResultIcon::Success);
    }

    void missingReportAndStrayBytes()
    {
        QVERIFY(!TidyReport::Load("/nonexistent/stderr.txt").has_value());
        // Tidy 5 writing UTF-16 leaves a NUL after each line end of its report.
        static const char bytes[] = "line 1 column 65 - Warning: missing </b> before </p>\n\0Info: x\n\0"
                                    "Tidy found 1 warning and 0 errors!\n\0";
        const TidyReport report = TidyReport::ParseBytes(QByteArray(bytes, sizeof bytes - 1));
        QCOMPARE(report.messages.size(), 2);
        QCOMPARE(report.messages.at(1).text, QString("Info: x"));
        QCOMPARE(report.warnings, 1);
        QCOMPARE(report.summary, QStringList{"Tidy found 1 warning and 0 errors!"});
        // Only Tidy's summary is lowered in the pane: a report without one may name a path.
        const TidyReport unread = TidyReport::ParseBytes("Document: \"/Home/Page.htm\" is not a file!\n");
        QVERIFY(TidyInfoPaneText(unread, "header").contains("Document: \"/Home/Page.htm\""));
    }

    void messagePosition_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("lineNumber");
        QTest::addColumn<int>("column");
        QTest::newRow("tidy 5") << "line 6 column 10 - Warning: missing </b> before </p>" << 6 << 10;
        QTest::newRow("case") << "Line 12 Column 5 - warning: x" << 12 << 5;
        QTest::newRow("info") << "Info: Document content looks like HTML5" << 0 << 0;
        QTest::newRow("line without column") << "line 3 - Warning: x" << 0 << 0;
        QTest::newRow("words without numbers") << "This line names a column" << 0 << 0;
    }
    void messagePosition()
    {
        QFETCH(QString, line);
        QFETCH(int, lineNumber);
        QFETCH(int, column);
        const std::optional<TidyPosition> pos = TidyMessagePosition(line);
        QCOMPARE(pos.has_value(), lineNumber > 0);
        if (pos) {
            QCOMPARE(pos->line, lineNumber);
            QCOMPARE(pos->column, column);
        }
    }

    void columnToIndex_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("tabSize");
        QTest::addColumn<int>("index");
        QTest::newRow("no tab") << "abc<foo>" << 4 << 8 << 3;
        QTest::newRow("leading tab") << "\t<foo>" << 9 << 8 << 1;
        QTest::newRow("tab after text") << "abcdefg\tx<foo>" << 10 << 8 << 9;
        QTest::newRow("two tabs") << "\t\t<foo>" << 17 << 8 << 2;
        QTest::newRow("tab size 4") << "ab\t<foo>" << 5 << 4 << 3;
        QTest::newRow("tab size 0") << "ab\t<foo>" << 4 << 0 << 3;
        QTest::newRow("accents") << QString::fromUtf8("éé\t<foo>") << 9 << 8 << 3;
        QTest::newRow("outside the basic plane") << QString::fromUtf8("😀<b>") << 2 << 8 << 2;
        QTest::newRow("beyond the line") << "ab" << 40 << 8 << 2;
    }
    void columnToIndex()
    {
        QFETCH(QString, text);
        QFETCH(int, column);
        QFETCH(int, tabSize);
        QFETCH(int, index);
        QCOMPARE(TidyColumnToIndex(text, column, tabSize), index);
    }
};

QTEST_GUILESS_MAIN(TstTidyReport)
#include "tst_tidyreport.moc"
