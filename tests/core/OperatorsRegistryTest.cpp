#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <vector>

#include "Calculator/Constants.h"
#include "Calculator/OperatorsBasic.h"
#include "Calculator/OperatorsFormat.h"
#include "Calculator/OperatorsIEEE754.h"
#include "Calculator/OperatorsLogic.h"
#include "Calculator/OperatorsPercent.h"
#include "Calculator/OperatorsPowers.h"
#include "Calculator/OperatorsShiftRotate.h"
#include "Calculator/OperatorsTrig.h"
#include "OperatorsModuleTestSupport.h"

namespace {

// One operator as the registry should describe it, by the number it is stored as, with the position
// of its module in the registry. No spoken text means the description is spoken.
struct ExpectedOperator {
    size_t module;
    int32_t number;
    const char* label;
    const char* description;
    const char* spokenText;
    const char* image;
    int precedence;
    bool isUnary;
};

constexpr ExpectedOperator kOperators[] = {
    {0, 2, "+", "Add", nullptr, "operatorAddDark.png", 12, false},
    {0, 3, "\u2212", "Subtract", nullptr, "operatorSubtractDark.png", 12, false},
    {0, 4, "\u00D7", "Multiply", nullptr, "operatorMultiplyDark.png", 13, false},
    {0, 5, "\u00F7", "Divide", nullptr, "operatorDivideDark.png", 13, false},
    {0, 6, "!", "Factorial", nullptr, "operatorFactorialDark.png", 15, true},
    {0, 7, "%", "Percent", nullptr, "operatorRandomDark.png", 13, false},
    {0, 8, "Random", "Random number", nullptr, "operatorRandomDark.png", 15, true},
    {0, 21, "+/-", "Negate", nullptr, "", 15, true},
    {0, 29, "<-->", "Reverse bytes", nullptr, "operatorReverseBytesDark.png", 15, true},
    {0, 48, "xx?xx", "Get bit", nullptr, "operatorBitGetDark.png", 8, false},
    {0, 49, "xx1xx", "Set bit", nullptr, "operatorBitSetDark.png", 8, false},
    {0, 50, "xx0xx", "Clear bit", nullptr, "operatorBitClearDark.png", 8, false},
    {1, 18, "->float", "To floating point", "Convert to floating point", "operatorToRealDark.png", 17, true},
    {1, 19, "->uint", "To unsigned int", "Convert to unsigned integer", "operatorToUBaseDark.png", 17, true},
    {1, 20, "->int", "To signed int", "Convert to signed integer", "operatorToSBaseDark.png", 17, true},
    {2, 9, "<<", "Shift left", nullptr, "operatorShiftLeftDark.png", 11, true},
    {2, 10, ">>", "Shift right", nullptr, "operatorShiftRightDark.png", 11, true},
    {2, 11, "A>>", "Arithmetic shift right", nullptr, "operatorArithmeticShiftRightDark.png", 11, true},
    {2, 12, "<<N", "Shift left N bits", "Shift left n bits", "operatorShiftLeftNDark.png", 11, false},
    {2, 13, ">>N", "Shift right N bits", "Shift right n bits", "operatorShiftRightNDark.png", 11, false},
    {2, 14, "ROTL", "Rotate left", nullptr, "operatorRotateLeftDark.png", 11, true},
    {2, 15, "ROTR", "Rotate right", nullptr, "operatorRotateRightDark.png", 11, true},
    {2, 16, "ROTLN", "Rotate left N bits", "Rotate left n bits", "operatorRotateLeftNDark.png", 11, false},
    {2, 17, "ROTRN", "Rotate right N bits", "Rotate right n bits", "operatorRotateRightNDark.png", 11, false},
    {3, 22, "AND", "Bitwise AND", "Bitwise and", "operatorANDDark.png", 8, false},
    {3, 23, "OR", "Bitwise OR", "Bitwise or", "operatorORDark.png", 6, false},
    {3, 24, "NAND", "Bitwise NAND", "Bitwise nand", "operatorNANDDark.png", 8, false},
    {3, 25, "NOR", "Bitwise NOR", "Bitwise nor", "operatorNORDark.png", 6, false},
    {3, 26, "XOR", "Bitwise XOR", "Bitwise x or", "operatorXORDark.png", 7, false},
    {3, 27, "MOD", "Modulo divide", nullptr, "operatorMODDark.png", 13, false},
    {3, 28, "INV", "Bitwise invert", nullptr, "operatorInvertDark.png", 15, true},
    {4, 30, "Sin", "Sin", "Sine", "operatorSinDark.png", 15, true},
    {4, 31, "Cos", "Cos", "Cosine", "operatorCosDark.png", 15, true},
    {4, 32, "Tan", "Tan", "Tangent", "operatorTanDark.png", 15, true},
    {4, 33, "ASin", "Inverse sin", "Inverse sine", "operatorASinDark.png", 15, true},
    {4, 34, "ACos", "Inverse cos", "Inverse cosine", "operatorACosDark.png", 15, true},
    {4, 35, "ATan", "Inverse tan", "Inverse tangent", "operatorATanDark.png", 15, true},
    {5, 36, "Log", "Logarithm", "Base 10 logarithm", "operatorLogDark.png", 15, true},
    {5, 37, "Ln", "Natural logarithm", "Natural logrithm", "operatorLnDark.png", 15, true},
    {5, 38, "e^", "e to the power x", "e to the power", "operatorEPowDark.png", 15, true},
    {5, 39, "10^", "10 to the power x", "10 to the power", "operator10PowDark.png", 15, true},
    {5, 40, "^2", "Squared", "Square", "operatorSquaredDark.png", 15, true},
    {5, 41, "^3", "Cubed", "Cube", "operatorPowNDark.png", 15, true},
    {5, 42, "^", "x to the power y", nullptr, "operatorPowNDark.png", 16, false},
    {5, 43, "1/N", "Reciprocal", nullptr, "operatorRecipDark.png", 15, true},
    {5, 44, "SQRT", "Square root", nullptr, "operatorSqRootDark.png", 15, true},
    {5, 45, "NTHRT", "Nth root", "N-th root", "operatorNthRootDark.png", 16, false},
    {6, 51, "+%", "Add percent", nullptr, "operatorAddPercentDark.png", 12, false},
    {6, 52, "-%", "Subtract percent", nullptr, "operatorSubtractPercentDark.png", 12, false},
    {6, 53, "is%of", "Is percent of", nullptr, "operatorIsPercentOfDark.png", 12, false},
    {6, 54, "%chng", "Percent change", nullptr, "operatorPercentChangeDark.png", 12, false},
    {6, 55, "%of", "Percent of", nullptr, "operatorPercentOfDark.png", 12, false},
    {7, 56, "float2ieee", "Float to IEEE-754", "Float to IEEE", "operatorFloatToIEEEDark.png", 17, true},
    {7, 57, "double2ieee", "Double to IEEE-754", "Double to IEEE", "operatorDoubleToIEEEDark.png", 17, true},
    {7, 58, "ieee2float", "IEEE-754 to float", "IEEE to float", "operatorIEEEToFloatDark.png", 17, true},
    {7, 59, "ieee2double", "IEEE-754 to double", "IEEE to double", "operatorIEEEToDoubleDark.png", 17, true},
};

TEST(OperatorsRegistry, EveryOperatorIsAnsweredByItsModuleAndDeclinedByTheOthers) {
    Operators& operators = Operators::sharedInstance();
    const std::vector<OperatorsModule*> modules = {
        &OperatorsBasic::sharedInstance(),       &OperatorsFormat::sharedInstance(),
        &OperatorsShiftRotate::sharedInstance(), &OperatorsLogic::sharedInstance(),
        &OperatorsTrig::sharedInstance(),        &OperatorsPowers::sharedInstance(),
        &OperatorsPercent::sharedInstance(),     &OperatorsIEEE754::sharedInstance()};
    EXPECT_EQ(operators.operatorsModules(), modules);
    // Every number from 0 to 59 but 46 and 47 is an operator; all but none and equals are listed.
    std::vector<OperatorsOperator> known;
    for (int32_t number = -2; number <= 62; ++number) {
        const bool assigned = number >= 0 && number <= 59 && number != 46 && number != 47;
        ASSERT_EQ(operatorsOperatorFromInt32(number).has_value(), assigned) << number;
        if (assigned) known.push_back(*operatorsOperatorFromInt32(number));
    }
    EXPECT_EQ(std::vector(operators.knownOperators()), std::vector(known.begin() + 2, known.end()));
    for (const ExpectedOperator& row : kOperators) {
        SCOPED_TRACE("operator " + std::to_string(row.number));
        const OperatorsOperator op = *operatorsOperatorFromInt32(row.number);
        EXPECT_EQ(operators.stringFromOperator(op), row.label);
        EXPECT_EQ(operators.descriptionFromOperator(op), row.description);
        EXPECT_EQ(operators.accessibilityStringFromOperator(op), row.spokenText ? row.spokenText : row.description);
        EXPECT_EQ(operators.imageFromOperator(op), row.image);
        EXPECT_EQ(operators.precedenceFromOperator(op), row.precedence);
        EXPECT_EQ(operators.operatorIsUnary(op), row.isUnary);
        EXPECT_EQ(operators.operatorFromString(row.label), op);
        // The module declines the operator in the other arity.
        OperatorsError error = kUnwrittenError;
        OperatorsModule& own = *modules[row.module];
        EXPECT_FALSE(row.isUnary ? own.calculateResultForCalcValue1(u(1), op, u(1), &error)
                                 : own.calculateResultForCalcValue(u(1), op, &error));
        EXPECT_EQ(error, kUnwrittenError);
    }
    // No module answers for an operator of another module, nor for none and equals.
    for (OperatorsOperator op : known) {
        const auto row = std::find_if(std::begin(kOperators), std::end(kOperators),
                                      [op](const ExpectedOperator& entry) { return entry.number == op; });
        for (size_t index = 0; index < modules.size(); ++index) {
            if ((row != std::end(kOperators) && row->module == index) ||
                (op == OperatorsOperatorEquals && index == 0)) {
                continue;  // equals is named by the basic module
            }
            SCOPED_TRACE("operator " + std::to_string(op) + " in module " + std::to_string(index));
            OperatorsModule& module = *modules[index];
            bool found = false;
            module.precedenceFromOperator(op, &found);
            module.operatorIsUnary(op, &found);
            EXPECT_FALSE(found);
            EXPECT_EQ(module.stringFromOperator(op) + module.descriptionFromOperator(op) +
                          module.accessibilityStringFromOperator(op) + module.imageFromOperator(op),
                      "");
            OperatorsError error = kUnwrittenError;
            EXPECT_FALSE(module.calculateResultForCalcValue(u(1), op, &error));
            EXPECT_FALSE(module.calculateResultForCalcValue1(u(1), op, u(1), &error));
            EXPECT_EQ(error, kUnwrittenError);
        }
    }
}

// By the numbers the errors are saved as; a number no error has reads as none.
TEST(OperatorsRegistry, ErrorMessages) {
    const char* const messages[] = {"",
                                    "Value out of range",
                                    "Divide by zero",
                                    "Invalid word size",
                                    "Integer size must be 32 bits or larger",
                                    "Integer size must be 64 bits"};
    for (int32_t number = 0; number < 6; ++number) {
        EXPECT_EQ(Operators::messageFromOperatorsError(*operatorsErrorFromInt32(number)), messages[number]);
    }
    EXPECT_FALSE(operatorsErrorFromInt32(6));
    EXPECT_FALSE(operatorsErrorFromInt32(-1));
    EXPECT_EQ(Operators::messageFromOperatorsError(static_cast<OperatorsError>(6)), "Unknown error");
}

TEST(OperatorsRegistry, LooksUpLabelsIgnoringCase) {
    Operators& operators = Operators::sharedInstance();
    EXPECT_EQ(operators.operatorFromString("random"), OperatorsOperatorRandom);
    EXPECT_EQ(operators.operatorFromString("XX?XX"), OperatorsOperatorBitGet);
    EXPECT_FALSE(operators.operatorFromString("=").has_value());
    EXPECT_FALSE(operators.operatorFromString("nonsense").has_value());
}

// Callers may pass no error out-parameter; a failing calculation then gives no value and nothing
// else. An unknown identifier gives nothing either.
TEST(OperatorsRegistry, FailuresWithoutAnErrorOutParameterOrAnOperatorGiveNoValue) {
    WordSizeScope wordSize(12);
    Operators& operators = Operators::sharedInstance();
    EXPECT_FALSE(operators.calculateResultForCalcValue1(u(1), OperatorsOperatorDivide, u(0), nullptr));
    EXPECT_FALSE(operators.calculateResultForCalcValue1(u(1), OperatorsOperatorMOD, u(0), nullptr));
    EXPECT_FALSE(operators.calculateResultForCalcValue(u(0), OperatorsOperatorRecip, nullptr));
    EXPECT_FALSE(operators.calculateResultForCalcValue(u(1), OperatorsOperatorReverseBytes, nullptr));
    EXPECT_FALSE(operators.calculateResultForCalcValue(u(1), OperatorsOperatorFloatToIEEE754, nullptr));
    EXPECT_FALSE(operators.calculateResultForCalcValue(r(1e60), OperatorsOperatorSquared, nullptr));
    OperatorsError error = OperatorsErrorDivideByZero;
    EXPECT_FALSE(
        operators.calculateResultForCalcValue1(CalcValue(), static_cast<OperatorsOperator>(46), CalcValue(), &error));
    EXPECT_EQ(error, OperatorsErrorNone);
}

TEST(OperatorsRegistryDeathTest, UnknownOperatorsAbort) {
    Operators& operators = Operators::sharedInstance();
    for (const int32_t number : {46, 47, 60, -3}) {
        const auto op = static_cast<OperatorsOperator>(number);
        EXPECT_DEATH(operators.stringFromOperator(op), "Calculator/Operators: unknown operator");
        EXPECT_DEATH(operators.precedenceFromOperator(op), "Calculator/Operators: unknown operator");
        EXPECT_DEATH(operators.operatorIsUnary(op), "Calculator/Operators: unknown operator");
        EXPECT_EQ(operators.imageFromOperator(op), "");
    }
}

CalcValue real(double x) { return CalcValue::calcValueWithRealValue(x); }

// Each constant by its IEEE-754 binary64 pattern, so that the table is checked against the
// literal bits rather than against the same decimal literals.
constexpr struct {
    uint64_t bits;
    const char* label;
    const char* description;
    const char* image;
} kConstants[] = {
    {0x400921FB54442D18, "Pi", "Pi", "constantsPiDark.png"},
    {0x4005BF0A8B145769, "e", "e", "constantsEDark.png"},
    {0x40239D2F1A9FBE77, "g", "Earth gravity (m/s\u00B2)", "constantsEarthGravityDark.png"},
    {0x3DD25700AB264404, "G", "Gravitational constant", "constantsGravitationalConstantDark.png"},
    {0x41B1DE784A000000, "c", "Speed of light (m/s)", "constantsSpeedOfLightDark.png"},
};

TEST(Constants, TheCatalogueHoldsTheFiveDoublesInOrderEachKnownByItsExactValue) {
    const Constants& constants = Constants::sharedInstance();
    const auto& values = Constants::constantsCalcValues();
    ASSERT_EQ(values.size(), std::size(kConstants));
    for (size_t i = 0; i < values.size(); ++i) {
        SCOPED_TRACE(kConstants[i].label);
        EXPECT_EQ(values[i].type(), CalcValueTypeReal);
        EXPECT_EQ(std::bit_cast<uint64_t>(values[i].realValue()), kConstants[i].bits);
        const CalcValue value = real(std::bit_cast<double>(kConstants[i].bits));
        EXPECT_EQ(constants.stringFromConstantCalcValue(value), kConstants[i].label);
        EXPECT_EQ(constants.descriptionFromConstantCalcValue(value), kConstants[i].description);
        EXPECT_EQ(constants.imageFromConstantCalcValue(value), kConstants[i].image);
    }
    EXPECT_EQ(std::bit_cast<uint64_t>(ConstantsConstantEarthGravity), kConstants[2].bits);
    EXPECT_EQ(std::bit_cast<uint64_t>(ConstantsConstantGravitationalConstant), kConstants[3].bits);
    EXPECT_EQ(std::bit_cast<uint64_t>(ConstantsConstantSpeedOfLight), kConstants[4].bits);
    // A computed value equal to a constant is that constant.
    EXPECT_EQ(constants.stringFromConstantCalcValue(real(std::atan(1.0) * 4)), "Pi");
}

TEST(Constants, NeighboursAndOtherKindsAreNoConstant) {
    const Constants& constants = Constants::sharedInstance();
    std::vector<CalcValue> others = {real(9.8070001), real(0.0), real(std::nan("")),
                                     CalcValue::calcValueWithUBaseValue(299792458),
                                     CalcValue::calcValueWithSBaseValue(3)};
    for (const auto& c : kConstants) {
        const double x = std::bit_cast<double>(c.bits);
        for (double neighbour : {std::nextafter(x, 0.0), std::nextafter(x, 1e300), -x})
            others.push_back(real(neighbour));
    }
    for (const CalcValue& value : others) {
        SCOPED_TRACE(value.description());
        EXPECT_FALSE(constants.stringFromConstantCalcValue(value));
        EXPECT_FALSE(constants.descriptionFromConstantCalcValue(value));
        EXPECT_FALSE(constants.imageFromConstantCalcValue(value));
    }
}

}  // namespace
