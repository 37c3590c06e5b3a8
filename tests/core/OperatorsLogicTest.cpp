#include <gtest/gtest.h>

#include <cmath>

#include "Calculator/OperatorsLogic.h"
#include "OperatorsModuleTestSupport.h"

namespace {

std::optional<CalcValue> binary(const CalcValue& a, OperatorsOperator op, const CalcValue& b, OperatorsError* error) {
    return Operators::sharedInstance().calculateResultForCalcValue1(a, op, b, error);
}

std::optional<CalcValue> unary(const CalcValue& a, OperatorsOperator op, OperatorsError* error) {
    return Operators::sharedInstance().calculateResultForCalcValue(a, op, error);
}

struct BitwiseCase {
    OperatorsOperator op;
    int (*combine)(int, int);
};

const BitwiseCase kBitwiseCases[] = {
    {OperatorsOperatorAND, [](int x, int y) { return x && y ? 1 : 0; }},
    {OperatorsOperatorOR, [](int x, int y) { return x || y ? 1 : 0; }},
    {OperatorsOperatorNAND, [](int x, int y) { return x && y ? 0 : 1; }},
    {OperatorsOperatorNOR, [](int x, int y) { return x || y ? 0 : 1; }},
    {OperatorsOperatorXOR, [](int x, int y) { return x != y ? 1 : 0; }},
};

// The kind the calculation is made in: the left operand's, a real counting as signed.
CalcValueType integerKind(const CalcValue& value) {
    return value.type() == CalcValueTypeReal ? CalcValueTypeSBase : value.type();
}

TEST(OperatorsLogic, BitwiseOperatorsMatchTheBitModelForEveryPairOfKinds) {
    for (int w = kSmallestWordSize; w <= kLargestWordSize; ++w) {
        RegistrySettings settings(w);
        for (CalcValueType leftKind : kAllKinds) {
            for (CalcValueType rightKind : kAllKinds) {
                const std::vector<CalcValue> lefts = sampleValues(leftKind);
                const std::vector<CalcValue> rights = sampleValues(rightKind);
                for (size_t i = 0; i < lefts.size(); ++i) {
                    // Each left operand meets a few right operands, not all of them.
                    for (size_t j = i % 3; j < rights.size(); j += 3) {
                        const CalcValue& a = lefts[i];
                        const CalcValue& b = rights[j];
                        const Bits x = bitsFromInteger(integerOfValue(a), w);
                        const Bits y = bitsFromInteger(integerOfValue(b), w);
                        for (const BitwiseCase& c : kBitwiseCases) {
                            Bits combined(w);
                            for (int bit = 0; bit < w; ++bit) combined[bit] = c.combine(x[bit], y[bit]);
                            OperatorsError error = kUnwrittenError;
                            EXPECT_IDENTICAL(binary(a, c.op, b, &error), valueFromBits(combined, integerKind(a)))
                                << "w " << w << ", " << describe(a) << " op " << c.op << " " << describe(b);
                            EXPECT_EQ(error, OperatorsErrorNone);
                        }
                    }
                }
            }
        }
    }
}

TEST(OperatorsLogic, InvertMatchesTheBitModelForEveryKind) {
    for (int w = kSmallestWordSize; w <= kLargestWordSize; ++w) {
        RegistrySettings settings(w);
        for (CalcValueType kind : kAllKinds) {
            for (const CalcValue& a : sampleValues(kind)) {
                Bits bits = bitsFromInteger(integerOfValue(a), w);
                for (int& bit : bits) bit = 1 - bit;
                OperatorsError error = kUnwrittenError;
                EXPECT_IDENTICAL(unary(a, OperatorsOperatorInvert, &error), valueFromBits(bits, integerKind(a)))
                    << "w " << w << ", " << describe(a);
                EXPECT_EQ(error, OperatorsErrorNone);
            }
        }
    }
}

// The divisor takes the dividend's kind: its w-bit pattern read that way, a real one truncated
// (a negative real has no unsigned reading; the calculator takes it as 0).
Int128 readAs(const CalcValue& value, CalcValueType kind, int w) {
    if (value.type() == CalcValueTypeReal && kind == CalcValueTypeUBase && value.realValue() < 0) {
        return 0;
    }
    const Bits bits = bitsFromInteger(integerOfValue(value), w);
    return kind == CalcValueTypeUBase ? unsignedFromBits(bits) : signedFromBits(bits);
}

TEST(OperatorsLogic, IntegerModMatchesWideRemaindersAtEveryWordSize) {
    for (int w = kSmallestWordSize; w <= kLargestWordSize; ++w) {
        RegistrySettings settings(w);
        for (CalcValueType leftKind : {CalcValueTypeUBase, CalcValueTypeSBase}) {
            for (CalcValueType rightKind : kAllKinds) {
                for (const CalcValue& a : sampleValues(leftKind)) {
                    for (const CalcValue& b : sampleValues(rightKind)) {
                        const Int128 dividend = readAs(a, leftKind, w);
                        const Int128 divisor = readAs(b, leftKind, w);
                        OperatorsError error = kUnwrittenError;
                        const std::optional<CalcValue> result = binary(a, OperatorsOperatorMOD, b, &error);
                        if (divisor == 0) {
                            EXPECT_FALSE(result) << describe(result);
                            EXPECT_EQ(error, OperatorsErrorDivideByZero);
                            continue;
                        }
                        // 128-bit division cannot overflow, even for the most negative 64-bit
                        // value.
                        const Int128 remainder = dividend % divisor;
                        const CalcValue expected = leftKind == CalcValueTypeUBase
                                                       ? unsignedValue(static_cast<uint64_t>(remainder))
                                                       : signedValue(static_cast<int64_t>(remainder));
                        EXPECT_IDENTICAL(result, expected)
                            << "w " << w << ", " << describe(a) << " MOD " << describe(b);
                        EXPECT_EQ(error, OperatorsErrorNone);
                    }
                }
            }
        }
    }
}

TEST(OperatorsLogic, RealModIsTheCLibraryRemainder) {
    RegistrySettings settings(16);
    const double dividends[] = {10.5, -10.5, 7.5, -7.5, 1e20, 0.0, 3.0};
    const double divisors[] = {3.0, 2.0, -2.0, 0.25, 1e-3, 7.0};
    for (double x : dividends) {
        for (double y : divisors) {
            OperatorsError error = kUnwrittenError;
            const double expected = std::fmod(x, y);
            EXPECT_IDENTICAL(binary(realValue(x), OperatorsOperatorMOD, realValue(y), &error),
                             realValue(expected == 0.0 ? 0.0 : expected))
                << x << " MOD " << y;
            EXPECT_EQ(error, OperatorsErrorNone);
        }
    }
}

struct ModCase {
    const char* name;
    int wordSize;
    CalcValue a;
    CalcValue b;
    std::optional<CalcValue> expected;
    OperatorsError error;
};

const ModCase kModCases[] = {
    {"unsigned 17 MOD 5", 16, unsignedValue(17), unsignedValue(5), unsignedValue(2), OperatorsErrorNone},
    {"signed -17 MOD 5", 16, signedValue(-17), signedValue(5), signedValue(-2), OperatorsErrorNone},
    {"signed -7 MOD 3", 16, signedValue(-7), signedValue(3), signedValue(-1), OperatorsErrorNone},
    {"signed 7 MOD -3", 16, signedValue(7), signedValue(-3), signedValue(1), OperatorsErrorNone},
    {"real 10.5 MOD 3", 16, realValue(10.5), realValue(3), realValue(1.5), OperatorsErrorNone},
    {"real 7.5 MOD 2", 16, realValue(7.5), unsignedValue(2), realValue(1.5), OperatorsErrorNone},
    {"real -7.5 MOD 2", 16, realValue(-7.5), signedValue(2), realValue(-1.5), OperatorsErrorNone},
    {"real 10.5 MOD 0", 16, realValue(10.5), realValue(0), std::nullopt, OperatorsErrorDivideByZero},
    {"real 10.5 MOD -0.0", 16, realValue(10.5), realValue(-0.0), std::nullopt, OperatorsErrorDivideByZero},
    {"unsigned 5 MOD 0", 16, unsignedValue(5), unsignedValue(0), std::nullopt, OperatorsErrorDivideByZero},
    {"signed 5 MOD 0", 16, signedValue(5), signedValue(0), std::nullopt, OperatorsErrorDivideByZero},
    {"unsigned 7 MOD real 2.5", 16, unsignedValue(7), realValue(2.5), unsignedValue(1), OperatorsErrorNone},
    {"unsigned 7 MOD real 0.5", 16, unsignedValue(7), realValue(0.5), std::nullopt, OperatorsErrorDivideByZero},
    {"unsigned 5 MOD 65536 (0 at 16 bits)", 16, unsignedValue(5), unsignedValue(65536), std::nullopt,
     OperatorsErrorDivideByZero},
    {"signed min MOD -1 at 64", 64, signedValue(INT64_MIN), signedValue(-1), signedValue(0), OperatorsErrorNone},
    {"signed -128 MOD -1 at 8", 8, signedValue(-128), signedValue(-1), signedValue(0), OperatorsErrorNone},
};

TEST(OperatorsLogic, ModEdgeCases) {
    for (const ModCase& c : kModCases) {
        SCOPED_TRACE(c.name);
        RegistrySettings settings(c.wordSize);
        OperatorsError error = kUnwrittenError;
        EXPECT_IDENTICAL(binary(c.a, OperatorsOperatorMOD, c.b, &error), c.expected);
        EXPECT_EQ(error, c.error);
    }
}

struct BitwiseEdgeCase {
    const char* name;
    int wordSize;
    CalcValue a;
    OperatorsOperator op;
    CalcValue b;
    CalcValue expected;
};

const BitwiseEdgeCase kBitwiseEdgeCases[] = {
    {"0xF0 AND 0x3C", 8, unsignedValue(0xF0), OperatorsOperatorAND, unsignedValue(0x3C), unsignedValue(0x30)},
    {"0xF0 OR 0x0F", 8, unsignedValue(0xF0), OperatorsOperatorOR, unsignedValue(0x0F), unsignedValue(0xFF)},
    {"0xF0 NAND 0xFF", 8, unsignedValue(0xF0), OperatorsOperatorNAND, unsignedValue(0xFF), unsignedValue(0x0F)},
    {"0xF0 NOR 0x0F", 8, unsignedValue(0xF0), OperatorsOperatorNOR, unsignedValue(0x0F), unsignedValue(0x00)},
    {"0xFF XOR 0x0F", 8, unsignedValue(0xFF), OperatorsOperatorXOR, unsignedValue(0x0F), unsignedValue(0xF0)},
    {"unsigned 0x0F AND signed -1", 8, unsignedValue(0x0F), OperatorsOperatorAND, signedValue(-1), unsignedValue(0x0F)},
    {"signed -1 AND unsigned 0x80", 8, signedValue(-1), OperatorsOperatorAND, unsignedValue(0x80), signedValue(-128)},
    {"real 6.7 AND real 3.2", 16, realValue(6.7), OperatorsOperatorAND, realValue(3.2), signedValue(2)},
    {"signed 0 NOR 0 at 8", 8, signedValue(0), OperatorsOperatorNOR, signedValue(0), signedValue(-1)},
    {"signed 0 NOR 0 at 16", 16, signedValue(0), OperatorsOperatorNOR, signedValue(0), signedValue(-1)},
    {"signed 5 XOR -1", 16, signedValue(5), OperatorsOperatorXOR, signedValue(-1), signedValue(-6)},
    {"unsigned 0x1F0 OR 0 is narrowed", 8, unsignedValue(0x1F0), OperatorsOperatorOR, unsignedValue(0),
     unsignedValue(0xF0)},
};

TEST(OperatorsLogic, BitwiseEdgeCases) {
    for (const BitwiseEdgeCase& c : kBitwiseEdgeCases) {
        SCOPED_TRACE(c.name);
        RegistrySettings settings(c.wordSize);
        OperatorsError error = kUnwrittenError;
        EXPECT_IDENTICAL(binary(c.a, c.op, c.b, &error), c.expected);
        EXPECT_EQ(error, OperatorsErrorNone);
    }
}

TEST(OperatorsLogic, InvertEdgeCases) {
    OperatorsError error = kUnwrittenError;
    {
        RegistrySettings settings(8);
        EXPECT_IDENTICAL(unary(unsignedValue(0x0F), OperatorsOperatorInvert, &error), unsignedValue(0xF0));
    }
    RegistrySettings settings(16);
    EXPECT_IDENTICAL(unary(unsignedValue(0), OperatorsOperatorInvert, &error), unsignedValue(65535));
    EXPECT_IDENTICAL(unary(signedValue(0), OperatorsOperatorInvert, &error), signedValue(-1));
    EXPECT_IDENTICAL(unary(signedValue(5), OperatorsOperatorInvert, &error), signedValue(-6));
    EXPECT_IDENTICAL(unary(realValue(5.9), OperatorsOperatorInvert, &error), signedValue(-6));
    EXPECT_EQ(error, OperatorsErrorNone);
}

TEST(OperatorsLogic, ARightOperandWithoutAKindGivesNoValueAndNoError) {
    RegistrySettings settings(16);
    OperatorsError error = kUnwrittenError;
    EXPECT_FALSE(binary(unsignedValue(3), OperatorsOperatorAND, noneValue(), &error));
    EXPECT_FALSE(binary(realValue(3), OperatorsOperatorMOD, noneValue(), &error));
    EXPECT_FALSE(unary(noneValue(), OperatorsOperatorInvert, &error));
    EXPECT_EQ(error, OperatorsErrorNone);
}

TEST(OperatorsLogicDeathTest, ALeftOperandWithoutAKindIsAFatalAssertion) {
    RegistrySettings settings(16);
    OperatorsError error = OperatorsErrorNone;
    EXPECT_DEATH(OperatorsLogic::logicXORWith(noneValue(), unsignedValue(1), &error),
                 "Calculator/OperatorsLogic: unknown calc value type");
    EXPECT_DEATH(OperatorsLogic::logicMODWith(noneValue(), unsignedValue(1), &error),
                 "Calculator/OperatorsLogic: unknown calc value type");
}

constexpr ExpectedOperator kOperators[] = {
    {22, "AND", "Bitwise AND", "Bitwise and", "operatorANDDark.png", 8, false},
    {23, "OR", "Bitwise OR", "Bitwise or", "operatorORDark.png", 6, false},
    {24, "NAND", "Bitwise NAND", "Bitwise nand", "operatorNANDDark.png", 8, false},
    {25, "NOR", "Bitwise NOR", "Bitwise nor", "operatorNORDark.png", 6, false},
    {26, "XOR", "Bitwise XOR", "Bitwise x or", "operatorXORDark.png", 7, false},
    {27, "MOD", "Modulo divide", "Modulo divide", "operatorMODDark.png", 13, false},
    {28, "INV", "Bitwise invert", "Bitwise invert", "operatorInvertDark.png", 15, true},
};

TEST(OperatorsLogic, RegistryAnswersItsOperatorsAndTheModuleNoOthers) {
    expectOperatorAnswers(OperatorsLogic::sharedInstance(), kOperators);
    EXPECT_EQ(Operators::sharedInstance().operatorsModules().at(3), &OperatorsLogic::sharedInstance());
}

TEST(OperatorsLogic, EachOperatorIsDeclinedInTheOtherArity) {
    OperatorsLogic& module = OperatorsLogic::sharedInstance();
    OperatorsError error = OperatorsErrorNone;
    EXPECT_FALSE(
        module.calculateResultForCalcValue1(unsignedValue(1), OperatorsOperatorInvert, unsignedValue(1), &error));
    for (OperatorsOperator op : operatorsFrom(OperatorsOperatorAND, OperatorsOperatorMOD)) {
        EXPECT_FALSE(module.calculateResultForCalcValue(unsignedValue(1), op, &error));
    }
    EXPECT_EQ(error, OperatorsErrorNone);
}

}  // namespace
