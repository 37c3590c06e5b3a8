// A random-key soak of the calculator window: hands from a fixed seed (QUILLET_SOAK_SEED) press
// a number of keys (QUILLET_SOAK_KEYS, 100 000 by default; scripts/soak.sh runs longer) through
// the real screen: keys, favourites, the display and the strips tapped, held and swiped, the
// keyboard's shortcuts typed, the menus, settings and history opened, worked and left, text of
// every shape pasted, the window resized and the app restarted over its files. Throughout, a
// pasted value is finite and within the word size, "=" leaves an integer within the word size,
// and Copy then Paste gives back the value on every page that shows every digit of it. At the
// end no observer and no widget is left behind.
#include <QAbstractButton>
#include <QClipboard>
#include <QDebug>
#include <QElapsedTimer>
#include <QMenu>
#include <QScrollArea>
#include <map>

#include "Calculator/CalcScreenLogic.h"
#include "Calculator/Operators.h"
#include "Classes/FavouritesButtonViewController.h"
#include "Classes/IdleSaveTimer.h"
#include "Classes/SecondButtonViewController.h"
#include "Classes/UIButtonFavourite.h"
#include "Classes/UIButtonWithHold.h"
#include "Classes/UIPageControlReadOnly.h"
#include "FuzzInvariants.h"
#include "HistoryViews/HistoryViewController.h"
#include "Menus/AboutViewController.h"
#include "Platform/Core/NotificationCenter.h"
#include "Platform/UI/EditMenu.h"
#include "Platform/UI/ModalOverlay.h"
#include "Platform/UI/NavigationController.h"
#include "Platform/UI/PagedScrollView.h"
#include "Platform/UI/UISegmentedControl.h"
#include "Platform/UI/UITableView.h"
#include "SoakHands.h"
#include "screens/CalcScreenFixture.h"

namespace {

constexpr int kFrame = SoakHands::SoakHandsFrame;

long keysToPress() {
    bool ok = false;
    const long keys = qEnvironmentVariableIntValue("QUILLET_SOAK_KEYS", &ok);
    return ok && keys > 0 ? keys : 100000;
}

// From this key on (QUILLET_SOAK_TRACE_FROM), each action and the calculation it leaves are
// printed: the way to see what led to a failure the seed reproduces.
long traceFrom() {
    bool ok = false;
    const long key = qEnvironmentVariableIntValue("QUILLET_SOAK_TRACE_FROM", &ok);
    return ok ? key : -1;
}

unsigned long long seed() {
    bool ok = false;
    const unsigned long long chosen = qEnvironmentVariable("QUILLET_SOAK_SEED").toULongLong(&ok);
    return ok ? chosen : 20240607;
}

// Keys a person might type at the calculator, with the shortcuts of the README.
const QStringList kTypedKeys = QStringLiteral(
                                   "0 1 2 5 7 9 A C E F X . , + - * / = Return Enter Esc Backspace F9 Shift+F9 Ctrl+C "
                                   "Ctrl+V Ctrl+Left Ctrl+Right Ctrl+Up Ctrl+Down Ctrl+PgUp Ctrl+PgDown Ctrl+1 Ctrl+2 "
                                   "Tab Shift+Tab Space Left Right Up Down")
                                   .split(QLatin1Char(' '));
// Keys that open a screen over the calculator: the function menu, a hold, the history.
const QStringList kOpeningKeys = {"F2", "Menu", "Shift+F10", "Ctrl+H"};
// Keys for a menu, a settings list or the history; Ctrl+S is left out only because the file
// dialog it opens waits for a person.
const QStringList kMenuKeys = {"Down", "Up", "Return", "Space", "S", "Tab", "Ctrl+C", "1", "6", "Backspace"};
const QStringList kBackKeys = {"Esc", "Alt+Left"};

// Texts of every shape for the clipboard: numbers of each base and style, too large, too
// small, broken, empty, long and foreign.
const QStringList kPasteTexts =
    QStringLiteral(
        "0|42|-42d|0xFF|FFh|1010b|777o|1.5e-05|-0.125|3.14159|1e99|1e100|1e-99|1e-100|1e308|1e309|-1e309|"
        "inf|nan|0x10000000000000000|18446744073709551615|-9223372036854775809|1,5| 12 ||-|e|0x|12abc|٣|"
        "1e|--1|0b102|")
        .split(QLatin1Char('|')) +
    QStringList{QString(300, QLatin1Char('9')), QStringLiteral("1.") + QString(400, QLatin1Char('0')) + "1"};

// The offscreen platform cannot raise a popup or give it the keyboard; it says so each time the
// edit menu opens, which says nothing about the calculator.
QtMessageHandler testMessageHandler = nullptr;
void dropPlatformNotices(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
    testMessageHandler(type, context, message);
}

// Every widget but the one Qt keeps for the desktop once a popup has asked for it.
QList<QWidget*> widgetsOfTheApp() {
    QList<QWidget*> widgets = QApplication::allWidgets();
    widgets.removeIf([](const QWidget* widget) { return widget->windowType() == Qt::Desktop; });
    return widgets;
}

QString describe(const CalcValue& value) { return QString::fromStdString(value.description()); }

}  // namespace

