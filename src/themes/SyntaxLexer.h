#pragma once
// The editors' lexers. Each editor has its own lexer, and every lexer takes its colours and
// font styles from the one shared colour model, so a change of the model shows at once in
// every open editor.
#include "themes/SyntaxColorModel.h"

#include <Qsci/qscilexercustom.h>

#include <QFont>
#include <QPointer>
#include <array>
#include <vector>

class QPalette;

// The languages a lexer highlights: Multi is HTML with JavaScript in <script>, CSS in <style>
// and PHP in <? ?>; the others are single languages.
enum class SyntaxLexerKind { Multi, Html, Css, JScript, Php, Xml, Bat, Cpp, Pas, Asm, Sql };

class SyntaxLexer : public QsciLexerCustom {
    Q_OBJECT
public:
    // Follows the model until either is destroyed; a null model paints in the palette's colours.
    SyntaxLexer(SyntaxLexerKind kind, SyntaxColorModel *model, QObject *parent = nullptr);
    ~SyntaxLexer() override;

    SyntaxLexerKind kind() const { return m_kind; }
    SyntaxColorModel *model() const { return m_model; }
    // True for the styles this lexer paints with: its languages' attributes, and the markers
    // for the multi-language lexer.
    bool usesStyle(int style) const;

    const char *language() const override;
    QString description(int style) const override;
    QColor color(int style) const override;
    QColor paper(int style) const override;
    // The editor font with the attribute's bold, italic and underline.
    QFont font(int style) const override;
    bool eolFill(int style) const override;
    void setEditor(QsciScintilla *editor) override;
    void styleText(int start, int end) override;

public slots:
    // Sets the font family and size of every style; the style bits stay the model's.
    void setFont(const QFont &font, int style = -1) override;
    // Hands the model's current colours and font styles to the editor.
    void refreshStyles();

private:
    const HighlighterAttribute *attributeOf(int style) const;
    QPalette palette() const;
    QColor generalPaper() const;
    QColor generalText() const;

    struct Applied {
        bool Valid = false;
        QColor Fore;
        QColor Back;
        QFont Font;
    };

    SyntaxLexerKind m_kind;
    QPointer<SyntaxColorModel> m_model;
    QFont m_baseFont;
    std::array<bool, 128> m_uses{};
    std::array<Applied, 128> m_applied;
    // State at the end of each line; valid for the lines before the first unstyled position,
    // which is all the lexer ever reads.
    std::vector<int> m_lineStates;
    // Lines from the first whose states this lexer has worked out at least once.
    int m_knownLines = 0;
    std::vector<quint8> m_styles;
};
