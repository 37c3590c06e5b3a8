#include "Platform/UI/ImageDiskCache.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

constexpr quint32 kMagic = 0x51494d47;  // "QIMG"
// Raised whenever the layout of a file changes, so that old files are misses.
constexpr quint32 kVersion = 1;
constexpr QImage::Format kFormat = QImage::Format_ARGB32_Premultiplied;
// Larger than any image the screens draw; a header claiming more is damaged.
constexpr qint32 kLargestSide = 8192;

QByteArray digestOf(const QByteArray& artwork) { return QCryptographicHash::hash(artwork, QCryptographicHash::Sha256); }

}  // namespace

QString ImageDiskCache::standardDirectory() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return base.isEmpty() ? QString() : QDir(base).filePath(QStringLiteral("images"));
}

QString ImageDiskCache::filePath(const QString& key) const {
    const QByteArray name = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QDir(directory_).filePath(QString::fromLatin1(name) + QStringLiteral(".pixels"));
}

std::optional<ImageDiskCache::Entry> ImageDiskCache::read(const QString& key, const QByteArray& artwork) const {
    if (directory_.isEmpty()) return std::nullopt;
    QFile file(filePath(key));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0, version = 0;
    QByteArray digest;
    double pointsWidth = 0, pointsHeight = 0;
    qint32 width = 0, height = 0;
    in >> magic >> version >> digest >> pointsWidth >> pointsHeight >> width >> height;
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion) return std::nullopt;
    if (digest != digestOf(artwork)) return std::nullopt;
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) return std::nullopt;
    if (!(pointsWidth > 0) || !(pointsHeight > 0)) return std::nullopt;
    QImage pixels(width, height, kFormat);
    if (pixels.isNull()) return std::nullopt;
    const qint64 rowBytes = qint64(width) * 4;
    // Exactly the pixels must follow: a short file or one with more behind them is damaged.
    if (file.size() - file.pos() != rowBytes * height) return std::nullopt;
    for (int y = 0; y < height; ++y) {
        if (file.read(reinterpret_cast<char*>(pixels.scanLine(y)), rowBytes) != rowBytes) return std::nullopt;
    }
    return Entry{std::move(pixels), QSizeF(pointsWidth, pointsHeight)};
}

bool ImageDiskCache::write(const QString& key, const QByteArray& artwork, const Entry& entry) const {
    if (directory_.isEmpty() || entry.pixels.isNull()) return false;
    if (!QDir().mkpath(directory_)) return false;
    const QImage pixels = entry.pixels.convertToFormat(kFormat);
    QSaveFile file(filePath(key));
    if (!file.open(QIODevice::WriteOnly)) return false;
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMagic << kVersion << digestOf(artwork) << entry.points.width() << entry.points.height()
        << qint32(pixels.width()) << qint32(pixels.height());
    const qint64 rowBytes = qint64(pixels.width()) * 4;
    for (int y = 0; y < pixels.height(); ++y) {
        if (file.write(reinterpret_cast<const char*>(pixels.constScanLine(y)), rowBytes) != rowBytes) {
            file.cancelWriting();
            return false;
        }
    }
    return out.status() == QDataStream::Ok && file.commit();
}
