#pragma once

#include <cstdint>
#include <string_view>

// The names under which the settings are saved, and how saved values read back. Free of Qt,
// so that the command line can read the settings file without loading the store.
inline constexpr std::string_view UserSettingsNotificationUserSettingsHaveChanged =
    "UserSettingsNotificationUserSettingsHaveChanged";

inline constexpr std::string_view UserSettingsKeyAngle = "UserSettingsKeyAngle";
inline constexpr std::string_view UserSettingsKeyNumDecimalPlaces = "UserSettingsKeyNumDecimalPlaces";
inline constexpr std::string_view UserSettingsKeyNumSigFigs = "UserSettingsKeyNumSigFigs";
inline constexpr std::string_view UserSettingsKeyWordSize = "UserSettingsKeyWordSize";
inline constexpr std::string_view UserSettingsKeyRealStyle = "UserSettingsKeyRealStyle";
inline constexpr std::string_view UserSettingsKeyFavouritesPageIndex = "UserSettingsKeyFavouritesPageIndex";
// The integer type has always been stored under this text.
inline constexpr std::string_view UserSettingsKeyIntegerType = "UserSettingsKeyIsIntegerType";
inline constexpr std::string_view UserSettingsKeyHasCreatedDefaultValues = "UserSettingsKeyHasCreatedDefaultValues";

// How saved values read back.
class UserSettingsStoredValues {
public:
    // A word size of 0 (never written) reads as 32, others are kept in 2 to 64; significant
    // figures are kept in 0 to 9. The calculator and the command line read with these.
    static constexpr int32_t wordSizeFromStoredValue(int32_t stored) {
        return stored == 0 ? 32 : stored < 2 ? 2 : stored > 64 ? 64 : stored;
    }
    static constexpr int32_t numSigFigsFromStoredValue(int32_t stored) {
        return stored < 0 ? 0 : stored > 9 ? 9 : stored;
    }
};
