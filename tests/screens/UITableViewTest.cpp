#include <QAccessible>
#include <QScrollBar>
#include <QtTest>

#include "Platform/UI/UITableViewModel.h"
#include "TableScreenSupport.h"
#include "screens/CalcScreenFixture.h"
#include "support/LogCapture.h"

namespace {

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
};

QUILLET_SCREEN_TEST_MAIN(UITableViewTest)
#include "UITableViewTest.moc"
