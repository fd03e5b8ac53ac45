#include "authoring/zcftext.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <QPainter>
#include <cfenv>
#include <cmath>
#include <functional>

namespace {

// To the nearest integer, halves to even.
int nearest(double x)
{
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(x);
    std::fesetround(saved);
    return int(r);
}

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

struct Line {
    QString text;
    int width = 0;
    int height = 0;
    int wordsWidth = 0;  // the words side by side, without their gaps
    int wordCount = 0;
};

void measure(const TTextMeasurer &m, Line &line)
{
    const QSize size = m.Extent(line.text);
    line.width = size.width();
    line.height = size.height();
}

// The lines of the text: LF ends one, CR is left out, an empty line holds a blank.
std::vector<QString> splitLines(const QString &text)
{
    std::vector<QString> lines;
    QString current;
    const QString all = text + QStringLiteral("\r\n");
    for (const QChar c : all) {
        if (c == QLatin1Char('\r'))
            continue;
        if (c == QLatin1Char('\n')) {
            lines.push_back(current.isEmpty() ? QStringLiteral(" ") : current);
            current.clear();
        } else {
            current.append(c);
        }
    }
    return lines;
}

void addLine(const TTextMeasurer &m, std::vector<Line> &lines, const QString &text)
{
    Line line;
    line.text = text;
    measure(m, line);
    lines.push_back(line);
}

// The largest of the ascending lengths whose head is at most the limit wide, -1 when none.
// Heads only grow with their length, so halving finds it.
int longestFitting(const std::function<int(int)> &headWidth, const std::vector<int> &lengths, int limit)
{
    int best = -1;
    std::size_t lo = 0;
    std::size_t hi = lengths.size();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (headWidth(lengths[mid]) <= limit) {
            best = lengths[mid];
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return best;
}

// Wraps one line of the text into lines that fit in the limit where it can break: at the
// last blank whose head fits (keeping at least two characters), or at any character.
// The rest of a line is measured only as far as the room reaches, so a long line costs
// time in proportion to its length.
void wrapLine(const TTextMeasurer &m, const QString &text, bool charWrap, int limit, std::vector<Line> &lines)
{
    int from = 0;
    int to = int(text.size());
    for (;;) {
        const int length = to - from;
        const auto headWidth = [&](int n) { return m.Extent(text.mid(from, n)).width(); };
        // The first of doubling heads that is too wide; none when the whole line fits.
        int over = -1;
        for (int probe = std::min(length, 16);; probe = std::min(length, 2 * probe)) {
            if (headWidth(probe) > limit) {
                over = probe;
                break;
            }
            if (probe == length)
                break;
        }
        int cut = -1; // characters that stay
        if (over >= 0) {
            // Heads as long as the one too wide cannot fit either.
            std::vector<int> candidates;
            for (int j = charWrap ? 1 : 2; j < over; ++j) {
                if (charWrap || (!isBlank(text.at(from + j - 1)) && isBlank(text.at(from + j))))
                    candidates.push_back(j);
            }
            cut = longestFitting(headWidth, candidates, limit);
            // At least one character stays, so every line makes progress; a margin wider
            // than the room leaves the line whole.
            if (charWrap && cut < 0 && length > 1 && limit >= 0)
                cut = 1;
        }
        if (cut < 0) {
            addLine(m, lines, text.mid(from, length));
            return;
        }
        addLine(m, lines, text.mid(from, cut));
        from += cut;
        // The next line starts after the blanks (and control characters) at the break and
        // leaves out those ending the text.
        if (!charWrap) {
            while (from < to && text.at(from).unicode() <= 32)
                ++from;
            while (to > from && text.at(to - 1).unicode() <= 32)
                --to;
        }
    }
}

void splitWords(const TTextMeasurer &m, Line &line)
{
    line.wordCount = 0;
    line.wordsWidth = 0;
    QString word;
    const auto flush = [&] {
        if (word.isEmpty())
            return;
        ++line.wordCount;
        line.wordsWidth += m.Extent(word).width();
        word.clear();
    };
    for (const QChar c : line.text) {
        if (isBlank(c))
            flush();
        else
            word.append(c);
    }
    flush();
}

} // namespace

TFontMeasurer::TFontMeasurer(const QFont &font, QPaintDevice *device)
    : m_metrics(device ? QFontMetrics(font, device) : QFontMetrics(font)), m_trueType(IsTrueTypeFont(&font))
{
}

QSize TFontMeasurer::Extent(const QString &text) const
{
    return QSize(m_metrics.horizontalAdvance(text), m_metrics.height());
}

bool IsTrueTypeFont(const QFont *font)
{
    if (!font)
        return false;
    // Asked for every cell on every paint: the font database is asked once per font.
    static QHash<QString, bool> known;
    const QString key = font->key();
    const auto found = known.constFind(key);
    if (found != known.constEnd())
        return found.value();
    const QFontInfo info(*font);
    const bool scalable = QFontDatabase::isSmoothlyScalable(info.family(), info.styleName());
    known.insert(key, scalable);
    return scalable;
}

int NormalizeAngle(int angle)
{
    int a = angle % 360;
    if (a < 0)
        a += 360;
    return a;
}

TTextLayout LayoutTextInRect(const TTextMeasurer &measurer, const QString &text, int hAlign, int vAlign,
                             bool wordWrap, TRect &rect, std::uint8_t indentH, std::uint8_t indentV, int flags,
                             int lineSpacing, int angle)
{
    TTextLayout layout;
    if (hAlign < 0 || hAlign > 3)
        hAlign = 0;
    if (vAlign < 0 || vAlign > 2)
        vAlign = 0;
    const int a = measurer.IsTrueType() ? NormalizeAngle(angle) : 0;
    layout.Angle = a;
    double s = 0.0;
    double c = 1.0;
    if (a != 0) {
        const double r = a * M_PI / 180.0;
        s = std::sin(r);
        c = std::cos(r);
    }

    const int blankWidth = measurer.Extent(QStringLiteral(" ")).width();
    const bool charWrap = (flags & tfCharWrap) && wordWrap;
    if (charWrap && hAlign == 3)
        hAlign = 0;

    int rectW = rect.Width();
    int rectH = rect.Height();
    const int margin = (hAlign == 1 || hAlign == 3) ? 2 * indentH : indentH;
    std::vector<Line> lines;
    for (const QString &line : splitLines(text)) {
        if (wordWrap)
            wrapLine(measurer, line, charWrap, rectW - margin, lines);
        else
            addLine(measurer, lines, line);
    }
    for (Line &line : lines)
        splitWords(measurer, line);

    int H = 0;
    int W = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        H += lines[i].height + (i > 0 ? lineSpacing : 0);
        const int width = hAlign == 3 ? lines[i].wordsWidth + std::max(0, lines[i].wordCount - 1) * blankWidth
                                      : lines[i].width;
        W = std::max(W, width);
    }
    const double as = std::fabs(s);
    const double ac = std::fabs(c);
    const int needW = nearest(ac * W + as * H) + indentH;
    const int needH = nearest(ac * H + as * W) + indentV;
    layout.NeedWidth = needW;
    layout.NeedHeight = needH;
    // The edge moves away from the opposite one, so that a rectangle given the other way
    // round grows too.
    if ((flags & tfGrowWidth) && rectW < needW) {
        rect.Right += (rect.Right < rect.Left ? -1 : 1) * (needW - rectW);
        rectW = needW;
    }
    if ((flags & tfGrowHeight) && rectH < needH) {
        rect.Bottom += (rect.Bottom < rect.Top ? -1 : 1) * (needH - rectH);
        rectH = needH;
    }

