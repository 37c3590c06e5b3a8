#pragma once

#include "cli/CliSettings.h"

// The settings the calculator would start with: the saved user settings when the calculator
// has saved any, the first-launch defaults otherwise. Reading them writes nothing.
CliSettings cliSettingsFromSavedSettings();
