#include "cli/CliSavedSettings.h"

#include "Model/UserSettings.h"
#include "Platform/UserDefaults.h"

CliSettings cliSettingsFromSavedSettings() {
    CliSettings settings;
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    // Opening the user settings on a fresh installation would write the defaults; the command
    // line leaves that to the calculator and starts from the same defaults.
    if (!defaults.boolForKey(UserSettingsKeyHasCreatedDefaultValues)) return settings;
    const UserSettings saved(defaults);
    settings.angleType = saved.angleType();
    settings.numDecimalPlacesValue = saved.numDecimalPlaces();
    settings.numSigFigsValue = saved.numSigFigs();
    settings.wordSize = saved.wordSize();
    settings.realStyleValue = saved.realStyle();
    settings.integerTypeValue = saved.integerType();
    return settings;
}
