#include <sys/wait.h>
#include <unistd.h>

#include <QtTest>
#include <functional>

#include "Classes/NumberView.h"
#include "Classes/UIButtonLCD.h"
#include "Classes/UIPageControlReadOnly.h"

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

QTEST_MAIN(WidgetAssertionsTest)
#include "WidgetAssertionsTest.moc"
