#include <QAccessible>
#include <QtTest>

#include "Platform/UI/FlipTransitionView.h"
#include "Platform/UI/NavigationBar.h"
#include "Platform/UI/PointScale.h"
#include "Platform/UI/UIBarButtonItem.h"
#include "Platform/UI/UILabel.h"
#include "Platform/UI/UIToolbar.h"
#include "TableScreenSupport.h"
#include "screens/CalcScreenFixture.h"
#include "support/LogCapture.h"

namespace {

NavigationBar* barOf(NavigationController& stack) { return static_cast<NavigationBar*>(stack.navigationBar()); }

}  // namespace

class NavigationControllerTest : public QObject {
    Q_OBJECT

private slots:
    void pushSlidesInAndTheWayBackReleasesTheScreen() {
        std::vector<std::string> life;
        auto* root = new ProbeScreen("Functions", {numberedRows("Item", 3)}, &life);
        NavigationController stack(root);
        stack.resize(480, 690);
        stack.show();
        QVERIFY(QTest::qWaitForWindowExposed(&stack));
        auto* shift = new ProbeScreen("Shift", {numberedRows("Shift", 5)}, &life);
        QPointer<ProbeScreen> shiftAlive(shift);
        stack.pushViewController(shift, true);
        // The new screen comes in from the right.
        QVERIFY(stack.isTransitioning());
        QCOMPARE(shift->x(), stack.width());
        QVERIFY(settles(stack));
        const int bar = qRound(PointScale::pixelsFromPoints(NavigationController::NavigationControllerBarHeight));
        QCOMPARE(shift->geometry(), QRect(0, bar, 480, 690 - bar));
        QVERIFY(!root->isVisible());
        QCOMPARE(barOf(stack)->title(), QStringLiteral("Shift"));
        QVERIFY(barOf(stack)->backButton()->isVisible());
        QCOMPARE(barOf(stack)->backButton()->title(), QStringLiteral("Functions"));

        Finger::tap(barOf(stack)->backButton());
        // The screen below comes back from the left.
        QCOMPARE(root->x(), -stack.width());
        QVERIFY(settles(stack));
        QTRY_VERIFY(shiftAlive.isNull());
        QCOMPARE(stack.topViewController(), root);
        QVERIFY(!barOf(stack)->backButton()->isVisible());
        QCOMPARE(life, (std::vector<std::string>{"Functions load", "Shift load", "Functions willDisappear",
                                                 "Shift willAppear", "Functions didDisappear", "Shift didAppear",
                                                 "Shift willDisappear", "Functions willAppear", "Shift didDisappear",
                                                 "Shift release", "Functions didAppear"}));
    }

    void popToRootSkipsTheScreensBetween() {
        NavigationController stack(new ProbeScreen("A", {}));
        stack.resize(320, 460);
        stack.show();
        for (const char* title : {"B", "C", "D"}) stack.pushViewController(new ProbeScreen(title, {}), true);
        QCOMPARE(stack.viewControllers().size(), size_t{4});
        // Each push ended the slide before it; this pop ends the last one.
        stack.popToRootViewControllerAnimated(true);
        QCOMPARE(stack.viewControllers().size(), size_t{1});
        QCOMPARE(barOf(stack)->title(), QStringLiteral("A"));
        QVERIFY(settles(stack));
        QCOMPARE(stack.popViewControllerAnimated(true), nullptr);
    }

    void aPresentedStackCoversTheCalculatorAndHasItsKeys() {
        CalcScreenFixture screen;
        NavigationController& calcStack = *screen.delegate->navigationController();
        std::vector<std::string> life;
        auto* menu = new ProbeScreen("Settings", {numberedRows("Row", 3)}, &life);
        auto* menuStack = new NavigationController(menu);
        QPointer<NavigationController> menuAlive(menuStack);
        menu->navigationItem()->setRightBarButtonItem(new UIBarButtonItem("Done", UIBarButtonItemStyle::Done));
        calcStack.presentModalViewController(menuStack, true);
        // It slides up from the bottom.
        QCOMPARE(menuStack->y(), calcStack.height());
        Finger::type(menu, Qt::Key_8);
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 0u);
        QVERIFY(settles(calcStack));
        QCOMPARE(menuStack->geometry(), calcStack.rect());
        // One presented stack at a time: a second is dropped.
        QPointer<QWidget> second(new ProbeScreen("Second", {}));
        {
            LogCapture log;
            calcStack.presentModalViewController(second, true);
            QCOMPARE(log.lines(),
                     std::vector<std::string>{"NavigationController: already presenting, the new screen is dropped"});
        }
        QCOMPARE(calcStack.modalViewController(), menuStack);
        QTRY_VERIFY(second.isNull());
        saveSnapshot(*screen.delegate->window(), QStringLiteral("presentedTable"));

