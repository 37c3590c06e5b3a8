#pragma once

#include <QColor>
#include <QSizeF>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "Platform/UI/Image.h"

class ImageView;

// Shows which page of a strip is visible and ignores touches: a row of dots (the current one
// solid, the others faint) or a row of images (the current page's own, the others dim). A
// screen reader reads which page is shown: "Decimal, page 3 of 4", or "Page 2 of 3" when the
// pages have no titles.
class UIPageControlReadOnly : public QWidget {
    Q_OBJECT

public:
    explicit UIPageControlReadOnly(QWidget* parent = nullptr);
    ~UIPageControlReadOnly() override;

    int currentPage() const { return currentPage_; }
    // Clamped to 0 ... numberOfPages − 1.
    void setCurrentPage(int page);
    int numberOfPages() const { return numberOfPages_; }
    void setNumberOfPages(int count);
    int imageGap() const { return imageGap_; }
    void setImageGap(int gap) { imageGap_ = gap; }
    void setPageColourWithRed(float red, float green, float blue, float alpha);
    QColor pageColour() const;

    // Points needed by a row of dots.
    static QSizeF sizeForNumberOfPages(int count);
    // Equal lengths, or a fatal assertion; the images' widths place them side by side.
    void setImages(const std::vector<Image>& images, const std::vector<Image>& dimImages);
    bool hasImages() const { return images_.has_value(); }
    const std::vector<ImageView*>& imageViews() const { return imageViews_; }
    // What each page is called, for the screen reader; empty for none.
    void setPageTitles(std::vector<std::string> titles);
    // The width in points the present look needs.
    qreal contentWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void removeImageViews();
    void layoutImageViews();
    void updateAccessibilityLabel();

    int currentPage_ = 0;
    int numberOfPages_ = 5;
    int imageGap_ = 16;
    float pageCGColor_[4] = {1, 1, 1, 1};
    std::optional<std::vector<Image>> images_;
    std::optional<std::vector<Image>> dimImages_;
    std::vector<ImageView*> imageViews_;
    std::vector<std::string> pageTitles_;
};
