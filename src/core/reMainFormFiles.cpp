// New, open and save.
#include "core/reMainForm.h"

#include "core/MessagesKandrix.h"

#include <QTabWidget>
#include <Qsci/qsciscintilla.h>

void TMainForm::MenuNewDocClick(QObject *)
{
    CreateTabSheetAndEditor();
    ++UntitledCount;
    PageControlMemos->setTabText(PageControlMemos->indexOf(ActiveContainer),
                                 SUntitled + QString::number(UntitledCount) + ".html");
}

void TMainForm::MenuOpenClick() {}
bool TMainForm::MenuSaveClick() { return false; }
bool TMainForm::MenuSaveAsClick() { return false; }
bool TMainForm::OpenFile(const QString &) { return false; }
void TMainForm::OpenLastFiles(const QString &) {}
void TMainForm::ActualizeFileType() {}
void TMainForm::SetCBCharset() {}
void TMainForm::RecentFileListCreateMenu() {}
bool TMainForm::IsSameFile(const QString &) { return false; }
