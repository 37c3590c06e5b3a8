#include "FuzzFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "FuzzInvariants.h"

FuzzFolder& FuzzFolder::sharedInstance() {
    static FuzzFolder folder;
    return folder;
}

FuzzFolder::FuzzFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillet-fuzz-XXXXXX").string();
    FuzzInvariants::require(mkdtemp(pattern.data()) != nullptr, "cannot make a temporary folder");
    path_ = pattern;
    // Every file settings and stores create lands here, never in the user's own folders.
    setenv("HOME", path_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
    setenv("XDG_DATA_HOME", path_.c_str(), 1);
}

void FuzzFolder::clear() const {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(path_, error)) {
        std::filesystem::remove_all(entry.path(), error);
    }
}

std::vector<std::string> FuzzFolder::filesStartingWith(std::string_view prefix) const {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(path_, error)) {
        if (entry.path().filename().string().starts_with(prefix)) files.push_back(entry.path().string());
    }
    return files;
}

void FuzzFolder::writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    FuzzInvariants::require(file.good(), "cannot write " + path);
}

std::string FuzzFolder::readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
