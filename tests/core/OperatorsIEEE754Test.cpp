#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>

#include "Calculator/OperatorsIEEE754.h"
#include "OperatorsModuleTestSupport.h"

namespace {

std::optional<CalcValue> unary(const CalcValue& value, OperatorsOperator op, OperatorsError* error) {
    return Operators::sharedInstance().calculateResultForCalcValue(value, op, error);
}

// The binary32 pattern of a float and the binary64 pattern of a double, read through memory.
uint64_t floatPattern(float x) {
    uint32_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

uint64_t doublePattern(double x) {
    uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

// A finite binary32 pattern decoded field by field.
double decodedFloat(uint32_t bits) {
    const int sign = (bits >> 31) ? -1 : 1;
    const int exponent = static_cast<int>((bits >> 23) & 0xFF);
    const double fraction = static_cast<double>(bits & 0x7FFFFF);
    if (exponent == 0) return sign * std::ldexp(fraction, -149);
    return sign * std::ldexp(fraction + 8388608.0, exponent - 150);
}

struct EncodingCase {
    const char* name;
    int wordSize;
    OperatorsOperator op;
    CalcValue value;
    std::optional<CalcValue> expected;
    OperatorsError error;
};

const EncodingCase kCases[] = {
    {"float2ieee 1.0", 32, OperatorsOperatorFloatToIEEE754, realValue(1.0), unsignedValue(0x3F800000),
     OperatorsErrorNone},
    {"float2ieee -2.5", 32, OperatorsOperatorFloatToIEEE754, realValue(-2.5), unsignedValue(0xC0200000),
     OperatorsErrorNone},
    {"float2ieee 0.1", 32, OperatorsOperatorFloatToIEEE754, realValue(0.1), unsignedValue(0x3DCCCCCD),
     OperatorsErrorNone},
    {"float2ieee 1e39", 32, OperatorsOperatorFloatToIEEE754, realValue(1e39), unsignedValue(0x7F800000),
     OperatorsErrorNone},
    {"float2ieee -1e39", 32, OperatorsOperatorFloatToIEEE754, realValue(-1e39), unsignedValue(0xFF800000),
     OperatorsErrorNone},
    {"float2ieee 1e99", 32, OperatorsOperatorFloatToIEEE754, realValue(1e99), unsignedValue(0x7F800000),
     OperatorsErrorNone},
    {"float2ieee -0.0", 32, OperatorsOperatorFloatToIEEE754, realValue(-0.0), unsignedValue(0x80000000),
     OperatorsErrorNone},
    {"float2ieee 1e-46 is zero", 32, OperatorsOperatorFloatToIEEE754, realValue(1e-46), unsignedValue(0),
     OperatorsErrorNone},
    {"float2ieee 1e-45 is the smallest subnormal", 32, OperatorsOperatorFloatToIEEE754, realValue(1e-45),
     unsignedValue(1), OperatorsErrorNone},
    {"float2ieee of unsigned 1", 32, OperatorsOperatorFloatToIEEE754, unsignedValue(1), unsignedValue(0x3F800000),
     OperatorsErrorNone},
    {"float2ieee of signed -1", 32, OperatorsOperatorFloatToIEEE754, signedValue(-1), unsignedValue(0xBF800000),
     OperatorsErrorNone},
    {"float2ieee 1.0 at 64 leaves the upper half zero", 64, OperatorsOperatorFloatToIEEE754, realValue(1.0),
     unsignedValue(0x000000003F800000), OperatorsErrorNone},
    {"float2ieee at 31", 31, OperatorsOperatorFloatToIEEE754, realValue(1.0), std::nullopt,
     OperatorsErrorIntegerSize32},
    {"float2ieee at 16", 16, OperatorsOperatorFloatToIEEE754, realValue(1.0), std::nullopt,
     OperatorsErrorIntegerSize32},
    {"double2ieee at 32", 32, OperatorsOperatorDoubleToIEEE754, realValue(1.0), std::nullopt,
     OperatorsErrorIntegerSize64},
    {"double2ieee at 63", 63, OperatorsOperatorDoubleToIEEE754, realValue(1.0), std::nullopt,
     OperatorsErrorIntegerSize64},
    {"double2ieee 1.0", 64, OperatorsOperatorDoubleToIEEE754, realValue(1.0), unsignedValue(0x3FF0000000000000),
     OperatorsErrorNone},
    {"double2ieee -0.0", 64, OperatorsOperatorDoubleToIEEE754, realValue(-0.0), unsignedValue(0x8000000000000000),
     OperatorsErrorNone},
    {"double2ieee π", 64, OperatorsOperatorDoubleToIEEE754, realValue(3.141592653589793),
     unsignedValue(0x400921FB54442D18), OperatorsErrorNone},
    {"double2ieee of unsigned 2^64-1", 64, OperatorsOperatorDoubleToIEEE754, unsignedValue(UINT64_MAX),
     unsignedValue(0x43F0000000000000), OperatorsErrorNone},
    {"ieee2double π", 64, OperatorsOperatorIEEE754ToDouble, unsignedValue(0x400921FB54442D18),
     realValue(3.141592653589793), OperatorsErrorNone},
    {"ieee2double +infinity", 64, OperatorsOperatorIEEE754ToDouble, unsignedValue(0x7FF0000000000000), std::nullopt,
     OperatorsErrorValueOutOfRange},
    {"ieee2double NaN", 64, OperatorsOperatorIEEE754ToDouble, unsignedValue(0xFFF8000000000000), std::nullopt,
     OperatorsErrorValueOutOfRange},
    {"ieee2double smallest subnormal", 64, OperatorsOperatorIEEE754ToDouble, unsignedValue(1), realValue(0.0),
     OperatorsErrorNone},
    {"ieee2double 1e100", 64, OperatorsOperatorIEEE754ToDouble, unsignedValue(0x54B249AD2594C37D), std::nullopt,
     OperatorsErrorValueOutOfRange},
    {"ieee2double of signed -1 is all ones, a NaN", 16, OperatorsOperatorIEEE754ToDouble, signedValue(-1), std::nullopt,
     OperatorsErrorValueOutOfRange},
    {"ieee2double at 8 bits reads all 64 bits", 8, OperatorsOperatorIEEE754ToDouble, unsignedValue(0x3FF0000000000000),
     realValue(1.0), OperatorsErrorNone},
    {"ieee2float NaN", 32, OperatorsOperatorIEEE754ToFloat, unsignedValue(0x7FC00000), std::nullopt,
     OperatorsErrorValueOutOfRange},
    {"ieee2float -infinity", 32, OperatorsOperatorIEEE754ToFloat, unsignedValue(0xFF800000), std::nullopt,
     OperatorsErrorValueOutOfRange},
    {"ieee2float -1.0", 32, OperatorsOperatorIEEE754ToFloat, unsignedValue(0xBF800000), realValue(-1.0),
     OperatorsErrorNone},
    {"ieee2float at 16 decodes a subnormal", 16, OperatorsOperatorIEEE754ToFloat, unsignedValue(0x3F80),
     realValue(2.2779507836064226e-41), OperatorsErrorNone},
    {"ieee2float reads the low 32 bits", 64, OperatorsOperatorIEEE754ToFloat, unsignedValue(0xFFFFFFFF3F800000),
     realValue(1.0), OperatorsErrorNone},
    {"ieee2float of real 1065353216.9", 8, OperatorsOperatorIEEE754ToFloat, realValue(1065353216.9), realValue(1.0),
     OperatorsErrorNone},
    {"ieee2float of signed -1082130432 keeps its bits", 8, OperatorsOperatorIEEE754ToFloat, signedValue(-1082130432),
     realValue(-1.0), OperatorsErrorNone},
};

TEST(OperatorsIEEE754, KnownEncodings) {
    for (const EncodingCase& c : kCases) {
        SCOPED_TRACE(c.name);
        RegistrySettings settings(c.wordSize);
        OperatorsError error = kUnwrittenError;
        EXPECT_IDENTICAL(unary(c.value, c.op, &error), c.expected);
        EXPECT_EQ(error, c.error);
    }
}

const double kReals[] = {0.0,
                         1.0,
                         -1.0,
                         0.1,
                         -0.3,
                         1.5,
                         3.141592653589793,
                         2.718281828459045,
                         1e-40,
                         -1e-44,
                         1e-38,
                         FLT_MAX,
                         -FLT_MAX,
                         3.4028235e38,
                         3.4028236e38,
                         1e38,
                         123456789.0,
                         16777217.0,
                         6.672e-11,
                         299792458.0,
                         1e99,
                         -1e-99,
                         5e-324};

TEST(OperatorsIEEE754, EncodingsAreTheMachinesPatternsAndDecodeBack) {
    for (double x : kReals) {
        SCOPED_TRACE(x);
        OperatorsError error = kUnwrittenError;
        // Doubles beyond the float range have no float to be cast to; their patterns are
        // checked against the known infinities above.
        if (std::fabs(x) <= FLT_MAX) {
            RegistrySettings settings(32);
            const float rounded = static_cast<float>(x);
            const std::optional<CalcValue> single = unary(realValue(x), OperatorsOperatorFloatToIEEE754, &error);
            EXPECT_IDENTICAL(single, unsignedValue(floatPattern(rounded)));
            ASSERT_TRUE(single);
            const uint32_t bits = static_cast<uint32_t>(single->uBaseValue());
            EXPECT_EQ(decodedFloat(bits), static_cast<double>(rounded));
            const double decoded = static_cast<double>(rounded);
            EXPECT_IDENTICAL(unary(*single, OperatorsOperatorIEEE754ToFloat, &error), registryReal(decoded));
        }
        {
            RegistrySettings settings(64);
            const std::optional<CalcValue> wide = unary(realValue(x), OperatorsOperatorDoubleToIEEE754, &error);
            EXPECT_IDENTICAL(wide, unsignedValue(doublePattern(x)));
            ASSERT_TRUE(wide);
            EXPECT_IDENTICAL(unary(*wide, OperatorsOperatorIEEE754ToDouble, &error), registryReal(x));
        }
        EXPECT_EQ(error, OperatorsErrorNone);
    }
}

TEST(OperatorsIEEE754, DoublesJustBeyondTheFloatRangeRoundToNearest) {
    RegistrySettings settings(32);
    OperatorsError error = kUnwrittenError;
    // Halfway between the largest float and 2^128 goes to the even neighbour, the infinity;
    // just below it, to the largest float.
    const double halfway = std::ldexp(0x1FFFFFF, 103);
    EXPECT_IDENTICAL(unary(realValue(halfway), OperatorsOperatorFloatToIEEE754, &error), unsignedValue(0x7F800000));
    EXPECT_IDENTICAL(unary(realValue(std::nextafter(halfway, 0.0)), OperatorsOperatorFloatToIEEE754, &error),
                     unsignedValue(0x7F7FFFFF));
    EXPECT_IDENTICAL(unary(realValue(-std::nextafter(halfway, 0.0)), OperatorsOperatorFloatToIEEE754, &error),
                     unsignedValue(0xFF7FFFFF));
    EXPECT_IDENTICAL(
        unary(realValue(std::nextafter(static_cast<double>(FLT_MAX), 1e300)), OperatorsOperatorFloatToIEEE754, &error),
        unsignedValue(0x7F7FFFFF));
    EXPECT_EQ(error, OperatorsErrorNone);
}

TEST(OperatorsIEEE754, EveryFiniteExponentOfBinary32DecodesFieldByField) {
    RegistrySettings settings(32);
    for (uint32_t exponent = 0; exponent < 255; ++exponent) {
        for (uint32_t fraction : {0u, 1u, 0x400000u, 0x7FFFFFu, 0x123456u}) {
            for (uint32_t sign : {0u, 1u}) {
                const uint32_t bits = (sign << 31) | (exponent << 23) | fraction;
                OperatorsError error = kUnwrittenError;
                const double expected = decodedFloat(bits);
                EXPECT_IDENTICAL(unary(unsignedValue(bits), OperatorsOperatorIEEE754ToFloat, &error),
                                 registryReal(expected))
                    << std::hex << bits;
                EXPECT_EQ(error, OperatorsErrorNone);
            }
        }
    }
}

TEST(OperatorsIEEE754, WordSizeChecksComeFirstAndDecodingWorksAtEveryWordSize) {
    for (int w = kSmallestWordSize; w <= kLargestWordSize; ++w) {
        RegistrySettings settings(w);
        OperatorsError error = kUnwrittenError;
        const std::optional<CalcValue> single = unary(noneValue(), OperatorsOperatorFloatToIEEE754, &error);
        EXPECT_EQ(error, w < 32 ? OperatorsErrorIntegerSize32 : OperatorsErrorNone);
        EXPECT_FALSE(single);
        unary(noneValue(), OperatorsOperatorDoubleToIEEE754, &error);
        EXPECT_EQ(error, w < 64 ? OperatorsErrorIntegerSize64 : OperatorsErrorNone);
        EXPECT_IDENTICAL(unary(unsignedValue(0x3FC00000), OperatorsOperatorIEEE754ToFloat, &error), realValue(1.5));
        EXPECT_IDENTICAL(unary(unsignedValue(0x3FF8000000000000), OperatorsOperatorIEEE754ToDouble, &error),
                         realValue(1.5));
    }
}

TEST(OperatorsIEEE754, NoOperatorIsBinary) {
    OperatorsError error = OperatorsErrorNone;
    for (OperatorsOperator op : {OperatorsOperatorFloatToIEEE754, OperatorsOperatorDoubleToIEEE754,
                                 OperatorsOperatorIEEE754ToFloat, OperatorsOperatorIEEE754ToDouble}) {
        EXPECT_FALSE(
            OperatorsIEEE754::sharedInstance().calculateResultForCalcValue1(realValue(1), op, realValue(1), &error));
    }
    EXPECT_EQ(error, OperatorsErrorNone);
}

constexpr ExpectedOperator kOperators[] = {
    {56, "float2ieee", "Float to IEEE-754", "Float to IEEE", "operatorFloatToIEEEDark.png", 17, true},
    {57, "double2ieee", "Double to IEEE-754", "Double to IEEE", "operatorDoubleToIEEEDark.png", 17, true},
    {58, "ieee2float", "IEEE-754 to float", "IEEE to float", "operatorIEEEToFloatDark.png", 17, true},
    {59, "ieee2double", "IEEE-754 to double", "IEEE to double", "operatorIEEEToDoubleDark.png", 17, true},
};

TEST(OperatorsIEEE754, RegistryAnswersItsOperatorsAndTheModuleNoOthers) {
    expectOperatorAnswers(OperatorsIEEE754::sharedInstance(), kOperators);
    EXPECT_EQ(Operators::sharedInstance().operatorsModules().at(7), &OperatorsIEEE754::sharedInstance());
}

}  // namespace
