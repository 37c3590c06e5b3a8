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
    // --store FILE: the engine is restored from FILE, steps go into its history, the engine is
    // saved into it at the end.
    std::optional<std::string> storePath;
    // --history: prints the history of the --store file and changes nothing in it.
    bool history = false;
    std::vector<std::string> keys;

    // No value, and a message naming the offending argument, for a usage error. The options
    // change the given starting settings.
    static std::optional<CliOptions> parse(int argc, char** argv, std::string* problem,
                                           const CliSettings& startingSettings = {});
    static std::string usage();
};
