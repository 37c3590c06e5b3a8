#include "Platform/Store/FileSetAside.h"

#include <ctime>
#include <filesystem>
#include <system_error>

std::optional<std::string> setFileAside(const std::string& path, std::string* error,
                                        const std::vector<std::string>& companionSuffixes) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = path + ".unreadable-" + stamp;
    std::string target = base;
    std::error_code code;
    for (int attempt = 2; std::filesystem::exists(target, code); ++attempt)
        target = base + "-" + std::to_string(attempt);
    std::filesystem::rename(path, target, code);
    if (code) {
        if (error) *error = code.message();
        return std::nullopt;
    }
    for (const std::string& suffix : companionSuffixes) {
        if (!std::filesystem::exists(path + suffix, code)) continue;
        std::filesystem::rename(path + suffix, target + suffix, code);
        if (code) {
            if (error) *error = code.message();
            return std::nullopt;
        }
    }
    return target;
}
