#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>

#include "OperatorsModuleTestSupport.h"
#include "Utils/NumberUtils.h"

namespace {

// Masking done another way: through the bit model of the low w bits.
TEST(CalcValueMasking, MatchesTheBitModelAtEveryWordSize) {
    for (int w = 2; w <= 64; ++w) {
        for (uint64_t v : samplePatterns()) {
            const Bits bits = bitsFromInteger(v, w);
            EXPECT_EQ(CalcValue::uValueMaskedWithWordSize(v, w), static_cast<uint64_t>(unsignedFromBits(bits)))
                << "w=" << w << " v=" << v;
            EXPECT_EQ(CalcValue::sValueMaskedWithWordSize(static_cast<int64_t>(v), w),
                      static_cast<int64_t>(signedFromBits(bits)))
                << "w=" << w << " v=" << v;
        }
    }
}

TEST(CalcValueConversion, KeepsOrReinterpretsBitPatterns) {
    const struct {
        CalcValue source;
        CalcValueType destination;
        int wordSize;
        CalcValue expected;
    } rows[] = {
        // clang-format off
        {u(200), CalcValueTypeSBase, 8, s(-56)},       {s(-1), CalcValueTypeUBase, 16, u(65535)},
        {s(-1), CalcValueTypeUBase, 64, u(UINT64_MAX)}, {r(-3.99), CalcValueTypeSBase, 32, s(-3)},
        {r(300.0), CalcValueTypeUBase, 8, u(44)},      {u(UINT64_MAX), CalcValueTypeReal, 64, r(1.8446744073709552e19)},
        {u(0x1FF), CalcValueTypeReal, 8, r(255.0)},    {s(0xFF), CalcValueTypeReal, 8, r(-1.0)},
        {u(0x1FF), CalcValueTypeUBase, 8, u(255)},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_IDENTICAL(row.source.calcValueAsType(row.destination, row.wordSize), row.expected)
            << describe(row.source);
    }
    EXPECT_FALSE(noneValue().calcValueAsType(CalcValueTypeUBase, 32).has_value());
    EXPECT_FALSE(noneValue().calcValueAsType(CalcValueTypeReal, 32).has_value());
}

TEST(CalcValueConversion, RealsBeyondSixtyFourBitsSaturate) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double real;
        uint64_t asUnsigned64;
        int64_t asSigned64;
    } rows[] = {
        // clang-format off
        {std::nan(""), 0, 0},                   {inf, UINT64_MAX, INT64_MAX},
        {-inf, 0, INT64_MIN},                   {1e30, UINT64_MAX, INT64_MAX},
        {-9223372036854775808.0, 0, INT64_MIN}, {9223372036854775808.0, 9223372036854775808u, INT64_MAX},
        {-0.5, 0, 0},                           {18446744073709551616.0, UINT64_MAX, INT64_MAX},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(r(row.real).calcValueAsType(CalcValueTypeUBase, 64)->uBaseValue(), row.asUnsigned64) << row.real;
        EXPECT_EQ(r(row.real).calcValueAsType(CalcValueTypeSBase, 64)->sBaseValue(), row.asSigned64) << row.real;
    }
    // Saturated values are then narrowed like any other.
    EXPECT_EQ(r(1e30).calcValueAsType(CalcValueTypeUBase, 8)->uBaseValue(), 255u);
    EXPECT_EQ(r(1e30).calcValueAsType(CalcValueTypeSBase, 8)->sBaseValue(), -1);
}

TEST(CalcValueEquality, DefaultsTagsAndFloatingRules) {
    EXPECT_IDENTICAL(std::optional(CalcValue()), r(0.0));
    EXPECT_TRUE(CalcValue::calcValueWithType(CalcValueTypeUBase).isEqualToCalcValue(u(0)));
    EXPECT_FALSE(u(0).isEqualToCalcValue(s(0)));
    EXPECT_FALSE(r(std::nan("")).isEqualToCalcValue(r(std::nan(""))));
    EXPECT_FALSE(r(std::nan("")).isZero());
    EXPECT_TRUE(r(-0.0).isZero());
    EXPECT_TRUE(r(-0.0).isEqualToCalcValue(r(0.0)));
    EXPECT_EQ(u(UINT64_MAX).description(), "18446744073709551615");
    EXPECT_EQ(s(INT64_MIN).description(), "-9223372036854775808");
    EXPECT_EQ(r(0.1).description(), "0.1");
    EXPECT_EQ(noneValue().description(), "<none>");
}

using CalcValueDeathTest = ::testing::Test;

TEST_F(CalcValueDeathTest, ProgrammingErrorsAbortNamingTheSource) {
    EXPECT_DEATH(CalcValue::calcValueWithCalcValue(noneValue()), "Model/CalcValue: unrecognised calc value type");
    EXPECT_DEATH((void)noneValue().isZero(), "Model/CalcValue: unknown value type");
    EXPECT_DEATH((void)noneValue().isEqualToCalcValue(noneValue()), "Model/CalcValue: unknown value type");
    EXPECT_DEATH((void)u(1).calcValueAsType(CalcValueTypeNone, 8),
                 "Model/CalcValue: unknown destination calc value type");
    EXPECT_DEATH((void)CalcValue::calcValueWithType(static_cast<CalcValueType>(7)).description(),
                 "Model/CalcValue: unknown calc value type");
}

