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

    void integerGoesToTheBaseViewAndRealToTheRealViewWithTheProperties() {
        NumberView view;
        view.resize(300, 80);
        view.setTextAlignment(NumberTextAlignmentCentre);
        view.setMaxFontSize(12);
        view.setTextColour(QuilletColours::buttonTextColour());
        QCOMPARE(view.realNumberView()->textAlignment, NumberTextAlignmentCentre);
        QCOMPARE(view.realNumberView()->maxFontSize, 12.0f);
        QCOMPARE(view.realNumberView()->textColour, QuilletColours::buttonTextColour());
        QCOMPARE(view.maxFontSize(), 12.0f);
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(255), styled(CalcValueFormatStyleHex));
        QVERIFY(!view.baseNumberView()->isHidden());
        QVERIFY(view.realNumberView()->isHidden());
        QCOMPARE(view.displayCalcValue()->uBaseValue(), 255u);
        QCOMPARE(*view.displayFormat()->style, CalcValueFormatStyleHex);
        QCOMPARE(Accessibility::value(&view), QStringLiteral("hex FF"));
        view.updateWithCalcValue(CalcValue::calcValueWithRealValue(2.5), styled(CalcValueFormatStyleAuto));
        QVERIFY(view.baseNumberView()->isHidden());
        QVERIFY(!view.realNumberView()->isHidden());
        QCOMPARE(view.displayCalcValue()->realValue(), 2.5);
    }

    void sixtyFourBitBinarySplitsIntoTwoLinesOnlyWhenAllowedAndNeeded() {
        BaseNumberView view;
        view.maxFontSize = 40;
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(~0ull), styled(CalcValueFormatStyleBin));
        QCOMPARE(view.layoutRuns(QSizeF(700, 90))[0].text.size(), 79);
        view.allowTwoLines = true;
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(0xFFFFFFFFull), styled(CalcValueFormatStyleBin));
        NumberTextRuns runs = view.layoutRuns(QSizeF(308, 90));
        QCOMPARE(runs.size(), size_t(2));
        QCOMPARE(runs[0].text.size(), 39);
        QVERIFY(!runs[0].truncateMiddle);
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(0xFFFF0000FFFF0000ull),
                                 styled(CalcValueFormatStyleBin));
        runs = view.layoutRuns(QSizeF(308, 90));
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

    void fittingUsesTheLargestSizeThatFitsAndShortensBelowTen() {
        BaseNumberView view;
        view.maxFontSize = 40;
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(7), styled(CalcValueFormatStyleDec));
        NumberTextRuns runs = view.layoutRuns(QSizeF(300, 60));
        QCOMPARE(runs[0].fontSize, 40.0);
        // A wide value in a narrow view gets a smaller size, and still fits.
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(123456789012ull), styled(CalcValueFormatStyleDec));
        runs = view.layoutRuns(QSizeF(120, 60));
        QVERIFY(runs[0].fontSize < 40.0 && runs[0].fontSize >= 10.0);
        QVERIFY(runs[0].rect.left() >= 0);
        // Never smaller than ten: what does not fit then is shortened in the middle.
        view.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(~0ull), styled(CalcValueFormatStyleBin));
        runs = view.layoutRuns(QSizeF(60, 30));
        QCOMPARE(runs.size(), size_t(2));
        QCOMPARE(runs[0].fontSize, 10.0);
        QVERIFY(runs[0].truncateMiddle && runs[0].text.contains(QChar(0x2026)) && runs[0].text.size() < 79);
        QCOMPARE(runs[1].fontSize, 10.0 * 2 / 3);
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
        view.updateWithCalcValue(CalcValue::calcValueWithRealValue(12.5), styled(CalcValueFormatStyleAuto));
        QCOMPARE(view.layoutRuns(QSizeF(300, 60)).size(), size_t(1));
    }
};

QTEST_MAIN(NumberViewTest)
#include "NumberViewTest.moc"
