#include <QTest>

#include "Menus/MenuViewController.h"
#include "TableScreenSupport.h"
#include "screens/CalcScreenFixture.h"

// A screen taken off its stack goes on showing while it slides away; the keys typed meanwhile
// belong to the stack, never to the screen leaving it.
class LeavingScreenTest : public QObject {
    Q_OBJECT

private slots:
    void aKeyTypedWhileAScreenSlidesAwayDoesNotReachIt() {
        // Assign Favourites: each of its rows pushes a menu, and the screen going has no stack to
        // push it on. Powers: its rows are operators, one chosen there would be entered and close the menu.
        for (const auto& [section, row, key] :
             {std::tuple{2, 0, Qt::Key_Return}, {2, 0, Qt::Key_Space}, {0, 4, Qt::Key_Return}}) {
            CalcScreenFixture screen;
            QWidget* window = screen.delegate->window();
            NavigationController& calcStack = *screen.delegate->navigationController();
            Finger::tap(screen.keypad().buttonMenuKey());
            QVERIFY(settles(calcStack));
            auto* menus = qobject_cast<NavigationController*>(calcStack.modalViewController());
            QVERIFY(menus);
            const IndexPath path{static_cast<size_t>(section), static_cast<size_t>(row)};
            UITableView* functions = qobject_cast<UITableViewController*>(menus->topViewController())->tableView();
            functions->scrollToRowAtIndexPath(path, false);
            Finger::tap(functions->viewport(), functions->rectForRowAtIndexPath(path).center());
            QVERIFY(settles(*menus));
            auto* leaving = qobject_cast<UITableViewController*>(menus->topViewController());
            QVERIFY(leaving && leaving != functions->parent() && leaving->tableView()->hasFocus());
            Finger::type(window, Qt::Key_Down);

            Finger::type(window, Qt::Key_Escape);
            QVERIFY(menus->isTransitioning());
            Finger::type(window, key);
            QVERIFY(settles(*menus));
            QCOMPARE(calcStack.modalViewController(), menus);
            QCOMPARE(menus->viewControllers().size(), size_t{1});
            QCOMPARE(screen.engine->currOperator(), OperatorsOperatorNone);
        }
    }
};

QUILLET_SCREEN_TEST_MAIN(LeavingScreenTest)
#include "LeavingScreenTest.moc"
