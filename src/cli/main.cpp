#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "Calculator/Operators.h"
#include "cli/CliOptions.h"
#include "cli/CliSavedSettings.h"
#include "cli/CliSession.h"
#include "cli/CliStore.h"

namespace {

constexpr int kExitValue = 0;
constexpr int kExitError = 1;
constexpr int kExitUsage = 2;
constexpr int kExitStore = 3;

void report(const std::string& problem) { std::fprintf(stderr, "quillet-cli: %s\n", problem.c_str()); }

// A bad option or key points to the list of both.
void reportUsageError(const std::string& problem) { report(problem + " (see quillet-cli --help)"); }

int printDisplay(const CliSession& session, bool allPages) {
    if (allPages) {
        for (int page = 0; page < 4; ++page) std::fputs((session.displayText(page) + "\n").c_str(), stdout);
    } else {
        std::fputs((session.displayText() + "\n").c_str(), stdout);
    }
    return session.showsError() ? kExitError : kExitValue;
}

// The history of the store, as the history screen exports it; nothing in the file changes.
int printHistory(const CliOptions& options, char** argv) {
    if (!options.storePath) {
        reportUsageError("option --history needs --store FILE");
        return kExitUsage;
    }
    if (!options.keys.empty()) {
        reportUsageError("option --history takes no keys");
        return kExitUsage;
    }
    std::string problem;
    const std::unique_ptr<CliStore> store = openCliStore(*options.storePath, argv, &problem, CliStoreUse::ReadHistory);
    if (!store) {
        report(problem);
        return kExitStore;
    }
    const std::string history = store->historyText();
    std::fwrite(history.data(), 1, history.size(), stdout);
    return kExitValue;
}

}  // namespace

int main(int argc, char** argv) {
    std::string problem;
    std::optional<CliOptions> options = CliOptions::parse(argc, argv, &problem, cliSettingsFromSavedSettings());
    if (!options) {
        reportUsageError(problem);
        return kExitUsage;
    }
    if (options->help) {
        std::fputs((CliOptions::usage() + CliSession::keysHelp()).c_str(), stdout);
        return kExitValue;
    }

    // As the calculator screen does when it is built.
    Operators::sharedInstance().setAngleType(options->settings.angleType);
    Operators::sharedInstance().setWordSize(options->settings.wordSize);
    if (options->history) return printHistory(*options, argv);
    CliSession session(options->settings);

    // With a store the run continues the saved calculation, and saves it again however it
    // ends.
    std::unique_ptr<CliStore> store;
    if (options->storePath) {
        std::string storeProblem;
        store = openCliStore(*options->storePath, argv, &storeProblem);
        if (!store) {
            report(storeProblem);
            return kExitStore;
        }
        store->restoreCalcEngine(session.engine());
        session.showStartingPage();
        session.setHistoryStore(store.get());
    }
    auto finish = [&](int exitStatus) {
        if (store) store->persistCalcEngineAndClose(session.engine());
        return exitStatus;
    };

    if (!options->keys.empty()) {
        for (const std::string& keys : options->keys) {
            if (std::optional<std::string> keyProblem = session.pressKeys(keys)) {
                reportUsageError(*keyProblem);
                return finish(kExitUsage);
            }
        }
        return finish(printDisplay(session, options->allPages));
    }

    int status = kExitValue;
    bool hadUsageError = false;
    char* buffer = nullptr;
    size_t capacity = 0;
    ssize_t length = 0;
    while ((length = getline(&buffer, &capacity, stdin)) >= 0) {
        if (std::optional<std::string> keyProblem =
                session.pressKeys(std::string_view(buffer, static_cast<size_t>(length)))) {
            reportUsageError(*keyProblem);
            hadUsageError = true;
            continue;
        }
        status = printDisplay(session, options->allPages);
    }
    std::free(buffer);
    return finish(hadUsageError ? kExitUsage : status);
}
