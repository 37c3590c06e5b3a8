#include "Model/CalcValue.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>

#include "Platform/Core/FatalAssert.h"

namespace {

constexpr const char* kSource = "Model/CalcValue";

// Reals whose truncation does not fit the destination saturate to the nearest representable
// value; NaN gives 0. Casting such a double directly would be undefined behaviour.
uint64_t uint64FromReal(double x) {
    if (std::isnan(x) || x <= -1.0) return 0;
    if (x >= 18446744073709551616.0) return UINT64_MAX;
    return static_cast<uint64_t>(x);
}

int64_t int64FromReal(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 9223372036854775808.0) return INT64_MAX;
    if (x < -9223372036854775808.0) return INT64_MIN;
    return static_cast<int64_t>(x);
}

}  // namespace

CalcValue CalcValue::calcValueWithCalcValue(const CalcValue& other) {
    switch (other.type_) {
        case CalcValueTypeUBase: return calcValueWithUBaseValue(other.uBaseValue_);
        case CalcValueTypeSBase: return calcValueWithSBaseValue(other.sBaseValue_);
        case CalcValueTypeReal: return calcValueWithRealValue(other.realValue_);
        case CalcValueTypeNone: break;
    }
    fatalAssert(kSource, "unrecognised calc value type");
}

bool CalcValue::isZero() const {
    switch (type_) {
        case CalcValueTypeUBase: return uBaseValue_ == 0;
        case CalcValueTypeSBase: return sBaseValue_ == 0;
        case CalcValueTypeReal: return realValue_ == 0.0;
        case CalcValueTypeNone: break;
    }
    fatalAssert(kSource, "unknown value type");
}

bool CalcValue::isEqualToCalcValue(const CalcValue& other) const {
    if (type_ != other.type_) return false;
    switch (type_) {
        case CalcValueTypeUBase: return uBaseValue_ == other.uBaseValue_;
        case CalcValueTypeSBase: return sBaseValue_ == other.sBaseValue_;
        case CalcValueTypeReal: return realValue_ == other.realValue_;
        case CalcValueTypeNone: break;
    }
    fatalAssert(kSource, "unknown value type");
}

std::string CalcValue::description() const {
    char text[64];
    switch (type_) {
        case CalcValueTypeNone: return "<none>";
        case CalcValueTypeUBase: std::snprintf(text, sizeof text, "%" PRIu64, uBaseValue_); return text;
        case CalcValueTypeSBase: std::snprintf(text, sizeof text, "%" PRId64, sBaseValue_); return text;
        case CalcValueTypeReal: std::snprintf(text, sizeof text, "%g", realValue_); return text;
    }
    fatalAssert(kSource, "unknown calc value type");
}

std::optional<CalcValue> CalcValue::calcValueAsType(CalcValueType destination, int wordSize) const {
    uint64_t bits = 0;
    switch (type_) {
        case CalcValueTypeUBase: bits = uBaseValue_; break;
        case CalcValueTypeSBase: bits = static_cast<uint64_t>(sBaseValue_); break;
        case CalcValueTypeReal: break;
        case CalcValueTypeNone: return std::nullopt;
    }
    switch (destination) {
        case CalcValueTypeUBase:
            if (type_ == CalcValueTypeReal) bits = uint64FromReal(realValue_);
            return calcValueWithUBaseValue(uValueMaskedWithWordSize(bits, wordSize));
        case CalcValueTypeSBase:
            if (type_ == CalcValueTypeReal) bits = static_cast<uint64_t>(int64FromReal(realValue_));
            return calcValueWithSBaseValue(sValueMaskedWithWordSize(static_cast<int64_t>(bits), wordSize));
        case CalcValueTypeReal:
            if (type_ == CalcValueTypeUBase) {
                return calcValueWithRealValue(static_cast<double>(uValueMaskedWithWordSize(bits, wordSize)));
            }
            if (type_ == CalcValueTypeSBase) {
                return calcValueWithRealValue(
                    static_cast<double>(sValueMaskedWithWordSize(static_cast<int64_t>(bits), wordSize)));
            }
            return *this;
        case CalcValueTypeNone: break;
    }
    fatalAssert(kSource, "unknown destination calc value type");
}
