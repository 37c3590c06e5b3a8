#include <QSignalSpy>
#include <QTest>
#include <csignal>

#include "Classes/TerminationSignals.h"
#include "Platform/UI/NavigationController.h"
#include "screens/CalcScreenFixture.h"

class QuilletAppDelegateTest : public QObject {
    Q_OBJECT

private slots:
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
