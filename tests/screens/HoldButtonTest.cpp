#include <QtTest>
#include <cmath>

#include "Calculator/Constants.h"
#include "Classes/NumberView.h"
#include "Classes/UIButtonFavourite.h"
#include "Classes/UIButtonWithHold.h"
#include "Platform/UI/Accessibility.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/PagedScrollView.h"
#include "WidgetTestSupport.h"

namespace {
struct HoldCounter : UIButtonWithHoldDelegate {
    int holds = 0;
    void buttonWithHoldTimeout(UIButtonWithHold&) override { ++holds; }
};

struct ScrollRecorder : PagedScrollViewDelegate {
    int scrolls = 0;
    int rests = 0;
    void scrollViewDidScroll(PagedScrollView&) override { ++scrolls; }
    void scrollViewDidEndDecelerating(PagedScrollView&) override { ++rests; }
};

}  // namespace

class HoldButtonTest : public QObject {
    Q_OBJECT

private slots:
    void aTapClicksOnceAndAHoldTellsTheDelegateOnceInsteadUnlessCancelled() {
        UIButtonWithHold button;
        HoldCounter counter;
        button.delegate = &counter;
        button.resize(60, 44);
        button.show();
        const QPoint centre = button.rect().center();
        QSignalSpy clicks(&button, &QAbstractButton::clicked);
        QSignalSpy upInside(&button, &UIButton::touchUpInside);
        Finger::hold(&button, 200);
        QCOMPARE(clicks.count(), 1);
        QVERIFY(!button.isTimerRunning());
        QTest::qWait(400);
        QCOMPARE(counter.holds, 0);
        Finger::press(&button, centre);
        QTest::qWait(350);
        QCOMPARE(counter.holds, 0);
        QTRY_COMPARE_WITH_TIMEOUT(counter.holds, 1, 400);
        QVERIFY(button.timerHasFired());
        Finger::release(&button, centre);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(upInside.count(), 1);
        QCOMPARE(counter.holds, 1);
        QVERIFY(!button.isDown());
        // A new touch starts again from idle.
        Finger::tap(&button);
        QVERIFY(!button.timerHasFired());
        QCOMPARE(clicks.count(), 2);
        // A cancelled touch never holds nor clicks.
        QSignalSpy cancels(&button, &UIButton::touchCancel);
        Finger::press(&button, centre);
        QTest::qWait(300);
        button.cancelTouch();
        QCOMPARE(cancels.count(), 1);
        QVERIFY(!button.isTimerRunning());
        QTest::qWait(350);
        Finger::release(&button, centre);
        QCOMPARE(counter.holds, 1);
        QCOMPARE(clicks.count(), 2);
        button.removeButtonTimer();  // safe without a timer
        QVERIFY(!button.isTimerRunning());
    }

    // A key reports one touch down per press, however the finger wanders, and where it was lifted.
    void touchEventsFollowTheFinger_data() {
        QTest::addColumn<QList<QPoint>>("path");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("a tap that wobbles")
            << QList<QPoint>{{30, 22}, {36, 26}, {28, 20}} << QStringList{"down", "up inside"};
        QTest::newRow("slides off, lifted outside")
            << QList<QPoint>{{30, 22}, {30, 80}} << QStringList{"down", "exit", "up outside"};
        QTest::newRow("slides off and back")
            << QList<QPoint>{{30, 22}, {90, 22}, {30, 30}} << QStringList{"down", "exit", "enter", "up inside"};
    }

    void touchEventsFollowTheFinger() {
        QFETCH(QList<QPoint>, path);
        QFETCH(QStringList, events);
        UIButton button;
        button.resize(60, 44);
        button.show();
        QStringList seen;
        connect(&button, &UIButton::touchDown, [&] { seen << "down"; });
        connect(&button, &UIButton::touchDragExit, [&] { seen << "exit"; });
        connect(&button, &UIButton::touchDragEnter, [&] { seen << "enter"; });
        connect(&button, &UIButton::touchUpInside, [&] { seen << "up inside"; });
        connect(&button, &UIButton::touchUpOutside, [&] { seen << "up outside"; });
        Finger::press(&button, path.front());
        for (qsizetype i = 1; i < path.size(); ++i) Finger::move(&button, path[i - 1], path[i], 5, 5);
        Finger::release(&button, path.back());
        QCOMPARE(seen, events);
        QVERIFY(!button.isDown());
    }

    void favouriteHints_data() {
        QTest::addColumn<QString>("constant");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("hint");
        QTest::newRow("constant name, not the value") << "Pi" << 3.141592653589793 << "Pi.";
        QTest::newRow("plain value") << QString() << 42.0 << "42.";
        QTest::newRow("empty: no hint, no number") << QString() << qQNaN() << QString();
    }

    void favouriteHints() {
        QFETCH(QString, constant);
        QFETCH(double, value);
        QFETCH(QString, hint);
        UIButtonFavourite button;
        button.resize(60, 40);
        button.show();
        QCOMPARE(Accessibility::label(&button), QStringLiteral("Favourite"));
        QCOMPARE(Accessibility::traits(&button), AccessibilityTraitButton);
        if (!constant.isNull()) button.setConstantString(constant.toStdString());
        const bool empty = std::isnan(value);
        button.setCalcValue(empty ? std::nullopt : std::optional(CalcValue::calcValueWithRealValue(value)),
                            CalcValueFormat::withStyle(CalcValueFormatStyleAuto));
        QCOMPARE(button.accessibilityHintText().has_value(), !empty);
        QCOMPARE(Accessibility::hint(&button), hint);
        QCOMPARE(button.numberView()->isHidden(), empty);
        QCOMPARE(button.numberView()->geometry(), QRect(6, 10, 48, 20));
    }

    void aStripSnapsToTheNextPageOrFallsBackAndCancelsTheKeyUnderTheFingerButNotATap() {
        PagedScrollView strip;
        strip.resize(320, 60);
        strip.setContentSize(QSize(4 * 320, 60));
        ScrollRecorder recorder;
        strip.setDelegate(&recorder);
        UIButton key(strip.contentView());
        key.setGeometry(20, 5, 200, 50);
        QSignalSpy clicks(&key, &QAbstractButton::clicked);
        QSignalSpy cancels(&key, &UIButton::touchCancel);
        strip.show();
        Finger::tap(&key, QPoint(50, 25));
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(recorder.scrolls, 0);
        Finger::drag(&key, QPoint(150, 25), QPoint(30, 25), 6, 10);
        QCOMPARE(cancels.count(), 1);
        QCOMPARE(clicks.count(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(recorder.rests, 1, 1000);
        QCOMPARE(strip.contentOffset().x(), 320.0);
        QCOMPARE(strip.currentPage(), 1);
        QVERIFY(recorder.scrolls > 2);
        // A short, slow drag falls back to the same page.
        Finger::drag(&strip, QPoint(200, 30), QPoint(140, 30), 6, 60);
        QTRY_COMPARE_WITH_TIMEOUT(recorder.rests, 2, 1000);
        QCOMPARE(strip.contentOffset().x(), 320.0);
        // Scrolling to a rectangle moves at once, with no deceleration.
        const int scrolls = recorder.scrolls;
        strip.scrollRectToVisible(QRect(3 * 320, 0, 320, 60));
        QCOMPARE(strip.contentOffset().x(), 960.0);
        QCOMPARE(recorder.scrolls, scrolls + 1);
        QCOMPARE(recorder.rests, 2);
    }
};

QTEST_MAIN(HoldButtonTest)
#include "HoldButtonTest.moc"