class CalcScreenSoakTest : public QObject {
    Q_OBJECT

private slots:
    void restlessHandsLeaveTheCalculatorSound();

private:
    QWidget* window() const { return screen_->delegate->window(); }
    CalcViewController& calc() const { return screen_->calc(); }
    int wordSize() const { return Operators::sharedInstance().wordSize(); }

    // What is in front: an edit menu, a sheet or alert, a presented stack, or the calculator.
    ModalOverlay* overlayInFront() const {
        for (ModalOverlay* overlay : window()->findChildren<ModalOverlay*>()) {
            if (overlay->isVisible()) return overlay;
        }
        return nullptr;
    }
    NavigationController* stackInFront() const {
        NavigationController* stack = screen_->delegate->navigationController();
        while (auto* presented = qobject_cast<NavigationController*>(stack->modalViewController())) stack = presented;
        return stack;
    }
    bool isAnyStackMoving() const {
        for (NavigationController* stack = screen_->delegate->navigationController(); stack;
             stack = qobject_cast<NavigationController*>(stack->modalViewController())) {
            if (stack->isTransitioning()) return true;
        }
        return false;
    }
    bool isCalculatorInFront() const {
        return !EditMenu::sharedMenu().isMenuVisible() && !overlayInFront() &&
               stackInFront() == screen_->delegate->navigationController();
    }
    // The app as the soak runs it: a calculation is saved after a moment's quiet, on the wall's
    // clock (saving changes nothing the hands meet).
    void startSoon() {
        screen_->delegate->idleSaveTimer().setDelays(std::chrono::milliseconds(20), std::chrono::milliseconds(100));
        hands_->attach(window());
    }

    void actOnCalculator();
    void tapAKey();
    void actOnPresentedScreen(NavigationController& stack);
    void actOnOverlay(ModalOverlay& overlay);
    void actOnEditMenu(QMenu& menu);
    void pasteText(const QString& text);
    void pressEqualsAndCheck(QWidget* equalsKey);
    void relaunch();
    void backToTheCalculator();
    void checkCopyThenPaste();

    // What the hands did, how often and for how long in all; and what came of it.
    void note(const char* what) {
        ++done_[what].first;
        doing_ = what;
    }
    void count(const QString& what) { ++done_[what].first; }

    std::unique_ptr<SoakHands> hands_;
    std::unique_ptr<CalcScreenFixture> screen_;
    std::map<QString, std::pair<long, qint64>> done_;
    QString doing_;
};

