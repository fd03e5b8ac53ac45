#pragma once
// Helpers of the main window tests.
#include "TestSupport.h"

#include "core/reMainForm.h"
#include "core/ImageList.h"
#include "core/ValidationPart.h"
#include "documents/DocumentFiles.h"
#include "documents/TDocument.h"
#include "documents/TDocumentTabs.h"
#include "program/MessagesKandrix.h"
#include "util/ManageOpenFileList.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QImage>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <Qsci/qscilexer.h>
#include <Qsci/qsciscintilla.h>
#include <algorithm>
#include <memory>

// The helpers take the window as a plain pointer or as the fixture's owner.
inline TMainForm *formOf(TMainForm *form)
{
    return form;
}

inline TMainForm *formOf(const std::unique_ptr<TMainForm> &form)
{
    return form.get();
}

// A widget or other part of the window by its objectName.
template <class T, class Form>
T child(const Form &form, const QString &name)
{
    return formOf(form)->template findChild<T>(name);
}

// A menu item, tool bar action or pop-up menu item by its name.
template <class Form>
QAction *action(const Form &form, const QString &name)
{
    return child<QAction *>(form, name);
}

// Chooses a menu item as the user does.
template <class Form>
void trigger(const Form &form, const QString &name)
{
    QAction *item = action(form, name);
    QVERIFY2(item, qPrintable(name));
    item->trigger();
}

// The document in front; null while no document is in front.
template <class Form>
TDocument *currentDocument(const Form &form)
{
    return formOf(form)->DocumentTabs()->current();
}

// The editor of the document in front; null while no document is in front.
template <class Form>
QsciScintilla *currentEditor(const Form &form)
{
    TDocument *document = currentDocument(form);
    return document ? document->editor() : nullptr;
}

// The open documents in tab order.
template <class Form>
QList<TDocument *> documents(const Form &form)
{
    return formOf(form)->DocumentTabs()->documents();
}

// The tabs of the documents and of the Tidy configuration page.
template <class Form>
QTabWidget *documentPages(const Form &form)
{
    return child<QTabWidget *>(form, "PageControlMemos");
}

// The text of a status bar panel (0 to 6).
template <class Form>
QString statusText(const Form &form, int panel)
{
    auto *label = child<QLabel *>(form, QStringLiteral("StatusBar1_Panel%1").arg(panel));
    return label ? label->text() : QString();
}

// A new HTML5 document, as the tool bar's New button makes it.
template <class Form>
void newDocument(const Form &form)
{
    child<QToolButton *>(form, "ButtonNew")->click();
}

// Runs a file command and tells whether it wrote the document.
template <class Form, class Command>
bool writes(const Form &form, Command command)
{
    QSignalSpy written(child<DocumentFiles *>(form, "DocumentFiles"), &DocumentFiles::saved);
    command();
    return !written.isEmpty();
}

// The tool bar's Save button (the menu item is off while nothing changed).
template <class Form>
bool save(const Form &form)
{
    return writes(form, [&form] { child<QToolButton *>(form, "ButtonSave")->click(); });
}

template <class Form>
bool saveAs(const Form &form)
{
    return writes(form, [&form] { action(form, "MenuSaveAs")->trigger(); });
}

// No open document has changes left unsaved.
template <class Form>
bool allSaved(const Form &form)
{
    const QList<TDocument *> all = documents(form);
    return std::none_of(all.cbegin(), all.cend(), [](const TDocument *d) { return d->isModified(); });
}

// The font an editor shows its text in.
inline QFont editorFont(QsciScintilla *editor)
{
    return editor->lexer() ? editor->lexer()->defaultFont() : editor->font();
}

// Picks an item of a drop-down list as the user does.
inline void chooseItem(QComboBox *list, const QString &text)
{
    list->setCurrentIndex(list->findText(text));
    emit list->activated(list->currentIndex());
}

// Options > Language, choosing a file of the language folder. Lines given are put in place
// of the English file's lines of the same keys, in a new file of that name.
template <class Form>
void chooseLanguage(const Form &form, ScriptedDialogs *dialogs, TempProgramFolder *folder, const QString &name,
                    const QStringList &lines = {})
{
    const QString path = folder->file("language/" + name);
    if (!lines.isEmpty()) {
        QStringList text = QString::fromUtf8(folder->read("language/lang_en.txt")).split("\n");
        for (const QString &line : lines) {
            const QString key = line.section('=', 0, 0) + "=";
            text.removeIf([&key](const QString &old) { return old.startsWith(key); });
            text << line;
        }
        QVERIFY(folder->write("language/" + name, text.join("\n").toUtf8()));
    }
    dialogs->openAnswers << QStringList{path};
    trigger(form, "MenuLanguage");
}

