#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "Calculator/CalcEngine.h"
#include "Classes/CalcViewController.h"
#include "Classes/NumberView.h"
#include "Classes/UIButtonLCD.h"
#include "Classes/UIPageControlReadOnly.h"
#include "HistoryViews/HistoryViewController.h"
#include "Menus/MenuViewController.h"
#include "Menus/Menus.h"
#include "Model/CalcStore.h"
#include "Model/UserSettings.h"
#include "Platform/Store/UserDefaults.h"
#include "Platform/UI/ViewController.h"

namespace {
struct Death {
    bool aborted = false;
    QString message;
};

// Runs the call in a child process and reports whether it ended by abort, with what it wrote
// on standard error.
Death runToDeath(const std::function<void()>& call) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDERR_FILENO);
        close(pipeEnds[0]);
        call();
        _exit(0);
    }
    close(pipeEnds[1]);
    QByteArray written;
    char buffer[512];
    ssize_t count;
    while ((count = read(pipeEnds[0], buffer, sizeof buffer)) > 0) written.append(buffer, count);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT, QString::fromUtf8(written)};
}
}  // namespace

class WidgetAssertionsTest : public QObject {
    Q_OBJECT

private slots:
    void numberViewRefusesAValueOfNoType() {
        const Death death = runToDeath([] {
            NumberView view;
            view.updateWithCalcValue(CalcValue::calcValueWithType(CalcValueTypeNone), {});
        });
        QVERIFY(death.aborted);
        QVERIFY2(death.message.contains("NumberView: unrecognised calcvalue type"), qPrintable(death.message));
    }

    void lcdRefusesAWordSizeForNoType() {
        const Death death = runToDeath([] {
            UIButtonLCD lcd;
            lcd.updateWithWordSize(32, CalcValueTypeNone);
        });
        QVERIFY(death.aborted);
        QVERIFY2(death.message.contains("Classes/UIButtonLCD: unrecognised value type"), qPrintable(death.message));
    }

    void pageControlRefusesListsOfDifferentLengths() {
        const Death death = runToDeath([] {
            UIPageControlReadOnly control;
            QPixmap pixmap(4, 4);
            control.setImages({Image(pixmap, QSizeF(4, 4))}, {});
        });
        QVERIFY(death.aborted);
        QVERIFY2(death.message.contains("Classes/UIPageControlReadOnly: differing numbers of images"),
                 qPrintable(death.message));
    }

    void aScreenOutsideAnyStackCannotPresent() {
        const Death death = runToDeath([] { ViewController().presentModalViewController(new QWidget, false); });
        QVERIFY(death.aborted);
        QVERIFY2(death.message.contains("Platform/ViewController: no navigation controller to present from"),
                 qPrintable(death.message));
    }

    void theHistoryRefusesARowItsListDoesNotHold() {
        QTemporaryDir folder;
        const Death death = runToDeath([&] {
            CalcStore store(folder.filePath("Quillet.sqlite").toStdString());
            CalcEngine engine;
            HistoryViewController history(store, engine);
            history.loadViewIfNeeded();
            history.tableViewCellForRowAtIndexPath(*history.historyTableView(), {0, 0});
        });
        QVERIFY(death.aborted);
        QVERIFY2(death.message.contains("HistoryViews/HistoryViewController: unable to get history step"),
                 qPrintable(death.message));
    }

    void theSameCallsWithGoodInputLive() {
        const Death death = runToDeath([] {
            UIButtonLCD lcd;
            lcd.updateWithWordSize(32, CalcValueTypeSBase);
        });
        QVERIFY(!death.aborted);
    }

    void menusRefuseARowTheyNeverOffered() {
        const Death death = runToDeath([] {
            QTemporaryDir directory;
            CalcStore store(directory.filePath("Quillet.sqlite").toStdString());
            MenuViewController menu(store, UITableViewStyle::Grouped);
            menu.setViewName(MenuMainShift);
            menu.tableViewDidSelectRowAtIndexPath(*menu.tableView(), {0, 5});
        });
        QVERIFY(death.aborted);
        QVERIFY2(death.message.contains("Menus/MenuViewController: menu item not found"), qPrintable(death.message));
    }

    void theCalculatorRefusesAChoiceOfAnUnknownMenu() {
        const Death death = runToDeath([] {
            QTemporaryDir directory;
            UserDefaults defaults(directory.filePath("settings.ini").toStdString());
            UserSettings settings(defaults);
            CalcStore store(directory.filePath("Quillet.sqlite").toStdString());
            CalcEngine engine;
            CalcViewController calc(engine, store, settings);
            NotificationCenter::defaultCenter().post(MenuViewControllerNotificationItemSelected, nullptr,
                                                     MenuItemSelection{2, OperatorsOperatorAND, {}, 0});
        });
        QVERIFY(death.aborted);
        QVERIFY2(death.message.contains("Classes/CalcViewControllerMenus: unknown menu type"),
                 qPrintable(death.message));
    }
};

QTEST_MAIN(WidgetAssertionsTest)
#include "WidgetAssertionsTest.moc"
