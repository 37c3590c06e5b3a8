#pragma once

#include <cstdint>
#include <optional>

#include "Model/CalcStoreKeys.h"
#include "Platform/Store/ManagedObject.h"

// The stored form of a calculator value, with the display style it was shown in when it was
// stored (history and favourite values only). Owned by exactly one other record.
class GeneralValue : public ManagedObject {
public:
    using ManagedObject::ManagedObject;

    int32_t type() const { return int32ForKey(CalcStoreGeneralValueKeyType).value_or(0); }
    std::optional<int64_t> baseValue() const { return int64ForKey(CalcStoreGeneralValueKeyBaseValue); }
    std::optional<double> realValue() const { return doubleForKey(CalcStoreGeneralValueKeyRealValue); }
    std::optional<int32_t> style() const { return int32ForKey(CalcStoreGeneralValueKeyStyle); }
    void setStyle(int32_t style) { setValue(style, CalcStoreGeneralValueKeyStyle); }
};