void CalcScreenSoakTest::restlessHandsLeaveTheCalculatorSound() {
    for (const QStringList* keys : {&kTypedKeys, &kOpeningKeys, &kMenuKeys, &kBackKeys}) {
        for (const QString& key : *keys) QVERIFY2(QKeySequence(key)[0].key() != Qt::Key(0), qPrintable(key));
    }
    testMessageHandler = qInstallMessageHandler(dropPlatformNotices);
    hands_ = std::make_unique<SoakHands>(seed());
    const size_t observersBefore = NotificationCenter::defaultCenter().observerCount();
    const qsizetype widgetsBefore = widgetsOfTheApp().size();
    const long keys = keysToPress();
    const long tracedFrom = traceFrom();
    QElapsedTimer clock;
    clock.start();
    screen_ = std::make_unique<CalcScreenFixture>();
    startSoon();

    for (long key = 0; key < keys; ++key) {
        const qint64 started = clock.nsecsElapsed();
        if (QMenu* menu = EditMenu::sharedMenu().menu(); menu && menu->isVisible()) {
            actOnEditMenu(*menu);
        } else if (ModalOverlay* overlay = overlayInFront()) {
            actOnOverlay(*overlay);
        } else if (NavigationController* stack = stackInFront(); stack != screen_->delegate->navigationController()) {
            actOnPresentedScreen(*stack);
        } else {
            actOnCalculator();
        }
        done_[doing_].second += clock.nsecsElapsed() - started;
        if (tracedFrom >= 0 && key >= tracedFrom) {
            const CalcEngine& engine = *screen_->engine;
            qInfo("key %ld, %s: %s, state %d, operator %d, %d bits", key, qPrintable(doing_),
                  qPrintable(describe(engine.accumulatorCalcValue())), static_cast<int>(engine.state()),
                  static_cast<int>(engine.currOperator()), wordSize());
        }
        // A frame passes every few keys, as for quick hands. The window is drawn at one moment in
        // about fifty, whatever is happening then: drawing every press would take most of the
        // run under the sanitizers.
        if (hands_->chance(1.0 / 48)) hands_->drawWindow();
        if (key % 8 == 0) hands_->letTimePass(kFrame);
        if (key % 5000 == 4999) checkCopyThenPaste();
        if (QTest::currentTestFailed()) {
            qWarning("seed %llu, key %ld of %ld", seed(), key, keys);
            return;
        }
    }
    checkCopyThenPaste();
    hands_->drawWindow();
    if (QTest::currentTestFailed()) return;

    screen_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QString tally;
    for (const auto& [what, times] : done_) {
        tally += QStringLiteral(" %1 %2 (%3 s),").arg(what).arg(times.first).arg(times.second / 1e9, 0, 'f', 1);
    }
    qInfo("%ld keys from seed %llu in %.1f s:%s", keys, seed(), clock.elapsed() / 1000.0, qPrintable(tally));
    qInstallMessageHandler(testMessageHandler);
    QCOMPARE(NotificationCenter::defaultCenter().observerCount(), observersBefore);
    const QList<QWidget*> widgetsAfter = widgetsOfTheApp();
    for (QWidget* widget : widgetsAfter) qWarning() << "left behind:" << widget << widget->parentWidget();
    QCOMPARE(widgetsAfter.size(), widgetsBefore);
}

