#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class UserDefaults;

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

    // How stored values read back: a word size of 0 (never written) is 32, others are kept in
    // 2 to 64; significant figures are kept in 0 to 9. The command line reads with these too.
    static constexpr int32_t wordSizeFromStoredValue(int32_t stored) {
        return stored == 0 ? 32 : stored < 2 ? 2 : stored > 64 ? 64 : stored;
    }
    static constexpr int32_t numSigFigsFromStoredValue(int32_t stored) {
        return stored < 0 ? 0 : stored > 9 ? 9 : stored;
    }

    static std::string stringFromAngleType(int32_t angleType);
    static std::string stringFromIntegerType(int32_t integerType);
    static std::string stringFromNumSigFigs(int32_t index);

private:
    void setIntegerAndAnnounce(int32_t value, std::string_view key);

    UserDefaults& defaults_;
};
