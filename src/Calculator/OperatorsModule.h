#pragma once

#include <optional>
#include <string>

#include "Calculator/OperatorsError.h"
#include "Calculator/OperatorsOperator.h"
#include "Model/CalcValue.h"

// What every operator module answers. A module answers only for its own identifiers: for any
// other it returns no value, leaves the found flag false and gives empty texts. Images are
// named by their resource name ("operatorAddDark.png"); an empty name is no image.
class OperatorsModule {
public:
    virtual ~OperatorsModule() = default;

    virtual std::optional<CalcValue> calculateResultForCalcValue1(const CalcValue& value1, OperatorsOperator op,
                                                                  const CalcValue& value2, OperatorsError* error) = 0;
    virtual std::optional<CalcValue> calculateResultForCalcValue(const CalcValue& value, OperatorsOperator op,
                                                                 OperatorsError* error) = 0;
    virtual int precedenceFromOperator(OperatorsOperator op, bool* found) = 0;
    virtual bool operatorIsUnary(OperatorsOperator op, bool* found) = 0;
    virtual std::string imageFromOperator(OperatorsOperator op) = 0;
    virtual std::string descriptionFromOperator(OperatorsOperator op) = 0;
    virtual std::string accessibilityStringFromOperator(OperatorsOperator op) = 0;
    virtual std::string stringFromOperator(OperatorsOperator op) = 0;
};
