#pragma once

#include <QApplication>
#include <QTest>
#include <string>
#include <vector>

#include "Platform/UI/NavigationController.h"
#include "Platform/UI/UITableViewController.h"
#include "WidgetTestSupport.h"

// A throwaway screen for the navigation and table tests: a table of sections of texts that
// notes every step of its life and every row chosen.
class ProbeScreen : public UITableViewController {
public:
    struct Section {
        QString header;
        std::vector<QString> rows;
        QString footer;
    };

    ProbeScreen(const QString& title, std::vector<Section> contents, std::vector<std::string>* lifeLog = nullptr,
                UITableViewStyle style = UITableViewStyle::Grouped)
        : UITableViewController(style), sections(std::move(contents)), lifeLog_(lifeLog) {
        setTitle(title);
    }

    size_t numberOfSectionsInTableView(UITableView&) override { return sections.size(); }
    size_t tableViewNumberOfRowsInSection(UITableView&, size_t section) override {
        return sections[section].rows.size();
    }
    UITableViewCell tableViewCellForRowAtIndexPath(UITableView&, IndexPath path) override {
        UITableViewCell cell;
        cell.text = sections[path.section].rows[path.row];
        cell.accessoryType = checkedRow == path ? UITableViewCellAccessoryType::Checkmark
                                                : UITableViewCellAccessoryType::DisclosureIndicator;
        return cell;
    }
    QString tableViewTitleForHeaderInSection(UITableView&, size_t section) override { return sections[section].header; }
    QString tableViewTitleForFooterInSection(UITableView&, size_t section) override { return sections[section].footer; }
    void tableViewDidSelectRowAtIndexPath(UITableView&, IndexPath path) override { chosen.push_back(path); }

    void viewWillAppear(bool animated) override {
        UITableViewController::viewWillAppear(animated);
        note("willAppear");
    }
    void viewDidAppear(bool) override { note("didAppear"); }
    void viewWillDisappear(bool) override { note("willDisappear"); }
    void viewDidDisappear(bool) override { note("didDisappear"); }
    void releaseAll() override {
        UITableViewController::releaseAll();
        note("release");
    }

    std::vector<Section> sections;
    std::optional<IndexPath> checkedRow;
    std::vector<IndexPath> chosen;

protected:
    void viewDidLoad() override { note("load"); }

private:
    void note(const char* step) {
        if (lifeLog_) lifeLog_->push_back(title().toStdString() + " " + step);
    }
    std::vector<std::string>* lifeLog_;
};

// A screen of one section of rows titled "<prefix> 0", "<prefix> 1", ...
inline ProbeScreen::Section numberedRows(const QString& prefix, int count) {
    ProbeScreen::Section section;
    for (int row = 0; row < count; ++row) section.rows.push_back(QStringLiteral("%1 %2").arg(prefix).arg(row));
    return section;
}

// Scrolls the row into view and taps it, as a hand would.
inline void tapRow(UITableView* table, IndexPath path) {
    table->scrollToRowAtIndexPath(path, false);
    Finger::tap(table->viewport(), table->rectForRowAtIndexPath(path).center());
}
