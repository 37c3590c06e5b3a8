#include <QtTest>

#include "Calculator/Constants.h"
#include "Calculator/Operators.h"
#include "Classes/QuilletColours.h"
#include "Classes/ZQGreyscale.h"
#include "Platform/UI/ImageStore.h"
#include "WidgetTestSupport.h"

namespace {
Image filledImage(QColor colour, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(colour);
    return Image(pixmap, QSizeF(size));
}

QStringList screenImageNames() {
    QStringList names =
        QStringLiteral(
            "lcdBackground favouritesBarBackground backgroundCalc navigationBarHistory navigationBarCalc "
            "backgroundMenu lcdBackgroundMenu historyHeader buttonFavouriteMenu asciiTableCell "
            "asciiTableCellDepressed constantsConstDark toolbarTrash toolbarMail toolbarSave toolbarCopy")
            .split(' ');
    for (QString& name : names) name += QStringLiteral(".png");
    for (const char* page : {"Bin", "Oct", "Dec", "Hex", "Fix", "Eng", "Sci", "Auto"}) {
        names << QStringLiteral("lcdPage%1.png").arg(page) << QStringLiteral("lcdPage%1Transparent.png").arg(page);
    }
    return names;
}
}  // namespace

class ArtworkTest : public QObject {
    Q_OBJECT

private slots:
    void everyOperatorImageTheRegistryNamesExists() {
        Operators& operators = Operators::sharedInstance();
        int named = 0;
        for (OperatorsOperator op : operators.knownOperators()) {
            const std::string name = operators.imageFromOperator(op);
            if (name.empty()) continue;
            ++named;
            const Image image = ImageStore::imageNamed(name);
            QVERIFY2(!image.isNull(), name.c_str());
            QCOMPARE(image.size(), QSizeF(60, 38));
            // The glyph lies in the part the LCD shows.
            const Image centre = image.croppedToRect(QRectF(14, 10, 32, 18));
            QVERIFY2(largestAlpha(centre.toImage()) > 200, name.c_str());
        }
        QVERIFY(named >= 50);
    }

    void everyConstantAndScreenImageExists() {
        QStringList names = screenImageNames();
        for (const CalcValue& value : Constants::constantsCalcValues()) {
            names << QString::fromStdString(*Constants::sharedInstance().imageFromConstantCalcValue(value));
        }
        for (const QString& name : names) {
            QVERIFY2(ImageStore::hasImageNamed(name.toStdString()), qPrintable(name));
            QVERIFY2(!ImageStore::imageNamed(name.toStdString()).isNull(), qPrintable(name));
        }
        QVERIFY(!ImageStore::hasImageNamed("noSuchImage.png"));
        QVERIFY(ImageStore::imageNamed("noSuchImage.png").isNull());
    }

    // Each pixel takes the colour, keeping its own alpha; the density of the icon is kept.
    void greyscaleIsTheColourWithTheIconsAlphaAndPixelDensity() {
        const auto tinted = [](QColor fill, QColor colour) {
            return imageGreyscaleWithColor(filledImage(fill, QSize(8, 6)), colour)
                .toImage()
                .convertToFormat(QImage::Format_ARGB32);
        };
        const QImage opaque = tinted(Qt::red, QuilletColours::lcdTextColour());
        QCOMPARE(opaque.size(), QSize(8, 6));
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 8; ++x) QCOMPARE(QColor(opaque.pixel(x, y)), QColor(89, 91, 78));
        }
        QCOMPARE(largestAlpha(tinted(Qt::transparent, Qt::black)), 0);
        const QRgb half = tinted(QColor(10, 200, 30, 128), QuilletColours::buttonTextColour()).pixel(1, 1);
        QVERIFY(std::abs(qAlpha(half) - 128) <= 1);
        QVERIFY(std::abs(qRed(half) - 98) <= 2 && std::abs(qGreen(half) - 57) <= 2 && std::abs(qBlue(half) - 29) <= 2);
        QPixmap dense(QSize(16, 12));
        dense.fill(Qt::white);
        dense.setDevicePixelRatio(2.0);
        const Image denseTinted = imageGreyscaleWithColor(Image(dense, QSizeF(8, 6)), Qt::black);
        QCOMPARE(denseTinted.pixmap().width(), 16);
        QCOMPARE(denseTinted.scale(), 2.0);
    }
};

QTEST_MAIN(ArtworkTest)
#include "ArtworkTest.moc"
