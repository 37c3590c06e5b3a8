#include "Calculator/OperatorsIEEE754.h"

#include <bit>
#include <cmath>
#include <limits>

#include "Calculator/Operators.h"
#include "Calculator/OperatorsFormat.h"

namespace {

constexpr OperatorsTableRow kRows[] = {
    {OperatorsOperatorFloatToIEEE754, "float2ieee", "Float to IEEE-754", "Float to IEEE", "operatorFloatToIEEEDark.png",
     17, true},
    {OperatorsOperatorDoubleToIEEE754, "double2ieee", "Double to IEEE-754", "Double to IEEE",
     "operatorDoubleToIEEEDark.png", 17, true},
    {OperatorsOperatorIEEE754ToFloat, "ieee2float", "IEEE-754 to float", "IEEE to float", "operatorIEEEToFloatDark.png",
     17, true},
    {OperatorsOperatorIEEE754ToDouble, "ieee2double", "IEEE-754 to double", "IEEE to double",
     "operatorIEEEToDoubleDark.png", 17, true},
};

constexpr uint32_t kFloatExponentField = 0x7F800000u;
constexpr uint64_t kDoubleExponentField = 0x7FF0000000000000u;
// Doubles of this magnitude or more round to a float infinity: halfway between the largest
// float and 2^128, where ties go to the even neighbour, the infinity.
constexpr double kFloatOverflowThreshold = 0x1.ffffffp127;

std::optional<CalcValue> refused(OperatorsError code, OperatorsError* error) {
    *error = code;
    return std::nullopt;
}

// To nearest, ties to even. A double beyond the float range has no float to be converted to
// by a plain cast, so its infinity is chosen here.
float nearestFloat(double x) {
    if (std::fabs(x) >= kFloatOverflowThreshold) {
        return std::signbit(x) ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
    }
    if (std::fabs(x) > std::numeric_limits<float>::max()) {
        return std::signbit(x) ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
    }
    return static_cast<float>(x);
}

std::optional<uint64_t> patternAtWordSize(const CalcValue& value, int wordSize) {
    const std::optional<CalcValue> pattern = value.calcValueAsType(CalcValueTypeUBase, wordSize);
    if (!pattern) return std::nullopt;
    return pattern->uBaseValue();
}

}  // namespace

OperatorsIEEE754& OperatorsIEEE754::sharedInstance() {
    static OperatorsIEEE754 module;
    return module;
}

OperatorsIEEE754::OperatorsIEEE754() : OperatorsTableModule(kRows) {}

std::optional<CalcValue> OperatorsIEEE754::calculateResultForCalcValue(const CalcValue& value, OperatorsOperator op,
                                                                       OperatorsError* error) {
    switch (op) {
        case OperatorsOperatorFloatToIEEE754: return floatToIEEE754(value, error);
        case OperatorsOperatorDoubleToIEEE754: return doubleToIEEE754(value, error);
        case OperatorsOperatorIEEE754ToFloat: return ieee754ToFloat(value, error);
        case OperatorsOperatorIEEE754ToDouble: return ieee754ToDouble(value, error);
        default: return std::nullopt;
    }
}

std::optional<CalcValue> OperatorsIEEE754::floatToIEEE754(const CalcValue& value, OperatorsError* error) {
    if (Operators::sharedInstance().wordSize() < 32) {
        return refused(OperatorsErrorIntegerSize32, error);
    }
    const std::optional<double> x = OperatorsFormat::doubleFromCalcValue(value);
    if (!x) return std::nullopt;
    return CalcValue::calcValueWithUBaseValue(std::bit_cast<uint32_t>(nearestFloat(*x)));
}

std::optional<CalcValue> OperatorsIEEE754::doubleToIEEE754(const CalcValue& value, OperatorsError* error) {
    if (Operators::sharedInstance().wordSize() < 64) {
        return refused(OperatorsErrorIntegerSize64, error);
    }
    const std::optional<double> x = OperatorsFormat::doubleFromCalcValue(value);
    if (!x) return std::nullopt;
    return CalcValue::calcValueWithUBaseValue(std::bit_cast<uint64_t>(*x));
}

std::optional<CalcValue> OperatorsIEEE754::ieee754ToFloat(const CalcValue& value, OperatorsError* error) {
    const std::optional<uint64_t> pattern = patternAtWordSize(value, 32);
    if (!pattern) return std::nullopt;
    const uint32_t bits = static_cast<uint32_t>(*pattern);
    if ((bits & kFloatExponentField) == kFloatExponentField) {
        return refused(OperatorsErrorValueOutOfRange, error);
    }
    return CalcValue::calcValueWithRealValue(static_cast<double>(std::bit_cast<float>(bits)));
}

std::optional<CalcValue> OperatorsIEEE754::ieee754ToDouble(const CalcValue& value, OperatorsError* error) {
    const std::optional<uint64_t> pattern = patternAtWordSize(value, 64);
    if (!pattern) return std::nullopt;
    if ((*pattern & kDoubleExponentField) == kDoubleExponentField) {
        return refused(OperatorsErrorValueOutOfRange, error);
    }
    return CalcValue::calcValueWithRealValue(std::bit_cast<double>(*pattern));
}
