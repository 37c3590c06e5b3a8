#include <QKeySequence>
#include <QtTest>

#include "Platform/UI/UIActionSheet.h"
#include "Platform/UI/UIAlertView.h"
#include "Platform/UI/UIButton.h"
#include "TableScreenSupport.h"
#include "screens/CalcScreenFixture.h"

namespace {

struct Answers : UIActionSheetDelegate, UIAlertViewDelegate {
    std::vector<int> given;
    void actionSheetClickedButtonAtIndex(UIActionSheet&, int buttonIndex) override { given.push_back(buttonIndex); }
    void alertViewClickedButtonAtIndex(UIAlertView&, int buttonIndex) override { given.push_back(buttonIndex); }
};

// "tap:N" taps button N once it has come to rest; "keys:A,B" types the named keys at once.
void answer(ModalOverlay& overlay, const QString& how) {
    const QString what = how.section(':', 1);
    if (how.startsWith("tap")) {
        QTRY_COMPARE(overlay.property("presentation").toReal(), 1.0);
        Finger::tap(overlay.buttonAtIndex(what.toInt()));
        return;
    }
    for (const QString& key : what.split(',')) Finger::type(&overlay, Qt::Key(QKeySequence(key)[0].key()));
}

}  // namespace

class ActionSheetAndAlertTest : public QObject {
    Q_OBJECT

private slots:
    void theSheetAnswersWithTheIndexOfTheButton_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("expected");
        QTest::newRow("tap the destructive button") << "tap:0" << 0;
        QTest::newRow("tap Cancel") << "tap:1" << 1;
        QTest::newRow("Escape cancels") << "keys:Esc" << 1;
        QTest::newRow("Enter alone presses Cancel") << "keys:Return" << 1;
        QTest::newRow("Up, then Enter") << "keys:Up,Enter" << 0;
        QTest::newRow("Tab wraps round") << "keys:Tab,Tab,Space" << 1;
    }

    void theSheetAnswersWithTheIndexOfTheButton() {
        QFETCH(QString, how);
        QFETCH(int, expected);
        CalcScreenFixture screen;
        Answers answers;
        QPointer<UIActionSheet> sheet(new UIActionSheet("", &answers, "Cancel", "Clear History"));
        sheet->showInView(&screen.calc());
        QCOMPARE(sheet->buttonTitleAtIndex(sheet->destructiveButtonIndex()), QStringLiteral("Clear History"));
        QCOMPARE(sheet->cancelButtonIndex(), 1);
        // Nothing under the sheet can be reached, by hand or by keyboard.
        Finger::tap(screen.keypad().numberButton(7));
        Finger::type(&screen.calc(), "8");
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 0u);
        // Keys answer as soon as it comes into view, while it still slides.
        const QRect window = screen.delegate->window()->rect();
        QTRY_VERIFY(window.contains(sheet->buttonAtIndex(sheet->cancelButtonIndex())->geometry().center()));
        saveSnapshot(*screen.delegate->window(), QStringLiteral("actionSheet"));

        answer(*sheet, how);
        QCOMPARE(answers.given, std::vector<int>{expected});
        // It answers once, then goes.
        answer(*sheet, "keys:Return");
        QCOMPARE(answers.given.size(), size_t{1});
        QTRY_VERIFY(sheet.isNull());
        Finger::type(&screen.calc(), "8");
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 8u);
    }

    void theAlertAnswersByHandAndByKeyboard() {
        CalcScreenFixture screen;
        Answers answers;
        for (const char* how : {"keys:Enter", "tap:0"}) {
            QPointer<UIAlertView> alert(new UIAlertView("Email", "Error sending Email", &answers, "OK"));
            alert->showInView(&screen.calc());
            QTRY_VERIFY(alert->buttonAtIndex(0)->isVisible());
            saveSnapshot(*screen.delegate->window(), QStringLiteral("alert"));
            answer(*alert, how);
            QTRY_VERIFY(alert.isNull());
        }
        QCOMPARE(answers.given, (std::vector<int>{0, 0}));
    }
};

QUILLET_SCREEN_TEST_MAIN(ActionSheetAndAlertTest)
#include "ActionSheetAndAlertTest.moc"
