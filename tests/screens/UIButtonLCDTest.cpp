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
}  // namespace

class UIButtonLCDTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Operators::sharedInstance().setWordSize(32); }

    void layersAreLaidOutInPoints() {
        UIButtonLCD lcd;
        lcd.resize(320, 90);
        lcd.show();
        QCOMPARE(lcd.viewLCDOperator()->geometry(), QRect(5, 5, 32, 18));
        QCOMPARE(lcd.wordSizeLabel()->geometry(), QRect(275, 5, 40, 14));
        QCOMPARE(lcd.numberView()->geometry(), QRect(6, 0, 308, 90));
        QCOMPARE(lcd.errorView()->geometry(), QRect(0, 0, 320, 90));
        QVERIFY(lcd.viewLCDOperator()->isHidden());
        QCOMPARE(lcd.currOperator(), 0);
        QVERIFY(lcd.numberView()->allowTwoLines());
        QCOMPARE(lcd.numberView()->maxFontSize(), 40.0f);
        QCOMPARE(lcd.numberView()->textAlignment(), NumberTextAlignmentRight);
        QCOMPARE(lcd.numberView()->twoLineBottomMargin(), 20);
        QVERIFY(lcd.canBecomeFirstResponder());
    }

    void typingFormat_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("divider");
        QTest::addColumn<bool>("hasExponent");
        QTest::addColumn<int>("exponent");
        QTest::addColumn<QString>("expected");
        QTest::newRow("3 and the point: no decimals, point shown") << 3.0 << 1 << false << 0 << "3.";
        QTest::newRow("3.14 typed: two decimals") << 3.14 << 100 << false << 0 << "3.14";
        QTest::newRow("3.10 typed: the zero stays") << 3.1 << 100 << false << 0 << "3.10";
        QTest::newRow("2 e 5: fix with exponent") << 2.0 << 0 << true << 5 << "2.e05";
        QTest::newRow("2.5 e -3") << 2.5 << 10 << true << -3 << "2.5e-03";
        QTest::newRow("no point typed: auto") << 1234.0 << 0 << false << 0 << "1234";
    }

    void typingFormat() {
        QFETCH(double, value);
        QFETCH(int, divider);
        QFETCH(bool, hasExponent);
        QFETCH(int, exponent);
        QFETCH(QString, expected);
        UIButtonLCD lcd;
        lcd.resize(320, 90);
        CalcValueFormat pageFormat = styled(CalcValueFormatStyleSci);
        pageFormat.numSigFig = 3;
        lcd.updateWithEditingCalcValue(CalcValue::calcValueWithRealValue(value), pageFormat, divider, hasExponent,
                                       exponent);
        QCOMPARE(shownText(lcd), expected);
    }

    void integerBeingTypedKeepsThePageFormat() {
        UIButtonLCD lcd;
        lcd.updateWithEditingCalcValue(CalcValue::calcValueWithUBaseValue(255), styled(CalcValueFormatStyleHex), 0,
                                       false, 0);
        QCOMPARE(shownText(lcd), QStringLiteral("FFh"));
    }

    void realNotBeingTypedUsesThePageFormat() {
        UIButtonLCD lcd;
        CalcValueFormat format = styled(CalcValueFormatStyleFix);
        format.numDecimalPlaces = 2;
        lcd.updateWithCalcValue(CalcValue::calcValueWithRealValue(3.14159), format);
        QCOMPARE(shownText(lcd), QStringLiteral("3.14"));
    }

    void decimalPlacesFromDivider_data() {
        QTest::addColumn<int>("divider");
        QTest::addColumn<int>("places");
        QTest::newRow("1") << 1 << 0;
        QTest::newRow("10") << 10 << 1;
        QTest::newRow("100") << 100 << 2;
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("negative") << -10 << 0;
    }

    void decimalPlacesFromDivider() {
        QFETCH(int, divider);
        QFETCH(int, places);
        QCOMPARE(UIButtonLCD::decimalPlacesFromDecimalPointDivider(divider), places);
    }

    void wordSizeLabel() {
        UIButtonLCD lcd;
        lcd.updateWithWordSize(16, CalcValueTypeUBase);
        QCOMPARE(lcd.wordSizeLabel()->text(), QStringLiteral("UINT16"));
        lcd.updateWithWordSize(16, CalcValueTypeSBase);
        QCOMPARE(lcd.wordSizeLabel()->text(), QStringLiteral("INT16"));
        lcd.updateWithWordSize(16, CalcValueTypeReal);
        QCOMPARE(lcd.wordSizeLabel()->text(), QString());
    }

    void errorReplacesTheNumberUntilTheNextValue() {
        UIButtonLCD lcd;
        lcd.resize(320, 90);
        lcd.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(7), styled(CalcValueFormatStyleDec));
        lcd.updateWithError(OperatorsErrorDivideByZero);
        QVERIFY(lcd.numberView()->isHidden());
        QVERIFY(!lcd.errorView()->isHidden());
        QCOMPARE(lcd.errorView()->mainLabel()->text(), QStringLiteral("Divide by zero"));
        QCOMPARE(Accessibility::value(&lcd), QStringLiteral("Divide by zero"));
        lcd.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(8), styled(CalcValueFormatStyleDec));
        QVERIFY(!lcd.numberView()->isHidden());
        QVERIFY(lcd.errorView()->isHidden());
        QCOMPARE(shownText(lcd), QStringLiteral("8d"));
    }

    void errorMessages_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("1") << 1 << "Value out of range";
        QTest::newRow("2") << 2 << "Divide by zero";
        QTest::newRow("3") << 3 << "Invalid word size";
        QTest::newRow("4") << 4 << "Integer size must be 32 bits or larger";
        QTest::newRow("5") << 5 << "Integer size must be 64 bits";
        QTest::newRow("6") << 6 << "Unknown error";
        QTest::newRow("0") << 0 << "Unknown error";
    }

    void errorMessages() {
        QFETCH(int, code);
        QFETCH(QString, message);
        ErrorView view;
        view.resize(320, 90);
        view.updateWithError(static_cast<OperatorsError>(code));
        QCOMPARE(view.mainLabel()->text(), message);
    }

    void longErrorShrinksToFit() {
        ErrorView view;
        view.resize(150, 60);
        view.show();
        view.updateWithError(OperatorsErrorIntegerSize32);
        const QFontMetricsF metrics(view.mainLabel()->font(), view.mainLabel());
        QVERIFY(metrics.horizontalAdvance(view.mainLabel()->text()) <= 150.5);
    }

    void operatorImageShownForOperatorsWithAnImage() {
        UIButtonLCD lcd;
        lcd.resize(320, 90);
        lcd.setCurrOperator(OperatorsOperatorAdd);
        QCOMPARE(lcd.currOperator(), OperatorsOperatorAdd);
        QVERIFY(!lcd.viewLCDOperator()->isHidden());
        QCOMPARE(lcd.viewLCDOperator()->image().size(), QSizeF(32, 18));
        lcd.setCurrOperator(OperatorsOperatorEquals);
        QVERIFY(lcd.viewLCDOperator()->isHidden());
        lcd.setCurrOperator(OperatorsOperatorDivide);
        QVERIFY(!lcd.viewLCDOperator()->isHidden());
        lcd.setCurrOperator(OperatorsOperatorNone);
        QVERIFY(lcd.viewLCDOperator()->isHidden());
    }

    void lcdImageIsTheCentreInTheLcdInk() {
        const Image menuImage = ImageStore::imageNamed("operatorAddDark.png");
        QCOMPARE(menuImage.size(), QSizeF(60, 38));
        const Image lcdImage = UIButtonLCD::lcdImageFromMenuImage(menuImage);
        QCOMPARE(lcdImage.size(), QSizeF(32, 18));
        QCOMPARE(lcdImage.scale(), menuImage.scale());
        const QImage pixels = lcdImage.toImage().convertToFormat(QImage::Format_ARGB32);
        bool sawInk = false;
        for (int y = 0; y < pixels.height(); ++y) {
            for (int x = 0; x < pixels.width(); ++x) {
                const QRgb pixel = pixels.pixel(x, y);
                if (qAlpha(pixel) == 255) {
                    sawInk = true;
                    QCOMPARE(QColor(pixel), QColor(89, 91, 78));
                }
            }
        }
        QVERIFY(sawInk);
    }

    void accessibility() {
        UIButtonLCD lcd;
        QCOMPARE(Accessibility::label(&lcd), QStringLiteral("LCD"));
        QCOMPARE(Accessibility::traits(&lcd), AccessibilityTraitStaticText);
        lcd.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(255), styled(CalcValueFormatStyleHex));
        QCOMPARE(Accessibility::value(&lcd), QStringLiteral("hex FF"));
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
        const CalcValue value = type == 1   ? CalcValue::calcValueWithUBaseValue(bits)
                                : type == 2 ? CalcValue::calcValueWithSBaseValue(static_cast<int64_t>(bits))
                                            : CalcValue::calcValueWithRealValue(real);
        UIButtonLCD lcd;
        lcd.updateWithCalcValue(value, styled(static_cast<CalcValueFormatStyle>(style)));
        QCOMPARE(lcd.title(), title);
        const std::optional<CalcValue> parsed = NumberUtils::calcValueFromString(title.toStdString());
        QVERIFY(parsed.has_value());
        if (type == 3) {
            QCOMPARE(parsed->realValue(), real);
        } else if (type == 2) {
            QCOMPARE(parsed->sBaseValue(), static_cast<int64_t>(bits));
        } else {
            QCOMPARE(parsed->uBaseValue(), static_cast<uint64_t>(bits));
        }
    }

    void snapshot() {
        QWidget strip;
        strip.resize(320, 180);
        fillWithPattern(strip, "lcdBackground.png");
        UIButtonLCD first(&strip);
        first.setGeometry(0, 0, 320, 90);
        first.updateWithWordSize(32, CalcValueTypeUBase);
        first.updateWithCalcValue(CalcValue::calcValueWithUBaseValue(0xC0FFEE), styled(CalcValueFormatStyleHex));
        first.setCurrOperator(OperatorsOperatorMultiply);
        UIButtonLCD second(&strip);
        second.setGeometry(0, 90, 320, 90);
        second.updateWithWordSize(32, CalcValueTypeReal);
        second.updateWithError(OperatorsErrorDivideByZero);
        strip.show();
        saveSnapshot(strip, QStringLiteral("lcd"));
        // The word size and the error message are in the LCD's ink, not the platform's black.
        QCOMPARE(darkestPixel(first.wordSizeLabel()->grab().toImage()), QColor(89, 91, 78));
        QCOMPARE(darkestPixel(second.errorView()->grab().toImage()), QColor(89, 91, 78));
    }
};

QTEST_MAIN(UIButtonLCDTest)
#include "UIButtonLCDTest.moc"
