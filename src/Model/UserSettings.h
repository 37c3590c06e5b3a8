#pragma once

#include <cstdint>
#include <string>

#include "Model/UserSettingsKeys.h"

class UserDefaults;

// The user's preferences, read afresh from the user defaults on every get; every set is
// written through, made permanent and announced with
// UserSettingsNotificationUserSettingsHaveChanged.
class UserSettings {
public:
    // Over UserDefaults::standardUserDefaults().
    static UserSettings& sharedInstance();
    // Over given defaults (tests, the command line); runs the first-start check.
    explicit UserSettings(UserDefaults& defaults);
    UserSettings(const UserSettings&) = delete;
    UserSettings& operator=(const UserSettings&) = delete;

    int32_t angleType() const;
    int32_t numDecimalPlaces() const;
    // Figures minus one, 0 to 9.
    int32_t numSigFigs() const;
    // 2 to 64; a stored 0 reads as 32.
    int32_t wordSize() const;
    int32_t realStyle() const;
    int32_t favouritesPageIndex() const;
    int32_t integerType() const;

    void setAngleType(int32_t angleType);
    void setNumDecimalPlaces(int32_t numDecimalPlaces);
    void setNumSigFigs(int32_t numSigFigs);
    void setWordSize(int32_t wordSize);
    void setRealStyle(int32_t realStyle);
    void setFavouritesPageIndex(int32_t favouritesPageIndex);
    void setIntegerType(int32_t integerType);

    // Writes the defaults of everything but the favourites page; posts nothing.
    void setDefaults();

    static std::string stringFromAngleType(int32_t angleType);
    static std::string stringFromIntegerType(int32_t integerType);
    static std::string stringFromNumSigFigs(int32_t index);

private:
    void setIntegerAndAnnounce(int32_t value, std::string_view key);

    UserDefaults& defaults_;
};
