#include "cli/CliOptions.h"

#include <charconv>
#include <string_view>

namespace {

std::optional<int> numberIn(std::string_view text, int lowest, int highest) {
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    if (value < lowest || value > highest) return std::nullopt;
    return value;
}

}  // namespace

std::optional<CliOptions> CliOptions::parse(int argc, char** argv, std::string* problem,
                                            const CliSettings& startingSettings) {
    CliOptions options;
    options.settings = startingSettings;
    int i = 1;
    for (; i < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument == "--") {
            ++i;
            break;
        }
        if (!argument.starts_with("--")) break;
        std::string_view name = argument;
        std::optional<std::string_view> value;
        if (const size_t equals = argument.find('='); equals != std::string_view::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
        }
        auto numberOption = [&](int lowest, int highest) -> std::optional<int> {
            if (!value) {
                if (i + 1 >= argc) return std::nullopt;
                value = argv[++i];
            }
            return numberIn(*value, lowest, highest);
        };
        if (name == "--word-size") {
            const std::optional<int> wordSize = numberOption(2, 64);
            if (!wordSize) {
                *problem = "option --word-size needs a word size from 2 to 64";
                return std::nullopt;
            }
            options.settings.wordSize = *wordSize;
        } else if (name == "--places") {
            const std::optional<int> places = numberOption(0, 10);
            if (!places) {
                *problem = "option --places needs a number of decimal places from 0 to 10";
                return std::nullopt;
            }
            options.settings.numDecimalPlacesValue = *places;
        } else if (name == "--sig-figs") {
            const std::optional<int> figures = numberOption(1, 10);
            if (!figures) {
                *problem = "option --sig-figs needs a number of significant figures from 1 to 10";
                return std::nullopt;
            }
            options.settings.numSigFigsValue = *figures - 1;
        } else if (name == "--store") {
            if (!value) {
                if (i + 1 >= argc) {
                    *problem = "option --store needs a file";
                    return std::nullopt;
                }
                value = argv[++i];
            }
            if (value->empty()) {
                *problem = "option --store needs a file";
                return std::nullopt;
            }
            options.storePath = std::string(*value);
        } else if (value) {
            *problem = "option " + std::string(name) + " takes no value";
            return std::nullopt;
        } else if (name == "--signed") {
            options.settings.integerTypeValue = 1;
        } else if (name == "--unsigned") {
            options.settings.integerTypeValue = 0;
        } else if (name == "--degrees") {
            options.settings.angleType = 0;
        } else if (name == "--radians") {
            options.settings.angleType = 1;
        } else if (name == "--history") {
            options.history = true;
        } else if (name == "--pages") {
            options.allPages = true;
        } else if (name == "--help") {
            options.help = true;
        } else {
            *problem = "unknown option '" + std::string(argument) + "'";
            return std::nullopt;
        }
    }
    for (; i < argc; ++i) options.keys.emplace_back(argv[i]);
    return options;
}

std::string CliOptions::usage() {
    return "Usage: quillet-cli [OPTIONS] [KEYS...]\n"
           "Presses the keys on a fresh calculator and prints the display. Without keys, reads\n"
           "lines of keys from standard input and prints the display after each line.\n"
           "Exit status: 0 a value is shown, 1 an error is shown, 2 a usage error, 3 the store\n"
           "cannot be used.\n"
           "\n"
           "The calculator's saved settings apply; these options change them for this run only\n"
           "(defaults in brackets are those of a fresh installation):\n"
           "  --word-size N   integer word size, 2 to 64 bits (32)\n"
           "  --signed        signed integers            --unsigned   unsigned integers (default)\n"
           "  --degrees       angles in degrees (default) --radians   angles in radians\n"
           "  --places N      decimal places of the Fix style, 0 to 10 (4)\n"
           "  --sig-figs N    significant figures of the Eng and Sci styles, 1 to 10 (7)\n"
           "  --store FILE    restore the calculator from the store FILE, record each completed\n"
           "                  step in its history, and save the calculator into it at the end\n"
           "  --history       with --store FILE and no keys: print the history of FILE as the\n"
           "                  history screen exports it, one block per day; FILE is not changed\n"
           "  --pages         print all four display pages, page 0 first\n"
           "  --help          this text\n"
           "\n";
}
