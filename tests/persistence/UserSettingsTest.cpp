#include <gtest/gtest.h>

#include <QDir>

#include "Model/UserSettings.h"
#include "PersistenceTestSupport.h"
#include "Platform/Core/Localized.h"
#include "Platform/Core/NotificationCenter.h"
#include "Platform/Store/UserDefaults.h"
#include "support/NotificationLog.h"

namespace {

class Settings : public ::testing::Test {
protected:
    // Every notice is posted by no one in particular and carries nothing.
    ~Settings() override {
        for (const auto& post : notices_.posts) EXPECT_TRUE(!post.object && !post.userInfo.has_value());
    }
    // Angle, decimal places, significant figures, word size, real style, integer type, favourites page.
    static inline const std::vector<void (UserSettings::*)(int32_t)> kSetters = {
        &UserSettings::setAngleType,          &UserSettings::setNumDecimalPlaces, &UserSettings::setNumSigFigs,
        &UserSettings::setWordSize,           &UserSettings::setRealStyle,        &UserSettings::setIntegerType,
        &UserSettings::setFavouritesPageIndex};
    static std::vector<int32_t> values(const UserSettings& s) {
        return {s.angleType(), s.numDecimalPlaces(), s.numSigFigs(),         s.wordSize(),
                s.realStyle(), s.integerType(),      s.favouritesPageIndex()};
    }

