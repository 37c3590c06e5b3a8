#include "Platform/UI/UITableViewController.h"

UITableViewController::UITableViewController(UITableViewStyle style, QWidget* parent)
    : ViewController(parent), tableView_(new UITableView(style, this)) {
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    setFocusProxy(tableView_);
}

void UITableViewController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    if (!clearsSelectionOnViewWillAppear_) return;
    if (const std::optional<IndexPath> selected = tableView_->indexPathForSelectedRow()) {
        tableView_->deselectRowAtIndexPath(*selected, animated);
    }
}

void UITableViewController::resizeEvent(QResizeEvent* event) {
    ViewController::resizeEvent(event);
    tableView_->setGeometry(rect());
}
