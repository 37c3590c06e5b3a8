#include <QAccessible>
#include <QKeySequence>
#include <QScrollBar>
#include <QtTest>

#include "Platform/UI/NavigationBar.h"
#include "Platform/UI/PointScale.h"
#include "Platform/UI/UIActionSheet.h"
#include "Platform/UI/UIAlertView.h"
#include "Platform/UI/UIBarButtonItem.h"
#include "Platform/UI/UIButton.h"
#include "Platform/UI/UILabel.h"
#include "Platform/UI/UITableViewModel.h"
#include "TableScreenSupport.h"
#include "screens/CalcScreenFixture.h"
#include "support/LogCapture.h"

namespace {
NavigationBar* barOf(NavigationController& stack) { return static_cast<NavigationBar*>(stack.navigationBar()); }

QAccessibleInterface* accessibleRow(UITableView& table, const QString& name) {
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&table);
    for (int child = 0; child < list->childCount(); ++child) {
        if (list->child(child)->text(QAccessible::Name) == name) return list->child(child);
    }
    return nullptr;
}

void showOnItsOwn(QWidget& screen) {
    screen.resize(320, 460);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
}

const std::vector<ProbeScreen::Section> kSettings = {
    {"Display", {"Angle", "Decimal Places", "Significant Figures"}, "Hold down the ± key"}, {"", {"Reset"}, ""}};

struct Answers : UIActionSheetDelegate, UIAlertViewDelegate {
    std::vector<int> given;
    void actionSheetClickedButtonAtIndex(UIActionSheet&, int buttonIndex) override { given.push_back(buttonIndex); }
    void alertViewClickedButtonAtIndex(UIAlertView&, int buttonIndex) override { given.push_back(buttonIndex); }
};

// "tap:N" taps button N once it has come to rest; "keys:A,B" types the named keys at once.
void answer(ModalOverlay& overlay, const QString& how) {
    const QString what = how.section(':', 1);
    if (how.startsWith("tap")) {
        QTRY_COMPARE(overlay.property("presentation").toReal(), 1.0);
        Finger::tap(overlay.buttonAtIndex(what.toInt()));
        return;
    }
    for (const QString& key : what.split(',')) Finger::type(&overlay, Qt::Key(QKeySequence(key)[0].key()));
}
}  // namespace

// The navigation stack, its tables, sheets and alerts, on throwaway screens and over the calculator.
class NavigationAndTablesTest : public QObject {
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

