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

// Files written by hand or by another program: the command line reads each setting as the
// calculator's QSettings does, including the files QSettings reports as damaged, which the
// calculator sets aside and so reads as holding nothing.
TEST(UserDefaultsFile, ReadsEveryFileAsQSettingsDoes) {
    const std::string_view texts[] = {
        "[General]\nUserSettingsKeyWordSize=8\n# a comment QSettings does not know\n",
        "\xEF\xBB\xBF[General]\nUserSettingsKeyWordSize=12\n",
        "\xEF\xBB\xBFUserSettingsKeyWordSize=12\n",
        "\xEF\xBB\xBF UserSettingsKeyWordSize=12\n",
        "[General\nUserSettingsKeyWordSize=8\n",
        "UserSettingsKeyWordSize=5\n[Other]\nUserSettingsKeyWordSize=6\n[general]\nUserSettingsKeyAngle=1\n",
        "[%General]\nUserSettingsKeyWordSize=8\n[ General ]x\nUserSettingsKeyAngle=1\n",
        "UserSettingsKeyWordSize=+8\nUserSettingsKeyAngle= \" 1 \"\nUserSettingsKeyRealStyle=2;3\n",
        "UserSettingsKeyWordSize=8,9\nUserSettingsKeyAngle=\"8,9\"\nUserSettingsKeyHasCreatedDefaultValues= FALSE\n",
        "UserSettingsKeyWordSize=\\x38\\070\nUserSettingsKeyAngle=\\1000070\nUserSettingsKeyRealStyle=\\x10038\n",
        "UserSettingsKeyWordSize=@String(8)\nUserSettingsKeyAngle=@@1\nUserSettingsKeyRealStyle=@Invalid()\n",
        "UserSettingsKeyWordSize=@ByteArray( 8)\nUserSettingsKeyAngle=@Rect(1 2)\n",
        "UserSettingsKeyWordSize=2147483648\nUserSettingsKeyAngle=4294967297\nUserSettingsKeyRealStyle="
        "9223372036854775808\n",
        "UserSettingsKeyWordSize=8\\\n9\nUserSettingsKeyAngle=\"1\n\"\nuserSettingsKeyRealStyle=2\n",
        "%55serSettingsKeyWordSize=8\nUserSettingsKey%U0041ngle=1\n UserSettingsKeyRealStyle =2\n",
        "UserSettingsKeyWordSize=\xEF\xBB\xBF"
        "8\nUserSettingsKeyAngle=1\xEF\xBB\xBF\nUserSettingsKeyRealStyle=2\xC5\n",
        "UserSettingsKeyWordSize=8\nUserSettingsKeyWordSize=9\nUserSettingsKeyHasCreatedDefaultValues=0 \\\n",
        "UserSettingsKeyWordSize\\=8\n",
        "UserSettingsKeyWordSize=\"8\nUserSettingsKeyAngle=1\n",
        "UserSettingsKeyHasCreatedDefaultValues=\"0 \"\nUserSettingsKeyAngle=\\q1\nUserSettingsKeyWordSize=8\\x\n",
    };
    const std::string_view keys[] = {UserSettingsKeyWordSize, UserSettingsKeyAngle, UserSettingsKeyRealStyle,
                                     UserSettingsKeyHasCreatedDefaultValues};
    for (const std::string_view text : texts) {
        TemporaryFolder folder;
        const std::string path = folder.filePath("Quillet.conf");
        writeFile(path, std::string(text));
        const UserDefaultsFile file(path);
        const UserDefaults calculator(path);
        for (const std::string_view key : keys) {
            EXPECT_EQ(file.integerForKey(key), calculator.integerForKey(key)) << key << " in " << text;
            EXPECT_EQ(file.boolForKey(key), calculator.boolForKey(key)) << key << " in " << text;
        }
    }
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
