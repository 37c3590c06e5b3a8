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

QString shownText(const UIButtonLCD& lcd) {
    const std::optional<CalcValue> value = lcd.numberView()->displayCalcValue();
    const std::optional<CalcValueFormat> format = lcd.numberView()->displayFormat();
    return QString::fromStdString(NumberUtils::stringFromCalcValue(*value, &*format));
}

CalcValue valueOfType(int type, qulonglong bits, double real) {
    return type == 1   ? CalcValue::calcValueWithUBaseValue(bits)
           : type == 2 ? CalcValue::calcValueWithSBaseValue(static_cast<int64_t>(bits))
                       : CalcValue::calcValueWithRealValue(real);
}
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

    void errorReplacesTheNumberUntilTheNextValue() {
        UIButtonLCD lcd;
        lcd.resize(320, 90);
        lcd.updateWithError(OperatorsErrorDivideByZero);
        QVERIFY(lcd.numberView()->isHidden());
        QVERIFY(!lcd.errorView()->isHidden());
        QCOMPARE(lcd.errorView()->mainLabel()->text(), QStringLiteral("Divide by zero"));
        QCOMPARE(Accessibility::value(&lcd), QStringLiteral("Divide by zero"));
        lcd.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(8), styled(CalcValueFormatStyleDec));
        QVERIFY(!lcd.numberView()->isHidden());
        QVERIFY(lcd.errorView()->isHidden());
        QCOMPARE(shownText(lcd), QStringLiteral("8d"));
        ErrorView view;
        for (int code : {0, 6}) {
            view.updateWithError(static_cast<OperatorsError>(code));
            QCOMPARE(view.mainLabel()->text(), QStringLiteral("Unknown error"));
        }
    }

    void longErrorShrinksToFit() {
        ErrorView view;
        view.resize(150, 60);
        view.show();
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
        QCOMPARE(darkestPixel(lcdImage.toImage()), QColor(89, 91, 78));
        QVERIFY(largestAlpha(lcdImage.toImage()) == 255);
    }

    void titleIsTextThatParsesBackToTheSameValue_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<qulonglong>("bits");
        QTest::addColumn<double>("real");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("title");
        QTest::newRow("hex") << 1 << qulonglong(255) << 0.0 << 7 << "0xFF";
        QTest::newRow("binary without separators") << 1 << qulonglong(0x1234) << 0.0 << 4 << "1001000110100b";
        QTest::newRow("octal") << 1 << qulonglong(511) << 0.0 << 5 << "777o";
        QTest::newRow("unsigned decimal") << 1 << qulonglong(4000000000u) << 0.0 << 6 << "4000000000u";
        QTest::newRow("signed decimal") << 2 << qulonglong(-42) << 0.0 << 6 << "-42d";
        QTest::newRow("real with exponent") << 3 << qulonglong(0) << 1.5e-5 << 2 << "1.5e-05";
        QTest::newRow("real fixed") << 3 << qulonglong(0) << 2.5 << 3 << "2.5";
    }

    void titleIsTextThatParsesBackToTheSameValue() {
        QFETCH(int, type);
        QFETCH(qulonglong, bits);
        QFETCH(double, real);
        QFETCH(int, style);
        QFETCH(QString, title);
        const CalcValue value = valueOfType(type, bits, real);
        UIButtonLCD lcd;
        lcd.updateWithCalcValue(value, styled(static_cast<CalcValueFormatStyle>(style)));
        QCOMPARE(lcd.title(), title);
        const std::optional<CalcValue> parsed = NumberUtils::calcValueFromString(title.toStdString());
        QVERIFY(parsed.has_value() && parsed->isEqualToCalcValue(value));
    }

    // The word size and the error message are in the LCD's ink, not the platform's black.
    void textsAreInTheLcdInk() {
        UIButtonLCD lcd;
        lcd.resize(320, 90);
        lcd.updateWithWordSize(32, CalcValueTypeUBase);
        lcd.updateWithError(OperatorsErrorDivideByZero);
        lcd.show();
        QCOMPARE(darkestPixel(lcd.wordSizeLabel()->grab().toImage()), QColor(89, 91, 78));
        QCOMPARE(darkestPixel(lcd.errorView()->grab().toImage()), QColor(89, 91, 78));
    }
};

QTEST_MAIN(UIButtonLCDTest)
#include "UIButtonLCDTest.moc"
