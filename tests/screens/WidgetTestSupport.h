#pragma once

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QString>
#include <QTest>
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

// The pointer moved across a widget in even steps, as a hand moves it; while a button is held
// the moves go to the widget that took the press, wherever the pointer is.
inline void movePointer(QWidget* widget, QPoint from, QPoint to, int steps = 8, int millisecondsPerStep = 15) {
    for (int step = 1; step <= steps; ++step) {
        QTest::qWait(millisecondsPerStep);
        QTest::mouseMove(widget, from + (to - from) * step / steps);
    }
}

// Pressed at one point, moved to another in steps, lifted there.
inline void slidePointer(QWidget* widget, QPoint from, QPoint to, int steps = 8, int millisecondsPerStep = 15) {
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    movePointer(widget, from, to, steps, millisecondsPerStep);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
}

// Pressed, held for the given time, and lifted where it was pressed.
inline void holdPointer(QWidget* widget, int milliseconds) {
    QTest::mousePress(widget, Qt::LeftButton);
    QTest::qWait(milliseconds);
    QTest::mouseRelease(widget, Qt::LeftButton);
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
