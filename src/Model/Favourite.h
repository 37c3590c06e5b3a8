#pragma once

#include <cstdint>

#include "Calculator/OperatorsModule.h"
#include "Model/CalcStoreKeys.h"
#include "Model/GeneralValue.h"
#include "Platform/Store/ManagedObject.h"

// One slot of the favourites bar: an operator, or operator 0 and a value. A stored number that
// is no operator reads as none.
class Favourite : public ManagedObject {
public:
    using ManagedObject::ManagedObject;

    int32_t index() const { return int32ForKey(CalcStoreFavouriteKeyIndex).value_or(0); }
    OperatorsOperator operatorsOperator() const {
        return operatorsOperatorFromInt32(int32ForKey(CalcStoreFavouriteKeyOperator).value_or(OperatorsOperatorNone))
            .value_or(OperatorsOperatorNone);
    }
    void setOperatorsOperator(OperatorsOperator op) {
        setValue(static_cast<int32_t>(op), CalcStoreFavouriteKeyOperator);
    }
    GeneralValue* generalValue() const {
        return static_cast<GeneralValue*>(objectForKey(CalcStoreFavouriteKeyGeneralValue));
    }
};
