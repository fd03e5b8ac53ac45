#pragma once
// Editor style numbers of the colour model: one style per attribute and one per language
// marker, the same numbers in every lexer, so a style byte always names its attribute.
#include "themes/SyntaxColorModel.h"

#include <QtGlobal>

// Scintilla keeps styles 32 to 39 for itself (default text, line numbers, braces...).
constexpr int SyntaxReservedFirst = 32;
constexpr int SyntaxReservedCount = 8;

constexpr int SyntaxStyleOf(SyntaxAttri attri)
{
    const int i = int(attri);
    return i < SyntaxReservedFirst ? i : i + SyntaxReservedCount;
}

constexpr int SyntaxMarkerStyle(int scheme)
{
    return SyntaxAttriCount + SyntaxReservedCount + scheme;
}

// One past the highest style a lexer of ours uses.
constexpr int SyntaxStyleCount = SyntaxMarkerStyle(SchemeCount);
static_assert(SyntaxStyleCount <= 128, "styles must fit the lexers' style range");

// The attribute a style shows; Count for markers and for styles of no attribute.
constexpr SyntaxAttri SyntaxAttriOfStyle(int style)
{
    if (style < 0 || (style >= SyntaxReservedFirst && style < SyntaxReservedFirst + SyntaxReservedCount))
        return SyntaxAttri::Count;
    const int i = style < SyntaxReservedFirst ? style : style - SyntaxReservedCount;
    return i < SyntaxAttriCount ? SyntaxAttri(i) : SyntaxAttri::Count;
}

// The scheme whose marker a style shows; -1 for any other style.
constexpr int SyntaxMarkerOfStyle(int style)
{
    const int scheme = style - SyntaxMarkerStyle(0);
    return scheme >= 0 && scheme < SchemeCount ? scheme : -1;
}

static_assert(SyntaxAttriOfStyle(SyntaxStyleOf(SyntaxAttri::BAT_Variable)) == SyntaxAttri::BAT_Variable);
static_assert(SyntaxAttriOfStyle(SyntaxStyleOf(SyntaxAttri(31))) == SyntaxAttri(31));
static_assert(SyntaxAttriOfStyle(SyntaxStyleOf(SyntaxAttri(32))) == SyntaxAttri(32));
static_assert(SyntaxMarkerOfStyle(SyntaxMarkerStyle(Sch_PHP)) == Sch_PHP);
static_assert(SyntaxAttriOfStyle(SyntaxMarkerStyle(0)) == SyntaxAttri::Count);

// Style byte of an attribute, for the scanners' style buffers.
constexpr quint8 StyleByte(SyntaxAttri attri)
{
    return quint8(SyntaxStyleOf(attri));
}
constexpr quint8 MarkerByte(int scheme)
{
    return quint8(SyntaxMarkerStyle(scheme));
}
