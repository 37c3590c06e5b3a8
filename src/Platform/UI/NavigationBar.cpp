#include "Platform/UI/NavigationBar.h"

#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QPainter>
#include <algorithm>

#include "Platform/Core/Localized.h"
#include "Platform/UI/NavigationItem.h"
#include "Platform/UI/PointGeometry.h"
#include "Platform/UI/SystemFont.h"
#include "Platform/UI/UIBarButtonItem.h"

namespace {

constexpr qreal kEdge = 5.0;
constexpr qreal kButtonTop = 7.0;
constexpr qreal kTitleSize = 20.0;
// A long title shrinks to this size before it is cut short.
constexpr qreal kSmallestTitleSize = 15.0;
// The calculator's own title view and right button keep the frames they have always had.
constexpr qreal kTitleViewWidth = 200.0;
constexpr qreal kPlainRightButtonWidth = 40.0;

qreal widthOf(const QWidget* button) {
    if (const auto* barButton = qobject_cast<const UIBarButtonItem*>(button)) return barButton->preferredWidth();
    return kPlainRightButtonWidth;
}

// Bar buttons keep the bar's edge; the calculator's plain button sits a point further in.
qreal rightInset(const QWidget* button) { return qobject_cast<const UIBarButtonItem*>(button) ? kEdge : 6.0; }

}  // namespace

NavigationBar::NavigationBar(QWidget* parent)
    : QWidget(parent),
      backButton_(new UIBarButtonItem(QString(), UIBarButtonItemStyle::Back, this)),
      previousPicture_(new QLabel(this)),
      previousOpacity_(new QGraphicsOpacityEffect(previousPicture_)) {
    backButton_->hide();
    previousPicture_->setGraphicsEffect(previousOpacity_);
    previousPicture_->setAttribute(Qt::WA_TransparentForMouseEvents);
    previousPicture_->hide();
    connect(backButton_, &QAbstractButton::clicked, this, &NavigationBar::backButtonClicked);
}

void NavigationBar::setItem(NavigationItem* item, const QString& backTitle) {
    if (item_) disconnect(item_, nullptr, this, nullptr);
    giveBackWidgetsNotIn(item);
    item_ = item;
    backTitle_ = backTitle;
    if (item_) connect(item_, &NavigationItem::changed, this, &NavigationBar::itemChanged);
    itemChanged();
}

void NavigationBar::crossFadeFrom(const QPixmap& previous) {
    previousPicture_->setPixmap(previous);
    previousPicture_->setGeometry(rect());
    previousOpacity_->setOpacity(1.0);
    previousPicture_->raise();
    previousPicture_->show();
}

void NavigationBar::setCrossFadeProgress(qreal progress) { previousOpacity_->setOpacity(1.0 - progress); }

void NavigationBar::endCrossFade() {
    previousPicture_->hide();
    previousPicture_->setPixmap(QPixmap());
}

void NavigationBar::setTintColor(const QColor& colour) {
    tintColour_ = colour;
    update();
}

QString NavigationBar::title() const { return item_ && !item_->titleView() ? item_->title() : QString(); }

void NavigationBar::itemChanged() {
    giveBackWidgetsNotIn(item_);
    if (item_) {
        borrow(item_->titleView());
        borrow(item_->rightBarButtonItem());
    }
    const bool showsBack = !backTitle_.isNull() && item_ && !item_->hidesBackButton();
    if (showsBack) {
        // A title too long for the left third gives way to the plain word.
        backButton_->setTitle(backTitle_.isEmpty() ? QString::fromStdString(Localized::string("Back")) : backTitle_);
        if (backButton_->preferredWidth() > PointScale::pointsFromPixels(width()) / 3) {
            backButton_->setTitle(QString::fromStdString(Localized::string("Back")));
        }
    }
    backButton_->setVisible(showsBack);
    layoutItems();
    update();
}

