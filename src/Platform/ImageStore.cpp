#include "Platform/ImageStore.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <cmath>

#include "Platform/PointScale.h"

static void initialiseImageResources() { Q_INIT_RESOURCE(quillet); }

namespace {

QHash<QString, Image>& imageCache() {
    static QHash<QString, Image> cache;
    return cache;
}

QString resourcePath(std::string_view name) {
    static const bool initialised = (initialiseImageResources(), true);
    (void)initialised;
    return QStringLiteral(":/images/") + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

qreal screenPixelRatio() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

bool isSvg(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = file.read(256);
    return head.contains("<svg") || head.startsWith("<?xml");
}

QSize pixelSize(QSizeF points, qreal pixelsPerPoint) {
    return QSize(std::max(1, static_cast<int>(std::lround(points.width() * pixelsPerPoint))),
                 std::max(1, static_cast<int>(std::lround(points.height() * pixelsPerPoint))));
}

Image renderImage(const QString& path, std::optional<QSizeF> requestedSize) {
    const qreal pixelsPerPoint = ImageStore::currentScale();
    const qreal deviceRatio = screenPixelRatio();
    if (isSvg(path)) {
        QSvgRenderer renderer(path);
        if (!renderer.isValid()) return {};
        const QSizeF points = requestedSize.value_or(QSizeF(renderer.defaultSize()));
        const QSize pixels = pixelSize(points, pixelsPerPoint);
        QImage canvas(pixels, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
        painter.end();
        QPixmap pixmap = QPixmap::fromImage(canvas);
        pixmap.setDevicePixelRatio(deviceRatio);
        return Image(pixmap, points);
    }
    QImage raster(path);
    if (raster.isNull()) return {};
    // A bitmap is taken as drawn for one pixel per point.
    const QSizeF points = requestedSize.value_or(QSizeF(raster.size()));
    const QSize pixels = pixelSize(points, pixelsPerPoint);
    QPixmap pixmap = QPixmap::fromImage(raster.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(deviceRatio);
    return Image(pixmap, points);
}

Image cachedImage(std::string_view name, std::optional<QSizeF> size) {
    const QString path = resourcePath(name);
    QString key = path + QLatin1Char('@') + QString::number(ImageStore::currentScale());
    if (size) key += QStringLiteral("#%1x%2").arg(size->width()).arg(size->height());
    auto found = imageCache().constFind(key);
    if (found != imageCache().constEnd()) return *found;
    if (!QFile::exists(path)) return {};
    Image image = renderImage(path, size);
    imageCache().insert(key, image);
    return image;
}

}  // namespace

Image ImageStore::imageNamed(std::string_view name) { return cachedImage(name, std::nullopt); }

Image ImageStore::imageNamed(std::string_view name, QSizeF size) { return cachedImage(name, size); }

bool ImageStore::hasImageNamed(std::string_view name) { return QFile::exists(resourcePath(name)); }

QBrush ImageStore::colorWithPatternImage(const Image& image) {
    if (image.isNull()) return QBrush();
    return QBrush(image.pixmap());
}

void ImageStore::clearCache() { imageCache().clear(); }

qreal ImageStore::currentScale() { return screenPixelRatio() * PointScale::factor(); }
