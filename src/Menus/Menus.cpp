#include "Menus/Menus.h"

#include <span>
#include <string>

#include "Calculator/Constants.h"
#include "Platform/Core/Localized.h"

namespace {

struct SubMenuRow {
    int32_t sectionIndex;
    int32_t index;
    std::string_view title;  // English, the key of the localized text
    std::string_view opens;
    std::string_view image;
};

constexpr SubMenuRow kMain[] = {
    {0, 0, "Basic", MenuMainBasic, "subMenuBasic.png"},
    {0, 1, "Logic", MenuMainLogic, "subMenuLogic.png"},
    {0, 2, "Shift", MenuMainShift, "subMenuShift.png"},
    {0, 3, "Rotate", MenuMainRotate, "subMenuRotate.png"},
    {0, 4, "Powers", MenuMainPowers, "subMenuPowers.png"},
    {0, 5, "Trigonometry", MenuMainTrigonometry, "subMenuTrigonometry.png"},
    {0, 6, "Percent", MenuMainPercent, "subMenuPercent.png"},
    {0, 7, "IEEE-754", MenuMainConvert, "subMenuFormat.png"},
    {1, 0, "Constants", MenuMainConstants, "subMenuConstants.png"},
    {2, 0, "Assign Favourites", MenuFavourites, "subMenuFavourites.png"},
    {3, 0, "Settings", MenuSettings, "subMenuSettings.png"},
    {3, 1, "About", MenuAbout, "subMenuAbout.png"},
};
// The favourite menu offers what can go into a slot: the operator groups and the constants.
constexpr size_t kFavouriteRows = 9;

constexpr OperatorsOperator kMainBasic[] = {OperatorsOperatorReverseBytes, OperatorsOperatorRandom,
                                            OperatorsOperatorFactorial,    OperatorsOperatorBitGet,
                                            OperatorsOperatorBitSet,       OperatorsOperatorBitClear};
constexpr OperatorsOperator kMainLogic[] = {OperatorsOperatorInvert, OperatorsOperatorMOD,  OperatorsOperatorAND,
                                            OperatorsOperatorOR,     OperatorsOperatorNAND, OperatorsOperatorNOR,
                                            OperatorsOperatorXOR};
constexpr OperatorsOperator kMainShift[] = {OperatorsOperatorShiftLeft, OperatorsOperatorShiftRight,
                                            OperatorsOperatorArithmeticShiftRight, OperatorsOperatorShiftLeftN,
                                            OperatorsOperatorShiftRightN};
constexpr OperatorsOperator kMainRotate[] = {OperatorsOperatorRotateLeft, OperatorsOperatorRotateRight,
                                             OperatorsOperatorRotateLeftN, OperatorsOperatorRotateRightN};
// x³ has no row of its own: x^y covers it.
constexpr OperatorsOperator kMainPowers[] = {
    OperatorsOperatorLog,   OperatorsOperatorLn,      OperatorsOperatorEPow,
    OperatorsOperator10Pow, OperatorsOperatorSquared, OperatorsOperatorPowN,
    OperatorsOperatorRecip, OperatorsOperatorSqRoot,  OperatorsOperatorNthRoot};
constexpr OperatorsOperator kMainTrigonometry[] = {OperatorsOperatorSin,  OperatorsOperatorCos,  OperatorsOperatorTan,
                                                   OperatorsOperatorASin, OperatorsOperatorACos, OperatorsOperatorATan};
constexpr OperatorsOperator kMainPercent[] = {OperatorsOperatorAddPercent, OperatorsOperatorSubtractPercent,
                                              OperatorsOperatorPercentOf, OperatorsOperatorPercentChange,
                                              OperatorsOperatorIsPercentOf};
constexpr OperatorsOperator kMainIEEE754[] = {OperatorsOperatorFloatToIEEE754, OperatorsOperatorDoubleToIEEE754,
                                              OperatorsOperatorIEEE754ToFloat, OperatorsOperatorIEEE754ToDouble};

constexpr double kMainConstants[] = {2.718281828459045, ConstantsConstantEarthGravity,
                                     ConstantsConstantGravitationalConstant, 3.141592653589793,
                                     ConstantsConstantSpeedOfLight};

std::vector<MenuItem> subMenuItems(std::span<const SubMenuRow> rows) {
    std::vector<MenuItem> items;
    items.reserve(rows.size());
    for (const SubMenuRow& row : rows) {
        items.push_back(MenuItem::menuItemWithOperator(OperatorsOperatorNone, row.sectionIndex, row.index,
                                                       Localized::string(row.title), std::string(row.opens),
                                                       std::string(row.image), std::nullopt));
    }
    return items;
}

std::vector<MenuItem> operatorItems(std::span<const OperatorsOperator> operators) {
    std::vector<MenuItem> items;
    items.reserve(operators.size());
    for (size_t position = 0; position < operators.size(); ++position) {
        items.push_back(MenuItem::menuItemWithOperator(operators[position], 0, static_cast<int32_t>(position), {},
                                                       std::nullopt, std::nullopt, std::nullopt));
    }
    return items;
}

}  // namespace

