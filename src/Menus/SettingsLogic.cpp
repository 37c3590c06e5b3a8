#include "Menus/SettingsLogic.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>

#include "Calculator/CalcEngine.h"
#include "Calculator/Operators.h"
#include "Model/UserSettings.h"
#include "Platform/Core/Localized.h"
#include "Platform/Core/NotificationCenter.h"

namespace {

struct SettingRow {
    const char* name;
    SettingsViewControllerSettingType type;
};

// One row per setting, in the order the screen lists them.
constexpr std::array<SettingRow, SettingsLogic::SettingsLogicNumberOfSettings> kSettingRows{{
    {"Angle", SettingsViewControllerSettingTypeMux},
    {"Decimal Places", SettingsViewControllerSettingTypeMux},
    {"Significant Figures", SettingsViewControllerSettingTypeMux},
    {"Integer Size", SettingsViewControllerSettingTypeInteger},
    {"Integer Type", SettingsViewControllerSettingTypeMux},
}};

constexpr int32_t kMaxDecimalPlaces = 10;
constexpr int32_t kMaxSigFigsIndex = 9;
constexpr int32_t kMinWordSize = 2;
constexpr int32_t kMaxWordSize = 64;

std::vector<std::string> numbersFrom(int32_t first, int32_t last) {
    std::vector<std::string> texts;
    for (int32_t number = first; number <= last; ++number) texts.push_back(std::to_string(number));
    return texts;
}

}  // namespace

std::optional<SettingDescription> SettingsLogic::settingDescriptionForSetting(int32_t setting) const {
    if (setting < 0 || setting >= SettingsLogicNumberOfSettings) return std::nullopt;
    const SettingRow& row = kSettingRows[static_cast<size_t>(setting)];
    SettingDescription description;
    description.name = Localized::string(row.name);
    description.setting = static_cast<SettingsViewControllerSetting>(setting);
    description.type = row.type;
    switch (description.setting) {
        case SettingsViewControllerSettingAngle:
            description.value = settings_.angleType();
            description.muxValues = {UserSettings::stringFromAngleType(0), UserSettings::stringFromAngleType(1)};
            break;
        case SettingsViewControllerSettingDecimalPlaces:
            description.value = settings_.numDecimalPlaces();
            description.muxValues = numbersFrom(0, kMaxDecimalPlaces);
            break;
        case SettingsViewControllerSettingSigFigs:
            // Stored as figures minus one, which is the index of the figures' text.
            description.value = settings_.numSigFigs();
            for (int32_t index = 0; index <= kMaxSigFigsIndex; ++index) {
                description.muxValues.push_back(UserSettings::stringFromNumSigFigs(index));
            }
            break;
        case SettingsViewControllerSettingWordSize:
            description.value = settings_.wordSize();
            description.minValue = kMinWordSize;
            description.maxValue = kMaxWordSize;
            break;
        case SettingsViewControllerSettingIntegerType:
            description.value = settings_.integerType();
            description.muxValues = {UserSettings::stringFromIntegerType(0), UserSettings::stringFromIntegerType(1)};
            break;
    }
    return description;
}

std::string SettingsLogic::detailTextForSettingDescription(const SettingDescription& description) {
    switch (description.setting) {
        case SettingsViewControllerSettingAngle: return UserSettings::stringFromAngleType(description.value);
        case SettingsViewControllerSettingDecimalPlaces: return std::to_string(description.value);
        case SettingsViewControllerSettingSigFigs: return UserSettings::stringFromNumSigFigs(description.value);
        case SettingsViewControllerSettingWordSize: {
            std::string text = Localized::string("%d bits");
            if (const size_t at = text.find("%d"); at != std::string::npos) {
                text.replace(at, 2, std::to_string(description.value));
            }
            return text;
        }
        case SettingsViewControllerSettingIntegerType: return UserSettings::stringFromIntegerType(description.value);
    }
    return {};
}

void SettingsLogic::muxItemSelected(int32_t setting, int32_t index) {
    switch (setting) {
        case SettingsViewControllerSettingAngle:
            settings_.setAngleType(index);
            // The registry keeps its own copy of the angle unit, which only this screen sets.
            operators_.setAngleType(index);
            break;
        case SettingsViewControllerSettingDecimalPlaces: settings_.setNumDecimalPlaces(index); break;
        case SettingsViewControllerSettingSigFigs: settings_.setNumSigFigs(index); break;
        case SettingsViewControllerSettingIntegerType:
            settings_.setIntegerType(index);
            convertAccumulatorToIntegerType();
            break;
        default: break;
    }
}

void SettingsLogic::integerEntered(int32_t setting, int32_t value) {
    if (setting == SettingsViewControllerSettingWordSize) settings_.setWordSize(value);
}

void SettingsLogic::resetSettings() {
    settings_.setDefaults();
    // Writing the defaults announces nothing, yet the registry's word size and angle unit and
    // the value on display must follow them at once, as they follow any other change: the
    // screen would otherwise say "32 bits" and "Degrees" while the calculator still worked in
    // the old ones until the next start.
    operators_.setAngleType(settings_.angleType());
    NotificationCenter::defaultCenter().post(UserSettingsNotificationUserSettingsHaveChanged);
    convertAccumulatorToIntegerType();
}

void SettingsLogic::convertAccumulatorToIntegerType() {
    // Through the engine, as holding ± does, so that the value on display changes kind with the
    // setting and the conversion is a step of the history.
    const CalcValueType type = engine_.accumulatorCalcValue().type();
    if (const std::optional<OperatorsOperator> op = conversionOperatorForIntegerType(type, settings_.integerType())) {
        engine_.enterOperator(*op);
    }
}

std::optional<OperatorsOperator> SettingsLogic::conversionOperatorForIntegerType(CalcValueType type,
                                                                                 int32_t integerType) {
    if (type == CalcValueTypeUBase && integerType == 1) return OperatorsOperatorToSBase;
    if (type == CalcValueTypeSBase && integerType == 0) return OperatorsOperatorToUBase;
    return std::nullopt;
}

int32_t SettingsLogic::integerFromText(std::string_view text, int32_t minValue, int32_t maxValue) {
    size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    // Digits beyond the 32-bit range saturate, so that a long run of nines still means "a lot".
    constexpr int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        magnitude = std::min(limit, magnitude * 10 + (text[at] - '0'));
    }
    const int64_t number = negative ? -magnitude : std::min(magnitude, limit - 1);
    if (number > maxValue) return maxValue;
    if (number < minValue) return minValue;
    return static_cast<int32_t>(number);
}
