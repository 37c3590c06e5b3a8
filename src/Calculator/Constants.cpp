#include "Calculator/Constants.h"

#include <string_view>

#include "Platform/Core/Localized.h"

namespace {

struct ConstantRow {
    double value;
    std::string_view label;
    std::string_view description;  // empty: the label, not localized
    std::string_view image;
};

constexpr ConstantRow kRows[] = {
    {3.141592653589793, "Pi", "", "constantsPiDark.png"},
    {2.718281828459045, "e", "", "constantsEDark.png"},
    {ConstantsConstantEarthGravity, "g", "Earth gravity (m/s\u00B2)", "constantsEarthGravityDark.png"},
    {ConstantsConstantGravitationalConstant, "G", "Gravitational constant", "constantsGravitationalConstantDark.png"},
    {ConstantsConstantSpeedOfLight, "c", "Speed of light (m/s)", "constantsSpeedOfLightDark.png"},
};

const ConstantRow* rowFromCalcValue(const CalcValue& value) {
    for (const ConstantRow& row : kRows) {
        if (value.isEqualToCalcValue(CalcValue::calcValueWithRealValue(row.value))) return &row;
    }
    return nullptr;
}

}  // namespace

Constants& Constants::sharedInstance() {
    static Constants constants;
    return constants;
}

const std::array<CalcValue, 5>& Constants::constantsCalcValues() {
    static const std::array<CalcValue, 5> values = {
        CalcValue::calcValueWithRealValue(kRows[0].value), CalcValue::calcValueWithRealValue(kRows[1].value),
        CalcValue::calcValueWithRealValue(kRows[2].value), CalcValue::calcValueWithRealValue(kRows[3].value),
        CalcValue::calcValueWithRealValue(kRows[4].value)};
    return values;
}

std::optional<std::string> Constants::stringFromConstantCalcValue(const CalcValue& value) const {
    const ConstantRow* row = rowFromCalcValue(value);
    if (!row) return std::nullopt;
    return std::string(row->label);
}

std::optional<std::string> Constants::descriptionFromConstantCalcValue(const CalcValue& value) const {
    const ConstantRow* row = rowFromCalcValue(value);
    if (!row) return std::nullopt;
    if (row->description.empty()) return std::string(row->label);
    return Localized::string(row->description);
}

std::optional<std::string> Constants::imageFromConstantCalcValue(const CalcValue& value) const {
    const ConstantRow* row = rowFromCalcValue(value);
    if (!row) return std::nullopt;
    return std::string(row->image);
}
