// quillet-cli's options and keys. The input is the command line, one argument per NUL-separated
// part. A refused command line or key gives a message; accepted options lie within their
// ranges; every page shows a text; after an argument ending in "=" the integer accumulator lies
// within the word size, and a pasted value is finite and within the word size.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Calculator/Operators.h"
#include "FuzzInput.h"
#include "FuzzInvariants.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"

namespace {

std::vector<std::string> argumentsFromInput(std::string_view input) {
    std::vector<std::string> arguments{"quillet-cli"};
    size_t start = 0;
    while (start <= input.size()) {
        size_t end = input.find('\0', start);
        if (end == std::string_view::npos) end = input.size();
        arguments.emplace_back(input.substr(start, end - start));
        start = end + 1;
    }
    return arguments;
}

std::string_view lastToken(std::string_view keys) {
    constexpr std::string_view blanks = " \t\r\n\v\f";
    keys = keys.substr(0, keys.find_last_not_of(blanks) + 1);
    const size_t before = keys.find_last_of(blanks);
    return before == std::string_view::npos ? keys : keys.substr(before + 1);
}

void checkSettings(const CliSettings& settings) {
    FuzzInvariants::require(settings.wordSize >= 2 && settings.wordSize <= 64, "word size out of range");
    FuzzInvariants::require(settings.numDecimalPlacesValue >= 0 && settings.numDecimalPlacesValue <= 10,
                            "decimal places out of range");
    FuzzInvariants::require(settings.numSigFigsValue >= 0 && settings.numSigFigsValue <= 9,
                            "significant figures out of range");
    FuzzInvariants::require(settings.integerTypeValue == 0 || settings.integerTypeValue == 1, "integer type");
    FuzzInvariants::require(settings.angleType == 0 || settings.angleType == 1, "angle type");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    std::vector<std::string> arguments = argumentsFromInput(input.rest());
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    std::string problem;
    const std::optional<CliOptions> options =
        CliOptions::parse(static_cast<int>(arguments.size()), argv.data(), &problem);
    if (!options) {
        FuzzInvariants::require(!problem.empty(), "a refused command line without a message");
        return 0;
    }
    checkSettings(options->settings);
    // --store hands over to another program; --help prints and stops.
    if (options->help || options->storePath) return 0;

    Operators::sharedInstance().setAngleType(options->settings.angleType);
    Operators::sharedInstance().setWordSize(options->settings.wordSize);
    CliSettings settings = options->settings;
    CliSession session(settings);
    const int wordSize = settings.wordSize;
    for (const std::string& keys : options->keys) {
        if (const std::optional<std::string> keyProblem = session.pressKeys(keys)) {
            FuzzInvariants::require(!keyProblem->empty(), "a refused key without a message");
            break;
        }
        const CalcEngine& engine = session.engine();
        FuzzInvariants::checkAccumulator(engine);
        if (const size_t paste = keys.find("paste:"); paste != std::string::npos) {
            FuzzInvariants::checkPastedValue(engine.accumulatorCalcValue(), wordSize, keys.substr(paste + 6));
        } else if (lastToken(keys) == "=") {
            FuzzInvariants::checkAfterEquals(engine, wordSize);
        }
    }
    for (int page = 0; page < 4; ++page) {
        FuzzInvariants::require(!session.displayText(page).empty(), "page " + std::to_string(page) + " shows nothing");
    }
    return 0;
}
