#pragma once

#include <cstdint>
#include <optional>

#include "Model/CalcStoreKeys.h"
#include "Platform/Store/ManagedObject.h"
#include "Utils/CalcValueFormat.h"

// The stored form of a calculator value, with the display style it was shown in when it was
// stored (history and favourite values only). Owned by exactly one other record. The type is the
// stored number, checked when the value is decoded; a style number that is no style reads as none.
class GeneralValue : public ManagedObject {
public:
    using ManagedObject::ManagedObject;

    int32_t type() const { return int32ForKey(CalcStoreGeneralValueKeyType).value_or(0); }
    std::optional<int64_t> baseValue() const { return int64ForKey(CalcStoreGeneralValueKeyBaseValue); }
    std::optional<double> realValue() const { return doubleForKey(CalcStoreGeneralValueKeyRealValue); }
    std::optional<CalcValueFormatStyle> style() const {
        const std::optional<int32_t> stored = int32ForKey(CalcStoreGeneralValueKeyStyle);
        return stored ? calcValueFormatStyleFromInt32(*stored) : std::nullopt;
    }
    void setStyle(CalcValueFormatStyle style) { setValue(static_cast<int32_t>(style), CalcStoreGeneralValueKeyStyle); }
};
