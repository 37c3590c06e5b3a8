#include <gtest/gtest.h>

#include <cmath>

#include "Calculator/OperatorsTrig.h"
#include "OperatorsModuleTestSupport.h"

namespace {

constexpr int kDegrees = 0;
constexpr int kRadians = 1;
constexpr double kPi = 3.141592653589793;

std::optional<CalcValue> unary(const CalcValue& value, OperatorsOperator op, OperatorsError* error) {
    return Operators::sharedInstance().calculateResultForCalcValue(value, op, error);
}

// A forward result within 1e-10 of a whole number is that whole number.
double snapped(double y) {
    const double whole = std::round(y);
    return std::fabs(y - whole) < 1e-10 ? whole : y;
}

struct ForwardCase {
    OperatorsOperator op;
    double (*function)(double);
};

const ForwardCase kForwardCases[] = {
    {OperatorsOperatorSin, [](double x) { return std::sin(x); }},
    {OperatorsOperatorCos, [](double x) { return std::cos(x); }},
    {OperatorsOperatorTan, [](double x) { return std::tan(x); }},
};

const double kAngles[] = {0.0,   1e-11,  1e-6,  0.5,   1.0,   30.0,  45.0, 60.0,   90.0, 135.0,
                          180.0, -180.0, 200.0, 270.0, 360.0, 720.0, 1e6,  -37.25, kPi,  kPi / 2};

TEST(OperatorsTrig, ForwardFunctionsAreTheCLibrarysSnappedToWholeNumbers) {
    for (int angleType : {kDegrees, kRadians}) {
        RegistrySettings settings(32, angleType);
        for (const ForwardCase& c : kForwardCases) {
            for (double angle : kAngles) {
                const double radians = angleType == kDegrees ? angle * kPi / 180.0 : angle;
                OperatorsError error = kUnwrittenError;
                EXPECT_IDENTICAL(unary(realValue(angle), c.op, &error), registryReal(snapped(c.function(radians))))
                    << "op " << c.op << " of " << angle << " in unit " << angleType;
                EXPECT_EQ(error, OperatorsErrorNone);
            }
        }
    }
}

struct InverseCase {
    OperatorsOperator op;
    double (*function)(double);
    bool limited;
};

const InverseCase kInverseCases[] = {
    {OperatorsOperatorASin, [](double x) { return std::asin(x); }, true},
    {OperatorsOperatorACos, [](double x) { return std::acos(x); }, true},
    {OperatorsOperatorATan, [](double x) { return std::atan(x); }, false},
};

const double kArguments[] = {-2.0, -1.0000001, -1.0, -0.5, -1e-12, 0.0, 0.25, 0.5, 0.9999999, 1.0, 1.0000001, 3.0, 1e9};

TEST(OperatorsTrig, InverseFunctionsAreTheCLibrarysUnsnappedAndRangeChecked) {
    for (int angleType : {kDegrees, kRadians}) {
        RegistrySettings settings(32, angleType);
        for (const InverseCase& c : kInverseCases) {
            for (double x : kArguments) {
                OperatorsError error = kUnwrittenError;
                const std::optional<CalcValue> result = unary(realValue(x), c.op, &error);
                if (c.limited && (x < -1.0 || x > 1.0)) {
                    EXPECT_FALSE(result) << describe(result);
                    EXPECT_EQ(error, OperatorsErrorValueOutOfRange);
                    continue;
                }
                const double radians = c.function(x);
                const double expected = angleType == kDegrees ? radians * 180.0 / kPi : radians;
                EXPECT_IDENTICAL(result, registryReal(expected)) << "op " << c.op << " of " << x;
                EXPECT_EQ(error, OperatorsErrorNone);
            }
        }
    }
}

struct EdgeCase {
    const char* name;
    int angleType;
    OperatorsOperator op;
    CalcValue value;
    double expected;
};

const EdgeCase kEdgeCases[] = {
    {"sin 180°", kDegrees, OperatorsOperatorSin, realValue(180), 0.0},
    {"cos 90°", kDegrees, OperatorsOperatorCos, realValue(90), 0.0},
    {"tan 45°", kDegrees, OperatorsOperatorTan, realValue(45), 1.0},
    {"sin 90°", kDegrees, OperatorsOperatorSin, realValue(90), 1.0},
    {"sin -180°", kDegrees, OperatorsOperatorSin, realValue(-180), 0.0},
    {"sin 30°", kDegrees, OperatorsOperatorSin, realValue(30), 0.49999999999999994},
    {"cos 60°", kDegrees, OperatorsOperatorCos, realValue(60), 0.5000000000000001},
    {"tan 90°", kDegrees, OperatorsOperatorTan, realValue(90), 16331239353195370.0},
    {"sin π", kRadians, OperatorsOperatorSin, realValue(kPi), 0.0},
    {"ASin 1", kDegrees, OperatorsOperatorASin, realValue(1), 90.0},
    {"ACos -1", kDegrees, OperatorsOperatorACos, realValue(-1), 180.0},
    {"ATan 1", kDegrees, OperatorsOperatorATan, realValue(1), 45.0},
    {"ASin 0.5", kDegrees, OperatorsOperatorASin, realValue(0.5), 30.000000000000004},
    {"sin 1e-11 rad", kRadians, OperatorsOperatorSin, realValue(1e-11), 0.0},
    {"cos 1e-6 rad", kRadians, OperatorsOperatorCos, realValue(1e-6), 1.0},
    {"any other angle unit is radians", 7, OperatorsOperatorSin, realValue(kPi / 2), 1.0},
    {"unsigned 200 is 200°", kDegrees, OperatorsOperatorSin, unsignedValue(200), std::sin(200 * kPi / 180)},
    {"unsigned 0x1FF is 255° at 8 bits", kDegrees, OperatorsOperatorCos, unsignedValue(0x1FF),
     std::cos(255 * kPi / 180)},
    {"signed 0xFF is -1 rad at 8 bits", kRadians, OperatorsOperatorATan, signedValue(0xFF), std::atan(-1.0)},
};

TEST(OperatorsTrig, EdgeCases) {
    for (const EdgeCase& c : kEdgeCases) {
        SCOPED_TRACE(c.name);
        RegistrySettings settings(8, c.angleType);
        OperatorsError error = kUnwrittenError;
        EXPECT_IDENTICAL(unary(c.value, c.op, &error), realValue(c.expected));
        EXPECT_EQ(error, OperatorsErrorNone);
    }
}

TEST(OperatorsTrig, SnappingKeepsTheSignOfANegativeZeroForTheRegistryToFlush) {
    RegistrySettings settings(32, kDegrees);
    OperatorsError error = kUnwrittenError;
    const std::optional<CalcValue> raw = OperatorsTrig::trigSin(realValue(-180), &error);
    ASSERT_TRUE(raw);
    EXPECT_TRUE(std::signbit(raw->realValue()));
    EXPECT_EQ(raw->realValue(), 0.0);
}

TEST(OperatorsTrig, OutOfRangeAndNaNArguments) {
    RegistrySettings settings(32, kDegrees);
    OperatorsError error = OperatorsErrorNone;
    EXPECT_FALSE(unary(realValue(1.0000001), OperatorsOperatorASin, &error));
    EXPECT_EQ(error, OperatorsErrorValueOutOfRange);
    error = OperatorsErrorNone;
    EXPECT_FALSE(unary(realValue(-2), OperatorsOperatorACos, &error));
    EXPECT_EQ(error, OperatorsErrorValueOutOfRange);
    // A NaN passes the module's range check and is refused by the registry.
    error = OperatorsErrorNone;
    const std::optional<CalcValue> nan = OperatorsTrig::trigASin(realValue(std::nan("")), &error);
    ASSERT_TRUE(nan);
    EXPECT_TRUE(std::isnan(nan->realValue()));
    EXPECT_EQ(error, OperatorsErrorNone);
    EXPECT_FALSE(unary(realValue(std::nan("")), OperatorsOperatorASin, &error));
    EXPECT_EQ(error, OperatorsErrorValueOutOfRange);
}

TEST(OperatorsTrig, AValueWithoutAKindGivesNoValueAndNoError) {
    OperatorsError error = kUnwrittenError;
    for (OperatorsOperator op : operatorsFrom(OperatorsOperatorSin, OperatorsOperatorATan)) {
        EXPECT_FALSE(unary(noneValue(), op, &error));
        EXPECT_EQ(error, OperatorsErrorNone);
        EXPECT_FALSE(
            OperatorsTrig::sharedInstance().calculateResultForCalcValue1(realValue(1), op, realValue(1), &error));
    }
}

constexpr ExpectedOperator kOperators[] = {
    {30, "Sin", "Sin", "Sine", "operatorSinDark.png", 15, true},
    {31, "Cos", "Cos", "Cosine", "operatorCosDark.png", 15, true},
    {32, "Tan", "Tan", "Tangent", "operatorTanDark.png", 15, true},
    {33, "ASin", "Inverse sin", "Inverse sine", "operatorASinDark.png", 15, true},
    {34, "ACos", "Inverse cos", "Inverse cosine", "operatorACosDark.png", 15, true},
    {35, "ATan", "Inverse tan", "Inverse tangent", "operatorATanDark.png", 15, true},
};

TEST(OperatorsTrig, RegistryAnswersItsOperatorsAndTheModuleNoOthers) {
    expectOperatorAnswers(OperatorsTrig::sharedInstance(), kOperators);
    EXPECT_EQ(Operators::sharedInstance().operatorsModules().at(4), &OperatorsTrig::sharedInstance());
}

}  // namespace
