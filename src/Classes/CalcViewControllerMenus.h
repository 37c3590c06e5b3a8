#pragma once

#include <QObject>

#include "Platform/Core/NotificationObserver.h"

class CalcEngine;
class CalcStore;
class UserSettings;
class CalcViewController;
class MenuViewController;
struct MenuItemSelection;

// The calculator screen's side of the menus: the f(x) key opens the function menu and holding
// a favourite opens the favourite menu for its slot, each presented over the calculator in a
// stack of its own. What the user chooses comes back by notification: from the function menu
// it goes into the engine (an operator as if its key were pressed, a value in place of the
// accumulator); from the favourite menu it is stored in the slot, with the style of the display
// page shown for a value, and the favourites bar relabels itself. The menu then closes.
class CalcViewControllerMenus : public QObject {
    Q_OBJECT

public:
    CalcViewControllerMenus(CalcViewController& calcViewController, CalcEngine& engine, CalcStore& store,
                            UserSettings& settings);

    void menuButtonPressed();
    void favouritesButtonHeld(int32_t favouriteIndex);
    void menuItemSelected(const MenuItemSelection& selection);
    void menuItemSelectedMain(const MenuItemSelection& selection);
    void menuItemSelectedFavourite(const MenuItemSelection& selection);

private:
    // A menu of the given type over the accumulator, shown in the display page's format.
    MenuViewController* menuOfType(int32_t menuType) const;
    void present(MenuViewController* menu);
    int displayPage() const;

    CalcViewController& calcViewController_;
    CalcEngine& engine_;
    CalcStore& store_;
    UserSettings& settings_;
    NotificationObserver menuButtonObserver_;
    NotificationObserver buttonHeldObserver_;
    NotificationObserver itemSelectedObserver_;
};
