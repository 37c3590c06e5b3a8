#include "Menus/MenuViewController.h"

#include <algorithm>

#include "Calculator/CalcEngine.h"
#include "Calculator/Constants.h"
#include "Calculator/Operators.h"
#include "Classes/NumberView.h"
#include "Menus/AboutViewController.h"
#include "Menus/FavouritesViewController.h"
#include "Menus/Menus.h"
#include "Menus/SettingsViewController.h"
#include "Model/CalcStore.h"
#include "Model/UserSettings.h"
#include "Platform/Core/FatalAssert.h"
#include "Platform/Core/Localized.h"
#include "Platform/Core/NotificationCenter.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/PointScale.h"
#include "Platform/UI/UIBarButtonItem.h"
#include "Utils/NumberUtils.h"

namespace {

constexpr const char* kSource = "Menus/MenuViewController";

// A grouped row stands this far in from each side of the table, in points.
constexpr qreal kCellIndentation = 10.0;

QString localized(std::string_view english) { return QString::fromStdString(Localized::string(english)); }

}  // namespace

MenuViewController::MenuViewController(UITableViewStyle style, QWidget* parent)
    : MenuViewController(CalcStore::sharedInstance(), style, parent) {}

MenuViewController::MenuViewController(CalcStore& store, UITableViewStyle style, QWidget* parent)
    : MenuViewController(store, CalcEngine::sharedInstance(), UserSettings::sharedInstance(), style, parent) {}

MenuViewController::MenuViewController(CalcStore& store, CalcEngine& engine, UserSettings& settings,
                                       UITableViewStyle style, QWidget* parent)
    : UITableViewController(style, parent), store_(store), engine_(engine), settings_(settings) {}

void MenuViewController::viewDidLoad() {
    if (showCloseButton_) {
        auto* done = new UIBarButtonItem(localized("Done"), UIBarButtonItemStyle::Done);
        connect(done, &QAbstractButton::clicked, this, &MenuViewController::buttonClose);
        navigationItem()->setRightBarButtonItem(done);
    }
    if (NavigationController* stack = navigationController()) stack->setTintColor(Qt::black);
    tableView()->setBackgroundImageNamed("backgroundMenu.png");
}

void MenuViewController::buttonClose() { dismissModalViewControllerAnimated(true); }

std::optional<std::vector<MenuItem>> MenuViewController::menuItems() const {
    return Menus::sharedInstance().menuItemsFromViewName(viewName_);
}

const MenuItem& MenuViewController::menuItemAt(const std::vector<MenuItem>& items, IndexPath indexPath) const {
    const size_t section = indexPath.section - valueSections();
    for (const MenuItem& item : items) {
        if (static_cast<size_t>(item.sectionIndex) == section && static_cast<size_t>(item.index) == indexPath.row) {
            return item;
        }
    }
    fatalAssert(kSource, "menu item not found");
}

size_t MenuViewController::numberOfSectionsInTableView(UITableView&) {
    const std::optional<std::vector<MenuItem>> items = menuItems();
    if (!items || items->empty()) return 0;
    return static_cast<size_t>(items->back().sectionIndex) + 1 + valueSections();
}

size_t MenuViewController::tableViewNumberOfRowsInSection(UITableView&, size_t section) {
    if (showCalcValue_ && section == 0) return 1;
    const std::optional<std::vector<MenuItem>> items = menuItems();
    if (!items) return 0;
    const size_t catalogueSection = section - valueSections();
    return static_cast<size_t>(std::count_if(items->begin(), items->end(), [&](const MenuItem& item) {
        return static_cast<size_t>(item.sectionIndex) == catalogueSection;
    }));
}

UITableViewCell MenuViewController::tableViewCellForRowAtIndexPath(UITableView& tableView, IndexPath indexPath) {
    if (isValueRow(indexPath)) return valueCell(tableView);
    const std::optional<std::vector<MenuItem>> items = menuItems();
    if (!items) fatalAssert(kSource, "menu item not found");
    const MenuItem& item = menuItemAt(*items, indexPath);
    UITableViewCell cell;
    if (item.isSubMenu()) {
        cell.accessoryType = UITableViewCellAccessoryType::DisclosureIndicator;
        cell.text = QString::fromStdString(item.name);
        if (item.subMenuImageName) cell.image = ImageStore::imageNamed(*item.subMenuImageName);
    } else if (item.isOperator()) {
        Operators& operators = Operators::sharedInstance();
        cell.image = ImageStore::imageNamed(operators.imageFromOperator(item.operatorsOperator));
        cell.text = QString::fromStdString(operators.descriptionFromOperator(item.operatorsOperator));
    } else if (item.calcValue) {
        const Constants& constants = Constants::sharedInstance();
        if (const std::optional<std::string> image = constants.imageFromConstantCalcValue(*item.calcValue)) {
            cell.image = ImageStore::imageNamed(*image);
        }
        cell.text = QString::fromStdString(constants.descriptionFromConstantCalcValue(*item.calcValue).value_or(""));
    }
    return cell;
}

