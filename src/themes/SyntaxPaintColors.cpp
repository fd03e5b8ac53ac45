#include "themes/SyntaxPaintColors.h"

#include <QGuiApplication>
#include <algorithm>
#include <cmath>

namespace {

bool isSystemColor(TColor color)
{
    return (color & 0xFF000000u) == 0xFF000000u;
}

double relativeLuminance(const QColor &c)
{
    auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// Below this ratio ordinary text is hard to read.
constexpr double kReadableContrast = 4.5;

} // namespace

QColor TColorToQColor(TColor rgbColor)
{
    return QColor(int(rgbColor & 0xFF), int((rgbColor >> 8) & 0xFF), int((rgbColor >> 16) & 0xFF));
}

TColor QColorToTColor(const QColor &color)
{
    return TColor(color.red()) | (TColor(color.green()) << 8) | (TColor(color.blue()) << 16);
}

QColor SystemColorToQColor(TColor color, const QPalette &palette)
{
    struct Source {
        QPalette::ColorGroup Group;
        QPalette::ColorRole Role;
    };
    constexpr QPalette::ColorGroup A = QPalette::Active;
    // Indexed by the system-colour number.
    static const Source kSources[] = {
        {A, QPalette::Button},                      // 0 scroll bar
        {A, QPalette::Dark},                        // 1 desktop
        {A, QPalette::Highlight},                   // 2 active caption
        {A, QPalette::Mid},                         // 3 inactive caption
        {A, QPalette::Window},                      // 4 menu
        {A, QPalette::Base},                        // 5 window
        {A, QPalette::Shadow},                      // 6 window frame
        {A, QPalette::WindowText},                  // 7 menu text
        {A, QPalette::Text},                        // 8 window text
        {A, QPalette::HighlightedText},             // 9 caption text
        {A, QPalette::Window},                      // 10 active border
        {A, QPalette::Window},                      // 11 inactive border
        {A, QPalette::Dark},                        // 12 application workspace
        {A, QPalette::Highlight},                   // 13 highlight
        {A, QPalette::HighlightedText},             // 14 highlight text
        {A, QPalette::Button},                      // 15 button face
        {A, QPalette::Dark},                        // 16 button shadow
        {QPalette::Disabled, QPalette::Text},       // 17 grey text
        {A, QPalette::ButtonText},                  // 18 button text
        {QPalette::Inactive, QPalette::WindowText}, // 19 inactive caption text
        {A, QPalette::Light},                       // 20 button highlight
        {A, QPalette::Shadow},                      // 21 3D dark shadow
        {A, QPalette::Midlight},                    // 22 3D light
        {A, QPalette::ToolTipText},                 // 23 info text
        {A, QPalette::ToolTipBase},                 // 24 info background
        {A, QPalette::Text},                        // 25 unused
        {A, QPalette::Link},                        // 26 hot light
        {A, QPalette::Highlight},                   // 27 gradient active caption
        {A, QPalette::Mid},                         // 28 gradient inactive caption
        {A, QPalette::Highlight},                   // 29 menu highlight
        {A, QPalette::Window},                      // 30 menu bar
    };
    const size_t number = color & 0xFF;
    if (number >= sizeof(kSources) / sizeof(kSources[0]))
        return palette.color(A, QPalette::Text);
    return palette.color(kSources[number].Group, kSources[number].Role);
}

QColor AttributeBackColor(const HighlighterAttribute &attri, const QColor &paper,
                          const QPalette &palette)
{
    if (attri.Background == clNone)
        return paper;
    if (isSystemColor(attri.Background))
        return SystemColorToQColor(attri.Background, palette);
    return TColorToQColor(attri.Background);
}

QColor AttributeBackColor(const HighlighterAttribute &attri, const QColor &paper)
{
    return AttributeBackColor(attri, paper, QGuiApplication::palette());
}

QColor AttributeTextColor(const HighlighterAttribute &attri, const QColor &paper,
                          const QPalette &palette)
{
    if (attri.Foreground != clNone && !isSystemColor(attri.Foreground))
        return TColorToQColor(attri.Foreground);
    const QColor back = AttributeBackColor(attri, paper, palette);
    const QColor text = attri.Foreground == clNone
                            ? palette.color(QPalette::Active, QPalette::Text)
                            : SystemColorToQColor(attri.Foreground, palette);
    if (ColorContrast(text, back) >= kReadableContrast)
        return text;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return ColorContrast(black, back) >= ColorContrast(white, back) ? black : white;
}

QColor AttributeTextColor(const HighlighterAttribute &attri, const QColor &paper)
{
    return AttributeTextColor(attri, paper, QGuiApplication::palette());
}

double ColorContrast(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
