#include "Platform/UI/PagedScrollView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QVariantAnimation>
#include <QWheelEvent>
#include <cmath>

#include "Platform/UI/ScreenClock.h"
#include "Platform/UI/UIButton.h"

namespace {
// Movement, in pixels, before a press becomes a drag of the strip.
constexpr qreal kDragThreshold = 8.0;
// A release faster than this (pixels per second) turns the page even short of half-way.
constexpr double kFlickVelocity = 450.0;
constexpr int kSettleMilliseconds = 260;
// Marks a page this strip hid because it was out of view.
constexpr const char* kOutOfView = "quilletPageOutOfView";
}  // namespace

PagedScrollView::PagedScrollView(QWidget* parent)
    : QWidget(parent), contentView_(new QWidget(this)), settleAnimation_(new QVariantAnimation(this)) {
    contentView_->setAttribute(Qt::WA_TranslucentBackground);
    settleAnimation_->setDuration(kSettleMilliseconds);
    settleAnimation_->setEasingCurve(QEasingCurve::OutCubic);
    connect(settleAnimation_, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { setContentOffset(value.toPointF()); });
    connect(settleAnimation_, &QVariantAnimation::finished, this, [this] {
        if (delegate_ != nullptr) delegate_->scrollViewDidEndDecelerating(*this);
    });
    qApp->installEventFilter(this);
}

PagedScrollView::~PagedScrollView() {
    qApp->removeEventFilter(this);
    delegate_ = nullptr;
}

void PagedScrollView::setContentSize(QSize size) {
    contentSize_ = size;
    layoutContent();
    setContentOffset(clampedOffset(offset_));
}

void PagedScrollView::setContentOffset(QPointF offset) {
    if (offset == offset_) return;
    offset_ = offset;
    layoutContent();
    if (delegate_ != nullptr) delegate_->scrollViewDidScroll(*this);
}

void PagedScrollView::scrollRectToVisible(const QRect& rect) {
    const bool wasSettling = isDecelerating();
    stopSettling();
    QPointF target = offset_;
    if (rect.right() + 1 > offset_.x() + width()) target.setX(rect.right() + 1 - width());
    if (rect.left() < target.x()) target.setX(rect.left());
    if (rect.bottom() + 1 > offset_.y() + height()) target.setY(rect.bottom() + 1 - height());
    if (rect.top() < target.y()) target.setY(rect.top());
    setContentOffset(clampedOffset(target));
    // A swipe cut short by this move still ends, here, and its rest is reported.
    if (wasSettling && delegate_ != nullptr) delegate_->scrollViewDidEndDecelerating(*this);
}

int PagedScrollView::pageCount() const {
    if (width() <= 0) return 1;
    return std::max(1, static_cast<int>(std::lround(static_cast<double>(contentSize_.width()) / width())));
}

int PagedScrollView::currentPage() const {
    if (width() <= 0) return 0;
    return std::clamp(static_cast<int>(std::lround(offset_.x() / width())), 0, pageCount() - 1);
}

int PagedScrollView::targetPage() const {
    if (!isDecelerating() || width() <= 0) return currentPage();
    const double target = settleAnimation_->endValue().toPointF().x();
    return std::clamp(static_cast<int>(std::lround(target / width())), 0, pageCount() - 1);
}

void PagedScrollView::scrollToPage(int page, bool animated) {
    const QPointF target = clampedOffset(QPointF(page * width(), offset_.y()));
    if (!animated) {
        stopSettling();
        setContentOffset(target);
        if (delegate_ != nullptr) delegate_->scrollViewDidEndDecelerating(*this);
        return;
    }
    settleTo(target);
}

bool PagedScrollView::isDecelerating() const { return settleAnimation_->state() == QAbstractAnimation::Running; }

QPointF PagedScrollView::clampedOffset(QPointF offset) const {
    const qreal maxX = std::max(0, contentSize_.width() - width());
    const qreal maxY = std::max(0, contentSize_.height() - height());
    return QPointF(std::clamp(offset.x(), 0.0, maxX), std::clamp(offset.y(), 0.0, maxY));
}

void PagedScrollView::layoutContent() {
    const QSize size(std::max(contentSize_.width(), width()), std::max(contentSize_.height(), height()));
    contentView_->setGeometry(static_cast<int>(std::lround(-offset_.x())), static_cast<int>(std::lround(-offset_.y())),
                              size.width(), size.height());
    updatePageVisibility();
}

void PagedScrollView::updatePageVisibility() {
    pageVisibilityUpdatePending_ = false;
    const QRect view(-contentView_->pos(), size());
    for (QObject* child : contentView_->children()) {
        auto* page = qobject_cast<QWidget*>(child);
        if (page == nullptr || page->isWindow()) continue;
        const bool inView = page->geometry().intersects(view);
        if (inView && page->property(kOutOfView).toBool()) {
            page->setProperty(kOutOfView, false);
            page->show();
        } else if (!inView && !page->isHidden()) {
            page->setProperty(kOutOfView, true);
            page->hide();
        }
    }
}

void PagedScrollView::schedulePageVisibilityUpdate() {
    if (pageVisibilityUpdatePending_) return;
    pageVisibilityUpdatePending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (pageVisibilityUpdatePending_) updatePageVisibility();
        },
        Qt::QueuedConnection);
}

void PagedScrollView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutContent();
}

