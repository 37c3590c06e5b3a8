#include <QTest>

#include "Calculator/Operators.h"
#include "Classes/FavouritesButtonViewController.h"
#include "Classes/Notifications.h"
#include "Classes/SecondButtonViewController.h"
#include "Classes/UIButtonFavourite.h"
#include "Classes/UIPageControlReadOnly.h"
#include "Platform/Core/NotificationCenter.h"
#include "Platform/UI/Accessibility.h"
#include "Platform/UI/EditMenu.h"
#include "Platform/UI/UISegmentedControl.h"
#include "screens/CalcScreenFixture.h"
#include "screens/WidgetTestSupport.h"

Q_DECLARE_METATYPE(std::string)

namespace {

CalcValue unsignedValue(uint64_t value) { return CalcValue::calcValueWithUBaseValue(value); }
CalcValue realValue(double value) { return CalcValue::calcValueWithRealValue(value); }

// Counts the posts of one notification and keeps the last one's object and number.
struct NotificationRecorder {
    explicit NotificationRecorder(std::string_view name) {
        NotificationCenter::defaultCenter().addObserver(this, name, [this](const Notification& notification) {
            ++count;
            object = notification.object;
            if (const auto* number = std::any_cast<int32_t>(&notification.userInfo)) index = *number;
        });
    }
    ~NotificationRecorder() { NotificationCenter::defaultCenter().removeObserver(this); }
    int count = 0;
    const void* object = reinterpret_cast<const void*>(1);
    int32_t index = -1;
};

// Drags a strip sideways by the given share of its width, as a finger would.
void dragStrip(PagedScrollView* strip, double share, int stepMilliseconds = 15) {
    // The events go to the strip itself: its pages move under the finger while it drags.
    const QPoint start = strip->rect().center();
    slidePointer(strip, start, start - QPoint(static_cast<int>(strip->width() * share), 0), 10, stepMilliseconds);
}

}  // namespace

class CalcViewControllerTest : public QObject {
    Q_OBJECT

private slots:
    void keySequenceShowsOnEveryPage_data() {
        QTest::addColumn<std::string>("keys");
        QTest::addColumn<quint64>("value");
        QTest::newRow("precedence: 2+3*4= is 14") << std::string("2+3*4=") << quint64{14};
        QTest::newRow("wraps at 32 bits: 7-9= ") << std::string("7-9=") << quint64{0xFFFFFFFEu};
        QTest::newRow("entry in progress: 12+34") << std::string("12+34") << quint64{34};
    }

    void keySequenceShowsOnEveryPage() {
        QFETCH(std::string, keys);
        QFETCH(quint64, value);
        CalcScreenFixture screen;
        screen.createAllPages();
        screen.typeKeys(keys);
        for (int page = 0; page < 4; ++page) {
            const auto style = static_cast<CalcValueFormatStyle>(CalcValueFormatStyleBin + page);
            QCOMPARE(screen.lcdText(page),
                     CalcScreenFixture::text(unsignedValue(value), CalcValueFormat::withStyle(style)));
        }
        QCOMPARE(screen.lcdText(2), QString::number(value) + u'd');
    }

    void realKeySequenceShowsOnEveryPage() {
        CalcScreenFixture screen;
        screen.createAllPages();
        UISegmentedControl* control = screen.calc().segmentedControl();
        CalcScreenFixture::tap(control);  // a press on the boundary does nothing
        QTest::mouseClick(control, Qt::LeftButton, {}, control->segmentRect(0).center());
        screen.typeKeys("1.5*3=");
        for (int page = 0; page < 4; ++page) {
            QCOMPARE(screen.lcdText(page),
                     CalcScreenFixture::text(realValue(4.5),
                                             screen.calc().numberViewFormatFromCalcValueType(CalcValueTypeReal, page)));
        }
        QCOMPARE(screen.lcdText(0), QStringLiteral("4.5000"));
        // While typed, a real shows exactly the digits typed.
        screen.typeKeys("3.10");
        QCOMPARE(screen.lcdText(1), QStringLiteral("3.10"));
    }

    void keysAreEnabledByBase_data() {
        QTest::addColumn<int>("base");
        for (int base : {2, 8, 10, 16}) QTest::addRow("base %d", base) << base;
    }

