#pragma once

#include <QPixmap>
#include <QRectF>
#include <QSizeF>
#include <functional>
#include <memory>

class QPainter;

// An image measured in points. Its pixels are rendered for the screen's pixel ratio and the
// point scale of the moment it was made, so the pixmap can be handed straight to Qt widgets;
// drawing through draw() keeps it sharp on any painter that paints in points. An image from the
// store, and any image made from one (cut, tinted), knows how to draw itself again when the
// window grows or moves to a screen of another density: see atCurrentScale().
class Image {
public:
    using Recipe = std::function<Image()>;
    using Step = std::function<Image(const Image&)>;

    Image() = default;
    Image(QPixmap pixmap, QSizeF size) : pixmap_(std::move(pixmap)), size_(size) {}

    bool isNull() const { return pixmap_.isNull(); }
    QSizeF size() const { return size_; }
    // Pixels per point.
    qreal scale() const;
    const QPixmap& pixmap() const { return pixmap_; }
    QImage toImage() const { return pixmap_.toImage(); }

    // This image, drawn for `pixelsPerPoint`, and the way to draw it again at another density.
    Image withRecipe(Recipe recipe, qreal pixelsPerPoint) const;
    // The image for the density of the moment (ImageStore::currentScale()): this one if it was
    // made for it or cannot be made again, else a new one from its recipe. Widgets that keep
    // an image call it before they draw.
    Image atCurrentScale() const;
    // An image made from this one by a step that is run again on the new source whenever this
    // image has to be drawn anew.
    Image madeWith(const Step& step) const;

    // The sub-rectangle given in points, at this image's density.
    Image croppedToRect(const QRectF& rect) const;
    void draw(QPainter& painter, const QRectF& target) const;
    void draw(QPainter& painter, const QPointF& topLeft) const { draw(painter, QRectF(topLeft, size_)); }
    // Stretched with its corners kept: the border of capInset points on each side is drawn at
    // its own size, only the middle stretches (rounded key faces of any size).
    void drawStretchable(QPainter& painter, const QRectF& target, qreal capInset) const;

private:
    Image cutOut(const QRectF& rect) const;

    QPixmap pixmap_;
    QSizeF size_;
    std::shared_ptr<const Recipe> recipe_;
    qreal pixelsPerPoint_ = 0;
};