CalcValueFormat format(CalcValueFormatStyle style, std::optional<int> places = {}, std::optional<int> figures = {},
                       std::optional<int> exponent = {}) {
    CalcValueFormat f = CalcValueFormat::withStyle(style);
    f.numDecimalPlaces = places;
    f.numSigFig = figures;
    f.exponent = exponent;
    return f;
}
CalcValueFormat fix(int places, std::optional<int> exponent = {}) {
    return format(CalcValueFormatStyleFix, places, {}, exponent);
}
CalcValueFormat sci(std::optional<int> figures = {}) { return format(CalcValueFormatStyleSci, {}, figures); }
CalcValueFormat eng(std::optional<int> figures = {}) { return format(CalcValueFormatStyleEng, {}, figures); }
const CalcValueFormat kAuto = format(CalcValueFormatStyleAuto);

std::string joined(const CalcValue& value, const CalcValueFormat* f) {
    return NumberUtils::stringFromCalcValue(value, f);
}

TEST(RealFormatting, GivesTheTextPair) {
    const struct {
        double value;
        CalcValueFormat format;
        CalcValueStrings expected;
    } rows[] = {
        // clang-format off
        {3.14159, fix(2), {"3.14", ""}},           {-0.0, fix(2), {"0.00", ""}},
        {-0.004, fix(2), {"0.00", ""}},            // rounds to zero, without a sign
        {1e11, fix(2), {"1", "11"}},               // too large for fix: auto
        {1.0 / 3.0, fix(14), {"0.3333333333", ""}},  // places capped at ten
        {12.4, fix(0), {"12.", ""}},               {2.5, fix(2, -3), {"2.50", "-03"}},
        {2.0, fix(0, 5), {"2.", "05"}},            {7.6, fix(-2), {"8.", ""}},
        {123456, sci(3), {"1.23", "05"}},          {0, sci(3), {"0", "00"}},
        {-0.000456, sci(3), {"-4.56", "-04"}},     {1e99 * 10, sci(), {"1", "100"}},
        {1.0 / 3.0, sci(), {"3.333333333", "-01"}}, {987.0, sci(1), {"1", "03"}},
        {123456, eng(3), {"123", "03"}},           {0.000456, eng(3), {"456", "-06"}},
        {12, eng(3), {"12", "00"}},                {1.5e5, eng(), {"150", "03"}},
        {1.5e-5, eng(), {"15", "-06"}},            {1.5e-4, eng(), {"150", "-06"}},
        {123456.789, kAuto, {"123456.789", ""}},   {0.000012, kAuto, {"0.000012", ""}},
        {1e-12, kAuto, {"1", "-12"}},              {1.1e-11, kAuto, {"0", ""}},
        {1e-11, kAuto, {"1", "-11"}},              // the bound is scientific
        {99999999999.0, kAuto, {"99999999999", ""}}, {1e11, kAuto, {"1", "11"}},
        {1.5e11, kAuto, {"1.5", "11"}},            {5e-100, kAuto, {"0", ""}},
        {2.5, format(CalcValueFormatStyleHex), {"2.5", ""}},  // an integer style is auto
        {std::nan(""), fix(2), {"NaN", ""}},       {-INFINITY, fix(2), {"Infinity", ""}},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(NumberUtils::stringsFromCalcValue(r(row.value), &row.format), row.expected) << row.value;
    }
    EXPECT_EQ(NumberUtils::stringsFromCalcValue(r(1234567.0), nullptr), (CalcValueStrings{"1.23457e+06", ""}));
    const CalcValueFormat twoFigures = sci(2);
    EXPECT_EQ(joined(r(1.5e-5), &twoFigures), "1.5e-05");
}

TEST(RealFormatting, FixAgreesWithPrintfForManyValues) {
    for (int places = 0; places <= 10; ++places) {
        for (double x : {0.125, 2.5, 1.0 / 7.0, 98765.4321, -3.75, 12345678901.0, 1e-9}) {
            char expected[128];
            std::snprintf(expected, sizeof expected, places == 0 ? "%.*f." : "%.*f", places, x);
            const CalcValueFormat f = fix(places);
            EXPECT_EQ(NumberUtils::stringsFromCalcValue(r(x), &f)[0], expected) << x << " " << places;
        }
    }
}

TEST(RealFormatting, IgnoresTheUserLocale) {
    // A locale with a decimal comma must not change the text.
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) {
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    const CalcValueFormat f = sci(3);
    EXPECT_EQ(joined(r(123456.5), &f), "1.23e05");
    EXPECT_IDENTICAL(NumberUtils::calcValueFromString("2.5"), r(2.5));
    std::setlocale(LC_NUMERIC, "C");
}

