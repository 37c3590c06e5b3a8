// The calculator's screens: the cost of one key press, from the click to the repainted LCD, and
// (StartupBench.cpp) the start-up next to a bare Qt window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "Calculator/CalcEngine.h"
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
#include "Platform/UI/UIButton.h"
#include "StartupBench.h"

namespace {

using Clock = std::chrono::steady_clock;

double median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

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
        if (argument.rfind("--startup-child=", 0) == 0) return StartupBench::runChild(argument.substr(16), argv[0]);
    }
    // The children keep their settings, store and rendered images in a temporary home, never
    // the user's.
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QDir(home.path()).filePath("data").toUtf8());
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath("config").toUtf8());
    qputenv("XDG_CACHE_HOME", QDir(home.path()).filePath("cache").toUtf8());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
    StartupBench::setProgramPath(argv[0]);
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    StartupBench::printSummary();
    return 0;
}
