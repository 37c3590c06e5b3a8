#include <QtTest>

#include "Classes/UIPageControlReadOnly.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/ImageView.h"

namespace {
std::vector<Image> blankImages(int count) {
    std::vector<Image> images;
    for (int i = 0; i < count; ++i) {
        QPixmap pixmap(QSize(30, 10));
        pixmap.fill(Qt::white);
        images.push_back(Image(pixmap, QSizeF(30, 10)));
    }
    return images;
}
}  // namespace

// How the indicators look is checked pixel for pixel by the first frames of the calculator.
class PageControlTest : public QObject {
    Q_OBJECT

private slots:
    void currentPageIsClamped() {
        UIPageControlReadOnly control;
        QVERIFY(control.testAttribute(Qt::WA_TransparentForMouseEvents));
        control.setNumberOfPages(3);
        for (const auto& [page, shown] : {std::pair{5, 2}, {-1, 0}, {1, 1}, {3, 2}}) {
            control.setCurrentPage(page);
            QCOMPARE(control.currentPage(), shown);
        }
    }

    void currentPageShowsTheNormalImageTheOthersTheDimAndFewerImagesClampIt() {
        UIPageControlReadOnly control;
        std::vector<Image> normal = blankImages(4);
        std::vector<Image> dim = blankImages(4);
        control.setImages(normal, dim);
        control.setCurrentPage(3);
        QCOMPARE(control.numberOfPages(), 4);
        QCOMPARE(control.imageViews()[3]->image().pixmap().cacheKey(), normal[3].pixmap().cacheKey());
        QCOMPARE(control.imageViews()[0]->image().pixmap().cacheKey(), dim[0].pixmap().cacheKey());
        control.setImages(blankImages(2), blankImages(2));
        QCOMPARE(control.currentPage(), 1);
        QCOMPARE(control.imageViews().size(), size_t(2));
    }
};

QTEST_MAIN(PageControlTest)
#include "PageControlTest.moc"
