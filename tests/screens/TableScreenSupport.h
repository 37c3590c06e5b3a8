#pragma once

#include <QApplication>
#include <QTest>
#include <QWindow>
#include <functional>
#include <string>
#include <vector>

#include "Platform/UI/NavigationController.h"
#include "Platform/UI/UITableViewController.h"

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
    void tableViewDidSelectRowAtIndexPath(UITableView&, IndexPath path) override {
        chosen.push_back(path);
        if (onChoose) onChoose(path);
    }

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
    using ViewController::observe;

    std::vector<Section> sections;
    std::optional<IndexPath> checkedRow;
    std::vector<IndexPath> chosen;
    std::function<void(IndexPath)> onChoose;

protected:
    void viewDidLoad() override { note("load"); }

private:
    void note(const char* step) {
        if (lifeLog_) lifeLog_->push_back(title().toStdString() + " " + step);
    }
    std::vector<std::string>* lifeLog_;
};

// A screen of one section of rows titled "<prefix> 0", "<prefix> 1", ...
inline ProbeScreen::Section numberedRows(const QString& prefix, int count, const QString& header = {}) {
    ProbeScreen::Section section{header, {}, {}};
    for (int row = 0; row < count; ++row) section.rows.push_back(QStringLiteral("%1 %2").arg(prefix).arg(row));
    return section;
}

// The hands on the window: every event goes to the window and finds its widget under the point,
// as a finger's would. A tap presses, moves a little in steps and releases; a drag travels.
class Finger {
public:
    static void tap(QWidget* target, QPoint local = QPoint(-1, -1)) { drag(target, local, QPoint(2, 1)); }

    static void drag(QWidget* target, QPoint local, QPoint travel, int steps = 5) {
        QWindow* window = target->window()->windowHandle();
        const QPoint start = target->mapTo(target->window(), local.x() < 0 ? target->rect().center() : local);
        QTest::mousePress(window, Qt::LeftButton, {}, start);
        for (int step = 1; step <= steps; ++step) QTest::mouseMove(window, start + travel * step / steps);
        QTest::mouseRelease(window, Qt::LeftButton, {}, start + travel);
    }

    // Types into whatever has the keyboard focus in the widget's window.
    static void type(QWidget* anyInWindow, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(anyInWindow->window()->windowHandle(), key, modifiers);
    }
    static void type(QWidget* anyInWindow, const QString& text) {
        for (QChar character : text) {
            QTest::keyClick(anyInWindow->window()->windowHandle(), character.toLatin1());
        }
    }
};

inline bool settles(NavigationController& stack) {
    return QTest::qWaitFor([&] { return !stack.isTransitioning(); }, 3000);
}
