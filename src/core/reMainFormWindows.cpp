// Openers of the program's other windows and the hooks of the later subsystems.
#include "core/reMainForm.h"

#include "authoring/GeneratorWidgets.h"
#include "authoring/TFormTable.h"
#include "authoring/TGeneratorContainer.h"
#include "authoring/TGeneratorHtmlTable.h"
#include "authoring/THTMLEntitiesList.h"
#include "authoring/TImageSizeCalculator.h"
#include "core/Highlighters.h"
#include "documents/TDocumentTabs.h"
#include "themes/SyntaxColorModel.h"
#include "themes/reSyntaxColor.h"
#include "tools/reOptimizer.h"

#include <Qsci/qsciscintilla.h>

void TMainForm::ShowOptimizer()
{
    // One instance for the program's run: its options and lists survive closing it.
    auto *optimizer = findChild<TOptimizer *>(QStringLiteral("Optimizer"), Qt::FindDirectChildrenOnly);
    if (!optimizer) {
        optimizer = new TOptimizer(this);
        optimizer->SetRecentEntries(m_settings.CBStartingWith, m_settings.CBEndingWith);
        optimizer->setDocument(ActiveDocument());
        connect(m_documents, &TDocumentTabs::currentChanged, optimizer, &TOptimizer::setDocument);
        connect(optimizer, &TOptimizer::RecentEntriesChanged, this, [this, optimizer] {
            m_settings.CBStartingWith = optimizer->StartingWithItems();
            m_settings.CBEndingWith = optimizer->EndingWithItems();
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
    if (!generator) {
        generator = new TGeneratorContainer(&m_generatedHtml, {[this] { return OpenDialogFilter; }}, this);
        generator->setDocument(ActiveDocument());
        connect(m_documents, &TDocumentTabs::currentChanged, generator, &TGeneratorDialog::setDocument);
    }
    generator->SetJavascript(m_settings.MenuEnableJavascript);
    generator->exec();
}
void TMainForm::ShowGeneratorTable()
{
    // One instance for the program's run: its table options stay between uses.
    auto *generator = findChild<TGeneratorHtmlTable *>(QStringLiteral("GeneratorHtmlTable"), Qt::FindDirectChildrenOnly);
    if (!generator) {
        generator = new TGeneratorHtmlTable(&m_generatedHtml, {[this] { return OpenDialogFilter; }}, this);
        generator->setDocument(ActiveDocument());
        connect(m_documents, &TDocumentTabs::currentChanged, generator, &TGeneratorDialog::setDocument);
        ApplyHighlighter(generator->findChild<QsciScintilla *>(QStringLiteral("SynEdit1")), DocumentText::HighlighterKind::Multi);
    }
    generator->SetJavascript(m_settings.MenuEnableJavascript);
    generator->exec();
}
void TMainForm::ShowSyntaxColor()
{
    m_syntaxColors->SetThemeName(m_settings.ThemeName);
    QPointer<TSyntaxColor> dialog = new TSyntaxColor(m_syntaxColors, this);
    connect(dialog, &TSyntaxColor::GutterColorsChanged, this, [this] {
        if (QsciScintilla *editor = ActiveSynEdit())
            ApplyGutterColors(editor);
    });
    dialog->exec();
    delete dialog;
    // A theme opened in the dialog is the one the next start opens.
    m_settings.ThemeName = m_syntaxColors->ThemeName();
}
void TMainForm::ShowFormTable()
{
    QPointer<TFormTable> dialog = new TFormTable(&m_generatedHtml, this);
    dialog->exec();
    delete dialog;
}

void TMainForm::ShowHTMLEntitiesList()
{
    // One window for the program's run: Close only hides it.
    auto *entities = findChild<THTMLEntitiesList *>(QStringLiteral("HTMLEntitiesList"), Qt::FindDirectChildrenOnly);
    if (!entities) {
        entities = new THTMLEntitiesList(this);
        entities->LoadPage = &TMainForm::LoadHtmlPage;
    }
    entities->show();
    entities->raise();
}

void TMainForm::ShowRecalcImageSize()
{
    // One window for the program's run: it keeps its values between showings.
    auto *calculator =
        findChild<TImageSizeCalculator *>(QStringLiteral("ImageSizeCalculator"), Qt::FindDirectChildrenOnly);
    if (!calculator)
        calculator = new TImageSizeCalculator(this);
    calculator->show();
    calculator->raise();
    calculator->activateWindow();
}

void TMainForm::CloseToolWindows()
{
    if (auto *entities = findChild<THTMLEntitiesList *>(QStringLiteral("HTMLEntitiesList"), Qt::FindDirectChildrenOnly))
        entities->close();
}
