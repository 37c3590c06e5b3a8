#include <gtest/gtest.h>

#include <cmath>
#include <span>

#include "Calculator/OperatorsPercent.h"
#include "Calculator/OperatorsPowers.h"
#include "Calculator/OperatorsTrig.h"
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

constexpr int kDegrees = 0;
constexpr int kRadians = 1;
constexpr double kPi = 3.141592653589793;

struct TrigCase {
    OperatorsOperator op;
    double (*function)(double);
    bool inverse;
};

const TrigCase kCases[] = {
    {OperatorsOperatorSin, [](double x) { return std::sin(x); }, false},
    {OperatorsOperatorCos, [](double x) { return std::cos(x); }, false},
    {OperatorsOperatorTan, [](double x) { return std::tan(x); }, false},
    {OperatorsOperatorASin, [](double x) { return std::asin(x); }, true},
    {OperatorsOperatorACos, [](double x) { return std::acos(x); }, true},
    {OperatorsOperatorATan, [](double x) { return std::atan(x); }, true},
};

// A forward result within 1e-10 of a whole number is that whole number; inverse results are not
// snapped, and ASin and ACos refuse arguments outside -1 to 1.
TEST(OperatorsTrig, FunctionsAreTheCLibrarysInEitherUnit) {
    const double angles[] = {0.0,   1e-11,  1e-6,  0.5,   1.0,   30.0,  45.0, 60.0,   90.0, 135.0,
                             180.0, -180.0, 200.0, 270.0, 360.0, 720.0, 1e6,  -37.25, kPi,  kPi / 2};
    const double arguments[] = {-2.0, -1.0000001, -1.0, -0.5,      -1e-12, 0.0, 0.25,
                                0.5,  0.9999999,  1.0,  1.0000001, 3.0,    1e9};
    for (int unit : {kDegrees, kRadians}) {
        WordSizeScope settings(32, unit);
        for (const TrigCase& c : kCases) {
            for (double x : c.inverse ? std::span<const double>(arguments) : std::span<const double>(angles)) {
                OperatorsError error = kUnwrittenError;
                const std::optional<CalcValue> result = unary(r(x), c.op, &error);
                if (c.inverse && c.op != OperatorsOperatorATan && std::fabs(x) > 1.0) {
                    EXPECT_FALSE(result) << describe(result);
                    EXPECT_EQ(error, OperatorsErrorValueOutOfRange);
                    continue;
                }
                const double y = c.function(!c.inverse && unit == kDegrees ? x * kPi / 180.0 : x);
                double expected = c.inverse && unit == kDegrees ? y * 180.0 / kPi : y;
                if (!c.inverse && std::fabs(expected - std::round(expected)) < 1e-10) expected = std::round(expected);
                EXPECT_IDENTICAL(result, registryReal(expected)) << "op " << c.op << " of " << x << " unit " << unit;
                EXPECT_EQ(error, OperatorsErrorNone);
            }
        }
    }
}

TEST(OperatorsTrig, KnownResults) {
    expectCalculations({
        {"tan 90°", 8, r(90), OperatorsOperatorTan, {}, r(16331239353195370.0)},
        {"ASin 0.5", 8, r(0.5), OperatorsOperatorASin, {}, r(30.000000000000004)},
        {"unsigned 0x1FF is 255° at 8 bits", 8, u(0x1FF), OperatorsOperatorCos, {}, r(std::cos(255 * kPi / 180))},
        {"no kind", 8, noneValue(), OperatorsOperatorTan, {}, std::nullopt},
        {"ASin NaN", 8, r(std::nan("")), OperatorsOperatorASin, {}, std::nullopt, OperatorsErrorValueOutOfRange},
    });
    expectCalculations({{"signed 0xFF is -1 rad at 8 bits", 8, s(0xFF), OperatorsOperatorATan, {}, r(std::atan(-1.0))}},
                       kRadians);
    expectCalculations({{"any other unit is radians", 8, r(kPi / 2), OperatorsOperatorSin, {}, r(1.0)}}, 7);
}

TEST(OperatorsTrig, ModuleResultsKeepNaNAndMinusZeroForTheRegistryToRefuseOrFlush) {
    WordSizeScope settings(32, kDegrees);
    OperatorsError error = OperatorsErrorNone;
    const std::optional<CalcValue> minusZero = OperatorsTrig::trigSin(r(-180), &error);
    ASSERT_TRUE(minusZero);
    EXPECT_TRUE(std::signbit(minusZero->realValue()) && minusZero->realValue() == 0.0);
    const std::optional<CalcValue> nan = OperatorsTrig::trigASin(r(std::nan("")), &error);
    ASSERT_TRUE(nan);
    EXPECT_TRUE(std::isnan(nan->realValue()));
    EXPECT_EQ(error, OperatorsErrorNone);
}

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
