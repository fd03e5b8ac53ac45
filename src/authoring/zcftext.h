#pragma once
// Multi-line text in a rectangle: split at line feeds, wrapped to the width, aligned with
// indents, turned by an angle, and optionally growing the rectangle so the text fits.
// All measuring goes through TTextMeasurer, so the layout is worked out (and tested)
// without a screen; DrawTextInRect only paints what LayoutTextInRect placed.
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <QSize>
#include <cstdint>
#include <cstdlib>
#include <vector>

class QPainter;

// A rectangle by its four edges. For pixels Right and Bottom lie just past the area; for
// cell ranges of a grid all four are inclusive column and row indexes.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return std::abs(Right - Left); }
    int Height() const { return std::abs(Bottom - Top); }
    bool operator==(const TRect &o) const
    {
        return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
    }
    bool operator!=(const TRect &o) const { return !(*this == o); }
};

// A font with its colour, as cell styles carry it.
struct TFont {
    QFont Font;
    QColor Color = Qt::black;
    bool operator==(const TFont &o) const { return Font == o.Font && Color == o.Color; }
    bool operator!=(const TFont &o) const { return !(*this == o); }
};

// Flag bits of DrawTextInRect.
enum TTextFlag {
    tfGrowWidth = 1,    // Rect.Right moves right when the text needs more width
    tfGrowHeight = 2,   // Rect.Bottom moves down when the text needs more height
    tfMeasureOnly = 4,  // every step but the painting
    tfCharWrap = 8,     // with word wrap, break at any character instead of at blanks
    tfKeepBkMode = 16,  // keep the painter's background mode (else transparent)
    tfNoClip = 32,      // paint outside Rect too
};

// Measures unrotated text in one font.
class TTextMeasurer {
public:
    virtual ~TTextMeasurer() = default;
    // Width and height of a text on one line; the height is the font's line height, even
    // for an empty text.
    virtual QSize Extent(const QString &text) const = 0;
    // Whether the font can be drawn turned.
    virtual bool IsTrueType() const = 0;
};

// The measurer of a real font (on the painter's device when one is given).
class TFontMeasurer : public TTextMeasurer {
public:
    explicit TFontMeasurer(const QFont &font, QPaintDevice *device = nullptr);
    QSize Extent(const QString &text) const override;
    bool IsTrueType() const override { return m_trueType; }

private:
    QFontMetrics m_metrics;
    bool m_trueType;
};

// Whether a font is an outline font that can be drawn at any angle; false without a font.
bool IsTrueTypeFont(const QFont *font);

// One line as it is painted: its text, where its unrotated top-left corner goes.
struct TPlacedLine {
    QString Text;
    int X = 0;
    int Y = 0;
    bool Drawn = true;  // false for lines that only take their place (justified)
};

struct TTextLayout {
    int Angle = 0;  // in 0..359, 0 when the font cannot be turned
    int NeedWidth = 0;
    int NeedHeight = 0;
    std::vector<TPlacedLine> Lines;
};

// Normalises an angle into 0..359 (360, -360 and 720 give 0; -90 gives 270).
int NormalizeAngle(int angle);

// Lays a text out in Rect (growing Rect with flags 1 and 2; it never shrinks). HAlign: 0
// left, 1 centre, 2 right, 3 justified; VAlign: 0 top, 1 centre, 2 bottom; other codes
// count as left and top.
TTextLayout LayoutTextInRect(const TTextMeasurer &measurer, const QString &text, int hAlign, int vAlign,
                             bool wordWrap, TRect &rect, std::uint8_t indentH, std::uint8_t indentV, int flags,
                             int lineSpacing, int angle);

// Lays the text out with the font on the painter's device and, unless measure-only, paints
// it in colour. False, with nothing done, when the painter or the font is absent. The
// painter's state is left as it was.
bool DrawTextInRect(QPainter *canvas, const QString &text, const QFont *font, const QColor &color, int hAlign,
                    int vAlign, bool wordWrap, TRect &rect, std::uint8_t indentH, std::uint8_t indentV, int flags,
                    int lineSpacing, int angle);
// The same in the font's own colour.
bool DrawTextInRectFontColor(QPainter *canvas, const QString &text, const TFont *font, int hAlign, int vAlign,
                             bool wordWrap, TRect &rect, std::uint8_t indentH, std::uint8_t indentV, int flags,
                             int lineSpacing, int angle);
