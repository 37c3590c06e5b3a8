#include "Menus/MuxTableViewController.h"

#include "Menus/MuxTableViewControllerDelegate.h"

MuxTableViewController::MuxTableViewController(UITableViewStyle style, QWidget* parent)
    : UITableViewController(style, parent) {}

void MuxTableViewController::viewDidLoad() { tableView()->setBackgroundImageNamed("backgroundMenu.png"); }

size_t MuxTableViewController::tableViewNumberOfRowsInSection(UITableView&, size_t) {
    return static_cast<size_t>(itemStrings_.size());
}

UITableViewCell MuxTableViewController::tableViewCellForRowAtIndexPath(UITableView&, IndexPath indexPath) {
    UITableViewCell cell;
    cell.text = itemStrings_.value(static_cast<qsizetype>(indexPath.row));
    const bool checked = static_cast<int64_t>(indexPath.row) == selectedItemIndex_;
    cell.accessoryType = checked ? UITableViewCellAccessoryType::Checkmark : UITableViewCellAccessoryType::None;
    return cell;
}

void MuxTableViewController::tableViewDidSelectRowAtIndexPath(UITableView& tableView, IndexPath indexPath) {
    const auto chosen = static_cast<int32_t>(indexPath.row);
    if (chosen == selectedItemIndex_) {
        // The text checked already: nothing changes, only the row's highlight goes.
        tableView.deselectRowAtIndexPath(indexPath, true);
        return;
    }
    const int32_t previous = selectedItemIndex_;
    selectedItemIndex_ = chosen;
    std::vector<IndexPath> changed{indexPath};
    // A stored value that is none of the texts has no row to uncheck.
    if (previous >= 0 && previous < itemStrings_.size()) changed.push_back({0, static_cast<size_t>(previous)});
    tableView.reloadRowsAtIndexPaths(changed, UITableViewRowAnimation::None);
    tableView.deselectRowAtIndexPath(indexPath, true);
    if (delegate_) delegate_->muxTableViewDidSelectMuxItemIndex(tableView, chosen);
}
