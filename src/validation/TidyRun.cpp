#include "validation/TidyRun.h"

#include "platform/Platform.h"
#include "platform/ProcessRunner.h"
#include "util/DocumentStream.h"
#include "util/DocumentText.h"
#include "util/uDivFiles.h"

#include <QCryptographicHash>
#include <QFile>

namespace {
// Opens the file in place, lets produce() hand it its bytes, and checks every write.
template <typename Produce>
bool writeCopyWith(const QString &path, QString *error, const Produce &produce)
{
    QFile file(path);
    const auto write = [&file](const char *data, qsizetype size) { return WriteWhole(file, data, size); };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) || !produce(write) ||
        !file.flush()) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        file.close();
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool writeCopy(const QString &path, const QByteArray &bytes, QString *error)
{
    return writeCopyWith(path, error, [&bytes](const auto &write) { return write(bytes.constData(), bytes.size()); });
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every CR LF, lone CR and lone LF of the text becomes the line break.
QString withLineBreaks(const QString &text, const QString &lineBreak)
{
    if (lineBreak.isEmpty() || (lineBreak == QLatin1String("\n") && !text.contains(QLatin1Char('\r'))))
        return text;
    QString result;
    result.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            result += lineBreak;
        } else if (c == QLatin1Char('\n')) {
            result += lineBreak;
        } else {
            result += c;
        }
    }
    return result;
}

// Tidy repeats a complaint once per pass over its configuration.
QStringList complaintsOf(const QByteArray &standardError)
{
    QStringList lines;
    for (const QString &line : QString::fromUtf8(standardError).split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !lines.contains(trimmed))
            lines << trimmed;
    }
    return lines;
}

// One call of Tidy; the report and the complaints are added to the result.
void runOnce(const TidyRunRequest &request, const QString &modeSwitch, TidyRunResult *result)
{
    QFile::remove(request.reportPath);  // an earlier run's report is never this run's
    const ProcessResult process =
        RunProcess(request.executable,
                   {QStringLiteral("-config"), request.configPath, QStringLiteral("-f"), request.reportPath,
                    modeSwitch, request.copyPath},
                   request.timeoutMs);
    result->report = TidyReport::Load(request.reportPath);
    for (const QString &line : complaintsOf(process.standardError)) {
        if (!result->complaints.contains(line))
            result->complaints << line;
    }
    result->exitStatus = process.exitCode;
    result->exitSignal = process.exitSignal;
    if (!process.started) {
        result->outcome = TidyRunOutcome::NotStarted;
        result->error = process.errorText;
    } else if (process.timedOut) {
        result->outcome = TidyRunOutcome::TimedOut;
    } else if (process.crashed) {
        result->outcome = TidyRunOutcome::Crashed;
    } else if (process.exitCode < 0 || process.exitCode > 2) {
        result->outcome = TidyRunOutcome::AbnormalExit;
    } else {
        result->outcome = TidyRunOutcome::Finished;
    }
}
} // namespace

TidyResultIcon TidyRunResult::icon() const
{
    // No report at all is no result, whatever the exit status.
    if (!report)
        return TidyResultIcon::None;
    const TidyResultIcon fromReport = report->icon();
    if (!endedNormally())
        return fromReport == TidyResultIcon::Success ? TidyResultIcon::None : fromReport;
    if (fromReport != TidyResultIcon::None)
        return fromReport;
    switch (exitStatus) {
    case 0: return TidyResultIcon::Success;
    case 1: return TidyResultIcon::Warnings;
    default: return TidyResultIcon::Errors;
    }
}

QString TidyCopyEncoding(QByteArrayView utf8, const QString &documentEncoding)
{
    if (documentEncoding == DocumentText::Ansi && !DocumentText::Utf8FitsInAnsi(utf8))
        return DocumentText::Utf8;
    if (!DocumentText::IsEncodingName(documentEncoding))
        return DocumentText::Utf8;
    return documentEncoding;
}

bool WriteTidyCopy(const QString &path, QByteArrayView utf8, const QString &documentEncoding,
                   QByteArray *digest, QString *error)
{
    const QString encoding = TidyCopyEncoding(utf8, documentEncoding);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const bool written = writeCopyWith(path, error, [&](const auto &write) {
        return DocumentText::EncodeUtf8(utf8, encoding, [&](const char *data, qsizetype size) {
            if (digest)
                hash.addData(QByteArrayView(data, size));
            return write(data, size);
        });
    });
    if (digest)
        *digest = hash.result();
    return written;
}

TidyRunResult RunTidy(const TidyRunRequest &request)
{
    TidyRunResult result;
    result.copyEncoding = TidyCopyEncoding(request.utf8, request.encoding);
    QByteArray copy;
    if (!WriteTidyCopy(request.copyPath, request.utf8, request.encoding, &copy, &result.error)) {
        result.outcome = TidyRunOutcome::CopyNotWritten;
        return result;
    }
    // The run's own file: written in place, without the cost of a safe replace.
    if (!request.model ||
        !writeCopy(request.configPath, TidyRunConfig(request.options, result.copyEncoding).toBytes(*request.model),
                   &result.error)) {
        result.outcome = TidyRunOutcome::ConfigNotWritten;
        return result;
    }

    if (!request.clean) {
        runOnce(request, QStringLiteral("-e"), &result);
        return result;
    }

    runOnce(request, QStringLiteral("-m"), &result);
    if (!result.endedNormally())
        return result;
    const QByteArray after = readFile(request.copyPath);
    if (after.isEmpty() || QCryptographicHash::hash(after, QCryptographicHash::Sha1) == copy) {
        // Tidy leaves the copy alone when the page has errors; an unchanged page is no refusal.
        result.refused = result.exitStatus == 2;
        result.emptied = after.isEmpty() && !result.refused;
        return result;
    }
    result.cleanedText = withLineBreaks(DocumentText::DecodeText(after, result.copyEncoding), request.lineBreak);
    result.rewritten = result.cleanedText.toUtf8() != request.utf8;
    // The list shows the messages about the cleaned text.
    runOnce(request, QStringLiteral("-e"), &result);
    return result;
}
