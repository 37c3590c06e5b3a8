#pragma once

#include "Calculator/OperatorsTable.h"

// The five percentage operators, all binary, in double precision with the operations in a
// fixed order (so 200 +% 10 is 200 × 1.1, 220.00000000000003). Results are always real.
class OperatorsPercent : public OperatorsTableModule {
public:
    static OperatorsPercent& sharedInstance();

    std::optional<CalcValue> calculateResultForCalcValue1(const CalcValue& value1, OperatorsOperator op,
                                                          const CalcValue& value2, OperatorsError* error) override;

    // a × ((b ÷ 100) + 1)
    static std::optional<CalcValue> addPercent(const CalcValue& a, const CalcValue& b, OperatorsError* error);
    // a × ((b ÷ −100) + 1)
    static std::optional<CalcValue> subtractPercent(const CalcValue& a, const CalcValue& b, OperatorsError* error);
    // (a ÷ b) × 100; a zero b is "Divide by zero".
    static std::optional<CalcValue> isPercentOf(const CalcValue& a, const CalcValue& b, OperatorsError* error);
    // ((b − a) ÷ a) × 100; a zero a is "Divide by zero".
    static std::optional<CalcValue> valuePercentChange(const CalcValue& a, const CalcValue& b, OperatorsError* error);
    // (a × b) ÷ 100
    static std::optional<CalcValue> percentOf(const CalcValue& a, const CalcValue& b, OperatorsError* error);

private:
    OperatorsPercent();
};
