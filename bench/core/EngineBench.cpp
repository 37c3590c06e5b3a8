#include <benchmark/benchmark.h>

#include "Calculator/CalcEngine.h"
#include "Calculator/CalcScreenLogic.h"
#include "Calculator/Operators.h"
#include "Calculator/OperatorsBasic.h"
#include "Utils/NumberUtils.h"

namespace {

class DefaultSettings : public CalcScreenSettings {
public:
    int32_t numDecimalPlaces() const override { return 4; }
    int32_t numSigFigs() const override { return 6; }
    int32_t realStyle() const override { return 3; }
    void setRealStyle(int32_t) override {}
    int32_t integerType() const override { return 0; }
};

// What the screen does on every accumulator change: keep the kind in line and make the text
// of the page shown.
class DisplayingDelegate : public CalcEngineDelegate {
public:
    DisplayingDelegate(CalcEngine& engine, CalcScreenSettings& settings) : logic(engine, settings), engine_(engine) {}
    void calcEngineNewOperator(CalcEngine&, OperatorsOperator) override {}
    void calcEngineAddHistoryStepWithCalcValue1(CalcEngine&, const CalcValue&, OperatorsOperator,
                                                const std::optional<CalcValue>&, const CalcValue&) override {}
    void calcEngineAccumulatorUpdate(CalcEngine&) override {
        logic.accumulatorUpdate(Operators::sharedInstance().wordSize());
        const CalcValueFormat format = logic.displayedFormat(logic.displayPage());
        text = NumberUtils::stringFromCalcValue(engine_.accumulatorCalcValue(), &format);
    }
    CalcScreenLogic logic;
    std::string text;

private:
    CalcEngine& engine_;
};

void runKeyPresses(benchmark::State& state, CalcValueType type) {
    Operators::sharedInstance().setWordSize(32);
    DefaultSettings settings;
    CalcEngine engine;
    engine.setAccumulatorCalcValue(CalcValue::calcValueWithType(type));
    DisplayingDelegate delegate(engine, settings);
    delegate.logic.setDisplayPage(2);
    delegate.logic.setCurrentCalcValueType(type);
    engine.setDelegate(&delegate);
    // 2 + 3 × 4 = : seven key presses.
    for (auto _ : state) {
        engine.enterValue(2);
        engine.enterOperator(OperatorsOperatorAdd);
        engine.enterValue(3);
        engine.enterOperator(OperatorsOperatorMultiply);
        engine.enterValue(4);
        engine.enterEquals();
        engine.enterValue(1);
        benchmark::DoNotOptimize(delegate.text);
    }
    state.SetItemsProcessed(state.iterations() * 7);
    state.counters["ns_per_key"] = benchmark::Counter(static_cast<double>(state.iterations() * 7),
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_KeyPressUnsigned(benchmark::State& state) { runKeyPresses(state, CalcValueTypeUBase); }
void BM_KeyPressReal(benchmark::State& state) { runKeyPresses(state, CalcValueTypeReal); }
BENCHMARK(BM_KeyPressUnsigned);
BENCHMARK(BM_KeyPressReal);

void BM_FormatStyle(benchmark::State& state) {
    const CalcValueFormatStyle style = *calcValueFormatStyleFromInt32(static_cast<int32_t>(state.range(0)));
    Operators::sharedInstance().setWordSize(64);
    const CalcValue value = style <= CalcValueFormatStyleAuto ? CalcValue::calcValueWithRealValue(-123456.789012)
                                                              : CalcValue::calcValueWithUBaseValue(0xDEADBEEFCAFEF00D);
    CalcValueFormat format = CalcValueFormat::withStyle(style);
    if (style == CalcValueFormatStyleFix) format.numDecimalPlaces = 4;
    if (style == CalcValueFormatStyleEng || style == CalcValueFormatStyleSci) format.numSigFig = 7;
    for (auto _ : state) {
        benchmark::DoNotOptimize(NumberUtils::stringFromCalcValue(value, &format));
    }
    static const char* const kNames[] = {"Fix", "Eng", "Sci", "Auto", "Bin", "Oct", "Dec", "Hex"};
    state.SetLabel(kNames[style]);
}
BENCHMARK(BM_FormatStyle)->DenseRange(0, 7);

}  // namespace
