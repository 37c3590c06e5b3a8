#include "Platform/UI/UISegmentedControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "Platform/Core/Localized.h"
#include "Platform/UI/FocusRing.h"
#include "Platform/UI/PointScale.h"
#include "Platform/UI/SystemFont.h"

UISegmentedControl::UISegmentedControl(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_TranslucentBackground);
    AccessibilityContainer::setIsAccessibilityContainer(this);
}

void UISegmentedControl::setSelectedSegmentIndex(int index) {
    if (index == selectedSegmentIndex_) return;
    const int previous = selectedSegmentIndex_;
    selectedSegmentIndex_ = index;
    for (int segment : {previous, index}) {
        if (segment >= 0 && segment < accessibilityElementCount()) postElementChanged(this, segment);
    }
    update();
}

void UISegmentedControl::chooseSegmentAtIndex(int index) {
    if (index < 0 || index >= static_cast<int>(titles_.size()) || index == selectedSegmentIndex_) return;
    setSelectedSegmentIndex(index);
    emit valueChanged();
}

void UISegmentedControl::setTitleForSegmentAtIndex(const QString& title, int index) {
    if (index < 0 || index >= static_cast<int>(titles_.size())) return;
    titles_[static_cast<size_t>(index)] = title;
    if (accessibleName() == ownName_) {
        ownName_ = QString::fromStdString(Localized::string("%1 or %2")).arg(spokenTitle(0), spokenTitle(1));
        setAccessibleName(ownName_);
    }
    update();
}

QString UISegmentedControl::spokenTitle(int index) const {
    QString title = titleForSegmentAtIndex(index);
    return title.remove(QChar(0x25CF)).trimmed();
}

int UISegmentedControl::accessibilityElementCount() const { return static_cast<int>(titles_.size()); }

QString UISegmentedControl::accessibilityElementLabel(int index) const { return spokenTitle(index); }

AccessibilityTraits UISegmentedControl::accessibilityElementTraits(int index) const {
    return AccessibilityTraitButton | (index == selectedSegmentIndex_ ? AccessibilityTraitSelected : 0);
}

QRect UISegmentedControl::accessibilityElementFrame(int index) const { return segmentRect(index); }

void UISegmentedControl::accessibilityElementActivate(int index) { chooseSegmentAtIndex(index); }

void UISegmentedControl::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left: chooseSegmentAtIndex(0); break;
        case Qt::Key_Right: chooseSegmentAtIndex(1); break;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter: chooseSegmentAtIndex(1 - selectedSegmentIndex_); break;
        default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void UISegmentedControl::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void UISegmentedControl::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

QString UISegmentedControl::titleForSegmentAtIndex(int index) const {
    if (index < 0 || index >= static_cast<int>(titles_.size())) return {};
    return titles_[static_cast<size_t>(index)];
}

void UISegmentedControl::setTintColor(const QColor& colour) {
    tintColour_ = colour;
    update();
}

QRect UISegmentedControl::segmentRect(int index) const {
    const int half = width() / 2;
    return index == 0 ? QRect(0, 0, half, height()) : QRect(half, 0, width() - half, height());
}

int UISegmentedControl::segmentAt(QPointF position) const {
    if (!rect().contains(position.toPoint())) return -1;
    return position.x() < width() / 2.0 ? 0 : 1;
}

void UISegmentedControl::mousePressEvent(QMouseEvent* event) {
    pressedSegment_ = event->button() == Qt::LeftButton ? segmentAt(event->position()) : -1;
    update();
}

void UISegmentedControl::mouseReleaseEvent(QMouseEvent* event) {
    const int segment = segmentAt(event->position());
    const bool chosen = pressedSegment_ >= 0 && segment == pressedSegment_;
    pressedSegment_ = -1;
    update();
    if (chosen) chooseSegmentAtIndex(segment);
}

void UISegmentedControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal factor = PointScale::factor();
    painter.scale(factor, factor);
    const QRectF bounds(0.5, 0.5, width() / factor - 1, height() / factor - 1);
    constexpr qreal radius = 5.0;

    QPainterPath outline;
    outline.addRoundedRect(bounds, radius, radius);
    QLinearGradient dark(bounds.topLeft(), bounds.bottomLeft());
    dark.setColorAt(0, tintColour_.lighter(135));
    dark.setColorAt(1, tintColour_.darker(160));
    painter.fillPath(outline, dark);

    const qreal half = bounds.width() / 2;
    for (int index = 0; index < 2; ++index) {
        const QRectF segment(bounds.left() + index * half, bounds.top(), half, bounds.height());
        const bool selected = index == selectedSegmentIndex_;
        if (selected || index == pressedSegment_) {
            painter.save();
            painter.setClipPath(outline);
            QLinearGradient lit(segment.topLeft(), segment.bottomLeft());
            const QColor base = selected ? QColor(112, 86, 48) : tintColour_;
            lit.setColorAt(0, base.lighter(150));
            lit.setColorAt(1, base.darker(120));
            painter.fillRect(segment, lit);
            painter.restore();
        }
        painter.setFont(SystemFont::boldSystemFontOfSize(12, *this));
        painter.setPen(selected ? QColor(255, 244, 220) : QColor(190, 190, 190));
        painter.drawText(segment, Qt::AlignCenter, titles_[static_cast<size_t>(index)]);
    }
    painter.setPen(QPen(QColor(0, 0, 0, 200), 1.0));
    painter.drawLine(QPointF(bounds.left() + half, bounds.top()), QPointF(bounds.left() + half, bounds.bottom()));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);
    if (FocusRing::isShownOn(*this)) FocusRing::paint(painter, bounds.adjusted(-1.5, -1.5, 1.5, 1.5), radius + 1);
}
