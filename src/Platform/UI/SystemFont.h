#pragma once

#include <QFont>

class QPaintDevice;

// The system font at a size in points of the screen layout, for painters that paint in points
// on that device (and for measuring there).
class SystemFont {
public:
    static QFont systemFontOfSize(qreal size, const QPaintDevice& device);
    static QFont boldSystemFontOfSize(qreal size, const QPaintDevice& device);
};

// The largest size, from maxSize down to minSize, at which the text fits the width on one
// line; minSize when it fits at no size.
qreal fittingFontSize(const QString& text, qreal maxSize, qreal minSize, qreal width, const QPaintDevice& device,
                      bool bold);
inline qreal fittingBoldFontSize(const QString& text, qreal maxSize, qreal minSize, qreal width,
                                 const QPaintDevice& device) {
    return fittingFontSize(text, maxSize, minSize, width, device, true);
}