UITableViewCell MenuViewController::valueCell(UITableView& tableView) const {
    UITableViewCell cell;
    cell.backgroundImageName = "lcdBackgroundMenu.png";
    cell.accessibilityLabel = localized("Value shown");
    // A value of no kind has nothing to show.
    if (!selectedCalcValue_ || selectedCalcValue_->type() == CalcValueTypeNone) return cell;
    auto* numberView = new NumberView;
    numberView->setMaxFontSize(20);
    numberView->setTextAlignment(NumberTextAlignmentRight);
    numberView->updateWithCalcValue(*selectedCalcValue_, selectedCalcValueFormat_);
    const qreal tableWidth = PointScale::pointsFromPixels(tableView.viewport()->width());
    cell.contentView = numberView;
    cell.contentViewFrame = QRectF(4, 0, tableWidth - 2 * kCellIndentation - 8, tableView.rowHeight());
    cell.accessibilityValue = QString::fromStdString(
        NumberUtils::accessibilityStringFromCalcValue(*selectedCalcValue_, &selectedCalcValueFormat_).value_or(""));
    return cell;
}

void MenuViewController::tableViewDidSelectRowAtIndexPath(UITableView& tableView, IndexPath indexPath) {
    if (isValueRow(indexPath)) {
        if (notifyOnSelectionOfConstant_) {
            post(std::nullopt, selectedCalcValue_);
        } else {
            returnToRoot();
        }
        return;
    }
    const std::optional<std::vector<MenuItem>> items = menuItems();
    if (!items) return;
    const MenuItem& item = menuItemAt(*items, indexPath);
    if (item.isSubMenu()) {
        NavigationController* stack = navigationController();
        if (QWidget* screen = stack ? screenForSubMenuItem(item) : nullptr) {
            stack->pushViewController(screen, true);
        } else {
            tableView.deselectRowAtIndexPath(indexPath, true);
        }
    } else if (item.isOperator()) {
        if (notifyOnSelectionOfOperator_) {
            post(item.operatorsOperator, std::nullopt);
        } else {
            selectedOperatorsOperator_ = item.operatorsOperator;
            returnToRoot();
        }
    } else if (notifyOnSelectionOfConstant_) {
        post(std::nullopt, item.calcValue);
    } else {
        selectedCalcValue_ = item.calcValue;
        returnToRoot();
    }
}

QWidget* MenuViewController::screenForSubMenuItem(const MenuItem& item) {
    const QString title = QString::fromStdString(item.name);
    if (item.subMenuName == MenuFavourites) {
        auto* favourites = new FavouritesViewController(store_, UITableViewStyle::Grouped);
        favourites->setTitle(localized("Favourites"));
        favourites->setSelectedCalcValue(selectedCalcValue_);
        favourites->setSelectedCalcValueFormat(selectedCalcValueFormat_);
        return favourites;
    }
    if (item.subMenuName == MenuSettings) return new SettingsViewController(title, engine_, settings_);
    if (item.subMenuName == MenuAbout) return new AboutViewController(title);
    auto* subMenu = new MenuViewController(store_, engine_, settings_, UITableViewStyle::Grouped);
    subMenu->setTitle(title);
    subMenu->setViewName(*item.subMenuName);
    subMenu->setShowCloseButton(showCloseButton_);
    subMenu->setMenuType(menuType_);
    subMenu->setSelectedFavouriteIndex(selectedFavouriteIndex_);
    subMenu->setSelectedCalcValue(selectedCalcValue_);
    subMenu->setSelectedCalcValueFormat(selectedCalcValueFormat_);
    subMenu->setNotifyOnSelectionOfOperator(notifyOnSelectionOfOperator_);
    subMenu->setNotifyOnSelectionOfConstant(notifyOnSelectionOfConstant_);
    return subMenu;
}

void MenuViewController::post(std::optional<OperatorsOperator> op, std::optional<CalcValue> value) {
    const MenuItemSelection selection{menuType_, op, value, selectedFavouriteIndex_};
    NotificationCenter::defaultCenter().post(MenuViewControllerNotificationItemSelected, this, selection);
}

void MenuViewController::returnToRoot() {
    if (NavigationController* stack = navigationController()) stack->popToRootViewControllerAnimated(true);
}
