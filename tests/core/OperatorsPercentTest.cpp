#include <gtest/gtest.h>

#include <cmath>

#include "Calculator/OperatorsPercent.h"
#include "OperatorsModuleTestSupport.h"

namespace {

std::optional<CalcValue> binary(const CalcValue& a, OperatorsOperator op, const CalcValue& b, OperatorsError* error) {
    return Operators::sharedInstance().calculateResultForCalcValue1(a, op, b, error);
}

struct Case {
    const char* name;
    CalcValue a;
    OperatorsOperator op;
    CalcValue b;
    std::optional<CalcValue> expected;
    OperatorsError error;
};

const Case kCases[] = {
    {"200 -% 10", realValue(200), OperatorsOperatorSubtractPercent, realValue(10), realValue(180.0),
     OperatorsErrorNone},
    {"50 is%of 200", realValue(50), OperatorsOperatorIsPercentOf, realValue(200), realValue(25.0), OperatorsErrorNone},
    {"50 %chng 75", realValue(50), OperatorsOperatorPercentChange, realValue(75), realValue(50.0), OperatorsErrorNone},
    {"200 %chng 50", realValue(200), OperatorsOperatorPercentChange, realValue(50), realValue(-75.0),
     OperatorsErrorNone},
    {"10 %of 200", realValue(10), OperatorsOperatorPercentOf, realValue(200), realValue(20.0), OperatorsErrorNone},
    {"200 +% 10 keeps the rounding of 1.1", realValue(200), OperatorsOperatorAddPercent, realValue(10),
     realValue(220.00000000000003), OperatorsErrorNone},
    {"5 is%of 0", realValue(5), OperatorsOperatorIsPercentOf, realValue(0), std::nullopt, OperatorsErrorDivideByZero},
    {"5 is%of -0.0", realValue(5), OperatorsOperatorIsPercentOf, realValue(-0.0), std::nullopt,
     OperatorsErrorDivideByZero},
    {"0 %chng 5", realValue(0), OperatorsOperatorPercentChange, realValue(5), std::nullopt, OperatorsErrorDivideByZero},
    {"0 is%of 5", realValue(0), OperatorsOperatorIsPercentOf, realValue(5), realValue(0.0), OperatorsErrorNone},
    {"5 %chng 0", realValue(5), OperatorsOperatorPercentChange, realValue(0), realValue(-100.0), OperatorsErrorNone},
    {"100 -% 100", realValue(100), OperatorsOperatorSubtractPercent, realValue(100), realValue(0.0),
     OperatorsErrorNone},
    {"100 -% 150", realValue(100), OperatorsOperatorSubtractPercent, realValue(150), realValue(-50.0),
     OperatorsErrorNone},
    {"100 +% -100", realValue(100), OperatorsOperatorAddPercent, realValue(-100), realValue(0.0), OperatorsErrorNone},
    {"unsigned 200 %of unsigned 15", unsignedValue(200), OperatorsOperatorPercentOf, unsignedValue(15), realValue(30.0),
     OperatorsErrorNone},
    {"unsigned 0x1C8 %of 50 is 200 %of 50 at 8 bits", unsignedValue(0x1C8), OperatorsOperatorPercentOf, realValue(50),
     realValue(100.0), OperatorsErrorNone},
    {"signed 0xFF is -1 at 8 bits", signedValue(0xFF), OperatorsOperatorAddPercent, realValue(50), realValue(-1.5),
     OperatorsErrorNone},
    {"unsigned 0 at 8 bits %chng is divide by zero", unsignedValue(0x100), OperatorsOperatorPercentChange, realValue(1),
     std::nullopt, OperatorsErrorDivideByZero},
    {"1e99 %of 1e5 is out of range", realValue(1e99), OperatorsOperatorPercentOf, realValue(1e5), std::nullopt,
     OperatorsErrorValueOutOfRange},
};

TEST(OperatorsPercent, EdgeCases) {
    RegistrySettings settings(8);
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        OperatorsError error = kUnwrittenError;
        EXPECT_IDENTICAL(binary(c.a, c.op, c.b, &error), c.expected);
        EXPECT_EQ(error, c.error);
    }
}

