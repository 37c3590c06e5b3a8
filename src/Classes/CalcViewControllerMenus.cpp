#include "Classes/CalcViewControllerMenus.h"

#include <algorithm>

#include "Calculator/CalcEngine.h"
#include "Classes/CalcViewController.h"
#include "Classes/FavouritesButtonViewController.h"
#include "Classes/FirstButtonViewController.h"
#include "Classes/Notifications.h"
#include "Menus/MenuViewController.h"
#include "Menus/Menus.h"
#include "Model/CalcStore.h"
#include "Platform/Core/FatalAssert.h"
#include "Platform/Core/Localized.h"
#include "Platform/Core/Log.h"
#include "Platform/UI/NavigationController.h"

namespace {

constexpr const char* kSource = "Classes/CalcViewControllerMenus";

}  // namespace

CalcViewControllerMenus::CalcViewControllerMenus(CalcViewController& calcViewController, CalcEngine& engine,
                                                 CalcStore& store, UserSettings& settings)
    : QObject(&calcViewController),
      calcViewController_(calcViewController),
      engine_(engine),
      store_(store),
      settings_(settings),
      menuButtonObserver_(FirstButtonViewControllerNotificationMenuButton,
                          [this](const Notification&) { menuButtonPressed(); }),
      buttonHeldObserver_(FavouritesButtonViewControllerNotificationButtonHeld,
                          [this](const Notification& notification) {
                              if (const auto* index = std::any_cast<int32_t>(&notification.userInfo)) {
                                  favouritesButtonHeld(*index);
                              }
                          }),
      itemSelectedObserver_(MenuViewControllerNotificationItemSelected, [this](const Notification& notification) {
          if (const auto* selection = std::any_cast<MenuItemSelection>(&notification.userInfo)) {
              menuItemSelected(*selection);
          }
      }) {}

int CalcViewControllerMenus::displayPage() const {
    return std::clamp(calcViewController_.displayPageIndex(), 0,
                      CalcViewController::CalcViewControllerDisplayPages - 1);
}

MenuViewController* CalcViewControllerMenus::menuOfType(int32_t menuType) const {
    const CalcValue& value = engine_.accumulatorCalcValue();
    auto* menu = new MenuViewController(store_, engine_, settings_, UITableViewStyle::Grouped);
    menu->setMenuType(menuType);
    menu->setTitle(QString::fromStdString(Localized::string("Functions")));
    menu->setShowCloseButton(true);
    menu->setSelectedCalcValue(value);
    menu->setSelectedCalcValueFormat(
        calcViewController_.numberViewFormatFromCalcValueType(value.type(), displayPage()));
    menu->setNotifyOnSelectionOfOperator(true);
    menu->setNotifyOnSelectionOfConstant(true);
    return menu;
}

void CalcViewControllerMenus::present(MenuViewController* menu) {
    NavigationController* stack = NavigationController::navigationControllerOf(&calcViewController_);
    if (!stack) {
        delete menu;
        return;
    }
    stack->presentModalViewController(new NavigationController(menu), true);
}

void CalcViewControllerMenus::menuButtonPressed() {
    MenuViewController* menu = menuOfType(MenuViewControllerMenuTypeMain);
    menu->setViewName(MenuMain);
    present(menu);
}

void CalcViewControllerMenus::favouritesButtonHeld(int32_t favouriteIndex) {
    MenuViewController* menu = menuOfType(MenuViewControllerMenuTypeFavourite);
    menu->setViewName(MenuFavourite);
    menu->setShowCalcValue(true);
    menu->setSelectedFavouriteIndex(favouriteIndex);
    present(menu);
}

void CalcViewControllerMenus::menuItemSelected(const MenuItemSelection& selection) {
    const bool isMain = selection.menuType == MenuViewControllerMenuTypeMain;
    if (!isMain && selection.menuType != MenuViewControllerMenuTypeFavourite) fatalAssert(kSource, "unknown menu type");
    NavigationController* stack = NavigationController::navigationControllerOf(&calcViewController_);
    // A second choice made while the menu slides away would be applied twice.
    if (!stack || !stack->modalViewController()) {
        Log::line("menu choice ignored: no menu is open");
        return;
    }
    if (isMain) {
        menuItemSelectedMain(selection);
    } else {
        menuItemSelectedFavourite(selection);
    }
    stack->dismissModalViewControllerAnimated(true);
}

void CalcViewControllerMenus::menuItemSelectedMain(const MenuItemSelection& selection) {
    if (selection.calcValue) {
        engine_.enterAccumulatorCalcValue(*selection.calcValue);
    } else if (selection.operatorsOperator) {
        engine_.enterOperator(*selection.operatorsOperator);
    }
}

void CalcViewControllerMenus::menuItemSelectedFavourite(const MenuItemSelection& selection) {
    if (selection.calcValue) {
        const CalcValueFormat format =
            calcViewController_.numberViewFormatFromCalcValueType(selection.calcValue->type(), displayPage());
        store_.addFavouriteWithCalcValue(selection.calcValue, OperatorsOperatorNone, selection.favouriteIndex,
                                         format.style.value_or(CalcValueFormatStyleFix));
    } else if (selection.operatorsOperator) {
        store_.addFavouriteWithCalcValue(std::nullopt, *selection.operatorsOperator, selection.favouriteIndex,
                                         CalcValueFormatStyleFix);
    } else {
        return;
    }
    store_.saveChanges();
    NotificationCenter::defaultCenter().post(NotificationsNotificationFavouritesHaveChanged);
}
