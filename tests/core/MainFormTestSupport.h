#pragma once
// Helpers of the main window tests.
#include "TestSupport.h"

#include "core/reMainForm.h"

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

// Marks every document saved, so closing asks nothing.
inline void DiscardChanges(TMainForm *form)
{
    for (int i = 1; i < form->PageControlMemos->count(); ++i) {
        if (auto *editor = form->PageControlMemos->widget(i)->findChild<QsciScintilla *>())
            editor->setModified(false);
    }
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
