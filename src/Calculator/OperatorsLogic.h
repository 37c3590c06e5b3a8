#pragma once

#include "Calculator/OperatorsTable.h"

// The bitwise operators on the integer pattern of the current word size (a real operand counts
// as signed), and MOD, the remainder of a division, which also works on reals. The left operand
// decides the kind of the result.
class OperatorsLogic : public OperatorsTableModule {
public:
    static OperatorsLogic& sharedInstance();

    std::optional<CalcValue> calculateResultForCalcValue1(const CalcValue& value1, OperatorsOperator op,
                                                          const CalcValue& value2, OperatorsError* error) override;
    std::optional<CalcValue> calculateResultForCalcValue(const CalcValue& value, OperatorsOperator op,
                                                         OperatorsError* error) override;

    static std::optional<CalcValue> logicANDWith(const CalcValue& a, const CalcValue& b, OperatorsError* error);
    static std::optional<CalcValue> logicORWith(const CalcValue& a, const CalcValue& b, OperatorsError* error);
    static std::optional<CalcValue> logicNANDWith(const CalcValue& a, const CalcValue& b, OperatorsError* error);
    static std::optional<CalcValue> logicNORWith(const CalcValue& a, const CalcValue& b, OperatorsError* error);
    static std::optional<CalcValue> logicXORWith(const CalcValue& a, const CalcValue& b, OperatorsError* error);
    // The remainder has the sign of the dividend; a zero divisor is "Divide by zero".
    static std::optional<CalcValue> logicMODWith(const CalcValue& a, const CalcValue& b, OperatorsError* error);
    static std::optional<CalcValue> invert(const CalcValue& a, OperatorsError* error);

private:
    OperatorsLogic();
};
