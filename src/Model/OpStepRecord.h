#pragma once

#include <cstdint>
#include <optional>

#include "Calculator/OperatorsModule.h"
#include "Model/CalcStoreKeys.h"
#include "Model/GeneralValue.h"
#include "Platform/Store/ManagedObject.h"

// A stored "OpStep": one saved entry of the engine's stack (the engine's own OpStep is the
// entry in memory). Index 0 is the top of the stack. The operator is the stored number, absent
// for none or equals; the engine's bridge checks it.
class OpStepRecord : public ManagedObject {
public:
    using ManagedObject::ManagedObject;

    int32_t index() const { return int32ForKey(CalcStoreOpStepKeyIndex).value_or(0); }
    std::optional<int32_t> operatorsOperator() const { return int32ForKey(CalcStoreOpStepKeyOperator); }
    GeneralValue* generalValue() const {
        return static_cast<GeneralValue*>(objectForKey(CalcStoreOpStepKeyGeneralValue));
    }
};
