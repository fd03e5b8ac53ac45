// Text laid out in a rectangle, measured by a stand-in font whose characters have widths of
// 0 to 10 pixels. The first bytes pick the room (any width, 0 and negative included), the
// alignment, indents, spacing, angle and flags; the rest is the text, one byte a character.
// The layout ends; every character of the text is laid out once and in order, but for CR
// and LF and, when wrapping at blanks, the blanks and control characters at a break and
// after the last one; a line is wider than the room only when it cannot break (one
// character, or a head too wide at every blank); a line that breaks takes all that fits;
// and the rectangle never shrinks.
#include "FuzzSupport.h"

#include "authoring/zcftext.h"

#include <vector>

namespace {

class StandInMeasurer : public TTextMeasurer {
public:
    StandInMeasurer(int factor, bool trueType) : m_factor(factor), m_trueType(trueType) {}
    int Width(QChar c) const { return int(c.unicode() * unsigned(m_factor) + 3u) % 11; }
    QSize Extent(const QString &text) const override
    {
        int width = 0;
        for (const QChar c : text)
            width += Width(c);
        return QSize(width, 20);
    }
    bool IsTrueType() const override { return m_trueType; }

private:
    int m_factor;
    bool m_trueType;
};

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool dropped(QChar c) { return c.unicode() <= 32; }

int takeShort(const uint8_t *&data, size_t &size)
{
    const int high = FuzzTakeByte(data, size);
    return int(int16_t(uint16_t(high << 8 | FuzzTakeByte(data, size))));
}

// Where a line of a paragraph may end when wrapping at blanks: before a blank that follows
// its second character or later, or at the end of what is left.
bool breakAt(const QString &p, int start, int length, int remaining)
{
    return length == remaining
           || (length >= 2 && length < remaining && !isBlank(p.at(start + length - 1)) && isBlank(p.at(start + length)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const int flags = FuzzTakeByte(data, size);
    const int aligns = FuzzTakeByte(data, size);
    const int width = takeShort(data, size);
    const int indentH = FuzzTakeByte(data, size);
    const int indentV = FuzzTakeByte(data, size);
    const int spacing = int(int8_t(FuzzTakeByte(data, size)));
    const int angle = takeShort(data, size);
    const int font = FuzzTakeByte(data, size);
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));

    const StandInMeasurer measurer(1 + font % 7, font & 0x80);
    const bool wordWrap = flags & 0x40;
    int hAlign = aligns % 5;
    TRect rect{0, 0, width, 50};
    const TRect before = rect;
    const TTextLayout layout = LayoutTextInRect(measurer, text, hAlign, aligns / 5 % 4, wordWrap, rect,
                                                std::uint8_t(indentH), std::uint8_t(indentV),
                                                (flags & 0x3F) | tfMeasureOnly, spacing, angle);
    FUZZ_CHECK(rect.Width() >= before.Width() && rect.Height() >= before.Height());

    const bool charWrap = wordWrap && (flags & tfCharWrap);
    if (hAlign > 3 || (charWrap && hAlign == 3))
        hAlign = 0;
    const int limit = before.Width() - ((hAlign == 1 || hAlign == 3) ? 2 * indentH : indentH);
    const auto widthOf = [&](const QString &p, int start, int length) {
        return measurer.Extent(p.mid(start, length)).width();
    };

    std::size_t next = 0;
    const auto nextLine = [&]() -> const QString & {
        FUZZ_CHECK(next < layout.Lines.size());
        return layout.Lines[next++].Text;
    };
    QString withoutCr = text;
    withoutCr.remove(QLatin1Char('\r'));
    for (const QString &p : withoutCr.split(QLatin1Char('\n'))) {
        if (p.isEmpty()) {
            FUZZ_CHECK_TEXT(nextLine(), QStringLiteral(" "));
            continue;
        }
        int pos = 0;
        int end = int(p.size());
        for (;;) {
            const QString &line = nextLine();
            FUZZ_CHECK_TEXT(p.mid(pos, line.size()), line);
            const int length = int(line.size());
            if (wordWrap && widthOf(p, pos, length) > limit) {
                if (charWrap) {
                    FUZZ_CHECK(length <= 1);
                } else {
                    // Heads grow with their length: the shortest one that could stay is too wide.
                    int j = 2;
                    while (j < length && !breakAt(line, 0, j, length))
                        ++j;
                    FUZZ_CHECK(j >= length || widthOf(line, 0, j) > limit);
                }
            }
            const int start = pos;
            pos += length;
            if (pos == end)
                break;
            FUZZ_CHECK(wordWrap);
            // The line broke: the next place it could have broken at does not fit.
            int further = length + 1;
            while (!charWrap && !breakAt(p, start, further, end - start))
                ++further;
            FUZZ_CHECK(widthOf(p, start, further) > limit);
            if (!charWrap) {
                while (pos < end && dropped(p.at(pos)))
                    ++pos;
                while (end > pos && dropped(p.at(end - 1)))
                    --end;
            }
        }
    }
    FUZZ_CHECK(next == layout.Lines.size());
    return 0;
}
