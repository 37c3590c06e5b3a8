#pragma once

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QString>
#include <QWidget>
#include <string_view>

#include "Platform/UI/ImageStore.h"

// Widget tests save what they draw when QUILLET_SNAPSHOT_DIR names a folder, so that a person
// can look at it.
inline void saveSnapshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("QUILLET_SNAPSHOT_DIR");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The alpha of the most opaque pixel of an image, 0 to 255.
inline int largestAlpha(const QImage& image) {
    int alpha = 0;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) alpha = std::max(alpha, qAlpha(argb.pixel(x, y)));
    }
    return alpha;
}

// The opaque pixel of least brightness: the ink of text drawn on a light ground.
inline QColor darkestPixel(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QColor darkest = Qt::white;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb pixel = argb.pixel(x, y);
            if (qAlpha(pixel) == 255 && qGray(pixel) < qGray(darkest.rgb())) darkest = QColor(pixel);
        }
    }
    return darkest;
}

// Gives the widget the tiled ground the screen puts behind it.
inline void fillWithPattern(QWidget& widget, std::string_view imageName) {
    QPalette palette;
    palette.setBrush(QPalette::Window, ImageStore::colorWithPatternImage(ImageStore::imageNamed(imageName)));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}