    TemporaryFolder folder_;
    std::string path_ = folder_.filePath("Quillet.conf");
    NotificationLog notices_{UserSettingsNotificationUserSettingsHaveChanged};
};

TEST_F(Settings, AFreshInstallationReadsTheDefaultsAndPostsNothing) {
    UserDefaults defaults(path_);
    EXPECT_FALSE(defaults.boolForKey(UserSettingsKeyHasCreatedDefaultValues));
    UserSettings settings(defaults);
    EXPECT_EQ(values(settings), std::vector<int32_t>({0, 4, 6, 32, 3, 0, 0}));
    EXPECT_TRUE(defaults.boolForKey(UserSettingsKeyHasCreatedDefaultValues));
    EXPECT_FALSE(defaults.hasValueForKey(UserSettingsKeyFavouritesPageIndex));
    EXPECT_EQ(notices_.count(), 0);
}

TEST_F(Settings, WordSizeAndSignificantFiguresAreBroughtIntoRangeOnReading) {
    UserDefaults defaults(path_);
    UserSettings settings(defaults);
    // The number stored, the word size and the figures read.
    for (const auto& [stored, wordSize, numSigFigs] :
         {std::tuple{1, 2, 1}, {0, 32, 0}, {65, 64, 9}, {-5, 2, 0}, {7, 7, 7}, {12, 12, 9}, {64, 64, 9}, {2, 2, 2}}) {
        settings.setWordSize(stored);
        settings.setNumSigFigs(stored);
        EXPECT_EQ(defaults.integerForKey(UserSettingsKeyWordSize), stored) << "stored unchanged";
        EXPECT_EQ(settings.wordSize(), wordSize) << stored;
        EXPECT_EQ(settings.numSigFigs(), numSigFigs) << stored;
    }
}

TEST_F(Settings, EverySetterPostsOnceAlsoWhenNothingChanged) {
    UserDefaults defaults(path_);
    UserSettings settings(defaults);
    for (auto setter : kSetters) {
        const int before = notices_.count();
        (settings.*setter)(0);
        EXPECT_EQ(notices_.count(), before + 1);
        (settings.*setter)(0);
        EXPECT_EQ(notices_.count(), before + 2);
    }
}

TEST_F(Settings, ASetterHasWrittenTheFileBeforeItsNotificationArrives) {
    UserDefaults defaults(path_);
    UserSettings settings(defaults);
    int32_t seenOnDisk = -1;
    const NotificationObserver reader(UserSettingsNotificationUserSettingsHaveChanged, [&](const Notification&) {
        seenOnDisk = UserDefaults(path_).integerForKey(UserSettingsKeyRealStyle);
    });
    settings.setRealStyle(2);
    EXPECT_EQ(seenOnDisk, 2);
}

TEST_F(Settings, SetDefaultsRestoresEverythingButTheFavouritesPage) {
    UserDefaults defaults(path_);
    UserSettings settings(defaults);
    const int32_t changed[] = {1, 9, 2, 8, 0, 1, 2};
    for (size_t i = 0; i < kSetters.size(); ++i) (settings.*kSetters[i])(changed[i]);
    const int before = notices_.count();
    settings.setDefaults();
    EXPECT_EQ(notices_.count(), before);
    EXPECT_EQ(values(settings), std::vector<int32_t>({0, 4, 6, 32, 3, 0, 2}));
}

// The defaults are written only on the first start; the integer type lives under its historic key.
TEST_F(Settings, ASecondStartReadsTheSettingsAsTheyWereLeft) {
    {
        UserDefaults defaults(path_);
        UserSettings settings(defaults);
        settings.setIntegerType(1);
        settings.setWordSize(16);
    }
    UserDefaults defaults(path_);
    EXPECT_EQ(UserSettings(defaults).wordSize(), 16);
    EXPECT_EQ(defaults.integerForKey("UserSettingsKeyIsIntegerType"), 1);
    EXPECT_FALSE(defaults.hasValueForKey("UserSettingsKeyIntegerType"));
    EXPECT_EQ(UserSettings(defaults).integerType(), 1);
}

TEST(SettingsTexts, TheNamesOfTheCodesAreLookedUpButTheUnknownMarkIsNot) {
    std::vector<std::string> asked;
    Localized::setTranslator([&](std::string_view english) {
        asked.emplace_back(english);
        return "<" + std::string(english) + ">";
    });
    const std::vector<std::string> names = {
        UserSettings::stringFromAngleType(0),   UserSettings::stringFromAngleType(1),
        UserSettings::stringFromAngleType(7),   UserSettings::stringFromIntegerType(0),
        UserSettings::stringFromIntegerType(1), UserSettings::stringFromIntegerType(-1)};
    EXPECT_EQ(names,
              (std::vector<std::string>{"<Degrees>", "<Radians>", "<unknown>", "<Unsigned>", "<Signed>", "<unknown>"}));
    Localized::setTranslator(nullptr);
    EXPECT_EQ(asked, (std::vector<std::string>{"Degrees", "Radians", "Unsigned", "Signed"}));
}

TEST_F(Settings, AnUnreadableSettingsFileIsKeptAsideAndTheDefaultsStartAfresh) {
    const std::string garbage = std::string("\x00\xff[[[\x01", 6) + "=\n\xfe";
    writeFile(path_, garbage);
    LogCapture log;
    UserDefaults defaults(path_);
    UserSettings settings(defaults);
    EXPECT_EQ(settings.wordSize(), 32);
    EXPECT_TRUE(log.contains("could not be read")) << (log.lines().empty() ? "" : log.lines().front());
    QDir folder(QString::fromStdString(folder_.path()));
    const auto kept = folder.entryList({"Quillet.conf.unreadable-*"});
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(fileContents(folder.filePath(kept.front()).toStdString()), garbage) << "kept as it was";
    settings.setWordSize(8);
    EXPECT_EQ(UserDefaults(path_).integerForKey(UserSettingsKeyWordSize), 8);
}

TEST(StandardSettings, TheSharedInstanceUsesTheQuilletSettingsFile) {
    const std::string file = UserDefaults::standardUserDefaults().fileName();
    EXPECT_NE(file.find("Quillet/Quillet.conf"), std::string::npos) << file;
    EXPECT_EQ(&UserSettings::sharedInstance(), &UserSettings::sharedInstance());
    EXPECT_EQ(UserSettings::sharedInstance().wordSize(), 32);
}

}  // namespace
