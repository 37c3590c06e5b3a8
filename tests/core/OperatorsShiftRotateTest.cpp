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
    const CalcValueType kind = value.type() == CalcValueTypeReal ? CalcValueTypeSBase : value.type();
    Bits bits = bitsFromInteger(integerOfValue(value), w);
    Bits next(w);
    for (int i = 0; i < count; ++i) {
        step(bits, movement, next);
        bits.swap(next);
    }
    return valueFromBits(bits, kind);
}

struct OneBitCase {
    OperatorsOperator op;
    Step step;
};

constexpr OneBitCase kOneBitCases[] = {
    {OperatorsOperatorShiftLeft, Step::ShiftLeft},
    {OperatorsOperatorShiftRight, Step::ShiftRight},
    {OperatorsOperatorArithmeticShiftRight, Step::ArithmeticShiftRight},
    {OperatorsOperatorRotateLeft, Step::RotateLeft},
    {OperatorsOperatorRotateRight, Step::RotateRight},
};

constexpr OneBitCase kNCases[] = {
    {OperatorsOperatorShiftLeftN, Step::ShiftLeft},
    {OperatorsOperatorShiftRightN, Step::ShiftRight},
    {OperatorsOperatorRotateLeftN, Step::RotateLeft},
    {OperatorsOperatorRotateRightN, Step::RotateRight},
};

std::optional<CalcValue> unary(const CalcValue& value, OperatorsOperator op, OperatorsError* error) {
    return Operators::sharedInstance().calculateResultForCalcValue(value, op, error);
}

std::optional<CalcValue> binary(const CalcValue& value, OperatorsOperator op, const CalcValue& count,
                                OperatorsError* error) {
    return Operators::sharedInstance().calculateResultForCalcValue1(value, op, count, error);
}

TEST(OperatorsShiftRotate, OneBitStepsMatchTheBitModelAtEveryWordSizeAndKind) {
    for (int w = kSmallestWordSize; w <= kLargestWordSize; ++w) {
        RegistrySettings settings(w);
        for (CalcValueType kind : kAllKinds) {
            for (const CalcValue& value : sampleValues(kind)) {
                for (const OneBitCase& c : kOneBitCases) {
                    OperatorsError error = kUnwrittenError;
                    EXPECT_IDENTICAL(unary(value, c.op, &error), expectedAfterSteps(value, c.step, 1, w))
                        << "w " << w << ", op " << c.op << ", " << describe(value);
                    EXPECT_EQ(error, OperatorsErrorNone);
                }
            }
        }
    }
}

TEST(OperatorsShiftRotate, NFormsMatchRepeatedStepsAtEveryWordSizeAndKind) {
    for (int w = kSmallestWordSize; w <= kLargestWordSize; ++w) {
        RegistrySettings settings(w);
        const int counts[] = {1, 2, 3, w - 1, w, w + 1, 2 * w - 1, 63, 64};
        for (CalcValueType kind : kAllKinds) {
            for (const CalcValue& value : sampleValues(kind)) {
                for (const OneBitCase& c : kNCases) {
                    for (int count : counts) {
                        if (count > OperatorsMaxWordSize) continue;
                        OperatorsError error = kUnwrittenError;
                        EXPECT_IDENTICAL(binary(value, c.op, signedValue(count), &error),
                                         expectedAfterSteps(value, c.step, count, w))
                            << "w " << w << ", op " << c.op << ", count " << count << ", " << describe(value);
                        EXPECT_EQ(error, OperatorsErrorNone);
                    }
                }
            }
        }
    }
}

TEST(OperatorsShiftRotate, NFormsEqualTheOneBitOperatorEnteredCountTimes) {
    constexpr OperatorsOperator kOneBit[] = {OperatorsOperatorShiftLeft, OperatorsOperatorShiftRight,
                                             OperatorsOperatorRotateLeft, OperatorsOperatorRotateRight};
    for (int w : {5, 8, 31, 64}) {
        RegistrySettings settings(w);
        for (size_t i = 0; i < std::size(kNCases); ++i) {
            for (int count = 1; count <= OperatorsMaxWordSize; ++count) {
                const CalcValue value = signedValue(-0x1234567);
                std::optional<CalcValue> repeated = value;
                OperatorsError error = OperatorsErrorNone;
                for (int step = 0; step < count; ++step) repeated = unary(*repeated, kOneBit[i], &error);
                EXPECT_IDENTICAL(binary(value, kNCases[i].op, unsignedValue(count), &error), repeated);
            }
        }
    }
}

