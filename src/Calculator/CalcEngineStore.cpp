#include "Calculator/CalcEngineStore.h"

#include "Calculator/CalcEngine.h"
#include "Model/CalcStore.h"
#include "Platform/Core/FatalAssert.h"

void CalcEngineStore::persistCalcEngine(const CalcEngine& engine, CalcStore& store) {
    store.deleteAccumulatorState();
    store.deleteAllOpSteps();
    store.addAccumulatorState(engine.state(), engine.currError(), engine.currOperator(), engine.decimalPointDivider(),
                              engine.exponent(), engine.hasExponent(), engine.numberBase(),
                              engine.accumulatorCalcValue());
    const auto& stack = engine.stack();
    for (size_t index = 0; index < stack.size(); ++index) {
        store.addOpStepWithCalcValue(stack[index].calcValue, stack[index].operatorsOperator,
                                     static_cast<int32_t>(index));
    }
}

void CalcEngineStore::restoreCalcEngine(CalcEngine& engine, CalcStore& store) {
    if (const AccumulatorState* state = store.accumulatorState()) {
        const GeneralValue* generalValue = state->generalValue();
        // A record whose value went missing restores the rest of the state with the engine's value.
        const CalcValue value =
            generalValue ? *CalcStore::calcValueFromGeneralValue(*generalValue) : engine.accumulatorCalcValue();
        engine.restoreAccumulatorState(
            calcEngineStateFromInt32(state->state()).value_or(CalcEngineStateResult),
            operatorsErrorFromInt32(state->currError()).value_or(OperatorsErrorNone),
            operatorsOperatorFromInt32(state->currOperator()).value_or(OperatorsOperatorNone),
            state->decimalPointDivider(), state->exponent(), state->hasExponent(), state->numberBase(), value);
        store.deleteAccumulatorState();
    }
    const auto opSteps = store.opSteps();
    if (!opSteps) fatalAssert("Calculator/CalcEngineStore", "unable to get opSteps");
    if (opSteps->empty()) return;
    for (const OpStepRecord* record : *opSteps) {
        const GeneralValue* generalValue = record->generalValue();
        if (!generalValue) continue;
        OpStep step;
        step.calcValue = *CalcStore::calcValueFromGeneralValue(*generalValue);
        step.operatorsOperator = operatorsOperatorFromInt32(record->operatorsOperator().value_or(OperatorsOperatorNone))
                                     .value_or(OperatorsOperatorNone);
        engine.appendStack(step);
    }
    store.deleteAllOpSteps();
}
