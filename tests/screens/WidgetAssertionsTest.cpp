#include <sys/wait.h>
#include <unistd.h>

#include <QtTest>
#include <functional>

#include "Classes/NumberView.h"
#include "Classes/UIButtonLCD.h"
#include "Classes/UIPageControlReadOnly.h"
#include "HistoryViews/HistoryViewController.h"
#include "Menus/MenuViewController.h"
#include "Menus/Menus.h"
#include "Platform/UI/ViewController.h"
#include "screens/CalcScreenFixture.h"

Q_DECLARE_METATYPE(std::function<void()>)

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
    void programmingErrorsAbortNamingTheSource_data() {
        QTest::addColumn<std::function<void()>>("call");
        QTest::addColumn<QString>("message");
        QTest::newRow("a number view given a value of no type") << std::function<void()>([] {
            NumberView view;
            view.updateWithCalcValue(CalcValue::calcValueWithType(CalcValueTypeNone), {});
        }) << "NumberView: unrecognised calcvalue type";
        QTest::newRow("an LCD given a word size for no type") << std::function<void()>([] {
            UIButtonLCD lcd;
            lcd.updateWithWordSize(32, CalcValueTypeNone);
        }) << "Classes/UIButtonLCD: unrecognised value type";
        QTest::newRow("a page control given lists of different lengths") << std::function<void()>([] {
            UIPageControlReadOnly control;
            control.setImages({Image(QPixmap(4, 4), QSizeF(4, 4))}, {});
        }) << "Classes/UIPageControlReadOnly: differing numbers of images";
        QTest::newRow("a screen outside any stack presenting")
            << std::function<void()>([] { ViewController().presentModalViewController(new QWidget, false); })
            << "Platform/ViewController: no navigation controller to present from";
        QTest::newRow("the history asked for a row its list does not hold") << std::function<void()>([] {
            CalcScreenFixture screen;
            HistoryViewController history(*screen.store, *screen.engine);
            history.loadViewIfNeeded();
            history.tableViewCellForRowAtIndexPath(*history.historyTableView(), {0, 0});
        }) << "HistoryViews/HistoryViewController: unable to get history step";
        QTest::newRow("a menu given a row it never offered") << std::function<void()>([] {
            CalcScreenFixture screen;
            MenuViewController menu(*screen.store, UITableViewStyle::Grouped);
            menu.setViewName(MenuMainShift);
            menu.tableViewDidSelectRowAtIndexPath(*menu.tableView(), {0, 5});
        }) << "Menus/MenuViewController: menu item not found";
        QTest::newRow("the calculator given a choice of an unknown menu") << std::function<void()>([] {
            CalcScreenFixture screen;
            NotificationCenter::defaultCenter().post(MenuViewControllerNotificationItemSelected, nullptr,
                                                     MenuItemSelection{2, OperatorsOperatorAND, {}, 0});
        }) << "Classes/CalcViewControllerMenus: unknown menu type";
        QTest::newRow("good input lives") << std::function<void()>([] {
            UIButtonLCD lcd;
            lcd.updateWithWordSize(32, CalcValueTypeSBase);
        }) << QString();
    }

    void programmingErrorsAbortNamingTheSource() {
        QFETCH(std::function<void()>, call);
        QFETCH(QString, message);
        const Death death = runToDeath(call);
        QCOMPARE(death.aborted, !message.isEmpty());
        QVERIFY2(death.message.contains(message), qPrintable(death.message));
    }
};

QUILLET_SCREEN_TEST_MAIN(WidgetAssertionsTest)
#include "WidgetAssertionsTest.moc"
