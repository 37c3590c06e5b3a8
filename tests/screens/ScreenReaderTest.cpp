#include <QAccessible>
#include <QContextMenuEvent>
#include <QTranslator>
#include <QtTest>
#include <functional>

#include "CalcScreenFixture.h"
#include "Classes/ASCIIViewController.h"
#include "Classes/FavouritesButtonViewController.h"
#include "Classes/SecondButtonViewController.h"
#include "Classes/UIButtonASCIITable.h"
#include "Classes/UIButtonFavourite.h"
#include "Classes/UIPageControlReadOnly.h"
#include "Platform/Core/Localized.h"
#include "Platform/UI/Accessibility.h"
#include "Platform/UI/EditMenu.h"
#include "Platform/UI/LocalizedQt.h"
#include "Platform/UI/PagedScrollView.h"
#include "Platform/UI/UIAlertView.h"
#include "Platform/UI/UIButton.h"
#include "Platform/UI/UISegmentedControl.h"
#include "Platform/UI/UITableViewModel.h"
#include "Platform/UI/UIWindow.h"
#include "TableScreenSupport.h"
#include "support/NotificationLog.h"

namespace {
// Qt sends no accessibility event on the offscreen platform; what reaches a screen reader over
// the bus is checked by tests/a11y/quillet_atspi.sh. Here the tree is read as a reader reads it.
QAccessibleInterface* element(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

// Stands in for a loaded translation: one text in French.
class FrenchTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char*, int) const override {
        if (QByteArray(context) == LocalizedQt::LocalizedQtContext && QByteArray(sourceText) == "Divide by zero") {
            return QStringLiteral("Division par z\u00e9ro");
        }
        return {};
    }
    bool isEmpty() const override { return false; }
};

struct AccessibilityActive {
    AccessibilityActive() { QAccessible::setActive(true); }
    ~AccessibilityActive() { QAccessible::setActive(false); }
};
}  // namespace

class ScreenReaderTest : public QObject {
    Q_OBJECT

    UIButtonLCD* shownLCD(CalcScreenFixture& screen) {
        return screen.calc().displayViewController(screen.calc().displayScrollView()->targetPage())->button();
    }
    // A key pressed on the physical keyboard, as it arrives: at the control that has the focus.
    static void press(CalcScreenFixture& screen, int key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : screen.delegate->window(), static_cast<Qt::Key>(key), modifiers);
    }

