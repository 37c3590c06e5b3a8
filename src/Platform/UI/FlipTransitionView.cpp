#include "Platform/UI/FlipTransitionView.h"

#include <QPainter>
#include <cmath>

FlipTransitionView::FlipTransitionView(QPixmap front, QPixmap back, Direction direction, QWidget* parent)
    : QWidget(parent), front_(std::move(front)), back_(std::move(back)), direction_(direction) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

FlipTransitionView::FlipTransitionView(QPixmap front, QWidget* back, Direction direction, QWidget* parent)
    : FlipTransitionView(std::move(front), QPixmap(), direction, parent) {
    backView_ = back;
}

void FlipTransitionView::setProgress(qreal progress) {
    progress_ = progress;
    update();
}

void FlipTransitionView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal sign = direction_ == FromRight ? -1.0 : 1.0;
    const bool showsBack = progress_ > 0.5;
    // The back starts edge-on, turned half a turn further than the front.
    const qreal angle = sign * (showsBack ? (progress_ - 1.0) * 180.0 : progress_ * 180.0);
    const QPointF centre = QRectF(rect()).center();
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(angle, Qt::YAxis);
    turn.translate(-centre.x(), -centre.y());
    painter.setTransform(turn);
    if (showsBack && back_.isNull() && backView_) back_ = backView_->grab();
    const QPixmap& picture = showsBack ? back_ : front_;
    painter.drawPixmap(rect(), picture, QRectF(picture.rect()));
    // The picture darkens as it turns away from the light.
    const qreal shade = std::sin(std::abs(angle) * M_PI / 180.0) * 0.6;
    painter.fillRect(rect(), QColor(0, 0, 0, static_cast<int>(shade * 255)));
}
