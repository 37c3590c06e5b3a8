#include <QtTest>
#include <cmath>

#include "Calculator/Constants.h"
#include "Calculator/Operators.h"
#include "Classes/FavouritesButtonViewController.h"
#include "Classes/Notifications.h"
#include "Classes/NumberView.h"
#include "Classes/UIButtonFavourite.h"
#include "Menus/AboutViewController.h"
#include "Menus/FavouritesViewController.h"
#include "Menus/MenuViewController.h"
#include "Menus/Menus.h"
#include "Menus/SettingsViewController.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/UISegmentedControl.h"
#include "TableScreenSupport.h"
#include "screens/CalcScreenFixture.h"
#include "support/LogCapture.h"
#include "support/NotificationLog.h"

namespace {
// An item as one line: "section.index title>opens image", "section.index #operator" or
// "section.index =value"; a line that mixes the kinds shows every field it has.
QString line(const MenuItem& item) {
    QString text = QStringLiteral("%1.%2").arg(item.sectionIndex).arg(item.index);
    if (!item.name.empty() || item.subMenuName || item.subMenuImageName) {
        text += QStringLiteral(" %1>%2 %3")
                    .arg(QString::fromStdString(item.name), QString::fromStdString(item.subMenuName.value_or("-")),
                         QString::fromStdString(item.subMenuImageName.value_or("-")));
    }
    if (item.operatorsOperator != OperatorsOperatorNone) text += QStringLiteral(" #%1").arg(item.operatorsOperator);
    if (item.calcValue) text += QStringLiteral(" =%1").arg(item.calcValue->realValue(), 0, 'g', 17);
    return text;
}

QStringList numbered(const char* kind, const std::vector<double>& entries) {
    QStringList lines;
    for (size_t position = 0; position < entries.size(); ++position) {
        lines << QStringLiteral("0.%1 %2%3").arg(position).arg(kind).arg(entries[position], 0, 'g', 17);
    }
    return lines;
}

std::vector<int> rowsPerSection(UITableView& table) {
    std::vector<int> rows;
    for (size_t section = 0; section < table.numberOfSections(); ++section) {
        rows.push_back(static_cast<int>(table.numberOfRowsInSection(section)));
    }
    return rows;
}

// A menu at the root of a stack on the screen, set up as holding favourite 7 sets it up.
struct ShownMenu {
    explicit ShownMenu(std::string_view viewName, bool showCalcValue = true, bool notify = true) {
        menu = new MenuViewController(store, UITableViewStyle::Grouped);
        menu->setViewName(viewName);
        menu->setMenuType(MenuViewControllerMenuTypeFavourite);
        menu->setSelectedFavouriteIndex(7);
        menu->setShowCalcValue(showCalcValue);
        menu->setShowCloseButton(true);
        menu->setNotifyOnSelectionOfOperator(notify);
        menu->setNotifyOnSelectionOfConstant(notify);
        menu->setSelectedCalcValue(CalcValue::calcValueWithUBaseValue(0xBEEF));
        menu->setSelectedCalcValueFormat(CalcValueFormat::withStyle(CalcValueFormatStyleHex));
        stack = std::make_unique<NavigationController>(menu);
        stack->resize(320, 460);
        stack->show();
    }
    MenuViewController* top() const { return qobject_cast<MenuViewController*>(stack->topViewController()); }
    // Scrolls the row into view and taps it, then lets the stack come to rest.
    void tap(IndexPath path, bool settle = true) const {
        tapRow(top()->tableView(), path);
        if (settle) QVERIFY(settles(*stack));
    }

    QTemporaryDir directory;
    CalcStore store{directory.filePath("Quillet.sqlite").toStdString()};
    MenuViewController* menu;
    std::unique_ptr<NavigationController> stack;
};

// The calculator window with the menus it opens, driven by the pointer and the keyboard.
struct MenuWindow : CalcScreenFixture {
    MenuWindow() { createAllPages(); }

