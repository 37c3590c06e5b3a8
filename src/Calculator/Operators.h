#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Calculator/OperatorsModule.h"

// Every real result passes the registry's check: from this magnitude up it is "Value out of
// range"; below the smallest magnitude it becomes plus zero.
constexpr double OperatorsMaxRealResult = 1e100;
constexpr double OperatorsMinRealResult = 1e-99;

// The one place the program asks about an operator. It forwards each question to its modules
// in a fixed order and applies one common check to every real result. It also holds the two
// settings every module reads: the integer word size and the angle unit.
class Operators {
public:
    static Operators& sharedInstance();

    int wordSize() const { return wordSize_; }
    void setWordSize(int wordSize) { wordSize_ = wordSize; }
    int angleType() const { return angleType_; }
    void setAngleType(int angleType) { angleType_ = angleType; }
    const std::vector<OperatorsModule*>& operatorsModules() const { return modules_; }

    // No value, and the error code through the out-parameter (which may be null), when the
    // calculation fails.
    std::optional<CalcValue> calculateResultForCalcValue1(const CalcValue& value1, OperatorsOperator op,
                                                          const CalcValue& value2, OperatorsError* error);
    std::optional<CalcValue> calculateResultForCalcValue(const CalcValue& value, OperatorsOperator op,
                                                         OperatorsError* error);
    int precedenceFromOperator(OperatorsOperator op);
    bool operatorIsUnary(OperatorsOperator op);
    std::string imageFromOperator(OperatorsOperator op);
    std::string descriptionFromOperator(OperatorsOperator op);
    std::string accessibilityStringFromOperator(OperatorsOperator op);
    std::string stringFromOperator(OperatorsOperator op);

    // The English message of an error code ("Divide by zero"), to be passed through the
    // localized-text lookup by whoever shows it.
    static std::string_view messageFromOperatorsError(OperatorsError error);
    // Whether some module answers for the identifier (0 and 1 are always known).
    bool operatorIsKnown(OperatorsOperator op);
    // Every identifier some module answers for, ascending; 0 and 1 excluded.
    std::vector<OperatorsOperator> knownOperators();
    // The identifier whose key label equals the text, ignoring ASCII case.
    std::optional<OperatorsOperator> operatorFromString(std::string_view label);

private:
    Operators();
    using TextQuery = std::string (OperatorsModule::*)(OperatorsOperator);
    std::string firstText(OperatorsOperator op, TextQuery query);
    std::optional<CalcValue> checkedResult(std::optional<CalcValue> candidate, OperatorsError* error);

    int angleType_ = 0;
    int wordSize_ = 16;
    std::vector<OperatorsModule*> modules_;
    // Key labels in lower case, built on first lookup: the modules never change.
    std::vector<std::pair<std::string, OperatorsOperator>> labelIndex_;
};
