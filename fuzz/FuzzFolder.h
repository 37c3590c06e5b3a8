#pragma once

#include <string>
#include <string_view>
#include <vector>

// A temporary folder for the file targets, made once per process and emptied before each input.
class FuzzFolder {
public:
    static FuzzFolder& sharedInstance();

    std::string filePath(std::string_view name) const { return path_ + "/" + std::string(name); }
    void clear() const;
    // The files whose names start with the prefix.
    std::vector<std::string> filesStartingWith(std::string_view prefix) const;

    static void writeFile(const std::string& path, std::string_view bytes);
    static std::string readFile(const std::string& path);

private:
    FuzzFolder();
    std::string path_;
};
