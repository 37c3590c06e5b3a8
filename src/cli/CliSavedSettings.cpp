#include "cli/CliSavedSettings.h"

#include "Model/UserSettingsKeys.h"
#include "Platform/Core/UserDefaultsFile.h"

CliSettings cliSettingsFromSavedSettings() {
    CliSettings settings;
    const UserDefaultsFile defaults(UserDefaultsFile::standardFilePath());
    // A fresh installation has no saved settings; the command line writes none and starts
    // from the defaults the calculator would write.
    if (!defaults.boolForKey(UserSettingsKeyHasCreatedDefaultValues)) return settings;
    settings.angleType = defaults.integerForKey(UserSettingsKeyAngle);
    settings.numDecimalPlacesValue = defaults.integerForKey(UserSettingsKeyNumDecimalPlaces);
    settings.numSigFigsValue =
        UserSettingsStoredValues::numSigFigsFromStoredValue(defaults.integerForKey(UserSettingsKeyNumSigFigs));
    settings.wordSize =
        UserSettingsStoredValues::wordSizeFromStoredValue(defaults.integerForKey(UserSettingsKeyWordSize));
    settings.realStyleValue = defaults.integerForKey(UserSettingsKeyRealStyle);
    settings.integerTypeValue = defaults.integerForKey(UserSettingsKeyIntegerType);
    return settings;
}