Menus& Menus::sharedInstance() {
    static Menus menus;
    return menus;
}

std::optional<std::vector<MenuItem>> Menus::menuItemsFromViewName(std::string_view viewName) const {
    static constexpr struct {
        std::string_view viewName;
        std::vector<MenuItem> (Menus::*builder)() const;
    } menus[] = {
        {MenuMain, &Menus::menuItemsForMain},
        {MenuMainConvert, &Menus::menuItemsForMainIEEE754},
        {MenuMainBasic, &Menus::menuItemsForMainBasic},
        {MenuMainLogic, &Menus::menuItemsForMainLogic},
        {MenuMainShift, &Menus::menuItemsForMainShift},
        {MenuMainRotate, &Menus::menuItemsForMainRotate},
        {MenuMainPowers, &Menus::menuItemsForMainPowers},
        {MenuMainTrigonometry, &Menus::menuItemsForMainTrigonometry},
        {MenuMainPercent, &Menus::menuItemsForMainPercent},
        {MenuMainConstants, &Menus::menuItemsForMainConstants},
        {MenuFavourite, &Menus::menuItemsForFavourite},
    };
    for (const auto& menu : menus) {
        if (menu.viewName == viewName) return (this->*menu.builder)();
    }
    return std::nullopt;
}

std::vector<MenuItem> Menus::menuItemsForMain() const { return subMenuItems(kMain); }

std::vector<MenuItem> Menus::menuItemsForFavourite() const {
    return subMenuItems(std::span(kMain).first(kFavouriteRows));
}

std::vector<MenuItem> Menus::menuItemsForMainBasic() const { return operatorItems(kMainBasic); }
std::vector<MenuItem> Menus::menuItemsForMainLogic() const { return operatorItems(kMainLogic); }
std::vector<MenuItem> Menus::menuItemsForMainShift() const { return operatorItems(kMainShift); }
std::vector<MenuItem> Menus::menuItemsForMainRotate() const { return operatorItems(kMainRotate); }
std::vector<MenuItem> Menus::menuItemsForMainPowers() const { return operatorItems(kMainPowers); }
std::vector<MenuItem> Menus::menuItemsForMainTrigonometry() const { return operatorItems(kMainTrigonometry); }
std::vector<MenuItem> Menus::menuItemsForMainPercent() const { return operatorItems(kMainPercent); }
std::vector<MenuItem> Menus::menuItemsForMainIEEE754() const { return operatorItems(kMainIEEE754); }

std::vector<MenuItem> Menus::menuItemsForMainConstants() const {
    std::vector<MenuItem> items;
    for (size_t position = 0; position < std::size(kMainConstants); ++position) {
        items.push_back(MenuItem::menuItemWithOperator(OperatorsOperatorNone, 0, static_cast<int32_t>(position), {},
                                                       std::nullopt, std::nullopt,
                                                       CalcValue::calcValueWithRealValue(kMainConstants[position])));
    }
    return items;
}
