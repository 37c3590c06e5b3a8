#include "Classes/ZQGreyscale.h"

#include <QPainter>

namespace {

Image silhouette(const Image& image, const QColor& colour) {
    const QPixmap& source = image.pixmap();
    QImage canvas(source.size(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(colour);
    QPainter painter(&canvas);
    // Destination-in keeps the fill only where the icon is opaque, in proportion to its alpha.
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.drawPixmap(QRectF(canvas.rect()), source, QRectF(source.rect()));
    painter.end();
    QPixmap tinted = QPixmap::fromImage(canvas);
    tinted.setDevicePixelRatio(source.devicePixelRatio());
    return Image(tinted, image.size());
}

}  // namespace

Image imageGreyscaleWithColor(const Image& image, const QColor& colour) {
    if (image.isNull()) return image;
    return image.madeWith([colour](const Image& source) { return silhouette(source, colour); });
}
