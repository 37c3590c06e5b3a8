#include <gtest/gtest.h>

#include <cmath>

#include "Calculator/OperatorsLogic.h"
#include "OperatorsModuleTestSupport.h"

namespace {

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

}  // namespace
