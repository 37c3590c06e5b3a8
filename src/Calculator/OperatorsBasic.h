#pragma once

#include "Calculator/OperatorsTable.h"

// The four arithmetic operators, equals, factorial, percent, random, negation, byte reversal
// and the single-bit operators. Integer arithmetic wraps at the word size.
class OperatorsBasic : public OperatorsTableModule {
public:
    static OperatorsBasic& sharedInstance();

    std::optional<CalcValue> calculateResultForCalcValue1(const CalcValue& value1, OperatorsOperator op,
                                                          const CalcValue& value2, OperatorsError* error) override;
    std::optional<CalcValue> calculateResultForCalcValue(const CalcValue& value, OperatorsOperator op,
                                                         OperatorsError* error) override;

    static std::optional<CalcValue> addTo(const CalcValue& a, const CalcValue& b, OperatorsError* error);
    static std::optional<CalcValue> subtractFrom(const CalcValue& a, const CalcValue& b, OperatorsError* error);
    static std::optional<CalcValue> multiplyBy(const CalcValue& a, const CalcValue& b, OperatorsError* error);
    static std::optional<CalcValue> divideBy(const CalcValue& a, const CalcValue& b, OperatorsError* error);
    // Nothing calculates "%": it gives no value and sets no error.
    static std::optional<CalcValue> percentWith(const CalcValue& a, const CalcValue& b, OperatorsError* error);
    static std::optional<CalcValue> bitGetBit(const CalcValue& value, const CalcValue& bit, OperatorsError* error);
    static std::optional<CalcValue> bitSetBit(const CalcValue& value, const CalcValue& bit, OperatorsError* error);
    static std::optional<CalcValue> bitClearBit(const CalcValue& value, const CalcValue& bit, OperatorsError* error);
    static std::optional<CalcValue> factorial(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> random(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> negate(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> reverseBytes(const CalcValue& value, OperatorsError* error);

    static uint64_t makeRand64();

private:
    OperatorsBasic();
};