    void keysAreEnabledByBase() {
        QFETCH(int, base);
        CalcScreenFixture screen;
        screen.engine->setNumberBase(base);
        NotificationCenter::defaultCenter().post(NotificationsNotificationBaseHasChanged, &screen.calc());
        for (int digit = 0; digit < 16; ++digit)
            QCOMPARE(screen.keypad().numberButton(digit)->isEnabled(), digit < base);
        QVERIFY(!screen.keypad().buttonDecimalPointKey()->isEnabled());
        QVERIFY(!screen.keypad().buttonExponentKey()->isEnabled());
    }

    void clearKeyReadsACOrC() {
        CalcScreenFixture screen;
        QCOMPARE(screen.keypad().buttonClearKey()->title(), QStringLiteral("AC"));
        screen.typeKeys("2+3");
        QCOMPARE(screen.keypad().buttonClearKey()->title(), QStringLiteral("C"));
    }

    void swipingTheDisplayChangesTheBase() {
        CalcScreenFixture screen;
        screen.createAllPages();
        QCOMPARE(screen.calc().displayPageIndex(), 2);
        NotificationRecorder baseChanged(NotificationsNotificationBaseHasChanged);
        screen.typeKeys("255");
        dragStrip(screen.calc().displayScrollView(), 0.6);
        QTRY_COMPARE(screen.engine->numberBase(), 16);
        QCOMPARE(screen.calc().displayPageIndex(), 3);
        QCOMPARE(screen.calc().displayPageControl()->currentPage(), 3);
        QCOMPARE(baseChanged.count, 1);
        QCOMPARE(baseChanged.object, static_cast<const void*>(&screen.calc()));
        QVERIFY(screen.keypad().numberButton(15)->isEnabled());
        QCOMPARE(screen.lcdText(3), QStringLiteral("FFh"));
    }

    void theDisplayFollowsTheKindOfValue() {
        CalcScreenFixture screen;
        screen.createAllPages();
        screen.engine->setNumberBase(8);
        screen.engine->enterAccumulatorCalcValue(realValue(2.5));
        QCOMPARE(screen.calc().displayPageIndex(), 3);
        QCOMPARE(screen.calc().segmentedControl()->selectedSegmentIndex(), 0);
        QCOMPARE(screen.calc().segmentedControl()->titleForSegmentAtIndex(0), QStringLiteral("● Scientific"));
        screen.engine->enterAccumulatorCalcValue(unsignedValue(9));
        QCOMPARE(screen.calc().displayPageIndex(), 1);
        QCOMPARE(screen.lcdText(1), QStringLiteral("11o"));
        QCOMPARE(screen.calc().segmentedControl()->titleForSegmentAtIndex(1), QStringLiteral("● Programmer"));
        // With a real, a swipe changes the real style and leaves the base alone.
        screen.engine->enterAccumulatorCalcValue(realValue(1234.5));
        QCOMPARE(screen.calc().displayPageIndex(), 3);
        dragStrip(screen.calc().displayScrollView(), -0.7);
        QTRY_COMPARE(screen.settings->realStyle(), 2);
        QCOMPARE(screen.engine->numberBase(), 8);
    }

    void swipingTheFavouritesKeepsThePage() {
        CalcScreenFixture screen;
        dragStrip(screen.calc().favouritesScrollView(), 0.6);
        QTRY_COMPARE(screen.settings->favouritesPageIndex(), 1);
        QCOMPARE(screen.calc().favouritesPageControl()->currentPage(), 1);
        screen.relaunch();
        QCOMPARE(screen.calc().favouritesPageIndex(), 1);
        QVERIFY(screen.calc().favouritesViewController(0) == nullptr);                            // made later
        QCOMPARE(screen.calc().favouritesViewController(1)->button(0)->operatorsOperator(), 22);  // AND
    }

