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
#include "support/NotificationLog.h"

namespace {
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
        NotificationLog presses(DisplayViewControllerNotificationButtonPressed);
        Finger::hold(page.button(), 100);
        QCOMPARE(presses.count(), 1);
        QCOMPARE(presses.posts[0].object, nullptr);
        QVERIFY(!page.isTimerRunning());
        QVERIFY(!EditMenu::sharedMenu().isMenuVisible());
        Finger::press(page.button(), page.button()->rect().center());
        QTRY_VERIFY_WITH_TIMEOUT(EditMenu::sharedMenu().isMenuVisible(), 1500);
        QVERIFY(page.isShowingMenu());
        Finger::release(page.button(), page.button()->rect().center());
        QCOMPARE(presses.count(), 1);
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

    void copyThenPasteFromTheMenuRoundTripsThroughTheSystemClipboard() {
        CalcEngine engine;
        auto page = std::make_unique<DisplayViewController>(engine);
        page->resize(320, 90);
        page->show();
        for (const CalcValue& value :
             {CalcValue::calcValueWithUBaseValue(0xBEEF), CalcValue::calcValueWithRealValue(6.25e-7)}) {
            page->updateWithCalcValue(
                value, CalcValueFormat::withStyle(value.type() == CalcValueTypeReal ? CalcValueFormatStyleSci
                                                                                    : CalcValueFormatStyleHex));
            EditMenu::sharedMenu().setMenuVisible(false, nullptr);
            Finger::press(page->button(), page->button()->rect().center());
            QTRY_VERIFY_WITH_TIMEOUT(EditMenu::sharedMenu().isMenuVisible(), 1500);
            Finger::release(page->button(), page->button()->rect().center());
            menuAction(QStringLiteral("Copy"))->trigger();
            engine.enterAccumulatorCalcValue(CalcValue::calcValueWithUBaseValue(0));
            page->buttonTimeout();
            menuAction(QStringLiteral("Paste"))->trigger();
            QVERIFY2(engine.accumulatorCalcValue().isEqualToCalcValue(value), value.description().c_str());
        }
        // The menu goes with its page.
        page->buttonTimeout();
        QVERIFY(EditMenu::sharedMenu().isMenuVisible());
        page.reset();
        QVERIFY(!EditMenu::sharedMenu().isMenuVisible());
    }
};

QTEST_MAIN(DisplayViewControllerTest)
#include "DisplayViewControllerTest.moc"
