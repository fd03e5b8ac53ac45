#pragma once
// Helpers of the main window tests.
#include "TestSupport.h"

#include "core/reMainForm.h"
#include "core/ImageList.h"
#include "core/ValidationPart.h"
#include "documents/TDocument.h"
#include "program/MessagesKandrix.h"
#include "util/ManageOpenFileList.h"

#include <QImage>
#include <QLabel>
#include <QTabWidget>
#include <Qsci/qsciscintilla.h>
#include <memory>

// Creates the main window and shows it, which runs its start-up.
inline std::unique_ptr<TMainForm> StartMainForm()
{
    auto form = std::make_unique<TMainForm>();
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
    for (TDocument *document : form->Documents())
        document->setModified(false);
}

// The picture on a document's tab (0 saved, 28 modified).
inline int TabPicture(TDocument *document)
{
    return document->container()->property("ImageIndex").toInt();
}

inline QWidget *ContainerOfNumber(TMainForm *form, int number)
{
    return form->PageControlMemos->findChild<QWidget *>(QStringLiteral("TBContainer_%1").arg(number));
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
    form->MenuOpenClick();
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

    void TearDown()
    {
        CloseMainForm(form);
        dialogs.reset();
        folder.reset();
    }
};
