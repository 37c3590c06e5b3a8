#include "Platform/Image.h"

#include <QPainter>
#include <cmath>

qreal Image::scale() const {
    if (size_.width() <= 0) return 1.0;
    return pixmap_.width() / size_.width();
}

Image Image::croppedToRect(const QRectF& rect) const {
    const qreal pixelsPerPoint = scale();
    const QRect pixels(static_cast<int>(std::lround(rect.x() * pixelsPerPoint)),
                       static_cast<int>(std::lround(rect.y() * pixelsPerPoint)),
                       static_cast<int>(std::lround(rect.width() * pixelsPerPoint)),
                       static_cast<int>(std::lround(rect.height() * pixelsPerPoint)));
    QPixmap cut = pixmap_.copy(pixels.intersected(pixmap_.rect()));
    cut.setDevicePixelRatio(pixmap_.devicePixelRatio());
    return Image(cut, QSizeF(cut.width() / pixelsPerPoint, cut.height() / pixelsPerPoint));
}

void Image::draw(QPainter& painter, const QRectF& target) const {
    if (isNull()) return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, pixmap_, QRectF(pixmap_.rect()));
    painter.restore();
}
