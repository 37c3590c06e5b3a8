#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "OperatorsModuleTestSupport.h"

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
        {u(200), CalcValueTypeSBase, 8, s(-56)},
        {s(-1), CalcValueTypeUBase, 16, u(65535)},
        {s(-1), CalcValueTypeUBase, 64, u(UINT64_MAX)},
        {r(-3.99), CalcValueTypeSBase, 32, s(-3)},
        {r(300.0), CalcValueTypeUBase, 8, u(44)},
        {u(UINT64_MAX), CalcValueTypeReal, 64, r(1.8446744073709552e19)},
        {u(0x1FF), CalcValueTypeReal, 8, r(255.0)},
        {s(0xFF), CalcValueTypeReal, 8, r(-1.0)},
        {u(0x1FF), CalcValueTypeUBase, 8, u(255)},
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
        {std::nan(""), 0, 0},
        {inf, UINT64_MAX, INT64_MAX},
        {-inf, 0, INT64_MIN},
        {1e30, UINT64_MAX, INT64_MAX},
        {9223372036854775808.0, 9223372036854775808u, INT64_MAX},
        {-9223372036854775808.0, 0, INT64_MIN},
        {18446744073709551616.0, UINT64_MAX, INT64_MAX},
        {-0.5, 0, 0},
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

}  // namespace
