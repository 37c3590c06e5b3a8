#include <QLabel>
#include <QtTest>

#include "Calculator/Operators.h"
#include "Classes/ErrorView.h"
#include "Classes/NumberView.h"
#include "Classes/UIButtonLCD.h"
#include "Platform/UI/Accessibility.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/ImageView.h"
#include "Utils/NumberUtils.h"
#include "WidgetTestSupport.h"

namespace {
CalcValueFormat styled(CalcValueFormatStyle style) { return CalcValueFormat::withStyle(style); }
const QColor kLcdInk(89, 91, 78);
}  // namespace

class UIButtonLCDTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Operators::sharedInstance().setWordSize(32); }

    void wordSizeLabel() {
        UIButtonLCD lcd;
        for (const auto& [type, label] :
             {std::pair{CalcValueTypeUBase, "UINT16"}, {CalcValueTypeSBase, "INT16"}, {CalcValueTypeReal, ""}}) {
            lcd.updateWithWordSize(16, type);
            QCOMPARE(lcd.wordSizeLabel()->text(), QString(label));
        }
    }

    // In the LCD's ink, not the platform's black, and shrunk to fit.
    void anErrorReplacesTheNumberUntilTheNextValue() {
        UIButtonLCD lcd;
        lcd.resize(320, 90);
        lcd.updateWithWordSize(32, CalcValueTypeUBase);
        lcd.updateWithError(OperatorsErrorDivideByZero);
        lcd.show();
        QVERIFY(lcd.numberView()->isHidden() && !lcd.errorView()->isHidden());
        QCOMPARE(lcd.errorView()->mainLabel()->text(), QStringLiteral("Divide by zero"));
        QCOMPARE(Accessibility::value(&lcd), QStringLiteral("Divide by zero"));
        QCOMPARE(darkestPixel(lcd.wordSizeLabel()->grab().toImage()), kLcdInk);
        QCOMPARE(darkestPixel(lcd.errorView()->grab().toImage()), kLcdInk);
        lcd.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(8), styled(CalcValueFormatStyleDec));
        QVERIFY(!lcd.numberView()->isHidden() && lcd.errorView()->isHidden());
        QCOMPARE(lcd.title(), QStringLiteral("8u"));

        ErrorView view;
        view.resize(150, 60);
        view.show();
        for (int code : {0, 6}) {
            view.updateWithError(static_cast<OperatorsError>(code));
            QCOMPARE(view.mainLabel()->text(), QStringLiteral("Unknown error"));
        }
        view.updateWithError(OperatorsErrorIntegerSize32);
        const QFontMetricsF metrics(view.mainLabel()->font(), view.mainLabel());
        QVERIFY(metrics.horizontalAdvance(view.mainLabel()->text()) <= 150.5);
    }

    void operatorImageShownForOperatorsWithAnImageInTheLcdInk() {
        UIButtonLCD lcd;
        lcd.resize(320, 90);
        for (const auto& [op, shown] : {std::pair{OperatorsOperatorAdd, true},
                                        {OperatorsOperatorEquals, false},
                                        {OperatorsOperatorDivide, true},
                                        {OperatorsOperatorNone, false}}) {
            lcd.setCurrOperator(op);
            QCOMPARE(lcd.currOperator(), op);
            QCOMPARE(lcd.viewLCDOperator()->isHidden(), !shown);
        }
        const Image menuImage = ImageStore::imageNamed("operatorAddDark.png");
        const Image lcdImage = UIButtonLCD::lcdImageFromMenuImage(menuImage);
        QCOMPARE(lcdImage.size(), QSizeF(32, 18));
        QCOMPARE(lcdImage.scale(), menuImage.scale());
        QCOMPARE(darkestPixel(lcdImage.toImage()), kLcdInk);
        QVERIFY(largestAlpha(lcdImage.toImage()) == 255);
    }

    // What Copy puts on the clipboard.
    void titleIsTextThatParsesBackToTheSameValue() {
        const struct {
            CalcValue value;
            CalcValueFormatStyle style;
            const char* title;
        } rows[] = {
            {CalcValue::calcValueWithUBaseValue(255), CalcValueFormatStyleHex, "0xFF"},
            {CalcValue::calcValueWithUBaseValue(0x1234), CalcValueFormatStyleBin, "1001000110100b"},
            {CalcValue::calcValueWithUBaseValue(511), CalcValueFormatStyleOct, "777o"},
            {CalcValue::calcValueWithUBaseValue(4000000000u), CalcValueFormatStyleDec, "4000000000u"},
            {CalcValue::calcValueWithSBaseValue(-42), CalcValueFormatStyleDec, "-42d"},
            {CalcValue::calcValueWithRealValue(1.5e-5), CalcValueFormatStyleSci, "1.5e-05"},
            {CalcValue::calcValueWithRealValue(2.5), CalcValueFormatStyleAuto, "2.5"},
        };
        for (const auto& row : rows) {
            UIButtonLCD lcd;
            lcd.updateWithCalcValue(row.value, styled(row.style));
            QCOMPARE(lcd.title(), QString(row.title));
            const std::optional<CalcValue> parsed = NumberUtils::calcValueFromString(row.title);
            QVERIFY2(parsed.has_value() && parsed->isEqualToCalcValue(row.value), row.title);
        }
    }
};

QTEST_MAIN(UIButtonLCDTest)
#include "UIButtonLCDTest.moc"
