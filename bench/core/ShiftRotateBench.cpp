// The N-bit shifts and rotates with the largest count at the largest word size, the slowest
// operator path, next to a one-bit shift. All go through the registry, as the engine's do.

#include <benchmark/benchmark.h>

#include "Calculator/Operators.h"
#include "Calculator/OperatorsShiftRotate.h"

namespace {

constexpr int kWordSize = 64;

void runUnary(benchmark::State& state, OperatorsOperator op) {
    Operators& operators = Operators::sharedInstance();
    operators.setWordSize(kWordSize);
    CalcValue value = CalcValue::calcValueWithUBaseValue(0x0123456789ABCDEFu);
    OperatorsError error = OperatorsErrorNone;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        std::optional<CalcValue> result = operators.calculateResultForCalcValue(value, op, &error);
        benchmark::DoNotOptimize(result);
    }
}

void runN(benchmark::State& state, OperatorsOperator op) {
    Operators& operators = Operators::sharedInstance();
    operators.setWordSize(kWordSize);
    CalcValue value = CalcValue::calcValueWithUBaseValue(0x0123456789ABCDEFu);
    CalcValue count = CalcValue::calcValueWithUBaseValue(static_cast<uint64_t>(state.range(0)));
    OperatorsError error = OperatorsErrorNone;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(count);
        std::optional<CalcValue> result = operators.calculateResultForCalcValue1(value, op, count, &error);
        benchmark::DoNotOptimize(result);
    }
}

// For scale: what the N forms would cost if they entered the one-bit operator count times.
void BM_ShiftLeftOneBitEnteredRepeatedly(benchmark::State& state) {
    Operators& operators = Operators::sharedInstance();
    operators.setWordSize(kWordSize);
    const CalcValue start = CalcValue::calcValueWithUBaseValue(0x0123456789ABCDEFu);
    OperatorsError error = OperatorsErrorNone;
    for (auto _ : state) {
        std::optional<CalcValue> value = start;
        for (int64_t step = 0; step < state.range(0); ++step) {
            value = operators.calculateResultForCalcValue(*value, OperatorsOperatorShiftLeft, &error);
        }
        benchmark::DoNotOptimize(value);
    }
}

void BM_ShiftLeftOneBit(benchmark::State& state) { runUnary(state, OperatorsOperatorShiftLeft); }
void BM_RotateLeftOneBit(benchmark::State& state) { runUnary(state, OperatorsOperatorRotateLeft); }
void BM_ShiftLeftN(benchmark::State& state) { runN(state, OperatorsOperatorShiftLeftN); }
void BM_ShiftRightN(benchmark::State& state) { runN(state, OperatorsOperatorShiftRightN); }
void BM_RotateLeftN(benchmark::State& state) { runN(state, OperatorsOperatorRotateLeftN); }
void BM_RotateRightN(benchmark::State& state) { runN(state, OperatorsOperatorRotateRightN); }

BENCHMARK(BM_ShiftLeftOneBit);
BENCHMARK(BM_RotateLeftOneBit);
BENCHMARK(BM_ShiftLeftOneBitEnteredRepeatedly)->Arg(OperatorsMaxWordSize);
BENCHMARK(BM_ShiftLeftN)->Arg(1)->Arg(OperatorsMaxWordSize);
BENCHMARK(BM_ShiftRightN)->Arg(OperatorsMaxWordSize);
BENCHMARK(BM_RotateLeftN)->Arg(1)->Arg(OperatorsMaxWordSize);
BENCHMARK(BM_RotateRightN)->Arg(OperatorsMaxWordSize);

}  // namespace
