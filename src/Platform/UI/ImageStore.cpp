#include "Platform/UI/ImageStore.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <cmath>
#include <string>
#include <vector>

#include "Platform/UI/ImageDiskCache.h"
#include "Platform/UI/PointScale.h"

static void initialiseImageResources() { Q_INIT_RESOURCE(quillet); }

namespace {

QHash<QString, Image>& imageCache() {
    static QHash<QString, Image> cache;
    return cache;
}

QString& diskCacheDirectory() {
    static QString directory;
    return directory;
}

// Drawn while the disk cache is open, written when it closes: a start never waits for the
// disk before its first frame.
struct DrawnImage {
    QString set;
    QString key;
    QByteArray artwork;
    ImageDiskCache::Entry entry;
};
std::vector<DrawnImage>& imagesToWrite() {
    static std::vector<DrawnImage> images;
    return images;
}

// The sets read from or drawn for since the disk cache was opened.
QStringList& setsUsed() {
    static QStringList sets;
    return sets;
}

QString resourcePath(std::string_view name) {
    static const bool initialised = (initialiseImageResources(), true);
    (void)initialised;
    return QStringLiteral(":/images/") + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// The pixel ratio of the screen the window is on, 0 until the window says.
qreal& windowPixelRatio() {
    static qreal ratio = 0;
    return ratio;
}

qreal screenPixelRatio() {
    if (windowPixelRatio() > 0) return windowPixelRatio();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

bool isSvg(const QByteArray& artwork) {
    const QByteArray head = artwork.left(256);
    return head.contains("<svg") || head.startsWith("<?xml");
}

QSize pixelSize(QSizeF points, qreal pixelsPerPoint) {
    return QSize(std::max(1, static_cast<int>(std::lround(points.width() * pixelsPerPoint))),
                 std::max(1, static_cast<int>(std::lround(points.height() * pixelsPerPoint))));
}

std::optional<ImageDiskCache::Entry> renderImage(const QByteArray& artwork, std::optional<QSizeF> requestedSize) {
    const qreal pixelsPerPoint = ImageStore::currentScale();
    if (isSvg(artwork)) {
        QSvgRenderer renderer(artwork);
        if (!renderer.isValid()) return std::nullopt;
        const QSizeF points = requestedSize.value_or(QSizeF(renderer.defaultSize()));
        const QSize pixels = pixelSize(points, pixelsPerPoint);
        QImage canvas(pixels, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
        painter.end();
        return ImageDiskCache::Entry{std::move(canvas), points};
    }
    const QImage raster = QImage::fromData(artwork);
    if (raster.isNull()) return std::nullopt;
    // A bitmap is taken as drawn for one pixel per point.
    const QSizeF points = requestedSize.value_or(QSizeF(raster.size()));
    const QSize pixels = pixelSize(points, pixelsPerPoint);
    return ImageDiskCache::Entry{raster.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), points};
}

Image cachedImage(std::string_view name, std::optional<QSizeF> size) {
    const QString path = resourcePath(name);
    QString key = path + QLatin1Char('@') + QString::number(ImageStore::currentScale());
    if (size) key += QStringLiteral("#%1x%2").arg(size->width()).arg(size->height());
    auto found = imageCache().constFind(key);
    if (found != imageCache().constEnd()) return *found;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray artwork = file.readAll();
    // Drawing SVG, its text above all, is most of a start's work; an earlier start's pixels
    // for the same artwork and scale are read back instead.
    const QString set = ImageDiskCache::setForScale(ImageStore::currentScale());
    std::optional<ImageDiskCache::Entry> entry = ImageDiskCache(diskCacheDirectory(), set).read(key, artwork);
    QPixmap pixmap;
    if (entry) {
        // The pixmap Qt would make after searching every pixel for transparency.
        if (entry->isOpaque) entry->pixels.reinterpretAsFormat(QImage::Format_RGB32);
        pixmap = QPixmap::fromImage(std::move(entry->pixels), Qt::NoOpaqueDetection);
    } else {
        entry = renderImage(artwork, size);
        if (!entry) return {};
        if (!diskCacheDirectory().isEmpty()) imagesToWrite().push_back({set, key, artwork, *entry});
        pixmap = QPixmap::fromImage(std::move(entry->pixels));
    }
    if (!diskCacheDirectory().isEmpty() && !setsUsed().contains(set)) setsUsed().push_back(set);
    pixmap.setDevicePixelRatio(screenPixelRatio());
    const Image image = Image(pixmap, entry->points)
                            .withRecipe([name = std::string(name), size] { return cachedImage(name, size); },
                                        ImageStore::currentScale());
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

void ImageStore::openDiskCache(const QString& directory) { diskCacheDirectory() = directory; }

void ImageStore::closeDiskCache() {
    for (const DrawnImage& image : imagesToWrite()) {
        ImageDiskCache(diskCacheDirectory(), image.set).write(image.key, image.artwork, image.entry);
    }
    if (!setsUsed().isEmpty()) ImageDiskCache(diskCacheDirectory()).keepRecentSets(setsUsed());
    imagesToWrite().clear();
    setsUsed().clear();
    diskCacheDirectory().clear();
}

qreal ImageStore::currentScale() { return screenPixelRatio() * PointScale::factor(); }

void ImageStore::setDevicePixelRatio(qreal ratio) {
    if (ratio > 0) windowPixelRatio() = ratio;
}