void CalcScreenSoakTest::actOnCalculator() {
    const int choice = hands_->roll(1000);
    if (choice < 520) {
        note("keys");
        tapAKey();
    } else if (choice < 620) {
        note("favourites");
        if (FavouritesButtonViewController* bar = calc().favouritesViewController(calc().favouritesPageIndex())) {
            hands_->tap(
                bar->button(hands_->roll(FavouritesButtonViewController::FavouritesButtonViewControllerButtonCount)));
        }
    } else if (choice < 635) {
        note("holds");
        const int which = hands_->roll(5);
        if (which < 3) {
            hands_->hold(screen_->keypad().buttonPlusMinusKey(), UIButtonWithHold::UIButtonWithHoldHoldSeconds);
        } else if (which == 3) {
            if (DisplayViewController* display = calc().displayViewController(calc().displayPageIndex())) {
                hands_->hold(display->button(), DisplayViewController::DisplayViewControllerHoldSeconds);
            }
        } else if (FavouritesButtonViewController* bar =
                       calc().favouritesViewController(calc().favouritesPageIndex())) {
            hands_->hold(bar->button(hands_->roll(5)),
                         FavouritesButtonViewController::FavouritesButtonViewControllerHoldSeconds);
        }
    } else if (choice < 655) {
        note("display taps");
        if (DisplayViewController* display = calc().displayViewController(calc().displayPageIndex())) {
            UIButton* lcd = display->button();
            if (hands_->chance(0.3)) {
                hands_->rightClick(lcd);
            } else {
                hands_->tap(lcd);
            }
        }
    } else if (choice < 755) {
        note("swipes");
        const int which = hands_->roll(10);
        hands_->swipe(which < 5   ? calc().displayScrollView()
                      : which < 8 ? calc().favouritesScrollView()
                                  : calc().buttonScrollView());
    } else if (choice < 885) {
        note("typed keys");
        const QString keys = hands_->chance(0.02) ? hands_->pick(kOpeningKeys) : hands_->pick(kTypedKeys);
        if ((keys == "Return" || keys == "Enter" || keys == "=") && !window()->focusWidget()) {
            pressEqualsAndCheck(nullptr);
        } else {
            hands_->type(keys);
        }
    } else if (choice < 915) {
        note("pastes");
        pasteText(hands_->pick(kPasteTexts));
    } else if (choice < 935) {
        note("switches");
        UISegmentedControl* control = calc().segmentedControl();
        hands_->tap(control, control->segmentRect(hands_->roll(2)).center());
    } else if (choice < 937) {
        note("history");
        hands_->tap(calc().historyButton());
    } else if (choice < 939) {
        note("menus");
        hands_->tap(screen_->keypad().buttonMenuKey());
    } else if (choice < 994) {
        // A moment passes: slides end, pages are made, the ASCII table is drawn again.
        note("pauses");
        hands_->letTimePass(kFrame * (1 + hands_->roll(60)));
    } else if (choice < 999) {
        note("resizes");
        const QSizeF canvas = UIWindow::UIWindowCanvasSize;
        const double factor = 0.75 + hands_->roll(100) / 80.0;
        window()->resize(static_cast<int>(canvas.width() * factor * (0.8 + hands_->roll(60) / 100.0)),
                         static_cast<int>(canvas.height() * factor * (0.8 + hands_->roll(60) / 100.0)));
    } else {
        note("restarts");
        relaunch();
    }
}

void CalcScreenSoakTest::tapAKey() {
    if (calc().buttonsPageControl()->currentPage() == 1 && calc().secondButtonViewController()->asciiViewController()) {
        // The ASCII table is in view: its cells are the keys.
        hands_->tap(calc().secondButtonViewController()->scrollView()->viewport());
        return;
    }
    FirstButtonViewController& keypad = screen_->keypad();
    const QList<QAbstractButton*> keys = keypad.findChildren<QAbstractButton*>();
    QAbstractButton* key = keys.at(hands_->roll(static_cast<int>(keys.size())));
    // The function menu opens now and then, not at one key in thirty.
    if (key == keypad.buttonMenuKey() && hands_->chance(0.9)) key = keypad.numberButton(hands_->roll(10));
    if (key == keypad.buttonEqualsKey()) {
        pressEqualsAndCheck(key);
    } else {
        hands_->tap(key);
    }
}

void CalcScreenSoakTest::pressEqualsAndCheck(QWidget* equalsKey) {
    if (equalsKey) {
        hands_->tap(equalsKey);
    } else {
        hands_->type(QStringLiteral("Return"));
    }
    const CalcEngine& engine = *screen_->engine;
    // A tap the strip took for the start of a swipe is no "=".
    if (engine.state() != CalcEngineStateResult || engine.currError() != OperatorsErrorNone) return;
    const CalcValue& value = engine.accumulatorCalcValue();
    QVERIFY2(FuzzInvariants::isWithinWordSize(value, wordSize()),
             qPrintable(QStringLiteral("\"=\" left %1 beyond %2 bits").arg(describe(value)).arg(wordSize())));
    QVERIFY2(value.type() != CalcValueTypeReal || std::isfinite(value.realValue()), "\"=\" left a real not finite");
}

