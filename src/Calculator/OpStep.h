#pragma once

#include <string>

#include "Calculator/OperatorsModule.h"
#include "Model/CalcValue.h"

// One entry of the engine's stack: an operand and the binary operator that follows it.
struct OpStep {
    OperatorsOperator operatorsOperator = OperatorsOperatorNone;
    CalcValue calcValue;

    std::string description() const;
};
