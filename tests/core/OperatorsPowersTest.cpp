#include <gtest/gtest.h>

#include <cmath>

#include "Calculator/OperatorsPowers.h"
#include "OperatorsModuleTestSupport.h"

namespace {

// The registry's view of a real: out of range or NaN is error 1, tiny is plus zero.
struct Outcome {
    std::optional<CalcValue> value;
    OperatorsError error;
};

Outcome throughRegistry(double x) {
    const std::optional<CalcValue> value = registryReal(x);
    return {value, value ? OperatorsErrorNone : OperatorsErrorValueOutOfRange};
}

Outcome refused(OperatorsError error) { return {std::nullopt, error}; }

struct UnaryCase {
    OperatorsOperator op;
    Outcome (*expected)(double);
};

const UnaryCase kUnaryCases[] = {
    {OperatorsOperatorLog,
     [](double x) { return x <= 0 ? refused(OperatorsErrorValueOutOfRange) : throughRegistry(std::log10(x)); }},
    {OperatorsOperatorLn,
     [](double x) { return x <= 0 ? refused(OperatorsErrorValueOutOfRange) : throughRegistry(std::log(x)); }},
    {OperatorsOperatorEPow, [](double x) { return throughRegistry(std::pow(std::exp(1.0), x)); }},
    {OperatorsOperator10Pow, [](double x) { return throughRegistry(std::pow(10.0, x)); }},
    {OperatorsOperatorSquared, [](double x) { return throughRegistry(x * x); }},
    {OperatorsOperatorCubed, [](double x) { return throughRegistry(x * x * x); }},
    {OperatorsOperatorRecip,
     [](double x) { return x == 0 ? refused(OperatorsErrorDivideByZero) : throughRegistry(1 / x); }},
    {OperatorsOperatorSqRoot,
     [](double x) { return x < 0 ? refused(OperatorsErrorValueOutOfRange) : throughRegistry(std::sqrt(x)); }},
};

const double kArguments[] = {-1000.0, -27.0, -2.0, -1.0, -0.5, -0.0,  0.0,   1e-300, 0.1,  0.5, 1.0,
                             2.0,     3.0,   10.0, 27.0, 99.5, 230.0, 400.0, 1000.0, 1e50, 1e99};

void expectUnaryOutcomes(const CalcValue& value, double x) {
    for (const UnaryCase& c : kUnaryCases) {
        const Outcome expected = c.expected(x);
        OperatorsError error = kUnwrittenError;
        EXPECT_IDENTICAL(unary(value, c.op, &error), expected.value) << "op " << c.op << " of " << describe(value);
        EXPECT_EQ(error, expected.error) << "op " << c.op << " of " << describe(value);
    }
}

TEST(OperatorsPowers, UnaryOperatorsAreTheCLibrarysWithTheirDomainChecks) {
    WordSizeScope settings(32);
    for (double x : kArguments) expectUnaryOutcomes(r(x), x);
}

TEST(OperatorsPowers, IntegerOperandsAreNarrowedAndGiveRealResultsAtEveryWordSize) {
    for (int w = kSmallestWordSize; w <= kLargestWordSize; ++w) {
        WordSizeScope settings(w);
        for (CalcValueType kind : {CalcValueTypeUBase, CalcValueTypeSBase}) {
            for (const CalcValue& value : sampleValues(kind)) {
                expectUnaryOutcomes(value, static_cast<double>(narrowedInteger(value, kind, w)));
            }
        }
    }
}

TEST(OperatorsPowers, PowerAndRootRefuseNegativeBasesWithSmallExponents) {
    WordSizeScope settings(32);
    for (double x : kArguments) {
        for (double y : {-3.0, -1.0, 0.0, 0.5, 1.0, 1.5, 2.0, 3.0, 10.0}) {
            OperatorsError error = kUnwrittenError;
            const Outcome power =
                x < 0 && y < 1 ? refused(OperatorsErrorValueOutOfRange) : throughRegistry(std::pow(x, y));
            EXPECT_IDENTICAL(binary(r(x), OperatorsOperatorPowN, r(y), &error), power.value) << x << " ^ " << y;
            EXPECT_EQ(error, power.error) << x << " ^ " << y;
            const Outcome root = y == 0 || (x < 0 && 1 / y < 1) ? refused(OperatorsErrorValueOutOfRange)
                                                                : throughRegistry(std::pow(x, 1 / y));
            EXPECT_IDENTICAL(binary(r(x), OperatorsOperatorNthRoot, r(y), &error), root.value) << x << " NTHRT " << y;
            EXPECT_EQ(error, root.error) << x << " NTHRT " << y;
        }
    }
}

TEST(OperatorsPowers, KnownResults) {
    const OperatorsError range = OperatorsErrorValueOutOfRange;
    expectCalculations({
        {"1/N -0.0", 32, r(-0.0), OperatorsOperatorRecip, {}, std::nullopt, OperatorsErrorDivideByZero},
        {"10^ 400", 32, r(400), OperatorsOperator10Pow, {}, std::nullopt, range},
        {"-2 ^ 3", 32, r(-2), OperatorsOperatorPowN, r(3), r(-8.0)},
        {"-2 ^ 1.5 is NaN", 32, r(-2), OperatorsOperatorPowN, r(1.5), std::nullopt, range},
        {"unsigned 2 ^ unsigned 3", 32, u(2), OperatorsOperatorPowN, u(3), r(8.0)},
        {"-8 NTHRT 0.5", 32, r(-8), OperatorsOperatorNthRoot, r(0.5), r(64.0)},
    });
}

TEST(OperatorsPowers, OperandsWithoutAKindGiveNoValueAndNoError) {
    OperatorsError error = kUnwrittenError;
    for (int32_t number = OperatorsOperatorLog; number <= OperatorsOperatorNthRoot; ++number) {
        const OperatorsOperator op = *operatorsOperatorFromInt32(number);
        EXPECT_FALSE(unary(noneValue(), op, &error) || binary(noneValue(), op, r(2), &error) ||
                     binary(r(2), op, noneValue(), &error));
        EXPECT_EQ(error, OperatorsErrorNone);
    }
}

}  // namespace