    void swipingTheKeypadShowsTheSecondPage() {
        CalcScreenFixture screen;
        dragStrip(screen.calc().buttonScrollView(), 0.6);
        QTRY_COMPARE(screen.calc().buttonsPageControl()->currentPage(), 1);
        QTRY_VERIFY(!screen.calc().buttonScrollView()->isDecelerating());
        QVERIFY(screen.calc().favouritesPageControl()->isHidden());
        QVERIFY(screen.calc().secondButtonViewController()->isRedrawing());
        dragStrip(screen.calc().buttonScrollView(), -0.6);
        QTRY_COMPARE(screen.calc().buttonsPageControl()->currentPage(), 0);
        QTRY_VERIFY(!screen.calc().favouritesPageControl()->isHidden());
        QVERIFY(!screen.calc().secondButtonViewController()->isRedrawing());
        // A drag that starts on a key does not press it.
        screen.typeKeys("5");
        UIButton* seven = screen.keypad().numberButton(7);
        slidePointer(seven, seven->rect().center(), seven->rect().center() - QPoint(80, 0), 10);
        QTest::qWait(400);
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 5u);
    }

    void aStripInterruptedWhileSettlingEndsOnAPage_data() {
        QTest::addColumn<int>("strip");
        QTest::addColumn<bool>("resize");
        QTest::newRow("display, tapped") << 0 << false;
        QTest::newRow("favourites, tapped") << 1 << false;
        QTest::newRow("keypad, tapped") << 2 << false;
        QTest::newRow("display, window resized") << 0 << true;
    }

    void aStripInterruptedWhileSettlingEndsOnAPage() {
        QFETCH(int, strip);
        QFETCH(bool, resize);
        CalcScreenFixture screen;
        screen.createAllPages();
        screen.typeKeys("5");
        CalcViewController& calc = screen.calc();
        PagedScrollView* scrollView =
            std::array{calc.displayScrollView(), calc.favouritesScrollView(), calc.buttonScrollView()}[strip];
        UIPageControlReadOnly* indicator =
            std::array{calc.displayPageControl(), calc.favouritesPageControl(), calc.buttonsPageControl()}[strip];
        std::vector<QWidget*> announced;
        const Accessibility::Observer previous =
            Accessibility::setObserver([&](AccessibilityNotification kind, QWidget* widget) {
                if (kind == AccessibilityNotification::ScreenChanged) announced.push_back(widget);
            });
        const int page = scrollView->currentPage() + 1;
        dragStrip(scrollView, 0.6);
        QVERIFY(scrollView->isDecelerating());
        if (resize) {
            screen.delegate->window()->resize(600, 860);
        } else {
            QWidget* under = scrollView->childAt(scrollView->rect().center());
            CalcScreenFixture::tap(under ? under : scrollView);
        }
        QTRY_VERIFY(!scrollView->isDecelerating());
        QTest::qWait(30);
        Accessibility::setObserver(previous);

        QCOMPARE(scrollView->contentOffset().x(), static_cast<double>(page * scrollView->width()));
        QCOMPARE(indicator->currentPage(), page);
        QCOMPARE(announced.size(), size_t{1});
        // The announcement names the page now shown, for the screen reader to move to.
        QVERIFY(announced[0] != nullptr && scrollView->isAncestorOf(announced[0]));
        QCOMPARE(announced[0]->mapTo(scrollView, QPoint(0, 0)).x(), 0);
        if (strip == 0) QCOMPARE(screen.engine->numberBase(), 16);
        if (strip == 1) QCOMPARE(screen.settings->favouritesPageIndex(), 1);
        // The tap caught the strip; it pressed nothing.
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 5u);
    }

    void settingsChangesKeepTheEntry_data() {
        QTest::addColumn<std::string>("before");
        QTest::addColumn<int>("change");
        QTest::addColumn<std::string>("after");
        QTest::addColumn<quint64>("value");
        QTest::newRow("5+, the favourites spring back, 3= is 8")
            << std::string("5+") << 0 << std::string("3=") << quint64{8};
        QTest::newRow("12, the favourites turn a page, 3 is 123")
            << std::string("12") << 1 << std::string("3") << quint64{123};
        QTest::newRow("5+12, word size 8, 3= is 128") << std::string("5+12") << 2 << std::string("3=") << quint64{128};
    }

    void settingsChangesKeepTheEntry() {
        QFETCH(std::string, before);
        QFETCH(int, change);
        QFETCH(std::string, after);
        QFETCH(quint64, value);
        CalcScreenFixture screen;
        PagedScrollView* favourites = screen.calc().favouritesScrollView();
        screen.typeKeys(before);
        switch (change) {
            case 0: dragStrip(favourites, 20.0 / favourites->width(), 40); break;
            case 1: dragStrip(favourites, 0.6); break;
            default: screen.settings->setWordSize(8); break;
        }
        QTRY_VERIFY(!favourites->isDecelerating());
        screen.typeKeys(after);
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), value);
        screen.settings->setWordSize(32);
    }

    void slidingOffAKeyStopsItsHold_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("the LCD") << 0;
        QTest::newRow("a favourite") << 1;
        QTest::newRow("plus/minus") << 2;
    }

    void slidingOffAKeyStopsItsHold() {
        QFETCH(int, key);
        CalcScreenFixture screen;
        screen.typeKeys("5");
        DisplayViewController* display = screen.calc().displayViewController(2);
        FavouritesButtonViewController* bar = screen.calc().favouritesViewController(0);
        UIButtonWithHold* plusMinus = screen.keypad().buttonPlusMinusKey();
        QWidget* widget = std::array<QWidget*, 3>{display->button(), bar->button(0), plusMinus}[key];
        const auto holdIsRunning = [&] {
            return std::array{display->isTimerRunning(), bar->isTimerRunning(), plusMinus->isTimerRunning()}[key];
        };
        // Straight down off the key: too steep a move to drag its strip.
        const QPoint start = widget->rect().center();
        const QPoint below(start.x(), widget->height() + 30);
        QTest::mousePress(widget, Qt::LeftButton, {}, start);
        QVERIFY(holdIsRunning());
        movePointer(widget, start, below);
        QVERIFY(!holdIsRunning());
        QTest::mouseRelease(widget, Qt::LeftButton, {}, below);
        QVERIFY(!EditMenu::sharedMenu().isMenuVisible());
        QCOMPARE(screen.settings->integerType(), 0);
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 5u);
    }

    void segmentedControlAndHoldingPlusMinusConvert() {
        CalcScreenFixture screen;
        UISegmentedControl* control = screen.calc().segmentedControl();
        screen.typeKeys("42");
        QTest::mouseClick(control, Qt::LeftButton, {}, control->segmentRect(0).center());
        QCOMPARE(screen.engine->accumulatorCalcValue().realValue(), 42.0);
        QTest::mouseClick(control, Qt::LeftButton, {}, control->segmentRect(1).center());
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 42u);
        // Holding plus/minus turns between unsigned and signed; the release does not negate.
        UIButton* plusMinus = screen.keypad().buttonPlusMinusKey();
        holdPointer(plusMinus, 650);
        QCOMPARE(screen.settings->integerType(), 1);
        QCOMPARE(screen.engine->accumulatorCalcValue().sBaseValue(), 42);
        QCOMPARE(screen.lcdText(2), QStringLiteral("42d"));
        holdPointer(plusMinus, 650);
        QCOMPARE(screen.settings->integerType(), 0);
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 42u);
        // On a real value a hold does nothing.
        screen.engine->enterAccumulatorCalcValue(realValue(1.5));
        holdPointer(plusMinus, 650);
        QCOMPARE(screen.settings->integerType(), 0);
        QCOMPARE(screen.engine->accumulatorCalcValue().realValue(), 1.5);
    }

    void favouritesApplyEnterOrReportAHold() {
        CalcScreenFixture screen;
        screen.createAllPages();
        NotificationRecorder held(FavouritesButtonViewControllerNotificationButtonHeld);
        screen.typeKeys("3");
        CalcScreenFixture::tap(screen.calc().favouritesViewController(0)->button(0));  // <<
        QCOMPARE(screen.lcdText(2), QStringLiteral("6d"));
        FavouritesButtonViewController* bar = screen.calc().favouritesViewController(2);
        QCOMPARE(bar->pageIndex(), 2);
        holdPointer(bar->button(3), 600);
        QCOMPARE(held.count, 1);
        QCOMPARE(held.index, 13);
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 6u);  // not applied
        CalcScreenFixture::tap(bar->button(4));                            // favourite 14: 42.0
        QCOMPARE(screen.engine->accumulatorCalcValue().realValue(), 42.0);
        CalcScreenFixture::tap(bar->button(2));  // favourite 12: π
        QCOMPARE(screen.engine->accumulatorCalcValue().realValue(), 3.141592653589793);
    }

    void keyboardDrivesTheKeypadAndCopyPaste() {
        CalcScreenFixture screen;
        screen.createAllPages();
        QWidget* window = screen.delegate->window();
        QTest::keyClicks(window, "12+3*2");
        QTest::keyClick(window, Qt::Key_Return);
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 18u);
        QTest::keyClicks(window, "9/3");
        QTest::keyClick(window, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 3u);
        QTest::keyClicks(window, "44");
        QTest::keyClick(window, Qt::Key_Escape);
        // A-F are digits only where they are enabled.
        QTest::keyClicks(window, "1a-2=");
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 0xFFFFFFFFu);
        screen.calc().displayScrollView()->scrollToPage(3, false);
        QTest::keyClick(window, Qt::Key_Escape);
        QTest::keyClicks(window, "fe");
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 0xFEu);
        // Copy, clear and paste bring the value back, a real as the same real.
        for (const CalcValue& value : {unsignedValue(255), realValue(-0.125)}) {
            screen.engine->enterAccumulatorCalcValue(value);
            QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier);
            QTest::keyClick(window, Qt::Key_Escape);
            QTest::keyClick(window, Qt::Key_V, Qt::ControlModifier);
            QVERIFY(screen.engine->accumulatorCalcValue().isEqualToCalcValue(value));
        }
        QTest::keyClicks(window, "2.5e3");
        QVERIFY(screen.engine->hasExponent());
        QTest::keyClick(window, Qt::Key_Equal);
        QCOMPARE(screen.engine->accumulatorCalcValue().realValue(), 2500.0);
    }

    void keyboardTurnsTheDisplayPage() {
        CalcScreenFixture screen;
        QWidget* window = screen.delegate->window();
        QTest::keyClicks(window, "10");
        QTest::keyClick(window, Qt::Key_Left, Qt::ControlModifier);
        QTRY_COMPARE(screen.engine->numberBase(), 8);
        QCOMPARE(screen.lcdText(1), QStringLiteral("12o"));
        QTest::keyClick(window, Qt::Key_Right, Qt::ControlModifier);
        QTRY_COMPARE(screen.engine->numberBase(), 10);
        QTest::keyClick(window, Qt::Key_Right, Qt::ControlModifier);
        QTRY_COMPARE(screen.engine->numberBase(), 16);
        QTest::keyClick(window, Qt::Key_Right, Qt::ControlModifier);  // no page beyond the last
        QTest::qWait(350);
        QCOMPARE(screen.engine->numberBase(), 16);
        // A second press while the strip still moves steps on from the page it is heading to.
        QTest::keyClick(window, Qt::Key_Left, Qt::ControlModifier);
        QTest::keyClick(window, Qt::Key_Left, Qt::ControlModifier);
        QTRY_VERIFY(!screen.calc().displayScrollView()->isDecelerating());
        QCOMPARE(screen.calc().displayPageIndex(), 1);
        QCOMPARE(screen.engine->numberBase(), 8);
    }

    void desktopKeysForPlusMinusAndTheEditMenu() {
        CalcScreenFixture screen;
        UIWindow* window = screen.delegate->window();
        QTest::keyClicks(window, "7");
        QTest::keyClick(window, Qt::Key_F9, Qt::ShiftModifier);  // as holding plus/minus
        QCOMPARE(screen.settings->integerType(), 1);
        QTest::keyClick(window, Qt::Key_F9);
        QCOMPARE(screen.lcdText(2), QStringLiteral("-7d"));
        QTest::keyClick(window, Qt::Key_F9, Qt::ShiftModifier);
        QCOMPARE(screen.settings->integerType(), 0);
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 0xFFFFFFF9u);
        // A right-click on the display opens Copy and Paste at once, wherever the window puts it.
        UIButtonLCD* lcd = screen.calc().displayViewController(2)->button();
        QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, lcd->mapTo(window, lcd->rect().center()));
        QVERIFY(EditMenu::sharedMenu().isMenuVisible());
        EditMenu::sharedMenu().setMenuVisible(false, nullptr);
    }

    void historyStepsAndQuickOperatorsAreRecorded() {
        CalcScreenFixture screen;
        screen.typeKeys("1=");
        QCOMPARE(screen.store->historyStepsFetchedResultsController()->numberOfObjects(), size_t{0});
        screen.typeKeys("1+2=");
        const auto history = screen.store->historyStepsFetchedResultsController();
        QCOMPARE(history->numberOfObjects(), size_t{1});
        const auto* step = static_cast<const HistoryStep*>(history->objectAtIndexPath({0, 0}));
        QCOMPARE(step->operatorsOperator(), OperatorsOperatorAdd);
        QCOMPARE(step->generalValueResult()->style(), CalcValueFormatStyleDec);
        // A binary operator from the favourites bar (<<N) goes to the front of the quick operators.
        screen.typeKeys("1");
        CalcScreenFixture::tap(screen.calc().favouritesViewController(0)->button(2));
        screen.typeKeys("3=");
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 8u);
        const std::optional<std::vector<QuickOperator*>> quick = screen.store->quickOperators();
        QVERIFY(quick && !quick->empty());
        QCOMPARE(quick->front()->operatorsOperator(), 12);
    }

    void errorsShowOnEveryPageAndWordSizeMasks() {
        CalcScreenFixture screen;
        screen.createAllPages();
        screen.typeKeys("1/0=");
        for (int page = 0; page < 4; ++page) QCOMPARE(screen.lcdText(page), QStringLiteral("Divide by zero"));
        screen.typeKeys("C300=");
        screen.settings->setWordSize(8);
        QCOMPARE(Operators::sharedInstance().wordSize(), 8);
        QCOMPARE(screen.lcdText(2), QStringLiteral("44d"));
        screen.settings->setWordSize(32);
    }

    void pagesAreCreatedLaterAndTheMenuKeyPosts() {
        CalcScreenFixture screen;
        int displays = 0;
        for (int page = 0; page < 4; ++page) displays += screen.calc().displayViewController(page) ? 1 : 0;
        QCOMPARE(displays, 1);
        QVERIFY(screen.calc().favouritesViewController(1) == nullptr);
        screen.typeKeys("6");
        QTRY_VERIFY_WITH_TIMEOUT(!screen.calc().isLazyCreationPending(), 3000);
        for (int page = 0; page < 4; ++page) QVERIFY(screen.calc().displayViewController(page) != nullptr);
        for (int page = 0; page < 3; ++page) QVERIFY(screen.calc().favouritesViewController(page) != nullptr);
        QCOMPARE(screen.lcdText(0), QStringLiteral("110b"));
        NotificationRecorder menu(FirstButtonViewControllerNotificationMenuButton);
        CalcScreenFixture::tap(screen.keypad().buttonMenuKey());
        QCOMPARE(menu.count, 1);
        QCOMPARE(menu.object, nullptr);
    }

    void startsOnThePageOfTheBase() {
        CalcScreenFixture screen;
        screen.engine->setNumberBase(16);
        screen.typeKeys("2");
        screen.relaunch();
        QCOMPARE(screen.engine->numberBase(), 16);
        QCOMPARE(screen.calc().displayPageIndex(), 3);
        QVERIFY(!screen.calc().displayPageControl()->imageViews().empty());
        screen.engine->enterAccumulatorCalcValue(realValue(1.0));
        screen.settings->setRealStyle(2);
        screen.relaunch();
        QCOMPARE(screen.calc().displayPageIndex(), 2);
    }

    void windowKeepsItsProportions() {
        CalcScreenFixture screen;
        screen.createAllPages();
        UIWindow* window = screen.delegate->window();
        window->resize(1000, 700);
        QApplication::processEvents();
        const QRect canvas = window->canvasRect();
        QCOMPARE(canvas.height(), 700);
        QVERIFY(qAbs(canvas.width() - 700 * 320 / 460) <= 1);
        QVERIFY(qAbs(canvas.center().x() - 500) <= 1);
        QCOMPARE(screen.delegate->navigationController()->geometry(), canvas);
        // The keys follow: the keypad still works at the new scale.
        screen.typeKeys("8*8=");
        QCOMPARE(screen.lcdText(2), QStringLiteral("64d"));
        QVERIFY(window->grab().save(QDir::current().filePath("calculator-screen-wide.png")));
        window->resize(480, 690);
        screen.typeKeys("+56");
        QVERIFY(window->grab().save(QDir::current().filePath("calculator-screen.png")));
    }
};

QUILLET_SCREEN_TEST_MAIN(CalcViewControllerTest)
#include "CalcViewControllerTest.moc"
