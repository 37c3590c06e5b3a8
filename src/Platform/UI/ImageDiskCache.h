#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

// Rendered images kept in a folder between runs, so that a start reads back what an earlier one
// drew. Each file holds the pixels, the image's size in points and a digest of the artwork it was
// drawn from: an entry made from other artwork, or a file that cannot be read whole, is a miss.
// The images drawn at one scale form a set, named in their files; only the sets of the last few
// scales used are kept.
class ImageDiskCache {
public:
    static constexpr int ImageDiskCacheKeptSets = 3;

    struct Entry {
        QImage pixels;
        QSizeF points;
        // Set by read(): no pixel lets anything through, so the image need not be searched for one.
        bool isOpaque = false;
    };

    explicit ImageDiskCache(QString directory, QString set = QString())
        : directory_(std::move(directory)), set_(std::move(set)) {}

    // The folder the app keeps its rendered images in, under the user's cache folder.
    static QString standardDirectory();
    // The set of the images drawn at that many pixels per point.
    static QString setForScale(qreal pixelsPerPoint);

    // What is kept under key for artwork of exactly these bytes, if anything.
    std::optional<Entry> read(const QString& key, const QByteArray& artwork) const;
    // Replaces the file atomically; false when it could not be written (the cache is then
    // merely colder).
    bool write(const QString& key, const QByteArray& artwork, const Entry& entry) const;

    // Where the entry for key is kept.
    QString filePath(const QString& key) const;

    // Marks these sets as the ones used last, then deletes the files of every set but the
    // ImageDiskCacheKeptSets used most recently.
    void keepRecentSets(const QStringList& usedSets) const;
    // The sets that have files in the folder, the one used most recently first.
    QStringList sets() const;

private:
    QString directory_;
    QString set_;
};
