#include "Classes/UIPageControlReadOnly.h"

#include <QPainter>
#include <cmath>

#include "Platform/Core/FatalAssert.h"
#include "Platform/Core/Localized.h"
#include "Platform/UI/Accessibility.h"
#include "Platform/UI/ImageView.h"
#include "Platform/UI/PointScale.h"

namespace {
constexpr qreal kDotDiameter = 6.0;
constexpr qreal kDotSpacing = 16.0;
constexpr float kDimDotAlpha = 0.3f;
}  // namespace

UIPageControlReadOnly::UIPageControlReadOnly(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    Accessibility::setIsAccessibilityElement(this, true);
    Accessibility::setTraits(this, AccessibilityTraitStaticText);
    updateAccessibilityLabel();
}

UIPageControlReadOnly::~UIPageControlReadOnly() { removeImageViews(); }

void UIPageControlReadOnly::setCurrentPage(int page) {
    currentPage_ = std::clamp(page, 0, std::max(0, numberOfPages_ - 1));
    if (images_) {
        for (size_t i = 0; i < imageViews_.size(); ++i) {
            const bool current = static_cast<int>(i) == currentPage_;
            imageViews_[i]->setImage(current ? (*images_)[i] : (*dimImages_)[i]);
        }
    }
    updateAccessibilityLabel();
    update();
}

void UIPageControlReadOnly::setNumberOfPages(int count) {
    numberOfPages_ = count;
    updateAccessibilityLabel();
}

void UIPageControlReadOnly::setPageTitles(std::vector<std::string> titles) {
    pageTitles_ = std::move(titles);
    updateAccessibilityLabel();
}

void UIPageControlReadOnly::updateAccessibilityLabel() {
    const QString page = QString::number(currentPage_ + 1);
    const QString count = QString::number(numberOfPages_);
    const size_t index = static_cast<size_t>(currentPage_);
    QString label;
    if (index < pageTitles_.size() && !pageTitles_[index].empty()) {
        label = QString::fromStdString(Localized::string("%1, page %2 of %3"))
                    .arg(QString::fromStdString(Localized::string(pageTitles_[index])), page, count);
    } else {
        label = QString::fromStdString(Localized::string("Page %1 of %2")).arg(page, count);
    }
    if (label != Accessibility::label(this)) Accessibility::setLabel(this, label.toStdString());
}

void UIPageControlReadOnly::setPageColourWithRed(float red, float green, float blue, float alpha) {
    pageCGColor_[0] = red;
    pageCGColor_[1] = green;
    pageCGColor_[2] = blue;
    pageCGColor_[3] = alpha;
    update();
}

QColor UIPageControlReadOnly::pageColour() const {
    return QColor::fromRgbF(pageCGColor_[0], pageCGColor_[1], pageCGColor_[2], pageCGColor_[3]);
}

QSizeF UIPageControlReadOnly::sizeForNumberOfPages(int count) {
    return QSizeF(kDotSpacing * (count - 1) + kDotDiameter, kDotDiameter);
}

void UIPageControlReadOnly::setImages(const std::vector<Image>& images, const std::vector<Image>& dimImages) {
    fatalAssertUnless(images.size() == dimImages.size(), "Classes/UIPageControlReadOnly",
                      "differing numbers of images");
    removeImageViews();
    images_ = images;
    dimImages_ = dimImages;
    numberOfPages_ = static_cast<int>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        auto* view = new ImageView(this);
        view->show();
        imageViews_.push_back(view);
    }
    layoutImageViews();
    setCurrentPage(currentPage_);
}

qreal UIPageControlReadOnly::contentWidth() const {
    if (!images_) return sizeForNumberOfPages(numberOfPages_).width();
    qreal x = 0;
    qreal right = 0;
    for (const Image& image : *images_) {
        right = x + image.size().width();
        x = std::trunc(right) + imageGap_;
    }
    return right;
}

void UIPageControlReadOnly::layoutImageViews() {
    if (!images_) return;
    const qreal scale = PointScale::factor();
    qreal x = 0;
    for (size_t i = 0; i < imageViews_.size(); ++i) {
        const QSizeF size = (*images_)[i].size();
        imageViews_[i]->setGeometry(QRectF(x * scale, 0, size.width() * scale, size.height() * scale).toRect());
        x = std::trunc(x + size.width()) + imageGap_;
    }
}

void UIPageControlReadOnly::removeImageViews() {
    for (ImageView* view : imageViews_) delete view;
    imageViews_.clear();
    images_.reset();
    dimImages_.reset();
}

void UIPageControlReadOnly::resizeEvent(QResizeEvent*) { layoutImageViews(); }

void UIPageControlReadOnly::paintEvent(QPaintEvent*) {
    if (images_) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = PointScale::factor();
    painter.scale(scale, scale);
    painter.setPen(Qt::NoPen);
    QColor dim = pageColour();
    dim.setAlphaF(pageCGColor_[3] * kDimDotAlpha);
    painter.setBrush(dim);
    for (int i = 0; i < numberOfPages_; ++i) {
        if (i == currentPage_) continue;
        painter.drawEllipse(QRectF(kDotSpacing * i, 0, kDotDiameter, kDotDiameter));
    }
    painter.setBrush(pageColour());
    painter.drawEllipse(QRectF(kDotSpacing * currentPage_, 0, kDotDiameter, kDotDiameter));
}
