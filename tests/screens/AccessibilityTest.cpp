#include <QAccessible>
#include <QTranslator>
#include <QtTest>

#include "Platform/Core/Localized.h"
#include "Platform/UI/Accessibility.h"
#include "Platform/UI/LocalizedQt.h"
#include "Platform/UI/UIAlertView.h"
#include "Platform/UI/UIButton.h"
#include "Platform/UI/UITableViewModel.h"
#include "Platform/UI/UIWindow.h"
#include "TableScreenSupport.h"

namespace {
// Stands in for a loaded translation: one text in French.
class FrenchTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char*, int) const override {
        if (QByteArray(context) == LocalizedQt::LocalizedQtContext && QByteArray(sourceText) == "Divide by zero") {
            return QStringLiteral("Division par z\u00e9ro");
        }
        return {};
    }
    bool isEmpty() const override { return false; }
};

struct AccessibilityActive {
    AccessibilityActive() { QAccessible::setActive(true); }
    ~AccessibilityActive() { QAccessible::setActive(false); }
};
}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void aScreenPushedOrPresentedIsHeardWhereTheKeyboardLands() {
        AccessibilityActive active;
        UIWindow window;
        auto* stack = new NavigationController(new ProbeScreen("Menu", {numberedRows("Row", 2)}));
        window.addSubview(stack);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* choices = new ProbeScreen("Word size", {numberedRows("Bits", 3)});
        choices->checkedRow = IndexPath{0, 1};
        auto* sheet = new ProbeScreen("About", {numberedRows("Line", 1)});
        {
            Announcements announcements;
            stack->pushViewController(choices, false);
            stack->presentModalViewController(new NavigationController(sheet), false);
            QCOMPARE(announcements.screenChanges, (std::vector<QWidget*>{choices->tableView(), sheet->tableView()}));
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(choices)->text(QAccessible::Name), QStringLiteral("Word size"));
        // The first row is current, so that a reader lands on it; rows carry their text and check.
        UITableViewModel* rows = choices->tableView()->tableModel();
        QVERIFY(rows->indexPathForRow(choices->tableView()->currentIndex().row()) == (IndexPath{0, 0}));
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(choices->tableView());
        QAccessibleInterface* first = table->child(rows->rowForIndexPath({0, 0}));
        QAccessibleInterface* checked = table->child(rows->rowForIndexPath({0, 1}));
        QCOMPARE(checked->text(QAccessible::Name), QStringLiteral("Bits 1"));
        QVERIFY(checked->state().checked && !first->state().checked);

        // An alert over it is a dialog with its title and message; the reader lands on its button.
        Announcements announcements;
        auto* alert = new UIAlertView("Email", "Error sending Email", nullptr, "OK");
        alert->showInView(sheet);
        QAccessibleInterface* dialog = QAccessible::queryAccessibleInterface(alert);
        QCOMPARE(dialog->role(), QAccessible::Dialog);
        QCOMPARE(dialog->text(QAccessible::Description), QStringLiteral("Error sending Email"));
        QCOMPARE(announcements.screenChanges, std::vector<QWidget*>{alert->buttonAtIndex(0)});
        QCOMPARE(QAccessible::queryAccessibleInterface(alert->buttonAtIndex(0))->text(QAccessible::Name),
                 QStringLiteral("OK"));
    }

    void textsGoThroughQtTranslationWithTheEnglishAsKey() {
        LocalizedQt::install();
        QCOMPARE(QString::fromStdString(Localized::string("Divide by zero")), QStringLiteral("Divide by zero"));
        FrenchTranslator french;
        QCoreApplication::installTranslator(&french);
        QCOMPARE(QString::fromStdString(Localized::string("Divide by zero")), QStringLiteral("Division par z\u00e9ro"));
        // A text without translation stays English.
        QCOMPARE(QString::fromStdString(Localized::string("LCD")), QStringLiteral("LCD"));
        QCoreApplication::removeTranslator(&french);
        Localized::setTranslator(nullptr);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
