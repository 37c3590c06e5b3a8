// A history-like table of 100 rows in ten sections: the first paint of a presented table, one
// frame of a drag, and one frame of the fade that removes a section, each from the change to
// the repainted rows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <chrono>
#include <functional>

#include "Platform/UI/UITableViewController.h"
#include "Platform/UI/UITableViewModel.h"

namespace {

using Clock = std::chrono::steady_clock;

class HundredRows : public UITableViewController {
public:
    HundredRows() : UITableViewController(UITableViewStyle::Plain) { tableView()->setRowHeight(30); }

    size_t numberOfSectionsInTableView(UITableView&) override { return sections; }
    size_t tableViewNumberOfRowsInSection(UITableView&, size_t) override { return 10; }
    UITableViewCell tableViewCellForRowAtIndexPath(UITableView&, IndexPath path) override {
        UITableViewCell cell;
        const QString left = QStringLiteral("%1 + %2 = ").arg(path.section * 10 + path.row).arg(path.row * 7);
        cell.labels.push_back({QRectF(0, 0, 213, 30), left, Qt::AlignRight | Qt::AlignVCenter, 16, false});
        cell.labels.push_back({QRectF(213, 0, 106, 30), QString::number(path.row * 8), Qt::AlignLeft, 16, false});
        return cell;
    }
    QString tableViewTitleForHeaderInSection(UITableView&, size_t section) override {
        return QStringLiteral("Day %1").arg(section);
    }
    void tableViewDidSelectRowAtIndexPath(UITableView&, IndexPath) override {}

    size_t sections = 10;
};

// Runs the change and waits until the table's rows have been painted again.
double timeToRepaint(UITableView& table, const std::function<void()>& change) {
    struct PaintWatcher : QObject {
        bool painted = false;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint) painted = true;
            return false;
        }
    } watcher;
    table.viewport()->installEventFilter(&watcher);
    const auto start = Clock::now();
    change();
    while (!watcher.painted) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    table.viewport()->removeEventFilter(&watcher);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_TableOfHundredRowsFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        HundredRows screen;
        screen.resize(480, 690);
        state.SetIterationTime(timeToRepaint(*screen.tableView(), [&] { screen.show(); }));
    }
}
BENCHMARK(BM_TableOfHundredRowsFirstPaint)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

void BM_TableDragFrame(benchmark::State& state) {
    HundredRows screen;
    screen.resize(480, 690);
    screen.show();
    if (!QTest::qWaitForWindowExposed(&screen)) state.SkipWithError("the window was never shown");
    QScrollBar* bar = screen.tableView()->verticalScrollBar();
    int step = 13;
    for (auto _ : state) {
        if (bar->value() + step > bar->maximum() || bar->value() + step < 0) step = -step;
        state.SetIterationTime(timeToRepaint(*screen.tableView(), [&] { bar->setValue(bar->value() + step); }));
    }
}
BENCHMARK(BM_TableDragFrame)->UseManualTime()->Iterations(300)->Unit(benchmark::kMicrosecond);

void BM_TableFadeFrame(benchmark::State& state) {
    HundredRows screen;
    screen.resize(480, 690);
    screen.show();
    if (!QTest::qWaitForWindowExposed(&screen)) state.SkipWithError("the window was never shown");
    UITableView& table = *screen.tableView();
    for (auto _ : state) {
        state.PauseTiming();
        screen.sections = 10;
        table.reloadData();
        screen.sections = 9;
        table.deleteSections({0}, UITableViewRowAnimation::Fade);
        state.ResumeTiming();
        // One frame half way through the fade, as the animation would ask for it.
        state.SetIterationTime(timeToRepaint(table, [&] {
            table.tableModel()->setFadeProgress(0.5);
            table.doItemsLayout();
            table.viewport()->update();
        }));
    }
}
BENCHMARK(BM_TableFadeFrame)->UseManualTime()->Iterations(100)->Unit(benchmark::kMicrosecond);

}  // namespace
