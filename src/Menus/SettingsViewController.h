#pragma once

#include <cstdint>

#include "Menus/IntegerViewControllerDelegate.h"
#include "Menus/MuxTableViewControllerDelegate.h"
#include "Menus/SettingsLogic.h"
#include "Platform/UI/UIActionSheet.h"
#include "Platform/UI/UITableViewController.h"

class CalcEngine;
class UserSettings;

// The user settings with their present values, each row leading to its editor (a choice list or
// a number entry), and a row that resets them all. Every change is written at once, and the
// calculator follows it while this screen is still open. A menu pushes it with its title; Done
// closes the stack it is on.
class SettingsViewController : public UITableViewController,
                               public MuxTableViewControllerDelegate,
                               public IntegerViewControllerDelegate,
                               public UIActionSheetDelegate {
    Q_OBJECT

public:
    // Over the shared engine and settings.
    explicit SettingsViewController(const QString& title, QWidget* parent = nullptr);
    SettingsViewController(const QString& title, CalcEngine& engine, UserSettings& settings, QWidget* parent = nullptr);

    // The row whose editor is open, or -1.
    int32_t activeSetting() const { return activeSetting_; }
    const SettingsLogic& logic() const { return logic_; }

    size_t numberOfSectionsInTableView(UITableView& tableView) override;
    size_t tableViewNumberOfRowsInSection(UITableView& tableView, size_t section) override;
    UITableViewCell tableViewCellForRowAtIndexPath(UITableView& tableView, IndexPath indexPath) override;
    QString tableViewTitleForFooterInSection(UITableView& tableView, size_t section) override;
    void tableViewDidSelectRowAtIndexPath(UITableView& tableView, IndexPath indexPath) override;

    void muxTableViewDidSelectMuxItemIndex(UITableView& muxTableView, int32_t index) override;
    void integerViewControllerDidCancel(IntegerViewController& integerViewController) override;
    void integerViewControllerDidEnterInteger(IntegerViewController& integerViewController, int32_t value) override;
    void actionSheetClickedButtonAtIndex(UIActionSheet& actionSheet, int buttonIndex) override;

    void buttonClose();

protected:
    void viewDidLoad() override;

private:
    static constexpr size_t kSettingsSection = 0;
    static constexpr size_t kResetSection = 1;

    void reloadActiveSetting();

    SettingsLogic logic_;
    int32_t activeSetting_ = -1;
};
