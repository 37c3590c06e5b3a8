#pragma once

#include "Calculator/OperatorsTable.h"

// Logarithms, powers and roots in double precision; results are always real. Arguments outside
// a function's domain are refused before the C library is asked; infinities and NaN that still
// come out are left to the registry's check.
class OperatorsPowers : public OperatorsTableModule {
public:
    static OperatorsPowers& sharedInstance();

    std::optional<CalcValue> calculateResultForCalcValue1(const CalcValue& value1, OperatorsOperator op,
                                                          const CalcValue& value2, OperatorsError* error) override;
    std::optional<CalcValue> calculateResultForCalcValue(const CalcValue& value, OperatorsOperator op,
                                                         OperatorsError* error) override;

    static std::optional<CalcValue> powersLog(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> powersLn(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> powersEPow(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> powers10Pow(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> powersSquared(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> powersCubed(const CalcValue& value, OperatorsError* error);
    // A negative base with an exponent below 1 is refused.
    static std::optional<CalcValue> powersPowNToPowerOf(const CalcValue& x, const CalcValue& y, OperatorsError* error);
    static std::optional<CalcValue> powersRecip(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> powersSqRoot(const CalcValue& value, OperatorsError* error);
    // x to the power 1 / n; a negative x takes only an n from above 0 to 1.
    static std::optional<CalcValue> powersNthRootNthRoot(const CalcValue& x, const CalcValue& n, OperatorsError* error);

private:
    OperatorsPowers();
};
