#include <QSignalSpy>
#include <QTest>

#include "Classes/IdleSaveTimer.h"
#include "Platform/UI/NavigationController.h"
#include "screens/CalcScreenFixture.h"

using namespace std::chrono_literals;

namespace {

// Ends the app as a kill does: no quit event, nothing more saved, the store left as it is on disk.
void crashAndRelaunch(CalcScreenFixture& screen) {
    screen.delegate.reset();
    screen.engine.reset();
    screen.store.reset();
    screen.settings.reset();
    screen.defaults.reset();
    screen.launch();
}

}  // namespace

class QuilletAppDelegateTest : public QObject {
    Q_OBJECT

private slots:
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

    void anIdleCalculationIsSavedOnceAfterTheLastKey() {
        CalcScreenFixture screen;
        IdleSaveTimer& idleSave = screen.delegate->idleSaveTimer();
        idleSave.setDelays(500ms, 10s);
        QSignalSpy saves(&idleSave, &IdleSaveTimer::saved);
        // Being built and shown changes nothing.
        QTest::qWait(700);
        QCOMPARE(saves.count(), 0);
        // Each key restarts the wait.
        for (const char* keys : {"1", "2", "+3"}) {
            screen.typeKeys(keys);
            QTest::qWait(50);
        }
        QCOMPARE(saves.count(), 0);
        QTRY_COMPARE(saves.count(), 1);
        QTest::qWait(700);
        QCOMPARE(saves.count(), 1);
        // A change saved by hiding the window leaves nothing for the idle save.
        screen.typeKeys("4");
        screen.delegate->window()->hide();
        screen.delegate->window()->show();
        QTest::qWait(700);
        QCOMPARE(saves.count(), 1);

        screen.typeKeys("*");
        QTRY_COMPARE(saves.count(), 2);
        crashAndRelaunch(screen);
        QCOMPARE(screen.calc().displayViewController(2)->button()->currOperator(), 4);
        // Killed again before anything changed: what was restored is still saved.
        crashAndRelaunch(screen);
        screen.typeKeys("2=");
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 12u + 34u * 2u);
    }

    void typingWithoutAPauseStillSavesEverySoOften() {
        CalcScreenFixture screen;
        IdleSaveTimer& idleSave = screen.delegate->idleSaveTimer();
        idleSave.setDelays(10s, 200ms);
        QSignalSpy saves(&idleSave, &IdleSaveTimer::saved);
        for (int key = 0; key < 12; ++key) {
            screen.typeKeys("7");
            QTest::qWait(50);
        }
        QVERIFY2(saves.count() >= 2, qPrintable(QString::number(saves.count())));
    }
};

QUILLET_SCREEN_TEST_MAIN(QuilletAppDelegateTest)
#include "QuilletAppDelegateTest.moc"