TEST(OperatorsShiftRotate, CountZeroGivesTheValueNarrowedAndARealUnchanged) {
    RegistrySettings settings(8);
    for (const OneBitCase& c : kNCases) {
        OperatorsError error = kUnwrittenError;
        EXPECT_IDENTICAL(binary(unsignedValue(0x1FF), c.op, signedValue(0), &error), unsignedValue(0xFF));
        EXPECT_IDENTICAL(binary(signedValue(0x1FF), c.op, realValue(0.5), &error), signedValue(-1));
        EXPECT_IDENTICAL(binary(realValue(5.9), c.op, unsignedValue(0), &error), realValue(5.9));
        EXPECT_EQ(error, OperatorsErrorNone);
    }
}

TEST(OperatorsShiftRotate, CountsOutsideZeroToSixtyFourAreOutOfRange) {
    RegistrySettings settings(64);
    const CalcValue badCounts[] = {
        signedValue(65),           signedValue(-1),       unsignedValue(65), unsignedValue(0x8000000000000000u),
        unsignedValue(UINT64_MAX), realValue(64.9 + 1.0), realValue(-1.5),   signedValue(INT64_MIN)};
    for (const OneBitCase& c : kNCases) {
        for (const CalcValue& count : badCounts) {
            SCOPED_TRACE(describe(count));
            OperatorsError error = OperatorsErrorNone;
            EXPECT_FALSE(binary(unsignedValue(5), c.op, count, &error));
            EXPECT_EQ(error, OperatorsErrorValueOutOfRange);
        }
    }
}

TEST(OperatorsShiftRotate, CountIsReadAsSixtyFourBitsWhateverTheWordSize) {
    RegistrySettings settings(8);
    OperatorsError error = OperatorsErrorNone;
    // At 8 bits the pattern of signed -1 is 0xFF, but the count reads all 64 bits: -1.
    EXPECT_FALSE(binary(unsignedValue(1), OperatorsOperatorShiftLeftN, signedValue(-1), &error));
    EXPECT_EQ(error, OperatorsErrorValueOutOfRange);
    // A count of 20 is legal at 8 bits and empties the word; 256 would be 0 at 8 bits.
    EXPECT_IDENTICAL(binary(unsignedValue(0xFF), OperatorsOperatorShiftLeftN, unsignedValue(20), &error),
                     unsignedValue(0));
    EXPECT_EQ(error, OperatorsErrorNone);
    EXPECT_FALSE(binary(unsignedValue(1), OperatorsOperatorShiftLeftN, unsignedValue(256), &error));
    EXPECT_EQ(error, OperatorsErrorValueOutOfRange);
}

TEST(OperatorsShiftRotate, RealCountIsTruncated) {
    RegistrySettings settings(16);
    OperatorsError error = kUnwrittenError;
    EXPECT_IDENTICAL(binary(unsignedValue(1), OperatorsOperatorShiftLeftN, realValue(3.7), &error), unsignedValue(8));
    EXPECT_EQ(error, OperatorsErrorNone);
}

struct EdgeCase {
    const char* name;
    int wordSize;
    OperatorsOperator op;
    CalcValue value;
    CalcValue expected;
};

