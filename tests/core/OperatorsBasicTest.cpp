#include <gtest/gtest.h>

#include <cmath>

#include "Calculator/OperatorsBasic.h"
#include "OperatorsModuleTestSupport.h"

namespace {

// Wrapping arithmetic done another way: exact 128-bit arithmetic reduced modulo 2^w.
uint64_t wrapUnsigned(UInt128 exact, int w) {
    return static_cast<uint64_t>(w == 64 ? exact : exact % (static_cast<UInt128>(1) << w));
}

int64_t wrapSigned(Int128 exact, int w) { return static_cast<int64_t>(signedFromBits(bitsFromInteger(exact, w))); }

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
                const struct {
                    OperatorsOperator op;
                    UInt128 unsignedExact;
                    Int128 signedExact;
                } cases[] = {
                    {OperatorsOperatorAdd, ua + ub, sa + sb},
                    {OperatorsOperatorSubtract, ua + (static_cast<UInt128>(1) << 64) - ub, sa - sb},
                    {OperatorsOperatorMultiply, ua * ub, sa * sb},
                    // C++ division truncates toward zero, as the calculator's does.
                    {OperatorsOperatorDivide, ub ? ua / ub : 0, sb ? sa / sb : 0},
                };
                for (const auto& c : cases) {
                    SCOPED_TRACE("w " + std::to_string(w) + ", op " + std::to_string(c.op) + ", " + std::to_string(a) +
                                 ", " + std::to_string(b));
                    OperatorsError error = OperatorsErrorNone;
                    if (c.op != OperatorsOperatorDivide || ub) {
                        EXPECT_IDENTICAL(binary(u(a), c.op, u(b), &error), u(wrapUnsigned(c.unsignedExact, w)));
                    }
                    if (c.op != OperatorsOperatorDivide || sb) {
                        EXPECT_IDENTICAL(binary(s(a), c.op, s(b), &error), s(wrapSigned(c.signedExact, w)));
                    }
                    EXPECT_EQ(error, OperatorsErrorNone);
                }
            }
        }
    }
}

