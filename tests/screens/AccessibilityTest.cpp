#include <QAccessible>
#include <QTranslator>
#include <QtTest>

#include "Classes/UIButtonFavourite.h"
#include "Classes/UIButtonLCD.h"
#include "Platform/Core/Localized.h"
#include "Platform/UI/Accessibility.h"
#include "Platform/UI/LocalizedQt.h"
#include "Platform/UI/UIAlertView.h"
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
    void lcdIsOneStaticTextElementWithItsValue() {
        AccessibilityActive active;
        UIButtonLCD lcd;
        lcd.resize(320, 90);
        lcd.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(10),
                                CalcValueFormat::withStyle(CalcValueFormatStyleBin));
        QAccessibleInterface* element = QAccessible::queryAccessibleInterface(&lcd);
        QVERIFY(element != nullptr);
        QCOMPARE(element->role(), QAccessible::StaticText);
        QCOMPARE(element->text(QAccessible::Name), QStringLiteral("LCD"));
        QCOMPARE(element->text(QAccessible::Value), QStringLiteral("binary 1010"));
        QCOMPARE(element->childCount(), 0);
    }

    void favouriteIsAButtonWithAHintThatCanBePressed() {
        AccessibilityActive active;
        UIButtonFavourite button;
        button.setOperatorsOperator(OperatorsOperatorAdd);
        QSignalSpy clicks(&button, &QAbstractButton::clicked);
        QAccessibleInterface* element = QAccessible::queryAccessibleInterface(&button);
        QVERIFY(element != nullptr);
        QCOMPARE(element->role(), QAccessible::Button);
        QCOMPARE(element->text(QAccessible::Name), QStringLiteral("Favourite"));
        QCOMPARE(element->text(QAccessible::Description), QStringLiteral("Add."));
        QAccessibleActionInterface* actions = element->actionInterface();
        QVERIFY(actions != nullptr);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicks.count(), 1);
    }

    void announcementsReachTheObserver() {
        QWidget screen;
        std::vector<AccessibilityNotification> seen;
        Accessibility::Observer previous = Accessibility::setObserver(
            [&](AccessibilityNotification notification, QWidget*) { seen.push_back(notification); });
        Accessibility::postNotification(AccessibilityNotification::ScreenChanged, &screen);
        Accessibility::postNotification(AccessibilityNotification::LayoutChanged, &screen);
        Accessibility::setObserver(previous);
        QCOMPARE(seen.size(), size_t(2));
        QVERIFY(seen[0] == AccessibilityNotification::ScreenChanged);
    }

    void aScreenPushedOrPresentedIsHeardWhereTheKeyboardLands() {
        AccessibilityActive active;
        UIWindow window;
        auto* stack = new NavigationController(new ProbeScreen("Menu", {numberedRows("Row", 2)}));
        window.addSubview(stack);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        std::vector<QWidget*> announced;
        Accessibility::Observer previous = Accessibility::setObserver([&](AccessibilityNotification note, QWidget* at) {
            if (note == AccessibilityNotification::ScreenChanged) announced.push_back(at);
        });
        auto* choices = new ProbeScreen("Word size", {numberedRows("Bits", 3)});
        choices->checkedRow = IndexPath{0, 1};
        stack->pushViewController(choices, false);
        auto* sheet = new ProbeScreen("About", {numberedRows("Line", 1)});
        stack->presentModalViewController(new NavigationController(sheet), false);
        Accessibility::setObserver(previous);

        QCOMPARE(announced, (std::vector<QWidget*>{choices->tableView(), sheet->tableView()}));
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
        announced.clear();
        Accessibility::setObserver([&](AccessibilityNotification note, QWidget* at) {
            if (note == AccessibilityNotification::ScreenChanged) announced.push_back(at);
        });
        auto* alert = new UIAlertView("Email", "Error sending Email", nullptr, "OK");
        alert->showInView(sheet);
        Accessibility::setObserver(previous);
        QAccessibleInterface* dialog = QAccessible::queryAccessibleInterface(alert);
        QCOMPARE(dialog->role(), QAccessible::Dialog);
        QCOMPARE(dialog->text(QAccessible::Description), QStringLiteral("Error sending Email"));
        QCOMPARE(announced, std::vector<QWidget*>{alert->buttonAtIndex(0)});
        QCOMPARE(QAccessible::queryAccessibleInterface(announced.front())->text(QAccessible::Name),
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
