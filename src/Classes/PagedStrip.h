#pragma once

#include <QRect>
#include <QWidget>
#include <functional>
#include <vector>

class PagedScrollView;
class UIPageControlReadOnly;

// One of the calculator screen's paged strips with the indicator below it, each on its own
// band across the screen, in points. A slot per page: the screen's factory makes a page when
// it is first asked for, and the strip places it at (page × width, 0) in its content.
class PagedStrip {
public:
    // A band across the screen: its top and its height, in points.
    struct Band {
        double top;
        double height;
    };
    // Makes the page with that index as a child of the strip's content view.
    using PageFactory = std::function<QWidget*(int page, QWidget* contentView)>;

    PagedStrip(QWidget* screen, int pageCount, Band stripBand, Band indicatorBand, PageFactory makePage);
    PagedStrip(const PagedStrip&) = delete;
    PagedStrip& operator=(const PagedStrip&) = delete;

    PagedScrollView* scrollView() const { return scrollView_; }
    UIPageControlReadOnly* pageControl() const { return pageControl_; }
    int pageCount() const { return static_cast<int>(pages_.size()); }
    // The page made for that index, or null: not made yet, or outside the strip.
    QWidget* page(int index) const;

    // Makes the page unless it exists; an index outside the strip is ignored. True when a page
    // was made.
    bool loadPage(int index);
    // Makes the first page not made yet; false once every page exists.
    bool loadFirstMissingPage();
    // Makes the pages the strip's offset brings into view, wholly or in part.
    bool loadPagesInView();
    // Makes the page, turns the strip to it without animation and sets the indicator.
    void showPage(int index);
    // The page shown: the strip counts as turned once it is at least half-way to a page.
    int pageIndex() const;

    // Across the whole screen, on the page the strip was heading to.
    void layout();
    // Centred on its band, as wide as its dots or images need.
    void layoutPageControl();

private:
    QRect pageRect(int index) const;
    void placePage(int index) const;

    QWidget* screen_;
    PagedScrollView* scrollView_;
    UIPageControlReadOnly* pageControl_;
    Band stripBand_;
    Band indicatorBand_;
    PageFactory makePage_;
    std::vector<QWidget*> pages_;
};
