#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The kind of a value. The numbers are stored with every saved value, so they never change.
enum CalcValueType : int32_t {
    CalcValueTypeNone = 0,
    CalcValueTypeUBase = 1,
    CalcValueTypeSBase = 2,
    CalcValueTypeReal = 3,
};

// The kind a stored number stands for; none for a number no kind has.
constexpr std::optional<CalcValueType> calcValueTypeFromInt32(int32_t number) {
    if (number < CalcValueTypeNone || number > CalcValueTypeReal) return std::nullopt;
    return static_cast<CalcValueType>(number);
}

// The one value of the calculator: an unsigned or signed 64-bit integer or a double, marked by
// a type tag. Only the field matching the tag is meaningful; the others stay zero. Values are
// immutable and copied freely. Integers are held in 64 bits and narrowed to the word size by
// the two masking rules.
class CalcValue {
public:
    // A default value is the real 0.0.
    constexpr CalcValue() = default;

    static constexpr CalcValue calcValueWithType(CalcValueType type) {
        CalcValue value;
        value.type_ = type;
        return value;
    }
    static constexpr CalcValue calcValueWithUBaseValue(uint64_t v) {
        CalcValue value;
        value.type_ = CalcValueTypeUBase;
        value.uBaseValue_ = v;
        return value;
    }
    static constexpr CalcValue calcValueWithSBaseValue(int64_t v) {
        CalcValue value;
        value.type_ = CalcValueTypeSBase;
        value.sBaseValue_ = v;
        return value;
    }
    static constexpr CalcValue calcValueWithRealValue(double v) {
        CalcValue value;
        value.realValue_ = v;
        return value;
    }
    // A copy; a value of tag 0 or an unknown tag is a fatal assertion.
    static CalcValue calcValueWithCalcValue(const CalcValue& other);

    static constexpr uint64_t uValueMaskedWithWordSize(uint64_t v, int wordSize) {
        if (wordSize >= 64) return v;
        return v & ((uint64_t{1} << wordSize) - 1);
    }
    // The two's-complement value of the low wordSize bits, sign-extended to 64 bits.
    static constexpr int64_t sValueMaskedWithWordSize(int64_t v, int wordSize) {
        if (wordSize >= 64) return v;
        const uint64_t bits = static_cast<uint64_t>(v);
        const uint64_t low = (uint64_t{1} << wordSize) - 1;
        const bool negative = (bits >> (wordSize - 1)) & 1;
        return static_cast<int64_t>(negative ? (bits | ~low) : (bits & low));
    }

    constexpr CalcValueType type() const { return type_; }
    constexpr uint64_t uBaseValue() const { return uBaseValue_; }
    constexpr int64_t sBaseValue() const { return sBaseValue_; }
    constexpr double realValue() const { return realValue_; }
    constexpr bool isInteger() const { return type_ == CalcValueTypeUBase || type_ == CalcValueTypeSBase; }

    bool isZero() const;
    bool isEqualToCalcValue(const CalcValue& other) const;
    std::string description() const;

    // A new value of the destination kind at the word size; a source of tag 0 (or unknown)
    // gives no value.
    std::optional<CalcValue> calcValueAsType(CalcValueType destination, int wordSize) const;

private:
    CalcValueType type_ = CalcValueTypeReal;
    uint64_t uBaseValue_ = 0;
    int64_t sBaseValue_ = 0;
    double realValue_ = 0.0;
};
