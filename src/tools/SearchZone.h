#pragma once
// The rules of the search window that need no window: zones, comparisons and the
// placement of the window and of its question.
#include <QByteArrayView>
#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

// A text position (character, line), both counted from 1.
struct TextPos {
    int character = 1;
    int line = 1;
    bool operator==(const TextPos &o) const { return character == o.character && line == o.line; }
    bool operator!=(const TextPos &o) const { return !(*this == o); }
};

// Orders two positions: the smaller line first, on one line the smaller character first.
void SwapPosIfNecessary(TextPos &begin, TextPos &end);

// Which zone bounds the window proposes for a selection: "Curseur" or the document's edge.
struct ZoneProposal {
    bool beginAtCursor = false;
    bool endAtCursor = false;
};
// begin and end are the ordered selection bounds; textEnd the position after the last character.
ZoneProposal ProposeZone(const TextPos &begin, const TextPos &end, const TextPos &textEnd);

// The caption of a "Curseur" choice.
QString CursorCaption(const TextPos &pos);

// Whether a selected text is the text searched for: exactly with match case,
// otherwise case-insensitively under the user's locale.
bool SameAsFindText(const QString &selected, const QString &findText, bool matchCase);

// A match in UTF-8 text: byte offsets, end excluded.
struct TextMatch {
    qsizetype begin = 0;
    qsizetype end = 0;
};

// Finds a literal text in UTF-8 text, wholly inside the byte offsets [from, to) (character
// boundaries): the first match forwards, the last one backwards. Without match case the
// characters are compared case-folded, accented letters as well as ASCII ones. accept, when
// given, may refuse a match (whole words); the search then goes on.
std::optional<TextMatch> FindLiteral(QByteArrayView text, const QString &what, qsizetype from, qsizetype to,
                                     bool down, bool matchCase,
                                     const std::function<bool(qsizetype begin, qsizetype end)> &accept = {});

// Top-left corner of the replace question near the caret (screen coordinates), kept on the screen.
QPoint QuestionPosition(const QPoint &caretOnScreen, const QSize &screen);

// The window's new top when it covers the line of a hit; nothing when it does not.
// caret and windowTopLeft in the editor's coordinates, caretOnScreen in the screen's.
std::optional<int> WindowTopOffHit(const QPoint &caret, const QPoint &windowTopLeft, const QSize &window,
                                   const QPoint &caretOnScreen, int screenHeight);
