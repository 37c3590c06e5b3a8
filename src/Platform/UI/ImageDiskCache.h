#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <optional>
#include <utility>

// Rendered images kept in a folder between runs, so that a start reads back what an earlier one
// drew. Each file holds the pixels, the image's size in points and a digest of the artwork it was
// drawn from: an entry made from other artwork, or a file that cannot be read whole, is a miss.
class ImageDiskCache {
public:
    struct Entry {
        QImage pixels;
        QSizeF points;
    };

    explicit ImageDiskCache(QString directory) : directory_(std::move(directory)) {}

    // The folder the app keeps its rendered images in, under the user's cache folder.
    static QString standardDirectory();

    // What is kept under key for artwork of exactly these bytes, if anything.
    std::optional<Entry> read(const QString& key, const QByteArray& artwork) const;
    // Replaces the file atomically; false when it could not be written (the cache is then
    // merely colder).
    bool write(const QString& key, const QByteArray& artwork, const Entry& entry) const;

    // Where the entry for key is kept.
    QString filePath(const QString& key) const;

private:
    QString directory_;
};
