#include <QtTest>

#include "Classes/UIPageControlReadOnly.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/ImageView.h"
#include "WidgetTestSupport.h"

namespace {
Image blankImage(qreal width) {
    QPixmap pixmap(QSize(static_cast<int>(width), 10));
    pixmap.fill(Qt::white);
    return Image(pixmap, QSizeF(width, 10));
}

std::vector<Image> blankImages(std::initializer_list<qreal> widths) {
    std::vector<Image> images;
    for (qreal width : widths) images.push_back(blankImage(width));
    return images;
}
}  // namespace

class PageControlTest : public QObject {
    Q_OBJECT

private slots:
    void defaultsAndTheDotRow() {
        UIPageControlReadOnly control;
        QCOMPARE(control.numberOfPages(), 5);
        QVERIFY(control.testAttribute(Qt::WA_TransparentForMouseEvents));
        QCOMPARE(UIPageControlReadOnly::sizeForNumberOfPages(3), QSizeF(38, 6));
        QCOMPARE(UIPageControlReadOnly::sizeForNumberOfPages(2), QSizeF(22, 6));
    }

    void currentPageIsClamped_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("shown");
        QTest::newRow("beyond the last") << 5 << 2;
        QTest::newRow("negative") << -1 << 0;
        QTest::newRow("inside") << 1 << 1;
        QTest::newRow("the count itself") << 3 << 2;
    }

    void currentPageIsClamped() {
        QFETCH(int, page);
        QFETCH(int, shown);
        UIPageControlReadOnly control;
        control.setNumberOfPages(3);
        control.setCurrentPage(page);
        QCOMPARE(control.currentPage(), shown);
    }

    void imagesAreLaidSideBySideWithTheGap() {
        UIPageControlReadOnly control;
        control.resize(200, 14);
        control.setImageGap(6);
        control.setImages(blankImages({30, 30, 30, 40}), blankImages({30, 30, 30, 40}));
        QCOMPARE(control.numberOfPages(), 4);
        QCOMPARE(control.imageViews().size(), size_t(4));
        const int expected[] = {0, 36, 72, 108};
        for (int i = 0; i < 4; ++i) QCOMPARE(control.imageViews()[i]->x(), expected[i]);
        QCOMPARE(control.contentWidth(), 148.0);
    }

    void currentPageShowsTheNormalImageTheOthersTheDimAndFewerImagesClampIt() {
        UIPageControlReadOnly control;
        std::vector<Image> normal = blankImages({30, 30, 30, 30});
        std::vector<Image> dim = blankImages({30, 30, 30, 30});
        control.setImages(normal, dim);
        control.setCurrentPage(3);
        QCOMPARE(control.imageViews()[3]->image().pixmap().cacheKey(), normal[3].pixmap().cacheKey());
        QCOMPARE(control.imageViews()[0]->image().pixmap().cacheKey(), dim[0].pixmap().cacheKey());
        control.setImages(blankImages({30, 30}), blankImages({30, 30}));
        QCOMPARE(control.currentPage(), 1);
        QCOMPARE(control.imageViews().size(), size_t(2));
    }

    void dotsAreSolidForTheCurrentPageAndFaintForTheOthers() {
        UIPageControlReadOnly control;
        control.setNumberOfPages(3);
        control.setPageColourWithRed(0.56f, 0.43f, 0.24f, 1.0f);
        control.setCurrentPage(1);
        control.resize(38, 6);
        control.show();
        const QImage image = control.grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const QRgb current = image.pixel(16 + 3, 3);
        const QRgb other = image.pixel(3, 3);
        QCOMPARE(qAlpha(current), 255);
        QCOMPARE(qRed(current), qRound(0.56 * 255));
        QVERIFY(std::abs(qAlpha(other) - qRound(0.3 * 255)) <= 2);
    }
};

QTEST_MAIN(PageControlTest)
#include "PageControlTest.moc"
