#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class QSettings;

// Integer and boolean values per string key, kept across restarts; a missing key reads 0 or
// false. The standard instance lives where QSettings keeps organisation and application
// "Quillet"; tests and tools may open their own file.
class UserDefaults {
public:
    static UserDefaults& standardUserDefaults();
    // An INI file of its own. A file that cannot be read is moved aside (never deleted), the
    // move is logged, and the defaults start empty.
    explicit UserDefaults(const std::string& filePath);
    ~UserDefaults();
    UserDefaults(const UserDefaults&) = delete;
    UserDefaults& operator=(const UserDefaults&) = delete;

    int32_t integerForKey(std::string_view key) const;
    void setIntegerForKey(int32_t value, std::string_view key);
    bool boolForKey(std::string_view key) const;
    void setBoolForKey(bool value, std::string_view key);
    bool hasValueForKey(std::string_view key) const;
    // Makes every value written so far permanent; false when the file could not be written.
    bool synchronize();

    std::string fileName() const;

private:
    explicit UserDefaults(std::unique_ptr<QSettings> settings);
    void setAsideUnreadableFile();

    std::unique_ptr<QSettings> settings_;
};
