#pragma once

#include "Platform/UI/UITableView.h"
#include "Platform/UI/ViewController.h"

// A screen that is one table: it answers the table's questions itself and takes the keyboard
// through it. When the screen comes back into view the row chosen before is deselected with
// a fade, as the user returns from where it led.
class UITableViewController : public ViewController, public UITableViewDataSource, public UITableViewDelegate {
    Q_OBJECT

public:
    explicit UITableViewController(UITableViewStyle style, QWidget* parent = nullptr);

    UITableView* tableView() const { return tableView_; }
    void setClearsSelectionOnViewWillAppear(bool clears) { clearsSelectionOnViewWillAppear_ = clears; }

    void viewWillAppear(bool animated) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    UITableView* tableView_;
    bool clearsSelectionOnViewWillAppear_ = true;
};
