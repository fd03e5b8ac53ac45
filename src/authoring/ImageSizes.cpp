#include "authoring/ImageSizes.h"

#include <cmath>

namespace {

std::optional<qint64> size(const QString &text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok || value < 0 || value > MaxImageSide)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<qint64> ProportionalSide(const QString &presentSide, const QString &presentOther,
                                       const QString &newSide)
{
    const auto side = size(presentSide);
    const auto other = size(presentOther);
    const auto wanted = size(newSide);
    if (!side || !other || !wanted || *side == 0 || *other == 0)
        return std::nullopt;
    const long double exact = static_cast<long double>(*other) / *side * *wanted;
    // nearbyint rounds in the default mode, which sends a half to the even neighbour.
    const long double rounded = std::nearbyint(exact);
    if (rounded > MaxImageSide)
        return std::nullopt;
    return static_cast<qint64>(rounded);
}
