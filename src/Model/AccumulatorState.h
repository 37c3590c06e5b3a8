#pragma once

#include <cstdint>

#include "Model/CalcStoreKeys.h"
#include "Model/GeneralValue.h"
#include "Platform/Store/ManagedObject.h"

// The engine's saved entry state and accumulator, as the stored numbers; the engine's bridge
// checks them before the engine takes them.
class AccumulatorState : public ManagedObject {
public:
    using ManagedObject::ManagedObject;

    int32_t state() const { return field(CalcStoreAccumulatorStateKeyState); }
    int32_t currError() const { return field(CalcStoreAccumulatorStateKeyCurrError); }
    int32_t currOperator() const { return field(CalcStoreAccumulatorStateKeyCurrOperator); }
    int32_t decimalPointDivider() const { return field(CalcStoreAccumulatorStateKeyDecimalPointDivider); }
    int32_t exponent() const { return field(CalcStoreAccumulatorStateKeyExponent); }
    bool hasExponent() const { return boolForKey(CalcStoreAccumulatorStateKeyHasExponent).value_or(false); }
    int32_t numberBase() const { return field(CalcStoreAccumulatorStateKeyNumberBase); }
    GeneralValue* generalValue() const {
        return static_cast<GeneralValue*>(objectForKey(CalcStoreAccumulatorStateKeyGeneralValue));
    }

private:
    int32_t field(std::string_view key) const { return int32ForKey(key).value_or(0); }
};
