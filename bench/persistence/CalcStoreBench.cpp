#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <vector>

#include "Calculator/CalcEngine.h"
#include "Calculator/CalcEngineStore.h"
#include "Model/CalcStore.h"
#include "Platform/Core/Log.h"

namespace {

CalcValue u(uint64_t v) { return CalcValue::calcValueWithUBaseValue(v); }

// The quick operator list logs each change; the benchmarks keep standard error quiet.
struct QuietLog {
    QuietLog() {
        previous = Log::setSink([](std::string_view) {});
    }
    ~QuietLog() { Log::setSink(previous); }
    Log::Sink previous;
};

std::string storePath(const QTemporaryDir& folder) { return folder.path().toStdString() + "/Quillet.sqlite"; }

void addStepAndSave(CalcStore& store, uint64_t i) {
    store.addHistoryStepWithCalcValue1(u(i), OperatorsOperatorAdd, u(1), u(i + 1), CalcValueFormatStyleDec);
    store.saveChanges();
}

// One completed step as the calculator screen records it: add, then save. Median and 99th
// percentile of the single operations, on a file on disk with a full history to trim.
void runAddStepAndSave(benchmark::State& state, bool fullSync) {
    QuietLog quiet;
    QTemporaryDir folder;
    CalcStore store(storePath(folder));
    std::string error;
    store.open(&error);
    if (fullSync) store.persistentStoreCoordinator()->database()->execute("PRAGMA synchronous = FULL", &error);
    uint64_t i = 0;
    for (; i < 150; ++i) addStepAndSave(store, i);
    std::vector<double> millis;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        addStepAndSave(store, i++);
        millis.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(millis.begin(), millis.end());
    state.counters["median_ms"] = millis[millis.size() / 2];
    state.counters["p99_ms"] = millis[std::min(millis.size() - 1, millis.size() * 99 / 100)];
    state.counters["max_ms"] = millis.back();
}

void BM_AddHistoryStepAndSave(benchmark::State& state) { runAddStepAndSave(state, false); }
BENCHMARK(BM_AddHistoryStepAndSave)->Iterations(2000)->Unit(benchmark::kMillisecond);

// The same with a flush of every commit to the disk, for comparison with the setting chosen.
void BM_AddHistoryStepAndSaveFullSync(benchmark::State& state) { runAddStepAndSave(state, true); }
BENCHMARK(BM_AddHistoryStepAndSaveFullSync)->Iterations(500)->Unit(benchmark::kMillisecond);

void fillHistory(const std::string& path) {
    CalcStore store(path);
    for (uint64_t i = 0; i < 100; ++i) addStepAndSave(store, i);
    store.close();
}

size_t walkHistory(CalcStore& store) {
    auto list = store.historyStepsFetchedResultsController();
    size_t values = 0;
    for (const auto& section : list->sections()) {
        for (ManagedObject* object : section.objects) {
            auto* step = static_cast<HistoryStep*>(object);
            values += step->generalValue1() != nullptr;
            values += step->generalValueResult() != nullptr;
        }
    }
    return values;
}

// The history screen's list of 100 steps with every step's values, in a store already open.
void BM_SectionedHistoryList100(benchmark::State& state) {
    QTemporaryDir folder;
    fillHistory(storePath(folder));
    CalcStore store(storePath(folder));
    walkHistory(store);
    for (auto _ : state) benchmark::DoNotOptimize(walkHistory(store));
}
BENCHMARK(BM_SectionedHistoryList100)->Unit(benchmark::kMicrosecond);

// The same on a store just opened, so that every record comes from the file.
void BM_SectionedHistoryList100FromFile(benchmark::State& state) {
    QTemporaryDir folder;
    fillHistory(storePath(folder));
    for (auto _ : state) {
        state.PauseTiming();
        auto store = std::make_unique<CalcStore>(storePath(folder));
        std::string error;
        store->open(&error);
        state.ResumeTiming();
        benchmark::DoNotOptimize(walkHistory(*store));
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SectionedHistoryList100FromFile)->Unit(benchmark::kMicrosecond);

// Going to the background and starting again: persist an engine with 10 stack entries, then
// restore it into a fresh engine.
void BM_PersistAndRestoreEngine10(benchmark::State& state) {
    QTemporaryDir folder;
    CalcStore store(storePath(folder));
    CalcEngine engine;
    for (uint64_t entry = 0; entry < 10; ++entry) engine.appendStack({OperatorsOperatorAdd, u(entry)});
    for (auto _ : state) {
        CalcEngineStore::persistCalcEngine(engine, store);
        CalcEngine restored;
        CalcEngineStore::restoreCalcEngine(restored, store);
        benchmark::DoNotOptimize(restored.stack().size());
    }
}
BENCHMARK(BM_PersistAndRestoreEngine10)->Unit(benchmark::kMillisecond);

}  // namespace
