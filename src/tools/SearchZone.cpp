#include "tools/SearchZone.h"

#include <QList>
#include <QLocale>
#include <utility>

namespace {
// A stray byte stands for itself, above every character, so that no character of a text equals it.
constexpr char32_t StrayByte = 0x110000;

bool isContinuation(char byte)
{
    return (uchar(byte) & 0xC0) == 0x80;
}

// The character that starts at i, folded when asked; *next is the offset after it.
char32_t characterAt(QByteArrayView text, qsizetype i, qsizetype *next, bool fold)
{
    const uchar lead = uchar(text[i]);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    *next = i + 1;
    if (length == 0 || i + length > text.size())
        return StrayByte + lead;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        if (!isContinuation(text[i + k]))
            return StrayByte + lead;
        c = c << 6 | (uchar(text[i + k]) & 0x3F);
    }
    *next = i + length;
    return fold && c <= 0x10FFFF ? QChar::toCaseFolded(c) : c;
}

// The end of a case-folded match of pattern starting at i, or -1.
qsizetype foldedMatchAt(QByteArrayView text, qsizetype i, const QList<char32_t> &pattern)
{
    for (char32_t c : pattern) {
        if (i >= text.size())
            return -1;
        qsizetype next = 0;
        if (characterAt(text, i, &next, true) != c)
            return -1;
        i = next;
    }
    return i;
}
} // namespace

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

std::optional<TextMatch> FindLiteral(QByteArrayView text, const QString &what, qsizetype from, qsizetype to,
                                     bool down, bool matchCase,
                                     const std::function<bool(qsizetype, qsizetype)> &accept)
{
    from = qMax<qsizetype>(0, from);
    to = qMin(to, text.size());
    if (what.isEmpty() || from >= to)
        return std::nullopt;
    const auto accepted = [&accept](qsizetype begin, qsizetype end) { return !accept || accept(begin, end); };
    const QByteArrayView zone = text.first(to);
    if (matchCase) {
        const QByteArray needle = what.toUtf8();
        if (down) {
            for (qsizetype p = zone.indexOf(needle, from); p >= 0; p = zone.indexOf(needle, p + 1)) {
                if (accepted(p, p + needle.size()))
                    return TextMatch{p, p + needle.size()};
            }
        } else {
            // Always from a given place: without one, a view's lastIndexOf may find a match just past its end.
            for (qsizetype p = to - needle.size(); p >= from; --p) {
                p = zone.lastIndexOf(needle, p);
                if (p < from)
                    break;
                if (accepted(p, p + needle.size()))
                    return TextMatch{p, p + needle.size()};
            }
        }
        return std::nullopt;
    }
    // Folding may change a character's length: the match is found character by character.
    QList<char32_t> pattern;
    for (char32_t c : what.toUcs4())
        pattern << QChar::toCaseFolded(c);
    const auto tryAt = [&](qsizetype p) -> std::optional<TextMatch> {
        if (isContinuation(zone[p]))
            return std::nullopt;
        const qsizetype end = foldedMatchAt(zone, p, pattern);
        if (end < 0 || !accepted(p, end))
            return std::nullopt;
        return TextMatch{p, end};
    };
    if (down) {
        for (qsizetype p = from; p < to; ++p) {
            if (const std::optional<TextMatch> m = tryAt(p))
                return m;
        }
    } else {
        for (qsizetype p = to - 1; p >= from; --p) {
            if (const std::optional<TextMatch> m = tryAt(p))
                return m;
        }
    }
    return std::nullopt;
}
