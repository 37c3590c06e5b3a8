// Start-up of the calculator next to a bare Qt Widgets window (one QLabel), both started as
// child processes of this program and built the same way: from the moment the process is
// spawned to the end of the first paint of the window's content, and the resident memory at
// that moment. The two are started in pairs, in turn first, so that both meet the same load of
// the machine; the spread of the pairs' ratios says how far one run can be trusted. Each child
// also reports the moments of its start, so that a slow phase shows.
#include "StartupBench.h"

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <vector>

#include "Classes/CalcViewController.h"
#include "Classes/DisplayViewController.h"
#include "Classes/QuilletAppDelegate.h"
#include "Model/CalcStore.h"
#include "Platform/UI/FontConfigurationLoader.h"
#include "Platform/UI/FontDatabaseLoader.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// The moments a child reports, in order.
constexpr const char* kStages[] = {"main", "application", "store", "window", "launched", "paint", "painted"};

double residentMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0.0;
}

double threadCpuMilliseconds() {
    timespec cpu{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    return static_cast<double>(cpu.tv_sec) * 1e3 + static_cast<double>(cpu.tv_nsec) / 1e6;
}

// Moments of a child's start, on the steady clock that the parent process shares.
std::vector<std::pair<const char*, Clock::time_point>> stages;
void markStage(const char* name) { stages.emplace_back(name, Clock::now()); }

// Reports on standard output once the watched widget has finished its first paint: the resident
// memory, the main thread's processor time, then each moment of the start as name=nanoseconds.
class FirstPaintReporter : public QObject {
public:
    explicit FirstPaintReporter(QWidget* watched) { watched->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            markStage("paint");
            // Runs after the paint pass that delivered this event has ended.
            QTimer::singleShot(0, [] {
                markStage("painted");
                std::printf("painted %.3f %.3f", residentMiB(), threadCpuMilliseconds());
                for (const auto& [name, moment] : stages) {
                    const auto nanoseconds =
                        std::chrono::duration_cast<std::chrono::nanoseconds>(moment.time_since_epoch());
                    std::printf(" %s=%lld", name, static_cast<long long>(nanoseconds.count()));
                }
                std::printf("\n");
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

int runBareWindow(int argc, char** argv) {
    QApplication application(argc, argv);
    markStage("application");
    QWidget window;
    auto* label = new QLabel(QStringLiteral("Quillet"), &window);
    label->setGeometry(10, 10, 200, 30);
    window.resize(480, 690);
    FirstPaintReporter reporter(label);
    window.show();
    return QApplication::exec();
}

// As the app's main() starts it.
int runCalculator(int argc, char** argv) {
    const FontConfigurationLoader fontConfiguration;
    QApplication application(argc, argv);
    markStage("application");
    const FontDatabaseLoader fonts(fontConfiguration);
    QuilletAppDelegate::applicationWillLaunch();
    if (!CalcStore::sharedInstance().open(nullptr)) return 1;
    markStage("store");
    QuilletAppDelegate delegate;
    markStage("window");
    delegate.applicationDidFinishLaunching();
    markStage("launched");
    CalcViewController& calc = *delegate.calcViewController();
    FirstPaintReporter reporter(calc.displayViewController(calc.displayPageIndex()));
    return QApplication::exec();
}

struct Sample {
    double milliseconds;
    double residentMiB;
    double cpuMilliseconds;
    // Milliseconds from the spawn to each moment of the start.
    std::map<std::string, double> stages;
};

const char* programPath = nullptr;

Sample spawnChild(const char* kind) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::string flag = std::string("--startup-child=") + kind;
    char* childArgv[] = {const_cast<char*>(programPath), flag.data(), nullptr};
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, programPath, &actions, nullptr, childArgv, environ) != 0) std::abort();
    close(pipeFds[1]);
    std::string report;
    char buffer[512];
    while (report.find('\n') == std::string::npos) {
        const ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
        if (got <= 0) break;
        report.append(buffer, static_cast<size_t>(got));
    }
    const auto painted = Clock::now();
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);

    Sample sample{std::chrono::duration<double, std::milli>(painted - start).count(), 0.0, 0.0, {}};
    std::istringstream words(report);
    std::string word;
    words >> word >> sample.residentMiB >> sample.cpuMilliseconds;
    while (words >> word) {
        const size_t equals = word.find('=');
        if (equals == std::string::npos) continue;
        const Clock::time_point moment{std::chrono::nanoseconds(std::stoll(word.substr(equals + 1)))};
        sample.stages[word.substr(0, equals)] = std::chrono::duration<double, std::milli>(moment - start).count();
    }
    return sample;
}

std::map<std::string, std::vector<Sample>> samples;

double quantile(std::vector<double> values, double q) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(q * static_cast<double>(values.size() - 1) + 0.5)];
}

