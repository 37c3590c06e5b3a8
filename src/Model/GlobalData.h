#pragma once

#include <cstdint>

#include "Model/CalcStoreKeys.h"
#include "Platform/Store/ManagedObject.h"

// The store's global counters; at most one record exists.
class GlobalData : public ManagedObject {
public:
    using ManagedObject::ManagedObject;

    int32_t nextHistoryStepIndex() const { return int32ForKey(CalcStoreGlobalDataKeyNextHistoryStep).value_or(0); }
    void setNextHistoryStepIndex(int32_t index) { setValue(index, CalcStoreGlobalDataKeyNextHistoryStep); }
};
