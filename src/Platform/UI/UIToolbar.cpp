#include "Platform/UI/UIToolbar.h"

#include <QPainter>
#include <algorithm>

#include "Platform/UI/NavigationBar.h"
#include "Platform/UI/PointGeometry.h"
#include "Platform/UI/UIBarButtonItem.h"

namespace {

constexpr qreal kEdge = 6.0;
constexpr qreal kGap = 6.0;
constexpr qreal kPlainItemWidth = 40.0;

qreal widthOf(const QWidget* item) {
    if (const auto* button = qobject_cast<const UIBarButtonItem*>(item)) return button->preferredWidth();
    return kPlainItemWidth;
}

}  // namespace

UIToolbar::UIToolbar(QWidget* parent) : QWidget(parent) {}

void UIToolbar::setItems(const std::vector<QWidget*>& items) {
    for (QWidget* old : items_) {
        if (old && std::find(items.begin(), items.end(), old) == items.end()) old->deleteLater();
    }
    items_ = items;
    for (QWidget* item : items_) {
        if (!item) continue;
        item->setParent(this);
        item->show();
    }
    layoutItems();
}

void UIToolbar::setTintColor(const QColor& colour) {
    tintColour_ = colour;
    update();
}

void UIToolbar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutItems();
}

void UIToolbar::layoutItems() {
    const qreal width = PointScale::pointsFromPixels(this->width());
    qreal fixed = 0;
    int buttons = 0;
    int spaces = 0;
    for (const QWidget* item : items_) {
        if (item) {
            fixed += widthOf(item);
            ++buttons;
        } else {
            ++spaces;
        }
    }
    const qreal gaps = std::max(0, buttons - 1) * kGap;
    const qreal room = std::max(0.0, width - 2 * kEdge - fixed - gaps);
    // Without a flexible space the buttons stand from the left.
    const qreal space = spaces > 0 ? room / spaces : 0;
    qreal left = kEdge;
    bool previousWasButton = false;
    for (QWidget* item : items_) {
        if (!item) {
            left += space;
            continue;
        }
        if (previousWasButton) left += kGap;
        const qreal itemWidth = widthOf(item);
        item->setGeometry(
            PointGeometry::pixelRectFromPoints(left, (UIToolbarHeight - UIBarButtonItem::UIBarButtonItemHeight) / 2,
                                               itemWidth, UIBarButtonItem::UIBarButtonItemHeight));
        left += itemWidth;
        previousWasButton = true;
    }
}

void UIToolbar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    NavigationBar::paintBackground(painter, rect(), tintColour_);
}
