#include "Menus/SettingsViewController.h"

#include "Calculator/CalcEngine.h"
#include "Calculator/Operators.h"
#include "Menus/IntegerViewController.h"
#include "Menus/MuxTableViewController.h"
#include "Model/UserSettings.h"
#include "Platform/Core/Localized.h"
#include "Platform/UI/UIBarButtonItem.h"

namespace {

QString localized(const char* english) { return QString::fromStdString(Localized::string(english)); }

}  // namespace

SettingsViewController::SettingsViewController(const QString& title, QWidget* parent)
    : SettingsViewController(title, CalcEngine::sharedInstance(), UserSettings::sharedInstance(), parent) {}

SettingsViewController::SettingsViewController(const QString& title, CalcEngine& engine, UserSettings& settings,
                                               QWidget* parent)
    : UITableViewController(UITableViewStyle::Grouped, parent), logic_(settings, engine, Operators::sharedInstance()) {
    setTitle(title);
}

void SettingsViewController::viewDidLoad() {
    activeSetting_ = -1;
    auto* done = new UIBarButtonItem(localized("Done"), UIBarButtonItemStyle::Done);
    connect(done, &QAbstractButton::clicked, this, &SettingsViewController::buttonClose);
    navigationItem()->setRightBarButtonItem(done);
    tableView()->setBackgroundImageNamed("backgroundMenu.png");
}

void SettingsViewController::buttonClose() { dismissModalViewControllerAnimated(true); }

size_t SettingsViewController::numberOfSectionsInTableView(UITableView&) { return 2; }

size_t SettingsViewController::tableViewNumberOfRowsInSection(UITableView&, size_t section) {
    return section == kSettingsSection ? SettingsLogic::SettingsLogicNumberOfSettings : 1;
}

UITableViewCell SettingsViewController::tableViewCellForRowAtIndexPath(UITableView&, IndexPath indexPath) {
    UITableViewCell cell;
    if (indexPath.section == kResetSection) {
        cell.text = localized("Reset");
        cell.textAlignment = Qt::AlignHCenter;
        return cell;
    }
    // Made afresh for every row drawn, so that a row always shows the value stored.
    const std::optional<SettingDescription> description =
        logic_.settingDescriptionForSetting(static_cast<int32_t>(indexPath.row));
    if (!description) return cell;
    cell.style = UITableViewCellStyle::Value1;
    cell.text = QString::fromStdString(description->name);
    cell.detailText = QString::fromStdString(SettingsLogic::detailTextForSettingDescription(*description));
    cell.accessoryType = UITableViewCellAccessoryType::DisclosureIndicator;
    return cell;
}

QString SettingsViewController::tableViewTitleForFooterInSection(UITableView&, size_t section) {
    if (section != kSettingsSection) return {};
    return localized("Hold down the ± key to quickly change between signed / unsigned integers");
}

void SettingsViewController::tableViewDidSelectRowAtIndexPath(UITableView&, IndexPath indexPath) {
    if (indexPath.section == kResetSection) {
        auto* sheet = new UIActionSheet(QString(), this, localized("Cancel"), localized("Reset Settings"));
        sheet->showInView(this);
        return;
    }
    activeSetting_ = static_cast<int32_t>(indexPath.row);
    const std::optional<SettingDescription> description = logic_.settingDescriptionForSetting(activeSetting_);
    NavigationController* stack = navigationController();
    if (!description || !stack) return;
    if (description->type == SettingsViewControllerSettingTypeMux) {
        auto* list = new MuxTableViewController(UITableViewStyle::Grouped);
        list->setDelegate(this);
        QStringList items;
        for (const std::string& text : description->muxValues) items << QString::fromStdString(text);
        list->setItemStrings(items);
        list->setSelectedItemIndex(description->value);
        stack->pushViewController(list, true);
    } else {
        auto* entry = new IntegerViewController;
        entry->setDelegate(this);
        entry->setIntValue(description->value);
        entry->setMinIntValue(description->minValue);
        entry->setMaxIntValue(description->maxValue);
        stack->pushViewController(entry, true);
    }
}

void SettingsViewController::muxTableViewDidSelectMuxItemIndex(UITableView&, int32_t index) {
    logic_.muxItemSelected(activeSetting_, index);
    reloadActiveSetting();
}

void SettingsViewController::integerViewControllerDidCancel(IntegerViewController&) {
    if (NavigationController* stack = navigationController()) stack->popViewControllerAnimated(true);
}

void SettingsViewController::integerViewControllerDidEnterInteger(IntegerViewController&, int32_t value) {
    logic_.integerEntered(activeSetting_, value);
    reloadActiveSetting();
}

void SettingsViewController::actionSheetClickedButtonAtIndex(UIActionSheet& actionSheet, int buttonIndex) {
    tableView()->deselectRowAtIndexPath({kResetSection, 0}, true);
    if (buttonIndex != actionSheet.destructiveButtonIndex()) return;
    logic_.resetSettings();
    tableView()->reloadData();
}

void SettingsViewController::reloadActiveSetting() {
    if (activeSetting_ < 0 || activeSetting_ >= SettingsLogic::SettingsLogicNumberOfSettings) return;
    tableView()->reloadRowsAtIndexPaths({{kSettingsSection, static_cast<size_t>(activeSetting_)}},
                                        UITableViewRowAnimation::None);
}
