#include <gtest/gtest.h>

#include <cmath>

#include "Calculator/OperatorsBasic.h"
#include "Calculator/OperatorsLogic.h"
#include "Calculator/OperatorsShiftRotate.h"
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

struct BitwiseCase {
    OperatorsOperator op;
    int (*combine)(int, int);
};

const BitwiseCase kBitwiseCases[] = {
    {OperatorsOperatorAND, [](int x, int y) { return x & y; }},
    {OperatorsOperatorOR, [](int x, int y) { return x | y; }},
    {OperatorsOperatorNAND, [](int x, int y) { return 1 - (x & y); }},
    {OperatorsOperatorNOR, [](int x, int y) { return 1 - (x | y); }},
    {OperatorsOperatorXOR, [](int x, int y) { return x ^ y; }},
    {OperatorsOperatorInvert, [](int x, int) { return 1 - x; }},
};

// The kind the calculation is made in: the left operand's, a real counting as signed.
CalcValueType integerKind(const CalcValue& value) {
    return value.type() == CalcValueTypeReal ? CalcValueTypeSBase : value.type();
}

TEST(OperatorsLogic, BitwiseOperatorsMatchTheBitModelForEveryPairOfKinds) {
    for (int w = kSmallestWordSize; w <= kLargestWordSize; ++w) {
        WordSizeScope settings(w);
        for (CalcValueType leftKind : kAllKinds) {
            for (CalcValueType rightKind : kAllKinds) {
                const std::vector<CalcValue> lefts = sampleValues(leftKind);
                const std::vector<CalcValue> rights = sampleValues(rightKind);
                for (size_t i = 0; i < lefts.size(); ++i) {
                    // Each left operand meets a few right operands, not all of them.
                    for (size_t j = i % 3; j < rights.size(); j += 3) {
                        const Bits x = bitsFromInteger(integerOfValue(lefts[i]), w);
                        const Bits y = bitsFromInteger(integerOfValue(rights[j]), w);
                        for (const BitwiseCase& c : kBitwiseCases) {
                            Bits combined(w);
                            for (int bit = 0; bit < w; ++bit) combined[bit] = c.combine(x[bit], y[bit]);
                            OperatorsError error = kUnwrittenError;
                            const std::optional<CalcValue> result = c.op == OperatorsOperatorInvert
                                                                        ? unary(lefts[i], c.op, &error)
                                                                        : binary(lefts[i], c.op, rights[j], &error);
                            EXPECT_IDENTICAL(result, valueFromBits(combined, integerKind(lefts[i])))
                                << "w " << w << ", " << describe(lefts[i]) << " op " << c.op << " "
                                << describe(rights[j]);
                            EXPECT_EQ(error, OperatorsErrorNone);
                        }
                    }
                }
            }
        }
    }
}

// The divisor takes the dividend's kind: its w-bit pattern read that way, a real one truncated.
TEST(OperatorsLogic, IntegerModMatchesWideRemaindersAtEveryWordSize) {
    for (int w = kSmallestWordSize; w <= kLargestWordSize; ++w) {
        WordSizeScope settings(w);
        for (CalcValueType leftKind : {CalcValueTypeUBase, CalcValueTypeSBase}) {
            for (CalcValueType rightKind : kAllKinds) {
                for (const CalcValue& a : sampleValues(leftKind)) {
                    for (const CalcValue& b : sampleValues(rightKind)) {
                        const Int128 divisor = narrowedInteger(b, leftKind, w);
                        OperatorsError error = kUnwrittenError;
                        const std::optional<CalcValue> result = binary(a, OperatorsOperatorMOD, b, &error);
                        if (divisor == 0) {
                            EXPECT_FALSE(result) << describe(result);
                            EXPECT_EQ(error, OperatorsErrorDivideByZero);
                            continue;
                        }
                        // 128-bit division cannot overflow, even for the most negative 64-bit
                        // value.
                        const Int128 remainder = narrowedInteger(a, leftKind, w) % divisor;
                        EXPECT_IDENTICAL(result, leftKind == CalcValueTypeUBase ? u(static_cast<uint64_t>(remainder))
                                                                                : s(static_cast<int64_t>(remainder)))
                            << "w " << w << ", " << describe(a) << " MOD " << describe(b);
                        EXPECT_EQ(error, OperatorsErrorNone);
                    }
                }
            }
        }
    }
}

