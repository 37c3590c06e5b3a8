#include <gtest/gtest.h>

#include "Calculator/OperatorsPercent.h"
#include "OperatorsModuleTestSupport.h"

namespace {

TEST(OperatorsPercent, KnownResults) {
    const OperatorsError byZero = OperatorsErrorDivideByZero;
    expectCalculations({
        {"200 -% 10", 8, r(200), OperatorsOperatorSubtractPercent, r(10), r(180.0)},
        {"50 is%of 200", 8, r(50), OperatorsOperatorIsPercentOf, r(200), r(25.0)},
        {"200 %chng 50", 8, r(200), OperatorsOperatorPercentChange, r(50), r(-75.0)},
        {"10 %of 200", 8, r(10), OperatorsOperatorPercentOf, r(200), r(20.0)},
        {"200 +% 10 keeps the rounding of 1.1", 8, r(200), OperatorsOperatorAddPercent, r(10), r(220.00000000000003)},
        {"5 is%of -0.0", 8, r(5), OperatorsOperatorIsPercentOf, r(-0.0), std::nullopt, byZero},
        {"0 %chng 5", 8, r(0), OperatorsOperatorPercentChange, r(5), std::nullopt, byZero},
        {"100 +% -100", 8, r(100), OperatorsOperatorAddPercent, r(-100), r(0.0)},
        {"unsigned 0x1C8 %of 50 is 200 %of 50 at 8 bits", 8, u(0x1C8), OperatorsOperatorPercentOf, r(50), r(100.0)},
        {"signed 0xFF is -1 at 8 bits", 8, s(0xFF), OperatorsOperatorAddPercent, r(50), r(-1.5)},
        {"unsigned 0x100 is 0 at 8 bits", 8, u(0x100), OperatorsOperatorPercentChange, r(1), std::nullopt, byZero},
        {"a left operand of no kind", 8, noneValue(), OperatorsOperatorPercentOf, r(1), std::nullopt},
        {"1e99 %of 1e5", 8, r(1e99), OperatorsOperatorPercentOf, r(1e5), std::nullopt, OperatorsErrorValueOutOfRange},
    });
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
        WordSizeScope settings(w);
        for (CalcValueType kind : kAllKinds) {
            const std::vector<CalcValue> values = sampleValues(kind);
            const auto asDouble = [&](const CalcValue& v) {
                return kind == CalcValueTypeReal ? v.realValue() : static_cast<double>(narrowedInteger(v, kind, w));
            };
            for (size_t i = 0; i + 1 < values.size(); ++i) {
                const double x = asDouble(values[i]);
                const double y = asDouble(values[i + 1]);
                for (const FormulaCase& c : kFormulas) {
                    OperatorsError error = kUnwrittenError;
                    const std::optional<CalcValue> result = binary(values[i], c.op, values[i + 1], &error);
                    if ((c.op == OperatorsOperatorIsPercentOf && y == 0) ||
                        (c.op == OperatorsOperatorPercentChange && x == 0)) {
                        EXPECT_FALSE(result);
                        EXPECT_EQ(error, OperatorsErrorDivideByZero);
                    } else if (registryReal(c.formula(x, y))) {
                        EXPECT_IDENTICAL(result, registryReal(c.formula(x, y)))
                            << "w " << w << ", " << describe(values[i]) << " op " << c.op << " "
                            << describe(values[i + 1]);
                        EXPECT_EQ(error, OperatorsErrorNone);
                    }
                }
            }
        }
    }
}

}  // namespace
