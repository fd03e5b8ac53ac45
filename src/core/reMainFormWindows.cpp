// Openers of the program's other windows and the hooks of the later subsystems.
#include "core/reMainForm.h"

#include "authoring/TGeneratorContainer.h"
#include "themes/SyntaxColorModel.h"
#include "themes/reSyntaxColor.h"
#include "tools/reOptimizer.h"

#include <Qsci/qsciscintilla.h>

void TMainForm::ShowAbout() {}
void TMainForm::ShowNewVersionExists() {}
void TMainForm::ShowOptimizer()
{
    // One instance for the program's run: its options and lists survive closing it.
    auto *optimizer = findChild<TOptimizer *>(QStringLiteral("Optimizer"), Qt::FindDirectChildrenOnly);
    if (!optimizer) {
        optimizer = new TOptimizer(this);
        optimizer->SetRecentEntries(OptimizerStartingWith, OptimizerEndingWith);
        optimizer->ActiveDocument = [this] { return ActiveDocument(); };
        connect(optimizer, &TOptimizer::RecentEntriesChanged, this, [this, optimizer] {
            OptimizerStartingWith = optimizer->StartingWithItems();
            OptimizerEndingWith = optimizer->EndingWithItems();
        });
    }
    optimizer->show();
    optimizer->raise();
    optimizer->activateWindow();
}
void TMainForm::ShowGeneratorContainer()
{
    // One instance for the program's run: its settings and text stay between uses.
    auto *generator = findChild<TGeneratorContainer *>(QStringLiteral("GeneratorContainer"), Qt::FindDirectChildrenOnly);
    if (!generator)
        generator = new TGeneratorContainer(&GeneratedHtml, {[this] { return ActiveDocument(); }, [this] { return OpenDialogFilter; }}, this);
    generator->exec();
}
void TMainForm::ShowGeneratorTable() {}
void TMainForm::ShowSyntaxColor()
{
    m_syntaxColors->SetThemeName(ThemeName);
    QPointer<TSyntaxColor> dialog = new TSyntaxColor(m_syntaxColors, this);
    connect(dialog, &TSyntaxColor::GutterColorsChanged, this, [this] {
        if (QsciScintilla *editor = ActiveSynEdit())
            ApplyGutterColors(editor);
    });
    dialog->exec();
    delete dialog;
    // A theme opened in the dialog is the one the next start opens.
    ThemeName = m_syntaxColors->ThemeName();
}
void TMainForm::ShowFormTable() {}
void TMainForm::ShowHTMLEntitiesList() {}
void TMainForm::ShowRecalcImageSize() {}

void TMainForm::CloseToolWindows() {}
