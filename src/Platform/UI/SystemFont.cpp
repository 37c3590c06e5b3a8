#include "Platform/UI/SystemFont.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <cmath>

QFont SystemFont::systemFontOfSize(qreal size, const QPaintDevice& device) {
    QFont font = QApplication::font();
    // Sizes are lengths in points of the layout, which the device measures in its own pixels.
    font.setPointSizeF(std::max<qreal>(size, 0.5) * 72.0 / device.logicalDpiY());
    font.setBold(false);
    return font;
}

QFont SystemFont::boldSystemFontOfSize(qreal size, const QPaintDevice& device) {
    QFont font = systemFontOfSize(size, device);
    font.setBold(true);
    return font;
}

qreal fittingFontSize(const QString& text, qreal maxSize, qreal minSize, qreal width, const QPaintDevice& device,
                      bool bold) {
    const auto fontOfSize = [&](qreal size) {
        return bold ? SystemFont::boldSystemFontOfSize(size, device) : SystemFont::systemFontOfSize(size, device);
    };
    constexpr qreal referenceSize = 100.0;
    // Beyond this the size no longer matters for any widget on a screen.
    constexpr qreal largestUsefulSize = 2000.0;
    const qreal ceiling = std::min(maxSize, largestUsefulSize);
    const qreal referenceWidth = QFontMetricsF(fontOfSize(referenceSize), &device).horizontalAdvance(text);
    if (referenceWidth <= 0) return std::max(ceiling, minSize);
    // Widths grow almost in proportion to the size; hinting makes the last step a search.
    qreal size = std::min(ceiling, std::floor(referenceSize * width / referenceWidth * 4.0) / 4.0);
    while (size > minSize && QFontMetricsF(fontOfSize(size), &device).horizontalAdvance(text) > width) {
        size -= 0.25;
    }
    return std::max(size, minSize);
}
