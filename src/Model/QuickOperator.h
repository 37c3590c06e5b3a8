#pragma once

#include <cstdint>

#include "Calculator/OperatorsModule.h"
#include "Model/CalcStoreKeys.h"
#include "Platform/Store/ManagedObject.h"

// One entry of the recently used operator list; index 0 is the most recent. A stored number that
// is no operator reads as none.
class QuickOperator : public ManagedObject {
public:
    using ManagedObject::ManagedObject;

    int32_t index() const { return int32ForKey(CalcStoreQuickOperatorKeyIndex).value_or(0); }
    void setIndex(int32_t index) { setValue(index, CalcStoreQuickOperatorKeyIndex); }
    OperatorsOperator operatorsOperator() const {
        return operatorsOperatorFromInt32(
                   int32ForKey(CalcStoreQuickOperatorKeyOperator).value_or(OperatorsOperatorNone))
            .value_or(OperatorsOperatorNone);
    }
};
