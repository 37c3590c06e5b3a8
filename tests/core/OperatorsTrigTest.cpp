#include <gtest/gtest.h>

#include <cmath>
#include <span>

#include "Calculator/OperatorsTrig.h"
#include "OperatorsModuleTestSupport.h"

namespace {

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

}  // namespace
