#include "Platform/UI/FocusRing.h"

#include <QPainter>
#include <QWidget>

namespace {
constexpr qreal kRingWidth = 2.0;
const QColor kRingColour(0xe0, 0xad, 0x5e);
// A dark edge keeps the ring readable over the brass and light faces too.
const QColor kEdgeColour(0x2a, 0x1c, 0x08, 200);
}  // namespace

bool FocusRing::isShownOn(const QWidget& widget) { return widget.hasFocus(); }

void FocusRing::paint(QPainter& painter, const QRectF& bounds, qreal radius) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const QRectF ring = bounds.adjusted(kRingWidth, kRingWidth, -kRingWidth, -kRingWidth);
    painter.setPen(QPen(kEdgeColour, kRingWidth + 1.5));
    painter.drawRoundedRect(ring, radius, radius);
    painter.setPen(QPen(kRingColour, kRingWidth));
    painter.drawRoundedRect(ring, radius, radius);
    painter.restore();
}
