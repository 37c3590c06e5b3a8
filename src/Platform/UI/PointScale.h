#pragma once

#include <QtGlobal>

// The screens are laid out in points on a phone-sized canvas; the window scales that canvas by
// one factor so that it fills a larger window without distortion. Widgets draw in points and
// multiply by the factor wherever Qt wants pixels.
class PointScale {
public:
    static qreal factor();
    static void setFactor(qreal factor);
    static qreal pixelsFromPoints(qreal points) { return points * factor(); }
    static qreal pointsFromPixels(qreal pixels) { return pixels / factor(); }
};
