// Highlighters shared by the editors and the colour theme at start-up.
#include "core/reMainForm.h"
#include "dialogs/MessageBoxes.h"

#include "core/Highlighters.h"
#include "program/MessagesKandrix.h"
#include "program/uDivStartVK.h"
#include "themes/SyntaxColorModel.h"
#include "themes/SyntaxColorSettings.h"
#include "themes/SyntaxPaintColors.h"

#include <Qsci/qsciscintilla.h>

#include <stdexcept>

namespace {
// A one-pixel margin right of the line numbers draws the gutter's border.
constexpr int kGutterBorderMargin = 4;
} // namespace

SyntaxColorModel *TMainForm::NewSyntaxColors(QObject *owner)
{
    auto *model = new SyntaxColorModel(owner);
    SyntaxColorSettings::OriginSettings(*model);
    SetHighlighterModel(model);
    return model;
}

void TMainForm::InitMultiHighlighters()
{
    SetHighlighterModel(m_syntaxColors);
    {
        SyntaxColorUpdate bracket(*m_syntaxColors);
        // Navy markers on a light almond; the PHP marker's bold is the model's own.
        for (int scheme = 0; scheme < SchemeCount; ++scheme) {
            m_syntaxColors->SetMarkerForeground(scheme, 0x800000);
            m_syntaxColors->SetMarkerBackground(scheme, 0xCDEBFF);
        }
        SyntaxColorSettings::OriginSettings(*m_syntaxColors);
    }
    if (QsciScintilla *editor = ActiveSynEdit())
        ApplyGutterColors(editor);
}

void TMainForm::OpenRememberedTheme()
{
    m_syntaxColors->SetThemeName(m_settings.ThemeName);
    try {
        SyntaxColorSettings::OpenTheme(*m_syntaxColors, Paths().HighlightersDir + m_settings.ThemeName + ".cfg");
    } catch (const std::exception &error) {
        // The lines before the bad one stay applied and the model's update bracket is closed,
        // so the editors go on following the model.
        ShowMessageKind(2, QString::fromUtf8(error.what()));
    }
    m_settings.ThemeName = m_syntaxColors->ThemeName();
    if (QsciScintilla *editor = ActiveSynEdit())
        ApplyGutterColors(editor);
}

void TMainForm::ApplyGutterColors(QsciScintilla *editor)
{
    if (!editor)
        return;
    const QPalette palette = editor->palette();
    const QColor window = palette.color(QPalette::Active, QPalette::Window);
    const TColor gutter = m_syntaxColors->GutterColor();
    const QColor back = AttributeBackColor({clNone, gutter, 0}, window, palette);
    editor->setMarginsBackgroundColor(back);
    // Line numbers in the window text colour, or black or white where that would not read.
    editor->setMarginsForegroundColor(AttributeTextColor({clWindowText, gutter, 0}, window, palette));
    const QColor border =
        AttributeBackColor({clNone, m_syntaxColors->GutterBorderColor(), 0}, back, palette);
    editor->setMarginType(kGutterBorderMargin, QsciScintilla::SymbolMarginColor);
    editor->setMarginBackgroundColor(kGutterBorderMargin, border);
    editor->setMarginWidth(kGutterBorderMargin, 1);
}