// Lets a single-shot timer of the window run out now.
template <class Form>
void runTimer(const Form &form, const QString &name)
{
    auto *timer = child<QTimer *>(form, name);
    timer->start(0);
    QVERIFY(QTest::qWaitFor([timer] { return !timer->isActive(); }));
}

// Creates the main window and shows it, which runs its start-up.
// ownsBoxes: as the program starts it, its boxes belong to it from the start.
inline std::unique_ptr<TMainForm> StartMainForm(bool ownsBoxes = false)
{
    auto form = std::make_unique<TMainForm>();
    if (ownsBoxes)
        Dialogs().parentWindow = form.get();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        return nullptr;
    return form;
}

// The window's validation part: its runs and the temporary copy they and the preview read.
inline TValidationPart *ValidationPartOf(TMainForm *form)
{
    return form->findChild<TValidationPart *>("ValidationPart");
}

inline QString TemporaryCopyPath(TMainForm *form)
{
    return ValidationPartOf(form)->TemporaryCopyPath();
}

// The picture the status bar shows for the last Tidy run (a null image for none), and the
// picture of an image-list number (-1 for none), to compare with it.
inline QImage StatusIcon(TMainForm *form)
{
    return form->findChild<QLabel *>("StatusBar1_Panel5")->pixmap().toImage();
}

inline QImage StatusIconOf(int index)
{
    return index < 0 ? QImage() : ImageListPixmap(index, 16).toImage();
}

// Marks every document saved, so closing asks nothing.
inline void DiscardChanges(TMainForm *form)
{
    for (TDocument *document : documents(form))
        document->setModified(false);
}

// The picture on a document's tab (0 saved, 28 modified).
inline int TabPicture(TDocument *document)
{
    return document->container()->property("ImageIndex").toInt();
}

inline QWidget *ContainerOfNumber(TMainForm *form, int number)
{
    return documentPages(form)->findChild<QWidget *>(QStringLiteral("TBContainer_%1").arg(number));
}

inline int TabPicture(TMainForm *form, int number)
{
    return ContainerOfNumber(form, number)->property("ImageIndex").toInt();
}

inline void CloseMainForm(std::unique_ptr<TMainForm> &form)
{
    if (!form)
        return;
    DiscardChanges(form.get());
    form->close();
    form.reset();
}

// File > Open with the open dialog answering the path.
inline void OpenThroughDialog(TMainForm *form, ScriptedDialogs *dialogs, const QString &path)
{
    dialogs->openAnswers << QStringList{path};
    action(form, "MenuOpen")->trigger();
}

// The program folder, scripted dialogs and main window of one window test; a test class
// derives from it beside QObject and calls SetUp() in init() and TearDown() in cleanup().
struct MainFormFixture {
    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<TMainForm> form;

    // A fresh folder, no recent files, no message texts from an earlier test; the window
    // started in the folder unless the test starts it itself.
    bool SetUp(bool startForm = true)
    {
        for (QString &slot : RecentFiles)
            slot.clear();
        folder = std::make_unique<TempProgramFolder>();
        dialogs = std::make_unique<ScriptedDialogs>();
        ClearMessages();
        if (startForm)
            form = StartMainForm();
        return folder->isValid() && (!startForm || form);
    }

    // Closes the window, sets a value in its settings file and starts it again; false when
    // the file has no such key.
    bool RestartWithSetting(const QString &key, const QString &value)
    {
        CloseMainForm(form);
        QString ini = QString::fromLatin1(folder->read("velkandrix.ini"));
        const QRegularExpression line(QStringLiteral("(^|\\n)%1=[^\\r\\n]*").arg(QRegularExpression::escape(key)));
        if (!ini.contains(line))
            return false;
        ini.replace(line, QStringLiteral("\\1%1=%2").arg(key, value));
        if (!folder->write("velkandrix.ini", ini.toLatin1()))
            return false;
        form = StartMainForm();
        return form != nullptr;
    }

    void TearDown()
    {
        CloseMainForm(form);
        dialogs.reset();
        folder.reset();
    }
};
