#include <QAccessible>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "Classes/ASCIIViewController.h"
#include "Classes/SecondButtonViewController.h"
#include "Classes/UIButtonASCIITable.h"
#include "Classes/UIPageControlReadOnly.h"
#include "Platform/UI/PointScale.h"
#include "screens/CalcScreenFixture.h"

namespace {

constexpr qreal kScale = 1.5;

// The pixels of a cell of the 320 by 800 table at the test's scale: 40 by 50 points.
QRect cellPixels(int code) {
    return QRect(static_cast<int>((code % 8) * 40 * kScale), static_cast<int>((code / 8) * 50 * kScale),
                 static_cast<int>(40 * kScale), static_cast<int>(50 * kScale));
}

QPoint pixelsFromPoints(QPointF points) { return (points * PointScale::factor()).toPoint(); }

// The ASCII page on its own over a fresh engine, at the point scale of the test window.
struct TablePage {
    explicit TablePage(const CalcValue& accumulator) {
        previousScale = PointScale::factor();
        PointScale::setFactor(kScale);
        engine.setAccumulatorCalcValue(accumulator);
        page = std::make_unique<ASCIIViewController>(engine);
        page->show();
    }
    ~TablePage() {
        page.reset();
        PointScale::setFactor(previousScale);
    }
    UIButtonASCIITable* table() const { return page->asciiTableButton(); }

    qreal previousScale;
    CalcEngine engine;
    std::unique_ptr<ASCIIViewController> page;
};

}  // namespace

class ASCIITableTest : public QObject {
    Q_OBJECT

private slots:
    void cellGeometry() {
        const struct {
            QSizeF frame;
            int code;
            QRectF cell;
        } rows[] = {
            {QSizeF(320, 800), 65, QRectF(40, 400, 40, 50)},    // A, column 1 of row 8
            {QSizeF(320, 800), 127, QRectF(280, 750, 40, 50)},  // DEL bottom right
            {QSizeF(300, 500), 9, QRectF(37, 31, 37, 31)},      // whole points, truncated
            {QSizeF(327, 815), 127, QRectF(280, 750, 40, 50)},  // a ragged frame keeps whole cells
        };
        for (const auto& row : rows) {
            QCOMPARE(UIButtonASCIITable(QRectF(QPointF(0, 0), row.frame)).rectForASCIIValue(row.code), row.cell);
        }
    }

    // The point touched, the width of the table's frame, and the code entered (-1: no cell there).
    void touchSelectsThenTapEnters() {
        const struct {
            QPointF point;
            qreal frameWidth;
            int code;
        } rows[] = {
            {{45, 420}, 320, 65},        // A
            {{0.5, 0.5}, 320, 0},        // NUL at the corner
            {{40, 50}, 320, 9},          // the first point of a cell
            {{319.4, 799.4}, 320, 127},  // DEL
            {{314, 10}, 316, -1},        // past the last whole column
        };
        for (const auto& [point, frameWidth, code] : rows) {
            TablePage page(CalcValue::calcValueWithUBaseValue(7));
            page.table()->setFrame(QRectF(0, 0, frameWidth, 800));
            const int pressed = code < 0 ? 7 : code;
            const QPoint at = pixelsFromPoints(point);
            // A finger wobbles a little, towards the middle of the table.
            const QPoint wobble = at.x() > 240 ? QPoint(-1, -1) : QPoint(1, 1);
            Finger::press(page.table(), at);
            QCOMPARE(page.table()->selectedASCIIValue(), pressed);          // pressed at once
            QCOMPARE(page.engine.accumulatorCalcValue().uBaseValue(), 7u);  // entered on lifting
            Finger::move(page.table(), at, at + wobble * 2, 2, 0);
            Finger::release(page.table(), at + wobble * 2);
            QCOMPARE(page.engine.accumulatorCalcValue().uBaseValue(), static_cast<uint64_t>(pressed));
            QCOMPARE(page.table()->selectedASCIIValue(), pressed);
        }
    }

