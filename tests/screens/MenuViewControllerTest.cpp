#include <QtTest>
#include <cmath>

#include "Calculator/Constants.h"
#include "Calculator/Operators.h"
#include "Classes/NumberView.h"
#include "Menus/MenuViewController.h"
#include "Menus/Menus.h"
#include "Platform/UI/ImageStore.h"
#include "TableScreenSupport.h"
#include "screens/CalcScreenFixture.h"

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

// Every selection a menu posts, in order.
struct SelectionRecorder {
    SelectionRecorder() {
        NotificationCenter::defaultCenter().addObserver(
            this, MenuViewControllerNotificationItemSelected, [this](const Notification& notification) {
                const auto* selection = std::any_cast<MenuItemSelection>(&notification.userInfo);
                QVERIFY(selection);
                selections.push_back(*selection);
            });
    }
    ~SelectionRecorder() { NotificationCenter::defaultCenter().removeObserver(this); }
    std::vector<MenuItemSelection> selections;
};

// A menu at the root of a stack on the screen, set up as the favourites bar's hold sets it up.
struct ShownMenu {
    explicit ShownMenu(std::string_view viewName, bool showCalcValue = true, bool notify = true) {
        menu = new MenuViewController(store, UITableViewStyle::Grouped);
        menu->setTitle("Functions");
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
    // Taps a row of the screen on top and lets the stack come to rest.
    void tap(IndexPath path) const {
        UITableView* table = top()->tableView();
        table->scrollToRowAtIndexPath(path, false);
        Finger::tap(table->viewport(), table->rectForRowAtIndexPath(path).center());
        QVERIFY(settles(*stack));
    }

    QTemporaryDir directory;
    CalcStore store{directory.filePath("Quillet.sqlite").toStdString()};
    MenuViewController* menu;
    std::unique_ptr<NavigationController> stack;
};

std::vector<int> rowsPerSection(UITableView& table) {
    std::vector<int> rows;
    for (size_t section = 0; section < table.numberOfSections(); ++section) {
        rows.push_back(static_cast<int>(table.numberOfRowsInSection(section)));
    }
    return rows;
}

}  // namespace

class MenuViewControllerTest : public QObject {
    Q_OBJECT

private slots:
    void theMainMenuAndTheFavouriteMenuOpenTheGroups() {
        struct Row {
            int section;
            int index;
            const char* title;
            const char* opens;
            const char* image;
        };
        const Row main[] = {
            {0, 0, "Basic", "MainBasic", "subMenuBasic.png"},
            {0, 1, "Logic", "MainLogic", "subMenuLogic.png"},
            {0, 2, "Shift", "MainShift", "subMenuShift.png"},
            {0, 3, "Rotate", "MainRotate", "subMenuRotate.png"},
            {0, 4, "Powers", "MainPowers", "subMenuPowers.png"},
            {0, 5, "Trigonometry", "MainTrigonometry", "subMenuTrigonometry.png"},
            {0, 6, "Percent", "MainPercent", "subMenuPercent.png"},
            {0, 7, "IEEE-754", "MainConvert", "subMenuFormat.png"},
            {1, 0, "Constants", "MainConstants", "subMenuConstants.png"},
            {2, 0, "Assign Favourites", "Favourites", "subMenuFavourites.png"},
            {3, 0, "Settings", "Settings", "subMenuSettings.png"},
            {3, 1, "About", "About", "subMenuAbout.png"},
        };
        const std::vector<MenuItem> mainItems = *Menus::sharedInstance().menuItemsFromViewName("Main");
        const std::vector<MenuItem> favouriteItems = *Menus::sharedInstance().menuItemsFromViewName("Favourite");
        QCOMPARE(mainItems.size(), std::size(main));
        QCOMPARE(favouriteItems.size(), size_t{9});
        for (size_t position = 0; position < mainItems.size(); ++position) {
            for (const std::vector<MenuItem>* items : {&mainItems, &favouriteItems}) {
                if (position >= items->size()) continue;
                const MenuItem& item = (*items)[position];
                QCOMPARE(item.sectionIndex, main[position].section);
                QCOMPARE(item.index, main[position].index);
                QCOMPARE(item.name, std::string(main[position].title));
                QCOMPARE(item.subMenuName, std::optional<std::string>(main[position].opens));
                QCOMPARE(item.subMenuImageName, std::optional<std::string>(main[position].image));
                QVERIFY(item.isSubMenu() && !item.calcValue && item.operatorsOperator == OperatorsOperatorNone);
                // Every icon the menus name is drawn.
                QVERIFY2(ImageStore::hasImageNamed(*item.subMenuImageName), main[position].image);
            }
        }
    }

