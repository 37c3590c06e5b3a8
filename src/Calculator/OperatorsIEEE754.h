#pragma once

#include "Calculator/OperatorsTable.h"

// A real to the unsigned integer whose bits are its IEEE-754 binary32 or binary64 encoding, and
// a bit pattern back to the real it encodes (1.0 is 0x3F800000 as a float).
class OperatorsIEEE754 : public OperatorsTableModule {
public:
    static OperatorsIEEE754& sharedInstance();

    std::optional<CalcValue> calculateResultForCalcValue(const CalcValue& value, OperatorsOperator op,
                                                         OperatorsError* error) override;

    // Needs a word size of 32 or more; the pattern is in the low 32 bits.
    static std::optional<CalcValue> floatToIEEE754(const CalcValue& value, OperatorsError* error);
    // Needs a word size of 64.
    static std::optional<CalcValue> doubleToIEEE754(const CalcValue& value, OperatorsError* error);
    // Decode the low 32 (or all 64) bits; infinities and NaNs are "Value out of range".
    static std::optional<CalcValue> ieee754ToFloat(const CalcValue& value, OperatorsError* error);
    static std::optional<CalcValue> ieee754ToDouble(const CalcValue& value, OperatorsError* error);

private:
    OperatorsIEEE754();
};