    void aFingerThatScrollsEntersNothing() {
        CalcScreenFixture screen;
        screen.typeKeys("7");
        CalcScreenFixture::swipeTo(screen.calc().buttonScrollView(), 1);
        SecondButtonViewController* page = screen.calc().secondButtonViewController();
        QVERIFY(page->asciiViewController() != nullptr);  // shown before its delay: made at once
        UIButtonASCIITable* table = page->asciiViewController()->asciiTableButton();
        QCOMPARE(page->contentOffsetY(), 180.0);
        // Up the table: it scrolls with the finger, and the pressed cell lets go.
        const QPoint start = pixelsFromPoints(QPointF(45, 180 + 150));
        Finger::drag(table, start, start - QPoint(0, 120), 8, 10);
        QCOMPARE(page->contentOffsetY(), 180.0 + 120 / PointScale::factor());
        QCOMPARE(table->selectedASCIIValue(), 7);
        // Sideways from the table: the keypad strip turns back.
        const QPoint middle = table->mapFrom(page, page->rect().center());
        Finger::drag(table, middle, middle + QPoint(page->width() * 6 / 10, 0), 10, 15);
        QTRY_COMPARE(screen.calc().buttonsPageControl()->currentPage(), 0);
        QCOMPARE(table->selectedASCIIValue(), 7);
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 7u);
        QTRY_VERIFY(!page->isRedrawing());
    }

    void theTableWaitsForTheLastChangeWhileShown() {
        CalcScreenFixture screen;
        QWidget* window = screen.delegate->window();
        CalcScreenFixture::swipeTo(screen.calc().buttonScrollView(), 1);
        ASCIIViewController* controller = screen.calc().secondButtonViewController()->asciiViewController();
        UIButtonASCIITable* table = controller->asciiTableButton();
        constexpr double delay = 0.3;
        controller->setUpdateDelay(delay);
        QSignalSpy updates(controller, &ASCIIViewController::asciiTableUpdated);
        for (const char* digit : {"1", "2", "0"}) {
            QTest::keyClicks(window, digit);
            QTest::qWait(120);  // each digit within the delay of the one before, the three beyond it
        }
        QCOMPARE(updates.count(), 0);
        QVERIFY(controller->isUpdatePending());
        QTRY_COMPARE(updates.count(), 1);
        QCOMPARE(table->selectedASCIIValue(), 120);
        QTest::qWait(static_cast<int>(delay * 1000) + 100);
        QCOMPARE(updates.count(), 1);

        // A change of base redraws the codes after the same delay.
        CalcScreenFixture::swipe(screen.calc().displayScrollView(), 0.6);
        QTRY_COMPARE(table->numberBase(), 16);
        QCOMPARE(updates.count(), 2);

        // Hidden, it waits for nothing; shown again, it catches up at once.
        CalcScreenFixture::swipeTo(screen.calc().buttonScrollView(), 0);
        QTest::keyClick(window, Qt::Key_Escape);
        QTest::keyClicks(window, "5");
        QVERIFY(!controller->isUpdatePending());
        QTest::qWait(static_cast<int>(delay * 1000) + 100);
        QCOMPARE(updates.count(), 2);
        QCOMPARE(table->selectedASCIIValue(), 120);
        CalcScreenFixture::swipeTo(screen.calc().buttonScrollView(), 1);
        QCOMPARE(updates.count(), 3);
        QCOMPARE(table->selectedASCIIValue(), 5);
    }

    void screenReadersFindOneElementPerCell() {
        CalcScreenFixture screen;
        screen.typeKeys("65");
        CalcScreenFixture::swipeTo(screen.calc().buttonScrollView(), 1);
        SecondButtonViewController* page = screen.calc().secondButtonViewController();
        UIButtonASCIITable* table = page->asciiViewController()->asciiTableButton();
        QAccessibleInterface* container = QAccessible::queryAccessibleInterface(table);
        QCOMPARE(container->childCount(), 128);
        QAccessibleInterface* letterA = container->child(65);
        QCOMPARE(letterA->text(QAccessible::Name), QStringLiteral("A"));
        QVERIFY(letterA->state().selected);
        QVERIFY(!container->child(64)->state().selected);
        QCOMPARE(container->indexOfChild(letterA), 65);
        QCOMPARE(letterA->rect(), QRect(table->mapToGlobal(cellPixels(65).topLeft()), cellPixels(65).size()));
        QCOMPARE(container->childAt(letterA->rect().center().x(), letterA->rect().center().y()), letterA);

        const QRect before = letterA->rect();
        {
            Announcements announcements;
            page->scrollView()->verticalScrollBar()->setValue(page->scrollView()->verticalScrollBar()->value() - 90);
            QCOMPARE(announcements.layoutChanges, 1);
        }
        QCOMPARE(letterA->rect(), before.translated(0, 90));
    }

    void theTableIsMadeLaterAndKeepsItsPlaceAtAnyScale() {
        CalcScreenFixture screen;
        screen.typeKeys("66");
        SecondButtonViewController* page = screen.calc().secondButtonViewController();
        QVERIFY(page->asciiViewController() == nullptr);
        QVERIFY(page->isASCIITableCreationPending());
        QTRY_VERIFY_WITH_TIMEOUT(page->asciiViewController() != nullptr, 3000);
        ASCIIViewController* controller = page->asciiViewController();
        QVERIFY(!controller->isRedrawing());
        QCOMPARE(controller->asciiTableButton()->selectedASCIIValue(), 66);
        QCOMPARE(page->contentOffsetY(), 180.0);
        QCOMPARE(page->scrollView()->widget()->size(), QSize(480, 1200));

        CalcScreenFixture::swipeTo(screen.calc().buttonScrollView(), 1);
        screen.delegate->window()->resize(640, 920);
        QApplication::processEvents();
        QCOMPARE(PointScale::factor(), 2.0);
        QCOMPARE(page->scrollView()->widget()->size(), QSize(640, 1600));
        QCOMPARE(page->contentOffsetY(), 180.0);
        UIButtonASCIITable* table = controller->asciiTableButton();
        // ')' in column 1 of row 5, in view below the offset.
        Finger::tap(table, pixelsFromPoints(QPointF(45, 270)));
        QCOMPARE(screen.engine->accumulatorCalcValue().uBaseValue(), 41u);
        saveSnapshot(*screen.delegate->window(), QStringLiteral("ascii-window"));
    }

    void theCodesAreDrawnAfreshInEachBase() {
        TablePage page(CalcValue::calcValueWithUBaseValue(65));
        UIButtonASCIITable* table = page.table();
        QList<QImage> codeTexts;
        for (int base : {2, 8, 10, 16}) {
            page.engine.setNumberBase(base);
            page.page->updateASCIITable();
            const QImage image = table->grab().toImage();
            const QRect lowerThird = cellPixels(65).adjusted(0, cellPixels(65).height() * 2 / 3, 0, 0);
            codeTexts.append(image.copy(lowerThird));
        }
        for (int i = 1; i < codeTexts.size(); ++i) QVERIFY(codeTexts[i] != codeTexts[i - 1]);
    }
};

QUILLET_SCREEN_TEST_MAIN(ASCIITableTest)
#include "ASCIITableTest.moc"