    void operatorMenusListTheirOperatorsInOrder_data() {
        QTest::addColumn<QString>("viewName");
        QTest::addColumn<std::vector<int>>("operators");
        QTest::newRow("MainBasic") << "MainBasic" << std::vector<int>{29, 8, 6, 48, 49, 50};
        QTest::newRow("MainLogic") << "MainLogic" << std::vector<int>{28, 27, 22, 23, 24, 25, 26};
        QTest::newRow("MainShift") << "MainShift" << std::vector<int>{9, 10, 11, 12, 13};
        QTest::newRow("MainRotate") << "MainRotate" << std::vector<int>{14, 15, 16, 17};
        QTest::newRow("MainPowers: no 41") << "MainPowers" << std::vector<int>{36, 37, 38, 39, 40, 42, 43, 44, 45};
        QTest::newRow("MainTrigonometry") << "MainTrigonometry" << std::vector<int>{30, 31, 32, 33, 34, 35};
        QTest::newRow("MainPercent: 55 before 54, 53 last") << "MainPercent" << std::vector<int>{51, 52, 55, 54, 53};
        QTest::newRow("MainConvert") << "MainConvert" << std::vector<int>{56, 57, 58, 59};
    }

    void operatorMenusListTheirOperatorsInOrder() {
        QFETCH(QString, viewName);
        QFETCH(std::vector<int>, operators);
        const std::vector<MenuItem> items = *Menus::sharedInstance().menuItemsFromViewName(viewName.toStdString());
        std::vector<int> listed;
        for (size_t position = 0; position < items.size(); ++position) {
            const MenuItem& item = items[position];
            listed.push_back(item.operatorsOperator);
            QCOMPARE(item.sectionIndex, 0);
            QCOMPARE(item.index, static_cast<int32_t>(position));
            QVERIFY(item.isOperator() && item.name.empty() && !item.subMenuImageName && !item.calcValue);
            const std::string image = Operators::sharedInstance().imageFromOperator(item.operatorsOperator);
            QVERIFY2(!ImageStore::imageNamed(image).isNull(), image.c_str());
        }
        QCOMPARE(listed, operators);
    }

    void theConstantsMenuHoldsTheFiveConstants() {
        const std::vector<MenuItem> items = *Menus::sharedInstance().menuItemsFromViewName("MainConstants");
        const double expected[] = {std::exp(1.0), 9.807, 6.672e-11, std::acos(-1.0), 299792458.0};
        QCOMPARE(items.size(), std::size(expected));
        for (size_t position = 0; position < items.size(); ++position) {
            QCOMPARE(items[position].index, static_cast<int32_t>(position));
            QCOMPARE(items[position].sectionIndex, 0);
            QVERIFY(!items[position].isSubMenu() && !items[position].isOperator());
            QCOMPARE(items[position].calcValue->type(), CalcValueTypeReal);
            QCOMPARE(items[position].calcValue->realValue(), expected[position]);
            QVERIFY(Constants::sharedInstance().descriptionFromConstantCalcValue(*items[position].calcValue));
        }
    }

    void screensOfTheirOwnAndUnknownNamesHaveNoList() {
        for (const char* name : {"Settings", "About", "Favourites", "", "main", "MainCubed"}) {
            QVERIFY2(!Menus::sharedInstance().menuItemsFromViewName(name), name);
        }
    }

    void sectionsFollowTheValueRow_data() {
        QTest::addColumn<QString>("viewName");
        QTest::addColumn<bool>("showCalcValue");
        QTest::addColumn<std::vector<int>>("rows");
        QTest::newRow("main menu") << "Main" << false << std::vector<int>{8, 1, 1, 2};
        QTest::newRow("favourite menu and value") << "Favourite" << true << std::vector<int>{1, 8, 1};
        QTest::newRow("favourite menu alone") << "Favourite" << false << std::vector<int>{8, 1};
        QTest::newRow("sub-menu and value") << "MainShift" << true << std::vector<int>{1, 5};
        QTest::newRow("unknown: nothing, not even the value") << "Nowhere" << true << std::vector<int>{};
    }

    void sectionsFollowTheValueRow() {
        QFETCH(QString, viewName);
        QFETCH(bool, showCalcValue);
        QFETCH(std::vector<int>, rows);
        ShownMenu shown(viewName.toStdString(), showCalcValue);
        QCOMPARE(rowsPerSection(*shown.menu->tableView()), rows);
    }

    void rowsShowTheValueTheGroupsAndTheOperators() {
        ShownMenu shown("Favourite");
        UITableView& table = *shown.menu->tableView();
        const UITableViewCell* value = table.cellForRowAtIndexPath({0, 0});
        QCOMPARE(value->backgroundImageName, std::string("lcdBackgroundMenu.png"));
        auto* number = qobject_cast<NumberView*>(value->contentView.data());
        QVERIFY(number);
        QCOMPARE(number->displayCalcValue()->uBaseValue(), 0xBEEFu);
        QCOMPARE(number->displayFormat()->style, std::optional(CalcValueFormatStyleHex));
        QCOMPARE(number->textAlignment(), NumberTextAlignmentRight);
        QCOMPARE(value->accessibilityValue, QStringLiteral("hex BEEF"));
        const UITableViewCell* rotate = table.cellForRowAtIndexPath({1, 3});
        QCOMPARE(rotate->text, QStringLiteral("Rotate"));
        QCOMPARE(rotate->accessoryType, UITableViewCellAccessoryType::DisclosureIndicator);
        QVERIFY(!rotate->image.isNull());

        shown.tap({2, 0});
        const UITableViewCell* pi = shown.top()->tableView()->cellForRowAtIndexPath({0, 3});
        QCOMPARE(pi->text, QStringLiteral("Pi"));
        QCOMPARE(pi->image.toImage(), ImageStore::imageNamed("constantsPiDark.png").toImage());
        QCOMPARE(pi->accessoryType, UITableViewCellAccessoryType::None);
        shown.stack->popViewControllerAnimated(false);
        shown.tap({1, 7});
        const UITableViewCell* toFloat = shown.top()->tableView()->cellForRowAtIndexPath({0, 0});
        QCOMPARE(toFloat->text, QString::fromStdString(Operators::sharedInstance().descriptionFromOperator(
                                    OperatorsOperatorFloatToIEEE754)));
        QCOMPARE(toFloat->image.toImage(), ImageStore::imageNamed("operatorFloatToIEEEDark.png").toImage());
    }

