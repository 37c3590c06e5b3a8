#include "Platform/Core/UserDefaultsFile.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

}  // namespace

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
    FILE* file = std::fopen(filePath.c_str(), "r");
    if (!file) return;
    char* line = nullptr;
    size_t capacity = 0;
    ssize_t length = 0;
    // Keys without a group are kept in the [General] section.
    bool inGeneral = false;
    while ((length = getline(&line, &capacity, file)) >= 0) {
        std::string_view text = trimmed(std::string_view(line, static_cast<size_t>(length)));
        if (!text.empty() && text.back() == '\n') text = trimmed(text.substr(0, text.size() - 1));
        if (text.empty() || text.front() == ';' || text.front() == '#') continue;
        if (text.front() == '[') {
            inGeneral = text == "[General]";
            continue;
        }
        const size_t equals = text.find('=');
        if (!inGeneral || equals == std::string_view::npos) continue;
        std::string_view value = trimmed(text.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        values_.insert_or_assign(std::string(trimmed(text.substr(0, equals))), std::string(value));
    }
    std::free(line);
    std::fclose(file);
}

std::optional<std::string_view> UserDefaultsFile::valueForKey(std::string_view key) const {
    const auto found = values_.find(key);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

int32_t UserDefaultsFile::integerForKey(std::string_view key) const {
    const std::optional<std::string_view> value = valueForKey(key);
    if (!value) return 0;
    int32_t number = 0;
    const auto result = std::from_chars(value->data(), value->data() + value->size(), number);
    return result.ec == std::errc() && result.ptr == value->data() + value->size() ? number : 0;
}

bool UserDefaultsFile::boolForKey(std::string_view key) const {
    const std::optional<std::string_view> value = valueForKey(key);
    // As a stored text converts to a boolean: only "", "0" and "false" are false.
    if (!value || value->empty() || *value == "0") return false;
    if (value->size() != 5) return true;
    std::string lower(*value);
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower != "false";
}