        Finger::type(menu, Qt::Key_Escape);
        QVERIFY(!calcStack.modalViewController());
        QVERIFY(settles(calcStack));
        QTRY_VERIFY(menuAlive.isNull());
        QCOMPARE(life.back(), std::string("Settings release"));
        Finger::type(screen.delegate->window(), "7");
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 7u);
    }

    void aTapChoosesAndADragScrolls() {
        ProbeScreen screen("History", {numberedRows("Step", 100)}, nullptr, UITableViewStyle::Plain);
        showOnItsOwn(screen);
        UITableView& table = *screen.tableView();
        const QRect second = table.rectForRowAtIndexPath({0, 2});
        Finger::tap(table.viewport(), second.center());
        QCOMPARE(screen.chosen, (std::vector<IndexPath>{{0, 2}}));
        QCOMPARE(table.indexPathForSelectedRow(), std::optional<IndexPath>(IndexPath{0, 2}));

        // A finger that moves on becomes a drag: the table follows it and nothing is chosen.
        const QPoint fifth = table.rectForRowAtIndexPath({0, 5}).center();
        Finger::press(table.viewport(), fifth);
        QCOMPARE(table.indexPathForHighlightedRow(), std::optional<IndexPath>(IndexPath{0, 5}));
        Finger::move(table.viewport(), fifth, fifth - QPoint(0, 40), 5, 0);
        QVERIFY(!table.indexPathForHighlightedRow());
        Finger::release(table.viewport(), fifth - QPoint(0, 40));
        QCOMPARE(screen.chosen.size(), size_t{1});
        QVERIFY(table.verticalScrollBar()->value() > 0);
    }

    void rowsAreAccessibleWithTheirState() {
        ProbeScreen screen("Settings", kSettings);
        screen.checkedRow = IndexPath{0, 1};
        showOnItsOwn(screen);
        UITableView& table = *screen.tableView();
        table.selectRowAtIndexPath({0, 0}, false);
        QAccessibleInterface* angle = accessibleRow(table, "Angle");
        QAccessibleInterface* places = accessibleRow(table, "Decimal Places");
        QVERIFY(angle && places);
        QVERIFY(angle->state().selected && !angle->state().checked);
        QVERIFY(places->state().checked && !places->state().selected);
        QCOMPARE(table.titleForFooterInSection(0), QStringLiteral("Hold down the ± key"));
    }

    void aBatchThatDisagreesWithTheDataSourceReloads() {
        ProbeScreen screen("Settings", kSettings);
        showOnItsOwn(screen);
        LogCapture log;
        screen.sections[0].rows.push_back("Integer Size");
        // Two rows said to be new where the data source has one more.
        screen.tableView()->insertRowsAtIndexPaths({{0, 3}, {0, 4}}, UITableViewRowAnimation::Fade);
        QCOMPARE(screen.tableView()->numberOfRowsInSection(0), size_t{4});
        QCOMPARE(screen.tableView()->cellForRowAtIndexPath({0, 3})->text, QStringLiteral("Integer Size"));
        QCOMPARE(log.lines(),
                 std::vector<std::string>{"UITableView: the updates disagree with the data source; reloading"});
    }

    // How the sheet is answered, and the index of the button it reports.
    void theSheetAnswersWithTheIndexOfTheButton() {
        for (const auto& [how, expected] : {std::pair{"tap:0", 0},  // the destructive button
                                            {"keys:Esc", 1},        // Escape cancels
                                            {"keys:Return", 1},     // Enter alone presses Cancel
                                            {"keys:Up,Enter", 0},
                                            {"keys:Tab,Tab,Space", 1}}) {  // Tab wraps round
            CalcScreenFixture screen;
            Answers answers;
            QPointer<UIActionSheet> sheet(new UIActionSheet("", &answers, "Cancel", "Clear History"));
            sheet->showInView(&screen.calc());
            QCOMPARE(sheet->buttonTitleAtIndex(sheet->destructiveButtonIndex()), QStringLiteral("Clear History"));
            QCOMPARE(sheet->cancelButtonIndex(), 1);
            // Nothing under the sheet can be reached, by hand or by keyboard.
            Finger::tap(screen.keypad().numberButton(7));
            Finger::type(&screen.calc(), "8");
            QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 0u);
            // Keys answer as soon as it comes into view, while it still slides.
            const QRect window = screen.delegate->window()->rect();
            QTRY_VERIFY(window.contains(sheet->buttonAtIndex(sheet->cancelButtonIndex())->geometry().center()));
            saveSnapshot(*screen.delegate->window(), QStringLiteral("actionSheet"));

            answer(*sheet, how);
            QCOMPARE(answers.given, std::vector<int>{expected});
            // It answers once, then goes.
            answer(*sheet, "keys:Return");
            QCOMPARE(answers.given.size(), size_t{1});
            QTRY_VERIFY(sheet.isNull());
            Finger::type(&screen.calc(), "8");
            QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 8u);
        }
    }

    void theAlertAnswersByHandAndByKeyboard() {
        CalcScreenFixture screen;
        Answers answers;
        for (const char* how : {"keys:Enter", "tap:0"}) {
            QPointer<UIAlertView> alert(new UIAlertView("Email", "Error sending Email", &answers, "OK"));
            alert->showInView(&screen.calc());
            QTRY_VERIFY(alert->buttonAtIndex(0)->isVisible());
            saveSnapshot(*screen.delegate->window(), QStringLiteral("alert"));
            answer(*alert, how);
            QTRY_VERIFY(alert.isNull());
        }
        QCOMPARE(answers.given, (std::vector<int>{0, 0}));
    }
};

QUILLET_SCREEN_TEST_MAIN(NavigationAndTablesTest)
#include "NavigationAndTablesTest.moc"