void NavigationBar::borrow(QWidget* widget) {
    if (!widget) return;
    const bool known =
        std::any_of(borrowed_.begin(), borrowed_.end(), [&](const auto& b) { return b.first == widget; });
    if (!known) borrowed_.emplace_back(widget, widget->parentWidget());
    widget->setParent(this);
    widget->show();
}

void NavigationBar::giveBackWidgetsNotIn(const NavigationItem* item) {
    std::erase_if(borrowed_, [&](const auto& borrowedWidget) {
        QWidget* widget = borrowedWidget.first;
        if (!widget) return true;
        if (item && (widget == item->titleView() || widget == item->rightBarButtonItem())) return false;
        widget->hide();
        // A widget whose screen has gone goes too.
        if (borrowedWidget.second)
            widget->setParent(borrowedWidget.second);
        else
            widget->deleteLater();
        return true;
    });
}

void NavigationBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutItems();
}

void NavigationBar::layoutItems() {
    const qreal width = PointScale::pointsFromPixels(this->width());
    const qreal height = UIBarButtonItem::UIBarButtonItemHeight;
    if (backButton_->isVisible()) {
        backButton_->setGeometry(
            PointGeometry::pixelRectFromPoints(kEdge, kButtonTop, backButton_->preferredWidth(), height));
    }
    if (!item_) return;
    if (QWidget* right = item_->rightBarButtonItem()) {
        const qreal buttonWidth = widthOf(right);
        right->setGeometry(PointGeometry::pixelRectFromPoints(width - buttonWidth - rightInset(right), kButtonTop,
                                                              buttonWidth, height));
    }
    if (QWidget* titleView = item_->titleView()) {
        titleView->setGeometry(
            PointGeometry::pixelRectFromPoints((width - kTitleViewWidth) / 2, kButtonTop, kTitleViewWidth, height));
    }
}

QRectF NavigationBar::titleRect() const {
    const qreal width = PointScale::pointsFromPixels(this->width());
    qreal side = kEdge;
    if (backButton_->isVisible()) side = std::max(side, kEdge + backButton_->preferredWidth() + 6);
    if (item_ && item_->rightBarButtonItem()) side = std::max(side, kEdge + widthOf(item_->rightBarButtonItem()) + 6);
    // Centred on the bar, as wide as the wider button allows on both sides.
    return QRectF(side, 0, std::max(0.0, width - 2 * side), NavigationBarHeight);
}

void NavigationBar::paintBackground(QPainter& painter, const QRectF& bounds, const QColor& tint) {
    QLinearGradient gloss(bounds.topLeft(), bounds.bottomLeft());
    gloss.setColorAt(0.0, QColor(62, 62, 62));
    gloss.setColorAt(0.5, QColor(26, 26, 26));
    gloss.setColorAt(0.51, QColor(10, 10, 10));
    gloss.setColorAt(1.0, tint);
    painter.fillRect(bounds, gloss);
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.drawLine(bounds.topLeft(), bounds.topRight());
    painter.setPen(QPen(QColor(0, 0, 0), 1));
    painter.drawLine(bounds.bottomLeft() - QPointF(0, 0.5), bounds.bottomRight() - QPointF(0, 0.5));
}

void NavigationBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintBackground(painter, rect(), tintColour_);

    const QString text = title();
    if (text.isEmpty()) return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const qreal factor = PointScale::factor();
    painter.scale(factor, factor);
    const QRectF room = titleRect();
    for (qreal size = kTitleSize; size >= kSmallestTitleSize; --size) {
        painter.setFont(SystemFont::boldSystemFontOfSize(size, *this));
        if (painter.fontMetrics().horizontalAdvance(text) <= room.width()) break;
    }
    const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, static_cast<int>(room.width()));
    painter.setPen(QColor(0, 0, 0, 200));
    painter.drawText(room.translated(0, -1), Qt::AlignCenter, shown);
    painter.setPen(Qt::white);
    painter.drawText(room, Qt::AlignCenter, shown);
}
