#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Menus/MenuItem.h"
#include "Menus/MenuItemSelection.h"
#include "Platform/UI/UITableViewController.h"
#include "Utils/CalcValueFormat.h"

class CalcEngine;
class CalcStore;
class UserSettings;

// Posted with a MenuItemSelection when an operator or a value is chosen; the receiver closes
// the menu once it has used the choice.
constexpr std::string_view MenuViewControllerNotificationItemSelected = "MenuViewControllerNotificationItemSelected";

// One menu of the catalogue as a grouped table in a navigation stack. A row that opens a menu
// or a screen pushes it; a chosen operator or value is reported by notification, or kept and
// the stack returned to its root when the screen is not asked to report it. Optionally a first
// section shows the calculator's value in one row, which can be chosen too (this is how the
// value shown is put into a favourites slot). Sub-menus inherit everything but that row.
class MenuViewController : public UITableViewController {
    Q_OBJECT

public:
    // Over the shared store, engine and settings: the favourites assignment screen reads the
    // store, the settings screen changes the settings and the value on the engine's display.
    explicit MenuViewController(UITableViewStyle style = UITableViewStyle::Grouped, QWidget* parent = nullptr);
    MenuViewController(CalcStore& store, UITableViewStyle style, QWidget* parent = nullptr);
    MenuViewController(CalcStore& store, CalcEngine& engine, UserSettings& settings, UITableViewStyle style,
                       QWidget* parent = nullptr);

    const std::string& viewName() const { return viewName_; }
    void setViewName(std::string_view viewName) { viewName_ = viewName; }
    int32_t menuType() const { return menuType_; }
    void setMenuType(int32_t menuType) { menuType_ = menuType; }
    int32_t selectedFavouriteIndex() const { return selectedFavouriteIndex_; }
    void setSelectedFavouriteIndex(int32_t index) { selectedFavouriteIndex_ = index; }
    const std::optional<CalcValue>& selectedCalcValue() const { return selectedCalcValue_; }
    void setSelectedCalcValue(const std::optional<CalcValue>& value) { selectedCalcValue_ = value; }
    const CalcValueFormat& selectedCalcValueFormat() const { return selectedCalcValueFormat_; }
    void setSelectedCalcValueFormat(const CalcValueFormat& format) { selectedCalcValueFormat_ = format; }
    bool showCalcValue() const { return showCalcValue_; }
    void setShowCalcValue(bool show) { showCalcValue_ = show; }
    bool showCloseButton() const { return showCloseButton_; }
    void setShowCloseButton(bool show) { showCloseButton_ = show; }
    bool notifyOnSelectionOfOperator() const { return notifyOnSelectionOfOperator_; }
    void setNotifyOnSelectionOfOperator(bool notify) { notifyOnSelectionOfOperator_ = notify; }
    bool notifyOnSelectionOfConstant() const { return notifyOnSelectionOfConstant_; }
    void setNotifyOnSelectionOfConstant(bool notify) { notifyOnSelectionOfConstant_ = notify; }
    // The operator chosen when choices are not reported.
    OperatorsOperator selectedOperatorsOperator() const { return selectedOperatorsOperator_; }

    void buttonClose();

    size_t numberOfSectionsInTableView(UITableView& tableView) override;
    size_t tableViewNumberOfRowsInSection(UITableView& tableView, size_t section) override;
    UITableViewCell tableViewCellForRowAtIndexPath(UITableView& tableView, IndexPath indexPath) override;
    void tableViewDidSelectRowAtIndexPath(UITableView& tableView, IndexPath indexPath) override;

protected:
    void viewDidLoad() override;

private:
    std::optional<std::vector<MenuItem>> menuItems() const;
    size_t valueSections() const { return showCalcValue_ ? 1 : 0; }
    bool isValueRow(IndexPath indexPath) const { return showCalcValue_ && indexPath.section == 0; }
    // The item shown at a position below the value row; a position the table was not given is
    // a programming error.
    const MenuItem& menuItemAt(const std::vector<MenuItem>& items, IndexPath indexPath) const;
    UITableViewCell valueCell(UITableView& tableView) const;
    QWidget* screenForSubMenuItem(const MenuItem& item);
    void post(std::optional<OperatorsOperator> op, std::optional<CalcValue> value);
    void returnToRoot();

    CalcStore& store_;
    CalcEngine& engine_;
    UserSettings& settings_;
    std::string viewName_;
    int32_t menuType_ = MenuViewControllerMenuTypeMain;
    int32_t selectedFavouriteIndex_ = 0;
    std::optional<CalcValue> selectedCalcValue_;
    CalcValueFormat selectedCalcValueFormat_;
    bool showCalcValue_ = false;
    bool showCloseButton_ = false;
    bool notifyOnSelectionOfOperator_ = false;
    bool notifyOnSelectionOfConstant_ = false;
    OperatorsOperator selectedOperatorsOperator_ = OperatorsOperatorNone;
};
