#include "Classes/PagedStrip.h"

#include <algorithm>
#include <cmath>

#include "Calculator/CalcScreenLogic.h"
#include "Classes/UIPageControlReadOnly.h"
#include "Platform/UI/PagedScrollView.h"
#include "Platform/UI/PointGeometry.h"
#include "Platform/UI/PointScale.h"

PagedStrip::PagedStrip(QWidget* screen, int pageCount, Band stripBand, Band indicatorBand, PageFactory makePage)
    : screen_(screen),
      scrollView_(new PagedScrollView(screen)),
      pageControl_(new UIPageControlReadOnly(screen)),
      stripBand_(stripBand),
      indicatorBand_(indicatorBand),
      makePage_(std::move(makePage)),
      pages_(static_cast<size_t>(pageCount), nullptr) {
    scrollView_->setPagingEnabled(true);
    pageControl_->setNumberOfPages(pageCount);
}

QWidget* PagedStrip::page(int index) const {
    if (index < 0 || index >= pageCount()) return nullptr;
    return pages_[static_cast<size_t>(index)];
}

bool PagedStrip::loadPage(int index) {
    if (index < 0 || index >= pageCount() || pages_[static_cast<size_t>(index)]) return false;
    pages_[static_cast<size_t>(index)] = makePage_(index, scrollView_->contentView());
    placePage(index);
    return true;
}

bool PagedStrip::loadFirstMissingPage() {
    const auto missing = std::find(pages_.begin(), pages_.end(), nullptr);
    return missing != pages_.end() && loadPage(static_cast<int>(missing - pages_.begin()));
}

bool PagedStrip::loadPagesInView() {
    const double width = std::max(1, scrollView_->width());
    const double offset = scrollView_->contentOffset().x();
    const int leftPage = static_cast<int>(std::floor(offset / width));
    const int rightPage = static_cast<int>(std::floor((offset + width - 1) / width));
    const bool madeLeft = loadPage(leftPage);
    const bool madeRight = loadPage(rightPage);
    return madeLeft || madeRight;
}

void PagedStrip::showPage(int index) {
    loadPage(index);
    scrollView_->scrollRectToVisible(pageRect(index));
    pageControl_->setCurrentPage(index);
}

int PagedStrip::pageIndex() const {
    return CalcScreenLogic::pageIndexFromOffset(scrollView_->contentOffset().x(), scrollView_->width());
}

void PagedStrip::layout() {
    const double width = PointScale::pointsFromPixels(screen_->width());
    const int heading = scrollView_->targetPage();
    scrollView_->setGeometry(PointGeometry::pixelRectFromPoints(0, stripBand_.top, width, stripBand_.height));
    scrollView_->setContentSize(QSize(pageCount() * scrollView_->width(), scrollView_->height()));
    scrollView_->scrollRectToVisible(pageRect(heading));
    for (int index = 0; index < pageCount(); ++index) {
        if (pages_[static_cast<size_t>(index)]) placePage(index);
    }
    layoutPageControl();
}

void PagedStrip::layoutPageControl() {
    const double width = PointScale::pointsFromPixels(screen_->width());
    const double contentWidth = pageControl_->contentWidth();
    pageControl_->setGeometry(PointGeometry::pixelRectFromPoints((width - contentWidth) / 2, indicatorBand_.top,
                                                                 contentWidth, indicatorBand_.height));
}

QRect PagedStrip::pageRect(int index) const {
    return QRect(index * scrollView_->width(), 0, scrollView_->width(), scrollView_->height());
}

void PagedStrip::placePage(int index) const {
    QWidget* view = pages_[static_cast<size_t>(index)];
    view->setGeometry(pageRect(index));
    view->show();
}
