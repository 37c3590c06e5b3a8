#include <gtest/gtest.h>

#include <cmath>

#include "Calculator/OperatorsPowers.h"
#include "OperatorsModuleTestSupport.h"

namespace {

std::optional<CalcValue> unary(const CalcValue& value, OperatorsOperator op, OperatorsError* error) {
    return Operators::sharedInstance().calculateResultForCalcValue(value, op, error);
}

std::optional<CalcValue> binary(const CalcValue& a, OperatorsOperator op, const CalcValue& b, OperatorsError* error) {
    return Operators::sharedInstance().calculateResultForCalcValue1(a, op, b, error);
}

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

TEST(OperatorsPowers, UnaryOperatorsAreTheCLibrarysWithTheirDomainChecks) {
    RegistrySettings settings(32);
    for (const UnaryCase& c : kUnaryCases) {
        for (double x : kArguments) {
            const Outcome expected = c.expected(x);
            OperatorsError error = kUnwrittenError;
            EXPECT_IDENTICAL(unary(realValue(x), c.op, &error), expected.value) << "op " << c.op << " of " << x;
            EXPECT_EQ(error, expected.error) << "op " << c.op << " of " << x;
        }
    }
}

TEST(OperatorsPowers, IntegerOperandsAreNarrowedAndGiveRealResultsAtEveryWordSize) {
    for (int w = kSmallestWordSize; w <= kLargestWordSize; ++w) {
        RegistrySettings settings(w);
        for (CalcValueType kind : {CalcValueTypeUBase, CalcValueTypeSBase}) {
            for (const CalcValue& value : sampleValues(kind)) {
                const Bits bits = bitsFromInteger(integerOfValue(value), w);
                const double x =
                    static_cast<double>(kind == CalcValueTypeUBase ? unsignedFromBits(bits) : signedFromBits(bits));
                for (const UnaryCase& c : kUnaryCases) {
                    const Outcome expected = c.expected(x);
                    OperatorsError error = kUnwrittenError;
                    EXPECT_IDENTICAL(unary(value, c.op, &error), expected.value)
                        << "w " << w << ", op " << c.op << " of " << describe(value);
                    EXPECT_EQ(error, expected.error);
                }
            }
        }
    }
}

TEST(OperatorsPowers, PowerAndRootRefuseNegativeBasesWithSmallExponents) {
    RegistrySettings settings(32);
    for (double x : kArguments) {
        for (double y : {-3.0, -1.0, 0.0, 0.5, 1.0, 1.5, 2.0, 3.0, 10.0}) {
            OperatorsError error = kUnwrittenError;
            const Outcome power =
                x < 0 && y < 1 ? refused(OperatorsErrorValueOutOfRange) : throughRegistry(std::pow(x, y));
            EXPECT_IDENTICAL(binary(realValue(x), OperatorsOperatorPowN, realValue(y), &error), power.value)
                << x << " ^ " << y;
            EXPECT_EQ(error, power.error) << x << " ^ " << y;
            const Outcome root = y == 0 || (x < 0 && 1 / y < 1) ? refused(OperatorsErrorValueOutOfRange)
                                                                : throughRegistry(std::pow(x, 1 / y));
            EXPECT_IDENTICAL(binary(realValue(x), OperatorsOperatorNthRoot, realValue(y), &error), root.value)
                << x << " NTHRT " << y;
            EXPECT_EQ(error, root.error) << x << " NTHRT " << y;
        }
    }
}

struct EdgeCase {
    const char* name;
    int wordSize;
    CalcValue a;
    OperatorsOperator op;
    std::optional<CalcValue> b;  // none for a unary operator
    std::optional<CalcValue> expected;
    OperatorsError error;
};

const EdgeCase kEdgeCases[] = {
    {"unsigned 5 ^2", 32, unsignedValue(5), OperatorsOperatorSquared, std::nullopt, realValue(25.0),
     OperatorsErrorNone},
    {"unsigned 255 ^2 at 8", 8, unsignedValue(255), OperatorsOperatorSquared, std::nullopt, realValue(65025.0),
     OperatorsErrorNone},
    {"signed -1 ^2 at 8", 8, signedValue(-1), OperatorsOperatorSquared, std::nullopt, realValue(1.0),
     OperatorsErrorNone},
    {"Log 1000", 32, realValue(1000), OperatorsOperatorLog, std::nullopt, realValue(3.0), OperatorsErrorNone},
    {"Log 0", 32, realValue(0), OperatorsOperatorLog, std::nullopt, std::nullopt, OperatorsErrorValueOutOfRange},
    {"Log -5", 32, realValue(-5), OperatorsOperatorLog, std::nullopt, std::nullopt, OperatorsErrorValueOutOfRange},
    {"Ln 1", 32, realValue(1), OperatorsOperatorLn, std::nullopt, realValue(0.0), OperatorsErrorNone},
    {"1/N 0", 32, realValue(0), OperatorsOperatorRecip, std::nullopt, std::nullopt, OperatorsErrorDivideByZero},
    {"1/N -0.0", 32, realValue(-0.0), OperatorsOperatorRecip, std::nullopt, std::nullopt, OperatorsErrorDivideByZero},
    {"1/N 4", 32, realValue(4), OperatorsOperatorRecip, std::nullopt, realValue(0.25), OperatorsErrorNone},
    {"SQRT -0.0", 32, realValue(-0.0), OperatorsOperatorSqRoot, std::nullopt, realValue(0.0), OperatorsErrorNone},
    {"e^ 1", 32, realValue(1), OperatorsOperatorEPow, std::nullopt, realValue(2.718281828459045), OperatorsErrorNone},
    {"10^ 400", 32, realValue(400), OperatorsOperator10Pow, std::nullopt, std::nullopt, OperatorsErrorValueOutOfRange},
    {"e^ 1000", 32, realValue(1000), OperatorsOperatorEPow, std::nullopt, std::nullopt, OperatorsErrorValueOutOfRange},
    {"2 ^ 10", 32, realValue(2), OperatorsOperatorPowN, realValue(10), realValue(1024.0), OperatorsErrorNone},
    {"-2 ^ 2", 32, realValue(-2), OperatorsOperatorPowN, realValue(2), realValue(4.0), OperatorsErrorNone},
    {"-2 ^ 3", 32, realValue(-2), OperatorsOperatorPowN, realValue(3), realValue(-8.0), OperatorsErrorNone},
    {"-2 ^ 0.5", 32, realValue(-2), OperatorsOperatorPowN, realValue(0.5), std::nullopt, OperatorsErrorValueOutOfRange},
    {"-2 ^ 0", 32, realValue(-2), OperatorsOperatorPowN, realValue(0), std::nullopt, OperatorsErrorValueOutOfRange},
    {"-2 ^ -1", 32, realValue(-2), OperatorsOperatorPowN, realValue(-1), std::nullopt, OperatorsErrorValueOutOfRange},
    {"-8 ^ 0.5", 32, realValue(-8), OperatorsOperatorPowN, realValue(0.5), std::nullopt, OperatorsErrorValueOutOfRange},
    {"-2 ^ 1.5 is NaN", 32, realValue(-2), OperatorsOperatorPowN, realValue(1.5), std::nullopt,
     OperatorsErrorValueOutOfRange},
    {"0 ^ 0", 32, realValue(0), OperatorsOperatorPowN, realValue(0), realValue(1.0), OperatorsErrorNone},
    {"0 ^ -1", 32, realValue(0), OperatorsOperatorPowN, realValue(-1), std::nullopt, OperatorsErrorValueOutOfRange},
    {"0.1 ^ 120", 32, realValue(0.1), OperatorsOperatorPowN, realValue(120), realValue(0.0), OperatorsErrorNone},
    {"unsigned 2 ^ unsigned 3", 32, unsignedValue(2), OperatorsOperatorPowN, unsignedValue(3), realValue(8.0),
     OperatorsErrorNone},
    {"27 NTHRT 3", 32, realValue(27), OperatorsOperatorNthRoot, realValue(3), realValue(std::pow(27.0, 1.0 / 3)),
     OperatorsErrorNone},
    {"16 NTHRT 0", 32, realValue(16), OperatorsOperatorNthRoot, realValue(0), std::nullopt,
     OperatorsErrorValueOutOfRange},
    {"-27 NTHRT 3", 32, realValue(-27), OperatorsOperatorNthRoot, realValue(3), std::nullopt,
     OperatorsErrorValueOutOfRange},
    {"-8 NTHRT 1", 32, realValue(-8), OperatorsOperatorNthRoot, realValue(1), realValue(-8.0), OperatorsErrorNone},
    {"-8 NTHRT 0.5", 32, realValue(-8), OperatorsOperatorNthRoot, realValue(0.5), realValue(64.0), OperatorsErrorNone},
};

TEST(OperatorsPowers, EdgeCases) {
    for (const EdgeCase& c : kEdgeCases) {
        SCOPED_TRACE(c.name);
        RegistrySettings settings(c.wordSize);
        OperatorsError error = kUnwrittenError;
        EXPECT_IDENTICAL(c.b ? binary(c.a, c.op, *c.b, &error) : unary(c.a, c.op, &error), c.expected);
        EXPECT_EQ(error, c.error);
    }
}

TEST(OperatorsPowers, EPowUsesPowWithTheNearestDoubleToE) {
    RegistrySettings settings(32);
    for (double x : {0.5, 2.0, 3.3, 10.0, -7.25, 100.0}) {
        OperatorsError error = kUnwrittenError;
        EXPECT_IDENTICAL(unary(realValue(x), OperatorsOperatorEPow, &error), realValue(std::pow(2.718281828459045, x)));
    }
}

TEST(OperatorsPowers, OperandsWithoutAKindAndTheOtherArityGiveNoValue) {
    OperatorsPowers& module = OperatorsPowers::sharedInstance();
    OperatorsError error = kUnwrittenError;
    for (OperatorsOperator op : operatorsFrom(OperatorsOperatorLog, OperatorsOperatorNthRoot)) {
        EXPECT_FALSE(unary(noneValue(), op, &error));
        EXPECT_EQ(error, OperatorsErrorNone);
        EXPECT_FALSE(binary(noneValue(), op, realValue(2), &error));
        EXPECT_FALSE(binary(realValue(2), op, noneValue(), &error));
        EXPECT_EQ(error, OperatorsErrorNone);
    }
    EXPECT_FALSE(module.calculateResultForCalcValue(realValue(2), OperatorsOperatorPowN, &error));
    EXPECT_FALSE(module.calculateResultForCalcValue(realValue(2), OperatorsOperatorNthRoot, &error));
    EXPECT_FALSE(module.calculateResultForCalcValue1(realValue(2), OperatorsOperatorSquared, realValue(2), &error));
    EXPECT_EQ(error, OperatorsErrorNone);
}

constexpr ExpectedOperator kOperators[] = {
    {36, "Log", "Logarithm", "Base 10 logarithm", "operatorLogDark.png", 15, true},
    {37, "Ln", "Natural logarithm", "Natural logrithm", "operatorLnDark.png", 15, true},
    {38, "e^", "e to the power x", "e to the power", "operatorEPowDark.png", 15, true},
    {39, "10^", "10 to the power x", "10 to the power", "operator10PowDark.png", 15, true},
    {40, "^2", "Squared", "Square", "operatorSquaredDark.png", 15, true},
    {41, "^3", "Cubed", "Cube", "operatorPowNDark.png", 15, true},
    {42, "^", "x to the power y", "x to the power y", "operatorPowNDark.png", 16, false},
    {43, "1/N", "Reciprocal", "Reciprocal", "operatorRecipDark.png", 15, true},
    {44, "SQRT", "Square root", "Square root", "operatorSqRootDark.png", 15, true},
    {45, "NTHRT", "Nth root", "N-th root", "operatorNthRootDark.png", 16, false},
};

TEST(OperatorsPowers, RegistryAnswersItsOperatorsAndTheModuleNoOthers) {
    expectOperatorAnswers(OperatorsPowers::sharedInstance(), kOperators);
    EXPECT_EQ(Operators::sharedInstance().operatorsModules().at(5), &OperatorsPowers::sharedInstance());
}

}  // namespace