void CalcScreenSoakTest::pasteText(const QString& text) {
    QApplication::clipboard()->setText(text);
    const std::optional<CalcValue> pasted = CalcScreenLogic::pastedCalcValueFromString(text.toStdString(), wordSize());
    if (pasted) {
        QVERIFY2(pasted->type() != CalcValueTypeReal || std::isfinite(pasted->realValue()),
                 qPrintable(QStringLiteral("pasting '%1' gives a real not finite").arg(text)));
        QVERIFY2(FuzzInvariants::isWithinWordSize(*pasted, wordSize()),
                 qPrintable(QStringLiteral("pasting '%1' goes beyond %2 bits").arg(text).arg(wordSize())));
    }
    if (hands_->chance(0.5)) {
        hands_->type(QStringLiteral("Ctrl+V"));
    } else if (DisplayViewController* display = calc().displayViewController(calc().displayPageIndex())) {
        hands_->hold(display->button(), DisplayViewController::DisplayViewControllerHoldSeconds);
    }
    if (pasted && isCalculatorInFront() && screen_->engine->accumulatorCalcValue().isEqualToCalcValue(*pasted)) {
        count(QStringLiteral("values pasted"));
    }
}

void CalcScreenSoakTest::actOnPresentedScreen(NavigationController& stack) {
    note("in menus, settings and history");
    // Mostly the hands wait for a slide to end; now and then they go on while it runs.
    if (hands_->chance(0.8) && isAnyStackMoving()) {
        // A slide that never ends would leave the stack shielded for good.
        for (int frame = 0; frame < 100 && isAnyStackMoving(); ++frame) hands_->letTimePass(kFrame);
        QVERIFY2(!isAnyStackMoving(), "a slide does not end");
        return;
    }
    QWidget* screen = stack.topViewController();
    count(QString::fromLatin1(screen->metaObject()->className()));
    if (auto* history = qobject_cast<HistoryViewController*>(screen)) {
        // The desktop's mail program and file dialog stand aside; everything else is pressed.
        history->setUrlOpener([](const QUrl&) { return true; });
        history->setSaveFileChooser([](QWidget*, const QString&) { return QString(); });
    }
    auto* table = screen->findChild<UITableView*>();
    const int choice = hands_->roll(100);
    if (choice < 20) {
        hands_->type(hands_->pick(kBackKeys));
    } else if (choice < 65 && table && table->isVisible() && table->numberOfSections() > 0) {
        const size_t section = static_cast<size_t>(hands_->roll(static_cast<int>(table->numberOfSections())));
        const size_t rows = table->numberOfRowsInSection(section);
        if (rows == 0) return;
        const IndexPath path{section, static_cast<size_t>(hands_->roll(static_cast<int>(rows)))};
        table->scrollToRowAtIndexPath(path, false);
        hands_->tap(table->viewport(), table->rectForRowAtIndexPath(path).center());
    } else if (choice < 85) {
        // A button of the screen or of its bars: back, close, done, the toolbar's.
        std::vector<QAbstractButton*> buttons;
        const auto* about = qobject_cast<AboutViewController*>(screen);
        for (QAbstractButton* button : stack.findChildren<QAbstractButton*>()) {
            if (button->isVisible() && button->isEnabled() && !(about && button == about->webButton())) {
                buttons.push_back(button);
            }
        }
        if (!buttons.empty()) hands_->tap(buttons[static_cast<size_t>(hands_->roll(static_cast<int>(buttons.size())))]);
    } else if (choice < 95 || !table) {
        hands_->type(hands_->pick(kMenuKeys));
    } else {
        hands_->swipe(table->viewport());
    }
}

void CalcScreenSoakTest::actOnOverlay(ModalOverlay& overlay) {
    note("sheets");
    if (hands_->chance(0.3)) {
        hands_->type(hands_->chance(0.5) ? QStringLiteral("Esc") : QStringLiteral("Return"));
    } else if (overlay.numberOfButtons() > 0) {
        hands_->tap(overlay.buttonAtIndex(hands_->roll(overlay.numberOfButtons())));
    }
    hands_->letTimePass(kFrame * hands_->roll(20));
}

