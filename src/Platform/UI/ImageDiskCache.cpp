#include "Platform/UI/ImageDiskCache.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

constexpr quint32 kMagic = 0x51494d47;  // "QIMG"
// Raised whenever the layout of a file changes, so that old files are misses.
constexpr quint32 kVersion = 2;
constexpr QImage::Format kFormat = QImage::Format_ARGB32_Premultiplied;
// Larger than any image the screens draw; a header claiming more is damaged.
constexpr qint32 kLargestSide = 8192;
constexpr QLatin1StringView kSuffix(".pixels");
// The hexadecimal SHA-1 that names a file after its key.
constexpr qsizetype kNameDigestLength = 40;

// A digest only tells artwork apart, and BLAKE2b is several times faster than SHA-256.
QByteArray digestOf(const QByteArray& artwork) {
    return QCryptographicHash::hash(artwork, QCryptographicHash::Blake2b_256);
}

bool isOpaque(const QImage& pixels) {
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        if (std::any_of(line, line + pixels.width(), [](QRgb pixel) { return qAlpha(pixel) != 255; })) return false;
    }
    return true;
}

// The set a file of the folder belongs to, from its name; nothing for a file of no set's form.
std::optional<QString> setOfFile(const QString& name) {
    if (!name.endsWith(kSuffix) || name.size() < kNameDigestLength + kSuffix.size()) return std::nullopt;
    const qsizetype setLength = name.size() - kSuffix.size() - kNameDigestLength;
    if (setLength == 0) return QString();
    if (name.at(setLength - 1) != QLatin1Char('-')) return std::nullopt;
    return name.left(setLength - 1);
}

std::filesystem::path nativePath(const QString& path) { return std::filesystem::path(path.toStdString()); }

}  // namespace

QString ImageDiskCache::standardDirectory() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return base.isEmpty() ? QString() : QDir(base).filePath(QStringLiteral("images"));
}

QString ImageDiskCache::setForScale(qreal pixelsPerPoint) {
    return QStringLiteral("x") + QString::number(pixelsPerPoint);
}

QString ImageDiskCache::filePath(const QString& key) const {
    const QByteArray name = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex();
    const QString prefix = set_.isEmpty() ? QString() : set_ + QLatin1Char('-');
    return QDir(directory_).filePath(prefix + QString::fromLatin1(name) + kSuffix);
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
    bool opaque = false;
    in >> magic >> version >> digest >> pointsWidth >> pointsHeight >> width >> height >> opaque;
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion) return std::nullopt;
    if (digest != digestOf(artwork)) return std::nullopt;
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) return std::nullopt;
    if (!(pointsWidth > 0) || !(pointsHeight > 0)) return std::nullopt;
    QImage pixels(width, height, kFormat);
    if (pixels.isNull()) return std::nullopt;
    // Exactly the pixels must follow: a short file or one with more behind them is damaged.
    // The rows of this format follow one another without a gap.
    const qint64 bytes = pixels.sizeInBytes();
    if (file.size() - file.pos() != bytes) return std::nullopt;
    if (file.read(reinterpret_cast<char*>(pixels.bits()), bytes) != bytes) return std::nullopt;
    return Entry{std::move(pixels), QSizeF(pointsWidth, pointsHeight), opaque};
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
        << qint32(pixels.width()) << qint32(pixels.height()) << isOpaque(pixels);
    const qint64 bytes = pixels.sizeInBytes();
    if (out.status() != QDataStream::Ok ||
        file.write(reinterpret_cast<const char*>(pixels.constBits()), bytes) != bytes) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QStringList ImageDiskCache::sets() const {
    QHash<QString, std::filesystem::file_time_type> lastUse;
    const QDir folder(directory_);
    for (const QString& name : folder.entryList(QDir::Files)) {
        const std::optional<QString> set = setOfFile(name);
        if (!set) continue;
        std::error_code error;
        const auto modified = std::filesystem::last_write_time(nativePath(folder.filePath(name)), error);
        if (error) continue;
        auto found = lastUse.find(*set);
        if (found == lastUse.end()) {
            lastUse.insert(*set, modified);
        } else if (modified > *found) {
            *found = modified;
        }
    }
    QStringList ordered = lastUse.keys();
    std::sort(ordered.begin(), ordered.end(), [&](const QString& a, const QString& b) {
        return lastUse.value(a) != lastUse.value(b) ? lastUse.value(a) > lastUse.value(b) : a < b;
    });
    return ordered;
}

void ImageDiskCache::keepRecentSets(const QStringList& usedSets) const {
    if (directory_.isEmpty()) return;
    const QDir folder(directory_);
    const QStringList names = folder.entryList(QDir::Files);
    // A file's time says when its set was last used: the sets used now are the newest.
    const auto now = std::filesystem::file_time_type::clock::now();
    for (const QString& name : names) {
        const std::optional<QString> set = setOfFile(name);
        std::error_code ignored;
        if (set && usedSets.contains(*set))
            std::filesystem::last_write_time(nativePath(folder.filePath(name)), now, ignored);
    }
    const QStringList kept = sets().mid(0, ImageDiskCacheKeptSets);
    for (const QString& name : names) {
        const std::optional<QString> set = setOfFile(name);
        if (set && !kept.contains(*set)) QFile::remove(folder.filePath(name));
    }
}
