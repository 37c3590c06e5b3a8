#include <QClipboard>
#include <QMenu>
#include <QtTest>

#include "Calculator/CalcEngine.h"
#include "Calculator/Operators.h"
#include "Classes/DisplayViewController.h"
#include "Classes/Notifications.h"
#include "Classes/NumberView.h"
#include "Classes/UIButtonLCD.h"
#include "Platform/Core/NotificationCenter.h"
#include "Platform/UI/Clipboard.h"
#include "Platform/UI/ImageView.h"
#include "WidgetTestSupport.h"

namespace {
struct PressCounter {
    int presses = 0;
    PressCounter() {
        NotificationCenter::defaultCenter().addObserver(this, DisplayViewControllerNotificationButtonPressed,
                                                        [this](const Notification& n) {
                                                            QVERIFY(n.object == nullptr);
                                                            ++presses;
                                                        });
    }
    ~PressCounter() { NotificationCenter::defaultCenter().removeObserver(this); }
};

QAction* menuAction(const QString& title) {
    QMenu* menu = EditMenu::sharedMenu().menu();
    if (menu == nullptr) return nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text() == title) return action;
    }
    return nullptr;
}
}  // namespace

class DisplayViewControllerTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Operators::sharedInstance().setWordSize(32);
        EditMenu::sharedMenu().setMenuVisible(false, nullptr);
    }

    void updatesAndTheEnginesOperatorReachTheLcd() {
        CalcEngine engine;
        DisplayViewController page(engine);
        page.resize(320, 90);
        page.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(255),
                                 CalcValueFormat::withStyle(CalcValueFormatStyleHex));
        QCOMPARE(page.button()->title(), QStringLiteral("0xFF"));
        page.updateWithError(OperatorsErrorDivideByZero);
        QVERIFY(page.button()->numberView()->isHidden());
        page.updateWithEditingCalcValue(CalcValue::calcValueWithRealValue(3.0),
                                        CalcValueFormat::withStyle(CalcValueFormatStyleSci), 1, false, 0);
        QCOMPARE(page.button()->title(), QStringLiteral("3."));
        for (OperatorsOperator op : {OperatorsOperatorMultiply, OperatorsOperatorNone}) {
            engine.setCurrOperator(op);
            NotificationCenter::defaultCenter().post(NotificationsNotificationAccumulatorHasChanged);
            QCOMPARE(page.button()->currOperator(), op);
            QCOMPARE(page.button()->viewLCDOperator()->isHidden(), op == OperatorsOperatorNone);
        }
    }

    void aTapPostsOnceAndAHoldShowsTheMenuInstead() {
        CalcEngine engine;
        DisplayViewController page(engine);
        page.resize(320, 90);
        page.show();
        PressCounter counter;
        holdPointer(page.button(), 100);
        QCOMPARE(counter.presses, 1);
        QVERIFY(!page.isTimerRunning());
        QVERIFY(!EditMenu::sharedMenu().isMenuVisible());
        QTest::mousePress(page.button(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(EditMenu::sharedMenu().isMenuVisible(), 1500);
        QVERIFY(page.isShowingMenu());
        QTest::mouseRelease(page.button(), Qt::LeftButton);
        QCOMPARE(counter.presses, 1);
    }

    void pasteIsOfferedOnlyForNumbersAndOnlyPlainTextIsKept() {
        CalcEngine engine;
        engine.enterAccumulatorCalcValue(CalcValue::calcValueWithUBaseValue(7));
        DisplayViewController page(engine);
        Clipboard::setValueForPasteboardType("2.5e3", Clipboard::ClipboardTypeUTF8PlainText);
        QVERIFY(page.canPerformAction(EditMenuAction::Paste));
        Clipboard::setValueForPasteboardType("abc", Clipboard::ClipboardTypeUTF8PlainText);
        QVERIFY(!page.canPerformAction(EditMenuAction::Paste));
        QVERIFY(page.canPerformAction(EditMenuAction::Copy));
        page.paste();
        QCOMPARE(engine.accumulatorCalcValue().uBaseValue(), 7u);
        QGuiApplication::clipboard()->clear();
        QVERIFY(!page.canPerformAction(EditMenuAction::Paste));
        Clipboard::setValueForPasteboardType("12", "public.png");
        QVERIFY(!Clipboard::valueForPasteboardType("public.png").has_value());
        Clipboard::setValueForPasteboardType("34", Clipboard::ClipboardTypeUTF8PlainText);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("34"));
    }

    void copyThenPasteRoundTripsThroughTheSystemClipboard_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<qulonglong>("bits");
        QTest::addColumn<double>("real");
        QTest::addColumn<int>("style");
        QTest::newRow("hex") << 1 << qulonglong(0xBEEF) << 0.0 << 7;
        QTest::newRow("binary") << 1 << qulonglong(0x5A5A) << 0.0 << 4;
        QTest::newRow("signed decimal") << 2 << qulonglong(-1234) << 0.0 << 6;
        QTest::newRow("real, scientific") << 3 << qulonglong(0) << 6.25e-7 << 2;
    }

    void copyThenPasteRoundTripsThroughTheSystemClipboard() {
        QFETCH(int, type);
        QFETCH(qulonglong, bits);
        QFETCH(double, real);
        QFETCH(int, style);
        const CalcValue value = type == 1   ? CalcValue::calcValueWithUBaseValue(bits)
                                : type == 2 ? CalcValue::calcValueWithSBaseValue(static_cast<int64_t>(bits))
                                            : CalcValue::calcValueWithRealValue(real);
        CalcEngine engine;
        DisplayViewController page(engine);
        page.resize(320, 90);
        page.show();
        page.updateWithCalcValue(value, CalcValueFormat::withStyle(static_cast<CalcValueFormatStyle>(style)));

        QTest::mousePress(page.button(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(EditMenu::sharedMenu().isMenuVisible(), 1500);
        QTest::mouseRelease(page.button(), Qt::LeftButton);
        menuAction(QStringLiteral("Copy"))->trigger();
        QVERIFY(!QGuiApplication::clipboard()->text().isEmpty());

        engine.enterAccumulatorCalcValue(CalcValue::calcValueWithUBaseValue(0));
        page.buttonTimeout();
        QAction* pasteAction = menuAction(QStringLiteral("Paste"));
        QVERIFY(pasteAction != nullptr);
        pasteAction->trigger();
        const CalcValue pasted = engine.accumulatorCalcValue();
        QVERIFY2(pasted.isEqualToCalcValue(value), pasted.description().c_str());
    }

    void menuIsNotShownAfterThePageGoes() {
        CalcEngine engine;
        {
            DisplayViewController page(engine);
            page.resize(320, 90);
            page.show();
            page.buttonTimeout();
            QVERIFY(EditMenu::sharedMenu().isMenuVisible());
        }
        QVERIFY(!EditMenu::sharedMenu().isMenuVisible());
    }
};

QTEST_MAIN(DisplayViewControllerTest)
#include "DisplayViewControllerTest.moc"
