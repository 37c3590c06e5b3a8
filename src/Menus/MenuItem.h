#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Calculator/OperatorsOperator.h"
#include "Model/CalcValue.h"

// One row of a menu: it opens another menu or screen (a sub-menu item), stands for an operator,
// or stands for a value, tested in that order. Operator and value items have no title: the menu
// shows the operator's or the value's own description.
struct MenuItem {
    OperatorsOperator operatorsOperator = OperatorsOperatorNone;
    int32_t index = 0;
    int32_t sectionIndex = 0;
    std::string name;
    // The view name of the menu or screen the item opens.
    std::optional<std::string> subMenuName;
    std::optional<std::string> subMenuImageName;
    std::optional<CalcValue> calcValue;

    static MenuItem menuItemWithOperator(OperatorsOperator op, int32_t sectionIndex, int32_t index, std::string name,
                                         std::optional<std::string> subMenuName,
                                         std::optional<std::string> subMenuImageName,
                                         std::optional<CalcValue> calcValue) {
        return MenuItem{
            op, index, sectionIndex, std::move(name), std::move(subMenuName), std::move(subMenuImageName), calcValue};
    }

    bool isSubMenu() const { return subMenuName.has_value(); }
    bool isOperator() const { return !isSubMenu() && operatorsOperator != OperatorsOperatorNone; }
};