    // Where the block starts vertically.
    int base = 0;
    if (a <= 90)
        base = nearest(H * c + W * s);
    else if (a < 180)
        base = nearest(W * s);
    else if (a <= 270)
        base = 0;
    else
        base = nearest(H * c);
    int y = 0;
    if (vAlign == 0) {
        y = rect.Bottom - (rectH - needH) - base;
    } else if (vAlign == 1) {
        const int t = nearest(H * c + W * s);
        y = rect.Top + (rectH - t) / 2;
    } else {
        y = rect.Bottom - base - indentV;
    }

    int dx = 0;
    for (const Line &line : lines) {
        const int L = line.width;
        TPlacedLine placed;
        placed.Text = line.text;
        int x = 0;
        int dy = 0;
        switch (hAlign) {
        case 1:
            x = rect.Left + nearest((rectW - H * s - L * c) / 2.0);
            dy = nearest((L + W) * s / 2.0);
            break;
        case 2: {
            double q = 0;
            if (a <= 90)
                q = H * s;
            else if (a <= 180)
                q = H * s - W * c;
            else if (a <= 270)
                q = -W * c;
            x = rect.Right - nearest(L * c + indentH + q);
            dy = nearest(L * s);
            break;
        }
        default: {
            int k = 0;
            if (a <= 90)
                k = 0;
            else if (a <= 180)
                k = nearest(W * c);
            else if (a <= 270)
                k = nearest(W * c + H * s);
            else
                k = nearest(H * s);
            x = rect.Left + indentH - k;
            dy = nearest(W * s);
            // Justified lines take their place but are not painted.
            placed.Drawn = hAlign != 3;
            break;
        }
        }
        placed.X = x + dx;
        placed.Y = y + dy;
        layout.Lines.push_back(placed);
        y += nearest((line.height + lineSpacing) * c);
        dx += nearest((line.height + lineSpacing) * s);
    }
    return layout;
}

