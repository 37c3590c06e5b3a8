#include <QtTest>
#include <cmath>

#include "Calculator/Operators.h"
#include "Classes/NumberView.h"
#include "Menus/MenuViewController.h"
#include "Menus/Menus.h"
#include "Platform/UI/ImageStore.h"
#include "TableScreenSupport.h"
#include "screens/CalcScreenFixture.h"
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

}  // namespace

class MenuViewControllerTest : public QObject {
    Q_OBJECT

private slots:
    void theCatalogueListsEachMenuInOrder_data() {
        QTest::addColumn<QString>("viewName");
        QTest::addColumn<QStringList>("items");
        const QStringList main = {"0.0 Basic>MainBasic subMenuBasic.png",
                                  "0.1 Logic>MainLogic subMenuLogic.png",
                                  "0.2 Shift>MainShift subMenuShift.png",
                                  "0.3 Rotate>MainRotate subMenuRotate.png",
                                  "0.4 Powers>MainPowers subMenuPowers.png",
                                  "0.5 Trigonometry>MainTrigonometry subMenuTrigonometry.png",
                                  "0.6 Percent>MainPercent subMenuPercent.png",
                                  "0.7 IEEE-754>MainConvert subMenuFormat.png",
                                  "1.0 Constants>MainConstants subMenuConstants.png",
                                  "2.0 Assign Favourites>Favourites subMenuFavourites.png",
                                  "3.0 Settings>Settings subMenuSettings.png",
                                  "3.1 About>About subMenuAbout.png"};
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
};

QUILLET_SCREEN_TEST_MAIN(MenuViewControllerTest)
#include "MenuViewControllerTest.moc"
