#include <QScreen>
#include <QTemporaryFile>
#include <QTest>

#include "Classes/FavouritesButtonViewController.h"
#include "Classes/UIButtonFavourite.h"
#include "Classes/UIPageControlReadOnly.h"
#include "Platform/UI/ImageView.h"
#include "WidgetTestSupport.h"
#include "screens/CalcScreenFixture.h"

// Images drawn once (favourite icons, the LCD's operator, the history button, the page
// indicator) must be drawn again when the window grows or moves to a denser screen.
class PixelDensityTest : public QObject {
    Q_OBJECT

private slots:
    // Enlarged to twice the size, moved to a screen of twice the density, and both.
    void imagesFollowTheWindow() {
        for (const auto& [size, density] :
             {std::pair{QSize(960, 1380), 1.0}, {QSize(480, 690), 2.0}, {QSize(640, 920), 2.0}}) {
            CalcScreenFixture calculator;
            UIWindow* window = calculator.delegate->window();
            calculator.typeKeys("5+");
            window->grab();
            const QList<QScreen*> screens = QGuiApplication::screens();
            QScreen* target = *std::find_if(screens.begin(), screens.end(),
                                            [&](QScreen* screen) { return screen->devicePixelRatio() == density; });
            window->move(target->geometry().topLeft() + QPoint(10, 10));
            window->resize(size);
            QApplication::processEvents();
            const QPixmap picture = window->grab();
            saveSnapshot(*window, QStringLiteral("density-%1x%2-%3").arg(size.width()).arg(size.height()).arg(density));

            const qreal pixelsPerPoint =
                std::min(size.width() / 320.0, size.height() / 460.0) * target->devicePixelRatio();
            QCOMPARE(picture.devicePixelRatio(), target->devicePixelRatio());
            CalcViewController& calc = calculator.calc();
            std::vector<std::pair<QString, Image>> images = {
                {"history", calc.historyButton()->image()},
                {"LCD operator", calc.displayViewController(2)->button()->viewLCDOperator()->image()},
                {"page indicator", calc.displayPageControl()->imageViews().at(0)->image()}};
            for (int position = 0; position < 5; ++position) {
                const Image icon = calc.favouritesViewController(0)->button(position)->image();
                if (!icon.isNull()) images.emplace_back(QStringLiteral("favourite %1").arg(position), icon);
            }
            QVERIFY(images.size() > 3);
            for (const auto& [name, image] : images) {
                QVERIFY2(!image.isNull(), qPrintable(name));
                QVERIFY2(qAbs(image.scale() - pixelsPerPoint) < 0.05,
                         qPrintable(QStringLiteral("%1: %2 pixels per point, not %3")
                                        .arg(name)
                                        .arg(image.scale())
                                        .arg(pixelsPerPoint)));
            }
        }
    }
};

int main(int argc, char** argv) {
    useTemporaryHome();
    // Two screens side by side, the window on the plain one; the other has twice as many pixels
    // per point. The offscreen platform makes the first screen by name the primary one.
    QTemporaryFile screens;
    if (!screens.open()) return 1;
    screens.write(R"({"screens": [
        {"name": "a plain", "x": 0, "y": 0, "width": 2000, "height": 1500, "dpr": 1},
        {"name": "b dense", "x": 2000, "y": 0, "width": 2000, "height": 1500, "dpr": 2}]})");
    screens.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toUtf8());
    QApplication application(argc, argv);
    PixelDensityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PixelDensityTest.moc"