bool DrawTextInRect(QPainter *canvas, const QString &text, const QFont *font, const QColor &color, int hAlign,
                    int vAlign, bool wordWrap, TRect &rect, std::uint8_t indentH, std::uint8_t indentV, int flags,
                    int lineSpacing, int angle)
{
    if (!canvas || !font)
        return false;
    const TFontMeasurer measurer(*font, canvas->device());
    const TTextLayout layout =
        LayoutTextInRect(measurer, text, hAlign, vAlign, wordWrap, rect, indentH, indentV, flags, lineSpacing, angle);
    if (flags & tfMeasureOnly)
        return true;

    canvas->save();
    canvas->setFont(*font);
    canvas->setPen(color);
    if (!(flags & tfNoClip))
        canvas->setClipRect(QRect(QPoint(std::min(rect.Left, rect.Right), std::min(rect.Top, rect.Bottom)),
                                  QSize(rect.Width(), rect.Height())),
                            Qt::IntersectClip);
    if (!(flags & tfKeepBkMode))
        canvas->setBackgroundMode(Qt::TransparentMode);
    const int ascent = QFontMetrics(*font, canvas->device()).ascent();
    for (const TPlacedLine &line : layout.Lines) {
        if (!line.Drawn)
            continue;
        canvas->save();
        canvas->translate(line.X, line.Y);
        // Counter-clockwise on a screen whose y axis points down.
        canvas->rotate(-layout.Angle);
        canvas->drawText(0, ascent, line.Text);
        canvas->restore();
    }
    canvas->restore();
    return true;
}

bool DrawTextInRectFontColor(QPainter *canvas, const QString &text, const TFont *font, int hAlign, int vAlign,
                             bool wordWrap, TRect &rect, std::uint8_t indentH, std::uint8_t indentV, int flags,
                             int lineSpacing, int angle)
{
    if (!font)
        return false;
    return DrawTextInRect(canvas, text, &font->Font, font->Color, hAlign, vAlign, wordWrap, rect, indentH, indentV,
                          flags, lineSpacing, angle);
}
