#pragma once

#include <QRect>
#include <QRectF>

#include "Platform/UI/PointScale.h"

// Frames are laid out in points and set on widgets in pixels of the present point scale.
class PointGeometry {
public:
    static QRect pixelRectFromPoints(const QRectF& points) {
        const qreal factor = PointScale::factor();
        return QRectF(points.x() * factor, points.y() * factor, points.width() * factor, points.height() * factor)
            .toRect();
    }
    static QRect pixelRectFromPoints(qreal x, qreal y, qreal width, qreal height) {
        return pixelRectFromPoints(QRectF(x, y, width, height));
    }
};
