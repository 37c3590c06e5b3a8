#pragma once

#include <cstdint>

#include "Calculator/OperatorsTable.h"

// The largest count the N forms accept, whatever the word size.
constexpr int32_t OperatorsMaxWordSize = 64;

// Shifts and rotates of the integer bit pattern of the current word size, by one bit or by a
// count given as second operand. A real operand is first turned into a signed integer.
class OperatorsShiftRotate : public OperatorsTableModule {
public:
    static OperatorsShiftRotate& sharedInstance();

    std::optional<CalcValue> calculateResultForCalcValue1(const CalcValue& value1, OperatorsOperator op,
                                                          const CalcValue& value2, OperatorsError* error) override;
    std::optional<CalcValue> calculateResultForCalcValue(const CalcValue& value, OperatorsOperator op,
                                                         OperatorsError* error) override;

    static std::optional<CalcValue> shiftLeft(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> shiftRight(const CalcValue& value, OperatorsError* error);
    // Signed: the sign bit is copied into the vacated top bit. Unsigned: the same on the word's
    // pattern (bit w - 1 is copied), and the result stays unsigned.
    static std::optional<CalcValue> arithmeticShiftRight(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> rotateLeft(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> rotateRight(const CalcValue& value, OperatorsError* error);

    // Each gives the value after count one-bit steps; a count below 0 or above
    // OperatorsMaxWordSize is "Value out of range".
    static std::optional<CalcValue> shiftLeftNBy(const CalcValue& value, const CalcValue& count, OperatorsError* error);
    static std::optional<CalcValue> shiftRightNBy(const CalcValue& value, const CalcValue& count,
                                                  OperatorsError* error);
    static std::optional<CalcValue> rotateLeftNBy(const CalcValue& value, const CalcValue& count,
                                                  OperatorsError* error);
    static std::optional<CalcValue> rotateRightNBy(const CalcValue& value, const CalcValue& count,
                                                   OperatorsError* error);

private:
    OperatorsShiftRotate();
};
