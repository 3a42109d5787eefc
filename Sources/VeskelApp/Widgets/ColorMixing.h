#pragma once

#include <QColor>

namespace veskel {

// The colour at the given opacity.
inline QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(float(alpha));
    return color;
}

// The opaque colour `top` gives when painted over the opaque `bottom`.
inline QColor colorOver(const QColor &top, const QColor &bottom)
{
    const float a = top.alphaF();
    const auto mix = [a](float t, float b) { return t * a + b * (1 - a); };
    return QColor::fromRgbF(mix(top.redF(), bottom.redF()), mix(top.greenF(), bottom.greenF()),
                            mix(top.blueF(), bottom.blueF()));
}

} // namespace veskel