const EdgeCase kEdgeCases[] = {
    {"unsigned << 0x81 at 8", 8, OperatorsOperatorShiftLeft, unsignedValue(0x81), unsignedValue(0x02)},
    {"unsigned >> 0x81 at 8", 8, OperatorsOperatorShiftRight, unsignedValue(0x81), unsignedValue(0x40)},
    {"unsigned ROTL 0x81 at 8", 8, OperatorsOperatorRotateLeft, unsignedValue(0x81), unsignedValue(0x03)},
    {"unsigned ROTR 0x81 at 8", 8, OperatorsOperatorRotateRight, unsignedValue(0x81), unsignedValue(0xC0)},
    {"signed << 64 at 8", 8, OperatorsOperatorShiftLeft, signedValue(64), signedValue(-128)},
    {"signed >> -1 at 8", 8, OperatorsOperatorShiftRight, signedValue(-1), signedValue(127)},
    {"signed >> -2 at 8", 8, OperatorsOperatorShiftRight, signedValue(-2), signedValue(127)},
    {"signed A>> -1 at 8", 8, OperatorsOperatorArithmeticShiftRight, signedValue(-1), signedValue(-1)},
    {"signed A>> -2 at 8", 8, OperatorsOperatorArithmeticShiftRight, signedValue(-2), signedValue(-1)},
    {"signed A>> 5 at 8", 8, OperatorsOperatorArithmeticShiftRight, signedValue(5), signedValue(2)},
    {"signed ROTR -127 at 8", 8, OperatorsOperatorRotateRight, signedValue(-127), signedValue(-64)},
    {"signed ROTL -128 at 8", 8, OperatorsOperatorRotateLeft, signedValue(-128), signedValue(1)},
    {"signed ROTR 1 at 8", 8, OperatorsOperatorRotateRight, signedValue(1), signedValue(-128)},
    {"unsigned << 2^63 at 64", 64, OperatorsOperatorShiftLeft, unsignedValue(0x8000000000000000u), unsignedValue(0)},
    {"unsigned ROTL 2^63 at 64", 64, OperatorsOperatorRotateLeft, unsignedValue(0x8000000000000000u), unsignedValue(1)},
    {"signed >> -1 at 64", 64, OperatorsOperatorShiftRight, signedValue(-1), signedValue(INT64_MAX)},
    {"signed A>> min at 64", 64, OperatorsOperatorArithmeticShiftRight, signedValue(INT64_MIN),
     signedValue(INT64_MIN / 2)},
    {"real << 5.9 at 16", 16, OperatorsOperatorShiftLeft, realValue(5.9), signedValue(10)},
    {"unsigned ROTL 0x800 at 12", 12, OperatorsOperatorRotateLeft, unsignedValue(0x800), unsignedValue(0x001)},
    // An unsigned A>> copies the word's top bit into itself and stays unsigned.
    {"unsigned A>> 0x81 at 8", 8, OperatorsOperatorArithmeticShiftRight, unsignedValue(0x81), unsignedValue(0xC0)},
    {"unsigned A>> 0x7F at 8", 8, OperatorsOperatorArithmeticShiftRight, unsignedValue(0x7F), unsignedValue(0x3F)},
    {"unsigned A>> 2^63 at 64", 64, OperatorsOperatorArithmeticShiftRight, unsignedValue(0x8000000000000000u),
     unsignedValue(0xC000000000000000u)},
    {"unsigned A>> 0x1FF at 8 is narrowed first", 8, OperatorsOperatorArithmeticShiftRight, unsignedValue(0x1FF),
     unsignedValue(0xFF)},
};

TEST(OperatorsShiftRotate, EdgeCases) {
    for (const EdgeCase& c : kEdgeCases) {
        SCOPED_TRACE(c.name);
        RegistrySettings settings(c.wordSize);
        OperatorsError error = kUnwrittenError;
        EXPECT_IDENTICAL(unary(c.value, c.op, &error), c.expected);
        EXPECT_EQ(error, OperatorsErrorNone);
    }
}

