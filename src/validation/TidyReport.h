#pragma once
// Tidy's report file, read for the error list, the counts, the summary pane
// and the status icon; and the position a message names.
//
// Understood: the reports of Tidy 5 ("line 6 column 10 - Warning: ...",
// "Info: ...", "Access: ...", closing with "Tidy found 11 warnings and 1
// error!" or "No warnings or errors were found.") and of Tidy 4 (the same
// message lines, closing with "3 warnings, 1 error were found!").
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The image of the status bar's result panel.
enum class TidyResultIcon {
    None = -1,     // nothing to tell: the report holds neither a summary nor messages
    Success = 7,
    Errors = 8,
    Warnings = 9,
};

enum class TidyMessageKind { Other, Info, Warning, Error, Access };

struct TidyPosition {
    int line = 0;    // from 1
    int column = 0;  // from 1, tabs expanded to Tidy's tab size
};

struct TidyMessage {
    int reportLine = 0;  // index of the line in the report, from 0
    QString text;        // the report line as it stands
    TidyMessageKind kind = TidyMessageKind::Other;
    int line = 0;    // the position it names, from 1; 0 when it names none
    int column = 0;  // from 1, tabs expanded to Tidy's tab size
};

struct TidyReport {
    // Lines for the error list, in report order: every line that names a
    // position, and the "Info:", "Warning:", "Error:" and "Access:" lines
    // that name none.
    QList<TidyMessage> messages;
    // Tidy's own counts when its summary gives them; never fewer than the
    // error and warning lines listed.
    int errors = 0;
    int warnings = 0;
    // The report has Tidy's closing summary.
    bool hasSummary = false;
    // Tidy's summary and the paragraphs after it, case kept. Without a summary
    // and without messages, the report's own text (Tidy could not read the
    // document, for instance).
    QStringList summary;

    // Errors, else warnings, else success when Tidy's summary says so; None for a
    // report that says nothing of the kind (then Tidy's exit status tells).
    TidyResultIcon icon() const;

    static TidyReport Parse(const QString &text);
    // Tidy writes its messages in UTF-8 (as ANSI when they are not valid
    // UTF-8); the stray NUL bytes it leaves after line ends when its output
    // encoding is UTF-16 are dropped.
    static TidyReport ParseBytes(const QByteArray &bytes);
    // Empty when the file does not exist or cannot be read.
    static std::optional<TidyReport> Load(const QString &path);
};

// The heading of the information pane: SValidationByTidy with the version "4" or "5".
QString TidyReportHeader(int tidyVersion);
// The information pane's text: the heading, a blank line, then the success
// text (FValidationSuccess) when the run found neither errors nor warnings and
// succeeded, otherwise the summary lines, Tidy's summary in lower case; lines
// end with CR LF.
QString TidyInfoPaneText(const TidyReport &report, const QString &header);
// The same with the run's result icon in place of the report's own.
QString TidyInfoPaneText(const TidyReport &report, const QString &header, TidyResultIcon icon);
// The counts panel: SErrors, a blank, the errors, ".", two blanks, SWarnings, a blank, the warnings.
QString TidyCountsText(int errors, int warnings);

// The line and column a message line names ("line 12 column 5 - ..."); empty
// when it names none.
std::optional<TidyPosition> TidyMessagePosition(const QString &messageLine);
// The index (from 0, in UTF-16 units) in the text of a document line of the
// character at Tidy's column: Tidy counts characters from 1 and expands a tab
// to the next multiple of the tab size (a size of 0 or 1 counts a tab as one
// column). A column beyond the line gives the
// line's length; a column of 1 or less gives 0.
int TidyColumnToIndex(const QString &lineText, int tidyColumn, int tabSize);
