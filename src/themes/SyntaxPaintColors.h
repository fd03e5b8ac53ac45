#pragma once
// Turns the stored colours of the model into the colours an editor paints with.
#include "themes/SyntaxColorModel.h"

#include <QColor>
#include <QPalette>

QColor TColorToQColor(TColor rgbColor);
TColor QColorToTColor(const QColor &color);

// A system colour (0xFF in the top byte, the system-colour number in the lowest byte) as the
// palette's nearest role; an unknown number gives the palette's text colour.
QColor SystemColorToQColor(TColor color, const QPalette &palette);

// Background an attribute is painted on: clNone shows the paper.
QColor AttributeBackColor(const HighlighterAttribute &attri, const QColor &paper,
                          const QPalette &palette);
QColor AttributeBackColor(const HighlighterAttribute &attri, const QColor &paper);

// Text colour of an attribute. An RGB foreground is painted as stored. Window text, any other
// system colour and clNone follow the palette, but turn black or white when the palette's
// colour would be hard to read on the attribute's background (a dark desktop theme under a
// light editor theme, or the reverse).
QColor AttributeTextColor(const HighlighterAttribute &attri, const QColor &paper,
                          const QPalette &palette);
QColor AttributeTextColor(const HighlighterAttribute &attri, const QColor &paper);

// Contrast ratio of two colours, from 1 (same luminance) to 21 (black on white).
double ColorContrast(const QColor &a, const QColor &b);
