#pragma once
// Validation with HTML Tidy: Analyze, Clean and Undo Clean of a document, with the
// options of the Tidy page, the report in the error panel, and the temporary copy
// that Tidy and the preview read.
#include "documents/TemporaryCopy.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <memory>

class QsciScintilla;
class TDocument;
class TErrorPanel;
class TTidyConfigPage;
struct TidyRunResult;

// What a run shows outside the document and the error panel; the window that holds the
// status bar and places the panel supplies it.
class TValidationFrame {
public:
    virtual ~TValidationFrame() = default;
    // Analyze brings the hidden error panel into view, where the user keeps it.
    virtual void ShowErrorPanel() = 0;
    // While Tidy runs: the wait text, and no caret, counts nor icon.
    virtual void ShowRunWaiting() = 0;
    // A report's result icon (an image-list number) and its counts.
    virtual void ShowRunResult(int icon, const QString &counts) = 0;
    // The document in front as the status bar shows it.
    virtual void ActualizeStatusBar() = 0;
    virtual void ShowCaretStatus(QsciScintilla *editor) = 0;
    // The run is over: the wait text goes.
    virtual void ShowRunEnded() = 0;
};

class TValidationPart : public QObject {
    Q_OBJECT
public:
    // The paths of the program's folders are read when the part is made.
    TValidationPart(TTidyConfigPage *page, TErrorPanel *panel, std::unique_ptr<TValidationFrame> frame,
                    QObject *parent = nullptr);
    ~TValidationPart() override;

    // tidyVersion is 4 or 5: the validator the user chose.
    void Analyze(TDocument *document, int tidyVersion);
    // Keeps the text in the backup file, then lets Tidy rewrite it as one undo step.
    void Clean(TDocument *document, int tidyVersion);
    // Gives back the text from before the clean, for the document that was cleaned.
    void UndoClean(TDocument *document);
    // One run: mode 0 analyses, mode 1 cleans.
    void CallTidy(TDocument *document, int mode, int tidyVersion);

    // The copy moves beside the document (into the program's folder for an untitled one).
    void NewTmpFile(TDocument *document);
    void MoveTemporaryCopy(const QString &folder);
    // Writes the document's text to the copy beside it, in its encoding (UTF-8 when that
    // cannot hold the text); the copy's path, or empty (and the user told) when it fails.
    QString WriteTemporaryCopy(TDocument *document);
    QString TemporaryCopyPath() const { return m_copy.Path(); }
    // The copy, the run's configuration and report, and the backup, at exit.
    void DeleteTemporaryFiles();

    // Tidy is stopped when it runs longer than this.
    int TimeoutMs() const { return m_timeoutMs; }
    void SetTimeoutMs(int timeoutMs) { m_timeoutMs = timeoutMs; }

private:
    // Shows a run's report and notes in the error panel, its icon and counts in the frame.
    void LoadGridErrors(const TidyRunResult &result, TDocument *document, int tidyVersion);

    TTidyConfigPage *m_page;
    TErrorPanel *m_panel;
    std::unique_ptr<TValidationFrame> m_frame;
    TemporaryCopy m_copy;
    // The document the clean backup belongs to.
    QPointer<TDocument> m_cleanedDocument;
    int m_timeoutMs = 60000;
};
