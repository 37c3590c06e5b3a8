#include <gtest/gtest.h>

#include "Calculator/Operators.h"
#include "Calculator/OperatorsBasic.h"
#include "Calculator/OperatorsIEEE754.h"
#include "Calculator/OperatorsLogic.h"
#include "Calculator/OperatorsPowers.h"
#include "support/WordSizeScope.h"

namespace {

// By the numbers the operators are stored as.
struct BasicRow {
    int32_t number;
    const char* label;
    const char* description;
    const char* image;
    int precedence;
    bool isUnary;
};

TEST(OperatorsRegistry, AnswersTheBasicTable) {
    const BasicRow rows[] = {
        {2, "+", "Add", "operatorAddDark.png", 12, false},
        {3, "\u2212", "Subtract", "operatorSubtractDark.png", 12, false},
        {4, "\u00D7", "Multiply", "operatorMultiplyDark.png", 13, false},
        {5, "\u00F7", "Divide", "operatorDivideDark.png", 13, false},
        {6, "!", "Factorial", "operatorFactorialDark.png", 15, true},
        {7, "%", "Percent", "operatorRandomDark.png", 13, false},
        {8, "Random", "Random number", "operatorRandomDark.png", 15, true},
        {21, "+/-", "Negate", "", 15, true},
        {29, "<-->", "Reverse bytes", "operatorReverseBytesDark.png", 15, true},
        {48, "xx?xx", "Get bit", "operatorBitGetDark.png", 8, false},
        {49, "xx1xx", "Set bit", "operatorBitSetDark.png", 8, false},
        {50, "xx0xx", "Clear bit", "operatorBitClearDark.png", 8, false},
    };
    Operators& operators = Operators::sharedInstance();
    for (const BasicRow& row : rows) {
        const OperatorsOperator op = *operatorsOperatorFromInt32(row.number);
        EXPECT_EQ(operators.stringFromOperator(op), row.label);
        EXPECT_EQ(operators.descriptionFromOperator(op), row.description);
        EXPECT_EQ(operators.accessibilityStringFromOperator(op), row.description);
        EXPECT_EQ(operators.imageFromOperator(op), row.image);
        EXPECT_EQ(operators.precedenceFromOperator(op), row.precedence);
        EXPECT_EQ(operators.operatorIsUnary(op), row.isUnary);
    }
}

TEST(OperatorsRegistry, NoneAndEquals) {
    Operators& operators = Operators::sharedInstance();
    EXPECT_EQ(operators.precedenceFromOperator(OperatorsOperatorNone), 18);
    EXPECT_EQ(operators.precedenceFromOperator(OperatorsOperatorEquals), 2);
    EXPECT_FALSE(operators.operatorIsUnary(OperatorsOperatorNone));
    EXPECT_EQ(operators.stringFromOperator(OperatorsOperatorNone), "");
    EXPECT_EQ(operators.stringFromOperator(OperatorsOperatorEquals), "=");
    EXPECT_EQ(operators.imageFromOperator(OperatorsOperatorEquals), "");
    EXPECT_EQ(operators.imageFromOperator(OperatorsOperatorNone), "");
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
    EXPECT_EQ(operators.operatorFromString("\u00D7"), OperatorsOperatorMultiply);
    EXPECT_EQ(operators.operatorFromString("XX?XX"), OperatorsOperatorBitGet);
    EXPECT_FALSE(operators.operatorFromString("=").has_value());
    EXPECT_FALSE(operators.operatorFromString("nonsense").has_value());
}

TEST(OperatorsRegistry, CalculationOfAnUnknownIdentifierGivesNothing) {
    OperatorsError error = OperatorsErrorDivideByZero;
    EXPECT_FALSE(Operators::sharedInstance()
                     .calculateResultForCalcValue1(CalcValue(), static_cast<OperatorsOperator>(46), CalcValue(), &error)
                     .has_value());
    EXPECT_EQ(error, OperatorsErrorNone);
}

// Callers may pass no error out-parameter; a failing calculation then gives no value and
// nothing else.
TEST(OperatorsRegistry, AFailureWithoutAnErrorOutParameterGivesNoValue) {
    WordSizeScope wordSize(12);
    Operators& operators = Operators::sharedInstance();
    const CalcValue one = CalcValue::calcValueWithUBaseValue(1);
    const CalcValue zero = CalcValue::calcValueWithUBaseValue(0);
    EXPECT_FALSE(operators.calculateResultForCalcValue1(one, OperatorsOperatorDivide, zero, nullptr));
    EXPECT_FALSE(operators.calculateResultForCalcValue1(one, OperatorsOperatorMOD, zero, nullptr));
    EXPECT_FALSE(operators.calculateResultForCalcValue(zero, OperatorsOperatorRecip, nullptr));
    EXPECT_FALSE(operators.calculateResultForCalcValue(one, OperatorsOperatorReverseBytes, nullptr));
    EXPECT_FALSE(operators.calculateResultForCalcValue(one, OperatorsOperatorFloatToIEEE754, nullptr));
    EXPECT_FALSE(operators.calculateResultForCalcValue(CalcValue::calcValueWithRealValue(1e60),
                                                       OperatorsOperatorSquared, nullptr));
}

using OperatorsRegistryDeathTest = ::testing::Test;

TEST_F(OperatorsRegistryDeathTest, UnknownOperatorsAbort) {
    Operators& operators = Operators::sharedInstance();
    for (const auto op : {static_cast<OperatorsOperator>(46), static_cast<OperatorsOperator>(47),
                          static_cast<OperatorsOperator>(60), static_cast<OperatorsOperator>(-3)}) {
        EXPECT_DEATH(operators.stringFromOperator(op), "Calculator/Operators: unknown operator");
        EXPECT_DEATH(operators.precedenceFromOperator(op), "Calculator/Operators: unknown operator");
        EXPECT_DEATH(operators.operatorIsUnary(op), "Calculator/Operators: unknown operator");
        EXPECT_EQ(operators.imageFromOperator(op), "");
    }
}

}  // namespace
