#include "Platform/Core/UserDefaultsFile.h"

#include <cstdio>
#include <cstdlib>

std::string UserDefaultsFile::standardFilePath() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    std::string directory;
    if (configHome && configHome[0] == '/') {
        directory = configHome;
    } else {
        const char* home = std::getenv("HOME");
        directory = std::string(home ? home : "") + "/.config";
    }
    return directory + "/Quillet/Quillet.conf";
}

UserDefaultsFile::UserDefaultsFile(const std::string& filePath) {
    // C streams: the C++ ones would set up their locales, a good part of the start-up time.
    FILE* file = std::fopen(filePath.c_str(), "rb");
    if (!file) return;
    std::string text;
    char buffer[4096];
    size_t length = 0;
    while ((length = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, length);
    const bool readWhole = !std::ferror(file);
    std::fclose(file);
    // A file the calculator cannot read is set aside by it, which then starts from the defaults.
    if (!readWhole) return;
    if (auto values = UserDefaultsIniParser::generalValuesFromText(text)) values_ = std::move(*values);
}

int32_t UserDefaultsFile::integerForKey(std::string_view key) const {
    const auto found = values_.find(key);
    return found == values_.end() ? 0 : found->second.integerValue();
}

bool UserDefaultsFile::boolForKey(std::string_view key) const {
    const auto found = values_.find(key);
    return found != values_.end() && found->second.boolValue();
}
