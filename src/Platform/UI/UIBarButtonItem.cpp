#include "Platform/UI/UIBarButtonItem.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "Platform/UI/FocusRing.h"
#include "Platform/UI/PointScale.h"
#include "Platform/UI/SystemFont.h"

namespace {

constexpr qreal kTitleSize = 12.0;
constexpr qreal kMargin = 10.0;
constexpr qreal kArrowDepth = 10.0;
constexpr qreal kMinimumWidth = 48.0;
constexpr qreal kCornerRadius = 5.0;

QPainterPath faceOutline(const QRectF& bounds, bool pointed) {
    QPainterPath path;
    if (!pointed) {
        path.addRoundedRect(bounds, kCornerRadius, kCornerRadius);
        return path;
    }
    const qreal middle = bounds.center().y();
    const qreal shoulder = bounds.left() + kArrowDepth;
    path.moveTo(bounds.left(), middle);
    path.lineTo(shoulder, bounds.top() + 1);
    path.quadTo(shoulder + 1, bounds.top(), shoulder + 3, bounds.top());
    path.lineTo(bounds.right() - kCornerRadius, bounds.top());
    path.quadTo(bounds.right(), bounds.top(), bounds.right(), bounds.top() + kCornerRadius);
    path.lineTo(bounds.right(), bounds.bottom() - kCornerRadius);
    path.quadTo(bounds.right(), bounds.bottom(), bounds.right() - kCornerRadius, bounds.bottom());
    path.lineTo(shoulder + 3, bounds.bottom());
    path.quadTo(shoulder + 1, bounds.bottom(), shoulder, bounds.bottom() - 1);
    path.closeSubpath();
    return path;
}

}  // namespace

UIBarButtonItem::UIBarButtonItem(const QString& title, UIBarButtonItemStyle style, QWidget* parent)
    : QAbstractButton(parent), style_(style) {
    setText(title);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

UIBarButtonItem::UIBarButtonItem(const Image& image, UIBarButtonItemStyle style, QWidget* parent)
    : UIBarButtonItem(QString(), style, parent) {
    image_ = image;
}

void UIBarButtonItem::setTitle(const QString& title) {
    setText(title);
    updateGeometry();
    update();
}

qreal UIBarButtonItem::preferredWidth() const {
    qreal content = image_.isNull() ? 0 : image_.size().width();
    if (!text().isEmpty()) {
        content = QFontMetricsF(SystemFont::boldSystemFontOfSize(kTitleSize, *this), this).horizontalAdvance(text());
    }
    if (style_ == UIBarButtonItemStyle::Plain) return std::ceil(content + 8);
    const qreal arrow = style_ == UIBarButtonItemStyle::Back ? kArrowDepth - 3 : 0;
    return std::ceil(std::max(kMinimumWidth, content + 2 * kMargin + arrow));
}

QSize UIBarButtonItem::sizeHint() const {
    return QSize(static_cast<int>(std::lround(PointScale::pixelsFromPoints(preferredWidth()))),
                 static_cast<int>(std::lround(PointScale::pixelsFromPoints(UIBarButtonItemHeight))));
}

void UIBarButtonItem::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal factor = PointScale::factor();
    painter.scale(factor, factor);
    const QRectF bounds(0.5, 0.5, width() / factor - 1, height() / factor - 1);
    const bool pressed = isDown();
    const bool pointed = style_ == UIBarButtonItemStyle::Back;
    QRectF content = bounds;
    if (style_ != UIBarButtonItemStyle::Plain) {
        const QPainterPath outline = faceOutline(bounds, pointed);
        const bool done = style_ == UIBarButtonItemStyle::Done;
        QColor top = done ? QColor(0xc9, 0x9f, 0x5f) : QColor(0x58, 0x59, 0x5f);
        QColor bottom = done ? QColor(0x8f, 0x6a, 0x33) : QColor(0x1c, 0x1d, 0x21);
        if (pressed) {
            top = top.darker(140);
            bottom = bottom.darker(125);
        }
        QLinearGradient face(bounds.topLeft(), bounds.bottomLeft());
        face.setColorAt(0.0, top);
        face.setColorAt(0.5, top.darker(112));
        face.setColorAt(0.51, bottom.lighter(115));
        face.setColorAt(1.0, bottom);
        painter.fillPath(outline, face);
        painter.setPen(QPen(QColor(0, 0, 0, 190), 1.0));
        painter.drawPath(outline);
        // A faint light along the lower rim lifts the face off the bar.
        painter.setPen(QPen(QColor(255, 255, 255, 40), 1.0));
        painter.drawLine(bounds.bottomLeft() + QPointF(pointed ? kArrowDepth : kCornerRadius, 1),
                         bounds.bottomRight() + QPointF(-kCornerRadius, 1));
        if (pointed) content.setLeft(content.left() + kArrowDepth - 3);
    }
    if (!text().isEmpty()) {
        painter.setFont(SystemFont::boldSystemFontOfSize(kTitleSize, *this));
        const QString title =
            painter.fontMetrics().elidedText(text(), Qt::ElideRight, static_cast<int>(content.width() - 8));
        painter.setPen(QColor(0, 0, 0, 160));
        painter.drawText(content.translated(0, -1), Qt::AlignCenter, title);
        painter.setPen(pressed ? QColor(220, 214, 200) : Qt::white);
        painter.drawText(content, Qt::AlignCenter, title);
    } else if (!image_.isNull()) {
        const QSizeF size = image_.size();
        painter.setOpacity(pressed ? 0.6 : 1.0);
        image_.draw(painter, QRectF(content.center() - QPointF(size.width() / 2, size.height() / 2), size));
    }
    if (FocusRing::isShownOn(*this)) FocusRing::paint(painter, bounds.adjusted(-1, -1, 1, 1), kCornerRadius + 1);
}

void UIBarButtonItem::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        animateClick();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}
