#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>

#include "Utils/NumberUtils.h"
#include "Utils/StringUtils.h"
#include "support/WordSizeScope.h"

namespace {

CalcValue real(double x) { return CalcValue::calcValueWithRealValue(x); }

CalcValueFormat format(CalcValueFormatStyle style, std::optional<int> places = std::nullopt,
                       std::optional<int> figures = std::nullopt, std::optional<int> exponent = std::nullopt) {
    CalcValueFormat f = CalcValueFormat::withStyle(style);
    f.numDecimalPlaces = places;
    f.numSigFig = figures;
    f.exponent = exponent;
    return f;
}

struct RealRow {
    const char* name;
    double value;
    CalcValueFormat format;
    CalcValueStrings expected;
};

class RealFormatting : public ::testing::TestWithParam<RealRow> {};

TEST_P(RealFormatting, GivesTheTextPair) {
    const RealRow& row = GetParam();
    EXPECT_EQ(NumberUtils::stringsFromCalcValue(real(row.value), &row.format), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, RealFormatting,
    ::testing::Values(
        RealRow{"fix2", 3.14159, format(CalcValueFormatStyleFix, 2), {"3.14", ""}},
        RealRow{"fixNegativeRoundsToZero", -0.004, format(CalcValueFormatStyleFix, 2), {"0.00", ""}},
        RealRow{"fixLargeGoesAuto", 1e11, format(CalcValueFormatStyleFix, 2), {"1", "11"}},
        RealRow{"fixZeroPlaces", 12.4, format(CalcValueFormatStyleFix, 0), {"12.", ""}},
        RealRow{"fixExponent", 2.5, format(CalcValueFormatStyleFix, 2, std::nullopt, -3), {"2.50", "-03"}},
        RealRow{"fixPositiveExponent", 2.0, format(CalcValueFormatStyleFix, 0, std::nullopt, 5), {"2.", "05"}},
        RealRow{"fixPlacesCappedAtTen", 1.0 / 3.0, format(CalcValueFormatStyleFix, 14), {"0.3333333333", ""}},
        RealRow{"fixNegativePlaces", 7.6, format(CalcValueFormatStyleFix, -2), {"8.", ""}},
        RealRow{"fixMinusZero", -0.0, format(CalcValueFormatStyleFix, 2), {"0.00", ""}},
        RealRow{"sci3", 123456, format(CalcValueFormatStyleSci, std::nullopt, 3), {"1.23", "05"}},
        RealRow{"sciZero", 0, format(CalcValueFormatStyleSci, std::nullopt, 3), {"0", "00"}},
        RealRow{"sciNegativeSmall", -0.000456, format(CalcValueFormatStyleSci, std::nullopt, 3), {"-4.56", "-04"}},
        RealRow{"sciHundredExponent", 1e99 * 10, format(CalcValueFormatStyleSci), {"1", "100"}},
        RealRow{"sciDefaultTen", 1.0 / 3.0, format(CalcValueFormatStyleSci), {"3.333333333", "-01"}},
        RealRow{"sciOneFigure", 987.0, format(CalcValueFormatStyleSci, std::nullopt, 1), {"1", "03"}},
        RealRow{"eng3", 123456, format(CalcValueFormatStyleEng, std::nullopt, 3), {"123", "03"}},
        RealRow{"engSmall", 0.000456, format(CalcValueFormatStyleEng, std::nullopt, 3), {"456", "-06"}},
        RealRow{"engTwelve", 12, format(CalcValueFormatStyleEng, std::nullopt, 3), {"12", "00"}},
        RealRow{"engPositive", 1.5e5, format(CalcValueFormatStyleEng), {"150", "03"}},
        RealRow{"engNegativeExponent", 1.5e-5, format(CalcValueFormatStyleEng), {"15", "-06"}},
        RealRow{"engMinusFour", 1.5e-4, format(CalcValueFormatStyleEng), {"150", "-06"}},
        RealRow{"autoFixDigits", 123456.789, format(CalcValueFormatStyleAuto), {"123456.789", ""}},
        RealRow{"autoSmallFix", 0.000012, format(CalcValueFormatStyleAuto), {"0.000012", ""}},
        RealRow{"autoTinySci", 1e-12, format(CalcValueFormatStyleAuto), {"1", "-12"}},
        RealRow{"autoBoundIsSci", 1e-11, format(CalcValueFormatStyleAuto), {"1", "-11"}},
        RealRow{"autoJustAboveBound", 1.1e-11, format(CalcValueFormatStyleAuto), {"0", ""}},
        RealRow{"autoElevenNines", 99999999999.0, format(CalcValueFormatStyleAuto), {"99999999999", ""}},
        RealRow{"autoLarge", 1e11, format(CalcValueFormatStyleAuto), {"1", "11"}},
        RealRow{"autoLargeFraction", 1.5e11, format(CalcValueFormatStyleAuto), {"1.5", "11"}},
        RealRow{"autoFlushesTiny", 5e-100, format(CalcValueFormatStyleAuto), {"0", ""}},
        RealRow{"integerStyleIsAuto", 2.5, format(CalcValueFormatStyleHex), {"2.5", ""}}),
    [](const ::testing::TestParamInfo<RealRow>& row) { return std::string(row.param.name); });

TEST(RealFormattingSpecial, NonFiniteAndNoStyle) {
    const CalcValueFormat fix = format(CalcValueFormatStyleFix, 2);
    EXPECT_EQ(NumberUtils::stringsFromCalcValue(real(std::nan("")), &fix), (CalcValueStrings{"NaN", ""}));
    EXPECT_EQ(NumberUtils::stringsFromCalcValue(real(-INFINITY), &fix), (CalcValueStrings{"Infinity", ""}));
    EXPECT_EQ(NumberUtils::stringsFromCalcValue(real(0.1), nullptr), (CalcValueStrings{"0.1", ""}));
    EXPECT_EQ(NumberUtils::stringsFromCalcValue(real(1234567.0), nullptr), (CalcValueStrings{"1.23457e+06", ""}));
}

TEST(RealFormattingSpecial, FixAgreesWithPrintfForManyValues) {
    for (int places = 0; places <= 10; ++places) {
        for (double x : {0.125, 2.5, 1.0 / 7.0, 98765.4321, -3.75, 12345678901.0, 1e-9}) {
            char expected[128];
            std::snprintf(expected, sizeof expected, places == 0 ? "%.*f." : "%.*f", places, x);
            const CalcValueFormat f = format(CalcValueFormatStyleFix, places);
            EXPECT_EQ(NumberUtils::stringsFromCalcValue(real(x), &f)[0], expected) << x << " " << places;
        }
    }
}

TEST(RealFormattingSpecial, IgnoresTheUserLocale) {
    // A locale with a decimal comma must not change the text.
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) {
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    const CalcValueFormat fix = format(CalcValueFormatStyleFix, 2);
    const CalcValueFormat sci = format(CalcValueFormatStyleSci, std::nullopt, 3);
    EXPECT_EQ(NumberUtils::stringFromCalcValue(real(3.14159), &fix), "3.14");
    EXPECT_EQ(NumberUtils::stringFromCalcValue(real(123456), &sci), "1.23e05");
    EXPECT_TRUE(NumberUtils::calcValueFromString("2.5")->isEqualToCalcValue(real(2.5)));
    std::setlocale(LC_NUMERIC, "C");
}

TEST(IntegerFormatting, BasesAndTwosComplement) {
    WordSizeScope wordSize(8);
    struct Row {
        CalcValue value;
        CalcValueFormatStyle style;
        CalcValueStrings expected;
    };
    const Row rows[] = {
        {CalcValue::calcValueWithSBaseValue(-1), CalcValueFormatStyleHex, {"FF", "h"}},
        {CalcValue::calcValueWithSBaseValue(-128), CalcValueFormatStyleDec, {"-128", "d"}},
        {CalcValue::calcValueWithUBaseValue(0), CalcValueFormatStyleBin, {"0", "b"}},
        {CalcValue::calcValueWithUBaseValue(255), CalcValueFormatStyleBin, {"1111 1111", "b"}},
        {CalcValue::calcValueWithUBaseValue(255), CalcValueFormatStyleOct, {"377", "o"}},
        {CalcValue::calcValueWithSBaseValue(-1), CalcValueFormatStyleOct, {"377", "o"}},
        {CalcValue::calcValueWithSBaseValue(-1), CalcValueFormatStyleBin, {"1111 1111", "b"}},
        {CalcValue::calcValueWithUBaseValue(0xABC),
         CalcValueFormatStyleHex,
         {"ABC", "h"}},  // held unmasked, shown as it is
        {CalcValue::calcValueWithUBaseValue(300), CalcValueFormatStyleDec, {"300", "d"}},
        {CalcValue::calcValueWithSBaseValue(INT64_MIN), CalcValueFormatStyleDec, {"-9223372036854775808", "d"}},
        {CalcValue::calcValueWithUBaseValue(UINT64_MAX), CalcValueFormatStyleDec, {"18446744073709551615", "d"}},
        {CalcValue::calcValueWithUBaseValue(26), CalcValueFormatStyleSci, {"1A", "h"}},  // a real style shows hex
    };
    for (const Row& row : rows) {
        const CalcValueFormat f = CalcValueFormat::withStyle(row.style);
        EXPECT_EQ(NumberUtils::stringsFromCalcValue(row.value, &f), row.expected) << row.value.description();
    }
    EXPECT_EQ(NumberUtils::stringsFromCalcValue(CalcValue::calcValueWithUBaseValue(26), nullptr),
              (CalcValueStrings{"1A", "h"}));
}

TEST(IntegerFormatting, BinaryGroupsOfFourAgreeWithABitLoop) {
    for (uint64_t v : {uint64_t{1}, uint64_t{5}, uint64_t{16}, uint64_t{0x8000000000000000}, UINT64_MAX,
                       uint64_t{0x0123456789ABCDEF}}) {
        std::string expected;
        int digits = 0;
        for (uint64_t rest = v; rest != 0; rest >>= 1, ++digits) {
            if (digits > 0 && digits % 4 == 0) expected.insert(0, " ");
            expected.insert(0, (rest & 1) ? "1" : "0");
        }
        EXPECT_EQ(NumberUtils::stringInBinaryFromUint64(v), expected);
    }
    EXPECT_EQ(NumberUtils::stringInBinaryFromUint64(UINT64_MAX).size(), 64u + 15u);
}

TEST(SingleText, JoinsThePair) {
    WordSizeScope wordSize(16);
    const CalcValueFormat hex = CalcValueFormat::withStyle(CalcValueFormatStyleHex);
    const CalcValueFormat sci = format(CalcValueFormatStyleSci, std::nullopt, 2);
    const CalcValueFormat fix = format(CalcValueFormatStyleFix, 1);
    EXPECT_EQ(NumberUtils::stringFromCalcValue(CalcValue::calcValueWithUBaseValue(255), &hex), "FFh");
    EXPECT_EQ(NumberUtils::stringFromCalcValue(real(1.5e-5), &sci), "1.5e-05");
    EXPECT_EQ(NumberUtils::stringFromCalcValue(real(1.25), &fix), "1.2");
}

TEST(SpokenText, BaseWordsAndPowers) {
    const CalcValueFormat bin = CalcValueFormat::withStyle(CalcValueFormatStyleBin);
    const CalcValueFormat sci = format(CalcValueFormatStyleSci);
    const CalcValueFormat fix = format(CalcValueFormatStyleFix, 1);
    EXPECT_EQ(NumberUtils::accessibilityStringFromCalcValue(CalcValue::calcValueWithUBaseValue(10), &bin),
              "binary 1010");
    EXPECT_EQ(NumberUtils::accessibilityStringFromCalcValue(real(2e-7), &sci), "2 times 10 to the power -07");
    EXPECT_EQ(NumberUtils::accessibilityStringFromCalcValue(real(2.5), &fix), "2.5");
}

TEST(TextHelpers, StripAndDuplicate) {
    EXPECT_EQ(NumberUtils::stringStripTrailingZeros("1.500"), "1.5");
    EXPECT_EQ(NumberUtils::stringStripTrailingZeros("2.000"), "2");
    EXPECT_EQ(NumberUtils::stringStripTrailingZeros("0.0"), "0");
    EXPECT_EQ(NumberUtils::stringStripTrailingZeros("100"), "100");
    EXPECT_EQ(NumberUtils::stringStripPlusPrefix("+05"), "05");
    EXPECT_EQ(NumberUtils::stringStripPlusPrefix("++5"), "+5");
    EXPECT_EQ(StringUtils::stringWithDuplicatedStringCount("-=", 3), "-=-=-=");
    EXPECT_EQ(StringUtils::stringWithDuplicatedStringCount("x", 0), "");
    EXPECT_EQ(StringUtils::stringWithDuplicatedStringCount("x", -2), "");
}

struct ParseRow {
    const char* text;
    std::optional<CalcValue> expected;
};

TEST(Parsing, AcceptsTheDisplayTextsAndRejectsWords) {
    const ParseRow rows[] = {
        {"0x1F", CalcValue::calcValueWithUBaseValue(31)},
        {"value 0xff", CalcValue::calcValueWithUBaseValue(255)},
        {"0XFFFFFFFFFFFFFFFFFF", CalcValue::calcValueWithUBaseValue(UINT64_MAX)},
        {"FF h", std::nullopt},
        {"-42 d", CalcValue::calcValueWithSBaseValue(-42)},
        {"# 17 d", CalcValue::calcValueWithSBaseValue(17)},
        {"99999999999999999999d", CalcValue::calcValueWithSBaseValue(INT64_MAX)},
        {"# 17 u", CalcValue::calcValueWithUBaseValue(17)},
        {"017 u", CalcValue::calcValueWithUBaseValue(15)},
        {"0x10 u", CalcValue::calcValueWithUBaseValue(16)},
        {"# 777 o", CalcValue::calcValueWithUBaseValue(511)},
        {"1010 b", CalcValue::calcValueWithUBaseValue(10)},
        {"1111 1111b", CalcValue::calcValueWithUBaseValue(15)},  // reading stops at the space
        {"2.5e3", real(2500)},
        {"  -0.125", real(-0.125)},
        {"+7", real(7)},
        {"1.5e-05", real(1.5e-5)},
        {"abc", std::nullopt},
        // Words ending in a base letter are not numbers: pasting one must not replace the value.
        {"Bob", std::nullopt},
        {"hello", std::nullopt},
        {"menu", std::nullopt},
        {"# u", std::nullopt},
        {"0 b", CalcValue::calcValueWithUBaseValue(0)},
        {"", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"1e999", std::nullopt},
        {"-", std::nullopt},
    };
    for (const ParseRow& row : rows) {
        const std::optional<CalcValue> value = NumberUtils::calcValueFromString(row.text);
        ASSERT_EQ(value.has_value(), row.expected.has_value()) << row.text;
        if (value) {
            EXPECT_TRUE(value->isEqualToCalcValue(*row.expected)) << row.text << " -> " << value->description();
        }
    }
}

TEST(Parsing, RoundTripsEveryDisplayedBaseText) {
    WordSizeScope wordSize(64);
    for (uint64_t v : {uint64_t{0}, uint64_t{1}, uint64_t{0xDEADBEEF}, UINT64_MAX}) {
        const CalcValue value = CalcValue::calcValueWithUBaseValue(v);
        for (CalcValueFormatStyle style : {CalcValueFormatStyleOct, CalcValueFormatStyleDec}) {
            const CalcValueFormat f = CalcValueFormat::withStyle(style);
            std::string text = NumberUtils::stringFromCalcValue(value, &f);
            if (style == CalcValueFormatStyleDec) text.back() = 'u';  // "123d" reads as signed; "123u" as unsigned
            const std::optional<CalcValue> parsed = NumberUtils::calcValueFromString(text);
            ASSERT_TRUE(parsed) << text;
            EXPECT_EQ(parsed->uBaseValue(), v) << text;
        }
        const CalcValueFormat hex = CalcValueFormat::withStyle(CalcValueFormatStyleHex);
        EXPECT_EQ(
            NumberUtils::calcValueFromString("0x" + NumberUtils::stringsFromCalcValue(value, &hex)[0])->uBaseValue(),
            v);
    }
}

TEST(NumericHelpers, RoundingAndAngles) {
    EXPECT_EQ(NumberUtils::roundValueToIntWithPrecision(2.5, 0.6), 3.0);
    EXPECT_EQ(NumberUtils::roundValueToIntWithPrecision(-2.5, 0.6), -3.0);
    EXPECT_EQ(NumberUtils::roundValueToIntWithPrecision(1.2246e-16, 1e-15), 0.0);
    EXPECT_EQ(NumberUtils::roundValueToIntWithPrecision(0.3, 0.1), 0.3);
    EXPECT_DOUBLE_EQ(NumberUtils::radiansFromDegrees(180.0), M_PI);
    EXPECT_DOUBLE_EQ(NumberUtils::degreesFromRadians(M_PI / 2), 90.0);
}

}  // namespace