void PagedScrollView::wheelEvent(QWheelEvent* event) {
    // A sideways wheel or touchpad swipe turns one page.
    const QPoint delta = event->angleDelta();
    if (!scrollEnabled_ || std::abs(delta.x()) <= std::abs(delta.y()) || isDecelerating()) {
        QWidget::wheelEvent(event);
        return;
    }
    const int page = std::clamp(currentPage() + (delta.x() < 0 ? 1 : -1), 0, pageCount() - 1);
    settleTo(QPointF(page * width(), offset_.y()));
    event->accept();
}

bool PagedScrollView::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease: return handlePointer(watched, event);
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
            if (watched->parent() == contentView_) schedulePageVisibilityUpdate();
            return false;
        default: return false;
    }
}

bool PagedScrollView::handlePointer(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || !scrollEnabled_ || !isVisible()) return false;
    if (widget != this && !isAncestorOf(widget)) return false;
    // A strip nested in this one handles its own drags.
    for (QWidget* w = widget; w != nullptr && w != this; w = w->parentWidget()) {
        if (qobject_cast<PagedScrollView*>(w) != nullptr) return false;
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPointF position = mouse->globalPosition();

    if (event->type() == QEvent::MouseButtonPress) {
        if (mouse->button() != Qt::LeftButton) return false;
        // A finger that lands on a moving strip catches it: the press is the strip's, not the
        // key's under it, and the strip goes on to its page when the finger lifts.
        caughtTarget_.reset();
        if (isDecelerating()) caughtTarget_ = settleAnimation_->endValue().toPointF();
        stopSettling();
        tracking_ = true;
        dragging_ = false;
        pressedWidget_ = widget;
        pressPosition_ = position;
        pressOffset_ = offset_;
        pressTime_ = ScreenClock::now();
        recentMoves_.assign(1, {0, position.x()});
        return caughtTarget_.has_value();
    }
    if (!tracking_) return false;

    if (event->type() == QEvent::MouseMove) {
        const QPointF travel = position - pressPosition_;
        if (!dragging_) {
            if (std::abs(travel.x()) < kDragThreshold || std::abs(travel.x()) < std::abs(travel.y())) {
                return caughtTarget_.has_value();
            }
            beginDrag(pressedWidget_);
        }
        recentMoves_.emplace_back(ScreenClock::now() - pressTime_, position.x());
        while (recentMoves_.size() > 2 && recentMoves_.back().first - recentMoves_.front().first > 100) {
            recentMoves_.pop_front();
        }
        QPointF target(pressOffset_.x() - travel.x(), offset_.y());
        // Past either end the strip follows at a third of the finger's pace.
        const QPointF clamped = clampedOffset(target);
        target.setX(clamped.x() + (target.x() - clamped.x()) / 3.0);
        setContentOffset(target);
        return true;
    }

    // Release.
    if (mouse->button() != Qt::LeftButton) return dragging_ || caughtTarget_.has_value();
    tracking_ = false;
    if (!dragging_) {
        if (!caughtTarget_) return false;
        settleTo(*std::exchange(caughtTarget_, std::nullopt));
        return true;
    }
    caughtTarget_.reset();
    dragging_ = false;
    recentMoves_.emplace_back(ScreenClock::now() - pressTime_, position.x());
    endDrag(releaseVelocity());
    return true;
}

double PagedScrollView::releaseVelocity() const {
    if (recentMoves_.size() < 2) return 0.0;
    const auto& [lastTime, lastX] = recentMoves_.back();
    // Only the movement of the last tenth of a second counts: a finger that stopped has no speed.
    for (const auto& [time, x] : recentMoves_) {
        if (lastTime - time <= 100) {
            const double seconds = std::max<qint64>(lastTime - time, 16) / 1000.0;
            return (lastX - x) / seconds;
        }
    }
    return 0.0;
}

void PagedScrollView::beginDrag(QWidget* pressed) {
    dragging_ = true;
    // The key under the finger lets go without acting, as a touch cancelled by scrolling.
    for (QWidget* w = pressed; w != nullptr && w != this; w = w->parentWidget()) {
        if (auto* button = qobject_cast<UIButton*>(w)) {
            button->cancelTouch();
            return;
        }
        if (auto* other = qobject_cast<QAbstractButton*>(w)) {
            other->setDown(false);
            return;
        }
    }
}

void PagedScrollView::endDrag(double velocity) {
    if (!pagingEnabled_ || width() <= 0) {
        settleTo(clampedOffset(offset_));
        return;
    }
    const double position = offset_.x() / width();
    const int startPage = static_cast<int>(std::lround(pressOffset_.x() / width()));
    int page = static_cast<int>(std::lround(position));
    if (std::abs(velocity) > kFlickVelocity) {
        page = velocity < 0 ? static_cast<int>(std::ceil(position)) : static_cast<int>(std::floor(position));
    }
    // One swipe turns one page at most.
    page = std::clamp(page, startPage - 1, startPage + 1);
    page = std::clamp(page, 0, pageCount() - 1);
    settleTo(QPointF(page * width(), offset_.y()));
}

void PagedScrollView::settleTo(QPointF target) {
    stopSettling();
    if (target == offset_) {
        if (delegate_ != nullptr) delegate_->scrollViewDidEndDecelerating(*this);
        return;
    }
    settleAnimation_->setStartValue(offset_);
    settleAnimation_->setEndValue(target);
    settleAnimation_->start();
}

void PagedScrollView::stopSettling() {
    if (settleAnimation_->state() != QAbstractAnimation::Running) return;
    settleAnimation_->blockSignals(true);
    settleAnimation_->stop();
    settleAnimation_->blockSignals(false);
}