    NavigationController* menuStack() const { return presented(); }
    template <typename Screen = MenuViewController>
    Screen* top() const {
        return menuStack() ? qobject_cast<Screen*>(menuStack()->topViewController()) : nullptr;
    }
    bool settled() const { return settles(calcStack()) && (!menuStack() || settles(*menuStack())); }
    void openFunctions() const {
        Finger::tap(keypad().buttonMenuKey());
        QVERIFY(settled());
        QVERIFY(top());
    }
    // Taps a row of the screen on top of the menu, scrolled into view first, as a hand would.
    void tapRow(IndexPath path) const {
        ::tapRow(qobject_cast<UITableViewController*>(menuStack()->topViewController())->tableView(), path);
        QVERIFY(settled());
    }
    void makeReal() const {
        UISegmentedControl* control = calc().segmentedControl();
        Finger::tap(control, control->segmentRect(0).center());
    }
    // Swipes the favourites bar to the slot's page and holds the slot's button until the menu
    // comes up.
    void holdFavourite(int index) const {
        const int page = index / 5;
        if (page != calc().favouritesPageIndex()) swipeTo(calc().favouritesScrollView(), page);
        QCOMPARE(calc().favouritesPageIndex(), page);
        UIButtonFavourite* button = calc().favouritesViewController(page)->button(index % 5);
        const QPoint centre = button->rect().center();
        Finger::press(button, centre);
        Finger::move(button, centre, centre + QPoint(2, 1), 4, 20);
        QTRY_VERIFY(menuStack() != nullptr);
        Finger::release(button, centre + QPoint(2, 1));
        QVERIFY(settled());
    }
    // With every slot sound, slot n is the n-th favourite.
    const Favourite* favourite(int index) const { return store->favourites()->at(static_cast<size_t>(index)); }
    void snapshot(const char* name) const { saveSnapshot(*window(), QString::fromLatin1(name)); }
    // Types the keys one after another, each into the screen it brings up.
    void press(std::initializer_list<Qt::Key> keys) const {
        for (Qt::Key key : keys) {
            Finger::type(window(), key);
            QVERIFY(settled());
        }
    }
};

QString description(OperatorsOperator op) {
    return QString::fromStdString(Operators::sharedInstance().descriptionFromOperator(op));
}

QImage composed(const char* foreground) {
    return FavouritesViewController::addImage(ImageStore::imageNamed("buttonFavouriteMenu.png"),
                                              ImageStore::imageNamed(foreground))
        .toImage();
}
}  // namespace

// The menus: their catalogue and rows on their own, and the function, favourite and assignment menus
// over the calculator.
class MenusTest : public QObject {
    Q_OBJECT

private slots:
    void theCatalogueListsEachMenuInOrder_data() {
        QTest::addColumn<QString>("viewName");
        QTest::addColumn<QStringList>("items");
        // clang-format off
        const QStringList main = {
            "0.0 Basic>MainBasic subMenuBasic.png",         "0.1 Logic>MainLogic subMenuLogic.png",
            "0.2 Shift>MainShift subMenuShift.png",         "0.3 Rotate>MainRotate subMenuRotate.png",
            "0.4 Powers>MainPowers subMenuPowers.png",      "0.5 Trigonometry>MainTrigonometry subMenuTrigonometry.png",
            "0.6 Percent>MainPercent subMenuPercent.png",   "0.7 IEEE-754>MainConvert subMenuFormat.png",
            "1.0 Constants>MainConstants subMenuConstants.png",
            "2.0 Assign Favourites>Favourites subMenuFavourites.png",
            "3.0 Settings>Settings subMenuSettings.png",    "3.1 About>About subMenuAbout.png"};
        // clang-format on
        QTest::newRow("Main") << "Main" << main;
        QTest::newRow("Favourite: the groups and the constants") << "Favourite" << main.mid(0, 9);
        QTest::newRow("MainBasic") << "MainBasic" << numbered("#", {29, 8, 6, 48, 49, 50});
        QTest::newRow("MainLogic") << "MainLogic" << numbered("#", {28, 27, 22, 23, 24, 25, 26});
        QTest::newRow("MainShift") << "MainShift" << numbered("#", {9, 10, 11, 12, 13});
        QTest::newRow("MainRotate") << "MainRotate" << numbered("#", {14, 15, 16, 17});
        QTest::newRow("MainPowers: no 41") << "MainPowers" << numbered("#", {36, 37, 38, 39, 40, 42, 43, 44, 45});
        QTest::newRow("MainTrigonometry") << "MainTrigonometry" << numbered("#", {30, 31, 32, 33, 34, 35});
        QTest::newRow("MainPercent: 55 before 54, 53 last") << "MainPercent" << numbered("#", {51, 52, 55, 54, 53});
        QTest::newRow("MainConvert") << "MainConvert" << numbered("#", {56, 57, 58, 59});
        QTest::newRow("MainConstants") << "MainConstants"
                                       << numbered("=",
                                                   {std::exp(1.0), 9.807, 6.672e-11, std::acos(-1.0), 299792458.0});
        for (const char* none : {"Favourites", "Settings", "About", "", "main"}) {
            QTest::addRow("no list: '%s'", none) << none << QStringList{"none"};
        }
    }

