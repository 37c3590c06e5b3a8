#include "Platform/UI/Image.h"

#include <qdrawutil.h>

#include <QPainter>
#include <QPixmapCache>
#include <cmath>

#include "Platform/UI/ImageStore.h"

qreal Image::scale() const {
    if (size_.width() <= 0) return 1.0;
    return pixmap_.width() / size_.width();
}

Image Image::withRecipe(Recipe recipe, qreal pixelsPerPoint) const {
    Image image = *this;
    image.recipe_ = std::make_shared<const Recipe>(std::move(recipe));
    image.pixelsPerPoint_ = pixelsPerPoint;
    return image;
}

Image Image::atCurrentScale() const {
    if (!recipe_ || pixelsPerPoint_ == ImageStore::currentScale()) return *this;
    return (*recipe_)();
}

Image Image::madeWith(const Step& step) const {
    Image made = step(*this);
    if (!recipe_) return made;
    // The recipe holds the source's recipe, not its pixels, which are dropped with it.
    return made.withRecipe([source = recipe_, step] { return (*source)().madeWith(step); }, pixelsPerPoint_);
}

Image Image::croppedToRect(const QRectF& rect) const {
    return madeWith([rect](const Image& source) { return source.cutOut(rect); });
}

Image Image::cutOut(const QRectF& rect) const {
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

void Image::drawStretchable(QPainter& painter, const QRectF& target, qreal capInset) const {
    if (isNull()) return;
    const qreal inset =
        std::min({capInset, size_.width() / 2, size_.height() / 2, target.width() / 2, target.height() / 2});
    const int sourceInset = static_cast<int>(std::floor(inset * scale()));
    const QMargins sourceMargins(sourceInset, sourceInset, sourceInset, sourceInset);
    const qreal pixelsPerUnit = scale();
    const QRect scaledTarget(0, 0, static_cast<int>(std::lround(target.width() * pixelsPerUnit)),
                             static_cast<int>(std::lround(target.height() * pixelsPerUnit)));
    // The pixmap's own ratio would shrink the corners; draw pixel for pixel at this scale.
    const auto stretch = [&](QPainter& onto) {
        QPixmap pixels = pixmap_;
        pixels.setDevicePixelRatio(1.0);
        onto.setRenderHint(QPainter::SmoothPixmapTransform);
        qDrawBorderPixmap(&onto, scaledTarget, sourceMargins, pixels, pixels.rect(), sourceMargins);
    };
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(1 / pixelsPerUnit, 1 / pixelsPerUnit);
    // Smoothing every piece of a face is most of the cost of drawing a key. Where the face lands
    // on whole device pixels, unscaled, it is stretched once for its size and copied pixel for
    // pixel to every key of that size.
    const QTransform toDevice = painter.deviceTransform();
    const bool landsOnPixels = toDevice.type() <= QTransform::TxTranslate &&
                               toDevice.dx() == std::floor(toDevice.dx()) && toDevice.dy() == std::floor(toDevice.dy());
    if (landsOnPixels && !scaledTarget.isEmpty()) {
        const QString key = QStringLiteral("Image::drawStretchable %1 %2x%3 %4")
                                .arg(pixmap_.cacheKey())
                                .arg(scaledTarget.width())
                                .arg(scaledTarget.height())
                                .arg(sourceInset);
        QPixmap stretched;
        if (!QPixmapCache::find(key, &stretched)) {
            stretched = QPixmap(scaledTarget.size());
            stretched.fill(Qt::transparent);
            QPainter onto(&stretched);
            stretch(onto);
            onto.end();
            QPixmapCache::insert(key, stretched);
        }
        painter.drawPixmap(0, 0, stretched);
    } else {
        stretch(painter);
    }
    painter.restore();
}
