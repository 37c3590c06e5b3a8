#include <gtest/gtest.h>

#include "Calculator/OperatorsFormat.h"
#include "OperatorsModuleTestSupport.h"

namespace {

std::optional<CalcValue> unary(const CalcValue& value, OperatorsOperator op) {
    OperatorsError error = kUnwrittenError;
    std::optional<CalcValue> result = Operators::sharedInstance().calculateResultForCalcValue(value, op, &error);
    EXPECT_EQ(error, OperatorsErrorNone);
    return result;
}

// The integer a value stands for after narrowing, read in the given kind; a negative real
// has no unsigned reading and is taken as 0.
Int128 expectedInteger(const CalcValue& value, CalcValueType kind, int w) {
    if (value.type() == CalcValueTypeReal && kind == CalcValueTypeUBase && value.realValue() < 0) return 0;
    const Bits bits = bitsFromInteger(integerOfValue(value), w);
    return kind == CalcValueTypeUBase ? unsignedFromBits(bits) : signedFromBits(bits);
}

TEST(OperatorsFormat, IntegerConversionsKeepTheWordPatternAtEveryWordSize) {
    for (int w = kSmallestWordSize; w <= kLargestWordSize; ++w) {
        RegistrySettings settings(w);
        for (CalcValueType kind : kAllKinds) {
            for (const CalcValue& value : sampleValues(kind)) {
                EXPECT_IDENTICAL(unary(value, OperatorsOperatorToUBase),
                                 unsignedValue(static_cast<uint64_t>(expectedInteger(value, CalcValueTypeUBase, w))))
                    << "w " << w << ", " << describe(value);
                EXPECT_IDENTICAL(unary(value, OperatorsOperatorToSBase),
                                 signedValue(static_cast<int64_t>(expectedInteger(value, CalcValueTypeSBase, w))))
                    << "w " << w << ", " << describe(value);
            }
        }
    }
}

TEST(OperatorsFormat, ToFloatReadsTheNarrowedIntegerAsTheNearestDouble) {
    for (int w = kSmallestWordSize; w <= kLargestWordSize; ++w) {
        RegistrySettings settings(w);
        for (CalcValueType kind : {CalcValueTypeUBase, CalcValueTypeSBase}) {
            for (const CalcValue& value : sampleValues(kind)) {
                // A 128-bit integer converts to the nearest double just as a 64-bit one does.
                const double expected = static_cast<double>(expectedInteger(value, kind, w));
                EXPECT_IDENTICAL(unary(value, OperatorsOperatorToReal), realValue(expected))
                    << "w " << w << ", " << describe(value);
            }
        }
    }
}

TEST(OperatorsFormat, ToFloatOfARealGivesTheSameReal) {
    RegistrySettings settings(8);
    for (double x : sampleReals()) {
        // The registry flushes -0.0 to 0.0.
        EXPECT_IDENTICAL(unary(realValue(x), OperatorsOperatorToReal), realValue(x == 0.0 ? 0.0 : x));
    }
}

struct EdgeCase {
    const char* name;
    int wordSize;
    OperatorsOperator op;
    CalcValue value;
    CalcValue expected;
};

const EdgeCase kEdgeCases[] = {
    {"->uint of signed -1 at 16", 16, OperatorsOperatorToUBase, signedValue(-1), unsignedValue(65535)},
    {"->int of unsigned 40000 at 16", 16, OperatorsOperatorToSBase, unsignedValue(40000), signedValue(-25536)},
    {"->float of signed -2 at 16", 16, OperatorsOperatorToReal, signedValue(-2), realValue(-2.0)},
    {"->int of real 300.7 at 8", 8, OperatorsOperatorToSBase, realValue(300.7), signedValue(44)},
    {"->uint of real -0.9 at 8", 8, OperatorsOperatorToUBase, realValue(-0.9), unsignedValue(0)},
    {"->int of unsigned 200 at 8", 8, OperatorsOperatorToSBase, unsignedValue(200), signedValue(-56)},
    {"->float of unsigned 2^64-1 at 64", 64, OperatorsOperatorToReal, unsignedValue(UINT64_MAX),
     realValue(18446744073709551616.0)},
    {"->float of unsigned 0x1FF at 8", 8, OperatorsOperatorToReal, unsignedValue(0x1FF), realValue(255.0)},
    {"->uint of unsigned 0x1FF at 8", 8, OperatorsOperatorToUBase, unsignedValue(0x1FF), unsignedValue(0xFF)},
};

TEST(OperatorsFormat, EdgeCases) {
    for (const EdgeCase& c : kEdgeCases) {
        SCOPED_TRACE(c.name);
        RegistrySettings settings(c.wordSize);
        EXPECT_IDENTICAL(unary(c.value, c.op), c.expected);
    }
}

TEST(OperatorsFormat, AValueWithoutAKindGivesNoValueAndNoError) {
    RegistrySettings settings(16);
    for (OperatorsOperator op : {OperatorsOperatorToReal, OperatorsOperatorToUBase, OperatorsOperatorToSBase}) {
        EXPECT_FALSE(unary(noneValue(), op));
    }
    EXPECT_FALSE(OperatorsFormat::doubleFromCalcValue(noneValue()));
}

TEST(OperatorsFormat, NoOperatorIsBinary) {
    OperatorsError error = OperatorsErrorNone;
    for (OperatorsOperator op : {OperatorsOperatorToReal, OperatorsOperatorToUBase, OperatorsOperatorToSBase}) {
        EXPECT_FALSE(OperatorsFormat::sharedInstance().calculateResultForCalcValue1(unsignedValue(1), op,
                                                                                    unsignedValue(1), &error));
    }
    EXPECT_EQ(error, OperatorsErrorNone);
}

constexpr ExpectedOperator kOperators[] = {
    {18, "->float", "To floating point", "Convert to floating point", "operatorToRealDark.png", 17, true},
    {19, "->uint", "To unsigned int", "Convert to unsigned integer", "operatorToUBaseDark.png", 17, true},
    {20, "->int", "To signed int", "Convert to signed integer", "operatorToSBaseDark.png", 17, true},
};

TEST(OperatorsFormat, RegistryAnswersItsOperatorsAndTheModuleNoOthers) {
    expectOperatorAnswers(OperatorsFormat::sharedInstance(), kOperators);
    EXPECT_EQ(Operators::sharedInstance().operatorsModules().at(1), &OperatorsFormat::sharedInstance());
}

}  // namespace