TEST(BasicOperators, KnownResults) {
    const OperatorsError byZero = OperatorsErrorDivideByZero;
    const OperatorsError range = OperatorsErrorValueOutOfRange;
    const OperatorsError size = OperatorsErrorInvalidWordSize;
    const OperatorsOperator reverse = OperatorsOperatorReverseBytes;
    expectCalculations({
        {"a real left operand gives a real", 32, r(2.5), OperatorsOperatorAdd, u(3), r(5.5)},
        {"an unsigned left operand gives an unsigned", 32, u(3), OperatorsOperatorAdd, r(2.5), u(5)},
        {"unsigned / 0", 16, u(5), OperatorsOperatorDivide, u(0), std::nullopt, byZero},
        {"signed / 0", 16, s(5), OperatorsOperatorDivide, s(0), std::nullopt, byZero},
        {"real / 0", 16, r(5), OperatorsOperatorDivide, r(0.0), std::nullopt, byZero},
        {"real / -0.0", 16, r(5), OperatorsOperatorDivide, r(-0.0), std::nullopt, byZero},
        {"unsigned / 0x10000, 0 at 16 bits", 16, u(5), OperatorsOperatorDivide, u(0x10000), std::nullopt, byZero},
        {"1e99 x 10 is out of range", 32, r(1e99), OperatorsOperatorMultiply, r(10), std::nullopt, range},
        {"9.9e98 x 10 is not", 32, r(9.9e98), OperatorsOperatorMultiply, r(10), r(9.9e98 * 10)},
        {"1e-98 / 10 is not flushed", 32, r(1e-98), OperatorsOperatorDivide, r(10), r(1e-98 / 10)},
        {"9e-99 / -10 is flushed to plus zero", 32, r(9e-99), OperatorsOperatorDivide, r(-10), r(0.0)},
        {"negate unsigned 1 at 16", 16, u(1), OperatorsOperatorNegate, {}, u(65535)},
        {"negate signed -32768 at 16", 16, s(-32768), OperatorsOperatorNegate, {}, s(-32768)},
        {"negate real 0 through the registry", 16, r(0.0), OperatorsOperatorNegate, {}, r(0.0)},
        {"0!", 32, u(0), OperatorsOperatorFactorial, {}, r(1.0)},
        {"3.7! is 3!", 32, r(3.7), OperatorsOperatorFactorial, {}, r(6.0)},
        {"70!", 32, u(70), OperatorsOperatorFactorial, {}, std::nullopt, range},
        {"92.5!", 32, r(92.5), OperatorsOperatorFactorial, {}, std::nullopt, range},
        {"-1!", 32, s(-1), OperatorsOperatorFactorial, {}, std::nullopt, range},
        {"NaN!", 32, r(std::nan("")), OperatorsOperatorFactorial, {}, std::nullopt, range},
        {"<--> at 16", 16, u(0x1234), reverse, {}, u(0x3412)},
        {"<--> signed at 16", 16, s(0x0080), reverse, {}, s(-32768)},
        {"<--> at 32", 32, u(0xFF), reverse, {}, u(0xFF000000u)},
        {"<--> of a real is signed", 32, r(255.0), reverse, {}, s(-16777216)},
        {"<--> at 64", 64, u(0x0102030405060708), reverse, {}, u(0x0807060504030201u)},
        {"<--> at 8", 8, u(1), reverse, {}, std::nullopt, size},
        {"<--> at 24", 24, u(1), reverse, {}, std::nullopt, size},
        {"<--> at 63", 63, u(1), reverse, {}, std::nullopt, size},
        {"get bit 0", 16, u(3), OperatorsOperatorBitGet, u(0), u(1)},
        {"get bit 2", 16, u(3), OperatorsOperatorBitGet, u(2), u(0)},
        {"get bit of a real", 16, r(5.9), OperatorsOperatorBitGet, u(2), u(1)},
        {"set the top bit, signed", 16, s(0), OperatorsOperatorBitSet, u(15), s(-32768)},
        {"set the top bit at 8", 8, s(0), OperatorsOperatorBitSet, u(7), s(-128)},
        {"set the top bit, unsigned", 16, u(0), OperatorsOperatorBitSet, u(15), u(32768)},
        {"clear bit 0", 16, u(0xFFFF), OperatorsOperatorBitClear, u(0), u(0xFFFE)},
        {"clear the top bit", 16, s(-1), OperatorsOperatorBitClear, u(15), s(32767)},
        {"bit 16 at 16", 16, u(1), OperatorsOperatorBitSet, u(16), std::nullopt, range},
        {"bit -1", 16, u(1), OperatorsOperatorBitSet, s(-1), std::nullopt, range},
        // An operand typed past the word size gives a result within it.
        {"set bit 1 of 0x12710 at 16", 16, u(0x12710), OperatorsOperatorBitSet, u(1), u(0x2712)},
        {"clear bit 4 of 0x12710 at 16", 16, u(0x12710), OperatorsOperatorBitClear, u(4), u(0x2700)},
        {"get bit 4 of 0x12710 at 16", 16, u(0x12710), OperatorsOperatorBitGet, u(4), u(1)},
    });
}

TEST(BasicOperators, FactorialIsTheGammaFunctionAndNegateKeepsMinusZeroForTheRegistry) {
    OperatorsError error = OperatorsErrorNone;
    EXPECT_NEAR(unary(u(69), OperatorsOperatorFactorial, &error)->realValue() / std::tgamma(70.0), 1.0, 1e-12);
    EXPECT_TRUE(std::signbit(OperatorsBasic::negate(r(0.0), nullptr)->realValue()));
}

TEST(BasicOperators, RandomStaysInItsRange) {
    WordSizeScope wordSize(8);
    OperatorsError error = OperatorsErrorNone;
    for (int i = 0; i < 200; ++i) {
        EXPECT_LE(unary(u(0), OperatorsOperatorRandom, &error)->uBaseValue(), 255u);
        const int64_t signedRandom = unary(s(0), OperatorsOperatorRandom, &error)->sBaseValue();
        EXPECT_TRUE(signedRandom >= -128 && signedRandom <= 127) << signedRandom;
        const double realRandom = unary(r(0), OperatorsOperatorRandom, &error)->realValue();
        EXPECT_TRUE(realRandom >= 0.0 && realRandom <= 1.0) << realRandom;
    }
}

}  // namespace
