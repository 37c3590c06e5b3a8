#pragma once

#include <cstdint>
#include <optional>

// Operator identifiers. The numbers are stored with history steps, favourites, quick operators
// and the saved stack, so they never change. 0 and 1 are handled by the engine itself; 46 and
// 47 belong to no operator.
enum OperatorsOperator : int32_t {
    OperatorsOperatorNone = 0,
    OperatorsOperatorEquals = 1,
    OperatorsOperatorAdd = 2,
    OperatorsOperatorSubtract = 3,
    OperatorsOperatorMultiply = 4,
    OperatorsOperatorDivide = 5,
    OperatorsOperatorFactorial = 6,
    OperatorsOperatorPercent = 7,
    OperatorsOperatorRandom = 8,
    OperatorsOperatorShiftLeft = 9,
    OperatorsOperatorShiftRight = 10,
    OperatorsOperatorArithmeticShiftRight = 11,
    OperatorsOperatorShiftLeftN = 12,
    OperatorsOperatorShiftRightN = 13,
    OperatorsOperatorRotateLeft = 14,
    OperatorsOperatorRotateRight = 15,
    OperatorsOperatorRotateLeftN = 16,
    OperatorsOperatorRotateRightN = 17,
    OperatorsOperatorToReal = 18,
    OperatorsOperatorToUBase = 19,
    OperatorsOperatorToSBase = 20,
    OperatorsOperatorNegate = 21,
    OperatorsOperatorAND = 22,
    OperatorsOperatorOR = 23,
    OperatorsOperatorNAND = 24,
    OperatorsOperatorNOR = 25,
    OperatorsOperatorXOR = 26,
    OperatorsOperatorMOD = 27,
    OperatorsOperatorInvert = 28,
    OperatorsOperatorReverseBytes = 29,
    OperatorsOperatorSin = 30,
    OperatorsOperatorCos = 31,
    OperatorsOperatorTan = 32,
    OperatorsOperatorASin = 33,
    OperatorsOperatorACos = 34,
    OperatorsOperatorATan = 35,
    OperatorsOperatorLog = 36,
    OperatorsOperatorLn = 37,
    OperatorsOperatorEPow = 38,
    OperatorsOperator10Pow = 39,
    OperatorsOperatorSquared = 40,
    OperatorsOperatorCubed = 41,
    OperatorsOperatorPowN = 42,
    OperatorsOperatorRecip = 43,
    OperatorsOperatorSqRoot = 44,
    OperatorsOperatorNthRoot = 45,
    OperatorsOperatorBitGet = 48,
    OperatorsOperatorBitSet = 49,
    OperatorsOperatorBitClear = 50,
    OperatorsOperatorAddPercent = 51,
    OperatorsOperatorSubtractPercent = 52,
    OperatorsOperatorIsPercentOf = 53,
    OperatorsOperatorPercentChange = 54,
    OperatorsOperatorPercentOf = 55,
    OperatorsOperatorFloatToIEEE754 = 56,
    OperatorsOperatorDoubleToIEEE754 = 57,
    OperatorsOperatorIEEE754ToFloat = 58,
    OperatorsOperatorIEEE754ToDouble = 59,
};

// The identifier a stored or typed number stands for; none for a number no operator has.
constexpr std::optional<OperatorsOperator> operatorsOperatorFromInt32(int32_t number) {
    const bool unassigned = number > OperatorsOperatorNthRoot && number < OperatorsOperatorBitGet;
    if (number < OperatorsOperatorNone || number > OperatorsOperatorIEEE754ToDouble || unassigned) return std::nullopt;
    return static_cast<OperatorsOperator>(number);
}
