#include "tools/SearchZone.h"

#include <QLocale>
#include <utility>

void SwapPosIfNecessary(TextPos &begin, TextPos &end)
{
    if (end.line < begin.line || (end.line == begin.line && end.character < begin.character))
        std::swap(begin, end);
}

ZoneProposal ProposeZone(const TextPos &begin, const TextPos &end, const TextPos &textEnd)
{
    ZoneProposal zone;
    zone.beginAtCursor = begin != TextPos{1, 1};
    if (begin.character != end.character && begin.line != end.line)
        zone.beginAtCursor = true;
    if (end.character != textEnd.character)
        zone.endAtCursor = true;
    else
        zone.endAtCursor = end.line != textEnd.line;
    if (begin == end) {
        // No selection: from the caret to the end, or everything before a caret at the end.
        const bool atTextEnd = begin == textEnd;
        zone.beginAtCursor = !atTextEnd;
        zone.endAtCursor = atTextEnd;
    }
    return zone;
}

QString CursorCaption(const TextPos &pos)
{
    return QString::asprintf("Curseur [%d: %d]", pos.line, pos.character);
}

bool SameAsFindText(const QString &selected, const QString &findText, bool matchCase)
{
    if (matchCase)
        return selected == findText;
    const QLocale locale;
    return locale.toLower(selected) == locale.toLower(findText);
}

QPoint QuestionPosition(const QPoint &caretOnScreen, const QSize &screen)
{
    int x = caretOnScreen.x() + 25;
    int y = caretOnScreen.y() - 100;
    if (y < 0)
        y = 10;
    if (y > screen.height())
        y = screen.height() - 150;
    if (x < 0)
        x = 10;
    if (x > screen.width())
        x = screen.width() - 200;
    return {x, y};
}

std::optional<int> WindowTopOffHit(const QPoint &caret, const QPoint &windowTopLeft, const QSize &window,
                                   const QPoint &caretOnScreen, int screenHeight)
{
    const bool covers = caret.y() + 25 > windowTopLeft.y() && caret.y() < windowTopLeft.y() + window.height() &&
                        windowTopLeft.x() < caret.x() && windowTopLeft.x() + window.width() > caret.x();
    if (!covers)
        return std::nullopt;
    if (screenHeight - 20 <= window.height() + caretOnScreen.y())
        return caretOnScreen.y() - 10 - window.height();
    return caretOnScreen.y() + 25;
}
