#include <QtTest>

#include "Calculator/Operators.h"
#include "Classes/BaseNumberView.h"
#include "Classes/NumberView.h"
#include "Classes/QuilletColours.h"
#include "Classes/RealNumberView.h"
#include "Platform/UI/Accessibility.h"
#include "WidgetTestSupport.h"

namespace {
CalcValueFormat styled(CalcValueFormatStyle style) { return CalcValueFormat::withStyle(style); }
}  // namespace

class NumberViewTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Operators::sharedInstance().setWordSize(64); }

    void integerGoesToTheBaseViewAndRealToTheRealView() {
        NumberView view;
        view.resize(300, 80);
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(255), styled(CalcValueFormatStyleHex));
        QVERIFY(!view.baseNumberView()->isHidden());
        QVERIFY(view.realNumberView()->isHidden());
        QCOMPARE(view.displayCalcValue()->uBaseValue(), 255u);
        QCOMPARE(*view.displayFormat()->style, CalcValueFormatStyleHex);

        view.updateWithCalcValue(CalcValue::calcValueWithRealValue(2.5), styled(CalcValueFormatStyleAuto));
        QVERIFY(view.baseNumberView()->isHidden());
        QVERIFY(!view.realNumberView()->isHidden());
        QCOMPARE(view.displayCalcValue()->realValue(), 2.5);
    }

    void propertiesArePassedToBothViewsAndReadFromTheIntegerOne() {
        NumberView view;
        view.setTextAlignment(NumberTextAlignmentCentre);
        view.setMaxFontSize(12);
        view.setTextColour(QuilletColours::buttonTextColour());
        view.setAllowTwoLines(true);
        view.setTwoLineBottomMargin(20);
        QCOMPARE(view.baseNumberView()->textAlignment, NumberTextAlignmentCentre);
        QCOMPARE(view.realNumberView()->textAlignment, NumberTextAlignmentCentre);
        QCOMPARE(view.realNumberView()->maxFontSize, 12.0f);
        QCOMPARE(view.realNumberView()->textColour, QuilletColours::buttonTextColour());
        QVERIFY(view.allowTwoLines());
        QCOMPARE(view.twoLineBottomMargin(), 20);
        QCOMPARE(view.maxFontSize(), 12.0f);
    }

    void defaultsOfTheDrawingViews() {
        BaseNumberView base;
        RealNumberView real;
        QCOMPARE(base.textAlignment, NumberTextAlignmentRight);
        QCOMPARE(real.textAlignment, NumberTextAlignmentLeft);
        QVERIFY(!base.allowTwoLines);
        QCOMPARE(base.twoLineBottomMargin, 0);
        QCOMPARE(base.maxFontSize, std::numeric_limits<float>::max());
        QCOMPARE(real.maxFontSize, std::numeric_limits<float>::max());
    }

    void accessibilitySpeaksTheValueInItsFormat() {
        NumberView view;
        QCOMPARE(Accessibility::label(&view), QStringLiteral("Number"));
        QCOMPARE(Accessibility::traits(&view), AccessibilityTraitStaticText);
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(255), styled(CalcValueFormatStyleHex));
        QCOMPARE(Accessibility::value(&view), QStringLiteral("hex FF"));
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(10), styled(CalcValueFormatStyleBin));
        QCOMPARE(Accessibility::value(&view), QStringLiteral("binary 1010"));
    }

    void sixtyFourBitBinarySplitsIntoTwoLinesWhenAllowed() {
        BaseNumberView view;
        view.allowTwoLines = true;
        view.maxFontSize = 40;
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(0xFFFF0000FFFF0000ull),
                                 styled(CalcValueFormatStyleBin));
        const NumberTextRuns runs = view.layoutRuns(QSizeF(308, 90));
        QCOMPARE(runs.size(), size_t(3));
        QCOMPARE(runs[0].text, QStringLiteral("1111 1111 1111 1111 0000 0000 0000 0000"));
        QCOMPARE(runs[1].text, QStringLiteral("1111 1111 1111 1111 0000 0000 0000 0000"));
        QCOMPARE(runs[2].text, QStringLiteral("b"));
        // Upper line above the lower, the suffix after the lower line.
        QVERIFY(runs[0].rect.top() < runs[1].rect.top());
        QVERIFY(runs[2].rect.left() >= runs[1].rect.left() + runs[1].rect.width() - 1);
        // Right aligned, the last digits of both lines end at the same place.
        QVERIFY(std::abs(runs[0].rect.right() - runs[1].rect.right()) <= 1.0);
    }

    void twoLineLayoutFollowsTheFixedGapAndMargin() {
        BaseNumberView view;
        view.allowTwoLines = true;
        view.maxFontSize = 40;
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(~0ull), styled(CalcValueFormatStyleBin));
        const QSizeF size(308, 100);
        const NumberTextRuns runs = view.layoutRuns(size);
        QCOMPARE(runs.size(), size_t(3));
        const qreal lh = runs[1].rect.height();
        const qreal G = (size.height() - 8 - 20) / 2;
        QCOMPARE(runs[1].rect.top(), std::trunc(G + std::trunc((G - lh) / 2) + 8));
        QCOMPARE(runs[0].rect.top(), std::trunc((size.height() / 2 - lh) / 2) + 8);
    }

    void sameValueOnOneLineWhenTwoLinesAreNotAllowed() {
        BaseNumberView view;
        view.maxFontSize = 40;
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(~0ull), styled(CalcValueFormatStyleBin));
        const NumberTextRuns runs = view.layoutRuns(QSizeF(700, 90));
        QCOMPARE(runs.size(), size_t(2));
        QCOMPARE(runs[0].text.size(), 79);
        QVERIFY(!runs[0].truncateMiddle);
    }

    void binaryOfThirtyNineCharactersStaysOnOneLine() {
        BaseNumberView view;
        view.allowTwoLines = true;
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(0xFFFFFFFFull), styled(CalcValueFormatStyleBin));
        const NumberTextRuns runs = view.layoutRuns(QSizeF(308, 90));
        QCOMPARE(runs.size(), size_t(2));
        QCOMPARE(runs[0].text.size(), 39);
    }

    void longIntegerInNarrowViewIsShortenedNeverSmallerThanTen() {
        BaseNumberView view;
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(~0ull), styled(CalcValueFormatStyleBin));
        const NumberTextRuns runs = view.layoutRuns(QSizeF(60, 30));
        QCOMPARE(runs.size(), size_t(2));
        QCOMPARE(runs[0].fontSize, 10.0);
        QVERIFY(runs[0].truncateMiddle);
        QVERIFY(runs[0].text.contains(QChar(0x2026)));
        QVERIFY(runs[0].text.size() < 79);
        QCOMPARE(runs[1].fontSize, 10.0 * 2 / 3);
    }

    void fittingUsesTheLargestSizeThatFits() {
        BaseNumberView view;
        view.maxFontSize = 40;
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(7), styled(CalcValueFormatStyleDec));
        NumberTextRuns runs = view.layoutRuns(QSizeF(300, 60));
        QCOMPARE(runs[0].fontSize, 40.0);
        // A wide value in a narrow view gets a smaller size, and still fits.
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(123456789012ull), styled(CalcValueFormatStyleDec));
        runs = view.layoutRuns(QSizeF(120, 60));
        QVERIFY(runs[0].fontSize < 40.0);
        QVERIFY(runs[0].fontSize >= 10.0);
        QVERIFY(runs[0].rect.left() >= 0);
    }

    void suffixHangsAtTheBottomOfTheLine() {
        BaseNumberView view;
        view.maxFontSize = 30;
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(255), styled(CalcValueFormatStyleHex));
        const NumberTextRuns runs = view.layoutRuns(QSizeF(300, 60));
        const qreal fs = runs[0].fontSize;
        QCOMPARE(runs[1].text, QStringLiteral("h"));
        QCOMPARE(runs[1].rect.top(), runs[0].rect.top() + runs[0].rect.height() - 3 * fs / 5);
        QCOMPARE(runs[1].rect.left(), std::trunc(300 - runs[1].rect.width()));
    }

    void realWithoutExponentDrawsOnlyTheMantissa() {
        RealNumberView view;
        view.updateWithCalcValue(CalcValue::calcValueWithRealValue(12.5), styled(CalcValueFormatStyleAuto));
        const NumberTextRuns runs = view.layoutRuns(QSizeF(300, 60));
        QCOMPARE(runs.size(), size_t(1));
        QCOMPARE(runs[0].text, QStringLiteral("12.5"));
    }

    void realWithExponentDrawsTimesTenAndARaisedExponent() {
        RealNumberView view;
        view.maxFontSize = 30;
        CalcValueFormat format = styled(CalcValueFormatStyleSci);
        format.numSigFig = 3;
        view.updateWithCalcValue(CalcValue::calcValueWithRealValue(1.5e8), format);
        const NumberTextRuns runs = view.layoutRuns(QSizeF(300, 60));
        QCOMPARE(runs.size(), size_t(2));
        QCOMPARE(runs[0].text, QStringLiteral("1.5x10"));
        QCOMPARE(runs[1].text, QStringLiteral("08"));
        const qreal fs = runs[0].fontSize;
        QCOMPARE(runs[1].fontSize, fs * 2 / 3);
        QCOMPARE(runs[1].rect.top(), runs[0].rect.top() - fs / 5);
    }

    void centredRealPutsTheExponentRightAfterTimesTen() {
        RealNumberView view;
        view.textAlignment = NumberTextAlignmentCentre;
        view.maxFontSize = 30;
        CalcValueFormat format = styled(CalcValueFormatStyleSci);
        format.numSigFig = 3;
        view.updateWithCalcValue(CalcValue::calcValueWithRealValue(1.5e8), format);
        const NumberTextRuns runs = view.layoutRuns(QSizeF(300, 60));
        const qreal mantissaWidth = runs[0].rect.width() - runs[1].rect.width();
        QCOMPARE(runs[1].rect.left(), std::trunc(runs[0].rect.left() + mantissaWidth));
        QVERIFY(runs[0].rect.left() > 0);
    }

    void snapshots() {
        QWidget canvas;
        canvas.resize(320, 200);
        canvas.setAutoFillBackground(true);
        canvas.setPalette(QPalette(QColor(0xcf, 0xd2, 0xb1)));
        NumberView top(&canvas);
        top.setGeometry(6, 0, 308, 90);
        top.setAllowTwoLines(true);
        top.setMaxFontSize(40);
        top.setTextColour(QuilletColours::lcdTextColour());
        top.setTextAlignment(NumberTextAlignmentRight);
        top.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(0xDEADBEEFCAFEF00Dull),
                                styled(CalcValueFormatStyleBin));
        NumberView bottom(&canvas);
        bottom.setGeometry(6, 100, 308, 90);
        bottom.setMaxFontSize(40);
        bottom.setTextColour(QuilletColours::lcdTextColour());
        bottom.setTextAlignment(NumberTextAlignmentRight);
        CalcValueFormat format = styled(CalcValueFormatStyleSci);
        format.numSigFig = 6;
        bottom.updateWithCalcValue(CalcValue::calcValueWithRealValue(-6.02214e23), format);
        saveSnapshot(canvas, QStringLiteral("numberViews"));
        QVERIFY(largestAlpha(canvas.grab().toImage()) == 255);
    }
};

QTEST_MAIN(NumberViewTest)
#include "NumberViewTest.moc"
