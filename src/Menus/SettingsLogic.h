#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Calculator/OperatorsOperator.h"
#include "Menus/SettingDescription.h"
#include "Model/CalcValue.h"

class CalcEngine;
class Operators;
class UserSettings;

// What the settings screens do that is not drawing: the description of each setting row, the
// text the row shows, and what choosing a text, entering a number or resetting writes. Every
// change goes through the user settings, whose announcement brings the calculator in line.
class SettingsLogic {
public:
    static constexpr int32_t SettingsLogicNumberOfSettings = 5;

    SettingsLogic(UserSettings& settings, CalcEngine& engine, Operators& operators)
        : settings_(settings), engine_(engine), operators_(operators) {}

    // Made afresh from the stored settings; none for a number that is no setting.
    std::optional<SettingDescription> settingDescriptionForSetting(int32_t setting) const;
    // The value as the row shows it on its right: "Radians", "4", "7", "32 bits", "Signed".
    static std::string detailTextForSettingDescription(const SettingDescription& description);

    // The text at the index of a setting's choice list was chosen.
    void muxItemSelected(int32_t setting, int32_t index);
    // A number was entered for a setting (already within its bounds).
    void integerEntered(int32_t setting, int32_t value);
    // Writes the defaults, and brings the operators and the value on display in line with them.
    void resetSettings();

    // The operator that turns a value of this kind into the given integer type (0 unsigned,
    // 1 signed), or none when it is of that kind already or no integer.
    static std::optional<OperatorsOperator> conversionOperatorForIntegerType(CalcValueType type, int32_t integerType);
    // A number entry's text read as a decimal integer: blanks, a sign and the digits that lead
    // it; text that does not start with a number reads as 0. The result is brought within the
    // bounds.
    static int32_t integerFromText(std::string_view text, int32_t minValue, int32_t maxValue);

private:
    void convertAccumulatorToIntegerType();

    UserSettings& settings_;
    CalcEngine& engine_;
    Operators& operators_;
};