    void theCatalogueListsEachMenuInOrder() {
        QFETCH(QString, viewName);
        QFETCH(QStringList, items);
        const std::optional<std::vector<MenuItem>> listed =
            Menus::sharedInstance().menuItemsFromViewName(viewName.toStdString());
        QStringList lines;
        for (const MenuItem& item : listed.value_or(std::vector<MenuItem>{})) {
            lines << line(item);
            if (item.subMenuImageName) QVERIFY(ImageStore::hasImageNamed(*item.subMenuImageName));
        }
        QCOMPARE(listed ? lines : QStringList{"none"}, items);
    }

    void sectionsFollowTheValueRow() {
        const struct {
            const char* viewName;
            bool showCalcValue;
            std::vector<int> rows;
        } menus[] = {
            {"Main", false, {8, 1, 1, 2}},
            {"Favourite", true, {1, 8, 1}},
            {"MainShift", true, {1, 5}},
            {"Nowhere", true, {}},  // unknown: nothing, not even the value
        };
        for (const auto& menu : menus) {
            ShownMenu shown(menu.viewName, menu.showCalcValue);
            QCOMPARE(rowsPerSection(*shown.menu->tableView()), menu.rows);
        }
    }

    void rowsShowTheValueTheGroupsAndTheConstants() {
        ShownMenu shown("Favourite");
        const UITableViewCell* value = shown.menu->tableView()->cellForRowAtIndexPath({0, 0});
        QCOMPARE(value->backgroundImageName, std::string("lcdBackgroundMenu.png"));
        auto* number = qobject_cast<NumberView*>(value->contentView.data());
        QCOMPARE(CalcScreenFixture::text(*number->displayCalcValue(), *number->displayFormat()),
                 QStringLiteral("BEEFh"));
        QCOMPARE(value->accessibilityValue, QStringLiteral("hex BEEF"));
        const UITableViewCell* rotate = shown.menu->tableView()->cellForRowAtIndexPath({1, 3});
        QCOMPARE(rotate->text, QStringLiteral("Rotate"));
        QCOMPARE(rotate->image.toImage(), ImageStore::imageNamed("subMenuRotate.png").toImage());
        QCOMPARE(rotate->accessoryType, UITableViewCellAccessoryType::DisclosureIndicator);
        shown.tap({2, 0});
        const UITableViewCell* pi = shown.top()->tableView()->cellForRowAtIndexPath({0, 3});
        QCOMPARE(pi->text, QStringLiteral("Pi"));
        QCOMPARE(pi->image.toImage(), ImageStore::imageNamed("constantsPiDark.png").toImage());
    }

