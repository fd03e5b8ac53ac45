#pragma once
// A document's file work: open into a tab of its own, save, save as with the questions asked
// before writing, rename, and the question before a modified document closes. Questions and
// failures are told through the dialog seam; each command returns what came of it, and the
// window brings its own widgets up to date from that.
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

#include "util/ManageOpenFileList.h"

class TDocument;
class TDocumentTabs;

// What came of a file command.
struct FileOutcome {
    enum class Result { Done, Cancelled, Failed };
    Result result = Result::Done;
    // What the user was told went wrong (the system's reason with it), when failed.
    QString reason;
    // The document opened, brought forward or saved.
    QPointer<TDocument> document;
    // The file was read into a new document, not found open already.
    bool read = false;
    // The file picked in the open dialog; the file written after the save dialog.
    QString chosenPath;
    // The save dialog was shown: the questions before it were passed.
    bool dialogShown = false;

    bool done() const { return result == Result::Done; }
};

// What the window's settings give the dialogs.
struct FileDialogSettings {
    // Where the dialogs open when the document names no folder.
    QString lastOpenFolder;
    QString openFilter;
    QString saveFilter;
    // Added to a name saved without an extension.
    QString defaultExtension;
};

class DocumentFiles : public QObject {
    Q_OBJECT
public:
    using NewDocument = std::function<TDocument *()>;

    // Files open in tabs that newDocument makes and brings to the front (a tab of the tabs
    // when none is given); the files opened and saved are put in front of recent.
    DocumentFiles(TDocumentTabs *tabs, RecentFileSlots &recent, NewDocument newDocument = {},
                  QObject *parent = nullptr);

    // How an encoding is named to the user; its own name when none is given.
    void setEncodingCaption(std::function<QString(const QString &encoding)> caption);

    // Opens a file in a tab of its own, or brings forward the tab that has it. A file that
    // cannot be read is told and leaves no tab behind.
    FileOutcome OpenDocument(const QString &path);
    // The open dialog, started at a folder or a file; the file chosen is then opened.
    FileOutcome OpenThroughDialog(const QString &start, const QString &filter);

    // Writes a named document over its file, after the questions; an untitled one, or one
    // whose file is gone (told first), is saved as.
    FileOutcome MenuSave(TDocument *document, const FileDialogSettings &settings);
    // What Save As proposes: a named document's whole path, so the dialog opens in its folder.
    static QString SaveAsProposal(const TDocument *document);
    // The save dialog proposing a name (a whole path opens in its folder), then writes there.
    FileOutcome SaveFileAs(TDocument *document, const QString &proposed, const FileDialogSettings &settings);
    // Writes the document's text in its encoding; a failure is told and leaves the document
    // as it was.
    FileOutcome SaveFileAsType(const QString &path, TDocument *document);
    // True when the document's encoding holds its text, or the user accepts losing what it
    // cannot hold.
    bool ConfirmEncodingHoldsText(TDocument *document);
    // True when no other program changed the document's file since it was read or written,
    // or the user agrees to replace what it wrote.
    bool ConfirmReplacingChangedFile(TDocument *document);

    // Asks whether to save a modified document before it closes, and saves as on Yes.
    // Done when the document may go (saved, or not to be saved).
    FileOutcome SaveBeforeExit(TDocument *document, const FileDialogSettings &settings);
    // Asks for a new name in the same folder and renames the file.
    FileOutcome Rename(TDocument *document);

    // The index in the charset list of the charset the document declares near its start;
    // DocumentText::NoCharsetChange when none of the list is declared.
    static int DeclaredCharsetIndex(TDocument *document);
    // Rewrites the document's charset declarations to the charset, as one undo step; false
    // when it declares none.
    static bool ReplaceDeclaredCharset(TDocument *document, const QString &charset);

signals:
    // A file was put in front of the recent files, or renamed there.
    void recentFilesChanged();
    // A document's text was written to a file.
    void saved(TDocument *document, const QString &path);

private:
    void addToRecentFiles(const QString &path);

    QPointer<TDocumentTabs> m_tabs;
    RecentFileSlots &m_recent;
    NewDocument m_newDocument;
    std::function<QString(const QString &)> m_encodingCaption;
};
