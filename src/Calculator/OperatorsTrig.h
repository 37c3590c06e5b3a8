#pragma once

#include "Calculator/OperatorsTable.h"

// Forward results this close to a whole number are that whole number: sin 180° is exactly 0.
constexpr double OperatorsEpsilon = 1e-10;

// Sine, cosine, tangent and their inverses in double precision, in the registry's angle unit
// (0 degrees, anything else radians). Results are always real.
class OperatorsTrig : public OperatorsTableModule {
public:
    static OperatorsTrig& sharedInstance();

    std::optional<CalcValue> calculateResultForCalcValue(const CalcValue& value, OperatorsOperator op,
                                                         OperatorsError* error) override;

    static std::optional<CalcValue> trigSin(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> trigCos(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> trigTan(const CalcValue& value, OperatorsError* error);
    // Arguments outside -1 to 1 are "Value out of range".
    static std::optional<CalcValue> trigASin(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> trigACos(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> trigATan(const CalcValue& value, OperatorsError* error);

private:
    OperatorsTrig();
};
