#include <QAccessible>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include "Platform/Store/FetchedResultsController.h"
#include "Platform/Store/ManagedObjectContext.h"
#include "Platform/Store/PersistentStoreCoordinator.h"
#include "Platform/UI/PointScale.h"
#include "Platform/UI/UILabel.h"
#include "Platform/UI/UITableViewModel.h"
#include "TableScreenSupport.h"
#include "screens/CalcScreenFixture.h"
#include "support/LogCapture.h"

namespace {

// Steps of a history in a store of their own, grouped by day, newest day first, as the live
// list reports them to the table it drives.
class LiveListScreen : public ProbeScreen, public FetchedResultsControllerDelegate {
public:
    explicit LiveListScreen(const QString& path)
        : ProbeScreen("History", {}, nullptr, UITableViewStyle::Plain),
          model_({{"Step", {{"day", AttributeType::Int32}, {"position", AttributeType::Int32}}, {}}}),
          coordinator_(model_, path.toStdString()),
          context_(coordinator_),
          list_({"Step", nullptr, {{"day", false}, {"position", true}}}, context_, "day", "Steps") {
        list_.setDelegate(this);
    }

    void add(int day, int position) {
        ManagedObject* step = context_.insertNewObjectForEntityForName("Step");
        step->setValue(int32_t{day}, "day");
        step->setValue(int32_t{position}, "position");
    }
    void remove(int position) {
        for (const auto& section : list_.sections()) {
            for (ManagedObject* step : section.objects) {
                if (step->int32ForKey("position") == position) context_.deleteObject(step);
            }
        }
    }
    void fetch() {
        context_.processPendingChanges();
        QVERIFY(list_.performFetch(nullptr));
    }
    void report() { context_.processPendingChanges(); }
    // The title and the row texts of each of the list's sections.
    std::vector<std::vector<QString>> listTexts() const {
        std::vector<std::vector<QString>> texts;
        for (const auto& section : list_.sections()) {
            texts.push_back({QStringLiteral("Day %1").arg(*section.objects.front()->int32ForKey("day"))});
            for (ManagedObject* step : section.objects) texts.back().push_back(textOf(step));
        }
        return texts;
    }

    size_t numberOfSectionsInTableView(UITableView&) override { return list_.sections().size(); }
    size_t tableViewNumberOfRowsInSection(UITableView&, size_t section) override {
        return list_.sections()[section].numberOfObjects();
    }
    UITableViewCell tableViewCellForRowAtIndexPath(UITableView&, IndexPath path) override {
        UITableViewCell cell;
        cell.text = textOf(list_.objectAtIndexPath(path));
        return cell;
    }
    QString tableViewTitleForHeaderInSection(UITableView&, size_t section) override {
        return QStringLiteral("Day %1").arg(*list_.sections()[section].objects.front()->int32ForKey("day"));
    }

    QString tableViewTitleForFooterInSection(UITableView&, size_t) override { return {}; }
    QWidget* tableViewViewForHeaderInSection(UITableView& table, size_t section) override {
        return new UILabel(tableViewTitleForHeaderInSection(table, section));
    }
    qreal tableViewHeightForHeaderInSection(UITableView&, size_t) override { return 25; }

    void controllerWillChangeContent(FetchedResultsController&) override { tableView()->beginUpdates(); }
    void controllerDidChangeSection(FetchedResultsController&, size_t section, FetchedResultsChangeType type) override {
        if (type == FetchedResultsChangeType::Insert)
            tableView()->insertSections({section}, UITableViewRowAnimation::Fade);
        else
            tableView()->deleteSections({section}, UITableViewRowAnimation::Fade);
    }
    void controllerDidChangeObject(FetchedResultsController&, ManagedObject*, IndexPath path,
                                   FetchedResultsChangeType type) override {
        if (type == FetchedResultsChangeType::Insert)
            tableView()->insertRowsAtIndexPaths({path}, UITableViewRowAnimation::Fade);
        else
            tableView()->deleteRowsAtIndexPaths({path}, UITableViewRowAnimation::Fade);
    }
    void controllerDidChangeContent(FetchedResultsController&) override { tableView()->endUpdates(); }

private:
    static QString textOf(const ManagedObject* step) {
        return QStringLiteral("#%1").arg(*step->int32ForKey("position"));
    }

