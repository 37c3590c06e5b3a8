#pragma once

#include <cstdint>
#include <optional>

#include "Calculator/OperatorsOperator.h"
#include "Model/CalcValue.h"

// The kinds of menu screen: the function menu enters what is chosen into the engine, the
// favourite menu stores it in a favourites slot.
constexpr int32_t MenuViewControllerMenuTypeMain = 0;
constexpr int32_t MenuViewControllerMenuTypeFavourite = 1;

// The record a menu screen posts when an operator or a value is chosen: the screen's menu type
// and favourites slot, and either the operator or the value.
struct MenuItemSelection {
    int32_t menuType = MenuViewControllerMenuTypeMain;
    std::optional<OperatorsOperator> operatorsOperator;
    std::optional<CalcValue> calcValue;
    int32_t favouriteIndex = 0;
};
