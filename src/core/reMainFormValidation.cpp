// Validation with HTML Tidy: the commands forward to the validation part, whose runs
// show their state in this window's status bar.
#include "core/reMainForm.h"

#include "core/ErrorPanel.h"
#include "core/ValidationPart.h"
#include "documents/TDocument.h"
#include "program/MessagesKandrix.h"

#include <QAction>
#include <QLabel>

class TMainForm::ValidationFrame final : public TValidationFrame {
public:
    explicit ValidationFrame(TMainForm *form) : m_form(form) {}

    void ShowErrorPanel() override
    {
        m_form->Action("MenuShowErrorsComments")->setChecked(true);
        m_form->PanelGridErrors->show();
        m_form->PanelGridErrorReplace();
    }
    void ShowRunWaiting() override
    {
        m_form->StatusPanel(4)->setText(SWait);
        m_form->StatusPanel(0)->clear();
        m_form->StatusPanel(6)->clear();
        m_form->SetStatusIcon(-1);
    }
    void ShowRunResult(int icon, const QString &counts) override
    {
        m_form->SetStatusIcon(icon);
        m_form->StatusPanel(6)->setText(counts);
    }
    void ActualizeStatusBar() override { m_form->ActualizeStatusBar(); }
    void ShowCaretStatus(QsciScintilla *editor) override { m_form->ShowCaretStatus(editor); }
    void ShowRunEnded() override { m_form->StatusPanel(4)->clear(); }

private:
    TMainForm *m_form;
};

void TMainForm::CreateValidationPart()
{
    m_validation = new TValidationPart(TBTidyConfig, PanelGridErrors, std::make_unique<ValidationFrame>(this), this);
}

bool TMainForm::TidyVersion4() const
{
    return Action("MenuTidy4")->isChecked();
}

void TMainForm::ShowEditorPage()
{
    if (TDocument *document = ActiveDocument())
        document->showEditorPage();
}

void TMainForm::ButtonAnalyzeClick() { m_validation->Analyze(ActiveDocument(), TidyVersion4() ? 4 : 5); }
void TMainForm::ButtonCleanClick() { m_validation->Clean(ActiveDocument(), TidyVersion4() ? 4 : 5); }
void TMainForm::ButtonCancelChangesClick() { m_validation->UndoClean(ActiveDocument()); }
void TMainForm::CallTidy(int mode) { m_validation->CallTidy(ActiveDocument(), mode, TidyVersion4() ? 4 : 5); }
void TMainForm::MoveTemporaryCopy(const QString &folder) { m_validation->MoveTemporaryCopy(folder); }