    void aSubMenuKeepsTypeAndSlotAndEachChoicePostsOnce() {
        ShownMenu shown("Favourite");
        NotificationLog recorder(MenuViewControllerNotificationItemSelected);
        shown.tap({1, 2});
        MenuViewController* shift = shown.top();
        QCOMPARE(shift->title(), QStringLiteral("Shift"));
        QCOMPARE(shift->menuType(), MenuViewControllerMenuTypeFavourite);
        QCOMPARE(shift->selectedFavouriteIndex(), 7);
        QVERIFY(shift->showCloseButton() && shift->notifyOnSelectionOfOperator() && !shift->showCalcValue());
        QCOMPARE(rowsPerSection(*shift->tableView()), std::vector<int>{5});
        QCOMPARE(recorder.count(), 0);
        shown.tap({0, 3});
        // The menu stays open: whoever takes the choice closes it.
        QCOMPARE(shown.stack->viewControllers().size(), size_t{2});
        shown.stack->popViewControllerAnimated(false);
        shown.tap({0, 0});
        shown.tap({2, 0});
        shown.tap({0, 4});
        QCOMPARE(recorder.count(), 3);
        const auto op = recorder.userInfo<MenuItemSelection>(0);
        QVERIFY(op.menuType == 1 && op.operatorsOperator == OperatorsOperatorShiftLeftN && !op.calcValue);
        const auto shownValue = recorder.userInfo<MenuItemSelection>(1);
        QVERIFY(!shownValue.operatorsOperator && shownValue.calcValue->uBaseValue() == 0xBEEF);
        QCOMPARE(recorder.userInfo<MenuItemSelection>(2).calcValue->realValue(), 299792458.0);
        for (int post = 0; post < 3; ++post) QCOMPARE(recorder.userInfo<MenuItemSelection>(post).favouriteIndex, 7);
    }

    void withoutNotificationsAChoiceIsKeptAndTheStackReturnsToItsRoot() {
        ShownMenu shown("Main", false, false);
        NotificationLog recorder(MenuViewControllerNotificationItemSelected);
        shown.tap({0, 5});
        MenuViewController* trigonometry = shown.top();
        shown.tap({0, 1}, false);
        QCOMPARE(trigonometry->selectedOperatorsOperator(), OperatorsOperatorCos);
        QVERIFY(settles(*shown.stack));
        QCOMPARE(shown.stack->topViewController(), shown.menu);
        QCOMPARE(recorder.count(), 0);
    }

    void functionsAndConstantsFromTheMenuActAsTheirKeys() {
        MenuWindow screen;
        screen.makeReal();
        screen.typeKeys("2");
        screen.openFunctions();
        // A larger window draws the menu larger, as sharp.
        screen.window()->resize(960, 1380);
        QTRY_COMPARE(screen.top()->tableView()->rectForRowAtIndexPath({0, 0}).height(), 132);
        screen.snapshot("menuFunctionsLarge");
        screen.tapRow({0, 4});
        screen.tapRow({0, 7});
        QVERIFY(!screen.menuStack());
        QCOMPARE(screen.lcdText(screen.calc().displayPageIndex()), QStringLiteral("1.4142135624"));
        // A constant takes the place of the value, and the pending addition takes it.
        screen.typeKeys("+");
        screen.openFunctions();
        screen.tapRow({1, 0});
        screen.tapRow({0, 3});
        QVERIFY(!screen.menuStack());
        QCOMPARE(screen.engine->accumulatorCalcValue().realValue(), std::acos(-1.0));
        screen.typeKeys("=");
        QCOMPARE(screen.engine->accumulatorCalcValue().realValue(), std::sqrt(2.0) + std::acos(-1.0));
    }

