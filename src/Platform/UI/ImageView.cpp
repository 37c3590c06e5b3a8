#include "Platform/UI/ImageView.h"

#include <QPainter>

#include "Platform/UI/PointScale.h"

ImageView::ImageView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void ImageView::setImage(const Image& image) {
    image_ = image;
    update();
}

void ImageView::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    image_ = image_.atCurrentScale();
    QPainter painter(this);
    const qreal scale = PointScale::factor();
    painter.scale(scale, scale);
    image_.draw(painter, QRectF(0, 0, width() / scale, height() / scale));
}
