#pragma once
// One validation run of HTML Tidy, without widgets: the document's text, its
// encoding and the options go in; Tidy's report, its exit status, its
// complaints about the configuration and, for a clean, the rewritten text come
// out. The caller says what went wrong; nothing here asks the user.
#include "validation/TidyConfigFile.h"
#include "validation/TidyReport.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

struct TidyRunRequest {
    QString executable;
    int tidyVersion = 5;
    // Clean rewrites the copy ("-m"), then checks the rewritten text ("-e").
    bool clean = false;
    // The document's text in UTF-8; may wrap the editor's own buffer (QByteArray::fromRawData).
    QByteArray utf8;
    QString encoding;  // the document's encoding name (DocumentText)
    // The document's line break, which every line of a cleaned text takes
    // (Tidy writes its own); empty keeps Tidy's.
    QString lineBreak;
    TidyConfiguration options;
    const TidyOptionModel *model = nullptr;
    QString configPath;  // the run's configuration file
    QString reportPath;  // Tidy's report file
    QString copyPath;    // the temporary copy of the document
    int timeoutMs = 60000;
};

enum class TidyRunOutcome {
    Finished,          // Tidy ended with 0, 1 or 2
    ConfigNotWritten,  // nothing was run
    CopyNotWritten,    // nothing was run
    NotStarted,
    TimedOut,
    Crashed,      // ended by a signal (exitSignal)
    AbnormalExit  // an exit status other than 0, 1 and 2 (exitStatus)
};

struct TidyRunResult {
    TidyRunOutcome outcome = TidyRunOutcome::NotStarted;
    int exitStatus = -1;
    int exitSignal = 0;
    // Why the copy or the configuration could not be written, or Tidy not started.
    QString error;
    // Tidy's report, as far as it was written; empty when it wrote none.
    std::optional<TidyReport> report;
    // Tidy's error stream: its complaints about the configuration, each once.
    QStringList complaints;
    // The encoding the copy was written in: the document's, or UTF-8 when the
    // document's cannot hold the text.
    QString copyEncoding;
    // Clean: Tidy rewrote the copy into a text that differs from the document's.
    bool rewritten = false;
    QString cleanedText;
    // Clean: Tidy wrote no copy because the page has errors.
    bool refused = false;
    // Clean: Tidy ended well but left the copy empty; the document keeps its text.
    bool emptied = false;

    bool endedNormally() const { return outcome == TidyRunOutcome::Finished; }
    // The report's icon; where the report says nothing, Tidy's exit status
    // (0 success, 1 warnings, 2 errors). Never success after a run that did not
    // end normally; None when Tidy wrote no report.
    TidyResultIcon icon() const;
};

// Runs Tidy as the request says and waits for its end (at most timeoutMs per run).
TidyRunResult RunTidy(const TidyRunRequest &request);

// Writes the copy of a UTF-8 text in place (through a link too: the copy is the
// program's own file), in TidyCopyEncoding, a piece at a time; false with the reason
// when it cannot be written whole. *digest, when asked, identifies the bytes written.
bool WriteTidyCopy(const QString &path, QByteArrayView utf8, const QString &documentEncoding,
                   QByteArray *digest, QString *error);

// The encoding the copy of a UTF-8 text is written in: the document's when it holds
// every character, else UTF-8 (UTF-8 with its mark for a document that has one).
QString TidyCopyEncoding(QByteArrayView utf8, const QString &documentEncoding);
