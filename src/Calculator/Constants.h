#pragma once

#include <array>
#include <optional>
#include <string>

#include "Model/CalcValue.h"

constexpr double ConstantsConstantEarthGravity = 9.807;
constexpr double ConstantsConstantGravitationalConstant = 6.672e-11;
constexpr double ConstantsConstantSpeedOfLight = 299792458.0;

// The five constants the user can enter. A constant is an ordinary real value: it is recognised
// only when it is bit for bit one of the five doubles.
class Constants {
public:
    static Constants& sharedInstance();

    // π, e, Earth gravity, the gravitational constant and the speed of light, in that order.
    static const std::array<CalcValue, 5>& constantsCalcValues();

    std::optional<std::string> stringFromConstantCalcValue(const CalcValue& value) const;
    std::optional<std::string> descriptionFromConstantCalcValue(const CalcValue& value) const;
    std::optional<std::string> imageFromConstantCalcValue(const CalcValue& value) const;

private:
    Constants() = default;
};
