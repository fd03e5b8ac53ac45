#pragma once
// The image-resize calculator's arithmetic: the other side of a picture that keeps its
// proportions.
#include <QString>
#include <QtGlobal>
#include <optional>

// The largest size the calculator reads or writes, in pixels.
constexpr qint64 MaxImageSide = 100000;

// The new length of the other side when a side of presentSide pixels becomes newSide
// pixels: presentOther / presentSide * newSide, a half going to the even neighbour.
// Nothing when a text is empty or not a number, a present size is 0, or an input or the
// result is above MaxImageSide.
std::optional<qint64> ProportionalSide(const QString &presentSide, const QString &presentOther,
                                       const QString &newSide);
