#include "Calculator/CalcEngineStore.h"

#include "Calculator/CalcEngine.h"
#include "Calculator/Operators.h"
#include "Model/CalcStore.h"
#include "Model/CalcStoreRecordCheck.h"
#include "Platform/Core/FatalAssert.h"
#include "Platform/Core/Log.h"

namespace {

// The saved calculation as the engine takes it, read from the stored numbers.
struct SavedCalculation {
    CalcEngineState state = CalcEngineStateResult;
    OperatorsError currError = OperatorsErrorNone;
    OperatorsOperator currOperator = OperatorsOperatorNone;
    int32_t decimalPointDivider = 0;
    int32_t exponent = 0;
    bool hasExponent = false;
    int32_t numberBase = 10;
    CalcValue accumulator;
};

std::string field(std::string_view name, int32_t stored) { return std::string(name) + " " + std::to_string(stored); }

// The engine waits with a binary operator, with none, or with equals after "="; never with one
// that takes a single operand.
bool isPendingOperator(OperatorsOperator op) { return !Operators::sharedInstance().operatorIsUnary(op); }

// 0 before the decimal point, then 10^k after k decimals.
bool isDecimalPointDivider(int32_t divider) {
    if (divider == 0) return true;
    int64_t power = 1;
    while (power < divider) power *= 10;
    return power == divider && divider <= CalcEngineMaxDecimalPointDivider;
}

// The value of a record, or the field that makes it impossible.
std::optional<std::string> readValue(const GeneralValue* generalValue, CalcValue* value) {
    if (auto problem = CalcStoreRecordCheck::impossibleFieldOfGeneralValue(generalValue)) return problem;
    *value = *CalcStore::calcValueFromGeneralValue(*generalValue);
    return std::nullopt;
}

std::optional<std::string> readState(const AccumulatorState& record, SavedCalculation* saved) {
    const std::optional<CalcEngineState> state = calcEngineStateFromInt32(record.state());
    if (!state) return field("state", record.state());
    const std::optional<OperatorsError> error = operatorsErrorFromInt32(record.currError());
    if (!error) return field("error", record.currError());
    const std::optional<OperatorsOperator> op = operatorsOperatorFromInt32(record.currOperator());
    if (!op || !isPendingOperator(*op)) return field("operator", record.currOperator());
    if (!isDecimalPointDivider(record.decimalPointDivider())) {
        return field("decimal point divider", record.decimalPointDivider());
    }
    if (record.exponent() < -CalcEngineMaxExponent || record.exponent() > CalcEngineMaxExponent) {
        return field("exponent", record.exponent());
    }
    if (!CalcEngine::numberBaseIsValid(record.numberBase())) return field("number base", record.numberBase());
    *saved = {*state,
              *error,
              *op,
              record.decimalPointDivider(),
              record.exponent(),
              record.hasExponent(),
              record.numberBase(),
              CalcValue()};
    return readValue(record.generalValue(), &saved->accumulator);
}

// A saved stack entry holds a binary operator, or none (stored as no operator at all).
std::optional<std::string> readStep(const OpStepRecord& record, OpStep* step) {
    if (const std::optional<int32_t> stored = record.operatorsOperator()) {
        const std::optional<OperatorsOperator> op = operatorsOperatorFromInt32(*stored);
        if (!op || *op == OperatorsOperatorEquals || !isPendingOperator(*op)) return field("operator", *stored);
        step->operatorsOperator = *op;
    }
    return readValue(record.generalValue(), &step->calcValue);
}

}  // namespace

void CalcEngineStore::persistCalcEngine(const CalcEngine& engine, CalcStore& store) {
    // One transaction: a crash during the save leaves the calculation saved before or this one,
    // never the new state over the old stack, nor a part of the stack.
    std::string error;
    const bool saved = store.saveTogether(
        [&] {
            store.deleteAccumulatorState();
            store.deleteAllOpSteps();
            store.addAccumulatorState(engine.state(), engine.currError(), engine.currOperator(),
                                      engine.decimalPointDivider(), engine.exponent(), engine.hasExponent(),
                                      engine.numberBase(), engine.accumulatorCalcValue());
            const auto& stack = engine.stack();
            for (size_t index = 0; index < stack.size(); ++index) {
                store.addOpStepWithCalcValue(stack[index].calcValue, stack[index].operatorsOperator,
                                             static_cast<int32_t>(index));
            }
        },
        &error);
    if (!saved) Log::format("error saving AccumulatorState: %s", error.c_str());
}

void CalcEngineStore::restoreCalcEngine(CalcEngine& engine, CalcStore& store) {
    // The saved state and stack are one calculation: every field is checked before the engine
    // takes any, and a calculation no engine could have saved is dropped whole.
    std::optional<std::string> problem;
    std::optional<SavedCalculation> saved;
    if (const AccumulatorState* state = store.accumulatorState()) {
        saved.emplace();
        problem = readState(*state, &*saved);
    }
    const auto opSteps = store.opSteps();
    if (!opSteps) fatalAssert("Calculator/CalcEngineStore", "unable to get opSteps");
    std::vector<OpStep> stack;
    for (const OpStepRecord* record : *opSteps) {
        if (problem) break;
        OpStep step;
        problem = readStep(*record, &step);
        stack.push_back(step);
    }
    if (problem) {
        Log::format("The saved calculation is damaged (%s) and left out; the calculator starts afresh",
                    problem->c_str());
        store.deleteAccumulatorState();
        if (!opSteps->empty()) store.deleteAllOpSteps();
        return;
    }
    if (saved) {
        engine.restoreAccumulatorState(saved->state, saved->currError, saved->currOperator, saved->decimalPointDivider,
                                       saved->exponent, saved->hasExponent, saved->numberBase, saved->accumulator);
    }
    for (const OpStep& step : stack) engine.appendStack(step);
}
