#pragma once

#include <QPointF>
#include <QPointer>
#include <QSize>
#include <QWidget>
#include <deque>
#include <optional>
#include <utility>

class PagedScrollView;
class QVariantAnimation;

class PagedScrollViewDelegate {
public:
    virtual ~PagedScrollViewDelegate() = default;
    // The content offset changed (while dragged, while settling, or when set).
    virtual void scrollViewDidScroll(PagedScrollView& scrollView) = 0;
    // A drag or swipe came to rest; reported once per gesture.
    virtual void scrollViewDidEndDecelerating(PagedScrollView& scrollView) = 0;
};

// A horizontal strip whose content is wider than the strip. It is dragged with the mouse or a
// finger, comes to rest on a whole page (the strip's width) when paging is on, and cancels the
// press of the key under the finger once a drag begins. A press while it settles catches it;
// however it is interrupted, it ends on a page and reports its rest once. Pages are added as
// children of contentView() at (page × width, 0). A page wholly out of view is hidden, so that
// neither Tab nor a screen reader reaches what cannot be seen; it shows again as soon as any of
// it comes into view.
class PagedScrollView : public QWidget {
    Q_OBJECT

public:
    explicit PagedScrollView(QWidget* parent = nullptr);
    ~PagedScrollView() override;

    QWidget* contentView() const { return contentView_; }
    void setDelegate(PagedScrollViewDelegate* delegate) { delegate_ = delegate; }
    void setPagingEnabled(bool enabled) { pagingEnabled_ = enabled; }
    bool isPagingEnabled() const { return pagingEnabled_; }
    void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }

    // In pixels of this widget, like the strip's own width.
    void setContentSize(QSize size);
    QSize contentSize() const { return contentSize_; }
    QPointF contentOffset() const { return offset_; }
    // Moves at once; reports scrollViewDidScroll when the offset changes.
    void setContentOffset(QPointF offset);
    // The least move that shows the rectangle (content coordinates), without animation.
    void scrollRectToVisible(const QRect& rect);

    int pageCount() const;
    // The page nearest to the offset.
    int currentPage() const;
    // The page the strip is settling on, the page it shows when it is at rest.
    int targetPage() const;
    // Glides to the page and reports coming to rest, as a swipe would.
    void scrollToPage(int page, bool animated);
    bool isDragging() const { return dragging_; }
    bool isDecelerating() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool handlePointer(QObject* watched, QEvent* event);
    void beginDrag(QWidget* pressed);
    void endDrag(double velocity);
    // Pixels per second over the last tenth of a second before the release.
    double releaseVelocity() const;
    void settleTo(QPointF target);
    void stopSettling();
    QPointF clampedOffset(QPointF offset) const;
    void layoutContent();
    void updatePageVisibility();
    // After a page was placed or shown; the pages are looked at once the event is handled.
    void schedulePageVisibilityUpdate();

    QWidget* contentView_;
    PagedScrollViewDelegate* delegate_ = nullptr;
    QVariantAnimation* settleAnimation_;
    QSize contentSize_;
    QPointF offset_;
    bool pagingEnabled_ = true;
    bool scrollEnabled_ = true;

    bool tracking_ = false;
    bool dragging_ = false;
    QPointer<QWidget> pressedWidget_;
    QPointF pressPosition_;
    QPointF pressOffset_;
    // Where the strip was settling when the press caught it.
    std::optional<QPointF> caughtTarget_;
    // Recent finger positions (milliseconds since the press, x), for the speed at release.
    std::deque<std::pair<qint64, qreal>> recentMoves_;
    // When the press came, on the screens' clock.
    qint64 pressTime_ = 0;
    bool pageVisibilityUpdatePending_ = false;
};