    void aChoiceIsAppliedOnce() {
        MenuWindow screen;
        screen.openFunctions();
        screen.tapRow({0, 1});
        UITableView* logic = screen.top()->tableView();
        const QPoint invert = logic->rectForRowAtIndexPath({0, 0}).center();
        LogCapture log;
        Finger::tap(logic->viewport(), invert);
        // A second tap while the menu slides away is not applied again.
        QVERIFY(screen.calcStack().isTransitioning());
        Finger::tap(logic->viewport(), invert);
        QVERIFY(screen.settled());
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 0xFFFFFFFFu);
        QCOMPARE(log.lines(), std::vector<std::string>{"menu choice ignored: no menu is open"});
    }

    void theMainMenuLeadsToTheSettingsAndAbout() {
        MenuWindow screen;
        screen.openFunctions();
        screen.tapRow({3, 0});
        QVERIFY(screen.top<SettingsViewController>());
        QCOMPARE(screen.top<SettingsViewController>()->title(), QStringLiteral("Settings"));
        // "Decimal Places", then "4": the calculator's own settings change, not another's.
        screen.tapRow({0, 1});
        screen.tapRow({0, 4});
        QCOMPARE(screen.settings->numDecimalPlaces(), 4);
        screen.press({Qt::Key_Escape, Qt::Key_Escape});
        screen.tapRow({3, 1});
        QVERIFY(screen.top<AboutViewController>());
        QCOMPARE(screen.top<AboutViewController>()->title(), QStringLiteral("About"));
    }

    void theKeyboardOpensAndDrivesTheMenus() {
        MenuWindow screen;
        screen.typeKeys("1");
        screen.press({Qt::Key_F2});
        MenuViewController* functions = screen.top();
        // Nothing typed reaches the engine while a menu is open; letters find a row.
        Finger::type(screen.window(), "7");
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
        Finger::type(screen.window(), "ro");
        QCOMPARE(functions->tableView()->indexPathForSelectedRow(), std::optional(IndexPath{0, 3}));
        screen.press({Qt::Key_Return});
        QCOMPARE(screen.top()->title(), QStringLiteral("Rotate"));
        screen.press({Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
        QVERIFY(!screen.menuStack());
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 0x80000000u);  // 1 rotated right
        // The context-menu key opens it too; Escape goes back one menu, and at the first closes.
        screen.press({Qt::Key_Menu, Qt::Key_Down, Qt::Key_Return});
        QCOMPARE(screen.top()->title(), QStringLiteral("Basic"));
        screen.press({Qt::Key_Escape});
        QCOMPARE(screen.top()->title(), QStringLiteral("Functions"));
        screen.press({Qt::Key_Escape});
        QVERIFY(!screen.menuStack());
        Finger::type(screen.window(), "7");
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 7u);
    }

    void holdingAFavouriteAssignsAnOperatorToIt() {
        MenuWindow screen;
        NotificationLog changed(NotificationsNotificationFavouritesHaveChanged);
        screen.holdFavourite(7);
        screen.tapRow({1, 1});
        screen.tapRow({0, 4});
        QVERIFY(!screen.menuStack());
        const Favourite* stored = screen.favourite(7);
        QCOMPARE(stored->operatorsOperator(), OperatorsOperatorNAND);
        QVERIFY(!stored->generalValue());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(screen.calc().favouritesViewController(1)->button(2)->operatorsOperator(), OperatorsOperatorNAND);
    }

    // Hexadecimal for an integer, Eng for a real.
    void aValueIsStoredWithTheStyleOfThePageShown() {
        for (const auto& [real, page, style] :
             {std::tuple{false, 3, CalcValueFormatStyleHex}, {true, 1, CalcValueFormatStyleEng}}) {
            MenuWindow screen;
            if (real) screen.makeReal();
            screen.typeKeys("12");
            while (screen.calc().displayPageIndex() != page) {
                const bool left = page < screen.calc().displayPageIndex();
                Finger::type(screen.window(), left ? Qt::Key_Left : Qt::Key_Right, Qt::ControlModifier);
                QTRY_VERIFY(!screen.calc().displayScrollView()->isDecelerating());
            }
            screen.holdFavourite(4);
            screen.tapRow({0, 0});
            QVERIFY(!screen.menuStack());
            const Favourite* stored = screen.favourite(4);
            QCOMPARE(stored->operatorsOperator(), OperatorsOperatorNone);
            QCOMPARE(stored->generalValue()->style(), std::optional(style));
            QVERIFY(CalcStore::calcValueFromGeneralValue(*stored->generalValue())
                        ->isEqualToCalcValue(screen.engine->accumulatorCalcValue()));
        }
    }

    void theAssignmentScreenShowsEverySlotAndAssignsOne() {
        MenuWindow screen;
        // Slot 3 holds equals, which no favourite can: the store leaves it out, and it shows empty.
        (*screen.store->favourites())[3]->setValue(int32_t{OperatorsOperatorEquals}, CalcStoreFavouriteKeyOperator);
        screen.store->saveChanges();
        screen.openFunctions();
        screen.tapRow({2, 0});
        auto* favourites = screen.top<FavouritesViewController>();
        QVERIFY(favourites);
        QCOMPARE(favourites->title(), QStringLiteral("Favourites"));
        UITableView& table = *favourites->tableView();
        table.scrollToRowAtIndexPath({2, 4}, false);
        screen.snapshot("menuAssignFavourites");
        QCOMPARE(table.numberOfSections(), size_t{3});
        const UITableViewCell* shiftLeft = table.cellForRowAtIndexPath({0, 0});
        QCOMPARE(shiftLeft->text, description(OperatorsOperatorShiftLeft));
        QCOMPARE(shiftLeft->image.toImage(), composed("operatorShiftLeftDark.png"));
        const UITableViewCell* pi = table.cellForRowAtIndexPath({2, 2});
        QCOMPARE(pi->text, CalcScreenFixture::text(CalcValue::calcValueWithRealValue(3.141592653589793),
                                                   CalcValueFormat::withStyle(CalcValueFormatStyleAuto)));
        QCOMPARE(pi->image.toImage(), composed("constantsPiDark.png"));
        QCOMPARE(table.cellForRowAtIndexPath({2, 4})->image.toImage(), composed("constantsConstDark.png"));
        QCOMPARE(table.cellForRowAtIndexPath({0, 3})->text, QStringLiteral("Empty"));

        // The empty slot can be filled again.
        screen.tapRow({0, 3});
        screen.tapRow({1, 2});
        screen.tapRow({0, 0});
        QVERIFY(!screen.menuStack());
        QCOMPARE(screen.store->favourites()->size(), size_t{15});
        QCOMPARE(screen.favourite(3)->operatorsOperator(), OperatorsOperatorShiftLeft);
        screen.openFunctions();
        screen.tapRow({2, 0});
        screen.tapRow({1, 0});
        screen.tapRow({2, 0});
        screen.tapRow({0, 1});
        QVERIFY(CalcStore::calcValueFromGeneralValue(*screen.favourite(5)->generalValue())
                    ->isEqualToCalcValue(CalcValue::calcValueWithRealValue(ConstantsConstantEarthGravity)));
        // A real stored while an integer shows in decimal takes the real style of that page.
        QCOMPARE(screen.favourite(5)->generalValue()->style(), std::optional(CalcValueFormatStyleSci));
    }

    void composingScalesTheForegroundToTheBackgroundsWidth() {
        QPixmap red(QSize(60, 40));
        red.fill(Qt::red);
        QPixmap blue(QSize(30, 10));
        blue.fill(Qt::blue);
        const QImage pixels =
            FavouritesViewController::addImage(Image(red, QSizeF(60, 40)), Image(blue, QSizeF(30, 10))).toImage();
        const qreal scale = ImageStore::currentScale();
        QCOMPARE(pixels.size(), (QSizeF(60, 40) * scale).toSize());
        QCOMPARE(QColor(pixels.pixel(qRound(59 * scale), qRound(19 * scale))), QColor(Qt::blue));
        QCOMPARE(QColor(pixels.pixel(qRound(1 * scale), qRound(21 * scale))), QColor(Qt::red));
    }
};

QUILLET_SCREEN_TEST_MAIN(MenusTest)
#include "MenusTest.moc"
