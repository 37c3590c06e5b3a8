#pragma once

#include <optional>

#include "Calculator/OperatorsModule.h"
#include "Model/CalcValue.h"

class CalcEngine;

// The engine's one observer (the calculator screen, the command line).
class CalcEngineDelegate {
public:
    virtual ~CalcEngineDelegate() = default;

    // A binary operator has been entered.
    virtual void calcEngineNewOperator(CalcEngine& engine, OperatorsOperator op) = 0;
    // A calculation succeeded; called before the accumulator takes the result. The second
    // operand is absent for a unary operator.
    virtual void calcEngineAddHistoryStepWithCalcValue1(CalcEngine& engine, const CalcValue& value1,
                                                        OperatorsOperator op, const std::optional<CalcValue>& value2,
                                                        const CalcValue& result) = 0;
    // The end of every entry operation.
    virtual void calcEngineAccumulatorUpdate(CalcEngine& engine) = 0;
};
