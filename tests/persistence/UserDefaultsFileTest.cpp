#include <gtest/gtest.h>

#include <QSettings>
#include <QStandardPaths>

#include "Model/UserSettings.h"
#include "PersistenceTestSupport.h"
#include "Platform/Core/UserDefaultsFile.h"
#include "Platform/Store/UserDefaults.h"

namespace {

// The command line reads without Qt what the calculator writes through Qt: both must agree on
// every value and on where the file is.
TEST(UserDefaultsFile, ReadsWhatUserDefaultsWrote) {
    TemporaryFolder folder;
    const std::string path = folder.filePath("Quillet.conf");
    {
        UserDefaults defaults(path);
        UserSettings settings(defaults);  // a first start writes the defaults
        settings.setWordSize(12);
        settings.setIntegerType(1);
        settings.setNumSigFigs(-4);
        settings.setAngleType(1);
        settings.setNumDecimalPlaces(7);
        settings.setRealStyle(2);
        defaults.setIntegerForKey(-2147483647 - 1, "Extreme");
        defaults.setBoolForKey(false, "Off");
        ASSERT_TRUE(defaults.synchronize());
    }
    const UserDefaultsFile file(path);
    UserDefaults reread(path);
    for (std::string_view key : {UserSettingsKeyWordSize, UserSettingsKeyIntegerType, UserSettingsKeyNumSigFigs,
                                 UserSettingsKeyAngle, UserSettingsKeyNumDecimalPlaces, UserSettingsKeyRealStyle,
                                 UserSettingsKeyFavouritesPageIndex, std::string_view("Extreme")}) {
        EXPECT_EQ(file.integerForKey(key), reread.integerForKey(key)) << key;
    }
    EXPECT_EQ(file.integerForKey(UserSettingsKeyWordSize), 12);
    EXPECT_EQ(file.integerForKey(UserSettingsKeyNumSigFigs), -4);
    EXPECT_TRUE(file.boolForKey(UserSettingsKeyHasCreatedDefaultValues));
    EXPECT_FALSE(file.boolForKey("Off"));
    EXPECT_FALSE(file.boolForKey("Missing"));
}

TEST(UserDefaultsFile, ReadRulesMatchTheSettings) {
    for (int32_t stored : {-5, 0, 1, 2, 7, 64, 65, 1000}) {
        TemporaryFolder folder;
        UserDefaults defaults(folder.filePath("s.conf"));
        UserSettings settings(defaults);
        settings.setWordSize(stored);
        settings.setNumSigFigs(stored);
        EXPECT_EQ(UserSettingsStoredValues::wordSizeFromStoredValue(stored), settings.wordSize());
        EXPECT_EQ(UserSettingsStoredValues::numSigFigsFromStoredValue(stored), settings.numSigFigs());
    }
}

TEST(UserDefaultsFile, StandardPathIsWhereTheCalculatorKeepsItsSettings) {
    QStandardPaths::setTestModeEnabled(false);  // the folders already point into a temporary one
    const QSettings standard(QStringLiteral("Quillet"), QStringLiteral("Quillet"));
    EXPECT_EQ(UserDefaultsFile::standardFilePath(), standard.fileName().toStdString());
    QStandardPaths::setTestModeEnabled(true);
}

TEST(UserDefaultsFile, MissingOrDamagedFileHoldsNothing) {
    TemporaryFolder folder;
    EXPECT_EQ(UserDefaultsFile(folder.filePath("absent.conf")).integerForKey(UserSettingsKeyWordSize), 0);
    writeFile(folder.filePath("junk.conf"), std::string("\x01\x02[General\nUserSettingsKeyWordSize=abc\n=5\n", 40));
    const UserDefaultsFile junk(folder.filePath("junk.conf"));
    EXPECT_EQ(junk.integerForKey(UserSettingsKeyWordSize), 0);
    writeFile(folder.filePath("other.conf"), "[Other]\nUserSettingsKeyWordSize=8\n");
    EXPECT_EQ(UserDefaultsFile(folder.filePath("other.conf")).integerForKey(UserSettingsKeyWordSize), 0);
}

}  // namespace
