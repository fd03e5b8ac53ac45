#include "validation/TidyReport.h"

#include "program/MessagesKandrix.h"
#include "platform/Platform.h"
#include "util/uDivIni.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

const QRegularExpression &positionPattern()
{
    static const QRegularExpression re(QStringLiteral("\\bline\\s+(\\d+)\\s+column\\s+(\\d+)"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QRegularExpression &lineStartPattern()
{
    static const QRegularExpression re(QStringLiteral("^line\\s+\\d+\\s+column\\s+\\d+"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

// The kind word of a message: after " - " when the line names a position, or
// at the start of the line.
const QRegularExpression &kindAfterPositionPattern()
{
    static const QRegularExpression re(
        QStringLiteral("\\bline\\s+\\d+\\s+column\\s+\\d+\\s*-\\s*([A-Za-z]+)\\s*:"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QRegularExpression &kindAtStartPattern()
{
    static const QRegularExpression re(QStringLiteral("^(info|warning|error|access)\\s*:"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

// Tidy 5: "Tidy found 11 warnings and 1 error!", perhaps followed by
// "Not all warnings/errors were shown."
const QRegularExpression &tidy5SummaryPattern()
{
    static const QRegularExpression re(
        QStringLiteral("^tidy found \\d+ warnings? and \\d+ errors?!"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QRegularExpression &warningCountPattern()
{
    static const QRegularExpression re(QStringLiteral("(\\d+)\\s+warnings?\\b"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QRegularExpression &errorCountPattern()
{
    static const QRegularExpression re(QStringLiteral("(\\d+)\\s+errors?\\b"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

TidyMessageKind kindOfWord(QStringView word)
{
    const auto is = [word](QLatin1String w) { return word.compare(w, Qt::CaseInsensitive) == 0; };
    if (is(QLatin1String("info")))
        return TidyMessageKind::Info;
    if (is(QLatin1String("warning")))
        return TidyMessageKind::Warning;
    if (is(QLatin1String("error")))
        return TidyMessageKind::Error;
    if (is(QLatin1String("access")))
        return TidyMessageKind::Access;
    return TidyMessageKind::Other;
}

int countIn(const QRegularExpression &re, const QString &line)
{
    const QRegularExpressionMatch m = re.match(line);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// Fast path for the usual message line "line N column M - Kind: ...": true and the
// kind when the line has that form; the patterns above handle everything else.
bool scanPositionedLine(const QString &t, TidyMessageKind *kind, int *line, int *column)
{
    const int n = int(t.size());
    int i = 0;
    auto skipBlanks = [&] {
        while (i < n && t[i].isSpace())
            ++i;
    };
    auto word = [&](QLatin1String w) {
        if (QStringView(t).mid(i, w.size()).compare(w, Qt::CaseInsensitive) != 0)
            return false;
        i += int(w.size());
        return true;
    };
    auto number = [&](int *value) {
        const int start = i;
        *value = 0;
        while (i < n && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9') && *value < 100000000)
            *value = *value * 10 + (t[i++].unicode() - '0');
        while (i < n && t[i].isDigit())
            ++i;
        return i > start;
    };
    if (!word(QLatin1String("line")) || i >= n || !t[i].isSpace())
        return false;
    skipBlanks();
    if (!number(line))
        return false;
    skipBlanks();
    if (!word(QLatin1String("column")))
        return false;
    skipBlanks();
    if (!number(column))
        return false;
    skipBlanks();
    if (i >= n || t[i] != QLatin1Char('-'))
        return false;
    ++i;
    skipBlanks();
    const int start = i;
    while (i < n && t[i].isLetter())
        ++i;
    const int end = i;
    skipBlanks();
    if (end == start || i >= n || t[i] != QLatin1Char(':'))
        return false;
    *kind = kindOfWord(QStringView(t).mid(start, end - start));
    return true;
}

void dropBlankEnds(QStringList &lines)
{
    while (!lines.isEmpty() && lines.first().trimmed().isEmpty())
        lines.removeFirst();
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
}

} // namespace

TidyResultIcon TidyReport::icon() const
{
    if (errors > 0)
        return TidyResultIcon::Errors;
    if (warnings > 0)
        return TidyResultIcon::Warnings;
    // Without a summary (Tidy's quiet mode) the report does not say how the run
    // went: Tidy's exit status does.
    return hasSummary ? TidyResultIcon::Success : TidyResultIcon::None;
}

TidyReport TidyReport::Parse(const QString &text)
{
    TidyReport report;
    const QStringList lines = SplitSettingsLines(text);

    int countedErrors = 0;
    int countedWarnings = 0;
    int summaryErrors = 0;
    int summaryWarnings = 0;
    bool inSummary = false;
    QStringList otherText;
    report.messages.reserve(lines.size());

    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const QString t = line.trimmed();
        TidyMessageKind scannedKind = TidyMessageKind::Other;
        int scannedLine = 0;
        int scannedColumn = 0;
        const bool scanned = scanPositionedLine(t, &scannedKind, &scannedLine, &scannedColumn);

        // Tidy 4 closes with "... were found!"; those lines stay out of the summary text.
        const bool tidy4Summary = !scanned && t.contains(QLatin1String("were found!"), Qt::CaseInsensitive);
        const bool tidy5Summary = !scanned && t.startsWith(QLatin1String("tidy found"), Qt::CaseInsensitive) &&
                                  tidy5SummaryPattern().match(t).hasMatch();
        const bool noneFound = !scanned && t.startsWith(QLatin1String("no warnings or errors were found"),
                                                        Qt::CaseInsensitive);
        if (!inSummary && (tidy4Summary || tidy5Summary || noneFound)) {
            inSummary = true;
            report.hasSummary = true;
            summaryWarnings = countIn(warningCountPattern(), t);
            summaryErrors = countIn(errorCountPattern(), t);
        }
        // A message line after the summary (older reports put accessibility
        // messages there) still belongs to the list.
        if (inSummary && !scanned && !lineStartPattern().match(t).hasMatch()) {
            if (!tidy4Summary)
                report.summary.append(line);
            continue;
        }

        TidyMessage message;
        message.reportLine = i;
        message.text = line;
        const QRegularExpressionMatch positioned =
            scanned ? QRegularExpressionMatch() : kindAfterPositionPattern().match(t);
        if (scanned) {
            message.kind = scannedKind;
            message.line = scannedLine;
            message.column = qMax(1, scannedColumn);
        } else if (positioned.hasMatch()) {
            message.kind = kindOfWord(positioned.capturedView(1));
        } else if (positionPattern().match(t).hasMatch()) {
            message.kind = TidyMessageKind::Other;
        } else {
            const QRegularExpressionMatch atStart = kindAtStartPattern().match(t);
            if (!atStart.hasMatch()) {
                otherText.append(line);
                continue;
            }
            message.kind = kindOfWord(atStart.capturedView(1));
        }
        if (!scanned) {
            if (const std::optional<TidyPosition> position = TidyMessagePosition(line)) {
                message.line = position->line;
                message.column = position->column;
            }
        }
        if (message.kind == TidyMessageKind::Error)
            ++countedErrors;
        else if (message.kind == TidyMessageKind::Warning)
            ++countedWarnings;
        report.messages.append(message);
    }

    // Tidy's numbers count the messages it did not show too (show-errors).
    report.errors = qMax(summaryErrors, countedErrors);
    report.warnings = qMax(summaryWarnings, countedWarnings);

    if (!report.hasSummary && report.messages.isEmpty())
        report.summary = otherText;
    dropBlankEnds(report.summary);
    return report;
}

TidyReport TidyReport::ParseBytes(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                          : QStringDecoder::Utf16BE);
        return Parse(utf16.decode(bytes.mid(2)));
    }
    QByteArray clean = bytes;
    if (clean.contains('\0'))
        clean.replace('\0', QByteArray());
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(clean);
    if (!utf8.hasError())
        return Parse(text);
    return Parse(FromAnsi(clean));
}

std::optional<TidyReport> TidyReport::Load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return ParseBytes(file.readAll());
}

QString TidyReportHeader(int tidyVersion)
{
    return FormatMessageText(SValidationByTidy, {QString::number(tidyVersion == 4 ? 4 : 5)});
}

QString TidyInfoPaneText(const TidyReport &report, const QString &header)
{
    return TidyInfoPaneText(report, header, report.icon());
}

QString TidyInfoPaneText(const TidyReport &report, const QString &header, TidyResultIcon icon)
{
    const QString crlf = QStringLiteral("\r\n");
    QString text = header + crlf + crlf;
    if (icon == TidyResultIcon::Success && report.errors == 0 && report.warnings == 0) {
        text += FValidationSuccess;
    } else {
        // Tidy's summary is shown in lower case; a report without one (Tidy could not
        // read the copy) keeps its own text, which may name a path.
        for (const QString &line : report.summary)
            text += (report.hasSummary ? line.toLower() : line) + crlf;
    }
    return text;
}

QString TidyCountsText(int errors, int warnings)
{
    return SErrors + QLatin1Char(' ') + QString::number(errors) + QStringLiteral(".  ") + SWarnings
           + QLatin1Char(' ') + QString::number(warnings);
}

std::optional<TidyPosition> TidyMessagePosition(const QString &messageLine)
{
    const QRegularExpressionMatch m = positionPattern().match(messageLine);
    if (!m.hasMatch())
        return std::nullopt;
    bool lineOk = false;
    bool columnOk = false;
    TidyPosition position;
    position.line = m.captured(1).toInt(&lineOk);
    position.column = m.captured(2).toInt(&columnOk);
    if (!lineOk || !columnOk || position.line < 1)
        return std::nullopt;
    if (position.column < 1)
        position.column = 1;
    return position;
}

int TidyColumnToIndex(const QString &lineText, int tidyColumn, int tabSize)
{
    // A tab size of 0 makes Tidy count a tab as one column, as 1 does.
    if (tabSize < 1)
        tabSize = 1;
    int column = 1;
    int index = 0;
    while (index < lineText.size()) {
        if (column >= tidyColumn)
            return index;
        const QChar c = lineText.at(index);
        if (c == QLatin1Char('\t')) {
            column = ((column - 1) / tabSize + 1) * tabSize + 1;
        } else {
            ++column;
        }
        // Tidy counts a character outside the basic plane once.
        if (c.isHighSurrogate() && index + 1 < lineText.size() && lineText.at(index + 1).isLowSurrogate())
            index += 2;
        else
            index += 1;
    }
    return index;
}
