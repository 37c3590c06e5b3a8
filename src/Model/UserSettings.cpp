#include "Model/UserSettings.h"

#include <algorithm>
#include <array>

#include "Platform/Core/Localized.h"
#include "Platform/Core/NotificationCenter.h"
#include "Platform/Store/UserDefaults.h"

namespace {

constexpr std::array<const char*, 10> numSigFigsTexts = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};

}  // namespace

UserSettings& UserSettings::sharedInstance() {
    // A function-local static is created once, under the lock the language provides.
    static UserSettings settings(UserDefaults::standardUserDefaults());
    return settings;
}

UserSettings::UserSettings(UserDefaults& defaults) : defaults_(defaults) {
    if (!defaults_.boolForKey(UserSettingsKeyHasCreatedDefaultValues)) setDefaults();
}

int32_t UserSettings::angleType() const { return defaults_.integerForKey(UserSettingsKeyAngle); }

int32_t UserSettings::numDecimalPlaces() const { return defaults_.integerForKey(UserSettingsKeyNumDecimalPlaces); }

int32_t UserSettings::numSigFigs() const {
    return UserSettingsStoredValues::numSigFigsFromStoredValue(defaults_.integerForKey(UserSettingsKeyNumSigFigs));
}

int32_t UserSettings::wordSize() const {
    return UserSettingsStoredValues::wordSizeFromStoredValue(defaults_.integerForKey(UserSettingsKeyWordSize));
}

int32_t UserSettings::realStyle() const { return defaults_.integerForKey(UserSettingsKeyRealStyle); }

int32_t UserSettings::favouritesPageIndex() const {
    return defaults_.integerForKey(UserSettingsKeyFavouritesPageIndex);
}

int32_t UserSettings::integerType() const { return defaults_.integerForKey(UserSettingsKeyIntegerType); }

void UserSettings::setIntegerAndAnnounce(int32_t value, std::string_view key) {
    defaults_.setIntegerForKey(value, key);
    defaults_.synchronize();
    NotificationCenter::defaultCenter().post(UserSettingsNotificationUserSettingsHaveChanged);
}

void UserSettings::setAngleType(int32_t angleType) { setIntegerAndAnnounce(angleType, UserSettingsKeyAngle); }

void UserSettings::setNumDecimalPlaces(int32_t numDecimalPlaces) {
    setIntegerAndAnnounce(numDecimalPlaces, UserSettingsKeyNumDecimalPlaces);
}

void UserSettings::setNumSigFigs(int32_t numSigFigs) { setIntegerAndAnnounce(numSigFigs, UserSettingsKeyNumSigFigs); }

void UserSettings::setWordSize(int32_t wordSize) { setIntegerAndAnnounce(wordSize, UserSettingsKeyWordSize); }

void UserSettings::setRealStyle(int32_t realStyle) { setIntegerAndAnnounce(realStyle, UserSettingsKeyRealStyle); }

void UserSettings::setFavouritesPageIndex(int32_t favouritesPageIndex) {
    setIntegerAndAnnounce(favouritesPageIndex, UserSettingsKeyFavouritesPageIndex);
}

void UserSettings::setIntegerType(int32_t integerType) {
    setIntegerAndAnnounce(integerType, UserSettingsKeyIntegerType);
}

void UserSettings::setDefaults() {
    defaults_.setIntegerForKey(0, UserSettingsKeyAngle);
    defaults_.setIntegerForKey(4, UserSettingsKeyNumDecimalPlaces);
    defaults_.setIntegerForKey(6, UserSettingsKeyNumSigFigs);
    defaults_.setIntegerForKey(32, UserSettingsKeyWordSize);
    defaults_.setIntegerForKey(3, UserSettingsKeyRealStyle);
    defaults_.setIntegerForKey(0, UserSettingsKeyIntegerType);
    defaults_.setBoolForKey(true, UserSettingsKeyHasCreatedDefaultValues);
    defaults_.synchronize();
}

std::string UserSettings::stringFromAngleType(int32_t angleType) {
    switch (angleType) {
        case 0: return Localized::string("Degrees");
        case 1: return Localized::string("Radians");
        default: return "<unknown>";
    }
}

std::string UserSettings::stringFromIntegerType(int32_t integerType) {
    switch (integerType) {
        case 0: return Localized::string("Unsigned");
        case 1: return Localized::string("Signed");
        default: return "<unknown>";
    }
}

std::string UserSettings::stringFromNumSigFigs(int32_t index) {
    // No caller passes an index outside the list; one that does gets the nearest entry.
    const auto clamped = static_cast<size_t>(std::clamp(index, 0, static_cast<int32_t>(numSigFigsTexts.size()) - 1));
    return numSigFigsTexts[clamped];
}
