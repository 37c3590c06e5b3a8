#pragma once

#include <string>
#include <vector>

#include "Platform/Core/Log.h"

// Collects the log lines written while it lives.
class LogCapture {
public:
    LogCapture() : previous_(Log::setSink([this](std::string_view line) { lines_.emplace_back(line); })) {}
    ~LogCapture() { Log::setSink(previous_); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const std::vector<std::string>& lines() const { return lines_; }
    bool contains(const std::string& text) const {
        for (const std::string& line : lines_) {
            if (line.find(text) != std::string::npos) return true;
        }
        return false;
    }

private:
    std::vector<std::string> lines_;
    Log::Sink previous_;
};
