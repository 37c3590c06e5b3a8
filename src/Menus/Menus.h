#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "Menus/MenuItem.h"

// The view names of the menus and of the screens a menu row opens.
constexpr std::string_view MenuMain = "Main";
constexpr std::string_view MenuFavourite = "Favourite";
constexpr std::string_view MenuFavourites = "Favourites";
constexpr std::string_view MenuSettings = "Settings";
constexpr std::string_view MenuAbout = "About";
constexpr std::string_view MenuMainBasic = "MainBasic";
constexpr std::string_view MenuMainLogic = "MainLogic";
constexpr std::string_view MenuMainShift = "MainShift";
constexpr std::string_view MenuMainRotate = "MainRotate";
constexpr std::string_view MenuMainPowers = "MainPowers";
constexpr std::string_view MenuMainTrigonometry = "MainTrigonometry";
constexpr std::string_view MenuMainPercent = "MainPercent";
constexpr std::string_view MenuMainConvert = "MainConvert";
constexpr std::string_view MenuMainConstants = "MainConstants";

// The fixed catalogue of the menu tree: the main menu, the menu that fills a favourites slot,
// one menu per group of operators and one of constants. It holds no state and builds fresh
// items on every request; sub-menu titles come through the localized-text lookup.
class Menus {
public:
    static Menus& sharedInstance();

    // The items of the menu with that view name, in order; none for any other name, the
    // screens of their own ("Favourites", "Settings", "About") included.
    std::optional<std::vector<MenuItem>> menuItemsFromViewName(std::string_view viewName) const;

    std::vector<MenuItem> menuItemsForMain() const;
    std::vector<MenuItem> menuItemsForFavourite() const;
    std::vector<MenuItem> menuItemsForMainBasic() const;
    std::vector<MenuItem> menuItemsForMainLogic() const;
    std::vector<MenuItem> menuItemsForMainShift() const;
    std::vector<MenuItem> menuItemsForMainRotate() const;
    std::vector<MenuItem> menuItemsForMainPowers() const;
    std::vector<MenuItem> menuItemsForMainTrigonometry() const;
    std::vector<MenuItem> menuItemsForMainPercent() const;
    // The menu of the view name "MainConvert".
    std::vector<MenuItem> menuItemsForMainIEEE754() const;
    std::vector<MenuItem> menuItemsForMainConstants() const;

private:
    Menus() = default;
};
