// Start-up of the calculator next to a bare Qt Widgets window (one QLabel), both started as
// child processes of this program and built the same way: from the moment the process is
// spawned to the end of the first paint of the window's content, and the resident memory at
// that moment. Then the cost of one key press, from the click to the repainted LCD.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "Calculator/CalcEngine.h"
#include "Calculator/CalcEngineStore.h"
#include "Classes/BaseNumberView.h"
#include "Classes/CalcViewController.h"
#include "Classes/DisplayViewController.h"
#include "Classes/FirstButtonViewController.h"
#include "Classes/NumberView.h"
#include "Classes/QuilletAppDelegate.h"
#include "Classes/UIButtonLCD.h"
#include "Model/CalcStore.h"
#include "Model/UserSettings.h"
#include "Platform/Store/UserDefaults.h"
#include "Platform/UI/ImageDiskCache.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/UIButton.h"
#include "Platform/UI/UIWindow.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double residentMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0.0;
}

// Reports on standard output once the watched widget has finished its first paint.
class FirstPaintReporter : public QObject {
public:
    explicit FirstPaintReporter(QWidget* watched) { watched->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Runs after the paint pass that delivered this event has ended.
            QTimer::singleShot(0, [] {
                std::printf("painted %.3f\n", residentMiB());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

int runStartupChild(const std::string& kind, int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quillet"));
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    if (kind == "bare") {
        QWidget window;
        auto* label = new QLabel(QStringLiteral("Quillet"), &window);
        label->setGeometry(10, 10, 200, 30);
        window.resize(480, 690);
        FirstPaintReporter reporter(label);
        window.show();
        return QApplication::exec();
    }
    if (kind == "phases") {
        // Where the calculator's start-up time goes, on standard error.
        QElapsedTimer clock;
        clock.start();
        // Over the rendered images of earlier starts, as the app delegate starts.
        ImageStore::openDiskCache(ImageDiskCache::standardDirectory());
        UIWindow window;
        std::fprintf(stderr, "window %lld ms\n", clock.restart());
        CalcEngineStore::restoreCalcEngine(CalcEngine::sharedInstance(), CalcStore::sharedInstance());
        std::fprintf(stderr, "restore %lld ms\n", clock.restart());
        auto* calc = new CalcViewController();
        std::fprintf(stderr, "screen %lld ms\n", clock.restart());
        window.addSubview(calc);
        window.show();
        std::fprintf(stderr, "show %lld ms\n", clock.restart());
        QCoreApplication::processEvents();
        std::fprintf(stderr, "first paint %lld ms\n", clock.restart());
        ImageStore::closeDiskCache();
        std::fprintf(stderr, "images kept %lld ms\n", clock.restart());
        return 0;
    }
    QuilletAppDelegate delegate;
    delegate.applicationDidFinishLaunching();
    FirstPaintReporter reporter(
        delegate.calcViewController()->displayViewController(delegate.calcViewController()->displayPageIndex()));
    return QApplication::exec();
}

struct StartupSample {
    double seconds;
    double residentMiB;
};

StartupSample spawnStartupChild(const char* self, const char* kind) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::string flag = std::string("--startup-child=") + kind;
    char* childArgv[] = {const_cast<char*>(self), flag.data(), nullptr};
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, self, &actions, nullptr, childArgv, environ) != 0) std::abort();
    close(pipeFds[1]);
    char buffer[128] = {};
    size_t used = 0;
    while (used < sizeof buffer - 1) {
        const ssize_t got = read(pipeFds[0], buffer + used, sizeof buffer - 1 - used);
        if (got <= 0) break;
        used += static_cast<size_t>(got);
        if (std::string_view(buffer, used).find('\n') != std::string_view::npos) break;
    }
    const auto painted = Clock::now();
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    double resident = 0.0;
    std::sscanf(buffer, "painted %lf", &resident);
    return {std::chrono::duration<double>(painted - start).count(), resident};
}

const char* selfPath = nullptr;
std::vector<double> bareTimes, calcTimes;
double bareResident = 0.0, calcResident = 0.0;

double median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void startup(benchmark::State& state, const char* kind, std::vector<double>& times, double& resident) {
    for (auto _ : state) {
        const StartupSample sample = spawnStartupChild(selfPath, kind);
        state.SetIterationTime(sample.seconds);
        times.push_back(sample.seconds);
        resident = sample.residentMiB;
    }
    state.counters["rss_MiB"] = resident;
}

// Alternate the two kinds so that neither profits from a warmer cache: both get the same
// number of runs, interleaved by the benchmark order below.
void BM_StartupBareQtWindow(benchmark::State& state) { startup(state, "bare", bareTimes, bareResident); }
void BM_StartupCalculator(benchmark::State& state) { startup(state, "calc", calcTimes, calcResident); }
void BM_StartupBareQtWindowAgain(benchmark::State& state) { startup(state, "bare", bareTimes, bareResident); }
void BM_StartupCalculatorAgain(benchmark::State& state) { startup(state, "calc", calcTimes, calcResident); }

BENCHMARK(BM_StartupBareQtWindow)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupCalculator)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupBareQtWindowAgain)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupCalculatorAgain)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

