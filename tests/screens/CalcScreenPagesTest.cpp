#include <QFontInfo>
#include <QTest>

#include "Calculator/Operators.h"
#include "Classes/ASCIIViewController.h"
#include "Classes/FavouritesButtonViewController.h"
#include "Classes/Notifications.h"
#include "Classes/SecondButtonViewController.h"
#include "Classes/UIButtonFavourite.h"
#include "Classes/UIPageControlReadOnly.h"
#include "Platform/Core/NotificationCenter.h"
#include "screens/CalcScreenFixture.h"
#include "support/LogCapture.h"

// The calculator screen as a whole: its first frames pixel for pixel, the life of its pages,
// and a strip that makes its pages as they come into view.
class CalcScreenPagesTest : public QObject {
    Q_OBJECT

private slots:
    // Against pictures kept beside this file: the strips, their pages and their indicators land
    // exactly where they always have. A picture that differs is saved in the working folder, to
    // be looked at beside the kept one.
    void firstFramesStayTheSame_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("a first launch") << QStringLiteral("first-frame");
        QTest::newRow("a restart on hexadecimal and the second favourites page")
            << QStringLiteral("first-frame-restarted");
        QTest::newRow("the window made wider") << QStringLiteral("first-frame-wide");
    }

    void firstFramesStayTheSame() {
        QFETCH(QString, name);
        // The pictures were drawn with this family; another machine's fonts draw other pixels.
        if (QFontInfo(QApplication::font()).family() != QStringLiteral("DejaVu Sans")) {
            QSKIP("the kept pictures were drawn with DejaVu Sans as the system font");
        }
        CalcScreenFixture screen;
        if (name == QStringLiteral("first-frame-restarted")) {
            screen.engine->setNumberBase(16);
            screen.settings->setFavouritesPageIndex(1);
            screen.typeKeys("2A+7");
            screen.relaunch();
        } else if (name == QStringLiteral("first-frame-wide")) {
            screen.delegate->window()->resize(900, 640);
            QApplication::processEvents();
        }
        const QImage frame = screen.delegate->window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString referencePath = QFINDTESTDATA(QStringLiteral("reference/%1.png").arg(name));
        const QImage reference = QImage(referencePath).convertToFormat(QImage::Format_RGB32);
        if (frame != reference) {
            frame.save(QDir::current().filePath(name + QStringLiteral(".png")));
            QFAIL(qPrintable(QStringLiteral("%1 differs from %2").arg(name, referencePath)));
        }
    }

    void everyScreenNamesItselfOnAMemoryWarning() {
        CalcScreenFixture screen;
        CalcViewController& calc = screen.calc();
        calc.secondButtonViewController()->createASCIITable();
        LogCapture log;
        for (ViewController* page : pages(calc)) page->didReceiveMemoryWarning();
        QCOMPARE(log.lines(), (std::vector<std::string>{"CalcViewController didReceiveMemoryWarning",
                                                        "DisplayViewController didReceiveMemoryWarning",
                                                        "FavouritesButtonViewController didReceiveMemoryWarning",
                                                        "FirstButtonViewController didReceiveMemoryWarning",
                                                        "SecondButtonViewController didReceiveMemoryWarning",
                                                        "ASCIIViewController didReceiveMemoryWarning"}));
    }

    // Once released, no page acts on what it observed.
    void releasedScreensHearNothing() {
        CalcScreenFixture screen;
        CalcViewController& calc = screen.calc();
        calc.secondButtonViewController()->setIsRedrawing(true);
        for (ViewController* page : pages(calc)) page->releaseAll();

        screen.engine->setNumberBase(16);
        screen.engine->enterValue(5);
        screen.engine->enterOperator(OperatorsOperatorAdd);
        screen.store->deleteFavouriteWithIndex(0);
        NotificationCenter& center = NotificationCenter::defaultCenter();
        for (std::string_view name :
             {NotificationsNotificationAccumulatorHasChanged, NotificationsNotificationBaseHasChanged,
              NotificationsNotificationFavouritesHaveChanged}) {
            center.post(name, &calc);
        }
        screen.settings->setWordSize(8);
        const int wordSize = Operators::sharedInstance().wordSize();
        screen.settings->setWordSize(32);

        QCOMPARE(wordSize, 32);
        QCOMPARE(calc.displayViewController(2)->button()->currOperator(), OperatorsOperatorNone);
        QCOMPARE(calc.favouritesViewController(0)->button(0)->operatorsOperator(), 9);
        QVERIFY(!screen.keypad().numberButton(15)->isEnabled());
        QVERIFY(!calc.secondButtonViewController()->asciiViewController()->isUpdatePending());
    }

    // A swipe that runs ahead of the delayed page creation finds the page it uncovers made and
    // showing the value, while the finger is still down.
    void aPageUncoveredByTheFingerShowsTheValue() {
        CalcScreenFixture screen;
        screen.typeKeys("255");
        if (screen.calc().displayViewController(3)) QSKIP("the delayed creation made the page first");
        PagedScrollView* strip = screen.calc().displayScrollView();
        const QPoint start = strip->rect().center();
        const QPoint quarter = start - QPoint(strip->width() / 4, 0);
        const QPoint beyondHalf = start - QPoint(strip->width() * 3 / 5, 0);
        Finger::press(strip, start);
        Finger::move(strip, start, quarter);
        QCOMPARE(screen.lcdText(3), QStringLiteral("FFh"));
        QCOMPARE(screen.calc().displayPageControl()->currentPage(), 2);
        Finger::move(strip, quarter, beyondHalf);
        QCOMPARE(screen.calc().displayPageControl()->currentPage(), 3);
        Finger::release(strip, beyondHalf);
        QTRY_COMPARE(screen.engine->numberBase(), 16);
    }

private:
    static std::vector<ViewController*> pages(CalcViewController& calc) {
        SecondButtonViewController* second = calc.secondButtonViewController();
        return {&calc,
                calc.displayViewController(calc.displayPageIndex()),
                calc.favouritesViewController(calc.favouritesPageIndex()),
                calc.firstButtonViewController(),
                second,
                second->asciiViewController()};
    }
};

QUILLET_SCREEN_TEST_MAIN(CalcScreenPagesTest)
#include "CalcScreenPagesTest.moc"
