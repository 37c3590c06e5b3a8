#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/CliSettings.h"

// The command line of quillet-cli: options first, then the keys.
struct CliOptions {
    CliSettings settings;
    bool allPages = false;
    bool help = false;
    std::vector<std::string> keys;

    // No value, and a message naming the offending argument, for a usage error.
    static std::optional<CliOptions> parse(int argc, char** argv, std::string* problem);
    static std::string usage();
};