private slots:
    void theLcdItsCornersAndAPageTurnAreHeard() {
        CalcScreenFixture screen;
        Announcements announcements;
        screen.typeKeys("255+");
        UIButtonLCD* decimal = shownLCD(screen);
        // One static text of its own, its value the text a reader reads out over the Linux bridge.
        QAccessibleInterface* display = element(decimal);
        QCOMPARE(display->role(), QAccessible::StaticText);
        QCOMPARE(display->childCount(), 0);
        QCOMPARE(display->text(QAccessible::Name), QStringLiteral("LCD"));
        QCOMPARE(display->textInterface()->text(0, display->textInterface()->characterCount()),
                 QStringLiteral("decimal 255"));
        QCOMPARE(display->text(QAccessible::Description), QStringLiteral("UINT32, Add pending"));
        // Ctrl+Right turns to the hexadecimal page; once it rests, the reader moves to its LCD.
        press(screen, Qt::Key_Right, Qt::ControlModifier);
        QTRY_COMPARE(screen.calc().displayScrollView()->isDecelerating(), false);
        UIButtonLCD* hex = shownLCD(screen);
        QCOMPARE(element(hex)->text(QAccessible::Value), QStringLiteral("hex FF"));
        QCOMPARE(announcements.screenChanges, std::vector<QWidget*>{hex});
        QCOMPARE(element(screen.calc().displayPageControl())->text(QAccessible::Name),
                 QStringLiteral("Hexadecimal, page 4 of 4"));
    }

    void pagesOutOfViewAreNotShowing() {
        CalcScreenFixture screen;
        screen.createAllPages();
        QApplication::processEvents();
        CalcViewController& calc = screen.calc();
        const auto showing = [](QWidget* widget) { return !element(widget)->state().invisible; };
        for (int page = 0; page < 4; ++page) QCOMPARE(showing(calc.displayViewController(page)->button()), page == 2);
        for (int page = 0; page < 3; ++page)
            QCOMPARE(showing(calc.favouritesViewController(page)->button(0)), page == 0);
        QCOMPARE(element(calc.displayPageControl())->text(QAccessible::Name), QStringLiteral("Decimal, page 3 of 4"));
        QCOMPARE(element(calc.favouritesPageControl())->text(QAccessible::Name),
                 QStringLiteral("Favourites, page 1 of 3"));
        QCOMPARE(element(calc.buttonsPageControl())->text(QAccessible::Name), QStringLiteral("Keypad, page 1 of 2"));

        // Half-way through a drag both pages are partly seen; once it rests only the new one.
        PagedScrollView* strip = calc.displayScrollView();
        const QPoint from(strip->width() * 3 / 4, strip->height() / 2);
        const QPoint to(strip->width() / 4, strip->height() / 2);
        Finger::press(strip, from);
        Finger::move(strip, from, to);
        QVERIFY(showing(calc.displayViewController(2)->button()));
        QVERIFY(showing(calc.displayViewController(3)->button()));
        Finger::release(strip, to);
        QTRY_VERIFY(!strip->isDecelerating() && !showing(calc.displayViewController(2)->button()));
        QVERIFY(showing(calc.displayViewController(3)->button()));
    }

    void tabVisitsTheControlsInReadingOrderAndSpaceOrEnterPresses() {
        CalcScreenFixture screen;
        QVERIFY(QTest::qWaitForWindowActive(screen.delegate->window()));
        const QStringList expected =
            QStringLiteral(
                "Scientific or Programmer|History|LCD|Favourite|Favourite|Favourite|Favourite|Favourite|"
                "Clear|Divide|Functions|Multiply|7|8|9|Subtract|4|5|6|Plus minus|Add|1|2|3|Equals|0")
                .split('|');
        QStringList forward;
        for (int step = 0; step <= expected.size(); ++step) {
            press(screen, Qt::Key_Tab);
            forward << QApplication::focusWidget()->accessibleName();
        }
        QCOMPARE(forward, expected + QStringList{expected.front()});
        press(screen, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->accessibleName(), expected.back());

        // The focused key wears a ring.
        UIButton* seven = screen.keypad().numberButton(7);
        seven->setFocus(Qt::TabFocusReason);
        saveSnapshot(*screen.delegate->window(), QStringLiteral("focus-ring"));
        const QImage ringed = seven->grab().toImage();
        seven->clearFocus();
        QVERIFY(seven->grab().toImage() != ringed);

        seven->setFocus(Qt::TabFocusReason);
        press(screen, Qt::Key_Space);
        screen.keypad().buttonAddKey()->setFocus(Qt::TabFocusReason);
        press(screen, Qt::Key_Return);
        QTRY_VERIFY(screen.engine->currOperator() == OperatorsOperatorAdd);
        press(screen, Qt::Key_2);
        // With nothing focused Enter is equals.
        QApplication::focusWidget()->clearFocus();
        press(screen, Qt::Key_Enter);
        QCOMPARE(element(shownLCD(screen))->text(QAccessible::Value), QStringLiteral("decimal 9"));

        press(screen, Qt::Key_1, Qt::ControlModifier);
        QCOMPARE(screen.engine->accumulatorCalcValue().type(), CalcValueTypeReal);
        press(screen, Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(screen.engine->accumulatorCalcValue().type(), CalcValueTypeUBase);
    }

    void theAsciiTableIsReachedFromTheKeyboard() {
        CalcScreenFixture screen;
        QVERIFY(QTest::qWaitForWindowActive(screen.delegate->window()));
        PagedScrollView* keypad = screen.calc().buttonScrollView();
        press(screen, Qt::Key_Down, Qt::ControlModifier);
        QTRY_VERIFY(keypad->currentPage() == 1 && !keypad->isDecelerating());
        UIButtonASCIITable* table =
            screen.calc().secondButtonViewController()->asciiViewController()->asciiTableButton();
        for (int step = 0; step < 40 && QApplication::focusWidget() != table; ++step) press(screen, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), table);
        // From the cell of the value shown (0): one to the right, one row down, entered.
        press(screen, Qt::Key_Right);
        press(screen, Qt::Key_Down);
        QCOMPARE(table->selectedASCIIValue(), 9);
        press(screen, Qt::Key_Return);
        QTRY_COMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 9u);
        // A screen reader turns the strip back with its action.
        element(keypad)->actionInterface()->doAction(QAccessibleActionInterface::scrollLeftAction());
        QTRY_VERIFY(keypad->currentPage() == 0 && !keypad->isDecelerating());
    }

    void everyAccessibleActionDoesWhatTheHandDoes() {
        CalcScreenFixture screen;
        CalcViewController& calc = screen.calc();
        NotificationLog held(FavouritesButtonViewControllerNotificationButtonHeld);
        calc.secondButtonViewController()->createASCIITable();
        UIButtonASCIITable* ascii = calc.secondButtonViewController()->asciiViewController()->asciiTableButton();
        QAccessibleInterface* segments = element(calc.segmentedControl());
        QCOMPARE(segments->childCount(), 2);
        QCOMPARE(segments->child(1)->role(), QAccessible::RadioButton);
        QVERIFY(segments->child(1)->state().checked && !segments->child(0)->state().checked);

        const struct {
            const char* what;
            QAccessibleInterface* target;
            QString action;
            std::function<bool()> done;
        } cases[] = {
            {"a key is pressed", element(screen.keypad().numberButton(7)), QAccessibleActionInterface::pressAction(),
             [&] { return element(shownLCD(screen))->text(QAccessible::Value) == "decimal 7"; }},
            {"± held switches to signed", element(screen.keypad().buttonPlusMinusKey()), "Switch signed and unsigned",
             [&] { return screen.settings->integerType() == 1; }},
            {"the LCD held opens Copy and Paste", element(shownLCD(screen)), "Copy and Paste",
             [] { return EditMenu::sharedMenu().isMenuVisible(); }},
            {"a favourite held is to be assigned", element(calc.favouritesViewController(0)->button(3)),
             "Assign favourite", [&] { return held.count() == 1 && held.userInfo<int32_t>(0) == 3; }},
            {"Scientific chosen", segments->child(0), QAccessibleActionInterface::pressAction(),
             [&] { return screen.engine->accumulatorCalcValue().type() == CalcValueTypeReal; }},
            {"an ASCII cell pressed enters its code", element(ascii)->child(65),
             QAccessibleActionInterface::pressAction(),
             [&] { return screen.engine->accumulatorCalcValue().realValue() == 65.0; }},
        };
        for (const auto& step : cases) {
            QVERIFY2(step.target->actionInterface()->actionNames().contains(step.action), step.what);
            step.target->actionInterface()->doAction(step.action);
            QVERIFY2(step.done(), step.what);
        }
        EditMenu::sharedMenu().setMenuVisible(false, nullptr);
    }

    void theKeyboardHoldsTheFocusedKey() {
        CalcScreenFixture screen;
        QVERIFY(QTest::qWaitForWindowActive(screen.delegate->window()));
        UIButtonWithHold* plusMinus = screen.keypad().buttonPlusMinusKey();
        plusMinus->setFocus(Qt::TabFocusReason);
        press(screen, Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(screen.settings->integerType(), 1);
        // The context-menu key comes as a key press and then a menu request, as X11 sends them:
        // it holds the focused key and opens no function menu.
        QTest::keyClick(screen.delegate->window()->windowHandle(), Qt::Key_Menu);
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, plusMinus->rect().center(),
                                  plusMinus->mapToGlobal(plusMinus->rect().center()));
        QApplication::sendEvent(plusMinus, &menuKey);
        QCOMPARE(screen.settings->integerType(), 0);
        QVERIFY(!screen.delegate->navigationController()->modalViewController());
    }

    void aScreenPushedOrPresentedIsHeardWhereTheKeyboardLands() {
        AccessibilityActive active;
        UIWindow window;
        auto* stack = new NavigationController(new ProbeScreen("Menu", {numberedRows("Row", 2)}));
        window.addSubview(stack);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* choices = new ProbeScreen("Word size", {numberedRows("Bits", 3)});
        auto* sheet = new ProbeScreen("About", {numberedRows("Line", 1)});
        {
            Announcements announcements;
            stack->pushViewController(choices, false);
            stack->presentModalViewController(new NavigationController(sheet), false);
            QCOMPARE(announcements.screenChanges, (std::vector<QWidget*>{choices->tableView(), sheet->tableView()}));
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(choices)->text(QAccessible::Name), QStringLiteral("Word size"));
        // The first row is current, so that a reader lands on it.
        UITableViewModel* rows = choices->tableView()->tableModel();
        QVERIFY(rows->indexPathForRow(choices->tableView()->currentIndex().row()) == (IndexPath{0, 0}));

        // An alert over it is a dialog with its title and message; the reader lands on its button.
        Announcements announcements;
        auto* alert = new UIAlertView("Email", "Error sending Email", nullptr, "OK");
        alert->showInView(sheet);
        QAccessibleInterface* dialog = QAccessible::queryAccessibleInterface(alert);
        QCOMPARE(dialog->role(), QAccessible::Dialog);
        QCOMPARE(dialog->text(QAccessible::Description), QStringLiteral("Error sending Email"));
        QCOMPARE(announcements.screenChanges, std::vector<QWidget*>{alert->buttonAtIndex(0)});
        QCOMPARE(QAccessible::queryAccessibleInterface(alert->buttonAtIndex(0))->text(QAccessible::Name),
                 QStringLiteral("OK"));
    }

    void textsGoThroughQtTranslationWithTheEnglishAsKey() {
        LocalizedQt::install();
        QCOMPARE(QString::fromStdString(Localized::string("Divide by zero")), QStringLiteral("Divide by zero"));
        FrenchTranslator french;
        QCoreApplication::installTranslator(&french);
        QCOMPARE(QString::fromStdString(Localized::string("Divide by zero")), QStringLiteral("Division par z\u00e9ro"));
        // A text without translation stays English.
        QCOMPARE(QString::fromStdString(Localized::string("LCD")), QStringLiteral("LCD"));
        QCoreApplication::removeTranslator(&french);
        Localized::setTranslator(nullptr);
    }
};

QUILLET_SCREEN_TEST_MAIN(ScreenReaderTest)
#include "ScreenReaderTest.moc"