std::vector<double> field(const std::vector<Sample>& runs, double Sample::*member) {
    std::vector<double> values;
    for (const Sample& run : runs) values.push_back(run.*member);
    return values;
}

void BM_StartupBareWindowThenCalculator(benchmark::State& state) {
    bool bareFirst = true;
    for (auto _ : state) {
        for (const char* kind : bareFirst ? std::array{"bare", "calc"} : std::array{"calc", "bare"}) {
            samples[kind].push_back(spawnChild(kind));
        }
        bareFirst = !bareFirst;
        state.SetIterationTime(samples["calc"].back().milliseconds / 1000.0);
    }
}
// The first calculator drawn fills the image cache that the later ones read; one pair more
// than an even number keeps it out of the medians' way.
BENCHMARK(BM_StartupBareWindowThenCalculator)->UseManualTime()->Iterations(41)->Unit(benchmark::kMillisecond);

}  // namespace

namespace StartupBench {

int runChild(const std::string& kind, char* programName) {
    markStage("main");
    int argc = 1;
    char* argv[] = {programName, nullptr};
    return kind == "bare" ? runBareWindow(argc, argv) : runCalculator(argc, argv);
}

void setProgramPath(const char* path) { programPath = path; }

void printSummary() {
    const std::vector<Sample>& bare = samples["bare"];
    const std::vector<Sample>& calc = samples["calc"];
    if (bare.empty() || calc.size() != bare.size()) return;
    std::vector<double> ratios;
    for (size_t pair = 0; pair < bare.size(); ++pair)
        ratios.push_back(calc[pair].milliseconds / bare[pair].milliseconds);
    const double bareMedian = quantile(field(bare, &Sample::milliseconds), 0.5);
    const double calcMedian = quantile(field(calc, &Sample::milliseconds), 0.5);
    std::printf(
        "\nstart-up to first frame, median of %zu pairs: bare Qt window %.1f ms, calculator %.1f ms, ratio %.2f "
        "(target 1.30)\n",
        bare.size(), bareMedian, calcMedian, calcMedian / bareMedian);
    std::printf("ratio of the pairs: quartiles %.2f, %.2f, %.2f; range %.2f to %.2f\n", quantile(ratios, 0.25),
                quantile(ratios, 0.5), quantile(ratios, 0.75), quantile(ratios, 0.0), quantile(ratios, 1.0));
    std::printf("main thread's processor time to the first frame, median: bare %.1f ms, calculator %.1f ms\n",
                quantile(field(bare, &Sample::cpuMilliseconds), 0.5),
                quantile(field(calc, &Sample::cpuMilliseconds), 0.5));
    std::printf(
        "resident memory after start, median: bare Qt window %.1f MiB, calculator %.1f MiB, difference %.1f "
        "MiB (target 15)\n",
        quantile(field(bare, &Sample::residentMiB), 0.5), quantile(field(calc, &Sample::residentMiB), 0.5),
        quantile(field(calc, &Sample::residentMiB), 0.5) - quantile(field(bare, &Sample::residentMiB), 0.5));
    for (const auto& [kind, runs] : samples) {
        std::printf("%s, median ms after the spawn:", kind.c_str());
        for (const char* name : kStages) {
            std::vector<double> moments;
            for (const Sample& run : runs) {
                if (auto found = run.stages.find(name); found != run.stages.end()) moments.push_back(found->second);
            }
            if (!moments.empty()) std::printf(" %s %.1f", name, quantile(moments, 0.5));
        }
        std::printf("\n");
    }
}

}  // namespace StartupBench
