#include <gtest/gtest.h>

#include <cmath>

#include "Calculator/Operators.h"
#include "Calculator/OperatorsBasic.h"
#include "support/Int128.h"
#include "support/WordSizeScope.h"

namespace {

CalcValue u(uint64_t v) { return CalcValue::calcValueWithUBaseValue(v); }
CalcValue s(int64_t v) { return CalcValue::calcValueWithSBaseValue(v); }
CalcValue r(double v) { return CalcValue::calcValueWithRealValue(v); }

std::optional<CalcValue> binary(const CalcValue& a, OperatorsOperator op, const CalcValue& b,
                                OperatorsError* error = nullptr) {
    OperatorsError ignored = OperatorsErrorNone;
    return Operators::sharedInstance().calculateResultForCalcValue1(a, op, b, error ? error : &ignored);
}

std::optional<CalcValue> unary(const CalcValue& a, OperatorsOperator op, OperatorsError* error = nullptr) {
    OperatorsError ignored = OperatorsErrorNone;
    return Operators::sharedInstance().calculateResultForCalcValue(a, op, error ? error : &ignored);
}

// Wrapping arithmetic done another way: exact 128-bit arithmetic reduced modulo 2^w.
uint64_t wrapUnsigned(UInt128 exact, int w) {
    return static_cast<uint64_t>(w == 64 ? exact : exact % (static_cast<UInt128>(1) << w));
}

int64_t wrapSigned(Int128 exact, int w) {
    const Int128 modulus = static_cast<Int128>(1) << w;
    Int128 reduced = exact % modulus;
    if (reduced < 0) reduced += modulus;
    return static_cast<int64_t>(reduced >= modulus / 2 ? reduced - modulus : reduced);
}

TEST(BasicArithmetic, WrapsAtEveryWordSizeLikeExactArithmetic) {
    const int64_t samples[] = {0,    1,   2,   3,     7,      -1,         -2,        -7,        100,
                               -128, 127, 255, 32767, -32768, 0x12345678, INT64_MAX, INT64_MIN, 0x5555555555555555};
    for (int w = 2; w <= 64; ++w) {
        WordSizeScope wordSize(w);
        for (int64_t a : samples) {
            for (int64_t b : samples) {
                const UInt128 ua = wrapUnsigned(static_cast<uint64_t>(a), w);
                const UInt128 ub = wrapUnsigned(static_cast<uint64_t>(b), w);
                const Int128 sa = wrapSigned(a, w);
                const Int128 sb = wrapSigned(b, w);
                const CalcValue ua64 = u(static_cast<uint64_t>(a));
                const CalcValue ub64 = u(static_cast<uint64_t>(b));
                const struct {
                    OperatorsOperator op;
                    UInt128 unsignedExact;
                    Int128 signedExact;
                } cases[] = {
                    {OperatorsOperatorAdd, ua + ub, sa + sb},
                    {OperatorsOperatorSubtract, ua + (static_cast<UInt128>(1) << 64) - ub, sa - sb},
                    {OperatorsOperatorMultiply, ua * ub, sa * sb},
                };
                for (const auto& c : cases) {
                    EXPECT_EQ(binary(ua64, c.op, ub64)->uBaseValue(), wrapUnsigned(c.unsignedExact, w))
                        << "w=" << w << " op=" << c.op << " " << a << " " << b;
                    EXPECT_EQ(binary(s(a), c.op, s(b))->sBaseValue(), wrapSigned(c.signedExact, w))
                        << "w=" << w << " op=" << c.op << " " << a << " " << b;
                }
                if (ub != 0) {
                    EXPECT_EQ(binary(ua64, OperatorsOperatorDivide, ub64)->uBaseValue(),
                              static_cast<uint64_t>(ua / ub));
                }
                if (sb != 0) {
                    // C++ division truncates toward zero, as the calculator's does.
                    EXPECT_EQ(binary(s(a), OperatorsOperatorDivide, s(b))->sBaseValue(), wrapSigned(sa / sb, w))
                        << "w=" << w << " " << a << "/" << b;
                }
            }
        }
    }
}

TEST(BasicArithmetic, KnownCases) {
    {
        WordSizeScope wordSize(8);
        EXPECT_EQ(binary(u(255), OperatorsOperatorAdd, u(1))->uBaseValue(), 0u);
        EXPECT_EQ(binary(u(0), OperatorsOperatorSubtract, u(1))->uBaseValue(), 255u);
        EXPECT_EQ(binary(u(250), OperatorsOperatorAdd, u(10))->uBaseValue(), 4u);
        EXPECT_EQ(binary(s(127), OperatorsOperatorAdd, s(1))->sBaseValue(), -128);
        EXPECT_EQ(binary(s(-128), OperatorsOperatorDivide, s(-1))->sBaseValue(), -128);
    }
    {
        WordSizeScope wordSize(64);
        EXPECT_EQ(binary(s(INT64_MIN), OperatorsOperatorSubtract, s(1))->sBaseValue(), INT64_MAX);
        EXPECT_EQ(binary(s(INT64_MIN), OperatorsOperatorDivide, s(-1))->sBaseValue(), INT64_MIN);
    }
}

TEST(BasicArithmetic, LeftOperandDecidesTheKind) {
    WordSizeScope wordSize(32);
    const std::optional<CalcValue> realLeft = binary(r(2.5), OperatorsOperatorAdd, u(3));
    EXPECT_EQ(realLeft->type(), CalcValueTypeReal);
    EXPECT_DOUBLE_EQ(realLeft->realValue(), 5.5);
    const std::optional<CalcValue> unsignedLeft = binary(u(3), OperatorsOperatorAdd, r(2.5));
    EXPECT_EQ(unsignedLeft->type(), CalcValueTypeUBase);
    EXPECT_EQ(unsignedLeft->uBaseValue(), 5u);
}

TEST(BasicArithmetic, DivisionByZero) {
    WordSizeScope wordSize(16);
    for (const auto& [a, b] :
         {std::pair{u(5), u(0)}, {s(5), s(0)}, {r(5), r(0.0)}, {r(5), r(-0.0)}, {u(5), u(0x10000)}}) {
        OperatorsError error = OperatorsErrorNone;
        EXPECT_FALSE(binary(a, OperatorsOperatorDivide, b, &error).has_value());
        EXPECT_EQ(error, OperatorsErrorDivideByZero);
    }
}

TEST(BasicArithmetic, RealResultsPassTheRegistryCheck) {
    OperatorsError error = OperatorsErrorNone;
    EXPECT_FALSE(binary(r(1e99), OperatorsOperatorMultiply, r(10), &error).has_value());
    EXPECT_EQ(error, OperatorsErrorValueOutOfRange);
    EXPECT_DOUBLE_EQ(binary(r(9.9e98), OperatorsOperatorMultiply, r(10), &error)->realValue(), 9.9e99);
    EXPECT_EQ(error, OperatorsErrorNone);
    EXPECT_DOUBLE_EQ(binary(r(1e-98), OperatorsOperatorDivide, r(10))->realValue(), 1e-99);
    const std::optional<CalcValue> flushed = binary(r(9e-99), OperatorsOperatorDivide, r(-10));
    EXPECT_EQ(flushed->realValue(), 0.0);
    EXPECT_FALSE(std::signbit(flushed->realValue()));
    EXPECT_FALSE(std::signbit(unary(r(0.0), OperatorsOperatorNegate)->realValue()));
}

TEST(BasicUnary, Negate) {
    WordSizeScope wordSize(16);
    EXPECT_EQ(unary(u(1), OperatorsOperatorNegate)->uBaseValue(), 65535u);
    EXPECT_EQ(unary(s(-32768), OperatorsOperatorNegate)->sBaseValue(), -32768);
    EXPECT_EQ(unary(s(5), OperatorsOperatorNegate)->sBaseValue(), -5);
    EXPECT_DOUBLE_EQ(unary(r(2.5), OperatorsOperatorNegate)->realValue(), -2.5);
    EXPECT_TRUE(std::signbit(OperatorsBasic::negate(r(0.0), nullptr)->realValue()));
}

TEST(BasicUnary, Factorial) {
    EXPECT_DOUBLE_EQ(unary(u(0), OperatorsOperatorFactorial)->realValue(), 1.0);
    EXPECT_DOUBLE_EQ(unary(u(5), OperatorsOperatorFactorial)->realValue(), 120.0);
    EXPECT_DOUBLE_EQ(unary(r(3.7), OperatorsOperatorFactorial)->realValue(), 6.0);
    EXPECT_NEAR(unary(u(69), OperatorsOperatorFactorial)->realValue() / std::tgamma(70.0), 1.0, 1e-12);
    for (const CalcValue& outOfRange : {u(70), u(92), r(92.5), u(93), s(-1), r(std::nan(""))}) {
        OperatorsError error = OperatorsErrorNone;
        EXPECT_FALSE(unary(outOfRange, OperatorsOperatorFactorial, &error).has_value()) << outOfRange.description();
        EXPECT_EQ(error, OperatorsErrorValueOutOfRange);
    }
}

TEST(BasicUnary, RandomStaysInItsRange) {
    WordSizeScope wordSize(8);
    for (int i = 0; i < 200; ++i) {
        EXPECT_LE(unary(u(0), OperatorsOperatorRandom)->uBaseValue(), 255u);
        const int64_t signedRandom = unary(s(0), OperatorsOperatorRandom)->sBaseValue();
        EXPECT_GE(signedRandom, -128);
        EXPECT_LE(signedRandom, 127);
        const double realRandom = unary(r(0), OperatorsOperatorRandom)->realValue();
        EXPECT_GE(realRandom, 0.0);
        EXPECT_LE(realRandom, 1.0);
    }
}

TEST(BasicUnary, ReverseBytes) {
    {
        WordSizeScope wordSize(16);
        EXPECT_EQ(unary(u(0x1234), OperatorsOperatorReverseBytes)->uBaseValue(), 0x3412u);
        EXPECT_EQ(unary(s(0x0080), OperatorsOperatorReverseBytes)->sBaseValue(), -32768);
    }
    {
        WordSizeScope wordSize(32);
        EXPECT_EQ(unary(u(0x12345678), OperatorsOperatorReverseBytes)->uBaseValue(), 0x78563412u);
        EXPECT_EQ(unary(u(0xFF), OperatorsOperatorReverseBytes)->uBaseValue(), 0xFF000000u);
        EXPECT_EQ(unary(s(0xFF), OperatorsOperatorReverseBytes)->sBaseValue(), -16777216);
        const std::optional<CalcValue> fromReal = unary(r(255.0), OperatorsOperatorReverseBytes);
        EXPECT_EQ(fromReal->type(), CalcValueTypeSBase);
        EXPECT_EQ(fromReal->sBaseValue(), -16777216);
    }
    {
        WordSizeScope wordSize(64);
        EXPECT_EQ(unary(u(0x0102030405060708), OperatorsOperatorReverseBytes)->uBaseValue(), 0x0807060504030201u);
    }
    for (int w : {8, 12, 24, 63}) {
        WordSizeScope wordSize(w);
        OperatorsError error = OperatorsErrorNone;
        EXPECT_FALSE(unary(u(1), OperatorsOperatorReverseBytes, &error).has_value());
        EXPECT_EQ(error, OperatorsErrorInvalidWordSize);
    }
}

TEST(BasicBits, GetSetClear) {
    WordSizeScope wordSize(16);
    EXPECT_EQ(binary(u(3), OperatorsOperatorBitGet, u(0))->uBaseValue(), 1u);
    EXPECT_EQ(binary(u(3), OperatorsOperatorBitGet, u(2))->uBaseValue(), 0u);
    EXPECT_EQ(binary(s(0), OperatorsOperatorBitSet, u(15))->sBaseValue(), -32768);
    EXPECT_EQ(binary(u(0), OperatorsOperatorBitSet, u(15))->uBaseValue(), 32768u);
    EXPECT_EQ(binary(u(0xFFFF), OperatorsOperatorBitClear, u(0))->uBaseValue(), 0xFFFEu);
    EXPECT_EQ(binary(s(-1), OperatorsOperatorBitClear, u(15))->sBaseValue(), 32767);
    // An operand typed past the word size gives a result within it: 10000 at 8 bits is 0x10.
    EXPECT_EQ(binary(u(0x12710), OperatorsOperatorBitSet, u(1))->uBaseValue(), 0x2712u);
    EXPECT_EQ(binary(u(0x12710), OperatorsOperatorBitClear, u(4))->uBaseValue(), 0x2700u);
    EXPECT_EQ(binary(u(0x12710), OperatorsOperatorBitGet, u(4))->uBaseValue(), 1u);
    const std::optional<CalcValue> fromReal = binary(r(5.9), OperatorsOperatorBitGet, u(2));
    EXPECT_EQ(fromReal->type(), CalcValueTypeUBase);
    EXPECT_EQ(fromReal->uBaseValue(), 1u);
    for (const CalcValue& bit : {u(16), s(-1), u(100)}) {
        OperatorsError error = OperatorsErrorNone;
        EXPECT_FALSE(binary(u(1), OperatorsOperatorBitSet, bit, &error).has_value());
        EXPECT_EQ(error, OperatorsErrorValueOutOfRange);
    }
    {
        WordSizeScope eight(8);
        EXPECT_EQ(binary(s(0), OperatorsOperatorBitSet, u(7))->sBaseValue(), -128);
    }
}

TEST(BasicModule, DeclinesOtherIdentifiers) {
    OperatorsBasic& basic = OperatorsBasic::sharedInstance();
    bool found = false;
    basic.precedenceFromOperator(OperatorsOperatorShiftLeft, &found);
    EXPECT_FALSE(found);
    EXPECT_EQ(basic.stringFromOperator(OperatorsOperatorShiftLeft), "");
    EXPECT_EQ(basic.imageFromOperator(OperatorsOperatorSin), "");
    EXPECT_FALSE(basic.calculateResultForCalcValue(u(1), OperatorsOperatorAdd, nullptr).has_value());
    EXPECT_FALSE(basic.calculateResultForCalcValue1(u(1), OperatorsOperatorFactorial, u(1), nullptr).has_value());
}

}  // namespace
