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

QStringList rowTexts(const UITableView& table, IndexPath path) {
    const UITableViewCell* cell = table.cellForRowAtIndexPath(path);
    if (!cell) return {};
    QStringList texts;
    for (const UITableViewCellLabel& label : cell->labels) texts << label.text;
    return texts;
}

// Each section's title as its header view shows it.
QStringList headers(const UITableView& table) {
    QStringList titles;
    for (size_t section = 0; section < table.numberOfSections(); ++section) {
        const auto* header = qobject_cast<UILabel*>(table.headerViewForSection(section));
        titles << (header ? header->text() : QStringLiteral("<no header>"));
    }
    return titles;
}

QString daysAgoTitle(int daysAgo) {
    const auto noon = CalcStore::dateQuantizedToToday() + std::chrono::hours(12);
    return QString::fromStdString(
        DateUtils::sharedInstance().stringInNiceFormatFromDate(noon - std::chrono::hours(24 * daysAgo), noon));
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
        QCOMPARE(history->title(), QStringLiteral("History"));
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 0u);
        UITableView& table = *history->historyTableView();
        QCOMPARE(headers(table), QStringList{"Today"});
        QCOMPARE(rowTexts(table, {0, 0}), (QStringList{"12d + 30d = ", "42d"}));
        QCOMPARE(rowTexts(table, {0, 1}), (QStringList{"6d \u00D7 8d = ", "48d"}));
        QCOMPARE(table.cellForRowAtIndexPath({0, 1})->accessibilityLabel, QStringLiteral("Result"));
        QCOMPARE(table.cellForRowAtIndexPath({0, 1})->accessibilityValue, QStringLiteral("decimal 48"));

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

    void dayTitlesFollowTheDaysThatComeAndGo() {
        CalcScreenFixture screen;
        addHistoryStepDaysAgo(*screen.store, 3, real(30), OperatorsOperatorSin, std::nullopt, real(0.5),
                              CalcValueFormatStyleAuto);
        addHistoryStepDaysAgo(*screen.store, 3, real(1.23456789012e-17), OperatorsOperatorDivide, real(1000),
                              real(1.23456789012e-20), CalcValueFormatStyleSci);
        addHistoryStepDaysAgo(*screen.store, 1, u(255), OperatorsOperatorAND, u(15), u(15), CalcValueFormatStyleHex);
        addHistoryStepDaysAgo(*screen.store, 1, u(123456789012345), OperatorsOperatorMultiply, u(1000),
                              u(123456789012345000), CalcValueFormatStyleDec);
        Finger::tap(screen.calc().historyButton());
        HistoryViewController* history = shownHistory(screen);
        QVERIFY(history);
        UITableView& table = *history->historyTableView();
        QCOMPARE(headers(table), (QStringList{"Yesterday", daysAgoTitle(3)}));

        // A day that arrives while the list is shown comes in at the top, with its own title.
        addHistoryStepDaysAgo(*screen.store, 0, u(12), OperatorsOperatorAdd, u(30), u(42), CalcValueFormatStyleDec);
        addHistoryStepDaysAgo(*screen.store, 0, real(2), OperatorsOperatorSqRoot, std::nullopt,
                              real(1.4142135623730951), CalcValueFormatStyleAuto);
        QCOMPARE(headers(table), (QStringList{"Today", "Yesterday", daysAgoTitle(3)}));
        QVERIFY(table.isAnimatingUpdates());
        QTRY_VERIFY(!table.isAnimatingUpdates());
        screen.delegate->window()->resize(360, 560);
        QTRY_COMPARE(table.rectForRowAtIndexPath({1, 1}).height(),
                     qRound(PointScale::pixelsFromPoints(HistoryViewController::HistoryViewControllerRowHeight)));
        saveSnapshot(*screen.delegate->window(), QStringLiteral("history"));

        // Clear asks first; Cancel keeps everything.
        Finger::tap(history->clearButton());
        QPointer<UIActionSheet> sheet = screen.delegate->window()->findChild<UIActionSheet*>();
        QVERIFY(sheet);
        QCOMPARE(sheet->buttonTitleAtIndex(0), QStringLiteral("Clear History"));
        QCOMPARE(sheet->buttonTitleAtIndex(sheet->cancelButtonIndex()), QStringLiteral("Cancel"));
        QTRY_COMPARE(sheet->property("presentation").toReal(), 1.0);
        Finger::tap(sheet->buttonAtIndex(sheet->cancelButtonIndex()));
        QTRY_VERIFY(sheet.isNull());
        QCOMPARE(table.numberOfSections(), size_t{3});
        Finger::tap(history->clearButton());
        sheet = screen.delegate->window()->findChild<UIActionSheet*>();
        QVERIFY(sheet);
        QTRY_COMPARE(sheet->property("presentation").toReal(), 1.0);
        Finger::tap(sheet->buttonAtIndex(0));
        QCOMPARE(table.numberOfSections(), size_t{0});
        QVERIFY(table.isAnimatingUpdates());
        QCOMPARE(screen.store->historyStepsFetchedResultsController()->numberOfObjects(), size_t{0});
        // No title of a day that went is left behind for the next one.
        addHistoryStepDaysAgo(*screen.store, 1, u(1), OperatorsOperatorAdd, u(1), u(2), CalcValueFormatStyleDec);
        QCOMPARE(headers(table), QStringList{"Yesterday"});
        QTRY_VERIFY(!table.isAnimatingUpdates());
        QCOMPARE(rowTexts(table, {0, 0}), (QStringList{"1d + 1d = ", "2d"}));
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