    ManagedObjectModel model_;
    PersistentStoreCoordinator coordinator_;
    ManagedObjectContext context_;
    FetchedResultsController list_;
};

std::vector<std::vector<QString>> tableTexts(UITableView& table) {
    std::vector<std::vector<QString>> texts(table.numberOfSections());
    for (size_t section = 0; section < texts.size(); ++section) {
        const auto* header = qobject_cast<UILabel*>(table.headerViewForSection(section));
        texts[section].push_back(header ? header->text() : QStringLiteral("<no header view>"));
        for (size_t row = 0; row < table.numberOfRowsInSection(section); ++row) {
            texts[section].push_back(table.cellForRowAtIndexPath({section, row})->text);
        }
    }
    return texts;
}

// The flat rows of a table that is at rest: a header and a footer for each section, and its rows.
int restingRowCount(UITableView& table) {
    int rows = 0;
    for (size_t section = 0; section < table.numberOfSections(); ++section) {
        rows += 2 + static_cast<int>(table.numberOfRowsInSection(section));
    }
    return rows;
}

QAccessibleInterface* accessibleRow(UITableView& table, const QString& name) {
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&table);
    for (int child = 0; child < list->childCount(); ++child) {
        if (list->child(child)->text(QAccessible::Name) == name) return list->child(child);
    }
    return nullptr;
}

void showOnItsOwn(QWidget& screen) {
    screen.resize(320, 460);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
}

const std::vector<ProbeScreen::Section> kSettings = {
    {"Display", {"Angle", "Decimal Places", "Significant Figures"}, "Hold down the ± key"}, {"", {"Reset"}, ""}};

}  // namespace

class UITableViewTest : public QObject {
    Q_OBJECT

private slots:
    void aTapChoosesAndADragScrolls() {
        ProbeScreen screen("History", {numberedRows("Step", 100)}, nullptr, UITableViewStyle::Plain);
        showOnItsOwn(screen);
        UITableView& table = *screen.tableView();
        const QRect second = table.rectForRowAtIndexPath({0, 2});
        Finger::tap(table.viewport(), second.center());
        QCOMPARE(screen.chosen, (std::vector<IndexPath>{{0, 2}}));
        QCOMPARE(table.indexPathForSelectedRow(), std::optional<IndexPath>(IndexPath{0, 2}));

        // A finger that moves on becomes a drag: the table follows it and nothing is chosen.
        const QPoint fifth = table.rectForRowAtIndexPath({0, 5}).center();
        Finger::press(table.viewport(), fifth);
        QCOMPARE(table.indexPathForHighlightedRow(), std::optional<IndexPath>(IndexPath{0, 5}));
        Finger::move(table.viewport(), fifth, fifth - QPoint(0, 40), 5, 0);
        QVERIFY(!table.indexPathForHighlightedRow());
        Finger::release(table.viewport(), fifth - QPoint(0, 40));
        QCOMPARE(screen.chosen.size(), size_t{1});
        QVERIFY(table.verticalScrollBar()->value() > 0);

        // The highlight of the chosen row fades when it is deselected.
        table.deselectRowAtIndexPath({0, 2}, true);
        QVERIFY(!table.indexPathForSelectedRow());
        const int row = table.tableModel()->rowForIndexPath({0, 2});
        QVERIFY(table.tableModel()->entry(row).fadingHighlight > 0);
        QTRY_COMPARE(table.tableModel()->entry(row).fadingHighlight, 0.0);
    }

    void theKeyboardMovesChoosesAndJumps() {
        ProbeScreen screen("Settings", kSettings);
        showOnItsOwn(screen);
        const auto selected = [&] { return screen.tableView()->indexPathForSelectedRow(); };
        using Path = std::optional<IndexPath>;
        for (int press = 0; press < 5; ++press) Finger::type(&screen, Qt::Key_Down);
        // Headers and footers are passed over; the last row stays selected.
        QCOMPARE(selected(), Path(IndexPath{1, 0}));
        Finger::type(&screen, Qt::Key_Up);
        QCOMPARE(selected(), Path(IndexPath{0, 2}));
        QVERIFY(screen.chosen.empty());
        Finger::type(&screen, Qt::Key_Enter);
        QCOMPARE(screen.chosen, (std::vector<IndexPath>{{0, 2}}));
        const int pause = QApplication::keyboardInputInterval() + 50;
        for (const auto& [typed, row] :
             std::vector<std::pair<QString, IndexPath>>{{"de", {0, 1}}, {"r", {1, 0}}, {"a", {0, 0}}, {"si", {0, 2}}}) {
            QTest::qWait(pause);
            Finger::type(&screen, typed);
            QCOMPARE(selected(), Path(row));
        }
    }

