#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The names of a setting description's fields, as the settings screen has always called them.
constexpr std::string_view SettingsViewControllerSettingDescriptionKeyName = "name";
constexpr std::string_view SettingsViewControllerSettingDescriptionKeySetting = "setting";
constexpr std::string_view SettingsViewControllerSettingDescriptionKeyType = "type";
constexpr std::string_view SettingsViewControllerSettingDescriptionKeyValue = "value";
constexpr std::string_view SettingsViewControllerSettingDescriptionKeyMuxValues = "muxvalues";
constexpr std::string_view SettingsViewControllerSettingDescriptionKeyMinValue = "minvalue";
constexpr std::string_view SettingsViewControllerSettingDescriptionKeyMaxValue = "maxvalue";

// The settings in the order of the settings screen's rows.
enum SettingsViewControllerSetting : int32_t {
    SettingsViewControllerSettingAngle = 0,
    SettingsViewControllerSettingDecimalPlaces = 1,
    SettingsViewControllerSettingSigFigs = 2,
    SettingsViewControllerSettingWordSize = 3,
    SettingsViewControllerSettingIntegerType = 4,
};

// How a setting is edited: by choosing one of its texts, or by typing a number within bounds.
enum SettingsViewControllerSettingType : int32_t {
    SettingsViewControllerSettingTypeMux = 0,
    SettingsViewControllerSettingTypeInteger = 1,
};

// One row of the settings screen: what it is called, how it is edited, and its value as stored
// when the description was made. A choice list stores the index of the chosen text.
struct SettingDescription {
    std::string name;
    SettingsViewControllerSetting setting = SettingsViewControllerSettingAngle;
    SettingsViewControllerSettingType type = SettingsViewControllerSettingTypeMux;
    int32_t value = 0;
    // Choice lists only.
    std::vector<std::string> muxValues;
    // Number entries only.
    int32_t minValue = 0;
    int32_t maxValue = 0;

    bool operator==(const SettingDescription&) const = default;
};
