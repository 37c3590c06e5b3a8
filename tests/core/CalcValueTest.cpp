#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Model/CalcValue.h"
#include "support/Int128.h"

namespace {

// Sign extension done another way: through the arithmetic value of the low bits.
int64_t signExtendedReference(uint64_t v, int w) {
    if (w == 64) return static_cast<int64_t>(v);
    const Int128 low = static_cast<Int128>(v & ((uint64_t{1} << w) - 1));
    const Int128 half = static_cast<Int128>(1) << (w - 1);
    return static_cast<int64_t>(low >= half ? low - (static_cast<Int128>(1) << w) : low);
}

TEST(CalcValueMasking, MatchesReferenceAtEveryWordSize) {
    const uint64_t samples[] = {0,
                                1,
                                0x7F,
                                0x80,
                                0xFF,
                                0xFFFF,
                                0x100000001,
                                0x8000000000000000,
                                0xFFFFFFFFFFFFFFFF,
                                0x0123456789ABCDEF,
                                0xFEDCBA9876543210};
    for (int w = 2; w <= 64; ++w) {
        for (uint64_t v : samples) {
            const uint64_t expectedUnsigned = w == 64 ? v : v % (uint64_t{1} << w);
            EXPECT_EQ(CalcValue::uValueMaskedWithWordSize(v, w), expectedUnsigned) << "w=" << w << " v=" << v;
            EXPECT_EQ(CalcValue::sValueMaskedWithWordSize(static_cast<int64_t>(v), w), signExtendedReference(v, w))
                << "w=" << w << " v=" << v;
        }
    }
}

TEST(CalcValueMasking, KnownValues) {
    EXPECT_EQ(CalcValue::sValueMaskedWithWordSize(0x80, 8), -128);
    EXPECT_EQ(CalcValue::sValueMaskedWithWordSize(0x7F, 8), 127);
    EXPECT_EQ(CalcValue::sValueMaskedWithWordSize(0xFFFF, 16), -1);
    EXPECT_EQ(CalcValue::sValueMaskedWithWordSize(0x100000001, 32), 1);
    EXPECT_EQ(CalcValue::uValueMaskedWithWordSize(UINT64_MAX, 32), 4294967295u);
    EXPECT_EQ(CalcValue::uValueMaskedWithWordSize(UINT64_MAX, 64), UINT64_MAX);
}

TEST(CalcValueConstruction, DefaultsAndTags) {
    EXPECT_EQ(CalcValue().type(), CalcValueTypeReal);
    EXPECT_EQ(CalcValue().realValue(), 0.0);
    const CalcValue unsignedZero = CalcValue::calcValueWithType(CalcValueTypeUBase);
    EXPECT_EQ(unsignedZero.type(), CalcValueTypeUBase);
    EXPECT_TRUE(unsignedZero.isZero());
    EXPECT_EQ(CalcValue::calcValueWithType(CalcValueTypeNone).description(), "<none>");
}

TEST(CalcValueConversion, KeepsOrReinterpretsBitPatterns) {
    struct Row {
        CalcValue source;
        CalcValueType destination;
        int wordSize;
        CalcValue expected;
    };
    const Row rows[] = {
        {CalcValue::calcValueWithUBaseValue(255), CalcValueTypeSBase, 8, CalcValue::calcValueWithSBaseValue(-1)},
        {CalcValue::calcValueWithUBaseValue(200), CalcValueTypeSBase, 8, CalcValue::calcValueWithSBaseValue(-56)},
        {CalcValue::calcValueWithSBaseValue(-1), CalcValueTypeUBase, 8, CalcValue::calcValueWithUBaseValue(255)},
        {CalcValue::calcValueWithSBaseValue(-1), CalcValueTypeUBase, 16, CalcValue::calcValueWithUBaseValue(65535)},
        {CalcValue::calcValueWithSBaseValue(-1), CalcValueTypeUBase, 64,
         CalcValue::calcValueWithUBaseValue(UINT64_MAX)},
        {CalcValue::calcValueWithRealValue(3.99), CalcValueTypeSBase, 32, CalcValue::calcValueWithSBaseValue(3)},
        {CalcValue::calcValueWithRealValue(-3.99), CalcValueTypeSBase, 32, CalcValue::calcValueWithSBaseValue(-3)},
        {CalcValue::calcValueWithRealValue(300.0), CalcValueTypeUBase, 8, CalcValue::calcValueWithUBaseValue(44)},
        {CalcValue::calcValueWithUBaseValue(UINT64_MAX), CalcValueTypeReal, 64,
         CalcValue::calcValueWithRealValue(1.8446744073709552e19)},
        {CalcValue::calcValueWithUBaseValue(0x1FF), CalcValueTypeReal, 8, CalcValue::calcValueWithRealValue(255.0)},
        {CalcValue::calcValueWithSBaseValue(0xFF), CalcValueTypeReal, 8, CalcValue::calcValueWithRealValue(-1.0)},
        {CalcValue::calcValueWithUBaseValue(0x1FF), CalcValueTypeUBase, 8, CalcValue::calcValueWithUBaseValue(255)},
    };
    for (const Row& row : rows) {
        const std::optional<CalcValue> converted = row.source.calcValueAsType(row.destination, row.wordSize);
        ASSERT_TRUE(converted.has_value());
        EXPECT_TRUE(converted->isEqualToCalcValue(row.expected))
            << row.source.description() << " -> " << converted->description();
    }
}

TEST(CalcValueConversion, RealsBeyondSixtyFourBitsSaturate) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Row {
        double real;
        uint64_t asUnsigned64;
        int64_t asSigned64;
    };
    const Row rows[] = {
        {nan, 0, 0},
        {inf, UINT64_MAX, INT64_MAX},
        {-inf, 0, INT64_MIN},
        {1e30, UINT64_MAX, INT64_MAX},
        {-1e30, 0, INT64_MIN},
        {9223372036854775808.0, 9223372036854775808u, INT64_MAX},
        {-9223372036854775808.0, 0, INT64_MIN},
        {18446744073709551616.0, UINT64_MAX, INT64_MAX},
        {-0.5, 0, 0},
    };
    for (const Row& row : rows) {
        const CalcValue real = CalcValue::calcValueWithRealValue(row.real);
        EXPECT_EQ(real.calcValueAsType(CalcValueTypeUBase, 64)->uBaseValue(), row.asUnsigned64) << row.real;
        EXPECT_EQ(real.calcValueAsType(CalcValueTypeSBase, 64)->sBaseValue(), row.asSigned64) << row.real;
    }
    // Saturated values are then narrowed like any other.
    EXPECT_EQ(CalcValue::calcValueWithRealValue(1e30).calcValueAsType(CalcValueTypeUBase, 8)->uBaseValue(), 255u);
    EXPECT_EQ(CalcValue::calcValueWithRealValue(1e30).calcValueAsType(CalcValueTypeSBase, 8)->sBaseValue(), -1);
}