void CalcScreenSoakTest::actOnEditMenu(QMenu& menu) {
    note("edit menus");
    const QList<QAction*> actions = menu.actions();
    if (hands_->chance(0.7) && !actions.isEmpty()) {
        QAction* action = actions.at(hands_->roll(static_cast<int>(actions.size())));
        QTest::mouseClick(menu.windowHandle(), Qt::LeftButton, {}, menu.actionGeometry(action).center());
    } else if (hands_->chance(0.5)) {
        QTest::keyClick(menu.windowHandle(), Qt::Key_Escape);
    } else {
        // A tap elsewhere closes the menu; the key under it is not pressed.
        QWidget* key = screen_->keypad().numberButton(hands_->roll(10));
        QTest::mouseClick(window()->windowHandle(), Qt::LeftButton, {},
                          hands_->inWindow(key, hands_->somewhereIn(key)));
    }
}

void CalcScreenSoakTest::relaunch() {
    backToTheCalculator();
    const CalcValue before = screen_->engine->accumulatorCalcValue();
    screen_->relaunch();
    startSoon();
    QVERIFY2(screen_->engine->accumulatorCalcValue().isEqualToCalcValue(before),
             qPrintable(QStringLiteral("%1 saved at quit came back as %2")
                            .arg(describe(before), describe(screen_->engine->accumulatorCalcValue()))));
}

void CalcScreenSoakTest::backToTheCalculator() {
    for (int attempt = 0; attempt < 20 && !isCalculatorInFront(); ++attempt) {
        if (QMenu* menu = EditMenu::sharedMenu().menu(); menu && menu->isVisible()) {
            QTest::keyClick(menu->windowHandle(), Qt::Key_Escape);
        } else {
            hands_->type(QStringLiteral("Esc"));
        }
        hands_->letTimePass(1000);
    }
    QVERIFY2(isCalculatorInFront(), "Escape does not lead back to the calculator");
    hands_->letTimePass(1000);
    QVERIFY(!calc().displayScrollView()->isDecelerating() && !calc().displayScrollView()->isDragging());
}

void CalcScreenSoakTest::checkCopyThenPaste() {
    backToTheCalculator();
    const CalcEngine& engine = *screen_->engine;
    const CalcValue value = engine.accumulatorCalcValue();
    // An exponent being typed is not folded in yet, and integer digits typed past the word size
    // are cut off only by "=": neither is a value the calculator holds yet.
    if (engine.currError() != OperatorsErrorNone || engine.hasExponent()) return;
    if (value.isInteger() && !FuzzInvariants::isWithinWordSize(value, wordSize())) return;
    screen_->createAllPages();
    for (int page = 0; page < CalcViewController::CalcViewControllerDisplayPages; ++page) {
        // While a value is being entered (a constant chosen after an operator, say) the page
        // shows it as typed, in Auto.
        CalcValueFormat format = calc().numberViewFormatFromCalcValueType(value.type(), page);
        if (engine.isEnteringValue()) {
            format = CalcScreenLogic::editingFormat(value, format, engine.decimalPointDivider(), engine.hasExponent(),
                                                    engine.exponent());
        }
        if (value.type() == CalcValueTypeReal && !FuzzInvariants::showsEveryDigit(value.realValue(), format)) continue;
        calc().showDisplayPage(page);
        QApplication::clipboard()->setText(QStringLiteral("nothing"));
        hands_->type(QStringLiteral("Ctrl+C"));
        const QString copied = QApplication::clipboard()->text();
        QVERIFY2(
            copied != QStringLiteral("nothing"),
            qPrintable(QStringLiteral("Ctrl+C copies nothing; the keys go to %1, the calculator is %2")
                           .arg(QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className()
                                                            : "no widget",
                                calc().isVisible() ? "shown" : "hidden")));
        hands_->type(QStringLiteral("Ctrl+V"));
        const CalcValue& back = engine.accumulatorCalcValue();
        QVERIFY2(back.isEqualToCalcValue(value),
                 qPrintable(QStringLiteral("%1 copied from page %2 as '%3' came back as %4")
                                .arg(describe(value))
                                .arg(page)
                                .arg(copied, describe(back))));
        count(QStringLiteral("copied and pasted back"));
    }
}

QUILLET_SCREEN_TEST_MAIN(CalcScreenSoakTest)
#include "CalcScreenSoak.moc"
