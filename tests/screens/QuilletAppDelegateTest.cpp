#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <csignal>

#include "Classes/TerminationSignals.h"
#include "Classes/UIButtonLCD.h"
#include "Platform/UI/Clipboard.h"
#include "Platform/UI/EditMenu.h"
#include "Platform/UI/NavigationController.h"
#include "screens/CalcScreenFixture.h"

class QuilletAppDelegateTest : public QObject {
    Q_OBJECT

private slots:
    void restartKeepsAHalfFinishedCalculation() {
        CalcScreenFixture screen;
        screen.typeKeys("2+3");
        screen.relaunch();
        QCOMPARE(screen.lcdText(2), QStringLiteral("3d"));
        QCOMPARE(screen.calc().displayViewController(2)->button()->currOperator(), 0);
        // The entry is still in progress: another digit extends it.
        screen.typeKeys("4=");
        QCOMPARE(screen.lcdText(2), QStringLiteral("36d"));
        screen.typeKeys("*");
        screen.relaunch();
        QCOMPARE(screen.calc().displayViewController(2)->button()->currOperator(), 4);
        screen.typeKeys("2=");
        QCOMPARE(screen.lcdText(2), QStringLiteral("72d"));
    }

    void restartKeepsTheWholeStack() {
        CalcScreenFixture screen;
        screen.engine->setNumberBase(16);
        screen.typeKeys("1+2*3");
        screen.relaunch();
        QCOMPARE(screen.calc().displayPageIndex(), 3);
        QVERIFY(screen.keypad().numberButton(15)->isEnabled());
        screen.typeKeys("=");
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 7u);
        QCOMPARE(screen.lcdText(3), QStringLiteral("7h"));
    }

    void restartKeepsARealBeingTyped() {
        CalcScreenFixture screen;
        screen.engine->enterAccumulatorCalcValue(CalcValue::calcValueWithRealValue(0.0));
        screen.typeKeys("1.25x1");
        screen.relaunch();
        QCOMPARE(screen.engine->accumulatorCalcValue().type(), CalcValueTypeReal);
        QVERIFY(screen.engine->hasExponent());
        QVERIFY(screen.keypad().buttonExponentKey()->isEnabled());
        screen.typeKeys("2=");
        QCOMPARE(screen.engine->accumulatorCalcValue().realValue(), 1.25e12);
    }

    void persistingTwiceKeepsOneCopy() {
        CalcScreenFixture screen;
        screen.typeKeys("1+2");
        screen.delegate->applicationDidEnterBackground();
        screen.delegate->applicationWillTerminate();
        screen.delegate->applicationWillTerminate();  // a second quit event changes nothing
        QVERIFY(screen.delegate->hasTerminated());
        screen.relaunch();
        QCOMPARE(screen.engine->stack().size(), size_t{1});
        screen.typeKeys("=");
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 3u);
    }

    void hidingTheWindowPersists() {
        CalcScreenFixture screen;
        screen.typeKeys("9*");
        QVERIFY(screen.store->accumulatorState() == nullptr);
        screen.delegate->window()->hide();
        QVERIFY(screen.store->accumulatorState() != nullptr);
        // Nothing is reloaded on return: the value can still be used.
        screen.delegate->window()->show();
        screen.typeKeys("9=");
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 81u);
    }

    void terminationSignalsAskForAQuit() {
        TerminationSignals signalWatcher;
        QSignalSpy spy(&signalWatcher, &TerminationSignals::terminationRequested);
        ::raise(SIGTERM);
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), SIGTERM);
        ::raise(SIGINT);
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(0).toInt(), SIGINT);
    }

    void holdingTheLCDOffersCopyAndPaste() {
        CalcScreenFixture screen;
        screen.typeKeys("1234");
        UIButtonLCD* lcd = screen.calc().displayViewController(2)->button();
        QTest::mousePress(lcd, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(EditMenu::sharedMenu().menu() != nullptr, 2000);
        QTest::mouseRelease(lcd, Qt::LeftButton);
        QMenu* menu = EditMenu::sharedMenu().menu();
        QVERIFY(menu && !menu->actions().isEmpty() && menu->actions().front()->text() == QStringLiteral("Copy"));
        menu->actions().front()->trigger();
        menu->close();
        screen.typeKeys("C");
        screen.calc().pasteDisplay();
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 1234u);
        // Text that is not a number changes nothing.
        Clipboard::setValueForPasteboardType("letters", Clipboard::ClipboardTypeUTF8PlainText);
        screen.typeKeys("C5");
        screen.calc().pasteDisplay();
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 5u);
    }

    void theWindowHoldsTheScreen() {
        CalcScreenFixture screen;
        QCOMPARE(screen.lcdText(2), QStringLiteral("0d"));
        QVERIFY(screen.delegate->window()->isVisible());
        QCOMPARE(screen.delegate->window()->rootView(), screen.delegate->navigationController());
        QCOMPARE(screen.delegate->navigationController()->rootViewController(), &screen.calc());
        QCOMPARE(screen.delegate->window()->palette().color(QPalette::Window), QColor(Qt::black));
        QVERIFY(!screen.calc().historyButton()->isEnabled());
    }
};

QUILLET_SCREEN_TEST_MAIN(QuilletAppDelegateTest)
#include "QuilletAppDelegateTest.moc"
