#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>

#include "Calculator/OperatorsFormat.h"
#include "Calculator/OperatorsIEEE754.h"
#include "OperatorsModuleTestSupport.h"

namespace {

std::optional<CalcValue> converted(const CalcValue& value, OperatorsOperator op) {
    OperatorsError error = kUnwrittenError;
    std::optional<CalcValue> result = unary(value, op, &error);
    EXPECT_EQ(error, OperatorsErrorNone);
    return result;
}

TEST(OperatorsFormat, ConversionsKeepTheWordPatternAtEveryWordSize) {
    for (int w = kSmallestWordSize; w <= kLargestWordSize; ++w) {
        WordSizeScope settings(w);
        for (CalcValueType kind : kAllKinds) {
            for (const CalcValue& value : sampleValues(kind)) {
                SCOPED_TRACE("w " + std::to_string(w) + ", " + describe(value));
                EXPECT_IDENTICAL(converted(value, OperatorsOperatorToUBase),
                                 u(static_cast<uint64_t>(narrowedInteger(value, CalcValueTypeUBase, w))));
                EXPECT_IDENTICAL(converted(value, OperatorsOperatorToSBase),
                                 s(static_cast<int64_t>(narrowedInteger(value, CalcValueTypeSBase, w))));
                // A 128-bit integer converts to the nearest double just as a 64-bit one does; the
                // registry flushes -0.0 to 0.0.
                const double real = kind == CalcValueTypeReal ? value.realValue() + 0.0
                                                              : static_cast<double>(narrowedInteger(value, kind, w));
                EXPECT_IDENTICAL(converted(value, OperatorsOperatorToReal), r(real));
            }
        }
    }
}

TEST(OperatorsFormat, KnownResults) {
    EXPECT_FALSE(OperatorsFormat::doubleFromCalcValue(noneValue()));
    expectCalculations({
        {"->int of unsigned 40000 at 16", 16, u(40000), OperatorsOperatorToSBase, {}, s(-25536)},
        {"->int of real 300.7 at 8", 8, r(300.7), OperatorsOperatorToSBase, {}, s(44)},
        {"->float of no kind", 8, noneValue(), OperatorsOperatorToReal, {}, std::nullopt},
        {"->uint of no kind", 8, noneValue(), OperatorsOperatorToUBase, {}, std::nullopt},
    });
}

constexpr OperatorsOperator kToFloatBits = OperatorsOperatorFloatToIEEE754;
constexpr OperatorsOperator kToDoubleBits = OperatorsOperatorDoubleToIEEE754;
constexpr OperatorsOperator kFromFloatBits = OperatorsOperatorIEEE754ToFloat;
constexpr OperatorsOperator kFromDoubleBits = OperatorsOperatorIEEE754ToDouble;
constexpr OperatorsError kRange = OperatorsErrorValueOutOfRange;

// A finite binary32 pattern decoded field by field.
double decodedFloat(uint32_t bits) {
    const int sign = (bits >> 31) ? -1 : 1;
    const int exponent = static_cast<int>((bits >> 23) & 0xFF);
    const double fraction = static_cast<double>(bits & 0x7FFFFF);
    if (exponent == 0) return sign * std::ldexp(fraction, -149);
    return sign * std::ldexp(fraction + 8388608.0, exponent - 150);
}

TEST(OperatorsIEEE754, KnownEncodings) {
    const double halfway = std::ldexp(0x1FFFFFF, 103);
    expectCalculations({
        {"float2ieee -2.5", 32, r(-2.5), kToFloatBits, {}, u(0xC0200000)},
        {"float2ieee 0.1", 32, r(0.1), kToFloatBits, {}, u(0x3DCCCCCD)},
        {"float2ieee -1e39", 32, r(-1e39), kToFloatBits, {}, u(0xFF800000)},
        {"float2ieee 1e99", 32, r(1e99), kToFloatBits, {}, u(0x7F800000)},
        {"float2ieee -0.0", 32, r(-0.0), kToFloatBits, {}, u(0x80000000)},
        {"float2ieee 1e-46 is zero", 32, r(1e-46), kToFloatBits, {}, u(0)},
        {"float2ieee 1e-45 is the smallest subnormal", 32, r(1e-45), kToFloatBits, {}, u(1)},
        {"float2ieee of signed -1", 32, s(-1), kToFloatBits, {}, u(0xBF800000)},
        {"float2ieee at 64 leaves the upper half zero", 64, r(1.0), kToFloatBits, {}, u(0x3F800000)},
        {"float2ieee at 31", 31, r(1.0), kToFloatBits, {}, std::nullopt, OperatorsErrorIntegerSize32},
        {"double2ieee at 63", 63, r(1.0), kToDoubleBits, {}, std::nullopt, OperatorsErrorIntegerSize64},
        {"double2ieee -0.0", 64, r(-0.0), kToDoubleBits, {}, u(0x8000000000000000)},
        {"double2ieee π", 64, r(3.141592653589793), kToDoubleBits, {}, u(0x400921FB54442D18)},
        {"double2ieee of unsigned 2^64-1", 64, u(UINT64_MAX), kToDoubleBits, {}, u(0x43F0000000000000)},
        {"ieee2double π", 64, u(0x400921FB54442D18), kFromDoubleBits, {}, r(3.141592653589793)},
        {"ieee2double +infinity", 64, u(0x7FF0000000000000), kFromDoubleBits, {}, std::nullopt, kRange},
        {"ieee2double NaN", 64, u(0xFFF8000000000000), kFromDoubleBits, {}, std::nullopt, kRange},
        {"ieee2double smallest subnormal", 64, u(1), kFromDoubleBits, {}, r(0.0)},
        {"ieee2double 1e100", 64, u(0x54B249AD2594C37D), kFromDoubleBits, {}, std::nullopt, kRange},
        {"ieee2double of signed -1 is a NaN", 16, s(-1), kFromDoubleBits, {}, std::nullopt, kRange},
        {"ieee2double at 8 bits reads all 64 bits", 8, u(0x3FF0000000000000), kFromDoubleBits, {}, r(1.0)},
        {"ieee2float NaN", 32, u(0x7FC00000), kFromFloatBits, {}, std::nullopt, kRange},
        {"ieee2float -infinity", 32, u(0xFF800000), kFromFloatBits, {}, std::nullopt, kRange},
        {"ieee2float -1.0", 32, u(0xBF800000), kFromFloatBits, {}, r(-1.0)},
        {"ieee2float at 16 decodes a subnormal", 16, u(0x3F80), kFromFloatBits, {}, r(2.2779507836064226e-41)},
        {"ieee2float reads the low 32 bits", 64, u(0xFFFFFFFF3F800000), kFromFloatBits, {}, r(1.0)},
        {"ieee2float of real 1065353216.9", 8, r(1065353216.9), kFromFloatBits, {}, r(1.0)},
        {"ieee2float of signed -1082130432", 8, s(-1082130432), kFromFloatBits, {}, r(-1.0)},
        // Halfway between the largest float and 2^128 goes to the even neighbour, the infinity.
        {"float2ieee halfway", 32, r(halfway), kToFloatBits, {}, u(0x7F800000)},
        {"float2ieee below halfway", 32, r(-std::nextafter(halfway, 0.0)), kToFloatBits, {}, u(0xFF7FFFFF)},
        {"float2ieee just above the largest float",
         32,
         r(std::nextafter(double{FLT_MAX}, 1e300)),
         kToFloatBits,
         {},
         u(0x7F7FFFFF)},
    });
}

TEST(OperatorsIEEE754, EncodingsAreTheMachinesPatternsAndDecodeBack) {
    // clang-format off
    const double samples[] = {0.0, 1.0, -1.0, 0.1, -0.3, 1.5, 3.141592653589793, 2.718281828459045, 1e-40, -1e-44,
                              1e-38, double{FLT_MAX}, -double{FLT_MAX}, 3.4028235e38, 3.4028236e38, 1e38, 123456789.0,
                              16777217.0, 6.672e-11, 299792458.0, 1e99, -1e-99, 5e-324};
    // clang-format on
    for (double x : samples) {
        SCOPED_TRACE(x);
        OperatorsError error = kUnwrittenError;
        // Doubles beyond the float range have no float to be cast to; their patterns are
        // checked against the known infinities above.
        if (std::fabs(x) <= FLT_MAX) {
            WordSizeScope settings(32);
            const float rounded = static_cast<float>(x);
            const std::optional<CalcValue> single = unary(r(x), kToFloatBits, &error);
            EXPECT_IDENTICAL(single, u(std::bit_cast<uint32_t>(rounded)));
            ASSERT_TRUE(single);
            EXPECT_EQ(decodedFloat(static_cast<uint32_t>(single->uBaseValue())), static_cast<double>(rounded));
            EXPECT_IDENTICAL(unary(*single, kFromFloatBits, &error), registryReal(rounded));
        }
        WordSizeScope settings(64);
        const std::optional<CalcValue> wide = unary(r(x), kToDoubleBits, &error);
        EXPECT_IDENTICAL(wide, u(std::bit_cast<uint64_t>(x)));
        ASSERT_TRUE(wide);
        EXPECT_IDENTICAL(unary(*wide, kFromDoubleBits, &error), registryReal(x));
        EXPECT_EQ(error, OperatorsErrorNone);
    }
}

TEST(OperatorsIEEE754, EveryFiniteExponentOfBinary32DecodesFieldByField) {
    WordSizeScope settings(32);
    for (uint32_t exponent = 0; exponent < 255; ++exponent) {
        for (uint32_t fraction : {0u, 1u, 0x400000u, 0x7FFFFFu, 0x123456u}) {
            for (uint32_t sign : {0u, 1u}) {
                const uint32_t bits = (sign << 31) | (exponent << 23) | fraction;
                OperatorsError error = kUnwrittenError;
                EXPECT_IDENTICAL(unary(u(bits), kFromFloatBits, &error), registryReal(decodedFloat(bits)))
                    << std::hex << bits;
                EXPECT_EQ(error, OperatorsErrorNone);
            }
        }
    }
}

TEST(OperatorsIEEE754, WordSizeChecksComeFirstAndDecodingWorksAtEveryWordSize) {
    for (int w = kSmallestWordSize; w <= kLargestWordSize; ++w) {
        WordSizeScope settings(w);
        OperatorsError error = kUnwrittenError;
        EXPECT_FALSE(unary(noneValue(), kToFloatBits, &error));
        EXPECT_EQ(error, w < 32 ? OperatorsErrorIntegerSize32 : OperatorsErrorNone);
        unary(noneValue(), kToDoubleBits, &error);
        EXPECT_EQ(error, w < 64 ? OperatorsErrorIntegerSize64 : OperatorsErrorNone);
        EXPECT_IDENTICAL(unary(u(0x3FC00000), kFromFloatBits, &error), r(1.5));
        EXPECT_IDENTICAL(unary(u(0x3FF8000000000000), kFromDoubleBits, &error), r(1.5));
    }
}

}  // namespace