TEST(OperatorsLogic, RealModIsTheCLibraryRemainder) {
    WordSizeScope settings(16);
    for (double x : {10.5, -10.5, 7.5, -7.5, 1e20, 0.0, 3.0}) {
        for (double y : {3.0, 2.0, -2.0, 0.25, 1e-3, 7.0}) {
            OperatorsError error = kUnwrittenError;
            const double expected = std::fmod(x, y);
            EXPECT_IDENTICAL(binary(r(x), OperatorsOperatorMOD, r(y), &error), r(expected == 0.0 ? 0.0 : expected))
                << x << " MOD " << y;
            EXPECT_EQ(error, OperatorsErrorNone);
        }
    }
}

TEST(OperatorsLogic, KnownResults) {
    const OperatorsError byZero = OperatorsErrorDivideByZero;
    expectCalculations({
        {"real 7.5 MOD unsigned 2", 16, r(7.5), OperatorsOperatorMOD, u(2), r(1.5)},
        {"real -7.5 MOD signed 2", 16, r(-7.5), OperatorsOperatorMOD, s(2), r(-1.5)},
        {"real 10.5 MOD 0", 16, r(10.5), OperatorsOperatorMOD, r(0), std::nullopt, byZero},
        {"real 10.5 MOD -0.0", 16, r(10.5), OperatorsOperatorMOD, r(-0.0), std::nullopt, byZero},
        {"real 6.7 AND real 3.2", 16, r(6.7), OperatorsOperatorAND, r(3.2), s(2)},
        {"a right operand of no kind", 16, u(3), OperatorsOperatorAND, noneValue(), std::nullopt},
        {"a divisor of no kind", 16, r(3), OperatorsOperatorMOD, noneValue(), std::nullopt},
        {"INV of no kind", 16, noneValue(), OperatorsOperatorInvert, {}, std::nullopt},
    });
}

TEST(OperatorsLogicDeathTest, ALeftOperandWithoutAKindIsAFatalAssertion) {
    OperatorsError error = OperatorsErrorNone;
    EXPECT_DEATH(OperatorsLogic::logicXORWith(noneValue(), u(1), &error),
                 "Calculator/OperatorsLogic: unknown calc value type");
    EXPECT_DEATH(OperatorsLogic::logicMODWith(noneValue(), u(1), &error),
                 "Calculator/OperatorsLogic: unknown calc value type");
}

enum class Step { ShiftLeft, ShiftRight, ArithmeticShiftRight, RotateLeft, RotateRight };

// One step on the word as a row of bits: what enters at either end is spelled out bit by bit.
void step(const Bits& bits, Step movement, Bits& result) {
    const int w = static_cast<int>(bits.size());
    for (int i = 0; i < w; ++i) {
        switch (movement) {
            case Step::ShiftLeft: result[i] = i == 0 ? 0 : bits[i - 1]; break;
            case Step::ShiftRight: result[i] = i == w - 1 ? 0 : bits[i + 1]; break;
            case Step::ArithmeticShiftRight: result[i] = i == w - 1 ? bits[w - 1] : bits[i + 1]; break;
            case Step::RotateLeft: result[i] = bits[(i + w - 1) % w]; break;
            case Step::RotateRight: result[i] = bits[(i + 1) % w]; break;
        }
    }
}

// What the operator should give: a real operand is a signed integer, truncated toward zero.
CalcValue expectedAfterSteps(const CalcValue& value, Step movement, int count, int w) {
    Bits bits = bitsFromInteger(integerOfValue(value), w);
    Bits next(w);
    for (int i = 0; i < count; ++i) {
        step(bits, movement, next);
        bits.swap(next);
    }
    return valueFromBits(bits, value.type() == CalcValueTypeReal ? CalcValueTypeSBase : value.type());
}

struct StepCase {
    OperatorsOperator op;
    Step step;
};

