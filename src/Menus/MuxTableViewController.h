#pragma once

#include <QStringList>
#include <cstdint>

#include "Platform/UI/UITableViewController.h"

class MuxTableViewControllerDelegate;

// A list of texts of which one is checked. Choosing another text checks it and tells the
// delegate at once; the list stays open until the user goes back.
class MuxTableViewController : public UITableViewController {
    Q_OBJECT

public:
    explicit MuxTableViewController(UITableViewStyle style = UITableViewStyle::Grouped, QWidget* parent = nullptr);

    const QStringList& itemStrings() const { return itemStrings_; }
    void setItemStrings(const QStringList& itemStrings) { itemStrings_ = itemStrings; }
    int32_t selectedItemIndex() const { return selectedItemIndex_; }
    void setSelectedItemIndex(int32_t index) { selectedItemIndex_ = index; }
    MuxTableViewControllerDelegate* delegate() const { return delegate_; }
    void setDelegate(MuxTableViewControllerDelegate* delegate) { delegate_ = delegate; }

    size_t tableViewNumberOfRowsInSection(UITableView& tableView, size_t section) override;
    UITableViewCell tableViewCellForRowAtIndexPath(UITableView& tableView, IndexPath indexPath) override;
    void tableViewDidSelectRowAtIndexPath(UITableView& tableView, IndexPath indexPath) override;

protected:
    void viewDidLoad() override;

private:
    QStringList itemStrings_;
    int32_t selectedItemIndex_ = 0;
    MuxTableViewControllerDelegate* delegate_ = nullptr;
};
