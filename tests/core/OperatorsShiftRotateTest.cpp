#include <gtest/gtest.h>

#include "Calculator/OperatorsShiftRotate.h"
#include "OperatorsModuleTestSupport.h"

namespace {

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