constexpr StepCase kOneBitCases[] = {
    {OperatorsOperatorShiftLeft, Step::ShiftLeft},
    {OperatorsOperatorShiftRight, Step::ShiftRight},
    {OperatorsOperatorArithmeticShiftRight, Step::ArithmeticShiftRight},
    {OperatorsOperatorRotateLeft, Step::RotateLeft},
    {OperatorsOperatorRotateRight, Step::RotateRight},
};

constexpr StepCase kNCases[] = {
    {OperatorsOperatorShiftLeftN, Step::ShiftLeft},
    {OperatorsOperatorShiftRightN, Step::ShiftRight},
    {OperatorsOperatorRotateLeftN, Step::RotateLeft},
    {OperatorsOperatorRotateRightN, Step::RotateRight},
};

TEST(OperatorsShiftRotate, OneBitAndNFormsMatchTheBitModelAtEveryWordSizeAndKind) {
    for (int w = kSmallestWordSize; w <= kLargestWordSize; ++w) {
        WordSizeScope settings(w);
        for (CalcValueType kind : kAllKinds) {
            for (const CalcValue& value : sampleValues(kind)) {
                OperatorsError error = kUnwrittenError;
                for (const StepCase& c : kOneBitCases) {
                    EXPECT_IDENTICAL(unary(value, c.op, &error), expectedAfterSteps(value, c.step, 1, w))
                        << "w " << w << ", op " << c.op << ", " << describe(value);
                }
                for (const StepCase& c : kNCases) {
                    for (int count : {1, 2, 3, w - 1, w, w + 1, 2 * w - 1, 63, 64}) {
                        if (count > OperatorsMaxWordSize) continue;
                        EXPECT_IDENTICAL(binary(value, c.op, s(count), &error),
                                         expectedAfterSteps(value, c.step, count, w))
                            << "w " << w << ", op " << c.op << ", count " << count << ", " << describe(value);
                    }
                }
                EXPECT_EQ(error, OperatorsErrorNone);
            }
        }
    }
}

TEST(OperatorsShiftRotate, CountsAreReadAsSixtyFourBitsAndOutsideZeroToSixtyFourAreOutOfRange) {
    WordSizeScope settings(8);
    // At 8 bits signed -1 is 0xFF and 256 is 0, but the count reads all 64 bits.
    for (const CalcValue& count :
         {s(65), s(-1), u(65), u(256), u(0x8000000000000000u), u(UINT64_MAX), r(65.9), r(-1.5), s(INT64_MIN)}) {
        for (const StepCase& c : kNCases) {
            OperatorsError error = OperatorsErrorNone;
            EXPECT_FALSE(binary(u(5), c.op, count, &error)) << describe(count);
            EXPECT_EQ(error, OperatorsErrorValueOutOfRange);
        }
    }
}

TEST(OperatorsShiftRotate, KnownResults) {
    expectCalculations({
        {"unsigned 0x81 ROTR at 8", 8, u(0x81), OperatorsOperatorRotateRight, {}, u(0xC0)},
        {"signed -2 A>> at 8", 8, s(-2), OperatorsOperatorArithmeticShiftRight, {}, s(-1)},
        {"unsigned 2^63 A>> copies the top bit and stays unsigned",
         64,
         u(0x8000000000000000u),
         OperatorsOperatorArithmeticShiftRight,
         {},
         u(0xC000000000000000u)},
        {"a real count is truncated", 16, u(1), OperatorsOperatorShiftLeftN, r(3.7), u(8)},
        {"count 0 narrows the value", 8, u(0x1FF), OperatorsOperatorRotateLeftN, s(0), u(0xFF)},
        {"count 0.5 narrows a signed value", 8, s(0x1FF), OperatorsOperatorShiftRightN, r(0.5), s(-1)},
        {"count 0 leaves a real as it is", 8, r(5.9), OperatorsOperatorShiftLeftN, u(0), r(5.9)},
        {"no kind, one bit", 16, noneValue(), OperatorsOperatorShiftLeft, {}, std::nullopt},
        {"no kind, N bits", 16, noneValue(), OperatorsOperatorRotateLeftN, s(3), std::nullopt},
    });
}

}  // namespace