        // Escape goes back one screen, and at the root closes the stack.
        menuStack->pushViewController(new ProbeScreen("Sub", {numberedRows("Sub", 2)}), false);
        Finger::type(menu, Qt::Key_Escape);
        QVERIFY(settles(*menuStack));
        QCOMPARE(menuStack->topViewController(), menu);
        Finger::type(menu, Qt::Key_Escape);
        QVERIFY(!calcStack.modalViewController());
        QVERIFY(settles(calcStack));
        QTRY_VERIFY(menuAlive.isNull());
        QCOMPARE(life.back(), std::string("Settings release"));
        Finger::type(screen.delegate->window(), "7");
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 7u);
    }

    void theFlipTurnsOverAndBackAndFollowsTheWindow() {
        CalcScreenFixture screen;
        NavigationController& calcStack = *screen.delegate->navigationController();
        auto* history = new NavigationController(new ProbeScreen("History", {numberedRows("Step", 40)}));
        calcStack.presentModalViewController(history, true, ModalTransitionStyle::FlipHorizontal);
        QPointer<FlipTransitionView> flip(calcStack.findChild<FlipTransitionView*>());
        QVERIFY(flip && flip->isVisible());
        QVERIFY(calcStack.isTransitioning());
        QVERIFY(settles(calcStack));
        QTRY_VERIFY(flip.isNull());
        QVERIFY(history->isVisible());
        screen.delegate->window()->resize(640, 700);
        QCOMPARE(history->geometry(), calcStack.rect());
        // The rows follow the window's new scale.
        UITableView* steps = history->topViewController()->findChild<UITableView*>();
        QTRY_COMPARE(steps->rectForRowAtIndexPath({0, 0}).height(), qRound(PointScale::pixelsFromPoints(44)));
        // The history's own way back: its root closes it, flipping back.
        steps->setFocus();
        Finger::type(history, Qt::Key_Escape);
        QVERIFY(calcStack.findChild<FlipTransitionView*>());
        QVERIFY(settles(calcStack));
        QVERIFY(!calcStack.modalViewController());
    }

    void theToolbarSharesItsRoomAmongItsSpaces() {
        UIToolbar toolbar;
        toolbar.resize(qRound(PointScale::pixelsFromPoints(320)), qRound(PointScale::pixelsFromPoints(44)));
        auto* clear = new UIBarButtonItem("Clear", UIBarButtonItemStyle::Bordered);
        auto* mail = new UIBarButtonItem("Mail", UIBarButtonItemStyle::Bordered);
        auto* close = new UIBarButtonItem("Close", UIBarButtonItemStyle::Done);
        toolbar.setItems({clear, nullptr, mail, nullptr, close});
        const int edge = qRound(PointScale::pixelsFromPoints(6));
        QCOMPARE(clear->x(), edge);
        QVERIFY(std::abs(toolbar.width() - edge - (close->x() + close->width())) <= 1);
        QVERIFY(std::abs((mail->x() - clear->x() - clear->width()) - (close->x() - mail->x() - mail->width())) <= 1);
        // A header label is read as its text.
        UILabel today("Today");
        QCOMPARE(QAccessible::queryAccessibleInterface(&today)->text(QAccessible::Name), QStringLiteral("Today"));
    }

    void observationsEndWithTheScreen() {
        int heard = 0;
        auto* probe = new ProbeScreen("Probe", {});
        probe->observe("ProbeNotification", [&](const Notification&) { ++heard; });
        NotificationCenter::defaultCenter().post("ProbeNotification");
        probe->releaseAll();
        NotificationCenter::defaultCenter().post("ProbeNotification");
        QCOMPARE(heard, 1);
        delete probe;
    }
};

QUILLET_SCREEN_TEST_MAIN(NavigationControllerTest)
#include "NavigationControllerTest.moc"
