#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "Platform/Core/UserDefaultsIniParser.h"

// The saved user defaults read straight from their INI file, without Qt: the command line
// starts in a few milliseconds, like bc, where loading Qt alone would take several times that.
// Read-only; the calculator writes the file through UserDefaults. Integers and booleans read as
// UserDefaults reads them, a missing or unreadable value as 0 or false, and a file QSettings
// reports as damaged holds no values.
class UserDefaultsFile {
public:
    // Where UserDefaults::standardUserDefaults() keeps the file:
    // $XDG_CONFIG_HOME/Quillet/Quillet.conf, or ~/.config/Quillet/Quillet.conf.
    static std::string standardFilePath();

    // A missing or unreadable file holds no values.
    explicit UserDefaultsFile(const std::string& filePath);

    int32_t integerForKey(std::string_view key) const;
    bool boolForKey(std::string_view key) const;

private:
    std::map<std::string, UserDefaultsIniValue, std::less<>> values_;
};