TEST(OperatorsShiftRotate, NFormEdgeCases) {
    OperatorsError error = kUnwrittenError;
    {
        RegistrySettings settings(64);
        EXPECT_IDENTICAL(binary(unsignedValue(UINT64_MAX), OperatorsOperatorShiftLeftN, signedValue(64), &error),
                         unsignedValue(0));
        EXPECT_IDENTICAL(binary(signedValue(-1), OperatorsOperatorShiftRightN, signedValue(64), &error),
                         signedValue(0));
        EXPECT_IDENTICAL(
            binary(unsignedValue(0x0123456789ABCDEFu), OperatorsOperatorRotateLeftN, signedValue(64), &error),
            unsignedValue(0x0123456789ABCDEFu));
        EXPECT_IDENTICAL(
            binary(unsignedValue(0x0123456789ABCDEFu), OperatorsOperatorRotateRightN, signedValue(4), &error),
            unsignedValue(0xF0123456789ABCDEu));
    }
    {
        RegistrySettings settings(8);
        EXPECT_IDENTICAL(binary(unsignedValue(0x81), OperatorsOperatorRotateLeftN, signedValue(8), &error),
                         unsignedValue(0x81));
        EXPECT_IDENTICAL(binary(signedValue(-128), OperatorsOperatorShiftRightN, signedValue(8), &error),
                         signedValue(0));
        EXPECT_IDENTICAL(binary(realValue(-2.5), OperatorsOperatorRotateRightN, signedValue(1), &error),
                         signedValue(127));
    }
    EXPECT_EQ(error, OperatorsErrorNone);
}

TEST(OperatorsShiftRotate, AValueWithoutAKindGivesNoValueAndNoError) {
    RegistrySettings settings(16);
    OperatorsError error = kUnwrittenError;
    EXPECT_FALSE(unary(noneValue(), OperatorsOperatorShiftLeft, &error));
    EXPECT_EQ(error, OperatorsErrorNone);
    EXPECT_FALSE(binary(noneValue(), OperatorsOperatorRotateLeftN, signedValue(3), &error));
    EXPECT_EQ(error, OperatorsErrorNone);
}

TEST(OperatorsShiftRotate, EachFormIsDeclinedInTheOtherArity) {
    OperatorsShiftRotate& module = OperatorsShiftRotate::sharedInstance();
    OperatorsError error = OperatorsErrorNone;
    for (const OneBitCase& c : kOneBitCases) {
        EXPECT_FALSE(module.calculateResultForCalcValue1(unsignedValue(1), c.op, unsignedValue(1), &error));
    }
    for (const OneBitCase& c : kNCases) {
        EXPECT_FALSE(module.calculateResultForCalcValue(unsignedValue(1), c.op, &error));
    }
    EXPECT_FALSE(module.calculateResultForCalcValue(unsignedValue(1), OperatorsOperatorRandom, &error));
    EXPECT_FALSE(
        module.calculateResultForCalcValue1(unsignedValue(1), OperatorsOperatorToReal, unsignedValue(1), &error));
    EXPECT_EQ(error, OperatorsErrorNone);
}

}  // namespace

namespace {

constexpr ExpectedOperator kOperators[] = {
    {9, "<<", "Shift left", "Shift left", "operatorShiftLeftDark.png", 11, true},
    {10, ">>", "Shift right", "Shift right", "operatorShiftRightDark.png", 11, true},
    {11, "A>>", "Arithmetic shift right", "Arithmetic shift right", "operatorArithmeticShiftRightDark.png", 11, true},
    {12, "<<N", "Shift left N bits", "Shift left n bits", "operatorShiftLeftNDark.png", 11, false},
    {13, ">>N", "Shift right N bits", "Shift right n bits", "operatorShiftRightNDark.png", 11, false},
    {14, "ROTL", "Rotate left", "Rotate left", "operatorRotateLeftDark.png", 11, true},
    {15, "ROTR", "Rotate right", "Rotate right", "operatorRotateRightDark.png", 11, true},
    {16, "ROTLN", "Rotate left N bits", "Rotate left n bits", "operatorRotateLeftNDark.png", 11, false},
    {17, "ROTRN", "Rotate right N bits", "Rotate right n bits", "operatorRotateRightNDark.png", 11, false},
};

TEST(OperatorsShiftRotate, RegistryAnswersItsOperatorsAndTheModuleNoOthers) {
    expectOperatorAnswers(OperatorsShiftRotate::sharedInstance(), kOperators);
}

TEST(OperatorsShiftRotate, IsTheThirdModuleOfTheRegistry) {
    EXPECT_EQ(Operators::sharedInstance().operatorsModules().at(2), &OperatorsShiftRotate::sharedInstance());
}

}  // namespace
