#include <QAccessible>
#include <QProcess>
#include <QUrlQuery>
#include <QtTest>

#include "HistoryViews/HistoryViewController.h"
#include "Platform/UI/Clipboard.h"
#include "Platform/UI/PointScale.h"
#include "Platform/UI/UIActionSheet.h"
#include "Platform/UI/UIAlertView.h"
#include "Platform/UI/UIBarButtonItem.h"
#include "Platform/UI/UIButton.h"
#include "Platform/UI/UILabel.h"
#include "Platform/UI/UITableViewModel.h"
#include "TableScreenSupport.h"
#include "Utils/DateUtils.h"
#include "persistence/HistoryStepSupport.h"
#include "screens/CalcScreenFixture.h"

namespace {

CalcValue real(double x) { return CalcValue::calcValueWithRealValue(x); }
CalcValue u(uint64_t x) { return CalcValue::calcValueWithUBaseValue(x); }

// The history presented over the calculator, once the flip has ended.
HistoryViewController* shownHistory(CalcScreenFixture& screen) {
    if (!settles(screen.calcStack())) return nullptr;
    return screen.presented() ? qobject_cast<HistoryViewController*>(screen.presented()->rootViewController())
                              : nullptr;
}

// Each section's title as its header view shows it, then its rows' texts.
QStringList shownTexts(const UITableView& table) {
    QStringList texts;
    for (size_t section = 0; section < table.numberOfSections(); ++section) {
        const auto* header = qobject_cast<UILabel*>(table.headerViewForSection(section));
        texts << (header ? header->text() : QStringLiteral("<no header>"));
        for (size_t row = 0; row < table.numberOfRowsInSection(section); ++row) {
            QStringList labels;
            for (const UITableViewCellLabel& label : table.cellForRowAtIndexPath({section, row})->labels) {
                labels << label.text;
            }
            texts << labels.join('|');
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

std::vector<ManagedObject*> fetchedSteps(CalcStore& store) {
    std::string error;
    return store.managedObjectContext()
        ->executeFetchRequest({std::string(CalcStoreHistoryStepEntityName), nullptr, {}}, &error)
        .value_or(std::vector<ManagedObject*>{});
}

QString daysAgoTitle(int daysAgo) {
    const auto noon = CalcStore::dateQuantizedToToday() + std::chrono::hours(12);
    return QString::fromStdString(
        DateUtils::sharedInstance().stringInNiceFormatFromDate(noon - std::chrono::hours(24 * daysAgo), noon));
}

// The texts of steps n + n made d days ago: the latest day first, each day's steps in the order made.
QStringList expectedTexts(const std::vector<std::pair<int, uint64_t>>& steps) {
    QStringList texts;
    for (int day = 0; day < 10; ++day) {
        bool titled = false;
        for (const auto& [daysAgo, n] : steps) {
            if (daysAgo != day) continue;
            if (!std::exchange(titled, true)) texts << daysAgoTitle(day);
            texts << QStringLiteral("%1d + %1d = |%2d").arg(n).arg(2 * n);
        }
    }
    return texts;
}

}  // namespace

class HistoryViewControllerTest : public QObject {
    Q_OBJECT

private slots:
    void keypadStepsAreListedUnderTodayAndAChosenRowGoesBack() {
        CalcScreenFixture screen;
        screen.typeKeys("12+30=C6*8=C");
        Finger::type(screen.delegate->window(), Qt::Key_H, Qt::ControlModifier);
        // A tap while the calculator still turns over is held off.
        QVERIFY(screen.calcStack().isTransitioning());
        Finger::tap(screen.delegate->window());
        HistoryViewController* history = shownHistory(screen);
        QVERIFY(history);
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 0u);
        UITableView& table = *history->historyTableView();
        QCOMPARE(shownTexts(table), (QStringList{"Today", "12d + 30d = |42d", "6d \u00D7 8d = |48d"}));
        // A reader hears the result of a step as its value.
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&table);
        QAccessibleInterface* result = list->child(table.tableModel()->rowForIndexPath({0, 1}));
        QCOMPARE(result->text(QAccessible::Name), QStringLiteral("Result"));
        QCOMPARE(result->text(QAccessible::Description), QStringLiteral("decimal 48"));

        // From the keyboard: down to the second step, Enter takes its result back.
        Finger::type(history, Qt::Key_Down);
        Finger::type(history, Qt::Key_Down);
        Finger::type(history, Qt::Key_Return);
        QVERIFY(settles(screen.calcStack()));
        QVERIFY(!screen.calcStack().modalViewController());
        QCOMPARE(screen.lcdText(2), QStringLiteral("48d"));

        // By hand: the clock button, then a row.
        Finger::tap(screen.calc().historyButton());
        history = shownHistory(screen);
        QVERIFY(history);
        tapRow(history->historyTableView(), {0, 0});
        QVERIFY(settles(screen.calcStack()));
        QVERIFY(!screen.calcStack().modalViewController());
        QCOMPARE(screen.lcdText(2), QStringLiteral("42d"));
    }

    // Steps are "d:n", the step n + n made d days ago; the steps removed are named by their n, or
    // all of them by Clear ("*"). The removed go before the added come.
    void theListFollowsTheDaysThatComeAndGo() {
        const struct {
            QString before, added, removed;
        } rows[] = {
            {"1:1 1:2", "0:3", ""},           // a step on a new day
            {"0:1", "0:2", ""},               // a step on the same day
            {"3:1 1:2 1:3", "0:4 1:5", "1"},  // days come and go
            {"3:1 3:2 1:3", "", "2"},         // a step leaves its day
            {"3:1 1:2 0:3", "", "2"},         // a day between goes and the older days move up
            {"3:1 1:2 0:3", "", "*"},         // the history is cleared after asking
            {"2:1 1:2", "3:4", "*"},          // cleared, then a new step
        };
        for (const auto& [before, added, removed] : rows) {
            CalcScreenFixture screen;
            std::vector<std::pair<int, uint64_t>> steps;
            const auto add = [&](const QString& text) {
                for (const QString& step : text.split(' ', Qt::SkipEmptyParts)) {
                    steps.emplace_back(step.section(':', 0, 0).toInt(), step.section(':', 1).toULongLong());
                    addHistoryStepDaysAgo(*screen.store, steps.back().first, u(steps.back().second),
                                          OperatorsOperatorAdd, u(steps.back().second), u(2 * steps.back().second),
                                          CalcValueFormatStyleDec);
                }
            };
            add(before);
            Finger::tap(screen.calc().historyButton());
            HistoryViewController* history = shownHistory(screen);
            QVERIFY(history);
            UITableView& table = *history->historyTableView();
            QCOMPARE(shownTexts(table), expectedTexts(steps));
            screen.window()->resize(360, 560);
            QTRY_COMPARE(table.rectForRowAtIndexPath({0, 0}).height(),
                         qRound(PointScale::pixelsFromPoints(HistoryViewController::HistoryViewControllerRowHeight)));

            if (removed == "*") {
                steps.clear();
                Finger::tap(history->clearButton());
                QPointer<UIActionSheet> sheet = screen.window()->findChild<UIActionSheet*>();
                QVERIFY(sheet);
                QCOMPARE(sheet->buttonTitleAtIndex(0), QStringLiteral("Clear History"));
                QCOMPARE(sheet->buttonTitleAtIndex(sheet->cancelButtonIndex()), QStringLiteral("Cancel"));
                QTRY_COMPARE(sheet->property("presentation").toReal(), 1.0);
                Finger::tap(sheet->buttonAtIndex(0));
                QCOMPARE(screen.store->historyStepsFetchedResultsController()->numberOfObjects(), size_t{0});
            }
            for (const QString& n : removed.split(' ', Qt::SkipEmptyParts)) {
                std::erase_if(steps, [&](const auto& step) { return step.second == n.toULongLong(); });
                for (ManagedObject* object : fetchedSteps(*screen.store)) {
                    const auto* step = static_cast<HistoryStep*>(object);
                    if (CalcStore::calcValueFromGeneralValue(*step->generalValue1())->uBaseValue() == n.toULongLong()) {
                        screen.store->managedObjectContext()->deleteObject(object);
                    }
                }
                screen.store->saveChanges();
            }
            add(added);
            QCOMPARE(shownTexts(table), expectedTexts(steps));
            QVERIFY(table.isAnimatingUpdates());
            // What went last is still fading out (a later change ends the fading); then the table rests.
            QCOMPARE(table.tableModel()->rowCount() > restingRowCount(table), !removed.isEmpty() && added.isEmpty());
            QTRY_VERIFY(!table.isAnimatingUpdates());
            QCOMPARE(table.tableModel()->rowCount(), restingRowCount(table));
            QCOMPARE(shownTexts(table), expectedTexts(steps));
            // At a new scale the titles are asked for afresh: each still names its section's own day.
            screen.window()->resize(480, 690);
            for (size_t section = 0; section < table.numberOfSections(); ++section) {
                QCOMPARE(table.titleForHeaderInSection(section),
                         qobject_cast<UILabel*>(table.headerViewForSection(section))->text());
            }
        }
    }

    void everyExportGivesTheSameText() {
        CalcScreenFixture screen;
        screen.typeKeys("12+30=");
        addHistoryStepDaysAgo(*screen.store, 2, real(30), OperatorsOperatorSin, std::nullopt, real(0.5),
                              CalcValueFormatStyleAuto);
        Finger::tap(screen.calc().historyButton());
        HistoryViewController* history = shownHistory(screen);
        QVERIFY(history);
        const QString title = daysAgoTitle(2);
        const QString body =
            "Today\n=====\n  12d + 30d = 42d\n" + title + "\n" + QString(title.size(), '=') + "\n  Sin 30 = 0.5\n";
        QCOMPARE(QString::fromStdString(history->stringEmailBodyFromHistorySteps()), body);

        std::vector<QUrl> opened;
        bool handled = true;
        history->setUrlOpener([&](const QUrl& url) {
            opened.push_back(url);
            return handled;
        });
        Finger::tap(history->mailButton());
        QCOMPARE(opened.size(), size_t{1});
        QCOMPARE(opened[0].scheme(), QStringLiteral("mailto"));
        const QUrlQuery mail(opened[0]);
        QCOMPARE(mail.queryItemValue("subject", QUrl::FullyDecoded), QStringLiteral("Calculations from iPhone"));
        QCOMPARE(mail.queryItemValue("body", QUrl::FullyDecoded).replace("\r\n", "\n"), body);
        handled = false;
        Finger::tap(history->mailButton());
        QPointer<UIAlertView> alert = screen.delegate->window()->findChild<UIAlertView*>();
        QVERIFY(alert);
        QCOMPARE(alert->title() + "/" + alert->message() + "/" + alert->buttonTitleAtIndex(0),
                 QStringLiteral("Email/Error sending Email/OK"));
        QTRY_VERIFY(alert->buttonAtIndex(0)->isVisible());
        Finger::tap(alert->buttonAtIndex(0));
        QTRY_VERIFY(alert.isNull());

        // Save…: a folder that is not there is reported; an earlier file is replaced whole.
        const QString folder = screen.directory.filePath("exports");
        QString chosen = folder + "/history.txt";
        history->setSaveFileChooser([&](QWidget*, const QString&) { return chosen; });
        Finger::tap(history->saveButton());
        alert = screen.delegate->window()->findChild<UIAlertView*>();
        QVERIFY(alert && alert->title() == QStringLiteral("Save") && alert->message().contains(chosen));
        alert->dismissWithClickedButtonIndex(0, false);
        QTRY_VERIFY(alert.isNull());
        QVERIFY(!QFile::exists(chosen));
        QDir().mkpath(folder);
        QFile earlier(chosen);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write(QByteArray(4000, 'x')) == 4000);
        earlier.close();
        QTest::keyClick(history->historyTableView(), Qt::Key_S, Qt::ControlModifier);
        QFile saved(chosen);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray savedBytes = saved.readAll();
        QCOMPARE(QString::fromUtf8(savedBytes), body);

        Finger::tap(history->copyButton());
        QCOMPARE(Clipboard::valueForPasteboardType(Clipboard::ClipboardTypeUTF8PlainText), body.toStdString());

        // The terminal's export of the same store, once the app has let it go.
        Finger::tap(history->calcButton());
        QVERIFY(settles(screen.calcStack()));
        QVERIFY(!screen.calcStack().modalViewController());
        const QString storePath = QString::fromStdString(screen.store->storePath());
        screen.quit();
        QProcess cli;
        cli.start(QStringLiteral(QUILLET_CLI), {"--store", storePath, "--history"});
        QVERIFY(cli.waitForFinished(20000));
        QCOMPARE(cli.exitCode(), 0);
        QCOMPARE(cli.readAllStandardOutput(), savedBytes);
    }
};

QUILLET_SCREEN_TEST_MAIN(HistoryViewControllerTest)
#include "HistoryViewControllerTest.moc"