TEST(CalcValueConversion, NoneGivesNoValue) {
    const CalcValue none = CalcValue::calcValueWithType(CalcValueTypeNone);
    EXPECT_FALSE(none.calcValueAsType(CalcValueTypeUBase, 32).has_value());
    EXPECT_FALSE(none.calcValueAsType(CalcValueTypeReal, 32).has_value());
}

TEST(CalcValueEquality, TagsAndFloatingRules) {
    EXPECT_FALSE(CalcValue::calcValueWithUBaseValue(0).isEqualToCalcValue(CalcValue::calcValueWithSBaseValue(0)));
    const CalcValue nan = CalcValue::calcValueWithRealValue(std::numeric_limits<double>::quiet_NaN());
    EXPECT_FALSE(nan.isEqualToCalcValue(nan));
    EXPECT_FALSE(nan.isZero());
    EXPECT_TRUE(CalcValue::calcValueWithRealValue(-0.0).isZero());
    EXPECT_TRUE(CalcValue::calcValueWithRealValue(-0.0).isEqualToCalcValue(CalcValue::calcValueWithRealValue(0.0)));
}

TEST(CalcValueDescription, LogTexts) {
    EXPECT_EQ(CalcValue::calcValueWithUBaseValue(UINT64_MAX).description(), "18446744073709551615");
    EXPECT_EQ(CalcValue::calcValueWithSBaseValue(INT64_MIN).description(), "-9223372036854775808");
    EXPECT_EQ(CalcValue::calcValueWithRealValue(0.1).description(), "0.1");
}

using CalcValueDeathTest = ::testing::Test;

TEST_F(CalcValueDeathTest, ProgrammingErrorsAbortNamingTheSource) {
    const CalcValue none = CalcValue::calcValueWithType(CalcValueTypeNone);
    EXPECT_DEATH(CalcValue::calcValueWithCalcValue(none), "Model/CalcValue: unrecognised calc value type");
    EXPECT_DEATH((void)none.isZero(), "Model/CalcValue: unknown value type");
    EXPECT_DEATH((void)none.isEqualToCalcValue(none), "Model/CalcValue: unknown value type");
    EXPECT_DEATH((void)CalcValue::calcValueWithUBaseValue(1).calcValueAsType(CalcValueTypeNone, 8),
                 "Model/CalcValue: unknown destination calc value type");
    EXPECT_DEATH((void)CalcValue::calcValueWithType(static_cast<CalcValueType>(7)).description(),
                 "Model/CalcValue: unknown calc value type");
}

}  // namespace