struct FormulaCase {
    OperatorsOperator op;
    double (*formula)(double, double);
};

// The formulas with their operations in the calculator's order, so that the rounding of every
// intermediate step is the same.
const FormulaCase kFormulas[] = {
    {OperatorsOperatorAddPercent, [](double a, double b) { return a * (b / 100 + 1); }},
    {OperatorsOperatorSubtractPercent, [](double a, double b) { return a * (b / -100 + 1); }},
    {OperatorsOperatorIsPercentOf, [](double a, double b) { return a / b * 100; }},
    {OperatorsOperatorPercentChange, [](double a, double b) { return (b - a) / a * 100; }},
    {OperatorsOperatorPercentOf, [](double a, double b) { return a * b / 100; }},
};

TEST(OperatorsPercent, IntegerOperandsAreNarrowedAndEveryResultIsReal) {
    for (int w = kSmallestWordSize; w <= kLargestWordSize; ++w) {
        RegistrySettings settings(w);
        for (CalcValueType kind : kAllKinds) {
            const std::vector<CalcValue> values = sampleValues(kind);
            for (size_t i = 0; i + 1 < values.size(); ++i) {
                const CalcValue& a = values[i];
                const CalcValue& b = values[i + 1];
                auto asDouble = [&](const CalcValue& v) {
                    if (v.type() == CalcValueTypeReal) return v.realValue();
                    const Bits bits = bitsFromInteger(integerOfValue(v), w);
                    return static_cast<double>(kind == CalcValueTypeUBase ? unsignedFromBits(bits)
                                                                          : signedFromBits(bits));
                };
                for (const FormulaCase& c : kFormulas) {
                    const double x = asDouble(a);
                    const double y = asDouble(b);
                    OperatorsError error = kUnwrittenError;
                    const std::optional<CalcValue> result = binary(a, c.op, b, &error);
                    const bool divisorZero = (c.op == OperatorsOperatorIsPercentOf && y == 0) ||
                                             (c.op == OperatorsOperatorPercentChange && x == 0);
                    if (divisorZero) {
                        EXPECT_FALSE(result);
                        EXPECT_EQ(error, OperatorsErrorDivideByZero);
                        continue;
                    }
                    const double expected = c.formula(x, y);
                    if (!registryReal(expected)) continue;
                    EXPECT_IDENTICAL(result, registryReal(expected))
                        << "w " << w << ", " << describe(a) << " op " << c.op << " " << describe(b);
                    EXPECT_EQ(error, OperatorsErrorNone);
                }
            }
        }
    }
}

TEST(OperatorsPercent, NoOperatorIsUnaryAndOperandsWithoutAKindGiveNoValue) {
    OperatorsPercent& module = OperatorsPercent::sharedInstance();
    OperatorsError error = kUnwrittenError;
    for (OperatorsOperator op : operatorsFrom(OperatorsOperatorAddPercent, OperatorsOperatorPercentOf)) {
        EXPECT_FALSE(binary(noneValue(), op, realValue(1), &error));
        EXPECT_EQ(error, OperatorsErrorNone);
        EXPECT_FALSE(module.calculateResultForCalcValue(realValue(1), op, &error));
    }
    EXPECT_EQ(error, OperatorsErrorNone);
}

constexpr ExpectedOperator kOperators[] = {
    {51, "+%", "Add percent", "Add percent", "operatorAddPercentDark.png", 12, false},
    {52, "-%", "Subtract percent", "Subtract percent", "operatorSubtractPercentDark.png", 12, false},
    {53, "is%of", "Is percent of", "Is percent of", "operatorIsPercentOfDark.png", 12, false},
    {54, "%chng", "Percent change", "Percent change", "operatorPercentChangeDark.png", 12, false},
    {55, "%of", "Percent of", "Percent of", "operatorPercentOfDark.png", 12, false},
};

TEST(OperatorsPercent, RegistryAnswersItsOperatorsAndTheModuleNoOthers) {
    expectOperatorAnswers(OperatorsPercent::sharedInstance(), kOperators);
    EXPECT_EQ(Operators::sharedInstance().operatorsModules().at(6), &OperatorsPercent::sharedInstance());
}

}  // namespace