    void rowsAreAccessibleWithTheirState() {
        struct SpokenScreen : ProbeScreen {
            using ProbeScreen::ProbeScreen;
            UITableViewCell tableViewCellForRowAtIndexPath(UITableView& table, IndexPath path) override {
                UITableViewCell cell = ProbeScreen::tableViewCellForRowAtIndexPath(table, path);
                if (path.section == 1) cell.accessibilityLabel = "Result", cell.accessibilityValue = "forty two";
                return cell;
            }
        } screen("Settings", kSettings);
        screen.checkedRow = IndexPath{0, 1};
        showOnItsOwn(screen);
        UITableView& table = *screen.tableView();
        table.selectRowAtIndexPath({0, 0}, false);
        QAccessibleInterface* angle = accessibleRow(table, "Angle");
        QAccessibleInterface* places = accessibleRow(table, "Decimal Places");
        QVERIFY(angle && places);
        QVERIFY(angle->state().selected && !angle->state().checked);
        QVERIFY(places->state().checked && !places->state().selected);
        QAccessibleInterface* result = accessibleRow(table, "Result");
        QVERIFY(result);
        QCOMPARE(result->text(QAccessible::Description), QStringLiteral("forty two"));
        QCOMPARE(table.titleForFooterInSection(0), QStringLiteral("Hold down the ± key"));
    }

    void aBatchThatDisagreesWithTheDataSourceReloads() {
        ProbeScreen screen("Settings", kSettings);
        showOnItsOwn(screen);
        LogCapture log;
        screen.sections[0].rows.push_back("Integer Size");
        // Two rows said to be new where the data source has one more.
        screen.tableView()->insertRowsAtIndexPaths({{0, 3}, {0, 4}}, UITableViewRowAnimation::Fade);
        QCOMPARE(screen.tableView()->numberOfRowsInSection(0), size_t{4});
        QCOMPARE(screen.tableView()->cellForRowAtIndexPath({0, 3})->text, QStringLiteral("Integer Size"));
        QCOMPARE(log.lines(),
                 std::vector<std::string>{"UITableView: the updates disagree with the data source; reloading"});
    }

    void followsTheLiveListInTheOrderItReports_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QString>("removed");
        QTest::newRow("a step on a new day") << "1:1 1:2"
                                             << "2:3"
                                             << "";
        QTest::newRow("a step on the same day") << "1:1"
                                                << "1:2"
                                                << "";
        QTest::newRow("days come and go") << "1:1 2:2 2:3"
                                          << "3:4 2:5"
                                          << "1";
        QTest::newRow("a step leaves its day") << "1:1 1:2 2:3"
                                               << ""
                                               << "2";
        QTest::newRow("the history is cleared") << "1:1 2:2 3:3"
                                                << ""
                                                << "1 2 3";
        QTest::newRow("cleared, then a new step") << "1:1 2:2"
                                                  << "4:4"
                                                  << "1 2";
    }

    void followsTheLiveListInTheOrderItReports() {
        QFETCH(QString, before);
        QFETCH(QString, added);
        QFETCH(QString, removed);
        const auto steps = [](const QString& text) {
            std::vector<std::pair<int, int>> parsed;
            for (const QString& step : text.split(' ', Qt::SkipEmptyParts)) {
                parsed.emplace_back(step.section(':', 0, 0).toInt(), step.section(':', 1, 1).toInt());
            }
            return parsed;
        };
        QTemporaryDir folder;
        LiveListScreen screen(folder.filePath("steps.sqlite"));
        for (auto [day, position] : steps(before)) screen.add(day, position);
        screen.fetch();
        showOnItsOwn(screen);
        UITableView& table = *screen.tableView();
        QCOMPARE(tableTexts(table), screen.listTexts());

        for (auto [day, position] : steps(added)) screen.add(day, position);
        for (const QString& position : removed.split(' ', Qt::SkipEmptyParts)) screen.remove(position.toInt());
        screen.report();
        QCOMPARE(tableTexts(table), screen.listTexts());
        QCOMPARE(table.isAnimatingUpdates(), true);
        // What went is still fading out; then the table is at rest.
        QCOMPARE(table.tableModel()->rowCount() > restingRowCount(table), !removed.isEmpty());
        QTRY_VERIFY(!table.isAnimatingUpdates());
        QCOMPARE(table.tableModel()->rowCount(), restingRowCount(table));
        QCOMPARE(tableTexts(table), screen.listTexts());
        if (table.numberOfSections() > 0) {
            QCOMPARE(table.rectForHeaderInSection(0).height(), qRound(PointScale::pixelsFromPoints(25)));
        }
    }
};

QUILLET_SCREEN_TEST_MAIN(UITableViewTest)
#include "UITableViewTest.moc"