TEST(IntegerFormatting, BasesAndTwosComplement) {
    WordSizeScope wordSize(8);
    const struct {
        CalcValue value;
        CalcValueFormatStyle style;
        CalcValueStrings expected;
    } rows[] = {
        // clang-format off
        {s(-1), CalcValueFormatStyleHex, {"FF", "h"}},        {s(-128), CalcValueFormatStyleDec, {"-128", "d"}},
        {u(0), CalcValueFormatStyleBin, {"0", "b"}},          {s(-1), CalcValueFormatStyleOct, {"377", "o"}},
        {s(-1), CalcValueFormatStyleBin, {"1111 1111", "b"}},
        {u(0xABC), CalcValueFormatStyleHex, {"ABC", "h"}},  // held unmasked, shown as it is
        {s(INT64_MIN), CalcValueFormatStyleDec, {"-9223372036854775808", "d"}},
        {u(UINT64_MAX), CalcValueFormatStyleDec, {"18446744073709551615", "d"}},
        {u(26), CalcValueFormatStyleSci, {"1A", "h"}},  // a real style shows hex
        // clang-format on
    };
    for (const auto& row : rows) {
        const CalcValueFormat f = CalcValueFormat::withStyle(row.style);
        EXPECT_EQ(NumberUtils::stringsFromCalcValue(row.value, &f), row.expected) << row.value.description();
    }
    EXPECT_EQ(NumberUtils::stringsFromCalcValue(u(26), nullptr), (CalcValueStrings{"1A", "h"}));
    const CalcValueFormat bin = CalcValueFormat::withStyle(CalcValueFormatStyleBin);
    EXPECT_EQ(NumberUtils::accessibilityStringFromCalcValue(u(10), &bin), "binary 1010");
    const CalcValueFormat scientific = sci();
    EXPECT_EQ(NumberUtils::accessibilityStringFromCalcValue(r(2e-7), &scientific), "2 times 10 to the power -07");
}

TEST(IntegerFormatting, BinaryGroupsOfFourAgreeWithABitLoop) {
    for (uint64_t v : samplePatterns()) {
        std::string expected = v == 0 ? "0" : "";
        for (int digits = 0; digits < 64 && (v >> digits) != 0; ++digits) {
            if (digits > 0 && digits % 4 == 0) expected.insert(0, " ");
            expected.insert(0, (v >> digits) & 1 ? "1" : "0");
        }
        EXPECT_EQ(NumberUtils::stringInBinaryFromUint64(v), expected);
    }
}

// Words ending in a base letter are not numbers: pasting one must not replace the value.
TEST(Parsing, AcceptsTheDisplayTextsAndRejectsWords) {
    const std::pair<const char*, std::optional<CalcValue>> rows[] = {
        {"0x1F", u(31)},         {"value 0xff", u(255)}, {"0XFFFFFFFFFFFFFFFFFF", u(UINT64_MAX)},
        {"FF h", std::nullopt},  {"-42 d", s(-42)},      {"# 17 d", s(17)},
        {"# 17 u", u(17)},       {"017 u", u(15)},       {"99999999999999999999d", s(INT64_MAX)},
        {"0x10 u", u(16)},       {"# 777 o", u(511)},    {"1010 b", u(10)},
        {"1111 1111b", u(15)},   {"0 b", u(0)},          {"2.5e3", r(2500)},
        {"  -0.125", r(-0.125)}, {"+7", r(7)},           {"1.5e-05", r(1.5e-5)},
        {"abc", std::nullopt},   {"Bob", std::nullopt},  {"hello", std::nullopt},
        {"menu", std::nullopt},  {"# u", std::nullopt},  {"", std::nullopt},
        {"inf", std::nullopt},   {"nan", std::nullopt},  {"1e999", std::nullopt},
        {"-", std::nullopt},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_IDENTICAL(NumberUtils::calcValueFromString(text), expected) << text;
}

TEST(Parsing, RoundTripsEveryDisplayedBaseText) {
    WordSizeScope wordSize(64);
    for (uint64_t v : samplePatterns()) {
        for (CalcValueFormatStyle style : {CalcValueFormatStyleOct, CalcValueFormatStyleDec}) {
            const CalcValueFormat f = CalcValueFormat::withStyle(style);
            std::string text = joined(u(v), &f);
            if (style == CalcValueFormatStyleDec) text.back() = 'u';  // "123d" reads as signed; "123u" as unsigned
            EXPECT_IDENTICAL(NumberUtils::calcValueFromString(text), u(v)) << text;
        }
        const CalcValueFormat hex = CalcValueFormat::withStyle(CalcValueFormatStyleHex);
        EXPECT_IDENTICAL(NumberUtils::calcValueFromString("0x" + NumberUtils::stringsFromCalcValue(u(v), &hex)[0]),
                         u(v));
    }
}

}  // namespace
