#include "authoring/zcftext.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <QPainter>
#include <cfenv>
#include <cmath>

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

// Trims blanks and control characters at both ends.
QString trimmedControl(const QString &s)
{
    int from = 0;
    int to = s.size();
    while (from < to && s.at(from).unicode() <= 32)
        ++from;
    while (to > from && s.at(to - 1).unicode() <= 32)
        --to;
    return s.mid(from, to - from);
}

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

std::vector<Line> splitLines(const TTextMeasurer &m, const QString &text)
{
    std::vector<Line> lines;
    QString current;
    const QString all = text + QStringLiteral("\r\n");
    for (const QChar c : all) {
        if (c == QLatin1Char('\r'))
            continue;
        if (c == QLatin1Char('\n')) {
            Line line;
            line.text = current.isEmpty() ? QStringLiteral(" ") : current;
            measure(m, line);
            lines.push_back(line);
            current.clear();
        } else {
            current.append(c);
        }
    }
    return lines;
}

// Cuts the line at index i when it is wider than the room; the tail goes in right after it.
void wrapLine(const TTextMeasurer &m, std::vector<Line> &lines, std::size_t i, bool charWrap, int margin, int room)
{
    Line &line = lines[i];
    if (line.width + margin <= room)
        return;
    const QString text = line.text;
    const int length = text.size();
    int cut = -1;  // characters that stay
    QString tail;
    if (charWrap) {
        // At least one character stays, so every line makes progress.
        for (int j = length; j >= 2 && cut < 0; --j) {
            if (line.width - m.Extent(text.mid(j - 1)).width() + margin <= room) {
                cut = j - 1;
                tail = text.mid(j - 1);
            }
        }
        if (cut < 0 && length > 1) {
            cut = 1;
            tail = text.mid(1);
        }
    } else {
        int j = length;  // 1-based position
        while (j >= 1 && cut < 0) {
            if (!isBlank(text.at(j - 1))) {
                --j;
                continue;
            }
            while (j >= 1 && isBlank(text.at(j - 1)))
                --j;
            const QString rest = text.mid(j);
            if (j > 1 && line.width - m.Extent(rest).width() + margin <= room) {
                cut = j;
                tail = trimmedControl(rest);
            } else {
                --j;
            }
        }
    }
    if (cut < 0)
        return;
    line.text = text.left(cut);
    measure(m, line);
    Line next;
    next.text = tail;
    measure(m, next);
    lines.insert(lines.begin() + std::ptrdiff_t(i) + 1, next);
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

    std::vector<Line> lines = splitLines(measurer, text);
    const int blankWidth = measurer.Extent(QStringLiteral(" ")).width();
    const bool charWrap = (flags & tfCharWrap) && wordWrap;
    if (charWrap && hAlign == 3)
        hAlign = 0;

    int rectW = rect.Width();
    int rectH = rect.Height();
    if (wordWrap) {
        const int margin = (hAlign == 1 || hAlign == 3) ? 2 * indentH : indentH;
        for (std::size_t i = 0; i < lines.size(); ++i)
            wrapLine(measurer, lines, i, charWrap, margin, rectW);
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
    if ((flags & tfGrowWidth) && rectW < needW) {
        rect.Right += needW - rectW;
        rectW = needW;
    }
    if ((flags & tfGrowHeight) && rectH < needH) {
        rect.Bottom += needH - rectH;
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