    void aSubMenuKeepsTheMenuTypeAndTheSlotButNotTheValueRow() {
        ShownMenu shown("Favourite");
        shown.tap({1, 2});
        MenuViewController* shift = shown.top();
        QVERIFY(shift != shown.menu);
        QCOMPARE(shift->title(), QStringLiteral("Shift"));
        QCOMPARE(shift->viewName(), std::string("MainShift"));
        QCOMPARE(shift->menuType(), MenuViewControllerMenuTypeFavourite);
        QCOMPARE(shift->selectedFavouriteIndex(), 7);
        QVERIFY(!shift->showCalcValue());
        QVERIFY(shift->showCloseButton() && shift->notifyOnSelectionOfOperator() &&
                shift->notifyOnSelectionOfConstant());
        QCOMPARE(shift->selectedCalcValue()->uBaseValue(), 0xBEEFu);
        QCOMPARE(rowsPerSection(*shift->tableView()), std::vector<int>{5});
    }

    void eachChoicePostsOneSelectionAndLeavesTheMenuOpen() {
        ShownMenu shown("Favourite");
        SelectionRecorder recorder;
        shown.tap({1, 2});
        QVERIFY(recorder.selections.empty());
        shown.tap({0, 3});  // ">>N"
        QCOMPARE(recorder.selections.size(), size_t{1});
        MenuItemSelection chosen = recorder.selections.back();
        QCOMPARE(chosen.menuType, MenuViewControllerMenuTypeFavourite);
        QCOMPARE(chosen.operatorsOperator, std::optional(OperatorsOperatorShiftLeftN));
        QVERIFY(!chosen.calcValue);
        QCOMPARE(chosen.favouriteIndex, 7);
        QCOMPARE(shown.stack->viewControllers().size(), size_t{2});

        shown.stack->popViewControllerAnimated(false);
        shown.tap({0, 0});
        QCOMPARE(recorder.selections.size(), size_t{2});
        chosen = recorder.selections.back();
        QVERIFY(!chosen.operatorsOperator);
        QVERIFY(chosen.calcValue && chosen.calcValue->isEqualToCalcValue(CalcValue::calcValueWithUBaseValue(0xBEEF)));
        QCOMPARE(chosen.favouriteIndex, 7);

        shown.tap({2, 0});
        shown.tap({0, 4});
        QCOMPARE(recorder.selections.size(), size_t{3});
        QCOMPARE(recorder.selections.back().calcValue->realValue(), ConstantsConstantSpeedOfLight);
    }

    void withoutNotificationsAChoiceIsKeptAndTheStackReturnsToItsRoot() {
        ShownMenu shown("Main", false, false);
        SelectionRecorder recorder;
        shown.tap({0, 5});
        MenuViewController* trigonometry = shown.top();
        UITableView* table = trigonometry->tableView();
        Finger::tap(table->viewport(), table->rectForRowAtIndexPath({0, 1}).center());
        QCOMPARE(trigonometry->selectedOperatorsOperator(), OperatorsOperatorCos);
        QVERIFY(settles(*shown.stack));
        QCOMPARE(shown.stack->topViewController(), shown.menu);
        QVERIFY(recorder.selections.empty());
    }

    void anUnknownMenuShowsNothingAndIgnoresChoices() {
        ShownMenu shown("Nowhere");
        SelectionRecorder recorder;
        QCOMPARE(shown.menu->tableView()->numberOfSections(), size_t{0});
        Finger::tap(shown.menu->tableView()->viewport());
        shown.menu->tableViewDidSelectRowAtIndexPath(*shown.menu->tableView(), {1, 0});
        QVERIFY(recorder.selections.empty());
        QCOMPARE(shown.stack->viewControllers().size(), size_t{1});
    }

    void theSettingsAndAboutRowsLeadNowhereYet() {
        ShownMenu shown("Main", false);
        shown.tap({3, 0});
        shown.tap({3, 1});
        QCOMPARE(shown.stack->viewControllers().size(), size_t{1});
        QVERIFY(!shown.menu->tableView()->indexPathForSelectedRow());
    }
};

QUILLET_SCREEN_TEST_MAIN(MenuViewControllerTest)
#include "MenuViewControllerTest.moc"
