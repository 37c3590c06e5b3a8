#pragma once

#include "Calculator/OperatorsTable.h"

// The three conversions: to a real, to an unsigned and to a signed integer of the current word
// size. They never fail.
class OperatorsFormat : public OperatorsTableModule {
public:
    static OperatorsFormat& sharedInstance();

    std::optional<CalcValue> calculateResultForCalcValue(const CalcValue& value, OperatorsOperator op,
                                                         OperatorsError* error) override;

    static std::optional<CalcValue> toReal(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> toUBase(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> toSBase(const CalcValue& value, OperatorsError* error);

    // The double a value reads as at the current word size (an integer is narrowed first); the
    // operand of every real-valued operator. None for a value without a kind.
    static std::optional<double> doubleFromCalcValue(const CalcValue& value);

    // The answer of a real-valued operation on the double(s) the operands read as; no value
    // when an operand has no kind.
    template <typename Operation>
    static std::optional<CalcValue> withDoubleFromCalcValue(const CalcValue& value, Operation operation) {
        const std::optional<double> x = doubleFromCalcValue(value);
        if (!x) return std::nullopt;
        return operation(*x);
    }
    template <typename Operation>
    static std::optional<CalcValue> withDoublesFromCalcValues(const CalcValue& value1, const CalcValue& value2,
                                                              Operation operation) {
        const std::optional<double> x = doubleFromCalcValue(value1);
        const std::optional<double> y = doubleFromCalcValue(value2);
        if (!x || !y) return std::nullopt;
        return operation(*x, *y);
    }

private:
    OperatorsFormat();
};
