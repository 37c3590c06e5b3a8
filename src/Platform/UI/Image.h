#pragma once

#include <QPixmap>
#include <QRectF>
#include <QSizeF>

class QPainter;

// An image measured in points. Its pixels are rendered for the screen's pixel ratio and the
// point scale of the moment it was made, so the pixmap can be handed straight to Qt widgets;
// drawing through draw() keeps it sharp on any painter that paints in points.
class Image {
public:
    Image() = default;
    Image(QPixmap pixmap, QSizeF size) : pixmap_(std::move(pixmap)), size_(size) {}

    bool isNull() const { return pixmap_.isNull(); }
    QSizeF size() const { return size_; }
    // Pixels per point.
    qreal scale() const;
    const QPixmap& pixmap() const { return pixmap_; }
    QImage toImage() const { return pixmap_.toImage(); }

    // The sub-rectangle given in points, at this image's density.
    Image croppedToRect(const QRectF& rect) const;
    void draw(QPainter& painter, const QRectF& target) const;
    void draw(QPainter& painter, const QPointF& topLeft) const { draw(painter, QRectF(topLeft, size_)); }
    // Stretched with its corners kept: the border of capInset points on each side is drawn at
    // its own size, only the middle stretches (rounded key faces of any size).
    void drawStretchable(QPainter& painter, const QRectF& target, qreal capInset) const;

private:
    QPixmap pixmap_;
    QSizeF size_;
};