// Paints of the LCD's number are counted here.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* watched) { watched->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

void BM_KeyPressToRepaintedLCD(benchmark::State& state) {
    QTemporaryDir directory;
    UserDefaults defaults(directory.filePath("settings.ini").toStdString());
    UserSettings settings(defaults);
    CalcStore store(directory.filePath("Quillet.sqlite").toStdString());
    CalcEngine engine;
    auto delegate = std::make_unique<QuilletAppDelegate>(engine, store, settings);
    delegate->applicationDidFinishLaunching();
    CalcViewController& calc = *delegate->calcViewController();
    QTest::qWait(100);
    UIButtonLCD* lcd = calc.displayViewController(calc.displayPageIndex())->button();
    // The integer drawing view is what a digit or a clear redraws.
    PaintCounter counter(lcd->numberView()->baseNumberView());
    FirstButtonViewController& keypad = *calc.firstButtonViewController();
    UIButton* keys[] = {keypad.numberButton(7), keypad.buttonClearKey()};
    std::vector<double> samples;
    int next = 0;
    for (auto _ : state) {
        UIButton* key = keys[next];
        next = 1 - next;
        const int before = counter.paints;
        const auto start = Clock::now();
        QTest::mouseClick(key, Qt::LeftButton, {}, key->rect().center());
        while (counter.paints == before) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        samples.push_back(seconds);
    }
    state.counters["median_ms"] = median(samples) * 1000.0;
    delegate->applicationWillTerminate();
}
BENCHMARK(BM_KeyPressToRepaintedLCD)->UseManualTime()->Iterations(400)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--startup-child=", 0) == 0) return runStartupChild(argument.substr(16), 1, argv);
    }
    // The children keep their settings, store and rendered images in a temporary home, never
    // the user's. The first calculator drawn fills the image cache that the later ones read.
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QDir(home.path()).filePath("data").toUtf8());
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath("config").toUtf8());
    qputenv("XDG_CACHE_HOME", QDir(home.path()).filePath("cache").toUtf8());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
    selfPath = argv[0];
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!bareTimes.empty() && !calcTimes.empty()) {
        const double bare = median(bareTimes), calc = median(calcTimes);
        std::printf(
            "\nstart-up to first frame, median: bare Qt window %.1f ms, calculator %.1f ms, ratio %.2f "
            "(target 1.30)\n",
            bare * 1000, calc * 1000, calc / bare);
        std::printf(
            "resident memory after start: bare Qt window %.1f MiB, calculator %.1f MiB, difference %.1f "
            "MiB (target 15)\n",
            bareResident, calcResident, calcResident - bareResident);
    }
    return 0;
}
